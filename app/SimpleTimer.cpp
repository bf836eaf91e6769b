#include "app/SimpleTimer.h"

namespace {
TSimpleTimerHandler* GTimerHandler = nullptr;
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
  if (!GTimerHandler) GTimerHandler = new TSimpleTimerHandler();
  ++GTimerHandler->FRefCount;
}

void ReleaseTimerWindow() {
  if (!GTimerHandler) return;
  if (GTimerHandler->FRefCount > 0) --GTimerHandler->FRefCount;
  if (GTimerHandler->FRefCount == 0) {
    delete GTimerHandler;
    GTimerHandler = nullptr;
  }
}

TSimpleTimerHandler* SimpleTimerHandler() { return GTimerHandler; }

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
  bool ok = GTimerHandler && win::SetTimer(GTimerHandler->Handle(), FId, FInterval, nullptr) != 0;
  if (ok) FEnabled = true;
  return ok;
}

bool TSimpleTimer::StopTicking(bool ClearEnabled) {
  if (ClearEnabled) FEnabled = false;
  return GTimerHandler && win::KillTimer(GTimerHandler->Handle(), FId) != 0;
}
