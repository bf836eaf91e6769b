#include "platform/x11/HotKeys.h"
#include "platform/x11/Translate.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <bitset>
#include <climits>

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

// The errors of a run of requests (serials First..Last) are collected here while it is
// sent; errors of other requests go to the handler that was in place.
struct ErrorCollector {
  unsigned long First = 0;
  unsigned long Last = ULONG_MAX;
  std::vector<unsigned long> Failed;
  XErrorHandler Previous = nullptr;
};
ErrorCollector* gCollector = nullptr;

int CollectError(::Display* dpy, XErrorEvent* e) {
  if (gCollector && e->serial >= gCollector->First && e->serial <= gCollector->Last) {
    gCollector->Failed.push_back(e->serial);
    return 0;
  }
  return gCollector && gCollector->Previous ? gCollector->Previous(dpy, e) : 0;
}
}  // namespace


HotKeys::HotKeys(Connection& conn, BackendHost& host) : FConn(conn), FHost(host) {
  // Held keys repeat as presses alone, so one press of a combination is one hot key.
  Bool supported = False;
  XkbSetDetectableAutoRepeat(FConn.Display(), True, &supported);
  ReadLockMasks();
}

HotKeys::~HotKeys() {
  std::vector<unsigned> locks = LockCombinations();
  for (const Grabbed& g : FGrabbed) SendUngrabs(g.KeyCode, g.Mask, locks);
  XFlush(FConn.Display());
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

std::vector<bool> HotKeys::SendGrabs(const std::vector<std::pair<unsigned, unsigned>>& grabs,
                                     const std::vector<unsigned>& locks) {
  ::Display* dpy = FConn.Display();
  // Each grab's request serial, in the order sent (serials only grow).
  std::vector<std::pair<unsigned long, std::size_t>> serials;
  serials.reserve(grabs.size() * locks.size());
  ErrorCollector collector;
  collector.First = NextRequest(dpy);
  ErrorCollector* outer = gCollector;
  gCollector = &collector;
  collector.Previous = XSetErrorHandler(CollectError);
  for (std::size_t i = 0; i < grabs.size(); ++i)
    for (unsigned lock : locks) {
      serials.emplace_back(NextRequest(dpy), i);
      XGrabKey(dpy, int(grabs[i].first), grabs[i].second | lock, FConn.Root(), False, GrabModeAsync,
               GrabModeAsync);
    }
  collector.Last = NextRequest(dpy) - 1;
  XSync(dpy, False);
  XSetErrorHandler(collector.Previous);
  gCollector = outer;

  std::vector<bool> refused(grabs.size(), false);
  for (unsigned long serial : collector.Failed) {
    auto it = std::lower_bound(serials.begin(), serials.end(), std::make_pair(serial, std::size_t(0)));
    if (it != serials.end() && it->first == serial) refused[it->second] = true;
  }
  return refused;
}

void HotKeys::SendUngrabs(unsigned keyCode, unsigned mask, const std::vector<unsigned>& locks) {
  if (!keyCode) return;  // key code 0 would mean every key
  // Releasing our own grab (or one we never got) cannot fail: nothing to wait for.
  for (unsigned lock : locks) XUngrabKey(FConn.Display(), int(keyCode), mask | lock, FConn.Root());
}

bool HotKeys::Grab(UINT modifiers, UINT vk) {
  HotKeyCombination key{modifiers, vk};
  bool granted = false;
  GrabMany(&key, 1, &granted);
  return granted;
}

void HotKeys::GrabMany(const HotKeyCombination* keys, std::size_t count, bool* granted) {
  ::Display* dpy = FConn.Display();
  std::vector<std::pair<unsigned, unsigned>> grabs;
  std::vector<std::size_t> grabFor;
  for (std::size_t i = 0; i < count; ++i) {
    granted[i] = false;
    KeySym sym = KeySymFromVk(keys[i].Vk);
    KeyCode code = sym ? XKeysymToKeycode(dpy, sym) : 0;
    if (!code) continue;
    unsigned mask = MaskOf(keys[i].Modifiers);
    // A lock key taken as a modifier of its own would make the combination unreachable.
    if (mask & (FNumLockMask | FScrollLockMask)) continue;
    grabs.emplace_back(code, mask);
    grabFor.push_back(i);
  }
  if (grabs.empty()) return;
  std::vector<unsigned> locks = LockCombinations();
  std::vector<bool> refused = SendGrabs(grabs, locks);
  bool gaveBack = false;
  for (std::size_t j = 0; j < grabs.size(); ++j) {
    const HotKeyCombination& key = keys[grabFor[j]];
    if (refused[j]) {
      // Another client holds some of them; give back the ones we did get.
      SendUngrabs(grabs[j].first, grabs[j].second, locks);
      gaveBack = true;
      continue;
    }
    FGrabbed.push_back(Grabbed{key.Modifiers, key.Vk, grabs[j].first, grabs[j].second});
    granted[grabFor[j]] = true;
  }
  // A refused combination is free for others once this returns, not only once the server
  // gets round to our releases.
  if (gaveBack) XSync(dpy, False);
  else XFlush(dpy);
}

void HotKeys::Ungrab(UINT modifiers, UINT vk) {
  HotKeyCombination key{modifiers, vk};
  UngrabMany(&key, 1);
}

void HotKeys::UngrabMany(const HotKeyCombination* keys, std::size_t count) {
  std::bitset<16 * 256> chosen;
  for (std::size_t i = 0; i < count; ++i) chosen.set((keys[i].Modifiers & 0xF) * 256 + (keys[i].Vk & 0xFF));
  std::vector<unsigned> locks = LockCombinations();
  bool sent = false;
  FGrabbed.erase(std::remove_if(FGrabbed.begin(), FGrabbed.end(),
                                [&](const Grabbed& g) {
                                  if (!chosen.test((g.Modifiers & 0xF) * 256 + (g.Vk & 0xFF))) return false;
                                  SendUngrabs(g.KeyCode, g.Mask, locks);
                                  sent = true;
                                  return true;
                                }),
                 FGrabbed.end());
  if (sent) XSync(FConn.Display(), False);
}

void HotKeys::Regrab() {
  // The keys may sit on other key codes now, and the lock keys on other modifiers.
  ::Display* dpy = FConn.Display();
  std::vector<unsigned> oldLocks = LockCombinations();
  for (const Grabbed& g : FGrabbed) SendUngrabs(g.KeyCode, g.Mask, oldLocks);
  ReadLockMasks();
  std::vector<std::pair<unsigned, unsigned>> grabs;
  for (Grabbed& g : FGrabbed) {
    g.KeyCode = XKeysymToKeycode(dpy, KeySymFromVk(g.Vk));
    if (g.KeyCode) grabs.emplace_back(g.KeyCode, g.Mask);
  }
  // A combination another client took meanwhile stays theirs.
  SendGrabs(grabs, LockCombinations());
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
    FHost.HotKeyPressed(g.Modifiers, g.Vk);
    break;
  }
  return true;
}

}  // namespace win::x11
