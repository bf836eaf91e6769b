// A written form keeps the non-visual components its root owns, so that controls naming
// them read back.
#include "platform/controls/DBCtrls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/data/DBClient.h"
#include "platform/rtl/forms/FormText.h"
#include "tests/platform/controls/ControlsFixture.h"

#include <memory>

namespace {

class FormWritingTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    RegisterDataClasses();
  }
};

TEST_F(FormWritingTest, DataComponentsOfTheRootAreWrittenAndReadBack) {
  std::string Text;
  {
    TForm Form(nullptr);
    Form.SetName("Form1");
    auto* Data = new TClientDataSet(&Form);
    Data->SetName("Data");
    auto* Source = new TDataSource(&Form);
    Source->SetName("Source");
    Source->SetAutoEdit(false);
    Source->SetDataSet(Data);
    auto* Panel = new TPanel(&Form);
    Panel->SetName("Panel");
    Panel->SetParent(&Form);
    auto* Memo = new TDBMemo(&Form);
    Memo->SetName("Memo");
    Memo->SetParent(Panel);
    Memo->SetDataSource(Source);
    Memo->SetDataField("Content");
    auto* Nav = new TDBNavigator(&Form);
    Nav->SetName("Nav");
    Nav->SetParent(&Form);
    auto* Later = new TDataSource(&Form);  // made after the controls
    Later->SetName("Later");
    Later->SetDataSet(Data);
    Nav->SetDataSource(Later);
    // Owned by another component: written by its own owner, not by the form.
    auto* Foreign = new TDataSource(Data);
    Foreign->SetName("Foreign");
    Text = WriteComponentResText(&Form);
  }
  SCOPED_TRACE(Text);
  // Once each, after the controls, in the order they were made.
  const std::size_t DataAt = Text.find("object Data: TClientDataSet");
  const std::size_t SourceAt = Text.find("object Source: TDataSource");
  const std::size_t LaterAt = Text.find("object Later: TDataSource");
  ASSERT_NE(DataAt, std::string::npos);
  ASSERT_NE(SourceAt, std::string::npos);
  ASSERT_NE(LaterAt, std::string::npos);
  EXPECT_EQ(Text.find("object Data:", DataAt + 1), std::string::npos);
  EXPECT_LT(Text.find("object Nav: TDBNavigator"), DataAt);
  EXPECT_LT(DataAt, SourceAt);
  EXPECT_LT(SourceAt, LaterAt);
  EXPECT_EQ(Text.find("Foreign"), std::string::npos);

  TForm Form(nullptr);
  ReadComponentResText(Text, &Form);
  auto* Data = dynamic_cast<TClientDataSet*>(Form.FindComponent("Data"));
  auto* Source = dynamic_cast<TDataSource*>(Form.FindComponent("Source"));
  auto* Later = dynamic_cast<TDataSource*>(Form.FindComponent("Later"));
  auto* Memo = dynamic_cast<TDBMemo*>(Form.FindComponent("Memo"));
  auto* Nav = dynamic_cast<TDBNavigator*>(Form.FindComponent("Nav"));
  ASSERT_NE(Data, nullptr);
  ASSERT_NE(Source, nullptr);
  ASSERT_NE(Later, nullptr);
  ASSERT_NE(Memo, nullptr);
  ASSERT_NE(Nav, nullptr);
  EXPECT_EQ(Source->DataSet(), Data);
  EXPECT_FALSE(Source->AutoEdit());
  EXPECT_EQ(Later->DataSet(), Data);
  EXPECT_EQ(Memo->DataSource(), Source);
  EXPECT_EQ(Memo->DataField(), "Content");
  EXPECT_EQ(Memo->Parent(), Form.FindComponent("Panel"));
  EXPECT_EQ(Nav->DataSource(), Later);
  EXPECT_EQ(WriteComponentResText(&Form), Text);
}

}  // namespace
