// Snippet texts typed in the main window reach the file and, after a restart, the
// clipboard exactly as typed, also texts that look like numbers in a file whose text
// column an earlier sample tool declared MEMO.
#include "tests/support/MainWindowFixture.h"

namespace {

namespace hl = win::headless;
constexpr win::UINT CtrlAlt = win::MOD_CONTROL | win::MOD_ALT;

class SnippetTextsTest : public MainWindowTest {
protected:
  std::string Stored(int Id) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2((dir / "data.mdb").c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    std::string value = "<none>";
    if (sqlite3_prepare_v2(db, "SELECT typeof(Content) || ':' || Content FROM TSet WHERE ID = ?", -1, &st,
                           nullptr) == SQLITE_OK) {
      sqlite3_bind_int(st, 1, Id);
      if (sqlite3_step(st) == SQLITE_ROW) value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return value;
  }
};

TEST_F(SnippetTextsTest, TextsThatLookLikeNumbersRoundTripThroughTheWindowTheFileAndTheClipboard) {
  WriteDatabase("(0, 1, 1, 0, 34, 'first'), (0, 1, 1, 0, 35, 'second'), (0, 1, 1, 0, 36, 'third')");
  const char* Typed[] = {"007", "0123456789", "1.50"};
  TFVantrel* f = Create();
  f->SysTrayIcon->RestoreMainWindow();
  hl::ProcessMessages();
  f->DBNavigator1->BtnClick(nbFirst);
  for (const char* Text : Typed) {
    SCOPED_TRACE(Text);
    f->DBNavigator1->BtnClick(nbEdit);
    f->DBMemo1->SetFocus();
    f->DBMemo1->SelectAll();
    hl::TypeText(Text);
    f->DBNavigator1->BtnClick(nbPost);
    EXPECT_EQ(f->ADOTable1->State(), dsBrowse);
    EXPECT_EQ(f->DBMemo1->Text(), Text);
    f->DBNavigator1->BtnClick(nbNext);
  }
  for (int I = 0; I < 3; ++I) EXPECT_EQ(Stored(I + 1), std::string("text:") + Typed[I]);
  EXPECT_TRUE(hl::MessageBoxes().empty());

  // The program starts again and binds the rows' keys: each pastes its text as typed.
  f->Free();
  FVantrel = nullptr;
  f = Create();
  const char Keys[] = {'A', 'B', 'C'};
  for (int I = 0; I < 3; ++I) {
    ASSERT_TRUE(hl::PressHotKey(CtrlAlt, Keys[I]));
    EXPECT_EQ(hl::ClipboardText(), Typed[I]);
  }
}

}  // namespace
