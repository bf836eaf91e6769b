#include "grid/GxLibIBX.h"

#include "platform/data/IBX.h"

TIBSQLDatasetFeaturesGx::TIBSQLDatasetFeaturesGx() {
  SetDateLiteralFunc(IBXDateLiteral);
  SetSQLTextProperty("SQL");
}

TIBSelectSQLDatasetFeaturesGx::TIBSelectSQLDatasetFeaturesGx() {
  SetDateLiteralFunc(IBXDateLiteral);
  SetSQLTextProperty("SelectSQL");
}

std::string IBXDialectName(TDataSet* DataSet) { return EngineDialectName(DataSet, "INTRBASE"); }

void IBXDateLiteral(TDataSet* DataSet, const Variant& Value, TFieldType FieldType, std::string& Text) {
  SQLDateLiteral(IBXDialectName(DataSet), Value, Text, FieldType);
}

void RegisterGxLibIBX() {
  AddDatasetFeatures(TIBSQLDatasetFeaturesGx::StaticClass(), TIBQuery::StaticClass());
  AddDatasetFeatures(TIBSelectSQLDatasetFeaturesGx::StaticClass(), TIBDataSet::StaticClass());
}
