// The field link: switching between bound and independent, own values, which change
// notices reach the edit, starting an edit, and the image settings it travels with.
#include "tests/support/DBEditFixture.h"

#include "platform/data/Field.h"

namespace {

TEST_F(DBEditTest, ClearingSourceAndFieldMakesTheLinkIndependentWithANullValue) {
  auto* Edit = BoundEdit("Name");
  EXPECT_FALSE(Edit->FieldLink()->Independent());
  EXPECT_EQ(Edit->GetText(), "apple");
  Edit->SetDataField("");
  EXPECT_FALSE(Edit->FieldLink()->Independent());  // still a data source
  EXPECT_EQ(Edit->GetText(), "");
  Edit->SetDataSource(nullptr);
  EXPECT_TRUE(Edit->FieldLink()->Independent());
  EXPECT_TRUE(Edit->FieldLink()->IndependentValue().IsNull());
  EXPECT_EQ(Edit->GetText(), "");
}

TEST_F(DBEditTest, AnIndependentLinkKeepsItsOwnValue) {
  auto* Edit = NewEdit();
  Edit->FieldLink()->AssignText("kept");
  EXPECT_EQ(VarToStr(Edit->FieldLink()->IndependentValue()), "kept");
  EXPECT_EQ(Edit->GetText(), "kept");
  // What is typed becomes the value on update, and a reset shows it again.
  Focus(Edit);
  Edit->SelectAll();
  win::headless::TypeText("typed");
  EXPECT_TRUE(Edit->FieldLink()->LinkEditing());
  Edit->FieldLink()->UpdateRecord();
  EXPECT_EQ(VarToStr(Edit->FieldLink()->IndependentValue()), "typed");
  EXPECT_FALSE(Edit->FieldLink()->LinkEditing());
  Edit->FieldLink()->ResetLink();
  EXPECT_EQ(Edit->GetText(), "typed");
}

TEST_F(DBEditTest, AChangeOfAnotherFieldLeavesTheEditAlone) {
  auto* Edit = BoundEdit("Name");
  Focus(Edit);
  Edit->SelectAll();
  win::headless::TypeText("plum");
  ASSERT_EQ(DataSet->State(), dsEdit);
  ASSERT_TRUE(Edit->FieldLink()->LinkModified());
  DataSet->FieldByName("Code")->SetAsString("zz");
  EXPECT_EQ(Edit->GetText(), "plum");
  EXPECT_TRUE(Edit->FieldLink()->LinkModified());
  // A change of its own field reloads it.
  DataSet->FieldByName("Name")->SetAsString("fig");
  EXPECT_EQ(Edit->GetText(), "fig");
  EXPECT_FALSE(Edit->FieldLink()->LinkModified());
}

TEST_F(DBEditTest, StartEditOnAFieldThatCannotBeModifiedChangesNothing) {
  auto* Edit = BoundEdit("Name");
  DataSet->FieldByName("Name")->SetReadOnly(true);
  EXPECT_FALSE(Edit->FieldLink()->StartEdit());
  EXPECT_EQ(DataSet->State(), dsBrowse);
  DataSet->FieldByName("Name")->SetReadOnly(false);
  EXPECT_TRUE(Edit->FieldLink()->StartEdit());
  EXPECT_EQ(DataSet->State(), dsEdit);
}

TEST_F(DBEditTest, AFieldNameNamingNoFieldIsRefused) {
  auto* Edit = NewEdit();
  Edit->SetName("Edit1");
  Edit->SetDataSource(NewSource());
  try {
    Edit->SetDataField("Nope");
    FAIL() << "no error";
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(std::string(E.what()), "Edit1: Field 'Nope' not found");
  }
}

// A bound edit without a field but with its own update handler: what was typed reaches
// the handler on exit instead of vanishing.
TEST_F(DBEditTest, TypedTextWithoutAFieldReachesTheUpdateHandler) {
  auto* Edit = NewEdit();
  Edit->SetDataSource(NewSource());
  std::string Seen;
  int Calls = 0;
  Edit->SetOnUpdateData([&](TObject*, bool& Handled) {
    ++Calls;
    Seen = Edit->GetText();
    Handled = true;
  });
  Focus(Edit);
  win::headless::TypeText("loose");
  Edit->FieldLink()->UpdateRecord();
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Seen, "loose");
  // Nothing typed since: no second call.
  Edit->FieldLink()->UpdateRecord();
  EXPECT_EQ(Calls, 1);
}

class LayoutCountingEdit : public TDBEditGx {
  VANTREL_CLASS(LayoutCountingEdit, TDBEditGx)
public:
  using TDBEditGx::TDBEditGx;
  int Layouts = 0;

protected:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_IMAGELAYOUT_GX) ++Layouts;
    TDBEditGx::Dispatch(Message);
  }
};

TEST_F(DBEditTest, ImageSettingsReportLayoutChangesAndAssignKeepsTheHeightRule) {
  auto* Edit = NewEdit<LayoutCountingEdit>();
  TImageList Images(16, 16);
  TEditImageGx* Image = Edit->ImageSettings();
  Image->SetImages(&Images);
  Image->SetVisible(true);
  Image->SetWidth(20);
  Image->SetUseImageHeight(false);
  Image->SetImageIndex(3);  // repaints only
  EXPECT_EQ(Edit->Layouts, 4);
  TEditImageGx Other(nullptr);
  Other.Assign(Image);
  EXPECT_EQ(Other.Images(), &Images);
  EXPECT_EQ(Other.ImageIndex(), 3);
  EXPECT_TRUE(Other.Visible());
  EXPECT_EQ(Other.Width(), 20);
  EXPECT_TRUE(Other.UseImageHeight());
  Image->SetImages(nullptr);
}

}  // namespace
