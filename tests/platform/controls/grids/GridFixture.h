#pragma once
// A grid of text cells that records what the base grid asks of it, on a form of the
// headless desktop.
#include "../ControlsFixture.h"

#include "platform/controls/Grids.h"
#include "platform/desktop/Windows.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class TTestGrid : public TCustomGrid {
public:
  explicit TTestGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  struct Drawn {
    int col, row;
    win::RECT rect;
    TGridDrawState state;
  };
  std::map<std::pair<int, int>, std::string> Cells;
  std::vector<Drawn> DrawnCells;
  std::vector<std::pair<int, int>> MovedColumns;
  std::vector<std::pair<int, int>> MovedRows;
  std::vector<std::string> EditTexts;  // what SetEditText received
  int ColWidthsChangedCount = 0;
  int TopLeftChangedCount = 0;

  std::string& Cell(int c, int r) { return Cells[{c, r}]; }
  const Drawn* FindDrawn(int c, int r) const {
    for (auto it = DrawnCells.rbegin(); it != DrawnCells.rend(); ++it)
      if (it->col == c && it->row == r) return &*it;
    return nullptr;
  }
  using TCustomGrid::GridState;
  using TCustomGrid::Paint;

protected:
  void DrawCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState) override {
    DrawnCells.push_back({ACol, ARow, ARect, AState});
    auto it = Cells.find({ACol, ARow});
    if (it != Cells.end()) Canvas()->TextRect(ARect, ARect.left + 2, ARect.top + 2, it->second);
  }
  void ColumnMoved(int FromIndex, int ToIndex) override { MovedColumns.push_back({FromIndex, ToIndex}); }
  void RowMoved(int FromIndex, int ToIndex) override { MovedRows.push_back({FromIndex, ToIndex}); }
  void ColWidthsChanged() override {
    ++ColWidthsChangedCount;
    TCustomGrid::ColWidthsChanged();
  }
  void TopLeftChanged() override {
    ++TopLeftChangedCount;
    TCustomGrid::TopLeftChanged();
  }
  std::string GetEditText(int ACol, int ARow) override { return Cell(ACol, ARow); }
  void SetEditText(int ACol, int ARow, const std::string& Value) override {
    EditTexts.push_back(Value);
    Cell(ACol, ARow) = Value;
  }
};

class CustomGridTest : public ControlsTest {
protected:
  // A shown form with a grid of 5 x 6 cells (1 fixed of each) at client (0, 0).
  TTestGrid* MakeGrid(int width = 300, int height = 160) {
    Form = new TForm(nullptr);
    Form->SetBounds(50, 40, width + 40, height + 60);
    Grid = new TTestGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    Grid->SetBounds(0, 0, width, height);
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
    Grid->SetDefaultColWidth(50);
    Grid->SetDefaultRowHeight(20);
    for (int c = 0; c < 5; ++c)
      for (int r = 0; r < 6; ++r) Grid->Cell(c, r) = std::string(1, char('A' + c)) + std::to_string(r);
    Form->Show();
    Grid->SetFocus();
    win::headless::ProcessMessages();
    return Grid;
  }
  void TearDown() override {
    delete Form;
    Form = nullptr;
    ControlsTest::TearDown();
  }
  // Screen point of a client point of the grid.
  win::POINT At(int x, int y) { return Grid->ClientToScreen({x, y}); }
  void Press(win::UINT vk, win::UINT modifiers = 0) {
    if (modifiers) win::headless::PressKeys(modifiers, vk);
    else win::headless::PressKey(vk);
  }
  void Drag(int x0, int y0, int x1, int y1) {
    win::POINT a = At(x0, y0), b = At(x1, y1);
    win::headless::MouseMove(a.x, a.y);
    win::headless::MouseDown(win::headless::MouseButton::Left, a.x, a.y);
    win::headless::MouseMove((a.x + b.x) / 2, (a.y + b.y) / 2);
    win::headless::MouseMove(b.x, b.y);
    win::headless::MouseUp(win::headless::MouseButton::Left, b.x, b.y);
  }

  TForm* Form = nullptr;
  TTestGrid* Grid = nullptr;
};
