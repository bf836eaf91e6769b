#pragma once
// The parsed form of a filter-row condition (such as ">= 10 AND < 20" or "In (1,2)"),
// the operator and operand-kind tables shared with the filter text builders, and the
// parser that turns typed text into the record.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/data/DBTypes.h"
#include "platform/rtl/Variant.h"

enum TSTFilterOperatorCodeGx : std::uint8_t {
  focNone,
  focEqual,
  focNotEqual,
  focGreater,
  focLess,
  focGreaterOrEqual,
  focLessOrEqual,
  focLike,
  focNotLike,
  focIn,
  focNotIn,
  focNull,
  focNotNull,
  focAnd,
  focOr,
  focValue  // lexer code of a value; never stands in a parsed record
};

enum TSTOperandKindGx : std::uint8_t { okOther, okString, okNumber, okDateTime, okBoolean };

struct TSTFilterExpressionGx {
  TSTOperandKindGx OperandKind = okOther;  // set by the caller, kept by the parser
  TSTFilterOperatorCodeGx Operator1 = focNone;
  Variant Operand1 = Null();
  TSTFilterOperatorCodeGx Relation = focNone;  // focAnd, focOr or focNone
  TSTFilterOperatorCodeGx Operator2 = focNone;
  Variant Operand2 = Null();
};

// A read-only table indexed by an enumeration.
template <class E, class T, std::size_t N>
struct TEnumTableGx {
  T Items[N];
  const T& operator[](E e) const { return Items[static_cast<std::size_t>(e)]; }
  static constexpr std::size_t Count() { return N; }
};

// Operator texts as the filter row writes them ("=", "~", "!In", "Null", ...).
extern const TEnumTableGx<TSTFilterOperatorCodeGx, std::string, 16> FilterOperatorTexts;
// Operator texts in SQL ("LIKE", "NOT IN", "IS NULL", ...).
extern const TEnumTableGx<TSTFilterOperatorCodeGx, std::string, 16> FilterOperatorSQLTexts;
// Operand kind of a column by its field's data type.
extern const TEnumTableGx<TFieldType, TSTOperandKindGx, 40> FieldTypeOperandKinds;

// Clears operators and operands; keeps OperandKind.
void ResetSTFilterExpression(TSTFilterExpressionGx& Expression);

// Resets Expression (keeping OperandKind) and fills it from Text. Raises Exception
// with one of the parser's messages followed by the trimmed text on a syntax error,
// and the conversion error of StrToFloat / StrToDateTime for a value of the wrong kind.
void ParseSTFilterText(const std::string& Text, TSTFilterExpressionGx& Expression);

// The parser's messages; each is raised followed directly by the trimmed filter text.
inline constexpr const char* SFilterLeftBracketExpected = "'(' 期望左括号";
inline constexpr const char* SFilterRightBracketExpected = "')' 期望右括号";
inline constexpr const char* SFilterErrorInExpression = "Error in expression: ";
inline constexpr const char* SFilterUnexpectedBeforeNull = "Unexpected expression before Null: ";
inline constexpr const char* SFilterUnexpectedAfterOperator = "Unexpected expression after operator: ";
inline constexpr const char* SFilterIncorrectExpression = "Incorrect expression: ";
inline constexpr const char* SFilterUnexpectedAndOr = "Unexpected AND or OR: ";
inline constexpr const char* SFilterQuoteMissing = "缺少正确的引用";

// Localized forms of the word operators, besides the English words (LIKE has none).
inline constexpr const char* SFilterWordNot = "Not";
inline constexpr const char* SFilterWordAnd = "AND";
inline constexpr const char* SFilterWordOr = "OR";
inline constexpr const char* SFilterWordIn = "In";
inline constexpr const char* SFilterWordNull = "Null";
