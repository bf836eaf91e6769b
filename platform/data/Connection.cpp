// TCustomConnection.
#include "platform/data/Connection.h"

#include <algorithm>

#include "platform/data/DataSet.h"

TCustomConnection::TCustomConnection(TComponent* AOwner) : TComponent(AOwner) {}

TCustomConnection::~TCustomConnection() {
  Destroying();
  SetConnected(false);
}

void TCustomConnection::Loaded() {
  TComponent::Loaded();
  if (FStreamedConnected) {
    FStreamedConnected = false;
    SetConnected(true);
  }
}

void TCustomConnection::SetConnected(bool v) {
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading)) {
    FStreamedConnected = v;
    return;
  }
  if (v == Connected()) return;
  if (v) {
    CheckSettings();
    FDatabase = std::make_unique<TSQLiteDatabase>(DatabasePath(), ReadOnlyMode());
  } else {
    std::vector<TDataSet*> sets = FDataSets;
    for (TDataSet* ds : sets)
      if (!ComponentState().Contains(csDestroying) || !ds->ComponentState().Contains(csDestroying)) ds->Close();
    FDatabase.reset();
  }
}

TSQLiteDatabase* TCustomConnection::Database() {
  if (!FDatabase) SetConnected(true);
  return FDatabase.get();
}

void TCustomConnection::CheckDisconnected() const {
  if (Connected()) DatabaseError("Operation is not allowed when the object is open", this);
}

void TCustomConnection::RegisterClient(TDataSet* ds) {
  if (std::find(FDataSets.begin(), FDataSets.end(), ds) == FDataSets.end()) FDataSets.push_back(ds);
}

void TCustomConnection::UnRegisterClient(TDataSet* ds) {
  FDataSets.erase(std::remove(FDataSets.begin(), FDataSets.end(), ds), FDataSets.end());
}
