// The snippet table in the main window's grid: what the restored window shows, and
// editing it as the form is set up (no edit mode until the navigator asks for it).
#include "tests/support/CellDrawing.h"
#include "tests/support/MainWindowFixture.h"

#include <cairo.h>

#include "platform/graphics/DrawRecord.h"

namespace {

namespace hl = win::headless;

class SnippetGridTest : public MainWindowTest {
protected:
  // The main window on three rows, brought out of the tray, keys going to its grid.
  TFVantrel* Restored() {
    WriteDatabase("(0, 1, 1, 0, 34, 'first'), (1, 0, 1, 0, 76, 'second'), (0, 0, 0, 1, 0, 'third')");
    TFVantrel* f = Create();
    EXPECT_TRUE(hl::MessageBoxes().empty());
    f->SysTrayIcon->RestoreMainWindow();
    hl::ProcessMessages();
    f->DBGridGx1->SetFocus();
    // Start-up reads the rows to the last; the user goes back to the first.
    f->DBNavigator1->BtnClick(nbFirst);
    hl::ProcessMessages();
    return f;
  }
  // One value of the stored table, read through SQLite itself.
  std::string Stored(const char* Sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open((dir / "data.mdb").c_str(), &db), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, Sql, -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    std::string value = "<none>";
    if (st && sqlite3_step(st) == SQLITE_ROW)
      value = sqlite3_column_text(st, 0) ? reinterpret_cast<const char*>(sqlite3_column_text(st, 0)) : "<null>";
    sqlite3_finalize(st);
    sqlite3_close(db);
    return value;
  }
};

TEST_F(SnippetGridTest, TheRestoredWindowShowsEveryRowWithItsChecksAndKeyNames) {
  TFVantrel* f = Restored();
  TDBGridGx* Grid = f->DBGridGx1;
  ASSERT_NE(Grid, nullptr);
  EXPECT_TRUE(Grid->Visible() && win::IsWindowVisible(Grid->Handle()));
  EXPECT_EQ(Grid->DataSource(), f->DataSource1);
  ASSERT_EQ(Grid->Columns()->Count(), 5);

  const std::vector<win::DrawOp> Ops = PaintAndRecord(Grid->Handle());
  // Titles, then per row: control, alt, shift, win as check boxes and the key's name.
  const char* Titles[] = {"control", "alt", "shift", "win", "键"};
  for (int C = 0; C < 5; ++C) EXPECT_EQ(DrawnInCell(Grid, Ops, C + 1, 0).Text(), Titles[C]) << C;
  const struct {
    int Checks[4];
    const char* Key;
  } Rows[] = {{{1, 1, 0, 0}, "vkA"}, {{0, 1, 1, 0}, "vkF1"}, {{0, 0, 0, 1}, "vkNone"}};
  for (int R = 0; R < 3; ++R) {
    SCOPED_TRACE(R);
    for (int C = 0; C < 4; ++C) EXPECT_EQ(DrawnInCell(Grid, Ops, C + 1, R + 1).CheckBox(Grid->Color()), Rows[R].Checks[C]);
    EXPECT_EQ(DrawnInCell(Grid, Ops, 5, R + 1).Text(), Rows[R].Key);
  }
  // No fourth row: the space below the last record holds no cell text.
  EXPECT_TRUE(DrawnInCell(Grid, Ops, 5, 4).Texts().empty());
}

TEST_F(SnippetGridTest, ACheckBoxTogglesOnlyAfterTheNavigatorsEditAndPostWritesTheTable) {
  TFVantrel* f = Restored();
  TDBGridGx* Grid = f->DBGridGx1;
  ASSERT_EQ(Grid->Col(), 1);  // "control" of the first row
  hl::PressKey(win::VK_SPACE);
  EXPECT_EQ(f->ADOTable1->State(), dsBrowse);
  EXPECT_TRUE(f->ADOTable1->FieldByName("control")->AsBoolean());

  f->DBNavigator1->BtnClick(nbEdit);
  hl::PressKey(win::VK_SPACE);
  EXPECT_FALSE(f->ADOTable1->FieldByName("control")->AsBoolean());
  EXPECT_EQ(Stored("SELECT control FROM TSet WHERE ID = 1"), "1");
  f->DBNavigator1->BtnClick(nbPost);
  EXPECT_EQ(f->ADOTable1->State(), dsBrowse);
  EXPECT_EQ(Stored("SELECT control FROM TSet WHERE ID = 1"), "0");
}

TEST_F(SnippetGridTest, InsStartsARowAndCtrlDelAsksBeforeDeleting) {
  TFVantrel* f = Restored();
  hl::PressKey(win::VK_INSERT);
  EXPECT_EQ(f->ADOTable1->State(), dsInsert);
  hl::PressKey(win::VK_ESCAPE);
  EXPECT_EQ(f->ADOTable1->State(), dsBrowse);
  EXPECT_EQ(f->ADOTable1->RecordCount(), 3);

  hl::PressKey(win::VK_DOWN);
  const std::size_t Before = hl::MessageBoxes().size();
  hl::QueueMessageBoxAnswer(win::IDCANCEL);
  hl::PressKeys(win::MOD_CONTROL, win::VK_DELETE);
  ASSERT_EQ(hl::MessageBoxes().size(), Before + 1);
  EXPECT_EQ(hl::MessageBoxes().back().Text, "Delete record?");
  EXPECT_EQ(Stored("SELECT COUNT(*) FROM TSet"), "3");
  hl::QueueMessageBoxAnswer(win::IDOK);
  hl::PressKeys(win::MOD_CONTROL, win::VK_DELETE);
  EXPECT_EQ(Stored("SELECT COUNT(*) FROM TSet"), "2");
  EXPECT_EQ(Stored("SELECT COUNT(*) FROM TSet WHERE Content = 'second'"), "0");
}

TEST_F(SnippetGridTest, TheKeyCellDropsDownTheKeyNamesAndPostsTheChosenKeysNumber) {
  TFVantrel* f = Restored();
  TDBGridGx* Grid = f->DBGridGx1;
  f->DBNavigator1->BtnClick(nbEdit);
  Grid->SetFocus();
  for (int I = 0; I < 4; ++I) hl::PressKey(win::VK_RIGHT);
  ASSERT_EQ(Grid->Col(), 5);  // the key column
  hl::PressKey(win::VK_F2);     // the cell's editor, with its drop-down button
  hl::PressKeys(win::MOD_ALT, win::VK_DOWN);
  auto* Editor = dynamic_cast<TDBGridInplaceEdit*>(Grid->InplaceEditor());
  ASSERT_NE(Editor, nullptr);
  ASSERT_TRUE(Editor->PopupVisible()) << "Alt+Down drops the key names down";
  hl::PressKey(win::VK_DOWN);
  hl::PressKey(win::VK_RETURN);
  EXPECT_EQ(Editor->Text(), "vkB");  // the name after vkA
  f->DBNavigator1->BtnClick(nbPost);
  EXPECT_EQ(Stored("SELECT KeyIndex FROM TSet WHERE ID = 1"), "35");
}

// The window starts in the tray and comes back from it: its memo's scroll bar is drawn at
// once, though the memo painted its frame before the program had drawn anything.
TEST_F(SnippetGridTest, TheWindowBroughtBackFromTheTrayShowsItsMemosScrollBar) {
  WriteDatabase();
  TFVantrel* f = Create();
  int Step = 0, Drawn = -1;
  hl::SetIdleHandler([&] {
    if (Step++ == 0) {
      f->SysTrayIcon->RestoreMainWindow();
      return;
    }
    // Pixels of the vertical bar other than its button face: its arrows and edges.
    win::RECT Bar{}, Memo{}, Form{};
    if (win::GetWindowScrollBarRect(f->DBMemo1->Handle(), win::SB_VERT, &Bar) &&
        win::GetWindowRect(f->DBMemo1->Handle(), &Memo) && win::GetWindowRect(f->Handle(), &Form)) {
      cairo_surface_t* S = win::WindowImageSurface(f->Handle());
      cairo_surface_flush(S);
      const unsigned char* Data = cairo_image_surface_get_data(S);
      const int Stride = cairo_image_surface_get_stride(S);
      const std::uint32_t Face = static_cast<std::uint32_t>(win::GetSysColor(win::COLOR_BTNFACE));
      const std::uint32_t FacePixel = ((Face & 0xFF) << 16) | (Face & 0xFF00) | ((Face >> 16) & 0xFF);
      Drawn = 0;
      for (int Y = Bar.top; Y < Bar.bottom; ++Y)
        for (int X = Bar.left; X < Bar.right; ++X) {
          const int SX = Memo.left - Form.left + X, SY = Memo.top - Form.top + Y;
          const auto* Px = reinterpret_cast<const std::uint32_t*>(Data + SY * Stride) + SX;
          if ((*Px & 0xFFFFFF) != FacePixel) ++Drawn;
        }
    }
    f->N1->Click();
  });
  Application->Run();
  hl::SetIdleHandler(nullptr);
  Application->ClearTerminated();
  EXPECT_GT(Drawn, 0);
}

}  // namespace
