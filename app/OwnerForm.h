#pragma once
// What the hot-key and tray components need of the form that owns them: its window.
// The program's forms provide it.
#include "platform/desktop/Windows.h"

class IOwnerForm {
public:
  virtual ~IOwnerForm() = default;
  // The form's window, created on first request.
  virtual win::HWND OwnerFormHandle() = 0;
};
