// How the lookup grid draws: the key's row highlighted, the special row above the data
// rows, and the focus frame only around the key's row.
#include "grid/DBLookupGridsGx/LookupGrid.h"

#include "grid/DBGridGx/GridDataLink.h"
#include "platform/data/DataSet.h"

int TDBLookupGridGx::FilterRowCount() {
  return TCustomDBGridGx::FilterRowCount() + (FSpecRow && FSpecRow->Visible() ? 1 : 0);
}

bool TDBLookupGridGx::IsCell3D(int ACol, int ARow, TGridDrawState AState, const win::RECT& ARect) {
  if (FSpecRow && FSpecRow->Visible() && ARow == TitleAreaRowCount() - 1) return false;
  return TCustomDBGridGx::IsCell3D(ACol, ARow, AState, ARect);
}

bool TDBLookupGridGx::DataCellColors(int, int, TFont* AFont, TColor& Background, TGridDrawState,
                                     const std::string&) {
  if (FKeyValue.IsNull() || !GridLink()->Active() || UpdateLockCount() != 0) return false;
  if (!VariantsEqual(GridLink()->DataSet()->FieldValues(FKeyFields), FKeyValue)) return false;
  Background = clHighlight;
  AFont->SetColor(clHighlightText);
  return true;
}

void TDBLookupGridGx::DrawTitleAreaCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState) {
  const int DataCol = GridToDataColumn(ACol);
  if (!FSpecRow->Visible() || ARow != TitleAreaRowCount() - 1 || DataCol < 0 || DataCol >= Columns()->Count()) {
    TCustomDBGridGx::DrawTitleAreaCell(ACol, ARow, ARect, AState);
    return;
  }
  auto* Column = static_cast<TDBLookupGridColumnGx*>(Columns()->ColumnAt(DataCol));
  TCanvas* C = Canvas();
  C->Font()->Assign(FSpecRow->Font());
  TAlignment Alignment = Column->Alignment();
  if (UseRightToLeftAlignment()) ChangeBiDiModeAlignment(Alignment);
  C->Brush()->SetColor(Column->SpecCell()->Color());
  const bool Selected = FSpecRow->Selected();
  if (Selected) {
    C->Font()->SetColor(clHighlightText);
    C->Brush()->SetColor(clHighlight);
  }
  C->FillRect(ARect);
  PaintCellText(ARect, 2, 1, Column->SpecCell()->Text(), Alignment, tlTop, false, false, 0, 0);
  // The frame goes round the whole row once, with the row's last cell: an inverting
  // frame drawn by every cell would cancel itself out.
  if (Selected && ACol == ColCount() - 1) {
    C->Font()->SetColor(clWindowText);
    C->Brush()->SetColor(clWindow);
    C->DrawFocusRect(BoxRect(FixedCols(), ARow, ColCount(), ARow));
  }
}

void TDBLookupGridGx::DataRowsRect(win::RECT& Rect) {
  const int Top = TitleAreaRowCount() - (FSpecRow->Visible() ? 1 : 0);
  const int Bottom = FooterRowCount() > 0 ? FDisplayRowCount - FooterRowCount() - 2 : FDisplayRowCount;
  Rect = BoxRect(IndicatorColCount(), Top, ColCount() - 1, Bottom);
}
