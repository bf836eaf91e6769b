// Grid columns: the soft properties (own value once assigned, else a default from the
// field, the grid or its ColumnDefValues), their stored rules and the plain setters.
#include "grid/DBGridGx/Columns.h"

#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/controls/Menus.h"
#include "platform/data/Field.h"

using namespace columns_detail;

namespace {
TColumnDefValuesGx* DefValues(const TColumnGx* Column) {
  TCustomDBGridGx* grid = Column->Grid();
  return grid ? grid->ColumnDefValues() : nullptr;
}

// A field-driven column writes these through to its field while the grid's link is active.
TField* WriteThroughField(TColumnGx* Column) {
  TCustomDBGridGx* grid = Column->Grid();
  if (!Column->IsFieldDriven() || !grid || !grid->GridLink() || !grid->GridLink()->Active()) return nullptr;
  return Column->Field();
}
}  // namespace

bool TColumnGx::SetSoftBool(TColumnGxValue Flag, bool& Own, bool Value, bool Report) {
  if (FAssignedValues.Contains(Flag) && Own == Value) return false;
  Own = Value;
  FAssignedValues += Flag;
  if (Report) Changed(false);
  return true;
}

// ---- font ----

TFont* TColumnGx::DefaultFont() const {
  TCustomDBGridGx* grid = Grid();
  return grid ? grid->Font() : nullptr;
}

TFont* TColumnGx::Font() {
  RefreshDefaultFont();
  return FFont.get();
}

void TColumnGx::RefreshDefaultFont() {
  if (!FAssignedValues.Contains(cvFont)) CopyDefaultFont(FFont.get(), DefaultFont(), FInFontRefresh);
}

void TColumnGx::FontChanged(TObject*) {
  if (FInFontRefresh) return;
  FAssignedValues += cvFont;
  if (FTitle) FTitle->RefreshDefaultFont();
  Changed(false);
}

bool TColumnGx::IsFontStored() const { return FAssignedValues.Contains(cvFont); }

// ---- colour and alignment ----

TColor TColumnGx::DefaultColor() const {
  TCustomDBGridGx* grid = Grid();
  return grid ? grid->Color() : clWindow;
}

TColor TColumnGx::Color() const { return FAssignedValues.Contains(cvColor) ? FColor : DefaultColor(); }

void TColumnGx::SetColor(TColor Value) {
  if (FAssignedValues.Contains(cvColor) && FColor == Value) return;
  FColor = Value;
  FAssignedValues += cvColor;
  Changed(false);
}

bool TColumnGx::IsColorStored() const { return FAssignedValues.Contains(cvColor) && FColor != DefaultColor(); }

TAlignment TColumnGx::DefaultAlignment() {
  TField* field = Field();
  return field ? field->Alignment() : taLeftJustify;
}

TAlignment TColumnGx::Alignment() { return FAssignedValues.Contains(cvAlignment) ? FAlignment : DefaultAlignment(); }

void TColumnGx::SetAlignment(TAlignment Value) {
  if (IsFieldDriven()) {
    if (TField* field = WriteThroughField(this)) field->SetAlignment(Value);
    return;
  }
  if (FAssignedValues.Contains(cvAlignment) && FAlignment == Value) return;
  FAlignment = Value;
  FAssignedValues += cvAlignment;
  Changed(false);
}

bool TColumnGx::IsAlignmentStored() {
  return FAssignedValues.Contains(cvAlignment) && FAlignment != DefaultAlignment();
}

// ---- read-only state ----

bool TColumnGx::DefaultReadOnly() {
  TCustomDBGridGx* grid = Grid();
  if (grid && grid->ReadOnly()) return true;
  TField* field = Field();
  return field && field->ReadOnly();
}

bool TColumnGx::ReadOnly() { return FAssignedValues.Contains(cvReadOnly) ? FReadOnly : DefaultReadOnly(); }

void TColumnGx::SetReadOnly(bool Value) {
  if (TField* field = WriteThroughField(this)) {
    field->SetReadOnly(Value);
    return;
  }
  SetSoftBool(cvReadOnly, FReadOnly, Value, true);
}

bool TColumnGx::IsReadOnlyStored() { return FAssignedValues.Contains(cvReadOnly) && FReadOnly != DefaultReadOnly(); }

// ---- check boxes and word wrap ----

bool TColumnGx::Checkboxes() {
  if (FAssignedValues.Contains(cvCheckboxes)) return FCheckboxes;
  TField* field = Field();
  return field && field->DataType() == ftBoolean;
}

void TColumnGx::SetCheckboxes(bool Value) { SetSoftBool(cvCheckboxes, FCheckboxes, Value, true); }
bool TColumnGx::IsCheckboxesStored() const { return FAssignedValues.Contains(cvCheckboxes); }

bool TColumnGx::DefaultWordWrap() {
  if (!Grid()) return false;
  TField* field = Field();
  if (!field) return false;
  TFieldType t = field->DataType();
  return t == ftString || t == ftMemo || t == ftFmtMemo || t == ftWideString;
}

bool TColumnGx::WordWrap() { return FAssignedValues.Contains(cvWordWrap) ? FWordWrap : DefaultWordWrap(); }

void TColumnGx::SetWordWrap(bool Value) {
  if (FAssignedValues.Contains(cvWordWrap) || Value != DefaultWordWrap() || Loading(Grid())) {
    FWordWrap = Value;
    FAssignedValues += cvWordWrap;
  }
  Changed(false);
}

bool TColumnGx::IsWordWrapStored() { return FAssignedValues.Contains(cvWordWrap) && FWordWrap != DefaultWordWrap(); }

// ---- values that follow ColumnDefValues ----

#define COLUMN_DEFVALUE_BOOL(Name, Flag, Report)                                                      \
  bool TColumnGx::Name() const {                                                                      \
    if (FAssignedValues.Contains(Flag)) return F##Name;                                               \
    TColumnDefValuesGx* def = DefValues(this);                                                        \
    return def && def->Name();                                                                        \
  }                                                                                                   \
  void TColumnGx::Set##Name(bool Value) { SetSoftBool(Flag, F##Name, Value, Report); }                \
  bool TColumnGx::Is##Name##Stored() const {                                                          \
    if (!FAssignedValues.Contains(Flag)) return false;                                                \
    TColumnDefValuesGx* def = DefValues(this);                                                        \
    return F##Name != (def && def->Name());                                                           \
  }

COLUMN_DEFVALUE_BOOL(AlwaysShowEditButton, cvAlwaysShowEditButton, true)
COLUMN_DEFVALUE_BOOL(EndEllipsis, cvEndEllipsis, true)
COLUMN_DEFVALUE_BOOL(AutoDropDown, cvAutoDropDown, false)
COLUMN_DEFVALUE_BOOL(DblClickNextVal, cvDblClickNextVal, false)
COLUMN_DEFVALUE_BOOL(DropDownShowTitles, cvDropDownShowTitles, false)
COLUMN_DEFVALUE_BOOL(DropDownSizing, cvDropDownSizing, false)
COLUMN_DEFVALUE_BOOL(ToolTips, cvToolTips, false)
#undef COLUMN_DEFVALUE_BOOL

// ---- input method and lookup display fields ----

TImeMode TColumnGx::ImeMode() const {
  if (FAssignedValues.Contains(cvImeMode)) return FImeMode;
  TCustomDBGridGx* grid = Grid();
  return grid ? grid->ImeMode() : FImeMode;
}

void TColumnGx::SetImeMode(TImeMode Value) {
  if (FAssignedValues.Contains(cvImeMode) || Value != ImeMode()) {
    FImeMode = Value;
    FAssignedValues += cvImeMode;
  }
  Changed(false);
}

bool TColumnGx::IsImeModeStored() const {
  if (!FAssignedValues.Contains(cvImeMode)) return false;
  TCustomDBGridGx* grid = Grid();
  return !grid || FImeMode != grid->ImeMode();
}

std::string TColumnGx::ImeName() const {
  if (FAssignedValues.Contains(cvImeName)) return FImeName;
  TCustomDBGridGx* grid = Grid();
  return grid ? grid->ImeName() : FImeName;
}

void TColumnGx::SetImeName(const std::string& Value) {
  if (FAssignedValues.Contains(cvImeName) || Value != ImeName()) {
    FImeName = Value;
    FAssignedValues += cvImeName;
  }
  Changed(false);
}

bool TColumnGx::IsImeNameStored() const {
  if (!FAssignedValues.Contains(cvImeName)) return false;
  TCustomDBGridGx* grid = Grid();
  return !grid || FImeName != grid->ImeName();
}

std::string TColumnGx::LookupDisplayFields() {
  if (FAssignedValues.Contains(cvLookupDisplayFields)) return FLookupDisplayFields;
  TField* field = Field();
  return field ? field->LookupResultField() : std::string();
}

void TColumnGx::SetLookupDisplayFields(const std::string& Value) {
  if (FAssignedValues.Contains(cvLookupDisplayFields) || Value != LookupDisplayFields()) {
    FLookupDisplayFields = Value;
    FAssignedValues += cvLookupDisplayFields;
  }
  Changed(false);
}

bool TColumnGx::IsLookupDisplayFieldsStored() {
  if (!FAssignedValues.Contains(cvLookupDisplayFields)) return false;
  TField* field = Field();
  return FLookupDisplayFields != (field ? field->LookupResultField() : std::string());
}

// ---- plain properties ----

void TColumnGx::SetIsCurrency(bool Value) {
  FIsCurrency = Value;
  Changed(false);
}

void TColumnGx::SetButtonStyle(TColumnButtonStyleGx Value) {
  if (Value == FButtonStyle) return;
  FButtonStyle = Value;
  Changed(false);
}

void TColumnGx::SetDisplayFormat(const std::string& Value) {
  if (Value == FDisplayFormat) return;
  FDisplayFormat = Value;
  Changed(false);
}

void TColumnGx::SetDisplayNullIfZero(bool Value) {
  if (Value == FDisplayNullIfZero) return;
  FDisplayNullIfZero = Value;
  Changed(false);
}

void TColumnGx::SetDropDownWidth(int Value) {
  if (Value == FDropDownWidth) return;
  FDropDownWidth = Value;
  Changed(false);
}

void TColumnGx::SetEditMask(const std::string& Value) {
  if (Value == FEditMask) return;
  FEditMask = Value;
  Changed(false);
}

void TColumnGx::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed(true);
}

void TColumnGx::SetNotInKeyListIndex(int Value) {
  if (Value == FNotInKeyListIndex) return;
  FNotInKeyListIndex = Value;
  if (Live(Grid())) Grid()->Invalidate();
}

void TColumnGx::SetOnGetCellParams(const TGetColCellParamsEventGx& Value) {
  if (Value == FOnGetCellParams) return;
  FOnGetCellParams = Value;
  if (Live(Grid())) Grid()->Invalidate();
}

TStrings* TColumnGx::KeyList() {
  if (!FKeyList) FKeyList = std::make_unique<TStringList>();
  return FKeyList.get();
}

void TColumnGx::SetKeyList(TStrings* Value) {
  if (!Value) {
    FKeyList.reset();
    return;
  }
  KeyList()->Assign(Value);
  if (Live(Grid())) Grid()->Invalidate();
}

TStrings* TColumnGx::PickList() {
  if (!FPickList) FPickList = std::make_unique<TStringList>();
  return FPickList.get();
}

void TColumnGx::SetPickList(TStrings* Value) {
  if (!Value) {
    FPickList.reset();
    return;
  }
  PickList()->Assign(Value);
}

void TColumnGx::SetPopupMenu(TPopupMenu* Value) {
  if (Value == FPopupMenu) return;
  TPopupMenu* old = FPopupMenu;
  FPopupMenu = Value;
  Unwatch(old);
  Watch(Value);
  TCustomDBGridGx* grid = Grid();
  if (Value && Live(grid)) Value->FreeNotification(grid);
}

void TColumnGx::SetImageList(TCustomImageList* Value) {
  if (Value == FImageList) return;
  TCustomImageList* old = FImageList;
  if (old) old->UnRegisterChanges(FImageChangeLink.get());
  FImageList = Value;
  Unwatch(old);
  TCustomDBGridGx* grid = Grid();
  if (Value) {
    Value->RegisterChanges(FImageChangeLink.get());
    Watch(Value);
    if (Live(grid)) Value->FreeNotification(grid);
  }
  if (Live(grid)) grid->Invalidate();
}

void TColumnGx::ImageListChange(TObject* Sender) {
  if (Sender == FImageList && Live(Grid())) Grid()->Invalidate();
}
