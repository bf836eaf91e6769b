// Title buttons and sorting by titles: the pressed look, releases outside the title,
// title drags that move columns, one sort per click, and Ctrl multi-column marking that
// sorts once when Ctrl is let go or the focus leaves.
#include "tests/support/GridMouseFixture.h"

#include <string>
#include <vector>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/HeadTree.h"
#include "platform/controls/StdCtrls.h"

namespace {

namespace hl = win::headless;

class TitleButtonsTest : public GridMouseTest {
protected:
  // A grid over A, B and C whose titles are buttons (the first one's only with
  // FirstIsButton), on a new form, counting the grid's events from none.
  void ButtonGrid(bool FirstIsButton = true) {
    ButtonClicks.clear();
    Sorts = 0;
    MouseGrid({"A", "B", "C"}, 3);
    for (int I = 0; I < 3; ++I) Column(I)->Title()->SetTitleButton(I > 0 || FirstIsButton);
    Grid->SetOnTitleBtnClick([this](TObject*, int ACol, TColumnGx*) { ButtonClicks.push_back(ACol); });
    Grid->SetOnSortMarkingChanged([this](TObject*) { ++Sorts; });
  }
  TSortMarkerGx Marker(int I) const { return Column(I)->Title()->SortMarker(); }

  std::vector<int> ButtonClicks;
  int Sorts = 0;
};

TEST_F(TitleButtonsTest, AHeldTitleLooksPressedOnlyWhileThePointerIsOnIt) {
  ButtonGrid();
  const win::POINT Title = Centre(1, 0);
  const int Plain = Cell(Grid, Paint(Grid), 1, 0).FirstText()->rect.left;
  Press(Title);
  EXPECT_EQ(Grid->PressedTitleCol(), 1);
  EXPECT_TRUE(Grid->TitleButtonShown());
  EXPECT_EQ(Cell(Grid, Paint(Grid), 1, 0).FirstText()->rect.left, Plain + 1);
  MoveTo({Title.x, Title.y + 40});
  EXPECT_FALSE(Grid->TitleButtonShown());
  EXPECT_EQ(Cell(Grid, Paint(Grid), 1, 0).FirstText()->rect.left, Plain);
  MoveTo({Title.x + 2, Title.y});
  EXPECT_TRUE(Grid->TitleButtonShown());
  Release({Title.x + 2, Title.y});
  EXPECT_EQ(Grid->PressedTitleCol(), -1);
  EXPECT_FALSE(Grid->TitleButtonShown());
  EXPECT_EQ(ButtonClicks, std::vector<int>{0});
  EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(TitleButtonsTest, ATitleReleasedOutsideItsTitleDoesNotSort) {
  for (bool Button : {true, false}) {
    SCOPED_TRACE(Button ? "title button" : "plain title");
    ButtonGrid(Button);
    const win::POINT Title = Centre(1, 0);
    for (win::POINT Away : {Centre(1, 2), win::POINT{Title.x, -5}}) {
      Press(Title);
      MoveTo(Away);
      Release(Away);
      EXPECT_EQ(Marker(0), smNoneGx);
    }
    EXPECT_TRUE(ButtonClicks.empty());
    // Released on it, the same press sorts ascending.
    Click(Title);
    EXPECT_EQ(Marker(0), smDownGx);
    EXPECT_EQ(Sorts, 1);
  }
}

TEST_F(TitleButtonsTest, ATitleDraggedMoreThanThreePixelsMovesItsColumn) {
  for (bool Button : {true, false}) {
    SCOPED_TRACE(Button ? "title button" : "plain title");
    ButtonGrid(Button);
    std::vector<std::pair<int, int>> Moves;
    Grid->SetOnColumnMoved([&](TObject*, int From, int To) { Moves.emplace_back(From, To); });
    const win::POINT Title = Centre(1, 0);
    Press(Title);
    MoveTo({Title.x + 3, Title.y});
    EXPECT_EQ(Grid->TitleButtonShown(), Button);
    MoveTo(Centre(2, 0));
    EXPECT_FALSE(Grid->TitleButtonShown());
    Release(Centre(2, 0));
    EXPECT_EQ(Moves, (std::vector<std::pair<int, int>>{{0, 1}}));
    EXPECT_EQ(Column(0)->FieldName(), "B");
    EXPECT_EQ(Column(1)->FieldName(), "A");
    // A drag is no click.
    EXPECT_TRUE(ButtonClicks.empty());
    EXPECT_EQ(Sorts, 0);
    EXPECT_EQ(Column(1)->Title()->SortMarker(), smNoneGx);
  }
}

TEST_F(TitleButtonsTest, OneClickSortsOnceWhicheverWayItSorts) {
  struct Case {
    const char* Name;
    bool SortMarking;
    TSortMarkerGx Shown;
  };
  // Both keep the marker the rows are sorted by: ascending first.
  for (const Case& C : {Case{"sort marking", true, smDownGx}, Case{"click to sort", false, smDownGx}}) {
    SCOPED_TRACE(C.Name);
    ButtonGrid();
    if (C.SortMarking) SetOptionsGx({dghAutoSortMarking});
    Click(Centre(2, 0));
    EXPECT_EQ(Sorts, 1);
    EXPECT_EQ(Marker(1), C.Shown);
    // A double click is one click more.
    DoubleClick(Centre(2, 0));
    EXPECT_EQ(Sorts, 2);
  }
}

TEST_F(TitleButtonsTest, ClicksOnAPlainTitleCycleItsSortAndKeepTheCurrentColumn) {
  ButtonGrid(false);
  Grid->SelectDataColumn(2);
  std::vector<TSortMarkerGx> Shown;
  for (int I = 0; I < 3; ++I) {
    Click(Centre(1, 0));
    Shown.push_back(Marker(0));
  }
  EXPECT_EQ(Shown, (std::vector<TSortMarkerGx>{smDownGx, smUpGx, smNoneGx}));
  EXPECT_EQ(Sorts, 3);
  EXPECT_EQ(Grid->CurrentDataColumn(), 2);

  struct Case {
    const char* Name;
    void (*Setup)(TDBGridGx* Grid);
  };
  const Case NoSort[] = {
      {"title click taken", [](TDBGridGx* G) { G->SetOnTitleClick([](TColumnGx*) {}); }},
      {"no sort on click", [](TDBGridGx* G) { G->SetSortOnColumnClick(false); }},
      {"auto sort off", [](TDBGridGx* G) { G->SetAutoSort(false); }},
  };
  for (const Case& C : NoSort) {
    SCOPED_TRACE(C.Name);
    ButtonGrid(false);
    C.Setup(Grid);
    Click(Centre(1, 0));
    EXPECT_EQ(Marker(0), smNoneGx);
    EXPECT_EQ(Sorts, 0);
  }
}

TEST_F(TitleButtonsTest, CtrlClicksOnThreeTitlesSortOnceWhenCtrlIsLetGo) {
  ButtonGrid();
  SetOptionsGx({dghAutoSortMarking, dghMultiSortMarking});
  {
    Held Ctrl(win::VK_CONTROL);
    for (int C = 1; C <= 3; ++C) Click(Centre(C, 0));
    EXPECT_EQ(Sorts, 0);
    EXPECT_EQ(Grid->SortedColumnList()->Count(), 3);
  }
  EXPECT_EQ(Sorts, 1);
  // Another key up changes nothing.
  hl::PressKey(win::VK_CONTROL);
  EXPECT_EQ(Sorts, 1);
}

TEST_F(TitleButtonsTest, APendingCtrlSortIsFinishedWhenTheFocusLeaves) {
  ButtonGrid();
  SetOptionsGx({dghAutoSortMarking, dghMultiSortMarking});
  auto* Other = new TEdit(Form.get());
  Other->SetParent(Form.get());
  Other->SetBounds(320, 10, 80, 20);
  Held Ctrl(win::VK_CONTROL);
  Click(Centre(1, 0));
  Click(Centre(2, 0));
  EXPECT_EQ(Sorts, 0);
  Other->SetFocus();
  hl::ProcessMessages();
  EXPECT_EQ(Sorts, 1);
}

TEST_F(TitleButtonsTest, OnCheckButtonCanRefuseATitleButton) {
  ButtonGrid();
  Grid->SetOnCheckButton([](TObject*, int ACol, TColumnGx*, bool& Enabled) { Enabled = Enabled && ACol != 0; });
  Press(Centre(1, 0));
  EXPECT_EQ(Grid->PressedTitleCol(), -1);
  Release(Centre(1, 0));
  Click(Centre(2, 0));
  EXPECT_EQ(ButtonClicks, std::vector<int>{1});
}

TEST_F(TitleButtonsTest, OnlyTheLeafOfAMultiLevelTitleIsAButton) {
  ButtonGrid();
  Grid->SetUseMultiTitle(true);
  Column(0)->Title()->SetCaption("Group|A");
  Column(1)->Title()->SetCaption("Group|B");
  hl::ProcessMessages();
  THeadTreeNode* Leaf = Grid->HeadTreeLeaf(0);
  ASSERT_NE(Leaf, nullptr);
  const win::RECT Title = Grid->CellRect(1, 0);
  const int X = (Title.left + Title.right) / 2;
  const win::POINT OnLeaf{X, Title.bottom - Leaf->Height / 2};
  Click({X, Title.top + 2});
  Click(OnLeaf);
  EXPECT_EQ(ButtonClicks, std::vector<int>{0});
}

}  // namespace
