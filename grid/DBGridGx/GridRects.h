#pragma once
// Grid rectangles of cells, repainting a row cell by cell, and the integer choices the
// grid's geometry is written with.
#include "platform/controls/Grids.h"

TGridRect MakeGridRect(int Left, int Top, int Right, int Bottom);
bool GridRectContains(int Col, int Row, const TGridRect& GridRect);
// Invalidates the cells (0..ColCount - 1, Row) one by one.
void InvalidateRowCells(TCustomGrid* Grid, int Row);
inline int LargerInt(int A, int B) { return A > B ? A : B; }
inline int SmallerInt(int A, int B) { return A < B ? A : B; }
inline int PickInt(bool Condition, int A, int B) { return Condition ? A : B; }
