// The services through the window system's own calls with the X11 back end installed.
#include <cstring>
#include <string>
#include <vector>

#include "platform/desktop/WinKernel.h"
#include "platform/rtl/Utf8.h"
#include "platform/x11/X11Backend.h"
#include "tests/platform/x11/ServicesXvfb.h"

// X's headers last: their macros clash with names in the others.
#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace win;
using namespace win::x11;

namespace {

class ServicesTest : public xvfb_test::TwoClientsTest {
protected:
  void SetUp() override {
    TwoClientsTest::SetUp();
    if (HasFatalFailure()) return;
    InstallBackend(std::make_unique<X11Backend>(std::move(FOurs)));
    FWindow = xvfb_test::PlainWindow();
  }
  void TearDown() override {
    headless::Reset();  // windows and hot keys go through the display first
    InstallBackend(nullptr);
    TwoClientsTest::TearDown();
  }

  int OtherGrab(KeySym sym, unsigned mods) {
    int code = XKeysymToKeycode(FOther->Display(), sym);
    return FOther->Trapped([&] {
      XGrabKey(FOther->Display(), code, mods, FOther->Root(), False, GrabModeAsync, GrabModeAsync);
      XUngrabKey(FOther->Display(), code, mods, FOther->Root());
    });
  }

  void Pump() { CurrentBackend().WaitForEvents(0); }

  HWND FWindow = nullptr;
};

TEST_F(ServicesTest, RegisteringAHotKeyGrabsItOnTheDisplay) {
  ASSERT_EQ(FOther->Trapped([&] {
              XGrabKey(FOther->Display(), XKeysymToKeycode(FOther->Display(), XK_q), ControlMask | Mod1Mask,
                       FOther->Root(), False, GrabModeAsync, GrabModeAsync);
            }),
            0);
  EXPECT_FALSE(RegisterHotKey(FWindow, 1, MOD_CONTROL | MOD_ALT, 'Q'));  // another program's
  EXPECT_EQ(GetLastError(), DWORD(ERROR_HOTKEY_ALREADY_REGISTERED));

  ASSERT_TRUE(RegisterHotKey(FWindow, 2, MOD_SHIFT | MOD_WIN, '1'));
  EXPECT_EQ(OtherGrab(XK_1, ShiftMask | Mod4Mask), BadAccess);
  ASSERT_TRUE(UnregisterHotKey(FWindow, 2));
  EXPECT_EQ(OtherGrab(XK_1, ShiftMask | Mod4Mask), 0);

  ASSERT_TRUE(RegisterHotKey(FWindow, 3, MOD_CONTROL, VK_SPACE));
  DestroyWindow(FWindow);  // its hot keys go with it
  EXPECT_EQ(OtherGrab(XK_space, ControlMask), 0);
}

TEST_F(ServicesTest, ABatchOfRegistrationsReportsEachRefusalAndItsKeysFire) {
  ASSERT_TRUE(xvfb_test::OnPath("xdotool")) << "xdotool is not installed (scripts/deps.sh installs it)";
  ::Display* dpy = FOther->Display();
  ASSERT_EQ(FOther->Trapped([&] {
              XGrabKey(dpy, XKeysymToKeycode(dpy, XK_w), ControlMask | Mod1Mask, FOther->Root(), False,
                       GrabModeAsync, GrabModeAsync);
            }),
            0);
  HOTKEYREGISTRATION keys[] = {
      {FWindow, 1, MOD_CONTROL | MOD_ALT, 'V'},
      {FWindow, 2, MOD_CONTROL | MOD_ALT, 'W'},  // another program's
      {FWindow, 3, MOD_CONTROL | MOD_ALT, 'V'},  // already ours, from this batch
      {FWindow, 4, MOD_SHIFT | MOD_WIN, 'X'},
  };
  BOOL results[4] = {TRUE, TRUE, TRUE, FALSE};
  RegisterHotKeys(keys, 4, results);
  EXPECT_TRUE(results[0]);
  EXPECT_FALSE(results[1]);
  EXPECT_FALSE(results[2]);
  EXPECT_TRUE(results[3]);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_HOTKEY_ALREADY_REGISTERED));
  EXPECT_TRUE(RegisterHotKey(FWindow, 5, MOD_CONTROL | MOD_ALT, 'Y'));  // after a refusal

  // Pressed on the keyboard (Num Lock on for the last one), each reaches its window.
  const std::string name = xvfb_test::SharedServer().Name();
  std::vector<WPARAM> fired;
  for (const char* combo : {"ctrl+alt+v", "super+shift+x", "ctrl+alt+y", "Num_Lock ctrl+alt+v Num_Lock"}) {
    std::vector<std::string> args{"xdotool", "key", "--clearmodifiers"};
    std::string keysText = combo;
    for (std::size_t start = 0; start < keysText.size();) {
      std::size_t end = keysText.find(' ', start);
      if (end == std::string::npos) end = keysText.size();
      args.push_back(keysText.substr(start, end - start));
      start = end + 1;
    }
    int code = -1;
    xvfb_test::Run(name, args, "", [&] { Pump(); }, &code);
    ASSERT_EQ(code, 0) << combo;
    std::vector<MSG> got;
    for (int i = 0; i < 200 && got.empty(); ++i) {
      Pump();
      got = xvfb_test::Posted(FWindow, WM_HOTKEY, WM_HOTKEY);
      if (got.empty()) usleep(5000);
    }
    for (const MSG& m : got) fired.push_back(m.wParam);
  }
  EXPECT_EQ(fired, (std::vector<WPARAM>{1, 4, 5, 1}));
}

TEST_F(ServicesTest, TheClipboardIsSharedWithOtherPrograms) {
  ASSERT_TRUE(xvfb_test::OnPath("xclip")) << "xclip is not installed (scripts/deps.sh installs it)";
  const std::string name = xvfb_test::SharedServer().Name();
  ASSERT_TRUE(OpenClipboard(FWindow));
  EmptyClipboard();
  std::u16string w = Utf8ToUtf16("片段 one");
  w.push_back(u'\0');
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, w.size() * 2);
  std::memcpy(GlobalLock(h), w.data(), w.size() * 2);
  GlobalUnlock(h);
  SetClipboardData(CF_UNICODETEXT, h);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(xvfb_test::Run(name, {"xclip", "-o", "-selection", "clipboard"}, "", [&] { Pump(); }), "片段 one");

  ::Display* dpy = FOther->Display();
  Window ours = XGetSelectionOwner(dpy, FOther->Atom("CLIPBOARD"));
  int code = -1;
  xvfb_test::Run(name, {"xclip", "-i", "-selection", "clipboard"}, "from xclip", [&] { Pump(); }, &code);
  ASSERT_EQ(code, 0);
  // xclip's background copy takes the selection from us.
  auto taken = [&] {
    Window owner = XGetSelectionOwner(dpy, FOther->Atom("CLIPBOARD"));
    return owner != 0 && owner != ours;
  };
  for (int i = 0; i < 300 && !taken(); ++i) usleep(10000);
  ASSERT_TRUE(taken());
  for (int i = 0; i < 20; ++i) Pump();
  ASSERT_TRUE(OpenClipboard(FWindow));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  HANDLE text = GetClipboardData(CF_TEXT);
  ASSERT_TRUE(text);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(text)), "from xclip");
  GlobalUnlock(text);
  CloseClipboard();
  // Nothing of ours is left for the other program to read.
  XSetSelectionOwner(dpy, FOther->Atom("CLIPBOARD"), 0, CurrentTime);
  XSync(dpy, False);
}

}  // namespace
