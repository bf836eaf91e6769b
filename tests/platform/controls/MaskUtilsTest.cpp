#include "platform/controls/MaskUtils.h"

#include <gtest/gtest.h>

namespace {

struct LayoutCase {
  const char* mask;
  const char* value;
  const char* editText;
  const char* text;
  const char* formatted;
};

TEST(EditMask, LaysValuesOutUnderTheMask) {
  const LayoutCase cases[] = {
      // Literals saved: the value carries them.
      {"99/99/00;1;_", "", "__/__/__", "  /  /  ", "  /  /  "},
      {"99/99/00;1;_", "12/05/99", "12/05/99", "12/05/99", "12/05/99"},
      {"99/99/00;1;_", "1/5/99", "1_/5_/99", "1 /5 /99", "1 /5 /99"},
      {"!99/99/00;1;_", "1/5/99", "_1/_5/99", " 1/ 5/99", " 1/ 5/99"},
      // Literals not saved: the value holds input characters only.
      {"!\\(999\\)000-0000;0;*", "5551234567", "(555)123-4567", "5551234567", "(555)123-4567"},
      {"!\\(999\\)000-0000;0;*", "1234567", "(***)123-4567", "1234567", "(   )123-4567"},
      {"000-000;0;_", "12", "12_-___", "12", "12 -   "},
      // Case conversion, "<>" switching it off, and invalid characters left blank.
      {">LL<ll;1;_", "abCD", "ABcd", "ABcd", "ABcd"},
      {">L<>l;1;_", "ab", "Ab", "Ab", "Ab"},
      {"00;1;_", "a7", "_7", " 7", " 7"},
      // Default fields: literals saved, "_" as blank.
      {"00:00", "", "__:__", "  :  ", "  :  "},
      // Multi-byte characters take one position each; the blank may be one too.
      {"LLL;1;·", "日本", "日本·", "日本 ", "日本 "},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " <- " + c.value);
    TEditMask mask(c.mask);
    TMaskText t(mask);
    t.SetValue(c.value);
    EXPECT_EQ(t.EditText(), c.editText);
    EXPECT_EQ(t.Text(), c.text);
    EXPECT_EQ(FormatMaskText(c.mask, c.value), c.formatted);
  }
}

TEST(EditMask, WithoutMaskTextPassesThrough) {
  EXPECT_FALSE(TEditMask("").IsMasked());
  EXPECT_FALSE(TEditMask(";0;_").IsMasked());
  EXPECT_EQ(FormatMaskText("", "abc"), "abc");
}

TEST(EditMask, ParsesFields) {
  TEditMask m("\\A\\;9;0;#");
  EXPECT_EQ(m.Length(), 3);  // "A", ";" and one digit
  EXPECT_TRUE(m.Positions()[0].Literal);
  EXPECT_EQ(m.Positions()[1].Ch, ";");
  EXPECT_FALSE(m.SaveLiterals());
  EXPECT_EQ(m.Blank(), "#");
}

struct TypingCase {
  const char* mask;
  const char* keys;  // typed characters; '\b' is backspace, '\x7f' delete
  const char* editText;
  int caret;
  int firstInvalid;
};

TEST(MaskText, TypingSkipsLiteralsAndRefusesWrongCharacters) {
  const TypingCase cases[] = {
      {"00/00;1;_", "1234", "12/34", 5, -1},
      {"00/00;1;_", "12x3", "12/3_", 4, 4},    // x refused, caret stays
      {"00/00;1;_", "123\b", "12/__", 3, 3},   // backspace blanks the digit before
      {"00/00;1;_", "12\b\b\b", "__/__", 0, 0},  // backspace past the start stops
      {"LL-00;1;_", "ab12", "ab-12", 5, -1},
      {">LL-00;1;_", "ab12", "AB-12", 5, -1},
      {"99-00;1;_", "-", "__-__", 0, 3},       // a literal typed is refused
      {"#9;1;_", "+5", "+5", 2, -1},
      {"aa;1;_", "x!", "x_", 1, -1},           // optional positions may stay blank
      {"cc;1;_", "!?", "!?", 2, -1},
      {"000;1;_", "123456", "123", 3, -1},     // full: further keys refused
  };
  for (const TypingCase& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " typed " + c.keys);
    TEditMask mask(c.mask);
    TMaskText t(mask);
    int caret = 0;
    for (const char* k = c.keys; *k; ++k) {
      if (*k == '\b') caret = t.DeleteBackward(caret, 0);
      else if (*k == '\x7f') caret = t.DeleteForward(caret, 0);
      else {
        int next = t.Input(caret, 0, std::string(1, *k));
        if (next >= 0) caret = next;
      }
    }
    EXPECT_EQ(t.EditText(), c.editText);
    EXPECT_EQ(caret, c.caret);
    EXPECT_EQ(mask.FirstInvalid(t.Cells()), c.firstInvalid);
  }
}

TEST(MaskText, SelectionIsClearedByTypingAndDeleting) {
  TEditMask mask("00/00;1;_");
  TMaskText t(mask);
  t.SetValue("12/34");
  EXPECT_EQ(t.Input(1, 3, "9"), 3);   // selection "2/3" cleared, 9 goes at 1
  EXPECT_EQ(t.EditText(), "19/_4");
  EXPECT_EQ(t.DeleteForward(0, 5), 0);
  EXPECT_EQ(t.EditText(), "__/__");
  t.SetValue("12/34");
  EXPECT_EQ(t.DeleteForward(2, 0), 2);  // delete at a literal blanks the next input
  EXPECT_EQ(t.EditText(), "12/_4");
  t.SetEditText("ab/3x");              // invalid characters of an edit text are blanks
  EXPECT_EQ(t.EditText(), "__/3_");
}

}  // namespace
