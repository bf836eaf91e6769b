#pragma once
// The data grid's own draw information: what the base grid knows of each axis, plus
// how wide the frozen data columns are and how much of the bottom the footer rows take;
// and the areas a grid cell falls into.
#include "platform/controls/grids/GridTypes.h"

struct TGridAxisDrawInfoGx : TGridAxisDrawInfo {
  // Vertical axis: the extent at the bottom taken by the footer rows; horizontal: 0.
  int FooterExtent = 0;
  // Horizontal axis: the extent of the frozen columns (the fixed cells after the
  // indicator), lines included; vertical: 0.
  int FrozenExtent = 0;
};

struct TGridDrawInfoGx {
  TGridAxisDrawInfoGx Horz;
  TGridAxisDrawInfoGx Vert;
};

// Fills the fixed part of an axis: the fixed cells before the frozen ones, then the last
// FrozenCount fixed cells.
void CalcFixedAxisGx(TGridAxisDrawInfoGx& Axis, int LineWidth, int FixedCount, int FrozenCount, int FirstCell,
                     int CellCount, TGridExtentFunc GetExtent);
// Fills the scrolling part of an axis for the usable extent; the last FooterCount cells
// are footer cells whose shown part makes up the footer extent.
void CalcAxisGx(TGridAxisDrawInfoGx& Axis, int Extent, int FooterCount);

// Column areas of a grid cell.
enum TGridColAreaGx { gcaIndicator = 0, gcaData = 1, gcaNoCol = -1 };
// Row areas of a grid cell, top to bottom.
enum TGridRowAreaGx {
  graTitle = 0, graFilter = 1, graData = 2, graSeparator = 3, graFooter = 4, graNoRow = -1
};

struct TGridCellTypeGx {
  TGridColAreaGx Col = gcaNoCol;
  TGridRowAreaGx Row = graNoRow;
  // A point outside every cell.
  bool None() const { return Col == gcaNoCol || Row == graNoRow; }
  bool operator==(const TGridCellTypeGx&) const = default;
};
