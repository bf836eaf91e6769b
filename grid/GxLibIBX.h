#pragma once
// Sorting and filtering of the InterBase-style datasets through their SQL or SelectSQL.
#include "grid/DbUtilsGx/DatasetFeatures.h"

class TIBSQLDatasetFeaturesGx : public TSQLDatasetFeaturesGx {
  VANTREL_CLASS(TIBSQLDatasetFeaturesGx, TSQLDatasetFeaturesGx)
public:
  TIBSQLDatasetFeaturesGx();
};

class TIBSelectSQLDatasetFeaturesGx : public TSQLDatasetFeaturesGx {
  VANTREL_CLASS(TIBSelectSQLDatasetFeaturesGx, TSQLDatasetFeaturesGx)
public:
  TIBSelectSQLDatasetFeaturesGx();
};

std::string IBXDialectName(TDataSet* DataSet);
void IBXDateLiteral(TDataSet* DataSet, const Variant& Value, TFieldType FieldType, std::string& Text);
// Registers TIBQuery and TIBDataSet.
void RegisterGxLibIBX();
