// The grammar of filter-row conditions:
//   expression = [part [(AND | OR) part]]
//   part = value | operator value | (= | <>) NULL | (In | negated In) "(" values ")"
#include "grid/DbUtilsGx/FilterExpression.h"
#include "grid/DbUtilsGx/FilterLexer.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/SysUtils.h"

namespace {

// A number written with a decimal comma keeps its comma: commas then separate nothing.
bool DefaultListCommas(TSTOperandKindGx kind) {
  return !(kind == okNumber && DecimalSeparator == ',');
}

// The operator of a value typed without one.
TSTFilterOperatorCodeGx BareValueOperator(const Variant& value, TSTOperandKindGx kind) {
  if (VarIsArray(value)) return focIn;
  return kind == okString ? focLike : focEqual;
}

bool IsRelation(TSTFilterOperatorCodeGx code) { return code == focAnd || code == focOr; }

// Reads the rest of a part whose first lexeme (Code, Value) has been read.
void ReadPart(TSTFilterLexerGx& lexer, std::size_t& pos, TSTFilterOperatorCodeGx code,
              const Variant& value, TSTOperandKindGx kind, TSTFilterOperatorCodeGx& op,
              Variant& operand) {
  if (code == focValue) {
    op = BareValueOperator(value, kind);
    operand = value;
    return;
  }
  const bool isList = code == focIn || code == focNotIn;
  if (isList) lexer.ListCommas = true;
  pos = lexer.SkipBlanks(pos);
  TSTFilterOperatorCodeGx next;
  Variant nextValue;
  lexer.Next(pos, next, nextValue);
  op = code;
  if (next == focNull) {
    if (code == focEqual) op = focNull;
    else if (code == focNotEqual) op = focNotNull;
    else lexer.Fail(SFilterUnexpectedBeforeNull);
  } else {
    if (next != focValue) lexer.Fail(SFilterUnexpectedAfterOperator);
    operand = nextValue;
    if (VarIsArray(operand) && !isList) {
      // A list after = or <> is a list test; no other operator takes a list.
      if (code == focEqual) op = focIn;
      else if (code == focNotEqual) op = focNotIn;
      else lexer.Fail(SFilterUnexpectedAfterOperator);
    }
    if (isList) {
      pos = lexer.SkipBlanks(pos);
      if (lexer.CharAt(pos) != ')') lexer.Fail(SFilterRightBracketExpected);
      ++pos;
    }
  }
  lexer.ListCommas = DefaultListCommas(kind);
}

Variant ConvertOperandValue(const Variant& value, TSTOperandKindGx kind) {
  if (VarIsNull(value)) return value;
  if (kind == okNumber) return Variant(StrToFloat(VarToStr(value)));
  if (kind == okDateTime) return Variant::FromDateTime(StrToDateTime(VarToStr(value)));
  return value;
}

// Numbers and dates are converted with the locale's formats; other kinds keep the text.
Variant ConvertOperandValues(const Variant& value, TSTOperandKindGx kind) {
  if (!VarIsArray(value)) return ConvertOperandValue(value, kind);
  Variant result = value;
  for (int i = VarArrayLowBound(value, 1); i <= VarArrayHighBound(value, 1); ++i)
    result.PutElement(i, ConvertOperandValue(value.GetElement(i), kind));
  return result;
}

Variant ConvertedOperand(TSTFilterOperatorCodeGx op, const Variant& operand, TSTOperandKindGx kind) {
  if (op >= focEqual && op <= focNotIn) return ConvertOperandValues(operand, kind);
  return Null();
}

}  // namespace

void ResetSTFilterExpression(TSTFilterExpressionGx& Expression) {
  Expression.Operator1 = focNone;
  Expression.Operand1 = Null();
  Expression.Relation = focNone;
  Expression.Operator2 = focNone;
  Expression.Operand2 = Null();
}

void ParseSTFilterText(const std::string& Text, TSTFilterExpressionGx& Expression) {
  ResetSTFilterExpression(Expression);
  const std::string text = Trim(Text);
  if (text.empty()) return;
  const TSTOperandKindGx kind = Expression.OperandKind;
  TSTFilterLexerGx lexer(text);
  lexer.ListCommas = DefaultListCommas(kind);

  std::size_t pos = lexer.SkipBlanks(0);
  TSTFilterOperatorCodeGx code;
  Variant value;
  lexer.Next(pos, code, value);
  if (code == focNone || IsRelation(code)) lexer.Fail(SFilterErrorInExpression);
  ReadPart(lexer, pos, code, value, kind, Expression.Operator1, Expression.Operand1);

  // Nothing may be left over except a relation and a second part.
  pos = lexer.SkipBlanks(pos);
  std::size_t start = pos;
  lexer.Next(pos, code, value);
  if (code == focNone) {
    if (!lexer.AtEnd(start)) lexer.Fail(SFilterIncorrectExpression);
  } else {
    if (!IsRelation(code)) lexer.Fail(SFilterUnexpectedAndOr);
    Expression.Relation = code;
    pos = lexer.SkipBlanks(pos);
    start = pos;
    lexer.Next(pos, code, value);
    if (code == focNone) {
      // A trailing AND or OR is accepted.
      if (!lexer.AtEnd(start)) lexer.Fail(SFilterIncorrectExpression);
    } else {
      if (IsRelation(code)) lexer.Fail(SFilterUnexpectedAndOr);
      ReadPart(lexer, pos, code, value, kind, Expression.Operator2, Expression.Operand2);
      if (!lexer.AtEnd(lexer.SkipBlanks(pos))) lexer.Fail(SFilterIncorrectExpression);
    }
  }

  Expression.Operand1 = ConvertedOperand(Expression.Operator1, Expression.Operand1, kind);
  Expression.Operand2 = ConvertedOperand(Expression.Operator2, Expression.Operand2, kind);
}
