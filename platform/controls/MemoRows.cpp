#include "platform/controls/MemoRows.h"

#include "platform/controls/MaskUtils.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <climits>

namespace {
bool IsBreak(char C) { return C == '\r' || C == '\n'; }

// Ideographs and their punctuation may be broken between any two of them.
bool IsIdeographic(char32_t Cp) {
  return (Cp >= 0x2E80 && Cp <= 0x9FFF) || (Cp >= 0xAC00 && Cp <= 0xD7AF) || (Cp >= 0xF900 && Cp <= 0xFAFF) ||
         (Cp >= 0xFF00 && Cp <= 0xFFEF) || Cp >= 0x20000;
}

// A character may cut a UTF-8 sequence the edit changed: rows this close to the edit are
// laid out again.
constexpr std::size_t CharMargin = 4;
}  // namespace

bool TMemoRows::NextRow(std::string_view T, TCharWidths& W, TCursor& C, std::vector<TRow>& Out) {
  const std::size_t n = T.size(), a = C.Byte;
  std::size_t i = a;
  TRow row{a, 0, 0, C.Char, 0, 0, C.Line, false};
  if (!FWrap) {
    std::size_t e = std::min(T.find('\r', a), T.find('\n', a));
    if (e > n) e = n;
    TCharWidths::TScan scan{a, 0, 0};
    W.Scan(T, scan, e, INT_MAX, INT_MAX);
    row.Bytes = e - a;
    row.Length = scan.Chars;
    row.Width = scan.X;
    row.Reach = e + 1;
  } else {
    FPos.assign(1, a);
    FOffs.assign(1, 0);
    bool atEnd = false;
    // Measures one more character; false at the end of the line.
    auto more = [&] {
      if (i >= n || IsBreak(T[i])) return !(atEnd = true);
      std::size_t len = Utf8CharLength(T, i);
      FOffs.push_back(W.Advance(FOffs.back(), T.substr(i, len)));
      FPos.push_back(i += len);
      return true;
    };
    auto count = [&] { return static_cast<int>(FPos.size()) - 1; };
    auto charAt = [&](int K) { return T.substr(FPos[K], FPos[K + 1] - FPos[K]); };
    // The first character past the view's width, and the one after it.
    int over = -1;
    while (more())
      if (FOffs.back() > FAvail) {
        over = count() - 1;
        break;
      }
    if (over >= 0 && count() <= std::max(over, 1)) more();
    int cut;
    if (over < 0 || (atEnd && std::max(over, 1) >= count())) {
      cut = count();  // the rest of the line fits, or is one character wider than the view
      row.Width = FOffs[cut];
    } else {
      // The longest part that fits (one character at least), cut where a row may start.
      int b = std::max(over, 1);
      auto canBreakBefore = [&](int K) {
        char prev = T[FPos[K - 1]];
        return prev == ' ' || prev == '\t' || IsIdeographic(Utf8Decode(charAt(K - 1), 0)) ||
               IsIdeographic(Utf8Decode(charAt(K), 0));
      };
      cut = b;
      if (charAt(b) != " ") {
        while (cut > 1 && !canBreakBefore(cut)) --cut;
        if (cut == 1 && !canBreakBefore(cut)) cut = b;
      }
      // Spaces at the cut stay with the row they end.
      while ((cut < count() || more()) && charAt(cut) == " ") ++cut;
      row.Width = std::min(FOffs[cut], FAvail);
    }
    row.Soft = !(atEnd && cut == count());
    row.Bytes = FPos[cut] - a;
    row.Length = cut;
    row.Reach = FPos.back() + (atEnd ? 1 : 0);
  }
  Out.push_back(row);
  if (row.Soft) {
    C = {a + row.Bytes, C.Char + row.Length, C.Line};
    return true;
  }
  std::size_t e = a + row.Bytes;
  if (e >= n) return false;
  int br = T[e] == '\r' && e + 1 < n && T[e + 1] == '\n' ? 2 : 1;
  C = {e + br, C.Char + row.Length + br, C.Line + 1};
  return true;
}

void TMemoRows::Build(std::string_view Text, TCharWidths& Widths, int Avail, bool Wrap, unsigned Font) {
  FAvail = Avail;
  FWrap = Wrap;
  FFont = Font;
  FRows.clear();
  TCursor c{0, 0, 0};
  while (NextRow(Text, Widths, c, FRows)) {
  }
  MeasureMaxWidth();
}

void TMemoRows::MeasureMaxWidth() {
  FMaxWidth = 0;
  for (const TRow& r : FRows) FMaxWidth = std::max(FMaxWidth, r.Width);
}

TMemoRows::TLinesChanged TMemoRows::Edit(std::string_view Text, TCharWidths& Widths, std::size_t Byte,
                                         std::size_t Removed, std::size_t Inserted) {
  // From the first row that looked at the changed bytes or near them.
  int r0 = RowOfByte(Byte > CharMargin ? Byte - CharMargin : 0);
  while (r0 > 0 && FRows[r0 - 1].Reach + CharMargin > Byte) --r0;
  const int n = Count();
  const long long delta = static_cast<long long>(Inserted) - static_cast<long long>(Removed);
  TCursor c{FRows[r0].Byte, FRows[r0].Start, FRows[r0].Line};
  std::vector<TRow> fresh;
  // Lay out rows until one starts past the edit where an old row started: the text from
  // there on is the old text, so are the rows.
  int k = r0;
  bool met = false;
  for (;;) {
    if (c.Byte >= Byte + Inserted) {
      while (k < n && static_cast<long long>(FRows[k].Byte) + delta < static_cast<long long>(c.Byte)) ++k;
      if (k < n && static_cast<long long>(FRows[k].Byte) + delta == static_cast<long long>(c.Byte)) {
        met = true;
        break;
      }
    }
    if (!NextRow(Text, Widths, c, fresh)) break;
  }
  int end = met ? k : n;

  TLinesChanged lines{FRows[r0].Line, 0, 0};
  if (met) {
    // Where the old rows go on, a line is cut in two unless both sides start one there.
    bool oldStarts = k == 0 || !FRows[k - 1].Soft;
    bool newStarts = fresh.empty() ? r0 == 0 || !FRows[r0 - 1].Soft : !fresh.back().Soft;
    bool whole = oldStarts && newStarts;
    lines.OldLast = FRows[k].Line - (whole ? 1 : 0);
    lines.NewLast = c.Line - (whole ? 1 : 0);
  } else {
    lines.OldLast = FRows.back().Line;
    lines.NewLast = fresh.back().Line;
  }

  int removedMax = 0, freshMax = 0;
  for (int r = r0; r < end; ++r) removedMax = std::max(removedMax, FRows[r].Width);
  for (const TRow& r : fresh) freshMax = std::max(freshMax, r.Width);
  if (met) {
    int dChar = c.Char - FRows[k].Start, dLine = c.Line - FRows[k].Line;
    for (int r = k; r < n; ++r) {
      TRow& row = FRows[r];
      row.Byte = static_cast<std::size_t>(static_cast<long long>(row.Byte) + delta);
      row.Reach = static_cast<std::size_t>(static_cast<long long>(row.Reach) + delta);
      row.Start += dChar;
      row.Line += dLine;
    }
  }
  int common = std::min(end - r0, static_cast<int>(fresh.size()));
  std::copy(fresh.begin(), fresh.begin() + common, FRows.begin() + r0);
  if (common < end - r0) FRows.erase(FRows.begin() + r0 + common, FRows.begin() + end);
  else FRows.insert(FRows.begin() + end, fresh.begin() + common, fresh.end());
  if (removedMax >= FMaxWidth && freshMax < FMaxWidth) MeasureMaxWidth();
  else FMaxWidth = std::max(FMaxWidth, freshMax);
  return lines;
}

int TMemoRows::RowOf(int Index) const {
  auto it = std::upper_bound(FRows.begin(), FRows.end(), Index, [](int v, const TRow& r) { return v < r.Start; });
  return std::max(static_cast<int>(it - FRows.begin()) - 1, 0);
}

int TMemoRows::RowOfByte(std::size_t Byte) const {
  auto it = std::upper_bound(FRows.begin(), FRows.end(), Byte,
                             [](std::size_t v, const TRow& r) { return v < r.Byte; });
  return std::max(static_cast<int>(it - FRows.begin()) - 1, 0);
}

std::size_t TMemoRows::ByteOf(std::string_view Text, int Index) const {
  Index = std::clamp(Index, 0, Length());
  const TRow& r = FRows[static_cast<std::size_t>(RowOf(Index))];
  int k = Index - r.Start;
  if (k >= r.Length) return r.Byte + r.Bytes + static_cast<std::size_t>(k - r.Length);  // within a line break
  if (r.Bytes == static_cast<std::size_t>(r.Length)) return r.Byte + static_cast<std::size_t>(k);
  std::size_t b = r.Byte;
  for (; k > 0; --k) b += Utf8CharLength(Text, b);
  return b;
}

std::string TMemoRows::LineText(std::string_view Text, int Line) const {
  auto first = std::lower_bound(FRows.begin(), FRows.end(), Line, [](const TRow& r, int v) { return r.Line < v; });
  auto last = first;
  while (last->Soft) ++last;
  return std::string(Text.substr(first->Byte, last->Byte + last->Bytes - first->Byte));
}
