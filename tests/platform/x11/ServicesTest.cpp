// The services through the window system's own calls with the X11 back end installed.
#include <cstring>

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

class ServicesTest : public xvfb_test::TwoClients {
protected:
  void SetUp() override {
    TwoClients::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    InstallBackend(std::make_unique<X11Backend>(std::move(FOurs)));
    FWindow = xvfb_test::PlainWindow();
  }
  void TearDown() override {
    headless::Reset();  // windows and hot keys go through the display first
    InstallBackend(nullptr);
    TwoClients::TearDown();
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

TEST_F(ServicesTest, TheClipboardIsSharedWithOtherPrograms) {
  if (!xvfb_test::OnPath("xclip")) GTEST_SKIP() << "xclip is not installed";
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
