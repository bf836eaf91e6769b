// Hot keys and the notification area.
#include <cstring>
#include <vector>

#include "tests/platform/desktop/Recorder.h"

using namespace win;
using namespace rec;

namespace {

class DesktopHotKeysTest : public DesktopTest {};

TEST_F(DesktopHotKeysTest, RegistrationResults) {
  HWND h = Top(0, 0, 10, 10, WS_POPUP);
  HWND other = Top(0, 0, 10, 10, WS_POPUP);
  headless::HoldHotKeyElsewhere(MOD_CONTROL, 'Q');
  struct Case {
    const char* Name;
    HWND Window;
    int Id;
    UINT Mods, Vk;
    BOOL Expected;
  };
  const Case cases[] = {
      {"free combination", h, 0, MOD_CONTROL | MOD_ALT, VK_F5, TRUE},
      {"same combination, other id", h, 1, MOD_CONTROL | MOD_ALT, VK_F5, FALSE},
      {"same combination, other window", other, 0, MOD_ALT | MOD_CONTROL, VK_F5, FALSE},
      {"held by another program", h, 2, MOD_CONTROL, 'Q', FALSE},
      {"other modifiers", h, 3, MOD_CONTROL | MOD_SHIFT, VK_F5, TRUE},
      {"no-repeat flag does not make it new", h, 4, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, VK_F5, FALSE},
      {"the last identifier of the range", h, 0xBFFF, MOD_WIN, VK_F6, TRUE},
      // Beyond 0..0xBFFF an identifier would be cut to another one when the key comes.
      {"identifier past the range", h, 0xC000, MOD_WIN, VK_F7, FALSE},
      {"identifier past 16 bits", h, 0x10000 + 5, MOD_WIN, VK_F8, FALSE},
      {"negative identifier", h, -1, MOD_WIN, VK_F9, FALSE},
  };
  for (const Case& c : cases) EXPECT_EQ(RegisterHotKey(c.Window, c.Id, c.Mods, c.Vk), c.Expected) << c.Name;
  // Failures are silent: no message box, no exception.
  EXPECT_TRUE(headless::MessageBoxes().empty());
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(RegisterHotKey(h, 5, MOD_CONTROL, 'Q'));
  EXPECT_EQ(GetLastError(), ERROR_HOTKEY_ALREADY_REGISTERED);
  // A refused identifier took nothing: its combination is still free.
  EXPECT_TRUE(RegisterHotKey(h, 6, MOD_WIN, VK_F7));
}

TEST_F(DesktopHotKeysTest, ABatchAnswersAsOneCallAtATimeWould) {
  HWND h = Top(0, 0, 10, 10, WS_POPUP);
  HWND other = Top(0, 0, 10, 10, WS_POPUP);
  HWND gone = Top(0, 0, 10, 10, WS_POPUP);
  DestroyWindow(gone);
  headless::HoldHotKeyElsewhere(MOD_CONTROL, 'Q');
  ASSERT_TRUE(RegisterHotKey(other, 9, MOD_SHIFT, VK_F2));
  HOTKEYREGISTRATION keys[] = {
      {h, 0, MOD_CONTROL | MOD_ALT, VK_F5},            // free
      {h, 1, MOD_CONTROL | MOD_ALT, VK_F5},            // taken earlier in the batch
      {h, 2, MOD_CONTROL, 'Q'},                        // held by another program
      {h, 3, MOD_SHIFT, VK_F2},                        // another window's
      {gone, 4, MOD_ALT, 'Z'},                         // no such window
      {h, 5, MOD_CONTROL | MOD_SHIFT | 0x4000, VK_F5}, // a flag beyond the modifiers
      {h, MaxHotKeyId + 1, MOD_ALT, 'Y'},              // past the identifiers
  };
  BOOL results[7];
  RegisterHotKeys(keys, 7, results);
  EXPECT_EQ(std::vector<BOOL>(results, results + 7),
            (std::vector<BOOL>{TRUE, FALSE, FALSE, FALSE, FALSE, TRUE, FALSE}));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  RegisterHotKeys(keys, 6, results);  // again: each is taken now, or refused as before
  EXPECT_EQ(GetLastError(), ERROR_HOTKEY_ALREADY_REGISTERED);

  int ids[] = {5, 1, 0, 5, 9};  // 9 is the other window's
  BOOL released[5];
  SetLastError(0);
  UnregisterHotKeys(h, ids, 5, released);
  EXPECT_EQ(std::vector<BOOL>(released, released + 5), (std::vector<BOOL>{TRUE, FALSE, TRUE, FALSE, FALSE}));
  EXPECT_EQ(GetLastError(), ERROR_HOTKEY_NOT_REGISTERED);
  EXPECT_TRUE(headless::PressHotKey(MOD_SHIFT, VK_F2));  // the other window keeps its key
  EXPECT_FALSE(headless::PressHotKey(MOD_CONTROL | MOD_ALT, VK_F5));
  EXPECT_TRUE(RegisterHotKey(h, 7, MOD_CONTROL | MOD_SHIFT, VK_F5));  // free again
}

TEST_F(DesktopHotKeysTest, PressedCombinationPostsTheIdToTheRegisteringWindow) {
  HWND main = Top(0, 0, 100, 100);
  HWND focus = Child(main, 0, 0, 50, 50);
  SetFocus(focus);
  ASSERT_TRUE(RegisterHotKey(main, 7, MOD_CONTROL | MOD_ALT, VK_F5));
  Log().clear();
  EXPECT_TRUE(headless::PressHotKey(MOD_CONTROL | MOD_ALT, VK_F5));
  auto hk = Entries({WM_HOTKEY});
  ASSERT_EQ(hk.size(), 1u);
  EXPECT_EQ(hk[0].hwnd, main);
  EXPECT_EQ(hk[0].wParam, 7u);
  EXPECT_EQ(LOWORD(hk[0].lParam), MOD_CONTROL | MOD_ALT);
  EXPECT_EQ(HIWORD(hk[0].lParam), VK_F5);
  // Typing the combination does the same and the key never reaches the focus window.
  Log().clear();
  headless::PressKeys(MOD_CONTROL | MOD_ALT, VK_F5);
  EXPECT_EQ(Messages(main, {WM_HOTKEY}).size(), 1u);
  for (const Entry& e : Entries({WM_KEYDOWN, WM_SYSKEYDOWN})) EXPECT_NE(e.wParam, WPARAM(VK_F5));
  // Unregistered, or the window gone: nothing arrives.
  EXPECT_TRUE(UnregisterHotKey(main, 7));
  EXPECT_FALSE(UnregisterHotKey(main, 7));
  EXPECT_FALSE(headless::PressHotKey(MOD_CONTROL | MOD_ALT, VK_F5));
  ASSERT_TRUE(RegisterHotKey(main, 8, MOD_WIN, 'V'));
  DestroyWindow(main);
  EXPECT_FALSE(headless::PressHotKey(MOD_WIN, 'V'));
  HWND again = Top(0, 0, 10, 10, WS_POPUP);
  EXPECT_TRUE(RegisterHotKey(again, 1, MOD_WIN, 'V'));  // the combination is free again
}

TEST_F(DesktopHotKeysTest, AFreedCombinationCanBeTakenAgain) {
  HWND a = Top(0, 0, 10, 10, WS_POPUP);
  HWND b = Top(0, 0, 10, 10, WS_POPUP);
  ASSERT_TRUE(RegisterHotKey(a, 1, MOD_SHIFT, VK_F2));
  EXPECT_FALSE(RegisterHotKey(b, 1, MOD_SHIFT, VK_F2));
  EXPECT_FALSE(UnregisterHotKey(b, 1));  // not b's: a keeps it
  EXPECT_FALSE(RegisterHotKey(b, 1, MOD_SHIFT, VK_F2));
  ASSERT_TRUE(UnregisterHotKey(a, 1));
  EXPECT_TRUE(RegisterHotKey(b, 1, MOD_SHIFT, VK_F2));
  EXPECT_TRUE(headless::PressHotKey(MOD_SHIFT, VK_F2));
  EXPECT_EQ(Messages(b, {WM_HOTKEY}).size(), 1u);
}

class DesktopTrayTest : public DesktopTest {
protected:
  static constexpr UINT kCallback = WM_USER + 0x400;
  void SetUp() override {
    DesktopTest::SetUp();
    wnd = AllocateHWnd([this](HWND h, UINT m, WPARAM w, LPARAM l) {
      if (m == kCallback) callbacks.push_back({w, l});
      return DefWindowProcA(h, m, w, l);
    });
  }
  NOTIFYICONDATAA Data(UINT_PTR id, const char* tip = "Vantrel") {
    NOTIFYICONDATAA d;
    d.cbSize = NOTIFYICONDATAA_V2_SIZE;
    d.hWnd = wnd;
    d.uID = id;
    d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    d.uCallbackMessage = kCallback;
    std::strncpy(d.szTip, tip, sizeof d.szTip);
    return d;
  }
  HWND wnd = nullptr;
  std::vector<std::pair<WPARAM, LPARAM>> callbacks;
};

TEST_F(DesktopTrayTest, AddModifyDeleteResults) {
  NOTIFYICONDATAA d = Data(0x1234);
  struct Step {
    DWORD Message;
    BOOL Expected;
    std::size_t IconsAfter;
  };
  const Step steps[] = {
      {NIM_MODIFY, FALSE, 0}, {NIM_DELETE, FALSE, 0}, {NIM_SETVERSION, FALSE, 0}, {NIM_ADD, TRUE, 1},
      {NIM_ADD, FALSE, 1},    {NIM_MODIFY, TRUE, 1},  {NIM_SETVERSION, TRUE, 1},  {NIM_DELETE, TRUE, 0},
      {NIM_DELETE, FALSE, 0},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(Shell_NotifyIconA(s.Message, &d), s.Expected) << s.Message;
    EXPECT_EQ(headless::TrayIcons().size(), s.IconsAfter);
  }
  d.cbSize = 12;
  EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &d));
  EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, nullptr));
}

TEST_F(DesktopTrayTest, TipIsCutToItsBuffer) {
  NOTIFYICONDATAA d = Data(1);
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &d));
  EXPECT_EQ(headless::FindTrayIcon(wnd, 1)->Tip, "Vantrel");
  // A full buffer with no terminating zero keeps 127 bytes, whole characters only.
  std::string chinese;
  for (int i = 0; i < 60; ++i) chinese += "\xE4\xB8\xAD";  // 180 bytes
  std::memcpy(d.szTip, chinese.data(), sizeof d.szTip);
  d.uFlags = NIF_TIP;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &d));
  EXPECT_EQ(headless::FindTrayIcon(wnd, 1)->Tip, chinese.substr(0, 126));
  EXPECT_EQ(headless::FindTrayIcon(wnd, 1)->CallbackMessage, kCallback);  // untouched by NIF_TIP alone
}

TEST_F(DesktopTrayTest, ClickCallbacksCarryTheIdAndTheMouseMessage) {
  NOTIFYICONDATAA d = Data(0xABCD);
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &d));
  using Seq = std::vector<LPARAM>;
  struct Case {
    UINT Version;
    std::function<void()> Act;
    Seq Expected;
  };
  std::vector<Case> cases = {
      {0, [&] { headless::ClickTrayIcon(wnd, 0xABCD); }, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {0, [&] { headless::DoubleClickTrayIcon(wnd, 0xABCD); },
       {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {0, [&] { headless::RightClickTrayIcon(wnd, 0xABCD); }, {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP}},
      {NOTIFYICON_VERSION, [&] { headless::ClickTrayIcon(wnd, 0xABCD); },
       {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, LPARAM(NIN_SELECT)}},
      {NOTIFYICON_VERSION, [&] { headless::RightClickTrayIcon(wnd, 0xABCD); },
       {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}},
      {0, [&] { headless::SendTrayNotification(wnd, 0xABCD, NIN_BALLOONSHOW); }, {LPARAM(NIN_BALLOONSHOW)}},
  };
  for (const Case& c : cases) {
    d.uVersion = c.Version;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_SETVERSION, &d));
    callbacks.clear();
    c.Act();
    Seq got;
    for (auto [w, l] : callbacks) {
      EXPECT_EQ(w, 0xABCDu);
      got.push_back(l);
    }
    EXPECT_EQ(got, c.Expected);
  }
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p, headless::TrayIconPoint());
}

TEST_F(DesktopTrayTest, RestartDropsIconsAndBroadcastsTaskbarCreated) {
  NOTIFYICONDATAA d = Data(3);
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &d));
  UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  HWND hiddenApp = Top(0, 0, 0, 0, WS_POPUP);  // like the application's hidden window
  HWND shown = Top(0, 0, 10, 10);
  Log().clear();
  callbacks.clear();
  headless::RestartTray();
  EXPECT_TRUE(headless::TrayIcons().empty());
  EXPECT_EQ(Messages(hiddenApp, {taskbarCreated}).size(), 1u);
  EXPECT_EQ(Messages(shown, {taskbarCreated}).size(), 1u);
  // The icon can be added again.
  EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &d));
}

}  // namespace
