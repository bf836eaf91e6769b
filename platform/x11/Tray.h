#pragma once
// The notification-area icon: a small window docked in the freedesktop system tray that
// shows the icon and turns pointer input into the owner's tray callback messages.
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/Backend.h"
#include "platform/x11/Connection.h"

namespace win::x11 {

class Tray {
public:
  // Input on the icons and a change of tray manager go to host.
  Tray(Connection& conn, BackendHost& host);
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
  // The icon window of (owner, id), 0 when there is none.
  XWindowId IconWindow(HWND owner, UINT_PTR id) const;
  // The tooltip window while it shows, else 0.
  XWindowId TipWindow() const { return FTipShown ? FTip : 0; }

  static constexpr int kIconSize = 22;

private:
  struct Icon;
  Icon* Find(XWindowId window) const;
  Icon* Find(HWND owner, UINT_PTR id) const;
  void Dock(Icon& icon);
  void Paint(Icon& icon);
  void SetName(Icon& icon);
  void Callback(const Icon& icon, UINT what, int rootX, int rootY);
  void ShowTip(const Icon& icon, int rootX, int rootY);
  void HideTip();
  // A new tray manager: icons vanish and the programs are told to add them again.
  void Restart();

  Connection& FConn;
  BackendHost& FHost;
  std::vector<std::unique_ptr<Icon>> FIcons;
  XAtom FSelection = 0;
  XWindowId FManager = 0;
  XWindowId FTip = 0;
  bool FTipShown = false;
  bool FToldNoTray = false;
};

}  // namespace win::x11
