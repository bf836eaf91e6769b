// Grid rectangles of cells and the integer choices.
#include <gtest/gtest.h>

#include "grid/DBGridGx/GridRects.h"

namespace {

TEST(GridRects, RectanglesHoldTheirCellsAndIntegersPick) {
  const TGridRect G = MakeGridRect(1, 2, 3, 4);
  EXPECT_EQ(G, (TGridRect{1, 2, 3, 4}));
  const struct {
    int Col, Row;
    bool In;
  } cells[] = {{1, 2, true}, {3, 4, true}, {0, 2, false}, {4, 4, false}, {2, 1, false}, {2, 5, false}};
  for (const auto& c : cells) EXPECT_EQ(GridRectContains(c.Col, c.Row, G), c.In) << c.Col << "," << c.Row;

  EXPECT_EQ(LargerInt(-3, 2), 2);
  EXPECT_EQ(SmallerInt(-3, 2), -3);
  EXPECT_EQ(PickInt(true, 1, 2), 1);
  EXPECT_EQ(PickInt(false, 1, 2), 2);
}

}  // namespace
