// The grid's keyboard handling.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/UnitResources.h"
#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

void TCustomDBGridGx::HandleKeyDown(win::WORD& Key, TShiftState Shift) { TCustomGrid::KeyDown(Key, Shift); }

void TCustomDBGridGx::KeyPress(TKeyChar& Key) { TCustomGrid::KeyPress(Key); }
