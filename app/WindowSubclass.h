#pragma once
// Puts an object's procedure in front of a window's procedure chain and takes it out
// again. The procedure installed last sees every message first.
#include "platform/desktop/Windows.h"

class TWindowSubclass {
public:
  TWindowSubclass() = default;
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;
  ~TWindowSubclass() { Unhook(); }

  // Keeps the window's current procedure and installs Proc in front of it.
  void Hook(win::HWND Wnd, win::WindowProcFunction Proc);
  // Puts the kept procedure back (while the window exists) and frees the installed one.
  void Unhook();
  // Passes a message on to the kept procedure.
  win::LRESULT CallPrevious(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) const;

  bool Hooked() const { return FObjectInstance != nullptr; }
  win::HWND Window() const { return FWindow; }

private:
  win::HWND FWindow = nullptr;
  win::WNDPROC FPrevWndProc = nullptr;
  win::WNDPROC FObjectInstance = nullptr;
};
