// Cell rectangles, hit testing and draw information of a grid without a window.
#include "platform/controls/grids/CustomGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// 5 columns of 50 and 6 rows of 20, one fixed of each, 1-pixel lines, 200 x 100.
std::unique_ptr<TCustomGrid> MakeGrid() {
  auto g = std::make_unique<TCustomGrid>(nullptr);
  g->SetBounds(0, 0, 200, 100);
  g->SetColCount(5);
  g->SetRowCount(6);
  g->SetDefaultColWidth(50);
  g->SetDefaultRowHeight(20);
  return g;
}

win::RECT R(int l, int t, int r, int b) { return {l, t, r, b}; }

}  // namespace

TEST(GridGeometry, CellRectAndMouseCoord) {
  struct Case {
    const char* name;
    std::function<void(TCustomGrid&)> setup;
    std::vector<std::pair<TGridCoord, win::RECT>> rects;
    std::vector<std::pair<win::POINT, TGridCoord>> points;
  };
  const win::RECT none{};
  const Case cases[] = {
      {"fixed row and column",
       [](TCustomGrid&) {},
       {{{0, 0}, R(0, 0, 50, 20)}, {{1, 1}, R(51, 21, 101, 41)}, {{3, 0}, R(153, 0, 200, 20)},
        {{1, 4}, R(51, 84, 101, 100)}, {{4, 1}, none}, {{1, 5}, none}},
       {{{60, 30}, {1, 1}}, {{50, 10}, {0, 0}}, {{51, 21}, {1, 1}}, {{199, 99}, {3, 4}},
        {{200, 50}, {-1, -1}}, {{-1, 5}, {-1, -1}}}},
      {"scrolled",
       [](TCustomGrid& g) {
         g.SetLeftCol(2);
         g.SetTopRow(3);
       },
       {{{2, 3}, R(51, 21, 101, 41)}, {{1, 1}, none}, {{0, 3}, R(0, 21, 50, 41)}, {{2, 0}, R(51, 0, 101, 20)}},
       {{{60, 30}, {2, 3}}, {{10, 30}, {0, 3}}, {{60, 10}, {2, 0}}}},
      {"column hidden with its line",
       [](TCustomGrid& g) { g.SetColWidths(2, -1); },
       {{{3, 1}, R(102, 21, 152, 41)}, {{2, 1}, R(102, 21, 102, 41)}},
       {{{101, 30}, {1, 1}}, {{102, 30}, {3, 1}}}},
      {"column hidden, line kept",
       [](TCustomGrid& g) { g.SetColWidths(2, 0); },
       {{{3, 1}, R(103, 21, 153, 41)}},
       {{{102, 30}, {2, 1}}, {{103, 30}, {3, 1}}}},
      {"no lines",
       [](TCustomGrid& g) { g.SetOptions({}); },
       {{{1, 1}, R(50, 20, 100, 40)}, {{3, 4}, R(150, 80, 200, 100)}},
       {{{100, 40}, {2, 2}}, {{49, 19}, {0, 0}}}},
      {"vertical lines only",
       [](TCustomGrid& g) { g.SetOptions({goVertLine}); },
       {{{1, 1}, R(51, 20, 101, 40)}},
       {{{101, 40}, {1, 2}}, {{102, 40}, {2, 2}}}},
      {"no fixed cells",
       [](TCustomGrid& g) {
         g.SetFixedCols(0);
         g.SetFixedRows(0);
       },
       {{{0, 0}, R(0, 0, 50, 20)}, {{1, 1}, R(51, 21, 101, 41)}},
       {{{0, 0}, {0, 0}}}},
      {"wide lines",
       [](TCustomGrid& g) { g.SetGridLineWidth(3); },
       {{{1, 1}, R(53, 23, 103, 43)}, {{2, 2}, R(106, 46, 156, 66)}},
       {{{52, 22}, {0, 0}}, {{53, 23}, {1, 1}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto g = MakeGrid();
    c.setup(*g);
    for (auto& [cell, rect] : c.rects) EXPECT_EQ(g->CellRect(cell.X, cell.Y), rect) << cell.X << "," << cell.Y;
    for (auto& [p, cell] : c.points) EXPECT_EQ(g->MouseCoord(p.x, p.y), cell) << p.x << "," << p.y;
  }
}

TEST(GridGeometry, DrawInfoAndVisibleCounts) {
  auto g = MakeGrid();
  TGridDrawInfo d;
  g->CalcDrawInfo(d);
  EXPECT_EQ(d.Horz.EffectiveLineWidth, 1);
  EXPECT_EQ(d.Horz.FixedBoundary, 51);
  EXPECT_EQ(d.Horz.GridBoundary, 200);
  EXPECT_EQ(d.Horz.LastFullVisibleCell, 2);
  EXPECT_EQ(d.Horz.FullVisBoundary, 153);
  EXPECT_EQ(d.Horz.FirstGridCell, 1);
  EXPECT_EQ(d.Horz.GridCellCount, 5);
  EXPECT_EQ(d.Horz.GetExtent(3), 50);
  EXPECT_EQ(d.Vert.FixedBoundary, 21);
  EXPECT_EQ(d.Vert.GridBoundary, 100);
  EXPECT_EQ(d.Vert.LastFullVisibleCell, 3);
  EXPECT_EQ(d.Vert.FullVisBoundary, 84);
  EXPECT_EQ(g->VisibleColCount(), 2);
  EXPECT_EQ(g->VisibleRowCount(), 3);

  // Line options work per axis; a custom extent goes into both the info and the rects.
  g->SetOptions({goFixedHorzLine});
  g->SetRowHeights(2, 35);
  g->CalcDrawInfo(d);
  EXPECT_EQ(d.Horz.EffectiveLineWidth, 0);
  EXPECT_EQ(d.Vert.EffectiveLineWidth, 1);
  EXPECT_EQ(d.Vert.GetExtent(2), 35);
  EXPECT_EQ(g->CellRect(1, 3), R(50, 78, 100, 98));

  // A grid narrower than its client area ends at its last cell.
  g->SetColCount(2);
  g->CalcDrawInfo(d);
  EXPECT_EQ(d.Horz.GridBoundary, 100);
  EXPECT_EQ(g->GridWidth(), 100);
}

TEST(GridGeometry, ScrollLimitsAndCurrentCell) {
  auto g = MakeGrid();
  g->SetLeftCol(99);
  EXPECT_EQ(g->LeftCol(), 3) << "the last column stays fully shown";
  g->SetTopRow(-5);
  EXPECT_EQ(g->TopRow(), 1);
  g->SetTopRow(99);
  EXPECT_EQ(g->TopRow(), 3);

  // Moving the current cell out of view scrolls it in.
  g->SetLeftCol(1);
  g->SetTopRow(1);
  g->SetCol(4);
  g->SetRow(5);
  EXPECT_EQ(g->LeftCol(), 3);
  EXPECT_EQ(g->TopRow(), 3);
  g->SetCol(1);
  EXPECT_EQ(g->LeftCol(), 1);

  // Fixed cells are not made current by Col and Row; MoveColRow can.
  g->SetCol(0);
  EXPECT_EQ(g->Col(), 1);
  g->MoveColRow(0, 2, true, false);
  EXPECT_EQ(g->Col(), 0);
  EXPECT_THROW(g->SetCol(5), EInvalidGridOperation);
  EXPECT_THROW(g->MoveColRow(1, 6, true, true), EInvalidGridOperation);
  EXPECT_THROW(g->SetColWidths(-1, 10), EInvalidGridOperation);
  EXPECT_THROW(g->SetFixedCols(5), EInvalidGridOperation);

  // Shrinking the grid keeps the current cell inside it.
  g->MoveColRow(4, 5, true, true);
  g->SetColCount(3);
  g->SetRowCount(4);
  EXPECT_EQ(g->Col(), 2);
  EXPECT_EQ(g->Row(), 3);
  EXPECT_EQ(g->Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST(GridGeometry, ColumnMoveCarriesWidthAndCurrentCell) {
  auto g = MakeGrid();
  g->SetColWidths(1, 30);
  g->SetTabStops(1, false);
  g->SetCol(2);
  g->MoveColumn(1, 3);
  EXPECT_EQ(g->ColWidths(3), 30);
  EXPECT_EQ(g->ColWidths(1), 50);
  EXPECT_FALSE(g->TabStops(3));
  EXPECT_TRUE(g->TabStops(1));
  EXPECT_EQ(g->Col(), 1) << "the current column moved left with its neighbours";
}
