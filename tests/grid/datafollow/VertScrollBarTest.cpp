// The grid's vertical bar: record numbers when the dataset has them, five steps when it
// has not, and how VisibleMode and an external bar show it.
#include "tests/support/DataFollowFixture.h"

#include "platform/controls/ListBoxes.h"

namespace {

using VertScrollBarTest = DataFollowTest;

// A move of the dataset and the thumb position it gives.
struct MoveCase {
  const char* What;
  void (*Move)(TDataSet*);
  int Pos;
};

TEST_F(VertScrollBarTest, NumberedDataSetsShowTheRecordNumber) {
  GridOn(50, 10);
  const int Page = Grid->VisibleDataRowCount();
  EXPECT_EQ(Page, 10);
  for (const MoveCase& C : {MoveCase{"first", [](TDataSet* D) { D->First(); }, 1},
                        MoveCase{"moved by 20", [](TDataSet* D) { D->MoveBy(20); }, 21},
                        MoveCase{"last", [](TDataSet* D) { D->Last(); }, 50}}) {
    C.Move(DataSet);
    EXPECT_EQ(VertInfo(), (Info{1, 50 + Page - 1, Page, C.Pos})) << C.What;
  }
  EXPECT_TRUE(VertBarShown());
}

TEST_F(VertScrollBarTest, UnnumberedDataSetsShowTopMiddleOrBottom) {
  GridOn(50, 10, false);
  for (const MoveCase& C : {MoveCase{"first", [](TDataSet* D) { D->First(); }, 0},
                        MoveCase{"moved by 20", [](TDataSet* D) { D->MoveBy(20); }, 2},
                        MoveCase{"last", [](TDataSet* D) { D->Last(); }, 4},
                        MoveCase{"back one", [](TDataSet* D) { D->Prior(); }, 2}}) {
    C.Move(DataSet);
    EXPECT_EQ(VertInfo(), (Info{0, 4, 0, C.Pos})) << C.What;
  }
  EXPECT_TRUE(VertBarShown());
}

// A bar that cannot scroll is hidden, or with sbAlwaysShowGx kept with both arrows off.
TEST_F(VertScrollBarTest, ABarThatCannotScrollHidesOrIsDisabled) {
  struct Case {
    int Records;
    TScrollBarVisibleModeGx Mode;
    bool Shown;
    win::UINT Arrows;
  };
  for (const Case C : {Case{1, sbAutoShowGx, false, 0}, Case{1, sbAlwaysShowGx, true, win::ESB_DISABLE_BOTH},
                       Case{0, sbAlwaysShowGx, true, win::ESB_DISABLE_BOTH}, Case{0, sbAutoShowGx, false, 0},
                       Case{50, sbAlwaysShowGx, true, win::ESB_ENABLE_BOTH}, Case{50, sbNeverShowGx, false, 0}}) {
    Form = std::make_unique<TForm>(nullptr);
    SetUp();
    GridOn(C.Records, 10);
    Grid->VertScrollBar()->SetVisibleMode(C.Mode);
    SCOPED_TRACE(std::to_string(C.Records) + " records, mode " + std::to_string(C.Mode));
    EXPECT_EQ(VertBarShown(), C.Shown);
    if (C.Shown) {
      EXPECT_EQ(win::GetScrollBarDisabledArrows(Grid->Handle(), win::SB_VERT), C.Arrows);
    }
  }
}

TEST_F(VertScrollBarTest, RemovingTheDataSourceLeavesOneEmptyRow) {
  GridOn(50, 10);
  Grid->VertScrollBar()->SetVisibleMode(sbAlwaysShowGx);
  Grid->SetDataSource(nullptr);
  EXPECT_EQ(Grid->RowCount(), Grid->TitleAreaRowCount() + 1);
  EXPECT_EQ(VertInfo(), (Info{0, 1, 2, 0}));
  EXPECT_TRUE(VertBarShown());
  EXPECT_EQ(win::GetScrollBarDisabledArrows(Grid->Handle(), win::SB_VERT), win::ESB_DISABLE_BOTH);
  EXPECT_EQ(Grid->SumList()->DataSet(), nullptr);
}

TEST_F(VertScrollBarTest, AnExternalBarTakesTheRangeAndTheWindowsBarGoes) {
  GridOn(50, 10);
  auto* Bar = new TScrollBar(Form.get());
  Bar->SetKind(sbVertical);
  Bar->SetParent(Form.get());
  Grid->VertScrollBar()->SetExtScrollBar(Bar);
  DataSet->MoveBy(7);
  const int Page = Grid->VisibleDataRowCount();
  EXPECT_FALSE(VertBarShown());
  EXPECT_EQ(Bar->Min(), 1);
  EXPECT_EQ(Bar->Max(), 50 + Page - 1);
  EXPECT_EQ(Bar->PageSize(), Page);
  EXPECT_EQ(Bar->Position(), 8);

  // Emptied, the dataset leaves a one-row page and a range of one position.
  while (!DataSet->IsEmpty()) DataSet->Delete();
  EXPECT_EQ(Bar->Min(), Bar->Max());
  EXPECT_FALSE(VertBarShown());
}

// With every column in view the external horizontal bar cannot move: its thumb stays at
// 0 (the scale would otherwise divide by zero).
TEST_F(VertScrollBarTest, AnExternalHorizontalBarFollowsTheLeftColumn) {
  GridOn(5, 3);
  auto* Bar = new TScrollBar(Form.get());
  Bar->SetParent(Form.get());
  Grid->HorzScrollBar()->SetExtScrollBar(Bar);
  Grid->UpdateHorzScrollBar();
  EXPECT_EQ(Bar->Max(), 0);
  EXPECT_EQ(Bar->Position(), 0);

  for (int I = 0; I < 12; ++I) Grid->Columns()->AddColumn()->SetFieldName("A");
  Grid->RequestLayout();
  Grid->SetLeftCol(Grid->ColCount() - 1);
  Grid->UpdateHorzScrollBar();
  EXPECT_EQ(Bar->Max(), 127);
  EXPECT_EQ(Bar->Position(), 127);
}

}  // namespace
