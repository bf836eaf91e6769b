#pragma once
// The base grid and its in-place editor.
#include "platform/controls/grids/CustomGrid.h"
#include "platform/controls/grids/GridTypes.h"
#include "platform/controls/grids/InplaceEdit.h"
