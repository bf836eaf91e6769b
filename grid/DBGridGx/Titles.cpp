// Column titles: soft values kept in the column's flags, the title font and the sort
// marker that keeps the grid's SortedColumnList.
#include "grid/DBGridGx/Titles.h"

#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/data/Field.h"

using namespace columns_detail;

namespace {
TColumnTitleDefValuesGx* TitleDefValues(const TColumnTitleGx* Title) {
  TCustomDBGridGx* grid = Title->Column() ? Title->Column()->Grid() : nullptr;
  return grid && grid->ColumnDefValues() ? grid->ColumnDefValues()->Title() : nullptr;
}
}  // namespace

TColumnTitleGx::TColumnTitleGx(TColumnGx* Column) : FColumn(Column) {
  FFont = std::make_unique<TFont>();
  if (TFont* def = DefaultFont()) FFont->Assign(def);
  FFont->SetOnChange(TNotifyEvent::Bind(this, &TColumnTitleGx::FontChanged));
  SetImageIndex(-1);
}

TColumnTitleGx::~TColumnTitleGx() = default;

TPersistent* TColumnTitleGx::GetOwner() { return FColumn; }

void TColumnTitleGx::Changed(bool AllItems) {
  if (FColumn) FColumn->ReportChange(AllItems);
}

bool TColumnTitleGx::Assigned(int Flag) const {
  return FColumn && FColumn->AssignedValues().Contains(static_cast<TColumnGxValue>(Flag));
}

void TColumnTitleGx::Flag(int Flag) {
  if (FColumn) FColumn->FAssignedValues += static_cast<TColumnGxValue>(Flag);
}

// ---- defaults ----

TAlignment TColumnTitleGx::DefaultAlignment() const {
  TColumnTitleDefValuesGx* def = TitleDefValues(this);
  return def ? def->Alignment() : taLeftJustify;
}

std::string TColumnTitleGx::DefaultCaption() const {
  if (!FColumn) return {};
  if (TField* field = FColumn->Field()) return field->DisplayName();
  return FColumn->FieldName();
}

TColor TColumnTitleGx::DefaultColor() const {
  TColumnTitleDefValuesGx* def = TitleDefValues(this);
  return def ? def->Color() : clBtnFace;
}

bool TColumnTitleGx::DefaultEndEllipsis() const {
  TColumnTitleDefValuesGx* def = TitleDefValues(this);
  return def && def->EndEllipsis();
}

TFont* TColumnTitleGx::DefaultFont() const {
  if (!FColumn) return nullptr;
  TCustomDBGridGx* grid = FColumn->Grid();
  return grid ? grid->TitleFont() : FColumn->Font();
}

TTextOrientationGx TColumnTitleGx::DefaultOrientation() const {
  TColumnTitleDefValuesGx* def = TitleDefValues(this);
  return def ? def->Orientation() : tohHorizontal;
}

bool TColumnTitleGx::DefaultTitleButton() const {
  TColumnTitleDefValuesGx* def = TitleDefValues(this);
  return def && def->TitleButton();
}

bool TColumnTitleGx::DefaultToolTips() const {
  TColumnTitleDefValuesGx* def = TitleDefValues(this);
  return def && def->ToolTips();
}

// ---- soft values ----

#define TITLE_SOFT_VALUE(Type, Name, Value_)                                                            \
  Type TColumnTitleGx::Name() const { return Assigned(Value_) ? F##Name : Default##Name(); }             \
  bool TColumnTitleGx::Is##Name##Stored() const { return Assigned(Value_) && F##Name != Default##Name(); } \
  void TColumnTitleGx::Set##Name(Type Value) {                                                           \
    if (Assigned(Value_) && F##Name == Value) return;                                                    \
    F##Name = Value;                                                                                     \
    Flag(Value_);                                                                                        \
    Changed(false);                                                                                      \
  }

TITLE_SOFT_VALUE(TAlignment, Alignment, cvTitleAlignment)
TITLE_SOFT_VALUE(TColor, Color, cvTitleColor)
TITLE_SOFT_VALUE(bool, EndEllipsis, cvTitleEndEllipsis)
TITLE_SOFT_VALUE(TTextOrientationGx, Orientation, cvTitleOrientation)
TITLE_SOFT_VALUE(bool, TitleButton, cvTitleButton)
#undef TITLE_SOFT_VALUE

bool TColumnTitleGx::ToolTips() const { return Assigned(cvTitleToolTips) ? FToolTips : DefaultToolTips(); }
bool TColumnTitleGx::IsToolTipsStored() const { return Assigned(cvTitleToolTips) && FToolTips != DefaultToolTips(); }

void TColumnTitleGx::SetToolTips(bool Value) {
  if (Assigned(cvTitleToolTips) && FToolTips == Value) return;
  FToolTips = Value;
  Flag(cvTitleToolTips);
}

std::string TColumnTitleGx::Caption() const { return Assigned(cvTitleCaption) ? FCaption : DefaultCaption(); }

bool TColumnTitleGx::IsCaptionStored() const { return Assigned(cvTitleCaption) && FCaption != DefaultCaption(); }

void TColumnTitleGx::SetCaption(const std::string& Value) {
  TCustomDBGridGx* grid = FColumn ? FColumn->Grid() : nullptr;
  if (FColumn && FColumn->IsFieldDriven() && grid && grid->GridLink() && grid->GridLink()->Active()) {
    if (TField* field = FColumn->Field()) {
      field->SetDisplayLabel(Value);
      return;
    }
  }
  if (Assigned(cvTitleCaption) && FCaption == Value) return;
  FCaption = Value;
  Flag(cvTitleCaption);
  Changed(false);
}

// ---- font ----

TFont* TColumnTitleGx::Font() {
  RefreshDefaultFont();
  return FFont.get();
}

void TColumnTitleGx::RefreshDefaultFont() {
  if (!Assigned(cvTitleFont)) CopyDefaultFont(FFont.get(), DefaultFont(), FInFontRefresh);
}

void TColumnTitleGx::FontChanged(TObject*) {
  if (FInFontRefresh) return;
  Flag(cvTitleFont);
  Changed(true);
}

bool TColumnTitleGx::IsFontStored() const { return Assigned(cvTitleFont); }

// ---- plain values ----

void TColumnTitleGx::SetImageIndex(int Value) {
  FImageIndex = Value;
  TCustomDBGridGx* grid = FColumn ? FColumn->Grid() : nullptr;
  if (Live(grid)) grid->RequestLayout();
}

// ---- copying and defaults ----

void TColumnTitleGx::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TColumnTitleGx*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src->Assigned(cvTitleAlignment)) SetAlignment(src->Alignment());
  if (src->Assigned(cvTitleColor)) SetColor(src->Color());
  if (src->Assigned(cvTitleCaption)) SetCaption(src->Caption());
  if (src->Assigned(cvTitleFont)) SetFont(src->Font());
  SetTitleButton(src->TitleButton());
  SetSortMarker(src->SortMarker());
  SetEndEllipsis(src->EndEllipsis());
  SetToolTips(src->ToolTips());
  SetOrientation(src->Orientation());
}

void TColumnTitleGx::ResetToDefaults() {
  const bool fontWasAssigned = Assigned(cvTitleFont);
  if (FColumn) FColumn->FAssignedValues -= ColumnTitleValues;
  FCaption.clear();
  RefreshDefaultFont();
  Changed(fontWasAssigned);
}
