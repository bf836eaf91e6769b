// How a column changes the cell of the dataset's current record: the editing test, the
// write-back of text and values, check states and stepping to the next value.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/ColumnsCellValues.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/controls/grids/InplaceEdit.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/SysUtils.h"

using namespace cell_values_detail;

bool cell_values_detail::GridAllowsDataEdits(TCustomDBGridGx* Grid) { return Grid->OperationsAllowEdit(); }

namespace {

bool IsSteppedNumber(TFieldType Type) {
  switch (Type) {
    case ftSmallint: case ftInteger: case ftWord: case ftFloat: case ftCurrency: case ftBCD: case ftFMTBcd:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool TColumnGx::EditGate(bool EnterEdit, bool MemoTextEditable) {
  TCustomDBGridGx* grid = Grid();
  bool ok = (!grid || (!grid->ReadOnly() && grid->GridLink()->Active() && !grid->GridLink()->ReadOnly())) &&
            !ReadOnly();
  TField* field = Field();
  if (!field) return false;
  TField* keyField = field;
  if (field->FieldKind() == fkLookup) {
    const std::vector<TField*> keys = KeyFieldsOf(field);
    ok = ok && !keys.empty();
    keyField = keys.empty() ? nullptr : keys.front();
    for (TField* key : keys) ok = ok && key->CanModify();
  }
  if (ok) {
    const bool memoAsText = MemoTextEditable && grid && grid->DrawMemoText() && keyField->DataType() == ftMemo;
    // Without a grid nothing tells whether the dataset may be changed: not editable.
    ok = keyField->CanModify() && (!keyField->IsBlob() || keyField->OnSetText() || memoAsText) && grid &&
         GridAllowsDataEdits(grid);
  }
  if (EnterEdit && ok && grid) {
    TGridDataLinkGx* link = grid->GridLink();
    if (link->Edit()) link->MarkModified();
  }
  return ok;
}

bool TColumnGx::CheckEditable(bool EnterEdit) { return EditGate(EnterEdit, true); }

void TColumnGx::WriteCellValue(std::string Text, Variant Value, bool UseText) {
  TCustomDBGridGx* grid = Grid();
  if (!grid) return;
  bool handled = false;
  if (FOnUpdateData) FOnUpdateData(this, Text, Value, UseText, handled);
  if (handled) return;
  TField* field = Field();
  if (!field) return;
  if (UseText) {
    if (grid->DrawMemoText() && field->DataType() == ftMemo) field->SetAsString(Text);
    else field->SetText(Text);
  } else if (field->FieldKind() == fkLookup && !field->KeyFields().empty()) {
    AssignFieldListValue(field->DataSet(), field->KeyFields(), Value);
  } else {
    field->SetValue(Value);
  }
  // A text written through the showing cell editor becomes the most recent of the column.
  TInplaceEdit* editor = grid->InplaceEditor();
  if (FMRUList->Active() && editor && editor->Visible() && editor->Showing()) FMRUList->AddRecent(Text);
}

void TColumnGx::WriteCheckState(TCheckBoxState State) {
  TField* field = Field();
  if (!field) return;
  if (State == cbGrayed) {
    WriteCellValue({}, Null(), false);
  } else if (field->DataType() == ftBoolean) {
    WriteCellValue({}, Variant(State == cbChecked), false);
  } else {
    const int index = State == cbChecked ? 0 : 1;
    const std::string item =
        FKeyList && index < FKeyList->Count() ? FirstKeyListItem(FKeyList->Strings(index)) : std::string();
    WriteCellValue(item, Variant(item), true);
  }
}

std::string TColumnGx::NextListEntry(TStrings* List, const std::string& Text, bool Forward) {
  const int count = List->Count();
  const int i = List->IndexOf(Text);
  if (Forward) return List->Strings(i == -1 || i == count - 1 ? 0 : i + 1);
  return List->Strings(i == -1 || i == 0 ? count - 1 : i - 1);
}

void TColumnGx::StepCellValue(double Step) {
  TCustomDBGridGx* grid = Grid();
  if (!grid || !EditGate(true, false) || !grid->GridLink()->Editing()) return;
  TField* field = Field();
  const std::string cur = grid->InplaceEditorVisible() ? grid->InplaceEditor()->Text() : field->Text();
  // Lists step forward for any positive step (an up button with an Increment of 2 is
  // still "up").
  const bool forward = Step > 0;
  switch (CellKind()) {
    case CellKindCheckBox:
      WriteCheckState(ReadCheckState() == cbChecked ? cbUnchecked : cbChecked);
      return;
    case CellKindKeyPickList:
    case CellKindKeyImages:
      WriteCellValue(cur, Variant(NextListEntry(FKeyList.get(), field->Text(), forward)), false);
      return;
    case CellKindPickList: {
      const std::string entry = NextListEntry(FPickList.get(), field->Text(), forward);
      WriteCellValue(entry, Variant(entry), true);
      return;
    }
    case CellKindLookup:
      StepLookupValue(field, forward, cur);
      return;
    default:
      break;
  }
  if (!IsSteppedNumber(field->DataType())) return;
  try {
    const Variant value(field->IsNull() ? 0.0 : field->AsFloat() + Step);
    WriteCellValue(cur, value, false);
  } catch (const EDatabaseError&) {
  }
}

// Moves the list dataset to the record after (or before) the one the key fields name and
// writes its key; an empty or closed list leaves the cell as it is.
void TColumnGx::StepLookupValue(TField* Field, bool Forward, const std::string& Cur) {
  TDataSet* list = LookupListDataSet();
  if (!list || !list->Active() || list->IsEmpty()) return;
  TDataSet* dataSet = Field->DataSet();
  const std::vector<TField*> keys = KeyFieldsOf(Field);
  if (keys.empty() || keys.front()->IsNull() ||
      !list->Locate(Field->LookupKeyFields(), dataSet->FieldValues(Field->KeyFields()), TLocateOptions()))
    list->First();
  else if (Forward) {
    if (list->Eof()) list->First();
    else {
      list->Next();
      if (list->Eof()) list->First();
    }
  } else {
    if (list->Bof()) list->Last();
    else {
      list->Prior();
      if (list->Bof()) list->Last();
    }
  }
  // The lookup field shows the text of the key written; writing that text as well would
  // write the key again behind OnUpdateData's back.
  WriteCellValue(Cur, list->FieldValues(Field->LookupKeyFields()), false);
}
