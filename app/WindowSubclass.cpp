#include "app/WindowSubclass.h"

void TWindowSubclass::Hook(win::HWND Wnd, win::WindowProcFunction Proc) {
  Unhook();
  FWindow = Wnd;
  FPrevWndProc = reinterpret_cast<win::WNDPROC>(win::GetWindowLongA(Wnd, win::GWL_WNDPROC));
  FObjectInstance = win::MakeObjectInstance(std::move(Proc));
  win::SetWindowLongA(Wnd, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(FObjectInstance));
}

void TWindowSubclass::Unhook() {
  if (FWindow && FPrevWndProc && win::IsWindow(FWindow))
    win::SetWindowLongA(FWindow, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(FPrevWndProc));
  if (FObjectInstance) win::FreeObjectInstance(FObjectInstance);
  FObjectInstance = nullptr;
  FPrevWndProc = nullptr;
  FWindow = nullptr;
}

win::LRESULT TWindowSubclass::CallPrevious(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam,
                                           win::LPARAM LParam) const {
  return win::CallWindowProcA(FPrevWndProc, Wnd, Msg, WParam, LParam);
}
