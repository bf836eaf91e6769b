#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Set.h"

#include <gtest/gtest.h>

namespace {
enum class TColor3 { Red, Green, Blue };
using TColors = Set<TColor3>;
}  // namespace

TEST(SetTest, OperatorsFollowSetAlgebra) {
  TColors rg{TColor3::Red, TColor3::Green};
  TColors gb{TColor3::Green, TColor3::Blue};
  EXPECT_EQ(rg + gb, (TColors{TColor3::Red, TColor3::Green, TColor3::Blue}));
  EXPECT_EQ(rg - gb, TColors{TColor3::Red});
  EXPECT_EQ(rg * gb, TColors{TColor3::Green});
  EXPECT_TRUE(TColors{TColor3::Green} <= rg);
  EXPECT_FALSE(gb <= rg);
  EXPECT_TRUE(TColors().Empty());
}

TEST(ExceptionTest, DerivedClassesKeepMessageAndName) {
  try {
    throw EConvertError("'x' is not a valid integer value");
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "'x' is not a valid integer value");
    EXPECT_STREQ(e.ClassName(), "EConvertError");
  }
}
