#include "platform/controls/CharWidths.h"

#include "platform/rtl/Utf8.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <cstring>

namespace {
// A device context for measuring text in a font. Measuring needs no pixels: the screen's
// DC serves, so a window that has never been shown gets no image of its own just to
// measure its text.
class TFontDC {
public:
  explicit TFontDC(win::HFONT Font) : FDC(win::GetDC(nullptr)) { FOld = win::SelectObject(FDC, Font); }
  ~TFontDC() {
    win::SelectObject(FDC, FOld);
    win::ReleaseDC(nullptr, FDC);
  }
  TFontDC(const TFontDC&) = delete;
  TFontDC& operator=(const TFontDC&) = delete;
  win::HDC DC() const { return FDC; }

private:
  win::HDC FDC;
  win::HGDIOBJ FOld;
};
}  // namespace

unsigned TCharWidths::Use(TFont* Font) {
  win::LOGFONT lf = Font->LogFont();
  win::HFONT handle = Font->Handle();
  if (FGeneration > 0 && handle == FHandle && std::memcmp(&lf, &FFont, sizeof lf) == 0) return FGeneration;
  FFont = lf;
  FHandle = handle;
  ++FGeneration;
  std::fill(std::begin(FAscii), std::end(FAscii), -1);
  FOther.clear();
  std::fill(std::begin(FRecent), std::end(FRecent), TRecent{});
  TFontDC dc(handle);
  win::TEXTMETRIC tm{};
  win::GetTextMetrics(dc.DC(), &tm);
  FTab = std::max<int>(8 * tm.tmAveCharWidth, 1);
  FHeight = std::max<int>(tm.tmHeight, 1);
  return FGeneration;
}

int TCharWidths::OfOther(std::string_view Ch) {
  std::uint32_t key = 0;
  for (std::size_t i = 0; i < Ch.size() && i < 4; ++i) key |= std::uint32_t(static_cast<unsigned char>(Ch[i])) << (8 * i);
  TRecent& recent = FRecent[(key * 2654435761u) >> 24];
  if (recent.Key == key) return recent.Width;  // never 0: a character other than ASCII has a lead byte
  auto [it, added] = FOther.try_emplace(key, 0);
  if (added) it->second = Measure(Ch);
  recent = {key, it->second};
  return it->second;
}

int TCharWidths::Measure(std::string_view Ch) {
  TFontDC dc(FHandle);
  win::SIZE sz{};
  win::GetTextExtentPoint32(dc.DC(), Ch.data(), static_cast<int>(Ch.size()), &sz);
  return sz.cx;
}

void TCharWidths::Scan(std::string_view Text, TScan& S, std::size_t End, int MaxChars, int Limit) {
  End = std::min(End, Text.size());
  while (S.Pos < End && S.Chars < MaxChars) {
    unsigned char c = static_cast<unsigned char>(Text[S.Pos]);
    std::size_t len = c < 0x80 ? 1 : Utf8CharLength(Text, S.Pos);
    int x = c < 0x80 && c != '\t' && FAscii[c] >= 0 ? S.X + FAscii[c] : Advance(S.X, Text.substr(S.Pos, len));
    if (x > Limit) return;
    S.X = x;
    S.Pos += len;
    ++S.Chars;
  }
}

namespace {
// The byte after the character at B, as Utf8NextChar steps.
std::size_t NextShown(std::string_view S, std::size_t B) {
  return static_cast<unsigned char>(S[B]) < 0x80 ? B + 1 : Utf8NextChar(S, B);
}
}  // namespace

void TLineExtents::Measure(std::string_view Text, TCharWidths& Widths) {
  if (FMeasured && FGeneration == Widths.Generation() && Text == FText) return;
  FText.assign(Text);
  FGeneration = Widths.Generation();
  FMarks.clear();
  int x = 0, i = 0;
  for (std::size_t b = 0; b < Text.size(); ++i) {
    if (i % MarkEvery == 0) FMarks.push_back({b, x, i});
    const std::size_t next = NextShown(Text, b);
    x = Widths.Advance(x, Text.substr(b, next - b));
    b = next;
  }
  FWidth = x;
  FChars = i;
  FMeasured = true;
}

int TLineExtents::XOf(int Index, TCharWidths& Widths) const {
  if (Index <= 0 || FMarks.empty()) return 0;
  if (Index >= FChars) return FWidth;
  const TCharWidths::TScan& mark = FMarks[static_cast<std::size_t>(Index / MarkEvery)];
  const std::string_view s = FText;
  int x = mark.X;
  std::size_t b = mark.Pos;
  for (int i = mark.Chars; i < Index; ++i) {
    const std::size_t next = NextShown(s, b);
    x = Widths.Advance(x, s.substr(b, next - b));
    b = next;
  }
  return x;
}

TCharWidths::TScan TLineExtents::MarkBefore(int X) const {
  const auto after = std::upper_bound(FMarks.begin(), FMarks.end(), X,
                                      [](int x, const TCharWidths::TScan& m) { return x < m.X; });
  return after == FMarks.begin() ? TCharWidths::TScan{0, 0, 0} : *(after - 1);
}
