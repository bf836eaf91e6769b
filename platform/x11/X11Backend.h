#pragma once
// The back end that shows the window system on an X11 display: windows, input, cursors
// and message boxes (X11Backend.cpp and its neighbours), and the desktop services: global
// hot keys, the CLIPBOARD selection and the notification-area icon (the services files).
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/desktop/Backend.h"
#include "platform/x11/Connection.h"

typedef struct _cairo_surface cairo_surface_t;
struct _XIM;
struct _XIC;

namespace win::x11 {

class HotKeys;
class Clipboard;
class Tray;

class X11Backend : public Backend {
public:
  explicit X11Backend(std::unique_ptr<Connection> connection);
  ~X11Backend() override;

  Connection& Conn() { return *FConnection; }

  // Windows, input, clock, message boxes.
  void WindowCreated(HWND hwnd) override;
  void WindowDestroyed(HWND hwnd) override;
  void WindowMoved(HWND hwnd, const RECT& screenRect) override;
  void WindowShown(HWND hwnd, bool visible) override;
  void SurfaceInvalidated(HWND hwnd, const RECT& rect) override;
  void WindowActivated(HWND hwnd) override;
  bool UsesManualClock() const override { return false; }
  std::uint64_t Now() override;
  bool WaitForEvents(int timeoutMs) override;
  void Beep(UINT type) override;
  int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                     UINT type) override;

  // Desktop services.
  bool GrabHotKey(UINT modifiers, UINT vk) override;
  void UngrabHotKey(UINT modifiers, UINT vk) override;
  void GrabHotKeys(const HotKeyCombination* keys, std::size_t count, bool* granted) override;
  void UngrabHotKeys(const HotKeyCombination* keys, std::size_t count) override;
  bool ClipboardHeldElsewhere() override;
  void ClipboardPublished() override;
  bool TakeExternalClipboard(std::vector<std::pair<UINT, std::string>>* formats) override;
  bool TrayAvailable() override;
  void TrayIconAdded(const TrayIconState& icon) override;
  void TrayIconModified(const TrayIconState& icon) override;
  void TrayIconDeleted(const TrayIconState& icon) override;

private:
  // Creates and frees the services (their event filters join the connection).
  void StartServices();
  void StopServices();

  // A top-level window shown on X.
  struct XWin {
    HWND Hwnd = nullptr;
    XWindowId Id = 0;
    bool OverrideRedirect = false;
    RECT Geometry{};         // the X window on screen, as last asked for or reported
    bool WantMapped = false;  // shown (and not minimised) in the window system
    bool Mapped = false;      // as X last reported
    bool Iconic = false;      // minimised through the window manager
    bool Dirty = true;        // its image changed since the last copy
    std::string Title;
    XWindowId TransientFor = 0;
    cairo_surface_t* Surface = nullptr;  // draws onto the X window
    _XIC* InputContext = nullptr;
  };

  // Windows (XWindows.cpp).
  XWin* Realize(HWND hwnd);
  void Unrealize(HWND hwnd);
  XWin* FindX(XWindowId id);
  XWin* FindWin(HWND hwnd);
  // Where the X window of hwnd goes on screen; empty when it has no area.
  RECT XGeometryOf(HWND hwnd, bool overrideRedirect);
  void UpdateProperties(XWin& w);
  void UpdateMapping(XWin& w);
  void Blit(XWin& w);
  // Copies changed images to the display and follows caption changes.
  void Flush();
  void ApplyCursor();
  // While a popup holds the mouse capture, X's pointer and keyboard are grabbed for it,
  // so clicks elsewhere on the screen close it and it gets the keys.
  void UpdateGrab();
  bool WindowManagerRunning();
  void Focus(XWin& w);
  // The X window that takes the focus for the window system's active window.
  XWin* FocusTargetFor(HWND active);

  // Events (X11Backend.cpp, XInput.cpp).
  void HandleEvent(_XEvent& event);
  void HandleConfigure(XWin& w, _XEvent& event);
  void HandleUnmap(XWin& w);
  void HandleMap(XWin& w);
  void HandleFocus(XWin& w, _XEvent& event);
  void HandleKey(XWin& w, _XEvent& event);
  void HandleButton(XWin& w, _XEvent& event);
  void HandlePointer(XWin& w, _XEvent& event);
  void CheckFocus();
  void SyncModifiers(unsigned state);
  // The screen point (window-system coordinates) of a point in an X window.
  POINT ScreenPoint(XWin& w, int x, int y);

  std::unique_ptr<Connection> FConnection;
  std::unordered_map<HWND, std::unique_ptr<XWin>> FWindows;
  std::unordered_map<XWindowId, HWND> FByX;
  _XIM* FInputMethod = nullptr;
  std::unordered_map<const void*, unsigned long> FCursors;  // cursor handle -> X cursor
  const void* FAppliedCursor = nullptr;
  XWindowId FGrab = 0;
  bool FFocusCheck = false;
  bool FActivatingFromX = false;
  bool FApplyingX = false;  // the window system follows a change made on X
  HWND FSavedFocus = nullptr;  // the focus when the display's focus left the program
  std::unique_ptr<HotKeys> FHotKeys;
  std::unique_ptr<Clipboard> FClipboard;
  std::unique_ptr<Tray> FTray;
};

// Opens $DISPLAY and installs the X11 back end; false (nothing installed) when there is
// no display to open.
bool InstallX11Backend();

}  // namespace win::x11
