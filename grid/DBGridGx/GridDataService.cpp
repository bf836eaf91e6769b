#include "grid/DBGridGx/GridDataService.h"

void TDBGridGxDataService::ApplyFilter(TCustomDBGridGx* Grid) {
  if (FOnApplyFilter) FOnApplyFilter(Grid);
  else DefaultApplyFilter(Grid);
}

void TDBGridGxDataService::ApplySorting(TCustomDBGridGx* Grid) {
  if (FOnApplySorting) FOnApplySorting(Grid);
  else DefaultApplySorting(Grid);
}

// No dataset features are registered yet: nothing to do.
void TDBGridGxDataService::DefaultApplyFilter(TCustomDBGridGx*) {}
void TDBGridGxDataService::DefaultApplySorting(TCustomDBGridGx*) {}
