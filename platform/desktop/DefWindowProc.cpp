// The default handling of messages.
#include <algorithm>
#include <cstring>

#include "platform/desktop/internal/State.h"
#include "platform/rtl/Utf8.h"

namespace win {
using namespace detail;

namespace {
LRESULT HitTest(Window& w, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  POINT o = ScreenOrigin(w);
  int x = pt.x - o.x, y = pt.y - o.y;
  RECT wr{0, 0, w.Rect.right - w.Rect.left, w.Rect.bottom - w.Rect.top};
  if (!RectContains(wr, x, y)) return HTNOWHERE;
  if (RectContains(w.Client, x, y)) return HTCLIENT;
  if (w.Style & WS_MINIMIZE) return HTCAPTION;
  RECT inner = DefaultClientRect(w, wr);
  // Scroll bars sit just outside the client area.
  if ((w.Style & WS_VSCROLL) && y >= w.Client.top && y < w.Client.bottom) {
    bool left = (w.ExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    if (left ? (x < w.Client.left && x >= w.Client.left - GetSystemMetrics(SM_CXVSCROLL))
             : (x >= w.Client.right && x < w.Client.right + GetSystemMetrics(SM_CXVSCROLL)))
      return HTVSCROLL;
  }
  if ((w.Style & WS_HSCROLL) && y >= w.Client.bottom &&
      y < w.Client.bottom + GetSystemMetrics(SM_CYHSCROLL) && x >= w.Client.left && x < w.Client.right)
    return HTHSCROLL;
  if ((w.Style & WS_CAPTION) == WS_CAPTION && y < inner.top && y >= inner.top - GetSystemMetrics(SM_CYCAPTION) &&
      x >= inner.left && x < inner.right)
    return HTCAPTION;
  if (w.Style & WS_THICKFRAME) {
    bool l = x < inner.left, r = x >= inner.right, t = y < inner.top, b = y >= inner.bottom;
    if (t && l) return HTTOPLEFT;
    if (t && r) return HTTOPRIGHT;
    if (b && l) return HTBOTTOMLEFT;
    if (b && r) return HTBOTTOMRIGHT;
    if (l) return HTLEFT;
    if (r) return HTRIGHT;
    if (t) return HTTOP;
    if (b) return HTBOTTOM;
  }
  return HTBORDER;
}

std::size_t CopyText(const std::string& text, WPARAM size, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  std::string cut = Utf8Truncate(text, std::size_t(size - 1));
  std::memcpy(out, cut.data(), cut.size());
  out[cut.size()] = 0;
  return cut.size();
}
}  // namespace

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->Text = cs->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      RECT* r = reinterpret_cast<RECT*>(lParam);  // rgrc[0] comes first in both forms
      if (!r) return 0;
      RECT win = *r;
      RECT c = DefaultClientRect(*w, win);
      *r = c;
      return 0;
    }
    case WM_NCHITTEST: return HitTest(*w, lParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTVSCROLL || wParam == HTHSCROLL)
        StartScrollTracking(hwnd, wParam == HTVSCROLL ? SB_VERT : SB_HORZ,
                            POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
        case SC_CLOSE: SendMessageA(hwnd, WM_CLOSE, 0, 0); return 0;
      }
      return 0;
    case WM_SETCURSOR:
      if (w->Parent && SendMessageA(w->Parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
      if (reinterpret_cast<HWND>(wParam) != hwnd || !(w = Find(hwnd))) return FALSE;
      if (LOWORD(lParam) == HTCLIENT && w->Class->Cursor) {
        SetCursor(w->Class->Cursor);
        return TRUE;
      }
      if (LOWORD(lParam) != HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(IDC_ARROW)));
        return TRUE;
      }
      return FALSE;
    case WM_MOUSEACTIVATE:
      if (w->Parent && (w->Style & WS_CHILD)) {
        LRESULT r = SendMessageA(w->Parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !(w->Style & WS_MINIMIZE)) SetFocus(hwnd);
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_CONTEXTMENU:
      if (w->Parent && (w->Style & WS_CHILD)) return SendMessageA(w->Parent, msg, wParam, lParam);
      return 0;
    case WM_CANCELMODE:
      if (S().Capture == hwnd) ReleaseCapture();
      return 0;
    case WM_GETDLGCODE: return 0;
    case WM_ERASEBKGND: {
      HBRUSH brush = w->Class->Background;
      if (!brush) return 0;
      if (auto& erase = S().Hooks.EraseBackground) return erase(hwnd, reinterpret_cast<HDC>(wParam), brush);
      return 1;
    }
    case WM_PAINT: {
      // Without drawing, the default just takes the update region away.
      ValidateRect(hwnd, nullptr);
      return 0;
    }
    case WM_NCPAINT:
      w->FrameDirty = false;
      if ((w->Style & (WS_VSCROLL | WS_HSCROLL)) && S().Hooks.PaintScrollBars) S().Hooks.PaintScrollBars(hwnd);
      return 0;
    case WM_NCACTIVATE: return TRUE;
    case WM_GETTEXT: return LRESULT(CopyText(w->Text, wParam, lParam));
    case WM_GETTEXTLENGTH: return LRESULT(w->Text.size());
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      w->Text = text ? text : "";
      return TRUE;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!wp) return 0;
      if (!(wp->flags & SWP_NOMOVE))
        SendMessageA(hwnd, WM_MOVE, 0,
                     MAKELPARAM(WORD(SHORT(w->Rect.left + w->Client.left)),
                                WORD(SHORT(w->Rect.top + w->Client.top))));
      if (!(wp->flags & SWP_NOSIZE) && (w = Find(hwnd))) {
        WPARAM kind = (w->Style & WS_MINIMIZE) ? SIZE_MINIMIZED
                      : (w->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                 : SIZE_RESTORED;
        SendMessageA(hwnd, WM_SIZE, kind,
                     MAKELPARAM(WORD(w->Client.right - w->Client.left), WORD(w->Client.bottom - w->Client.top)));
      }
      return 0;
    }
    case WM_GETMINMAXINFO: {
      auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
      if (!mmi) return 0;
      RECT work;
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
      mmi->ptMaxSize = POINT{work.right - work.left, work.bottom - work.top};
      mmi->ptMaxPosition = POINT{work.left, work.top};
      mmi->ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
      mmi->ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
      return 0;
    }
    case WM_SETREDRAW:
      // Redraw off hides the window from painting without telling anyone, as the system does.
      if (wParam) w->Style |= WS_VISIBLE;
      else w->Style &= ~WS_VISIBLE;
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_SHOWWINDOW:
    case WM_NCDESTROY:
    case WM_DESTROY:
    default:
      return 0;
  }
}

}  // namespace win
