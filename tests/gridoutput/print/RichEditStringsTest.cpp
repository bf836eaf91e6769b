// The lines of a rich text: counted as its paragraphs less a last empty one, edited in
// place keeping their formats, and streamed as RTF with plain text accepted.
#include <gtest/gtest.h>

#include "gridoutput/PrnDbggx.h"
#include "platform/rtl/Streams.h"
#include "tests/support/RichTextFixture.h"

namespace {
using namespace richtext;

std::vector<std::string> LinesOf(const TStrings& L) {
  std::vector<std::string> Out;
  for (int I = 0; I < L.Count(); ++I) Out.push_back(L.Strings(I));
  return Out;
}

TEST(RichEditStrings, LinesAreParagraphsEditedInTheirFormats) {
  TRichEditStrings L;
  EXPECT_EQ(L.Count(), 0);
  L.Add("one");  // to an empty text
  L.Add("");
  L.Add("three");
  EXPECT_EQ(LinesOf(L), (std::vector<std::string>{"one", "", "three"}));
  L.Insert(0, "zero");
  L.Insert(9, "ignored");
  L.Insert(-1, "ignored");
  L.Delete(2);
  L.Delete(7);
  EXPECT_EQ(LinesOf(L), (std::vector<std::string>{"zero", "one", "three"}));
  EXPECT_EQ(L.Text(), "zero\r\none\r\nthree\r\n");

  // Put keeps the line's format; a new line takes the format of the line it goes before.
  const TRichTextFormat Red = Format("DejaVu Serif", 28, {fsBold}, clRed);
  L.Document() = Document({Paragraph({{Red, "red"}, {Format("DejaVu Sans", 20), " tail"}}), Paragraph({})});
  ASSERT_EQ(L.Count(), 1);
  L.Put(0, "still red");
  L.Put(1, "ignored");
  L.Insert(0, "also red");
  EXPECT_EQ(Describe(L.Document())[0], Describe(Red) + ":also red");
  EXPECT_EQ(Describe(L.Document())[1], Describe(Red) + ":still red");
  EXPECT_EQ(L.Count(), 2);

  // Lines assigned from a plain list come as plain text; from a rich text, with formats.
  TStringList Plain;
  Plain.SetText("a\r\nb");
  TRichEditStrings Copy;
  Copy.Assign(&Plain);
  EXPECT_EQ(LinesOf(Copy), (std::vector<std::string>{"a", "b"}));
  Copy.Assign(&L);
  EXPECT_EQ(Describe(Copy.Document()), Describe(L.Document()));
}

TEST(RichEditStrings, StreamsCarryRtfAndAcceptPlainText) {
  TRichEditStrings L;
  L.Document() = Document({Paragraph({{Format("宋体", 21, {fsItalic}), "片段 😀"}})});
  TMemoryStream Stream;
  L.SaveToStream(&Stream);
  Stream.SetPosition(0);
  TRichEditStrings Back;
  Back.LoadFromStream(&Stream);
  EXPECT_EQ(Describe(Back.Document()), Describe(L.Document()));
  const std::string File = ::testing::TempDir() + "/rich-edit-strings.rtf";
  L.SaveToFile(File);
  TRichEditStrings FromFile;
  FromFile.LoadFromFile(File);
  EXPECT_EQ(Describe(FromFile.Document()), Describe(L.Document()));
  std::remove(File.c_str());

  // Bytes that are not RTF are lines of plain text, whatever their line ends.
  for (const char* Text : {"first\nsecond\rthird\r\n", "{not rtf}\r\nsecond\r\nthird"}) {
    TMemoryStream Plain;
    Plain.WriteBuffer(Text, std::int64_t(std::strlen(Text)));
    Plain.SetPosition(0);
    Back.LoadFromStream(&Plain);
    EXPECT_EQ(Back.Count(), 3) << Text;
    EXPECT_EQ(Back.Strings(2), "third") << Text;
  }

  // With the plain-text switch the stream is the text itself, both ways.
  L.SetPlainText(true);
  TMemoryStream Out;
  L.SaveToStream(&Out);
  EXPECT_EQ(std::string(Out.Data().begin(), Out.Data().end()), "片段 😀");
}

}  // namespace
