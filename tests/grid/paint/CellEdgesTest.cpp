// Edges of 3D cells, normal and flat, left to right and right to left: a mirrored grid
// draws the edge a cell's left side has on the cell's right side, and the other way
// round, while top and bottom stay where they are.
#include "tests/support/PaintFixture.h"

#include <algorithm>

namespace {

using CellEdgesTest = GridPaintTest;

// Cell (ACol, ARow) in device pixels: mirrored in a right-to-left grid.
win::RECT DeviceCell(TDBGridGx* Grid, int ACol, int ARow) {
  const win::RECT R = Grid->CellRect(ACol, ARow);
  if (!Grid->UseRightToLeftAlignment()) return R;
  const int W = Grid->ClientWidth();
  return {W - R.right, R.top, W - R.left, R.bottom};
}

std::vector<win::UINT> EdgeSides(const CellDrawing& D) {
  std::vector<win::UINT> R;
  for (const win::DrawOp& Op : D.OfKind(win::DrawKind::Edge)) R.push_back(Op.flags & win::BF_RECT);
  return R;
}

TEST_F(CellEdgesTest, FlatCellsDrawTheirTopEdgeAndABackgroundLineOnTheOtherSides) {
  TDBGridGx* Grid = ShownGrid({"A", "B"}, 2);
  Grid->SetOptionsGx({dghData3D});
  Grid->SetFlat(true);
  for (const bool RightToLeft : {false, true}) {
    SCOPED_TRACE(RightToLeft ? "right to left" : "left to right");
    Grid->SetBiDiMode(RightToLeft ? bdRightToLeft : bdLeftToRight);
    ASSERT_EQ(Grid->UseRightToLeftAlignment(), RightToLeft);
    auto Ops = Paint(Grid);
    // The cell less the pixel each side that 3D drawing takes back for the edges.
    const win::RECT Cell = DeviceCell(Grid, 1, 2);
    const CellDrawing D = DrawnInside(Ops, Cell);
    // The cell's top and left sides; its left is the device's right when mirrored.
    EXPECT_EQ(EdgeSides(D), (std::vector<win::UINT>{win::BF_TOP | (RightToLeft ? win::BF_RIGHT : win::BF_LEFT)}));
    // The bottom row, then up the cell's right side (the device's left when mirrored), in
    // the cell's background.
    const win::COLORREF Background = ColorToRGB(Grid->Columns()->ColumnAt(0)->Color());
    std::vector<win::POINT> Path;
    for (const win::DrawOp& Op : D.OfKind(win::DrawKind::Line)) {
      EXPECT_EQ(Op.color, Background);
      for (const win::POINT& P : Op.points)
        if (Path.empty() || Path.back().x != P.x || Path.back().y != P.y) Path.push_back(P);
    }
    const int Far = RightToLeft ? Cell.left : Cell.right - 1, Near = RightToLeft ? Cell.right - 1 : Cell.left;
    EXPECT_EQ(Path, (std::vector<win::POINT>{{Near, Cell.bottom - 1}, {Far, Cell.bottom - 1}, {Far, Cell.top - 1}}));
  }
}

TEST_F(CellEdgesTest, BandEndsOfUpperTitlesSwapSidesWhenMirrored) {
  TDBGridGx* Grid = ShownGrid({"A", "B"}, 1);
  Grid->SetOptionsGx({dghFixed3D});
  Grid->SetUseMultiTitle(true);
  for (int I = 0; I < 2; ++I) Grid->Columns()->ColumnAt(I)->SetWidth(80);
  for (int I = 0; I < 2; ++I) Grid->Columns()->ColumnAt(I)->Title()->SetCaption(I == 0 ? "Group|A" : "Group|B");
  ASSERT_EQ(Grid->HeadTreeLeaf(1)->Width, 80);
  const win::UINT Top = win::BF_TOP, Bottom = win::BF_BOTTOM;
  struct Case {
    bool RightToLeft;
    int Col;
    std::vector<win::UINT> Sides;  // of the group's part in the cell: top side first, then bottom
  };
  // The group starts in column 1 and ends in column 2.
  for (const Case& C : {Case{false, 1, {Top | win::BF_LEFT, Bottom}}, Case{false, 2, {Top, Bottom | win::BF_RIGHT}},
                        Case{true, 1, {Top | win::BF_RIGHT, Bottom}}, Case{true, 2, {Top, Bottom | win::BF_LEFT}}}) {
    SCOPED_TRACE(std::string(C.RightToLeft ? "right to left" : "left to right") + ", column " +
                 std::to_string(C.Col));
    Grid->SetBiDiMode(C.RightToLeft ? bdRightToLeft : bdLeftToRight);
    auto Ops = Paint(Grid);
    // The group's band is the upper part of the title cell.
    win::RECT Band = DeviceCell(Grid, C.Col, 0);
    Band.bottom = Band.top + Grid->HeadTreeLeaf(0)->ParentNode->Height - 1;
    const CellDrawing D = DrawnInside(Ops, Band);
    EXPECT_EQ(EdgeSides(D), C.Sides);
    // The group's caption is written the right way round, centred on the whole band.
    const win::RECT First = DeviceCell(Grid, 1, 0), Second = DeviceCell(Grid, 2, 0);
    const int Centre = (std::min(First.left, Second.left) + std::max(First.right, Second.right)) / 2;
    int Captions = 0;
    for (const win::DrawOp& Op : Ops) {
      if (Op.kind != win::DrawKind::Text || Op.text != "Group") continue;
      ++Captions;
      EXPECT_LT(Op.rect.left, Op.rect.right);
      EXPECT_NEAR((Op.rect.left + Op.rect.right) / 2, Centre, 2);
    }
    EXPECT_GT(Captions, 0);
  }
}

}  // namespace
