#include "gridoutput/SetColumnForm.h"

#include "grid/DBGridGx/LayoutRegistry.h"
#include "platform/data/DataSet.h"

void TFrmSetColumn::Publish(TClassBuilder<TFrmSetColumn>& b) {
  b.Field("CheckListBox1", &TFrmSetColumn::CheckListBox1);
  b.Field("AllBtn", &TFrmSetColumn::AllBtn);
  b.Field("Edit1", &TFrmSetColumn::Edit1);
  b.Field("OkBtn", &TFrmSetColumn::OkBtn);
  b.Field("CancelBtn", &TFrmSetColumn::CancelBtn);
  b.Field("ApplyBtn", &TFrmSetColumn::ApplyBtn);
  b.Field("CheckBox1", &TFrmSetColumn::CheckBox1);
  b.Method("FormShow", &TFrmSetColumn::FormShow);
  b.Method("CheckListBox1Click", &TFrmSetColumn::CheckListBox1Click);
  b.Method("Edit1Exit", &TFrmSetColumn::Edit1Exit);
  b.Method("CheckListBox1ClickCheck", &TFrmSetColumn::CheckListBox1ClickCheck);
  b.Method("Edit1Change", &TFrmSetColumn::Edit1Change);
  b.Method("ApplyBtnClick", &TFrmSetColumn::ApplyBtnClick);
  b.Method("OkBtnClick", &TFrmSetColumn::OkBtnClick);
  b.Method("CancelBtnClick", &TFrmSetColumn::CancelBtnClick);
  b.Method("AllBtnClick", &TFrmSetColumn::AllBtnClick);
}

void RegisterSetColumnFormClass() { RegisterClasses({TFrmSetColumn::StaticClass()}); }

void TFrmSetColumn::ListColumns() {
  FEntries.clear();
  CheckListBox1->Items()->Clear();
  for (int I = 0; I < TargetGrid->Columns()->Count(); ++I) {
    TColumnGx* Column = TargetGrid->Columns()->ColumnAt(I);
    FEntries.push_back({Column, true, Column->Title()->Caption()});
    CheckListBox1->Items()->Add(Column->FieldName());
    CheckListBox1->SetChecked(I, Column->Visible());
  }
}

// "自动存盘" starts checked when the grid's layout was stored before.
void TFrmSetColumn::FormShow(TObject*) {
  if (!TargetGrid) return;
  CheckBox1->SetChecked(GridLayoutExists(TargetGrid, ""));
  ListColumns();
}

void TFrmSetColumn::CheckListBox1Click(TObject*) {
  const int I = CheckListBox1->ItemIndex();
  if (I < 0 || I >= int(FEntries.size()) || !FEntries[I].HasCaption) return;
  Edit1->SetTextProp(FEntries[I].Caption);
  Edit1->SetModified(false);
}

void TFrmSetColumn::Edit1Exit(TObject*) {
  const int I = CheckListBox1->ItemIndex();
  if (!Edit1->Modified() || I < 0 || I >= int(FEntries.size()) || !FEntries[I].HasCaption) return;
  FEntries[I].Caption = Edit1->TextProp();
  Edit1->SetModified(false);
}

void TFrmSetColumn::CheckListBox1ClickCheck(TObject*) {
  OkBtn->SetEnabled(true);
  ApplyBtn->SetEnabled(true);
}

void TFrmSetColumn::Edit1Change(TObject* Sender) { CheckListBox1ClickCheck(Sender); }

// Each item acts on the column it was listed for, by position, so two columns on one
// field or columns without a field keep apart.
void TFrmSetColumn::ApplyBtnClick(TObject*) {
  if (!TargetGrid) return;
  Edit1Exit(Edit1);
  const bool AnySelected = CheckListBox1->ItemIndex() >= 0;
  TDBGridColumnsGx* Columns = TargetGrid->Columns();
  for (int I = 0; I < CheckListBox1->Items()->Count() && I < int(FEntries.size()); ++I) {
    Entry& E = FEntries[I];
    const bool Checked = CheckListBox1->Checked(I);
    bool Present = false;
    for (int C = 0; C < Columns->Count(); ++C) Present = Present || Columns->ColumnAt(C) == E.Column;
    if (E.Column && Present) {
      E.Column->SetVisible(Checked);
      if (AnySelected && E.HasCaption) E.Column->Title()->SetCaption(E.Caption);
    } else if (Checked) {
      const std::string Field = CheckListBox1->Items()->Strings(I);
      TColumnGx* Column = Columns->AddColumn();
      Column->SetFieldName(Field);
      Column->Title()->SetCaption(Field);
      Column->Title()->SetAlignment(taCenter);
      Column->SetVisible(true);
      E.Column = Column;
    }
  }
  ApplyBtn->SetEnabled(false);
}

// A layout that cannot be stored keeps the dialog open with the store's error.
void TFrmSetColumn::OkBtnClick(TObject* Sender) {
  if (ApplyBtn->Enabled()) ApplyBtnClick(Sender);
  if (TargetGrid && CheckBox1->Checked()) SaveGridLayout(TargetGrid, "");
  SetModalResult(mrOk);
}

void TFrmSetColumn::CancelBtnClick(TObject*) { SetModalResult(mrCancel); }

void TFrmSetColumn::AllBtnClick(TObject*) {
  if (!TargetGrid) return;
  if (!AllBtn->Down()) {
    ListColumns();
    return;
  }
  // The listed columns keep their items but no editable captions while all fields show.
  for (Entry& E : FEntries) E.HasCaption = false;
  TDataSet* Data = TargetGrid->DataSource() ? TargetGrid->DataSource()->DataSet() : nullptr;
  if (!Data || !Data->Active()) return;
  for (int F = 0; F < Data->FieldCount(); ++F) {
    const std::string Name = Data->Fields()[F]->FullName();
    if (CheckListBox1->Items()->IndexOf(Name) >= 0) continue;
    CheckListBox1->Items()->Add(Name);
    FEntries.push_back({nullptr, true, Name});
  }
}
