#include "app/SimpleTimer.h"

#include <memory>

namespace {
// The shared window, made with its first user and freed with its last. The owner lives to
// the end of the process: a window still held then stays with the window system.
std::unique_ptr<TSimpleTimerHandler>& SharedHandler() {
  static auto* Handler = new std::unique_ptr<TSimpleTimerHandler>;
  return *Handler;
}
}

// ---- shared window ----

TSimpleTimerHandler::TSimpleTimerHandler() {
  FHandle = win::AllocateHWnd([this](win::HWND w, win::UINT m, win::WPARAM wp, win::LPARAM lp) {
    return TimerWindowProc(w, m, wp, lp);
  });
}

TSimpleTimerHandler::~TSimpleTimerHandler() {
  if (FHandle) win::DeallocateHWnd(FHandle);
}

win::LRESULT TSimpleTimerHandler::TimerWindowProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam,
                                                  win::LPARAM LParam) {
  if (Msg == win::WM_TIMER) {
    auto* timer = reinterpret_cast<TSimpleTimer*>(WParam);
    if (timer && timer->FOnTimer) timer->FOnTimer(timer);
    return 0;
  }
  return win::DefWindowProcA(Wnd, Msg, WParam, LParam);
}

void AcquireTimerWindow() {
  std::unique_ptr<TSimpleTimerHandler>& Handler = SharedHandler();
  if (!Handler) Handler = std::make_unique<TSimpleTimerHandler>();
  ++Handler->FRefCount;
}

void ReleaseTimerWindow() {
  std::unique_ptr<TSimpleTimerHandler>& Handler = SharedHandler();
  if (!Handler) return;
  if (Handler->FRefCount > 0) --Handler->FRefCount;
  if (Handler->FRefCount == 0) Handler.reset();
}

TSimpleTimerHandler* SimpleTimerHandler() { return SharedHandler().get(); }

// ---- timer ----

TSimpleTimer::TSimpleTimer() : TSimpleTimer(1000, nullptr) {}

TSimpleTimer::TSimpleTimer(std::uint32_t AInterval, TNotifyEvent AOnTimer) {
  FId = reinterpret_cast<win::UINT_PTR>(this);
  FEnabled = false;
  FInterval = AInterval;
  SetOnTimer(AOnTimer);
  AcquireTimerWindow();
}

TSimpleTimer::~TSimpleTimer() {
  if (FEnabled) StopTicking(true);
  ReleaseTimerWindow();
}

void TSimpleTimer::SetEnabled(bool Value) {
  if (Value) StartTicking();
  else StopTicking(true);
}

void TSimpleTimer::SetInterval(std::uint32_t Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  if (!FEnabled) return;
  if (Value != 0) StartTicking();
  else StopTicking(false);  // paused: Enabled stays True
}

void TSimpleTimer::SetOnTimer(const TNotifyEvent& Value) {
  FOnTimer = Value;
  if (!FOnTimer && FEnabled) StopTicking(false);  // paused
}

bool TSimpleTimer::StartTicking() {
  if (FInterval == 0) return false;
  if (FEnabled) StopTicking(true);
  TSimpleTimerHandler* Handler = SimpleTimerHandler();
  bool ok = Handler && win::SetTimer(Handler->Handle(), FId, FInterval, nullptr) != 0;
  if (ok) FEnabled = true;
  return ok;
}

bool TSimpleTimer::StopTicking(bool ClearEnabled) {
  if (ClearEnabled) FEnabled = false;
  TSimpleTimerHandler* Handler = SimpleTimerHandler();
  return Handler && win::KillTimer(Handler->Handle(), FId) != 0;
}
