// The start-up pass over the snippet table and the copy to the clipboard.
#include "app/SnippetHotKeys.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSource.h"
#include "platform/desktop/Headless.h"
#include "tests/app/TestForm.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
constexpr win::UINT CtrlAlt = win::MOD_CONTROL | win::MOD_ALT;

class SnippetHotKeysTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    char tmpl[] = "/tmp/vantrel-snippets-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    // Rows: Ctrl+Alt+A, no key, Ctrl+Alt+C, Ctrl+Alt+A again, a key ordinal out of
    // range, one that is A (34) plus 2^32, and a row of nulls.
    Exec("CREATE TABLE TSet (ID INTEGER PRIMARY KEY AUTOINCREMENT, shift BOOLEAN, control BOOLEAN,"
         " alt BOOLEAN, win BOOLEAN, KeyIndex INTEGER, Content MEMO);"
         "INSERT INTO TSet (shift, control, alt, win, KeyIndex, Content) VALUES"
         " (0, 1, 1, 0, 34, 'first'), (0, 1, 1, 0, 0, 'no key'), (0, 1, 1, 0, 36, '第三 third'),"
         " (0, 1, 1, 0, 34, 'same as first'), (1, 0, 0, 0, 150, 'out of range'),"
         " (0, 0, 1, 0, 4294967330, 'beyond 32 bits'),"
         " (NULL, NULL, NULL, NULL, NULL, NULL);");
    form = std::make_unique<TTestForm>();
    keys = new TGlobalHotKeys(form.get());
    keys->SetOnHotKeys(THotKeyEvent([this](TObject*, std::uint16_t i) { CopySnippetToClipboard(&content, i); }));
    conn = std::make_unique<TADOConnection>(nullptr);
    conn->SetLoginPrompt(false);
    conn->SetConnectionString(SnippetConnectionString((dir / "data.mdb").string()));
    table = std::make_unique<TADOTable>(nullptr);
    table->SetConnection(conn.get());
    table->SetTableName("TSet");
    table->Open();
  }
  void TearDown() override {
    table.reset();
    conn.reset();
    form.reset();
    fs::remove_all(dir);
    win::headless::Reset();
  }
  void Exec(const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "data.mdb").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  }

  fs::path dir;
  std::unique_ptr<TTestForm> form;
  TGlobalHotKeys* keys = nullptr;
  std::unique_ptr<TADOConnection> conn;
  std::unique_ptr<TADOTable> table;
  TStringList content;
};

TEST(SnippetConnection, NamesTheDatabaseAmongTheJetSettings) {
  EXPECT_EQ(SnippetConnectionString("/opt/vantrel/data.mdb"),
            "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=/opt/vantrel/data.mdb;"
            "Mode=Share Deny None;Extended Properties=\"\";Jet OLEDB:System database=\"\";"
            "Jet OLEDB:Registry Path=\"\";Jet OLEDB:Database Password=\"\";Jet OLEDB:Engine Type=5;"
            "Jet OLEDB:Database Locking Mode=1;Jet OLEDB:Global Partial Bulk Ops=2;"
            "Jet OLEDB:Global Bulk Transactions=1;Jet OLEDB:New Database Password=\"\";"
            "Jet OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;"
            "Jet OLEDB:Don't Copy Locale on Compact=False;Jet OLEDB:Compact Without Replica Repair=False;"
            "Jet OLEDB:SFP=False");
}

TEST_F(SnippetHotKeysTest, EveryRowTakesItsIndexAndItsText) {
  BindSnippetRows(table.get(), keys->HotKeys(), &content);
  ASSERT_EQ(keys->HotKeys()->Count(), 7);
  ASSERT_EQ(content.Count(), 7);
  struct Expect {
    const char* name;
    bool registered;
    const char* text;
  };
  const Expect rows[] = {{"ControlAlt_A", true, "first"},       {"ControlAlt_None", false, "no key"},
                         {"ControlAlt_C", true, "第三 third"},  {"ControlAlt_A", false, "same as first"},
                         {"Shift_None", false, "out of range"}, {"Alt_None", false, "beyond 32 bits"},
                         {"None", false, ""}};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    THotKeyItem* item = keys->HotKeys()->ItemAt(i);
    EXPECT_EQ(item->DisplayName(), rows[i].name);
    EXPECT_EQ(item->Registered(), rows[i].registered);
    EXPECT_EQ(content.Strings(i), rows[i].text);
  }
}

TEST_F(SnippetHotKeysTest, ControlsOnTheTableFollowOnlyTheEndOfThePass) {
  TDataSource source(nullptr);
  source.SetDataSet(table.get());
  int changes = 0;
  source.SetOnDataChange(TDataChangeEvent([&](TObject*, TField*) { ++changes; }));
  BindSnippetRows(table.get(), keys->HotKeys(), &content);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(table->Eof());
  EXPECT_FALSE(table->ControlsDisabled());
  EXPECT_TRUE(table->FieldByName("Content")->IsNull());  // the last row shows
}

TEST_F(SnippetHotKeysTest, AFailingPassLeavesTheControlsEnabled) {
  Exec("CREATE TABLE NoKey (ID INTEGER PRIMARY KEY, shift BOOLEAN, control BOOLEAN, alt BOOLEAN, win BOOLEAN,"
       " Content MEMO); INSERT INTO NoKey (shift, control, alt, win, Content) VALUES (0, 1, 1, 0, 'x');"
       "CREATE TABLE Empty (ID INTEGER PRIMARY KEY);");
  TADOTable odd(nullptr);
  odd.SetConnection(conn.get());
  odd.SetTableName("NoKey");
  odd.Open();
  EXPECT_THROW(BindSnippetRows(&odd, keys->HotKeys(), &content), EDatabaseError);
  EXPECT_FALSE(odd.ControlsDisabled());
  EXPECT_EQ(content.Count(), 0);
  // A table without rows binds nothing, whatever its columns.
  TADOTable empty(nullptr);
  empty.SetConnection(conn.get());
  empty.SetTableName("Empty");
  empty.Open();
  EXPECT_NO_THROW(BindSnippetRows(&empty, keys->HotKeys(), &content));
  EXPECT_EQ(content.Count(), 0);
}

TEST_F(SnippetHotKeysTest, PressingACombinationPutsItsRowsTextOnTheClipboard) {
  BindSnippetRows(table.get(), keys->HotKeys(), &content);
  ASSERT_TRUE(win::headless::PressHotKey(CtrlAlt, 'C'));  // the row after a keyless one
  EXPECT_EQ(win::headless::ClipboardText(), "第三 third");
  ASSERT_TRUE(win::headless::PressHotKey(CtrlAlt, 'A'));  // the first of two equal rows
  EXPECT_EQ(win::headless::ClipboardText(), "first");

  // Held by another program: nothing changes and nothing is shown.
  win::headless::HoldClipboardElsewhere(true);
  EXPECT_TRUE(win::headless::PressHotKey(CtrlAlt, 'C'));
  win::headless::HoldClipboardElsewhere(false);
  EXPECT_EQ(win::headless::ClipboardText(), "first");
  EXPECT_TRUE(win::headless::MessageBoxes().empty());

  CopySnippetToClipboard(&content, 99);
  CopySnippetToClipboard(nullptr, 0);
  EXPECT_EQ(win::headless::ClipboardText(), "first");
}

TEST_F(SnippetHotKeysTest, RowsPastTheHotKeyIdentifiersGetNoKeyAndStderrSaysSoOnce) {
  // Row 0xBFFF, the last identifier, takes Ctrl+Alt+C; the two rows after it ask for
  // Ctrl+Alt+A and Ctrl+Alt+F; all rows before them have no key.
  Exec("CREATE TABLE Many (ID INTEGER PRIMARY KEY, shift BOOLEAN, control BOOLEAN, alt BOOLEAN, win BOOLEAN,"
       " KeyIndex INTEGER, Content MEMO);"
       "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 49153)"
       " INSERT INTO Many (ID, shift, control, alt, win, KeyIndex, Content)"
       " SELECT i + 1, 0, 1, 1, 0, CASE i WHEN 49151 THEN 36 WHEN 49152 THEN 34 WHEN 49153 THEN 39 ELSE 0 END,"
       " 'row ' || i FROM n;");
  TADOTable many(nullptr);
  many.SetConnection(conn.get());
  many.SetTableName("Many");
  many.Open();
  testing::internal::CaptureStderr();
  BindSnippetRows(&many, keys->HotKeys(), &content);
  std::string said = testing::internal::GetCapturedStderr();
  ASSERT_EQ(keys->HotKeys()->Count(), 49154);
  ASSERT_EQ(content.Count(), 49154);
  EXPECT_TRUE(keys->HotKeys()->ItemAt(0xBFFF)->Registered());
  for (int i : {0xC000, 0xC001}) {
    SCOPED_TRACE(i);
    EXPECT_EQ(keys->HotKeys()->ItemAt(i)->VirtKey(), vkNone);
    EXPECT_FALSE(keys->HotKeys()->ItemAt(i)->Registered());
    EXPECT_EQ(content.Strings(i), "row " + std::to_string(i));
  }
  EXPECT_TRUE(win::headless::PressHotKey(CtrlAlt, 'C'));
  EXPECT_EQ(win::headless::ClipboardText(), "row 49151");
  EXPECT_FALSE(win::headless::PressHotKey(CtrlAlt, 'A'));
  EXPECT_FALSE(win::headless::PressHotKey(CtrlAlt, 'F'));
  EXPECT_EQ(said, "vantrel: only the first 49152 rows can have hot keys; 2 rows after them have none\n");
}

}  // namespace
