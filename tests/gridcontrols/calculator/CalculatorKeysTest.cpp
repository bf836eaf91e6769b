// The key machine over sequences of keys: what the display shows and what the key in the
// bottom right reads afterwards.
#include "CalculatorFixture.h"

#include "platform/controls/Clipbrd.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

struct KeyCase {
  const char* Keys;
  const char* Display;
  const char* Caption;
};

TEST_F(CalculatorTest, KeySequencesShowTheirResults) {
  const KeyCase cases[] = {
      {"", "0", "Ok"},
      {"2+3=", "5", "Ok"},
      {"2+3", "3", "="},
      {"200+10%", "220", "Ok"},
      {"50*10%", "5", "Ok"},
      {"50/10%", "500", "Ok"},
      {"200-10%", "180", "Ok"},
      {"9S", "3", "Ok"},
      {"4R", "0.25", "Ok"},
      {"7/0=", "Error", "Ok"},
      {"7/0=123+S\b", "Error", "Ok"},  // only C leaves the error
      {"7/0=C", "0", "Ok"},
      {"7/0=c5", "5", "Ok"},
      {"5IS", "Error", "Ok"},          // square root of a negative number
      {"0R", "Error", "Ok"},
      {"1234567890123456", "123456789012345", "Ok"},  // fifteen digits
      {"1234567890123456I", "-123456789012345", "Ok"},
      {"123\b\b\b", "0", "Ok"},
      {"5I\b", "0", "Ok"},             // Backspace on minus five
      {"5II", "5", "Ok"},
      {"12.5\b", "12.", "Ok"},
      {"1..5", "1.5", "Ok"},           // a separator typed twice goes in once
      {"1,5", "1.5", "Ok"},
      {"2+3=7", "7", "Ok"},            // after a result a digit starts a new number
      {"2+3=.", "0.", "Ok"},
      {"2+3=+1=", "6", "Ok"},          // chains through the last result
      {"1/3=", "0.333333333333333", "Ok"},
      {"12+3\r", "15", "Ok"},
      {"0-5", "5", "="},               // pending on a left operand of 0 still reads "="
      {"0*5=", "0", "Ok"},
      {"2+9S=", "5", "Ok"},            // a square root is the pending operation's operand
      {"2+9S", "3", "="},
      {"1+4R=", "1.25", "Ok"},
      {"2+9SI=", "-1", "Ok"},
      {"9S5", "5", "Ok"},              // a digit after a root starts a new number
      {"2+9S5=", "7", "Ok"},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.Keys);
    Calc->InputKey('C');
    Keys(c.Keys);
    EXPECT_EQ(Display(), c.Display);
    EXPECT_EQ(KeyCaption(), c.Caption);
  }
}

TEST_F(CalculatorTest, StatesFollowTheKeys) {
  EXPECT_EQ(Calc->Status(), 0);
  Keys("12");
  EXPECT_EQ(Calc->Status(), 1);
  Keys("+");
  EXPECT_EQ(Calc->Status(), 0);
  EXPECT_EQ(Calc->Operator(), '+');
  EXPECT_EQ(Calc->Operand(), 12);
  Keys("0/");
  EXPECT_EQ(Calc->Status(), 0);
  Keys("0=");
  EXPECT_EQ(Calc->Status(), 2);
  EXPECT_EQ(Calc->Operand(), 0);
  EXPECT_EQ(Calc->Value(), 0);
}

TEST_F(CalculatorTest, AResultBeyondTheRangeOfADoubleIsAnError) {
  win::headless::SetClipboardTextElsewhere("1E308");
  for (const char* keys : {"\x16*10=", "\x16+0\x16=", "\x16/0.001="}) {
    SCOPED_TRACE(keys);
    Calc->InputKey('C');
    EXPECT_NO_THROW(Keys(keys));
    EXPECT_EQ(Display(), "Error");
    EXPECT_EQ(Calc->Status(), 2);
    EXPECT_EQ(Calc->Operand(), 0);
    Keys("C3");
    EXPECT_EQ(Display(), "3");
  }
}

TEST_F(CalculatorTest, ASeparatorAfterAnExponentIsIgnored) {
  win::headless::SetClipboardTextElsewhere("1E20");
  Keys("5\x16");
  EXPECT_EQ(Display(), "1E20");
  Keys(".,5");
  EXPECT_EQ(Display(), "1E20");
  Keys("+1=");
  EXPECT_EQ(Display(), "1E20");
}

TEST_F(CalculatorTest, CopyAndPasteGoThroughTheClipboard) {
  Keys("12.5\x03");
  EXPECT_EQ(win::headless::ClipboardText(), "12.5");
  win::headless::SetClipboardTextElsewhere("  42 ");
  Keys("\x16");
  EXPECT_EQ(Display(), "42");
  EXPECT_EQ(Calc->Status(), 1);  // pasting leaves the state
  win::headless::SetClipboardTextElsewhere("abc");
  EXPECT_THROW(Keys("\x16"), EConvertError);
  EXPECT_EQ(Display(), "42");
}

TEST_F(CalculatorTest, TheLocaleSeparatorIsTheOneInserted) {
  TFormatSettingsScope keep;
  DecimalSeparator = ',';
  Keys("1.5");
  EXPECT_EQ(Display(), "1,5");
  Keys("+1,5=");
  EXPECT_EQ(Display(), "3");
}

}  // namespace
