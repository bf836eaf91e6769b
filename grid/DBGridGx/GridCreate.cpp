// Construction and destruction of the data grid, and the objects it owns.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/HeadTree.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/TextDraw.h"
#include "gridcontrols/GxCurrency.h"

TCustomDBGridGx::TCustomDBGridGx(TComponent* AOwner) : TCustomGrid(AOwner) {
  UseDefaultGridStyle();
  TCustomGrid::SetDefaultDrawing(false);
  FOptions = DefaultDBGridOptions;
  FTitleAreaRowCount = static_cast<std::uint8_t>(TitleRowCount() + FilterRowCount());
  FIndicatorColCount = 1;
  AcquireDrawBitmap();
  FDrawBitmapShared = true;
  try {
    SetScrollBars(ssHorizontal);
    TCustomGrid::SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing,
                                         goColMoving, goEditing, goTabs});
    CreateOwnedObjects();
  } catch (...) {
    // A grid that could not be made leaves no reference to itself behind.
    if (FStyle) FStyle->RemoveGrid(this);
    ReleaseDrawBitmap();
    throw;
  }
}

void TCustomDBGridGx::CreateOwnedObjects() {
  FColumnDefValues.reset(CreateColumnDefValues());
  FColumns.reset(CreateColumns());
  FShownColumns = std::make_unique<TColumnsGxList>();
  SetRowCount(2);
  SetColCount(2);
  FDataLink = std::make_unique<TGridDataLinkGx>(this);
  SetColor(clWindow);
  FFooterColor = clWindow;
  SetParentColor(false);
  FTitleFont = std::make_unique<TFont>();
  FTitleFont->SetOnChange(MakeEvent(this, &TCustomDBGridGx::TitleFontChanged));
  FDefaultDrawingGx = true;
  FBookmarks = std::make_unique<TBookmarkListGx>(this);
  FTitleHeight = 0;
  FComputedTitleHeight = 0;
  FTitleLines = 0;
  FHeadTreeRoot = std::make_unique<THeadTreeNode>("Root", 10, 0);
  FVTitleMargin = 10;
  FUseMultiTitle = false;
  FRowSizingAllowed = false;
  FSumList = std::make_unique<TDBGridGxSumList>(this);
  FSumList->SetSumListChanged(MakeEvent(this, &TCustomDBGridGx::SumListChanged));
  FSumList->SetOnRecalcAll(MakeEvent(this, &TCustomDBGridGx::SumListRecalcAll));
  FSumList->SetOnAfterRecalcAll(MakeEvent(this, &TCustomDBGridGx::SumListAfterRecalcAll));
  FHorzScrollBar.reset(CreateScrollBar(0));
  FVertScrollBar.reset(CreateScrollBar(1));
  FOptionsGx = DefaultDBGridGxOptions;
  FSortedColumnList = std::make_unique<TColumnsGxList>();
  FPressedTitleCol = -1;
  FSelection = std::make_unique<TDBGridGxSelection>(this);
  FAllowedOperations = AllDBGridGxOperations;
  FFooterFont = std::make_unique<TFont>();
  FFooterFont->SetOnChange(MakeEvent(this, &TCustomDBGridGx::FooterFontChanged));
  FTextMargin = 4;
  FAllowedSelections = TDBGridGxAllowedSelections{gstRecordBookmarks, gstRectangle, gstColumns, gstAll};
  FCellParams = std::make_unique<TColCellParamsGx>();
  FWholeDataSetCursorAllowed = true;
  FSTFilter = std::make_unique<TSTDBGridGxFilter>(this);
  FTitleImageChangeLink = std::make_unique<TChangeLink>();
  FTitleImageChangeLink->SetOnChange(MakeEvent(this, &TCustomDBGridGx::TitleImageListChanged));

  // The system's own additions.
  FShowImage = false;
  FRowColorFlag = false;
  FRowOneColor = Color();
  FRowTwoColor = 0xF0FBFF;
  FSortOnColumnClick = true;
  FAutoSetFooterWhenRestore = true;
  FUseMenu = true;
  FAllowMoveColumn = true;
  FAutoSort = true;
  FShowBmp = false;
  FGlyphBitmap = std::make_unique<TBitmap>();
  FGlyphBitmap->LoadFromResourceName(nullptr, "DBGRID_BMP");
  BuildOptionsMenu();
  FDrawCurrency = false;
  FMoneyTextFormatting = false;
  FCurrencyStyle = std::make_unique<TMoneyStyle>(this);
  FFixGridlinecolor = clGray;
  FGridlinecolor = clGray;
}

void TCustomDBGridGx::RemakeColumnObjects() {
  FColumns.reset();
  FColumnDefValues.reset(CreateColumnDefValues());
  FColumns.reset(CreateColumns());
}

void TCustomDBGridGx::BuildOptionsMenu() {
  FOptionsMenu = new TPopupMenu(this);
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
    if (Entry.OnClick) Item->SetOnClick(MakeEvent(this, Entry.OnClick));
    FOptionsMenu->Items()->Add(Item);
  }
}

TCustomDBGridGx::~TCustomDBGridGx() {
  Destroying();
  if (FFilterEditor) {
    // The editor goes while its holder is still whole.
    FFilterEditor->SetInplaceEditHolder(nullptr);
    delete FFilterEditor;
    FFilterEditor = nullptr;
  }
  FCurrencyStyle.reset();
  FWholeDataSetCursorAllowed = false;
  if (FStyle) FStyle->RemoveGrid(this);
  FStyle = nullptr;
  FCellParams.reset();
  if (FSelection) FSelection->Reset();
  FColumns.reset();
  FColumnDefValues.reset();
  FShownColumns.reset();
  FSortedColumnList.reset();
  FDataLink.reset();
  FHorzScrollBar.reset();
  FVertScrollBar.reset();
  FTitleFont.reset();
  FBookmarks.reset();
  FTitleImageChangeLink.reset();  // leaves the image list it is registered with
  if (FDrawBitmapShared) ReleaseDrawBitmap();
  FHeadTreeRoot.reset();
  FSumList.reset();
  FSelection.reset();
  FFooterFont.reset();
  FSTFilter.reset();
  FToolTipFont.reset();
  FGlyphBitmap.reset();
}
