// Multi-level titles: a group caption is centred on the group's whole band, also when
// the grid is scrolled so that only part of the band shows.
#include "tests/support/PaintFixture.h"

#include "grid/DBGridGx/HeadTree.h"

namespace {

using MultiTitleDrawTest = GridPaintTest;

TEST_F(MultiTitleDrawTest, GroupCaptionIsCentredOnItsWholeSpanWhileScrolled) {
  TDBGridGx* Grid = ShownGrid({"A", "B", "C", "D"}, 2);
  Grid->SetUseMultiTitle(true);
  const char* Captions[] = {"Group|A", "Group|B", "Group|C", "D"};
  for (int I = 0; I < 4; ++I) {
    Grid->Columns()->ColumnAt(I)->Title()->SetCaption(Captions[I]);
    Grid->Columns()->ColumnAt(I)->SetWidth(110);
  }
  THeadTreeNode* Leaf = Grid->HeadTreeLeaf(0);
  ASSERT_NE(Leaf, nullptr);
  ASSERT_NE(Leaf->ParentNode, nullptr);
  const int BandWidth = Leaf->ParentNode->Width;
  struct Case {
    int LeftCol;
    int FirstColLeft(TDBGridGx* G) const {
      // Where column 1 starts, visible or not.
      const win::RECT R = G->CellRect(LeftCol, 0);
      return R.left - (LeftCol - 1) * (110 + 1);
    }
  };
  for (const Case C : {Case{1}, Case{2}}) {
    Grid->SetLeftCol(C.LeftCol);
    auto Ops = Paint(Grid);
    const int Centre = C.FirstColLeft(Grid) + BandWidth / 2;
    int Found = 0;
    for (const win::DrawOp& Op : Ops) {
      if (Op.kind != win::DrawKind::Text || Op.text != "Group") continue;
      ++Found;
      EXPECT_NEAR((Op.rect.left + Op.rect.right) / 2, Centre, 2) << "left column " << C.LeftCol;
    }
    EXPECT_GT(Found, 0) << "left column " << C.LeftCol;
  }
}

}  // namespace
