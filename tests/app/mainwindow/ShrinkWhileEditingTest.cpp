// The main window made smaller while a cell's editor is open: an editor whose cell goes
// out of view gives the focus back to the grid, its text goes where the grid's rules put
// it, and a drop-down opened from it closes with it.
#include "tests/support/MainWindowFixture.h"

#include "grid/DBGridGx/InplaceEdit.h"

namespace {

namespace hl = win::headless;

class ShrinkWhileEditingTest : public MainWindowTest {
protected:
  // The restored window on three rows, the grid focused on the first row's key cell with
  // its editor open, the table in edit state.
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteDatabase("(0, 1, 1, 0, 34, 'first'), (1, 0, 1, 0, 76, 'second'), (0, 0, 0, 1, 0, 'third')");
  }
  TFVantrel* EditingKeyCell() {
    TFVantrel* f = Create();
    f->SysTrayIcon->RestoreMainWindow();
    hl::ProcessMessages();
    f->DBGridGx1->SetFocus();
    f->DBNavigator1->BtnClick(nbFirst);
    f->DBNavigator1->BtnClick(nbEdit);
    f->DBGridGx1->SetFocus();
    for (int I = 0; I < 4; ++I) hl::PressKey(win::VK_RIGHT);
    EXPECT_EQ(f->DBGridGx1->Col(), 5);
    hl::PressKey(win::VK_F2);
    hl::ProcessMessages();
    return f;
  }
  static TDBGridInplaceEdit* Editor(TFVantrel* f) {
    return dynamic_cast<TDBGridInplaceEdit*>(f->DBGridGx1->InplaceEditor());
  }
  static void Shrink(TFVantrel* f, int Width, int Height) {
    f->SetBounds(f->Left(), f->Top(), Width, Height);
    hl::ProcessMessages();
  }
};

TEST_F(ShrinkWhileEditingTest, TheFocusLeavesAnEditorThatHidesAndKeysGoToTheGrid) {
  for (const auto& Size : {std::pair{300, 394}, std::pair{725, 60}, std::pair{1, 1}}) {
    SCOPED_TRACE(std::to_string(Size.first) + "x" + std::to_string(Size.second));
    TFVantrel* f = EditingKeyCell();
    TDBGridInplaceEdit* E = Editor(f);
    ASSERT_NE(E, nullptr);
    ASSERT_TRUE(E->Visible());
    ASSERT_EQ(win::GetFocus(), E->Handle());
    Shrink(f, Size.first, Size.second);
    EXPECT_FALSE(E->Visible());
    EXPECT_EQ(win::GetFocus(), f->DBGridGx1->Handle());
    // Keys typed now are the grid's: none reaches the hidden editor's cell.
    hl::TypeText("abc");
    EXPECT_EQ(f->ADOTable1->FieldByName("KeyIndex")->AsInteger(), 34);
    EXPECT_TRUE(hl::MessageBoxes().empty());
    f->Free();
    FVantrel = nullptr;
  }
}

TEST_F(ShrinkWhileEditingTest, TextTypedBeforeTheEditorHidesIsWrittenByTheUsualRules) {
  TFVantrel* f = EditingKeyCell();
  hl::TypeText("vkF1");
  ASSERT_EQ(Editor(f)->Text(), "vkF1");
  Shrink(f, 300, 394);
  // Growing again brings the editor back with the text, and the post writes it.
  Shrink(f, 725, 394);
  EXPECT_TRUE(Editor(f)->Visible());
  EXPECT_EQ(Editor(f)->Text(), "vkF1");
  f->DBNavigator1->BtnClick(nbPost);
  EXPECT_EQ(f->ADOTable1->State(), dsBrowse);
  EXPECT_TRUE(hl::MessageBoxes().empty());
  EXPECT_EQ(f->ADOTable1->FieldByName("KeyIndex")->AsInteger(), 76);
}

TEST_F(ShrinkWhileEditingTest, ADropDownClosesWithTheEditorThatOpenedIt) {
  TFVantrel* f = EditingKeyCell();
  TDBGridInplaceEdit* E = Editor(f);
  hl::PressKeys(win::MOD_ALT, win::VK_DOWN);
  ASSERT_TRUE(E->PopupVisible());
  for (int I = 0; I < 40; ++I) hl::PressKey(win::VK_DOWN);  // far down the key names
  Shrink(f, 300, 394);
  EXPECT_FALSE(E->PopupVisible());
  EXPECT_FALSE(E->ActivePopup() && E->ActivePopup()->Visible());
  // Nothing was chosen: the key stays, and the row posts without errors.
  EXPECT_EQ(f->ADOTable1->FieldByName("KeyIndex")->AsInteger(), 34);
  hl::PressKey(win::VK_LEFT);
  f->DBNavigator1->BtnClick(nbPost);
  EXPECT_TRUE(hl::MessageBoxes().empty());
  EXPECT_EQ(f->ADOTable1->State(), dsBrowse);
  EXPECT_EQ(f->ADOTable1->FieldByName("KeyIndex")->AsInteger(), 34);
}

}  // namespace
