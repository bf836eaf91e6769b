#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gridcontrols/GxCurrency.h"
#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Graphic.h"

namespace {

const std::string Yuan = "\xEF\xBF\xA5";

// Draws into a bitmap with the recording on; the operations of the last drawing only.
class MoneyTest : public testing::Test {
protected:
  void SetUp() override {
    bitmap.SetSize(600, 40);
    win::StartDrawRecording();
  }
  void TearDown() override { win::StopDrawRecording(); }

  void Amount(const std::string& text, const win::RECT& r) {
    win::ClearDrawRecording();
    bitmap.Canvas()->Font()->SetColor(clNavy);  // the cell's text colour
    style.DrawAmount(bitmap.Canvas(), text, r);
  }
  void Heading(const win::RECT& r) {
    win::ClearDrawRecording();
    style.DrawHeading(bitmap.Canvas(), r);
  }
  // The texts drawn other than the currency symbol, with their colours.
  std::vector<std::pair<std::string, win::COLORREF>> Texts() const {
    std::vector<std::pair<std::string, win::COLORREF>> texts;
    for (const win::DrawOp& op : win::RecordedOps(win::DrawKind::Text))
      if (op.text != Yuan) texts.emplace_back(op.text, op.color);
    return texts;
  }
  bool SymbolDrawn() const {
    for (const win::DrawOp& op : win::RecordedOps(win::DrawKind::Text))
      if (op.text == Yuan) return true;
    return false;
  }
  // Vertical lines by x, with their colours.
  std::vector<std::pair<int, win::COLORREF>> Columns() const {
    std::vector<std::pair<int, win::COLORREF>> lines;
    for (const win::DrawOp& op : win::RecordedOps(win::DrawKind::Line))
      if (op.points.size() == 2 && op.points[0].x == op.points[1].x) lines.emplace_back(op.points[0].x, op.color);
    return lines;
  }

  TBitmap bitmap;
  TMoneyStyle style{nullptr};
};

TEST_F(MoneyTest, AmountDigitsAndColours) {
  const win::RECT wide{0, 0, 400, 20};
  const win::COLORREF cell = ColorToRGB(clNavy), minus = ColorToRGB(clRed);
  const struct {
    const char* Text;
    int Digits;
    bool ShowMinus, ShowZero;
    const char* Drawn;  // "" for an empty cell
    win::COLORREF Color;
  } cases[] = {
      {"1234.5", 2, true, false, "123450", cell},
      {"1234.5", 4, true, false, "12345000", cell},
      {"0.5", 1, true, false, "05", cell},  // the units column shows its 0
      {"  7 ", 2, true, false, "700", cell},
      {"-3", 2, true, false, "-300", minus},
      {"-3", 2, false, false, "300", minus},
      {"0", 2, true, false, "", cell},
      {"0", 2, true, true, "000", cell},
      {"abc", 2, true, false, "", cell},
      {"abc", 3, true, true, "0000", cell},
      // amounts beyond the Currency range show the overflow marker, not an empty cell
      {"1e20", 2, true, false, "*", cell},
      {"-1e20", 2, true, false, "*", minus},
  };
  for (const auto& c : cases) {
    style.SetDigits(c.Digits);
    style.SetShowMinus(c.ShowMinus);
    style.SetShowZero(c.ShowZero);
    Amount(c.Text, wide);
    const auto texts = Texts();
    if (*c.Drawn == 0) {
      EXPECT_TRUE(texts.empty()) << c.Text;
      EXPECT_FALSE(SymbolDrawn()) << c.Text;
      continue;
    }
    ASSERT_EQ(texts.size(), 1u) << c.Text;
    EXPECT_EQ(texts[0].first, c.Drawn) << c.Text;
    EXPECT_EQ(texts[0].second, c.Color) << c.Text;
    EXPECT_TRUE(SymbolDrawn()) << c.Text;
  }
}

TEST_F(MoneyTest, ANarrowCellShowsAStarAndTheLowestDigits) {
  // Five digit columns: at most four characters fit, else "*" and the lowest three.
  const int w0 = style.CHNWidth();
  const struct {
    const char* Text;
    int Columns;
    const char* Drawn;
  } cases[] = {
      {"1234.5", 5, "*450"},
      {"12.34", 5, "1234"},
      {"-12.34", 5, "*234"},
      {"1234.5", 2, "*"},
  };
  for (const auto& c : cases) {
    Amount(c.Text, win::RECT{10, 0, 10 + 2 + c.Columns * w0, 20});
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u) << c.Text;
    EXPECT_EQ(texts[0].first, c.Drawn) << c.Text << " in " << c.Columns;
  }
}

// Expected column lines from the right edge: x = right - 2 - i * (pitch + 2) while x > left.
std::vector<std::pair<int, win::COLORREF>> ExpectedLines(const win::RECT& r, int pitch, int digits, bool inCell) {
  std::vector<std::pair<int, win::COLORREF>> lines;
  for (int i = 0;; ++i) {
    const int x = r.right - 2 - i * (pitch + 2);
    if (x <= r.left) break;
    if (inCell && (i == 0 || 2 * (x - r.left) < pitch)) continue;
    TColor c = clSilver;
    if (i == digits) c = clRed;
    else if ((i - digits) % 3 == 0) c = clGreen;
    lines.emplace_back(x, ColorToRGB(c));
  }
  return lines;
}

TEST_F(MoneyTest, ColumnLinesAndTheirColours) {
  for (int digits : {2, 4, 1}) {
    for (const win::RECT& r : {win::RECT{0, 0, 300, 20}, win::RECT{33, 0, 121, 18}}) {
      style.SetDigits(digits);
      Amount("1", r);
      EXPECT_EQ(Columns(), ExpectedLines(r, style.CHNWidth(), digits, true)) << digits;
    }
  }
  // Colours by line number (0 is the rightmost line, left out in cells).
  const struct {
    int Digits;
    std::vector<std::pair<int, TColor>> Lines;
  } colours[] = {
      {2, {{1, clSilver}, {2, clRed}, {3, clSilver}, {4, clSilver}, {5, clGreen}, {8, clGreen}, {9, clSilver}}},
      {4, {{1, clGreen}, {2, clSilver}, {3, clSilver}, {4, clRed}, {5, clSilver}, {7, clGreen}}},
  };
  const win::RECT r{0, 0, 300, 20};
  const int pitch = style.CHNWidth();
  for (const auto& c : colours) {
    style.SetDigits(c.Digits);
    Amount("1", r);
    const auto lines = Columns();
    for (const auto& [index, colour] : c.Lines) {
      const int x = r.right - 2 - index * (pitch + 2);
      bool found = false;
      for (const auto& [lx, lc] : lines)
        if (lx == x) {
          found = true;
          EXPECT_EQ(lc, ColorToRGB(colour)) << "digits " << c.Digits << " line " << index;
        }
      EXPECT_TRUE(found) << "digits " << c.Digits << " line " << index;
    }
    for (const auto& line : lines) EXPECT_NE(line.first, r.right - 2) << "line 0 in a cell";
  }
}

TEST_F(MoneyTest, HeadingShowsOnePlaceNamePerColumn) {
  EXPECT_EQ(TMoneyStyle::HeadingText(2).substr(TMoneyStyle::HeadingText(2).size() - 15), "百十元角分");
  EXPECT_EQ(TMoneyStyle::HeadingText(4).substr(TMoneyStyle::HeadingText(4).size() - 12), "角分毫厘");
  const win::RECT r{0, 0, 200, 30};
  Heading(r);
  const auto lines = Columns();
  ASSERT_FALSE(lines.empty());
  const int pitch = lines.size() > 1 ? lines[0].first - lines[1].first - 2 : 0;
  EXPECT_EQ(lines, ExpectedLines(r, pitch, 2, false));  // line 0 is drawn in the heading
  const auto texts = win::RecordedTexts();
  ASSERT_EQ(texts.size(), 1u);
  const std::string all = TMoneyStyle::HeadingText(2);
  const std::string tail = texts[0];
  // The last (lines - 1) place names.
  EXPECT_EQ(tail.size(), 3 * (lines.size() - 1));
  EXPECT_EQ(all.substr(all.size() - tail.size()), tail);
  // A black line along the top edge.
  bool top = false;
  for (const win::DrawOp& op : win::RecordedOps(win::DrawKind::Line))
    top |= op.points.size() == 2 && op.points[0].y == 0 && op.points[1].y == 0 && op.points[0].x == 0 &&
           op.points[1].x == 200 && op.color == 0;
  EXPECT_TRUE(top);
}

TEST_F(MoneyTest, PropertiesAssignAndFonts) {
  int changes = 0;
  style.SetOnChange([&](TObject*) { ++changes; });
  style.SetDigits(0);
  style.SetDigits(5);
  EXPECT_EQ(style.Digits(), 2);
  EXPECT_EQ(changes, 0);
  style.SetDigits(3);
  EXPECT_EQ(changes, 1);

  TFont bold;
  bold.SetName("Arial");
  bold.SetSize(12);
  bold.SetStyle({fsBold});
  bold.SetColor(clBlue);
  bold.SetCharset(134);
  style.SetCurrencyFont(&bold);
  EXPECT_EQ(style.CurrencyFont()->Name(), "MS Sans Serif");
  EXPECT_EQ(style.CurrencyFont()->Size(), 8);
  EXPECT_TRUE(style.CurrencyFont()->Style().Empty());
  EXPECT_EQ(style.CurrencyFont()->Color(), clBlue);
  EXPECT_EQ(style.CurrencyFont()->Charset(), 134);

  TMoneyStyle other(nullptr);
  other.SetRadixColor(clFuchsia);
  other.SetMinusColor(clPurple);
  other.SetCurrencySymbol("$");
  other.SetLayout(tlBottom);
  other.SetShowZero(true);
  other.SetShowMinus(false);
  other.HeadFont()->SetSize(20);
  style.Assign(&other);
  EXPECT_EQ(style.RadixColor(), clFuchsia);
  EXPECT_EQ(style.MinusColor(), clPurple);
  EXPECT_EQ(style.CurrencySymbol(), "$");
  EXPECT_EQ(style.Layout(), tlBottom);
  EXPECT_FALSE(style.ShowMinus());
  EXPECT_EQ(style.HeadFont()->Size(), 20);
  EXPECT_FALSE(style.ShowZero());  // kept
  EXPECT_EQ(style.Digits(), 3);    // kept
}

}  // namespace
