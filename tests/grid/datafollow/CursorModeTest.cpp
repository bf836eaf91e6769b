// A dataset offering IMemTableGx gets one grid row per available record: the bar and the
// wheel scroll the view without moving the record, the dataset is asked for more records
// as the view reaches the end, and footers switch the mode off.
#include "tests/support/DataFollowFixture.h"
#include "tests/support/MemTableDataSet.h"

namespace {

class CursorModeTest : public DataFollowTest {
protected:
  // A grid Rows data rows high over Records records, Available of them available.
  TDBGridGx* MemGrid(int Records, int Available, int Rows) {
    Mem = new TMemTableDataSet(Form.get());
    Mem->Available = Available;
    GridOn(Records, Rows, true, 0, nullptr, Mem);
    return Grid;
  }
  int DataRows() { return Grid->RowCount() - Grid->TitleAreaRowCount(); }
  void Scroll(int Code, int Pos = 0) {
    Grid->Perform(win::WM_VSCROLL, win::MAKEWPARAM(static_cast<win::WORD>(Code), static_cast<win::WORD>(Pos)), 0);
  }
  TMemTableDataSet* Mem = nullptr;
};

TEST_F(CursorModeTest, OneRowPerAvailableRecordAndFootersSwitchItOff) {
  MemGrid(60, 40, 10);
  ASSERT_TRUE(Grid->CursorModeActive());
  EXPECT_EQ(DataRows(), 40);
  Grid->SetFooterRowCount(1);
  Settle();
  EXPECT_FALSE(Grid->CursorModeActive());
  EXPECT_LT(DataRows(), 40) << "buffer rows, separator and footer";
  Grid->SetFooterRowCount(0);
  Settle();
  EXPECT_TRUE(Grid->CursorModeActive());
  EXPECT_EQ(DataRows(), 40);
}

TEST_F(CursorModeTest, APlainDatasetKeepsBufferRows) {
  GridOn(60, 10);
  EXPECT_FALSE(Grid->CursorModeActive());
  EXPECT_EQ(DataRows(), 10);
}

TEST_F(CursorModeTest, TheBarScrollsTheViewNotTheRecord) {
  MemGrid(60, 40, 10);
  const int Fixed = Grid->FixedRows();
  DataSet->MoveBy(2);
  Settle();
  const int RecNo = DataSet->RecNo();
  EXPECT_EQ(VertInfo(), (Info{1, 40, 10, 1}));
  struct Step {
    const char* What;
    int Code, Pos, Top;
  };
  for (const Step& S : {Step{"line down", win::SB_LINEDOWN, 0, Fixed + 1}, Step{"page down", win::SB_PAGEDOWN, 0, Fixed + 10},
                        Step{"line up", win::SB_LINEUP, 0, Fixed + 9}, Step{"page up", win::SB_PAGEUP, 0, Fixed},
                        Step{"bottom", win::SB_BOTTOM, 0, Fixed + 30}, Step{"top", win::SB_TOP, 0, Fixed},
                        Step{"thumb", win::SB_THUMBPOSITION, 0, Fixed + 19}}) {
    if (S.Code == win::SB_THUMBPOSITION) {
      win::SCROLLINFO Si{};
      Si.fMask = win::SIF_POS;
      Si.nPos = 20;
      win::SetScrollInfo(Grid->Handle(), win::SB_VERT, &Si, win::FALSE);
    }
    Scroll(S.Code, S.Pos);
    EXPECT_EQ(Grid->TopRow(), S.Top) << S.What;
    EXPECT_EQ(VertInfo().Pos, S.Top - Fixed + 1) << S.What;
    EXPECT_EQ(DataSet->RecNo(), RecNo) << S.What;
  }
}

TEST_F(CursorModeTest, TheWheelScrollsAndShiftMovesTheRecord) {
  MemGrid(60, 40, 10);
  const int Fixed = Grid->FixedRows();
  int DownAsked = 0, UpAsked = 0;
  struct Counter {
    int* N;
    void operator()(TObject*, TShiftState, win::POINT, bool&) const { ++*N; }
  };
  Grid->SetOnMouseWheelDown(TMouseWheelUpDownEvent(Counter{&DownAsked}));
  Grid->SetOnMouseWheelUp(TMouseWheelUpDownEvent(Counter{&UpAsked}));
  auto Wheel = [&](int Delta, win::WORD Keys) {
    Grid->Perform(CM_MOUSEWHEEL, win::MAKEWPARAM(Keys, static_cast<win::WORD>(static_cast<short>(Delta))), 0);
  };
  Wheel(-120, 0);
  EXPECT_EQ(Grid->TopRow(), Fixed + 1);
  EXPECT_EQ(DataSet->RecNo(), 1);
  Wheel(-120, win::MK_CONTROL);
  EXPECT_EQ(Grid->TopRow(), Fixed + 11);
  Wheel(120, 0);
  EXPECT_EQ(Grid->TopRow(), Fixed + 10);
  EXPECT_EQ(DownAsked, 2);
  EXPECT_EQ(UpAsked, 1);
  Wheel(-120, win::MK_SHIFT);
  EXPECT_EQ(DataSet->RecNo(), 2);
}

TEST_F(CursorModeTest, TheDatasetIsAskedForTheRowsTheViewNeeds) {
  // Three records available in a view of ten rows: as many more as fit, plus one.
  MemGrid(60, 40, 10);
  Mem->Available = 3;
  Mem->Fetches.clear();
  Grid->RecountRows();
  ASSERT_FALSE(Mem->Fetches.empty());
  EXPECT_EQ(Mem->Fetches.front(), 7 + 1);
  // A view that ends on the last available row asks for one more.
  Mem->Available = 40;
  Grid->RecountRows();
  Mem->Fetches.clear();
  Scroll(win::SB_BOTTOM);
  ASSERT_FALSE(Mem->Fetches.empty());
  EXPECT_EQ(Mem->Fetches.back(), 1);
}

TEST_F(CursorModeTest, TheCurrentRowFollowsTheRecordIntoView) {
  MemGrid(60, 40, 10);
  DataSet->MoveBy(25);
  Settle();
  EXPECT_EQ(Grid->Row(), Grid->TitleAreaRowCount() + 25);
  EXPECT_GE(Grid->Row(), Grid->TopRow());
  EXPECT_LT(Grid->Row(), Grid->TopRow() + 10);
}

TEST_F(CursorModeTest, NoCurrentRecordPutsTheRowOnTheFirstDataRow) {
  MemGrid(0, 0, 10);
  EXPECT_EQ(DataRows(), 1);
  EXPECT_EQ(Grid->Row(), Grid->FixedRows());
}

TEST_F(CursorModeTest, RowsAreDrawnByAskingTheDatasetForThem) {
  MemGrid(60, 40, 10);
  Scroll(win::SB_LINEDOWN);
  Scroll(win::SB_LINEDOWN);
  Mem->DrawRecords.clear();
  win::InvalidateRect(Grid->Handle(), nullptr, win::TRUE);
  win::UpdateWindow(Grid->Handle());
  EXPECT_EQ(Mem->Drawing, 0);
  ASSERT_FALSE(Mem->DrawRecords.empty());
  EXPECT_EQ(*std::min_element(Mem->DrawRecords.begin(), Mem->DrawRecords.end()), 2);
  EXPECT_GE(*std::max_element(Mem->DrawRecords.begin(), Mem->DrawRecords.end()), 11);
}

TEST_F(CursorModeTest, FreeingTheDatasetEndsTheMode) {
  MemGrid(60, 40, 10);
  ASSERT_TRUE(Grid->CursorModeActive());
  delete Mem;
  Mem = nullptr;
  Settle();
  EXPECT_FALSE(Grid->CursorModeActive());
  Grid->Perform(win::WM_VSCROLL, win::SB_LINEDOWN, 0);
  Grid->Invalidate();
  Settle();
}

TEST_F(CursorModeTest, OutsideTheModeTheWheelMovesTheRecord) {
  GridOn(60, 10);
  Grid->Perform(CM_MOUSEWHEEL, win::MAKEWPARAM(0, static_cast<win::WORD>(static_cast<short>(-120))), 0);
  EXPECT_EQ(DataSet->RecNo(), 2);
  Grid->Perform(CM_MOUSEWHEEL, win::MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(DataSet->RecNo(), 1);
}

}  // namespace
