// The horizontal scroll bar, row sizing, the mouse wheel and reloading the editor.
#include "GridFixture.h"

TEST_F(CustomGridTest, HorizontalScrollBarFollowsTheView) {
  MakeGrid(200, 120);
  Grid->SetScrollBars(ssHorizontal);
  win::headless::ProcessMessages();
  ASSERT_EQ(Grid->ClientWidth(), 200);
  auto scroll = [&](win::WORD code, win::WORD pos = 0) {
    Grid->Perform(win::WM_HSCROLL, win::MAKEWPARAM(code, pos), 0);
  };
  win::SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = win::SIF_RANGE;
  ASSERT_TRUE(win::GetScrollInfo(Grid->Handle(), win::SB_HORZ, &si));
  EXPECT_EQ(si.nMax, 127);
  // Columns of 50 in 200 pixels: LeftCol runs from 1 to 3.
  struct Step { win::WORD code, pos; int left, barPos; } steps[] = {
      {win::SB_LINEDOWN, 0, 2, 64}, {win::SB_LINEDOWN, 0, 3, 127}, {win::SB_LINEDOWN, 0, 3, 127},
      {win::SB_LINEUP, 0, 2, 64},   {win::SB_TOP, 0, 1, 0},        {win::SB_THUMBPOSITION, 127, 3, 127},
      {win::SB_PAGEUP, 0, 1, 0},    {win::SB_THUMBTRACK, 127, 1, 0},  // no tracking without goThumbTracking
  };
  for (const Step& s : steps) {
    scroll(s.code, s.pos);
    EXPECT_EQ(Grid->LeftCol(), s.left) << "code " << s.code;
    EXPECT_EQ(win::GetScrollPos(Grid->Handle(), win::SB_HORZ), s.barPos) << "code " << s.code;
  }
  Grid->SetOptions(Grid->Options() + goThumbTracking);
  scroll(win::SB_THUMBTRACK, 127);
  EXPECT_EQ(Grid->LeftCol(), 3);
  // When every column fits there is nothing to scroll.
  Grid->SetDefaultColWidth(30);
  EXPECT_EQ(Grid->LeftCol(), 1);
  ASSERT_TRUE(win::GetScrollInfo(Grid->Handle(), win::SB_HORZ, &si));
  EXPECT_EQ(si.nMax, 0);
}

TEST_F(CustomGridTest, DraggingARowBorderResizesIt) {
  class Rows : public TTestGrid {
  public:
    using TTestGrid::TTestGrid;
    int Changed = 0;
    void RowHeightsChanged() override {
      ++Changed;
      TTestGrid::RowHeightsChanged();
    }
  };
  Form = new TForm(nullptr);
  Form->SetBounds(50, 40, 340, 220);
  auto* g = new Rows(Form);
  Grid = g;
  g->SetParent(Form);
  g->SetBorderStyle(bsNone);
  g->SetScrollBars(ssNone);
  g->SetBounds(0, 0, 300, 160);
  g->SetDefaultColWidth(50);
  g->SetDefaultRowHeight(20);
  g->SetOptions(g->Options() + goRowSizing);
  Form->Show();
  win::headless::ProcessMessages();
  // The border below row 1 lies at y = 41, inside the fixed column.
  Drag(10, 41, 10, 66);
  EXPECT_EQ(g->RowHeights(1), 45);
  EXPECT_EQ(g->Changed, 1);
  EXPECT_EQ(g->CellRect(1, 2).top, 67);
  // Outside the fixed column a press selects instead.
  Drag(80, 67, 80, 90);
  EXPECT_EQ(g->RowHeights(2), 20);
  EXPECT_EQ(g->Changed, 1);
}

TEST_F(CustomGridTest, MouseWheelMovesTheCurrentRow) {
  MakeGrid();
  win::POINT p = At(60, 30);
  win::headless::MouseWheel(-120, p.x, p.y);
  EXPECT_EQ(Grid->Row(), 2);
  win::headless::MouseWheel(120, p.x, p.y);
  win::headless::MouseWheel(120, p.x, p.y);
  EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(CustomGridTest, InvalidateEditorReloadsTheCell) {
  MakeGrid();
  Grid->SetOptions(Grid->Options() + goEditing);
  Press(win::VK_F2);
  ASSERT_TRUE(Grid->EditorMode());
  Grid->Cell(1, 1) = "changed elsewhere";
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "B1");
  Grid->InvalidateEditor();
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "changed elsewhere");
  // Without goEditing the editor closes and typing opens none.
  Grid->SetOptions(Grid->Options() - goEditing);
  EXPECT_FALSE(Grid->EditorMode());
  win::headless::TypeText("x");
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cell(1, 1), "changed elsewhere");
}
