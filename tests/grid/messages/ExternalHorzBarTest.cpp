// An external horizontal bar follows the columns however the view scrolls, by code too.
#include "tests/support/DataFollowFixture.h"

#include "platform/controls/StdCtrls.h"

namespace {

using ExternalHorzBarTest = DataFollowTest;

TEST_F(ExternalHorzBarTest, TheBarFollowsTheLeftColumn) {
  GridOn(5, 4);
  for (int I = 0; I < 12; ++I) Grid->Columns()->AddColumn()->SetFieldName("A");
  auto* Bar = new TScrollBar(Form.get());
  Bar->SetParent(Form.get());
  Grid->HorzScrollBar()->SetExtScrollBar(Bar);
  Settle();
  const int First = Grid->FixedCols();
  ASSERT_EQ(Bar->Position(), 0);
  Grid->SetLeftCol(Grid->ColCount());  // as far as it goes
  EXPECT_EQ(Bar->Position(), 127);
  Grid->SetLeftCol(First + 1);
  EXPECT_GT(Bar->Position(), 0);
  EXPECT_LT(Bar->Position(), 127);
  Grid->SetLeftCol(First);
  EXPECT_EQ(Bar->Position(), 0);
}

}  // namespace
