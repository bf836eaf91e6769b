#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/Currency.h"
#include "platform/rtl/SysUtils.h"

namespace {

TEST(Currency, FromDoubleRoundsHalfToEven) {
  struct Case { double value; std::int64_t raw; };
  // 1/32 and 3/32 are exact in binary: 312.5 and 937.5 units.
  for (const Case& c : {Case{1.5, 15000}, Case{0.03125, 312}, Case{0.09375, 938}, Case{-0.03125, -312},
                        Case{12.34567, 123457}, Case{-1, -10000}, Case{0, 0}}) {
    EXPECT_EQ(Currency::FromDouble(c.value).Raw(), c.raw) << c.value;
  }
}

TEST(Currency, OutOfRangeAndNaNRaise) {
  EXPECT_THROW(Currency::FromDouble(1e15), EOverflow);
  EXPECT_THROW(Currency::FromDouble(-1e300), EOverflow);
  EXPECT_THROW(Currency::FromDouble(INFINITY), EOverflow);
  EXPECT_THROW(Currency::FromDouble(std::nan("")), EInvalidOp);
  EXPECT_THROW(Currency(std::int64_t(1) << 60), EOverflow);
  EXPECT_THROW(Currency::MaxValue() + Currency::FromRaw(1), EOverflow);
  EXPECT_THROW(Currency::MinValue() - Currency::FromRaw(1), EOverflow);
  EXPECT_THROW(-Currency::MinValue(), EOverflow);
  EXPECT_THROW(Currency::MaxValue() * 2, EOverflow);
  EXPECT_THROW(Currency(1) / 0, EZeroDivide);
  EXPECT_THROW(Currency(1) / Currency(), EZeroDivide);
  try {
    Currency::FromDouble(1e16);
  } catch (const EOverflow& e) {
    EXPECT_EQ(e.Message(), "Currency value out of range");
  }
}

TEST(Currency, ArithmeticAndComparison) {
  const Currency a = Currency::FromRaw(12345);  // 1.2345
  EXPECT_EQ((a + Currency(1)).Raw(), 22345);
  EXPECT_EQ((a - Currency(2)).Raw(), -7655);
  EXPECT_EQ((a * 3).Raw(), 37035);
  EXPECT_EQ((a * 0.5).Raw(), 6172);                         // 6172.5 -> even
  EXPECT_EQ((Currency::FromRaw(12355) * 0.5).Raw(), 6178);  // 6177.5 -> even
  EXPECT_EQ((a * Currency::FromRaw(5000)).Raw(), 6172);     // times 0.5
  EXPECT_EQ((Currency::FromRaw(10) / 4).Raw(), 2);          // 2.5 -> 2
  EXPECT_EQ((Currency::FromRaw(14) / 4).Raw(), 4);          // 3.5 -> 4
  EXPECT_EQ((Currency::FromRaw(-14) / 4).Raw(), -4);
  EXPECT_DOUBLE_EQ(Currency(3) / Currency(4), 0.75);
  EXPECT_LT(Currency(1), a);
  EXPECT_EQ(Currency(2), Currency::FromRaw(20000));
  EXPECT_EQ(Currency::FromRaw(25000).Round(), 2);
  EXPECT_EQ(Currency::FromRaw(35000).Round(), 4);
  EXPECT_EQ(Currency::FromRaw(-25001).Round(), -3);
  EXPECT_EQ(Currency::FromRaw(-29999).Trunc(), -2);
  EXPECT_DOUBLE_EQ(a.ToDouble(), 1.2345);
}

TEST(Currency, TextConversions) {
  struct Case { const char* text; std::int64_t raw; };
  for (const Case& c : {Case{"1.5", 15000}, Case{" -0.0001 ", -1}, Case{"0.00005", 0}, Case{"0.00015", 2},
                        Case{"0.000051", 1}, Case{"1e2", 1000000}, Case{"1.23456e2", 1234560},
                        Case{"922337203685477.5807", INT64_MAX}, Case{"-922337203685477.5808", INT64_MIN},
                        Case{"0.000000000000000000001", 0}}) {
    EXPECT_EQ(StrToCurr(c.text).Raw(), c.raw) << c.text;
  }
  for (const char* bad : {"", "abc", "922337203685477.5808", "1e20", "1.2.3"}) {
    try {
      StrToCurr(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid floating point value");
    }
  }
  EXPECT_EQ(Currency::FromRaw(-12345).ToString(), "-1.2345");
  EXPECT_EQ(Currency(7).ToString(), "7");
  Currency v = Currency(9);
  EXPECT_FALSE(TryStrToCurr("x", v));
  EXPECT_EQ(v, Currency(9));
}

}  // namespace
