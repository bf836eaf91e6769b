// What a column shows for the cell of the dataset's current record: its kind, text,
// image, check state and parameters, the editor style and the width of its buttons.
#include "grid/DBGridGx/CellContent.h"
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/ColumnsCellValues.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/data/DataSet.h"
#include "platform/desktop/Windows.h"
#include "platform/data/Field.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/SysUtils.h"

using namespace cell_values_detail;
using columns_detail::Designing;

namespace {

bool HasEntries(TStrings* List) { return List && List->Count() > 0; }

// Calls Visit with each ';'-separated item of Entry, trimmed, until it returns true.
template <class F>
bool AnyKeyListItem(const std::string& Entry, F Visit) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = Entry.find(';', start);
    if (Visit(Trim(std::string_view(Entry).substr(start, end == std::string::npos ? end : end - start))))
      return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

}  // namespace

namespace cell_values_detail {

bool KeyListEntryMatches(const std::string& Entry, const std::string& Text) {
  const std::string wanted = Trim(Text);
  return AnyKeyListItem(Entry, [&](const std::string& Item) { return AnsiSameText(Item, wanted); });
}

std::string FirstKeyListItem(const std::string& Entry) {
  std::string first;
  AnyKeyListItem(Entry, [&](const std::string& Item) {
    first = Item;
    return true;
  });
  return first;
}

std::vector<TField*> KeyFieldsOf(TField* Lookup) {
  std::vector<TField*> keys;
  TDataSet* dataSet = Lookup->DataSet();
  const std::string& names = Lookup->KeyFields();
  if (!dataSet || Trim(names).empty()) return keys;
  const bool allFound = !AnyKeyListItem(names, [&](const std::string& Name) {
    TField* key = dataSet->FindField(Name);
    if (key) keys.push_back(key);
    return key == nullptr;
  });
  if (!allFound) keys.clear();
  return keys;
}

}  // namespace cell_values_detail

// The kind follows the column's settings only: reading a list never changes it.
int TColumnGx::CellKind() {
  if (Checkboxes()) return CellKindCheckBox;
  TField* field = Field();
  if (field && field->FieldKind() == fkLookup) return CellKindLookup;
  if (!HasEntries(FKeyList.get())) return HasEntries(FPickList.get()) ? CellKindPickList : CellKindPlain;
  return FImageList ? CellKindKeyImages : CellKindKeyPickList;
}

std::string TColumnGx::FormatCellText() {
  TField* field = Field();
  if (!field || CellKind() == CellKindKeyImages) return {};
  if (HasEntries(FKeyList.get())) {
    const int count = FPickList ? FPickList->Count() : 0;
    const int i = FKeyList->IndexOf(field->Text());
    if (i >= 0 && i < count) return FPickList->Strings(i);
    if (FNotInKeyListIndex >= 0 && FNotInKeyListIndex < count) return FPickList->Strings(FNotInKeyListIndex);
    return {};
  }
  TCustomDBGridGx* grid = Grid();
  if (grid && grid->DrawMemoText() && field->DataType() == ftMemo) return field->AsString();
  if (CellKind() == CellKindLookup && FDropDownSpecRow->Visible()) {
    // Key fields that name nothing have no value to compare (and drawing must not fail).
    const bool isSpecValue = !KeyFieldsOf(field).empty() &&
                             VariantsEqual(field->DataSet()->FieldValues(field->KeyFields()), FDropDownSpecRow->Value());
    if (isSpecValue || (FDropDownSpecRow->ShowIfNotInKeyList() && !LookupKeyFound(field)))
      return FDropDownSpecRow->CellTextAt(0);
  }
  return FormatFieldWithDisplayFormat(field, FDisplayFormat);
}

std::string TColumnGx::FormatFieldWithDisplayFormat(TField* Field, const std::string& DisplayFormat) {
  if (!Field) return {};
  if (DisplayFormat.empty()) return Field->DisplayText();
  if (Field->IsNull()) return {};
  if (dynamic_cast<TNumericField*>(Field)) return FormatFloat(DisplayFormat, Field->AsFloat());
  if (dynamic_cast<TDateTimeField*>(Field)) return FormatDateTime(DisplayFormat, Field->AsDateTime());
  if (auto* aggregate = dynamic_cast<TAggregateField*>(Field)) {
    switch (aggregate->ResultType()) {
      case ftFloat:
      case ftCurrency:
        return FormatFloat(DisplayFormat, Field->AsFloat());
      case ftDate:
      case ftTime:
      case ftDateTime:
        return FormatDateTime(DisplayFormat, Field->AsDateTime());
      default:
        break;
    }
  }
  return {};
}

bool TColumnGx::LookupKeyFound(TField* Field) {
  if (!Field || !Field->LookupDataSet() || !Field->LookupDataSet()->Active()) return false;
  return !Field->IsNull();
}

int TColumnGx::KeyImageIndex() {
  TField* field = Field();
  if (!field || CellKind() != CellKindKeyImages) return -1;
  const int i = FKeyList->IndexOf(field->Text());
  return i >= 0 ? i : FNotInKeyListIndex;
}

TCheckBoxState TColumnGx::ReadCheckState() {
  TField* field = Field();
  if (!field) return cbUnchecked;
  if (field->IsNull()) return cbGrayed;
  if (field->DataType() == ftBoolean) return field->AsBoolean() ? cbChecked : cbUnchecked;
  const std::string text = field->Text();
  const int count = FKeyList ? FKeyList->Count() : 0;
  if (count > 0 && KeyListEntryMatches(FKeyList->Strings(0), text)) return cbChecked;
  if (count < 2) return cbGrayed;
  return KeyListEntryMatches(FKeyList->Strings(1), text) ? cbUnchecked : cbGrayed;
}

void TColumnGx::FillCellParams(TColCellParamsGx* Params) {
  Params->Row = -1;
  Params->Col = -1;
  Params->State = TGridDrawState();
  Params->Font = Font();
  Params->Background = Color();
  Params->Alignment = Alignment();
  const TCellContent content = CellContentOf(this);
  Params->ImageIndex = content.ImageIndex;
  Params->Text = content.Text;
  Params->CheckState = content.CheckState;
  Params->ReadOnly = ReadOnly();
}

// The list of the drop-down box's own source when it names one with a dataset, else the
// lookup field's list.
TDataSet* TColumnGx::LookupListDataSet() {
  if (TDataSource* source = FDropDownBox->ListSource(); source && source->DataSet()) return source->DataSet();
  TField* field = Field();
  return field ? field->LookupDataSet() : nullptr;
}

int TColumnGx::EditButtonsWidth() {
  TCustomDBGridGx* grid = Grid();
  const bool flat = grid && grid->Flat();
  const int buttonWidth = flat ? DefaultFlatButtonWidth : win::GetSystemMetrics(win::SM_CXVSCROLL);
  int width = 0;
  if (ColumnEditStyle(this) != iesSimpleGx) width = flat ? DefaultFlatButtonWidth + 1 : buttonWidth;
  for (int i = 0; i < FEditButtons->Count(); ++i) {
    TEditButtonGx* button = FEditButtons->Items(i);
    if (!button->Visible()) continue;
    width += button->Width() != 0 ? button->Width() : buttonWidth;
    if (flat) ++width;
  }
  return width;
}

TInplaceEditStyleGx ColumnEditStyle(TColumnGx* Column) {
  switch (Column->ButtonStyle()) {
    case cbsEllipsis: return iesEllipsisGx;
    case cbsUpDown: return iesUpDownGx;
    case cbsDropDown: return iesDropDownGx;
    case cbsNone: return iesSimpleGx;
    case cbsAuto: break;
  }
  TField* field = Column->Field();
  if (!field) return iesSimpleGx;
  TCustomDBGridGx* grid = Column->Grid();
  if (field->FieldKind() == fkLookup) {
    const std::vector<TField*> keys = KeyFieldsOf(field);
    if (keys.empty()) return iesSimpleGx;
    if (!Designing(grid))
      for (TField* key : keys)
        if (!key->CanModify()) return iesSimpleGx;
    if (Column->AssignedValues().Contains(cvReadOnly) && Column->ReadOnly()) return iesSimpleGx;
    if (!grid || (grid->ReadOnly() || !grid->GridLink()->Active() || grid->GridLink()->ReadOnly()))
      return iesSimpleGx;
    return iesLookupListGx;
  }
  if (Column->HasPickList() && Column->PickList()->Count() > 0 && !Column->ImageList() && !Column->ReadOnly())
    return iesPickListGx;
  const TFieldType type = field->DataType();
  if ((type == ftDate || type == ftDateTime || type == ftTimeStamp) && !Column->ReadOnly()) return iesCalendarGx;
  return iesSimpleGx;
}
