// Feeds arbitrary text to the filter-row parser under every operand kind and both
// decimal separators. Only the parser's own exceptions may come out; what it accepts the
// builders write as dataset filter text that the dataset's filter parser reads.
#include <cstddef>
#include <cstdint>
#include <string>

#include "grid/DbUtilsGx.h"
#include "platform/data/FilterExpr.h"
#include "platform/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the operand kind and the decimal separator.
  const std::uint8_t mode = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  TFormatSettingsScope keep;
  DecimalSeparator = (mode & 0x08) ? ',' : '.';
  TSTFilterExpressionGx expression;
  expression.OperandKind = static_cast<TSTOperandKindGx>(mode % 5);
  try {
    ParseSTFilterText(text, expression);
    // A parsed record holds only operators the builders know.
    if (expression.Operator1 == focValue || expression.Operator1 == focAnd ||
        expression.Operator1 == focOr)
      __builtin_trap();
    if (expression.Relation != focNone && expression.Relation != focAnd && expression.Relation != focOr)
      __builtin_trap();
    if (VarIsArray(expression.Operand1) && expression.Operator1 != focIn && expression.Operator1 != focNotIn)
      __builtin_trap();
    static const TFieldType types[] = {ftUnknown, ftString, ftFloat, ftDateTime, ftBoolean};
    std::string filter, sql;
    FilterItemText(expression.Operator1, expression.Operand1, "F", types[mode % 5], nullptr, nullptr, filter);
    SQLItemText(expression.Operator1, expression.Operand1, "F", types[mode % 5], nullptr, nullptr, sql);
    try {
      TFilterExpr written(filter);
    } catch (const EDatabaseError&) {
      __builtin_trap();
    }
  } catch (const EConvertError&) {
  } catch (const Exception& e) {
    if (std::string(e.ClassName()) != "Exception") __builtin_trap();
  }
  return 0;
}
