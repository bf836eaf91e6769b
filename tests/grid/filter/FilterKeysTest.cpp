// The keys of the filter editor: moving between filter cells (with the caret edge rules
// and the wraps), back into the data with Down, and the keys it swallows or keeps.
#include "tests/support/FilterRowFixture.h"

#include <functional>

namespace {

namespace hl = win::headless;

class FilterKeysTest : public FilterRowTest {};

// Column B has no filter cell: the filter cells are A, C and D (Columns 0, 2, 3).
struct KeyCase {
  const char* Name;
  int From;             // Columns index edited first
  const char* Text;     // its text
  int SelStart, SelLength;
  win::UINT Key, Modifiers;
  int Edited;           // Columns index edited afterwards
  int Caret;            // the editor's SelStart afterwards (-1: not checked)
  int Selected;         // the editor's SelLength afterwards (-1: not checked)
};

const KeyCase KeyCases[] = {
    {"Tab skips a column without a filter cell", 0, "x", 0, 1, win::VK_TAB, 0, 2, -1, -1},
    {"Shift+Tab goes back", 2, "x", 0, 1, win::VK_TAB, win::MOD_SHIFT, 0, -1, -1},
    {"Shift+Tab on the first wraps to the last", 0, "x", 0, 1, win::VK_TAB, win::MOD_SHIFT, 3, -1, -1},
    {"Right at the right edge of the last wraps to the first", 3, "abc", 3, 0, win::VK_RIGHT, 0, 0, -1, -1},
    {"Left at the left edge of the first wraps to the last", 0, "abc", 0, 0, win::VK_LEFT, 0, 3, -1, -1},
    {"Right inside the text moves the caret", 0, "abc", 1, 0, win::VK_RIGHT, 0, 0, 2, 0},
    {"Left inside the text moves the caret", 2, "abc", 2, 0, win::VK_LEFT, 0, 2, 1, 0},
    {"Left with a partial selection stays", 2, "abc", 0, 2, win::VK_LEFT, 0, 2, 0, 0},
    {"Right with the whole text selected moves on", 0, "abc", 0, 3, win::VK_RIGHT, 0, 2, -1, -1},
    {"Left with the whole text selected moves back", 2, "abc", 0, 3, win::VK_LEFT, 0, 0, -1, -1},
    {"Ctrl+Right goes to the last", 0, "abc", 1, 0, win::VK_RIGHT, win::MOD_CONTROL, 3, -1, -1},
    {"Ctrl+Left goes to the first", 3, "abc", 1, 0, win::VK_LEFT, win::MOD_CONTROL, 0, -1, -1},
    {"Ctrl+Home goes to the first", 3, "abc", 2, 0, win::VK_HOME, win::MOD_CONTROL, 0, -1, -1},
    {"Ctrl+End goes to the last", 0, "abc", 2, 0, win::VK_END, win::MOD_CONTROL, 3, -1, -1},
    {"Home at the left edge goes to the first", 3, "abc", 0, 0, win::VK_HOME, 0, 0, -1, -1},
    {"End at the right edge goes to the last", 0, "abc", 3, 0, win::VK_END, 0, 3, -1, -1},
    {"Home inside the text moves the caret", 2, "abc", 2, 0, win::VK_HOME, 0, 2, 0, 0},
    {"End inside the text moves the caret", 2, "abc", 1, 0, win::VK_END, 0, 2, 3, 0},
    {"Up is swallowed", 2, "abc", 1, 0, win::VK_UP, 0, 2, 1, 0},
    {"F2 puts the caret at the end", 2, "abc", 0, 3, win::VK_F2, 0, 2, 3, 0},
};

TEST_F(FilterKeysTest, KeysMoveBetweenFilterCellsAsTheTableSays) {
  for (const KeyCase& C : KeyCases) {
    SCOPED_TRACE(C.Name);
    Open();
    Grid->Columns()->ColumnAt(1)->STFilter()->SetVisible(false);
    EditCell(C.From, C.Text);
    ASSERT_EQ(Edited(), C.From);
    Editor()->SetSelStart(C.SelStart);
    Editor()->SetSelLength(C.SelLength);
    Press(C.Key, C.Modifiers);
    EXPECT_EQ(Edited(), C.Edited);
    if (C.Caret >= 0) {
      EXPECT_EQ(Editor()->SelStart(), C.Caret);
    }
    if (C.Selected >= 0) {
      EXPECT_EQ(Editor()->SelLength(), C.Selected);
    }
    // Without a row selection the filter cell's column is the current one.
    EXPECT_EQ(Grid->CurrentDataColumn(), C.Edited);
    EXPECT_EQ(Current(), "r0");
  }
}

TEST_F(FilterKeysTest, TabWithoutTabsStaysInTheCell) {
  Open();
  Grid->SetOptions(Grid->Options() - TDBGridOptions{dgTabs});
  EditCell(0, "x");
  Press(win::VK_TAB);
  EXPECT_EQ(Edited(), 0);
  EXPECT_EQ(Editor()->GetText(), "x");
}

TEST_F(FilterKeysTest, TheLastFilterCellBeforeColumnsWithoutOneDoesNotWrap) {
  // The search runs off the end once and stops there: no second wrap.
  Open();
  Grid->Columns()->ColumnAt(3)->STFilter()->SetVisible(false);
  EditCell(2, "x");
  Press(win::VK_TAB);
  EXPECT_EQ(Edited(), 2);
}

TEST_F(FilterKeysTest, WithoutAnyFilterCellTheMovingKeysAreConsumedAndGoNowhere) {
  Open();
  EditCell(1, "abc");
  // Every filter cell goes while the editor stays where it is.
  Grid->STFilter()->BeginUpdate();
  for (int I = 0; I < Grid->Columns()->Count(); ++I) Grid->Columns()->ColumnAt(I)->STFilter()->SetVisible(false);
  Grid->STFilter()->EndUpdate();
  ASSERT_EQ(Edited(), 1);
  struct {
    win::WORD Key;
    TShiftState Shift;
    int SelStart;
  } Keys[] = {{win::VK_TAB, {}, 1}, {win::VK_TAB, {ssShift}, 1}, {win::VK_LEFT, {}, 0},
              {win::VK_RIGHT, {}, 3}, {win::VK_LEFT, {ssCtrl}, 1}, {win::VK_END, {ssCtrl}, 1}};
  for (auto& K : Keys) {
    Editor()->SetSelStart(K.SelStart);
    win::WORD Key = K.Key;
    Grid->EditorKeyDown(Editor(), Key, K.Shift);
    EXPECT_EQ(Key, 0) << K.Key;
    EXPECT_EQ(Grid->FilterColumn(), 1);
  }
}

TEST_F(FilterKeysTest, DownGoesToTheFirstShownRecordAndCtrlDownKeepsTheRecord) {
  for (bool Ctrl : {false, true}) {
    SCOPED_TRACE(Ctrl ? "Ctrl+Down" : "Down");
    Open(40);
    Data->Last();
    const int FirstShown = Data->RecNo() - Grid->GridLink()->ActiveRecord();
    ASSERT_GT(Grid->GridLink()->ActiveRecord(), 0);
    EditCell(2, "x");
    Press(win::VK_DOWN, Ctrl ? win::MOD_CONTROL : 0);
    EXPECT_EQ(Edited(), -1);
    EXPECT_FALSE(Grid->FilterEditing());
    EXPECT_EQ(Grid->CurrentDataColumn(), 2);
    EXPECT_EQ(Data->RecNo(), Ctrl ? 40 : FirstShown);
    // The text typed was stored on the way out.
    EXPECT_EQ(Condition(2), "x");
  }
}

TEST_F(FilterKeysTest, UpOnTheFirstRecordEntersTheFilterRowAndEscRestoresTheText) {
  Open();
  Grid->Columns()->ColumnAt(1)->STFilter()->SetFilterText("= r1");
  Grid->SetCurrentGridColumn(Grid->DataToGridColumn(1));
  Press(win::VK_UP);
  ASSERT_EQ(Edited(), 1);
  // The editor shows the condition as typed, all of it selected.
  EXPECT_EQ(Editor()->GetText(), "= r1");
  EXPECT_EQ(Editor()->SelLength(), 4);
  hl::TypeText("<> zz");
  Press(win::VK_ESCAPE);
  EXPECT_EQ(Editor()->GetText(), "= r1");
  EXPECT_EQ(Edited(), 1);
}

TEST_F(FilterKeysTest, UpWithRowSelectOpensTheRememberedFilterCell) {
  Open();
  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgRowSelect});
  EditCell(2, "x");
  Press(win::VK_DOWN);
  ASSERT_EQ(Edited(), -1);
  Data->First();
  Press(win::VK_UP);
  EXPECT_EQ(Edited(), 2);
}

}  // namespace
