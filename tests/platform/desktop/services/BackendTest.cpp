// The window system drives whatever back end is installed through its narrow interface.
#include <cstring>

#include "tests/platform/desktop/Recorder.h"

using namespace win;

namespace {

struct FakeBackend : Backend {
  std::vector<std::string> Calls;
  std::vector<std::pair<UINT, std::string>> External;
  std::vector<std::pair<UINT, std::string>> Published;
  bool UsesManualClock() const override { return true; }
  std::uint64_t Now() override { return 0; }
  bool WaitForEvents(int) override { return false; }
  bool GrabHotKey(UINT, UINT vk) override {
    Calls.push_back("grab " + std::to_string(vk));
    return vk != 'X';  // another program holds X
  }
  void UngrabHotKey(UINT, UINT vk) override { Calls.push_back("ungrab " + std::to_string(vk)); }
  bool ClipboardHeldElsewhere() override { return false; }
  void ClipboardPublished() override { Published = ClipboardSnapshot(); }
  bool TakeExternalClipboard(std::vector<std::pair<UINT, std::string>>* formats) override {
    if (External.empty()) return false;
    *formats = std::move(External);
    External.clear();
    return true;
  }
  void WindowCreated(HWND) override { Calls.push_back("created"); }
  void WindowShown(HWND, bool v) override { Calls.push_back(v ? "shown" : "hidden"); }
  void WindowDestroyed(HWND) override { Calls.push_back("destroyed"); }
  void TrayIconAdded(const TrayIconState& t) override { Calls.push_back("tray " + t.Tip); }
  void Beep(UINT) override { Calls.push_back("beep"); }
  int ShowMessageBox(HWND, const std::string& text, const std::string&, UINT) override {
    Calls.push_back("box " + text);
    return IDCANCEL;
  }
};

class BackendTest : public rec::DesktopTest {
protected:
  void SetUp() override {
    rec::DesktopTest::SetUp();
    auto b = std::make_unique<FakeBackend>();
    fake = b.get();
    InstallBackend(std::move(b));
  }
  void TearDown() override {
    headless::Reset();
    InstallBackend(nullptr);
    rec::DesktopTest::TearDown();
  }
  FakeBackend* fake = nullptr;
};

TEST_F(BackendTest, WindowsHotKeysTrayBeepsAndBoxesGoThroughIt) {
  HWND h = rec::Top(0, 0, 10, 10);
  rec::Child(h, 0, 0, 5, 5);  // children are not the back end's business
  EXPECT_TRUE(RegisterHotKey(h, 1, MOD_ALT, 'A'));
  EXPECT_FALSE(RegisterHotKey(h, 2, MOD_ALT, 'X'));
  NOTIFYICONDATAA d;
  d.cbSize = sizeof d;
  d.hWnd = h;
  d.uFlags = NIF_TIP;
  std::strcpy(d.szTip, "tip");
  Shell_NotifyIconA(NIM_ADD, &d);
  MessageBeep(MB_OK);
  EXPECT_EQ(MessageBoxA(h, "Sure?", "Q", MB_OKCANCEL), IDCANCEL);
  DestroyWindow(h);
  std::vector<std::string> expected = {"created", "shown",        "grab 65", "grab 88", "tray tip", "beep",
                                       "box Sure?", "hidden", "ungrab 65", "destroyed"};
  EXPECT_EQ(fake->Calls, expected);
}

TEST_F(BackendTest, ClipboardIsPublishedAndTakenFromOtherPrograms) {
  HWND h = rec::Top(0, 0, 10, 10, WS_POPUP);
  OpenClipboard(h);
  EmptyClipboard();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 3);
  std::memcpy(GlobalLock(g), "hi", 3);
  GlobalUnlock(g);
  SetClipboardData(CF_TEXT, g);
  CloseClipboard();
  ASSERT_EQ(fake->Published.size(), 3u);  // CF_TEXT and the texts made from it
  EXPECT_EQ(fake->Published[0], (std::pair<UINT, std::string>{CF_TEXT, std::string("hi\0", 3)}));
  EXPECT_EQ(fake->Published[2].first, CF_UNICODETEXT);
  EXPECT_EQ(fake->Published[2].second, std::string("h\0i\0\0\0", 6));
  // Another program copies; our next open sees its text and we no longer own the clipboard.
  fake->External = {{CF_TEXT, std::string("other\0", 6)}};
  rec::Log().clear();
  ASSERT_TRUE(OpenClipboard(h));
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT))), "other");
  CloseClipboard();
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_EQ(rec::Messages(h, {WM_DESTROYCLIPBOARD}).size(), 1u);
}

}  // namespace
