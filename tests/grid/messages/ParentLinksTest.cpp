// A grid following its parent's font and colour: its title and footer fonts take the
// parent's font without switching ParentFont off, and its footer colour takes the colour.
#include "tests/support/DataFollowFixture.h"

namespace {

using ParentLinksTest = DataFollowTest;

TEST_F(ParentLinksTest, TheParentsFontReachesTitlesAndFooters) {
  GridOn(5, 4, true, 1);
  ASSERT_TRUE(Grid->ParentFont());
  Form->Font()->SetSize(14);
  EXPECT_EQ(Grid->Font()->Size(), 14);
  EXPECT_EQ(Grid->TitleFont()->Size(), 14);
  EXPECT_EQ(Grid->FooterFont()->Size(), 14);
  EXPECT_TRUE(Grid->ParentFont());
  // A grid with its own font keeps its titles' font.
  Grid->TitleFont()->SetSize(9);
  EXPECT_FALSE(Grid->ParentFont());
  Form->Font()->SetSize(16);
  EXPECT_EQ(Grid->TitleFont()->Size(), 9);
}

TEST_F(ParentLinksTest, TheParentsColourReachesTheFooters) {
  GridOn(5, 4, true, 1);
  Grid->SetParentColor(true);
  Form->SetColor(0x123456);
  EXPECT_EQ(Grid->Color(), TColor(0x123456));
  EXPECT_EQ(Grid->FooterColor(), TColor(0x123456));
  Grid->SetFooterColor(clYellow);
  EXPECT_FALSE(Grid->ParentColor());
  Form->SetColor(0x654321);
  EXPECT_EQ(Grid->FooterColor(), clYellow);
}

}  // namespace
