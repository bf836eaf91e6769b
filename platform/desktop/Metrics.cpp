// System metrics, system parameters and monitors.
#include <algorithm>
#include <climits>

#include "platform/desktop/internal/State.h"

namespace win {
using namespace detail;

namespace {
std::vector<Monitor>& Monitors() {
  auto& m = S().Monitors;
  if (m.empty()) m.push_back(Monitor{RECT{0, 0, 1024, 768}, RECT{0, 0, 1024, 728}});
  return m;
}

RECT VirtualScreen() {
  RECT r = Monitors().front().Bounds;
  for (const Monitor& m : Monitors()) {
    r.left = std::min(r.left, m.Bounds.left);
    r.top = std::min(r.top, m.Bounds.top);
    r.right = std::max(r.right, m.Bounds.right);
    r.bottom = std::max(r.bottom, m.Bounds.bottom);
  }
  return r;
}

HMONITOR Handle(std::size_t index) { return reinterpret_cast<HMONITOR>(std::uintptr_t(0x7000 + index)); }

HMONITOR Nearest(const RECT& r, DWORD flags, std::size_t best, long long area) {
  if (area > 0) return Handle(best);
  if (flags == MONITOR_DEFAULTTONULL) return nullptr;
  if (flags == MONITOR_DEFAULTTOPRIMARY) return Handle(0);
  // Nearest: the smallest distance between the rectangle and a monitor.
  long long bestDist = LLONG_MAX;
  std::size_t pick = 0;
  auto& ms = Monitors();
  for (std::size_t i = 0; i < ms.size(); ++i) {
    const RECT& b = ms[i].Bounds;
    long long dx = std::max<long long>({0, b.left - r.right + 1LL, r.left - b.right + 1LL});
    long long dy = std::max<long long>({0, b.top - r.bottom + 1LL, r.top - b.bottom + 1LL});
    long long d = dx * dx + dy * dy;
    if (d < bestDist) {
      bestDist = d;
      pick = i;
    }
  }
  return Handle(pick);
}
}  // namespace

namespace detail {
void ResetMetrics() { S().Monitors.clear(); }
}  // namespace detail

int GetSystemMetrics(int index) {
  const Monitor& primary = Monitors().front();
  RECT v = VirtualScreen();
  switch (index) {
    case SM_CXSCREEN: return primary.Bounds.right - primary.Bounds.left;
    case SM_CYSCREEN: return primary.Bounds.bottom - primary.Bounds.top;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 16;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CYSMCAPTION: return 15;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXFULLSCREEN: return primary.Work.right - primary.Work.left;
    case SM_CYFULLSCREEN: return primary.Work.bottom - primary.Work.top - 19;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXSIZE: case SM_CYSIZE: return 18;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    case SM_CXMAXIMIZED: return primary.Work.right - primary.Work.left + 8;
    case SM_CYMAXIMIZED: return primary.Work.bottom - primary.Work.top + 8;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_DBCSENABLED: return 1;
    case SM_XVIRTUALSCREEN: return v.left;
    case SM_YVIRTUALSCREEN: return v.top;
    case SM_CXVIRTUALSCREEN: return v.right - v.left;
    case SM_CYVIRTUALSCREEN: return v.bottom - v.top;
    case SM_CMONITORS: return int(Monitors().size());
    case SM_SAMEDISPLAYFORMAT: return 1;
  }
  return 0;
}

BOOL SystemParametersInfoA(UINT action, UINT, LPVOID pv, UINT) {
  switch (action) {
    case SPI_GETWORKAREA:
      if (!pv) return FALSE;
      *static_cast<RECT*>(pv) = Monitors().front().Work;
      return TRUE;
    case SPI_GETWHEELSCROLLLINES:
      if (!pv) return FALSE;
      *static_cast<UINT*>(pv) = 3;
      return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETBEEP:
      if (!pv) return FALSE;
      *static_cast<BOOL*>(pv) = TRUE;
      return TRUE;
    case SPI_GETFLATMENU:
    case SPI_GETCLEARTYPE:
      if (!pv) return FALSE;
      *static_cast<BOOL*>(pv) = FALSE;
      return TRUE;
    case SPI_GETKEYBOARDSPEED:
      if (!pv) return FALSE;
      *static_cast<DWORD*>(pv) = 31;
      return TRUE;
    case SPI_GETKEYBOARDDELAY:
      if (!pv) return FALSE;
      *static_cast<int*>(pv) = 1;
      return TRUE;
    case SPI_GETMENUSHOWDELAY:
      if (!pv) return FALSE;
      *static_cast<DWORD*>(pv) = 400;
      return TRUE;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
  if (!rect) return nullptr;
  auto& ms = Monitors();
  std::size_t best = 0;
  long long bestArea = 0;
  for (std::size_t i = 0; i < ms.size(); ++i) {
    RECT c = RectIntersect(*rect, ms[i].Bounds);
    long long a = (long long)(c.right - c.left) * (c.bottom - c.top);
    if (a > bestArea) {
      bestArea = a;
      best = i;
    }
  }
  return Nearest(*rect, flags, best, bestArea);
}

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
  RECT r{pt.x, pt.y, pt.x + 1, pt.y + 1};
  return MonitorFromRect(&r, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  Window* w = Find(hwnd);
  if (!w) return flags == MONITOR_DEFAULTTONULL ? nullptr : Handle(0);
  RECT r;
  if (w->Style & WS_MINIMIZE) r = w->NormalRect;
  else GetWindowRect(hwnd, &r);
  if (RectIsEmpty(r)) r = RECT{r.left, r.top, r.left + 1, r.top + 1};
  return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  std::size_t index = reinterpret_cast<std::uintptr_t>(monitor) - 0x7000;
  if (!info || !monitor || index >= Monitors().size()) return FALSE;
  info->rcMonitor = Monitors()[index].Bounds;
  info->rcWork = Monitors()[index].Work;
  info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}

namespace headless {
void SetMonitors(const std::vector<MonitorSetup>& monitors) {
  auto& m = S().Monitors;
  m.clear();
  for (const MonitorSetup& s : monitors) m.push_back(Monitor{s.Bounds, s.Work});
}
}  // namespace headless

}  // namespace win
