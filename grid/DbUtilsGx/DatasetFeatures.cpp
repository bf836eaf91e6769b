// The dataset-features registry and the SQL-based features.
#include "grid/DbUtilsGx/DatasetFeatures.h"

#include <climits>

#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/GxLibADO.h"
#include "grid/GxLibBDE.h"
#include "grid/GxLibCDS.h"
#include "grid/GxLibDBX.h"
#include "grid/GxLibIBX.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/SQLiteDataSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

struct TRegistryHolder {
  std::unique_ptr<TDatasetFeaturesRegistryGx> Registry;
};

TRegistryHolder& Holder() {
  static TRegistryHolder H;
  return H;
}

}  // namespace

void TDatasetFeaturesGx::ApplySorting(TCustomDBGridGx*, TDataSet*, bool) {}
void TDatasetFeaturesGx::ApplyFilter(TCustomDBGridGx*, TDataSet*, bool) {}

void TSQLDatasetFeaturesGx::ApplySorting(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) {
  if (!Grid || !DataSet) return;
  if (Grid->SortLocal())
    throw Exception("TSQLDatasetFeaturesGx can not sort data in dataset \"" + DataSet->Name() + "\" in local mode");
  if (dynamic_cast<TCustomADODataSet*>(DataSet)) ApplyADOSortText(Grid, DataSet, IsReopen);
  else ApplySQLOrderBy(Grid, DataSet, FSortByFieldName, FSQLTextProperty, IsReopen);
}

void TSQLDatasetFeaturesGx::ApplyFilter(TCustomDBGridGx* Grid, TDataSet*, bool IsReopen) {
  if (!Grid) return;
  if (Grid->STFilter()->Local()) {
    SetLocalGridFilter(Grid, "");
    return;
  }
  ApplySQLFilterText(Grid, FDateLiteralFunc, IsReopen, FSQLTextProperty);
}

void SetLocalGridFilter(TCustomDBGridGx* Grid, const std::string& WhenEmpty) {
  TDataSource* Source = Grid ? Grid->DataSource() : nullptr;
  if (!Source || !Source->DataSet()) return;
  std::string Text;
  GridFilterText(Grid, FilterItemText, nullptr, Text, false);
  Source->DataSet()->SetFilter(Text.empty() ? WhenEmpty : Text);
}

void TDatasetFeaturesRegistryGx::Add(const std::string& Name, std::unique_ptr<TDatasetFeaturesGx> Features) {
  for (auto& Entry : FEntries)
    if (AnsiSameText(Entry.first, Name)) {
      Entry.second = std::move(Features);
      return;
    }
  FEntries.emplace_back(Name, std::move(Features));
}

TDatasetFeaturesRegistryGx& DatasetFeaturesRegistry() {
  TRegistryHolder& H = Holder();
  if (!H.Registry) {
    H.Registry = std::make_unique<TDatasetFeaturesRegistryGx>();
    RegisterGxLibADO();
    RegisterGxLibBDE();
    RegisterGxLibCDS();
    RegisterGxLibDBX();
    RegisterGxLibIBX();
  }
  return *H.Registry;
}

void FreeDatasetFeatures() { Holder().Registry.reset(); }

void AddDatasetFeatures(TClass FeaturesClass, TClass DataSetClass) {
  if (!FeaturesClass || !FeaturesClass->NewObject) return;
  std::unique_ptr<TObject> Made(FeaturesClass->NewObject());
  auto* Features = dynamic_cast<TDatasetFeaturesGx*>(Made.get());
  if (!Features) return;
  Made.release();
  std::unique_ptr<TDatasetFeaturesGx> Owned(Features);
  Owned->SetDataSetClass(DataSetClass);
  if (DataSetClass) DatasetFeaturesRegistry().Add(DataSetClass->ClassName(), std::move(Owned));
}

int ClassDistance(TClass Class, const std::string& Name) {
  const std::string Wanted = UpperCase(Name);
  int Steps = 0;
  for (TClass C = Class; C; C = C->ClassParent(), ++Steps)
    if (UpperCase(C->ClassName()) == Wanted) return Steps;
  return INT_MAX;
}

TDatasetFeaturesGx* FindDatasetFeaturesForClass(TClass DataSetClass) {
  if (!DataSetClass) return nullptr;
  TDatasetFeaturesRegistryGx& Registry = DatasetFeaturesRegistry();
  TDatasetFeaturesGx* Best = nullptr;
  int BestDistance = INT_MAX;
  for (int I = 0; I < Registry.Count(); ++I) {
    TDatasetFeaturesGx* Features = Registry.Objects(I);
    if (!Features->DataSetClass() || !DataSetClass->InheritsFrom(Features->DataSetClass())) continue;
    const int Distance = ClassDistance(DataSetClass, Registry.Names(I));
    // A later entry wins only when strictly nearer.
    if (!Best || Distance < BestDistance) {
      Best = Features;
      BestDistance = Distance;
    }
  }
  return Best;
}

TDatasetFeaturesGx* FindDatasetFeatures(TDataSet* DataSet) {
  return DataSet ? FindDatasetFeaturesForClass(DataSet->ClassType()) : nullptr;
}

std::string EngineDialectName(TDataSet* DataSet, const std::string& Dialect) {
  return dynamic_cast<TSQLiteDataSet*>(DataSet) ? SQLiteDialectName : Dialect;
}
