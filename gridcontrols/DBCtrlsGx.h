#pragma once
// The data-aware edit of the grid controls library: its field link, image settings,
// buttons and drop-down of recently used texts.
#include "gridcontrols/DBCtrlsGx/DBEdit.h"
#include "gridcontrols/DBCtrlsGx/FieldDataLink.h"
