// Text another program put on the clipboard (xclip) pasted with Ctrl+V on a real display:
// into a data-aware memo beside the grid, and into the grid's cell editor.
#include "platform/controls/DBCtrls.h"
#include "tests/support/GridOnDisplay.h"

#include <cstdio>

namespace {
using namespace win;

class PasteOnDisplayTest : public GridOnDisplayTest {
protected:
  void SetUp() override {
    // A display and the other program are what this test is about: without them it fails.
    ASSERT_TRUE(xvfb_test::SharedServer().Running()) << "Xvfb did not start";
    for (const char* Tool : {"xdotool", "xclip"})
      ASSERT_TRUE(xvfb_test::OnPath(Tool)) << Tool << " is not installed (scripts/deps.sh installs it)";
    GridOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    MakeGrid("Paste", 560, 300, 300, 240, {"Name", "Content"}, 3,
             [](int R, int F) { return (F == 0 ? "n" : "c") + std::to_string(R); });
    Memo = new TDBMemo(Form.get());
    Memo->SetParent(Form.get());
    Memo->SetBounds(320, 10, 220, 240);
    Memo->SetDataSource(Grid->DataSource());
    Memo->SetDataField("Content");
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Form->Handle()); }));
  }
  // Runs a tool on the display while the program keeps answering; its exit code.
  int Tool(std::vector<std::string> Args, const std::string& Input = "") {
    int Code = -1;
    xvfb_test::Run(xvfb_test::SharedServer().Name(), Args, Input, [this] { Pump(); }, &Code);
    return Code;
  }
  void XDoTool(std::vector<std::string> Args) {
    Args.insert(Args.begin(), "xdotool");
    ASSERT_EQ(Tool(Args), 0) << Args[1];
  }
  // xclip takes the clipboard with Text and keeps serving it from the background.
  void OtherProgramCopies(const std::string& Text) {
    ASSERT_EQ(Tool({"xclip", "-i", "-selection", "clipboard"}, Text), 0);
    ASSERT_EQ(Tool({"xclip", "-o", "-selection", "clipboard"}), 0);
  }
  void ClickAt(TControl* Control, int X, int Y) {
    const POINT At = Control->ClientToScreen(POINT{X, Y});
    XDoTool({"mousemove", std::to_string(At.x), std::to_string(At.y)});
    ASSERT_TRUE(PumpUntil([&] { return real_pointer::OverWindow(*FOther); }));
    XDoTool({"click", "1"});
  }
  void SaveScreen(const std::string& Name) {
    const std::string Png = ::testing::TempDir() + Name + ".png";
    EXPECT_EQ(Tool({VANTREL_TEST_SHOT, std::to_string(FOther->Root()), Png}), 0) << "vantrel-test-shot";
    std::printf("screen: %s\n", Png.c_str());
  }

  TDBMemo* Memo = nullptr;
};

TEST_F(PasteOnDisplayTest, CtrlVInTheMemoPastesWhatAnotherProgramCopied) {
  OtherProgramCopies("from xclip");
  ClickAt(Memo, 100, 100);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Memo->Handle(); }));
  XDoTool({"key", "ctrl+End", "ctrl+v"});
  EXPECT_TRUE(PumpUntil([&] { return Memo->GetText().find("from xclip") != std::string::npos; }))
      << Memo->GetText();
  SaveScreen("vantrel-paste-memo");
  EXPECT_EQ(Memo->GetText(), "c1from xclip");
}

TEST_F(PasteOnDisplayTest, CtrlVInTheCellEditorPastesWhatAnotherProgramCopied) {
  OtherProgramCopies("pasted");
  const RECT Cell = Grid->CellRect(Grid->DataToGridColumn(0), Grid->TitleAreaRowCount());
  ClickAt(Grid, Cell.left + 5, (Cell.top + Cell.bottom) / 2);
  // The click on the current cell may open its editor already; F2 does otherwise.
  auto editing = [&] { return Grid->EditorMode() && GetFocus() == Grid->InplaceEditor()->Handle(); };
  ASSERT_TRUE(PumpUntil([&] { return editing() || GetFocus() == Grid->Handle(); }));
  if (!editing()) XDoTool({"key", "F2"});
  ASSERT_TRUE(PumpUntil(editing));
  XDoTool({"key", "End", "ctrl+v"});
  EXPECT_TRUE(PumpUntil([&] { return Grid->InplaceEditor()->GetText() == "n1pasted"; }))
      << Grid->InplaceEditor()->GetText();
  SaveScreen("vantrel-paste-cell");
}

}  // namespace
