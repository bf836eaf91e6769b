// Creating and destroying windows, replacing window procedures, hidden message windows.
#include <string>

#include "tests/platform/desktop/Recorder.h"

using namespace win;
using namespace rec;

namespace {

class LifecycleTest : public DesktopTest {};

TEST_F(LifecycleTest, CreationSendsItsMessagesInOrder) {
  HWND top = Top(10, 20, 200, 100, WS_POPUP | WS_VISIBLE | WS_BORDER);
  ASSERT_TRUE(IsWindow(top));
  std::vector<UINT> expected = {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                                WM_SHOWWINDOW, WM_WINDOWPOSCHANGING};
  std::vector<UINT> got = Messages(top);
  ASSERT_GE(got.size(), expected.size());
  EXPECT_EQ(std::vector<UINT>(got.begin(), got.begin() + long(expected.size())), expected);
  EXPECT_NE(std::find(got.begin(), got.end(), WM_WINDOWPOSCHANGED), got.end());
  // Its border is painted as it shows; a window without a frame gets no WM_NCPAINT.
  EXPECT_EQ(Messages(top, {WM_NCPAINT}).size(), 1u);
  HWND bare = Top(0, 0, 10, 10);
  EXPECT_TRUE(Messages(bare, {WM_NCPAINT}).empty());
  EXPECT_EQ(GetWindowTextString(top), "top");
  RECT c;
  GetClientRect(top, &c);
  EXPECT_EQ(c.right, 198);  // one-pixel border on each side
  EXPECT_EQ(c.bottom, 98);
  EXPECT_EQ(GetActiveWindow(), bare);
}

TEST_F(LifecycleTest, FailedCreationLeavesNoWindow) {
  for (UINT failing : {WM_NCCREATE, WM_CREATE}) {
    Log().clear();
    NextHandler() = [failing](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m == failing) return failing == WM_CREATE ? -1 : 0;
      return std::nullopt;
    };
    HWND h = Top(0, 0, 10, 10);
    EXPECT_EQ(h, nullptr) << failing;
    std::vector<UINT> tail = Messages(nullptr, {WM_DESTROY, WM_NCDESTROY});
    if (failing == WM_CREATE) EXPECT_EQ(tail, (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
    else EXPECT_EQ(tail, (std::vector<UINT>{WM_NCDESTROY}));
    HWND created = Log().front().hwnd;
    EXPECT_FALSE(IsWindow(created));
  }
}

TEST_F(LifecycleTest, DestroyOrderParentFirstThenNcDestroyChildrenFirst) {
  HWND top = Top(0, 0, 300, 300);
  HWND a = Child(top, 0, 0, 100, 100);
  HWND a1 = Child(a, 0, 0, 10, 10);
  HWND owned = Top(50, 50, 20, 20, WS_POPUP | WS_VISIBLE, 0, 0, top);
  Log().clear();
  EXPECT_TRUE(DestroyWindow(top));
  std::vector<std::pair<HWND, UINT>> seq;
  for (const Entry& e : Entries({WM_DESTROY, WM_NCDESTROY})) seq.push_back({e.hwnd, e.msg});
  std::vector<std::pair<HWND, UINT>> expected = {{owned, WM_DESTROY}, {owned, WM_NCDESTROY}, {top, WM_DESTROY},
                                                 {a, WM_DESTROY},     {a1, WM_DESTROY},      {a1, WM_NCDESTROY},
                                                 {a, WM_NCDESTROY},   {top, WM_NCDESTROY}};
  EXPECT_EQ(seq, expected);
  for (HWND h : {top, a, a1, owned}) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_FALSE(DestroyWindow(top));
}

TEST_F(LifecycleTest, WindowStaysUsableDuringItsDestroyMessages) {
  HWND top = Top(0, 0, 100, 100);
  HWND child = Child(top, 5, 5, 10, 10);
  std::vector<BOOL> seen;
  Handlers()[top] = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_DESTROY) {
      seen.push_back(IsWindow(h));
      seen.push_back(IsWindow(child));
      DestroyWindow(h);  // re-entrant destruction is ignored
    }
    return std::nullopt;
  };
  DestroyWindow(top);
  EXPECT_EQ(seen, (std::vector<BOOL>{TRUE, TRUE}));
  EXPECT_FALSE(IsWindow(top));
}

// A procedure bound to a callable that logs its name and passes the message on.
struct Hook {
  std::string Name;
  WNDPROC Previous = nullptr;
  WNDPROC Own = nullptr;
  std::vector<std::string>* Trace;
  void Install(HWND h) {
    Own = MakeObjectInstance([this](HWND hwnd, UINT m, WPARAM w, LPARAM l) {
      if (m == WM_USER + 1) Trace->push_back(Name);
      return CallWindowProcA(Previous, hwnd, m, w, l);
    });
    Previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWL_WNDPROC));
    SetWindowLongPtrA(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Own));
  }
  void Remove(HWND h) {
    SetWindowLongPtrA(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
    FreeObjectInstance(Own);
  }
};

TEST_F(LifecycleTest, ChainOfReplacedProceduresPassesOnAndUnwinds) {
  HWND h = Top(0, 0, 50, 50);
  std::vector<std::string> trace;
  Handlers()[h] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER + 1) {
      trace.push_back("own");
      return 42;
    }
    return std::nullopt;
  };
  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWL_WNDPROC));
  Hook a{"a", nullptr, nullptr, &trace}, b{"b", nullptr, nullptr, &trace}, c{"c", nullptr, nullptr, &trace};
  a.Install(h);
  b.Install(h);
  c.Install(h);
  EXPECT_NE(a.Own, b.Own);
  EXPECT_EQ(SendMessageA(h, WM_USER + 1, 0, 0), 42);
  EXPECT_EQ(trace, (std::vector<std::string>{"c", "b", "a", "own"}));

  struct Step {
    Hook* Removed;
    std::vector<std::string> Expected;
  };
  // Unwinding in reverse order restores each previous procedure in turn.
  for (Step s : {Step{&c, {"b", "a", "own"}}, Step{&b, {"a", "own"}}, Step{&a, {"own"}}}) {
    s.Removed->Remove(h);
    trace.clear();
    EXPECT_EQ(SendMessageA(h, WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(trace, s.Expected);
  }
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWL_WNDPROC)), original);
}

TEST_F(LifecycleTest, OutOfOrderRestoreIsSafe) {
  HWND h = Top(0, 0, 50, 50);
  std::vector<std::string> trace;
  Hook a{"a", nullptr, nullptr, &trace}, b{"b", nullptr, nullptr, &trace}, c{"c", nullptr, nullptr, &trace};
  a.Install(h);
  b.Install(h);
  c.Install(h);
  // b goes first: it puts a back, dropping c from the chain.
  b.Remove(h);
  SendMessageA(h, WM_USER + 1, 0, 0);
  EXPECT_EQ(trace, (std::vector<std::string>{"a"}));
  // c then restores b's freed procedure: messages fall to the default handling instead of
  // reaching freed code.
  c.Remove(h);
  trace.clear();
  EXPECT_EQ(SendMessageA(h, WM_USER + 1, 0, 0), 0);
  EXPECT_TRUE(trace.empty());
  SetWindowTextA(h, "still works");
  EXPECT_EQ(GetWindowTextString(h), "still works");
  a.Remove(h);
  // A freed entry point is not handed out again at once.
  WNDPROC fresh = MakeObjectInstance([](HWND, UINT, WPARAM, LPARAM) { return LRESULT(7); });
  EXPECT_NE(fresh, b.Own);
  EXPECT_NE(fresh, c.Own);
  FreeObjectInstance(fresh);
}

TEST_F(LifecycleTest, HiddenMessageWindowGetsItsMessages) {
  std::vector<UINT> got;
  HWND hidden = AllocateHWnd([&](HWND h, UINT m, WPARAM w, LPARAM l) {
    got.push_back(m);
    return DefWindowProcA(h, m, w, l);
  });
  ASSERT_TRUE(IsWindow(hidden));
  EXPECT_FALSE(IsWindowVisible(hidden));
  got.clear();
  SendMessageA(hidden, WM_USER + 5, 0, 0);
  PostMessageA(hidden, WM_USER + 6, 0, 0);
  SetTimer(hidden, 1, 100, nullptr);
  headless::AdvanceClock(100);
  EXPECT_EQ(got, (std::vector<UINT>{WM_USER + 5, WM_USER + 6, WM_TIMER}));
  // Broadcasts reach hidden top-level windows but not message-only ones.
  HWND hiddenTop = Top(0, 0, 10, 10, WS_POPUP);
  got.clear();
  Log().clear();
  PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
  SendMessageA(HWND_BROADCAST, WM_USER + 7, 0, 0);
  headless::ProcessMessages();
  EXPECT_EQ(Messages(hiddenTop), (std::vector<UINT>{WM_USER + 7, WM_SYSCOLORCHANGE}));
  EXPECT_TRUE(got.empty());
  DeallocateHWnd(hidden);
  EXPECT_FALSE(IsWindow(hidden));
}

TEST_F(LifecycleTest, WindowLongsAndStyleChanges) {
  HWND h = Top(0, 0, 100, 100, WS_POPUP);
  EXPECT_EQ(SetWindowLongPtrA(h, GWL_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtrA(h, GWL_USERDATA), 1234);
  Log().clear();
  SetWindowLongA(h, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindowLongA(h, GWL_EXSTYLE), LONG_PTR(WS_EX_TOOLWINDOW));
  EXPECT_EQ(Messages(h), (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
  HWND c = Child(h, 0, 0, 10, 10, WS_CHILD, 77);
  EXPECT_EQ(GetDlgCtrlID(c), 77);
  EXPECT_EQ(GetDlgItem(h, 77), c);
  EXPECT_EQ(GetParent(c), h);
  EXPECT_TRUE(IsChild(h, c));
  // Text is cut on a character boundary when the buffer is short.
  SetWindowTextA(h, "\xE4\xB8\xAD\xE6\x96\x87");  // two 3-byte characters
  char buf[6];
  EXPECT_EQ(GetWindowTextA(h, buf, sizeof buf), 3);
  EXPECT_STREQ(buf, "\xE4\xB8\xAD");
  EXPECT_EQ(GetWindowTextLengthA(h), 6);
}

TEST_F(LifecycleTest, ClassRegistrationRules) {
  WNDCLASSA wc;
  wc.lpfnWndProc = &DefWindowProcA;
  wc.lpszClassName = "UniqueClassX";
  EXPECT_NE(RegisterClassA(&wc), 0);
  wc.lpszClassName = "uniqueclassx";
  EXPECT_EQ(RegisterClassA(&wc), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  HWND h = CreateWindowExA(0, "UNIQUECLASSX", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(IsWindow(h));
  EXPECT_FALSE(UnregisterClassA("UniqueClassX", nullptr));
  DestroyWindow(h);
  EXPECT_TRUE(UnregisterClassA("UniqueClassX", nullptr));
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

}  // namespace
