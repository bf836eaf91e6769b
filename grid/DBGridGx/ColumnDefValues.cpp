// Column default values and their title part.
#include "grid/DBGridGx/ColumnDefValues.h"

#include "grid/DBGridGx/ColumnsInternal.h"

using namespace columns_detail;

namespace {
void Repaint(TCustomDBGridGx* Grid) {
  if (Live(Grid)) Grid->Invalidate();
}
void Relayout(TCustomDBGridGx* Grid) {
  if (Live(Grid)) Grid->RequestLayout();
}
}  // namespace

// ---- title defaults ----

TCustomDBGridGx* TColumnTitleDefValuesGx::Grid() const { return FDefValues ? FDefValues->Grid() : nullptr; }

TPersistent* TColumnTitleDefValuesGx::GetOwner() { return FDefValues; }

TAlignment TColumnTitleDefValuesGx::DefaultAlignment() const {
  TCustomDBGridGx* grid = Grid();
  return grid && grid->UseMultiTitle() ? taCenter : taLeftJustify;
}

TColor TColumnTitleDefValuesGx::DefaultColor() const {
  TCustomDBGridGx* grid = Grid();
  return grid ? grid->FixedColor() : clBtnFace;
}

TAlignment TColumnTitleDefValuesGx::Alignment() const {
  return FAssignedValues.Contains(tdvAlignment) ? FAlignment : DefaultAlignment();
}

void TColumnTitleDefValuesGx::SetAlignment(TAlignment Value) {
  if (FAssignedValues.Contains(tdvAlignment) && FAlignment == Value) return;
  FAlignment = Value;
  FAssignedValues += tdvAlignment;
  Relayout(Grid());
}

bool TColumnTitleDefValuesGx::IsAlignmentStored() const {
  return FAssignedValues.Contains(tdvAlignment) && FAlignment != DefaultAlignment();
}

TColor TColumnTitleDefValuesGx::Color() const { return FAssignedValues.Contains(tdvColor) ? FColor : DefaultColor(); }

void TColumnTitleDefValuesGx::SetColor(TColor Value) {
  if (FAssignedValues.Contains(tdvColor) && FColor == Value) return;
  FColor = Value;
  FAssignedValues += tdvColor;
  Repaint(Grid());
}

bool TColumnTitleDefValuesGx::IsColorStored() const {
  return FAssignedValues.Contains(tdvColor) && FColor != DefaultColor();
}

void TColumnTitleDefValuesGx::SetEndEllipsis(bool Value) {
  if (Value == FEndEllipsis) return;
  FEndEllipsis = Value;
  Repaint(Grid());
}

void TColumnTitleDefValuesGx::SetOrientation(TTextOrientationGx Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Relayout(Grid());
}

void TColumnTitleDefValuesGx::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TColumnTitleDefValuesGx*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src->FAssignedValues.Contains(tdvAlignment)) SetAlignment(src->Alignment());
  if (src->FAssignedValues.Contains(tdvColor)) SetColor(src->Color());
  SetEndEllipsis(src->EndEllipsis());
  SetOrientation(src->Orientation());
  FTitleButton = src->TitleButton();
  FToolTips = src->ToolTips();
}

void TColumnTitleDefValuesGx::Publish(TClassBuilder<TColumnTitleDefValuesGx>& b) {
  using T = TColumnTitleDefValuesGx;
  b.Property("Alignment", &T::Alignment, &T::SetAlignment).Stored(&T::IsAlignmentStored);
  b.Property("Color", &T::Color, &T::SetColor).Stored(&T::IsColorStored).Idents(ColorIdents());
  b.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Default(false);
  b.Property("Orientation", &T::Orientation, &T::SetOrientation).Default(tohHorizontal);
  b.Property("TitleButton", &T::TitleButton, &T::SetTitleButton).Default(false);
  b.Property("ToolTips", &T::ToolTips, &T::SetToolTips).Default(false);
}

// ---- column defaults ----

TColumnDefValuesGx::TColumnDefValuesGx(TCustomDBGridGx* Grid)
    : FGrid(Grid), FTitle(std::make_unique<TColumnTitleDefValuesGx>(this)) {}

TColumnDefValuesGx::~TColumnDefValuesGx() = default;

TPersistent* TColumnDefValuesGx::GetOwner() { return FGrid; }

void TColumnDefValuesGx::SetAlwaysShowEditButton(bool Value) {
  if (Value == FAlwaysShowEditButton) return;
  FAlwaysShowEditButton = Value;
  Repaint(FGrid);
}

void TColumnDefValuesGx::SetEndEllipsis(bool Value) {
  if (Value == FEndEllipsis) return;
  FEndEllipsis = Value;
  Repaint(FGrid);
}

void TColumnDefValuesGx::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TColumnDefValuesGx*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  FTitle->Assign(src->Title());
  SetAlwaysShowEditButton(src->AlwaysShowEditButton());
  SetEndEllipsis(src->EndEllipsis());
  FAutoDropDown = src->AutoDropDown();
  FDblClickNextVal = src->DblClickNextVal();
  FToolTips = src->ToolTips();
  FDropDownSizing = src->DropDownSizing();
  FDropDownShowTitles = src->DropDownShowTitles();
}

void TDBGridGxColumnDefValuesGx::Publish(TClassBuilder<TDBGridGxColumnDefValuesGx>& b) {
  using T = TDBGridGxColumnDefValuesGx;
  b.Property("AlwaysShowEditButton", &T::AlwaysShowEditButton, &T::SetAlwaysShowEditButton).Default(false);
  b.Property("AutoDropDown", &T::AutoDropDown, &T::SetAutoDropDown).Default(false);
  b.Property("DblClickNextVal", &T::DblClickNextVal, &T::SetDblClickNextVal).Default(false);
  b.Property("DropDownShowTitles", &T::DropDownShowTitles, &T::SetDropDownShowTitles).Default(false);
  b.Property("DropDownSizing", &T::DropDownSizing, &T::SetDropDownSizing).Default(false);
  b.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Default(false);
  b.Property("Title", &T::Title, &T::SetTitle);
  b.Property("ToolTips", &T::ToolTips, &T::SetToolTips).Default(false);
}
