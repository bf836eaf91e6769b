#pragma once
// The export unit's start: it registers the grid's clipboard formats ("VCLDBIF", "Csv",
// "Rich Text Format", in that order) and hands the grid its clipboard actions. Start and
// end are counted: only the first start and the last end act.
#include "platform/desktop/Windows.h"

class TCustomDBGridGx;

// The registered formats (0 until the unit starts, or when a registration failed).
win::UINT ClipFormatVCLDBIF();
win::UINT ClipFormatCsv();
win::UINT ClipFormatRtf();

// The grid's clipboard actions; All treats the selection as the whole data.
void CopyGridSelection(TCustomDBGridGx* Grid, bool All);
void CutGridSelection(TCustomDBGridGx* Grid, bool All);
void PasteIntoGrid(TCustomDBGridGx* Grid, bool All);
void DeleteGridSelection(TCustomDBGridGx* Grid, bool All);

void StartDBGridGxImpExpUnit();
void FinishDBGridGxImpExpUnit();

// Starts the unit for the lifetime of the object (programs, tests).
class TDBGridGxImpExpUnitUse {
public:
  TDBGridGxImpExpUnitUse() { StartDBGridGxImpExpUnit(); }
  ~TDBGridGxImpExpUnitUse() { FinishDBGridGxImpExpUnit(); }
  TDBGridGxImpExpUnitUse(const TDBGridGxImpExpUnitUse&) = delete;
  TDBGridGxImpExpUnitUse& operator=(const TDBGridGxImpExpUnitUse&) = delete;
};
