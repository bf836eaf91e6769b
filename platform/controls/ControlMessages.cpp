// TControl: message dispatch, mouse and wheel handling.
#include "platform/controls/Control.h"

#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/controls/WinControl.h"
#include "platform/desktop/Windows.h"

#include <cstdlib>

void ForgetControl(TControl* Control);

namespace {
TControl* gCaptureControl = nullptr;

// The wheel turns one notch per 120 units; the rest waits for the next message.
int gWheelAccumulator = 0;
}  // namespace

void ForgetHoverControl(TControl* Control);
void DragForgetControl(TControl* Control);

// A control being freed leaves no pointer to it behind.
void ForgetControl(TControl* Control) {
  if (gCaptureControl == Control) gCaptureControl = nullptr;
  ForgetHoverControl(Control);
  DragForgetControl(Control);
  if (Application) Application->ControlDestroyed(Control);
}

TControl* GetCaptureControl() {
  win::HWND h = win::GetCapture();
  if (!h) { gCaptureControl = nullptr; return nullptr; }
  if (gCaptureControl && gCaptureControl->Parent() && gCaptureControl->Parent()->HandleAllocated() &&
      gCaptureControl->Parent()->Handle() == h)
    return gCaptureControl;
  return TWinControl::FindControl(h);
}

void SetCaptureControl(TControl* Control) {
  win::ReleaseCapture();
  gCaptureControl = nullptr;
  if (!Control) return;
  if (auto* w = dynamic_cast<TWinControl*>(Control)) {
    win::SetCapture(w->Handle());
    return;
  }
  if (Control->Parent()) {
    gCaptureControl = Control;
    win::SetCapture(Control->Parent()->Handle());
  }
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Dispatch(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMMouseButton(Message, mbLeft, true, false); return;
    case WM_LBUTTONDBLCLK: WMMouseButton(Message, mbLeft, true, true); return;
    case WM_LBUTTONUP: WMMouseButton(Message, mbLeft, false, false); return;
    case WM_RBUTTONDOWN: WMMouseButton(Message, mbRight, true, false); return;
    case WM_RBUTTONDBLCLK: WMMouseButton(Message, mbRight, true, true); return;
    case WM_RBUTTONUP: WMMouseButton(Message, mbRight, false, false); return;
    case WM_MBUTTONDOWN: WMMouseButton(Message, mbMiddle, true, false); return;
    case WM_MBUTTONDBLCLK: WMMouseButton(Message, mbMiddle, true, true); return;
    case WM_MBUTTONUP: WMMouseButton(Message, mbMiddle, false, false); return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case WM_CONTEXTMENU: WMContextMenu(Message); return;
    case CM_MOUSEWHEEL: CMMouseWheel(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_FONTCHANGED: CMFontChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
    case CM_PARENTBIDIMODECHANGED: CMParentBiDiModeChanged(Message); return;
    case CM_BIDIMODECHANGED: CMBiDiModeChanged(Message); return;
    case CM_HITTEST: CMHitTest(Message); return;
    case CM_DRAG: CMDrag(Message); return;
    case CM_TEXTCHANGED: Invalidate(); return;
    default: DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  // A windowless control has no window procedure: a context menu request it leaves
  // unanswered goes on to its parent.
  if (Message.Msg == win::WM_CONTEXTMENU && FParent) {
    Message.Result = FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  Message.Result = 0;
}

void TControl::WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double) {
  TShiftState shift = KeysToShiftState(static_cast<win::WORD>(Message.WParam));
  int x = Message.XPos(), y = Message.YPos();
  if (Down) {
    SendCancelMode(this);
    if (Button == mbLeft) {
      // An automatic drag replaces the click.
      bool autoDrag = FDragMode == dmAutomatic && !ComponentState().Contains(csDesigning);
      if (autoDrag) BeginAutoDrag();
      if (FControlStyle.Contains(csCaptureMouse) && !Dragging()) SetMouseCapture(true);
      if (FControlStyle.Contains(csClickEvents) && !autoDrag) FControlState += csClicked;
      if (Double && FControlStyle.Contains(csDoubleClicks)) DblClick();
    }
    if (Double) shift += ssDouble;
    if (!FControlStyle.Contains(csNoStdEvents)) MouseDown(Button, shift, x, y);
    return;
  }
  if (Button == mbLeft) {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (FControlState.Contains(csClicked)) {
      FControlState -= csClicked;
      win::RECT r = ClientRect();
      if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) Click();
    }
  }
  if (!FControlStyle.Contains(csNoStdEvents)) MouseUp(Button, shift, x, y);
  // Releasing the right button asks for the context menu.
  if (Button == mbRight) {
    win::POINT p = ClientToScreen({x, y});
    Perform(win::WM_CONTEXTMENU, 0, win::MAKELPARAM(static_cast<win::WORD>(p.x), static_cast<win::WORD>(p.y)));
  }
}

void TControl::WMMouseMove(TMessage& Message) {
  if (!FControlStyle.Contains(csNoStdEvents))
    MouseMove(KeysToShiftState(static_cast<win::WORD>(Message.WParam)), Message.XPos(), Message.YPos());
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::CMMouseWheel(TMessage& Message) {
  TShiftState shift = KeysToShiftState(win::LOWORD(Message.WParam));
  int delta = win::GET_WHEEL_DELTA_WPARAM(Message.WParam);
  win::POINT pos{Message.XPos(), Message.YPos()};
  if (DoMouseWheel(shift, delta, pos)) Message.Result = 1;
  else if (FParent) Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) {
  bool handled = false;
  if (FOnMouseWheel) FOnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  gWheelAccumulator += WheelDelta;
  while (std::abs(gWheelAccumulator) >= 120) {
    bool down = gWheelAccumulator < 0;
    gWheelAccumulator += down ? 120 : -120;
    handled = (down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos)) || handled;
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) {
  bool handled = false;
  if (FOnMouseWheelDown) FOnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) {
  bool handled = false;
  if (FOnMouseWheelUp) FOnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::DoContextPopup(win::POINT MousePos, bool& Handled) {
  if (FOnContextPopup) FOnContextPopup(this, MousePos, Handled);
}

void TControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  win::POINT screen{Message.XPos(), Message.YPos()};
  win::POINT local = screen.x == -1 && screen.y == -1 ? win::POINT{-1, -1} : ScreenToClient(screen);
  bool handled = false;
  DoContextPopup(local, handled);
  if (handled) { Message.Result = 1; return; }
  if (FPopupMenu && FPopupMenu->AutoPopup()) {
    if (screen.x == -1 && screen.y == -1) screen = ClientToScreen({0, 0});
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(screen.x, screen.y);
    Message.Result = 1;
    return;
  }
  DefaultHandler(Message);
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage&) {
  if (FParentFont && FParent) {
    FFont->SetOnChange(nullptr);
    FFont->Assign(FParent->Font());
    FFont->SetOnChange(MakeEvent(this, &TControl::DoFontChange));
    FontChanged();
  }
}

void TControl::CMParentColorChanged(TMessage&) {
  if (FParentColor && FParent) {
    FColor = FParent->Color();
    Perform(CM_COLORCHANGED, 0, 0);
  }
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (FParentShowHint && FParent) FShowHint = FParent->ShowHint();
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
  if (FParentBiDiMode && FParent && FBiDiMode != FParent->BiDiMode()) {
    FBiDiMode = FParent->BiDiMode();
    Perform(CM_BIDIMODECHANGED, 0, 0);
  }
}

// A new mode changes how the control's text is laid out.
void TControl::CMBiDiModeChanged(TMessage&) {
  if (SysLocale.MiddleEast) Invalidate();
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = 1; }
