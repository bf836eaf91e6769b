#include "grid/DBGridGx/GridDataService.h"

#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/SharedResources.h"
#include "grid/DbUtilsGx/DatasetFeatures.h"
#include "platform/data/DataSource.h"

namespace {
TDataSet* GridDataSet(TCustomDBGridGx* Grid) {
  TDataSource* Source = Grid ? Grid->DataSource() : nullptr;
  return Source ? Source->DataSet() : nullptr;
}
}  // namespace

void TDBGridGxDataService::ApplyFilter(TCustomDBGridGx* Grid) {
  if (FOnApplyFilter) FOnApplyFilter(Grid);
  else DefaultApplyFilter(Grid);
}

void TDBGridGxDataService::ApplySorting(TCustomDBGridGx* Grid) {
  if (FOnApplySorting) FOnApplySorting(Grid);
  else DefaultApplySorting(Grid);
}

void TDBGridGxDataService::DefaultApplyFilter(TCustomDBGridGx* Grid) {
  TDataSet* DataSet = GridDataSet(Grid);
  if (TDatasetFeaturesGx* Features = FindDatasetFeatures(DataSet)) Features->ApplyFilter(Grid, DataSet, true);
}

void TDBGridGxDataService::DefaultApplySorting(TCustomDBGridGx* Grid) {
  TDataSet* DataSet = GridDataSet(Grid);
  if (TDatasetFeaturesGx* Features = FindDatasetFeatures(DataSet)) Features->ApplySorting(Grid, DataSet, true);
}

// ---- the grid's own filter and sort requests ----

void TCustomDBGridGx::ApplyFilterDefault() {
  TDataSource* Source = DataSource();
  if (Source && Source->DataSet() && Source->DataSet()->Active() && P->FSTFilter->Local())
    Source->DataSet()->SetFiltered(true);
  if (TDBGridGxDataService* Service = DBGridGxDataService()) Service->ApplyFilter(this);
}

void TCustomDBGridGx::ApplySortingDefault() {
  if (TDBGridGxDataService* Service = DBGridGxDataService()) Service->ApplySorting(this);
}
