#pragma once
// The notification-area icon: a small window docked in the freedesktop system tray that
// shows the icon and turns pointer input into the owner's tray callback messages.
#include <string>
#include <vector>

#include "platform/desktop/Backend.h"
#include "platform/x11/Connection.h"

namespace win::x11 {

class Tray {
public:
  explicit Tray(Connection& conn);
  ~Tray();
  Tray(const Tray&) = delete;
  Tray& operator=(const Tray&) = delete;

  void Added(const TrayIconState& icon);
  void Modified(const TrayIconState& icon);
  void Deleted(const TrayIconState& icon);

  // The event filter: the icon windows' input and exposure, and tray managers appearing.
  bool OnEvent(_XEvent& event);

  // The tray manager's window, 0 when there is none.
  XWindowId Manager();

private:
  struct Icon;
  Icon* Find(XWindowId window);
  Icon* Find(HWND owner, UINT_PTR id);
  void Dock(Icon& icon);
  void Paint(Icon& icon);

  Connection& FConn;
  std::vector<Icon*> FIcons;
  bool FToldNoTray = false;
};

}  // namespace win::x11
