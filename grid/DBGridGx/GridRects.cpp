#include "grid/DBGridGx/GridRects.h"

TGridRect MakeGridRect(int Left, int Top, int Right, int Bottom) { return TGridRect{Left, Top, Right, Bottom}; }

bool GridRectContains(int Col, int Row, const TGridRect& GridRect) { return GridRect.Contains(Col, Row); }

void InvalidateRowCells(TCustomGrid* Grid, int Row) {
  for (int I = 0; I < Grid->ColCount(); ++I) Grid->InvalidateCell(I, Row);
}
