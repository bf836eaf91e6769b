#include <gtest/gtest.h>

#include <string>

#include "grid/DbUtilsGx.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Renders an operand with its type: null, 'text', d:number, t:date serial, [a,b].
std::string Show(const Variant& v) {
  if (VarIsNull(v)) return "null";
  if (VarIsArray(v)) {
    std::string s = "[";
    for (int i = VarArrayLowBound(v, 1); i <= VarArrayHighBound(v, 1); ++i) {
      if (i > VarArrayLowBound(v, 1)) s += ",";
      s += Show(v.GetElement(i));
    }
    return s + "]";
  }
  switch (VarType(v)) {
    case varDouble: return "d:" + FloatToStr(v.AsDouble());
    case varDate: return "t:" + FloatToStr(v.AsDouble());
    case varString: return "'" + v.AsString() + "'";
    default: return "type " + std::to_string(VarType(v)) + ":" + VarToStr(v);
  }
}

struct ParseCase {
  const char* Text;
  TSTOperandKindGx Kind;
  char Decimal;
  TSTFilterOperatorCodeGx Op1;
  const char* Operand1;
  TSTFilterOperatorCodeGx Relation;
  TSTFilterOperatorCodeGx Op2;
  const char* Operand2;
};

const ParseCase ParseCases[] = {
    // bare values: like for strings, equal otherwise; a bare list is a list test
    {"abc", okString, '.', focLike, "'abc'", focNone, focNone, "null"},
    {"5", okNumber, '.', focEqual, "d:5", focNone, focNone, "null"},
    {"-5", okNumber, '.', focEqual, "d:-5", focNone, focNone, "null"},
    {"TRUE", okBoolean, '.', focEqual, "'TRUE'", focNone, focNone, "null"},
    {"1,2,3", okNumber, '.', focIn, "[d:1,d:2,d:3]", focNone, focNone, "null"},
    {"a,b", okString, '.', focIn, "['a','b']", focNone, focNone, "null"},
    {"New York", okString, '.', focLike, "'New York'", focNone, focNone, "null"},
    {"a=b", okString, '.', focLike, "'a=b'", focNone, focNone, "null"},
    {"Inx", okString, '.', focLike, "'Inx'", focNone, focNone, "null"},
    {"'Null'", okString, '.', focLike, "'Null'", focNone, focNone, "null"},
    {"'a, b'", okString, '.', focLike, "'a, b'", focNone, focNone, "null"},
    {"~ 张三", okString, '.', focLike, "'张三'", focNone, focNone, "null"},
    {"  >5  ", okNumber, '.', focGreater, "d:5", focNone, focNone, "null"},
    // every operator, in symbols and words
    {"=7", okNumber, '.', focEqual, "d:7", focNone, focNone, "null"},
    {"<>abc", okString, '.', focNotEqual, "'abc'", focNone, focNone, "null"},
    {"!= abc", okString, '.', focNotEqual, "'abc'", focNone, focNone, "null"},
    {"< 2", okNumber, '.', focLess, "d:2", focNone, focNone, "null"},
    {"<= 2", okNumber, '.', focLessOrEqual, "d:2", focNone, focNone, "null"},
    {"~ 'Sm%'", okString, '.', focLike, "'Sm%'", focNone, focNone, "null"},
    {"like Sm%", okString, '.', focLike, "'Sm%'", focNone, focNone, "null"},
    {"NOT LIKE x", okString, '.', focNotLike, "'x'", focNone, focNone, "null"},
    {"!~x", okString, '.', focNotLike, "'x'", focNone, focNone, "null"},
    {"In (1, 2,3)", okNumber, '.', focIn, "[d:1,d:2,d:3]", focNone, focNone, "null"},
    {"in(1)", okNumber, '.', focIn, "d:1", focNone, focNone, "null"},
    {"!In ('a','b')", okString, '.', focNotIn, "['a','b']", focNone, focNone, "null"},
    {"not in (x)", okString, '.', focNotIn, "'x'", focNone, focNone, "null"},
    {"= null", okString, '.', focNull, "null", focNone, focNone, "null"},
    {"=NULL", okNumber, '.', focNull, "null", focNone, focNone, "null"},
    {"<> Null", okString, '.', focNotNull, "null", focNone, focNone, "null"},
    {"!= Null", okString, '.', focNotNull, "null", focNone, focNone, "null"},
    // two parts
    {">= 10 AND <= 20", okNumber, '.', focGreaterOrEqual, "d:10", focAnd, focLessOrEqual, "d:20"},
    {"> 5 | < 2", okNumber, '.', focGreater, "d:5", focOr, focLess, "d:2"},
    {"= 1 & = 2", okNumber, '.', focEqual, "d:1", focAnd, focEqual, "d:2"},
    {"'a b' OR 'c'", okString, '.', focLike, "'a b'", focOr, focLike, "'c'"},
    {"= 北京 or = 上海", okString, '.', focEqual, "'北京'", focOr, focEqual, "'上海'"},
    {"= Null OR In (2,3)", okNumber, '.', focNull, "null", focOr, focIn, "[d:2,d:3]"},
    {"= 1 AND", okNumber, '.', focEqual, "d:1", focAnd, focNone, "null"},
    {"= 1 AND = 2 5", okString, '.', focEqual, "'1'", focAnd, focEqual, "'2 5'"},
    {"= 1 XOR 2", okString, '.', focEqual, "'1 XOR 2'", focNone, focNone, "null"},
    // decimal comma: a bare 1,5 is one number, an In list still splits
    {"1,5", okNumber, ',', focEqual, "d:1,5", focNone, focNone, "null"},
    {"In (1,5)", okNumber, ',', focIn, "[d:1,d:5]", focNone, focNone, "null"},
    {"In (1,5) OR 2,5", okNumber, ',', focIn, "[d:1,d:5]", focOr, focEqual, "d:2,5"},
    {"a,b", okString, ',', focIn, "['a','b']", focNone, focNone, "null"},
    // a list after = or <> is a list test
    {"= 1,2", okNumber, '.', focIn, "[d:1,d:2]", focNone, focNone, "null"},
    {"<> a,b", okString, '.', focNotIn, "['a','b']", focNone, focNone, "null"},
    {"> 0 AND <> 3,4", okNumber, '.', focGreater, "d:0", focAnd, focNotIn, "[d:3,d:4]"},
};

class ParseTableTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTableTest, FillsTheRecord) {
  const ParseCase& c = GetParam();
  TFormatSettingsScope keep;
  DecimalSeparator = c.Decimal;
  TSTFilterExpressionGx e;
  e.OperandKind = c.Kind;
  ParseSTFilterText(c.Text, e);
  EXPECT_EQ(e.OperandKind, c.Kind);
  EXPECT_EQ(e.Operator1, c.Op1);
  EXPECT_EQ(Show(e.Operand1), c.Operand1);
  EXPECT_EQ(e.Relation, c.Relation);
  EXPECT_EQ(e.Operator2, c.Op2);
  EXPECT_EQ(Show(e.Operand2), c.Operand2);
}

INSTANTIATE_TEST_SUITE_P(Conditions, ParseTableTest, testing::ValuesIn(ParseCases));

struct ErrorCase {
  const char* Text;
  TSTOperandKindGx Kind;
  const char* Message;  // followed by the trimmed text
};

const ErrorCase ErrorCases[] = {
    {"In 1,2", okNumber, SFilterLeftBracketExpected},
    {"!In x", okString, SFilterLeftBracketExpected},
    {"a In b", okString, SFilterLeftBracketExpected},  // raised by the look-ahead of a value
    {"In (1,2", okNumber, SFilterRightBracketExpected},
    {"= 1 OR In (2,3", okNumber, SFilterRightBracketExpected},
    {"'abc", okString, SFilterQuoteMissing},
    {"a 'b", okString, SFilterQuoteMissing},
    {"> Null", okNumber, SFilterUnexpectedBeforeNull},
    {"  ~ null ", okString, SFilterUnexpectedBeforeNull},
    {"In (Null)", okNumber, SFilterUnexpectedBeforeNull},
    {"= 1 AND > Null", okNumber, SFilterUnexpectedBeforeNull},
    {"Null", okString, SFilterUnexpectedAfterOperator},
    {"NOT NULL", okString, SFilterUnexpectedAfterOperator},
    {">=", okNumber, SFilterUnexpectedAfterOperator},
    {"= >5", okNumber, SFilterUnexpectedAfterOperator},
    {"= 1 AND =", okNumber, SFilterUnexpectedAfterOperator},
    {"NOT", okString, SFilterErrorInExpression},
    {"( 1 )", okNumber, SFilterErrorInExpression},
    {"NOT x", okString, SFilterErrorInExpression},
    {"= 1 = 2", okNumber, SFilterUnexpectedAndOr},
    {"'it''s'", okString, SFilterUnexpectedAndOr},
    {"= Null 5", okNumber, SFilterUnexpectedAndOr},
    // text after a complete condition is refused, not ignored
    {"= 1 OR = 2 OR = 3", okNumber, SFilterIncorrectExpression},
    {"= 1 AND = 2 = 3", okNumber, SFilterIncorrectExpression},
    {"In (1) NOT 2", okNumber, SFilterIncorrectExpression},
    {"In (1) (", okNumber, SFilterIncorrectExpression},
    {"= 1 AND (", okNumber, SFilterIncorrectExpression},
    // only = and <> take a list; a relation word cannot start a part
    {"> 1,2", okNumber, SFilterUnexpectedAfterOperator},
    {"~ a,b", okString, SFilterUnexpectedAfterOperator},
    {"= 0 OR <= 1,2", okNumber, SFilterUnexpectedAfterOperator},
    {"AND 5", okNumber, SFilterErrorInExpression},
    {"| x", okString, SFilterErrorInExpression},
    {"= 1 AND OR 2", okNumber, SFilterUnexpectedAndOr},
};

class ErrorTableTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTableTest, RaisesTheMessageWithTheText) {
  const ErrorCase& c = GetParam();
  TSTFilterExpressionGx e;
  e.OperandKind = c.Kind;
  try {
    ParseSTFilterText(c.Text, e);
    FAIL() << "accepted: " << c.Text;
  } catch (const EConvertError& ex) {
    FAIL() << "conversion error: " << ex.Message();
  } catch (const Exception& ex) {
    EXPECT_STREQ(ex.ClassName(), "Exception");
    EXPECT_EQ(ex.Message(), std::string(c.Message) + Trim(c.Text));
  }
}

INSTANTIATE_TEST_SUITE_P(Syntax, ErrorTableTest, testing::ValuesIn(ErrorCases));

TEST(FilterParser, ValuesOfTheWrongKindRaiseTheConversionError) {
  const struct {
    const char* Text;
    TSTOperandKindGx Kind;
  } cases[] = {{"5 6", okNumber}, {"In (1,x)", okNumber}, {"= abc", okDateTime}, {"12abc", okNumber}};
  for (const auto& c : cases) {
    TSTFilterExpressionGx e;
    e.OperandKind = c.Kind;
    EXPECT_THROW(ParseSTFilterText(c.Text, e), EConvertError) << c.Text;
  }
}

TEST(FilterParser, DatesFollowTheShortDateFormat) {
  TFormatSettingsScope keep;
  ShortDateFormat = "d.m.yyyy";
  DateSeparator = '.';
  TSTFilterExpressionGx e;
  e.OperandKind = okDateTime;
  ParseSTFilterText(">= 15.3.2024", e);
  EXPECT_EQ(e.Operator1, focGreaterOrEqual);
  EXPECT_EQ(Show(e.Operand1), "t:" + FloatToStr(EncodeDate(2024, 3, 15)));
}

TEST(FilterParser, EmptyTextResetsAndKeepsTheOperandKind) {
  for (const char* text : {"", "   ", "\t"}) {
    TSTFilterExpressionGx e;
    e.OperandKind = okNumber;
    e.Operator1 = focLess;
    e.Operand1 = Variant(3.0);
    e.Relation = focOr;
    e.Operator2 = focEqual;
    e.Operand2 = Variant("x");
    ParseSTFilterText(text, e);
    EXPECT_EQ(e.OperandKind, okNumber);
    EXPECT_EQ(e.Operator1, focNone);
    EXPECT_TRUE(VarIsNull(e.Operand1));
    EXPECT_EQ(e.Relation, focNone);
    EXPECT_EQ(e.Operator2, focNone);
    EXPECT_TRUE(VarIsNull(e.Operand2));
  }
}

TEST(FilterParser, OperatorTablesAndOperandKinds) {
  EXPECT_EQ(FilterOperatorTexts[focNotIn], "!In");
  EXPECT_EQ(FilterOperatorTexts[focNotNull], "Null");
  EXPECT_EQ(FilterOperatorSQLTexts[focNotLike], "NOT LIKE");
  EXPECT_EQ(FilterOperatorSQLTexts[focNotNull], "IS NOT NULL");
  EXPECT_EQ(FilterOperatorSQLTexts[focValue], "");
  const struct {
    TFieldType Type;
    TSTOperandKindGx Kind;
  } kinds[] = {{ftString, okString},   {ftGuid, okString},       {ftAutoInc, okNumber},
               {ftFMTBcd, okNumber},   {ftTimeStamp, okDateTime}, {ftBoolean, okBoolean},
               {ftBlob, okOther},      {ftVariant, okOther},     {ftUnknown, okOther}};
  for (const auto& k : kinds) EXPECT_EQ(FieldTypeOperandKinds[k.Type], k.Kind) << k.Type;
}

}  // namespace
