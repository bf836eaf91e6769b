// What the lookup grid draws: the key's row highlighted, the special row's texts.
#include "tests/support/LookupFixture.h"

namespace {
const long Highlight = static_cast<long>(ColorToRGB(clHighlight));
std::vector<win::DrawOp> Paint(TDBLookupGridGx* G) { return PaintAndRecord(G->Handle()); }
}  // namespace

TEST_F(LookupTest, OnlyTheKeysRowIsHighlighted) {
  Open(20, 5, true);
  Grid->SetKeyValue(Variant(3));
  List->First();  // the key's row is not the current record
  win::headless::ProcessMessages();
  const auto Ops = Paint(Grid);
  const int First = Grid->TitleAreaRowCount();
  for (int R = 0; R < 5; ++R) {
    SCOPED_TRACE(R);
    const CellDrawing Cell = DrawnInCell(Grid, Ops, 0, First + R);
    EXPECT_EQ(Cell.Text(), "n" + std::to_string(R + 1));
    EXPECT_EQ(Cell.Background() == Highlight, R == 2);
  }
  // A row in view that holds the key gets the focus frame.
  EXPECT_TRUE(Grid->WantsRowFocusRectShown());
}

TEST_F(LookupTest, SpecialRowShowsItsCellsAndItsSelection) {
  Open(20, 5, true, true);
  Grid->Columns()->ColumnAt(0)->SetWidth(60);
  Grid->Columns()->ColumnAt(1)->SetWidth(60);
  Grid->SetKeyValue(Variant(2));
  auto Ops = Paint(Grid);
  const int SpecRow = Grid->TitleAreaRowCount() - 1;
  EXPECT_EQ(DrawnInCell(Grid, Ops, 0, SpecRow).Text(), "(none)");
  EXPECT_EQ(DrawnInCell(Grid, Ops, 1, SpecRow).Text(), "-");
  EXPECT_NE(DrawnInCell(Grid, Ops, 0, SpecRow).Background(), Highlight);
  Grid->SetKeyValue(Variant(0));
  Ops = Paint(Grid);
  EXPECT_EQ(DrawnInCell(Grid, Ops, 0, SpecRow).Background(), Highlight);
  EXPECT_NE(DrawnInCell(Grid, Ops, 0, SpecRow + 1).Background(), Highlight);
  // One focus frame round the whole special row.
  int Frames = 0;
  for (const win::DrawOp& Op : Ops)
    if (Op.kind == win::DrawKind::FocusRect) ++Frames;
  EXPECT_EQ(Frames, 1);
}
