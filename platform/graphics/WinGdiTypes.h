#pragma once
// The window system's value types and handles, which the drawing calls share.
#include "platform/desktop/Handles.h"
#include "platform/desktop/WinStyles.h"
#include "platform/desktop/WinTypes.h"
