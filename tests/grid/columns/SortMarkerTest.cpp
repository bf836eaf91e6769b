// Sort markers of titles and the grid's list of sorted columns.
#include "tests/support/GridFixture.h"

namespace {

class SortMarkerTest : public GridTest {
protected:
  TDBGridGx* Grid = nullptr;
  TColumnGx* Col[3] = {};
  void SetUp() override {
    Grid = NewGrid();
    for (auto*& C : Col) C = Grid->Columns()->AddColumn();
  }
  std::string Sorted() const {
    std::string s;
    for (int i = 0; i < Grid->SortedColumnList()->Count(); ++i)
      s += static_cast<char>('A' + Grid->SortedColumnList()->ColumnAt(i)->Index());
    return s;
  }
  std::string Indexes() const {
    std::string s;
    for (auto* C : Col) s += std::to_string(C->Title()->SortIndex());
    return s;
  }
};

TEST_F(SortMarkerTest, MultiSortNumbersColumnsWithoutGaps) {
  Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
  for (auto* C : Col) C->Title()->SetSortMarker(smDownGx);
  EXPECT_EQ(Indexes(), "123");
  Col[1]->Title()->SetSortMarker(smNoneGx);
  EXPECT_EQ(Indexes(), "102");
  EXPECT_EQ(Sorted(), "AC");
  Col[2]->Title()->SetSortMarker(smUpGx);
  EXPECT_EQ(Indexes(), "102");
  Col[2]->Title()->SetSortIndex(1);
  EXPECT_EQ(Indexes(), "201");
  EXPECT_EQ(Sorted(), "CA");
  Col[1]->Title()->SetSortIndex(1);  // no marker: nothing changes
  EXPECT_EQ(Indexes(), "201");
}

TEST_F(SortMarkerTest, SingleSortKeepsOneMarker) {
  Col[0]->Title()->SetSortMarker(smDownGx);
  Col[1]->Title()->SetSortMarker(smUpGx);
  EXPECT_EQ(Col[0]->Title()->SortMarker(), smNoneGx);
  EXPECT_EQ(Indexes(), "010");
  EXPECT_EQ(Sorted(), "B");
}

TEST_F(SortMarkerTest, ClicksCycleTheMarker) {
  const struct {
    bool KeepOthers;
    TSortMarkerGx After[3];
  } Cases[] = {{false, {smDownGx, smUpGx, smDownGx}}, {true, {smDownGx, smUpGx, smNoneGx}}};
  for (const auto& Case : Cases) {
    Col[0]->Title()->SetSortMarker(smNoneGx);
    Col[1]->Title()->SetSortMarker(smNoneGx);
    for (TSortMarkerGx Expected : Case.After) {
      Col[0]->Title()->ClickSortMarker(Case.KeepOthers);
      EXPECT_EQ(Col[0]->Title()->SortMarker(), Expected) << Case.KeepOthers;
    }
  }
}

TEST_F(SortMarkerTest, NarrowColumnsGiveUpTheMarkerRoom) {
  Col[0]->Title()->SetSortMarker(smDownGx);
  const struct {
    int Width, Room;
  } Cases[] = {{100, 16}, {15, 2}, {3, 0}};
  for (const auto& Case : Cases) {
    Col[0]->SetWidth(Case.Width);
    EXPECT_EQ(Col[0]->Title()->SortMarkerWidth(), Case.Room) << Case.Width;
  }
  EXPECT_EQ(Col[1]->Title()->SortMarkerWidth(), 0);
  // With several sorted columns the sort number takes room as well.
  Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
  Col[0]->SetWidth(100);
  Col[1]->Title()->SetSortMarker(smDownGx);
  EXPECT_GT(Col[1]->Title()->SortMarkerWidth(), 16);
}

TEST_F(SortMarkerTest, LoadedSortIndexesRebuildTheSortedList) {
  Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
  Col[2]->Title()->SetSortMarker(smDownGx);
  Col[0]->Title()->SetSortMarker(smUpGx);
  const std::string Text = WriteComponentResText(Form.get());
  auto Copy = std::make_unique<TForm>(nullptr);
  ReadComponentResText(Text, Copy.get());
  auto* Read = static_cast<TDBGridGx*>(Copy->FindComponent("DBGridGx1"));
  ASSERT_EQ(Read->SortedColumnList()->Count(), 2);
  EXPECT_EQ(Read->SortedColumnList()->ColumnAt(0)->Index(), 2);
  EXPECT_EQ(Read->SortedColumnList()->ColumnAt(1)->Index(), 0);
}

TEST_F(SortMarkerTest, StoredSortPositionsWithAGapLeaveNoHoleInTheList) {
  Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
  // Positions 1 and 3, as a stored form may hold them.
  Grid->Columns()->BeginUpdate();
  Col[2]->Title()->SetSortMarker(smDownGx);
  Col[2]->Title()->SetSortIndex(1);
  Col[0]->Title()->SetSortMarker(smUpGx);
  Col[0]->Title()->SetSortIndex(3);
  Grid->Columns()->EndUpdate();
  EXPECT_EQ(Sorted(), "CA");
  EXPECT_EQ(Indexes(), "301");
  EXPECT_GT(Col[0]->Title()->SortMarkerWidth(), 16);

  // A newly marked column goes after the last position taken, never onto one in use.
  Col[1]->Title()->SetSortMarker(smDownGx);
  EXPECT_EQ(Indexes(), "341");
  EXPECT_EQ(Sorted(), "CAB");

  // Leaving multi-column marking walks the list: only the first column keeps its marker.
  Grid->SetOptionsGx(Grid->OptionsGx() - dghMultiSortMarking);
  EXPECT_EQ(Sorted(), "C");
  EXPECT_EQ(Col[0]->Title()->SortMarker(), smNoneGx);
  EXPECT_EQ(Col[1]->Title()->SortMarker(), smNoneGx);
}

TEST_F(SortMarkerTest, CopiedColumnsKeepEveryShownMarkerInTheSortedList) {
  Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
  Col[2]->Title()->SetSortMarker(smDownGx);
  Col[0]->Title()->SetSortMarker(smUpGx);
  // Copies of titles bring their markers but not their positions: through a column set
  // kept apart and back, the marked columns still make the sort, in column order.
  TDBGridColumnsGx Apart(nullptr, TDBGridColumnGx::StaticClass());
  Apart.Assign(Grid->Columns());
  Grid->Columns()->Assign(&Apart);
  for (int i = 0; i < 3; ++i) Col[i] = Grid->Columns()->ColumnAt(i);
  EXPECT_EQ(Indexes(), "102");
  EXPECT_EQ(Sorted(), "AC");
  // Within one grid, a column copied onto another joins the sort after the others.
  Col[1]->Assign(Col[2]);
  EXPECT_EQ(Col[1]->Title()->SortMarker(), smDownGx);
  EXPECT_EQ(Indexes(), "132");
  EXPECT_EQ(Sorted(), "ACB");
}

TEST_F(SortMarkerTest, ASortedColumnThatLeavesLeavesNoGapInThePositions) {
  Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
  for (bool Freed : {false, true}) {
    while (Grid->Columns()->Count() < 3) Grid->Columns()->AddColumn();
    for (int i = 0; i < 3; ++i) Col[i] = Grid->Columns()->ColumnAt(i);
    for (int i : {1, 0, 2}) Col[i]->Title()->SetSortMarker(smDownGx);
    ASSERT_EQ(Indexes(), "213");
    if (Freed) delete Col[1];
    else Grid->Columns()->Delete(1);
    std::string Left;
    for (int i = 0; i < 2; ++i) Left += std::to_string(Grid->Columns()->ColumnAt(i)->Title()->SortIndex());
    EXPECT_EQ(Left, "12") << Freed;
    EXPECT_EQ(Sorted(), "AB") << Freed;
    // The next marked column takes the position after the last one.
    Grid->Columns()->AddColumn()->Title()->SetSortMarker(smUpGx);
    EXPECT_EQ(Grid->Columns()->ColumnAt(2)->Title()->SortIndex(), 3) << Freed;
    Grid->Columns()->Clear();
    EXPECT_EQ(Grid->SortedColumnList()->Count(), 0);
  }
}

}  // namespace
