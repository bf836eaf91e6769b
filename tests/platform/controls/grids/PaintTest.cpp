// Painting: every shown cell through DrawCell with its state, the lines of each area,
// and a snapshot of the grid.
#include "GridFixture.h"

#include "platform/graphics/DrawRecord.h"

#include <algorithm>
#include <cstdio>

namespace {

void Repaint(TTestGrid* g) {
  g->DrawnCells.clear();
  g->Invalidate();
  g->Update();
  win::headless::ProcessMessages();
}

}  // namespace

TEST_F(CustomGridTest, PaintDrawsEveryShownCellWithItsState) {
  MakeGrid(300, 100);  // rows 0..3 whole, row 4 cut at the bottom
  Press(win::VK_RIGHT, win::MOD_SHIFT);  // selection (1,1)-(2,1), current (2,1)
  Repaint(Grid);
  struct Case { int col, row; TGridDrawState state; } cases[] = {
      {0, 0, {gdFixed}}, {3, 0, {gdFixed}}, {0, 4, {gdFixed}},
      {1, 1, {gdSelected}}, {2, 1, {gdFocused}}, {3, 1, {}}, {4, 4, {}},
  };
  for (auto c : cases) {
    const TTestGrid::Drawn* d = Grid->FindDrawn(c.col, c.row);
    ASSERT_NE(d, nullptr) << c.col << "," << c.row;
    EXPECT_EQ(d->state, c.state) << c.col << "," << c.row;
    EXPECT_EQ(d->rect, Grid->CellRect(c.col, c.row));
  }
  EXPECT_EQ(Grid->FindDrawn(0, 5), nullptr) << "below the client area";
  EXPECT_EQ(Grid->DrawnCells.size(), 25u);
  // Hidden columns are not drawn.
  Grid->SetColWidths(3, -1);
  Repaint(Grid);
  EXPECT_EQ(Grid->FindDrawn(3, 1), nullptr);
  EXPECT_NE(Grid->FindDrawn(4, 1), nullptr);
}

TEST_F(CustomGridTest, PaintDrawsTheLinesOfEachArea) {
  MakeGrid(300, 100);
  win::StartDrawRecording();
  Repaint(Grid);
  auto lines = win::RecordedOps(win::DrawKind::Line, Grid->Handle());
  win::StopDrawRecording();
  auto vertical = [&](int x, win::COLORREF color) {
    return std::count_if(lines.begin(), lines.end(), [&](const win::DrawOp& op) {
      return op.points.size() >= 2 && op.points[0].x == x && op.points[1].x == x && op.color == color;
    });
  };
  // After the fixed column at x = 50; between data columns at x = 101.
  EXPECT_GT(vertical(50, 0x000000), 0) << "fixed lines are black";
  EXPECT_GT(vertical(101, 0xC0C0C0), 0) << "data lines are silver";

  Grid->SetOptions({});
  win::ClearDrawRecording();
  win::StartDrawRecording();
  Repaint(Grid);
  lines = win::RecordedOps(win::DrawKind::Line, Grid->Handle());
  win::StopDrawRecording();
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(Grid->DrawnCells.size(), 25u) << "cells are drawn without lines too";
}

TEST_F(CustomGridTest, DefaultDrawingFillsCellsAndFramesTheFocus) {
  MakeGrid(300, 100);  // 255 pixels of cells, the rest of the width filled with Color
  auto count = [&](win::DrawKind kind) {
    win::ClearDrawRecording();
    win::StartDrawRecording();
    Repaint(Grid);
    size_t n = win::RecordedOps(kind, Grid->Handle()).size();
    win::StopDrawRecording();
    return n;
  };
  size_t filled = count(win::DrawKind::Fill);
  EXPECT_EQ(count(win::DrawKind::FocusRect), 1u);
  Grid->SetDefaultDrawing(false);
  EXPECT_EQ(filled - count(win::DrawKind::Fill), 25u) << "one background fill per cell";
  EXPECT_EQ(count(win::DrawKind::FocusRect), 0u);
  EXPECT_EQ(Grid->DrawnCells.size(), 25u);
}

TEST_F(CustomGridTest, Snapshot) {
  MakeGrid(300, 140);
  Grid->SetOptions(Grid->Options() + goEditing);
  Press(win::VK_DOWN);
  Press(win::VK_RIGHT, win::MOD_SHIFT);
  Grid->SetColWidths(2, 70);
  Repaint(Grid);
  std::string file = ::testing::TempDir() + "grid-snapshot.png";
  ASSERT_TRUE(win::SaveWindowPng(Form->Handle(), file));
  std::FILE* f = std::fopen(file.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char sig[8] = {};
  EXPECT_EQ(std::fread(sig, 1, 8, f), 8u);
  std::fclose(f);
  EXPECT_EQ(sig[1], 'P');
  EXPECT_EQ(sig[2], 'N');
}
