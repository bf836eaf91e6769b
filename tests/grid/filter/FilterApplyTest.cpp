// Applying the filter row: Enter hands every column's condition to OnApplyFilter or the
// data service, once; a condition that does not parse changes nothing and shows the
// parser's message; the options menu's clear command empties the cell last edited.
#include "tests/support/FilterRowFixture.h"

#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/SharedResources.h"
#include "grid/DbUtilsGx/FilterExpression.h"
#include "platform/rtl/ScopeExit.h"

#include <map>

namespace {

namespace hl = win::headless;

class FilterApplyTest : public FilterRowTest {
protected:
  // OnApplyFilter notes each column's condition and filters the dataset by the
  // equality tests among them.
  void FilterByEvent() {
    Grid->SetOnApplyFilter(TNotifyEvent([this](TObject* Sender) {
      ++Applied;
      EXPECT_EQ(Sender, Grid);
      Seen.clear();
      for (int I = 0; I < Grid->Columns()->Count(); ++I) Seen[I] = Condition(I);
      Data->SetOnFilterRecord(TFilterRecordEvent([this](TDataSet* D, bool& Accept) {
        for (int I = 0; I < Grid->Columns()->Count(); ++I) {
          const TSTFilterExpressionGx E = Grid->Columns()->ColumnAt(I)->STFilter()->ReadExpression();
          if (E.Operator1 == focEqual && D->Fields()[I]->AsString() != VarToStr(E.Operand1)) Accept = false;
        }
      }));
      Data->SetFiltered(false);
      Data->SetFiltered(true);
    }));
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> R;
    for (Data->First(); !Data->Eof(); Data->Next()) R.push_back(Current());
    return R;
  }

  int Applied = 0;
  std::map<int, std::string> Seen;
};

TEST_F(FilterApplyTest, EnterAppliesOnceWithTheConditionsOfEveryColumn) {
  Open();
  FilterByEvent();
  Grid->Columns()->ColumnAt(3)->STFilter()->SetFilterText("<> q");
  EditCell(0, "= r1");
  Press(win::VK_TAB);
  hl::TypeText("= r1");
  Press(win::VK_RETURN);
  EXPECT_EQ(Applied, 1);
  // The cell being edited was stored first.
  EXPECT_EQ(Seen, (std::map<int, std::string>{{0, "= r1"}, {1, "= r1"}, {2, ""}, {3, "<> q"}}));
  EXPECT_EQ(Rows(), std::vector<std::string>{"r1"});
  // Still editing the same cell, its text selected, no character left behind.
  EXPECT_EQ(Edited(), 1);
  EXPECT_EQ(Editor()->GetText(), "= r1");
  Press(win::VK_RETURN);
  EXPECT_EQ(Applied, 2);
}

TEST_F(FilterApplyTest, ATextThatDoesNotParseChangesNothingAndShowsTheParsersMessage) {
  Open();
  FilterByEvent();
  EditCell(0, "= r1");
  Press(win::VK_RETURN);
  ASSERT_EQ(Rows(), std::vector<std::string>{"r1"});
  const TSTFilterExpressionGx Before = Grid->Columns()->ColumnAt(0)->STFilter()->ReadExpression();

  // The parser gets as far as "= r2 OR = r3" before it stops.
  const std::string Bad = "= r2 OR = r3 OR = r4";
  Editor()->SelectAll();
  hl::TypeText(Bad);
  Press(win::VK_RETURN);
  EXPECT_EQ(Applied, 1);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind(std::string(SFilterIncorrectExpression) + Bad, 0), 0u) << Messages()[0];
  const TSTFilterExpressionGx After = Grid->Columns()->ColumnAt(0)->STFilter()->ReadExpression();
  EXPECT_EQ(Condition(0), "= r1");
  EXPECT_EQ(After.Operator1, Before.Operator1);
  EXPECT_EQ(VarToStr(After.Operand1), "r1");
  EXPECT_EQ(After.Relation, focNone);
  EXPECT_EQ(Rows(), std::vector<std::string>{"r1"});
  // The text stays in the editor to be corrected; leaving the cell fails the same way.
  EXPECT_EQ(Edited(), 0);
  EXPECT_EQ(Editor()->GetText(), Bad);
  Press(win::VK_TAB);
  EXPECT_EQ(Edited(), 0);
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Condition(0), "= r1");
}

TEST_F(FilterApplyTest, TheTextIsKeptAsTyped) {
  Open();
  FilterByEvent();
  EditCell(2, "  =   r3 ");
  Press(win::VK_RETURN);
  EXPECT_EQ(Condition(2), "  =   r3 ");
  EXPECT_EQ(Rows(), std::vector<std::string>{"r3"});
}

TEST_F(FilterApplyTest, WithoutOnApplyFilterTheDataServiceFiltersAndLocalSwitchesFilteringOn) {
  TDBGridGxDataService* Service = DBGridGxDataService();
  ASSERT_NE(Service, nullptr);
  auto restore = AtScopeExit([Service] { Service->SetOnApplyFilter(nullptr); });
  std::vector<TCustomDBGridGx*> Grids;
  Service->SetOnApplyFilter(TDBGridGxDataServiceEvent([&](TCustomDBGridGx* G) { Grids.push_back(G); }));
  for (bool Local : {false, true}) {
    SCOPED_TRACE(Local ? "local" : "not local");
    Grids.clear();
    Open();
    Grid->STFilter()->SetLocal(Local);
    EditCell(0, "= r1");
    Press(win::VK_RETURN);
    EXPECT_EQ(Grids, std::vector<TCustomDBGridGx*>{Grid});
    EXPECT_EQ(Data->Filtered(), Local);
  }
}

TEST_F(FilterApplyTest, TheDefaultFilteringFiltersTheDatasetAndABadTextLeavesItAlone) {
  Open();
  Grid->STFilter()->SetLocal(true);
  EditCell(1, "= r2");
  Press(win::VK_RETURN);
  ASSERT_EQ(Rows(), std::vector<std::string>{"r2"});
  const std::string Filter = Data->Filter();
  EXPECT_FALSE(Filter.empty());
  Editor()->SelectAll();
  hl::TypeText("= r3 OR = r4 OR = r5");
  Press(win::VK_RETURN);
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Data->Filter(), Filter);
  EXPECT_EQ(Rows(), std::vector<std::string>{"r2"});
  EXPECT_EQ(Condition(1), "= r2");
}

TEST_F(FilterApplyTest, AFailingHandlerStillEndsTheApplyingAndItsErrorIsShown) {
  Open(5, 200, 200);
  Grid->SetOnApplyFilter(TNotifyEvent([this](TObject*) {
    Grid->SetLeftCol(Grid->FixedCols());
    throw Exception("no filter today");
  }));
  EditCell(3, "= r1");
  const int Left = Grid->LeftCol();
  ASSERT_GT(Left, Grid->FixedCols());
  Press(win::VK_RETURN);
  EXPECT_EQ(Messages(), std::vector<std::string>{"no filter today."});
  EXPECT_FALSE(Grid->PaintLocked());
  EXPECT_EQ(Grid->LeftCol(), Left);
  EXPECT_EQ(Edited(), 3);
  EXPECT_EQ(Condition(3), "= r1");
}

TEST_F(FilterApplyTest, ClearingEmptiesTheCellLastEditedAndFiltersAgain) {
  Open();
  FilterByEvent();
  // Never entered: nothing happens.
  Grid->MenuClearFilterClick(nullptr);
  EXPECT_EQ(Applied, 0);

  EditCell(0, "= r2");
  Press(win::VK_TAB);
  hl::TypeText("= r2");
  Press(win::VK_RETURN);
  ASSERT_EQ(Rows(), std::vector<std::string>{"r2"});
  Press(win::VK_DOWN);
  ASSERT_EQ(Edited(), -1);
  Grid->MenuClearFilterClick(nullptr);
  EXPECT_EQ(Applied, 2);
  EXPECT_EQ(Condition(0), "= r2");
  EXPECT_EQ(Condition(1), "");
  EXPECT_EQ(Rows(), std::vector<std::string>{"r2"});
  EXPECT_EQ(Edited(), -1);
}

}  // namespace
