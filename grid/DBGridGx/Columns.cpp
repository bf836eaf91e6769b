// Grid columns: construction and destruction, field binding, width and the references
// to components freed elsewhere.
#include "grid/DBGridGx/Columns.h"

#include <typeinfo>

#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/Selection.h"
#include "grid/DBLookupGridsGx/PopupDataGrid.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"

using namespace columns_detail;

TColumnGx::TColumnGx(TCollection* Collection) : TCollectionItem(Collection) {
  // The grid re-lays out once, when the column is complete.
  TCustomDBGridGx* grid = Grid();
  if (grid) grid->LockLayout();
  auto guard = AtScopeExit([&] { if (grid) grid->UnlockLayout(); });
  // Hears when a field, popup menu or image list the column refers to is freed.
  FRefWatch = std::make_unique<TFreeWatch>([this](TComponent* Freed) { ForgetComponent(Freed); });
  FFont = std::make_unique<TFont>();
  if (TFont* def = DefaultFont()) FFont->Assign(def);
  FFont->SetOnChange(TNotifyEvent::Bind(this, &TColumnGx::FontChanged));
  FImeMode = imDontCare;
  FImeName = Screen ? Screen->DefaultIme() : std::string();
  FTitle.reset(MakeTitle());
  FFooter.reset(MakeFooter());
  FFooters.reset(MakeFooters());
  FAutoFitColWidth = true;
  FProportionalWidth = Width();
  FEditButtons.reset(MakeEditButtons());
  FDropDownSpecRow = std::make_unique<TSpecRowGx>(this);
  FDropDownSpecRow->SetOnChanged(TNotifyEvent::Bind(this, &TColumnGx::DropDownSpecRowChanged));
  FDropDownBox = std::make_unique<TColumnDropDownBoxGx>(this);
  FMRUList = std::make_unique<TMRUListGx>(this);
  FSTFilter.reset(MakeSTFilter());
  FImageChangeLink = std::make_unique<TChangeLink>();
  FImageChangeLink->SetOnChange(TNotifyEvent::Bind(this, &TColumnGx::ImageListChange));
}

TColumnGx::~TColumnGx() {
  FPopupGrid.reset();
  FRefWatch.reset();
  // Nothing of the grid keeps a freed column.
  if (TCustomDBGridGx* grid = Grid()) grid->ForgetColumn(this);
  FDropDownSpecRow.reset();
  FTitle.reset();
  FFont.reset();
  FPickList.reset();
  FFooter.reset();
  FFooters.reset();
  FKeyList.reset();
  FEditButtons.reset();
  FSTFilter.reset();
  if (FImageList) FImageList->UnRegisterChanges(FImageChangeLink.get());
  FImageChangeLink.reset();
}

TCustomDBGridGx* TColumnGx::Grid() const {
  // Asked for on every cell written or drawn: the grid's own column list is told without
  // a search of the class tree.
  TCollection* collection = Collection();
  if (!collection) return nullptr;
  if (typeid(*collection) == typeid(TDBGridColumnsGx)) return static_cast<TDBGridColumnsGx*>(collection)->Grid();
  auto* columns = dynamic_cast<TDBGridColumnsGx*>(collection);
  return columns ? columns->Grid() : nullptr;
}

std::string TColumnGx::DisplayName() const {
  return FFieldName.empty() ? TCollectionItem::DisplayName() : FFieldName;
}

TEditButtonsGx* TColumnGx::MakeEditButtons() {
  auto* buttons = new TEditButtonsGx(this, TVisibleEditButtonGx::StaticClass());
  buttons->SetOnChanged(TNotifyEvent::Bind(this, &TColumnGx::EditButtonsChanged));
  return buttons;
}

TColumnFooterGx* TColumnGx::MakeFooter() { return new TColumnFooterGx(this); }
TColumnFootersGx* TColumnGx::MakeFooters() { return new TColumnFootersGx(this, TColumnFooterGx::StaticClass()); }
TSTColumnFilterGx* TColumnGx::MakeSTFilter() { return new TSTColumnFilterGx(this); }
TColumnTitleGx* TColumnGx::MakeTitle() { return new TColumnTitleGx(this); }

void TColumnGx::DropDownSpecRowChanged(TObject*) {
  Changed(false);
  if (FPopupGrid) FPopupGrid->SetSpecRow(FDropDownSpecRow.get());
}
void TColumnGx::EditButtonsChanged(TObject*) { Changed(false); }

// ---- references to components freed elsewhere ----

void TColumnGx::Watch(TComponent* Component) {
  if (Component) Component->FreeNotification(FRefWatch.get());
}

void TColumnGx::Unwatch(TComponent* Component) {
  // A component still referred to by another property stays watched.
  if (!Component) return;
  if (Component == FField || Component == FPopupMenu || Component == FImageList) return;
  Component->RemoveFreeNotification(FRefWatch.get());
}

void TColumnGx::ForgetComponent(TComponent* Component) {
  TCustomDBGridGx* grid = Grid();
  if (FPopupMenu && Component == FPopupMenu) FPopupMenu = nullptr;
  if (FDropDownBox && Component == FDropDownBox->ListSource()) FDropDownBox->ForgetListSource();
  if (FImageList && Component == FImageList) {
    FImageList = nullptr;
    if (Live(grid)) grid->Invalidate();
  }
  if (FField && Component == FField) {
    FField = nullptr;
    if (IsFieldDriven()) FFieldName.clear();
    if (Live(grid)) Changed(true);
  }
}

// ---- field binding ----

TField* TColumnGx::Field() {
  if (FField || FFieldName.empty()) return FField;
  TCustomDBGridGx* grid = Grid();
  if (!grid || !grid->GridLink()) return nullptr;
  TDataSet* dataSet = grid->GridLink()->DataSet();
  if (!dataSet) return nullptr;
  if (!dataSet->Active() && dataSet->DefaultFields()) return nullptr;
  TField* found = dataSet->FindField(FFieldName);
  if (found && found != FField) {
    FField = found;
    Watch(found);
    FFieldName = found->FieldName();
    RelinkFooterSums();
  }
  return FField;
}

void TColumnGx::SetField(TField* Value) {
  if (Value == FField) return;
  TField* old = FField;
  FField = Value;
  Unwatch(old);
  Watch(Value);
  if (Value) FFieldName = Value->FieldName();
  if (IsFieldDriven()) {
    if (!Value) FFieldName.clear();
    ResetToDefaults();
    FProportionalWidth = Width();
  }
  RelinkFooterSums();
  Changed(false);
}

void TColumnGx::SetFieldName(const std::string& Value) {
  TField* found = nullptr;
  TCustomDBGridGx* grid = Grid();
  if (grid && grid->GridLink() && grid->GridLink()->DataSet() && !Loading(grid) && !Value.empty())
    found = grid->GridLink()->DataSet()->FindField(Value);
  FFieldName = Value;
  SetField(found);
  FProportionalWidth = Width();
  Changed(false);
}

void TColumnGx::SetIndex(int Value) {
  TCustomDBGridGx* grid = Grid();
  if (IsFieldDriven() && grid && grid->GridLink() && grid->GridLink()->Active()) {
    TField* target = grid->GridLink()->FieldAt(Value);
    TField* own = Field();
    if (target && own) own->SetIndex(target->Index());
  }
  const int old = Index();
  TCollectionItem::SetIndex(Value);
  // A cell rectangle means other columns once columns change places.
  if (grid && Index() != old && grid->GridSelection()) grid->GridSelection()->ColumnsMoved();
}

// ---- width ----

int TColumnGx::DefaultWidth() {
  TCustomDBGridGx* grid = Grid();
  if (!grid) return 64;
  if (TField* field = Field()) {
    TDigitMetrics m = MeasureDigit(grid, Font());
    return (m.DigitWidth - m.Overhang) * field->DisplayWidth() + m.Overhang + 4;
  }
  return grid->DefaultColWidth();
}

int TColumnGx::Width() { return FAssignedValues.Contains(cvWidth) ? FWidth : DefaultWidth(); }

bool TColumnGx::IsWidthStored() { return FAssignedValues.Contains(cvWidth) && FWidth != DefaultWidth(); }

void TColumnGx::SetWidth(int Value) {
  TCustomDBGridGx* grid = Grid();
  if (IsFieldDriven() && grid) {
    if (grid->HandleAllocated() && Field()) {
      TDigitMetrics m = MeasureDigit(grid, Font());
      if (m.DigitWidth > 0)
        Field()->SetDisplayWidth((Value + m.AveCharWidth / 2 - m.Overhang - 3) / m.DigitWidth);
    }
    if (grid->GridLink() && grid->GridLink()->InLayoutChange() && !FAssignedValues.Contains(cvWidth)) return;
  }
  if ((FAssignedValues.Contains(cvWidth) || Value != DefaultWidth()) && Value != -1) {
    FWidth = Value;
    FAssignedValues += cvWidth;
    if (FMaxWidth > 0 && FWidth > FMaxWidth) FWidth = FMaxWidth;
    if (FMinWidth > 0 && FWidth < FMinWidth) FWidth = FMinWidth;
  }
  Changed(false);
}

int TColumnGx::ClampWidth(int TryWidth) const {
  if (FMaxWidth > 0 && TryWidth > FMaxWidth) TryWidth = FMaxWidth;
  if (FMinWidth > 0 && TryWidth < FMinWidth) TryWidth = FMinWidth;
  return TryWidth;
}

void TColumnGx::SetMaxWidth(int Value) {
  FMaxWidth = Value;
  if (Value > 0 && Width() > Value) SetWidth(Value);
}

void TColumnGx::SetMinWidth(int Value) {
  FMinWidth = Value;
  if (Value > 0 && Width() < Value) SetWidth(Value);
}

void TColumnGx::SetAutoFitColWidth(bool Value) {
  FAutoFitColWidth = Value;
  TCustomDBGridGx* grid = Grid();
  if (grid && grid->AutoFitColWidths() && !Loading(grid) && !Designing(grid)) SetWidth(FProportionalWidth);
  Changed(false);
}

// ---- footers ----

TColumnFooterGx* TColumnGx::FooterForRow(int Row) const {
  if (Row >= 0 && Row < FFooters->Count()) return FFooters->Items(Row);
  return FFooter.get();
}

void TColumnGx::RelinkFooterSums() {
  if (FFooter) FFooter->RelinkSum();
  if (FFooters)
    for (int i = 0; i < FFooters->Count(); ++i) FFooters->Items(i)->RelinkSum();
}

void TColumnGx::FireGetCellParams(bool EditMode, TColCellParamsGx* Params) {
  if (FOnGetCellParams) FOnGetCellParams(this, EditMode, Params);
}
