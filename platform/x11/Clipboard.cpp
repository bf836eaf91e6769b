#include "platform/x11/Clipboard.h"

namespace win::x11 {

Clipboard::Clipboard(Connection& conn) : FConn(conn) {}
Clipboard::~Clipboard() = default;
void Clipboard::Publish() {}
bool Clipboard::TakeExternal(std::vector<std::pair<UINT, std::string>>*) { return false; }
bool Clipboard::OnEvent(_XEvent&) { return false; }

}  // namespace win::x11
