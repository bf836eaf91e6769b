#include "grid/GxLibDBX.h"

#include "platform/data/SqlExpr.h"
#include "platform/rtl/SysUtils.h"

TDBXSQLDatasetFeaturesGx::TDBXSQLDatasetFeaturesGx() { SetDateLiteralFunc(DBXDateLiteral); }

TDBXCommandTextDatasetFeaturesGx::TDBXCommandTextDatasetFeaturesGx() { SetDateLiteralFunc(DBXDateLiteral); }

std::string DBXDialectName(TDataSet* DataSet) {
  auto* SQLDataSet = dynamic_cast<TCustomSQLDataSet*>(DataSet);
  TSQLConnection* Connection = SQLDataSet ? SQLDataSet->SQLConnection() : nullptr;
  return EngineDialectName(DataSet, Connection ? UpperCase(Connection->DriverName()) : std::string());
}

void DBXDateLiteral(TDataSet* DataSet, const Variant& Value, TFieldType FieldType, std::string& Text) {
  SQLDateLiteral(DBXDialectName(DataSet), Value, Text, FieldType);
}

void RegisterGxLibDBX() {
  AddDatasetFeatures(TDBXSQLDatasetFeaturesGx::StaticClass(), TSQLQuery::StaticClass());
  AddDatasetFeatures(TDBXCommandTextDatasetFeaturesGx::StaticClass(), TSQLDataSet::StaticClass());
}
