#pragma once
// A shown form on a clean headless desktop with data-aware edits, and a small client
// dataset to bind them to: "Name" (string, 20), "Code" (string, 8), "Qty" (integer).
#include <gtest/gtest.h>

#include <string>

#include "gridcontrols/DBCtrlsGx.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSource.h"
#include "platform/desktop/Headless.h"

class DBEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    Form = new TForm(nullptr);
    Form->SetBounds(100, 100, 400, 300);
    Form->Show();
  }
  void TearDown() override {
    delete Form;
    win::headless::Reset();
  }

  // An edit on the form at (10, 10), 150 wide.
  template <class E = TDBEditGx>
  E* NewEdit() {
    auto* Edit = new E(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 150, Edit->Height());
    return Edit;
  }

  // The dataset with the given names (and codes) as records, open, on its first record;
  // the first one is named "T" on source "DS".
  TDataSource* NewSource(std::initializer_list<const char*> Names = {"apple", "pear"}) {
    DataSet = new TClientDataSet(Form);
    const std::string Suffix = Form->FindComponent("T") ? std::to_string(Form->ComponentCount()) : "";
    DataSet->SetName("T" + Suffix);
    DataSet->FieldDefs().Add("Name", ftString, 20);
    DataSet->FieldDefs().Add("Code", ftString, 8);
    DataSet->FieldDefs().Add("Qty", ftInteger, 0);
    DataSet->CreateDataSet();
    int Qty = 1;
    for (const char* Name : Names) {
      DataSet->Append();
      DataSet->FieldByName("Name")->SetAsString(Name);
      DataSet->FieldByName("Code")->SetAsString(std::string(Name).substr(0, 2));
      DataSet->FieldByName("Qty")->SetAsInteger(Qty++);
      DataSet->Post();
    }
    DataSet->First();
    auto* Source = new TDataSource(Form);
    Source->SetName("DS" + Suffix);
    Source->SetDataSet(DataSet);
    return Source;
  }

  // An edit bound to Field of a new dataset (see NewSource).
  TDBEditGx* BoundEdit(const std::string& Field) {
    auto* Edit = NewEdit();
    Edit->SetDataSource(NewSource());
    Edit->SetDataField(Field);
    return Edit;
  }

  // Focuses Edit on the headless desktop (the form makes it its active control).
  static void Focus(TWinControl* Edit) {
    Edit->SetFocus();
    win::headless::ProcessMessages();
  }

  TForm* Form = nullptr;
  TClientDataSet* DataSet = nullptr;
};
