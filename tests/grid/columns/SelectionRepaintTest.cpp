// Extending a cell rectangle repaints only the cells whose selection changed, and the
// rectangle follows columns that are deleted or moved.
#include "tests/support/GridFixture.h"

#include <set>
#include <utility>

#include "platform/desktop/Windows.h"

namespace {

TEST(DifferenceRects, BandsOutsideTheIntersection) {
  using R = win::RECT;
  const R None{};
  const struct {
    const char* Name;
    R A, B;
    std::array<R, 4> Expected;
  } Cases[] = {
      {"apart", {0, 0, 10, 10}, {20, 0, 30, 10}, {R{0, 0, 10, 10}, R{20, 0, 30, 10}, None, None}},
      {"equal", {0, 0, 10, 10}, {0, 0, 10, 10}, {None, None, None, None}},
      {"grown to the right", {0, 0, 10, 10}, {0, 0, 15, 10}, {None, None, R{10, 0, 15, 10}, None}},
      {"grown down", {0, 0, 10, 10}, {0, 0, 10, 14}, {None, None, None, R{0, 10, 10, 14}}},
      {"grown to the left and up", {5, 5, 10, 10}, {0, 0, 10, 10}, {R{0, 0, 5, 10}, R{5, 0, 10, 5}, None, None}},
      // Right and down at once: the corner belongs to the right band only.
      {"grown both ways", {0, 0, 10, 10}, {0, 0, 15, 14}, {None, None, R{10, 0, 15, 14}, R{0, 10, 10, 14}}},
      // Crossing bars: each band is limited to what one of them covers.
      {"crossing", {0, 4, 20, 6}, {8, 0, 12, 10}, {R{0, 4, 8, 6}, R{8, 0, 12, 4}, R{12, 4, 20, 6}, R{8, 6, 12, 10}}},
      {"one empty", {0, 0, 10, 10}, None, {R{0, 0, 10, 10}, None, None, None}},
  };
  for (const auto& Case : Cases) {
    const std::array<R, 4> Got = DifferenceRects(Case.A, Case.B);
    for (std::size_t i = 0; i < 4; ++i) {
      const R& g = Got[i];
      const R& e = Case.Expected[i];
      EXPECT_TRUE(g.left == e.left && g.top == e.top && g.right == e.right && g.bottom == e.bottom)
          << Case.Name << " entry " << i << ": " << g.left << "," << g.top << "," << g.right << "," << g.bottom;
    }
  }
}

std::string RowName(int Row) { return "R" + std::to_string(Row + 1); }

class SelectionRepaintTest : public GridTest {
protected:
  static constexpr int Records = 5;
  TDBGridGx* Grid = nullptr;
  TDataSet* DataSet = nullptr;
  TDBGridGxSelectionRect* Rect = nullptr;
  std::vector<std::string> Marks;

  void SetUp() override {
    Grid = NewGrid();
    Grid->SetBounds(0, 0, 400, 300);
    TDataSource* Source = NewSource({"A", "B", "C", "D"}, Records, RowName);
    Grid->SetDataSource(Source);
    DataSet = Source->DataSet();
    for (int i = 0; i < 4; ++i) Grid->Columns()->AddColumn()->SetFieldName(std::string(1, char('A' + i)));
    // The rows and the record window a full layout gives a grid of this height.
    Grid->GridLink()->SetBufferCount(Records);
    Grid->SetRowCount(Grid->TitleAreaRowCount() + Records);
    Grid->HandleNeeded();
    for (DataSet->First(); !DataSet->Eof(); DataSet->Next()) Marks.push_back(DataSet->Bookmark());
    DataSet->First();
    Rect = Grid->GridSelection()->Rect();
  }

  // The data cells (column, row) whose centres lie in the window's update region.
  std::set<std::pair<int, int>> Dirty() {
    std::set<std::pair<int, int>> cells;
    const std::vector<win::RECT> rects = win::GetUpdateRects(Grid->Handle());
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < Records; ++r) {
        const win::RECT cell = Grid->CellRect(Grid->DataToGridColumn(c), Grid->TitleAreaRowCount() + r);
        const int x = (cell.left + cell.right) / 2, y = (cell.top + cell.bottom) / 2;
        for (const win::RECT& u : rects)
          if (x >= u.left && x < u.right && y >= u.top && y < u.bottom) cells.insert({c, r});
      }
    return cells;
  }
  std::set<std::pair<int, int>> Block(int C1, int R1, int C2, int R2) {
    std::set<std::pair<int, int>> cells;
    for (int c = C1; c <= C2; ++c)
      for (int r = R1; r <= R2; ++r) cells.insert({c, r});
    return cells;
  }
  void Extend(int Col, int Row) {
    win::ValidateRect(Grid->Handle(), nullptr);
    Rect->ExtendTo(Col, Marks[static_cast<std::size_t>(Row)], true);
  }
};

TEST_F(SelectionRepaintTest, ExtendingInvalidatesOnlyTheCellsThatChanged) {
  Rect->ExtendTo(0, Marks[0], false);
  Extend(1, 1);
  EXPECT_EQ(Dirty(), Block(0, 0, 1, 1));
  Extend(2, 1);  // one column more
  EXPECT_EQ(Dirty(), Block(2, 0, 2, 1));
  Extend(2, 3);  // two rows more
  EXPECT_EQ(Dirty(), Block(0, 2, 2, 3));
  Extend(1, 2);  // back by a column and a row: an L of cells
  auto L = Block(2, 0, 2, 3);
  for (auto cell : Block(0, 3, 1, 3)) L.insert(cell);
  EXPECT_EQ(Dirty(), L);
  Extend(1, 2);  // the same cell again: nothing to paint
  EXPECT_TRUE(Dirty().empty());
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstRectangle);
}

TEST_F(SelectionRepaintTest, TheRectangleFollowsDeletedAndMovedColumns) {
  Rect->ExtendTo(1, Marks[0], false);
  Rect->ExtendTo(3, Marks[2], true);
  ASSERT_EQ(Grid->GridSelection()->Kind(), gstRectangle);
  // The last column goes: the rectangle ends at the new last one.
  delete Grid->Columns()->ColumnAt(3);
  EXPECT_EQ(Rect->GetEndColumn(), 2);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstRectangle);
  EXPECT_TRUE(Grid->GridSelection()->DataCellSelected(2, Marks[1]));
  EXPECT_EQ(Grid->GridSelection()->GridBounds().Right, Grid->DataToGridColumn(2));

  // Columns changing places: the cells no longer mean what was chosen.
  Grid->Columns()->ColumnAt(0)->SetIndex(2);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
  EXPECT_EQ(Rect->Anchor().Col, -1);

  // The last columns all go: nothing is left to select.
  Rect->ExtendTo(0, Marks[0], false);
  Rect->ExtendTo(2, Marks[1], true);
  Grid->Columns()->Clear();
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
  EXPECT_EQ(Rect->Anchor().Col, -1);
  EXPECT_EQ(Rect->Shift().Col, -1);
}

}  // namespace
