#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/SysUtils.h"

namespace {

TEST(Integers, TextRoundTripAndHex) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
  EXPECT_EQ(IntToHex(-1, 1), "FFFFFFFFFFFFFFFF");
}

TEST(Integers, ReadsDecimalAndHexText) {
  struct Case { const char* text; std::int64_t value; };
  for (const Case& c : {Case{"0", 0}, Case{"  17", 17}, Case{"-17", -17}, Case{"+5", 5}, Case{"$1F", 31},
                        Case{"0x10", 16}, Case{"-2147483648", INT32_MIN}, Case{"$FFFFFFFF", -1}}) {
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
  }
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
}

TEST(Integers, BadTextRaisesWithTheText) {
  for (const char* bad : {"", " ", "12a", "1 2", "12 ", "-", "$", "0x", "2147483648", "1.5", "٣"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  EXPECT_EQ(StrToIntDef("x", -7), -7);
  EXPECT_EQ(StrToInt64Def("99999999999", 0), 99999999999);
}

TEST(Rounding, RoundIsHalfToEvenAndTruncGoesToZero) {
  struct Case { double value; std::int64_t round, trunc; };
  for (const Case& c : {Case{0.5, 0, 0}, Case{1.5, 2, 1}, Case{2.5, 2, 2}, Case{3.5, 4, 3}, Case{-0.5, 0, 0},
                        Case{-1.5, -2, -1}, Case{-2.5, -2, -2}, Case{2.4999999, 2, 2}, Case{2.5000001, 3, 2},
                        Case{-7.9, -8, -7}, Case{1e15 + 0.5, 1000000000000000, 1000000000000000}}) {
    EXPECT_EQ(Round(c.value), c.round) << c.value;
    EXPECT_EQ(Trunc(c.value), c.trunc) << c.value;
  }
  EXPECT_EQ(Round(-9223372036854775808.0), INT64_MIN);
}

TEST(Rounding, NonFiniteAndOutOfRangeRaise) {
  for (double bad : {std::nan(""), double(INFINITY), double(-INFINITY), 9223372036854775808.0, -1e19}) {
    EXPECT_THROW(Round(bad), EInvalidOp) << bad;
    EXPECT_THROW(Trunc(bad), EInvalidOp) << bad;
  }
}

TEST(Rounding, MulDivRoundsHalfAwayFromZero) {
  struct Case { int n, num, den, expected; };
  for (const Case& c : {Case{10, 3, 4, 8},   // 7.5 -> 8
                        Case{-10, 3, 4, -8}, // -7.5 -> -8
                        Case{10, 3, -4, -8}, Case{5, 1, 2, 3}, Case{3, 1, 2, 2}, Case{7, 1, 3, 2},
                        Case{8, 1, 3, 3},    // 2.67
                        Case{0, 5, 7, 0},
                        Case{100000, 100000, 100000, 100000},  // product beyond 32 bits
                        Case{1, 1, 0, -1}, Case{0, 0, 0, -1},
                        Case{INT32_MAX, 2, 1, -1},             // result does not fit
                        Case{INT32_MIN, 1, 1, INT32_MIN}}) {
    EXPECT_EQ(MulDiv(c.n, c.num, c.den), c.expected) << c.n << "*" << c.num << "/" << c.den;
  }
}

TEST(FloatText, ReadsNumbersWithSurroundingBlanks) {
  struct Case { const char* text; double value; };
  for (const Case& c : {Case{"1.5", 1.5}, Case{"  -2.25  ", -2.25}, Case{"\t3\t", 3}, Case{"+.5", 0.5},
                        Case{"7.", 7}, Case{"1e3", 1000}, Case{"1.5E-2", 0.015}, Case{"-0", 0},
                        Case{"0.1", 0.1}, Case{"1e-400", 0}, Case{"00012", 12},
                        Case{"123456789012345678901234567890", 1.2345678901234568e29}}) {
    EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.value) << c.text;
  }
}

TEST(FloatText, BadTextRaisesWithTheText) {
  for (const char* bad : {"", "   ", "abc", "1,5", "1.2.3", "e5", "1e", "1e+", "--1", "1 2", "inf", "nan",
                          "0x10", "1e400", "- 1"}) {
    try {
      StrToFloat(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid floating point value");
    }
  }
  double v = 42;
  EXPECT_FALSE(TryStrToFloat("x", v));
  EXPECT_EQ(v, 42);  // untouched on failure
  EXPECT_EQ(StrToFloatDef("x", 1.25), 1.25);
}

TEST(FloatText, FollowsTheDecimalSeparator) {
  TFormatSettingsScope keep;
  DecimalSeparator = ',';
  EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
  EXPECT_THROW(StrToFloat("1.5"), EConvertError);
  EXPECT_EQ(FloatToStr(1.5), "1,5");
}

TEST(FormatSettings, SetAndGetCarryEveryField) {
  TFormatSettingsScope keep;
  TFormatSettings custom{',', '.', '-', '.', "dd-mm-yyyy", "d mmmm yyyy", "h.nn", "h.nn.ss", "vm", "nm", "EUR",
                         3, 8, 3, 20, {}, {}, {}, {}};
  for (int i = 0; i < 12; ++i) {
    custom.ShortMonthNames[i] = "s" + std::to_string(i);
    custom.LongMonthNames[i] = "l" + std::to_string(i);
  }
  for (int i = 0; i < 7; ++i) {
    custom.ShortDayNames[i] = "sd" + std::to_string(i);
    custom.LongDayNames[i] = "ld" + std::to_string(i);
  }
  SetFormatSettings(custom);
  EXPECT_EQ(GetFormatSettings(), custom);
  EXPECT_EQ(ShortTimeFormat, "h.nn");
  EXPECT_EQ(NegCurrFormat, 8);
  EXPECT_FALSE(GetFormatSettings() == DefaultFormatSettings());
}

TEST(FormatSettings, ScopeRestoresAlsoWhenAnExceptionPasses) {
  const TFormatSettings before = GetFormatSettings();
  try {
    TFormatSettingsScope keep;
    DecimalSeparator = ',';
    ShortDateFormat = "dd.mm.yyyy";
    LongMonthNames[0] = "Januar";
    throw EAbort("stop");
  } catch (const EAbort&) {
  }
  EXPECT_EQ(DecimalSeparator, before.DecimalSeparator);
  EXPECT_EQ(ShortDateFormat, before.ShortDateFormat);
  EXPECT_EQ(LongMonthNames[0], "January");
}

}  // namespace
