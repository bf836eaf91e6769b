#pragma once
// Small datasets and recording data links for the data-access tests.
#include <memory>
#include <string>
#include <vector>

#include "platform/data/DBClient.h"
#include "platform/data/DataSource.h"

// Owns the components of one test.
struct TTestOwner {
  std::unique_ptr<TComponent> Owner = std::make_unique<TComponent>(nullptr);
};

// A client dataset "People": ID integer, Name string(20), Amount float; rows ID 1..n,
// Name "P<id>", Amount id * 1.5.
inline TClientDataSet* MakePeople(TComponent* owner, int rows, const std::string& name = "People") {
  auto* ds = new TClientDataSet(owner);
  ds->SetName(name);
  ds->FieldDefs().Add("ID", ftInteger);
  ds->FieldDefs().Add("Name", ftString, 20);
  ds->FieldDefs().Add("Amount", ftFloat);
  ds->CreateDataSet();
  for (int i = 1; i <= rows; ++i) {
    ds->Append();
    ds->FieldByName("ID")->SetAsInteger(i);
    ds->FieldByName("Name")->SetAsString("P" + std::to_string(i));
    ds->FieldByName("Amount")->SetAsFloat(i * 1.5);
    ds->Post();
  }
  ds->First();
  return ds;
}

// A data source on ds, owned by owner.
inline TDataSource* MakeSource(TComponent* owner, TDataSet* ds) {
  auto* src = new TDataSource(owner);
  src->SetDataSet(ds);
  return src;
}

// A data link that records what it is told.
class TRecordingLink : public TDataLink {
public:
  std::vector<std::string> Log;
  std::vector<int> Scrolls;
  int Changes = 0;

protected:
  void ActiveChanged() override { Log.push_back(std::string("ActiveChanged:") + (Active() ? "1" : "0")); }
  void DataSetChanged() override {
    ++Changes;
    Log.push_back("DataSetChanged");
  }
  void DataSetScrolled(int Distance) override {
    Scrolls.push_back(Distance);
    Log.push_back("DataSetScrolled:" + std::to_string(Distance));
  }
  void LayoutChanged() override { Log.push_back("LayoutChanged"); }
  void RecordChanged(TField* Field) override {
    Log.push_back(std::string("RecordChanged:") + (Field ? Field->FieldName() : "nil"));
  }
  void EditingChanged() override { Log.push_back(std::string("EditingChanged:") + (Editing() ? "1" : "0")); }
  void UpdateData() override { Log.push_back("UpdateData"); }
};

// Joins the events a dataset fires into one log.
inline void LogDataSetEvents(TDataSet* ds, std::vector<std::string>& log) {
  auto on = [&log](const char* name) { return TDataSetNotifyEvent([&log, name](TDataSet*) { log.push_back(name); }); };
  ds->SetBeforeInsert(on("BeforeInsert"));
  ds->SetAfterInsert(on("AfterInsert"));
  ds->SetBeforeEdit(on("BeforeEdit"));
  ds->SetAfterEdit(on("AfterEdit"));
  ds->SetBeforePost(on("BeforePost"));
  ds->SetAfterPost(on("AfterPost"));
  ds->SetBeforeCancel(on("BeforeCancel"));
  ds->SetAfterCancel(on("AfterCancel"));
  ds->SetBeforeDelete(on("BeforeDelete"));
  ds->SetAfterDelete(on("AfterDelete"));
  ds->SetBeforeScroll(on("BeforeScroll"));
  ds->SetAfterScroll(on("AfterScroll"));
  ds->SetOnNewRecord(on("OnNewRecord"));
  ds->SetBeforeOpen(on("BeforeOpen"));
  ds->SetAfterOpen(on("AfterOpen"));
  ds->SetBeforeClose(on("BeforeClose"));
  ds->SetAfterClose(on("AfterClose"));
  ds->SetBeforeRefresh(on("BeforeRefresh"));
  ds->SetAfterRefresh(on("AfterRefresh"));
}
