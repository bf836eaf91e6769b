// Heights of the multi-title header: wrapped captions, sort markers, vertical titles and
// the group cells above them.
#include "tests/support/GridFixture.h"

namespace {

class HeadTreeMeasureTest : public GridTest {
protected:
  TDBGridGx* Grid = nullptr;
  int LineHeight = 0;
  void SetUp() override {
    Grid = NewGrid();
    Grid->HandleNeeded();
    Grid->Canvas()->SetFont(Grid->TitleFont());
    LineHeight = Grid->Canvas()->TextHeight("Ag");
  }
  int TextWidth(const std::string& Text) {
    Grid->Canvas()->SetFont(Grid->TitleFont());
    return Grid->Canvas()->TextWidth(Text);
  }
  TColumnGx* AddColumn(const std::string& Caption, int Width) {
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetWidth(Width);
    Column->Title()->SetCaption(Caption);
    return Column;
  }
};

TEST_F(HeadTreeMeasureTest, ASortMarkerNarrowsTheCaptionUntilItWraps) {
  const std::string Caption = "Alpha Beta";
  // Room for the caption on one line, but not once the marker takes 16 pixels of it.
  const int Width = TextWidth(Caption) + 4 + 2;
  const struct {
    TSortMarkerGx Marker;
    int Lines;
  } Cases[] = {{smNoneGx, 1}, {smDownGx, 2}};
  for (const auto& Case : Cases) {
    Grid->Columns()->Clear();
    TColumnGx* Column = AddColumn(Caption, Width);
    Column->Title()->SetSortMarker(Case.Marker);
    Grid->BuildHeadTree();
    THeadTreeNode* Leaf = Grid->HeadTreeLeaf(0);
    ASSERT_NE(Leaf, nullptr);
    EXPECT_EQ(Leaf->MarkerIndent, Case.Marker == smNoneGx ? 0 : 16);
    const int Expected = Case.Lines * LineHeight + Grid->VTitleMargin();
    EXPECT_EQ(Grid->MeasureHeadTree(Grid->HeadTreeRoot()), Expected) << Case.Lines;
    EXPECT_EQ(Leaf->Height, Expected);
    EXPECT_EQ(Grid->HeadTreeRoot()->Height, Expected);
  }
}

TEST_F(HeadTreeMeasureTest, AVerticalLeafAddsSixAndItsGroupKeepsItsOwnCell) {
  Grid->SetVTitleMargin(4);
  const std::string Long = "A rather long title";
  AddColumn("G|" + Long, 200)->Title()->SetOrientation(tohVertical);
  AddColumn("G|B", 200);
  AddColumn("C", 200);
  Grid->BuildHeadTree();
  const int Leaves = TextWidth(Long) + 6;  // the vertical one is the tallest
  ASSERT_GT(Leaves, LineHeight + 4);
  const int Group = LineHeight + 4;
  const int Total = Grid->MeasureHeadTree(Grid->HeadTreeRoot());
  EXPECT_EQ(Total, Leaves + Group);
  THeadTreeNode* G = Grid->HeadTreeRoot()->FirstChild;
  EXPECT_EQ(G->Caption, "G");
  EXPECT_EQ(G->Height, Group);
  EXPECT_EQ(Grid->HeadTreeLeaf(0)->Height, Leaves);
  EXPECT_EQ(Grid->HeadTreeLeaf(1)->Height, Leaves);
  // A column outside any group spans the whole title area.
  EXPECT_EQ(Grid->HeadTreeLeaf(2)->Height, Total);
  EXPECT_EQ(Grid->HeadTreeLeaf(2)->Column, Grid->Columns()->ColumnAt(2));
  EXPECT_EQ(Grid->HeadTreeLeaf(3), nullptr);
}

TEST_F(HeadTreeMeasureTest, HiddenColumnsCountOnlyTheMarginAndEmptyTreesNothing) {
  EXPECT_EQ(Grid->MeasureHeadTree(Grid->HeadTreeRoot()), 0);
  AddColumn("Hidden", 50)->SetVisible(false);
  Grid->BuildHeadTree();
  EXPECT_EQ(Grid->MeasureHeadTree(Grid->HeadTreeRoot()), Grid->VTitleMargin());
}

}  // namespace
