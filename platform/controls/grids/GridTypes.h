#pragma once
// Types of the base grid: options, states, cell coordinates and rectangles, and the
// draw information that turns row and column extents into screen positions.
#include "platform/desktop/WinTypes.h"
#include "platform/rtl/Set.h"

#include <functional>

enum TGridOption {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
  goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing,
  goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = Set<TGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = Set<TGridDrawStateItem>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

enum TGridScrollDirectionItem { sdLeft, sdRight, sdUp, sdDown };
using TGridScrollDirection = Set<TGridScrollDirectionItem>;

struct TGridCoord {
  int X = 0;
  int Y = 0;
  bool operator==(const TGridCoord&) const = default;
};

// Cells Left..Right by Top..Bottom, inclusive.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
  bool Contains(int ACol, int ARow) const {
    return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
  }
};

// The normalised rectangle spanned by two cells.
TGridRect GridRectOf(TGridCoord A, TGridCoord B);

using TGridExtentFunc = std::function<int(int Index)>;

// Screen layout along one axis (columns: horizontal; rows: vertical). Fixed cells come
// first; the scrolling cells start at FirstGridCell right after FixedBoundary. A cell
// takes its extent plus EffectiveLineWidth; an extent of -1 with a line width of 1
// hides the cell together with its line.
struct TGridAxisDrawInfo {
  int EffectiveLineWidth = 0;   // grid line width when this axis draws lines, else 0
  int FixedBoundary = 0;        // end of the fixed cells, lines included
  int GridBoundary = 0;         // end of the drawn cells, at most GridExtent
  int GridExtent = 0;           // usable extent (client width or height)
  int LastFullVisibleCell = 0;  // last cell shown completely
  int FullVisBoundary = 0;      // end of LastFullVisibleCell
  int FixedCellCount = 0;
  int FirstGridCell = 0;        // first scrolling cell shown (LeftCol, TopRow)
  int GridCellCount = 0;        // ColCount or RowCount
  TGridExtentFunc GetExtent;

  int Extent(int Index) const { return GetExtent ? GetExtent(Index) : 0; }
  // The last cell that is at least partly shown.
  int LastVisibleCell() const;
  // Screen position where a cell starts; -1 when the cell is scrolled out of view or
  // lies beyond the shown cells.
  int CellStart(int Cell) const;
  // The cell under a screen position (its line included); -1 outside the cells.
  int CellAt(int Pos) const;
  // Screen span of the shown part of cells Min..Max; false when none of it is shown.
  bool Span(int Min, int Max, int& Start, int& End) const;
  // The first scrolling cell from which Cell is shown completely (or is the first
  // one shown, when it is wider than the room).
  int FirstCellToShow(int Cell) const;
};

struct TGridDrawInfo {
  TGridAxisDrawInfo Horz;
  TGridAxisDrawInfo Vert;
};

// Fills the fixed part of an axis.
void CalcFixedAxis(TGridAxisDrawInfo& Axis, int LineWidth, int FixedCount, int FirstCell,
                   int CellCount, TGridExtentFunc GetExtent);
// Fills the scrolling part of an axis for the given usable extent.
void CalcAxis(TGridAxisDrawInfo& Axis, int UsableExtent);
