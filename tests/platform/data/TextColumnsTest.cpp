// Text and memo fields read back exactly what was written, whatever the file declares:
// columns declared without text affinity (MEMO, NOTE, STRING(n), ...) are given it when a
// table opens for writing, after a backup of the file.
#include <gtest/gtest.h>

#include "tests/platform/data/AdoFixture.h"

namespace {

namespace fs = std::filesystem;

// What a text looks like stored: its storage class and its text.
std::string Stored(const TTempDatabase& Db, const std::string& Where, const char* Column = "Content") {
  return Db.Query(std::string("SELECT typeof(") + Column + ") || ':' || " + Column + " FROM TSet WHERE " + Where);
}

const char* const NumberLikeTexts[] = {"007", "0123456789", "1.50", "1e5", " 42", "-0", "9223372036854775808"};

TEST(TextColumnsTest, NumberLikeTextsAreStoredAndReadAsTheyWereTyped) {
  TAdoFixture F;
  F.Table->Open();
  for (const char* Text : NumberLikeTexts) {
    SCOPED_TRACE(Text);
    F.Table->Append();
    F.Table->FieldByName("Content")->SetAsString(Text);
    F.Table->Post();
    const std::string Id = F.Table->FieldByName("ID")->AsString();
    EXPECT_EQ(Stored(F.Db, "ID = " + Id), std::string("text:") + Text);
  }
  // Read again through a new opening, as the program reads its snippets.
  F.Table->Close();
  F.Table->Open();
  F.Table->Last();
  for (int I = static_cast<int>(std::size(NumberLikeTexts)) - 1; I >= 0; --I) {
    EXPECT_EQ(F.Table->FieldByName("Content")->AsString(), NumberLikeTexts[I]);
    F.Table->Prior();
  }
}

TEST(TextColumnsTest, AnOldFileKeepsItsRowsSchemaAndABackupOfItself) {
  TAdoFixture F(false);
  F.Db.Exec(
      "CREATE TABLE \"TSet\" (\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT, -- the row id\n"
      " [Key Name] STRING(20) NOT NULL DEFAULT 'x', /* sized */ \"KeyIndex\" INTEGER CHECK (KeyIndex >= 0),"
      " Note NOTE, \"Content\" MEMO COLLATE NOCASE, Plain TEXT, Flag BOOLEAN, Untyped,"
      " UNIQUE (\"Key Name\", KeyIndex));"
      "CREATE INDEX ByContent ON TSet (Content);"
      "INSERT INTO TSet ([Key Name], KeyIndex, Note, Content, Plain, Flag, Untyped)"
      " VALUES ('a', 1, 'n', '007', '007', 1, '007');");
  const std::string Before = F.Db.Query("SELECT sql FROM sqlite_master WHERE name = 'TSet'");
  F.Table->Open();

  // What the earlier schema already turned into a number reads as before, now as a text.
  EXPECT_EQ(F.Table->FieldByName("Content")->AsString(), "7");
  EXPECT_EQ(Stored(F.Db, "ID = 1"), "text:7");
  EXPECT_EQ(F.Table->FieldByName("Plain")->AsString(), "007");
  // The fields are what they were.
  EXPECT_EQ(F.Table->FieldByName("Content")->DataType(), ftMemo);
  EXPECT_EQ(F.Table->FieldByName("Key Name")->DataType(), ftWideString);
  EXPECT_EQ(F.Table->FieldByName("Key Name")->Size(), 20);
  EXPECT_EQ(F.Table->FieldByName("Flag")->DataType(), ftBoolean);

  // Only the types changed; names, constraints, comments and the rest stay.
  EXPECT_EQ(F.Db.Query("SELECT sql FROM sqlite_master WHERE name = 'TSet'"),
            "CREATE TABLE \"TSet\" (\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT, -- the row id\n"
            " [Key Name] VARCHAR(20) NOT NULL DEFAULT 'x', /* sized */ \"KeyIndex\" INTEGER CHECK (KeyIndex >= 0),"
            " Note TEXT, \"Content\" TEXT COLLATE NOCASE, Plain TEXT, Flag BOOLEAN, Untyped,"
            " UNIQUE (\"Key Name\", KeyIndex))");
  EXPECT_EQ(F.Db.Query("PRAGMA integrity_check"), "ok");

  // The backup holds the file as it was.
  const std::string Backup = F.Db.Path + ".bak";
  ASSERT_TRUE(fs::exists(Backup));
  TTempDatabase Old;
  Old.Path = Backup;
  EXPECT_EQ(Old.Query("SELECT sql FROM sqlite_master WHERE name = 'TSet'"), Before);
  EXPECT_EQ(Old.Query("SELECT typeof(Content) FROM TSet"), "integer");

  F.Table->Edit();
  F.Table->FieldByName("Content")->SetAsString("007");
  F.Table->FieldByName("Key Name")->SetAsString("0.50");
  F.Table->FieldByName("Note")->SetAsString("1");
  F.Table->Post();
  EXPECT_EQ(Stored(F.Db, "ID = 1"), "text:007");
  EXPECT_EQ(Stored(F.Db, "ID = 1", "[Key Name]"), "text:0.50");
  EXPECT_EQ(Stored(F.Db, "ID = 1", "Note"), "text:1");
  EXPECT_EQ(F.Db.Query("SELECT count(*) FROM TSet WHERE Content = '007'"), "1");

  // A second opening has nothing to change and makes no second backup.
  F.Table->Close();
  F.Table->Open();
  EXPECT_FALSE(fs::exists(F.Db.Path + ".bak2"));
}

TEST(TextColumnsTest, AReadOnlyOpeningChangesNothingAndATakenBackupNameIsKept) {
  {
    TAdoFixture F;
    F.Conn->SetMode(cmRead);
    F.Table->Open();
    EXPECT_EQ(F.Db.Query("SELECT type FROM pragma_table_info('TSet') WHERE name = 'Content'"), "MEMO");
    EXPECT_FALSE(fs::exists(F.Db.Path + ".bak"));
  }
  TAdoFixture F;
  F.Db.Exec("CREATE TABLE Other (x);");
  std::filesystem::copy_file(F.Db.Path, F.Db.Path + ".bak");
  F.Table->Open();
  EXPECT_EQ(F.Db.Query("SELECT type FROM pragma_table_info('TSet') WHERE name = 'Content'"), "TEXT");
  ASSERT_TRUE(fs::exists(F.Db.Path + ".bak2"));
  TTempDatabase Old;
  Old.Path = F.Db.Path + ".bak2";
  EXPECT_EQ(Old.Query("SELECT type FROM pragma_table_info('TSet') WHERE name = 'Content'"), "MEMO");
}

}  // namespace
