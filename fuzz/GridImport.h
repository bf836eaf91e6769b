#pragma once
// Feeds arbitrary bytes to one of the grid's importers: a grid on a form over a small
// dataset of text, number, flag, key-list and lookup columns. Import errors may come out;
// nothing else may, and the dataset may grow by no more rows than the input has bytes.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "grid/DBGridGx.h"
#include "gridoutput/DBGridGxImpExp.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/desktop/Headless.h"
#include "resources/artwork/Artwork.h"

inline int FuzzGridImport(TClass ImportClass, const std::uint8_t* Data, std::size_t Size) {
  static const bool Started = [] {
    RegisterArtwork();
    StartDBGridGxUnit();
    return true;
  }();
  (void)Started;
  auto Form = std::make_unique<TForm>(nullptr);
  auto* Fruits = new TClientDataSet(Form.get());
  Fruits->FieldDefs().Add("Code", ftInteger, 0);
  Fruits->FieldDefs().Add("Name", ftString, 20);
  Fruits->CreateDataSet();
  for (int I = 1; I <= 2; ++I) {
    Fruits->Append();
    Fruits->FieldByName("Code")->SetAsInteger(I);
    Fruits->FieldByName("Name")->SetAsString(I == 1 ? "Apple" : "Banana");
    Fruits->Post();
  }
  auto* Main = new TClientDataSet(Form.get());
  const std::pair<const char*, TFieldType> Fields[] = {
      {"Text", ftString}, {"Count", ftInteger}, {"Price", ftFloat}, {"Flag", ftBoolean}, {"Code", ftInteger}};
  for (const auto& [Name, Type] : Fields) {
    TField* Field = static_cast<TField*>(CreateComponent(DefaultFieldClass(Type), Form.get()));
    Field->SetFieldName(Name);
    if (Type == ftString) Field->SetSize(40);
    Field->SetDataSet(Main);
  }
  auto* Fruit = new TStringField(Form.get());
  Fruit->SetFieldName("Fruit");
  Fruit->SetFieldKind(fkLookup);
  Fruit->SetKeyFields("Code");
  Fruit->SetLookupDataSet(Fruits);
  Fruit->SetLookupKeyFields("Code");
  Fruit->SetLookupResultField("Name");
  Fruit->SetDataSet(Main);
  Main->CreateDataSet();
  for (int I = 0; I < 3; ++I) {
    Main->Append();
    Main->FieldByName("Text")->SetAsString("row");
    Main->Post();
  }
  Main->First();
  auto* Source = new TDataSource(Form.get());
  Source->SetDataSet(Main);
  auto* Grid = new TDBGridGx(Form.get());
  Grid->SetParent(Form.get());
  Grid->SetDataSource(Source);
  TColumnGx* Count = Grid->Columns()->ColumnAt(1);
  for (const char* Key : {"1", "2"}) Count->KeyList()->Add(Key);
  for (const char* Name : {"one", "two"}) Count->PickList()->Add(Name);
  // Answers the first question with All: one question at most per input.
  win::headless::QueueMessageBoxAnswer(win::IDALL);
  TMemoryStream In;
  In.WriteBuffer(Data, static_cast<std::int64_t>(Size));
  In.SetPosition(0);
  try {
    ImportGridFromStream(ImportClass, Grid, &In, false);
  } catch (const Exception&) {
  }
  if (Main->State() == dsInsert || Main->State() == dsEdit) Main->Cancel();
  if (Main->RecordCount() > 3 + static_cast<int>(Size)) std::abort();
  Form.reset();
  win::headless::Reset();
  return 0;
}
