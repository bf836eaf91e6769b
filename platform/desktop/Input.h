#pragma once
// Input from a real display, fed into the window system. Messages are posted (or sent,
// where the window system itself sends them: activation by click, cursor requests) but
// the posted ones are not dispatched: the message loop that waits for the display does.
#include <string_view>

#include "platform/desktop/Headless.h"

namespace win::input {

// A key goes down: WM_KEYDOWN (WM_SYSKEYDOWN with Alt) to the focus window. text is what
// the display's keyboard layout types with it (UTF-8); TranslateMessage then gives those
// characters instead of the built-in US layout's. Empty: the built-in table decides.
void KeyDown(UINT vk, std::string_view text = {});
void KeyUp(UINT vk);
// Text an input method committed: WM_CHAR only.
void TypeText(std::string_view utf8);
// Sets a key's down state without any message (keys pressed or released while the
// display's focus was elsewhere).
void SetKeyDown(UINT vk, bool down);

// Mouse input in screen coordinates.
using headless::MouseButton;
void MouseMove(int x, int y);
void MouseDown(MouseButton button, int x, int y);
void MouseUp(MouseButton button, int x, int y);
void MouseWheel(int delta, int x, int y);

}  // namespace win::input
