#include <gtest/gtest.h>

#include <functional>

#include "platform/rtl/SysUtils.h"

namespace {

TEST(Format, IntegerDirectives) {
  EXPECT_EQ(Format("%d", 42), "42");
  EXPECT_EQ(Format("[%3d]", 5), "[  5]");
  EXPECT_EQ(Format("[%-3d]", 5), "[5  ]");
  EXPECT_EQ(Format("%.3d", -5), "-005");
  EXPECT_EQ(Format("%d", INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(Format("%u", -1), "4294967295");
  EXPECT_EQ(Format("%x", 255), "FF");
  EXPECT_EQ(Format("%.4x", 255), "00FF");
  EXPECT_EQ(Format("%x", -1), "FFFFFFFF");
  EXPECT_EQ(Format("%x", std::int64_t(-1)), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Format("%*d|%-*d|", 4, 7, 3, 8), "   7|8  |");
  EXPECT_EQ(Format("%D", 3), "3");  // type letters are case-insensitive
}

TEST(Format, FloatDirectives) {
  EXPECT_EQ(Format("%f", 3.14159), "3.14");
  EXPECT_EQ(Format("%.3f", 2.0005), "2.001");
  EXPECT_EQ(Format("%.0f", 2.5), "3");
  EXPECT_EQ(Format("%.*f", 1, 2.25), "2.3");
  EXPECT_EQ(Format("%8.2f|", -1.5), "   -1.50|");
  EXPECT_EQ(Format("%e", 1234.5), "1.23450000000000E+003");
  EXPECT_EQ(Format("%.3e", 1234.5), "1.23E+003");
  EXPECT_EQ(Format("%g", 1e20), "1E20");
  EXPECT_EQ(Format("%g", 0.5), "0.5");
  EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
  EXPECT_EQ(Format("%.0n", 1234.5), "1,235");
  EXPECT_EQ(Format("%m", 12.5), "$12.50");
  EXPECT_EQ(Format("%m", -12.5), "($12.50)");
  EXPECT_EQ(Format("%.2f", Currency::FromRaw(123456)), "12.35");  // currency arguments too
}

TEST(Format, StringsIndexesAndPercent) {
  EXPECT_EQ(Format("%s-%s", "a", std::string("b")), "a-b");
  EXPECT_EQ(Format("[%5s][%-5s]", "ab", "cd"), "[   ab][cd   ]");
  EXPECT_EQ(Format("[%4s]", "中文"), "[  中文]");  // width counts characters
  EXPECT_EQ(Format("%.2s", "中文字"), "中文");       // precision cuts whole characters
  EXPECT_EQ(Format("%s", 'c'), "c");
  EXPECT_EQ(Format("%1:s %0:s %s", "a", "b"), "b a b");
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("no directives"), "no directives");
  EXPECT_EQ(Format("%s", ""), "");
}

TEST(Format, MismatchedOrMissingArgumentsRaise) {
  struct Case { std::function<std::string()> call; const char* message; };
  const Case cases[] = {
      {[] { return Format("%d", 1.5); }, "Format '%d' invalid or incompatible with argument"},
      {[] { return Format("%f", 3); }, "Format '%f' invalid or incompatible with argument"},
      {[] { return Format("%s", 3); }, "Format '%s' invalid or incompatible with argument"},
      {[] { return Format("%d", "3"); }, "Format '%d' invalid or incompatible with argument"},
      {[] { return Format("%d", true); }, "Format '%d' invalid or incompatible with argument"},
      {[] { return Format("%k", 1); }, "Format '%k' invalid or incompatible with argument"},
      {[] { return Format("abc %"); }, "Format 'abc %' invalid or incompatible with argument"},
      {[] { return Format("%99999999d", 1); }, "Format '%99999999d' invalid or incompatible with argument"},
      {[] { return Format("%d %d", 1); }, "No argument for format '%d %d'"},
      {[] { return Format("%5:d", 1); }, "No argument for format '%5:d'"},
  };
  for (const Case& c : cases) {
    try {
      std::string r = c.call();
      ADD_FAILURE() << "no error, got " << r;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(Format, CreateFmtBuildsTheException) {
  EListError e = CreateFmt<EListError>("List index out of bounds (%d)", 7);
  EXPECT_EQ(e.Message(), "List index out of bounds (7)");
  EXPECT_STREQ(e.ClassName(), "EListError");
}

}  // namespace
