#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"

namespace {

TEST(Strings, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("　中　"), "　中　");  // ideographic spaces are text, and no byte is cut
}

TEST(Strings, CaseMapping) {
  EXPECT_EQ(UpperCase("abc äx"), "ABC äX");  // ASCII only
  EXPECT_EQ(LowerCase("ABC ÄX"), "abc Äx");
  EXPECT_EQ(AnsiUpperCase("abc äx"), "ABC ÄX");
  EXPECT_EQ(AnsiLowerCase("ABC ÄX"), "abc äx");
}

TEST(Strings, Comparisons) {
  struct Case { const char* a; const char* b; int str, text, ansiText; };
  for (const Case& c : {Case{"abc", "abc", 0, 0, 0}, Case{"abc", "ABC", 1, 0, 0}, Case{"a", "b", -1, -1, -1},
                        Case{"ab", "a", 1, 1, 1}, Case{"", "", 0, 0, 0}, Case{"", "a", -1, -1, -1},
                        Case{"ä", "Ä", 1, 1, 0}, Case{"Zebra", "apple", -1, 1, 1}}) {
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    EXPECT_EQ(sign(CompareStr(c.a, c.b)), c.str) << c.a << " " << c.b;
    EXPECT_EQ(sign(AnsiCompareStr(c.a, c.b)), c.str) << c.a << " " << c.b;
    EXPECT_EQ(sign(CompareText(c.a, c.b)), c.text) << c.a << " " << c.b;
    EXPECT_EQ(sign(AnsiCompareText(c.a, c.b)), c.ansiText) << c.a << " " << c.b;
  }
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_FALSE(SameText("Grüße", "GRÜSSE"));
  EXPECT_TRUE(AnsiSameText("Ärger", "äRGER"));
}

TEST(Strings, QuotingRoundTrip) {
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(AnsiQuotedStr("", '"'), "\"\"");
  for (const char* text : {"", "plain", "a\"b", "\"\"", "中文\"x"}) {
    std::string quoted = AnsiQuotedStr(text, '"');
    std::string_view src = quoted;
    EXPECT_EQ(AnsiExtractQuotedStr(src, '"'), text);
    EXPECT_TRUE(src.empty());
  }
}

TEST(Strings, ExtractQuotedStopsAtTheClosingQuote) {
  std::string_view src = "\"x;y\";z";
  EXPECT_EQ(AnsiExtractQuotedStr(src, '"'), "x;y");
  EXPECT_EQ(src, ";z");
  src = "\"a\"b";
  EXPECT_EQ(AnsiExtractQuotedStr(src, '"'), "a");
  EXPECT_EQ(src, "b");
  src = "\"unterminated";
  EXPECT_EQ(AnsiExtractQuotedStr(src, '"'), "unterminated");
  EXPECT_TRUE(src.empty());
  src = "noquote";
  EXPECT_EQ(AnsiExtractQuotedStr(src, '"'), "");
  EXPECT_EQ(src, "noquote");

  const char* text = "'it''s' rest";
  const char* p = text;
  EXPECT_EQ(AnsiExtractQuotedStr(p, '\''), "it's");
  EXPECT_STREQ(p, " rest");
  EXPECT_EQ(AnsiDequotedStr("'a''b'", '\''), "a'b");
  EXPECT_EQ(AnsiDequotedStr("ab", '\''), "ab");
}

TEST(Strings, StringReplaceFlags) {
  struct Case { const char* s; const char* from; const char* to; TReplaceFlags flags; const char* expected; };
  for (const Case& c : {Case{"a-b-c", "-", "+", {}, "a+b-c"}, Case{"a-b-c", "-", "+", {rfReplaceAll}, "a+b+c"},
                        Case{"Aa aA", "a", "x", {rfReplaceAll}, "Ax xA"},
                        Case{"Aa aA", "a", "x", {rfReplaceAll, rfIgnoreCase}, "xx xx"},
                        Case{"Äpfel äpfel", "äpfel", "Birnen", {rfReplaceAll, rfIgnoreCase}, "Birnen Birnen"},
                        Case{"aaa", "aa", "b", {rfReplaceAll}, "ba"}, Case{"abc", "", "x", {rfReplaceAll}, "abc"},
                        Case{"abc", "abc", "", {}, ""}}) {
    EXPECT_EQ(StringReplace(c.s, c.from, c.to, c.flags), c.expected) << c.s;
  }
}

TEST(Strings, PosAndCopyAreOneBased) {
  EXPECT_EQ(Pos("b", "abc"), 2);
  EXPECT_EQ(Pos("x", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
  EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Copy("abc", 3, 10), "c");
  EXPECT_EQ(Copy("abc", 4, 1), "");
  EXPECT_EQ(Copy("abc", 0, 2), "ab");
  EXPECT_EQ(Copy("abc", 1, -1), "");
}

}  // namespace
