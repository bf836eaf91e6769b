// RTF from other programs: code pages, Unicode with fallbacks, groups, styles and
// destinations that show nothing; malformed and hostile input reads without harm.
#include <gtest/gtest.h>

#include "tests/support/RichTextFixture.h"

namespace {
using richtext::Describe;

struct ReadCase {
  const char* Name;
  std::string Rtf;
  std::vector<std::string> Paragraphs;
};

const std::vector<ReadCase>& Cases() {
  static const std::vector<ReadCase> C = {
      {"Chinese in the GBK code page, as WordPad writes it",
       "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\r\n"
       "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18\\'c4\\'e3\\'ba\\'c3\\par\r\n}",
       {"宋体/18//auto:你好", ""}},
      {"Western code page and named characters",
       "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Courier;}}\\f0\\fs20 caf\\'e9 \\ldblquote q\\rdblquote"
       "\\~x\\emdash y\\f1\\'80}",
       {"Arial/20//auto:café “q”\u00a0x—y|Courier/20//auto:€"}},
      {"Unicode with fallbacks of several characters, and none",
       "{\\rtf1 {\\uc2\\u20320\\'c4\\'e3}{\\uc0\\u22909}z}", {"MS Sans Serif/24//auto:你好z"}},
      {"Pairs of surrogates joined; lone halves replaced",
       "{\\rtf1 \\u-10179?\\u-8704?|\\u-10179?x|\\u-8704?|\\u99999999?}", {"MS Sans Serif/24//auto:😀|\uFFFDx|\uFFFD|\uFFFD"}},
      {"Groups restore the format; styles switch on and off",
       "{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}{\\b\\i bold{\\ul0\\cf1 green}}\\ulw w\\ul0 \\strike s\\strike0"
       "\\plain p}",
       {"MS Sans Serif/24/BI/auto:bold|MS Sans Serif/24/BI/#008000:green|MS Sans Serif/24/U/auto:w|"
        "MS Sans Serif/24/S/auto:s|MS Sans Serif/24//auto:p"}},
      {"Destinations that show nothing, fields show their result, hidden text",
       "{\\rtf1{\\*\\generator Riched20;}{\\info{\\title T}{\\author A}}{\\*\\unknownthing hidden}"
       "{\\pict\\wmetafile8 0102\\bin3 {}}}visible{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
       "\\v hidden\\v0 !}",
       {"MS Sans Serif/24//auto:visiblelink!"}},
      {"Tabs, line breaks, paragraphs and escaped line ends",
       "{\\rtf1 a\\tab b\\line c\\par\\par d\\\ne\\{\\}\\\\}", {"MS Sans Serif/24//auto:a\tb\vc", "", "MS Sans Serif/24//auto:d",
                                                          "MS Sans Serif/24//auto:e{}\\"}},
      {"A document cut short", "{\\rtf1 abc{\\b def", {"MS Sans Serif/24//auto:abc|MS Sans Serif/24/B/auto:def"}},
      {"Numbers out of range and broken escapes",
       "{\\rtf1\\fs99999999999999999999 x\\fs-5 y\\'zz\\'4\\cf77 z\\f-3 w}",
       {"MS Sans Serif/3276//auto:x|MS Sans Serif/24//auto:yzz4zw"}},
      {"Text after the document's end is not read", "{\\rtf1 in}out", {"MS Sans Serif/24//auto:in"}},
  };
  return C;
}

TEST(RtfRead, ForeignDocuments) {
  for (const ReadCase& Case : Cases()) {
    TRichTextDocument Doc;
    ASSERT_TRUE(Doc.LoadRtf(Case.Rtf)) << Case.Name;
    EXPECT_EQ(Describe(Doc), Case.Paragraphs) << Case.Name;
  }
}

TEST(RtfRead, DeepNestingAndLongWordsDoNoHarm) {
  std::string Rtf = "{\\rtf1 ";
  Rtf += std::string(200000, '{') + "x" + std::string(5, '}') + "\\" + std::string(5000, 'a') + "1 y";
  TRichTextDocument Doc;
  ASSERT_TRUE(Doc.LoadRtf(Rtf));
  EXPECT_EQ(Doc.PlainText(), "xy");
}

}  // namespace
