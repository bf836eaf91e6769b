// The navigator and the data-aware memo on a client dataset.
#include "platform/controls/DBCtrls.h"
#include "platform/data/DBClient.h"
#include "tests/platform/controls/ControlsFixture.h"

#include <memory>

namespace {

class DBCtrlsTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    Form = new TForm(nullptr);
    Form->SetBounds(50, 50, 400, 300);
    Data = new TClientDataSet(Form);
    Data->SetName("Data");
    Data->FieldDefs().Add("Content", ftMemo);
    Data->CreateDataSet();
    for (const char* text : {"one", "二", "three"}) {
      Data->Append();
      Data->FieldByName("Content")->SetAsString(text);
      Data->Post();
    }
    Data->First();
    Source = new TDataSource(Form);
    Source->SetAutoEdit(false);
    Source->SetDataSet(Data);
    Nav = new TDBNavigator(Form);
    Nav->SetParent(Form);
    Nav->SetDataSource(Source);
    Memo = new TDBMemo(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(8, 60, 200, 100);
    Memo->SetDataSource(Source);
    Memo->SetDataField("Content");
    Form->Show();
  }
  void TearDown() override {
    Form->Free();
    ControlsTest::TearDown();
  }
  std::string Current() { return Data->FieldByName("Content")->AsString(); }

  TForm* Form = nullptr;
  TClientDataSet* Data = nullptr;
  TDataSource* Source = nullptr;
  TDBNavigator* Nav = nullptr;
  TDBMemo* Memo = nullptr;
};

TEST_F(DBCtrlsTest, ButtonsFollowThePositionAndState) {
  struct Step {
    TNavigateBtn Click;
    const char* Record;
    bool First, Next, Edit, Post;
  };
  const Step steps[] = {
      {nbFirst, "one", false, true, true, false},   {nbNext, "二", true, true, true, false},
      {nbEdit, "二", true, true, false, true},       {nbCancel, "二", true, true, true, false},
      {nbLast, "three", true, false, true, false},  {nbPrior, "二", true, true, true, false},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(static_cast<int>(s.Click));
    Nav->BtnClick(s.Click);
    EXPECT_EQ(Current(), s.Record);
    EXPECT_EQ(Memo->Text(), s.Record);
    EXPECT_EQ(Nav->Buttons(nbFirst)->Enabled(), s.First);
    EXPECT_EQ(Nav->Buttons(nbNext)->Enabled(), s.Next);
    EXPECT_EQ(Nav->Buttons(nbEdit)->Enabled(), s.Edit);
    EXPECT_EQ(Nav->Buttons(nbPost)->Enabled(), s.Post);
  }
}

TEST_F(DBCtrlsTest, DeleteAsksFirstAndCancelKeepsTheRecord) {
  Nav->BtnClick(nbNext);
  win::headless::QueueMessageBoxAnswer(win::IDCANCEL);
  Nav->BtnClick(nbDelete);
  EXPECT_EQ(Data->RecordCount(), 3);
  EXPECT_EQ(win::headless::MessageBoxes().size(), 1u);
  win::headless::QueueMessageBoxAnswer(win::IDOK);
  Nav->BtnClick(nbDelete);
  EXPECT_EQ(Data->RecordCount(), 2);
  EXPECT_EQ(Current(), "three");  // the next record becomes current
}

TEST_F(DBCtrlsTest, MemoEditsOnlyAfterTheNavigatorStartsEditing) {
  Memo->SetFocus();
  win::headless::TypeText("x");
  EXPECT_EQ(Data->State(), dsBrowse);  // AutoEdit is off: typing changes nothing
  EXPECT_EQ(Memo->Text(), "one");

  Nav->BtnClick(nbEdit);
  Memo->SetFocus();
  win::headless::TypeText("!");
  Nav->BtnClick(nbPost);
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_NE(Current().find('!'), std::string::npos);
  EXPECT_EQ(Memo->Text(), Current());
}

}  // namespace
