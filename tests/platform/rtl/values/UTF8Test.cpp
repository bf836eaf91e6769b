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

}  // namespace
