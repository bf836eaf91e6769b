// The data-aware edit's life cycle, properties and the way data comes in and goes out.
#include "gridcontrols/DBCtrlsGx/DBEdit.h"

#include <functional>

#include "platform/controls/Forms.h"
#include "platform/controls/Messages.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/forms/Filer.h"

void TCustomDBEditGx::Publish(TClassBuilder<TCustomDBEditGx>& b) {
  b.Property("OnDblClick", &TControl::OnDblClick, &TControl::SetOnDblClick);
}

void TDBEditGx::Publish(TClassBuilder<TDBEditGx>& b) {
  b.Property("Alignment", &TCustomDBEditGx::Alignment, &TCustomDBEditGx::SetAlignment)
      .NoDefault()
      .Stored(&TCustomDBEditGx::AlignmentStored);
  b.Property("AlwaysShowBorder", &TCustomDBEditGx::AlwaysShowBorder, &TCustomDBEditGx::SetAlwaysShowBorder)
      .Default(false);
  b.Property("AutoSize", &TCustomEdit::AutoSize, &TCustomDBEditGx::SetAutoSize).Default(true);
  b.Property("DataField", &TCustomDBEditGx::DataField, &TCustomDBEditGx::SetDataField);
  b.Property("DataSource", &TCustomDBEditGx::DataSource, &TCustomDBEditGx::SetDataSource);
  b.Property("EditButtons", &TCustomDBEditGx::EditButtons, &TCustomDBEditGx::SetEditButtons);
  b.Property("EditMask", &TCustomDBEditGx::EditMask, &TCustomDBEditGx::SetEditMask).Stored(false);
  b.Property("Flat", &TCustomDBEditGx::Flat, &TCustomDBEditGx::SetFlat).Default(false);
  b.Property("ImageSettings", &TCustomDBEditGx::ImageSettings, &TCustomDBEditGx::SetImageSettings);
  b.Property("MRUList", &TCustomDBEditGx::MRUList, &TCustomDBEditGx::SetMRUList);
  b.Property("PasswordChar", &TCustomDBEditGx::PasswordChar, &TCustomDBEditGx::SetPasswordChar);
  b.Property("ReadOnly", &TCustomDBEditGx::ReadOnly, &TCustomDBEditGx::SetReadOnly).Default(false);
  b.Property("Text", &TCustomDBEditGx::GetText, &TCustomDBEditGx::SetText).Stored(&TCustomDBEditGx::TextStored);
  b.Property("WantTabs", &TCustomDBEditGx::WantTabs, &TCustomDBEditGx::SetWantTabs).Default(false);
  b.Property("WantReturns", &TCustomDBEditGx::WantReturns, &TCustomDBEditGx::SetWantReturns).Default(false);
  b.Property("WordWrap", &TCustomDBEditGx::WordWrap, &TCustomDBEditGx::SetWordWrap).Default(false);
  b.Property("OnUpdateData", &TCustomDBEditGx::OnUpdateData, &TCustomDBEditGx::SetOnUpdateData);
}

void RegisterDBCtrlsGxClasses() {
  RegisterClasses({TCustomDBEditGx::StaticClass(), TDBEditGx::StaticClass(), TEditImageGx::StaticClass()});
}

namespace {
// The unit's start-up: the flat button width from the screen font once more, and the
// classes known to the form reader.
struct TDBCtrlsGxUnit {
  TDBCtrlsGxUnit() {
    DefaultFlatButtonWidth = ComputeFlatButtonWidth();
    RegisterDBCtrlsGxClasses();
  }
} DBCtrlsGxUnit;
}  // namespace

TCustomDBEditGx::TCustomDBEditGx(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FControlStyle.Include(csCaptureMouse);
  FControlStyle.Include(csReplicatable);
  FFieldLink = NewDataLink();
  FFieldLink->SetLinkControl(this);
  FFieldLink->OnLinkDataChange = TNotifyEvent::Bind(this, &TCustomDBEditGx::LinkDataChanged);
  FFieldLink->OnLinkEditingChange = TNotifyEvent::Bind(this, &TCustomDBEditGx::LinkEditingChanged);
  FFieldLink->OnLinkUpdateData = [this](TObject*) { CommitEdit(); };
  FFieldLink->OnLinkActiveChange = TNotifyEvent::Bind(this, &TCustomDBEditGx::LinkActiveChanged);
  FMainButton = NewMainButton();
  FMainButton->SetOnChanged(TNotifyEvent::Bind(this, &TCustomDBEditGx::ButtonsChanged));
  FEditButtons = NewButtonCollection();
  FEditButtons->SetOnChanged(TNotifyEvent::Bind(this, &TCustomDBEditGx::ButtonsChanged));
  FImageSettings = NewEditImage();
  FMRUList = std::make_unique<TMRUListGx>(this);
  FMRUList->SetOnDropDown(TNotifyEvent::Bind(this, &TCustomDBEditGx::MRUPopupOpening));
  FMRUList->SetOnCloseUp(TMRUCloseUpEventGx::Bind(this, &TCustomDBEditGx::MRUPopupClosing));
  FRecent.SetHooks({
      .NewListbox = [this] { return NewMRUListbox(); },
      .Filter = [this](const std::string& Item, bool& Accept) { FilterMRUItem(Item, Accept); },
      .Open = [this] { FMRUList->OpenPopup(); },
      .Close = [this](bool Accept) { FMRUList->ClosePopup(Accept); },
      .Resized = [this] { MRUListboxResized(FRecent.Listbox()); },
      .MayTake = [this] { return !FReadOnlyProp && EditCanModify(); },
      .Take = [this](const std::string& Chosen) { StoreText(Chosen); },
  });
  UpdateReadOnlyState();
}

TCustomDBEditGx::~TCustomDBEditGx() {
  FDestroying = true;
  FImageSettings.reset();
  FMainButton.reset();
  FEditButtons.reset();
  FFieldLink.reset();
  FPaintCanvas.reset();
  FMRUList.reset();
  FHolderInterface = nullptr;
  FInplaceEditHolder = nullptr;
}

std::unique_ptr<TFieldDataLinkGx> TCustomDBEditGx::NewDataLink() { return std::make_unique<TFieldDataLinkGx>(); }

std::unique_ptr<TEditButtonGx> TCustomDBEditGx::NewMainButton() { return std::make_unique<TEditButtonGx>(this); }

std::unique_ptr<TEditButtonsGx> TCustomDBEditGx::NewButtonCollection() {
  return std::make_unique<TEditButtonsGx>(this, TVisibleEditButtonGx::StaticClass());
}

std::unique_ptr<TEditImageGx> TCustomDBEditGx::NewEditImage() { return std::make_unique<TEditImageGx>(this); }

void TCustomDBEditGx::DefineProperties(TFiler* Filer) {
  TCustomMaskEdit::DefineProperties(Filer);
  Filer->DefineProperty(
      "EditMask", [this](TReader* Reader) { ReadEditMaskProperty(Reader); },
      [this](TWriter* Writer) { WriteEditMaskProperty(Writer); }, FAssignedProps.Contains(apEditMask));
}

void TCustomDBEditGx::ReadEditMaskProperty(TReader* Reader) { SetEditMask(Reader->ReadString()); }

void TCustomDBEditGx::WriteEditMaskProperty(TWriter* Writer) { Writer->WriteString(EditMask()); }

void TCustomDBEditGx::Loaded() {
  TCustomMaskEdit::Loaded();
  ClearFieldMaxLength();
  if (ComponentState().Contains(csDesigning)) LinkDataChanged(this);
  BorderActive();
}

void TCustomDBEditGx::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMaskEdit::Notification(AComponent, Operation);
  if (Operation != opRemove || FDestroying) return;
  FRecent.Forget(AComponent);
  if (AComponent == FInplaceEditHolder) {
    // A holder going away leaves nothing to call.
    FInplaceEditHolder = nullptr;
    FHolderInterface = nullptr;
    FInPlace = false;
    return;
  }
  if (FFieldLink && AComponent == DataSource()) {
    SetDataSource(nullptr);
    return;
  }
  if (FImageSettings && AComponent == FImageSettings->Images()) FImageSettings->SetImages(nullptr);
  if (auto* menu = dynamic_cast<TPopupMenu*>(AComponent)) {
    if (FMainButton && FMainButton->DropdownMenu() == menu) FMainButton->SetDropdownMenu(nullptr);
    if (FEditButtons)
      for (int i = 0; i < FEditButtons->Count(); ++i)
        if (FEditButtons->Items(i)->DropdownMenu() == menu) FEditButtons->Items(i)->SetDropdownMenu(nullptr);
  }
}

// Data source and field.

void TCustomDBEditGx::SetDataSource(TDataSource* Value) {
  if (!(FFieldLink->DataSourceFixed() && ComponentState().Contains(csLoading))) FFieldLink->SetLinkDataSource(Value);
  if (Value) Value->FreeNotification(this);
  LinkDataChanged(this);
  Invalidate();
}

void TCustomDBEditGx::SetDataField(const std::string& Value) {
  if (!ComponentState().Contains(csDesigning)) ClearFieldMaxLength();
  FFieldLink->SetFieldName(Value);
  RefreshButtonStates();
  Invalidate();
}

bool TCustomDBEditGx::CanPressButtons() { return Enabled() && FFieldLink->IsActive(); }

TAlignment TCustomDBEditGx::FieldAlignment() const {
  TField* f = Field();
  return f ? f->Alignment() : taLeftJustify;
}

std::string TCustomDBEditGx::FieldEditMask() const {
  TField* f = Field();
  return f ? f->EditMask() : std::string();
}

bool TCustomDBEditGx::AcceptsChar(TKeyChar Key) {
  TField* f = Field();
  return !f || f->IsValidChar(Key);
}

Variant TCustomDBEditGx::ReadValue() { return Variant(GetText()); }

std::string TCustomDBEditGx::VariantText(const Variant& Value) {
  if (VarIsArray(Value)) return {};
  try {
    return VarToStr(Value);
  } catch (const Exception&) {
    return {};
  }
}

void TCustomDBEditGx::LinkDataChanged(TObject*) {
  FieldDataChanged();
  RefreshButtonStates();
}

void TCustomDBEditGx::LinkActiveChanged(TObject*) {
  ClearFieldMaxLength();
  RefreshButtonStates();
}

static bool IsStringField(const TField* f) { return f->DataType() == ftString || f->DataType() == ftWideString; }

void TCustomDBEditGx::FieldDataChanged() {
  if (TField* f = Field()) {
    if (f->Alignment() != FAlignment) Invalidate();
    if (!FAssignedProps.Contains(apEditMask)) TCustomMaskEdit::SetEditMask(f->EditMask());
    if (!ComponentState().Contains(csDesigning) && IsStringField(f) && MaxLength() == 0) SetMaxLength(f->Size());
    bool memo = f->DataType() == ftMemo || f->DataType() == ftWideMemo;
    if (FHasFocus && FFieldLink->CanModifyField()) StoreText(memo ? f->AsString() : f->Text());
    else StoreEditText(memo ? f->AsString() : f->DisplayText());
  } else if (IsDataIndependent()) {
    if (!FAssignedProps.Contains(apEditMask)) TCustomMaskEdit::SetEditMask("");
    StoreEditText(VariantText(FFieldLink->IndependentValue()));
  } else {
    if (!FAssignedProps.Contains(apEditMask)) TCustomMaskEdit::SetEditMask("");
    StoreEditText("");
  }
  UpdateReadOnlyState();
  SetModified(false);
}

void TCustomDBEditGx::StoreEditText(const std::string& Text) {
  FStoringText = true;
  auto done = AtScopeExit([this] { FStoringText = false; });
  SetEditText(Text);
}

void TCustomDBEditGx::ClearFieldMaxLength() {
  if (MaxLength() <= 0) return;
  TDataSet* ds = DataSource() ? DataSource()->DataSet() : nullptr;
  if (!ds) return;
  TField* f = ds->FindField(DataField());
  if (f && IsStringField(f) && f->Size() == MaxLength()) SetMaxLength(0);
}

void TCustomDBEditGx::StoreText(const std::string& Text) {
  FStoringText = true;
  auto done = AtScopeExit([this] { FStoringText = false; });
  TCustomMaskEdit::SetText(Text);
}

void TCustomDBEditGx::StoreValue(const Variant& Value) { StoreText(VariantText(Value)); }

void TCustomDBEditGx::PostTextToLink() {
  FFieldLink->AssignText(IsDataIndependent() ? EditText() : GetText());
}

void TCustomDBEditGx::CommitEdit() {
  if (FHasFocus) ValidateEdit();
  bool handled = false;
  if (FOnUpdateData) {
    FPostingData = true;
    auto done = AtScopeExit([this] { FPostingData = false; });
    FOnUpdateData(this, handled);
  }
  if (!handled) PostTextToLink();
  SetModified(false);
  if (FMRUList->Active() && Showing()) FMRUList->AddRecent(GetText());
}

void TCustomDBEditGx::WriteThrough(const std::function<void()>& Store) {
  if (ComponentState().Contains(csDesigning) && !IsDataIndependent()) return;
  if (!IsDataIndependent())
    if (TDataSet* ds = DataSource() ? DataSource()->DataSet() : nullptr) ds->Edit();
  Store();
  if (FPostingData) return;
  // A commit that fails shows the field's value again.
  bool committed = false;
  auto reset = AtScopeExit([&] {
    if (!committed) FFieldLink->ResetLink();
  });
  CommitEdit();
  committed = true;
}

void TCustomDBEditGx::SetText(const std::string& Value) {
  WriteThrough([&] { StoreText(Value); });
}

void TCustomDBEditGx::ApplyValue(const Variant& Value) {
  WriteThrough([&] { StoreValue(Value); });
}

bool TCustomDBEditGx::TextStored() const { return IsDataIndependent() && !GetText().empty(); }

void TCustomDBEditGx::Change() {
  FFieldLink->MarkModified();
  SetModified(true);
  TCustomMaskEdit::Change();
}

bool TCustomDBEditGx::EditCanModify() { return FFieldLink->StartEdit(); }

void TCustomDBEditGx::Reset() {
  FFieldLink->ResetLink();
  SelectAll();
}

void TCustomDBEditGx::SetOnUpdateData(const TUpdateDataEventGx& Value) {
  FOnUpdateData = Value;
  UpdateReadOnlyState();
}

void TCustomDBEditGx::UpdateReadOnlyState() {
  if (!FFieldLink) return;
  bool ro = FReadOnlyProp || (!FFieldLink->CanModifyField() && !FOnUpdateData);
  if (!ro && FInPlace && FHolderInterface) ro = !FHolderInterface->CanEditorModify(this);
  SetPlatformReadOnly(ro);
}

void TCustomDBEditGx::SetReadOnly(bool Value) {
  FReadOnlyProp = Value;
  UpdateReadOnlyState();
}

TAlignment TCustomDBEditGx::Alignment() const {
  return FAssignedProps.Contains(apAlignment) ? FAlignment : FieldAlignment();
}

void TCustomDBEditGx::SetAlignment(TAlignment Value) {
  if (FAssignedProps.Contains(apAlignment) && FAlignment == Value) return;
  FAlignment = Value;
  FAssignedProps.Include(apAlignment);
  if (FWordWrap) RecreateWnd();
  else Invalidate();
}

void TCustomDBEditGx::SetEditMask(const std::string& Value) {
  if (FAssignedProps.Contains(apEditMask) && Value == EditMask()) return;
  bool keep = ComponentState().Contains(csLoading) && IsDataIndependent();
  std::string kept = keep ? GetText() : std::string();
  TCustomMaskEdit::SetEditMask(Value);
  FAssignedProps.Include(apEditMask);
  if (keep) StoreText(kept);
  if (IsDataIndependent()) PostTextToLink();
  else LinkDataChanged(this);
}

void TCustomDBEditGx::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  RecreateWnd();
}

void TCustomDBEditGx::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TCustomDBEditGx::SetPasswordChar(const std::string& Value) {
  if (Value == PasswordChar()) return;
  TCustomMaskEdit::SetPasswordChar(Value);
  RecreateWnd();
}

void TCustomDBEditGx::SetAlwaysShowBorder(bool Value) {
  if (Value == FAlwaysShowBorder) return;
  FAlwaysShowBorder = Value;
  BorderActive();
}

void TCustomDBEditGx::SetAutoSize(bool Value) {
  if (Value == AutoSize()) return;
  TCustomMaskEdit::SetAutoSize(Value);
  UpdateFixedHeight();
}

bool TCustomDBEditGx::UseRightToLeftAlignment() const { return FieldUsesRightToLeftAlignment(this, Field()); }

// Actions reach the edit only: the field link knows no action classes of its own.
bool TCustomDBEditGx::ExecuteAction(TObject* Action) { return TCustomMaskEdit::ExecuteAction(Action); }

bool TCustomDBEditGx::UpdateAction(TObject* Action) { return TCustomMaskEdit::UpdateAction(Action); }
