#pragma once
// The window system: windows and their procedures, the message loop, timers, input,
// focus and capture, hot keys, the notification area, scroll bars, painting state,
// metrics and monitors, cursors, message boxes — plus the kernel services.
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop/Handles.h"
#include "platform/desktop/WinKernel.h"
#include "platform/desktop/WinMessages.h"
#include "platform/desktop/WinStyles.h"
#include "platform/desktop/WinTypes.h"

namespace win {

// ---- classes and windows ----
ATOM RegisterClassA(const WNDCLASSA* wc);
ATOM RegisterClassExA(const WNDCLASSEXA* wc);
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, WNDCLASSA* out);
int GetClassNameA(HWND hwnd, LPSTR buffer, int size);
inline ATOM RegisterClass(const WNDCLASSA* wc) { return RegisterClassA(wc); }
inline ATOM RegisterClassEx(const WNDCLASSEXA* wc) { return RegisterClassExA(wc); }
inline BOOL UnregisterClass(LPCSTR n, HINSTANCE i) { return UnregisterClassA(n, i); }
inline BOOL GetClassInfo(HINSTANCE i, LPCSTR n, WNDCLASSA* o) { return GetClassInfoA(i, n, o); }

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
inline HWND CreateWindowEx(DWORD ex, LPCSTR c, LPCSTR n, DWORD s, int x, int y, int w, int h,
                           HWND p, HMENU m, HINSTANCE i, LPVOID param) {
  return CreateWindowExA(ex, c, n, s, x, y, w, h, p, m, i, param);
}
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
inline LONG_PTR GetWindowLongPtr(HWND h, int i) { return GetWindowLongPtrA(h, i); }
inline LONG_PTR SetWindowLongPtr(HWND h, int i, LONG_PTR v) { return SetWindowLongPtrA(h, i, v); }
// The long forms are pointer-sized here, so GWL_WNDPROC works through them too.
inline LONG_PTR GetWindowLongA(HWND h, int i) { return GetWindowLongPtrA(h, i); }
inline LONG_PTR SetWindowLongA(HWND h, int i, LONG_PTR v) { return SetWindowLongPtrA(h, i, v); }
inline LONG_PTR GetWindowLong(HWND h, int i) { return GetWindowLongPtrA(h, i); }
inline LONG_PTR SetWindowLong(HWND h, int i, LONG_PTR v) { return SetWindowLongPtrA(h, i, v); }
ULONG_PTR GetClassLongPtrA(HWND hwnd, int index);
ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value);

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT CallWindowProc(WNDPROC p, HWND h, UINT m, WPARAM w, LPARAM l) {
  return CallWindowProcA(p, h, m, w, l);
}
inline LRESULT DefWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

// A window procedure bound to a callable (an object's method): a distinct procedure address
// per instance, usable with GWL_WNDPROC and comparable. Free it once it is no longer installed.
using WindowProcFunction = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
WNDPROC MakeObjectInstance(WindowProcFunction fn);
void FreeObjectInstance(WNDPROC proc);
// A hidden message-only window (parent HWND_MESSAGE) whose messages go to fn.
// Message-only windows get no broadcasts.
HWND AllocateHWnd(WindowProcFunction fn);
void DeallocateHWnd(HWND hwnd);

HWND SetParent(HWND hwnd, HWND newParent);
HWND GetParent(HWND hwnd);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND hwnd);
HWND GetDesktopWindow();
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
BOOL EnumWindows(WNDENUMPROC fn, LPARAM param);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC fn, LPARAM param);
HWND FindWindowA(LPCSTR className, LPCSTR windowName);
int GetDlgCtrlID(HWND hwnd);
HWND GetDlgItem(HWND parent, int id);

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size);
int GetWindowTextLengthA(HWND hwnd);
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
inline int GetWindowText(HWND h, LPSTR b, int s) { return GetWindowTextA(h, b, s); }
inline int GetWindowTextLength(HWND h) { return GetWindowTextLengthA(h); }
inline BOOL SetWindowText(HWND h, LPCSTR t) { return SetWindowTextA(h, t); }
// The whole text of a window as a string (WM_GETTEXTLENGTH then WM_GETTEXT).
std::string GetWindowTextString(HWND hwnd);

// ---- position, size, visibility ----
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetWindowRect(HWND hwnd, RECT* out);
BOOL GetClientRect(HWND hwnd, RECT* out);
BOOL ClientToScreen(HWND hwnd, POINT* pt);
BOOL ScreenToClient(HWND hwnd, POINT* pt);
int MapWindowPoints(HWND from, HWND to, POINT* pts, UINT count);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu);
HWND WindowFromPoint(POINT pt);
HWND ChildWindowFromPoint(HWND parent, POINT pt);
HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags);
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* out);
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* wp);

// Window regions are kept as a set of rectangles in window coordinates; hit-testing
// honours them. The drawing layer's SetWindowRgn/GetWindowRgn convert its regions
// through these. A NULL rects pointer removes the region.
BOOL SetWindowRegionRects(HWND hwnd, const std::vector<RECT>* rects, BOOL redraw);
// False when the window has no region.
bool GetWindowRegionRects(HWND hwnd, std::vector<RECT>* out);

// ---- activation and focus ----
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL GetGUIThreadInfo(DWORD thread, GUITHREADINFO* info);

// ---- messages ----
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessage(HWND h, UINT m, WPARAM w, LPARAM l) { return SendMessageA(h, m, w, l); }
inline BOOL PostMessage(HWND h, UINT m, WPARAM w, LPARAM l) { return PostMessageA(h, m, w, l); }
BOOL PostThreadMessageA(DWORD thread, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL SendNotifyMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Waits for a message. Returns 0 for WM_QUIT, else nonzero. On the headless desktop with
// nothing to wait for, it runs the idle handler of Headless.h and raises if that made
// nothing happen (a test would otherwise hang).
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
inline BOOL PeekMessage(MSG* m, HWND h, UINT a, UINT b, UINT r) { return PeekMessageA(m, h, a, b, r); }
inline BOOL GetMessage(MSG* m, HWND h, UINT a, UINT b) { return GetMessageA(m, h, a, b); }
LRESULT DispatchMessageA(const MSG* msg);
inline LRESULT DispatchMessage(const MSG* msg) { return DispatchMessageA(msg); }
BOOL TranslateMessage(const MSG* msg);
BOOL WaitMessage();
DWORD GetMessageTime();
DWORD GetMessagePos();
BOOL InSendMessage();
// Calls the window at once (no other thread can hang here); the result goes to *result.
LRESULT SendMessageTimeoutA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeoutMs,
                            DWORD_PTR* result);
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
// Registered numbers are >= 0xC000; the same name (any case) gives the same number.
UINT RegisterWindowMessageA(LPCSTR name);
inline UINT RegisterWindowMessage(LPCSTR name) { return RegisterWindowMessageA(name); }

// ---- timers and time ----
// An interval of 0 (or below USER_TIMER_MINIMUM) runs at USER_TIMER_MINIMUM.
inline constexpr UINT USER_TIMER_MINIMUM = 10, USER_TIMER_MAXIMUM = 0x7FFFFFFF;
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
// Milliseconds since start; wraps after 49.7 days, so compare with DWORD subtraction.
DWORD GetTickCount();
UINT GetDoubleClickTime();

// ---- painting state (drawing itself is the graphics layer's) ----
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, RECT* out, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* update, HRGN updateRegion, UINT flags);
BOOL LockWindowUpdate(HWND hwnd);
// The update region of a window (client coordinates) and whether it wants erasing;
// BeginPaint takes both and validates the window with ValidateRect(hwnd, NULL).
std::vector<RECT> GetUpdateRects(HWND hwnd);
bool GetUpdateErase(HWND hwnd);

// ---- scroll bars ----
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
// The arrows disabled by EnableScrollBar (ESB_* bits) for SB_HORZ, SB_VERT or SB_CTL.
UINT GetScrollBarDisabledArrows(HWND hwnd, int bar);
// Where the parts of a scroll bar lie: the arrow at each end, the track between them and
// the thumb on it. Scrollable says whether the range goes beyond a page; the thumb is
// empty when it does not or when the track has no room for it.
struct ScrollBarLayout {
  RECT Arrow1, Arrow2, Track, Thumb;
  bool Scrollable = false;
};
ScrollBarLayout LayOutScrollBar(const RECT& bar, bool horizontal, int min, int max, UINT page, int pos);
// Whether a bar with this range and page can scroll: SetScrollInfo shows (or, with
// SIF_DISABLENOSCROLL, enables) a window's bar exactly then.
bool ScrollRangeScrolls(int min, int max, UINT page);
// A window's SB_HORZ or SB_VERT bar in window coordinates; FALSE when it shows none.
BOOL GetWindowScrollBarRect(HWND hwnd, int bar, RECT* rect);
// A held press on a window scroll bar's arrow or track repeats first after the delay,
// then at the interval (milliseconds).
inline constexpr UINT SCROLL_REPEAT_DELAY = 400, SCROLL_REPEAT_INTERVAL = 50;
// Moves child windows (SW_SCROLLCHILDREN) and invalidates what is uncovered
// (SW_INVALIDATE); the pixels are moved through the scroll hook of the drawing layer, and
// without one the whole scrolled area is invalidated.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN updateRgn,
                   RECT* updateRect, UINT flags);
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);

// Hooks the drawing layer installs.
struct GraphicsHooks {
  // Moves pixels of a window's client area by (dx, dy) inside rect (client coordinates).
  std::function<void(HWND, int dx, int dy, const RECT& rect)> ScrollPixels;
  // Makes an HRGN hold the given rectangles (for ScrollWindowEx's update region).
  std::function<void(HRGN, const std::vector<RECT>&)> SetRegionRects;
  // Fills a window's background with its class brush (DefWindowProc's WM_ERASEBKGND).
  std::function<BOOL(HWND, HDC, HBRUSH)> EraseBackground;
  // Draws a window's scroll bars in its non-client area.
  std::function<void(HWND)> PaintScrollBars;
};
void SetGraphicsHooks(GraphicsHooks hooks);

// ---- input state ----
SHORT GetKeyState(int vk);
SHORT GetAsyncKeyState(int vk);
BOOL GetKeyboardState(BYTE* state256);
BOOL SetKeyboardState(const BYTE* state256);
BOOL GetCursorPos(POINT* pt);
BOOL SetCursorPos(int x, int y);
BOOL MessageBeep(UINT type);
// Keyboard layouts: one layout, and switching is accepted without effect.
HKL ActivateKeyboardLayout(HKL layout, UINT flags);
HKL GetKeyboardLayout(DWORD thread);
int GetKeyboardLayoutList(int size, HKL* list);
HKL LoadKeyboardLayoutA(LPCSTR id, UINT flags);

// Input-method placement: accepted without effect.
using HIMC = void*;
struct COMPOSITIONFORM {
  DWORD dwStyle = 0;
  POINT ptCurrentPos;
  RECT rcArea;
};
struct CANDIDATEFORM {
  DWORD dwIndex = 0;
  DWORD dwStyle = 0;
  POINT ptCurrentPos;
  RECT rcArea;
};
inline constexpr DWORD CFS_DEFAULT = 0x0000, CFS_RECT = 0x0001, CFS_POINT = 0x0002,
                       CFS_FORCE_POSITION = 0x0020, CFS_CANDIDATEPOS = 0x0040;
HIMC ImmGetContext(HWND hwnd);
BOOL ImmReleaseContext(HWND hwnd, HIMC imc);
HIMC ImmAssociateContext(HWND hwnd, HIMC imc);
BOOL ImmSetCompositionWindow(HIMC imc, const COMPOSITIONFORM* form);
BOOL ImmSetCandidateWindow(HIMC imc, const CANDIDATEFORM* form);
BOOL ImmSetCompositionFontA(HIMC imc, const void* logFont);
BOOL ImmSetOpenStatus(HIMC imc, BOOL open);
BOOL ImmGetOpenStatus(HIMC imc);
BOOL ImmIsIME(HKL layout);

// Carets: state only.
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* pt);
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
UINT GetCaretBlinkTime();

// ---- hot keys ----
// The highest identifier an application's hot key can have (they start at 0); others
// are refused with ERROR_INVALID_PARAMETER.
inline constexpr int MaxHotKeyId = 0xBFFF;
BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT vk);
BOOL UnregisterHotKey(HWND hwnd, int id);
// Many registrations in one go: results[i] is what RegisterHotKey would have answered for
// keys[i], the keys taken in order, while the display is asked once for all of them. The
// last error is the one the last refused key would have left.
struct HOTKEYREGISTRATION {
  HWND hwnd;
  int id;
  UINT fsModifiers;
  UINT vk;
};
void RegisterHotKeys(const HOTKEYREGISTRATION* keys, std::size_t count, BOOL* results);
// The same for keys kept elsewhere, handed over one at a time: next fills in the next key
// and answers false after the last; registered is told each key that was registered, with
// its place in that order. The others were refused.
void RegisterHotKeys(const std::function<bool(HOTKEYREGISTRATION& key)>& next,
                     const std::function<void(const HOTKEYREGISTRATION& key, std::size_t place)>& registered);
// Many unregistrations of one window's keys in one go: results[i] is what
// UnregisterHotKey(hwnd, ids[i]) would have answered, the ids taken in order, while the
// display is told once. The last error is ERROR_HOTKEY_NOT_REGISTERED when an id had none.
void UnregisterHotKeys(HWND hwnd, const int* ids, std::size_t count, BOOL* results);

// ---- notification area ----
BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data);

// ---- metrics and monitors ----
int GetSystemMetrics(int index);
BOOL SystemParametersInfoA(UINT action, UINT uiParam, LPVOID pvParam, UINT winIni);
inline BOOL SystemParametersInfo(UINT a, UINT u, LPVOID p, UINT w) {
  return SystemParametersInfoA(a, u, p, w);
}
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
HMONITOR MonitorFromPoint(POINT pt, DWORD flags);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info);
inline BOOL GetMonitorInfo(HMONITOR m, MONITORINFO* i) { return GetMonitorInfoA(m, i); }

// ---- cursors ----
// A cursor's image: ARGB pixels (0xAARRGGBB, not premultiplied), row by row.
struct CursorImage {
  std::string Name;
  int Width = 0;
  int Height = 0;
  int HotX = 0;
  int HotY = 0;
  std::vector<std::uint32_t> Pixels;
};
// Loads a stock cursor (instance NULL, IDC_*) or a cursor registered by name.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
inline HCURSOR LoadCursor(HINSTANCE i, LPCSTR n) { return LoadCursorA(i, n); }
inline HCURSOR LoadCursor(HINSTANCE i, std::uintptr_t id) { return LoadCursorA(i, MAKEINTRESOURCEA(id)); }
// Registers a named cursor resource (the resource layer fills these); names are
// case-insensitive. Registering a name again replaces its image.
HCURSOR RegisterCursorResource(const std::string& name, CursorImage image);
HCURSOR CreateCursorFromImage(CursorImage image);
// The image of a cursor handle, or NULL.
const CursorImage* GetCursorImage(HCURSOR cursor);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// Stock and registered cursors are shared and stay; others are freed.
BOOL DestroyCursor(HCURSOR cursor);
int ShowCursor(BOOL show);

// ---- message boxes ----
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
inline int MessageBox(HWND o, LPCSTR t, LPCSTR c, UINT f) { return MessageBoxA(o, t, c, f); }

// The ANSI-suffixed names the program's code uses.
inline BOOL Shell_NotifyIcon(DWORD m, NOTIFYICONDATAA* d) { return Shell_NotifyIconA(m, d); }
inline HWND FindWindow(LPCSTR c, LPCSTR n) { return FindWindowA(c, n); }

}  // namespace win
