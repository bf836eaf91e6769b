// Global hot keys on a private X server: grabs under every lock state, another client's
// grab, and key events turned into WM_HOTKEY.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/x11/HotKeys.h"
#include "tests/platform/x11/ServicesXvfb.h"

// X's headers last: their macros clash with names in the others.
#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace win;
using namespace win::x11;

namespace {

class HotKeysTest : public xvfb_test::TwoClientsTest {
protected:
  unsigned Code(KeySym sym) { return XKeysymToKeycode(FOther->Display(), sym); }

  // Error code of the other client grabbing key code with mods on the root (0: it got it).
  int OtherGrab(unsigned code, unsigned mods) {
    return FOther->Trapped([&] {
      XGrabKey(FOther->Display(), int(code), mods, FOther->Root(), False, GrabModeAsync, GrabModeAsync);
    });
  }
  void OtherUngrab(unsigned code, unsigned mods) {
    FOther->Trapped([&] { XUngrabKey(FOther->Display(), int(code), mods, FOther->Root()); });
  }

  XEvent Key(int type, unsigned code, unsigned state) {
    XEvent e{};
    e.xkey.type = type;
    e.xkey.display = FOurs->Display();
    e.xkey.window = FOurs->Root();
    e.xkey.root = FOurs->Root();
    e.xkey.keycode = code;
    e.xkey.state = state;
    return e;
  }
};

TEST_F(HotKeysTest, GrabCoversEveryLockStateAndUngrabGivesItBack) {
  HotKeys keys(*FOurs, DesktopHost());
  ASSERT_TRUE(keys.Grab(MOD_CONTROL | MOD_ALT, 'A'));
  unsigned code = Code(XK_a);
  // Num Lock is Mod2 in the server's default modifier map.
  for (unsigned lock : {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)})
    EXPECT_EQ(OtherGrab(code, ControlMask | Mod1Mask | lock), BadAccess) << "lock state " << lock;
  keys.Ungrab(MOD_CONTROL | MOD_ALT, 'A');
  for (unsigned lock : {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)}) {
    EXPECT_EQ(OtherGrab(code, ControlMask | Mod1Mask | lock), 0) << "lock state " << lock;
    OtherUngrab(code, ControlMask | Mod1Mask | lock);
  }
}

TEST_F(HotKeysTest, CombinationHeldElsewhereFailsAndKeepsNothingGrabbed) {
  unsigned code = Code(XK_b);
  // The other program holds it only with Num Lock on: our grab fails as a whole.
  ASSERT_EQ(OtherGrab(code, ControlMask | Mod1Mask | Mod2Mask), 0);
  HotKeys keys(*FOurs, DesktopHost());
  EXPECT_FALSE(keys.Grab(MOD_CONTROL | MOD_ALT, 'B'));
  EXPECT_EQ(OtherGrab(code, ControlMask | Mod1Mask), 0);  // what we grabbed on the way was let go
  OtherUngrab(code, ControlMask | Mod1Mask);
  OtherUngrab(code, ControlMask | Mod1Mask | Mod2Mask);
  EXPECT_TRUE(keys.Grab(MOD_CONTROL | MOD_ALT, 'B'));  // free again
}

TEST_F(HotKeysTest, ABatchRefusesExactlyTheCombinationsAnotherClientHolds) {
  // Letters under every modifier set: far more requests than fit in one output buffer, so
  // refusals come back while the batch is still being sent.
  std::vector<HotKeyCombination> batch;
  for (UINT mods = 0; mods < 16; ++mods)
    for (UINT vk = 'A'; vk <= 'Z'; ++vk) batch.push_back({mods, vk});
  batch.push_back({MOD_CONTROL, 0x07});  // no key behind this code
  struct Held {
    KeySym Sym;
    unsigned Mods;  // as the other client grabbed it, lock bits included
    UINT Modifiers;
    UINT Vk;
  } held[] = {
      {XK_a, 0, 0, 'A'},                                                  // the very first grab
      {XK_q, ControlMask | Mod1Mask, MOD_CONTROL | MOD_ALT, 'Q'},         // one in the middle
      {XK_e, ControlMask | Mod1Mask | Mod2Mask, MOD_CONTROL | MOD_ALT, 'E'},  // only under Num Lock
      {XK_k, ShiftMask | LockMask | Mod4Mask, MOD_SHIFT | MOD_WIN, 'K'},      // only under Caps Lock
      {XK_z, ShiftMask | ControlMask | Mod1Mask | Mod4Mask, 0xF, 'Z'},        // the very last grab
  };
  for (const Held& h : held) ASSERT_EQ(OtherGrab(Code(h.Sym), h.Mods), 0);

  HotKeys keys(*FOurs, DesktopHost());
  std::unique_ptr<bool[]> granted(new bool[batch.size()]);
  keys.GrabMany(batch.data(), batch.size(), granted.get());
  for (std::size_t i = 0; i < batch.size(); ++i) {
    bool isHeld = std::any_of(std::begin(held), std::end(held), [&](const Held& h) {
      return h.Modifiers == batch[i].Modifiers && h.Vk == batch[i].Vk;
    });
    bool expected = !isHeld && batch[i].Vk != 0x07;
    EXPECT_EQ(granted[i], expected) << "modifiers " << batch[i].Modifiers << " key " << char(batch[i].Vk);
  }
  // What we got is ours; of a refused combination we keep no lock state.
  EXPECT_EQ(OtherGrab(Code(XK_b), Mod2Mask), BadAccess);
  EXPECT_EQ(OtherGrab(Code(XK_z), ShiftMask | ControlMask | Mod1Mask | LockMask), BadAccess);
  EXPECT_EQ(OtherGrab(Code(XK_e), ControlMask | Mod1Mask), 0);
  EXPECT_EQ(OtherGrab(Code(XK_k), ShiftMask | Mod4Mask | Mod2Mask), 0);

  // Grabs after a refusal still work, one by one and in a batch.
  OtherUngrab(Code(XK_q), ControlMask | Mod1Mask);
  EXPECT_TRUE(keys.Grab(MOD_CONTROL | MOD_ALT, 'Q'));
  EXPECT_FALSE(keys.Grab(MOD_CONTROL | MOD_ALT, 'E'));
  HotKeyCombination digits[] = {{MOD_ALT, '1'}, {MOD_ALT, '2'}};
  bool digitGranted[2] = {false, false};
  keys.GrabMany(digits, 2, digitGranted);
  EXPECT_TRUE(digitGranted[0] && digitGranted[1]);
}

TEST_F(HotKeysTest, GrabsFollowTheKeysWhenTheKeyboardMappingChanges) {
  ::Display* dpy = FOther->Display();
  int low = 0, high = 0;
  XDisplayKeycodes(dpy, &low, &high);
  unsigned oldCode = Code(XK_a);
  // A key code with nothing on it takes over the a key.
  int spare = 0;
  for (int code = high; code >= low && !spare; --code) {
    int n = 0;
    KeySym* syms = XGetKeyboardMapping(dpy, KeyCode(code), 1, &n);
    if (syms && std::all_of(syms, syms + n, [](KeySym k) { return k == NoSymbol; })) spare = code;
    if (syms) XFree(syms);
  }
  ASSERT_NE(spare, 0);
  int perCode = 0;
  KeySym* old = XGetKeyboardMapping(dpy, KeyCode(oldCode), 1, &perCode);
  std::vector<KeySym> saved(old, old + perCode);
  XFree(old);
  auto remap = [&](int code, std::vector<KeySym> syms) {
    syms.resize(std::size_t(perCode), NoSymbol);
    XChangeKeyboardMapping(dpy, code, perCode, syms.data(), 1);
    XSync(dpy, False);
  };

  HotKeys keys(*FOurs, DesktopHost());
  ASSERT_TRUE(keys.Grab(MOD_CONTROL | MOD_ALT, 'A'));
  remap(int(oldCode), {XK_F35});
  remap(spare, {XK_a, XK_A});
  // The program hears of it in its event loop.
  ::Display* ours = FOurs->Display();
  XSync(ours, False);
  while (XPending(ours)) {
    XEvent e;
    XNextEvent(ours, &e);
    keys.OnEvent(e);
  }
  int onNew = OtherGrab(unsigned(spare), ControlMask | Mod1Mask | Mod2Mask);
  int onOld = OtherGrab(oldCode, ControlMask | Mod1Mask);
  OtherUngrab(oldCode, ControlMask | Mod1Mask);
  remap(spare, {});
  remap(int(oldCode), saved);
  EXPECT_EQ(onNew, BadAccess);
  EXPECT_EQ(onOld, 0);
}

TEST_F(HotKeysTest, KeysWithoutAKeyCodeAreRefused) {
  HotKeys keys(*FOurs, DesktopHost());
  EXPECT_FALSE(keys.Grab(MOD_CONTROL, 0x07));  // no key behind this code
  EXPECT_FALSE(keys.Grab(MOD_CONTROL, 0xE9));
  EXPECT_TRUE(keys.Grab(MOD_SHIFT | MOD_WIN, '1'));
  EXPECT_TRUE(keys.Grab(MOD_CONTROL | MOD_ALT, 0x70));  // F1
}

TEST_F(HotKeysTest, PressesBecomeOneHotKeyEachWhateverTheLockKeys) {
  HWND w = xvfb_test::PlainWindow();
  ASSERT_TRUE(RegisterHotKey(w, 7, MOD_CONTROL | MOD_ALT, 'A'));  // the window system's side
  HotKeys keys(*FOurs, DesktopHost());
  ASSERT_TRUE(keys.Grab(MOD_CONTROL | MOD_ALT, 'A'));
  unsigned code = Code(XK_a);
  auto feed = [&](int type, unsigned state) {
    XEvent e = Key(type, code, state);
    EXPECT_TRUE(keys.OnEvent(e));
    return xvfb_test::Posted(w, WM_HOTKEY, WM_HOTKEY).size();
  };
  struct Step {
    int Type;
    unsigned State;
    std::size_t HotKeys;
    const char* What;
  } steps[] = {
      {KeyPress, ControlMask | Mod1Mask | Mod2Mask, 1, "press with Num Lock on"},
      {KeyPress, ControlMask | Mod1Mask | Mod2Mask, 0, "held down: repeats are no new press"},
      {KeyRelease, ControlMask | Mod1Mask | Mod2Mask, 0, "release"},
      {KeyPress, ControlMask | Mod1Mask | LockMask, 1, "press with Caps Lock on"},
      {KeyRelease, ControlMask | Mod1Mask, 0, "release"},
      {KeyPress, ControlMask | Mod1Mask | ShiftMask, 0, "another combination"},
      {KeyRelease, ControlMask | Mod1Mask | ShiftMask, 0, "release"},
  };
  for (const Step& s : steps) EXPECT_EQ(feed(s.Type, s.State), s.HotKeys) << s.What;

  XEvent e = Key(KeyPress, code, ControlMask | Mod1Mask);
  keys.OnEvent(e);
  auto msgs = xvfb_test::Posted(w, WM_HOTKEY, WM_HOTKEY);
  ASSERT_EQ(msgs.size(), 1u);
  EXPECT_EQ(msgs[0].wParam, WPARAM(7));
  EXPECT_EQ(msgs[0].lParam, MAKELPARAM(WORD(MOD_CONTROL | MOD_ALT), WORD('A')));

  // A server without detectable auto-repeat sends release/press pairs with one time.
  XEvent up = Key(KeyRelease, code, ControlMask | Mod1Mask);
  up.xkey.time = 5000;
  XEvent again = Key(KeyPress, code, ControlMask | Mod1Mask);
  again.xkey.time = 5000;
  XPutBackEvent(FOurs->Display(), &again);
  keys.OnEvent(up);
  XEvent queued;
  XNextEvent(FOurs->Display(), &queued);
  keys.OnEvent(queued);
  EXPECT_TRUE(xvfb_test::Posted(w, WM_HOTKEY, WM_HOTKEY).empty()) << "a repeat pair";
  up.xkey.time = 6000;
  keys.OnEvent(up);  // the real release
  XEvent press = Key(KeyPress, code, ControlMask | Mod1Mask);
  keys.OnEvent(press);
  EXPECT_EQ(xvfb_test::Posted(w, WM_HOTKEY, WM_HOTKEY).size(), 1u) << "a new press";

  // Events for other windows are not ours.
  XEvent other = Key(KeyPress, code, ControlMask | Mod1Mask);
  other.xkey.window = 12345;
  EXPECT_FALSE(keys.OnEvent(other));
}

// Presses go to the host the hot keys were given, not to the desktop behind it.
TEST_F(HotKeysTest, PressesAreReportedToTheirHost) {
  struct RecordingHost final : BackendHost {
    std::vector<HotKeyCombination> Pressed;
    bool HotKeyPressed(UINT modifiers, UINT vk) override {
      Pressed.push_back({modifiers, vk});
      return true;
    }
    void TrayIconEvent(const TrayIconState&, UINT, POINT) override {}
    std::vector<TrayIconState> TakeTrayIcons() override { return {}; }
  } host;
  HWND w = xvfb_test::PlainWindow();
  ASSERT_TRUE(RegisterHotKey(w, 7, MOD_SHIFT | MOD_WIN, 'Q'));
  HotKeys keys(*FOurs, host);
  ASSERT_TRUE(keys.Grab(MOD_SHIFT | MOD_WIN, 'Q'));
  XEvent e = Key(KeyPress, Code(XK_q), ShiftMask | Mod4Mask | Mod2Mask);
  EXPECT_TRUE(keys.OnEvent(e));
  ASSERT_EQ(host.Pressed.size(), 1u);
  EXPECT_EQ(host.Pressed[0].Modifiers, UINT(MOD_SHIFT | MOD_WIN));
  EXPECT_EQ(host.Pressed[0].Vk, UINT('Q'));
  EXPECT_TRUE(xvfb_test::Posted(w, WM_HOTKEY, WM_HOTKEY).empty());
}

}  // namespace
