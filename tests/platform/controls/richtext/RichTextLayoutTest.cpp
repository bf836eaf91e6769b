// Rich text laid out over pages: every character placed once and in order, every call
// advancing, an area too small for a line or a character still making progress, and
// lines broken after spaces, between ideographs, at tabs and at line breaks.
#include <gtest/gtest.h>

#include <map>

#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Graphics.h"
#include "tests/support/RichTextFixture.h"

namespace {
using namespace richtext;

constexpr int Twips = 15;  // per pixel at 96 dpi

class RichTextLayoutTest : public ::testing::Test {
protected:
  TBitmap Bitmap;
  TCanvas* Canvas = nullptr;

  void SetUp() override {
    Bitmap.SetSize(800, 800);
    Canvas = Bitmap.Canvas();
    win::StartDrawRecording();
  }
  void TearDown() override { win::StopDrawRecording(); }

  // One call on the area (pixels) from character First; the texts it drew.
  int Lay(const TRichTextDocument& Doc, win::RECT Area, int First, bool PlaceOneLine,
             std::vector<win::DrawOp>* Drawn = nullptr, bool Render = true, int Last = -1) {
    TRichTextFormatRange Range;
    Range.Canvas = Canvas;
    Range.Area = {Area.left * Twips, Area.top * Twips, Area.right * Twips, Area.bottom * Twips};
    Range.First = First;
    Range.Last = Last;
    Range.PlaceOneLine = PlaceOneLine;
    win::ClearDrawRecording();
    const int Next = Doc.FormatRange(Range, Render);
    if (Drawn) *Drawn = win::RecordedOps(win::DrawKind::Text);
    LastBottom = Range.Area.bottom / Twips;
    return Next;
  }
  int LastBottom = 0;

  // The drawn texts grouped into lines by their top, left to right.
  static std::vector<std::string> Lines(const std::vector<win::DrawOp>& Ops) {
    std::map<int, std::map<int, std::string>> ByTop;
    for (const win::DrawOp& Op : Ops) ByTop[Op.rect.top][Op.rect.left] += Op.text;
    std::vector<std::string> Out;
    for (auto& [Top, Pieces] : ByTop) {
      std::string Line;
      for (auto& [Left, Text] : Pieces) Line += Text;
      Out.push_back(Line);
    }
    return Out;
  }

  static std::string NoBlanks(const std::string& S) {
    std::string Out;
    for (char C : S)
      if (C != ' ' && C != '\r' && C != '\n' && C != '\t' && C != '\v') Out += C;
    return Out;
  }
};

TRichTextDocument LongDocument() {
  std::vector<TRichTextParagraph> Ps;
  for (int I = 1; I <= 12; ++I) {
    const TRichTextFormat F = Format(I % 3 ? "DejaVu Sans" : "DejaVu Serif", 16 + 4 * (I % 4), I % 2 ? TFontStyles{fsBold} : TFontStyles{});
    Ps.push_back(Paragraph({{F, "Paragraph " + std::to_string(I) + ": "},
                            {Format("DejaVu Sans", 20), "the quick brown fox jumps over the lazy dog"}}));
    if (I == 5) Ps.push_back(Paragraph({{Format("宋体", 24), "快捷键把这一行文字放到剪贴板上，不用空格也能换行"}}));
    if (I == 8) Ps.push_back(Paragraph({}, Format("DejaVu Sans", 40)));
  }
  return Document(std::move(Ps));
}

TEST_F(RichTextLayoutTest, PagesPlaceEveryCharacterOnceInOrderAndAlwaysAdvance) {
  const TRichTextDocument Doc = LongDocument();
  const win::RECT Page{10, 20, 210, 90};
  std::string Placed;
  std::vector<int> Stops;
  for (int Pos = 0; Pos < Doc.Length();) {
    std::vector<win::DrawOp> Drawn;
    const int Next = Lay(Doc, Page, Pos, true, &Drawn);
    ASSERT_GT(Next, Pos);
    ASSERT_LE(Next, Doc.Length());
    for (const win::DrawOp& Op : Drawn) {
      EXPECT_GE(Op.rect.top, Page.top);
      EXPECT_LE(Op.rect.bottom, Page.bottom) << Op.text;
      EXPECT_GE(Op.rect.left, Page.left);
      Placed += Op.text;
    }
    EXPECT_LE(LastBottom, Page.bottom);
    EXPECT_GT(LastBottom, Page.top);
    Stops.push_back(Next);
    Pos = Next;
  }
  EXPECT_GT(Stops.size(), 3u);
  EXPECT_EQ(NoBlanks(Placed), NoBlanks(Doc.PlainText()));

  // Measuring only stops at the same characters and draws nothing.
  std::size_t Call = 0;
  for (int Pos = 0; Pos < Doc.Length(); ++Call) {
    std::vector<win::DrawOp> Drawn;
    Pos = Lay(Doc, Page, Pos, true, &Drawn, false);
    ASSERT_LT(Call, Stops.size());
    EXPECT_EQ(Pos, Stops[Call]);
    EXPECT_TRUE(Drawn.empty());
  }

  // A range that ends early places nothing after its last character.
  std::vector<win::DrawOp> Drawn;
  EXPECT_EQ(Lay(Doc, {0, 0, 800, 800}, 0, false, &Drawn, true, 9), 9);
  EXPECT_EQ(Lines(Drawn), std::vector<std::string>{"Paragraph"});
}

TEST_F(RichTextLayoutTest, AnAreaTooSmallForALineOrACharacterStillAdvances) {
  const TRichTextDocument Doc = Document({Paragraph({{Format("DejaVu Sans", 24), "abc de"}}),
                                          Paragraph({{Format("DejaVu Sans", 24), "fg"}})});
  std::vector<win::DrawOp> Drawn;
  // Lower than one line: nothing fits, unless the area must take a line.
  EXPECT_EQ(Lay(Doc, {0, 0, 400, 4}, 0, false, &Drawn), 0);
  EXPECT_TRUE(Drawn.empty());
  EXPECT_EQ(LastBottom, 0);
  EXPECT_EQ(Lay(Doc, {0, 0, 400, 4}, 0, true, &Drawn), 7);  // the first paragraph and its break
  ASSERT_FALSE(Drawn.empty());
  for (const win::DrawOp& Op : Drawn) {
    EXPECT_TRUE(Op.clipped);
    EXPECT_LE(Op.clip.bottom, 4);
  }
  EXPECT_EQ(LastBottom, 4);

  // Narrower and lower than one character: a character per call, never none.
  std::string Placed;
  int Calls = 0;
  for (int Pos = 0; Pos < Doc.Length(); ++Calls) {
    const int Next = Lay(Doc, {0, 0, 1, 1}, Pos, true, &Drawn);
    ASSERT_GT(Next, Pos);
    ASSERT_EQ(Lines(Drawn).size(), 1u);
    EXPECT_EQ(NoBlanks(Lines(Drawn)[0]).size(), 1u);
    Placed += Lines(Drawn)[0];
    Pos = Next;
  }
  EXPECT_EQ(NoBlanks(Placed), "abcdefg");
  EXPECT_EQ(Calls, 7);

  // An empty text places nothing and says so.
  EXPECT_EQ(Lay(TRichTextDocument(), {0, 0, 400, 400}, 0, true, &Drawn), 0);
  EXPECT_TRUE(Drawn.empty());
}

TEST_F(RichTextLayoutTest, LinesBreakAfterSpacesBetweenIdeographsAtTabsAndLineBreaks) {
  const TRichTextFormat F = Format("DejaVu Sans", 24);
  Canvas->Font()->SetName("DejaVu Sans");
  Canvas->Font()->SetHeight(-16);  // 12 points at 96 dpi
  const int Words = Canvas->TextWidth("alpha beta");
  const int Ideographs = Canvas->TextWidth("一二三");
  Canvas->Font()->SetName("宋体");
  const int CjkWords = Canvas->TextWidth("一二三");

  struct Case {
    std::string Text;
    int Width;
    std::vector<std::string> Lines;
  } const Cases[] = {
      {"alpha beta gamma", Words + 2, {"alpha beta ", "gamma"}},
      {"一二三四五六七", std::max(Ideographs, CjkWords) + 1, {"一二三", "四五六", "七"}},
      {"first\vsecond line", 400, {"first", "second line"}},
      {"unbreakablewordthatislong", Canvas->TextWidth("unbreak"), {}},  // cut between characters
  };
  for (const Case& C : Cases) {
    std::vector<win::DrawOp> Drawn;
    const TRichTextDocument Doc = Document({Paragraph({{F, C.Text}})});
    EXPECT_EQ(Lay(Doc, {0, 0, C.Width, 400}, 0, false, &Drawn), Doc.Length()) << C.Text;
    if (!C.Lines.empty()) {
      EXPECT_EQ(Lines(Drawn), C.Lines) << C.Text;
    } else {
      EXPECT_GT(Lines(Drawn).size(), 2u);
      for (const win::DrawOp& Op : Drawn) EXPECT_LE(Op.rect.right - Op.rect.left, C.Width + 1) << Op.text;
    }
  }

  // A tab moves on to the next half inch.
  std::vector<win::DrawOp> Drawn;
  Lay(Document({Paragraph({{F, "a\tb"}})}), {10, 0, 400, 400}, 0, false, &Drawn);
  ASSERT_EQ(Drawn.size(), 2u);
  EXPECT_EQ(Drawn[1].text, "b");
  EXPECT_EQ(Drawn[1].rect.left, 10 + 48);
}

}  // namespace
