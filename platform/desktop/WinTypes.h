#pragma once
// Value types and records of the window system.
#include <cstddef>
#include <cstdint>

#include "platform/desktop/Handles.h"

namespace win {

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using ATOM = WORD;
using WCHAR = char16_t;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;
using LPCVOID = const void*;
using SIZE_T = std::size_t;
using REGSAM = DWORD;
using LSTATUS = LONG;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

struct RECT { LONG left = 0, top = 0, right = 0, bottom = 0; };
struct POINT { LONG x = 0, y = 0; };
struct SIZE { LONG cx = 0, cy = 0; };
struct POINTS { SHORT x = 0, y = 0; };
using LPRECT = RECT*;
using LPPOINT = POINT*;

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
  DWORD lPrivate = 0;  // the window system's own: the characters a display gave a key press
};
using LPMSG = MSG*;

struct WNDCLASSA {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  LPCSTR lpszMenuName = nullptr;
  LPCSTR lpszClassName = nullptr;
};
using WNDCLASS = WNDCLASSA;

struct WNDCLASSEXA {
  UINT cbSize = sizeof(WNDCLASSEXA);
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  LPCSTR lpszMenuName = nullptr;
  LPCSTR lpszClassName = nullptr;
  HICON hIconSm = nullptr;
};
using WNDCLASSEX = WNDCLASSEXA;

struct CREATESTRUCTA {
  LPVOID lpCreateParams = nullptr;
  HINSTANCE hInstance = nullptr;
  HMENU hMenu = nullptr;
  HWND hwndParent = nullptr;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  LPCSTR lpszName = nullptr;
  LPCSTR lpszClass = nullptr;
  DWORD dwExStyle = 0;
};
using CREATESTRUCT = CREATESTRUCTA;

struct WINDOWPOS {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
};

struct STYLESTRUCT {
  DWORD styleOld = 0;
  DWORD styleNew = 0;
};

struct NCCALCSIZE_PARAMS {
  RECT rgrc[3];
  WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

struct WINDOWPLACEMENT {
  UINT length = sizeof(WINDOWPLACEMENT);
  UINT flags = 0;
  UINT showCmd = 0;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

struct MONITORINFO {
  DWORD cbSize = sizeof(MONITORINFO);
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags = 0;
};

// The month calendar's hit-test record (MCM_HITTEST).
struct SYSTEMTIME {
  WORD wYear = 0, wMonth = 0, wDayOfWeek = 0, wDay = 0, wHour = 0, wMinute = 0, wSecond = 0,
       wMilliseconds = 0;
};
struct MCHITTESTINFO {
  UINT cbSize = sizeof(MCHITTESTINFO);
  POINT pt;
  UINT uHit = 0;
  SYSTEMTIME st;
};

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;
  RECT rcPaint;
  BOOL fRestore = FALSE;
  BOOL fIncUpdate = FALSE;
  BYTE rgbReserved[32] = {};
};

struct GUITHREADINFO {
  DWORD cbSize = sizeof(GUITHREADINFO);
  DWORD flags = 0;
  HWND hwndActive = nullptr;
  HWND hwndFocus = nullptr;
  HWND hwndCapture = nullptr;
  HWND hwndMenuOwner = nullptr;
  HWND hwndMoveSize = nullptr;
  HWND hwndCaret = nullptr;
  RECT rcCaret;
};

// The notification-area record in its 488-byte layout of the 32-bit system; on this
// 64-bit platform the handles and the identifier are pointer-sized, so sizeof is larger.
// Shell_NotifyIconA accepts cbSize 488 or sizeof(NOTIFYICONDATAA).
struct NOTIFYICONDATAA {
  DWORD cbSize = 0;
  HWND hWnd = nullptr;
  UINT_PTR uID = 0;  // pointer-sized, so an object can serve as its own identifier
  UINT uFlags = 0;
  UINT uCallbackMessage = 0;
  HICON hIcon = nullptr;
  CHAR szTip[128] = {};
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  CHAR szInfo[256] = {};
  UINT uVersion = 0;  // shares its place with uTimeout
  CHAR szInfoTitle[64] = {};
  DWORD dwInfoFlags = 0;
};
inline constexpr DWORD NOTIFYICONDATAA_V2_SIZE = 488;

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  CHAR szCSDVersion[128] = {};
};
using OSVERSIONINFO = OSVERSIONINFOA;

struct SECURITY_ATTRIBUTES {
  DWORD nLength = sizeof(SECURITY_ATTRIBUTES);
  LPVOID lpSecurityDescriptor = nullptr;
  BOOL bInheritHandle = FALSE;
};

struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;
};

// Word and byte helpers.
constexpr WORD LOWORD(std::uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(std::uintptr_t v) { return BYTE(v & 0xFF); }
constexpr BYTE HIBYTE(std::uintptr_t v) { return BYTE((v >> 8) & 0xFF); }
constexpr LONG MAKELONG(WORD lo, WORD hi) { return LONG(DWORD(lo) | (DWORD(hi) << 16)); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return WPARAM(DWORD(MAKELONG(lo, hi))); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return LPARAM(MAKELONG(lo, hi)); }
constexpr LRESULT MAKELRESULT(WORD lo, WORD hi) { return LRESULT(MAKELONG(lo, hi)); }
// Signed coordinates packed in an lParam (mouse messages).
constexpr int GET_X_LPARAM(LPARAM lp) { return int(SHORT(LOWORD(std::uintptr_t(lp)))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return int(SHORT(HIWORD(std::uintptr_t(lp)))); }
constexpr SHORT GET_WHEEL_DELTA_WPARAM(WPARAM wp) { return SHORT(HIWORD(wp)); }
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM wp) { return LOWORD(wp); }
inline LPCSTR MAKEINTRESOURCEA(std::uintptr_t id) { return reinterpret_cast<LPCSTR>(id & 0xFFFF); }
inline bool IS_INTRESOURCE(LPCSTR p) { return (reinterpret_cast<std::uintptr_t>(p) >> 16) == 0; }

}  // namespace win
