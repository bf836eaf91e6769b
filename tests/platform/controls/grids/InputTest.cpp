// Keyboard and mouse on a shown grid: moving the current cell, sizing and moving
// columns, and the in-place editor.
#include "GridFixture.h"

TEST_F(CustomGridTest, KeysMoveTheCurrentCell) {
  MakeGrid(300, 100);  // 5 columns fit; rows 1..3 are fully shown
  Grid->SetRowCount(12);
  Grid->SetOptions(Grid->Options() + goTabs);
  struct Step {
    win::UINT vk;
    win::UINT modifiers;
    int col, row;
  } steps[] = {
      {win::VK_RIGHT, 0, 2, 1},  {win::VK_DOWN, 0, 2, 2},   {win::VK_LEFT, 0, 1, 2},
      {win::VK_LEFT, 0, 1, 2},   // stops at the fixed column
      {win::VK_UP, 0, 1, 1},     {win::VK_UP, 0, 1, 1},     // and at the fixed row
      {win::VK_END, 0, 4, 1},    {win::VK_HOME, 0, 1, 1},
      {win::VK_NEXT, 0, 1, 4},   {win::VK_NEXT, 0, 1, 7},   {win::VK_PRIOR, 0, 1, 4},
      {win::VK_END, win::MOD_CONTROL, 4, 11},  {win::VK_HOME, win::MOD_CONTROL, 1, 1},
      {win::VK_TAB, 0, 2, 1},    {win::VK_TAB, win::MOD_SHIFT, 1, 1},
      {win::VK_TAB, win::MOD_SHIFT, 1, 1},  // nothing before the first cell
  };
  for (const Step& s : steps) {
    Press(s.vk, s.modifiers);
    EXPECT_EQ(Grid->Col(), s.col) << "key " << s.vk;
    EXPECT_EQ(Grid->Row(), s.row) << "key " << s.vk;
  }
  // Tab wraps to the next row and skips columns that are no tab stops.
  Grid->SetTabStops(2, false);
  Grid->SetCol(4);
  Press(win::VK_TAB);
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Grid->Row(), 2);
  Press(win::VK_TAB);
  EXPECT_EQ(Grid->Col(), 3);
  // Without goTabs, Tab leaves the grid alone.
  Grid->SetOptions(Grid->Options() - goTabs);
  Press(win::VK_TAB);
  EXPECT_EQ(Grid->Col(), 3);
}

TEST_F(CustomGridTest, ShiftArrowsExtendTheSelection) {
  MakeGrid();
  Press(win::VK_RIGHT, win::MOD_SHIFT);
  Press(win::VK_DOWN, win::MOD_SHIFT);
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 2, 2}));
  Press(win::VK_DOWN);
  EXPECT_EQ(Grid->Selection(), (TGridRect{2, 3, 2, 3}));
  Grid->SetOptions(Grid->Options() + goRowSelect);
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 3, 4, 3}));
}

TEST_F(CustomGridTest, DraggingAColumnBorderResizesIt) {
  MakeGrid();
  Grid->SetOptions(Grid->Options() + goColSizing);
  // The border after column 1 lies at x = 101 (50 fixed + line + 50).
  Drag(101, 10, 131, 10);
  EXPECT_EQ(Grid->ColWidths(1), 80);
  EXPECT_EQ(Grid->ColWidthsChangedCount, 1);
  EXPECT_EQ(Grid->GridState(), gsNormal);
  // Dragging far to the left keeps a width of 1.
  Drag(132, 10, 0, 10);
  EXPECT_EQ(Grid->ColWidths(1), 1);
  EXPECT_EQ(Grid->ColWidthsChangedCount, 2);
  // Widths set by code do not raise the notification.
  Grid->SetColWidths(1, 40);
  EXPECT_EQ(Grid->ColWidthsChangedCount, 2);
  // Without goColSizing the border is only a title cell.
  Grid->SetOptions(Grid->Options() - goColSizing);
  Drag(91, 10, 130, 10);
  EXPECT_EQ(Grid->ColWidths(1), 40);
}

TEST_F(CustomGridTest, SizingStateNearBorders) {
  MakeGrid();
  Grid->SetOptions(Grid->Options() + goColSizing + goRowSizing);
  struct Case { int x, y; TGridState state; int index, pos; } cases[] = {
      {101, 5, gsColSizing, 1, 101}, {98, 5, gsColSizing, 1, 101}, {104, 5, gsColSizing, 1, 101},
      {97, 5, gsNormal, -1, 0},      {101, 30, gsNormal, -1, 0},  // not in the title row
      {50, 5, gsColSizing, 0, 50},   {10, 41, gsRowSizing, 1, 41}, {60, 41, gsNormal, -1, 0},
  };
  for (auto c : cases) {
    TGridDrawInfo info;
    TGridState state;
    int index = -1, pos = 0, ofs = 0;
    Grid->CalcSizingState(c.x, c.y, state, index, pos, ofs, info);
    EXPECT_EQ(state, c.state) << c.x << "," << c.y;
    EXPECT_EQ(index, c.index) << c.x << "," << c.y;
    if (state != gsNormal) {
      EXPECT_EQ(pos, c.pos);
      EXPECT_EQ(ofs, c.pos - (state == gsColSizing ? c.x : c.y));
    }
  }
}

TEST_F(CustomGridTest, DraggingATitleMovesTheColumn) {
  MakeGrid();
  Grid->SetOptions(Grid->Options() + goColMoving);
  Grid->SetColWidths(1, 45);
  // From the title of column 1 to the title of column 3.
  Drag(70, 10, 170, 10);
  ASSERT_EQ(Grid->MovedColumns.size(), 1u);
  EXPECT_EQ(Grid->MovedColumns[0], std::make_pair(1, 3));
  EXPECT_EQ(Grid->ColWidths(3), 45);
  // A press and release on the same title moves nothing.
  Drag(70, 10, 72, 10);
  EXPECT_EQ(Grid->MovedColumns.size(), 1u);
  // The fixed column does not move.
  Drag(20, 10, 170, 10);
  EXPECT_EQ(Grid->MovedColumns.size(), 1u);
}

TEST_F(CustomGridTest, DraggingAFixedCellMovesTheRow) {
  MakeGrid();
  Grid->SetOptions(Grid->Options() + goRowMoving);
  Grid->SetRowHeights(3, 25);
  Press(win::VK_DOWN);  // current row 2
  // From the fixed cell of row 3 up to row 1.
  Drag(10, 70, 10, 30);
  ASSERT_EQ(Grid->MovedRows.size(), 1u);
  EXPECT_EQ(Grid->MovedRows[0], std::make_pair(3, 1));
  EXPECT_EQ(Grid->RowHeights(1), 25);
  EXPECT_EQ(Grid->Row(), 3) << "the current row moved down with its neighbours";
  EXPECT_TRUE(Grid->MovedColumns.empty());
}

TEST_F(CustomGridTest, ClickAndDragSelect) {
  MakeGrid();
  Drag(120, 50, 180, 70);  // from cell (2, 2) to (3, 3)
  EXPECT_EQ(Grid->Selection(), (TGridRect{2, 2, 3, 3}));
  EXPECT_EQ(Grid->Col(), 3);
  win::POINT p = At(60, 30);
  win::headless::Click(win::headless::MouseButton::Left, p.x, p.y);
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST_F(CustomGridTest, SelectingBeyondTheEdgeScrollsOnTheTimer) {
  MakeGrid(200, 100);
  Grid->SetRowCount(20);
  win::POINT a = At(60, 30), below = At(60, 140);
  win::headless::MouseMove(a.x, a.y);
  win::headless::MouseDown(win::headless::MouseButton::Left, a.x, a.y);
  win::headless::MouseMove(below.x, below.y);
  int top = Grid->TopRow();
  win::headless::AdvanceClock(60);
  win::headless::ProcessMessages();
  EXPECT_GT(Grid->TopRow(), top);
  int after = Grid->TopRow();
  win::headless::AdvanceClock(120);
  win::headless::ProcessMessages();
  EXPECT_GT(Grid->TopRow(), after);
  win::headless::MouseUp(win::headless::MouseButton::Left, below.x, below.y);
  int stopped = Grid->TopRow();
  win::headless::AdvanceClock(600);
  win::headless::ProcessMessages();
  EXPECT_EQ(Grid->TopRow(), stopped) << "the timer stops with the button";
  EXPECT_EQ(Grid->Selection().Top, 1);
}

TEST_F(CustomGridTest, TypingOpensTheEditorEnterWritesBack) {
  MakeGrid();
  Grid->SetOptions(Grid->Options() + goEditing);
  Press(win::VK_RIGHT);  // cell (2, 1) holds "C1"
  win::headless::TypeText("xy");
  ASSERT_TRUE(Grid->EditorMode());
  TInplaceEdit* ed = Grid->InplaceEditor();
  ASSERT_NE(ed, nullptr);
  EXPECT_TRUE(ed->Visible());
  EXPECT_EQ(ed->Text(), "xy") << "the typed character replaces the text";
  EXPECT_EQ(ed->BoundsRect(), Grid->CellRect(2, 1));
  EXPECT_TRUE(Grid->EditTexts.empty());
  Press(win::VK_RETURN);
  EXPECT_EQ(Grid->EditTexts, std::vector<std::string>{"xy"});
  EXPECT_EQ(Grid->Cell(2, 1), "xy");
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_FALSE(ed->Visible());
  EXPECT_EQ(win::GetFocus(), Grid->Handle());
}

TEST_F(CustomGridTest, EscapeCancelsTheEdit) {
  MakeGrid();
  Grid->SetOptions(Grid->Options() + goEditing);
  win::headless::TypeText("zz");
  ASSERT_TRUE(Grid->EditorMode());
  Press(win::VK_ESCAPE);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_TRUE(Grid->EditTexts.empty());
  EXPECT_EQ(Grid->Cell(1, 1), "B1");
  // Opening it again shows the cell's own text.
  Press(win::VK_F2);
  ASSERT_TRUE(Grid->EditorMode());
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "B1");
}

TEST_F(CustomGridTest, NavigationKeysLeaveTheEditorAndKeepTheText) {
  MakeGrid();
  Grid->SetOptions(Grid->Options() + goEditing);
  win::headless::TypeText("q");
  Press(win::VK_DOWN);
  EXPECT_EQ(Grid->Row(), 2);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cell(1, 1), "q") << "moving away writes the edit back";
  // With the editor always shown it follows the current cell.
  Grid->SetOptions(Grid->Options() + goAlwaysShowEditor);
  ASSERT_TRUE(Grid->EditorMode());
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "B2");
  Press(win::VK_DOWN);
  EXPECT_TRUE(Grid->EditorMode());
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "B3");
  EXPECT_EQ(Grid->InplaceEditor()->BoundsRect(), Grid->CellRect(1, 3));
}

TEST_F(CustomGridTest, EditorFollowsItsCellWhenScrolled) {
  MakeGrid(200, 100);
  Grid->SetOptions(Grid->Options() + goEditing);
  Press(win::VK_F2);
  ASSERT_TRUE(Grid->EditorMode());
  Grid->SetColWidths(0, 30);
  EXPECT_EQ(Grid->InplaceEditor()->BoundsRect(), Grid->CellRect(1, 1));
  Grid->SetLeftCol(2);
  EXPECT_FALSE(Grid->InplaceEditor()->Visible()) << "its cell is scrolled out of view";
  Grid->SetLeftCol(1);
  EXPECT_TRUE(Grid->InplaceEditor()->Visible());
}

TEST_F(CustomGridTest, SizingShowsAnXorLineThatFollowsThePointer) {
  MakeGrid();
  Grid->SetOptions(Grid->Options() + goColSizing);
  auto xorLines = [&] {
    std::vector<int> xs;
    for (const win::DrawOp& op : win::RecordedOps(win::DrawKind::Line))
      if (op.rop2 == win::R2_XORPEN && op.points.size() >= 2) xs.push_back(op.points[0].x);
    return xs;
  };
  win::ClearDrawRecording();
  win::StartDrawRecording();
  win::POINT a = At(101, 10), b = At(121, 10);
  win::headless::MouseMove(a.x, a.y);
  win::headless::MouseDown(win::headless::MouseButton::Left, a.x, a.y);
  EXPECT_EQ(Grid->GridState(), gsColSizing);
  EXPECT_EQ(xorLines(), std::vector<int>{101});
  win::headless::MouseMove(b.x, b.y);
  EXPECT_EQ(xorLines(), (std::vector<int>{101, 101, 121})) << "erased, then drawn at the pointer";
  win::headless::MouseUp(win::headless::MouseButton::Left, b.x, b.y);
  win::StopDrawRecording();
  EXPECT_EQ(xorLines(), (std::vector<int>{101, 101, 121, 121})) << "erased on release";
  EXPECT_EQ(Grid->ColWidths(1), 70);
  // Cancelling the mouse mode drops the new size.
  win::headless::MouseDown(win::headless::MouseButton::Left, At(122, 10).x, At(122, 10).y);
  win::headless::MouseMove(At(150, 10).x, At(150, 10).y);
  Grid->Perform(CM_CANCELMODE, 0, 0);
  EXPECT_EQ(Grid->GridState(), gsNormal);
  win::headless::MouseUp(win::headless::MouseButton::Left, At(150, 10).x, At(150, 10).y);
  EXPECT_EQ(Grid->ColWidths(1), 70);
}
