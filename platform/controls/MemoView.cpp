// TCustomMemo: rows as shown (word wrap), vertical and horizontal scrolling with the
// scroll bars and the wheel, the caret, and drawing.
#include "platform/controls/StdCtrls.h"

#include "platform/controls/MaskUtils.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace {
bool IsBreak(const std::string& c) { return c == "\r" || c == "\n"; }

// Ideographs and their punctuation may be broken between any two of them.
bool IsIdeographic(const std::string& c) {
  char32_t cp = Utf8Decode(c, 0);
  return (cp >= 0x2E80 && cp <= 0x9FFF) || (cp >= 0xAC00 && cp <= 0xD7AF) || (cp >= 0xF900 && cp <= 0xFAFF) ||
         (cp >= 0xFF00 && cp <= 0xFFEF) || cp >= 0x20000;
}

// A row may start at character k of a paragraph.
bool CanBreakBefore(const std::vector<std::string>& Chars, int K) {
  return Chars[K - 1] == " " || Chars[K - 1] == "\t" || IsIdeographic(Chars[K - 1]) || IsIdeographic(Chars[K]);
}

int Avail(const win::RECT& R) { return std::max<int>(R.right - R.left - 1, 1); }
}  // namespace

TCustomMemo::TRowLayout TCustomMemo::Layout() {
  TRowLayout L;
  L.Chars = Utf8Chars(FText);
  const std::vector<std::string>& chars = L.Chars;
  int n = static_cast<int>(chars.size());
  int avail = Avail(EditRect());
  for (int i = 0;;) {
    int start = i;
    while (i < n && !IsBreak(chars[i])) ++i;
    int end = i;
    std::vector<std::string> para(chars.begin() + start, chars.begin() + end);
    std::vector<int> offs = CharOffsets(para);
    for (int a = 0;;) {
      if (!FWordWrap || offs[end - start] - offs[a] <= avail) {
        L.Rows.push_back({start + a, end - start - a, false});
        L.MaxWidth = std::max(L.MaxWidth, offs[end - start] - offs[a]);
        break;
      }
      // The longest part that fits (one character at least), cut where a row may start.
      int b = a + 1;
      while (b < end - start && offs[b + 1] - offs[a] <= avail) ++b;
      if (b >= end - start) {  // one character wider than the view
        L.Rows.push_back({start + a, end - start - a, false});
        L.MaxWidth = std::max(L.MaxWidth, offs[end - start] - offs[a]);
        break;
      }
      int cut = b;
      if (para[b] != " ") {
        while (cut > a + 1 && !CanBreakBefore(para, cut)) --cut;
        if (cut == a + 1 && !CanBreakBefore(para, cut)) cut = b;
      }
      // Spaces at the cut stay with the row they end.
      while (cut < end - start && para[cut] == " ") ++cut;
      L.Rows.push_back({start + a, cut - a, cut < end - start});
      L.MaxWidth = std::max(L.MaxWidth, std::min(offs[cut] - offs[a], avail));
      if (cut >= end - start) break;
      a = cut;
    }
    if (i >= n) break;
    i += (chars[i] == "\r" && i + 1 < n && chars[i + 1] == "\n") ? 2 : 1;
  }
  return L;
}

int TCustomMemo::RowOf(const TRowLayout& L, int Index) {
  auto it = std::upper_bound(L.Rows.begin(), L.Rows.end(), Index,
                             [](int v, const TRow& r) { return v < r.Start; });
  return std::max(static_cast<int>(it - L.Rows.begin()) - 1, 0);
}

int TCustomMemo::RowCount() { return static_cast<int>(Layout().Rows.size()); }

int TCustomMemo::VisibleRows() {
  win::RECT r = EditRect();
  return std::max<int>((r.bottom - r.top) / LineHeight(), 1);
}

int TCustomMemo::RowLeft(int W) {
  win::RECT r = EditRect();
  int left = r.left;
  TAlignment a = TextAlignment();
  int avail = Avail(r);
  if (W < avail && a != taLeftJustify) left += a == taRightJustify ? avail - W : (avail - W) / 2;
  return left - FScrollX;
}

int TCustomMemo::PosInRow(const TRowLayout& L, int Row, int X) {
  const TRow& row = L.Rows[Row];
  std::vector<std::string> chars(L.Chars.begin() + row.Start, L.Chars.begin() + row.Start + row.Length);
  std::vector<int> offs = CharOffsets(chars);
  int x = X - RowLeft(offs.back());
  int k = 0, n = row.Length;
  while (k < n && x >= (offs[k] + offs[k + 1] + 1) / 2) ++k;
  // The end of a wrapped row is the start of the next one: stay before its last space.
  if (row.Soft && k == n && n > 0 && chars[n - 1] == " ") --k;
  return row.Start + k;
}

void TCustomMemo::ScrollCaret() {
  if (!FHandle) return;  // placed when the window is made
  TRowLayout L = Layout();
  int caret = std::clamp(CaretIndex(), 0, static_cast<int>(L.Chars.size()));
  int row = RowOf(L, caret);
  int rows = static_cast<int>(L.Rows.size()), vis = VisibleRows();
  int top = FTopRow;
  if (row < top) top = row;
  else if (row >= top + vis) top = row - vis + 1;
  top = std::clamp(top, 0, std::max(rows - vis, 0));
  int x = 0;
  if (!FWordWrap) {
    const TRow& r = L.Rows[row];
    std::vector<std::string> chars(L.Chars.begin() + r.Start, L.Chars.begin() + caret);
    int cx = CharOffsets(chars).back();
    int avail = Avail(EditRect());
    x = FScrollX;
    if (cx < x) x = cx;
    else if (cx > x + avail) x = cx - avail;
    x = std::clamp(x, 0, std::max(L.MaxWidth - avail, 0));
  }
  if (top != FTopRow || x != FScrollX) {
    FTopRow = top;
    FScrollX = x;
    Invalidate();
  }
  UpdateScrollBars(L);
}

win::POINT TCustomMemo::CaretPoint() {
  TRowLayout L = Layout();
  int caret = std::clamp(CaretIndex(), 0, static_cast<int>(L.Chars.size()));
  int row = RowOf(L, caret);
  const TRow& r = L.Rows[row];
  std::vector<std::string> chars(L.Chars.begin() + r.Start, L.Chars.begin() + r.Start + r.Length);
  std::vector<int> offs = CharOffsets(chars);
  int k = std::clamp(caret - r.Start, 0, r.Length);
  return {RowLeft(offs.back()) + offs[k], EditRect().top + (row - FTopRow) * LineHeight()};
}

int TCustomMemo::CharFromPoint(int X, int Y) {
  TRowLayout L = Layout();
  int dy = Y - EditRect().top;
  int lineH = LineHeight();
  int row = FTopRow + (dy < 0 ? (dy - lineH + 1) / lineH : dy / lineH);
  return PosInRow(L, std::clamp(row, 0, static_cast<int>(L.Rows.size()) - 1), X);
}

void TCustomMemo::ScrollTo(int TopRow, int ScrollX) {
  TRowLayout L = Layout();
  int avail = Avail(EditRect());
  TopRow = std::clamp(TopRow, 0, std::max(static_cast<int>(L.Rows.size()) - VisibleRows(), 0));
  ScrollX = FWordWrap ? 0 : std::clamp(ScrollX, 0, std::max(L.MaxWidth - avail, 0));
  if (TopRow != FTopRow || ScrollX != FScrollX) {
    FTopRow = TopRow;
    FScrollX = ScrollX;
    Invalidate();
    if (FHandle && Focused()) {
      win::POINT p = CaretPoint();
      win::SetCaretPos(p.x, p.y);
    }
  }
  UpdateScrollBars(L);
}

void TCustomMemo::UpdateScrollBars(const TRowLayout& L) {
  if (!FHandle) return;
  win::SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS | win::SIF_DISABLENOSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
    si.nMin = 0;
    si.nMax = std::max(static_cast<int>(L.Rows.size()) - 1, 0);
    si.nPage = static_cast<win::UINT>(VisibleRows());
    si.nPos = FTopRow;
    win::SetScrollInfo(FHandle, win::SB_VERT, &si, true);
  }
  if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap) {
    int avail = Avail(EditRect());
    si.nMin = 0;
    si.nMax = std::max(L.MaxWidth, avail) - 1;
    si.nPage = static_cast<win::UINT>(avail);
    si.nPos = FScrollX;
    win::SetScrollInfo(FHandle, win::SB_HORZ, &si, true);
  }
}

void TCustomMemo::CreateWnd() {
  FTopRow = 0;
  TCustomEdit::CreateWnd();
}

void TCustomMemo::ScrollMessage(TMessage& Message, bool Vertical) {
  using namespace win;
  int page = Vertical ? VisibleRows() : Avail(EditRect());
  int line = Vertical ? 1 : std::max(LineHeight() / 2, 1);
  int pos = Vertical ? FTopRow : FScrollX;
  switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = static_cast<short>(HIWORD(Message.WParam)); break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = 1 << 30; break;
    default: return;
  }
  if (Vertical) ScrollTo(pos, FScrollX);
  else ScrollTo(FTopRow, pos);
  Message.Result = 0;
}

bool TCustomMemo::DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) {
  if (TCustomEdit::DoMouseWheelDown(Shift, MousePos)) return true;
  win::UINT lines = 3;
  win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ScrollTo(FTopRow + static_cast<int>(lines), FScrollX);
  return true;
}

bool TCustomMemo::DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) {
  if (TCustomEdit::DoMouseWheelUp(Shift, MousePos)) return true;
  win::UINT lines = 3;
  win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ScrollTo(FTopRow - static_cast<int>(lines), FScrollX);
  return true;
}

// The messages about rows and scrolling. Returns true when handled.
bool TCustomMemo::MemoViewMessage(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (Message.LParam) return false;  // a scroll-bar control's, reflected to it
      ScrollMessage(Message, Message.Msg == WM_VSCROLL);
      return true;
    case EM_LINESCROLL: {
      TEXTMETRIC tm{};
      HDC dc = GetDC(FHandle);
      SelectObject(dc, FFont->Handle());
      GetTextMetrics(dc, &tm);
      ReleaseDC(FHandle, dc);
      ScrollTo(FTopRow + static_cast<int>(Message.LParam),
               FScrollX + static_cast<int>(static_cast<std::intptr_t>(Message.WParam)) * tm.tmAveCharWidth);
      Message.Result = 1;
      return true;
    }
    case EM_GETFIRSTVISIBLELINE: Message.Result = FTopRow; return true;
    case EM_GETLINECOUNT: Message.Result = RowCount(); return true;
    case EM_LINEFROMCHAR: {
      int index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
      Message.Result = RowOf(Layout(), index < 0 ? CaretIndex() : index);
      return true;
    }
    case EM_LINEINDEX: {
      TRowLayout L = Layout();
      int row = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
      if (row < 0) row = RowOf(L, CaretIndex());
      Message.Result = row < static_cast<int>(L.Rows.size()) ? L.Rows[row].Start : -1;
      return true;
    }
    case EM_LINELENGTH: {
      TRowLayout L = Layout();
      int index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
      Message.Result = L.Rows[RowOf(L, index < 0 ? CaretIndex() : index)].Length;
      return true;
    }
    default: return false;
  }
}

void TCustomMemo::PaintEdit(win::HDC DC) {
  win::RECT cr = ClientRect();
  win::HBRUSH bg = win::CreateSolidBrush(ColorToRGB(FColor));
  win::FillRect(DC, &cr, bg);
  win::DeleteObject(bg);
  TRowLayout L = Layout();
  win::RECT r = EditRect();
  int lineH = LineHeight();
  win::SelectObject(DC, FFont->Handle());
  win::SetBkMode(DC, win::TRANSPARENT);
  int saved = win::SaveDC(DC);
  win::IntersectClipRect(DC, r.left, r.top, r.right, r.bottom);
  int y = r.top;
  for (int i = FTopRow; i < static_cast<int>(L.Rows.size()) && y < r.bottom; ++i, y += lineH) {
    const TRow& row = L.Rows[i];
    std::vector<std::string> chars(L.Chars.begin() + row.Start, L.Chars.begin() + row.Start + row.Length);
    std::vector<int> offs = CharOffsets(chars);
    PaintLine(DC, chars, offs, row.Start, RowLeft(offs.back()), y, r);
  }
  win::RestoreDC(DC, saved);
}
