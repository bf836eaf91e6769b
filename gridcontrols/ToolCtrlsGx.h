#pragma once
// Shared pieces of the grid controls library: edit buttons and their drawing, the special
// row of lookup drop-downs, field lists, key-value equality and the double-click test.
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "gridcontrols/ToolCtrlsGx/SpecRow.h"
