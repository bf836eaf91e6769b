#include "platform/x11/Tray.h"

namespace win::x11 {

Tray::Tray(Connection& conn) : FConn(conn) {}
Tray::~Tray() = default;
void Tray::Added(const TrayIconState&) {}
void Tray::Modified(const TrayIconState&) {}
void Tray::Deleted(const TrayIconState&) {}
bool Tray::OnEvent(_XEvent&) { return false; }
XWindowId Tray::Manager() { return 0; }

}  // namespace win::x11
