// Which columns the layout makes, how many of them are fixed, and their widths.
#include "tests/support/GridFixture.h"

#include "platform/rtl/SysUtils.h"

#include <numeric>
#include <vector>

namespace {

class ColumnLayoutTest : public GridTest {
protected:
  // A windowed grid with customised columns A, B, C, ... .
  TDBGridGx* GridWithColumns(int Count) {
    TDBGridGx* Grid = NewGrid();
    Grid->HandleNeeded();
    for (int I = 0; I < Count; ++I) Grid->Columns()->AddColumn()->SetFieldName(std::string(1, char('A' + I)));
    return Grid;
  }
};

TEST_F(ColumnLayoutTest, AGridWithoutStoredColumnsShowsEveryVisibleFieldInOrder) {
  TDBGridGx* Grid = NewGrid();
  TDataSource* Source = NewSource({"Name", "?Flag", "#Amount"}, 2);
  Source->DataSet()->FieldByName("Flag")->SetVisible(false);
  Grid->SetDataSource(Source);
  ASSERT_EQ(Grid->Columns()->Count(), 2);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Field(), Source->DataSet()->FieldByName("Name"));
  EXPECT_EQ(Grid->Columns()->ColumnAt(1)->Field(), Source->DataSet()->FieldByName("Amount"));
  EXPECT_FALSE(Grid->Columns()->IsCustomized());
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->ShownColumns()->Count(), 2);

  // The field comes back: so does its column, in field order.
  Source->DataSet()->FieldByName("Flag")->SetVisible(true);
  Grid->RequestLayout();
  ASSERT_EQ(Grid->Columns()->Count(), 3);
  EXPECT_EQ(Grid->Columns()->ColumnAt(1)->FieldName(), "Flag");

  // Without a dataset one empty column stands in.
  Grid->SetDataSource(nullptr);
  ASSERT_EQ(Grid->Columns()->Count(), 1);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Field(), nullptr);
}

TEST_F(ColumnLayoutTest, AStoredColumnAfterAutomaticOnesFreesTheAutomaticOnes) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(NewSource({"A", "B"}, 1));
  ASSERT_EQ(Grid->Columns()->Count(), 2);
  TColumnGx* Stored = Grid->Columns()->AddColumn();
  Stored->SetFieldName("B");
  ASSERT_EQ(Grid->Columns()->Count(), 1);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0), Stored);
  EXPECT_TRUE(Grid->Columns()->IsCustomized());
  EXPECT_EQ(Grid->ColCount(), 2);
}

// Hidden columns among the frozen ones, or right after them, are fixed too; the fixed
// count never reaches the column count, however many columns are frozen.
TEST_F(ColumnLayoutTest, FixedColumnsCountFrozenAndHiddenColumns) {
  struct Case {
    int Frozen;
    std::vector<int> Hidden;
    int Fixed;
  };
  for (const Case& C : std::vector<Case>{{0, {}, 1},
                                         {2, {}, 3},
                                         {2, {1}, 4},
                                         {2, {2}, 4},
                                         {2, {0, 1}, 4},  // all shown columns frozen: one scrolls
                                         {0, {0}, 2},
                                         {1, {2, 3}, 2},
                                         {0, {0, 1, 2, 3}, 4},
                                         {4, {}, 4},
                                         {9, {}, 4},
                                         {9, {1, 2}, 4}}) {
    TDBGridGx* Grid = GridWithColumns(4);
    for (int I : C.Hidden) Grid->Columns()->ColumnAt(I)->SetVisible(false);
    ASSERT_NO_THROW(Grid->SetFrozenCols(C.Frozen));
    EXPECT_EQ(Grid->FixedCols(), C.Fixed) << "frozen " << C.Frozen << " hidden " << C.Hidden.size();
    EXPECT_EQ(Grid->ColCount(), 5);
    delete Grid;
  }
  // Without the indicator nothing else changes.
  TDBGridGx* Grid = GridWithColumns(2);
  Grid->SetOptions(DefaultDBGridOptions - dgIndicator);
  Grid->SetFrozenCols(5);
  EXPECT_EQ(Grid->FixedCols(), 1);
  EXPECT_EQ(Grid->IndicatorColCount(), 0);
}

TEST_F(ColumnLayoutTest, HiddenColumnsKeepTheirGridColumnWithoutWidth) {
  TDBGridGx* Grid = GridWithColumns(3);
  Grid->Columns()->ColumnAt(1)->SetVisible(false);
  Grid->Columns()->ColumnAt(2)->SetWidth(77);
  EXPECT_EQ(Grid->ColWidths(0), IndicatorWidth);
  EXPECT_EQ(Grid->ColWidths(2), -1);
  EXPECT_EQ(Grid->ColWidths(3), 77);
  Grid->SetOptions(DefaultDBGridOptions - dgColLines);
  EXPECT_EQ(Grid->ColWidths(2), 0);
}

TEST_F(ColumnLayoutTest, OnlyWritableBoundVisibleColumnsAreTabStops) {
  TDBGridGx* Grid = NewGrid();
  TDataSource* Source = NewSource({"A", "B", "C", "D"}, 1);
  Source->DataSet()->FieldByName("B")->SetReadOnly(true);
  Grid->SetDataSource(Source);
  Grid->Columns()->ColumnAt(2)->SetVisible(false);
  Grid->Columns()->ColumnAt(3)->SetReadOnly(true);
  Grid->RequestLayout();
  EXPECT_TRUE(Grid->TabStops(1));
  EXPECT_FALSE(Grid->TabStops(2));
  EXPECT_FALSE(Grid->TabStops(3));
  EXPECT_FALSE(Grid->TabStops(4));
  Source->DataSet()->Close();
  EXPECT_FALSE(Grid->TabStops(1));
}

// Auto-fit columns share the client width left by the others so that the shown
// columns end exactly at the right edge; shares of 0 are equal shares.
TEST_F(ColumnLayoutTest, AutoFitWidthsAddUpToTheClientWidth) {
  struct Case {
    std::vector<int> Shares;
    int ClientWidth;
  };
  for (const Case& C : std::vector<Case>{{{100, 100, 100}, 404},
                                         {{100, 100, 100}, 300},
                                         {{1, 2, 3}, 517},
                                         {{0, 0, 0}, 404},
                                         {{0, 0, 0}, 3},
                                         {{50, 0}, 200},
                                         {{100, 100, 100}, 10}}) {
    const int N = static_cast<int>(C.Shares.size());
    TDBGridGx* Grid = GridWithColumns(N);
    Grid->SetAutoFitColWidths(true);
    Grid->HandleNeeded();
    for (int I = 0; I < N; ++I) Grid->Columns()->ColumnAt(I)->SetProportionalWidth(C.Shares[I]);
    Grid->SetClientWidth(C.ClientWidth);
    Grid->RequestLayout();
    const int R = std::max(0, Grid->ClientWidth() - IndicatorWidth - N - 1);
    int Sum = 0;
    for (int I = 0; I < N; ++I) {
      const int W = Grid->Columns()->ColumnAt(I)->Width();
      EXPECT_GE(W, 0) << I;
      EXPECT_EQ(Grid->ColWidths(I + 1), W);
      Sum += W;
    }
    EXPECT_EQ(Sum, R) << "client " << C.ClientWidth << " shares " << C.Shares[0];
    if (std::accumulate(C.Shares.begin(), C.Shares.end(), 0) == 0) {
      for (int I = 0; I < N; ++I) EXPECT_LE(std::abs(Grid->Columns()->ColumnAt(I)->Width() - R / N), 1);
    }
    delete Grid;
  }
}

// Three shares of 100 in a 404-pixel client with indicator and column lines: 389
// pixels to share, 130 each after rounding, the last one 129.
TEST_F(ColumnLayoutTest, AutoFitLowersTheLastColumnByTheRoundingExcess) {
  TDBGridGx* Grid = GridWithColumns(3);
  Grid->SetAutoFitColWidths(true);
  Grid->HandleNeeded();
  for (int I = 0; I < 3; ++I) Grid->Columns()->ColumnAt(I)->SetProportionalWidth(100);
  Grid->SetClientWidth(404);
  Grid->RequestLayout();
  const int R = Grid->ClientWidth() - IndicatorWidth - 3 - 1;
  const int Each = MulDiv(100, R, 300);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Width(), Each);
  EXPECT_EQ(Grid->Columns()->ColumnAt(1)->Width(), Each);
  EXPECT_EQ(Grid->Columns()->ColumnAt(2)->Width(), R - 2 * Each);
}

TEST_F(ColumnLayoutTest, AColumnHeldByItsLimitsLeavesTheRestToTheOthers) {
  TDBGridGx* Grid = GridWithColumns(3);
  Grid->SetAutoFitColWidths(true);
  Grid->HandleNeeded();
  for (int I = 0; I < 3; ++I) Grid->Columns()->ColumnAt(I)->SetProportionalWidth(100);
  Grid->Columns()->ColumnAt(0)->SetMaxWidth(40);
  Grid->Columns()->ColumnAt(2)->SetAutoFitColWidth(false);
  Grid->Columns()->ColumnAt(2)->SetWidth(60);
  Grid->SetClientWidth(400);
  Grid->RequestLayout();
  const int R = Grid->ClientWidth() - 60 - IndicatorWidth - 3 - 1;
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Width(), 40);
  EXPECT_EQ(Grid->Columns()->ColumnAt(1)->Width(), R - 40);
  EXPECT_EQ(Grid->Columns()->ColumnAt(2)->Width(), 60);
}

}  // namespace
