// The multi-title header tree built from column captions, and its word routines.
#include "tests/support/GridFixture.h"

namespace {

// The tree as text: "Caption(width)[children]" for each node of a level, in ring order.
std::string Shape(THeadTreeNode* Parent) {
  std::string s;
  THeadTreeNode* First = Parent->FirstChild;
  if (!First) return s;
  THeadTreeNode* Node = First;
  do {
    if (!s.empty()) s += " ";
    s += Node->Caption + "(" + std::to_string(Node->Width) + ")";
    if (Node->FirstChild) s += "[" + Shape(Node) + "]";
    Node = Node->NextSibling;
  } while (Node != First);
  return s;
}

TEST_F(GridTest, CaptionsGroupIntoAdjacentRuns) {
  const struct {
    std::vector<std::string> Captions;
    const char* Tree;
  } Cases[] = {
      {{"A|X", "A|Y", "B"}, "A(21)[X(10) Y(10)] B(10)"},
      {{"A|X", "B", "A|Y"}, "A(10)[X(10)] B(10) A(10)[Y(10)]"},
      {{"A|B|C"}, "A(10)[B(10)[C(10)]]"},
      {{"|A", "A||B"}, "|A(10) A(10)[B(10)]"},
      // Each caption is cut at its own second word.
      {{"|A|X", "A|Y"}, "A(21)[X(10) Y(10)]"},
      {{"A|X", "A"}, "A(21)[X(10) (10)]"},
      {{"简|甲", "简|乙"}, "简(21)[甲(10) 乙(10)]"},
  };
  for (const auto& Case : Cases) {
    auto Owner = std::make_unique<TForm>(nullptr);
    TDBGridGx* Grid = NewGrid(Owner.get());
    for (const std::string& Caption : Case.Captions) {
      TColumnGx* Column = Grid->Columns()->AddColumn();
      Column->SetWidth(10);
      Column->Title()->SetCaption(Caption);
    }
    THeadTreeNode Root("Root", 10, 0);
    std::vector<THeadTreeNode*> Leaves;
    Root.BuildFromColumns(Grid, &Leaves);
    EXPECT_EQ(Shape(&Root), Case.Tree) << Case.Captions[0];
    ASSERT_EQ(Leaves.size(), Case.Captions.size());
    EXPECT_EQ(Leaves[0]->Column, Grid->Columns()->ColumnAt(0));
  }
}

TEST_F(GridTest, AHiddenColumnAddsNothingToItsGroupWithLinesOn) {
  TDBGridGx* Grid = NewGrid();
  for (const char* Caption : {"G|A", "G|B", "G|C"}) {
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetWidth(30);
    Column->Title()->SetCaption(Caption);
  }
  Grid->Columns()->ColumnAt(1)->SetVisible(false);
  THeadTreeNode Root("Root", 10, 0);
  Root.BuildFromColumns(Grid);
  EXPECT_EQ(Shape(&Root), "G(61)[A(30) B(-1) C(30)]");
  const int RowHeight = Grid->RowHeights(0);
  EXPECT_EQ(Root.FirstChild->Height, 20);
  EXPECT_EQ(Root.FirstChild->FirstChild->Height, RowHeight - 20);
}

TEST_F(GridTest, WordRoutinesSkipRunsOfDelimiters) {
  int Pos = -1;
  EXPECT_EQ(NthWordWithPos(2, "||ab|||cd|", "|", Pos), "cd");
  EXPECT_EQ(Pos, 8);
  EXPECT_EQ(WordStartPos(3, "ab|cd", "|"), 0);
  EXPECT_EQ(NthWord(1, "", "|"), "");
  // The bytes of a multi-byte character are never delimiters.
  EXPECT_EQ(NthWord(2, "简|体", "\xE7|"), "体");
}

}  // namespace
