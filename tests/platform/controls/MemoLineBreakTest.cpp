// The memo's line breaks: Enter, a paste and its lines use the break the text already
// has, a line feed for a text without one; pasted characters other than breaks stay.
#include "ControlsFixture.h"

#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Utf8.h"

namespace {

namespace hl = win::headless;

class MemoLineBreakTest : public FormTest {
protected:
  TMemo* Memo(const std::string& Text) {
    auto* M = new TMemo(form);
    M->SetParent(form);
    M->SetBounds(5, 5, 300, 200);
    M->SetFocus();
    M->SetText(Text);
    M->SetSelStart(static_cast<int>(Utf8Length(Text)));
    return M;
  }
};

TEST_F(MemoLineBreakTest, EnterAndPasteWriteTheTextsOwnLineBreak) {
  const struct {
    const char* Text;
    const char* Pasted;
    const char* After;  // the text after Enter, then the paste
  } Cases[] = {
      {"", "x\r\ny\rz\nw", "\nx\ny\nz\nw"},
      {"lf\nonly", "a\r\nb", "lf\nonly\na\nb"},
      {"crlf\r\ntext", "a\nb\rc", "crlf\r\ntext\r\na\r\nb\r\nc"},
      {"snippet", "tab\there\x01", "snippet\ntab\there\x01"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(testing::PrintToString(Case.Text));
    TMemo* M = Memo(Case.Text);
    hl::PressKey(win::VK_RETURN);
    hl::SetClipboardTextElsewhere(Case.Pasted);
    hl::PressKeys(win::MOD_CONTROL, 'V');
    EXPECT_EQ(M->Text(), Case.After);
    delete M;
  }
}

TEST_F(MemoLineBreakTest, LinesAddedJoinWithTheTextsLineBreak) {
  TMemo* M = Memo("");
  M->Lines()->Add("one");
  M->Lines()->Add("two");
  EXPECT_EQ(M->Text(), "one\ntwo");
  M->SetText("a\r\nb");
  M->Lines()->Add("c");
  EXPECT_EQ(M->Text(), "a\r\nb\r\nc");
  // Backspace after a line feed takes it.
  M->SetText("a\nb");
  M->SetSelStart(2);
  hl::PressKey(win::VK_BACK);
  EXPECT_EQ(M->Text(), "ab");
}

}  // namespace
