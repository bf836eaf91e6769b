// Draw information along one axis: boundaries, visible cells, positions and spans.
#include "platform/controls/grids/GridTypes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TGridAxisDrawInfo Axis(std::vector<int> widths, int line, int fixed, int first, int extent) {
  TGridAxisDrawInfo a;
  CalcFixedAxis(a, line, fixed, first, static_cast<int>(widths.size()),
                [widths](int i) { return widths.at(i); });
  CalcAxis(a, extent);
  return a;
}

}  // namespace

TEST(GridAxis, BoundariesAndVisibleCells) {
  struct Case {
    const char* name;
    std::vector<int> widths;
    int line, fixed, first, extent;
    int fixedBoundary, gridBoundary, lastFull, fullVis;
  };
  const Case cases[] = {
      // 1 fixed of 10, cells of 20 with 1-pixel lines: 11 | 21 42 63 | 84 > 71
      {"partial last cell", {10, 20, 20, 20, 20}, 1, 1, 1, 70, 11, 70, 2, 53},
      {"all fit", {10, 20, 20}, 1, 1, 1, 100, 11, 53, 2, 53},
      {"no lines", {10, 20, 20}, 0, 1, 1, 100, 10, 50, 2, 50},
      {"scrolled", {10, 20, 20, 20, 20}, 1, 1, 3, 100, 11, 53, 4, 53},
      {"hidden with line", {10, 20, -1, 20}, 1, 1, 1, 100, 11, 53, 3, 53},
      {"hidden without line", {10, 20, 0, 20}, 1, 1, 1, 100, 11, 54, 3, 54},
      {"no fixed", {20, 20}, 1, 0, 0, 30, 0, 30, 0, 21},
      // The last line may fall outside: a cell ending exactly at the edge is full.
      {"edge", {20, 20}, 1, 0, 0, 41, 0, 42, 1, 42},
      {"two fixed", {5, 6, 20}, 2, 2, 2, 100, 15, 37, 2, 37},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGridAxisDrawInfo a = Axis(c.widths, c.line, c.fixed, c.first, c.extent);
    EXPECT_EQ(a.FixedBoundary, c.fixedBoundary);
    EXPECT_EQ(a.GridBoundary, c.gridBoundary);
    EXPECT_EQ(a.LastFullVisibleCell, c.lastFull);
    EXPECT_EQ(a.FullVisBoundary, c.fullVis);
  }
}

TEST(GridAxis, CellStartAndCellAt) {
  // fixed 10 | 20 20 20 20, line 1, scrolled to cell 2, extent 60: 11 | 2@11 3@32 4@53
  TGridAxisDrawInfo a = Axis({10, 20, 20, 20, 20}, 1, 1, 2, 60);
  EXPECT_EQ(a.LastFullVisibleCell, 3);
  EXPECT_EQ(a.LastVisibleCell(), 4);
  EXPECT_EQ(a.CellStart(0), 0);
  EXPECT_EQ(a.CellStart(1), -1) << "scrolled out";
  EXPECT_EQ(a.CellStart(2), 11);
  EXPECT_EQ(a.CellStart(3), 32);
  EXPECT_EQ(a.CellStart(4), 53);
  EXPECT_EQ(a.CellStart(5), -1);
  struct { int pos, cell; } points[] = {{-1, -1}, {0, 0}, {10, 0}, {11, 2}, {31, 2}, {32, 3},
                                        {53, 4}, {59, 4}, {60, -1}, {500, -1}};
  for (auto p : points) EXPECT_EQ(a.CellAt(p.pos), p.cell) << "at " << p.pos;
}

TEST(GridAxis, CellAtSkipsHiddenCells) {
  TGridAxisDrawInfo a = Axis({10, 20, -1, 20}, 1, 1, 1, 100);
  EXPECT_EQ(a.CellAt(31), 1);
  EXPECT_EQ(a.CellAt(32), 3);
}

TEST(GridAxis, Spans) {
  TGridAxisDrawInfo a = Axis({10, 20, 20, 20, 20}, 1, 1, 2, 60);
  struct Case { int min, max; bool shown; int start, end; } cases[] = {
      {0, 0, true, 0, 10},
      {2, 2, true, 11, 31},
      {4, 4, true, 53, 60},   // cut at the edge
      {1, 1, false, 0, 0},    // scrolled out
      {1, 3, true, 11, 52},   // starts at the first shown cell
      {0, 1, true, 0, 10},    // fixed part only
      {0, 9, true, 0, 60},
      {3, 2, false, 0, 0},
      {5, 5, false, 0, 0},
  };
  for (auto c : cases) {
    int s = -7, e = -7;
    EXPECT_EQ(a.Span(c.min, c.max, s, e), c.shown) << c.min << ".." << c.max;
    EXPECT_EQ(s, c.start) << c.min << ".." << c.max;
    EXPECT_EQ(e, c.end) << c.min << ".." << c.max;
  }
}

TEST(GridAxis, FirstCellToShow) {
  TGridAxisDrawInfo a = Axis({10, 20, 20, 20, 20}, 1, 1, 1, 60);
  EXPECT_EQ(a.FirstCellToShow(4), 3);
  EXPECT_EQ(a.FirstCellToShow(2), 1);
  EXPECT_EQ(a.FirstCellToShow(1), 1);
  TGridAxisDrawInfo wide = Axis({10, 20, 100}, 1, 1, 1, 60);
  EXPECT_EQ(wide.FirstCellToShow(2), 2) << "a cell wider than the room becomes the first one";
}
