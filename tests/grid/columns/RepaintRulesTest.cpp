// Which column and default-value writers repaint the grid and which only store.
#include <functional>

#include "platform/desktop/Windows.h"
#include "tests/support/GridFixture.h"

namespace {

struct Handler : TObject {
  int Calls = 0;
  void GetCellParams(TObject*, bool, TColCellParamsGx*) { ++Calls; }
};

TEST_F(GridTest, WritersRepaintOnlyWhatTheyShow) {
  TDBGridGx* Grid = NewGrid();
  Grid->HandleNeeded();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  TColumnDefValuesGx* Defaults = Grid->ColumnDefValues();
  TStringList Items;
  Items.Add("a");
  const struct {
    const char* Name;
    std::function<void()> Write;
    bool Repaints;
  } Cases[] = {
      {"ColumnDefValues.EndEllipsis", [&] { Defaults->SetEndEllipsis(true); }, true},
      {"ColumnDefValues.AlwaysShowEditButton", [&] { Defaults->SetAlwaysShowEditButton(true); }, true},
      {"ColumnDefValues.ToolTips", [&] { Defaults->SetToolTips(true); }, false},
      {"ColumnDefValues.AutoDropDown", [&] { Defaults->SetAutoDropDown(true); }, false},
      {"ColumnDefValues.DblClickNextVal", [&] { Defaults->SetDblClickNextVal(true); }, false},
      {"ColumnDefValues.Title.Color", [&] { Defaults->Title()->SetColor(clRed); }, true},
      {"ColumnDefValues.Title.EndEllipsis", [&] { Defaults->Title()->SetEndEllipsis(true); }, true},
      {"ColumnDefValues.Title.TitleButton", [&] { Defaults->Title()->SetTitleButton(true); }, false},
      {"ColumnDefValues.Title.ToolTips", [&] { Defaults->Title()->SetToolTips(true); }, false},
      {"Column.NotInKeyListIndex", [&] { Column->SetNotInKeyListIndex(0); }, true},
      {"Column.KeyList", [&] { Column->SetKeyList(&Items); }, true},
      {"Column.PickList", [&] { Column->SetPickList(&Items); }, false},
      {"Column.Color", [&] { Column->SetColor(clRed); }, true},
      {"Column.AutoDropDown", [&] { Column->SetAutoDropDown(true); }, false},
      {"Column.Title.ToolTips", [&] { Column->Title()->SetToolTips(true); }, false},
      {"Column.DropDownRows", [&] { Column->SetDropDownRows(3); }, false},
  };
  for (const auto& Case : Cases) {
    win::ValidateRect(Grid->Handle(), nullptr);
    Case.Write();
    EXPECT_EQ(!win::GetUpdateRects(Grid->Handle()).empty(), Case.Repaints) << Case.Name;
  }
}

TEST_F(GridTest, ACellParamsHandlerOfAnotherObjectReplacesTheFirst) {
  TDBGridGx* Grid = NewGrid();
  Grid->HandleNeeded();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Handler First, Second;
  Column->SetOnGetCellParams(TGetColCellParamsEventGx::Bind(&First, &Handler::GetCellParams));
  win::ValidateRect(Grid->Handle(), nullptr);
  // The same method of another object is another handler.
  Column->SetOnGetCellParams(TGetColCellParamsEventGx::Bind(&Second, &Handler::GetCellParams));
  EXPECT_FALSE(win::GetUpdateRects(Grid->Handle()).empty());
  Column->FireGetCellParams(false, nullptr);
  EXPECT_EQ(First.Calls, 0);
  EXPECT_EQ(Second.Calls, 1);
}

}  // namespace
