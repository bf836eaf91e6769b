#include "grid/GxLibADO.h"

#include "grid/DBGridGx/GridControl.h"
#include "platform/data/ADODB.h"

TADOSQLDatasetFeaturesGx::TADOSQLDatasetFeaturesGx() { SetDateLiteralFunc(ADODateLiteral); }

TADOCommandTextDatasetFeaturesGx::TADOCommandTextDatasetFeaturesGx() { SetDateLiteralFunc(ADODateLiteral); }

namespace {
void ADOSorting(TSQLDatasetFeaturesGx* Features, TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) {
  if (!Grid) return;
  if (Grid->SortLocal()) ADOLocalSort(Grid, DataSet);
  else Features->TSQLDatasetFeaturesGx::ApplySorting(Grid, DataSet, IsReopen);
}
}  // namespace

void TADOSQLDatasetFeaturesGx::ApplySorting(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) {
  ADOSorting(this, Grid, DataSet, IsReopen);
}

void TADOCommandTextDatasetFeaturesGx::ApplySorting(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) {
  ADOSorting(this, Grid, DataSet, IsReopen);
}

void ADOLocalSort(TCustomDBGridGx* Grid, TDataSet* DataSet) {
  auto* ADODataSet = dynamic_cast<TCustomADODataSet*>(DataSet);
  if (!ADODataSet) return;
  const std::string Text = SortedColumnsText(Grid, DataSet, false);
  if (ADODataSet->Active()) ADODataSet->SetSort(Text);
}

std::string ADODialectName(TDataSet* DataSet) { return EngineDialectName(DataSet, "MSACCESS"); }

void ADODateLiteral(TDataSet* DataSet, const Variant& Value, TFieldType FieldType, std::string& Text) {
  SQLDateLiteral(ADODialectName(DataSet), Value, Text, FieldType);
}

void RegisterGxLibADO() {
  AddDatasetFeatures(TADOSQLDatasetFeaturesGx::StaticClass(), TADOQuery::StaticClass());
  AddDatasetFeatures(TADOCommandTextDatasetFeaturesGx::StaticClass(), TADODataSet::StaticClass());
}
