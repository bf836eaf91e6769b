#include "platform/x11/HotKeys.h"

namespace win::x11 {

HotKeys::HotKeys(Connection& conn) : FConn(conn) {}
HotKeys::~HotKeys() = default;
bool HotKeys::Grab(UINT, UINT) { return true; }
void HotKeys::Ungrab(UINT, UINT) {}
bool HotKeys::OnEvent(_XEvent&) { return false; }
unsigned long HotKeys::KeySymOf(UINT) { return 0; }

}  // namespace win::x11
