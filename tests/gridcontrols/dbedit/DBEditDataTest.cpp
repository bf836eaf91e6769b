// Data into and out of the edit: field text, length and mask, committing typed text,
// read-only states, the update handler, and the text stored in a form description.
#include "tests/support/DBEditFixture.h"

#include "platform/data/Field.h"
#include "platform/rtl/forms/FormText.h"

namespace {

TEST_F(DBEditTest, MaxLengthFollowsTheStringFieldAndIsResetWhenTheFieldChanges) {
  auto* Edit = BoundEdit("Name");
  EXPECT_EQ(Edit->MaxLength(), 20);
  Edit->SetDataField("Code");
  EXPECT_EQ(Edit->MaxLength(), 8);
  Edit->SetDataField("Qty");  // not a string field: no limit
  EXPECT_EQ(Edit->MaxLength(), 0);
  // A limit set by hand stays.
  Edit->SetMaxLength(5);
  Edit->SetDataField("Name");
  EXPECT_EQ(Edit->MaxLength(), 5);
}

TEST_F(DBEditTest, TypedTextIsPostedToTheFieldOnExit) {
  auto* Edit = NewEdit();
  auto* Other = NewEdit();
  Other->SetTop(60);
  Edit->SetDataSource(NewSource());
  Edit->SetDataField("Name");
  Focus(Edit);
  EXPECT_EQ(Edit->GetText(), "apple");  // edit text while focused
  Edit->SelectAll();
  win::headless::TypeText("grape");
  EXPECT_EQ(DataSet->State(), dsEdit);
  EXPECT_EQ(DataSet->FieldByName("Name")->AsString(), "apple");
  Focus(Other);
  EXPECT_EQ(DataSet->FieldByName("Name")->AsString(), "grape");
  EXPECT_FALSE(Edit->HasFocus());
  EXPECT_FALSE(Edit->Modified());
}

TEST_F(DBEditTest, EscRevertsTheTextAndIsKeptFromTheForm) {
  auto* Edit = BoundEdit("Name");
  Focus(Edit);
  Edit->SelectAll();
  win::headless::TypeText("plum");
  ASSERT_EQ(Edit->GetText(), "plum");
  EXPECT_NE(Edit->Perform(CM_WANTSPECIALKEY, win::VK_ESCAPE, 0), 0);
  // The form's cancel button does not see the key.
  auto* Cancel = new TButton(Form);
  Cancel->SetParent(Form);
  Cancel->SetTop(100);
  Cancel->SetCancel(true);
  int Clicks = 0;
  Cancel->SetOnClick([&](TObject*) { ++Clicks; });
  win::headless::PressKey(win::VK_ESCAPE);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(Edit->GetText(), "apple");
  EXPECT_EQ(Edit->SelLength(), 5);
  EXPECT_FALSE(Edit->Modified());
  EXPECT_EQ(Edit->Perform(CM_WANTSPECIALKEY, win::VK_ESCAPE, 0), 0);
}

TEST_F(DBEditTest, TypingIntoAReadOnlyEditStartsNoEdit) {
  auto* Edit = BoundEdit("Name");
  Edit->SetReadOnly(true);
  Focus(Edit);
  win::headless::TypeText("x");
  win::headless::PressKey(win::VK_DELETE);
  Edit->Perform(win::WM_PASTE, 0, 0);
  EXPECT_EQ(DataSet->State(), dsBrowse);
  EXPECT_EQ(Edit->GetText(), "apple");
}

// Characters beyond the first 256 codes start editing like any other.
TEST_F(DBEditTest, WideCharactersStartEditing) {
  auto* Edit = BoundEdit("Name");
  Focus(Edit);
  Edit->SelectAll();
  win::headless::TypeText("\xE6\xB0\xB4");  // U+6C34
  EXPECT_EQ(DataSet->State(), dsEdit);
  EXPECT_EQ(Edit->GetText(), "\xE6\xB0\xB4");
}

TEST_F(DBEditTest, ACharacterTheFieldRefusesBeepsAndIsDropped) {
  auto* Edit = BoundEdit("Qty");
  Focus(Edit);
  Edit->SelectAll();
  const std::size_t Beeps = win::headless::Beeps().size();
  win::headless::TypeText("x");
  EXPECT_EQ(win::headless::Beeps().size(), Beeps + 1);
  EXPECT_EQ(Edit->GetText(), "1");
  EXPECT_EQ(DataSet->State(), dsBrowse);
}

TEST_F(DBEditTest, AnUpdateHandlerKeepsTheEditWritableAndCanKeepTheTextFromTheField) {
  auto* Edit = BoundEdit("Name");
  DataSet->FieldByName("Name")->SetReadOnly(true);
  Edit->FieldLink()->ResetLink();
  EXPECT_TRUE(static_cast<TCustomEdit*>(Edit)->ReadOnly());
  bool Handle = true;
  Edit->SetOnUpdateData([&](TObject*, bool& Handled) { Handled = Handle; });
  EXPECT_FALSE(static_cast<TCustomEdit*>(Edit)->ReadOnly());
  DataSet->FieldByName("Name")->SetReadOnly(false);
  Edit->SetText("kiwi");
  EXPECT_EQ(DataSet->FieldByName("Name")->AsString(), "apple");
  Handle = false;
  Edit->SetText("kiwi");
  EXPECT_EQ(DataSet->FieldByName("Name")->AsString(), "kiwi");
}

TEST_F(DBEditTest, AFailedCommitFromTheTextWriterShowsTheFieldAgain) {
  auto* Edit = BoundEdit("Qty");
  EXPECT_THROW(Edit->SetText("many"), Exception);
  EXPECT_EQ(Edit->GetText(), "1");
}

TEST_F(DBEditTest, AFailedUpdateOnExitKeepsTheFocus) {
  auto* Edit = NewEdit();
  auto* Other = NewEdit();
  Other->SetTop(60);
  Edit->SetDataSource(NewSource());
  Edit->SetDataField("Qty");
  Focus(Edit);
  Edit->SelectAll();
  win::headless::TypeText("7");
  // Text the field cannot take, put in past the character test.
  Edit->Perform(win::EM_REPLACESEL, 0, reinterpret_cast<win::LPARAM>("abc"));
  EXPECT_THROW(Edit->Perform(CM_EXIT, 0, 0), Exception);
  EXPECT_TRUE(Edit->HasFocus());
  EXPECT_EQ(Edit->SelLength(), static_cast<int>(Edit->GetText().size()));
}

TEST_F(DBEditTest, AnIndependentEditStoresItsTextOnlyWhenThereIsOne) {
  RegisterDBCtrlsGxClasses();
  auto* Edit = NewEdit();
  Edit->SetName("Edit1");
  EXPECT_EQ(WriteComponentResText(Form).find("Text ="), std::string::npos);
  Edit->SetText("own");
  const std::string Text = WriteComponentResText(Form);
  EXPECT_NE(Text.find("Text = 'own'"), std::string::npos) << Text;
  EXPECT_EQ(Text.find("EditMask"), std::string::npos);
  // A bound edit never stores it.
  Edit->SetDataSource(NewSource());
  Edit->SetDataField("Name");
  EXPECT_EQ(WriteComponentResText(Form).find("Text ="), std::string::npos);
}

TEST_F(DBEditTest, AnExplicitMaskIsStoredAndReadBack) {
  RegisterDBCtrlsGxClasses();
  auto* Edit = NewEdit();
  Edit->SetName("Edit1");
  Edit->SetEditMask("000;1;_");
  Edit->SetText("123");
  const std::string Text = WriteComponentResText(Form);
  EXPECT_NE(Text.find("EditMask = '000;1;_'"), std::string::npos) << Text;
  TForm Copy(nullptr);
  ReadComponentResText(Text, &Copy);
  auto* Read = dynamic_cast<TDBEditGx*>(Copy.FindComponent("Edit1"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->EditMask(), "000;1;_");
  EXPECT_TRUE(Read->AssignedProps().Contains(apEditMask));
  EXPECT_EQ(Read->GetText(), "123");
}

}  // namespace

namespace {

TEST_F(DBEditTest, ButtonsListAndFlatnessSurviveAFormDescription) {
  RegisterDBCtrlsGxClasses();
  auto* Edit = NewEdit();
  Edit->SetName("Edit1");
  Edit->SetFlat(true);
  Edit->EditButtons()->Add()->SetStyle(ebsEllipsisGx);
  Edit->EditButtons()->Add();
  Edit->MRUList()->SetActive(true);
  Edit->MRUList()->SetRows(5);
  Edit->MRUList()->Items()->Add("one");
  Edit->SetAlignment(taCenter);
  const std::string Text = WriteComponentResText(Form);
  TForm Copy(nullptr);
  ReadComponentResText(Text, &Copy);
  auto* Read = dynamic_cast<TDBEditGx*>(Copy.FindComponent("Edit1"));
  ASSERT_NE(Read, nullptr) << Text;
  EXPECT_TRUE(Read->Flat());
  ASSERT_EQ(Read->EditButtons()->Count(), 2);
  EXPECT_EQ(Read->EditButtons()->Items(0)->Style(), ebsEllipsisGx);
  EXPECT_TRUE(Read->EditButtons()->Items(1)->Visible());
  EXPECT_TRUE(Read->MRUList()->Active());
  EXPECT_EQ(Read->MRUList()->Rows(), 5);
  EXPECT_EQ(Read->MRUList()->Items()->Count(), 1);
  EXPECT_EQ(Read->Alignment(), taCenter);
  EXPECT_TRUE(Read->AlignmentStored());
}

}  // namespace
