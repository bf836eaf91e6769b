#pragma once
// Sorting and filtering of the table/query engine's datasets through their SQL.
#include "grid/DbUtilsGx/DatasetFeatures.h"

class TBDEDatasetFeaturesGx : public TSQLDatasetFeaturesGx {
  VANTREL_CLASS(TBDEDatasetFeaturesGx, TSQLDatasetFeaturesGx)
public:
  TBDEDatasetFeaturesGx();
};

// The driver type of the dataset's database.
std::string BDEDialectName(TDataSet* DataSet);
void BDEDateLiteral(TDataSet* DataSet, const Variant& Value, TFieldType FieldType, std::string& Text);
// Registers TQuery and TTable.
void RegisterGxLibBDE();
