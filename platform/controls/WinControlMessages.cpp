// TWinControl: message dispatch, mouse routing to windowless children, painting.
#include "platform/controls/WinControl.h"

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/ScopeExit.h"

namespace {
TControl* gHoverControl = nullptr;
}  // namespace

void ForgetHoverControl(TControl* Control) {
  if (gHoverControl == Control) gHoverControl = nullptr;
}

namespace {

// Paints the window through the device context a message brings, or else through one
// clipped to the window's invalid part, which it validates (the background erased first
// when Erase is set and the invalidation asked for it).
void PaintThrough(TMessage& Message, win::HWND h, bool Erase, const std::function<void(win::HDC)>& Paint) {
  if (win::HDC dc = reinterpret_cast<win::HDC>(Message.WParam)) {
    Paint(dc);
    return;
  }
  if (!Erase) win::RedrawWindow(h, nullptr, nullptr, win::RDW_NOERASE | win::RDW_NOCHILDREN);
  win::PAINTSTRUCT ps{};
  win::HDC dc = win::BeginPaint(h, &ps);
  if (!dc) return;
  auto guard = AtScopeExit([&] { win::EndPaint(h, &ps); });
  Paint(dc);
}
}  // namespace

void TWinControl::WndProc(TMessage& Message) {
  using namespace win;
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL) {
    if (Message.Msg == WM_MOUSEMOVE) UpdateMouseHover(Message);
    if (IsControlMouseMsg(Message)) return;
    if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && FTabStop &&
        !Focused() && CanFocus() && !ComponentState().Contains(csDesigning)) {
      SetFocus();
      // A control may pass the focus on to a window of its own (a grid to its editor).
      const HWND Now = GetFocus();
      if (!Now || (Now != FHandle && !IsChild(FHandle, Now))) return;
    }
  }
  TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
      if (FPopupWindow) {
        Message.Result = MA_NOACTIVATE;
        return;
      }
      TControl::Dispatch(Message);
      return;
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_MOVE: WMMove(Message); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: WMKeyDown(Message); return;
    case WM_KEYUP: case WM_SYSKEYUP: WMKeyUp(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case WM_COMMAND: WMCommand(Message); return;
    case WM_HSCROLL: case WM_VSCROLL: case WM_DRAWITEM: WMNotifyReflect(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    case WM_DESTROY: WMDestroy(Message); return;
    case CM_ENTER: CMEnter(Message); return;
    case CM_EXIT: CMExit(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChangedWin(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChangedWin(Message); return;
    case CM_FONTCHANGED: CMFontChangedWin(Message); return;
    case CM_COLORCHANGED: CMColorChangedWin(Message); return;
    case CM_RECREATEWND: CMRecreateWnd(Message); return;
    case CM_SYSCOLORCHANGE: CMSysColorChange(Message); return;
    case CM_CANCELMODE: CMCancelMode(Message); return;
    case CM_CTL3DCHANGED: NotifyControls(CM_PARENTCTL3DCHANGED); return;
    case CM_SHOWHINTCHANGED: NotifyControls(CM_PARENTSHOWHINTCHANGED); return;
    case CM_BIDIMODECHANGED:
      if (SysLocale.MiddleEast) RecreateWnd();
      NotifyControls(CM_PARENTBIDIMODECHANGED);
      return;
    case CM_PARENTCTL3DCHANGED:
      if (FParentCtl3D && FParent && FCtl3D != FParent->Ctl3D()) {
        FCtl3D = FParent->Ctl3D();
        Perform(CM_CTL3DCHANGED, 0, 0);
      }
      return;
    case WM_SYSCOLORCHANGE: Perform(CM_SYSCOLORCHANGE, 0, 0); DefaultHandler(Message); return;
    default: TControl::Dispatch(Message);
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (FHandle) {
    // A context menu request nobody answered goes up to the parent control.
    if (Message.Msg == win::WM_CONTEXTMENU) {
      Message.Result = FParent ? FParent->Perform(Message.Msg, Message.WParam, Message.LParam) : 0;
      return;
    }
    Message.Result = win::CallWindowProc(FDefWndProc ? FDefWndProc : &win::DefWindowProcA, FHandle,
                                         Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TControl::DefaultHandler(Message);
}

void TWinControl::WMDestroy(TMessage& Message) { DefaultHandler(Message); }

// Forwards a mouse message to the windowless child under the pointer or holding
// the capture.
bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* target = nullptr;
  TControl* cap = GetCaptureControl();
  win::POINT p{Message.XPos(), Message.YPos()};
  if (cap && cap != this) {
    if (cap->Parent() == this && !dynamic_cast<TWinControl*>(cap)) target = cap;
    else return false;
  } else if (!cap || cap == this) {
    if (cap == this) return false;
    target = ControlAtPos(p, false);
  }
  if (!target) return false;
  win::LPARAM lp = win::MAKELPARAM(static_cast<win::WORD>(p.x - target->Left()), static_cast<win::WORD>(p.y - target->Top()));
  Message.Result = target->Perform(Message.Msg, Message.WParam, lp);
  return true;
}

void TWinControl::UpdateMouseHover(TMessage& Message) {
  TControl* c = ControlAtPos({Message.XPos(), Message.YPos()}, false);
  if (!c) c = this;
  if (c == gHoverControl) return;
  TControl* old = gHoverControl;
  gHoverControl = c;
  if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
  c->Perform(CM_MOUSEENTER, 0, 0);
}

void TWinControl::WMSetCursor(TMessage& Message) {
  if (win::LOWORD(static_cast<std::uintptr_t>(Message.LParam)) == win::HTCLIENT) {
    TCursor cur = crDefault;
    if (Screen && Screen->Cursor() != crDefault) cur = Screen->Cursor();
    else {
      win::POINT p;
      win::GetCursorPos(&p);
      p = ScreenToClient(p);
      TControl* c = ControlAtPos(p, false);
      cur = c ? c->Cursor() : FCursor;
    }
    if (cur != crDefault && Screen) {
      win::SetCursor(Screen->Cursors(cur));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

// The wheel goes to the focused control and up its parents as CM_MOUSEWHEEL.
void TWinControl::WMMouseWheel(TMessage& Message) {
  Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

// Notifications from child windows go back to the child as CN_ messages.
void TWinControl::WMCommand(TMessage& Message) {
  win::HWND child = reinterpret_cast<win::HWND>(Message.LParam);
  if (TWinControl* c = child ? FindControl(child) : nullptr; c && c != this) {
    Message.Result = c->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  DefaultHandler(Message);
}

void TWinControl::WMNotifyReflect(TMessage& Message) {
  win::HWND child = reinterpret_cast<win::HWND>(Message.LParam);
  if (Message.Msg == win::WM_DRAWITEM) child = nullptr;
  if (TWinControl* c = child ? FindControl(child) : nullptr; c && c != this) {
    Message.Result = c->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  DefaultHandler(Message);
}

void TWinControl::WMPaint(TMessage& Message) { PaintHandler(Message); }

void TWinControl::PaintHandler(TMessage& Message) {
  PaintThrough(Message, FHandle, true, [this](win::HDC dc) {
    PaintWindow(dc);
    PaintControls(dc, nullptr);
  });
}

void TWinControl::PaintOwnWindow(TMessage& Message, const std::function<void(win::HDC)>& Paint) {
  PaintThrough(Message, FHandle, false, Paint);
}

void TWinControl::PaintWindow(win::HDC DC) {
  TMessage m{win::WM_PAINT, reinterpret_cast<win::WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(win::HDC DC, TControl* First) {
  bool started = First == nullptr;
  for (TControl* c : std::vector<TControl*>(FControls)) {
    if (!started) { started = c == First; if (!started) continue; }
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    int saved = win::SaveDC(DC);
    win::POINT org;
    win::GetViewportOrgEx(DC, &org);
    win::SetViewportOrgEx(DC, org.x + c->Left(), org.y + c->Top(), nullptr);
    win::IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(DC), 0);
    win::RestoreDC(DC, saved);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  win::HDC dc = reinterpret_cast<win::HDC>(Message.WParam);
  win::RECT r = ClientRect();
  win::HBRUSH b = win::CreateSolidBrush(ColorToRGB(FColor));
  win::FillRect(dc, &r, b);
  win::DeleteObject(b);
  Message.Result = 1;
}

void TWinControl::PaintTo(win::HDC DC, int X, int Y) {
  int saved = win::SaveDC(DC);
  win::SetViewportOrgEx(DC, X, Y, nullptr);
  win::IntersectClipRect(DC, 0, 0, FWidth, FHeight);
  Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(DC), 0);
  Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(DC), 0);
  win::RestoreDC(DC, saved);
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Visible()) w->PaintTo(DC, X + w->Left(), Y + w->Top());
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
  FCanvas = std::make_unique<TControlCanvas>();
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() = default;

namespace {
// Runs a control's Paint on its canvas lent the device context for the time.
template <class F>
void PaintOnCanvas(TCanvas* Canvas, win::HDC DC, F paint) {
  Canvas->Lock();
  auto guard = AtScopeExit([&] {
    Canvas->SetHandle(nullptr);
    Canvas->Unlock();
  });
  Canvas->SetHandle(DC);
  paint();
}
}  // namespace

void TCustomControl::PaintWindow(win::HDC DC) {
  PaintOnCanvas(FCanvas.get(), DC, [this] { Paint(); });
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
  FCanvas = std::make_unique<TControlCanvas>();
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_PAINT && Message.WParam) {
    PaintOnCanvas(FCanvas.get(), reinterpret_cast<win::HDC>(Message.WParam), [this] { Paint(); });
    return;
  }
  TControl::Dispatch(Message);
}
