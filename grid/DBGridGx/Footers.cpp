// Column footers: soft alignment, colour and font, and the footer's item in the grid's
// sum list, kept in step with its value type and field.
#include "grid/DBGridGx/Footers.h"

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridSumList.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"

using namespace columns_detail;

TColumnFooterGx::TColumnFooterGx(TCollection* Collection) : TCollectionItem(Collection) {
  if (auto* footers = dynamic_cast<TColumnFootersGx*>(Collection)) FColumn = footers->Column();
  Init();
  InvalidateFooterRows();
}

TColumnFooterGx::TColumnFooterGx(TColumnGx* Column) : TCollectionItem(nullptr), FColumn(Column) { Init(); }

void TColumnFooterGx::Init() {
  FFont = std::make_unique<TFont>();
  if (TFont* def = DefaultFont()) FFont->Assign(def);
  FFont->SetOnChange(TNotifyEvent::Bind(this, &TColumnFooterGx::FontChanged));
}

TColumnFooterGx::~TColumnFooterGx() {
  TCustomDBGridGx* grid = FColumn ? FColumn->Grid() : nullptr;
  InvalidateFooterRows();
  // The sum list goes away with a grid that is being freed.
  if (!Destroying(grid))
    if (TDBSum* sum = SumItem()) delete sum;
}

TPersistent* TColumnFooterGx::GetOwner() {
  return Collection() ? TCollectionItem::GetOwner() : static_cast<TPersistent*>(FColumn);
}

void TColumnFooterGx::Changed(bool AllItems) {
  if (FColumn) FColumn->ReportChange(AllItems);
}

void TColumnFooterGx::InvalidateFooterRows() {
  TCustomDBGridGx* grid = FColumn ? FColumn->Grid() : nullptr;
  if (Live(grid) && !Loading(grid)) grid->InvalidateFooterRows();
}

// ---- soft values ----

TAlignment TColumnFooterGx::DefaultAlignment() const {
  TField* field = FColumn ? FColumn->Field() : nullptr;
  return field ? field->Alignment() : taLeftJustify;
}

TAlignment TColumnFooterGx::Alignment() const {
  return FAssignedValues.Contains(fvAlignment) ? FAlignment : DefaultAlignment();
}

void TColumnFooterGx::SetAlignment(TAlignment Value) {
  if (FAssignedValues.Contains(fvAlignment) && FAlignment == Value) return;
  FAlignment = Value;
  FAssignedValues += fvAlignment;
  Changed(false);
}

bool TColumnFooterGx::IsAlignmentStored() const {
  return FAssignedValues.Contains(fvAlignment) && FAlignment != DefaultAlignment();
}

TColor TColumnFooterGx::DefaultColor() const {
  TCustomDBGridGx* grid = FColumn ? FColumn->Grid() : nullptr;
  return grid ? grid->FooterColor() : clWindow;
}

TColor TColumnFooterGx::Color() const { return FAssignedValues.Contains(fvColor) ? FColor : DefaultColor(); }

void TColumnFooterGx::SetColor(TColor Value) {
  if (FAssignedValues.Contains(fvColor) && FColor == Value) return;
  FColor = Value;
  FAssignedValues += fvColor;
  Changed(false);
}

bool TColumnFooterGx::IsColorStored() const { return FAssignedValues.Contains(fvColor) && FColor != DefaultColor(); }

TFont* TColumnFooterGx::DefaultFont() const {
  if (!FColumn) return nullptr;
  TCustomDBGridGx* grid = FColumn->Grid();
  return grid ? grid->FooterFont() : FColumn->Font();
}

TFont* TColumnFooterGx::Font() {
  RefreshDefaultFont();
  return FFont.get();
}

void TColumnFooterGx::RefreshDefaultFont() {
  if (!FAssignedValues.Contains(fvFont)) CopyDefaultFont(FFont.get(), DefaultFont(), FInFontRefresh);
}

void TColumnFooterGx::FontChanged(TObject*) {
  if (FInFontRefresh) return;
  FAssignedValues += fvFont;
  Changed(true);
}

bool TColumnFooterGx::IsFontStored() const { return FAssignedValues.Contains(fvFont); }

// ---- plain values ----

void TColumnFooterGx::SetDisplayFormat(const std::string& Value) {
  if (Value == FDisplayFormat) return;
  FDisplayFormat = Value;
  Changed(false);
}

void TColumnFooterGx::SetEndEllipsis(bool Value) {
  FEndEllipsis = Value;
  Changed(false);
}

void TColumnFooterGx::SetFieldName(const std::string& Value) {
  FFieldName = Value;
  RelinkSum();
  Changed(false);
}

void TColumnFooterGx::SetValue(const std::string& Value) {
  FValue = Value;
  Changed(false);
}

void TColumnFooterGx::SetValueType(TFooterValueType Value) {
  if (Value == FValueType) return;
  FValueType = Value;
  RelinkSum();
  Changed(false);
}

void TColumnFooterGx::SetWordWrap(bool Value) {
  FWordWrap = Value;
  Changed(false);
}

// ---- copying and defaults ----

void TColumnFooterGx::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TColumnFooterGx*>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  if (src->FAssignedValues.Contains(fvAlignment)) SetAlignment(src->Alignment());
  if (src->FAssignedValues.Contains(fvColor)) SetColor(src->Color());
  if (src->FAssignedValues.Contains(fvFont)) SetFont(src->Font());
  SetEndEllipsis(src->EndEllipsis());
  SetValueType(src->ValueType());
  SetFieldName(src->FieldName());
  SetValue(src->Value());
  SetWordWrap(src->WordWrap());
  SetDisplayFormat(src->DisplayFormat());
}

void TColumnFooterGx::ResetToDefaults() {
  const bool fontWasAssigned = FAssignedValues.Contains(fvFont);
  FAssignedValues = {};
  RefreshDefaultFont();
  Changed(fontWasAssigned);
}

// ---- the sum item ----

TDBSumCollection* TColumnFooterGx::SumCollection() const {
  TCustomDBGridGx* grid = FColumn ? FColumn->Grid() : nullptr;
  if (!grid || !grid->SumList()) return nullptr;
  return grid->SumList()->SumCollection();
}

TDBSum* TColumnFooterGx::SumItem() const {
  if (FSumItemID < 0) return nullptr;
  TDBSumCollection* sums = SumCollection();
  return sums ? static_cast<TDBSum*>(sums->FindItemID(FSumItemID)) : nullptr;
}

void TColumnFooterGx::RelinkSum() {
  TDBSumCollection* sums = SumCollection();
  if (!sums) return;
  const bool aggregate = FValueType == fvtSum || FValueType == fvtAvg || FValueType == fvtCount;
  auto configure = [this](TDBSum* Sum) {
    if (FValueType == fvtCount) {
      Sum->SetGroupOperation(goCount);
      Sum->SetFieldName("");
    } else {
      Sum->SetGroupOperation(FValueType == fvtSum ? goSum : goAvg);
      Sum->SetFieldName(FFieldName.empty() ? FColumn->FieldName() : FFieldName);
    }
  };
  if (TDBSum* sum = SumItem()) {
    if (aggregate) {
      configure(sum);
    } else {
      FSumItemID = -1;
      delete sum;
    }
    return;
  }
  FSumItemID = -1;
  if (!aggregate) return;
  sums->BeginUpdate();
  auto guard = AtScopeExit([&] { sums->EndUpdate(); });
  TDBSum* sum = sums->Add();
  FSumItemID = sum->ID();
  if (FValueType == fvtCount) sum->SetGroupOperation(goCount);
  else configure(sum);
}

// ---- the collection ----

TColumnFootersGx::TColumnFootersGx(TColumnGx* Column, TClass ItemClass) : TCollection(ItemClass), FColumn(Column) {}

TPersistent* TColumnFootersGx::GetOwner() { return FColumn; }
