// Navigation clears a selection only when the grid's dghClearSelection option says so.
#include "tests/support/GridFixture.h"

#include "grid/DBGridGx/GridDataLink.h"
#include "platform/desktop/Headless.h"

namespace {

namespace hl = win::headless;

class ClearSelectionTest : public GridTest {
protected:
  // A shown, focused multi-select grid on five records, on the first one.
  void Open(TDBGridGxAllowedSelections Allowed, bool Clearing) {
    Form->SetBounds(50, 50, 400, 300);
    TDataSource* Source = NewSource({"A", "B"}, 5, [](int R) { return "r" + std::to_string(R); });
    Grid = NewGrid();
    Grid->SetBounds(0, 0, 380, 260);
    Grid->SetDataSource(Source);
    Grid->SetOptions(Grid->Options() + TDBGridOptions{dgMultiSelect});
    Grid->SetAllowedSelections(Allowed);
    TDBGridGxOptions Gx = Grid->OptionsGx();
    if (Clearing) Gx.Include(dghClearSelection);
    else Gx.Exclude(dghClearSelection);
    Grid->SetOptionsGx(Gx);
    Form->Show();
    Grid->SetFocus();
    Source->DataSet()->First();
  }

  TDBGridGx* Grid = nullptr;
};

TEST_F(ClearSelectionTest, MovingClearsRowsAndRectanglesOnlyWithTheOption) {
  const struct {
    const char* Name;
    TDBGridGxAllowedSelections Allowed;
    TDBGridGxSelectionType Kind;
    win::UINT Extend;
  } Selections[] = {
      {"rows", TDBGridGxAllowedSelections{gstRecordBookmarks}, gstRecordBookmarks, win::VK_DOWN},
      {"rectangle", TDBGridGxAllowedSelections{gstRectangle}, gstRectangle, win::VK_RIGHT},
  };
  for (const auto& S : Selections)
    for (bool Clearing : {true, false}) {
      Form = std::make_unique<TForm>(nullptr);
      Open(S.Allowed, Clearing);
      hl::PressKeys(win::MOD_SHIFT, S.Extend);
      hl::PressKeys(win::MOD_SHIFT, win::VK_DOWN);
      ASSERT_EQ(Grid->GridSelection()->Kind(), S.Kind) << S.Name;
      const int Marked = Grid->BookmarkedRows()->Count();
      hl::PressKey(win::VK_DOWN);
      if (Clearing) {
        EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon) << S.Name;
        EXPECT_EQ(Grid->BookmarkedRows()->Count(), 0) << S.Name;
      } else {
        EXPECT_EQ(Grid->GridSelection()->Kind(), S.Kind) << S.Name << " stays without dghClearSelection";
        EXPECT_EQ(Grid->BookmarkedRows()->Count(), Marked) << S.Name;
      }
    }
}

TEST_F(ClearSelectionTest, TurningMultiSelectOffDropsTheSelectionEvenWithoutTheOption) {
  Open(TDBGridGxAllowedSelections{gstRecordBookmarks}, false);
  hl::PressKeys(win::MOD_SHIFT, win::VK_DOWN);
  ASSERT_GT(Grid->BookmarkedRows()->Count(), 0);
  Grid->SetOptions(Grid->Options() - TDBGridOptions{dgMultiSelect});
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 0);
}

TEST_F(ClearSelectionTest, AnotherDataSourceDropsTheMarksOfTheOldOne) {
  Open(TDBGridGxAllowedSelections{gstRecordBookmarks}, false);
  hl::PressKeys(win::MOD_SHIFT, win::VK_DOWN);
  ASSERT_GT(Grid->BookmarkedRows()->Count(), 0);
  auto* Other = new TDataSource(Form.get());
  Other->SetDataSet(Grid->DataSource()->DataSet());
  Grid->SetDataSource(Other);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 0);
}

}  // namespace
