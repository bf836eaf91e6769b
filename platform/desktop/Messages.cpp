// The message queue: sending, posting, retrieving and dispatching messages, registered
// message numbers, and timers.
#include <algorithm>

#include "platform/desktop/internal/HeadlessBackend.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Utf8.h"

namespace win {
using namespace detail;

namespace detail {

void Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  State& s = S();
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = TickCount();
  m.pt = s.Cursor;
  s.Queue.push_back(m);
  NoteActivity();
}

void RemoveMessagesFor(HWND hwnd) {
  auto& q = S().Queue;
  q.erase(std::remove_if(q.begin(), q.end(), [&](const MSG& m) { return m.hwnd == hwnd; }), q.end());
}

void KillTimersOf(HWND hwnd) {
  auto& t = S().Timers;
  t.erase(std::remove_if(t.begin(), t.end(), [&](const Timer& x) { return x.Window == hwnd; }), t.end());
}

void ResetTimersAndQueue() {
  State& s = S();
  s.Queue.clear();
  s.QuitPending = false;
  s.QuitCode = 0;
  s.Timers.clear();
  s.ManualNow = 0;
  s.ClockBase = 0;
  s.LastMessageTime = 0;
  s.LastMessagePos = POINT{};
  s.IdleHandler = nullptr;
}

}  // namespace detail

namespace {
// Registered names (window messages and clipboard formats share them).
// The name each registered number was first registered with, as written.
std::map<UINT, std::string>& RegisteredNames() {
  static std::map<UINT, std::string> names;
  return names;
}

std::map<std::string, UINT>& Registered() {
  static std::map<std::string, UINT> names;
  return names;
}

std::vector<HWND> BroadcastTargets() {
  std::vector<HWND> list;
  for (HWND h : S().TopLevels)
    if (Window* w = Find(h); w && !w->Destroying) list.push_back(h);
  return list;
}

bool MatchesWindow(HWND msgWindow, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(std::intptr_t(-1))) return msgWindow == nullptr;
  return msgWindow == filter || IsDescendant(filter, msgWindow);
}

bool InRange(UINT msg, UINT lo, UINT hi) {
  if (lo == 0 && hi == 0) return true;
  if (lo > hi) return msg >= lo || msg <= hi;
  return msg >= lo && msg <= hi;
}

// Marks timers whose time has come as pending.
void UpdateTimers() {
  std::uint64_t now = Now64();
  for (Timer& t : S().Timers) {
    if (t.Next <= now) {
      if (!t.Pending) {
        t.Pending = true;
        t.DueAt = t.Next;
      }
      t.Next = now + t.Interval;
    }
  }
}

// The first window (parents before children, topmost first) that needs painting.
HWND FindPaintWindow(const std::vector<HWND>& list, HWND filter) {
  for (HWND h : list) {
    Window* w = Find(h);
    if (!w || !(w->Style & WS_VISIBLE)) continue;
    if ((!w->Update.Empty() || w->InternalPaint) && MatchesWindow(h, filter)) return h;
    if (HWND c = FindPaintWindow(w->Children, filter)) return c;
  }
  return nullptr;
}

void NoteRetrieved(const MSG& m) {
  S().LastMessageTime = m.time;
  S().LastMessagePos = m.pt;
}
}  // namespace

UINT RegisterWindowMessageA(LPCSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& names = Registered();
  std::string key = Lower(name);
  auto it = names.find(key);
  if (it != names.end()) return it->second;
  UINT id = UINT(0xC000 + names.size());
  if (id > 0xFFFF) return 0;
  names[key] = id;
  RegisteredNames()[id] = name;
  return id;
}

UINT RegisterClipboardFormatA(LPCSTR name) { return RegisterWindowMessageA(name); }

int GetClipboardFormatNameA(UINT format, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  auto it = RegisteredNames().find(format);
  if (it == RegisteredNames().end()) return 0;
  std::string n = Utf8Truncate(it->second, std::size_t(size - 1));
  std::copy(n.begin(), n.end(), buffer);
  buffer[n.size()] = 0;
  return int(n.size());
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    for (HWND h : BroadcastTargets())
      if (Find(h)) SendMessageA(h, msg, wParam, lParam);
    return 0;
  }
  Window* w = Get(hwnd);
  if (!w) return 0;
  NoteActivity();
  State& s = S();
  ++s.SendDepth;
  struct Depth {
    ~Depth() { --S().SendDepth; }
  } depth;
  WNDPROC proc = w->Proc;
  return proc ? proc(hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
}

BOOL SendNotifyMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd != HWND_BROADCAST && !Get(hwnd)) return FALSE;
  SendMessageA(hwnd, msg, wParam, lParam);
  return TRUE;
}

BOOL InSendMessage() { return FALSE; }

LRESULT SendMessageTimeoutA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT, UINT, DWORD_PTR* result) {
  if (hwnd != HWND_BROADCAST && !Get(hwnd)) return 0;
  LRESULT r = SendMessageA(hwnd, msg, wParam, lParam);
  if (result) *result = DWORD_PTR(r);
  return 1;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  if (!Get(hwnd)) return 0;
  if (processId) *processId = GetCurrentProcessId();
  return GetCurrentThreadId();
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    for (HWND h : BroadcastTargets()) Post(h, msg, wParam, lParam);
    return TRUE;
  }
  if (hwnd && !Get(hwnd)) return FALSE;
  Post(hwnd, msg, wParam, lParam);
  return TRUE;
}

BOOL PostThreadMessageA(DWORD, UINT msg, WPARAM wParam, LPARAM lParam) {
  Post(nullptr, msg, wParam, lParam);
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  S().QuitPending = true;
  S().QuitCode = exitCode;
  NoteActivity();
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  State& s = S();
  bool remove = (removeFlags & PM_REMOVE) != 0;
  auto& q = s.Queue;
  for (auto it = q.begin(); it != q.end(); ++it) {
    if (!MatchesWindow(it->hwnd, hwnd) || !InRange(it->message, filterMin, filterMax)) continue;
    MSG m = *it;
    if (remove) q.erase(it);
    NoteRetrieved(m);
    if (msg) *msg = m;
    return TRUE;
  }
  if (s.QuitPending) {
    MSG m;
    m.message = WM_QUIT;
    m.wParam = WPARAM(s.QuitCode);
    m.time = TickCount();
    m.pt = s.Cursor;
    if (remove) s.QuitPending = false;
    NoteRetrieved(m);
    if (msg) *msg = m;
    return TRUE;
  }
  if (InRange(WM_PAINT, filterMin, filterMax)) {
    if (HWND p = FindPaintWindow(s.TopLevels, hwnd)) {
      MSG m;
      m.hwnd = p;
      m.message = WM_PAINT;
      m.time = TickCount();
      m.pt = s.Cursor;
      if (Window* pw = Find(p)) pw->InternalPaint = false;
      NoteRetrieved(m);
      if (msg) *msg = m;
      return TRUE;
    }
  }
  if (InRange(WM_TIMER, filterMin, filterMax)) {
    UpdateTimers();
    Timer* best = nullptr;
    for (Timer& t : s.Timers)
      if (t.Pending && MatchesWindow(t.Window, hwnd) && (!best || t.DueAt < best->DueAt)) best = &t;
    if (best) {
      MSG m;
      m.hwnd = best->Window;
      m.message = WM_TIMER;
      m.wParam = best->Id;
      m.lParam = reinterpret_cast<LPARAM>(best->Proc);
      m.time = TickCount();
      m.pt = s.Cursor;
      if (remove) best->Pending = false;
      NoteRetrieved(m);
      if (msg) *msg = m;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  MSG local;
  MSG* out = msg ? msg : &local;
  for (;;) {
    if (PeekMessageA(out, hwnd, filterMin, filterMax, PM_REMOVE)) return out->message != WM_QUIT;
    Backend& b = CurrentBackend();
    if (b.UsesManualClock()) {
      State& s = S();
      std::uint64_t before = s.Activity;
      std::uint64_t clockBefore = s.ManualNow;
      if (s.IdleHandler) {
        auto handler = s.IdleHandler;
        handler();
      }
      if (S().Activity == before && S().ManualNow == clockBefore)
        throw EInvalidOperation(
            "GetMessage would wait forever: nothing is queued on the headless desktop");
      continue;
    }
    // Wait until the next timer is due, or for outside events.
    int timeout = -1;
    std::uint64_t now = Now64();
    for (const Timer& t : S().Timers) {
      int left = t.Next > now ? int(std::min<std::uint64_t>(t.Next - now, 0x7FFFFFFF)) : 0;
      timeout = timeout < 0 ? left : std::min(timeout, left);
    }
    b.WaitForEvents(timeout);
  }
}

BOOL WaitMessage() {
  MSG m;
  if (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  if (CurrentBackend().UsesManualClock()) return TRUE;
  CurrentBackend().WaitForEvents(-1);
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  NoteActivity();
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, TickCount());
    return 0;
  }
  if (!msg->hwnd) return 0;
  Window* w = Find(msg->hwnd);
  if (!w) return 0;
  if (FollowScrollTracking(*msg)) return 0;
  if (msg->message == WM_PAINT) {
    PaintFrame(msg->hwnd);
    if (!Find(msg->hwnd)) return 0;
  }
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessageTime() { return S().LastMessageTime; }

DWORD GetMessagePos() {
  POINT p = S().LastMessagePos;
  return DWORD(MAKELONG(WORD(SHORT(p.x)), WORD(SHORT(p.y))));
}

// ---- timers ----
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  if (hwnd && !Get(hwnd)) return 0;
  State& s = S();
  UINT interval = std::clamp<UINT>(elapseMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  if (!hwnd) {
    auto it = std::find_if(s.Timers.begin(), s.Timers.end(),
                           [&](const Timer& t) { return !t.Window && t.Id == id && id; });
    if (it == s.Timers.end()) id = s.NextThreadTimer++;
  }
  std::uint64_t now = Now64();
  for (Timer& t : s.Timers) {
    if (t.Window == hwnd && t.Id == id) {
      t.Interval = interval;
      t.Next = now + interval;
      t.Pending = false;
      t.Proc = proc;
      return hwnd ? 1 : id;
    }
  }
  Timer t;
  t.Window = hwnd;
  t.Id = id;
  t.Interval = interval;
  t.Next = now + interval;
  t.Proc = proc;
  s.Timers.push_back(t);
  return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  auto& ts = S().Timers;
  auto it = std::find_if(ts.begin(), ts.end(), [&](const Timer& t) { return t.Window == hwnd && t.Id == id; });
  if (it == ts.end()) return FALSE;
  ts.erase(it);
  return TRUE;
}

DWORD GetTickCount() { return TickCount(); }

UINT GetDoubleClickTime() { return 500; }

// ---- headless loop control ----
namespace headless {

int ProcessMessages() {
  int count = 0;
  int samePaint = 0;
  HWND lastPaint = nullptr;
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      // Leave it for the loop that owns it.
      PostQuitMessage(int(m.wParam));
      break;
    }
    if (m.message == WM_PAINT && m.hwnd == lastPaint) {
      if (++samePaint > 1000) throw EInvalidOperation("A window's WM_PAINT handler never validates it");
    } else {
      samePaint = 0;
      lastPaint = m.message == WM_PAINT ? m.hwnd : nullptr;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
    ++count;
  }
  return count;
}

void AdvanceClock(DWORD ms) {
  State& s = S();
  std::uint64_t target = s.ManualNow + ms;
  ProcessMessages();
  for (;;) {
    std::uint64_t next = target;
    for (const Timer& t : s.Timers) next = std::min(next, t.Next);
    if (next > s.ManualNow) s.ManualNow = next;
    ProcessMessages();
    if (s.QuitPending) {
      // The loop is ending: time passes without dispatching.
      s.ManualNow = std::max(s.ManualNow, target);
      break;
    }
    if (s.ManualNow >= target) {
      // Timers that came due exactly at the target are served by the last pass.
      bool due = std::any_of(s.Timers.begin(), s.Timers.end(),
                             [&](const Timer& t) { return t.Next <= s.ManualNow; });
      if (!due) break;
    }
  }
}

void SetClock(DWORD now) {
  State& s = S();
  s.ClockBase = DWORD(now - DWORD(s.ManualNow));
}

void SetIdleHandler(std::function<void()> handler) { S().IdleHandler = std::move(handler); }

void UseRealClock(bool real) { Headless().RealClock = real; }

}  // namespace headless
}  // namespace win
