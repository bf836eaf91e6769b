// The data-aware edit's life cycle, properties and the way data comes in and goes out.
#include "gridcontrols/DBCtrlsGx/DBEditPrivate.h"

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

TCustomDBEditGx::TCustomDBEditGx(TComponent* AOwner)
    : TCustomMaskEdit(AOwner), P(std::make_unique<TState>(this)) {
  FControlStyle.Include(csCaptureMouse);
  FControlStyle.Include(csReplicatable);
  P->FFieldLink = NewDataLink();
  P->FFieldLink->SetLinkControl(this);
  P->FFieldLink->OnLinkDataChange = TNotifyEvent::Bind(this, &TCustomDBEditGx::LinkDataChanged);
  P->FFieldLink->OnLinkEditingChange = TNotifyEvent::Bind(this, &TCustomDBEditGx::LinkEditingChanged);
  P->FFieldLink->OnLinkUpdateData = [this](TObject*) { CommitEdit(); };
  P->FFieldLink->OnLinkActiveChange = TNotifyEvent::Bind(this, &TCustomDBEditGx::LinkActiveChanged);
  P->FMainButton = NewMainButton();
  P->FMainButton->SetOnChanged(TNotifyEvent::Bind(this, &TCustomDBEditGx::ButtonsChanged));
  P->FEditButtons = NewButtonCollection();
  P->FEditButtons->SetOnChanged(TNotifyEvent::Bind(this, &TCustomDBEditGx::ButtonsChanged));
  P->FImageSettings = NewEditImage();
  P->FMRUList = std::make_unique<TMRUListGx>(this);
  P->FMRUList->SetOnDropDown(TNotifyEvent::Bind(this, &TCustomDBEditGx::MRUPopupOpening));
  P->FMRUList->SetOnCloseUp(TMRUCloseUpEventGx::Bind(this, &TCustomDBEditGx::MRUPopupClosing));
  P->FRecent.SetHooks({
      .NewListbox = [this] { return NewMRUListbox(); },
      .Filter = [this](const std::string& Item, bool& Accept) { FilterMRUItem(Item, Accept); },
      .Open = [this] { P->FMRUList->OpenPopup(); },
      .Close = [this](bool Accept) { P->FMRUList->ClosePopup(Accept); },
      .Resized = [this] { MRUListboxResized(P->FRecent.Listbox()); },
      .MayTake = [this] { return !P->FReadOnlyProp && EditCanModify(); },
      .Take = [this](const std::string& Chosen) { StoreText(Chosen); },
  });
  UpdateReadOnlyState();
}

TCustomDBEditGx::~TCustomDBEditGx() {
  P->FDestroying = true;
  P->FImageSettings.reset();
  P->FMainButton.reset();
  P->FEditButtons.reset();
  P->FFieldLink.reset();
  P->FPaintCanvas.reset();
  P->FMRUList.reset();
  P->FHolderInterface = nullptr;
  P->FInplaceEditHolder = nullptr;
}

// Accessors of the state.
TDataSource* TCustomDBEditGx::DataSource() const { return P->FFieldLink->DataSource(); }
std::string TCustomDBEditGx::DataField() const { return P->FFieldLink->FieldName(); }
TField* TCustomDBEditGx::Field() const { return P->FFieldLink->FirstField(); }
TFieldDataLinkGx* TCustomDBEditGx::FieldLink() const { return P->FFieldLink.get(); }
bool TCustomDBEditGx::PostingData() const { return P->FPostingData; }
bool TCustomDBEditGx::AlignmentStored() const { return P->FAssignedProps.Contains(apAlignment); }
TAssignedEditPropsGx TCustomDBEditGx::AssignedProps() const { return P->FAssignedProps; }
bool TCustomDBEditGx::AlwaysShowBorder() const { return P->FAlwaysShowBorder; }
bool TCustomDBEditGx::Flat() const { return P->FFlat; }
bool TCustomDBEditGx::ReadOnly() const { return P->FReadOnlyProp; }
bool TCustomDBEditGx::WantTabs() const { return P->FWantTabs; }
void TCustomDBEditGx::SetWantTabs(bool Value) { P->FWantTabs = Value; }
bool TCustomDBEditGx::WantReturns() const { return P->FWantReturns; }
void TCustomDBEditGx::SetWantReturns(bool Value) { P->FWantReturns = Value; }
bool TCustomDBEditGx::WordWrap() const { return P->FWordWrap; }
TEditButtonGx* TCustomDBEditGx::MainButton() const { return P->FMainButton.get(); }
TEditButtonsGx* TCustomDBEditGx::EditButtons() const { return P->FEditButtons.get(); }
void TCustomDBEditGx::SetEditButtons(TEditButtonsGx* Value) { P->FEditButtons->Assign(Value); }
TEditImageGx* TCustomDBEditGx::ImageSettings() const { return P->FImageSettings.get(); }
void TCustomDBEditGx::SetImageSettings(TEditImageGx* Value) { P->FImageSettings->Assign(Value); }
TMRUListGx* TCustomDBEditGx::MRUList() const { return P->FMRUList.get(); }
void TCustomDBEditGx::SetMRUList(TMRUListGx* Value) { P->FMRUList->Assign(Value); }
TMRUListboxGx* TCustomDBEditGx::MRUPopup() const { return P->FRecent.Listbox(); }
const TEditButtonControlList& TCustomDBEditGx::ButtonControls() const { return P->FButtons.Controls(); }
int TCustomDBEditGx::ButtonsWidth() const { return P->FButtons.Width(); }
int TCustomDBEditGx::ButtonsHeight() const { return P->FButtons.Height(); }
int TCustomDBEditGx::ImageAreaWidth() const { return P->FImageAreaWidth; }
bool TCustomDBEditGx::BorderIsActive() const { return P->FBorderIsActive; }
bool TCustomDBEditGx::HasFocus() const { return P->FHasFocus; }
bool TCustomDBEditGx::PopupOpen() const { return P->FPopups.IsOpen(); }
TWinControl* TCustomDBEditGx::InplaceEditHolder() const { return P->FInplaceEditHolder; }
bool TCustomDBEditGx::InPlace() const { return P->FInPlace; }
const TButtonClickEventGx& TCustomDBEditGx::OnMainButtonClick() const { return P->FOnMainButtonClick; }
void TCustomDBEditGx::SetOnMainButtonClick(const TButtonClickEventGx& Value) { P->FOnMainButtonClick = Value; }
const TButtonDownEventGx& TCustomDBEditGx::OnMainButtonDown() const { return P->FOnMainButtonDown; }
void TCustomDBEditGx::SetOnMainButtonDown(const TButtonDownEventGx& Value) { P->FOnMainButtonDown = Value; }
const TUpdateDataEventGx& TCustomDBEditGx::OnUpdateData() const { return P->FOnUpdateData; }
bool TCustomDBEditGx::IsDataIndependent() const { return P->FFieldLink->Independent(); }
void TCustomDBEditGx::SetPopupOpen(bool Value) { P->FPopups.SetOpen(Value); }

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
      [this](TWriter* Writer) { WriteEditMaskProperty(Writer); }, P->FAssignedProps.Contains(apEditMask));
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
  if (Operation != opRemove || P->FDestroying) return;
  P->FRecent.Forget(AComponent);
  if (AComponent == P->FInplaceEditHolder) {
    // A holder going away leaves nothing to call.
    P->FInplaceEditHolder = nullptr;
    P->FHolderInterface = nullptr;
    P->FInPlace = false;
    return;
  }
  if (P->FFieldLink && AComponent == DataSource()) {
    SetDataSource(nullptr);
    return;
  }
  if (P->FImageSettings && AComponent == P->FImageSettings->Images()) P->FImageSettings->SetImages(nullptr);
  if (auto* menu = dynamic_cast<TPopupMenu*>(AComponent)) {
    if (P->FMainButton && P->FMainButton->DropdownMenu() == menu) P->FMainButton->SetDropdownMenu(nullptr);
    if (P->FEditButtons)
      for (int i = 0; i < P->FEditButtons->Count(); ++i)
        if (P->FEditButtons->Items(i)->DropdownMenu() == menu) P->FEditButtons->Items(i)->SetDropdownMenu(nullptr);
  }
}

// Data source and field.

void TCustomDBEditGx::SetDataSource(TDataSource* Value) {
  if (!(P->FFieldLink->DataSourceFixed() && ComponentState().Contains(csLoading))) P->FFieldLink->SetLinkDataSource(Value);
  if (Value) Value->FreeNotification(this);
  LinkDataChanged(this);
  Invalidate();
}

void TCustomDBEditGx::SetDataField(const std::string& Value) {
  if (!ComponentState().Contains(csDesigning)) ClearFieldMaxLength();
  P->FFieldLink->SetFieldName(Value);
  RefreshButtonStates();
  Invalidate();
}

bool TCustomDBEditGx::CanPressButtons() { return Enabled() && P->FFieldLink->IsActive(); }

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
    if (f->Alignment() != P->FAlignment) Invalidate();
    if (!P->FAssignedProps.Contains(apEditMask)) TCustomMaskEdit::SetEditMask(f->EditMask());
    if (!ComponentState().Contains(csDesigning) && IsStringField(f) && MaxLength() == 0) SetMaxLength(f->Size());
    bool memo = f->DataType() == ftMemo || f->DataType() == ftWideMemo;
    if (P->FHasFocus && P->FFieldLink->CanModifyField()) StoreText(memo ? f->AsString() : f->Text());
    else StoreEditText(memo ? f->AsString() : f->DisplayText());
  } else if (IsDataIndependent()) {
    if (!P->FAssignedProps.Contains(apEditMask)) TCustomMaskEdit::SetEditMask("");
    StoreEditText(VariantText(P->FFieldLink->IndependentValue()));
  } else {
    if (!P->FAssignedProps.Contains(apEditMask)) TCustomMaskEdit::SetEditMask("");
    StoreEditText("");
  }
  UpdateReadOnlyState();
  SetModified(false);
}

void TCustomDBEditGx::StoreEditText(const std::string& Text) {
  P->FStoringText = true;
  auto done = AtScopeExit([this] { P->FStoringText = false; });
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
  P->FStoringText = true;
  auto done = AtScopeExit([this] { P->FStoringText = false; });
  TCustomMaskEdit::SetText(Text);
}

void TCustomDBEditGx::StoreValue(const Variant& Value) { StoreText(VariantText(Value)); }

void TCustomDBEditGx::PostTextToLink() {
  P->FFieldLink->AssignText(IsDataIndependent() ? EditText() : GetText());
}

void TCustomDBEditGx::CommitEdit() {
  if (P->FHasFocus) ValidateEdit();
  bool handled = false;
  if (P->FOnUpdateData) {
    P->FPostingData = true;
    auto done = AtScopeExit([this] { P->FPostingData = false; });
    P->FOnUpdateData(this, handled);
  }
  if (!handled) PostTextToLink();
  SetModified(false);
  if (P->FMRUList->Active() && Showing()) P->FMRUList->AddRecent(GetText());
}

void TCustomDBEditGx::WriteThrough(const std::function<void()>& Store) {
  if (ComponentState().Contains(csDesigning) && !IsDataIndependent()) return;
  if (!IsDataIndependent())
    if (TDataSet* ds = DataSource() ? DataSource()->DataSet() : nullptr) ds->Edit();
  Store();
  if (P->FPostingData) return;
  // A commit that fails shows the field's value again.
  bool committed = false;
  auto reset = AtScopeExit([&] {
    if (!committed) P->FFieldLink->ResetLink();
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
  P->FFieldLink->MarkModified();
  SetModified(true);
  TCustomMaskEdit::Change();
}

bool TCustomDBEditGx::EditCanModify() { return P->FFieldLink->StartEdit(); }

void TCustomDBEditGx::Reset() {
  P->FFieldLink->ResetLink();
  SelectAll();
}

void TCustomDBEditGx::SetOnUpdateData(const TUpdateDataEventGx& Value) {
  P->FOnUpdateData = Value;
  UpdateReadOnlyState();
}

void TCustomDBEditGx::UpdateReadOnlyState() {
  if (!P->FFieldLink) return;
  bool ro = P->FReadOnlyProp || (!P->FFieldLink->CanModifyField() && !P->FOnUpdateData);
  if (!ro && P->FInPlace && P->FHolderInterface) ro = !P->FHolderInterface->CanEditorModify(this);
  SetPlatformReadOnly(ro);
}

void TCustomDBEditGx::SetReadOnly(bool Value) {
  P->FReadOnlyProp = Value;
  UpdateReadOnlyState();
}

TAlignment TCustomDBEditGx::Alignment() const {
  return P->FAssignedProps.Contains(apAlignment) ? P->FAlignment : FieldAlignment();
}

void TCustomDBEditGx::SetAlignment(TAlignment Value) {
  if (P->FAssignedProps.Contains(apAlignment) && P->FAlignment == Value) return;
  P->FAlignment = Value;
  P->FAssignedProps.Include(apAlignment);
  if (P->FWordWrap) RecreateWnd();
  else Invalidate();
}

void TCustomDBEditGx::SetEditMask(const std::string& Value) {
  if (P->FAssignedProps.Contains(apEditMask) && Value == EditMask()) return;
  bool keep = ComponentState().Contains(csLoading) && IsDataIndependent();
  std::string kept = keep ? GetText() : std::string();
  TCustomMaskEdit::SetEditMask(Value);
  P->FAssignedProps.Include(apEditMask);
  if (keep) StoreText(kept);
  if (IsDataIndependent()) PostTextToLink();
  else LinkDataChanged(this);
}

void TCustomDBEditGx::SetFlat(bool Value) {
  if (Value == P->FFlat) return;
  P->FFlat = Value;
  RecreateWnd();
}

void TCustomDBEditGx::SetWordWrap(bool Value) {
  if (Value == P->FWordWrap) return;
  P->FWordWrap = Value;
  RecreateWnd();
}

void TCustomDBEditGx::SetPasswordChar(const std::string& Value) {
  if (Value == PasswordChar()) return;
  TCustomMaskEdit::SetPasswordChar(Value);
  RecreateWnd();
}

void TCustomDBEditGx::SetAlwaysShowBorder(bool Value) {
  if (Value == P->FAlwaysShowBorder) return;
  P->FAlwaysShowBorder = Value;
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
