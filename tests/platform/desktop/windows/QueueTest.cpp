// The message queue and timers on the manual clock.
#include "tests/platform/desktop/Recorder.h"
#include "platform/rtl/Exceptions.h"

using namespace win;
using namespace rec;

namespace {

class QueueTest : public DesktopTest {};

TEST_F(QueueTest, PeekFiltersAndQuitIgnoresFilters) {
  HWND a = Top(0, 0, 10, 10, WS_POPUP);
  HWND b = Top(0, 0, 10, 10, WS_POPUP);
  PostMessageA(a, WM_USER + 1, 1, 0);
  PostMessageA(b, WM_USER + 2, 2, 0);
  PostMessageA(a, WM_USER + 3, 3, 0);
  MSG m;
  // Window filter.
  ASSERT_TRUE(PeekMessageA(&m, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 2u);
  // Range filter, without removing.
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_USER + 3, WM_USER + 3, PM_NOREMOVE));
  EXPECT_EQ(m.wParam, 3u);
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 1u);  // posting order kept
  PostQuitMessage(5);
  // WM_QUIT comes after the posted messages, whatever the filter asks for.
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 5u);
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 3u);
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  // Posting to a destroyed window fails; its queued messages go with it.
  PostMessageA(a, WM_USER, 0, 0);
  DestroyWindow(a);
  EXPECT_FALSE(PostMessageA(a, WM_USER, 0, 0));
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, GetMessageOnTheHeadlessDesktop) {
  HWND h = Top(0, 0, 10, 10, WS_POPUP);
  MSG m;
  // Nothing to do and nobody to ask: it raises instead of hanging.
  EXPECT_THROW(GetMessageA(&m, nullptr, 0, 0), EInvalidOperation);
  // The idle handler drives a nested loop: a timer fires, then the loop is told to end.
  SetTimer(h, 9, 250, nullptr);
  int idleCalls = 0;
  headless::SetIdleHandler([&] {
    if (++idleCalls == 1) headless::AdvanceClock(250);
    else PostQuitMessage(3);
  });
  int timers = 0;
  Handlers()[h] = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_TIMER) ++timers;
    return std::nullopt;
  };
  while (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_EQ(timers, 1);
}

struct TimerEvent {
  DWORD Time;
  UINT_PTR Id;
  bool operator==(const TimerEvent&) const = default;
};

TEST_F(QueueTest, TimersOnTheManualClock) {
  struct Case {
    const char* Name;
    std::function<void(HWND)> Script;
    std::vector<TimerEvent> Expected;
  };
  using headless::AdvanceClock;
  std::vector<Case> cases = {
      {"start", [](HWND h) { SetTimer(h, 1, 100, nullptr); AdvanceClock(350); },
       {{100, 1}, {200, 1}, {300, 1}}},
      {"restart keeps id, new period from now",
       [](HWND h) {
         SetTimer(h, 1, 100, nullptr);
         AdvanceClock(50);
         SetTimer(h, 1, 100, nullptr);
         AdvanceClock(200);
       },
       {{150, 1}, {250, 1}}},
      {"interval change",
       [](HWND h) {
         SetTimer(h, 1, 100, nullptr);
         AdvanceClock(100);
         SetTimer(h, 1, 250, nullptr);
         AdvanceClock(500);
       },
       {{100, 1}, {350, 1}, {600, 1}}},
      {"kill", [](HWND h) { SetTimer(h, 1, 100, nullptr); AdvanceClock(150); KillTimer(h, 1); AdvanceClock(500); },
       {{100, 1}}},
      {"several interleave",
       [](HWND h) {
         SetTimer(h, 1, 30, nullptr);
         SetTimer(h, 2, 50, nullptr);
         AdvanceClock(100);
       },
       {{30, 1}, {50, 2}, {60, 1}, {90, 1}, {100, 2}}},
      {"zero means the shortest interval", [](HWND h) { SetTimer(h, 4, 0, nullptr); AdvanceClock(25); },
       {{10, 4}, {20, 4}}},
  };
  for (const Case& c : cases) {
    headless::Reset();
    HWND h = Top(0, 0, 10, 10, WS_POPUP);
    std::vector<TimerEvent> got;
    Handlers()[h] = [&](HWND, UINT msg, WPARAM w, LPARAM) -> std::optional<LRESULT> {
      if (msg == WM_TIMER) got.push_back({GetTickCount(), w});
      return std::nullopt;
    };
    c.Script(h);
    EXPECT_EQ(got, c.Expected) << c.Name;
  }
}

TEST_F(QueueTest, TimerHandlerKillingItselfAndAnotherStopsThem) {
  HWND h = Top(0, 0, 10, 10, WS_POPUP);
  int ticks = 0;
  Handlers()[h] = [&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_TIMER) {
      ++ticks;
      KillTimer(hwnd, 1);
      KillTimer(hwnd, 2);
    }
    return std::nullopt;
  };
  SetTimer(h, 1, 100, nullptr);
  SetTimer(h, 2, 100, nullptr);
  headless::AdvanceClock(1000);
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(KillTimer(h, 1));
  // Timers of a destroyed window stop too.
  SetTimer(h, 3, 10, nullptr);
  DestroyWindow(h);
  headless::AdvanceClock(100);
  EXPECT_EQ(ticks, 1);
}

TEST_F(QueueTest, TickCountWrapsAndMessageTimeFollows) {
  headless::SetClock(0xFFFFFFF0u);
  DWORD start = GetTickCount();
  HWND h = Top(0, 0, 10, 10, WS_POPUP);
  DWORD stamp = 0;
  Handlers()[h] = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_TIMER) stamp = GetMessageTime();
    return std::nullopt;
  };
  SetTimer(h, 1, 32, nullptr);
  headless::AdvanceClock(40);
  EXPECT_EQ(GetTickCount(), 0x18u);
  EXPECT_EQ(DWORD(GetTickCount() - start), 40u);
  EXPECT_EQ(stamp, 0x10u);
  EXPECT_EQ(GetDoubleClickTime(), 500u);
}

TEST_F(QueueTest, RegisteredMessagesShareNumbersByName) {
  UINT a = RegisterWindowMessageA("TaskbarCreated");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageA("taskbarcreated"), a);
  EXPECT_NE(RegisterWindowMessageA("Other"), a);
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST_F(QueueTest, PaintComesWhenTheQueueIsEmpty) {
  HWND top = Top(0, 0, 100, 100);
  HWND child = Child(top, 10, 10, 20, 20);
  headless::ProcessMessages();  // initial paint
  Log().clear();
  PostMessageA(top, WM_USER, 0, 0);
  RECT r{0, 0, 15, 15};
  InvalidateRect(top, &r, TRUE);
  RECT u;
  EXPECT_TRUE(GetUpdateRect(top, &u, FALSE));
  EXPECT_EQ(u, r);
  headless::ProcessMessages();
  // The posted message first, then the parent's paint, then the child's part of it.
  EXPECT_EQ(Messages(nullptr, {WM_USER, WM_PAINT}), (std::vector<UINT>{WM_USER, WM_PAINT, WM_PAINT}));
  EXPECT_EQ(Entries({WM_PAINT})[1].hwnd, child);
  EXPECT_FALSE(GetUpdateRect(top, &u, FALSE));
  // A parent that clips its children leaves them alone; a hidden window is not painted.
  SetWindowLongA(top, GWL_STYLE, GetWindowLongA(top, GWL_STYLE) | WS_CLIPCHILDREN);
  InvalidateRect(top, nullptr, FALSE);
  EXPECT_FALSE(GetUpdateRect(child, &u, FALSE));
  ShowWindow(top, SW_HIDE);
  Log().clear();
  headless::ProcessMessages();
  EXPECT_TRUE(Messages(nullptr, {WM_PAINT}).empty());
  ValidateRect(top, nullptr);
  ShowWindow(top, SW_SHOWNA);
  EXPECT_TRUE(GetUpdateRect(top, &u, FALSE));  // showing exposes the whole window
}

TEST_F(QueueTest, AWindowThatNeverValidatesItselfRaisesInsteadOfHanging) {
  HWND h = Top(0, 0, 50, 50);
  Handlers()[h] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_PAINT) return 0;  // forgets to validate
    return std::nullopt;
  };
  InvalidateRect(h, nullptr, TRUE);
  EXPECT_THROW(headless::ProcessMessages(), EInvalidOperation);
  ValidateRect(h, nullptr);
  EXPECT_EQ(headless::ProcessMessages(), 0);
}

TEST_F(QueueTest, ReparentingMovesTheWindowBetweenLists) {
  HWND a = Top(0, 0, 100, 100);
  HWND b = Top(200, 0, 100, 100);
  HWND c = Child(a, 10, 10, 20, 20);
  EXPECT_EQ(SetParent(c, b), a);
  EXPECT_EQ(GetParent(c), b);
  EXPECT_EQ(GetWindow(b, GW_CHILD), c);
  EXPECT_EQ(GetWindow(a, GW_CHILD), nullptr);
  RECT r;
  GetWindowRect(c, &r);
  EXPECT_EQ(r.left, 210);  // the position is kept relative to the new parent
  EXPECT_EQ(SetParent(b, c), nullptr);  // no cycles
  DestroyWindow(b);
  EXPECT_FALSE(IsWindow(c));
}

}  // namespace
