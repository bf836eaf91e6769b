// Window classes, window procedures bound to callables, and hidden message windows.
#include <mutex>
#include <utility>
#include <vector>

#include "platform/desktop/internal/State.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Utf8.h"

namespace win {
using namespace detail;

namespace {
ATOM AddClass(const WNDCLASSEXA& wc) {
  if (!wc.lpszClassName || IS_INTRESOURCE(wc.lpszClassName) || !*wc.lpszClassName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string key = Lower(wc.lpszClassName);
  if (S().Classes.count(key)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto c = std::make_shared<WindowClass>();
  c->Name = wc.lpszClassName;
  c->Atom = S().NextAtom++;
  c->Style = wc.style;
  c->Proc = wc.lpfnWndProc;
  c->ClsExtra = wc.cbClsExtra;
  c->WndExtra = wc.cbWndExtra;
  c->Instance = wc.hInstance;
  c->Icon = wc.hIcon;
  c->IconSm = wc.hIconSm;
  c->Cursor = wc.hCursor;
  c->Background = wc.hbrBackground;
  S().Classes[key] = c;
  return c->Atom;
}
}  // namespace

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return 0;
  WNDCLASSEXA ex;
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return AddClass(ex);
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) { return wc ? AddClass(*wc) : 0; }

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  if (!className || IS_INTRESOURCE(className)) return FALSE;
  auto it = S().Classes.find(Lower(className));
  if (it == S().Classes.end()) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (it->second->WindowCount > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  S().Classes.erase(it);
  return TRUE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR className, WNDCLASSA* out) {
  if (!className || IS_INTRESOURCE(className)) return FALSE;
  auto it = S().Classes.find(Lower(className));
  if (it == S().Classes.end()) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (out) {
    const WindowClass& c = *it->second;
    out->style = c.Style;
    out->lpfnWndProc = c.Proc;
    out->cbClsExtra = c.ClsExtra;
    out->cbWndExtra = c.WndExtra;
    out->hInstance = c.Instance;
    out->hIcon = c.Icon;
    out->hCursor = c.Cursor;
    out->hbrBackground = c.Background;
    out->lpszMenuName = nullptr;
    out->lpszClassName = c.Name.c_str();
  }
  return TRUE;
}

int GetClassNameA(HWND hwnd, LPSTR buffer, int size) {
  Window* w = Get(hwnd);
  if (!w || !buffer || size <= 0) return 0;
  std::string name = Utf8Truncate(w->Class->Name, std::size_t(size - 1));
  std::copy(name.begin(), name.end(), buffer);
  buffer[name.size()] = 0;
  return int(name.size());
}

ULONG_PTR GetClassLongPtrA(HWND hwnd, int index) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  switch (index) {
    case GCL_STYLE: return w->Class->Style;
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(w->Class->Cursor);
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(w->Class->Background);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(w->Class->Proc);
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  WindowClass& c = *w->Class;
  ULONG_PTR old = GetClassLongPtrA(hwnd, index);
  switch (index) {
    case GCL_STYLE: c.Style = UINT(value); break;
    case GCLP_HCURSOR: c.Cursor = reinterpret_cast<HCURSOR>(value); break;
    case GCLP_HBRBACKGROUND: c.Background = reinterpret_cast<HBRUSH>(value); break;
    case GCLP_WNDPROC: c.Proc = reinterpret_cast<WNDPROC>(value); break;
    default: return 0;
  }
  return old;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return proc(hwnd, msg, wParam, lParam);
}

// ---- procedures bound to callables: a fixed pool of distinct entry points ----
namespace {
constexpr std::size_t kInstanceSlots = 4096;

// Slots are made as they are first needed: a program uses a few of them.
struct InstancePool {
  std::vector<WindowProcFunction> Functions;
  std::vector<char> Used;
  std::size_t Hint = 0;
};

InstancePool& Pool() {
  static InstancePool pool;
  return pool;
}

template <std::size_t N>
LRESULT InstanceEntry(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Copy so the callable may free its own instance while running.
  WindowProcFunction fn = Pool().Functions[N];
  return fn ? fn(hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
}

template <std::size_t... I>
constexpr std::array<WNDPROC, sizeof...(I)> MakeEntries(std::index_sequence<I...>) {
  return {&InstanceEntry<I>...};
}

const std::array<WNDPROC, kInstanceSlots>& Entries() {
  static const auto entries = MakeEntries(std::make_index_sequence<kInstanceSlots>{});
  return entries;
}
}  // namespace

WNDPROC MakeObjectInstance(WindowProcFunction fn) {
  InstancePool& p = Pool();
  // The first free slot from the hint on, slots not made yet counting as free, wrapping
  // around at the end.
  auto take = [&](std::size_t i) {
    p.Used[i] = 1;
    p.Functions[i] = std::move(fn);
    p.Hint = i + 1;
    return Entries()[i];
  };
  for (std::size_t i = p.Hint; i < p.Used.size(); ++i)
    if (!p.Used[i]) return take(i);
  if (p.Used.size() < kInstanceSlots) {
    p.Functions.emplace_back();
    p.Used.push_back(0);
    return take(p.Used.size() - 1);
  }
  for (std::size_t i = 0; i < p.Hint && i < p.Used.size(); ++i)
    if (!p.Used[i]) return take(i);
  throw EOutOfResources("Too many window procedure instances");
}

void FreeObjectInstance(WNDPROC proc) {
  if (!proc) return;
  const auto& e = Entries();
  InstancePool& p = Pool();
  for (std::size_t i = 0; i < p.Used.size(); ++i) {
    if (e[i] == proc) {
      p.Used[i] = 0;
      p.Functions[i] = nullptr;
      return;
    }
  }
}

namespace {
const char* const kUtilWindowClass = "TPUtilWindow";
std::map<HWND, WNDPROC>& AllocatedWindows() {
  static std::map<HWND, WNDPROC> windows;
  return windows;
}
}  // namespace

HWND AllocateHWnd(WindowProcFunction fn) {
  WNDCLASSA wc;
  if (!GetClassInfoA(nullptr, kUtilWindowClass, &wc)) {
    wc.lpfnWndProc = &DefWindowProcA;
    wc.lpszClassName = kUtilWindowClass;
    RegisterClassA(&wc);
  }
  HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                              HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!hwnd) return nullptr;
  if (fn) {
    WNDPROC proc = MakeObjectInstance(std::move(fn));
    SetWindowLongPtrA(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    AllocatedWindows()[hwnd] = proc;
  }
  return hwnd;
}

namespace detail {
void ReleaseAllocatedWindows() {
  auto windows = std::move(AllocatedWindows());
  AllocatedWindows().clear();
  for (auto& [hwnd, proc] : windows) {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    FreeObjectInstance(proc);
  }
}
}  // namespace detail

void DeallocateHWnd(HWND hwnd) {
  auto it = AllocatedWindows().find(hwnd);
  WNDPROC proc = nullptr;
  if (it != AllocatedWindows().end()) {
    proc = it->second;
    AllocatedWindows().erase(it);
  }
  DestroyWindow(hwnd);
  FreeObjectInstance(proc);
}

}  // namespace win
