#pragma once
// System-wide hot keys: passive key grabs on the root window, turned into WM_HOTKEY.
#include <utility>
#include <vector>

#include "platform/desktop/Backend.h"
#include "platform/desktop/WinTypes.h"
#include "platform/x11/Connection.h"

namespace win::x11 {

class HotKeys {
public:
  // Presses of grabbed combinations go to host.
  HotKeys(Connection& conn, BackendHost& host);
  ~HotKeys();
  HotKeys(const HotKeys&) = delete;
  HotKeys& operator=(const HotKeys&) = delete;

  // Grabs the combination under every lock-key state; false (nothing left grabbed) when
  // another client holds it or the key has no key code here.
  bool Grab(UINT modifiers, UINT vk);
  // Grabs many combinations with one round trip to the server: granted[i] is what Grab
  // would have answered for keys[i].
  void GrabMany(const HotKeyCombination* keys, std::size_t count, bool* granted);
  // Releases the combinations grabbed (others are ignored) with one round trip: once it
  // returns, other clients can have them.
  void Ungrab(UINT modifiers, UINT vk);
  void UngrabMany(const HotKeyCombination* keys, std::size_t count);

  // The event filter: a press of a grabbed combination posts WM_HOTKEY.
  bool OnEvent(_XEvent& event);

private:
  struct Grabbed {
    UINT Modifiers;
    UINT Vk;
    unsigned KeyCode;
    unsigned Mask;
  };
  // The modifier bits of Num Lock and Scroll Lock, read from the modifier mapping.
  void ReadLockMasks();
  std::vector<unsigned> LockCombinations() const;
  // Sends a grab of each key code and mask under every lock state in locks, then waits
  // for the server once; refused[i] tells whether any of grabs[i]'s was refused.
  std::vector<bool> SendGrabs(const std::vector<std::pair<unsigned, unsigned>>& grabs,
                              const std::vector<unsigned>& locks);
  void SendUngrabs(unsigned keyCode, unsigned mask, const std::vector<unsigned>& locks);
  // Follows a change of the keyboard or modifier mapping.
  void Regrab();

  Connection& FConn;
  BackendHost& FHost;
  unsigned FNumLockMask = 0;
  unsigned FScrollLockMask = 0;
  std::vector<Grabbed> FGrabbed;
  unsigned FDownKeyCode = 0;  // the grabbed key held down (auto-repeat gives no new press)
};

}  // namespace win::x11
