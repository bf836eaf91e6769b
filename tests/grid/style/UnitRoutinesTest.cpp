// The grid unit's small routines.
#include <gtest/gtest.h>

#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/controls/Forms.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/data/DBClient.h"
#include "platform/desktop/Headless.h"
#include "platform/rtl/Exceptions.h"

namespace {

class TFVantrel : public TForm {
  VANTREL_CLASS(TFVantrel, TForm)
public:
  using TForm::TForm;
};

class UnitRoutinesTest : public ::testing::Test {
protected:
  void SetUp() override { win::headless::Reset(); }
  void TearDown() override { win::headless::Reset(); }
};

TEST_F(UnitRoutinesTest, OwnerQualifiedName) {
  auto* Form = new TFVantrel(nullptr);
  auto* Grid = new TCustomGrid(Form);
  Grid->SetName("DBGridGx1");
  Grid->SetParent(Form);
  auto* Table = new TComponent(Form);
  Table->SetName("ADOTable1");
  auto* Panel = new TPanel(nullptr);
  Panel->SetName("Panel1");
  auto* InPanel = new TEdit(nullptr);
  InPanel->SetName("Edit1");
  InPanel->SetParent(Panel);
  auto* Alone = new TEdit(nullptr);
  Alone->SetName("Edit2");
  auto* Loose = new TComponent(Panel);
  Loose->SetName("Loose");

  const struct {
    const char* Name;
    TComponent* Component;
    const char* Expected;
  } cases[] = {
      {"nil", nullptr, ""},
      {"a form", Form, "TFVantrel"},
      {"a control on a form", Grid, "TFVantrelDBGridGx1"},
      {"a component owned by a form", Table, "TFVantrel.ADOTable1"},
      {"a control in a parent without form", InPanel, "Panel1Edit1"},
      {"a control with neither", Alone, "Edit2"},
      {"a component owned by something else", Loose, "Loose"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(OwnerQualifiedName(c.Component), c.Expected);
  }
  delete Alone;
  delete InPanel;
  delete Panel;
  delete Form;
}

TEST_F(UnitRoutinesTest, TextOverflowsCell) {
  auto* Form = new TForm(nullptr);
  auto* Grid = new TCustomGrid(Form);
  Grid->SetParent(Form);
  Form->Show();
  int LineW = 0, LineH = 0;
  TextOverflowsCell(Grid, 0, 0, "Wide text here", win::RECT{0, 0, 1000, 1000}, false, LineW, LineH);
  ASSERT_GT(LineW, 0);
  ASSERT_GT(LineH, 0);

  const struct {
    const char* Name;
    int HMargin, VMargin;
    win::RECT Rect;
    bool WordWrap;
    bool Overflows;
  } cases[] = {
      {"fits with room", 0, 0, {0, 0, LineW + 2, LineH - 1}, false, false},
      {"one pixel too narrow", 0, 0, {0, 0, LineW + 1, LineH}, false, true},
      {"the margin takes the room", 4, 0, {0, 0, LineW + 2, LineH}, false, true},
      {"height limit is cell height minus margin plus 1", 0, 2, {0, 0, LineW + 10, LineH + 1}, false, false},
      {"one row too low", 0, 3, {0, 0, LineW + 10, LineH + 1}, false, true},
      {"wrapped lines exceed the height", 0, 0, {10, 10, 10 + LineW / 2 + 2, 10 + LineH}, true, true},
      {"wrapped lines fit a tall cell", 0, 0, {0, 0, LineW / 2 + 30, LineH * 4}, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    int W = 0, H = 0;
    EXPECT_EQ(TextOverflowsCell(Grid, c.HMargin, c.VMargin, "Wide text here", c.Rect, c.WordWrap, W, H), c.Overflows);
    if (!c.WordWrap) {
      EXPECT_EQ(W, LineW);
    }
  }
  int W = 0, H = 0;
  TextOverflowsCell(Grid, 0, 0, "Wide text here", win::RECT{0, 0, LineW / 2 + 2, 1000}, true, W, H);
  EXPECT_GT(H, LineH);  // wrapped onto more lines
  EXPECT_EQ(MeasureTextWidth(Grid->Canvas(), "Wide text here"), LineW);
  delete Form;
}

// Both routines measure through the canvas's handle: after the grid's font changed they
// must measure in that font, not in whatever the device context held before.
TEST_F(UnitRoutinesTest, MeasuringFollowsTheCanvasFont) {
  auto* Form = new TForm(nullptr);
  auto* Grid = new TCustomGrid(Form);
  Grid->SetParent(Form);
  Form->Show();
  TCanvas* Canvas = Grid->Canvas();
  const std::string Text = "Wide text here";
  Canvas->TextWidth(Text);  // the first font is selected now
  const struct {
    const char* Name;
    void (*Change)(TFont*);
  } cases[] = {
      {"larger", [](TFont* F) { F->SetSize(24); }},
      {"bold", [](TFont* F) { F->SetStyle(TFontStyles{fsBold}); }},
      {"back to small", [](TFont* F) { F->SetSize(6); F->SetStyle(TFontStyles{}); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Change(Canvas->Font());
    int W = 0, H = 0;
    TextOverflowsCell(Grid, 0, 0, Text, win::RECT{0, 0, 1000, 1000}, false, W, H);
    EXPECT_EQ(W, Canvas->TextWidth(Text));
    EXPECT_EQ(H, Canvas->TextHeight(Text));
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Change(Canvas->Font());
    const int Measured = MeasureTextWidth(Canvas, Text);
    EXPECT_EQ(Measured, Canvas->TextWidth(Text));
  }
  delete Form;
}

TEST_F(UnitRoutinesTest, GridErrorsAndSmallRoutines) {
  try {
    RaiseInvalidGridOperation("Grid requested to display more than 256 columns");
    FAIL() << "no error";
  } catch (const EInvalidGridOperation& E) {
    EXPECT_EQ(E.Message(), "Grid requested to display more than 256 columns");
  }
  const TGridRect G = MakeGridRect(1, 2, 3, 4);
  EXPECT_EQ(G, (TGridRect{1, 2, 3, 4}));
  const struct {
    int Col, Row;
    bool In;
  } cells[] = {{1, 2, true}, {3, 4, true}, {0, 2, false}, {4, 4, false}, {2, 1, false}, {2, 5, false}};
  for (const auto& c : cells) EXPECT_EQ(GridRectContains(c.Col, c.Row, G), c.In) << c.Col << "," << c.Row;

  win::RECT R{10, 20, 40, 30};
  SwapRectExtent(R);
  EXPECT_EQ(R.left, 10);
  EXPECT_EQ(R.top, 20);
  EXPECT_EQ(R.right, 20);   // width 10, the old height
  EXPECT_EQ(R.bottom, 50);  // height 30, the old width
  EXPECT_EQ(LargerInt(-3, 2), 2);
  EXPECT_EQ(SmallerInt(-3, 2), -3);
  EXPECT_EQ(PickInt(true, 1, 2), 1);
  EXPECT_EQ(PickInt(false, 1, 2), 2);
}

TEST_F(UnitRoutinesTest, AllFieldsCanModify) {
  TClientDataSet DataSet(nullptr);
  DataSet.FieldDefs().Add("A", ftInteger);
  DataSet.FieldDefs().Add("B", ftString, 10);
  DataSet.CreateDataSet();
  TList Fields;
  EXPECT_TRUE(AllFieldsCanModify(&Fields));
  Fields.Add(DataSet.FieldByName("A"));
  Fields.Add(DataSet.FieldByName("B"));
  EXPECT_TRUE(AllFieldsCanModify(&Fields));
  DataSet.FieldByName("B")->SetReadOnly(true);
  EXPECT_FALSE(AllFieldsCanModify(&Fields));
}

TEST_F(UnitRoutinesTest, DropQueuedMessage) {
  win::HWND Window = win::AllocateHWnd([](win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) {
    return win::DefWindowProc(h, m, w, l);
  });
  win::MSG M{};
  // Nothing queued: nothing happens.
  DropQueuedMessage(Window, win::WM_USER + 1);
  EXPECT_FALSE(win::PeekMessage(&M, Window, 0, 0, win::PM_NOREMOVE));

  win::PostMessage(Window, win::WM_USER + 1, 1, 0);
  win::PostMessage(Window, win::WM_USER + 1, 2, 0);
  win::PostMessage(Window, win::WM_USER + 2, 3, 0);
  DropQueuedMessage(Window, win::WM_USER + 1);
  ASSERT_TRUE(win::PeekMessage(&M, Window, 0, 0, win::PM_REMOVE));
  EXPECT_EQ(M.wParam, 2u);  // only one was removed
  ASSERT_TRUE(win::PeekMessage(&M, Window, 0, 0, win::PM_REMOVE));
  EXPECT_EQ(M.wParam, 3u);

  // A quit message taken on the way is posted again.
  win::PostQuitMessage(7);
  DropQueuedMessage(Window, win::WM_USER + 1);
  ASSERT_TRUE(win::PeekMessage(&M, nullptr, 0, 0, win::PM_REMOVE));
  EXPECT_EQ(M.message, win::WM_QUIT);
  EXPECT_EQ(M.wParam, 7u);
  win::DeallocateHWnd(Window);
}

}  // namespace
