#pragma once
// System-wide hot keys: passive key grabs on the root window, turned into WM_HOTKEY.
#include <vector>

#include "platform/desktop/WinTypes.h"
#include "platform/x11/Connection.h"

namespace win::x11 {

class HotKeys {
public:
  explicit HotKeys(Connection& conn);
  ~HotKeys();
  HotKeys(const HotKeys&) = delete;
  HotKeys& operator=(const HotKeys&) = delete;

  // Grabs the combination under every lock-key state; false (nothing left grabbed) when
  // another client holds it or the key has no key code here.
  bool Grab(UINT modifiers, UINT vk);
  void Ungrab(UINT modifiers, UINT vk);

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
  // Follows a change of the keyboard or modifier mapping.
  void Regrab();

  Connection& FConn;
  unsigned FNumLockMask = 0;
  unsigned FScrollLockMask = 0;
  std::vector<Grabbed> FGrabbed;
  unsigned FDownKeyCode = 0;  // the grabbed key held down (auto-repeat gives no new press)
};

}  // namespace win::x11
