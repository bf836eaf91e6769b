#pragma once
// Shared pieces of the grid controls library: edit buttons and their drawing, the special
// row of lookup drop-downs, field lists, key-value equality and the double-click test;
// drop-down placement, the size grip and the popup protocol; the popup list boxes and the
// most-recently-used list.
#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "gridcontrols/ToolCtrlsGx/MRUList.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
#include "gridcontrols/ToolCtrlsGx/SizeGrip.h"
#include "gridcontrols/ToolCtrlsGx/SpecRow.h"
