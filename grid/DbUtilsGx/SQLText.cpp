// The grid's filter and sorting written into a dataset's SQL text or sort property.
#include <memory>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/Titles.h"
#include "grid/DbUtilsGx/FilterText.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"

namespace {

[[noreturn]] void NotSQLBased(TDataSet* DataSet) { throw Exception(DataSet->ClassName() + SNotSQLBasedDataset); }


bool EndsWithSemicolon(const std::string& Line) {
  const std::string T = TrimRight(Line);
  return !T.empty() && T.back() == ';';
}

std::string WithoutSemicolon(const std::string& Line) {
  std::string T = TrimRight(Line);
  if (!T.empty() && T.back() == ';') T.pop_back();
  return T;
}

// Writes NewText as the dataset's SQL and reopens it. Should anything fail, the previous
// text comes back and the dataset is reopened on it before the error goes on.
void RewriteSQLText(TDataSet* DataSet, const std::string& PropName, const std::string& OldText,
                    const std::string& NewText, bool IsReopen) {
  DataSet->DisableControls();
  auto Enable = AtScopeExit([&] { DataSet->EnableControls(); });
  const bool WasActive = DataSet->Active();
  bool Done = false;
  auto Restore = AtScopeExit([&] {
    if (Done) return;
    if (DataSet->Active()) DataSet->Close();
    WriteSQLTextProperty(DataSet, PropName, OldText);
    if (WasActive) DataSet->Open();
  });
  DataSet->Close();
  WriteSQLTextProperty(DataSet, PropName, NewText);
  if (IsReopen) DataSet->Open();
  Done = true;
}

std::unique_ptr<TStringList> LinesOf(const std::string& Text) {
  auto Lines = std::make_unique<TStringList>();
  Lines->SetText(Text);
  return Lines;
}

// A sort-marked column's name as a sort string reads it.
std::string SortName(const std::string& Name) {
  for (char C : Name)
    if (C == ' ' || C == ',' || C == '\t') return "[" + Name + "]";
  return Name;
}

}  // namespace

bool ReadSQLTextProperty(TDataSet* DataSet, const std::string& PropName, std::string& Text) {
  Text.clear();
  const TPropInfo* Prop = DataSet ? GetPropInfo(DataSet, PropName) : nullptr;
  if (!Prop) return false;
  switch (Prop->Kind) {
    case tkString:
    case tkWString:
      Text = GetStrProp(DataSet, Prop);
      return true;
    case tkClass: {
      TObject* Object = GetObjectProp(DataSet, Prop);
      if (!Object) return false;
      if (auto* Lines = dynamic_cast<TStrings*>(Object)) Text = Lines->Text();
      return true;
    }
    default:
      return false;
  }
}

void WriteSQLTextProperty(TDataSet* DataSet, const std::string& PropName, const std::string& Text) {
  const TPropInfo* Prop = DataSet ? GetPropInfo(DataSet, PropName) : nullptr;
  if (!Prop) return;
  switch (Prop->Kind) {
    case tkString:
    case tkWString:
      SetStrProp(DataSet, Prop, Text);
      break;
    case tkClass: {
      TObject* Object = GetObjectProp(DataSet, Prop);
      if (!Object) return;
      auto* Lines = dynamic_cast<TStrings*>(Object);
      if (!Lines) throw EInvalidCast("Invalid class typecast");
      Lines->SetText(Text);
      break;
    }
    default:
      break;
  }
}

void ApplySQLFilterText(TCustomDBGridGx* Grid, TDateLiteralFuncGx DateLiteralFunc, bool IsReopen,
                        const std::string& PropName) {
  TDataSource* Source = Grid ? Grid->DataSource() : nullptr;
  TDataSet* DataSet = Source ? Source->DataSet() : nullptr;
  if (!DataSet) return;
  std::string OldText;
  if (!ReadSQLTextProperty(DataSet, PropName, OldText)) NotSQLBased(DataSet);
  auto Lines = LinesOf(OldText);
  const std::string Marker = FilterMarker;
  int MarkerLine = -1;
  for (int I = 0; I < Lines->Count() && MarkerLine < 0; ++I)
    if (AnsiSameText(TrimLeft(Lines->Strings(I)).substr(0, Marker.size()), Marker)) MarkerLine = I;
  if (MarkerLine < 0) return;
  std::string Condition;
  GridFilterText(Grid, SQLItemText, DateLiteralFunc, Condition, true);
  if (Condition.empty()) Condition = "1=1";
  const bool Semicolon = EndsWithSemicolon(Lines->Strings(MarkerLine));
  Lines->SetStrings(MarkerLine, Marker + " (" + Condition + ")" + (Semicolon ? ";" : ""));
  RewriteSQLText(DataSet, PropName, OldText, Lines->Text(), IsReopen);
}

std::string SortedColumnsText(TCustomDBGridGx* Grid, TDataSet* DataSet, bool CheckFields) {
  std::string Text;
  TColumnsGxList* Sorted = Grid ? Grid->SortedColumnList() : nullptr;
  for (int I = 0; Sorted && I < Sorted->Count(); ++I) {
    TColumnGx* Column = Sorted->ColumnAt(I);
    if (!Column) continue;
    const std::string Name = Column->FieldName();
    if (Name.empty() || (CheckFields && (!DataSet || !DataSet->FindField(Name)))) continue;
    Text += SortName(Name) + (Column->Title()->SortMarker() == smUpGx ? " DESC, " : ", ");
  }
  if (!Text.empty()) Text.erase(Text.size() - 2);
  return Text;
}

void ApplySQLOrderBy(TCustomDBGridGx* Grid, TDataSet* DataSet, bool SortByFieldName, const std::string& PropName,
                     bool IsReopen) {
  if (!DataSet) return;
  std::string OldText;
  if (!ReadSQLTextProperty(DataSet, PropName, OldText)) NotSQLBased(DataSet);
  std::string Order;
  TColumnsGxList* Sorted = Grid ? Grid->SortedColumnList() : nullptr;
  for (int I = 0; Sorted && I < Sorted->Count(); ++I) {
    TColumnGx* Column = Sorted->ColumnAt(I);
    TField* Field = Column ? Column->Field() : nullptr;
    // A column without a data field has no place in the result to sort by.
    if (!Field || Field->FieldKind() != fkData || Field->FieldNo() <= 0) continue;
    Order += (SortByFieldName ? SQLFieldName(Field->FieldName()) : std::to_string(Field->FieldNo())) +
             (Column->Title()->SortMarker() == smUpGx ? " DESC, " : ", ");
  }
  if (!Order.empty()) Order = "ORDER BY " + Order.substr(0, Order.size() - 2);
  auto Lines = LinesOf(OldText);
  int OrderLine = -1;
  for (int I = 0; I < Lines->Count() && OrderLine < 0; ++I)
    if (UpperCase(TrimLeft(Lines->Strings(I)).substr(0, 8)) == "ORDER BY") OrderLine = I;
  if (OrderLine >= 0) {
    Lines->SetStrings(OrderLine, Order + (EndsWithSemicolon(Lines->Strings(OrderLine)) ? ";" : ""));
  } else if (!Order.empty()) {
    // After the statement, ahead of the ";" that ends it.
    int Last = Lines->Count() - 1;
    while (Last >= 0 && Trim(Lines->Strings(Last)).empty()) --Last;
    bool Semicolon = false;
    if (Last >= 0 && EndsWithSemicolon(Lines->Strings(Last))) {
      Semicolon = true;
      Lines->SetStrings(Last, WithoutSemicolon(Lines->Strings(Last)));
    }
    while (Lines->Count() > Last + 1) Lines->Delete(Lines->Count() - 1);
    Lines->Add(Order + (Semicolon ? ";" : ""));
  }
  RewriteSQLText(DataSet, PropName, OldText, Lines->Text(), IsReopen);
}

void ApplyADOSortText(TCustomDBGridGx* Grid, TDataSet* DataSet, bool) {
  auto* ADODataSet = dynamic_cast<TCustomADODataSet*>(DataSet);
  if (!ADODataSet) return;
  if (IsEditState(ADODataSet->State())) ADODataSet->Post();
  const std::string Text = SortedColumnsText(Grid, ADODataSet, true);
  if (ADODataSet->Active()) ADODataSet->SetSort(Text);
}
