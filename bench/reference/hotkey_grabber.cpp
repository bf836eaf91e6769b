// The reference side of the X11 start-up benchmark: a minimal Xlib program that reads the
// snippet table with the SQLite C API and grabs each row's combination (each once) on the
// root window under every lock-key state, all grabs sent before one synchronisation. A
// press of a grabbed key takes the CLIPBOARD selection. When its standard input ends it
// releases the grabs and closes the display.
//   hotkey_grabber DATABASE
#include "platform/x11/Translate.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <poll.h>
#include <sqlite3.h>
#include <unistd.h>

#include <bitset>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

const std::uint32_t kVirtKeyCodes[] = {
#define VANTREL_VIRTKEY(Name, Code) Code,
#include "app/VirtKeys.inc"
#undef VANTREL_VIRTKEY
};
constexpr int kVirtKeyCount = sizeof kVirtKeyCodes / sizeof kVirtKeyCodes[0];

int IgnoreError(Display*, XErrorEvent*) { return 0; }

unsigned ModifierBit(Display* dpy, XModifierKeymap* map, KeySym sym) {
  KeyCode code = XKeysymToKeycode(dpy, sym);
  if (!code) return 0;
  for (int mod = 0; mod < 8; ++mod)
    for (int i = 0; i < map->max_keypermod; ++i)
      if (map->modifiermap[mod * map->max_keypermod + i] == code) return 1u << mod;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return 1;
  Window root = DefaultRootWindow(dpy);

  XModifierKeymap* map = XGetModifierMapping(dpy);
  unsigned numLock = ModifierBit(dpy, map, XK_Num_Lock), scrollLock = ModifierBit(dpy, map, XK_Scroll_Lock);
  XFreeModifiermap(map);
  std::vector<unsigned> locks{0};
  for (unsigned lock : {unsigned(LockMask), numLock, scrollLock}) {
    if (!lock) continue;
    std::size_t n = locks.size();
    for (std::size_t i = 0; i < n; ++i)
      if (!(locks[i] & lock)) locks.push_back(locks[i] | lock);
  }

  sqlite3* db = nullptr;
  if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return 1;
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT shift, control, alt, win, KeyIndex FROM TSet", -1, &st, nullptr);
  std::bitset<16 * 256> seen;
  std::vector<std::pair<KeyCode, unsigned>> grabs;
  while (sqlite3_step(st) == SQLITE_ROW) {
    unsigned mask = (sqlite3_column_int(st, 0) ? ShiftMask : 0) | (sqlite3_column_int(st, 1) ? ControlMask : 0) |
                    (sqlite3_column_int(st, 2) ? Mod1Mask : 0) | (sqlite3_column_int(st, 3) ? Mod4Mask : 0);
    int ordinal = sqlite3_column_type(st, 4) == SQLITE_NULL ? 0 : sqlite3_column_int(st, 4);
    if (ordinal <= 0 || ordinal >= kVirtKeyCount) continue;
    unsigned mods = (mask & ShiftMask ? 1 : 0) | (mask & ControlMask ? 2 : 0) | (mask & Mod1Mask ? 4 : 0) |
                    (mask & Mod4Mask ? 8 : 0);
    std::uint32_t vk = kVirtKeyCodes[ordinal];
    if (seen.test(mods * 256 + vk)) continue;
    seen.set(mods * 256 + vk);
    KeySym sym = win::x11::KeySymFromVk(vk);
    KeyCode code = sym ? XKeysymToKeycode(dpy, sym) : 0;
    if (code) grabs.emplace_back(code, mask);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);

  XSetErrorHandler(IgnoreError);
  for (const auto& g : grabs)
    for (unsigned lock : locks) XGrabKey(dpy, g.first, g.second | lock, root, False, GrabModeAsync, GrabModeAsync);
  XSync(dpy, False);

  Window owner = XCreateSimpleWindow(dpy, root, 0, 0, 1, 1, 0, 0, 0);
  Atom clipboard = XInternAtom(dpy, "CLIPBOARD", False);
  XFlush(dpy);
  for (bool running = true; running;) {
    while (XPending(dpy)) {
      XEvent e;
      XNextEvent(dpy, &e);
      if (e.type == KeyPress) {
        XSetSelectionOwner(dpy, clipboard, owner, e.xkey.time);
        XFlush(dpy);
      }
    }
    pollfd fds[2] = {{ConnectionNumber(dpy), POLLIN, 0}, {0, POLLIN, 0}};
    poll(fds, 2, -1);
    if (fds[1].revents) {
      char c;
      if (read(0, &c, 1) <= 0) running = false;
    }
  }
  for (const auto& g : grabs)
    for (unsigned lock : locks) XUngrabKey(dpy, g.first, g.second | lock, root);
  XCloseDisplay(dpy);
  return 0;
}
