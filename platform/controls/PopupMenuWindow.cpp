// The popup menu's window when no script chooses for it.
#include "platform/controls/Menus.h"

TMenuItem* RunPopupMenuWindow(TPopupMenu* Menu, int X, int Y) { return nullptr; }
