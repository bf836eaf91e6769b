// Rich text written as RTF reads back run for run, and Debian's RTF readers read it.
#include <gtest/gtest.h>

#include "tests/support/RichTextFixture.h"
#include "tests/support/RtfReaders.h"

namespace {
using namespace richtext;

// Every format a run can carry, text in several scripts, characters beyond the basic
// plane, the characters RTF itself uses, tabs, breaks inside a paragraph and empty
// paragraphs (also the last one, as a text ending in a line break has).
TRichTextDocument Sample() {
  const TRichTextFormat Plain = Format("DejaVu Sans", 20);
  return Document({
      Paragraph({{Format("DejaVu Sans", 32, {fsBold}), "Snippet list"},
                 {Plain, " of "},
                 {Format("宋体", 21, {}, clRed), "剪贴板片段"}}),
      Paragraph({{Format("DejaVu Sans", 20, {fsItalic, fsUnderline}), "italic underlined"},
                 {Format("DejaVu Sans", 20, {fsStrikeOut}, clBlack), " struck black"},
                 {Format("DejaVu Serif", 48, {}, TColor(0x336699)), " big"}}),
      Paragraph({}, Plain),
      Paragraph({{Plain, "Braces {x} \\ back\tslash; a\vsecond line"}}),
      Paragraph({{Plain, "Grinning 😀 and 𠀀 outside the basic plane; é ß ж"}}),
      Paragraph({}, Plain),
  });
}

TEST(RtfRoundTrip, EveryRunReadsBackWithItsFormat) {
  const TRichTextDocument Doc = Sample();
  const std::string Rtf = Doc.SaveRtf();
  for (unsigned char C : Rtf) ASSERT_LT(C, 0x80) << "RTF is written as ASCII:\n" << Rtf;
  TRichTextDocument Back;
  ASSERT_TRUE(Back.LoadRtf(Rtf));
  EXPECT_EQ(Describe(Back), Describe(Doc)) << Rtf;
  // Written again, the text is the same.
  EXPECT_EQ(Back.SaveRtf(), Rtf);
}

TEST(RtfRoundTrip, DebianReadersReadTheTextAndItsStyles) {
  const std::string Rtf = Sample().SaveRtf();
  const std::string Html = UnrtfText(Rtf);
  for (const char* Part : {"<b>Snippet list</b>", "剪贴板片段", "italic underlined", "struck black", "{x} \\ back",
                           "second line", "Grinning 😀 and 𠀀 outside the basic plane;", "ж"})
    EXPECT_NE(Html.find(Part), std::string::npos) << Part << "\n" << Html;

  // pandoc reads the text and the styles (it leaves pairs of surrogates apart).
  const std::string Markdown = RunCommand("pandoc -f rtf -t markdown --wrap=none", Rtf);
  for (const char* Part : {"**Snippet list**", "剪贴板片段", "*[italic underlined]{.underline}*", "~~ struck black~~",
                           "Braces {x} \\\\ back", "second line", "outside the basic plane; é ß ж"})
    EXPECT_NE(Markdown.find(Part), std::string::npos) << Part << "\n" << Markdown;
}

TEST(RtfRoundTrip, PlainTextIsNotRtfAndLoadsAsLines) {
  TRichTextDocument Doc;
  EXPECT_FALSE(Doc.LoadRtf("Just some text {\\rtf1 later}"));
  EXPECT_FALSE(Doc.LoadRtf(""));
  EXPECT_EQ(Doc.PlainText(), "");
  Doc.SetPlainText("one\r\ntwo\nthree\rfour\r\n");
  EXPECT_EQ(Doc.Paragraphs().size(), 5u);
  EXPECT_EQ(Doc.PlainText(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_EQ(Doc.Length(), 19);  // 15 characters and 4 breaks
  TRichTextDocument Back;
  ASSERT_TRUE(Back.LoadRtf(Doc.SaveRtf()));
  EXPECT_EQ(Back.PlainText(), Doc.PlainText());
}

}  // namespace
