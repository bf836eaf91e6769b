#pragma once
// Taking queued messages of one number off a window's queue without losing a quit request.
#include "platform/desktop/Windows.h"

// Removes one queued message with that number; a WM_QUIT taken with it is posted again.
void DropQueuedMessage(win::HWND Window, win::UINT Msg);
// Removes every queued message with that number, leaving a pending WM_QUIT in place.
void DropQueuedMessages(win::HWND Window, win::UINT Msg);
