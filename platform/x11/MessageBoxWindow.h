#pragma once
// A modal message box made of the window system's own window and drawing: the text, an
// icon for the MB_ICON* types and the buttons of the box's type. It runs a nested
// message loop, so the program's other windows keep painting and their timers keep
// running; the owner is disabled meanwhile.
#include <string>

#include "platform/desktop/WinTypes.h"

namespace win::x11 {

// Shows the box and returns the button chosen (IDOK ...). Enter chooses the focused
// button (the default one at first), Escape and the close button cancel where the box
// has a Cancel button (an OK-only box answers IDOK); a button's underlined letter
// chooses it.
int RunMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption, UINT type);

}  // namespace win::x11
