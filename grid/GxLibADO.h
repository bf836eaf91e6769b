#pragma once
// Sorting and filtering of the ADO datasets: SQL for the filter, the engine's Sort
// property for sorting.
#include "grid/DbUtilsGx/DatasetFeatures.h"

// Sorts through the dataset's Sort; locally without checking or posting anything.
class TADOSQLDatasetFeaturesGx : public TSQLDatasetFeaturesGx {
  VANTREL_CLASS(TADOSQLDatasetFeaturesGx, TSQLDatasetFeaturesGx)
public:
  TADOSQLDatasetFeaturesGx();
  void ApplySorting(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) override;
};

class TADOCommandTextDatasetFeaturesGx : public TCommandTextDatasetFeaturesGx {
  VANTREL_CLASS(TADOCommandTextDatasetFeaturesGx, TCommandTextDatasetFeaturesGx)
public:
  TADOCommandTextDatasetFeaturesGx();
  void ApplySorting(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) override;
};

std::string ADODialectName(TDataSet* DataSet);
void ADODateLiteral(TDataSet* DataSet, const Variant& Value, TFieldType FieldType, std::string& Text);
// With SortLocal: the dataset's Sort from the sort-marked columns as they stand.
void ADOLocalSort(TCustomDBGridGx* Grid, TDataSet* DataSet);
// Registers TADOQuery and TADODataSet.
void RegisterGxLibADO();
