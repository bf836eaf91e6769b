#include "grid/GxLibBDE.h"

#include "platform/data/DBTables.h"

TBDEDatasetFeaturesGx::TBDEDatasetFeaturesGx() { SetDateLiteralFunc(BDEDateLiteral); }

std::string BDEDialectName(TDataSet* DataSet) {
  auto* DBDataSet = dynamic_cast<TDBDataSet*>(DataSet);
  TDatabase* Database = DBDataSet ? DBDataSet->Database() : nullptr;
  return EngineDialectName(DataSet, Database ? Database->DriverTypeName() : std::string());
}

void BDEDateLiteral(TDataSet* DataSet, const Variant& Value, TFieldType FieldType, std::string& Text) {
  SQLDateLiteral(BDEDialectName(DataSet), Value, Text, FieldType);
}

void RegisterGxLibBDE() {
  AddDatasetFeatures(TBDEDatasetFeaturesGx::StaticClass(), TQuery::StaticClass());
  AddDatasetFeatures(TBDEDatasetFeaturesGx::StaticClass(), TTable::StaticClass());
}
