// TScrollBar: a scroll bar control of its own: arrows, page areas and a thumb.
#include "platform/controls/ListBoxes.h"

#include "platform/desktop/Windows.h"

#include <algorithm>

namespace {
// Where the arrows, track and thumb lie in the bar's client area.
win::ScrollBarLayout LayoutOf(TScrollBar& bar) {
  return win::LayOutScrollBar(bar.ClientRect(), bar.Kind() == sbHorizontal, bar.Min(), bar.Max(),
                              static_cast<win::UINT>(bar.PageSize()), bar.Position());
}
}  // namespace

void TScrollBar::Publish(TClassBuilder<TScrollBar>& b) {
  b.Property("Kind", &TScrollBar::Kind, &TScrollBar::SetKind).Default(sbHorizontal);
  b.Property("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange).Default(1);
  b.Property("Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100);
  b.Property("Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0);
  b.Property("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0);
  b.Property("Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0);
  b.Property("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange).Default(1);
  b.Property("OnChange", &TScrollBar::OnChange, &TScrollBar::SetOnChange);
  b.Property("OnScroll", &TScrollBar::OnScroll, &TScrollBar::SetOnScroll);
}

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 121;
  FHeight = win::GetSystemMetrics(win::SM_CYHSCROLL);
  FTabStop = true;
  FControlStyle = {csFramed, csDoubleClicks, csCaptureMouse};
}

void TScrollBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW | win::CS_DBLCLKS);
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  win::SCROLLINFO si;
  si.fMask = win::SIF_ALL;
  si.nMin = FMin;
  si.nMax = FMax;
  si.nPage = static_cast<win::UINT>(FPageSize);
  si.nPos = FPosition;
  win::SetScrollInfo(FHandle, win::SB_CTL, &si, win::TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  if (!ComponentState().Contains(csLoading)) SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

void TScrollBar::SetPageSize(int Value) {
  if (Value < 0 || Value > FMax - FMin + 1) throw EInvalidOperation("Scroll bar property out of range");
  FPageSize = Value;
  Invalidate();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin || AMax < FPageSize) throw EInvalidOperation("Scroll bar property out of range");
  APosition = std::clamp(APosition, AMin, AMax);
  bool changed = APosition != FPosition;
  FMin = AMin;
  FMax = AMax;
  FPosition = APosition;
  if (FHandle) {
    win::SCROLLINFO si;
    si.fMask = win::SIF_RANGE | win::SIF_POS;
    si.nMin = FMin;
    si.nMax = FMax;
    si.nPos = FPosition;
    win::SetScrollInfo(FHandle, win::SB_CTL, &si, win::TRUE);
  }
  Invalidate();
  if (changed) Change();
}

void TScrollBar::Change() {
  Changed();
  if (FOnChange) FOnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
  if (FOnScroll) FOnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::DoScroll(TScrollCode Code, int Pos) {
  int pos = FPosition;
  int top = FMax - std::max(FPageSize - 1, 0);
  switch (Code) {
    case scLineUp: pos -= FSmallChange; break;
    case scLineDown: pos += FSmallChange; break;
    case scPageUp: pos -= FLargeChange; break;
    case scPageDown: pos += FLargeChange; break;
    case scPosition: case scTrack: pos = Pos; break;
    case scTop: pos = FMin; break;
    case scBottom: pos = top; break;
    case scEndScroll: break;
  }
  pos = std::clamp(pos, FMin, std::max(FMin, top));
  Scroll(Code, pos);
  SetPosition(pos);
}

void TScrollBar::Dispatch(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case CN_HSCROLL: case CN_VSCROLL:
      DoScroll(static_cast<TScrollCode>(LOWORD(Message.WParam)), static_cast<SHORT>(HIWORD(Message.WParam)));
      return;
    case WM_LBUTTONDOWN: {
      TWinControl::Dispatch(Message);
      bool h = FKind == sbHorizontal;
      int along = h ? Message.XPos() : Message.YPos();
      win::ScrollBarLayout l = LayoutOf(*this);
      if (along < (h ? l.Arrow1.right : l.Arrow1.bottom)) DoScroll(scLineUp, 0);
      else if (along >= (h ? l.Arrow2.left : l.Arrow2.top)) DoScroll(scLineDown, 0);
      else if (along < (h ? l.Thumb.left : l.Thumb.top)) DoScroll(scPageUp, 0);
      else if (along >= (h ? l.Thumb.right : l.Thumb.bottom)) DoScroll(scPageDown, 0);
      else if (l.Scrollable) {
        FDragging = true;
        FGrab = along - (h ? l.Thumb.left : l.Thumb.top);
      }
      return;
    }
    case WM_MOUSEMOVE:
      if (FDragging) {
        bool h = FKind == sbHorizontal;
        int along = h ? Message.XPos() : Message.YPos();
        win::ScrollBarLayout l = LayoutOf(*this);
        int thumb = h ? l.Thumb.right - l.Thumb.left : l.Thumb.bottom - l.Thumb.top;
        int room = std::max(1, (h ? l.Track.right - l.Track.left : l.Track.bottom - l.Track.top) - thumb);
        int top = std::max(FMin, FMax - std::max(FPageSize - 1, 0));
        int offset = std::clamp(along - FGrab - (h ? l.Track.left : l.Track.top), 0, room);
        DoScroll(scTrack, FMin + (offset * (top - FMin) + room / 2) / room);
      }
      break;
    case WM_LBUTTONUP:
      if (FDragging) {
        FDragging = false;
        DoScroll(scPosition, FPosition);
      }
      DoScroll(scEndScroll, FPosition);
      break;
    case WM_KEYDOWN:
      switch (Message.WParam) {
        case VK_LEFT: case VK_UP: DoScroll(scLineUp, 0); return;
        case VK_RIGHT: case VK_DOWN: DoScroll(scLineDown, 0); return;
        case VK_PRIOR: DoScroll(scPageUp, 0); return;
        case VK_NEXT: DoScroll(scPageDown, 0); return;
        case VK_HOME: DoScroll(scTop, 0); return;
        case VK_END: DoScroll(scBottom, 0); return;
        default: break;
      }
      break;
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case WM_PAINT: PaintOwnWindow(Message, [this](HDC dc) { Paint(dc); }); return;
    default: break;
  }
  TWinControl::Dispatch(Message);
}

void TScrollBar::Paint(win::HDC DC) {
  win::RECT r = ClientRect();
  win::HBRUSH b = win::CreateSolidBrush(ColorToRGB(clBtnFace));
  win::FillRect(DC, &r, b);
  win::DeleteObject(b);
  win::DrawScrollBar(DC, r, FKind == sbHorizontal, FMin, FMax, static_cast<win::UINT>(FPageSize), FPosition,
                     Enabled() ? 0 : win::ESB_DISABLE_BOTH);
}
