#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "gridcontrols/DBSumLst.h"
#include "platform/rtl/SysUtils.h"

namespace {

// The same share computed in extended precision, as the sums were computed before.
std::int64_t WideShare(double value) {
  return static_cast<std::int64_t>(std::nearbyint(static_cast<long double>(value) * 10000));
}

TEST(SumShare, RoundsTheExactProductHalfToEven) {
  struct Case {
    double value;
    std::int64_t raw;
  };
  // 0.00005, 0.00015 and 0.00025 are not exact in binary: their products land on a half
  // in double although the exact products lie just above or below it.
  for (const Case& c : {Case{0, 0}, Case{-0.0, 0}, Case{1, 10000}, Case{12.3456, 123456}, Case{-12.3456, -123456},
                        Case{0.1 + 0.2, 3000}, Case{0.03125, 312}, Case{0.09375, 938}, Case{-0.03125, -312},
                        Case{-0.09375, -938}, Case{0.00005, 1}, Case{-0.00005, -1}, Case{0.00015, 1},
                        Case{-0.00015, -1}, Case{0.00025, 3}, Case{250000.25, 2500002500},
                        Case{4.5e11, 4500000000000000}, Case{-4.5e11, -4500000000000000},
                        Case{9.2e14, 9200000000000000000}, Case{-9.2e14, -9200000000000000000}}) {
    EXPECT_EQ(SumShareOf(c.value).Raw(), c.raw) << c.value;
  }
}

TEST(SumShare, MatchesTheExtendedPrecisionResult) {
  std::mt19937_64 random(17);
  std::uniform_int_distribution<std::int64_t> units(-2000000000000, 2000000000000);
  std::uniform_int_distribution<int> digits(0, 8);
  for (int i = 0; i < 200000; ++i) {
    // Decimal amounts with a few digits, halves of the last raw unit among them.
    const double value = static_cast<double>(units(random)) / std::pow(10.0, digits(random));
    const double half = (std::floor(value * 10000) + 0.5) / 10000;
    for (double v : {value, half, std::nextafter(half, 0.0), std::nextafter(half, 1e300)})
      ASSERT_EQ(SumShareOf(v).Raw(), WideShare(v)) << v;
  }
}

TEST(SumShare, OutOfRangeRaises) {
  for (double v : {1e15, -1e15, double(INFINITY), -double(INFINITY), std::nan("")}) EXPECT_THROW(SumShareOf(v), EInvalidOp) << v;
}

}  // namespace
