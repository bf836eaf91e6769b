// TCustomEdit in multi-line mode (the memo's view): rows as shown (word wrap), vertical and
// horizontal scrolling with the scroll bars and the wheel, the caret, and drawing.
#include "platform/controls/StdCtrls.h"

#include "platform/controls/CharWidths.h"
#include "platform/controls/MaskUtils.h"
#include "platform/controls/MemoRows.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <climits>

namespace {
int Avail(const win::RECT& R) { return std::max<int>(R.right - R.left - 1, 1); }
}  // namespace

const TMemoRows& TCustomEdit::Rows() {
  TCharWidths& widths = Widths();
  int avail = Avail(EditRect());
  if (!FRows->LaidOutFor(avail, FWrapRows, widths.Generation()))
    FRows->Build(FText, widths, avail, FWrapRows, widths.Generation());
  return *FRows;
}

int TCustomEdit::RowCount() { return Rows().Count(); }

int TCustomEdit::VisibleRows() {
  win::RECT r = EditRect();
  return std::max<int>((r.bottom - r.top) / LineHeight(), 1);
}

int TCustomEdit::RowLeft(int W) {
  win::RECT r = EditRect();
  int left = r.left;
  TAlignment a = TextAlignment();
  int avail = Avail(r);
  if (W < avail && a != taLeftJustify) left += a == taRightJustify ? avail - W : (avail - W) / 2;
  return left - FScrollX;
}

int TCustomEdit::RowOffset(int Row, int Chars) {
  const TMemoRows::TRow& r = Rows()[Row];
  TCharWidths::TScan scan{r.Byte, 0, 0};
  Widths().Scan(FText, scan, r.Byte + r.Bytes, Chars, INT_MAX);
  return scan.X;
}

int TCustomEdit::PosInRow(int Row, int X) {
  const TMemoRows::TRow r = Rows()[Row];
  TCharWidths& widths = Widths();
  std::string_view text = FText;
  int x = X - RowLeft(r.Width);
  int k = 0, left = 0;
  for (std::size_t b = r.Byte; k < r.Length; ++k) {
    std::size_t len = Utf8CharLength(text, b);
    int right = widths.Advance(left, text.substr(b, len));
    if (x < (left + right + 1) / 2) break;
    left = right;
    b += len;
  }
  // The end of a wrapped row is the start of the next one: stay before its last space.
  if (r.Soft && k == r.Length && k > 0 && text[r.Byte + r.Bytes - 1] == ' ') --k;
  return r.Start + k;
}

void TCustomEdit::ScrollRowsCaret() {
  const TMemoRows& L = Rows();
  int caret = std::clamp(CaretIndex(), 0, L.Length());
  int row = L.RowOf(caret);
  int rows = L.Count(), vis = VisibleRows();
  int top = FTopRow;
  if (row < top) top = row;
  else if (row >= top + vis) top = row - vis + 1;
  top = std::clamp(top, 0, std::max(rows - vis, 0));
  int x = 0;
  if (!FWrapRows) {
    int cx = RowOffset(row, caret - L[row].Start);
    int avail = Avail(EditRect());
    x = FScrollX;
    if (cx < x) x = cx;
    else if (cx > x + avail) x = cx - avail;
    x = std::clamp(x, 0, std::max(L.MaxWidth() - avail, 0));
  }
  if (top != FTopRow || x != FScrollX) {
    FTopRow = top;
    FScrollX = x;
    Invalidate();
  }
  UpdateScrollBars();
}

win::POINT TCustomEdit::RowsCaretPoint() {
  const TMemoRows& L = Rows();
  int caret = std::clamp(CaretIndex(), 0, L.Length());
  int row = L.RowOf(caret);
  const TMemoRows::TRow& r = L[row];
  int k = std::clamp(caret - r.Start, 0, r.Length);
  return {RowLeft(r.Width) + RowOffset(row, k), EditRect().top + (row - FTopRow) * LineHeight()};
}

int TCustomEdit::RowsCharFromPoint(int X, int Y) {
  int dy = Y - EditRect().top;
  int lineH = LineHeight();
  int row = FTopRow + (dy < 0 ? (dy - lineH + 1) / lineH : dy / lineH);
  return PosInRow(std::clamp(row, 0, Rows().Count() - 1), X);
}

void TCustomEdit::ScrollRowsTo(int TopRow, int ScrollX) {
  const TMemoRows& L = Rows();
  int avail = Avail(EditRect());
  TopRow = std::clamp(TopRow, 0, std::max(L.Count() - VisibleRows(), 0));
  ScrollX = FWrapRows ? 0 : std::clamp(ScrollX, 0, std::max(L.MaxWidth() - avail, 0));
  if (TopRow != FTopRow || ScrollX != FScrollX) {
    FTopRow = TopRow;
    FScrollX = ScrollX;
    Invalidate();
    if (FHandle && Focused()) {
      win::POINT p = CaretPoint();
      win::SetCaretPos(p.x, p.y);
    }
  }
  UpdateScrollBars();
}

void TCustomEdit::UpdateScrollBars() {
  if (!FHandle) return;
  win::LONG_PTR style = win::GetWindowLong(FHandle, win::GWL_STYLE);
  const TMemoRows& L = Rows();
  win::SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS | win::SIF_DISABLENOSCROLL;
  if (style & win::WS_VSCROLL) {
    si.nMin = 0;
    si.nMax = std::max(L.Count() - 1, 0);
    si.nPage = static_cast<win::UINT>(VisibleRows());
    si.nPos = FTopRow;
    win::SetScrollInfo(FHandle, win::SB_VERT, &si, true);
  }
  if ((style & win::WS_HSCROLL) && !FWrapRows) {
    int avail = Avail(EditRect());
    si.nMin = 0;
    si.nMax = std::max(L.MaxWidth(), avail) - 1;
    si.nPage = static_cast<win::UINT>(avail);
    si.nPos = FScrollX;
    win::SetScrollInfo(FHandle, win::SB_HORZ, &si, true);
  }
}

void TCustomEdit::ScrollMessage(TMessage& Message, bool Vertical) {
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
  if (Vertical) ScrollRowsTo(pos, FScrollX);
  else ScrollRowsTo(FTopRow, pos);
  Message.Result = 0;
}

bool TCustomEdit::DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) {
  if (TWinControl::DoMouseWheelDown(Shift, MousePos)) return true;
  if (!FMultiLine) return false;
  win::UINT lines = 3;
  win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ScrollRowsTo(FTopRow + static_cast<int>(lines), FScrollX);
  return true;
}

bool TCustomEdit::DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) {
  if (TWinControl::DoMouseWheelUp(Shift, MousePos)) return true;
  if (!FMultiLine) return false;
  win::UINT lines = 3;
  win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ScrollRowsTo(FTopRow - static_cast<int>(lines), FScrollX);
  return true;
}

// The messages about rows and scrolling. Returns true when handled.
bool TCustomEdit::RowsViewMessage(TMessage& Message) {
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
      ScrollRowsTo(FTopRow + static_cast<int>(Message.LParam),
               FScrollX + static_cast<int>(static_cast<std::intptr_t>(Message.WParam)) * tm.tmAveCharWidth);
      Message.Result = 1;
      return true;
    }
    case EM_GETFIRSTVISIBLELINE: Message.Result = FTopRow; return true;
    case EM_GETLINECOUNT: Message.Result = RowCount(); return true;
    case EM_LINEFROMCHAR: {
      int index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
      Message.Result = Rows().RowOf(index < 0 ? CaretIndex() : index);
      return true;
    }
    case EM_LINEINDEX: {
      const TMemoRows& L = Rows();
      int row = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
      if (row < 0) row = L.RowOf(CaretIndex());
      Message.Result = row < L.Count() ? L[row].Start : -1;
      return true;
    }
    case EM_LINELENGTH: {
      const TMemoRows& L = Rows();
      int index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
      Message.Result = L[L.RowOf(index < 0 ? CaretIndex() : index)].Length;
      return true;
    }
    case EM_GETLINE: {
      const TMemoRows& L = Rows();
      int row = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
      if (row < 0 || row >= L.Count()) {
        Message.Result = 0;
        return true;
      }
      Message.Result = static_cast<LRESULT>(CopyToLineBuffer(std::string_view(FText).substr(L[row].Byte, L[row].Bytes), Message.LParam));
      return true;
    }
    default: return false;
  }
}

void TCustomEdit::PaintRows(win::HDC DC) {
  win::RECT cr = ClientRect();
  win::HBRUSH bg = win::CreateSolidBrush(ColorToRGB(FColor));
  win::FillRect(DC, &cr, bg);
  win::DeleteObject(bg);
  const TMemoRows& L = Rows();
  TCharWidths& widths = Widths();
  std::string_view text = FText;
  win::RECT r = EditRect();
  int lineH = LineHeight();
  win::SelectObject(DC, FFont->Handle());
  win::SetBkMode(DC, win::TRANSPARENT);
  int saved = win::SaveDC(DC);
  win::IntersectClipRect(DC, r.left, r.top, r.right, r.bottom);
  std::vector<std::string> chars;
  std::vector<int> offs;
  int y = r.top;
  for (int i = FTopRow; i < L.Count() && y < r.bottom; ++i, y += lineH) {
    const TMemoRows::TRow& row = L[i];
    int left = RowLeft(row.Width);
    // Only the characters between the edges of the view.
    chars.clear();
    offs.clear();
    std::size_t end = row.Byte + row.Bytes;
    TCharWidths::TScan hidden{row.Byte, 0, 0};
    widths.Scan(text, hidden, end, INT_MAX, r.left - left);
    std::size_t b = hidden.Pos;
    offs.push_back(hidden.X);
    while (b < end && left + offs.back() < r.right) {
      std::size_t len = Utf8CharLength(text, b);
      chars.emplace_back(text.substr(b, len));
      offs.push_back(widths.Advance(offs.back(), chars.back()));
      b += len;
    }
    PaintLine(DC, chars, offs, row.Start + hidden.Chars, left, y, r);
  }
  win::RestoreDC(DC, saved);
}
