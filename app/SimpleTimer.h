#pragma once
// TSimpleTimer: a light millisecond timer. Every timer of the process runs on one
// shared hidden window, so a timer costs one system timer and no window of its own.
#include "platform/desktop/Windows.h"
#include "platform/rtl/Object.h"

#include <cstdint>

class TSimpleTimer : public TObject {
  VANTREL_CLASS(TSimpleTimer, TObject)
public:
  // Interval 1000 ms, no handler; not running until enabled.
  TSimpleTimer();
  TSimpleTimer(std::uint32_t AInterval, TNotifyEvent AOnTimer);
  ~TSimpleTimer() override;

  // The system timer identifier: the object itself.
  win::UINT_PTR Id() const { return FId; }

  // Enabled True with no system timer running is the paused state (Interval 0, or the
  // handler removed while enabled).
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  std::uint32_t Interval() const { return FInterval; }
  void SetInterval(std::uint32_t Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const TNotifyEvent& Value);

private:
  friend class TSimpleTimerHandler;
  bool StartTicking();
  bool StopTicking(bool ClearEnabled);

  win::UINT_PTR FId = 0;
  bool FEnabled = false;
  std::uint32_t FInterval = 1000;
  TNotifyEvent FOnTimer;
};

// The shared hidden window of all timers; exists while at least one timer lives.
class TSimpleTimerHandler : public TObject {
  VANTREL_CLASS(TSimpleTimerHandler, TObject)
public:
  TSimpleTimerHandler();
  ~TSimpleTimerHandler() override;
  win::HWND Handle() const { return FHandle; }
  int RefCount() const { return FRefCount; }

private:
  friend void AcquireTimerWindow();
  friend void ReleaseTimerWindow();
  win::LRESULT TimerWindowProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);

  int FRefCount = 0;
  win::HWND FHandle = nullptr;
};

// Creates the shared window on first use and counts one more user.
void AcquireTimerWindow();
// Counts one user less; the last one frees the window. Nothing happens without one.
void ReleaseTimerWindow();
// The shared window's handler, or nullptr when no timer lives.
TSimpleTimerHandler* SimpleTimerHandler();
