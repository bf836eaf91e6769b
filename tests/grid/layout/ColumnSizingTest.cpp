// What a column border dragged by the user does to the columns' widths and shares.
#include "tests/support/GridFixture.h"

namespace {

// A grid whose columns the test sizes as the user would.
class TSizingGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  void UserSizes(int DataCol, int Width) {
    SetColWidths(DataToGridColumn(DataCol), Width);
    ColWidthsChanged();
  }
  int Notified = 0;
};

class ColumnSizingTest : public GridTest {
protected:
  TSizingGrid* SizingGrid(int Columns, bool AutoFit) {
    auto* Grid = new TSizingGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetOnColWidthsChanged(TNotifyEvent([Grid](TObject*) { ++Grid->Notified; }));
    Grid->HandleNeeded();
    for (int I = 0; I < Columns; ++I) Grid->Columns()->AddColumn()->SetFieldName(std::string(1, char('A' + I)));
    if (AutoFit) {
      Grid->SetAutoFitColWidths(true);
      Grid->HandleNeeded();
      for (int I = 0; I < Columns; ++I) Grid->Columns()->ColumnAt(I)->SetProportionalWidth(100);
      Grid->SetClientWidth(IndicatorWidth + 1 + Columns * 101);
      Grid->RequestLayout();
    }
    return Grid;
  }
  static int Share(TDBGridGx* Grid, int I) { return Grid->Columns()->ColumnAt(I)->ProportionalWidth(); }
  static int Width(TDBGridGx* Grid, int I) { return Grid->Columns()->ColumnAt(I)->Width(); }
};

TEST_F(ColumnSizingTest, WithoutAutoFitTheColumnTakesTheDraggedWidthWithinItsLimits) {
  TSizingGrid* Grid = SizingGrid(2, false);
  Grid->Columns()->ColumnAt(0)->SetMaxWidth(90);
  Grid->UserSizes(1, 120);
  EXPECT_EQ(Width(Grid, 1), 120);
  Grid->UserSizes(0, 150);
  EXPECT_EQ(Width(Grid, 0), 90);
  EXPECT_EQ(Grid->ColWidths(1), 90);
  EXPECT_EQ(Grid->Notified, 2);
  EXPECT_EQ(Grid->LayoutLockCount(), 0);
  EXPECT_EQ(Grid->UpdateLockCount(), 0);
}

// The sized column's share follows its width; the next column gives up what it gained,
// and the layout spreads the widths to the client width again.
TEST_F(ColumnSizingTest, WithAutoFitTheNextColumnGivesUpTheShare) {
  TSizingGrid* Grid = SizingGrid(3, true);
  ASSERT_EQ(Width(Grid, 0), 100);
  Grid->UserSizes(0, 150);
  EXPECT_EQ(Share(Grid, 0), 150);
  EXPECT_EQ(Share(Grid, 1), 50);
  EXPECT_EQ(Share(Grid, 2), 100);
  EXPECT_EQ(Width(Grid, 0) + Width(Grid, 1) + Width(Grid, 2), 300);
  // A next column with too small a share ends at 0, never below.
  Grid->UserSizes(0, 290);
  EXPECT_GE(Share(Grid, 1), 0);
  for (int I = 0; I < 3; ++I) EXPECT_GE(Width(Grid, I), 0) << I;
}

TEST_F(ColumnSizingTest, ResizingTheWholeRightPartScalesTheColumnsToTheRight) {
  TSizingGrid* Grid = SizingGrid(3, true);
  Grid->SetOptionsGx(Grid->OptionsGx() + dghResizeWholeRightPart);
  Grid->UserSizes(0, 160);
  EXPECT_EQ(Share(Grid, 0), 160);
  // The 200 pixels to the right lose the 60 the first column gained, in proportion.
  EXPECT_EQ(Share(Grid, 1), 70);
  EXPECT_EQ(Share(Grid, 2), 70);
  // Each keeps a share of 1 at least.
  Grid->UserSizes(0, 299);
  EXPECT_GE(Share(Grid, 1), 1);
  EXPECT_GE(Share(Grid, 2), 1);
}

// A column the layout left 0 wide gives no ratio: its share stays as it was instead of
// turning negative.
TEST_F(ColumnSizingTest, AColumnWithoutWidthKeepsItsShare) {
  for (const bool WholeRightPart : {false, true}) {
    Form = std::make_unique<TForm>(nullptr);
    TSizingGrid* Grid = SizingGrid(2, true);
    if (WholeRightPart) Grid->SetOptionsGx(Grid->OptionsGx() + dghResizeWholeRightPart);
    Grid->SetClientWidth(5);
    Grid->RequestLayout();
    ASSERT_EQ(Width(Grid, 0), 0);
    Grid->UserSizes(0, 40);
    EXPECT_EQ(Share(Grid, 0), 100) << WholeRightPart;
    EXPECT_GE(Share(Grid, 1), 0) << WholeRightPart;
    for (int I = 0; I < 2; ++I) EXPECT_GE(Width(Grid, I), 0) << I;
  }
}

}  // namespace
