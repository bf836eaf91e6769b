// TApplication: the hidden application window, the message loop, exceptions,
// minimising and restoring, hooks on the application window.
#include "platform/controls/Forms.h"

#include "platform/controls/HintWindow.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Resources.h"

#include <algorithm>

namespace {
constexpr win::UINT_PTR HintTimerId = 1;
constexpr win::UINT_PTR HintReshowTimerId = 2;

bool RectEmpty(const win::RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
bool InRect(const win::RECT& r, win::POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
}

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FIcon(std::make_unique<TIcon>()) {
  FHintWindowClass = THintWindow::StaticClass();
}

TApplication::~TApplication() {
  Destroying();
  // Forms hear OnDestroy while their own state is whole.
  for (int i = ComponentCount() - 1; i >= 0; --i)
    if (auto* f = dynamic_cast<TCustomForm*>(Components(i))) f->BeforeDestruction();
  DestroyComponents();
  DestroyHandle();
}

void TApplication::Initialize() {
  RegisterStandardClasses();
  // The program's own icon, when its resources have one.
  if (FIcon->Empty() && FindResource("ICON", "MAINICON")) FIcon->LoadFromResourceName(nullptr, "MAINICON");
}

void TApplication::SetIcon(TIcon* Value) { FIcon->Assign(Value); }

bool TApplication::HandleAllocated() const { return FHandle && win::IsWindow(FHandle); }

win::HWND TApplication::Handle() {
  if (HandleAllocated()) return FHandle;
  if (!FObjectInstance)
    FObjectInstance = win::MakeObjectInstance([this](win::HWND, win::UINT m, win::WPARAM w, win::LPARAM l) {
      TMessage msg{m, w, l, 0};
      try {
        WndProc(msg);
      } catch (...) {
        HandleException(this);
      }
      return msg.Result;
    });
  win::WNDCLASSA wc;
  if (!win::GetClassInfo(nullptr, "TApplication", &wc)) {
    wc = win::WNDCLASSA{};
    wc.lpfnWndProc = &win::DefWindowProcA;
    wc.lpszClassName = "TApplication";
    win::RegisterClass(&wc);
  }
  win::RECT work = Screen->WorkAreaRect();
  FHandle = win::CreateWindowEx(0, "TApplication", FTitle.c_str(),
                                win::WS_POPUP | win::WS_CAPTION | win::WS_CLIPSIBLINGS | win::WS_SYSMENU | win::WS_MINIMIZEBOX,
                                (work.right - work.left) / 2, (work.bottom - work.top) / 2, 0, 0, nullptr, nullptr,
                                nullptr, nullptr);
  if (!FHandle) throw EOutOfResources("Error creating window");
  win::SetWindowLongPtr(FHandle, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(FObjectInstance));
  return FHandle;
}

void TApplication::DestroyHandle() {
  if (FHandle && win::IsWindow(FHandle)) {
    win::SetWindowLongPtr(FHandle, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(&win::DefWindowProcA));
    win::DestroyWindow(FHandle);
  }
  FHandle = nullptr;
  if (FObjectInstance) win::FreeObjectInstance(FObjectInstance);
  FObjectInstance = nullptr;
}

void TApplication::SetTitle(const std::string& Value) {
  FTitle = Value;
  if (HandleAllocated()) win::SetWindowText(FHandle, Value.c_str());
}

void TApplication::HookMainWindow(const TWindowHook& Hook) {
  if (std::find(FWindowHooks.begin(), FWindowHooks.end(), Hook) == FWindowHooks.end()) FWindowHooks.push_back(Hook);
}

void TApplication::UnhookMainWindow(const TWindowHook& Hook) {
  auto it = std::find(FWindowHooks.begin(), FWindowHooks.end(), Hook);
  if (it != FWindowHooks.end()) FWindowHooks.erase(it);
}

void TApplication::WndProc(TMessage& Message) {
  // Hooks see every message first; one answering true ends the handling.
  for (const TWindowHook& h : std::vector<TWindowHook>(FWindowHooks))
    if (h(Message)) return;
  switch (Message.Msg) {
    case win::WM_SYSCOMMAND:
      switch (Message.WParam & 0xFFF0) {
        case win::SC_MINIMIZE: DoMinimize(); return;
        case win::SC_RESTORE: DoRestore(); return;
        default: break;
      }
      break;
    case win::WM_CLOSE:
      if (FMainForm) FMainForm->Close();
      return;
    case win::WM_SETFOCUS:
      // The hidden application window has nothing to type into: once activation has
      // settled, the focus moves on to the form that should have it.
      win::PostMessage(FHandle, CM_ENTER, 0, 0);
      break;
    case CM_ENTER:
      if (!win::IsIconic(FHandle) && win::GetFocus() == FHandle) {
        TCustomForm* form = Screen ? Screen->ActiveCustomForm() : nullptr;
        auto usable = [](TCustomForm* f) {
          return f && f->HandleAllocated() && win::IsWindowVisible(f->Handle()) &&
                 win::IsWindowEnabled(f->Handle());
        };
        if (!usable(form)) form = FMainForm;
        if (usable(form)) win::SetFocus(form->Handle());
      }
      return;
    case win::WM_TIMER:
      if (Message.WParam == HintTimerId || Message.WParam == HintReshowTimerId) {
        HintTimerExpired(Message.WParam);
        return;
      }
      break;
    default: break;
  }
  Message.Result = win::DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TApplication::Minimize() {
  win::HWND h = Handle();
  if (!win::IsIconic(h)) win::SendMessage(h, win::WM_SYSCOMMAND, win::SC_MINIMIZE, 0);
}

void TApplication::Restore() {
  win::HWND h = Handle();
  if (win::IsIconic(h)) win::SendMessage(h, win::WM_SYSCOMMAND, win::SC_RESTORE, 0);
}

void TApplication::DoMinimize() {
  if (win::IsIconic(FHandle)) return;
  win::SetActiveWindow(FHandle);
  // The application window is shown minimised; the forms it owns go with it.
  win::ShowWindow(FHandle, win::SW_MINIMIZE);
  if (FOnMinimize) FOnMinimize(this);
}

void TApplication::DoRestore() {
  if (!win::IsIconic(FHandle)) return;
  win::SetActiveWindow(FHandle);
  win::ShowWindow(FHandle, win::SW_RESTORE);
  if (FMainForm && FMainForm->FWindowState == wsMinimized && FMainForm->Visible())
    FMainForm->SetWindowState(wsNormal);
  if (FOnRestore) FOnRestore(this);
}

void TApplication::Run() {
  FTerminate = false;
  if (FMainForm && FShowMainForm) {
    if (FMainForm->WindowState() == wsMinimized) {
      Minimize();
    } else {
      FMainForm->SetVisible(true);
    }
  }
  while (!FTerminate) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::Terminate() { win::PostQuitMessage(0); }

bool TApplication::ProcessMessage(win::MSG& Msg) {
  if (!win::PeekMessage(&Msg, nullptr, 0, 0, win::PM_REMOVE)) return false;
  if (Msg.message == win::WM_QUIT) {
    FTerminate = true;
    return true;
  }
  if (Msg.message == win::WM_MOUSEMOVE) {
    if (TWinControl* c = TWinControl::FindControl(Msg.hwnd)) {
      TMessage m{Msg.message, Msg.wParam, Msg.lParam, 0};
      HintMouseMessage(c, m);
    }
  }
  win::TranslateMessage(&Msg);
  win::DispatchMessage(&Msg);
  return true;
}

void TApplication::ProcessMessages() {
  win::MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::Idle() {
  bool done = true;
  if (FOnIdle) FOnIdle(this, done);
}

void TApplication::HandleMessage() {
  win::MSG msg;
  if (ProcessMessage(msg)) return;
  Idle();
  if (!win::GetMessage(&msg, nullptr, 0, 0)) {
    FTerminate = true;
    return;
  }
  if (msg.message == win::WM_MOUSEMOVE)
    if (TWinControl* c = TWinControl::FindControl(msg.hwnd)) {
      TMessage m{msg.message, msg.wParam, msg.lParam, 0};
      HintMouseMessage(c, m);
    }
  win::TranslateMessage(&msg);
  win::DispatchMessage(&msg);
}

void TApplication::HandleException(TObject* Sender) {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    if (FOnException) FOnException(Sender, e);
    else ShowException(e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    if (FOnException) FOnException(Sender, wrapped);
    else ShowException(wrapped);
  }
}

void TApplication::ShowException(const Exception& E) {
  std::string msg = E.Message();
  // A message that ends in a letter or digit gets its full stop.
  if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.') msg += '.';
  MessageBox(msg, FTitle, win::MB_OK | win::MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, win::UINT Flags) {
  win::HWND owner = Screen->ActiveCustomForm() && Screen->ActiveCustomForm()->HandleAllocated()
                        ? Screen->ActiveCustomForm()->Handle()
                        : Handle();
  return win::MessageBox(owner, Text.c_str(), Caption.c_str(), Flags);
}

void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (FHintControl == Control) {
    CancelHint();
    FHintControl = nullptr;
  }
  if (FHintWindow == Control) FHintWindow = nullptr;
}

void TApplication::CancelHint() {
  if (HandleAllocated()) {
    if (FHintTimerRunning) win::KillTimer(FHandle, HintTimerId);
    win::KillTimer(FHandle, HintReshowTimerId);
  }
  FHintTimerRunning = false;
  if (FHintWindow) FHintWindow->ReleaseHandle();
  FHintActive = false;
  FHintCursorRect = {};
}

// Follows the mouse: a new control under it, or leaving the part of the control the
// hint was for, starts the hint pause over.
void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  if (!FShowHint) return;
  TControl* target = Control;
  if (auto* w = dynamic_cast<TWinControl*>(Control))
    if (TControl* c = w->ControlAtPos({Message.XPos(), Message.YPos()}, true)) target = c;
  win::POINT cursor = Control->ClientToScreen({Message.XPos(), Message.YPos()});
  if (target == FHintControl &&
      (FHintTimerRunning || RectEmpty(FHintCursorRect) || InRect(FHintCursorRect, cursor)))
    return;
  // Whether a hint is up as the pointer moves on: a control may then show its own sooner.
  bool showing = FHintActive && FHintWindow && FHintWindow->HandleAllocated() && win::IsWindowVisible(FHintWindow->Handle());
  CancelHint();
  FHintControl = target;
  // A control without hint text is still asked: it may supply one (a grid's cell tips).
  if (!target || !target->ShowHint()) return;
  int pause = FHintPause;
  target->Perform(CM_HINTSHOWPAUSE, showing ? 1 : 0, reinterpret_cast<win::LPARAM>(&pause));
  win::SetTimer(Handle(), HintTimerId, static_cast<win::UINT>(std::max(pause, 0)), nullptr);
  FHintTimerRunning = true;
}

void TApplication::HintTimerExpired(win::UINT_PTR Timer) {
  win::KillTimer(FHandle, Timer);
  if (Timer == HintTimerId) FHintTimerRunning = false;
  win::POINT p;
  win::GetCursorPos(&p);
  ActivateHint(p);
}

void TApplication::ActivateHint(win::POINT CursorPos) {
  TControl* c = FHintControl;
  if (!c) return;
  THintInfo info;
  info.HintControl = c;
  info.HintPos = {CursorPos.x, CursorPos.y + 20};
  info.HintMaxWidth = Screen->Width();
  info.HintColor = clInfoBk;
  info.CursorPos = c->ScreenToClient(CursorPos);
  info.CursorRect = c->ClientRect();
  info.HintStr = GetShortHint(c->Hint());
  info.HideTimeout = FHintHidePause;
  info.HintWindowClass = FHintWindowClass ? FHintWindowClass : THintWindow::StaticClass();
  bool refused = c->Perform(CM_HINTSHOW, 0, reinterpret_cast<win::LPARAM>(&info)) != 0;
  // The pointer leaving the rectangle the control named asks again, shown or not.
  win::POINT tl = c->ClientToScreen({info.CursorRect.left, info.CursorRect.top});
  win::POINT br = c->ClientToScreen({info.CursorRect.right, info.CursorRect.bottom});
  FHintCursorRect = {std::min(tl.x, br.x), std::min(tl.y, br.y), std::max(tl.x, br.x), std::max(tl.y, br.y)};
  if (refused) {
    if (FHintWindow) FHintWindow->ReleaseHandle();
    FHintActive = false;
    return;
  }
  // A control may want its hint asked for again after a while, the pointer still.
  if (info.ReshowTimeout > 0)
    win::SetTimer(Handle(), HintReshowTimerId, static_cast<win::UINT>(info.ReshowTimeout), nullptr);
  if (info.HintStr.empty()) {
    if (FHintWindow) FHintWindow->ReleaseHandle();
    FHintActive = false;
    return;
  }
  if (FHintWindow && info.HintWindowClass && FHintWindow->ClassType() != info.HintWindowClass) {
    THintWindow* old = FHintWindow;
    FHintWindow = nullptr;
    delete old;
  }
  if (!FHintWindow) {
    TClass cls = info.HintWindowClass ? info.HintWindowClass : THintWindow::StaticClass();
    TComponent* made = CreateComponent(cls, this);
    FHintWindow = dynamic_cast<THintWindow*>(made);
    if (!FHintWindow) {
      delete made;
      throw EInvalidOperation("Hint window class " + cls->Name + " is not a hint window");
    }
  }
  FHintWindow->SetColor(info.HintColor);
  FHintWindow->SetHideTimeout(info.HideTimeout);
  win::RECT r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  r = {info.HintPos.x, info.HintPos.y, info.HintPos.x + r.right - r.left, info.HintPos.y + r.bottom - r.top};
  FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
  FHintActive = true;
}
