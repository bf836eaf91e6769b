#include "ControlsFixture.h"

#include "platform/controls/Mask.h"
#include "platform/rtl/Utf8.h"

namespace {

class MaskEditTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = new TForm(nullptr);
    edit = new TMaskEdit(form);
    edit->SetParent(form);
    other = new TEdit(form);
    other->SetParent(form);
    other->SetTop(40);
    form->Show();
  }
  void TearDown() override {
    form->Free();
    ControlsTest::TearDown();
  }
  TForm* form = nullptr;
  TMaskEdit* edit = nullptr;
  TEdit* other = nullptr;
};

struct TypedCase {
  const char* mask;
  const char* keys;  // typed text; '\b' is backspace
  const char* text;
  const char* editText;
  bool valid;
};

TEST_F(MaskEditTest, KeysTypedFollowTheMask) {
  const TypedCase cases[] = {
      {"99/99/0000;1;_", "12051999", "12/05/1999", "12/05/1999", true},
      {"99/99/0000;1;_", "1205", "12/05/    ", "12/05/____", false},
      {"99/99/0000;0;_", "12051999", "12051999", "12/05/1999", true},
      {">LL-000;0;_", "ab123", "AB123", "AB-123", true},
      {">LL-000;0;_", "a1b23", "AB23", "AB-23_", false},  // the digit is refused where a letter goes
      {"000;1;*", "12\b\b7", "7  ", "7**", false},
      {"aaa;1;_", "x", "x  ", "x__", true},  // optional positions may stay empty
      {"LLL;1;_", "日本語", "日本語", "日本語", true},
  };
  for (const TypedCase& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " typed " + c.keys);
    edit->SetEditMask(c.mask);
    edit->SetText("");
    edit->SetFocus();
    edit->SetSelStart(0);
    const std::string_view keys = c.keys;
    for (std::size_t k = 0; k < keys.size(); k = Utf8NextChar(keys, k)) {
      if (keys[k] == '\b') win::headless::PressKey(win::VK_BACK);
      else win::headless::TypeText(std::string(keys.substr(k, Utf8CharLength(keys, k))));
    }
    EXPECT_EQ(edit->Text(), c.text);
    EXPECT_EQ(edit->EditText(), c.editText);
    EXPECT_TRUE(edit->Modified());
    if (c.valid) {
      EXPECT_NO_THROW(edit->ValidateEdit());
    } else {
      try {
        edit->ValidateEdit();
        ADD_FAILURE() << "no validation error";
      } catch (const EDBEditError& e) {
        EXPECT_EQ(e.Message(), "Invalid input value. Use escape key to abandon changes");
      }
    }
  }
}

TEST_F(MaskEditTest, LeavingAnIncompleteEditKeepsTheFocusAndShowsTheError) {
  edit->SetEditMask("000;1;_");
  edit->SetFocus();
  win::headless::TypeText("1");
  // Tab tries to leave: the error reaches the application's message box, and the
  // caret waits at the first empty required position.
  win::headless::PressKey(win::VK_TAB);
  ASSERT_EQ(win::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(win::headless::MessageBoxes()[0].Text, "Invalid input value. Use escape key to abandon changes.");
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->SelStart(), 1);
  // Escape puts back the text it had on entering; then it may be left.
  win::headless::PressKey(win::VK_ESCAPE);
  EXPECT_EQ(edit->EditText(), "___");
  EXPECT_FALSE(edit->Modified());
  win::headless::PressKey(win::VK_TAB);
  EXPECT_TRUE(other->Focused());
}

TEST_F(MaskEditTest, TextSetByProgramIsLaidOutAndUnmodified) {
  edit->SetEditMask("!999;0; ");
  edit->SetText("7");
  EXPECT_EQ(edit->EditText(), "  7");
  EXPECT_EQ(edit->Text(), "7");
  EXPECT_FALSE(edit->Modified());
  EXPECT_EQ(edit->MaxLength(), 3);
  EXPECT_NO_THROW(edit->ValidateEdit());
  // Without a mask the edit is plain: the text is what was typed.
  edit->SetEditMask("");
  EXPECT_EQ(edit->Text(), "7");
  edit->SetFocus();
  edit->SetSelStart(1);
  win::headless::TypeText("x");
  EXPECT_EQ(edit->Text(), "7x");
}

}  // namespace
