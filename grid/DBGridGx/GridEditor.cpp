// The grid's side of in-place editing: when the editor shows, what it may change, the
// text it gets and gives back, and the filter row's editor.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/ColumnsCellValues.h"
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridErrors.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/InplaceEdit.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/SharedResources.h"
#include "platform/controls/Forms.h"
#include "platform/controls/grids/InplaceEdit.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/SysUtils.h"

bool TCustomDBGridGx::InplaceEditorVisible() const { return InplaceEditor() && InplaceEditor()->Visible(); }

bool TCustomDBGridGx::IsActiveControl() {
  if (TCustomForm* Form = GetParentForm(this)) return Form->ActiveControl() == this;
  if (!HandleAllocated()) return false;
  for (win::HWND Window = win::GetFocus(); Window; Window = win::GetParent(Window))
    if (Window == Handle()) return true;
  return false;
}

void TCustomDBGridGx::ShowCellEditor() {
  if (P->FFilterEditing) EndFilterEditing();
  ShowEditor();
}

void TCustomDBGridGx::InvalidateCellEditor() {
  if (InplaceEditor()) InvalidateEditor();
  // The filter editor follows its cell and keeps the text typed so far.
  if (P->FFilterEditing) UpdateFilterEditor(false);
}

bool TCustomDBGridGx::TakeFocus() {
  if (!CanFocus() || ComponentState().Contains(csDesigning)) return true;
  SetFocus();
  return Focused() || (InplaceEditor() && InplaceEditor()->Focused()) || (P->FFilterEditor && P->FFilterEditor->Focused());
}

bool TCustomDBGridGx::EditorAlwaysShown() { return P->FOptions.Contains(dgAlwaysShowEditor) && !P->FFilterEditing; }

TInplaceEdit* TCustomDBGridGx::CreateEditor() { return new TDBGridInplaceEdit(this); }

// ---- the cell editor's protocol ----

namespace {

// Whether a field can take a new value: a lookup field through all of its key fields.
bool IsFieldModifiable(TField* Field) {
  if (!Field->Lookup()) return Field->CanModify();
  const std::vector<TField*> Keys = cell_values_detail::KeyFieldsOf(Field);
  if (Keys.empty()) return false;
  for (TField* Key : Keys)
    if (!Key->CanModify()) return false;
  return true;
}

bool HasEntries(TStrings* List) { return List && List->Count() > 0; }

// A memo's text with every line break as CR LF, as the editor shows it.
std::string WithCrLf(const std::string& Text) {
  std::string Out;
  Out.reserve(Text.size());
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '\n' && (I == 0 || Text[I - 1] != '\r')) Out += '\r';
    Out += Text[I];
  }
  return Out;
}

// Text typed into a list column names no entry: nothing is written, the text stays in the
// editor for correction.
[[noreturn]] void RaiseNotInList(const std::string& Text) {
  RaiseInvalidGridOperation(Format("'%s' is not in the list", Text));
}

// The record of Field's lookup dataset whose result field shows Text (ignoring case).
bool LocateLookupText(TField* Field, const std::string& Text) {
  TDataSet* List = Field->LookupDataSet();
  return List && List->Active() &&
         List->Locate(Field->LookupResultField(), Variant(Text), TLocateOptions{loCaseInsensitive});
}

}  // namespace

bool TCustomDBGridGx::EditorReadOnlyByParams(bool& ReadOnly) const {
  const auto* Editor = dynamic_cast<const TDBGridInplaceEdit*>(InplaceEditor());
  if (!Editor || !Editor->ReadOnlyByParams()) return false;
  ReadOnly = Editor->ReadOnly();
  return true;
}

bool TCustomDBGridGx::CanEditShow() {
  // The filter editor and the cell editor never show together.
  bool Result = P->FLayoutLockCount == 0 && !P->FFilterEditing && TCustomGrid::CanEditShow();
  if (Result) {
    TColumnGx* Column = CurrentColumn();
    const int Kind = Column ? Column->CellKind() : CellKindPlain;
    Result = Column && Kind != CellKindCheckBox && Kind != CellKindKeyImages && !P->FSearching &&
             !(P->FSelection->Kind() != gstNon && P->FOptionsGx.Contains(dghClearSelection) &&
               CanSelectKind(gstRectangle));
  }
  if (!Result && InplaceEditor()) InplaceEditor()->Hide();
  return Result;
}

bool TCustomDBGridGx::CanEditModify() {
  TColumnGx* Column = CurrentColumn();
  if ((Column && Column->CellKind() == CellKindCheckBox) || P->FSearching) return false;
  return BeginCellModify();
}

bool TCustomDBGridGx::BeginCellModify() {
  bool Result = false;
  bool EditorReadOnly = false;
  if (EditorReadOnlyByParams(EditorReadOnly)) {
    if (EditorReadOnly) return false;
    P->FDataLink->Edit();
    P->FDataLink->MarkModified();
    Result = true;
  }
  if (P->FReadOnly || !P->FDataLink->Active() || P->FDataLink->ReadOnly()) return Result;
  TColumnGx* Column = CurrentColumn();
  TField* Field = Column ? Column->Field() : nullptr;
  if (!Field || Column->ReadOnly() || !IsFieldModifiable(Field)) return Result;
  if (Field->IsBlob() && !Field->OnSetText() && !(Field->DataType() == ftMemo && P->FDrawMemoText)) return Result;
  if (!Column->CheckEditable(false)) return Result;
  P->FDataLink->Edit();
  Result = P->FDataLink->Editing();
  if (Result) P->FDataLink->MarkModified();
  return Result;
}

bool TCustomDBGridGx::ColumnEditable(int DataCol) {
  if (DataCol < 0 || DataCol >= P->FColumns->Count()) return false;
  return P->FColumns->ColumnAt(DataCol)->CheckEditable(false) && P->FOptions.Contains(dgEditing);
}

bool TCustomDBGridGx::CanEditAcceptKey(TKeyChar Key) {
  bool EditorReadOnly = false;
  const bool ByParams = EditorReadOnlyByParams(EditorReadOnly);
  TColumnGx* Column = CurrentColumn();
  TField* Field = Column ? Column->Field() : nullptr;
  if (!P->FDataLink->Active() || !Field) return ByParams && !EditorReadOnly;
  if (ByParams && EditorReadOnly) return false;
  if (Column->HasKeyList() && HasEntries(Column->KeyList())) return true;
  return Field->IsValidChar(Key);
}

int TCustomDBGridGx::GetEditLimit() {
  TColumnGx* Column = CurrentColumn();
  if (!Column || (Column->HasKeyList() && HasEntries(Column->KeyList()))) return 0;
  TField* Field = Column->Field();
  return Field && Field->DataType() == ftString ? Field->Size() : 0;
}

std::string TCustomDBGridGx::GetEditMask(int ACol, int) {
  if (!P->FDataLink->Active()) return {};
  const int DataCol = GridToDataColumn(ACol);
  if (DataCol < 0 || DataCol >= P->FColumns->Count()) return {};
  TColumnGx* Column = P->FColumns->ColumnAt(DataCol);
  if (!Column->EditMask().empty()) return Column->EditMask();
  TField* Field = Column->Field();
  if (Field && !(Column->HasKeyList() && HasEntries(Column->KeyList()))) return Field->EditMask();
  return {};
}

std::string TCustomDBGridGx::GetEditText(int ACol, int) {
  if (!P->FDataLink->Active()) return {};
  const int DataCol = GridToDataColumn(ACol);
  if (DataCol < 0 || DataCol >= P->FColumns->Count()) return {};
  P->FEditText = CellEditText(P->FColumns->ColumnAt(DataCol), &P->FEditValue);
  return P->FEditText;
}

std::string TCustomDBGridGx::CellEditText(TColumnGx* Column, Variant* KeyValue) {
  if (!Column) return {};
  std::string Text;
  Variant Value = Null();
  if (TField* Field = Column->Field()) {
    if (Column->HasKeyList() && HasEntries(Column->KeyList())) {
      const int I = Column->KeyList()->IndexOf(Field->Text());
      TStrings* Picks = Column->HasPickList() ? Column->PickList() : nullptr;
      if (I >= 0 && Picks && I < Picks->Count()) Text = Picks->Strings(I);
    } else if (P->FDrawMemoText && Field->DataType() == ftMemo) {
      Text = WithCrLf(Field->AsString());
    } else {
      Text = Field->Text();
    }
    if (Field->Lookup() && !cell_values_detail::KeyFieldsOf(Field).empty()) {
      Value = Field->DataSet()->FieldValues(Field->KeyFields());
      TSpecRowGx* Spec = Column->DropDownSpecRow();
      if (Spec->Visible()) {
        TDataSet* List = Field->LookupDataSet();
        const auto KeyFound = [&] {
          return List && List->Active() &&
                 List->Locate(Field->LookupKeyFields(), Value, TLocateOptions{loCaseInsensitive});
        };
        if (VariantsEqual(Value, Spec->Value()) || (Spec->ShowIfNotInKeyList() && !KeyFound())) {
          Value = Spec->Value();
          Text = Spec->CellTextAt(0);
        }
      }
    }
  }
  if (KeyValue) *KeyValue = Value;
  TColCellParamsGx Params;
  Params.Text = Text;
  Params.Font = Canvas()->Font();
  Column->FireGetCellParams(true, &Params);
  return Params.Text;
}

void TCustomDBGridGx::SetEditText(int, int, const std::string& Value) { P->FEditText = Value; }

// The text waiting for the write-back belongs to the current column's field: it is
// written before another column becomes current, never into the next one.
bool TCustomDBGridGx::SelectCell(int ACol, int) {
  if (ACol != Col() && P->FDataLink && P->FDataLink->Active() && P->FDataLink->Modified()) P->FDataLink->UpdateRecord();
  return true;
}

void TCustomDBGridGx::WriteEditorText() {
  // Text still in the editor belongs to what is written.
  UpdateText();
  TColumnGx* Column = CurrentColumn();
  if (!Column) return;
  TField* Field = Column->Field();
  if (!Field) {
    Column->WriteCellValue(P->FEditText, Variant(P->FEditText), true);
    return;
  }
  const TNotInListEventGx& NotInList = Column->OnNotInList();
  switch (Column->CellKind()) {
    case CellKindPickList: {
      // A plain pick list takes any text; the handler only hears of a new one.
      if (NotInList && Column->PickList()->IndexOf(P->FEditText) < 0) {
        bool Accept = false;
        NotInList(Column, P->FEditText, Accept);
      }
      Column->WriteCellValue(P->FEditText, Variant(P->FEditText), true);
      return;
    }
    case CellKindKeyPickList:
      WriteKeyListText(Column);
      return;
    default:
      break;
  }
  if (Field->Lookup() && !cell_values_detail::KeyFieldsOf(Field).empty()) {
    WriteLookupText(Column, Field);
    return;
  }
  Column->WriteCellValue(P->FEditText, Variant(P->FEditText), true);
}

// A key-list column writes the key of the pick-list entry typed. Text that names no entry
// (after the column's not-in-list handler had its say) raises instead of writing the key
// the editor started with.
void TCustomDBGridGx::WriteKeyListText(TColumnGx* Column) {
  TStrings* Keys = Column->KeyList();
  TStrings* Picks = Column->PickList();
  Variant Value = Null();
  if (!P->FEditText.empty()) {
    int I = Picks->IndexOf(P->FEditText);
    if (I < 0 && Column->OnNotInList()) {
      bool Accept = false;
      Column->OnNotInList()(Column, P->FEditText, Accept);
      if (Accept) I = Picks->IndexOf(P->FEditText);
    }
    if (I < 0 || I >= Keys->Count()) RaiseNotInList(P->FEditText);
    Value = Variant(Keys->Strings(I));
  }
  P->FEditValue = Value;
  Column->WriteCellValue(P->FEditText, P->FEditValue, false);
}

// A lookup column writes the key fields of the list record its text shows. The key the
// editor started with is kept only while it still gives the text; text no list record
// shows raises instead of writing an old key.
void TCustomDBGridGx::WriteLookupText(TColumnGx* Column, TField* Field) {
  TSpecRowGx* Spec = Column->DropDownSpecRow();
  const bool SpecChosen = Spec->Visible() && VariantsEqual(P->FEditValue, Spec->Value()) &&
                          AnsiSameText(P->FEditText, Spec->CellTextAt(0));
  if (P->FEditText.empty()) {
    if (!SpecChosen) P->FEditValue = Null();
  } else if (!SpecChosen) {
    TDataSet* List = Field->LookupDataSet();
    const bool KeyGivesText =
        List && List->Active() && !P->FEditValue.IsNull() &&
        AnsiSameText(VarToStr(List->Lookup(Field->LookupKeyFields(), P->FEditValue, Field->LookupResultField())),
                     P->FEditText);
    if (!KeyGivesText) {
      bool Found = LocateLookupText(Field, P->FEditText);
      if (!Found && Column->OnNotInList()) {
        bool Accept = false;
        Column->OnNotInList()(Column, P->FEditText, Accept);
        Found = Accept && LocateLookupText(Field, P->FEditText);
      }
      if (!Found) RaiseNotInList(P->FEditText);
      P->FEditValue = List->FieldValues(Field->LookupKeyFields());
    }
  }
  for (TField* Key : cell_values_detail::KeyFieldsOf(Field))
    if (!Key->CanModify()) return;
  Field->DataSet()->Edit();
  Column->WriteCellValue(P->FEditText, P->FEditValue, false);
}
