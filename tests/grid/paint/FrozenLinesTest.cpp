// Lines of frozen columns: inside the fixed area, a frozen column below the titles is
// ruled like the data (silver, grey on a silver grid) unless frozen cells are 3D; the
// indicator and the titles keep the fixed lines.
#include "tests/support/PaintFixture.h"

#include <algorithm>

namespace {

using FrozenLinesTest = GridPaintTest;

constexpr win::COLORREF NoLine = 0xFFFFFFFF;

// The colour of the last line drawn through the pixel (X, Y) along the given direction.
win::COLORREF LastLineThrough(const std::vector<win::DrawOp>& Ops, int X, int Y, bool Horizontal) {
  win::COLORREF R = NoLine;
  for (const win::DrawOp& Op : Ops) {
    if (Op.kind != win::DrawKind::Line) continue;
    for (std::size_t I = 0; I + 1 < Op.points.size(); ++I) {
      const win::POINT A = Op.points[I], B = Op.points[I + 1];
      const bool Hit = Horizontal ? A.y == Y && B.y == Y && std::min(A.x, B.x) <= X && X < std::max(A.x, B.x)
                                  : A.x == X && B.x == X && std::min(A.y, B.y) <= Y && Y < std::max(A.y, B.y);
      if (Hit) R = Op.color;
    }
  }
  return R;
}

TEST_F(FrozenLinesTest, FrozenColumnsAreRuledLikeTheDataUnlessThreeDimensional) {
  TDBGridGx* Grid = ShownGrid({"A", "B", "C"}, 3);
  for (int I = 0; I < 3; ++I) Grid->Columns()->ColumnAt(I)->SetWidth(60);
  Grid->SetFrozenCols(2);
  ASSERT_EQ(Grid->FixedCols(), 3);
  struct Case {
    const char* Name;
    bool Frozen3D;
    TColor Color;
    TColor FrozenLine;
  };
  for (const Case C : {Case{"plain", false, clWindow, clSilver}, Case{"silver grid", false, clSilver, clGray},
                       Case{"3D", true, clWindow, clBlack}}) {
    SCOPED_TRACE(C.Name);
    Grid->SetOptionsGx(C.Frozen3D ? TDBGridGxOptions{dghFrozen3D} : TDBGridGxOptions{});
    Grid->SetColor(C.Color);
    auto Ops = Paint(Grid);
    const win::RECT Frozen = Grid->CellRect(1, 2), Indicator = Grid->CellRect(0, 2), Title = Grid->CellRect(1, 0),
                    Data = Grid->CellRect(3, 2);
    const int Mid = (Frozen.left + Frozen.right) / 2, MidY = (Frozen.top + Frozen.bottom) / 2;
    // Below a frozen cell and between the two frozen columns.
    EXPECT_EQ(LastLineThrough(Ops, Mid, Frozen.bottom, true), ColorToRGB(C.FrozenLine));
    EXPECT_EQ(LastLineThrough(Ops, Frozen.right, MidY, false), ColorToRGB(C.FrozenLine));
    // The indicator and the title keep the fixed lines; the data keeps its own.
    EXPECT_EQ(LastLineThrough(Ops, (Indicator.left + Indicator.right) / 2, Indicator.bottom, true),
              ColorToRGB(clBlack));
    EXPECT_EQ(LastLineThrough(Ops, Mid, Title.bottom, true), ColorToRGB(clBlack));
    EXPECT_EQ(LastLineThrough(Ops, (Data.left + Data.right) / 2, Data.bottom, true),
              ColorToRGB(C.Color == clSilver ? clGray : clSilver));
  }
}

TEST_F(FrozenLinesTest, FrozenLinesStopAboveAButtonFaceFooter) {
  TDBGridGx* Grid = ShownGrid({"A", "B"}, 2);
  Grid->SetFrozenCols(1);
  Grid->SetOptionsGx({});
  Grid->SetFooterRowCount(1);
  Grid->SetFooterColor(clBtnFace);
  auto Ops = Paint(Grid);
  const win::RECT Frozen = Grid->CellRect(1, 2), Footer = Grid->CellRect(1, Grid->RowCount() - 1);
  const int Mid = (Frozen.left + Frozen.right) / 2;
  EXPECT_EQ(LastLineThrough(Ops, Mid, Frozen.bottom, true), ColorToRGB(clSilver));
  EXPECT_EQ(LastLineThrough(Ops, Mid, Footer.bottom, true), ColorToRGB(clBlack));
}

}  // namespace
