#pragma once
// Sorting and filtering of client datasets in memory: a sort index built from the
// sort-marked columns, and the dataset's own Filter.
#include "grid/DbUtilsGx/DatasetFeatures.h"

// The name of the index that sorting builds.
inline constexpr const char* SortIndexGxName = "SortIndexGx";

class TCDSDatasetFeaturesGx : public TDatasetFeaturesGx {
  VANTREL_CLASS(TCDSDatasetFeaturesGx, TDatasetFeaturesGx)
public:
  TCDSDatasetFeaturesGx() = default;
  void ApplySorting(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) override;
  void ApplyFilter(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) override;
  // The dataset the client dataset's provider serves, nullptr when none. A client
  // dataset here holds its rows itself and never fetches through a provider, so this is
  // always nullptr and sorting or filtering without the local mode does nothing.
  virtual TDataSet* ProviderDataSet(TDataSet* DataSet);
};

// Registers TCustomClientDataSet.
void RegisterGxLibCDS();
