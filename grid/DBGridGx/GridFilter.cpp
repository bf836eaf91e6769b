// Filter-row settings of the grid and of each column's filter cell, and the text form
// of a parsed condition.
#include "grid/DBGridGx/GridFilter.h"

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "platform/data/Field.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

using namespace columns_detail;

// ---- the grid's filter row ----

TPersistent* TSTDBGridGxFilter::GetOwner() { return FGrid; }

void TSTDBGridGxFilter::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  if (!Live(FGrid)) return;
  // The layout follows the row also when its editor's text cannot be stored: that text
  // is dropped with the row and the error goes on.
  bool Ended = Value;
  auto layout = AtScopeExit([this, &Ended] {
    if (!Ended) FGrid->AbandonFilterEditing();
    FGrid->RequestLayout();
    if (FGrid->EditorMode()) FGrid->InvalidateCellEditor();
  });
  if (!Value) FGrid->EndFilterEditing();
  Ended = true;
}

void TSTDBGridGxFilter::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSTDBGridGxFilter*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  SetVisible(src->Visible());
  SetLocal(src->Local());
}

void TSTDBGridGxFilter::Publish(TClassBuilder<TSTDBGridGxFilter>& b) {
  b.Property("Local", &TSTDBGridGxFilter::Local, &TSTDBGridGxFilter::SetLocal).Default(false);
  b.Property("Visible", &TSTDBGridGxFilter::Visible, &TSTDBGridGxFilter::SetVisible).Default(false);
}

// ---- a column's filter cell ----

TPersistent* TSTColumnFilterGx::GetOwner() { return FColumn; }

void TSTColumnFilterGx::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  if (FColumn) FColumn->ReportChange(false);
}

void TSTColumnFilterGx::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSTColumnFilterGx*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  FDataField = src->DataField();
  SetVisible(src->Visible());
}

std::string TSTColumnFilterGx::FilterFieldName() const { return FColumn ? FColumn->FieldName() : std::string(); }

void TSTColumnFilterGx::ParseText(const std::string& Text, std::string& Normalized) {
  // Parsed into a copy: a text that does not parse leaves the condition as it was.
  TSTFilterExpressionGx Parsed = FExpression;
  if (TField* field = FColumn ? FColumn->Field() : nullptr) {
    const auto type = field->DataType();
    if (static_cast<std::size_t>(type) < FieldTypeOperandKinds.Count()) Parsed.OperandKind = FieldTypeOperandKinds[type];
  }
  ParseSTFilterText(Text, Parsed);
  FExpression = Parsed;
  Normalized = ExpressionText();
}

void TSTColumnFilterGx::SetFilterText(const std::string& Value) {
  std::string normalized;
  ParseText(Value, normalized);
  FFilterText = Value;
}

namespace {
std::string OperandText(const Variant& Value) {
  switch (Value.Type()) {
    case varDouble: return FloatToStr(Value.AsDouble());
    case varDate: return FormatDateTime(ShortDateFormat, Value.AsDateTime());
    default: return "'" + VarToStr(Value) + "'";
  }
}

std::string PartText(TSTFilterOperatorCodeGx Operator, const Variant& Operand) {
  switch (Operator) {
    case focNull: return "=" + FilterOperatorTexts[focNull];
    case focNotNull: return "<>" + FilterOperatorTexts[focNull];
    case focIn:
    case focNotIn: {
      std::string s = FilterOperatorTexts[Operator] + " (";
      if (Operand.IsArray())
        for (int i = Operand.LowBound(); i <= Operand.HighBound(); ++i) s += OperandText(Operand[i]) + ",";
      else
        s += OperandText(Operand) + ",";
      s.pop_back();
      return s + ")";
    }
    default: return FilterOperatorTexts[Operator] + " " + OperandText(Operand);
  }
}
}  // namespace

std::string TSTColumnFilterGx::ExpressionText() const {
  if (FExpression.OperandKind == okOther || FExpression.Operator1 == focNone) return {};
  std::string s = PartText(FExpression.Operator1, FExpression.Operand1);
  if (FExpression.Relation != focNone)
    s += " " + FilterOperatorTexts[FExpression.Relation] + " " + PartText(FExpression.Operator2, FExpression.Operand2);
  return s;
}

void TSTColumnFilterGx::Publish(TClassBuilder<TSTColumnFilterGx>& b) {
  b.Property("DataField", &TSTColumnFilterGx::DataField, &TSTColumnFilterGx::SetDataField);
  b.Property("Visible", &TSTColumnFilterGx::Visible, &TSTColumnFilterGx::SetVisible).Default(true);
}
