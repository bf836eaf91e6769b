// The grid's copy and paste on a real display: other programs (xclip) see every form
// under its targets, and text they offer pastes as rows.
#include "grid/DBGridGx.h"
#include "gridoutput/DBGridGxImpExp.h"
#include "platform/controls/Clipbrd.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSource.h"
#include "tests/platform/controls/x11/OnDisplay.h"
#include "tests/platform/x11/ServicesXvfb.h"
#include "tests/support/GridTestClasses.h"

#include <optional>

namespace {

using Table = std::vector<std::vector<std::string>>;

class GridClipboardOnDisplayTest : public FormOnDisplayTest {
protected:
  void SetUp() override {
    ASSERT_TRUE(xvfb_test::SharedServer().Running()) << "Xvfb did not start (scripts/deps.sh installs xvfb)";
    ASSERT_TRUE(xvfb_test::OnPath("xclip")) << "scripts/deps.sh installs xclip";
    FormOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    RegisterGridTestClasses();
    GridUnit.emplace();
    Output.emplace();
    form = new TForm(nullptr);
    form->SetBounds(20, 20, 500, 300);
  }
  // A shown grid over string fields A and B holding Rows.
  TDBGridGx* GridWith(const Table& Rows) {
    auto* Data = new TClientDataSet(form);
    Data->FieldDefs().Add("A", ftString, 40);
    Data->FieldDefs().Add("B", ftString, 40);
    Data->CreateDataSet();
    for (const auto& Row : Rows) {
      Data->Append();
      Data->Fields()[0]->SetAsString(Row[0]);
      Data->Fields()[1]->SetAsString(Row[1]);
      Data->Post();
    }
    Data->First();
    auto* Source = new TDataSource(form);
    Source->SetDataSet(Data);
    auto* Grid = new TDBGridGx(form);
    Grid->SetParent(form);
    Grid->SetBounds(0, 0, 480, 280);
    Grid->SetDataSource(Source);
    Grid->SetOptions(Grid->Options() + dgMultiSelect);
    form->Show();
    return Grid;
  }
  static Table Records(TDataSet* Data) {
    Table Out;
    for (Data->First(); !Data->Eof(); Data->Next())
      Out.push_back({Data->Fields()[0]->AsString(), Data->Fields()[1]->AsString()});
    return Out;
  }
  void Pump() {
    win::MSG M;
    while (win::PeekMessageA(&M, nullptr, 0, 0, win::PM_REMOVE)) {
      win::TranslateMessage(&M);
      win::DispatchMessageA(&M);
    }
    win::CurrentBackend().WaitForEvents(2);
  }
  // Presses the keys (xdotool names) in Grid, clicking its first data cell first when the
  // focus is elsewhere.
  void KeysOn(TDBGridGx* Grid, const std::string& Keys) {
    int Code = -1;
    if (win::GetFocus() != Grid->Handle()) ClickFirstCell(Grid);
    ASSERT_TRUE(PumpUntil([&] { return win::GetFocus() == Grid->Handle(); }));
    xvfb_test::Run(xvfb_test::SharedServer().Name(), {"xdotool", "key", "--delay", "50", Keys}, "",
                   [&] { Pump(); }, &Code);
    ASSERT_EQ(Code, 0);
  }
  void ClickFirstCell(TDBGridGx* Grid) {
    const win::RECT Cell = Grid->CellRect(Grid->DataToGridColumn(0), Grid->TitleAreaRowCount());
    const win::POINT At = Grid->ClientToScreen(win::POINT{Cell.left + 5, (Cell.top + Cell.bottom) / 2});
    int Code = -1;
    xvfb_test::Run(xvfb_test::SharedServer().Name(),
                   {"xdotool", "mousemove", std::to_string(At.x), std::to_string(At.y), "click", "1"}, "",
                   [&] { Pump(); }, &Code);
    ASSERT_EQ(Code, 0);
  }
  std::string Xclip(std::vector<std::string> Args, const std::string& Input = "", int* Code = nullptr) {
    Args.insert(Args.begin(), {"xclip", "-selection", "clipboard"});
    return xvfb_test::Run(xvfb_test::SharedServer().Name(), Args, Input, [&] { Pump(); }, Code);
  }

  // Started once the classes are registered; they end after the form is gone.
  std::optional<TDBGridGxUnitUse> GridUnit;
  std::optional<TDBGridGxImpExpUnitUse> Output;
};

TEST_F(GridClipboardOnDisplayTest, OtherProgramsReadEveryFormAndPasteTheirText) {
  TDBGridGx* Grid = GridWith({{"片段", "one"}, {"a;b", "two"}});
  Grid->GridSelection()->SelectAll();
  CopyGridSelection(Grid, false);
  const std::string Targets = Xclip({"-o", "-t", "TARGETS"});
  for (const char* Target : {"UTF8_STRING", "text/plain", "text/csv", "Csv", "text/rtf", "Rich Text Format", "VCLDBIF"})
    EXPECT_NE(Targets.find(std::string(Target) + "\n"), std::string::npos) << Target << " in\n" << Targets;
  EXPECT_EQ(Xclip({"-o", "-t", "UTF8_STRING"}), "A\tB\r\n片段\tone\r\na;b\ttwo");
  EXPECT_EQ(Xclip({"-o", "-t", "text/csv"}), "\"A\";\"B\"\r\n\"片段\";\"one\"\r\n\"a;b\";\"two\"");
  const std::string Rtf = Xclip({"-o", "-t", "text/rtf"});
  EXPECT_EQ(Rtf.rfind("{\\rtf1", 0), 0u);
  EXPECT_EQ(Rtf.back(), '}') << "no zero byte under the MIME name";
  EXPECT_NE(Rtf.find("\\u29255\\'3f\\u27573\\'3f"), std::string::npos);

  // Another program's text, LF lines, pastes as rows.
  int Code = -1;
  Xclip({"-i", "-t", "UTF8_STRING"}, "新\tx\ny\tz\n", &Code);
  ASSERT_EQ(Code, 0);
  TDBGridGx* Target = GridWith({});
  ASSERT_TRUE(PumpUntil([&] { return Target->CanPasteIntoGrid(); }));
  PasteIntoGrid(Target, false);
  EXPECT_EQ(Records(Target->DataSource()->DataSet()), (Table{{"新", "x"}, {"y", "z"}}));
}

TEST_F(GridClipboardOnDisplayTest, CtrlCAndCtrlVCopyASelectionIntoAnotherGridWithEveryValue) {
  const Table Rows = {{"片段 😀", "one"}, {"a;b \"q\"", "tab\there"}, {"two\nlines", ""}};
  form->SetBounds(20, 20, 1000, 300);
  TDBGridGx* Source = GridWith(Rows);
  const TDBGridGxEditActions All = {geaCutGx, geaCopyGx, geaPasteGx, geaDeleteGx, geaSelectAllGx};
  Source->SetEditActions(All);
  ASSERT_TRUE(PumpUntil([&] { return win::IsWindowVisible(form->Handle()); }));
  KeysOn(Source, "ctrl+a");
  ASSERT_TRUE(PumpUntil([&] { return Source->GridSelection()->Kind() == gstAll; }));
  KeysOn(Source, "ctrl+c");
  ASSERT_TRUE(PumpUntil([&] { return Xclip({"-o", "-t", "TARGETS"}).find("VCLDBIF") != std::string::npos; }));

  TDBGridGx* Target = GridWith({});
  Target->SetLeft(500);
  Target->SetEditActions(All);
  KeysOn(Target, "ctrl+v");
  EXPECT_TRUE(PumpUntil([&] { return Records(Target->DataSource()->DataSet()).size() == Rows.size(); }));
  EXPECT_EQ(Records(Target->DataSource()->DataSet()), Rows);
}

}  // namespace
