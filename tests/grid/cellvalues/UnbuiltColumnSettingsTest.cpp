// A form whose columns set a recent-entries list, a drop-down box or the drop-down box's
// events fails to load with an error naming the setting; nothing loads half-read.
#include "platform/rtl/forms/FormText.h"
#include "tests/support/CellValuesFixture.h"

namespace {

TEST_F(CellValuesTest, FormsSettingUnbuiltColumnSettingsFailToLoad) {
  TColumnGx* Column = ColumnOn(NewDataSet({{"A", ftString}}), "A");
  Column->SetTag(7);
  const std::string Text = WriteComponentResText(Form.get());
  const std::size_t At = Text.find("Tag = 7");
  ASSERT_NE(At, std::string::npos) << Text;
  {
    TForm Copy(nullptr);
    ASSERT_NO_THROW(ReadComponentResText(Text, &Copy));
  }
  struct Case {
    const char* Entry;
    const char* Named;
  };
  const Case Cases[] = {
      {"MRUList.Active = True", "MRUList"},
      {"MRUList.Items.Strings = (\n'a')", "MRUList"},
      {"MRUList = 1", "MRUList"},
      {"DropDownBox.Columns = <>", "DropDownBox"},
      {"DropDownBox = 1", "DropDownBox"},
      {"OnDropDownBoxCheckButton = Form1Check", "OnDropDownBoxCheckButton"},
      {"OnDropDownBoxDrawColumnCell = Form1Draw", "OnDropDownBoxDrawColumnCell"},
      {"OnDropDownBoxGetCellParams = Form1Params", "OnDropDownBoxGetCellParams"},
      {"OnDropDownBoxSortMarkingChanged = Form1Sort", "OnDropDownBoxSortMarkingChanged"},
      {"OnDropDownBoxTitleBtnClick = Form1Title", "OnDropDownBoxTitleBtnClick"},
  };
  for (const Case& C : Cases) {
    std::string Changed = Text;
    Changed.insert(At, std::string(C.Entry) + "\n        ");
    TForm Copy(nullptr);
    try {
      ReadComponentResText(Changed, &Copy);
      ADD_FAILURE() << C.Entry << " was read";
    } catch (const Exception& E) {
      EXPECT_NE(E.Message().find(C.Named), std::string::npos) << C.Entry << ": " << E.Message();
    }
  }
}

// What a column writes never carries them.
TEST_F(CellValuesTest, ColumnsWriteNoUnbuiltSettings) {
  ColumnOn(NewDataSet({{"A", ftString}}), "A");
  const std::string Text = WriteComponentResText(Form.get());
  EXPECT_NE(Text.find("FieldName = 'A'"), std::string::npos) << Text;
  for (const char* Name : {"MRUList", "DropDownBox"}) EXPECT_EQ(Text.find(Name), std::string::npos) << Name;
}

}  // namespace
