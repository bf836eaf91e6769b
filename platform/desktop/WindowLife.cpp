// Creating and destroying windows, window data (GetWindowLongPtr) and window text.
#include <algorithm>
#include <cstring>

#include "platform/desktop/internal/State.h"

namespace win {
using namespace detail;

namespace {
HWND NewHandle() {
  State& s = S();
  s.NextHandle += 0x10;
  return reinterpret_cast<HWND>(s.NextHandle);
}

void Unlink(Window& w) {
  auto& sib = SiblingsOf(w);
  sib.erase(std::remove(sib.begin(), sib.end(), w.Handle), sib.end());
}

// WM_DESTROY goes to a window before its children.
void SendDestroy(HWND hwnd) {
  if (!Find(hwnd)) return;
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  Window* w = Find(hwnd);
  if (!w) return;
  std::vector<HWND> children = w->Children;
  for (HWND c : children) {
    if (Window* cw = Find(c)) {
      cw->Destroying = true;
      SendDestroy(c);
    }
  }
}

// WM_NCDESTROY goes to children first; then the window is gone.
void FinishDestroy(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  std::vector<HWND> children = w->Children;
  for (HWND c : children) FinishDestroy(c);
  SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
  w = Find(hwnd);
  if (!w) return;
  KillTimersOf(hwnd);
  DropHotKeysOf(hwnd);
  RemoveMessagesFor(hwnd);
  ClipboardWindowDestroyed(hwnd);
  State& s = S();
  if (s.Capture == hwnd) s.Capture = nullptr;
  if (s.Focus == hwnd) s.Focus = nullptr;
  if (s.Active == hwnd) s.Active = nullptr;
  if (s.LastClickWindow == hwnd) s.LastClickValid = false;
  if (s.TheCaret && s.TheCaret->Owner == hwnd) s.TheCaret.reset();
  if (!w->Parent && !w->MessageOnly) CurrentBackend().WindowDestroyed(hwnd);
  Unlink(*w);
  // Owned windows lose their owner.
  for (HWND t : s.TopLevels)
    if (Window* tw = Find(t); tw && tw->Owner == hwnd) tw->Owner = nullptr;
  w->Class->WindowCount--;
  s.Windows.erase(hwnd);
}
}  // namespace

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  State& s = S();
  if (!className || IS_INTRESOURCE(className)) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  auto cls = s.Classes.find(Lower(className));
  if (cls == s.Classes.end()) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  bool messageOnly = parent == HWND_MESSAGE;
  if (!messageOnly && parent && !Find(parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  bool child = (style & WS_CHILD) && parent && !messageOnly;
  if ((style & WS_CHILD) && !parent) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto w = std::make_unique<Window>();
  HWND hwnd = NewHandle();
  w->Handle = hwnd;
  w->Class = cls->second;
  w->Proc = cls->second->Proc;
  // Overlapped top-level windows always have a caption.
  if (!(style & (WS_POPUP | WS_CHILD)) && !messageOnly) style |= WS_CAPTION | WS_CLIPSIBLINGS;
  w->Style = style & ~WS_VISIBLE & ~WS_MINIMIZE & ~WS_MAXIMIZE;
  w->ExStyle = exStyle;
  w->MessageOnly = messageOnly;
  w->Instance = instance;
  w->Extra.assign(std::size_t(std::max(0, cls->second->WndExtra)), 0);
  if (child) {
    w->Parent = parent;
    w->Id = reinterpret_cast<LONG_PTR>(menu);
  } else if (parent && !messageOnly) {
    w->Owner = Root(parent);
  }
  // Default positions: children and message windows at 0, top-level windows cascaded.
  if (x == CW_USEDEFAULT) {
    x = child || messageOnly ? 0 : 32;
    if (y == CW_USEDEFAULT || !(style & WS_VISIBLE)) y = child || messageOnly ? 0 : 32;
  }
  if (y == CW_USEDEFAULT) y = 0;
  if (width == CW_USEDEFAULT) {
    width = child || messageOnly ? 0 : 640;
    height = child || messageOnly ? 0 : 480;
  }
  if (height == CW_USEDEFAULT) height = 0;
  w->Rect = RECT{x, y, x + width, y + height};
  w->NormalRect = w->Rect;
  w->Client = RECT{0, 0, width, height};
  cls->second->WindowCount++;
  Window& ref = *w;
  s.Windows[hwnd] = std::move(w);
  // New windows go on top of their siblings, below any topmost top-level windows.
  auto& siblings = SiblingsOf(ref);
  auto at = siblings.begin();
  if (!child && !messageOnly && !(exStyle & WS_EX_TOPMOST))
    at = std::find_if(siblings.begin(), siblings.end(), [](HWND s) {
      Window* sw = Find(s);
      return !sw || !(sw->ExStyle & WS_EX_TOPMOST);
    });
  siblings.insert(at, hwnd);
  if (!child && !messageOnly) CurrentBackend().WindowCreated(hwnd);

  CREATESTRUCTA cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.hwndParent = parent;
  cs.cx = width;
  cs.cy = height;
  cs.x = x;
  cs.y = y;
  cs.style = LONG(style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;

  if (!child && !messageOnly) {
    MINMAXINFO mmi;
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  }
  if (!Find(hwnd)) return nullptr;
  if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (Window* fw = Find(hwnd)) fw->Destroying = true;
    FinishDestroy(hwnd);
    return nullptr;
  }
  if (!Find(hwnd)) return nullptr;
  RecalcFrame(hwnd);
  if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  Window* cw = Find(hwnd);
  if (!cw) return nullptr;
  if (child && !(exStyle & WS_EX_NOPARENTNOTIFY))
    SendMessageA(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, WORD(cw->Id)),
                 reinterpret_cast<LPARAM>(hwnd));
  if (!(cw = Find(hwnd))) return nullptr;
  RECT c = cw->Client;
  SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(WORD(c.right - c.left), WORD(c.bottom - c.top)));
  if (!(cw = Find(hwnd))) return nullptr;
  SendMessageA(hwnd, WM_MOVE, 0,
               MAKELPARAM(WORD(cw->Rect.left + cw->Client.left), WORD(cw->Rect.top + cw->Client.top)));
  if (!Find(hwnd)) return nullptr;
  if (style & WS_MINIMIZE)
    ShowWindow(hwnd, (style & WS_VISIBLE) ? SW_SHOWMINNOACTIVE : SW_MINIMIZE);
  else if (style & WS_MAXIMIZE)
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
  else if (style & WS_VISIBLE)
    ShowWindow(hwnd, SW_SHOW);
  return Find(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (w->Destroying) return TRUE;
  // Owned windows go first.
  std::vector<HWND> owned;
  for (HWND t : S().TopLevels)
    if (Window* tw = Find(t); tw && tw->Owner == hwnd) owned.push_back(t);
  for (HWND o : owned) DestroyWindow(o);
  if (!(w = Find(hwnd))) return TRUE;
  if (w->Style & WS_VISIBLE)
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!(w = Find(hwnd))) return TRUE;
  w->Destroying = true;
  FocusWindowDestroyed(hwnd);
  if (w->Parent && !(w->ExStyle & WS_EX_NOPARENTNOTIFY))
    SendMessageA(w->Parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, WORD(w->Id)),
                 reinterpret_cast<LPARAM>(hwnd));
  SendDestroy(hwnd);
  FinishDestroy(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) { return Find(hwnd) ? TRUE : FALSE; }

BOOL IsChild(HWND parent, HWND hwnd) {
  if (!Find(parent) || parent == hwnd) return FALSE;
  Window* w = Find(hwnd);
  return w && w->Parent && IsDescendant(parent, hwnd) ? TRUE : FALSE;
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->Proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->Instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->Parent ? w->Parent : w->Owner);
    case GWL_ID: return w->Id;
    case GWL_STYLE: return LONG_PTR(w->Style);
    case GWL_EXSTYLE: return LONG_PTR(w->ExStyle);
    case GWL_USERDATA: return w->UserData;
  }
  if (index >= 0 && std::size_t(index) + sizeof(LONG_PTR) <= w->Extra.size()) {
    LONG_PTR v;
    std::memcpy(&v, w->Extra.data() + index, sizeof v);
    return v;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrA(hwnd, index);
  switch (index) {
    case GWL_WNDPROC:
      w->Proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWL_HINSTANCE: w->Instance = reinterpret_cast<HINSTANCE>(value); return old;
    case GWL_ID: w->Id = value; return old;
    case GWL_USERDATA: w->UserData = value; return old;
    case GWL_HWNDPARENT:
      if (!w->Parent) w->Owner = Root(reinterpret_cast<HWND>(value));
      return old;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      STYLESTRUCT ss{DWORD(old), DWORD(value)};
      WPARAM which = index == GWL_STYLE ? WPARAM(GWL_STYLE) : WPARAM(GWL_EXSTYLE);
      SendMessageA(hwnd, WM_STYLECHANGING, which, reinterpret_cast<LPARAM>(&ss));
      if (!(w = Find(hwnd))) return old;
      if (index == GWL_STYLE) w->Style = ss.styleNew;
      else w->ExStyle = ss.styleNew;
      SendMessageA(hwnd, WM_STYLECHANGED, which, reinterpret_cast<LPARAM>(&ss));
      return old;
    }
  }
  if (index >= 0 && std::size_t(index) + sizeof(LONG_PTR) <= w->Extra.size()) {
    std::memcpy(w->Extra.data() + index, &value, sizeof value);
    return old;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
  if (!buffer || size <= 0 || !Find(hwnd)) return 0;
  return int(SendMessageA(hwnd, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) {
  if (!Find(hwnd)) return 0;
  return int(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!Get(hwnd)) return FALSE;
  return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

std::string GetWindowTextString(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  if (n <= 0) return {};
  std::string buf(std::size_t(n) + 1, '\0');
  int got = GetWindowTextA(hwnd, buf.data(), n + 1);
  buf.resize(std::size_t(std::max(0, got)));
  return buf;
}

HWND GetParent(HWND hwnd) {
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  if (w->Style & WS_CHILD) return w->Parent;
  if (w->Style & WS_POPUP) return w->Owner;
  return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->Parent ? w->Parent : GetDesktopWindow();
    case GA_ROOT: return Root(hwnd);
    case GA_ROOTOWNER: {
      HWND r = Root(hwnd);
      while (Window* rw = Find(r)) {
        if (!rw->Owner) break;
        r = rw->Owner;
      }
      return r;
    }
  }
  return nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  if (newParent && newParent != HWND_MESSAGE && !Find(newParent)) return nullptr;
  if (newParent && newParent != HWND_MESSAGE && IsDescendant(hwnd, newParent)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HWND old = w->Parent ? w->Parent : GetDesktopWindow();
  bool wasShowing = IsShowing(*w);
  if (wasShowing)
    if (Window* p = Find(w->Parent)) {
      RECT r = w->Rect;
      InvalidateClient(p->Handle, &r, true, false);
    }
  POINT screen = ScreenOrigin(*w);
  bool wasTop = !w->Parent && !w->MessageOnly;
  Unlink(*w);
  w->MessageOnly = newParent == HWND_MESSAGE;
  w->Parent = newParent && newParent != HWND_MESSAGE ? newParent : nullptr;
  if (w->Parent) w->Owner = nullptr;
  // The window keeps its position relative to its (new) parent's client area.
  (void)screen;
  SiblingsOf(*w).insert(SiblingsOf(*w).begin(), hwnd);
  bool isTop = !w->Parent && !w->MessageOnly;
  if (wasTop && !isTop) CurrentBackend().WindowDestroyed(hwnd);
  if (!wasTop && isTop) CurrentBackend().WindowCreated(hwnd);
  if (IsShowing(*w)) InvalidateClient(hwnd, nullptr, true, true);
  return old;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  auto& sib = SiblingsOf(*w);
  auto it = std::find(sib.begin(), sib.end(), hwnd);
  switch (cmd) {
    case GW_HWNDFIRST: return sib.empty() ? nullptr : sib.front();
    case GW_HWNDLAST: return sib.empty() ? nullptr : sib.back();
    case GW_HWNDNEXT: return it != sib.end() && it + 1 != sib.end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV: return it != sib.end() && it != sib.begin() ? *(it - 1) : nullptr;
    case GW_OWNER: return w->Owner;
    case GW_CHILD: return w->Children.empty() ? nullptr : w->Children.front();
    case GW_ENABLEDPOPUP:
      for (HWND t : S().TopLevels)
        if (Window* tw = Find(t); tw && tw->Owner == hwnd && (tw->Style & WS_VISIBLE) &&
                                  !(tw->Style & WS_DISABLED))
          return t;
      return nullptr;
  }
  return nullptr;
}

HWND GetTopWindow(HWND hwnd) {
  if (!hwnd) return S().TopLevels.empty() ? nullptr : S().TopLevels.front();
  return GetWindow(hwnd, GW_CHILD);
}

HWND GetDesktopWindow() {
  static const HWND desktop = reinterpret_cast<HWND>(std::uintptr_t(0x10000));
  return desktop;
}

BOOL EnumWindows(WNDENUMPROC fn, LPARAM param) {
  if (!fn) return FALSE;
  std::vector<HWND> list = S().TopLevels;
  for (HWND h : list)
    if (Find(h) && !fn(h, param)) break;
  return TRUE;
}

namespace {
bool EnumChildren(HWND parent, WNDENUMPROC fn, LPARAM param) {
  Window* w = Find(parent);
  if (!w) return true;
  std::vector<HWND> list = w->Children;
  for (HWND h : list) {
    if (!Find(h)) continue;
    if (!fn(h, param)) return false;
    if (!EnumChildren(h, fn, param)) return false;
  }
  return true;
}
}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC fn, LPARAM param) {
  if (!fn) return FALSE;
  if (!parent) return EnumWindows(fn, param);
  EnumChildren(parent, fn, param);
  return TRUE;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  for (HWND h : S().TopLevels) {
    Window* w = Find(h);
    if (!w) continue;
    if (className && !IS_INTRESOURCE(className) && Lower(className) != Lower(w->Class->Name)) continue;
    if (windowName && w->Text != windowName) continue;
    return h;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  Window* w = Get(hwnd);
  return w && w->Parent ? int(w->Id) : 0;
}

HWND GetDlgItem(HWND parent, int id) {
  Window* w = Get(parent);
  if (!w) return nullptr;
  for (HWND c : w->Children)
    if (Window* cw = Find(c); cw && cw->Id == id) return c;
  return nullptr;
}

}  // namespace win
