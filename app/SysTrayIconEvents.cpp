// The tray component's message side: the shared window and the shell's notifications,
// click timing, enter and exit, cycling, the popup menu, and the hooks on the
// application window and the owner form.
#include "app/SysTrayIcon.h"

#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/ImageList.h"

namespace {
// The shared window, made with its first user and freed with its last. The owner lives to
// the end of the process: a window still held then stays with the window system.
std::unique_ptr<TTrayIconHandler>& SharedHandler() {
  static auto* Handler = new std::unique_ptr<TTrayIconHandler>;
  return *Handler;
}

TShiftState CurrentShiftState() {
  TShiftState s;
  if (win::GetAsyncKeyState(win::VK_SHIFT) < 0) s += ssShift;
  if (win::GetAsyncKeyState(win::VK_CONTROL) < 0) s += ssCtrl;
  if (win::GetAsyncKeyState(win::VK_MENU) < 0) s += ssAlt;
  return s;
}
}  // namespace

// ---- the shared window ----

TTrayIconHandler::TTrayIconHandler() {
  FHandle = win::AllocateHWnd([this](win::HWND w, win::UINT m, win::WPARAM wp, win::LPARAM lp) {
    return TrayWindowProc(w, m, wp, lp);
  });
}

TTrayIconHandler::~TTrayIconHandler() {
  if (FHandle) win::DeallocateHWnd(FHandle);
}

void AcquireTrayWindow() {
  std::unique_ptr<TTrayIconHandler>& Handler = SharedHandler();
  if (!Handler) Handler = std::make_unique<TTrayIconHandler>();
  ++Handler->FRefCount;
}

void ReleaseTrayWindow() {
  std::unique_ptr<TTrayIconHandler>& Handler = SharedHandler();
  if (!Handler) return;
  if (Handler->FRefCount > 0) --Handler->FRefCount;
  if (Handler->FRefCount == 0) Handler.reset();
}

TTrayIconHandler* TrayIconHandler() { return SharedHandler().get(); }

win::LRESULT TTrayIconHandler::TrayWindowProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam,
                                              win::LPARAM LParam) {
  switch (Msg) {
    case TrayCallbackMessage: {
      auto* icon = reinterpret_cast<TSysTrayIcon*>(WParam);
      if (FIcons.count(icon)) icon->HandleCallback(LParam);
      return 0;
    }
    // Keep the shared window alive and let the system shut down.
    case win::WM_DESTROY:
    case win::WM_CLOSE:
    case win::WM_QUERYENDSESSION:
    case win::WM_QUIT:
    case win::WM_ENDSESSION:
    case win::WM_NCDESTROY:
      return 1;
  }
  return win::DefWindowProcA(Wnd, Msg, WParam, LParam);
}

// ---- notifications ----

void TSysTrayIcon::HandleCallback(win::LPARAM Notification) {
  const auto what = static_cast<win::UINT>(Notification);
  switch (what) {  // balloon notifications arrive whatever Enabled says
    case win::NIN_BALLOONSHOW: FOnBalloonHintShow(this); return;
    case win::NIN_BALLOONHIDE: FOnBalloonHintHide(this); return;
    case win::NIN_BALLOONTIMEOUT: FOnBalloonHintTimeout(this); return;
    case win::NIN_BALLOONUSERCLICK: FOnBalloonHintClick(this); return;
  }
  if (!FEnabled) return;
  win::POINT pt;
  win::GetCursorPos(&pt);
  const TShiftState shift = CurrentShiftState();
  switch (what) {
    case win::WM_MOUSEMOVE:
      if (FWantEnterExitEvents && FCursorHasLeft) {
        FireMouseEnter();
        FCursorHasLeft = false;
      }
      FireMouseMove(shift, pt.x, pt.y);
      FLastMove = pt;
      break;
    case win::WM_LBUTTONDOWN:
      if (FOnDblClick) {
        FClickTimer->SetInterval(win::GetDoubleClickTime());
        FClickTimer->SetEnabled(true);
      }
      FireMouseDown(mbLeft, shift + ssLeft, pt.x, pt.y);
      FClickStart = true;
      if (FLeftPopup) PopupAtCursor();
      break;
    case win::WM_LBUTTONUP:
      if (FClickStart) FClickReady = true;
      if (FClickStart && !FClickTimer->Enabled()) {
        FClickStart = FClickReady = false;
        FireClick();
      }
      FClickStart = false;
      FireMouseUp(mbLeft, shift + ssLeft, pt.x, pt.y);
      break;
    case win::WM_LBUTTONDBLCLK:
      FClickReady = false;
      FDblClicked = true;
      FireDblClick();
      if (FPopupMenu && FPopupMenu->AutoPopup() && !FLeftPopup) {
        TMenuItem* items = FPopupMenu->Items();
        for (int i = 0; items && i < items->Count(); ++i)
          if (items->Items(i)->Default()) {
            items->Items(i)->Click();
            break;
          }
      }
      break;
    case win::WM_RBUTTONDOWN:
      FireMouseDown(mbRight, shift + ssRight, pt.x, pt.y);
      PopupAtCursor();
      break;
    case win::WM_RBUTTONUP:
      if (FCallbackBehaviour == 0) FireMouseUp(mbRight, shift + ssRight, pt.x, pt.y);
      break;
    case win::WM_CONTEXTMENU:
    case win::NIN_SELECT:
    case win::NIN_KEYSELECT:
      if (FCallbackBehaviour == 1) FireMouseUp(mbRight, shift + ssRight, pt.x, pt.y);
      break;
    case win::WM_MBUTTONDOWN:
      FireMouseDown(mbMiddle, shift + ssMiddle, pt.x, pt.y);
      break;
    case win::WM_MBUTTONUP:
      FireMouseUp(mbMiddle, shift + ssMiddle, pt.x, pt.y);
      break;
  }
}

void TSysTrayIcon::FireClick() { FOnClick(this); }
void TSysTrayIcon::FireDblClick() { FOnDblClick(this); }
void TSysTrayIcon::FireCycle(int NextIndex) { FOnCycle(this, NextIndex); }
void TSysTrayIcon::FireMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FOnMouseDown(this, Button, Shift, X, Y);
}
void TSysTrayIcon::FireMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FOnMouseUp(this, Button, Shift, X, Y);
}
void TSysTrayIcon::FireMouseMove(TShiftState Shift, int X, int Y) { FOnMouseMove(this, Shift, X, Y); }
void TSysTrayIcon::FireMouseEnter() { FOnMouseEnter(this); }
void TSysTrayIcon::FireMouseExit() { FOnMouseExit(this); }

// ---- timers ----

void TSysTrayIcon::SingleClickTick(TObject*) {
  FClickTimer->SetEnabled(false);
  if (!FDblClicked && FClickReady) {
    FClickReady = false;
    FireClick();
  }
  FDblClicked = false;
}

void TSysTrayIcon::HoverPollTick(TObject*) {
  if (FCursorHasLeft) return;
  win::POINT pt;
  win::GetCursorPos(&pt);
  if (pt.x != FLastMove.x || pt.y != FLastMove.y) {
    FCursorHasLeft = true;
    FireMouseExit();
  }
}

void TSysTrayIcon::IconCycleTick(TObject*) {
  if (!FIconList) return;
  ShowListImage(FIconIndex);
  int next = FIconIndex < FIconList->Count() - 1 ? FIconIndex + 1 : 0;
  FireCycle(next);
  SetIconIndex(next);
}

// ---- menu and windows ----

void TSysTrayIcon::PopupAtCursor() {
  win::POINT pt;
  if (!FPopupMenu || !FPopupMenu->AutoPopup() || !win::GetCursorPos(&pt)) return;
  if (Application) {
    win::SetForegroundWindow(Application->Handle());
    Application->ProcessMessages();
  }
  FPopupMenu->SetPopupComponent(this);
  FPopupMenu->Popup(pt.x, pt.y);
  if (TWinControl* owner = OwnerControl()) win::PostMessageA(owner->Handle(), win::WM_NULL, 0, 0);
}

void TSysTrayIcon::RestoreMainWindow() {
  if (!OwnerControl() || !Application || !Application->MainForm()) return;
  TCustomForm* main = Application->MainForm();
  Application->Restore();
  if (main->WindowState() == wsMinimized) main->SetWindowState(wsNormal);
  main->SetVisible(true);
  win::SetForegroundWindow(Application->Handle());
}

void TSysTrayIcon::HideMainWindow() {
  if (!OwnerControl() || !Application || !Application->MainForm()) return;
  Application->MainForm()->SetVisible(false);
  HideApplicationWindow();
}

void TSysTrayIcon::HideApplicationWindow() {
  if (!Application) return;
  win::HWND app = Application->Handle();
  if (win::IsWindowVisible(app)) win::ShowWindow(app, win::SW_HIDE);
}

void TSysTrayIcon::HideToTray() {
  HideMainWindow();
  SetIconVisible(true);
}

bool TSysTrayIcon::AppWindowHook(TMessage& Message) {
  const win::UINT id = TaskbarCreatedMessageId();
  if (Message.Msg == win::WM_SIZE && Message.WParam == win::SIZE_MINIMIZED) {
    if (FMinimizeToTray) HideToTray();
  } else if (Message.Msg == win::WM_WINDOWPOSCHANGED) {
    if (FStartCheckPending && Application && Application->MainForm()) {
      if (Application->MainForm()->FormStyle() == fsMDIForm) {
        bool showMainForm = true;
        if (FOnStartup) FOnStartup(this, showMainForm);
        if (!showMainForm) HideApplicationWindow();
      }
      FStartCheckPending = false;
    }
  } else if (Message.Msg == win::WM_SYSCOMMAND && Message.WParam == win::SC_RESTORE) {
    if (Application && Application->MainForm()) Application->MainForm()->SetVisible(true);
  } else if (id != 0 && Message.Msg == id) {
    if (FIconVisible) AddTrayIcon();  // the shell restarted: put the icon back
  }
  return false;
}

void TSysTrayIcon::MinimizeToTrayCheck(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam,
                                       win::LRESULT& Result) {
  if (FMinimizeToTray && FOnMinimizeToTray) {
    FOnMinimizeToTray(this);
    HideToTray();
    Result = 1;
    return;
  }
  Result = FOwnerSubclass.CallPrevious(Wnd, Msg, WParam, LParam);
}

win::LRESULT TSysTrayIcon::OwnerFormWndProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam,
                                            win::LPARAM LParam) {
  win::LRESULT result = 0;
  if (Msg == win::WM_SHOWWINDOW && WParam == 1 && LParam == 0) {
    if (Application) win::SetForegroundWindow(Application->Handle());
    win::SetForegroundWindow(Wnd);
  } else if ((Msg == win::WM_SHOWWINDOW && WParam == 0 && LParam == win::SW_PARENTCLOSING &&
              !(Application && Application->Terminated())) ||
             (Msg == win::WM_SYSCOMMAND && WParam == win::SC_MINIMIZE)) {
    MinimizeToTrayCheck(Wnd, Msg, WParam, LParam, result);
    return result;
  }
  return FOwnerSubclass.CallPrevious(Wnd, Msg, WParam, LParam);
}
