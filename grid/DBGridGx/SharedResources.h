#pragma once
// The grid unit's process-wide resources, shared by every grid: the indicator and
// sort-marker images, the sort-index font, the grid cursors, the search shortcuts and
// colours, the default grid style, the data service, the layout store's registry path and
// the column storage interceptors. Start-up and end are counted:
// only the first start and the last end act.
#include "platform/controls/Menus.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageList.h"

class TDBGridGxDataService;

// Indicator images: 0 current row, 1 editing, 2 inserting, 3 multi-dot, 4 multi-arrow,
// 5 current selected row, 6 current row during an incremental search.
TImageList* IndicatorImages();
// Sort markers: 0 descending, 1 ascending.
TImageList* SortMarkerImages();
TFont* SortIndexFont();
TDBGridGxDataService* DBGridGxDataService();

// Column selection over titles, record selection over the indicator, and the same for
// right-to-left grids.
win::HCURSOR DownCursorGx();
win::HCURSOR RightCursorGx();
win::HCURSOR LeftCursorGx();

TShortCut SearchShortCut();
TShortCut SearchNextShortCut();
TShortCut SearchPriorShortCut();
TShortCut PreviousValueShortCut();
int DefaultSearchTimeout();
TColor SearchColor();
void SetSearchColor(TColor Value);
TColor SearchTextColor();

// The registry path under which grids keep their layouts (under the current user's key):
// GridLayoutRegistryPath while the unit runs, empty before and after.
inline constexpr const char* GridLayoutRegistryPath = "Software\\Microsoft\\Quenlar\\GridSave\\";
const std::string& GridLayoutRegistryBase();
void SetGridLayoutRegistryBase(const std::string& Value);

// Unit start-up and end; raises EOutOfResources "Cannot load cursor resource" when a
// cursor is missing.
void StartDBGridGxUnit();
void FinishDBGridGxUnit();
int DBGridGxUnitUseCount();

// Builds the indicator and sort-marker image lists from the bitmap resources.
void BuildGridImageLists();
// (Re)builds indicator image 6: the current-row arrow on SearchColor.
void BuildSearchIndicatorImage();

// Starts the unit for the lifetime of the object (tests, programs).
class TDBGridGxUnitUse {
public:
  TDBGridGxUnitUse() { StartDBGridGxUnit(); }
  ~TDBGridGxUnitUse() { FinishDBGridGxUnit(); }
  TDBGridGxUnitUse(const TDBGridGxUnitUse&) = delete;
  TDBGridGxUnitUse& operator=(const TDBGridGxUnitUse&) = delete;
};
