#pragma once
// The narrow interface between the window system and what shows it: the headless back
// end (tests, runs without a display) or a real display.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/WinTypes.h"

namespace win {

// A key combination: MOD_* flags and a virtual-key code.
struct HotKeyCombination {
  UINT Modifiers = 0;
  UINT Vk = 0;
};

struct TrayIconState {
  HWND Owner = nullptr;
  UINT_PTR Id = 0;
  UINT CallbackMessage = 0;
  HICON Icon = nullptr;
  std::string Tip;
  UINT Version = 0;
};

class Backend {
public:
  virtual ~Backend() = default;

  // Top-level and popup windows (children are drawn into their top-level window).
  virtual void WindowCreated(HWND hwnd) {}
  virtual void WindowDestroyed(HWND hwnd) {}
  virtual void WindowMoved(HWND hwnd, const RECT& screenRect) {}
  virtual void WindowShown(HWND hwnd, bool visible) {}
  virtual void SurfaceInvalidated(HWND hwnd, const RECT& rect) {}
  // The window system made a top-level window the active one.
  virtual void WindowActivated(HWND hwnd) {}

  // True when time only moves when a test advances it.
  virtual bool UsesManualClock() const = 0;
  // Milliseconds of a monotonic clock (used when the clock is not manual).
  virtual std::uint64_t Now() = 0;
  // Waits up to timeoutMs (or forever when negative) for outside events, feeding them
  // into the window system; returns whether anything arrived.
  virtual bool WaitForEvents(int timeoutMs) = 0;

  // System-wide hot keys: grab returns false when another program holds the combination.
  virtual bool GrabHotKey(UINT modifiers, UINT vk) = 0;
  virtual void UngrabHotKey(UINT modifiers, UINT vk) = 0;
  // Many grabs at once, granted[i] telling the outcome of keys[i]; a back end that talks
  // to a server asks once for all of them.
  virtual void GrabHotKeys(const HotKeyCombination* keys, std::size_t count, bool* granted) {
    for (std::size_t i = 0; i < count; ++i) granted[i] = GrabHotKey(keys[i].Modifiers, keys[i].Vk);
  }
  virtual void UngrabHotKeys(const HotKeyCombination* keys, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) UngrabHotKey(keys[i].Modifiers, keys[i].Vk);
  }

  // Clipboard: an open fails when another program holds it. After a close that changed
  // the contents, ClipboardPublished is called (ClipboardSnapshot gives the data). When
  // another program has put new contents on the clipboard, TakeExternalClipboard gives
  // them (format, bytes) at the next open.
  virtual bool ClipboardHeldElsewhere() = 0;
  virtual void ClipboardPublished() {}
  virtual bool TakeExternalClipboard(std::vector<std::pair<UINT, std::string>>* formats) { return false; }

  // Notification area.
  virtual bool TrayAvailable() { return true; }
  virtual void TrayIconAdded(const TrayIconState& icon) {}
  virtual void TrayIconModified(const TrayIconState& icon) {}
  virtual void TrayIconDeleted(const TrayIconState& icon) {}

  virtual void Beep(UINT type) {}
  // Shows a message box and returns the button pressed (IDOK ...).
  virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                             UINT type) = 0;
};

// What a back end reports to the window system: input that arrives outside its windows
// (hot keys, the notification area) and the state that input changes.
class BackendHost {
public:
  // A grabbed combination (MOD_* flags, virtual key) was pressed: the window that
  // registered it gets WM_HOTKEY. False when no window has it registered.
  virtual bool HotKeyPressed(UINT modifiers, UINT vk) = 0;
  // The user acted on a notification-area icon with the pointer at screen point at: the
  // pointer moves there and the icon's owner, while it lives, gets its callback message
  // for what (WM_LBUTTONUP, NIN_SELECT ...) laid out as the icon's version says.
  virtual void TrayIconEvent(const TrayIconState& icon, UINT what, POINT at) = 0;
  // Another notification area took over: the window system forgets the icons the old
  // one showed and returns them.
  virtual std::vector<TrayIconState> TakeTrayIcons() = 0;

protected:
  ~BackendHost() = default;
};

// The window system's side, for the back end in use.
BackendHost& DesktopHost();

// The clipboard's formats and their bytes (text formats included as the clipboard would
// give them), for a back end that serves them to other programs.
std::vector<std::pair<UINT, std::string>> ClipboardSnapshot();

// The buttons of a message-box type (MB_OK ...), in order (IDOK ...).
std::vector<int> MessageBoxButtons(UINT type);

// The back end in use; the headless one unless another was installed.
Backend& CurrentBackend();
// Installs a back end (the program does so at start); NULL goes back to headless.
void InstallBackend(std::unique_ptr<Backend> backend);

}  // namespace win
