// The current key: where the list goes, what is highlighted and what DisplayText says.
#include "tests/support/LookupFixture.h"

TEST_F(LookupTest, KeyValueLocatesTheRecordAndGivesItsText) {
  Open();
  Grid->SetKeyValue(Variant(7));
  EXPECT_EQ(CurrentId(), 7);
  EXPECT_EQ(Grid->DisplayText(), "n7");
  EXPECT_EQ(Grid->Row(), Grid->TitleAreaRowCount() + Grid->GridLink()->ActiveRecord());
}

TEST_F(LookupTest, WritingTheCurrentKeyMovesAndRepaintsNothing) {
  Open();
  Grid->SetKeyValue(Variant(3));
  win::headless::ProcessMessages();
  List->MoveBy(4);  // the user scrolled away without choosing
  win::headless::ProcessMessages();
  win::RECT Dirty{};
  Grid->SetKeyValue(Variant(3));
  EXPECT_EQ(CurrentId(), 7);
  EXPECT_FALSE(win::GetUpdateRect(Grid->Handle(), &Dirty, win::FALSE));
}

TEST_F(LookupTest, MissingKeyWithoutSpecialRowShowsTheFirstRecord) {
  Open();
  List->MoveBy(5);
  Grid->SetKeyValue(Variant(99));
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_FALSE(Grid->SpecRow()->Selected());
  EXPECT_EQ(Grid->DisplayText(), "n1");
  EXPECT_EQ(Grid->KeyRowIndex(), -1);
}

TEST_F(LookupTest, MissingKeyWithSpecialRowSelectsIt) {
  Open(20, 5, false, true);
  Grid->SetListFieldIndex(1);
  Grid->SetKeyValue(Variant(99));
  EXPECT_TRUE(Grid->SpecRow()->Selected());
  EXPECT_EQ(Grid->DisplayText(), "-");
  // Without ShowIfNotInKeyList the special row stands only for its own value.
  Grid->SpecRow()->SetShowIfNotInKeyList(false);
  Grid->SetKeyValue(Variant(98));
  EXPECT_FALSE(Grid->SpecRow()->Selected());
}

TEST_F(LookupTest, KeyOfTheSpecialRowSelectsItEvenWhenTheListHoldsIt) {
  Open(20, 5, false, true);
  Grid->SpecRow()->SetValue(Variant(4));
  Grid->SetKeyValue(Variant(4));
  EXPECT_TRUE(Grid->SpecRow()->Selected());
  EXPECT_EQ(Grid->DisplayText(), "(none)");
  Grid->SetKeyValue(Variant(5));
  EXPECT_FALSE(Grid->SpecRow()->Selected());
  EXPECT_EQ(Grid->DisplayText(), "n5");
}

TEST_F(LookupTest, KeyValuesThatDoNotFitTheKeyFieldsAreNeverLocated) {
  Open();
  struct Case {
    const char* KeyFields;
    Variant Value;
    bool Fits;
  } Cases[] = {
      {"ID", Variant(3), true},
      {"ID", VarArrayOf({Variant(3)}), false},
      {"ID;Name", Variant(3), false},
      {"ID;Name", VarArrayOf({Variant(3)}), false},
      {"ID;Name", VarArrayOf({Variant(3), Variant("n3"), Variant(1)}), false},
      {"ID;Name", VarArrayOf({Variant(3), Variant("n3")}), true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.KeyFields);
    Grid->SetKeyValue(Null());
    List->First();
    Grid->SetKeyFields(C.KeyFields);
    Grid->SetKeyValue(C.Value);
    EXPECT_EQ(Grid->LocateKeyValue(), C.Fits);
    EXPECT_EQ(CurrentId(), C.Fits ? 3 : 1);
  }
}

TEST_F(LookupTest, ListFieldsResolveAndBadNamesRaise) {
  Open(20, 5, true);
  ASSERT_TRUE(Grid->ListActive());
  ASSERT_EQ(Grid->ListFieldList().size(), 2u);
  EXPECT_EQ(Grid->ListField()->FieldName(), "Name");
  EXPECT_EQ(Grid->Columns()->Count(), 2);
  EXPECT_THROW(Grid->SetListFields("Name;Nope"), EDatabaseError);
  EXPECT_FALSE(Grid->ListActive());
  // Without list fields the key fields are shown.
  Grid->SetListFields("");
  EXPECT_TRUE(Grid->ListActive());
  EXPECT_EQ(Grid->ListField()->FieldName(), "ID");
}
