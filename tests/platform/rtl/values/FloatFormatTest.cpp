#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/SysUtils.h"

namespace {

struct FloatCase {
  double value;
  TFloatFormat format;
  int precision, digits;
  const char* expected;
};

TEST(FloatToStrF, TableOfFormats) {
  const FloatCase cases[] = {
      // general: shortest text, exponent when the digits do not fit or below 1E-5
      {0, ffGeneral, 15, 0, "0"},
      {1.5, ffGeneral, 15, 0, "1.5"},
      {-1.5, ffGeneral, 15, 0, "-1.5"},
      {1e15, ffGeneral, 15, 0, "1E15"},
      {1e14, ffGeneral, 15, 0, "100000000000000"},
      {123456789012345678.0, ffGeneral, 15, 0, "1.23456789012346E17"},
      {0.0001, ffGeneral, 15, 0, "0.0001"},
      {0.00001, ffGeneral, 15, 0, "1E-5"},
      {-0.000012345, ffGeneral, 15, 2, "-1.2345E-05"},
      {0.1 + 0.2, ffGeneral, 15, 0, "0.3"},
      {0.1 + 0.2, ffGeneral, 17, 0, "0.30000000000000004"},
      {2.0 / 3.0, ffGeneral, 4, 0, "0.6667"},
      {12345, ffGeneral, 3, 0, "1.23E4"},
      // exponent: fixed mantissa digits, signed exponent with minimum digits
      {1234.5, ffExponent, 5, 2, "1.2345E+03"},
      {-0.00123, ffExponent, 3, 0, "-1.23E-3"},
      {0, ffExponent, 4, 2, "0.000E+00"},
      {9.9999, ffExponent, 3, 1, "1.00E+1"},
      // fixed and number: decimals rounded half away from zero
      {2.675, ffFixed, 15, 2, "2.68"},
      {0.125, ffFixed, 15, 2, "0.13"},
      {-0.125, ffFixed, 15, 2, "-0.13"},
      {1.005, ffFixed, 15, 2, "1.01"},
      {-0.001, ffFixed, 15, 2, "0.00"},  // no "-0.00"
      {1234567.891, ffFixed, 15, 0, "1234568"},
      {1.23456789, ffFixed, 3, 5, "1.23000"},
      {1e16, ffFixed, 15, 2, "1E16"},  // too many digits for the precision
      {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
      {-999.995, ffNumber, 15, 2, "-1,000.00"},
      {100, ffNumber, 15, 0, "100"},
      // currency: CurrencyString, thousands, negative layout 0
      {1234.5, ffCurrency, 15, 2, "$1,234.50"},
      {-1234.5, ffCurrency, 15, 2, "($1,234.50)"},
      {0.004, ffCurrency, 15, 2, "$0.00"},
  };
  for (const FloatCase& c : cases)
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.expected)
        << c.value << " format " << c.format << " " << c.precision << "/" << c.digits;
}

TEST(FloatToStrF, NonFiniteValues) {
  EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
  EXPECT_EQ(FloatToStr(INFINITY), "INF");
  EXPECT_EQ(FloatToStrF(-INFINITY, ffFixed, 15, 2), "-INF");
  EXPECT_EQ(FormatFloat("0.00", INFINITY), "INF");
}

TEST(FloatToStrF, CurrencyLayoutsFollowTheSettings) {
  TFormatSettingsScope keep;
  CurrencyString = "EUR";
  ThousandSeparator = '.';
  DecimalSeparator = ',';
  struct Case { int fmt, neg; double value; const char* expected; };
  for (const Case& c : {Case{0, 0, 1234.5, "EUR1.234,50"}, Case{1, 0, 1, "1,00EUR"}, Case{2, 0, 1, "EUR 1,00"},
                        Case{3, 0, 1, "1,00 EUR"}, Case{0, 0, -1, "(EUR1,00)"}, Case{0, 1, -1, "-EUR1,00"},
                        Case{0, 5, -1, "-1,00EUR"}, Case{0, 8, -1, "-1,00 EUR"}, Case{0, 15, -1, "(1,00 EUR)"}}) {
    CurrencyFormat = c.fmt;
    NegCurrFormat = c.neg;
    EXPECT_EQ(FloatToStrF(c.value, ffCurrency, 15, 2), c.expected) << c.fmt << "/" << c.neg;
  }
}

struct PatternCase {
  const char* format;
  double value;
  const char* expected;
};

TEST(FormatFloat, TableOfPatterns) {
  const PatternCase cases[] = {
      {"0", 2.5, "3"},
      {"0", -2.5, "-3"},
      {"0.00", 1234.5678, "1234.57"},
      {"#.##", 1.5, "1.5"},
      {"#.##", 2, "2"},
      {"#.##", 0.5, ".5"},
      {"0.0#", 3, "3.0"},
      {"0.0#", 3.14159, "3.14"},
      {"000", 7, "007"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0", 999, "999"},
      {"#,##0", -1000, "-1,000"},
      {"00-00", 1234, "12-34"},
      {"00-00", 5, "00-05"},
      {"0", 123456, "123456"},  // more digits than placeholders
      {"\"$\"#,##0.00", -5, "-$5.00"},
      {"0.00 'kg'", 2.5, "2.50 kg"},
      {"'0.#'0", 7, "0.#7"},   // quoted placeholders are literal
      {"0.00E+00", 1234, "1.23E+03"},
      {"0.00E+00", 0.000123, "1.23E-04"},
      {"0.00E-00", 1234, "1.23E03"},
      {"00.0E+0", 1234, "12.3E+2"},
      {"0.0E+00", 0, "0.0E+00"},
      {"0.0E+00", 9.96, "1.0E+01"},
      {".00", 12.5, "12.50"},
      {"0E+0 'x' 00", 5, "5E+0 x "},          // placeholders behind the exponent show nothing
      {"E+0.0E+0", 5, "E+5.0E+0"},            // an exponent needs a digit placeholder before it
      // sections: positive;negative;zero
      {"0.00;(0.00)", -5, "(5.00)"},
      {"0.00;(0.00)", 5, "5.00"},
      {"0.00;(0.00);zero", 0, "zero"},
      {"0.00;(0.00);zero", -0.001, "zero"},  // rounds to zero
      {"0.00;(0.00)", -0.001, "(0.00)"},
      {"0.00;;zero", -5, "-5.00"},            // empty negative section: first section with sign
      {"0.00;;zero", 0, "zero"},
      {"0.00;(0.00);", 0, "0.00"},            // empty zero section
      {"'a;b'0", 1, "a;b1"},                   // quoted ';' does not split
      {"", 1.5, "1.5"},
      {"0.00", 1e20, "1E20"},                 // too large for a plain layout
  };
  for (const PatternCase& c : cases) EXPECT_EQ(FormatFloat(c.format, c.value), c.expected) << c.format << " " << c.value;
}

TEST(FormatFloat, UsesTheCurrentSeparators) {
  TFormatSettingsScope keep;
  DecimalSeparator = ',';
  ThousandSeparator = ' ';
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.5), "1 234 567,50");
}

TEST(FormatCurr, ExactDigitsOfCurrency) {
  EXPECT_EQ(FormatCurr("#,##0.0000", Currency::FromRaw(123456789)), "12,345.6789");
  EXPECT_EQ(FormatCurr("0.00", Currency::FromRaw(25)), "0.00");     // 0.0025 -> 0.00
  EXPECT_EQ(FormatCurr("0.000", Currency::FromRaw(25)), "0.003");   // half away from zero
  EXPECT_EQ(FormatCurr("#,##0.00", Currency::MaxValue()), "922,337,203,685,477.58");
  EXPECT_EQ(FormatCurr("0.00;(0.00);'nil'", Currency()), "nil");
  EXPECT_EQ(FormatCurr("", Currency::FromRaw(-15000)), "-1.5");
}

TEST(CurrToStrF, FormatsExactly) {
  const Currency big = Currency::FromRaw(9223372036854775807);
  EXPECT_EQ(CurrToStr(big), "922337203685477.5807");
  EXPECT_EQ(CurrToStr(Currency::MinValue()), "-922337203685477.5808");
  EXPECT_EQ(CurrToStr(Currency(12)), "12");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345), ffFixed, 2), "1.23");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(12355), ffFixed, 2), "1.24");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(-12345678), ffNumber, 2), "-1,234.57");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345000), ffCurrency, 2), "$1,234.50");
  EXPECT_EQ(CurrToStrF(Currency(1000000000000LL), ffGeneral, 0), "1000000000000");
}

}  // namespace
