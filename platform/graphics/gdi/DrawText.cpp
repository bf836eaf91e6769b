// DrawText and DrawTextEx: prefixes, tabs, word wrap, end ellipsis, alignment and the
// calculated rectangle.
#include <algorithm>
#include <cmath>

#include "platform/graphics/gdi/TextLayout.h"
#include "platform/rtl/Utf8.h"

namespace win::gdi {
namespace {

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

struct Line {
  size_t start = 0, end = 0;  // byte range in the prepared text
  std::string shown;          // the text drawn (may end in "...")
  bool shortened = false;
};

class Layout {
public:
  Layout(ResolvedFont& f, int extra, bool expandTabs, int tabPx)
      : F(f), Extra(extra), ExpandTabs(expandTabs), TabPx(std::max(1, tabPx)) {}

  // Width of a line, tabs advancing to the next stop when expanded.
  int Width(std::string_view s) const {
    int x = 0;
    size_t seg = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
      if (i == s.size() || s[i] == '\t') {
        x += RunWidth(F, s.substr(seg, i - seg), Extra);
        if (i < s.size() && ExpandTabs) x = (x / TabPx + 1) * TabPx;
        seg = i + 1;
      }
    }
    return x;
  }

  std::string Ellipsize(std::string_view s, int avail) const {
    if (Width(s) <= avail) return std::string(s);
    std::vector<size_t> cuts;
    for (size_t i = 0; i < s.size();) cuts.push_back(i = Utf8NextChar(s, i));
    for (size_t k = cuts.size(); k-- > 0;) {
      size_t at = k == 0 ? 0 : cuts[k - 1];
      std::string cand = std::string(s.substr(0, at)) + "...";
      if (Width(cand) <= avail || at == 0) return cand;
    }
    return "...";
  }

  // Splits a paragraph [start, end) of text into lines no wider than avail where it can.
  void Wrap(std::string_view text, size_t start, size_t end, int avail, std::vector<Line>& out) const {
    struct Token { size_t start, coreEnd, end; };
    std::vector<Token> tokens;
    for (size_t i = start; i < end;) {
      size_t at = i;
      char32_t c = Utf8DecodeNext(text, i);
      bool space = c == ' ' || c == '\t';
      if (space) {
        if (tokens.empty()) tokens.push_back({at, at, i});
        else tokens.back().end = i;
      } else if (IsWide(c) || tokens.empty() || tokens.back().end != tokens.back().coreEnd ||
                 IsWideAt(text, tokens.back().start)) {
        tokens.push_back({at, i, i});
      } else {
        tokens.back().coreEnd = tokens.back().end = i;
      }
    }
    if (tokens.empty()) {
      out.push_back({start, end, ""});
      return;
    }
    size_t lineStart = tokens[0].start, lineEnd = tokens[0].start;
    bool empty = true;
    for (const Token& t : tokens) {
      if (!empty && Width(text.substr(lineStart, t.coreEnd - lineStart)) > avail) {
        out.push_back({lineStart, lineEnd, ""});
        lineStart = t.start;
      }
      lineEnd = t.coreEnd;
      empty = false;
    }
    out.push_back({lineStart, lineEnd, ""});
  }

private:
  static bool IsWideAt(std::string_view s, size_t at) {
    size_t i = at;
    return IsWide(Utf8DecodeNext(s, i));
  }
  ResolvedFont& F;
  int Extra;
  bool ExpandTabs;
  int TabPx;
};

// Removes & prefixes: "&&" is a literal '&'; the character after a single '&' is underlined.
std::string StripPrefixes(std::string_view s, int& prefixAt) {
  std::string out;
  prefixAt = -1;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') {
      out += s[i];
      continue;
    }
    if (i + 1 < s.size() && s[i + 1] == '&') {
      out += '&';
      ++i;
    } else if (i + 1 < s.size()) {
      prefixAt = int(out.size());
    }
  }
  return out;
}

}  // namespace

int DrawTextImpl(HDC hdc, const char* textIn, int count, RECT* lr, UINT fmt, DRAWTEXTPARAMS* params) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !lr) return 0;
  if (params && params->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
  std::string_view raw = Bytes(textIn, count);
  auto font = CurrentFont(*dc);
  const TEXTMETRIC& tm = font->tm;
  double sx = std::fabs(ScaleX(*dc)), sy = std::fabs(ScaleY(*dc));
  if (sx <= 0) sx = 1;
  if (sy <= 0) sy = 1;
  RECT r = ToDeviceRect(*dc, *lr);
  int lm = params ? int(std::lround(params->iLeftMargin * sx)) : 0;
  int rm = params ? int(std::lround(params->iRightMargin * sx)) : 0;
  int tabChars = params && params->iTabLength > 0 ? params->iTabLength : 8;
  int lineH = tm.tmHeight + ((fmt & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  int prefixAt = -1;
  std::string text = (fmt & DT_NOPREFIX) ? std::string(raw) : StripPrefixes(raw, prefixAt);
  if (fmt & DT_HIDEPREFIX) prefixAt = -1;
  Layout layout(*font, DeviceExtra(*dc), (fmt & DT_EXPANDTABS) != 0, tabChars * tm.tmAveCharWidth);
  int avail = (r.right - rm) - (r.left + lm);

  std::vector<Line> lines;
  if (fmt & DT_SINGLELINE) {
    lines.push_back({0, text.size(), ""});
  } else {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
      if (fmt & DT_WORDBREAK) layout.Wrap(text, start, i, avail, lines);
      else lines.push_back({start, i, ""});
      if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  int maxW = 0;
  for (Line& l : lines) {
    std::string_view body(text.data() + l.start, l.end - l.start);
    std::string shown;
    if (fmt & DT_SINGLELINE) {
      for (char c : body)
        if (c != '\r' && c != '\n') shown += c;
    } else {
      shown = std::string(body);
    }
    // Word and path ellipses shorten at the end as well.
    if ((fmt & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) && layout.Width(shown) > avail) {
      shown = layout.Ellipsize(shown, avail);
      l.shortened = true;
    }
    l.shown = shown;
    maxW = std::max(maxW, layout.Width(l.shown));
  }
  int total = int(lines.size()) * lineH;
  if (params) {
    params->uiLengthDrawn = UINT(Utf8Length(raw));
  }
  if (fmt & DT_CALCRECT) {
    RECT d{r.left, r.top, r.left + lm + maxW + rm, r.top + total};
    if (raw.empty()) d.right = r.left;
    // Back to logical units, keeping the top-left corner where it was.
    lr->right = lr->left + LONG(std::lround((d.right - d.left) / sx));
    lr->bottom = lr->top + LONG(std::lround((d.bottom - d.top) / sy));
    return int(std::lround(total / sy));
  }
  int y = r.top;
  if (fmt & DT_SINGLELINE) {
    if (fmt & DT_VCENTER) y = r.top + ((r.bottom - r.top) - lineH) / 2;
    else if (fmt & DT_BOTTOM) y = r.bottom - lineH;
  }
  UINT h = fmt & (DT_CENTER | DT_RIGHT);
  if (ScaleX(*dc) < 0 && h != DT_CENTER) h = h == DT_RIGHT ? DT_LEFT : DT_RIGHT;
  const RECT* clip = (fmt & DT_NOCLIP) ? nullptr : &r;
  int extra = DeviceExtra(*dc);
  int tabPx = std::max(1, tabChars * int(tm.tmAveCharWidth));
  for (const Line& l : lines) {
    int w = layout.Width(l.shown);
    int x = r.left + lm;
    if (h == DT_CENTER) x = r.left + lm + (avail - w) / 2;
    else if (h == DT_RIGHT) x = r.right - rm - w;
    int prefix = -1;
    if (prefixAt >= int(l.start) && prefixAt < int(l.end) && !l.shortened) prefix = prefixAt - int(l.start);
    // Tabs split the line into runs placed at their stops.
    size_t seg = 0;
    int px = 0;
    const std::string& s = l.shown;
    for (size_t i = 0; i <= s.size(); ++i) {
      if (i < s.size() && s[i] != '\t') continue;
      std::string_view run(s.data() + seg, i - seg);
      if (!run.empty()) {
        int p = prefix >= int(seg) && prefix < int(i) ? prefix - int(seg) : -1;
        EmitTextRun(*dc, run, x + px, y + tm.tmAscent, *font, extra, 0, clip, p, nullptr, fmt);
      }
      px += RunWidth(*font, run, extra);
      if (i < s.size() && (fmt & DT_EXPANDTABS)) px = (px / tabPx + 1) * tabPx;
      seg = i + 1;
    }
    y += lineH;
  }
  int bottom = y;
  int top = (fmt & DT_SINGLELINE) && (fmt & (DT_VCENTER | DT_BOTTOM)) ? r.top : r.top;
  return int(std::lround((bottom - top) / sy));
}

}  // namespace win::gdi

namespace win {

int DrawText(HDC hdc, const char* text, int count, RECT* r, UINT format) {
  return gdi::DrawTextImpl(hdc, text, count, r, format, nullptr);
}

int DrawTextEx(HDC hdc, const char* text, int count, RECT* r, UINT format, DRAWTEXTPARAMS* params) {
  return gdi::DrawTextImpl(hdc, text, count, r, format, params);
}

}  // namespace win
