#pragma once
// Sorting and filtering of the SQL-connection datasets through their SQL.
#include "grid/DbUtilsGx/DatasetFeatures.h"

class TDBXSQLDatasetFeaturesGx : public TSQLDatasetFeaturesGx {
  VANTREL_CLASS(TDBXSQLDatasetFeaturesGx, TSQLDatasetFeaturesGx)
public:
  TDBXSQLDatasetFeaturesGx();
};

class TDBXCommandTextDatasetFeaturesGx : public TCommandTextDatasetFeaturesGx {
  VANTREL_CLASS(TDBXCommandTextDatasetFeaturesGx, TCommandTextDatasetFeaturesGx)
public:
  TDBXCommandTextDatasetFeaturesGx();
};

// The driver name of the dataset's SQL connection.
std::string DBXDialectName(TDataSet* DataSet);
void DBXDateLiteral(TDataSet* DataSet, const Variant& Value, TFieldType FieldType, std::string& Text);
// Registers TSQLQuery and TSQLDataSet.
void RegisterGxLibDBX();
