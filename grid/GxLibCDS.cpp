#include "grid/GxLibCDS.h"

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/Titles.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSource.h"

void TCDSDatasetFeaturesGx::ApplySorting(TCustomDBGridGx* Grid, TDataSet* DataSet, bool) {
  if (!Grid) return;
  if (!Grid->SortLocal()) {
    if (TDataSet* Served = ProviderDataSet(DataSet)) {
      if (TDatasetFeaturesGx* Features = FindDatasetFeatures(Served)) Features->ApplySorting(Grid, Served, false);
      DataSet->Close();
      DataSet->Open();
    }
    return;
  }
  std::string Fields, DescFields;
  TColumnsGxList* Sorted = Grid->SortedColumnList();
  for (int I = 0; Sorted && I < Sorted->Count(); ++I) {
    TColumnGx* Column = Sorted->ColumnAt(I);
    const std::string Name = Column ? Column->FieldName() : std::string();
    if (Name.empty()) continue;
    Fields += (Fields.empty() ? "" : ";") + Name;
    if (Column->Title()->SortMarker() == smUpGx) DescFields += (DescFields.empty() ? "" : ";") + Name;
  }
  auto* Client = dynamic_cast<TCustomClientDataSet*>(DataSet);
  if (!Client) return;
  Client->IndexDefs().Update();
  if (Client->IndexDefs().IndexOf(SortIndexGxName) >= 0) {
    if (Client->IndexName() == SortIndexGxName) Client->SetIndexName("");
    Client->DeleteIndex(SortIndexGxName);
  }
  if (!Fields.empty()) {
    Client->AddIndex(SortIndexGxName, Fields, {}, DescFields, "", 0);
    Client->SetIndexName(SortIndexGxName);
  } else {
    Client->SetIndexName("");
  }
  if (Client->Active()) Client->First();
}

void TCDSDatasetFeaturesGx::ApplyFilter(TCustomDBGridGx* Grid, TDataSet* DataSet, bool) {
  if (!Grid) return;
  if (Grid->STFilter()->Local()) {
    SetLocalGridFilter(Grid, "1=1");
    return;
  }
  if (TDataSet* Served = ProviderDataSet(DataSet)) {
    if (TDatasetFeaturesGx* Features = FindDatasetFeatures(Served)) Features->ApplyFilter(Grid, Served, false);
    DataSet->Close();
    DataSet->Open();
  }
}

TDataSet* TCDSDatasetFeaturesGx::ProviderDataSet(TDataSet*) { return nullptr; }

void RegisterGxLibCDS() {
  AddDatasetFeatures(TCDSDatasetFeaturesGx::StaticClass(), TCustomClientDataSet::StaticClass());
}
