#pragma once
// A window's own scroll bars in tests: giving a bar its range, page and position, and
// where its parts lie (window coordinates, the thumb where a drag has it).
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
