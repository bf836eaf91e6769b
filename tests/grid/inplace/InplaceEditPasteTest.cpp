// What the data grid's cell editor takes from the clipboard and from typing: pasted text
// is inserted as it is (never acted on as keys), and typed characters beyond the basic
// plane arrive whole.
#include "tests/support/InplaceEditFixture.h"

#include "platform/rtl/Utf8.h"

namespace {

namespace hl = win::headless;

class InplaceEditPasteTest : public InplaceEditTest {
protected:
  // The editor on a plain string cell of a one-record dataset, its text selected.
  TDBGridInplaceEdit* PlainEditor() {
    Data = NewDataSet({{"S", ftString}});
    EditColumn(Data, "S");
    TDBGridInplaceEdit* Editor = OpenEditor();
    EXPECT_NE(Editor, nullptr);
    return Editor;
  }
  TClientDataSet* Data = nullptr;
};

TEST_F(InplaceEditPasteTest, PastedTextIsInsertedAsItIsWhateverItsCharacters) {
  const struct {
    const char* Clipboard;
    const char* Shown;
  } Cases[] = {
      {"a\x16" "b", "a\x16" "b"},                  // Ctrl+V's character: no second paste
      {"\x16\x16\x16", "\x16\x16\x16"},
      {"p\x01q\x1fr\x7fs", "p\x01q\x1fr\x7fs"},   // Ctrl+A's character selects nothing
      {"a\tb\t\tc", "a\tb\t\tc"},
      {"\x03\x18\x1a\x08x", "\x03\x18\x1a\x08x"},  // copy, cut, undo, backspace: none acts
      {"first\r\nsecond", "first"},               // one line is all a cell holds
      {"中文😀", "中文😀"},
  };
  TDBGridInplaceEdit* Editor = PlainEditor();
  ASSERT_NE(Editor, nullptr);
  for (const auto& Case : Cases) {
    SCOPED_TRACE(testing::PrintToString(Case.Clipboard));
    Grid->ShowCellEditor();
    Editor->SetFocus();
    Editor->SelectAll();
    hl::SetClipboardTextElsewhere(Case.Clipboard);
    hl::PressKeys(win::MOD_CONTROL, 'V');
    EXPECT_EQ(Editor->Text(), Case.Shown);
    EXPECT_EQ(Editor->SelStart(), static_cast<int>(Utf8Length(Case.Shown)));
    // Leaving the editor hands the pasted text to the grid.
    Grid->HideEditor();
    EXPECT_EQ(Grid->EditText(), Case.Shown);
  }
}

TEST_F(InplaceEditPasteTest, APasteReplacesTheSelectionAndUndoesInOneStep) {
  TDBGridInplaceEdit* Editor = PlainEditor();
  hl::TypeText("abcd");
  Editor->SetSelStart(1);
  Editor->SetSelLength(2);
  hl::SetClipboardTextElsewhere("X\tY");
  hl::PressKeys(win::MOD_SHIFT, win::VK_INSERT);
  EXPECT_EQ(Editor->Text(), "aX\tYd");
  hl::PressKeys(win::MOD_CONTROL, 'Z');
  EXPECT_EQ(Editor->Text(), "abcd");
}

TEST_F(InplaceEditPasteTest, APasteLongerThanTheCellsLimitKeepsWhatFits) {
  TDBGridInplaceEdit* Editor = PlainEditor();
  Editor->SetMaxLength(5);
  hl::SetClipboardTextElsewhere("汉字abcdef");
  hl::PressKeys(win::MOD_CONTROL, 'V');
  EXPECT_EQ(Editor->Text(), "汉字abc");
}

TEST_F(InplaceEditPasteTest, TypedCharactersBeyondTheBasicPlaneArriveWhole) {
  TDBGridInplaceEdit* Editor = PlainEditor();
  hl::TypeText("中文键😀🎉 x");
  EXPECT_EQ(Editor->Text(), "中文键😀🎉 x");
  Grid->HideEditor();
  EXPECT_EQ(Grid->EditText(), "中文键😀🎉 x");
}

}  // namespace
