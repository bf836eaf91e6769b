#pragma once
// Test helper: a window class whose procedure records every message and can be given
// per-window handlers; and a fixture that resets the headless desktop.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/desktop/Headless.h"
#include "platform/desktop/Windows.h"

namespace rec {
using namespace win;

struct Entry {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

inline std::vector<Entry>& Log() {
  static std::vector<Entry> log;
  return log;
}

inline std::map<HWND, Handler>& Handlers() {
  static std::map<HWND, Handler> h;
  return h;
}

// Handler for the window being created (before its handle is known).
inline Handler& NextHandler() {
  static Handler h;
  return h;
}

inline LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log().push_back({hwnd, msg, wParam, lParam});
  if (msg == WM_NCCREATE && NextHandler()) Handlers()[hwnd] = std::exchange(NextHandler(), nullptr);
  auto it = Handlers().find(hwnd);
  if (it != Handlers().end() && it->second) {
    Handler h = it->second;
    if (auto r = h(hwnd, msg, wParam, lParam)) return *r;
  }
  if (msg == WM_NCDESTROY) Handlers().erase(hwnd);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Registers the recording class once per style.
inline const char* Class(UINT style = 0) {
  static std::map<UINT, std::string> names;
  auto it = names.find(style);
  if (it != names.end()) return it->second.c_str();
  std::string name = "RecWnd" + std::to_string(style);
  WNDCLASSA wc;
  wc.style = style;
  wc.lpfnWndProc = &Proc;
  wc.lpszClassName = name.c_str();
  RegisterClassA(&wc);
  return (names[style] = name).c_str();
}

inline HWND Top(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE, DWORD ex = 0,
                UINT classStyle = 0, HWND owner = nullptr) {
  return CreateWindowExA(ex, Class(classStyle), "top", style, x, y, w, h, owner, nullptr, nullptr, nullptr);
}

inline HWND Child(HWND parent, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE, int id = 0,
                  UINT classStyle = 0) {
  return CreateWindowExA(0, Class(classStyle), "child", style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(std::intptr_t(id)), nullptr, nullptr);
}

// The messages of one window (or all), limited to a set when given.
inline std::vector<UINT> Messages(HWND hwnd = nullptr, std::vector<UINT> only = {}) {
  std::vector<UINT> out;
  for (const Entry& e : Log()) {
    if (hwnd && e.hwnd != hwnd) continue;
    if (!only.empty() && std::find(only.begin(), only.end(), e.msg) == only.end()) continue;
    out.push_back(e.msg);
  }
  return out;
}

inline std::vector<Entry> Entries(std::vector<UINT> only) {
  std::vector<Entry> out;
  for (const Entry& e : Log())
    if (std::find(only.begin(), only.end(), e.msg) != only.end()) out.push_back(e);
  return out;
}

class DesktopTest : public ::testing::Test {
protected:
  void SetUp() override {
    headless::Reset();
    Log().clear();
    Handlers().clear();
    NextHandler() = nullptr;
  }
  void TearDown() override {
    headless::Reset();
    Handlers().clear();
  }
};

}  // namespace rec
