#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gridcontrols/ToolCtrlsGx.h"
#include "platform/controls/Control.h"
#include "platform/desktop/Windows.h"

namespace {

std::vector<std::string> Cells(TSpecRowGx& row) {
  std::vector<std::string> cells;
  for (int i = 0; i < row.CellCount(); ++i) cells.push_back(row.CellTextAt(i));
  return cells;
}

TEST(SpecRow, CellsTextSplitting) {
  const struct {
    const char* Text;
    std::vector<std::string> Cells;
  } cases[] = {
      {"a;b", {"a", "b"}},
      {"  a ; b", {"  a ", " b"}},  // blanks belong to the cells
      {"\ta;\t\tb\t", {"a", "b"}},   // control characters around cells are skipped
      {"a;", {"a"}},
      {";a", {"", "a"}},
      {"a;;b", {"a", "", "b"}},
      {"\"x;y\";z", {"x;y", "z"}},
      {"\"a\"b", {"a", "b"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"\"open", {"open"}},
      {"a\tb", {"a", "b"}},
      {"北京;上海", {"北京", "上海"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    TSpecRowGx row(nullptr);
    row.SetCellsText(c.Text);
    EXPECT_EQ(Cells(row), c.Cells) << c.Text;
    EXPECT_EQ(row.CellsText(), c.Text);
  }
}

TEST(SpecRow, CellTextAtOutOfRangeIsEmpty) {
  TSpecRowGx row(nullptr);
  row.SetCellsText("a;b");
  EXPECT_EQ(row.CellTextAt(-1), "");
  EXPECT_EQ(row.CellTextAt(1), "b");
  EXPECT_EQ(row.CellTextAt(2), "");
}

TEST(SpecRow, DefaultsAndChangeReports) {
  TSpecRowGx row(nullptr);
  EXPECT_TRUE(VarIsNull(row.Value()));
  EXPECT_TRUE(row.ShowIfNotInKeyList());
  EXPECT_FALSE(row.Visible());
  EXPECT_EQ(row.ShortCut(), 0x802E);
  int changes = 0;
  row.SetOnChanged([&](TObject*) { ++changes; });
  row.SetVisible(true);
  row.SetVisible(true);
  row.SetValue(Variant(5));
  row.SetValue(Variant(5));
  row.SetValue(Variant("5"));  // another type is another value
  row.SetCellsText("x");
  EXPECT_EQ(changes, 4);
  row.BeginUpdate();
  row.SetVisible(false);
  row.SetCellsText("y");
  EXPECT_EQ(changes, 4);
  row.EndUpdate();
  EXPECT_EQ(changes, 5);
}

TEST(SpecRow, FontAndColorFollowTheOwnerControlUntilAssigned) {
  TControl owner(nullptr);
  owner.SetColor(clYellow);
  owner.Font()->SetName("Arial");
  TSpecRowGx row(&owner);
  EXPECT_EQ(row.Color(), clYellow);
  EXPECT_FALSE(row.ColorAssigned());
  owner.SetColor(clAqua);
  EXPECT_EQ(row.Color(), clAqua);
  owner.Font()->SetSize(14);
  EXPECT_EQ(row.Font()->Size(), 14);
  EXPECT_FALSE(row.FontAssigned());
  row.Font()->SetSize(20);
  EXPECT_TRUE(row.FontAssigned());
  owner.Font()->SetSize(9);
  EXPECT_EQ(row.Font()->Size(), 20);
  row.SetColor(clRed);
  owner.SetColor(clLime);
  EXPECT_EQ(row.Color(), clRed);
}

TEST(SpecRow, AssignCopiesTheEffectiveColorAndOneChange) {
  TControl owner(nullptr);
  owner.SetColor(clYellow);
  TSpecRowGx source(&owner);
  source.SetCellsText("(none)");
  source.SetValue(Variant(0));
  source.SetVisible(true);
  TSpecRowGx target(nullptr);
  int changes = 0;
  target.SetOnChanged([&](TObject*) { ++changes; });
  target.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(target.Color(), clYellow);
  EXPECT_TRUE(target.ColorAssigned());
  EXPECT_FALSE(target.FontAssigned());
  EXPECT_EQ(target.CellTextAt(0), "(none)");
  EXPECT_TRUE(VariantsEqual(target.Value(), Variant(0)));
  EXPECT_TRUE(target.Visible());
}

TEST(SpecRow, WithinDoubleClick) {
  const int time = static_cast<int>(win::GetDoubleClickTime());
  const int cx = win::GetSystemMetrics(win::SM_CXDOUBLECLK);
  const int cy = win::GetSystemMetrics(win::SM_CYDOUBLECLK);
  const win::POINT first{100, 100};
  const struct {
    win::POINT Second;
    int Elapsed;
    bool Double;
  } cases[] = {
      {{100, 100}, 0, true},
      {{100, 100}, time, true},
      {{100, 100}, time + 1, false},
      {{100 + cx, 100 - cy}, 10, true},
      {{100 - cx - 1, 100}, 10, false},
      {{100, 100 + cy + 1}, 10, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WithinDoubleClick(first, c.Second, c.Elapsed), c.Double)
        << c.Second.x << "," << c.Second.y << " after " << c.Elapsed;
}

}  // namespace
