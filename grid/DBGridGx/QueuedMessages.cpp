#include "grid/DBGridGx/QueuedMessages.h"

void DropQueuedMessage(win::HWND Window, win::UINT Msg) {
  win::MSG M{};
  if (win::PeekMessage(&M, Window, Msg, Msg, win::PM_REMOVE) && M.message == win::WM_QUIT)
    win::PostQuitMessage(static_cast<int>(M.wParam));
}

void DropQueuedMessages(win::HWND Window, win::UINT Msg) {
  win::MSG M{};
  // A filtered peek also takes a pending WM_QUIT, and finds it again every time.
  while (win::PeekMessage(&M, Window, Msg, Msg, win::PM_REMOVE)) {
    if (M.message == win::WM_QUIT) {
      win::PostQuitMessage(static_cast<int>(M.wParam));
      return;
    }
  }
}
