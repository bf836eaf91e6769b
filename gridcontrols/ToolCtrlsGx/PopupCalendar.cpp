#include "gridcontrols/ToolCtrlsGx/PopupCalendar.h"

#include "platform/controls/Messages.h"

TPopupMonthCalendarGx::TPopupMonthCalendarGx(TComponent* AOwner) : TMonthCalendar(AOwner) {
  FControlStyle += csReplicatable;
  SetCtl3D(true);
  SetParentCtl3D(false);
  SetAutoSize(true);
}

void TPopupMonthCalendarGx::CreateParams(TCreateParams& Params) {
  TMonthCalendar::CreateParams(Params);
  AddPopupWindowParams(Params, this, win::WS_EX_TOOLWINDOW);
}

void TPopupMonthCalendarGx::CreateWnd() {
  TMonthCalendar::CreateWnd();
  win::RECT r{};
  Perform(win::MCM_GETMINREQRECT, 0, reinterpret_cast<win::LPARAM>(&r));
  SetBounds(Left(), Top(), r.right - r.left + 2 * BorderWidth(), r.bottom - r.top + 2 * BorderWidth());
}

bool TPopupMonthCalendarGx::CanAutoSize(int& NewWidth, int& NewHeight) {
  if (!TMonthCalendar::CanAutoSize(NewWidth, NewHeight)) return false;
  NewWidth += 2 * BorderWidth();
  NewHeight += 2 * BorderWidth();
  return true;
}

void TPopupMonthCalendarGx::DrawBorder() { PaintPopupRaisedFrame(FHandle, this); }

void TPopupMonthCalendarGx::Close(bool Accept) {
  if (!Visible()) return;  // Enter reaches both the special-key query and KeyDown
  ClosePopupThroughOwner(this, Accept);
}

void TPopupMonthCalendarGx::KeyDown(win::WORD& Key, TShiftState Shift) {
  TMonthCalendar::KeyDown(Key, Shift);
  if (Key != win::VK_RETURN && Key != win::VK_ESCAPE) return;
  if (Supports<IPopupOwnerGx>(Owner())) Close(Key == win::VK_RETURN);
  Key = 0;
}

void TPopupMonthCalendarGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TMonthCalendar::MouseDown(Button, Shift, X, Y);
  if (X < 0 || Y < 0 || X >= Width() || Y >= Height()) Close(false);
}

void TPopupMonthCalendarGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TMonthCalendar::MouseUp(Button, Shift, X, Y);
  if (!Supports<IPopupOwnerGx>(Owner()) || X < 0 || Y < 0 || X >= Width() || Y >= Height()) return;
  win::MCHITTESTINFO info{};
  info.cbSize = 32;
  info.pt = {X, Y};
  Perform(win::MCM_HITTEST, 0, reinterpret_cast<win::LPARAM>(&info));
  const win::UINT hit = info.uHit;
  if ((hit & 0x20001) != 0 && hit != win::MCHT_CALENDARDAY && hit != win::MCHT_TITLEBTNNEXT &&
      hit != win::MCHT_TITLEBTNPREV)
    Close(true);
}

bool TPopupMonthCalendarGx::DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) {
  if (!TMonthCalendar::DoMouseWheelDown(Shift, MousePos)) SetDate(Date() + 1);
  return true;
}

bool TPopupMonthCalendarGx::DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) {
  if (!TMonthCalendar::DoMouseWheelUp(Shift, MousePos)) SetDate(Date() - 1);
  return true;
}

void TPopupMonthCalendarGx::Dispatch(TMessage& Message) {
  using namespace win;
  if (DispatchPopupFrameMessage(this, Message, [&] { TMonthCalendar::Dispatch(Message); }, [this] { DrawBorder(); })) return;
  switch (Message.Msg) {
    case CM_WANTSPECIALKEY:
      if (Supports<IPopupOwnerGx>(Owner()) && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE)) {
        Close(Message.WParam == VK_RETURN);
        Message.Result = 1;
        return;
      }
      break;
    case WM_KILLFOCUS: {
      TMonthCalendar::Dispatch(Message);
      HWND to = reinterpret_cast<HWND>(Message.WParam);
      if (!to || GetParent(to) != FHandle) PostMessage(FHandle, WM_POPUPDISMISS_GX, 0, 0);
      return;
    }
    case WM_POPUPDISMISS_GX: Close(false); return;
    default: break;
  }
  TMonthCalendar::Dispatch(Message);
}
