// Construction and destruction of the data grid, and the objects it owns.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/HeadTree.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/TextDraw.h"
#include "gridcontrols/GxCurrency.h"
#include "platform/rtl/ScopeExit.h"

TCustomDBGridGx::TCustomDBGridGx(TComponent* AOwner) : TCustomGrid(AOwner), P(std::make_unique<TState>()) {
  UseDefaultGridStyle();
  TCustomGrid::SetDefaultDrawing(false);
  P->FTitleAreaRowCount = static_cast<std::uint8_t>(TitleRowCount() + FilterRowCount());
  AcquireDrawBitmap();
  P->FDrawBitmapShared = true;
  // A grid that could not be made leaves no reference to itself behind.
  auto forget = AtScopeFailure([this] {
    if (P->FStyle) P->FStyle->RemoveGrid(this);
    ReleaseDrawBitmap();
  });
  SetScrollBars(ssHorizontal);
  TCustomGrid::SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing,
                                       goColMoving, goEditing, goTabs});
  CreateOwnedObjects();
}

void TCustomDBGridGx::CreateOwnedObjects() {
  P->FColumnDefValues.reset(CreateColumnDefValues());
  P->FColumns.reset(CreateColumns());
  P->FShownColumns = std::make_unique<TColumnsGxList>();
  SetRowCount(2);
  SetColCount(2);
  P->FDataLink = std::make_unique<TGridDataLinkGx>(this);
  SetColor(clWindow);
  SetParentColor(false);
  P->FTitleFont = std::make_unique<TFont>();
  P->FTitleFont->SetOnChange(MakeEvent(this, &TCustomDBGridGx::TitleFontChanged));
  P->FBookmarks = std::make_unique<TBookmarkListGx>(this);
  P->FHeadTreeRoot = std::make_unique<THeadTreeNode>("Root", 10, 0);
  P->FSumList = std::make_unique<TDBGridGxSumList>(this);
  P->FSumList->SetSumListChanged(MakeEvent(this, &TCustomDBGridGx::SumListChanged));
  P->FSumList->SetOnRecalcAll(MakeEvent(this, &TCustomDBGridGx::SumListRecalcAll));
  P->FSumList->SetOnAfterRecalcAll(MakeEvent(this, &TCustomDBGridGx::SumListAfterRecalcAll));
  P->FHorzScrollBar.reset(CreateScrollBar(0));
  P->FVertScrollBar.reset(CreateScrollBar(1));
  P->FSortedColumnList = std::make_unique<TColumnsGxList>();
  P->FSelection = std::make_unique<TDBGridGxSelection>(this);
  P->FFooterFont = std::make_unique<TFont>();
  P->FFooterFont->SetOnChange(MakeEvent(this, &TCustomDBGridGx::FooterFontChanged));
  P->FCellParams = std::make_unique<TColCellParamsGx>();
  P->FSTFilter = std::make_unique<TSTDBGridGxFilter>(this);
  P->FTitleImageChangeLink = std::make_unique<TChangeLink>();
  P->FTitleImageChangeLink->SetOnChange(MakeEvent(this, &TCustomDBGridGx::TitleImageListChanged));
  P->FGlyphBitmap = std::make_unique<TBitmap>();
  P->FGlyphBitmap->LoadFromResourceName(nullptr, "DBGRID_BMP");
  BuildOptionsMenu();
  P->FCurrencyStyle = std::make_unique<TMoneyStyle>(this);
}

void TCustomDBGridGx::RemakeColumnObjects() {
  P->FColumns.reset();
  P->FColumnDefValues.reset(CreateColumnDefValues());
  P->FColumns.reset(CreateColumns());
}

void TCustomDBGridGx::BuildOptionsMenu() {
  P->FOptionsMenu = new TPopupMenu(this);
  P->FOptionsMenu->SetName("OptionsMenu");
  using Handler = void (TCustomDBGridGx::*)(TObject*);
  const struct {
    const char* Caption;
    Handler OnClick;
  } Items[] = {
      {"打印表格", &TCustomDBGridGx::MenuPrintClick},
      {"-", nullptr},
      {"恢复表格格式", &TCustomDBGridGx::MenuRestoreLayoutClick},
      {"保存表格格式", &TCustomDBGridGx::MenuSaveLayoutClick},
      {"-", nullptr},
      {"显示/隐藏列", &TCustomDBGridGx::ShowColumnDialog},
      {"-", nullptr},
      {"显示/隐藏过滤行", &TCustomDBGridGx::MenuFilterRowClick},
      {"清除过滤条件", &TCustomDBGridGx::MenuClearFilterClick},
  };
  for (const auto& Entry : Items) {
    auto* Item = new TMenuItem(P->FOptionsMenu);
    Item->SetCaption(Entry.Caption);
    if (Entry.OnClick) Item->SetOnClick(MakeEvent(this, Entry.OnClick));
    P->FOptionsMenu->Items()->Add(Item);
  }
}

TCustomDBGridGx::~TCustomDBGridGx() {
  Destroying();
  if (P->FFilterEditor) {
    // The editor goes while its holder is still whole.
    P->FFilterEditor->SetInplaceEditHolder(nullptr);
    delete P->FFilterEditor;
    P->FFilterEditor = nullptr;
  }
  P->FCurrencyStyle.reset();
  P->FWholeDataSetCursorAllowed = false;
  if (P->FStyle) P->FStyle->RemoveGrid(this);
  P->FStyle = nullptr;
  P->FCellParams.reset();
  if (P->FSelection) P->FSelection->Reset();
  P->FColumns.reset();
  P->FColumnDefValues.reset();
  P->FShownColumns.reset();
  P->FSortedColumnList.reset();
  P->FDataLink.reset();
  P->FHorzScrollBar.reset();
  P->FVertScrollBar.reset();
  P->FTitleFont.reset();
  P->FBookmarks.reset();
  P->FTitleImageChangeLink.reset();  // leaves the image list it is registered with
  if (P->FDrawBitmapShared) ReleaseDrawBitmap();
  P->FHeadTreeRoot.reset();
  P->FSumList.reset();
  P->FSelection.reset();
  P->FFooterFont.reset();
  P->FSTFilter.reset();
  P->FToolTipFont.reset();
  P->FGlyphBitmap.reset();
}
