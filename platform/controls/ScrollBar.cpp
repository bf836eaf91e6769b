// TScrollBar: a scroll bar control of its own: arrows, page areas and a thumb.
#include "platform/controls/ListBoxes.h"

#include "platform/desktop/Windows.h"

#include <algorithm>

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
      int along = FKind == sbHorizontal ? Message.XPos() : Message.YPos();
      int length = FKind == sbHorizontal ? FWidth : FHeight;
      int arrow = FKind == sbHorizontal ? FHeight : FWidth;
      int range = std::max(1, FMax - FMin + 1);
      int track = std::max(0, length - 2 * arrow);
      int thumb = FPageSize > 0 ? std::max(8, track * FPageSize / range) : std::min(arrow, track);
      int thumbPos = arrow + (track - thumb) * (FPosition - FMin) / std::max(1, range - std::max(FPageSize, 1));
      if (along < arrow) DoScroll(scLineUp, 0);
      else if (along >= length - arrow) DoScroll(scLineDown, 0);
      else if (along < thumbPos) DoScroll(scPageUp, 0);
      else if (along >= thumbPos + thumb) DoScroll(scPageDown, 0);
      else FDragging = true;
      return;
    }
    case WM_MOUSEMOVE:
      if (FDragging) {
        int along = FKind == sbHorizontal ? Message.XPos() : Message.YPos();
        int length = FKind == sbHorizontal ? FWidth : FHeight;
        int arrow = FKind == sbHorizontal ? FHeight : FWidth;
        int track = std::max(1, length - 2 * arrow);
        DoScroll(scTrack, FMin + (along - arrow) * (FMax - FMin) / track);
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
  bool h = FKind == sbHorizontal;
  int arrow = h ? r.bottom : r.right;
  win::RECT a1 = h ? win::RECT{0, 0, arrow, r.bottom} : win::RECT{0, 0, r.right, arrow};
  win::RECT a2 = h ? win::RECT{r.right - arrow, 0, r.right, r.bottom} : win::RECT{0, r.bottom - arrow, r.right, r.bottom};
  win::DrawFrameControl(DC, &a1, win::DFC_SCROLL, h ? win::DFCS_SCROLLLEFT : win::DFCS_SCROLLUP);
  win::DrawFrameControl(DC, &a2, win::DFC_SCROLL, h ? win::DFCS_SCROLLRIGHT : win::DFCS_SCROLLDOWN);
  int length = h ? r.right : r.bottom;
  int range = std::max(1, FMax - FMin + 1);
  int track = std::max(0, length - 2 * arrow);
  int thumb = FPageSize > 0 ? std::max(8, track * FPageSize / range) : std::min(arrow, track);
  int pos = arrow + (track - thumb) * (FPosition - FMin) / std::max(1, range - std::max(FPageSize, 1));
  win::RECT t = h ? win::RECT{pos, 0, pos + thumb, r.bottom} : win::RECT{0, pos, r.right, pos + thumb};
  win::DrawEdge(DC, &t, win::EDGE_RAISED, win::BF_RECT | win::BF_MIDDLE);
}
