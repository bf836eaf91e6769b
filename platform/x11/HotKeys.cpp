#include "platform/x11/HotKeys.h"
#include "platform/x11/Translate.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "platform/desktop/internal/State.h"

namespace win::x11 {

namespace {
constexpr unsigned kCombinationMask = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;

unsigned MaskOf(UINT modifiers) {
  unsigned m = 0;
  if (modifiers & MOD_ALT) m |= Mod1Mask;
  if (modifiers & MOD_CONTROL) m |= ControlMask;
  if (modifiers & MOD_SHIFT) m |= ShiftMask;
  if (modifiers & MOD_WIN) m |= Mod4Mask;
  return m;
}

// The modifier bit a keysym sits on in the modifier mapping, 0 when none.
unsigned ModifierBitOf(::Display* dpy, XModifierKeymap* map, KeySym sym) {
  KeyCode code = XKeysymToKeycode(dpy, sym);
  if (!code || !map) return 0;
  for (int mod = 0; mod < 8; ++mod)
    for (int i = 0; i < map->max_keypermod; ++i)
      if (map->modifiermap[mod * map->max_keypermod + i] == code) return 1u << mod;
  return 0;
}
}  // namespace


HotKeys::HotKeys(Connection& conn) : FConn(conn) {
  // Held keys repeat as presses alone, so one press of a combination is one hot key.
  Bool supported = False;
  XkbSetDetectableAutoRepeat(FConn.Display(), True, &supported);
  ReadLockMasks();
}

HotKeys::~HotKeys() {
  while (!FGrabbed.empty()) Ungrab(FGrabbed.back().Modifiers, FGrabbed.back().Vk);
}

void HotKeys::ReadLockMasks() {
  ::Display* dpy = FConn.Display();
  XModifierKeymap* map = XGetModifierMapping(dpy);
  FNumLockMask = ModifierBitOf(dpy, map, XK_Num_Lock);
  FScrollLockMask = ModifierBitOf(dpy, map, XK_Scroll_Lock);
  if (map) XFreeModifiermap(map);
}

std::vector<unsigned> HotKeys::LockCombinations() const {
  std::vector<unsigned> masks{0};
  for (unsigned lock : {unsigned(LockMask), FNumLockMask, FScrollLockMask}) {
    if (!lock) continue;
    std::size_t n = masks.size();
    for (std::size_t i = 0; i < n; ++i)
      if (!(masks[i] & lock)) masks.push_back(masks[i] | lock);
  }
  return masks;
}

bool HotKeys::Grab(UINT modifiers, UINT vk) {
  ::Display* dpy = FConn.Display();
  KeySym sym = KeySymFromVk(vk);
  KeyCode code = sym ? XKeysymToKeycode(dpy, sym) : 0;
  if (!code) return false;
  unsigned mask = MaskOf(modifiers);
  // A lock key taken as a modifier of its own would make the combination unreachable.
  if (mask & (FNumLockMask | FScrollLockMask)) return false;
  std::vector<unsigned> locks = LockCombinations();
  int error = FConn.Trapped([&] {
    for (unsigned lock : locks)
      XGrabKey(dpy, code, mask | lock, FConn.Root(), False, GrabModeAsync, GrabModeAsync);
  });
  if (error) {
    // Another client holds some of them; give back the ones we did get (ungrabbing a
    // grab we do not hold is harmless).
    FConn.Trapped([&] {
      for (unsigned lock : locks) XUngrabKey(dpy, code, mask | lock, FConn.Root());
    });
    return false;
  }
  FGrabbed.push_back(Grabbed{modifiers, vk, code, mask});
  return true;
}

void HotKeys::Ungrab(UINT modifiers, UINT vk) {
  for (auto it = FGrabbed.begin(); it != FGrabbed.end(); ++it) {
    if (it->Modifiers != modifiers || it->Vk != vk) continue;
    Grabbed g = *it;
    FGrabbed.erase(it);
    ::Display* dpy = FConn.Display();
    if (g.KeyCode)  // key code 0 would mean every key
      FConn.Trapped([&] {
        for (unsigned lock : LockCombinations()) XUngrabKey(dpy, g.KeyCode, g.Mask | lock, FConn.Root());
      });
    return;
  }
}

void HotKeys::Regrab() {
  // The keys may sit on other key codes now, and the lock keys on other modifiers.
  ::Display* dpy = FConn.Display();
  std::vector<unsigned> oldLocks = LockCombinations();
  FConn.Trapped([&] {
    for (const Grabbed& g : FGrabbed)
      if (g.KeyCode)  // key code 0 would mean every key
        for (unsigned lock : oldLocks) XUngrabKey(dpy, g.KeyCode, g.Mask | lock, FConn.Root());
  });
  ReadLockMasks();
  std::vector<unsigned> locks = LockCombinations();
  for (Grabbed& g : FGrabbed) {
    KeyCode code = XKeysymToKeycode(dpy, KeySymFromVk(g.Vk));
    g.KeyCode = code;
    if (!code) continue;
    // A combination another client took meanwhile stays theirs.
    FConn.Trapped([&] {
      for (unsigned lock : locks) XGrabKey(dpy, code, g.Mask | lock, FConn.Root(), False, GrabModeAsync, GrabModeAsync);
    });
  }
  FDownKeyCode = 0;
}

bool HotKeys::OnEvent(XEvent& event) {
  if (event.type == MappingNotify) {
    XRefreshKeyboardMapping(&event.xmapping);
    if (event.xmapping.request == MappingKeyboard || event.xmapping.request == MappingModifier) Regrab();
    return false;  // others may want to know too
  }
  if ((event.type != KeyPress && event.type != KeyRelease) || event.xkey.window != FConn.Root())
    return false;
  unsigned code = event.xkey.keycode;
  if (event.type == KeyRelease) {
    // Without detectable auto-repeat a held key comes as release/press pairs with one
    // time stamp: the key is still down.
    ::Display* dpy = FConn.Display();
    XEvent next;
    bool repeat = XEventsQueued(dpy, QueuedAfterReading) > 0 && (XPeekEvent(dpy, &next), true) &&
                  next.type == KeyPress && next.xkey.keycode == code && next.xkey.time == event.xkey.time;
    if (code == FDownKeyCode && !repeat) FDownKeyCode = 0;
    return true;
  }
  if (code == FDownKeyCode) return true;  // auto-repeat of a held combination
  unsigned mask = event.xkey.state & kCombinationMask;
  for (const Grabbed& g : FGrabbed) {
    if (g.KeyCode != code || g.Mask != mask) continue;
    FDownKeyCode = code;
    for (const detail::HotKey& h : detail::S().HotKeys)
      if (h.Modifiers == g.Modifiers && h.Vk == g.Vk)
        detail::Post(h.Window, WM_HOTKEY, WPARAM(h.Id), MAKELPARAM(WORD(g.Modifiers), WORD(g.Vk)));
    break;
  }
  return true;
}

}  // namespace win::x11
