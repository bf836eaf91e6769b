// TCustomEdit: where the text shows: formatting rectangle, horizontal scrolling, the
// caret, drawing with the selection, and selecting with the mouse.
#include "platform/controls/StdCtrls.h"

#include "platform/controls/CharWidths.h"
#include "platform/controls/MaskUtils.h"
#include "platform/controls/MemoRows.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <cstring>

namespace {
// The boundary of Offsets nearest to X.
int NearestBoundary(const std::vector<int>& Offsets, int X) {
  int n = static_cast<int>(Offsets.size()) - 1;
  for (int k = 0; k < n; ++k)
    if (X < (Offsets[k] + Offsets[k + 1] + 1) / 2) return k;
  return std::max(n, 0);
}
}  // namespace

win::RECT TCustomEdit::EditRect() const {
  if (FHasEditRect) return FEditRect;
  win::RECT r = ClientRect();
  int left = r.left + FLeftMargin;
  return {left, r.top + 1, std::max<int>(left, r.right - FRightMargin), std::max(r.top + 1, r.bottom - 1)};
}

std::string TCustomEdit::ShownText() const {
  std::string shown = DisplayText();
  if (FPasswordChar.empty()) return shown;
  std::string masked;
  for (size_t i = 0, n = Utf8Length(shown); i < n; ++i) masked += FPasswordChar;
  return masked;
}

TAlignment TCustomEdit::TextAlignment() const {
  // The window's own alignment is what shows.
  if (FEditStyle & win::ES_RIGHT) return taRightJustify;
  if (FEditStyle & win::ES_CENTER) return taCenter;
  TAlignment a = GetControlsAlignment();
  if (UseRightToLeftAlignment()) ChangeBiDiModeAlignment(a);
  return a;
}

TCharWidths& TCustomEdit::Widths() const {
  if (!FWidths) FWidths = std::make_unique<TCharWidths>();
  FWidths->Use(FFont.get());
  return *FWidths;
}

int TCustomEdit::LineHeight() const { return Widths().LineHeight(); }

std::vector<int> TCustomEdit::CharOffsets(const std::vector<std::string>& Chars) const {
  TCharWidths& w = Widths();
  std::vector<int> offsets(Chars.size() + 1, 0);
  for (size_t i = 0; i < Chars.size(); ++i) offsets[i + 1] = w.Advance(offsets[i], Chars[i]);
  return offsets;
}

TLineExtents& TCustomEdit::MeasuredLine(std::string_view Shown) const {
  if (!FLine) FLine = std::make_unique<TLineExtents>();
  FLine->Measure(Shown, Widths());
  return *FLine;
}

void TCustomEdit::ShownExtent(int Index, int& At, int& Width) const {
  const TLineExtents& line = MeasuredLine(ShownText());
  Width = line.Width();
  At = line.XOf(Index, Widths());
}

namespace {
// Where a line of width W starts within a formatting rectangle, before scrolling: the
// whole line aligned when it fits (one pixel kept for the caret), else from the left.
int AlignedLeft(const win::RECT& R, int W, TAlignment A) {
  int avail = std::max<int>(R.right - R.left - 1, 0);
  if (W >= avail || A == taLeftJustify) return R.left;
  return R.left + (A == taRightJustify ? avail - W : (avail - W) / 2);
}

int SingleLineTop(const win::RECT& R, int LineH, bool Explicit) {
  return Explicit ? R.top : R.top + (R.bottom - R.top - LineH) / 2;
}
}  // namespace

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  win::DWORD style = static_cast<win::DWORD>(win::GetWindowLong(FHandle, win::GWL_STYLE));
  FEditStyle = style & (win::ES_RIGHT | win::ES_CENTER | win::ES_WANTRETURN);
  bool multi = (style & win::ES_MULTILINE) != 0, wrap = multi && !(style & win::ES_AUTOHSCROLL);
  if (multi != FMultiLine || wrap != FWrapRows) FRows->Invalidate();
  FMultiLine = multi;
  FWrapRows = wrap;
  FScrollX = 0;
  FTopRow = 0;
  UpdateCaret();
}

void TCustomEdit::ScrollCaret() {
  if (!FHandle) return;  // placed when the window is made
  if (FMultiLine) {
    ScrollRowsCaret();
    return;
  }
  int caret = 0, width = 0;
  ShownExtent(CaretIndex(), caret, width);
  ScrollLineTo(caret, width);
}

void TCustomEdit::ScrollLineTo(int Caret, int Width) {
  win::RECT r = EditRect();
  int avail = std::max<int>(r.right - r.left - 1, 0);
  int x = FScrollX;
  if (Caret < x) x = Caret;
  else if (Caret > x + avail) x = Caret - avail;
  x = std::clamp(x, 0, std::max(Width - avail, 0));
  if (x != FScrollX) {
    FScrollX = x;
    Invalidate();
  }
}

win::POINT TCustomEdit::LineCaretPoint(int Caret, int Width) const {
  win::RECT r = EditRect();
  return {AlignedLeft(r, Width, TextAlignment()) - FScrollX + Caret, SingleLineTop(r, LineHeight(), FHasEditRect)};
}

win::POINT TCustomEdit::CaretPoint() {
  if (FMultiLine) return RowsCaretPoint();
  int caret = 0, width = 0;
  ShownExtent(CaretIndex(), caret, width);
  return LineCaretPoint(caret, width);
}

int TCustomEdit::CharFromPoint(int X, int Y) {
  if (FMultiLine) return RowsCharFromPoint(X, Y);
  std::vector<int> offs = CharOffsets(Utf8Chars(ShownText()));
  int left = AlignedLeft(EditRect(), offs.back(), TextAlignment()) - FScrollX;
  return NearestBoundary(offs, X - left);
}

void TCustomEdit::UpdateCaret() {
  if (!FMultiLine) {
    // One measuring of the line serves the scrolling and the caret.
    if (!FHandle) return;
    int caret = 0, width = 0;
    ShownExtent(CaretIndex(), caret, width);
    ScrollLineTo(caret, width);
    if (!Focused()) return;
    win::POINT p = LineCaretPoint(caret, width);
    win::SetCaretPos(p.x, p.y);
    return;
  }
  ScrollCaret();
  if (!FHandle || !Focused()) return;
  win::POINT p = CaretPoint();
  win::SetCaretPos(p.x, p.y);
}

void TCustomEdit::MoveCaret(int Pos, bool Extend) {
  Pos = std::clamp(Pos, 0, TextLength());
  if (Extend) {
    int anchor = FCaretAtStart ? FSelStart + FSelLength : FSelStart;
    FSelStart = std::min(anchor, Pos);
    FSelLength = std::abs(Pos - anchor);
    FCaretAtStart = Pos < anchor;
  } else {
    FSelStart = Pos;
    FSelLength = 0;
    FCaretAtStart = false;
  }
  Invalidate();
  UpdateCaret();
}

void TCustomEdit::PaintLine(win::HDC DC, const std::vector<std::string>& Chars, const std::vector<int>& Offsets,
                            int From, int X, int Y, const win::RECT& Clip) {
  int n = static_cast<int>(Chars.size());
  int lineH = LineHeight();
  bool showSel = FSelLength > 0 && (Focused() || !FHideSelection);
  int selA = showSel ? FSelStart - From : n, selB = showSel ? FSelStart + FSelLength - From : n;
  // Only the characters that show in Clip are drawn.
  int first = 0, last = n;
  while (first < n && X + Offsets[first + 1] <= Clip.left) ++first;
  while (last > first && X + Offsets[last - 1] >= Clip.right) --last;
  win::UINT fmt = win::DT_LEFT | win::DT_SINGLELINE | win::DT_NOPREFIX | win::DT_NOCLIP |
                  DrawTextBiDiModeFlagsReadingOnly();
  win::COLORREF normal = ColorToRGB(FEnabled ? FFont->Color() : clGrayText);
  for (int a = first; a < last;) {
    bool selected = a >= selA && a < selB;
    int b = a;
    // A run ends at a selection edge and around a tab, which only advances.
    while (b < last && (b >= selA && b < selB) == selected && Chars[b] != "\t") ++b;
    if (b == a) b = a + 1;
    win::RECT rr{X + Offsets[a], Y, X + Offsets[b], Y + lineH};
    if (selected) {
      win::HBRUSH br = win::CreateSolidBrush(ColorToRGB(clHighlight));
      win::FillRect(DC, &rr, br);
      win::DeleteObject(br);
    }
    if (Chars[a] != "\t") {
      std::string run;
      for (int k = a; k < b; ++k) run += Chars[k];
      win::SetTextColor(DC, selected ? ColorToRGB(clHighlightText) : normal);
      win::DrawText(DC, run.c_str(), static_cast<int>(run.size()), &rr, fmt);
    }
    a = b;
  }
}

void TCustomEdit::PaintEdit(win::HDC DC) {
  if (FMultiLine) {
    PaintRows(DC);
    return;
  }
  win::RECT cr = ClientRect();
  win::HBRUSH bg = win::CreateSolidBrush(ColorToRGB(FColor));
  win::FillRect(DC, &cr, bg);
  win::DeleteObject(bg);
  win::RECT r = EditRect();
  const std::string Shown = ShownText();
  const std::string_view S = Shown;
  const TLineExtents& line = MeasuredLine(S);
  const int left = AlignedLeft(r, line.Width(), TextAlignment()) - FScrollX;
  // Only the characters that show are taken apart and drawn, from the mark before the
  // first of them: a long text scrolled to its end costs a short walk.
  TCharWidths& w = Widths();
  const TCharWidths::TScan mark = line.MarkBefore(r.left - left);
  std::vector<std::string> chars;
  std::vector<int> offs{0};
  int from = mark.Chars, base = mark.X, x = mark.X;
  for (std::size_t b = mark.Pos; b < S.size() && left + x < r.right;) {
    const std::size_t next = static_cast<unsigned char>(S[b]) < 0x80 ? b + 1 : Utf8NextChar(S, b);
    const int end = w.Advance(x, S.substr(b, next - b));
    if (left + end <= r.left && chars.empty()) {
      ++from;
      base = end;
    } else {
      chars.emplace_back(S.substr(b, next - b));
      offs.push_back(end - base);
    }
    x = end;
    b = next;
  }
  win::SelectObject(DC, FFont->Handle());
  win::SetBkMode(DC, win::TRANSPARENT);
  int saved = win::SaveDC(DC);
  win::IntersectClipRect(DC, r.left, r.top, r.right, r.bottom);
  PaintLine(DC, chars, offs, from, left + base, SingleLineTop(r, LineHeight(), FHasEditRect), r);
  win::RestoreDC(DC, saved);
}

bool TCustomEdit::EditViewMessage(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MoveCaret(CharFromPoint(Message.XPos(), Message.YPos()), (Message.WParam & MK_SHIFT) != 0);
      FMouseSelecting = true;
      return false;
    case WM_MOUSEMOVE:
      if (FMouseSelecting && (Message.WParam & MK_LBUTTON))
        MoveCaret(CharFromPoint(Message.XPos(), Message.YPos()), true);
      return false;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
      FMouseSelecting = false;
      return false;
    case WM_SIZE:
    case CM_FONTCHANGED:
      TWinControl::Dispatch(Message);
      UpdateCaret();
      Invalidate();
      return true;
    case EM_GETRECT:
      if (Message.LParam) *reinterpret_cast<RECT*>(Message.LParam) = EditRect();
      return true;
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (Message.LParam) {
        FEditRect = *reinterpret_cast<const RECT*>(Message.LParam);
        FHasEditRect = true;
      } else {
        FHasEditRect = false;
      }
      UpdateCaret();
      Invalidate();
      return true;
    case EM_SCROLLCARET:
      UpdateCaret();
      Message.Result = 1;
      return true;
    default: return false;
  }
}

std::size_t TCustomEdit::CopyToLineBuffer(std::string_view Line, win::LPARAM Buffer) {
  if (!Buffer) return 0;
  char* out = reinterpret_cast<char*>(Buffer);
  win::WORD size = 0;
  std::memcpy(&size, out, sizeof(size));
  std::size_t n = std::min<std::size_t>(Line.size(), size);
  std::memcpy(out, Line.data(), n);
  return n;
}

bool TCustomEdit::EditLineMessage(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case EM_SETMARGINS: {
      auto margin = [&](WORD Value) { return Value == WORD(EC_USEFONTINFO) ? 2 : static_cast<int>(Value); };
      if (Message.WParam & EC_LEFTMARGIN) FLeftMargin = margin(LOWORD(Message.LParam));
      if (Message.WParam & EC_RIGHTMARGIN) FRightMargin = margin(HIWORD(Message.LParam));
      UpdateCaret();
      Invalidate();
      return true;
    }
    case EM_GETMARGINS:
      Message.Result = MAKELONG(static_cast<WORD>(FLeftMargin), static_cast<WORD>(FRightMargin));
      return true;
    case WM_SETTEXT: {
      // Text set through the window becomes the edit's text, telling the parent.
      std::string v = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
      if (v == FText) return false;
      SetText(v);
      Message.Result = TRUE;
      return true;
    }
    default: break;
  }
  if (FMultiLine) return false;
  // A single-line edit is one line.
  switch (Message.Msg) {
    case EM_GETLINECOUNT: Message.Result = 1; return true;
    case EM_LINEFROMCHAR: Message.Result = 0; return true;
    case EM_LINEINDEX: {
      auto line = static_cast<std::intptr_t>(Message.WParam);
      Message.Result = line == 0 || line == -1 ? 0 : -1;
      return true;
    }
    case EM_LINELENGTH: Message.Result = TextLength(); return true;
    case EM_GETLINE:
      Message.Result = Message.WParam == 0 ? static_cast<LRESULT>(CopyToLineBuffer(FText, Message.LParam)) : 0;
      return true;
    default: return false;
  }
}
