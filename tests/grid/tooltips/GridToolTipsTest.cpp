// Cell and title tool tips: shown at once over a cell whose text is cut, in the cell's
// font and at the cell's place; none for text that fits, with Ctrl held, while the mouse
// is captured, over an edit button, over a group title or a row without a record; title
// hints with the normal pause.
#include "tests/support/GridFixture.h"

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridToolTips.h"
#include "grid/DBGridGx/HeadTree.h"
#include "platform/controls/HintWindow.h"
#include "platform/desktop/Headless.h"
#include "platform/desktop/Input.h"

namespace {

namespace hl = win::headless;

const char* const LongText = "longer than its cell";  // a string field holds 20 characters

class GridToolTipsTest : public GridTest {
protected:
  void SetUp() override {
    Application->SetHintPause(500);
    Application->SetHintHidePause(2500);
  }
  void TearDown() override { Application->CancelHint(); }

  // A shown grid over A (string), B (string) and C (Boolean) on three records: record 0
  // reads "ok", the others the long text. Column A is 60 pixels wide and shows tips.
  TDBGridGx* Open(int Rows = 3) {
    Form->SetBounds(10, 10, 500, 400);
    Form->SetShowHint(true);
    Grid = NewGrid();
    Grid->SetBounds(0, 0, 400, 250);
    Grid->SetDataSource(NewSource({"A", "B", "?C"}, Rows, [](int R) { return std::string(R == 0 ? "ok" : LongText); }));
    Data = Grid->DataSource()->DataSet();
    A()->SetWidth(60);
    A()->SetToolTips(true);
    Form->Show();
    hl::ProcessMessages();
    Data->First();
    return Grid;
  }
  TColumnGx* A() const { return Grid->Columns()->ColumnAt(0); }
  TColumnGx* Col(int I) const { return Grid->Columns()->ColumnAt(I); }

  // The pointer rests at (X, Y) of the grid's client area for Ms milliseconds (the
  // window system's shortest timer: a tip shown at once is up by then).
  void Rest(int X, int Y, int Ms = win::USER_TIMER_MINIMUM) {
    const win::POINT Away = Form->ClientToScreen({450, 350});
    win::input::MouseMove(Away.x, Away.y);
    Application->ProcessMessages();
    const win::POINT P = Grid->ClientToScreen({X, Y});
    win::input::MouseMove(P.x, P.y);
    Application->ProcessMessages();
    hl::AdvanceClock(static_cast<win::DWORD>(Ms));
    Application->ProcessMessages();
  }
  // Rests in the middle of a cell.
  void RestOn(int ACol, int ARow, int Ms = win::USER_TIMER_MINIMUM) {
    const win::RECT R = Grid->CellRect(ACol, ARow);
    Rest((R.left + R.right) / 2, (R.top + R.bottom) / 2, Ms);
  }
  THintWindow* Hint() const { return Application->HintWindow(); }
  bool Shown() const { return Hint() && Hint()->HandleAllocated() && win::IsWindowVisible(Hint()->Handle()); }
  win::POINT HintTopLeft() const {
    win::RECT R{};
    win::GetWindowRect(Hint()->Handle(), &R);
    return {R.left, R.top};
  }

  TDBGridGx* Grid = nullptr;
  TDataSet* Data = nullptr;
};

TEST_F(GridToolTipsTest, ACutCellShowsItsWholeTextAtOnceOverTheCellInItsFont) {
  Open();
  A()->Font()->SetStyle(TFontStyles{fsBold});
  A()->Font()->SetColor(clRed);
  RestOn(1, 1);  // "ok" fits
  EXPECT_FALSE(Shown());
  RestOn(1, 2);
  ASSERT_TRUE(Shown());
  EXPECT_NE(dynamic_cast<TToolTipsWindow*>(Hint()), nullptr);
  EXPECT_EQ(Hint()->Caption(), LongText);
  EXPECT_EQ(Hint()->Font()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(Hint()->Font()->Color(), clRed);
  const win::RECT Cell = Grid->CellRect(1, 2);
  const win::POINT Want = Grid->ClientToScreen({Cell.left - 1, Cell.top - 1});
  EXPECT_EQ(HintTopLeft().x, Want.x);
  EXPECT_EQ(HintTopLeft().y, Want.y);
  EXPECT_EQ(Data->RecNo(), 1);  // the hovered record was read and put back
}

TEST_F(GridToolTipsTest, NoTipWhereItIsSwitchedOffSuppressedOrHasNoRecord) {
  struct Case {
    const char* Name;
    std::function<void()> Set, Reset;
    int Row;
  };
  const Case Cases[] = {
      {"tips off", [this] { A()->SetToolTips(false); }, [this] { A()->SetToolTips(true); }, 2},
      {"Ctrl held", [] { hl::KeyDown(win::VK_CONTROL); }, [] { hl::KeyUp(win::VK_CONTROL); }, 2},
      {"mouse captured", [this] { Grid->SetMouseCapture(true); }, [this] { Grid->SetMouseCapture(false); }, 2},
      // Footers at the bottom leave rows without records above them.
      {"row without a record", [this] { Grid->SetFooterRowCount(1); }, [this] { Grid->SetFooterRowCount(0); }, 4},
  };
  Open();
  Data->Last();  // the current record's text is cut: a row without a record must not borrow it
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    C.Set();
    const int Active = Grid->GridLink()->ActiveRecord();
    RestOn(1, C.Row, 1000);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(Grid->GridLink()->ActiveRecord(), Active);
    C.Reset();
    RestOn(1, 2);
    EXPECT_TRUE(Shown());
  }
}

TEST_F(GridToolTipsTest, ARightAlignedCellCutOffByTheGridsEdgeShowsItsTip) {
  Open();
  A()->SetWidth(200);
  A()->SetToolTips(false);
  Col(1)->SetWidth(300);  // B runs past the right edge of the grid
  Col(1)->SetToolTips(true);
  Col(1)->SetAlignment(taRightJustify);
  const win::RECT Cell = Grid->CellRect(2, 1);
  ASSERT_LT(Cell.right, Cell.left + 300);
  Rest(Cell.left + 20, (Cell.top + Cell.bottom) / 2);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Hint()->Caption(), "ok");
  Col(1)->SetAlignment(taLeftJustify);  // left-aligned, the visible part holds the text
  Rest(Cell.left + 20, (Cell.top + Cell.bottom) / 2);
  EXPECT_FALSE(Shown());
}

TEST_F(GridToolTipsTest, NoTipOverTheEditButton) {
  Open();
  A()->SetWidth(80);
  A()->SetAlwaysShowEditButton(true);
  A()->PickList()->Add("x");
  const win::RECT Cell = Grid->CellRect(1, 2);
  const int Middle = (Cell.top + Cell.bottom) / 2;
  Rest(Cell.right - 3, Middle);
  EXPECT_FALSE(Shown());
  Rest(Cell.left + 5, Middle);
  EXPECT_TRUE(Shown());
}

TEST_F(GridToolTipsTest, ACheckBoxCellShowsThePickListTextOfItsState) {
  Open();
  TColumnGx* C = Col(2);
  C->SetToolTips(true);
  C->PickList()->Add("No");
  C->PickList()->Add("Yes");
  Data->Edit();
  Data->FieldByName("C")->SetAsBoolean(true);
  Data->Post();
  RestOn(3, 1);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Hint()->Caption(), "Yes");
  RestOn(3, 2);  // no value: the grayed state has no entry
  EXPECT_FALSE(Shown());
}

TEST_F(GridToolTipsTest, TitleTipsAndTitleHints) {
  Open();
  A()->Title()->SetCaption(LongText);
  A()->Title()->SetToolTips(true);
  RestOn(1, 0);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Hint()->Caption(), LongText);

  // A title hint is an ordinary hint: its short part after the usual pause.
  A()->Title()->SetHint("Name|The name of the snippet");
  RestOn(1, 0);
  EXPECT_FALSE(Shown());
  hl::AdvanceClock(500 - win::USER_TIMER_MINIMUM);
  Application->ProcessMessages();
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Hint()->Caption(), "Name");
  EXPECT_EQ(dynamic_cast<TToolTipsWindow*>(Hint()), nullptr);
}

TEST_F(GridToolTipsTest, TheGridsOwnHintShowsOnlyWhereNoTipIsWanted) {
  Open();
  Grid->SetHint("Snippets");
  RestOn(1, 1, 500);  // tips on, the text fits: neither tip nor hint
  EXPECT_FALSE(Shown());
  RestOn(2, 2, 500);  // column B wants no tips
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Hint()->Caption(), "Snippets");
}

TEST_F(GridToolTipsTest, AMultiTitleGroupShowsNoTipAndItsLeafDoes) {
  Open();
  Grid->SetUseMultiTitle(true);
  A()->Title()->SetCaption("Group|Leafcaptionwithoutbreaks");
  A()->Title()->SetToolTips(true);
  Col(1)->Title()->SetCaption("Group|B");
  THeadTreeNode* Leaf = Grid->HeadTreeLeaf(0);
  ASSERT_NE(Leaf, nullptr);
  const win::RECT Cell = Grid->CellRect(1, 0);
  const int X = Cell.left + 10;
  Rest(X, Cell.top + 2);  // the group's band
  EXPECT_FALSE(Shown());
  Rest(X, Cell.bottom - Leaf->Height / 2);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Hint()->Caption(), "Leafcaptionwithoutbreaks");
}

}  // namespace

namespace {

// Past a hidden column the tip is the tip of the column under the pointer.
TEST_F(GridToolTipsTest, ACellPastAHiddenColumnShowsItsOwnTip) {
  Open();
  A()->SetVisible(false);
  Col(1)->SetWidth(60);
  Col(1)->SetToolTips(true);
  hl::ProcessMessages();
  RestOn(2, 2);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Hint()->Caption(), LongText);
}

}  // namespace
