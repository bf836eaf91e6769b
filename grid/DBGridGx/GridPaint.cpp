// How the grid paints: the cell and title-area drawing entry points, cell colours,
// the selection's look and the footer text.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/UnitResources.h"
#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

bool TCustomDBGridGx::WantsRowFocusRect() { return FOptions.Contains(dgRowSelect); }

bool TCustomDBGridGx::IsCell3D(int, int, TGridDrawState, const win::RECT&) { return false; }

bool TCustomDBGridGx::FixedCellColors(int, int, TFont*, TColor&, bool, TGridDrawState, int, int, int) {
  return false;
}

bool TCustomDBGridGx::DataCellColors(int, int, TFont*, TColor&, TGridDrawState, const std::string&) {
  return false;
}

bool TCustomDBGridGx::SelectionHasFocus() {
  if (!HandleAllocated()) return false;
  return Focused() || (InplaceEditor() && InplaceEditor()->Focused());
}

void TCustomDBGridGx::PaintFlatBorder() {}

void TCustomDBGridGx::DrawTitleAreaCell(int, int, const win::RECT&, TGridDrawState) {}

std::string TCustomDBGridGx::FooterValueText(int, int) { return {}; }

void TCustomDBGridGx::Paint() {
  if (FPaintLocked) return;
  TCustomGrid::Paint();
}

void TCustomDBGridGx::DrawCell(int, int, const win::RECT&, TGridDrawState) {}
