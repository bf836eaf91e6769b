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

TCustomDBGridGx::TState::TState(TCustomDBGridGx& Grid) : G(Grid) {}
TCustomDBGridGx::TState::~TState() = default;

TCustomDBGridGx::TCustomDBGridGx(TComponent* AOwner) : TCustomGrid(AOwner), P(std::make_unique<TState>(*this)) {
  P->UseDefaultGridStyle();
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
  P->CreateOwnedObjects();
}

void TCustomDBGridGx::TState::CreateOwnedObjects() {
  FColumnDefValues.reset(G.CreateColumnDefValues());
  FColumns.reset(G.CreateColumns());
  FShownColumns = std::make_unique<TColumnsGxList>();
  G.SetRowCount(2);
  G.SetColCount(2);
  FDataLink = std::make_unique<TGridDataLinkGx>(&G);
  G.SetColor(clWindow);
  G.SetParentColor(false);
  FTitleFont = std::make_unique<TFont>();
  FTitleFont->SetOnChange(MakeEvent(&G, &TCustomDBGridGx::TitleFontChanged));
  FBookmarks = std::make_unique<TBookmarkListGx>(&G);
  FHeadTreeRoot = std::make_unique<THeadTreeNode>("Root", 10, 0);
  FSumList = std::make_unique<TDBGridGxSumList>(&G);
  FSumList->SetSumListChanged(MakeEvent(&G, &TCustomDBGridGx::SumListChanged));
  FSumList->SetOnRecalcAll(MakeEvent(&G, &TCustomDBGridGx::SumListRecalcAll));
  FSumList->SetOnAfterRecalcAll(MakeEvent(&G, &TCustomDBGridGx::SumListAfterRecalcAll));
  FHorzScrollBar.reset(G.CreateScrollBar(sbHorizontal));
  FVertScrollBar.reset(G.CreateScrollBar(sbVertical));
  FSortedColumnList = std::make_unique<TColumnsGxList>();
  FSelection = std::make_unique<TDBGridGxSelection>(&G);
  FFooterFont = std::make_unique<TFont>();
  FFooterFont->SetOnChange(MakeEvent(&G, &TCustomDBGridGx::FooterFontChanged));
  FCellParams = std::make_unique<TColCellParamsGx>();
  FSTFilter = std::make_unique<TSTDBGridGxFilter>(&G);
  FTitleImageChangeLink = std::make_unique<TChangeLink>();
  FTitleImageChangeLink->SetOnChange(MakeEvent(&G, &TCustomDBGridGx::TitleImageListChanged));
  FGlyphBitmap = std::make_unique<TBitmap>();
  FGlyphBitmap->LoadFromResourceName(nullptr, "DBGRID_BMP");
  BuildOptionsMenu();
  FCurrencyStyle = std::make_unique<TMoneyStyle>(&G);
}

void TCustomDBGridGx::RemakeColumnObjects() {
  P->FColumns.reset();
  P->FColumnDefValues.reset(CreateColumnDefValues());
  P->FColumns.reset(CreateColumns());
}

void TCustomDBGridGx::TState::BuildOptionsMenu() {
  FOptionsMenu = new TPopupMenu(&G);
  FOptionsMenu->SetName("OptionsMenu");
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
    auto* Item = new TMenuItem(FOptionsMenu);
    Item->SetCaption(Entry.Caption);
    if (Entry.OnClick) Item->SetOnClick(MakeEvent(&G, Entry.OnClick));
    FOptionsMenu->Items()->Add(Item);
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
