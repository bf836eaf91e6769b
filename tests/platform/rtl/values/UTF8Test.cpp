#include <gtest/gtest.h>

#include "platform/rtl/Utf8.h"

namespace {

const std::string kChinese = "中文abc字";  // 3+3+1+1+1+3 bytes

TEST(Utf8, StepsOverWholeCharactersBothWays) {
  std::vector<std::size_t> forward;
  for (std::size_t i = 0; i < kChinese.size(); i = Utf8NextChar(kChinese, i)) forward.push_back(i);
  EXPECT_EQ(forward, (std::vector<std::size_t>{0, 3, 6, 7, 8, 9}));
  std::vector<std::size_t> back;
  for (std::size_t i = kChinese.size(); i > 0;) back.push_back(i = Utf8PrevChar(kChinese, i));
  EXPECT_EQ(back, (std::vector<std::size_t>{9, 8, 7, 6, 3, 0}));
  EXPECT_EQ(Utf8NextChar(kChinese, kChinese.size()), kChinese.size());
  EXPECT_EQ(Utf8PrevChar(kChinese, 0), 0u);
}

TEST(Utf8, CountsAndIndexesCharacters) {
  EXPECT_EQ(Utf8Length(kChinese), 6u);
  EXPECT_EQ(Utf8Length(""), 0u);
  EXPECT_EQ(Utf8CharToByteIndex(kChinese, 2), 6u);
  EXPECT_EQ(Utf8CharToByteIndex(kChinese, 99), kChinese.size());
  EXPECT_EQ(Utf8ByteToCharIndex(kChinese, 4), 2u);  // inside the second character
  EXPECT_EQ(Utf8LeftChars(kChinese, 3), "中文a");
}

TEST(Utf8, TruncateNeverSplitsACharacter) {
  struct Case { std::size_t max; const char* expected; };
  for (const Case& c : {Case{0, ""}, Case{1, ""}, Case{2, ""}, Case{3, "中"}, Case{5, "中"},
                        Case{6, "中文"}, Case{8, "中文ab"}, Case{10, "中文abc"}, Case{11, "中文abc"},
                        Case{12, "中文abc字"}, Case{100, "中文abc字"}}) {
    EXPECT_EQ(Utf8Truncate(kChinese, c.max), c.expected) << c.max;
  }
  const std::string emoji = "a😀";  // 4-byte character
  EXPECT_EQ(Utf8Truncate(emoji, 4), "a");
  EXPECT_EQ(Utf8Truncate(emoji, 5), emoji);
}

TEST(Utf8, InvalidBytesCountAsSingleCharacters) {
  // A stray continuation byte, a cut-off lead byte, an overlong form and a surrogate.
  const std::string bad = std::string("\x80") + "x" + "\xE4\xB8" + "\xC0\xAF" + "\xED\xA0\x80";
  EXPECT_FALSE(Utf8IsValid(bad));
  EXPECT_EQ(Utf8Length(bad), 1u + 1 + 2 + 2 + 3);
  std::size_t steps = 0;
  for (std::size_t i = bad.size(); i > 0; i = Utf8PrevChar(bad, i)) ++steps;
  EXPECT_EQ(steps, Utf8Length(bad));
  EXPECT_EQ(Utf8Truncate(bad, 3), std::string("\x80x\xE4"));
  EXPECT_EQ(Utf8UpperCase(bad), std::string("\x80X\xE4\xB8\xC0\xAF\xED\xA0\x80"));
  EXPECT_TRUE(Utf8IsValid(kChinese));
}

TEST(Utf8, CompleteLengthDropsOnlyACharacterCutAtTheEnd) {
  struct Case { std::string text; std::size_t expected; };
  const Case cases[] = {
      {"", 0},
      {"abc", 3},
      {"a\xE2\x82\xAC", 4},            // whole euro sign
      {"a\xE2\x82", 1},                 // euro sign without its last byte
      {"a\xE2", 1},                     // only its lead byte left
      {"a\xF0\x9F\x98", 1},             // 4-byte character without its last byte
      {"a\xF0\x9F", 1},
      {"a\xF0\x9F\x98\x80", 5},         // whole 4-byte character
      {"a\x80", 2},                     // a stray continuation byte is kept
      {"a\xC0", 2},                     // never a lead byte (overlong)
      {"a\xF5\x80", 3},                 // never a lead byte (past U+10FFFF)
      {"a\xED\xA0", 3},                 // would be a surrogate
      {"a\xE0\x80", 3},                 // would be overlong
      {"a\xF4\x90", 3},                 // would be past U+10FFFF
      {"a\xE2\x41", 3},                 // the lead is not followed by a continuation byte
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8CompleteLength(c.text), c.expected) << testing::PrintToString(c.text);
}

TEST(Utf8, DecodeNextStepsOneCharacterOrOneStrayByte) {
  const std::string text = std::string("a\xC3\xA9\xF0\x9F\x98\x80") + "\xE2\x82" + "\xED\xA0\x80";
  std::vector<char32_t> cps;
  std::vector<std::size_t> ends;
  for (std::size_t i = 0; i < text.size();) {
    cps.push_back(Utf8DecodeNext(text, i));
    ends.push_back(i);
  }
  EXPECT_EQ(cps, (std::vector<char32_t>{U'a', U'é', U'😀', 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}));
  EXPECT_EQ(ends, (std::vector<std::size_t>{1, 3, 7, 8, 9, 10, 11, 12}));
  std::size_t end = text.size();
  EXPECT_EQ(Utf8DecodeNext(text, end), 0u);
  EXPECT_EQ(end, text.size());
}

// Long runs of ASCII are counted a word at a time: counts and indexes agree with a
// character-by-character walk wherever the other characters fall against the words.
TEST(Utf8, CountsLongTextsLikeAWalkOverEveryCharacter) {
  const std::string pieces[] = {"中", "\x80", "\xE4\xB8", "😀", "é"};
  for (std::size_t lead = 0; lead < 17; ++lead) {
    for (const std::string& piece : pieces) {
      const std::string text = std::string(lead, 'a') + piece + std::string(9 + lead, 'b') + piece;
      std::vector<std::size_t> starts;
      for (std::size_t i = 0; i < text.size(); i = Utf8NextChar(text, i)) starts.push_back(i);
      SCOPED_TRACE(std::to_string(lead) + " " + piece);
      EXPECT_EQ(Utf8Length(text), starts.size());
      for (std::size_t n = 0; n <= starts.size() + 1; ++n)
        EXPECT_EQ(Utf8CharToByteIndex(text, n), n < starts.size() ? starts[n] : text.size()) << n;
      for (std::size_t b = 0; b <= text.size() + 1; ++b) {
        std::size_t whole = 0;
        while (whole < starts.size() && starts[whole] < b) ++whole;
        EXPECT_EQ(Utf8ByteToCharIndex(text, b), whole) << b;
      }
    }
  }
  EXPECT_EQ(Utf8AsciiRun("abcdefghij中", 1), 9u);
  EXPECT_EQ(Utf8AsciiRun("ab", 5), 0u);
}

TEST(Utf8, CaseMappingOfLatinGreekAndCyrillic) {
  EXPECT_EQ(Utf8UpperCase("abc äöüé ÿ ąčž straße"), "ABC ÄÖÜÉ Ÿ ĄČŽ STRAßE");  // ß has no one-letter capital
  EXPECT_EQ(Utf8LowerCase("ÀÉÎÕÜ ĄČŽ ΑΒΓ ПРИВЕТ"), "àéîõü ąčž αβγ привет");
  EXPECT_EQ(Utf8UpperCase("中文"), "中文");
  EXPECT_EQ(UnicodeUpper(U'ł'), U'Ł');
  EXPECT_EQ(UnicodeLower(U'Ł'), U'ł');
  EXPECT_EQ(UnicodeUpper(U'×'), U'×');
}

TEST(Utf8, ConvertsToAndFromUtf16) {
  const std::string text = "a中😀é";
  std::u16string w = Utf8ToUtf16(text);
  EXPECT_EQ(w, u"a中😀é");
  EXPECT_EQ(w.size(), 5u);  // the emoji is a surrogate pair
  EXPECT_EQ(Utf16ToUtf8(w), text);
  EXPECT_EQ(Utf8ToUtf16("\xFF"), u"\uFFFD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // unpaired surrogate
}

TEST(Utf8, ConversionsTellWhetherAnythingWasReplaced) {
  bool invalid = true;
  EXPECT_EQ(Utf8ToUtf16("a\xEF\xBF\xBD", &invalid), u"a\uFFFD");  // a real U+FFFD is no replacement
  EXPECT_FALSE(invalid);
  for (const std::string bad : {"\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", "x\x80"}) {
    invalid = false;
    Utf8ToUtf16(bad, &invalid);
    EXPECT_TRUE(invalid) << testing::PrintToString(bad);
  }
  invalid = true;
  EXPECT_EQ(Utf16ToUtf8(u"a😀", &invalid), "a😀");
  EXPECT_FALSE(invalid);
  for (const std::u16string& bad : {std::u16string(1, char16_t(0xDC00)), std::u16string{u'a', char16_t(0xD83D)}}) {
    invalid = false;
    EXPECT_EQ(Utf16ToUtf8(bad, &invalid).substr(bad.size() - 1), "\xEF\xBF\xBD");
    EXPECT_TRUE(invalid);
  }
}

}  // namespace
