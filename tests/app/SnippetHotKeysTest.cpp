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
    // range, and a row of nulls.
    Exec("CREATE TABLE TSet (ID INTEGER PRIMARY KEY AUTOINCREMENT, shift BOOLEAN, control BOOLEAN,"
         " alt BOOLEAN, win BOOLEAN, KeyIndex INTEGER, Content MEMO);"
         "INSERT INTO TSet (shift, control, alt, win, KeyIndex, Content) VALUES"
         " (0, 1, 1, 0, 34, 'first'), (0, 1, 1, 0, 0, 'no key'), (0, 1, 1, 0, 36, '第三 third'),"
         " (0, 1, 1, 0, 34, 'same as first'), (1, 0, 0, 0, 150, 'out of range'),"
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
  ASSERT_EQ(keys->HotKeys()->Count(), 6);
  ASSERT_EQ(content.Count(), 6);
  struct Expect {
    const char* name;
    bool registered;
    const char* text;
  };
  const Expect rows[] = {{"ControlAlt_A", true, "first"},       {"ControlAlt_None", false, "no key"},
                         {"ControlAlt_C", true, "第三 third"},  {"ControlAlt_A", false, "same as first"},
                         {"Shift_None", false, "out of range"}, {"None", false, ""}};
  for (int i = 0; i < 6; ++i) {
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

}  // namespace
