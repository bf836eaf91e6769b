// Datasets, fields and connections read from and written to form descriptions.
#include <gtest/gtest.h>

#include "platform/data/ADODB.h"
#include "platform/rtl/forms/FormText.h"
#include "tests/platform/data/DataFixtures.h"
#include "tests/platform/data/SQLiteFixture.h"

namespace {

TEST(Streaming, TheMainWindowsTableIsReadWithItsPersistentFields) {
  TTempDatabase db;
  db.CreateSnippets();
  TComponent root(nullptr);
  root.SetName("Form1");
  std::string text =
      "object Form1: TComponent\n"
      "  object ADOConnection1: TADOConnection\n"
      "    ConnectionString = 'Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + db.Path + "'\n"
      "    LoginPrompt = False\n"
      "    Mode = cmShareDenyNone\n"
      "    Provider = 'Microsoft.Jet.OLEDB.4.0'\n"
      "  end\n"
      "  object ADOTable1: TADOTable\n"
      "    Active = True\n"
      "    Connection = ADOConnection1\n"
      "    TableName = 'TSet'\n"
      "    object ADOTable1ID: TAutoIncField\n"
      "      FieldName = 'ID'\n"
      "      ReadOnly = True\n"
      "      Visible = False\n"
      "    end\n"
      "    object ADOTable1shift: TBooleanField\n"
      "      DisplayWidth = 10\n"
      "      FieldName = 'shift'\n"
      "    end\n"
      "    object ADOTable1Content: TMemoField\n"
      "      DisplayLabel = '内容'\n"
      "      DisplayWidth = 30\n"
      "      FieldName = 'Content'\n"
      "      BlobType = ftMemo\n"
      "    end\n"
      "  end\n"
      "  object DataSource1: TDataSource\n"
      "    AutoEdit = False\n"
      "    DataSet = ADOTable1\n"
      "  end\n"
      "end\n";
  ReadComponentResText(text, &root);
  auto* table = dynamic_cast<TADOTable*>(root.FindComponent("ADOTable1"));
  ASSERT_NE(table, nullptr);
  EXPECT_TRUE(table->Active());
  ASSERT_EQ(table->FieldCount(), 3);
  EXPECT_FALSE(table->DefaultFields());
  EXPECT_EQ(table->Fields()[0], root.FindComponent("ADOTable1ID"));
  EXPECT_FALSE(table->FieldByName("ID")->Visible());
  EXPECT_EQ(table->FieldByName("shift")->DisplayWidth(), 10);
  EXPECT_EQ(table->FieldByName("Content")->DisplayName(), "内容");
  EXPECT_EQ(table->FieldByName("Content")->AsString(), "Hello");
  auto* src = dynamic_cast<TDataSource*>(root.FindComponent("DataSource1"));
  ASSERT_NE(src, nullptr);
  EXPECT_EQ(src->DataSet(), table);
  EXPECT_FALSE(src->AutoEdit());
  EXPECT_EQ(src->State(), dsBrowse);

  // Written back, the fields stand inside their dataset.
  std::string written = WriteComponentResText(&root);
  size_t tablePos = written.find("object ADOTable1: TADOTable");
  size_t fieldPos = written.find("object ADOTable1Content: TMemoField");
  ASSERT_NE(tablePos, std::string::npos);
  ASSERT_NE(fieldPos, std::string::npos);
  EXPECT_LT(tablePos, fieldPos);
  EXPECT_LT(fieldPos, written.find("object DataSource1"));
}

TEST(Streaming, AnOpenClientDataSetIsWrittenWithItsRowsAndReadsBackOpen) {
  TTestOwner t;
  t.Owner->SetName("Form1");
  TClientDataSet* people = MakePeople(t.Owner.get(), 3);
  people->FieldDefs().Items(1)->SetRequired(true);
  people->Last();
  people->Edit();
  people->FieldByName("Name")->SetAsString("it's \xE5\x86\x85\xE5\xAE\xB9");
  people->FieldByName("Amount")->Clear();
  people->Post();
  auto* closed = new TClientDataSet(t.Owner.get());
  closed->SetName("Closed");
  closed->FieldDefs().Add("X", ftInteger);
  const std::string text = WriteComponentResText(t.Owner.get());

  TComponent copy(nullptr);
  ReadComponentResText(text, &copy);
  auto* read = dynamic_cast<TClientDataSet*>(copy.FindComponent("People"));
  ASSERT_NE(read, nullptr);
  ASSERT_TRUE(read->Active());
  EXPECT_EQ(read->RecordCount(), 3);
  ASSERT_EQ(read->FieldDefs().Count(), 3);
  EXPECT_EQ(read->FieldDefs().Items(1)->DataType(), ftString);
  EXPECT_EQ(read->FieldDefs().Items(1)->Size(), 20);
  EXPECT_TRUE(read->FieldDefs().Items(1)->Required());
  EXPECT_EQ(read->FieldByName("Amount")->AsFloat(), 1.5);
  read->Last();
  EXPECT_EQ(read->FieldByName("ID")->AsInteger(), 3);
  EXPECT_EQ(read->FieldByName("Name")->AsString(), "it's \xE5\x86\x85\xE5\xAE\xB9");
  EXPECT_TRUE(read->FieldByName("Amount")->IsNull());
  // The rows read are the dataset's own: they take edits and appends.
  read->Append();
  read->FieldByName("ID")->SetAsInteger(4);
  read->FieldByName("Name")->SetAsString("P4");
  read->Post();
  EXPECT_EQ(read->RecordCount(), 4);
  auto* readClosed = dynamic_cast<TClientDataSet*>(copy.FindComponent("Closed"));
  ASSERT_NE(readClosed, nullptr);
  EXPECT_FALSE(readClosed->Active());
}

}  // namespace
