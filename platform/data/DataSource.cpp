// TDataSource and TDataLink.
#include "platform/data/DataSource.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  Destroying();
  while (!FDataLinks.empty()) FDataLinks.back()->SetDataSource(nullptr);
  SetDataSet(nullptr);
}

void TDataSource::Publish(TClassBuilder<TDataSource>& b) {
  b.Property("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit).Default(true);
  b.Property("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
  b.Property("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled).Default(true);
  b.Property("OnStateChange", &TDataSource::OnStateChange, &TDataSource::SetOnStateChange);
  b.Property("OnDataChange", &TDataSource::OnDataChange, &TDataSource::SetOnDataChange);
  b.Property("OnUpdateData", &TDataSource::OnUpdateData, &TDataSource::SetOnUpdateData);
}

void TDataSource::SetDataSet(TDataSet* v) {
  if (v == FDataSet) return;
  if (v && v->IsLinkedTo(this)) DatabaseError("Circular datalinks are not allowed", this);
  if (FDataSet) {
    FDataSet->RemoveDataSource(this);
    FDataSet->RemoveFreeNotification(this);
  }
  FDataSet = v;
  if (v) {
    v->FreeNotification(this);
    v->AddDataSource(this);
  }
  UpdateState();
}

void TDataSource::SetEnabled(bool v) {
  FEnabled = v;
  UpdateState();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) SetDataSet(nullptr);
}

void TDataSource::Edit() {
  if (FAutoEdit && FState == dsBrowse && FDataSet) FDataSet->Edit();
}

bool TDataSource::IsLinkedTo(TDataSet* ds) const { return ds && ds->IsLinkedTo(const_cast<TDataSource*>(this)); }

void TDataSource::UpdateState() {
  if (FEnabled && FDataSet) SetState(FDataSet->State());
  else SetState(dsInactive);
}

void TDataSource::SetState(TDataSetState v) {
  if (FState == v) return;
  TDataSetState prior = FState;
  FState = v;
  NotifyDataLinks(deUpdateState, 0);
  if (ComponentState().Contains(csDestroying)) return;
  FOnStateChange(this);
  if (prior == dsInactive) FOnDataChange(this, nullptr);
}

void TDataSource::NotifyDataLinks(TDataEvent Event, std::intptr_t Info) {
  std::vector<TDataLink*> links = FDataLinks;
  for (TDataLink* link : links)
    if (std::find(FDataLinks.begin(), FDataLinks.end(), link) != FDataLinks.end()) link->DataEvent(Event, Info);
}

void TDataSource::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deUpdateState) {
    UpdateState();
    return;
  }
  if (FState == dsInactive) return;
  NotifyDataLinks(Event, Info);
  switch (Event) {
    case deFieldChange:
    case deRecordChange:
      FOnDataChange(this, reinterpret_cast<TField*>(Info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      FOnDataChange(this, nullptr);
      break;
    case deUpdateRecord:
      FOnUpdateData(this);
      break;
    default:
      break;
  }
}

void TDataSource::AddDataLink(TDataLink* link) {
  FDataLinks.push_back(link);
  link->FDataSource = this;
  if (FDataSet) FDataSet->UpdateBufferCount();
  link->UpdateState();
}

void TDataSource::RemoveDataLink(TDataLink* link) {
  link->FDataSource = nullptr;
  FDataLinks.erase(std::remove(FDataLinks.begin(), FDataLinks.end(), link), FDataLinks.end());
  link->UpdateState();
  if (FDataSet && !ComponentState().Contains(csDestroying)) FDataSet->UpdateBufferCount();
}

// TDataLink

TDataLink::TDataLink() = default;

TDataLink::~TDataLink() {
  if (FDataSource) FDataSource->RemoveDataLink(this);
}

void TDataLink::SetDataSource(TDataSource* v) {
  if (v == FDataSource) return;
  if (FDataSourceFixed) DatabaseError("Operation not allowed in a DBCtrlGrid");
  if (FDataSource) FDataSource->RemoveDataLink(this);
  if (v) v->AddDataLink(this);
}

TDataSet* TDataLink::DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }

void TDataLink::SetReadOnly(bool v) {
  if (FReadOnly == v) return;
  FReadOnly = v;
  UpdateState();
}

void TDataLink::UpdateState() {
  SetActive(FDataSource && FDataSource->State() != dsInactive);
  TDataSetState s = FDataSource ? FDataSource->State() : dsInactive;
  SetEditing((s == dsEdit || s == dsInsert || s == dsSetKey) && !FReadOnly);
}

void TDataLink::SetActive(bool v) {
  if (FActive == v) return;
  FActive = v;
  if (v) UpdateRange();
  else FFirstRecord = 0;
  ActiveChanged();
}

void TDataLink::SetEditing(bool v) {
  if (FEditing == v) return;
  FEditing = v;
  EditingChanged();
}

void TDataLink::UpdateRange() {
  TDataSet* ds = DataSet();
  if (!ds) return;
  int min = ds->FActiveRecord - FBufferCount + 1;
  if (min < 0) min = 0;
  int max = ds->FBufferCount - FBufferCount;
  if (max > ds->FActiveRecord) max = ds->FActiveRecord;
  if (FFirstRecord < min) FFirstRecord = min;
  if (FFirstRecord > max) FFirstRecord = max;
  if (FFirstRecord < 0) FFirstRecord = 0;
}

int TDataLink::ActiveRecord() const {
  if (!FActive || !FDataSource || FDataSource->State() == dsSetKey) return 0;
  return DataSet()->FActiveRecord - FFirstRecord;
}

bool TDataLink::SetActiveRecord(int v) {
  if (!FActive || FDataSource->State() == dsSetKey) return false;
  if (v < 0 || v >= RecordCount()) return false;
  DataSet()->FActiveRecord = v + FFirstRecord;
  return true;
}

void TDataLink::SetBufferCount(int v) {
  if (v < 1) v = 1;
  if (FBufferCount == v) return;
  FBufferCount = v;
  if (FActive) {
    UpdateRange();
    DataSet()->UpdateBufferCount();
    UpdateRange();
  }
}

int TDataLink::RecordCount() const {
  if (!FActive) return 0;
  if (FDataSource->State() == dsSetKey) return 1;
  int n = DataSet()->FRecordCount - FFirstRecord;
  if (n > FBufferCount) n = FBufferCount;
  return n < 0 ? 0 : n;
}

bool TDataLink::Edit() {
  if (!FReadOnly && FDataSource) FDataSource->Edit();
  return FEditing;
}

void TDataLink::UpdateRecord() {
  FUpdating = true;
  auto guard = AtScopeExit([&] { FUpdating = false; });
  UpdateData();
}

void TDataLink::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deUpdateState) {
    UpdateState();
    return;
  }
  if (!FActive) return;
  switch (Event) {
    case deFieldChange:
    case deRecordChange:
      if (!FUpdating) RecordChanged(reinterpret_cast<TField*>(Info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
      int count = 0;
      if (FDataSource->State() != dsSetKey) {
        int active = DataSet()->FActiveRecord;
        int first = FFirstRecord + static_cast<int>(Info);
        int last = first + FBufferCount - 1;
        if (active > last) count = active - last;
        else if (active < first) count = active - first;
        FFirstRecord = first + count;
      }
      if (Event == deDataSetChange) DataSetChanged();
      else if (Event == deDataSetScroll) DataSetScrolled(count);
      else LayoutChanged();
      break;
    }
    case deUpdateRecord:
      UpdateRecord();
      break;
    case deCheckBrowseMode:
      CheckBrowseMode();
      break;
    case deFocusControl: {
      auto** field = reinterpret_cast<TField**>(Info);
      FocusControl(field);
      break;
    }
    default:
      break;
  }
}
