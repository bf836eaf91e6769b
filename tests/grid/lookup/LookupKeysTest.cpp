// Keys step through the list and take the key of the record reached.
#include "tests/support/LookupFixture.h"

TEST_F(LookupTest, ArrowsAndPagesTakeTheKeyOfTheRecordReached) {
  Open(20, 5);
  Grid->SetFocus();
  Grid->SetKeyValue(Variant(3));
  struct Step {
    win::UINT Key;
    int Id;
  } Steps[] = {{win::VK_DOWN, 4}, {win::VK_UP, 3}, {win::VK_NEXT, 7}, {win::VK_PRIOR, 3},
               {win::VK_END, 20}, {win::VK_HOME, 1}, {win::VK_RIGHT, 2}, {win::VK_LEFT, 1}};
  for (const Step& S : Steps) {
    Press(S.Key);
    EXPECT_EQ(Key(), S.Id) << S.Key;
    EXPECT_EQ(CurrentId(), S.Id) << S.Key;
  }
}

TEST_F(LookupTest, StepsStartFromTheKeyRowNotFromWhereTheListWasScrolled) {
  Open(20, 5);
  Grid->SetFocus();
  Grid->SetKeyValue(Variant(2));
  List->MoveBy(2);  // the list moved without a choice (the wheel, say)
  Press(win::VK_DOWN);
  EXPECT_EQ(Key(), 3);
}

TEST_F(LookupTest, UpFromTheFirstRecordReachesTheSpecialRow) {
  Open(20, 5, false, true);
  Grid->SetFocus();
  Grid->SetKeyValue(Variant(2));
  Press(win::VK_UP);  // stepped onto the first record
  ASSERT_EQ(Key(), 1);
  Press(win::VK_UP);  // only meets the beginning
  EXPECT_EQ(Key(), 1);
  EXPECT_FALSE(Grid->SpecRow()->Selected());
  Press(win::VK_UP);
  EXPECT_EQ(Key(), 0);
  EXPECT_TRUE(Grid->SpecRow()->Selected());
  Press(win::VK_DOWN);
  EXPECT_EQ(Key(), 1);
  EXPECT_FALSE(Grid->SpecRow()->Selected());
  // After Home one press suffices.
  Press(win::VK_END);
  Press(win::VK_HOME);
  Press(win::VK_UP);
  EXPECT_TRUE(Grid->SpecRow()->Selected());
}

TEST_F(LookupTest, ReadOnlyGridKeepsItsKey) {
  Open(20, 5);
  Grid->SetFocus();
  Grid->SetKeyValue(Variant(3));
  Grid->SetReadOnly(true);
  Press(win::VK_DOWN);
  EXPECT_EQ(Key(), 3);
}

TEST_F(LookupTest, LeftAndRightStepOnlyWithoutHorizontalBar) {
  Open(20, 5, true);
  Grid->SetFocus();
  Grid->SetKeyValue(Variant(3));
  Grid->Columns()->ColumnAt(0)->SetWidth(400);  // wider than the grid: the bar shows
  win::headless::ProcessMessages();
  ASSERT_NE(win::GetWindowLongPtr(Grid->Handle(), win::GWL_STYLE) & win::WS_HSCROLL, 0);
  Press(win::VK_RIGHT);
  EXPECT_EQ(Key(), 3);
}

TEST_F(LookupTest, TypedKeysSearchTheListField) {
  Names = {"Berry", "apple", "Apricot", "abd", "banana"};
  Open(5, 5);
  Grid->SetFocus();
  win::headless::TypeText("ap");
  EXPECT_EQ(Grid->DisplayText(), "apple");
  win::headless::TypeText("r");
  EXPECT_EQ(Grid->DisplayText(), "Apricot");
  win::headless::AdvanceClock(2001);
  win::headless::TypeText("b");
  EXPECT_EQ(Grid->DisplayText(), "Berry");
  win::headless::TypeText("\b");
  EXPECT_EQ(Grid->LookupSearchText(), "");
}

TEST_F(LookupTest, TypedSearchStopsTakingKeysAt32Characters) {
  Names = {std::string(40, 'a')};
  Open(1, 1);
  Grid->SetFocus();
  win::headless::TypeText(std::string(35, 'a'));
  EXPECT_EQ(Grid->LookupSearchText(), std::string(32, 'a'));
}
