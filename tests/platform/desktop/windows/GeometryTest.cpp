// Positions, showing and minimising, scroll bars, scrolling, metrics and monitors.
#include "tests/platform/desktop/Recorder.h"

using namespace win;
using namespace rec;

namespace {

class GeometryTest : public DesktopTest {};

TEST_F(GeometryTest, CoordinatesThroughNestedChildren) {
  HWND top = Top(100, 50, 400, 300, WS_POPUP | WS_VISIBLE | WS_BORDER);
  HWND a = Child(top, 10, 20, 200, 100, WS_CHILD | WS_VISIBLE, 0);
  HWND b = Child(a, 5, 5, 50, 50);
  POINT p{1, 2};
  ClientToScreen(b, &p);
  EXPECT_EQ(p, (POINT{100 + 1 + 10 + 5 + 1, 50 + 1 + 20 + 5 + 2}));
  ScreenToClient(b, &p);
  EXPECT_EQ(p, (POINT{1, 2}));
  RECT r;
  GetWindowRect(b, &r);
  EXPECT_EQ(r, (RECT{116, 76, 166, 126}));
  POINT q[2] = {{0, 0}, {3, 3}};
  MapWindowPoints(b, top, q, 2);
  EXPECT_EQ(q[1], (POINT{18, 28}));
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{15, 25}), a);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{300, 250}), top);
  RECT adj{0, 0, 100, 50};
  AdjustWindowRectEx(&adj, WS_POPUP | WS_BORDER, FALSE, WS_EX_CLIENTEDGE);
  EXPECT_EQ(adj, (RECT{-3, -3, 103, 53}));
}

TEST_F(GeometryTest, SetWindowPosMessagesAndChanges) {
  HWND h = Top(0, 0, 100, 100);
  Handlers()[h] = [](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(l)->cx = 150;  // handlers can adjust
    return std::nullopt;
  };
  Log().clear();
  SetWindowPos(h, nullptr, 10, 20, 120, 80, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Messages(h, {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
            (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r, (RECT{10, 20, 160, 100}));
  auto size = Entries({WM_SIZE});
  EXPECT_EQ(size[0].wParam, SIZE_RESTORED);
  EXPECT_EQ(LOWORD(size[0].lParam), 150);
  // Moving only: no WM_SIZE.
  Log().clear();
  MoveWindow(h, 30, 20, 150, 80, TRUE);
  EXPECT_EQ(Messages(h, {WM_MOVE, WM_SIZE}), (std::vector<UINT>{WM_MOVE}));
}

TEST_F(GeometryTest, ZOrderWithTopmostWindows) {
  HWND a = Top(0, 0, 10, 10);
  HWND t = Top(0, 0, 10, 10, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
  HWND b = Top(0, 0, 10, 10);
  EXPECT_EQ(GetTopWindow(nullptr), t);  // a topmost window stays above
  EXPECT_EQ(GetWindow(t, GW_HWNDNEXT), b);
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(t, GW_HWNDNEXT), a);
  SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetTopWindow(nullptr), b);
  EXPECT_TRUE(GetWindowLongA(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(a, GW_HWNDLAST), b);
  EXPECT_EQ(WindowFromPoint(POINT{5, 5}), t);
}

TEST_F(GeometryTest, MinimiseAndRestoreWithAnOwnedWindow) {
  HWND app = Top(200, 200, 0, 0, WS_POPUP | WS_VISIBLE);  // the application's window
  HWND form = Top(50, 60, 300, 200, WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, app);
  Log().clear();
  ShowWindow(app, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(app));
  auto sizes = Entries({WM_SIZE});
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().hwnd, app);
  EXPECT_EQ(sizes.back().wParam, SIZE_MINIMIZED);
  // The owned form hears why it is hidden.
  auto shows = Entries({WM_SHOWWINDOW});
  ASSERT_EQ(shows.size(), 1u);
  EXPECT_EQ(shows[0].hwnd, form);
  EXPECT_EQ(shows[0].wParam, WPARAM(FALSE));
  EXPECT_EQ(shows[0].lParam, SW_PARENTCLOSING);
  EXPECT_FALSE(IsWindowVisible(form));
  EXPECT_NE(GetActiveWindow(), app);
  WINDOWPLACEMENT wp;
  GetWindowPlacement(app, &wp);
  EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMINIMIZED));
  EXPECT_EQ(wp.rcNormalPosition, (RECT{200, 200, 200, 200}));
  Log().clear();
  ShowWindow(app, SW_RESTORE);
  EXPECT_FALSE(IsIconic(app));
  EXPECT_TRUE(IsWindowVisible(form));
  shows = Entries({WM_SHOWWINDOW});
  ASSERT_EQ(shows.size(), 1u);
  EXPECT_EQ(shows[0].lParam, SW_PARENTOPENING);
  RECT r;
  GetWindowRect(form, &r);
  EXPECT_EQ(r, (RECT{50, 60, 350, 260}));
  // The default handling of the system command minimises too.
  SendMessageA(form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(form));
  SendMessageA(form, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(form));
  // Hiding reports the previous visibility.
  EXPECT_TRUE(ShowWindow(form, SW_HIDE));
  EXPECT_FALSE(ShowWindow(form, SW_HIDE));
  // WM_CLOSE destroys by default.
  SendMessageA(form, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(form));
}

TEST_F(GeometryTest, ScrollBarsShowHideAndClamp) {
  HWND h = Top(0, 0, 200, 100);
  RECT c;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 99;
  si.nPage = 10;
  si.nPos = 95;
  Log().clear();
  EXPECT_EQ(SetScrollInfo(h, SB_VERT, &si, TRUE), 90);  // the last page starts at 90
  EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL);
  GetClientRect(h, &c);
  EXPECT_EQ(c.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(Messages(h, {WM_SIZE}).size(), 1u);  // the client area shrank
  SCROLLINFO got;
  got.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(h, SB_VERT, &got));
  EXPECT_EQ(got.nPos, 90);
  EXPECT_EQ(got.nTrackPos, 90);
  EXPECT_EQ(got.nPage, 10u);
  // A page covering the whole range hides the bar, or disables it on request.
  si.fMask = SIF_PAGE;
  si.nPage = 100;
  SetScrollInfo(h, SB_VERT, &si, TRUE);
  EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 0);
  si.fMask = SIF_PAGE | SIF_DISABLENOSCROLL;
  SetScrollInfo(h, SB_VERT, &si, TRUE);
  EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(GetScrollBarDisabledArrows(h, SB_VERT), ESB_DISABLE_BOTH);
  // Position and range calls.
  SetScrollRange(h, SB_HORZ, 0, 50, TRUE);
  EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_HSCROLL);
  EXPECT_EQ(SetScrollPos(h, SB_HORZ, 80, TRUE), 0);
  EXPECT_EQ(GetScrollPos(h, SB_HORZ), 50);
  // A scroll-bar control keeps its own information and never changes its style.
  HWND bar = Child(h, 0, 0, 100, 16);
  si.fMask = SIF_ALL;
  si.nMin = 0;
  si.nMax = 20;
  si.nPage = 5;
  si.nPos = 30;
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &si, TRUE), 16);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 16);
  EXPECT_FALSE(GetWindowLongA(bar, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
  EXPECT_TRUE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_LEFT));
  EXPECT_EQ(GetScrollBarDisabledArrows(bar, SB_CTL), ESB_DISABLE_LEFT);
  ShowScrollBar(h, SB_BOTH, FALSE);
  GetClientRect(h, &c);
  EXPECT_EQ(c, (RECT{0, 0, 200, 100}));
}

TEST_F(GeometryTest, ScrollWindowMovesChildrenAndInvalidatesTheUncoveredStrip) {
  HWND h = Top(0, 0, 200, 100);
  HWND child = Child(h, 10, 40, 20, 20);
  headless::ProcessMessages();
  RECT upd;
  // Without a pixel hook the whole area is redrawn.
  ScrollWindowEx(h, 0, -10, nullptr, nullptr, nullptr, &upd, SW_INVALIDATE | SW_SCROLLCHILDREN);
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(upd, client);
  RECT cr;
  GetWindowRect(child, &cr);
  EXPECT_EQ(cr.top, 30);
  ValidateRect(h, nullptr);
  // With one, only the uncovered strip.
  int moved = 0;
  GraphicsHooks hooks;
  hooks.ScrollPixels = [&](HWND, int, int dy, const RECT&) { moved += dy; };
  SetGraphicsHooks(hooks);
  EXPECT_EQ(ScrollWindowEx(h, 0, -10, nullptr, nullptr, nullptr, &upd, SW_INVALIDATE), SIMPLEREGION);
  EXPECT_EQ(moved, -10);
  EXPECT_EQ(upd, (RECT{0, client.bottom - 10, client.right, client.bottom}));
  RECT u;
  GetUpdateRect(h, &u, FALSE);
  EXPECT_EQ(u, upd);
  EXPECT_EQ(ScrollWindowEx(h, 0, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE), NULLREGION);
  SetGraphicsHooks({});
}

TEST_F(GeometryTest, MonitorsAndMetrics) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(work, (RECT{0, 0, 1024, 728}));
  UINT lines = 0;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(lines, 3u);
  headless::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 728}}, {{-1280, 0, 0, 1024}, {-1280, 0, 0, 1000}}});
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
  EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1280);
  struct Case {
    RECT Rect;
    DWORD Flags;
    int Expected;  // monitor index, -1 for none
  };
  const Case cases[] = {
      {{10, 10, 50, 50}, MONITOR_DEFAULTTONULL, 0},
      {{-500, 10, -400, 50}, MONITOR_DEFAULTTONULL, 1},
      {{-100, 10, 300, 50}, MONITOR_DEFAULTTONULL, 0},  // most of it on the primary
      {{-3000, 10, -2900, 50}, MONITOR_DEFAULTTONULL, -1},
      {{-3000, 10, -2900, 50}, MONITOR_DEFAULTTONEAREST, 1},
      {{5000, 10, 5100, 50}, MONITOR_DEFAULTTONEAREST, 0},
      {{-3000, 10, -2900, 50}, MONITOR_DEFAULTTOPRIMARY, 0},
  };
  for (const Case& c : cases) {
    HMONITOR m = MonitorFromRect(&c.Rect, c.Flags);
    if (c.Expected < 0) {
      EXPECT_EQ(m, nullptr);
      continue;
    }
    MONITORINFO mi;
    ASSERT_TRUE(GetMonitorInfoA(m, &mi));
    EXPECT_EQ(mi.dwFlags == MONITORINFOF_PRIMARY, c.Expected == 0) << c.Rect.left;
    EXPECT_EQ(mi.rcWork.left, c.Expected == 0 ? 0 : -1280);
  }
}

TEST_F(GeometryTest, CursorsByIdAndByName) {
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), arrow);
  EXPECT_NE(LoadCursor(nullptr, IDC_SIZEWE), arrow);
  EXPECT_EQ(LoadCursorA(nullptr, "GRIDMOVE"), nullptr);
  CursorImage img;
  img.Width = img.Height = 32;
  img.HotX = 3;
  HCURSOR named = RegisterCursorResource("GridMove", img);
  EXPECT_EQ(LoadCursorA(nullptr, "gridmove"), named);
  EXPECT_EQ(GetCursorImage(named)->HotX, 3);
  SetCursor(named);
  EXPECT_EQ(GetCursor(), named);
  EXPECT_TRUE(DestroyCursor(named));  // shared: stays loaded
  EXPECT_EQ(LoadCursorA(nullptr, "GRIDMOVE"), named);
  // The class cursor is set over the client area.
  WNDCLASSA wc;
  wc.lpfnWndProc = &DefWindowProcA;
  wc.hCursor = named;
  wc.lpszClassName = "CursorClass";
  RegisterClassA(&wc);
  CreateWindowExA(0, "CursorClass", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  SetCursor(arrow);
  headless::MouseMove(10, 10);
  EXPECT_EQ(GetCursor(), named);
}

}  // namespace
