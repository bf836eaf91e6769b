// The writers of the grid's properties: each stores its value, then rebuilds the
// layout, repaints or re-creates the window.
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "gridcontrols/GxCurrency.h"
#include "platform/rtl/ScopeExit.h"

namespace {
// A list created on first read; nil frees it.
void AssignOwnedStrings(std::unique_ptr<TStrings>& List, TStrings* Value) {
  if (!Value) {
    List.reset();
    return;
  }
  if (Value == List.get()) return;
  if (!List) List = std::make_unique<TStringList>();
  List->Assign(Value);
}
}  // namespace

bool TCustomDBGridGx::Loading() const { return ComponentState().Contains(csLoading); }

void TCustomDBGridGx::SetOptions(TDBGridOptions Value) {
  // Whole-row selection leaves no room for editing.
  if (Value.Contains(dgRowSelect)) Value = Value - TDBGridOptions{dgEditing, dgAlwaysShowEditor};
  if (Value == P->FOptions) return;
  TGridOptions Base;
  if (Value.Contains(dgColLines)) Base = Base + TGridOptions{goFixedVertLine, goVertLine};
  if (Value.Contains(dgRowLines)) Base = Base + TGridOptions{goFixedHorzLine, goHorzLine};
  if (Value.Contains(dgColumnResize)) Base = Base + TGridOptions{goColSizing, goColMoving};
  if (Value.Contains(dgTabs)) Base.Include(goTabs);
  if (Value.Contains(dgRowSelect)) Base.Include(goRowSelect);
  if (Value.Contains(dgEditing)) Base.Include(goEditing);
  if (Value.Contains(dgAlwaysShowEditor)) Base.Include(goAlwaysShowEditor);
  if (P->FRowSizingAllowed) Base.Include(goRowSizing);
  // Without multi-selection no selection may stay, whatever dghClearSelection says.
  if (P->FOptions.Contains(dgMultiSelect) && !Value.Contains(dgMultiSelect)) {
    ClearSelection();
    if (P->FSelection) P->FSelection->Reset();
  }
  const TDBGridOptions Changed = TDBGridOptions::FromBits(P->FOptions.Bits() ^ Value.Bits());
  P->FOptions = Value;
  TCustomGrid::SetOptions(Base);
  if (!(Changed * LayoutDBGridOptions).Empty()) RequestLayout();
  if (EditorMode()) InvalidateCellEditor();
}

void TCustomDBGridGx::SetOptionsGx(TDBGridGxOptions Value) {
  if (Value == P->FOptionsGx) return;
  // Without multi-column marking only the first sort column keeps its marker.
  if (P->FOptionsGx.Contains(dghMultiSortMarking) && !Value.Contains(dghMultiSortMarking))
    for (int I = P->FSortedColumnList->Count() - 1; I >= 1; --I)
      if (I < P->FSortedColumnList->Count())
        if (TColumnGx* Column = P->FSortedColumnList->ColumnAt(I)) Column->Title()->SetSortMarker(smNoneGx);
  P->FOptionsGx = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetAllowedSelections(TDBGridGxAllowedSelections Value) {
  if (Value == P->FAllowedSelections) return;
  P->FAllowedSelections = Value;
  if (P->FSelection && P->FSelection->Kind() != gstNon && !Value.Contains(P->FSelection->Kind())) P->FSelection->Reset();
}

void TCustomDBGridGx::SetAutoFitColWidths(bool Value) {
  if (Value == P->FAutoFitColWidths) return;
  P->FAutoFitColWidths = Value;
  if (ComponentState().Contains(csDesigning)) return;
  if (Value) {
    if (!Loading())
      for (int I = 0; I < P->FColumns->Count(); ++I)
        P->FColumns->ColumnAt(I)->SetProportionalWidth(P->FColumns->ColumnAt(I)->Width());
    SetScrollBars(ssNone);
  } else {
    {
      P->FColumns->BeginUpdate();
      auto EndUpdate = AtScopeExit([this] { P->FColumns->EndUpdate(); });
      for (int I = 0; I < P->FColumns->Count(); ++I)
        P->FColumns->ColumnAt(I)->SetWidth(P->FColumns->ColumnAt(I)->ProportionalWidth());
    }
    SetScrollBars(ssHorizontal);
  }
  RequestLayout();
}

void TCustomDBGridGx::SetColumnDefValues(TColumnDefValuesGx* Value) {
  if (Value && Value != P->FColumnDefValues.get()) P->FColumnDefValues->Assign(Value);
}

void TCustomDBGridGx::SetColumns(TDBGridColumnsGx* Value) {
  if (Value && Value != P->FColumns.get()) P->FColumns->Assign(Value);
}

TDataSource* TCustomDBGridGx::DataSource() const { return P->FDataLink ? P->FDataLink->DataSource() : nullptr; }

void TCustomDBGridGx::SetDefaultDrawing(bool Value) {
  if (Value == P->FDefaultDrawingGx) return;
  P->FDefaultDrawingGx = Value;
  Invalidate();
}

void TCustomDBGridGx::SetDrawMemoText(bool Value) {
  P->FDrawMemoText = Value;
  Invalidate();
}

void TCustomDBGridGx::SetFlat(bool Value) {
  if (Value == P->FFlat) return;
  P->FFlat = Value;
  P->FTextMargin = Value ? 2 : 4;
  if (HandleAllocated()) RecreateWnd();
  RequestLayout();
}

void TCustomDBGridGx::SetFooterColor(TColor Value) {
  if (!Loading()) SetParentColor(false);
  P->FFooterColor = Value;
  if (P->FFooterRowCount > 0) Invalidate();
}

void TCustomDBGridGx::SetFooterFont(TFont* Value) {
  if (Value && Value != P->FFooterFont.get()) P->FFooterFont->Assign(Value);
  if (P->FFooterRowCount > 0) RequestLayout();
}

void TCustomDBGridGx::SetFooterRowCount(int Value) {
  if (Value < 0 || Value == P->FFooterRowCount) return;
  P->FFooterRowCount = Value;
  P->UpdateCursorMode();
  RequestLayout();
}

void TCustomDBGridGx::SetFrozenCols(int Value) {
  if (Value < 0) return;
  P->FFrozenCols = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetHorzScrollBar(TDBGridGxScrollBar* Value) {
  if (Value && Value != P->FHorzScrollBar.get()) P->FHorzScrollBar->Assign(Value);
}

void TCustomDBGridGx::SetVertScrollBar(TDBGridGxScrollBar* Value) {
  if (Value && Value != P->FVertScrollBar.get()) P->FVertScrollBar->Assign(Value);
}

void TCustomDBGridGx::SetMinAutoFitWidth(int Value) {
  P->FMinAutoFitWidth = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetReadOnly(bool Value) {
  if (Value == P->FReadOnly) return;
  P->FReadOnly = Value;
  Invalidate();
  ApplyColumnAttributes();
}

void TCustomDBGridGx::SetRowHeight(int Value) {
  if (Value == P->FRowHeight) return;
  P->FRowHeight = Value > 0 ? Value : 0;
  RequestLayout();
}

void TCustomDBGridGx::SetRowLines(int Value) {
  if (Value == P->FRowLines) return;
  P->FRowLines = Value > 0 ? Value : 0;
  RequestLayout();
}

void TCustomDBGridGx::SetRowSizingAllowed(bool Value) {
  if (Value == P->FRowSizingAllowed) return;
  P->FRowSizingAllowed = Value;
  TGridOptions Base = TCustomGrid::Options();
  if (Value) Base.Include(goRowSizing);
  else Base.Exclude(goRowSizing);
  TCustomGrid::SetOptions(Base);
}

void TCustomDBGridGx::SetSTFilter(TSTDBGridGxFilter* Value) {
  if (Value && Value != P->FSTFilter.get()) P->FSTFilter->Assign(Value);
}

void TCustomDBGridGx::SetSumList(TDBGridGxSumList* Value) {
  // The grid's own list takes the settings and sums; its dataset and handlers stay.
  if (Value && Value != P->FSumList.get()) P->FSumList->Assign(Value);
}

void TCustomDBGridGx::SetTitleFont(TFont* Value) {
  if (Value && Value != P->FTitleFont.get()) P->FTitleFont->Assign(Value);
}

void TCustomDBGridGx::SetTitleHeight(int Value) {
  P->FTitleHeight = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetTitleLines(int Value) {
  P->FTitleLines = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetTitleImages(TCustomImageList* Value) {
  if (P->FTitleImages) P->FTitleImages->UnRegisterChanges(P->FTitleImageChangeLink.get());
  P->FTitleImages = Value;
  if (Value) {
    Value->RegisterChanges(P->FTitleImageChangeLink.get());
    Value->FreeNotification(this);
  }
  RequestLayout();
}

void TCustomDBGridGx::SetUseMultiTitle(bool Value) {
  P->FUseMultiTitle = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetVTitleMargin(int Value) {
  P->FVTitleMargin = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetShowImage(bool Value) {
  if (Value == P->FShowImage) return;
  P->FShowImage = Value;
  Invalidate();
}

void TCustomDBGridGx::SetAutoSort(bool Value) {
  if (Value == P->FAutoSort) return;
  P->FAutoSort = Value;
  P->FSortOnColumnClick = Value;
}

void TCustomDBGridGx::SetShowBmp(bool Value) {
  if (Value == P->FShowBmp) return;
  P->FShowBmp = Value;
  if (!P->FGlyphBitmap) {
    auto Glyph = std::make_unique<TBitmap>();
    Glyph->LoadFromResourceName(nullptr, "DBGRID_BMP");
    P->FGlyphBitmap = std::move(Glyph);
  }
  P->PaintGlyphSpot();
}

// Paints the glyph spot at (2,2) at once: the glyph, or the button face over it.
void TCustomDBGridGx::TState::PaintGlyphSpot() {
  if (!G.HandleAllocated() || !FGlyphBitmap) return;
  if (FShowBmp && FOptions.Contains(dgIndicator)) {
    G.Canvas()->Draw(2, 2, FGlyphBitmap.get());
    return;
  }
  TBitmap Blank;
  Blank.SetSize(FGlyphBitmap->Width(), FGlyphBitmap->Height());
  Blank.Canvas()->Brush()->SetColor(clBtnFace);
  Blank.Canvas()->FillRect(win::RECT{0, 0, Blank.Width(), Blank.Height()});
  G.Canvas()->Draw(2, 2, &Blank);
}

void TCustomDBGridGx::SetRowColorFlag(bool Value) {
  P->FRowColorFlag = Value;
  Invalidate();
}

void TCustomDBGridGx::SetRowOneColor(TColor Value) {
  P->FRowOneColor = Value;
  Invalidate();
}

void TCustomDBGridGx::SetRowTwoColor(TColor Value) {
  P->FRowTwoColor = Value;
  Invalidate();
}

// The grid keeps its own style object and copies the given one into it, so a style
// owned elsewhere is never freed or kept by the grid.
void TCustomDBGridGx::SetCurrencyStyle(TMoneyStyle* Value) {
  if (Value && Value != P->FCurrencyStyle.get()) P->FCurrencyStyle->Assign(Value);
  Invalidate();
}

void TCustomDBGridGx::SetDrawCurrency(bool Value) {
  if (Value == P->FDrawCurrency) return;
  P->FDrawCurrency = Value;
  if (Value) P->FMoneyTextFormatting = true;
  RequestLayout();
  Invalidate();
}

void TCustomDBGridGx::SetNeedPaintCurrHead(bool Value) {
  if (Value == P->FNeedPaintCurrHead) return;
  P->FNeedPaintCurrHead = Value;
  Invalidate();
}

void TCustomDBGridGx::SetFooterDisplayStyle(bool Value) {
  P->FFooterDisplayStyle = Value;
  if (P->FFooterRowCount > 0) {
    RequestLayout();
    Invalidate();
  }
}

TStrings* TCustomDBGridGx::SumFieldNotInclude() {
  if (!P->FSumFieldNotInclude) P->FSumFieldNotInclude = std::make_unique<TStringList>();
  return P->FSumFieldNotInclude.get();
}

void TCustomDBGridGx::SetSumFieldNotInclude(TStrings* Value) { AssignOwnedStrings(P->FSumFieldNotInclude, Value); }

TStrings* TCustomDBGridGx::ProtectFieldList() {
  if (!P->FProtectFieldList) P->FProtectFieldList = std::make_unique<TStringList>();
  return P->FProtectFieldList.get();
}

void TCustomDBGridGx::SetProtectFieldList(TStrings* Value) { AssignOwnedStrings(P->FProtectFieldList, Value); }

void TCustomDBGridGx::SetFixGridlinecolor(TColor Value) {
  if (!Loading()) SetParentColor(false);
  P->FFixGridlinecolor = Value;
  Invalidate();
}

void TCustomDBGridGx::SetGridlinecolor(TColor Value) {
  if (!Loading()) SetParentColor(false);
  P->FGridlinecolor = Value;
  Invalidate();
}

// A font change made by the application switches ParentFont off; one copied from the
// parent does not.
void TCustomDBGridGx::TitleFontChanged(TObject*) {
  if (!Loading() && !P->FParentFontChanging) SetParentFont(false);
  if (P->FOptions.Contains(dgTitles)) RequestLayout();
}

void TCustomDBGridGx::FooterFontChanged(TObject*) {
  if (!Loading() && !P->FParentFontChanging) SetParentFont(false);
  if (P->FFooterRowCount > 0) RequestLayout();
}

void TCustomDBGridGx::TitleImageListChanged(TObject*) { Invalidate(); }

// Plain readers and writers of the grid's properties and state.
TDBGridGxAllowedOperations TCustomDBGridGx::AllowedOperations() const { return P->FAllowedOperations; }
void TCustomDBGridGx::SetAllowedOperations(TDBGridGxAllowedOperations Value) { P->FAllowedOperations = Value; }
TDBGridGxAllowedSelections TCustomDBGridGx::AllowedSelections() const { return P->FAllowedSelections; }
bool TCustomDBGridGx::AutoFitColWidths() const { return P->FAutoFitColWidths; }
TColumnDefValuesGx* TCustomDBGridGx::ColumnDefValues() const { return P->FColumnDefValues.get(); }
TDBGridColumnsGx* TCustomDBGridGx::Columns() const { return P->FColumns.get(); }
bool TCustomDBGridGx::DefaultDrawing() const { return P->FDefaultDrawingGx; }
bool TCustomDBGridGx::DrawMemoText() const { return P->FDrawMemoText; }
TDBGridGxEditActions TCustomDBGridGx::EditActions() const { return P->FEditActions; }
void TCustomDBGridGx::SetEditActions(TDBGridGxEditActions Value) { P->FEditActions = Value; }
bool TCustomDBGridGx::Flat() const { return P->FFlat; }
TColor TCustomDBGridGx::FooterColor() const { return P->FFooterColor; }
TFont* TCustomDBGridGx::FooterFont() const { return P->FFooterFont.get(); }
int TCustomDBGridGx::FooterRowCount() const { return P->FFooterRowCount; }
int TCustomDBGridGx::FrozenCols() const { return P->FFrozenCols; }
TDBGridGxScrollBar* TCustomDBGridGx::HorzScrollBar() const { return P->FHorzScrollBar.get(); }
TDBGridGxScrollBar* TCustomDBGridGx::VertScrollBar() const { return P->FVertScrollBar.get(); }
int TCustomDBGridGx::MinAutoFitWidth() const { return P->FMinAutoFitWidth; }
TDBGridOptions TCustomDBGridGx::Options() const { return P->FOptions; }
TDBGridGxOptions TCustomDBGridGx::OptionsGx() const { return P->FOptionsGx; }
bool TCustomDBGridGx::ReadOnly() const { return P->FReadOnly; }
int TCustomDBGridGx::RowHeight() const { return P->FRowHeight; }
int TCustomDBGridGx::RowLines() const { return P->FRowLines; }
bool TCustomDBGridGx::RowSizingAllowed() const { return P->FRowSizingAllowed; }
bool TCustomDBGridGx::SortLocal() const { return P->FSortLocal; }
void TCustomDBGridGx::SetSortLocal(bool Value) { P->FSortLocal = Value; }
bool TCustomDBGridGx::SortOnColumnClick() const { return P->FSortOnColumnClick; }
void TCustomDBGridGx::SetSortOnColumnClick(bool Value) { P->FSortOnColumnClick = Value; }
TSTDBGridGxFilter* TCustomDBGridGx::STFilter() const { return P->FSTFilter.get(); }
TDBGridGxSumList* TCustomDBGridGx::SumList() const { return P->FSumList.get(); }
TFont* TCustomDBGridGx::TitleFont() const { return P->FTitleFont.get(); }
int TCustomDBGridGx::TitleHeight() const { return P->FTitleHeight; }
TCustomImageList* TCustomDBGridGx::TitleImages() const { return P->FTitleImages; }
int TCustomDBGridGx::TitleLines() const { return P->FTitleLines; }
bool TCustomDBGridGx::UseMultiTitle() const { return P->FUseMultiTitle; }
int TCustomDBGridGx::VTitleMargin() const { return P->FVTitleMargin; }
bool TCustomDBGridGx::ShowImage() const { return P->FShowImage; }
bool TCustomDBGridGx::UseMenu() const { return P->FUseMenu; }
void TCustomDBGridGx::SetUseMenu(bool Value) { P->FUseMenu = Value; }
bool TCustomDBGridGx::AutoSort() const { return P->FAutoSort; }
bool TCustomDBGridGx::ShowBmp() const { return P->FShowBmp; }
bool TCustomDBGridGx::RowColorFlag() const { return P->FRowColorFlag; }
TColor TCustomDBGridGx::RowOneColor() const { return P->FRowOneColor; }
TColor TCustomDBGridGx::RowTwoColor() const { return P->FRowTwoColor; }
TMoneyStyle* TCustomDBGridGx::CurrencyStyle() const { return P->FCurrencyStyle.get(); }
bool TCustomDBGridGx::DrawCurrency() const { return P->FDrawCurrency; }
bool TCustomDBGridGx::MoneyTextFormatting() const { return P->FMoneyTextFormatting; }
bool TCustomDBGridGx::NeedPaintCurrHead() const { return P->FNeedPaintCurrHead; }
bool TCustomDBGridGx::FooterDisplayStyle() const { return P->FFooterDisplayStyle; }
bool TCustomDBGridGx::AutoSetFooterWhenRestore() const { return P->FAutoSetFooterWhenRestore; }
void TCustomDBGridGx::SetAutoSetFooterWhenRestore(bool Value) { P->FAutoSetFooterWhenRestore = Value; }
TColor TCustomDBGridGx::FixGridlinecolor() const { return P->FFixGridlinecolor; }
TColor TCustomDBGridGx::Gridlinecolor() const { return P->FGridlinecolor; }
bool TCustomDBGridGx::AllowMoveColumn() const { return P->FAllowMoveColumn; }
void TCustomDBGridGx::SetAllowMoveColumn(bool Value) { P->FAllowMoveColumn = Value; }
bool TCustomDBGridGx::AutoRestoreGrid() const { return P->FAutoRestoreGrid; }
void TCustomDBGridGx::SetAutoRestoreGrid(bool Value) { P->FAutoRestoreGrid = Value; }
bool TCustomDBGridGx::DisableMoveColumn() const { return P->FDisableMoveColumn; }
void TCustomDBGridGx::SetDisableMoveColumn(bool Value) { P->FDisableMoveColumn = Value; }
bool TCustomDBGridGx::SumFieldNotIncludeStored() const { return P->FSumFieldNotInclude && P->FSumFieldNotInclude->Count() > 0; }
bool TCustomDBGridGx::ProtectFieldListStored() const { return P->FProtectFieldList && P->FProtectFieldList->Count() > 0; }
TDBGridGxClickEvent TCustomDBGridGx::OnCellClick() const { return P->FOnCellClick; }
void TCustomDBGridGx::SetOnCellClick(const TDBGridGxClickEvent& Value) { P->FOnCellClick = Value; }
TDBGridGxClickEvent TCustomDBGridGx::OnTitleClick() const { return P->FOnTitleClick; }
void TCustomDBGridGx::SetOnTitleClick(const TDBGridGxClickEvent& Value) { P->FOnTitleClick = Value; }
TTitleGxClickEvent TCustomDBGridGx::OnTitleBtnClick() const { return P->FOnTitleBtnClick; }
void TCustomDBGridGx::SetOnTitleBtnClick(const TTitleGxClickEvent& Value) { P->FOnTitleBtnClick = Value; }
TCheckTitleGxBtnEvent TCustomDBGridGx::OnCheckButton() const { return P->FOnCheckButton; }
void TCustomDBGridGx::SetOnCheckButton(const TCheckTitleGxBtnEvent& Value) { P->FOnCheckButton = Value; }
TNotifyEvent TCustomDBGridGx::OnColEnter() const { return P->FOnColEnter; }
void TCustomDBGridGx::SetOnColEnter(const TNotifyEvent& Value) { P->FOnColEnter = Value; }
TNotifyEvent TCustomDBGridGx::OnColExit() const { return P->FOnColExit; }
void TCustomDBGridGx::SetOnColExit(const TNotifyEvent& Value) { P->FOnColExit = Value; }
TMovedEvent TCustomDBGridGx::OnColumnMoved() const { return P->FOnColumnMoved; }
void TCustomDBGridGx::SetOnColumnMoved(const TMovedEvent& Value) { P->FOnColumnMoved = Value; }
TNotifyEvent TCustomDBGridGx::OnColWidthsChanged() const { return P->FOnColWidthsChanged; }
void TCustomDBGridGx::SetOnColWidthsChanged(const TNotifyEvent& Value) { P->FOnColWidthsChanged = Value; }
TDrawColumnGxCellEvent TCustomDBGridGx::OnDrawColumnCell() const { return P->FOnDrawColumnCell; }
void TCustomDBGridGx::SetOnDrawColumnCell(const TDrawColumnGxCellEvent& Value) { P->FOnDrawColumnCell = Value; }
TDrawDataCellEvent TCustomDBGridGx::OnDrawDataCell() const { return P->FOnDrawDataCell; }
void TCustomDBGridGx::SetOnDrawDataCell(const TDrawDataCellEvent& Value) { P->FOnDrawDataCell = Value; }
TDrawFooterCellEvent TCustomDBGridGx::OnDrawFooterCell() const { return P->FOnDrawFooterCell; }
void TCustomDBGridGx::SetOnDrawFooterCell(const TDrawFooterCellEvent& Value) { P->FOnDrawFooterCell = Value; }
TGetCellGxParamsEvent TCustomDBGridGx::OnGetCellParams() const { return P->FOnGetCellParams; }
void TCustomDBGridGx::SetOnGetCellParams(const TGetCellGxParamsEvent& Value) { P->FOnGetCellParams = Value; }
TGetBtnGxParamsEvent TCustomDBGridGx::OnGetBtnParams() const { return P->FOnGetBtnParams; }
void TCustomDBGridGx::SetOnGetBtnParams(const TGetBtnGxParamsEvent& Value) { P->FOnGetBtnParams = Value; }
TGetFooterParamsEvent TCustomDBGridGx::OnGetFooterParams() const { return P->FOnGetFooterParams; }
void TCustomDBGridGx::SetOnGetFooterParams(const TGetFooterParamsEvent& Value) { P->FOnGetFooterParams = Value; }
TNotifyEvent TCustomDBGridGx::OnEditButtonClick() const { return P->FOnEditButtonClick; }
void TCustomDBGridGx::SetOnEditButtonClick(const TNotifyEvent& Value) { P->FOnEditButtonClick = Value; }
TNotifyEvent TCustomDBGridGx::OnSortMarkingChanged() const { return P->FOnSortMarkingChanged; }
void TCustomDBGridGx::SetOnSortMarkingChanged(const TNotifyEvent& Value) { P->FOnSortMarkingChanged = Value; }
TNotifyEvent TCustomDBGridGx::OnApplyFilter() const { return P->FOnApplyFilter; }
void TCustomDBGridGx::SetOnApplyFilter(const TNotifyEvent& Value) { P->FOnApplyFilter = Value; }
TNotifyEvent TCustomDBGridGx::OnDblFilterClick() const { return P->FOnDblFilterClick; }
void TCustomDBGridGx::SetOnDblFilterClick(const TNotifyEvent& Value) { P->FOnDblFilterClick = Value; }
TNotifyEvent TCustomDBGridGx::OnSumListRecalcAll() const { return P->FOnSumListRecalcAll; }
void TCustomDBGridGx::SetOnSumListRecalcAll(const TNotifyEvent& Value) { P->FOnSumListRecalcAll = Value; }
TNotifyEvent TCustomDBGridGx::OnSumListAfterRecalcAll() const { return P->FOnSumListAfterRecalcAll; }
void TCustomDBGridGx::SetOnSumListAfterRecalcAll(const TNotifyEvent& Value) { P->FOnSumListAfterRecalcAll = Value; }
int TCustomDBGridGx::IndicatorColCount() const { return P->FIndicatorColCount; }
int TCustomDBGridGx::TitleAreaRowCount() const { return P->FTitleAreaRowCount; }
int TCustomDBGridGx::UpdateLockCount() const { return P->FUpdateLockCount; }
int TCustomDBGridGx::LayoutLockCount() const { return P->FLayoutLockCount; }
const std::string& TCustomDBGridGx::EditText() const { return P->FEditText; }
const Variant& TCustomDBGridGx::EditValue() const { return P->FEditValue; }
int TCustomDBGridGx::EditButtonWidth() const { return P->FEditButtonWidth; }
int TCustomDBGridGx::EditButtonHeight() const { return P->FEditButtonHeight; }
int TCustomDBGridGx::TextMargin() const { return P->FTextMargin; }
const std::string& TCustomDBGridGx::SearchText() const { return P->FSearchText; }
bool TCustomDBGridGx::Searching() const { return P->FSearching; }
bool TCustomDBGridGx::FilterEditing() const { return P->FFilterEditing; }
bool TCustomDBGridGx::PaintLocked() const { return P->FPaintLocked; }
bool TCustomDBGridGx::RowsAllowWrap() const { return P->FRowsAllowWrap; }
bool TCustomDBGridGx::SelectionShownActive() const { return P->FSelectionShownActive; }
int TCustomDBGridGx::ComputedTitleHeight() const { return P->FComputedTitleHeight; }
int TCustomDBGridGx::PressedTitleCol() const { return P->FPressedTitleCol; }
bool TCustomDBGridGx::TitleButtonShown() const { return P->FTitleButtonShown; }
int TCustomDBGridGx::NonClientInset() const { return P->FNonClientInset; }
TColumnsGxList* TCustomDBGridGx::ShownColumns() const { return P->FShownColumns.get(); }
TColumnsGxList* TCustomDBGridGx::SortedColumnList() const { return P->FSortedColumnList.get(); }
TGridDataLinkGx* TCustomDBGridGx::GridLink() const { return P->FDataLink.get(); }
TBookmarkListGx* TCustomDBGridGx::BookmarkedRows() const { return P->FBookmarks.get(); }
TDBGridGxSelection* TCustomDBGridGx::GridSelection() const { return P->FSelection.get(); }
TColCellParamsGx* TCustomDBGridGx::CellParams() const { return P->FCellParams.get(); }
THeadTreeNode* TCustomDBGridGx::HeadTreeRoot() const { return P->FHeadTreeRoot.get(); }
TBitmap* TCustomDBGridGx::GlyphBitmap() const { return P->FGlyphBitmap.get(); }
TPopupMenu* TCustomDBGridGx::OptionsMenu() const { return P->FOptionsMenu; }
TDBGridGxStyle* TCustomDBGridGx::GridStyle() const { return P->FStyle; }
TInplaceFilterEditGx* TCustomDBGridGx::FilterEditor() const { return P->FFilterEditor; }
int TCustomDBGridGx::FilterColumn() const { return P->FFilterColumn; }
int TCustomDBGridGx::GridToDataColumn(int I) const { return I - P->FIndicatorColCount; }
int TCustomDBGridGx::DataToGridColumn(int I) const { return I + P->FIndicatorColCount; }
bool TCustomDBGridGx::RowSizing() const { return P->FRowSizing; }
void TCustomDBGridGx::SetRowSizing(bool Value) { P->FRowSizing = Value; }
int TCustomDBGridGx::IndicatorRow() const { return P->FIndicatorRow; }
bool TCustomDBGridGx::CursorModeActive() const { return P->FMemTable != nullptr; }
void TCustomDBGridGx::SetWholeDataSetCursorAllowed(bool Value) { P->FWholeDataSetCursorAllowed = Value; }
void TCustomDBGridGx::ResetRowAnchor() { P->FRowAnchorSet = false; }
const std::string& TCustomDBGridGx::CharText() const { return P->FCharText; }
void TCustomDBGridGx::SetNonClientInset(int Value) { P->FNonClientInset = Value; }
