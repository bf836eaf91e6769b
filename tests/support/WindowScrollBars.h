#pragma once
// A window's own scroll bars in tests: giving a bar its range, page and position, and
// where its parts lie (window coordinates, the thumb where a drag has it).
#include <functional>

#include "platform/desktop/Headless.h"
#include "platform/desktop/Windows.h"

inline void SetBarInfo(win::HWND hwnd, int bar, int min, int max, win::UINT page, int pos, win::UINT extra = 0) {
  win::SCROLLINFO si;
  si.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS | extra;
  si.nMin = min;
  si.nMax = max;
  si.nPage = page;
  si.nPos = pos;
  win::SetScrollInfo(hwnd, bar, &si, win::TRUE);
}

inline win::ScrollBarLayout BarLayout(win::HWND hwnd, int bar) {
  win::RECT r{};
  if (!win::GetWindowScrollBarRect(hwnd, bar, &r)) return {};
  win::SCROLLINFO si{};
  si.fMask = win::SIF_ALL;
  win::GetScrollInfo(hwnd, bar, &si);
  return win::LayOutScrollBar(r, bar == win::SB_HORZ, si.nMin, si.nMax, si.nPage, si.nTrackPos);
}

// The screen point at the middle of a part of a window's bar.
inline win::POINT BarPartOnScreen(win::HWND hwnd, const win::RECT& part) {
  win::RECT w{};
  win::GetWindowRect(hwnd, &w);
  return {w.left + (part.left + part.right) / 2, w.top + (part.top + part.bottom) / 2};
}

// Drags the thumb of a window's vertical bar from its middle to screen row Y in four
// moves on the headless desktop, calling Moved after each move (before the release).
inline void DragVertThumbTo(win::HWND hwnd, int Y, const std::function<void()>& Moved = {}) {
  const win::POINT From = BarPartOnScreen(hwnd, BarLayout(hwnd, win::SB_VERT).Thumb);
  win::headless::MouseDown(win::headless::MouseButton::Left, From.x, From.y);
  win::headless::ProcessMessages();
  for (int Step = 1; Step <= 4; ++Step) {
    win::headless::MouseMove(From.x, From.y + (Y - From.y) * Step / 4);
    win::headless::ProcessMessages();
    if (Moved) Moved();
  }
  win::headless::MouseUp(win::headless::MouseButton::Left, From.x, Y);
  win::headless::ProcessMessages();
}
