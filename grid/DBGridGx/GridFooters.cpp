// The grid's side of the footers: the text each footer cell shows and the repaint of the
// footer rows when the sums change.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridSumList.h"
#include "platform/data/Field.h"
#include "platform/rtl/SysUtils.h"

std::string FooterAggregateText(TField* Field, Currency Value, const std::string& FooterFormat) {
  auto* numeric = dynamic_cast<TNumericField*>(Field);
  const std::string fieldFormat = numeric ? numeric->DisplayFormat() : std::string();
  switch (Field->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      if (!FooterFormat.empty()) return FormatFloat(FooterFormat, Value.ToDouble());
      if (!fieldFormat.empty()) return FormatFloat(fieldFormat, Value.ToDouble());
      return IntToStr(Value.Round());
    case ftFloat:
    case ftCurrency: {
      if (!FooterFormat.empty()) return FormatFloat(FooterFormat, Value.ToDouble());
      if (!fieldFormat.empty()) return FormatFloat(fieldFormat, Value.ToDouble());
      auto* floatField = dynamic_cast<TFloatField*>(Field);
      const bool money = floatField && floatField->Currency();
      const int precision = floatField ? floatField->Precision() : 15;
      return FloatToStrF(Value.ToDouble(), money ? ffCurrency : ffGeneral, precision, money ? CurrencyDecimals : 0);
    }
    case ftBCD:
    case ftFMTBcd: {
      if (!FooterFormat.empty()) return FormatFloat(FooterFormat, Value.ToDouble());
      if (!fieldFormat.empty()) return FormatCurr(fieldFormat, Value);
      auto* bcdField = dynamic_cast<TBCDField*>(Field);
      const bool money = bcdField && bcdField->Currency();
      return CurrToStrF(Value, money ? ffCurrency : ffGeneral, money ? CurrencyDecimals : 0);
    }
    default:
      return {};
  }
}

namespace {
bool IsAggregateFieldType(TFieldType Type) {
  switch (Type) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc:
    case ftFloat: case ftCurrency: case ftBCD: case ftFMTBcd: return true;
    default: return false;
  }
}
}  // namespace

void TCustomDBGridGx::FooterValueText(int FooterIndex, TColumnGx* Column, std::string& Text) {
  Text.clear();
  TColumnFooterGx* footer = Column ? Column->FooterForRow(FooterIndex) : nullptr;
  if (!footer) return;
  TDataSet* dataSet = DataSource() ? DataSource()->DataSet() : nullptr;
  TDBSumCollection* sums = FSumList->SumCollection();
  switch (footer->ValueType()) {
    case fvtNon:
      break;
    case fvtSum:
    case fvtAvg: {
      Text = "0";
      if (!dataSet) break;
      const std::string& name = footer->FieldName().empty() ? Column->FieldName() : footer->FieldName();
      TField* field = name.empty() ? nullptr : dataSet->FindField(name);
      if (!field) break;
      const TDBSum* sum = sums->FindSum(footer->ValueType() == fvtSum ? goSum : goAvg, field->FieldName());
      Text = IsAggregateFieldType(field->DataType())
                 ? FooterAggregateText(field, sum ? sum->SumValue : Currency(), footer->DisplayFormat())
                 : "0";
      break;
    }
    case fvtCount: {
      const TDBSum* sum = sums->FindSum(goCount, "");
      const Currency count = sum ? sum->SumValue : Currency();
      Text = footer->DisplayFormat().empty() ? FloatToStr(count.ToDouble())
                                             : FormatFloat(footer->DisplayFormat(), count.ToDouble());
      break;
    }
    case fvtFieldValue:
      // A footer naming a field the dataset lacks shows nothing rather than failing the paint.
      if (dataSet && dataSet->Active() && !footer->FieldName().empty())
        if (TField* field = dataSet->FindField(footer->FieldName()))
          Text = TColumnGx::FormatFieldWithDisplayFormat(field, footer->DisplayFormat());
      break;
    case fvtStaticText:
      Text = footer->Value();
      break;
  }
}

void TCustomDBGridGx::InvalidateFooterRows() {
  const int last = RowCount() - 1;
  for (int r = last; r > last - FFooterRowCount && r >= 0; --r) InvalidateRow(r);
}
