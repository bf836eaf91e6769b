#pragma once
// The lookup grid, the popup grid made from it and the column's drop-down box settings.
#include "grid/DBLookupGridsGx/LookupGrid.h"
#include "grid/DBLookupGridsGx/PopupDataGrid.h"
