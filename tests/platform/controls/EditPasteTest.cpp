// Pasting into edits: the text goes in as it is, in one insertion, as far as the control
// can hold it; a masked edit fills its positions from the pasted characters.
#include "ControlsFixture.h"

#include "platform/controls/Mask.h"
#include "platform/controls/StdCtrls.h"

namespace {

namespace hl = win::headless;

class EditPasteTest : public FormTest {
protected:
  template <class E>
  E* Focused(const std::string& Text) {
    auto* Edit = new E(form);
    Edit->SetParent(form);
    Edit->SetBounds(5, 5, 200, 60);
    Edit->SetFocus();
    Edit->SetText(Text);
    Edit->SetSelStart(static_cast<int>(Edit->Text().size()));
    return Edit;
  }
  static void Paste(const std::string& Text) {
    hl::SetClipboardTextElsewhere(Text);
    hl::PressKeys(win::MOD_CONTROL, 'V');
  }
};

TEST_F(EditPasteTest, ASingleLineEditTakesThePastedLineAsItIs) {
  const struct {
    const char* Clipboard;
    const char* Text;
  } Cases[] = {
      {"p\x01q\x1fr\x7fs", "p\x01q\x1fr\x7fs"},
      {"a\tb\t\tc", "a\tb\t\tc"},
      {"\x16\x03\x18\x1a\x08", "\x16\x03\x18\x1a\x08"},
      {"one\ntwo", "one"},
      {"one\r\ntwo", "one"},
      {"\nafter a break", ""},
      {"中文键😀", "中文键😀"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(testing::PrintToString(Case.Clipboard));
    TEdit* Edit = Focused<TEdit>("");
    int Changes = 0;
    Edit->SetOnChange([&](TObject*) { ++Changes; });
    Paste(Case.Clipboard);
    EXPECT_EQ(Edit->Text(), Case.Text);
    EXPECT_EQ(Changes, *Case.Text ? 1 : 0);  // one insertion, one change notice
    EXPECT_TRUE(Edit->Modified() || !*Case.Text);
    delete Edit;
  }
}

TEST_F(EditPasteTest, APasteKeepsToTheLimitTheCaseAndTheReadOnlyState) {
  TEdit* Edit = Focused<TEdit>("ab");
  Edit->SetMaxLength(5);
  Paste("xyz123");
  EXPECT_EQ(Edit->Text(), "abxyz");

  Edit->SetMaxLength(0);
  Edit->SetCharCase(ecUpperCase);
  Edit->SelectAll();
  Paste("mixed Case");
  EXPECT_EQ(Edit->Text(), "MIXED CASE");

  Edit->SetReadOnly(true);
  Edit->SelectAll();
  Paste("nothing");
  EXPECT_EQ(Edit->Text(), "MIXED CASE");
}

TEST_F(EditPasteTest, AMaskedEditFillsItsPositionsFromThePastedCharacters) {
  TMaskEdit* Edit = Focused<TMaskEdit>("");
  Edit->SetEditMask("99/99/0000;1;_");
  Edit->SetSelStart(0);
  Paste("12x05\x16" "1999 and more");
  EXPECT_EQ(Edit->Text(), "12/05/1999");
  EXPECT_TRUE(Edit->Modified());
}

}  // namespace
