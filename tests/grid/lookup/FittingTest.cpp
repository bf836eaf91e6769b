// Columns fitted to the lookup grid's width, its options and its vertical bar.
#include "tests/support/LookupFixture.h"

#include "grid/DBGridGx/ScrollBarSettings.h"

TEST_F(LookupTest, FittedColumnsFillTheWidthAndGiveTheTotalWidth) {
  Open(20, 5, true);
  Grid->SetFitColumnsToWidth(true);
  win::headless::ProcessMessages();
  EXPECT_FALSE(Grid->HorzScrollBar()->Visible());
  int Sum = 0, Proportional = 0;
  for (int I = 0; I < Grid->Columns()->Count(); ++I) {
    Sum += Grid->Columns()->ColumnAt(I)->Width() + Grid->GridLineWidth();
    Proportional += Grid->Columns()->ColumnAt(I)->ProportionalWidth() + Grid->GridLineWidth();
  }
  EXPECT_LE(std::abs(Sum - Grid->ClientWidth()), 2 * Grid->Columns()->Count());
  EXPECT_EQ(Grid->ColumnsTotalWidth(), Proportional);
  // Without fitting the widths count, hidden columns only with their line.
  Grid->SetFitColumnsToWidth(false);
  Grid->Columns()->ColumnAt(1)->SetVisible(false);
  EXPECT_EQ(Grid->ColumnsTotalWidth(), Grid->Columns()->ColumnAt(0)->Width() + 2 * Grid->GridLineWidth());
}

TEST_F(LookupTest, AGridFittedBeforeItHasAWindowGetsOneThatSurvivesSizing) {
  Open(20, 5, true);
  Grid->SetParent(nullptr);  // no window any more
  ASSERT_FALSE(Grid->HandleAllocated());
  Grid->SetFitColumnsToWidth(true);
  Grid->SetParent(Form.get());
  ASSERT_NO_THROW(Grid->HandleNeeded());
  win::headless::ProcessMessages();
  EXPECT_TRUE(win::IsWindow(Grid->Handle()));
  Grid->SetWidth(Grid->Width() + 40);  // fitting while shown re-creates the window once
  EXPECT_TRUE(win::IsWindow(Grid->Handle()));
  EXPECT_TRUE(win::IsWindowVisible(Grid->Handle()));
  EXPECT_FALSE(Grid->HorzScrollBar()->Visible());
}

TEST_F(LookupTest, LookupOptionsSetTheGridsOptions) {
  Open();
  Grid->SetLookupOptions(TDBLookupGridGxOptions{dlgRowLinesGx, dlgColumnResizeGx, dlgAutoSortMarkingGx});
  EXPECT_TRUE(Grid->Options().Contains(dgRowLines));
  EXPECT_TRUE(Grid->Options().Contains(dgColumnResize));
  EXPECT_FALSE(Grid->Options().Contains(dgColLines));
  EXPECT_TRUE(Grid->Options().Contains(dgRowSelect));  // untouched
  EXPECT_TRUE(Grid->OptionsGx().Contains(dghAutoSortMarking));
  EXPECT_FALSE(Grid->OptionsGx().Contains(dghMultiSortMarking));
  // Row lines make every row taller; the height still holds the same rows.
  Grid->SetDisplayRowCount(4);
  EXPECT_EQ(Grid->DisplayRowCount(), 4);
}

TEST_F(LookupTest, VerticalBarShowsWhereTheFirstVisibleRecordIs) {
  Open(40, 5);
  List->MoveBy(12);
  win::headless::ProcessMessages();
  win::SCROLLINFO Info{};
  Info.cbSize = sizeof Info;
  Info.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
  win::GetScrollInfo(Grid->Handle(), win::SB_VERT, &Info);
  EXPECT_EQ(Info.nMin, 0);
  EXPECT_EQ(Info.nMax, 39);
  EXPECT_EQ(static_cast<int>(Info.nPage), Grid->DataRowCount());
  EXPECT_EQ(Info.nPos, List->RecNo() - Grid->GridLink()->ActiveRecord() - 1);
}
