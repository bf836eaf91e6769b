// The writers of the grid's properties: each stores its value, then rebuilds the
// layout, repaints or re-creates the window.
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridControl.h"
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
  if (Value == FOptions) return;
  TGridOptions Base;
  if (Value.Contains(dgColLines)) Base = Base + TGridOptions{goFixedVertLine, goVertLine};
  if (Value.Contains(dgRowLines)) Base = Base + TGridOptions{goFixedHorzLine, goHorzLine};
  if (Value.Contains(dgColumnResize)) Base = Base + TGridOptions{goColSizing, goColMoving};
  if (Value.Contains(dgTabs)) Base.Include(goTabs);
  if (Value.Contains(dgRowSelect)) Base.Include(goRowSelect);
  if (Value.Contains(dgEditing)) Base.Include(goEditing);
  if (Value.Contains(dgAlwaysShowEditor)) Base.Include(goAlwaysShowEditor);
  if (FRowSizingAllowed) Base.Include(goRowSizing);
  // Without multi-selection no selection may stay, whatever dghClearSelection says.
  if (FOptions.Contains(dgMultiSelect) && !Value.Contains(dgMultiSelect)) {
    ClearSelection();
    if (FSelection) FSelection->Reset();
  }
  const TDBGridOptions Changed = TDBGridOptions::FromBits(FOptions.Bits() ^ Value.Bits());
  FOptions = Value;
  TCustomGrid::SetOptions(Base);
  if (!(Changed * LayoutDBGridOptions).Empty()) RequestLayout();
  if (EditorMode()) InvalidateCellEditor();
}

void TCustomDBGridGx::SetOptionsGx(TDBGridGxOptions Value) {
  if (Value == FOptionsGx) return;
  // Without multi-column marking only the first sort column keeps its marker.
  if (FOptionsGx.Contains(dghMultiSortMarking) && !Value.Contains(dghMultiSortMarking))
    for (int I = FSortedColumnList->Count() - 1; I >= 1; --I)
      if (I < FSortedColumnList->Count())
        if (TColumnGx* Column = FSortedColumnList->ColumnAt(I)) Column->Title()->SetSortMarker(smNoneGx);
  FOptionsGx = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetAllowedSelections(TDBGridGxAllowedSelections Value) {
  if (Value == FAllowedSelections) return;
  FAllowedSelections = Value;
  if (FSelection && FSelection->Kind() != gstNon && !Value.Contains(FSelection->Kind())) FSelection->Reset();
}

void TCustomDBGridGx::SetAutoFitColWidths(bool Value) {
  if (Value == FAutoFitColWidths) return;
  FAutoFitColWidths = Value;
  if (ComponentState().Contains(csDesigning)) return;
  if (Value) {
    if (!Loading())
      for (int I = 0; I < FColumns->Count(); ++I)
        FColumns->ColumnAt(I)->SetProportionalWidth(FColumns->ColumnAt(I)->Width());
    SetScrollBars(ssNone);
  } else {
    {
      FColumns->BeginUpdate();
      auto EndUpdate = AtScopeExit([this] { FColumns->EndUpdate(); });
      for (int I = 0; I < FColumns->Count(); ++I)
        FColumns->ColumnAt(I)->SetWidth(FColumns->ColumnAt(I)->ProportionalWidth());
    }
    SetScrollBars(ssHorizontal);
  }
  RequestLayout();
}

void TCustomDBGridGx::SetColumnDefValues(TColumnDefValuesGx* Value) {
  if (Value && Value != FColumnDefValues.get()) FColumnDefValues->Assign(Value);
}

void TCustomDBGridGx::SetColumns(TDBGridColumnsGx* Value) {
  if (Value && Value != FColumns.get()) FColumns->Assign(Value);
}

TDataSource* TCustomDBGridGx::DataSource() const { return FDataLink ? FDataLink->DataSource() : nullptr; }

void TCustomDBGridGx::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawingGx) return;
  FDefaultDrawingGx = Value;
  Invalidate();
}

void TCustomDBGridGx::SetDrawMemoText(bool Value) {
  FDrawMemoText = Value;
  Invalidate();
}

void TCustomDBGridGx::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  FTextMargin = Value ? 2 : 4;
  if (HandleAllocated()) RecreateWnd();
  RequestLayout();
}

void TCustomDBGridGx::SetFooterColor(TColor Value) {
  if (!Loading()) SetParentColor(false);
  FFooterColor = Value;
  if (FFooterRowCount > 0) Invalidate();
}

void TCustomDBGridGx::SetFooterFont(TFont* Value) {
  if (Value && Value != FFooterFont.get()) FFooterFont->Assign(Value);
  if (FFooterRowCount > 0) RequestLayout();
}

void TCustomDBGridGx::SetFooterRowCount(int Value) {
  if (Value < 0 || Value == FFooterRowCount) return;
  FFooterRowCount = Value;
  UpdateCursorMode();
  RequestLayout();
}

void TCustomDBGridGx::SetFrozenCols(int Value) {
  if (Value < 0) return;
  FFrozenCols = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetHorzScrollBar(TDBGridGxScrollBar* Value) {
  if (Value && Value != FHorzScrollBar.get()) FHorzScrollBar->Assign(Value);
}

void TCustomDBGridGx::SetVertScrollBar(TDBGridGxScrollBar* Value) {
  if (Value && Value != FVertScrollBar.get()) FVertScrollBar->Assign(Value);
}

void TCustomDBGridGx::SetMinAutoFitWidth(int Value) {
  FMinAutoFitWidth = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  Invalidate();
  ApplyColumnAttributes();
}

void TCustomDBGridGx::SetRowHeight(int Value) {
  if (Value == FRowHeight) return;
  FRowHeight = Value > 0 ? Value : 0;
  RequestLayout();
}

void TCustomDBGridGx::SetRowLines(int Value) {
  if (Value == FRowLines) return;
  FRowLines = Value > 0 ? Value : 0;
  RequestLayout();
}

void TCustomDBGridGx::SetRowSizingAllowed(bool Value) {
  if (Value == FRowSizingAllowed) return;
  FRowSizingAllowed = Value;
  TGridOptions Base = TCustomGrid::Options();
  if (Value) Base.Include(goRowSizing);
  else Base.Exclude(goRowSizing);
  TCustomGrid::SetOptions(Base);
}

void TCustomDBGridGx::SetSTFilter(TSTDBGridGxFilter* Value) {
  if (Value && Value != FSTFilter.get()) FSTFilter->Assign(Value);
}

void TCustomDBGridGx::SetSumList(TDBGridGxSumList* Value) {
  // The grid's own list takes the settings and sums; its dataset and handlers stay.
  if (Value && Value != FSumList.get()) FSumList->Assign(Value);
}

void TCustomDBGridGx::SetTitleFont(TFont* Value) {
  if (Value && Value != FTitleFont.get()) FTitleFont->Assign(Value);
}

void TCustomDBGridGx::SetTitleHeight(int Value) {
  FTitleHeight = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetTitleLines(int Value) {
  FTitleLines = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetTitleImages(TCustomImageList* Value) {
  if (FTitleImages) FTitleImages->UnRegisterChanges(FTitleImageChangeLink.get());
  FTitleImages = Value;
  if (Value) {
    Value->RegisterChanges(FTitleImageChangeLink.get());
    Value->FreeNotification(this);
  }
  RequestLayout();
}

void TCustomDBGridGx::SetUseMultiTitle(bool Value) {
  FUseMultiTitle = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetVTitleMargin(int Value) {
  FVTitleMargin = Value;
  RequestLayout();
}

void TCustomDBGridGx::SetShowImage(bool Value) {
  if (Value == FShowImage) return;
  FShowImage = Value;
  Invalidate();
}

void TCustomDBGridGx::SetAutoSort(bool Value) {
  if (Value == FAutoSort) return;
  FAutoSort = Value;
  FSortOnColumnClick = Value;
}

void TCustomDBGridGx::SetShowBmp(bool Value) {
  if (Value == FShowBmp) return;
  FShowBmp = Value;
  if (!FGlyphBitmap) {
    auto Glyph = std::make_unique<TBitmap>();
    Glyph->LoadFromResourceName(nullptr, "DBGRID_BMP");
    FGlyphBitmap = std::move(Glyph);
  }
  PaintGlyphSpot();
}

// Paints the glyph spot at (2,2) at once: the glyph, or the button face over it.
void TCustomDBGridGx::PaintGlyphSpot() {
  if (!HandleAllocated() || !FGlyphBitmap) return;
  if (FShowBmp && FOptions.Contains(dgIndicator)) {
    Canvas()->Draw(2, 2, FGlyphBitmap.get());
    return;
  }
  TBitmap Blank;
  Blank.SetSize(FGlyphBitmap->Width(), FGlyphBitmap->Height());
  Blank.Canvas()->Brush()->SetColor(clBtnFace);
  Blank.Canvas()->FillRect(win::RECT{0, 0, Blank.Width(), Blank.Height()});
  Canvas()->Draw(2, 2, &Blank);
}

void TCustomDBGridGx::SetRowColorFlag(bool Value) {
  FRowColorFlag = Value;
  Invalidate();
}

void TCustomDBGridGx::SetRowOneColor(TColor Value) {
  FRowOneColor = Value;
  Invalidate();
}

void TCustomDBGridGx::SetRowTwoColor(TColor Value) {
  FRowTwoColor = Value;
  Invalidate();
}

// The grid keeps its own style object and copies the given one into it, so a style
// owned elsewhere is never freed or kept by the grid.
void TCustomDBGridGx::SetCurrencyStyle(TMoneyStyle* Value) {
  if (Value && Value != FCurrencyStyle.get()) FCurrencyStyle->Assign(Value);
  Invalidate();
}

void TCustomDBGridGx::SetDrawCurrency(bool Value) {
  if (Value == FDrawCurrency) return;
  FDrawCurrency = Value;
  if (Value) FMoneyTextFormatting = true;
  RequestLayout();
  Invalidate();
}

void TCustomDBGridGx::SetNeedPaintCurrHead(bool Value) {
  if (Value == FNeedPaintCurrHead) return;
  FNeedPaintCurrHead = Value;
  Invalidate();
}

void TCustomDBGridGx::SetFooterDisplayStyle(bool Value) {
  FFooterDisplayStyle = Value;
  if (FFooterRowCount > 0) {
    RequestLayout();
    Invalidate();
  }
}

TStrings* TCustomDBGridGx::SumFieldNotInclude() {
  if (!FSumFieldNotInclude) FSumFieldNotInclude = std::make_unique<TStringList>();
  return FSumFieldNotInclude.get();
}

void TCustomDBGridGx::SetSumFieldNotInclude(TStrings* Value) { AssignOwnedStrings(FSumFieldNotInclude, Value); }

TStrings* TCustomDBGridGx::ProtectFieldList() {
  if (!FProtectFieldList) FProtectFieldList = std::make_unique<TStringList>();
  return FProtectFieldList.get();
}

void TCustomDBGridGx::SetProtectFieldList(TStrings* Value) { AssignOwnedStrings(FProtectFieldList, Value); }

void TCustomDBGridGx::SetFixGridlinecolor(TColor Value) {
  if (!Loading()) SetParentColor(false);
  FFixGridlinecolor = Value;
  Invalidate();
}

void TCustomDBGridGx::SetGridlinecolor(TColor Value) {
  if (!Loading()) SetParentColor(false);
  FGridlinecolor = Value;
  Invalidate();
}

// A font change made by the application switches ParentFont off; one copied from the
// parent does not.
void TCustomDBGridGx::TitleFontChanged(TObject*) {
  if (!Loading() && !FParentFontChanging) SetParentFont(false);
  if (FOptions.Contains(dgTitles)) RequestLayout();
}

void TCustomDBGridGx::FooterFontChanged(TObject*) {
  if (!Loading() && !FParentFontChanging) SetParentFont(false);
  if (FFooterRowCount > 0) RequestLayout();
}

void TCustomDBGridGx::TitleImageListChanged(TObject*) { Invalidate(); }
