// The lookup grid's height holds whole data rows, from 1 to 100.
#include "tests/support/LookupFixture.h"

namespace {
// Client height that N data rows need (no titles, no row lines).
int RowsHeight(TDBLookupGridGx* G, int N) { return N * G->DataRowHeight(); }
}  // namespace

TEST_F(LookupTest, DisplayRowCountIsClampedAndSetsTheHeight) {
  Open();
  struct Case {
    int Written, Rows;
  } Cases[] = {{0, 1}, {-5, 1}, {1, 1}, {7, 7}, {100, 100}, {250, 100}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Written);
    Grid->SetDisplayRowCount(C.Written);
    EXPECT_EQ(Grid->DisplayRowCount(), C.Rows);
    EXPECT_EQ(Grid->ClientHeight(), RowsHeight(Grid, C.Rows));
  }
}

TEST_F(LookupTest, HeightsFromOutsideSnapToWholeRows) {
  Open();
  const int H = Grid->DataRowHeight(), NC = Grid->NonClientHeight();
  Grid->SetHeight(NC + 3 * H + H / 2);
  EXPECT_EQ(Grid->DisplayRowCount(), 3);
  EXPECT_EQ(Grid->Height(), NC + 3 * H);
  Grid->SetHeight(2);
  EXPECT_EQ(Grid->DisplayRowCount(), 1);
  EXPECT_EQ(Grid->Height(), NC + H);
}

TEST_F(LookupTest, TitlesAddTheirHeight) {
  Open();
  Grid->SetDisplayRowCount(4);
  const int Before = Grid->ClientHeight();
  Grid->SetShowTitles(true);
  EXPECT_EQ(Grid->DisplayRowCount(), 4);
  EXPECT_EQ(Grid->ClientHeight(), Before + Grid->RowHeights(0));
}

TEST_F(LookupTest, FirstOpeningWithSpecialRowKeepsEveryDataRow) {
  // The special row becomes visible before any bounds were set with it.
  Open(20, 5, false, false);
  Grid->SpecRow()->SetVisible(true);
  Grid->SetDisplayRowCount(5);
  EXPECT_EQ(Grid->DisplayRowCount(), 5);
  EXPECT_EQ(Grid->ClientHeight(), RowsHeight(Grid, 5) + Grid->SpecRowHeight());
}

TEST_F(LookupTest, RowsOfNoHeightLeaveTheCountAlone) {
  Open();
  Grid->SetDisplayRowCount(4);
  Grid->SetDefaultRowHeight(0);
  Grid->SetHeight(80);
  EXPECT_EQ(Grid->DisplayRowCount(), 4);
}
