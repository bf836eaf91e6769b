// The filter row on a real display, used as a person would with xdotool: a click on a
// filter cell, a typed condition, Enter to filter the dataset, Tab to the next column;
// the screen is saved as a PNG along the way.
#include "tests/support/GridOnDisplay.h"

#include <cstdio>

namespace {
using namespace win;

class FilterRowOnDisplayTest : public GridOnDisplayTest {
protected:
  void SetUp() override {
    // A display is what this test is about: without one it fails.
    ASSERT_TRUE(xvfb_test::SharedServer().Running()) << "Xvfb did not start";
    ASSERT_TRUE(xvfb_test::OnPath("xdotool")) << "xdotool is not installed (scripts/deps.sh installs it)";
    GridOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    MakeGrid("Filter row", 460, 300, 420, 240, {"Name", "Text"}, 8, [](int R, int F) -> std::string {
      if (F == 0) return "r" + std::to_string(R);
      return R % 2 ? "odd" : "even";
    });
    Grid->STFilter()->SetVisible(true);
    // Enter filters the client dataset itself, through the grid's default filtering.
    Grid->STFilter()->SetLocal(true);
    Form->Show();
  }
  // Runs xdotool with Args on the display while the program keeps answering.
  void XDoTool(std::vector<std::string> Args) {
    Args.insert(Args.begin(), "xdotool");
    int Code = -1;
    xvfb_test::Run(xvfb_test::SharedServer().Name(), Args, "", [this] { Pump(); }, &Code);
    ASSERT_EQ(Code, 0) << Args[1];
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> R;
    for (Data->First(); !Data->Eof(); Data->Next()) R.push_back(Data->Fields()[0]->AsString());
    return R;
  }
  // The whole screen as a PNG next to the test's other files.
  void SaveScreen(const std::string& Name) {
    const std::string Png = ::testing::TempDir() + Name + ".png";
    int Code = -1;
    xvfb_test::Run(xvfb_test::SharedServer().Name(), {VANTREL_TEST_SHOT, std::to_string(FOther->Root()), Png}, "",
                   [this] { Pump(); }, &Code);
    EXPECT_EQ(Code, 0) << "vantrel-test-shot";
    std::printf("screen: %s\n", Png.c_str());
  }

};

TEST_F(FilterRowOnDisplayTest, TypeAConditionApplyItAndTabToTheNextColumn) {
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Form->Handle()) && Grid->TitleAreaRowCount() == 2; }));
  const RECT Cell = Grid->CellRect(Grid->DataToGridColumn(0), 1);
  const POINT At = Grid->ClientToScreen(POINT{Cell.left + 10, (Cell.top + Cell.bottom) / 2});
  XDoTool({"mousemove", std::to_string(At.x), std::to_string(At.y)});
  ASSERT_TRUE(PumpUntil([&] { return real_pointer::OverWindow(*FOther); }));
  XDoTool({"click", "1"});
  ASSERT_TRUE(PumpUntil([&] { return Grid->FilterEditing() && Grid->FilterEditor()->Visible(); }));
  EXPECT_EQ(Grid->FilterColumn(), 0);

  XDoTool({"type", "= r3"});
  ASSERT_TRUE(PumpUntil([&] { return Grid->FilterEditor()->GetText() == "= r3"; }))
      << Grid->FilterEditor()->GetText();
  XDoTool({"key", "Return"});
  ASSERT_TRUE(PumpUntil([&] { return Data->Filtered() && Data->RecordCount() == 1; }));
  EXPECT_EQ(Rows(), std::vector<std::string>{"r3"});
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->STFilter()->FilterText(), "= r3");

  XDoTool({"key", "Tab"});
  ASSERT_TRUE(PumpUntil([&] { return Grid->FilterColumn() == 1; }));
  XDoTool({"type", "<> odd"});
  ASSERT_TRUE(PumpUntil([&] { return Grid->FilterEditor()->GetText() == "<> odd"; }));
  SaveScreen("vantrel-filter-row-typed");
  XDoTool({"key", "Return"});
  ASSERT_TRUE(PumpUntil([&] { return Data->RecordCount() == 0; }));

  // Back to the first cell, cleared: the second condition alone.
  XDoTool({"key", "shift+Tab"});
  ASSERT_TRUE(PumpUntil([&] { return Grid->FilterColumn() == 0; }));
  XDoTool({"key", "BackSpace", "Return"});
  ASSERT_TRUE(PumpUntil([&] { return Data->RecordCount() == 4; }));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"r2", "r4", "r6", "r8"}));
  SaveScreen("vantrel-filter-row-applied");
}

}  // namespace
