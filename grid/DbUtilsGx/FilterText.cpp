// Filter conditions and literals as dataset filter text and as SQL.
#include "grid/DbUtilsGx/FilterText.h"

#include <cctype>
#include <cmath>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridFilter.h"
#include "platform/data/DataConvert.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

namespace {

std::string Quoted(const std::string& Text, char Quote) {
  std::string out(1, Quote);
  for (char c : Text) {
    out += c;
    if (c == Quote) out += Quote;
  }
  out += Quote;
  return out;
}

bool IsFloatValue(const Variant& Value) {
  switch (Value.Type()) {
    case varSingle: case varDouble: case varCurrency: return true;
    default: return false;
  }
}

bool IsIntegerValue(const Variant& Value) {
  switch (Value.Type()) {
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
    case varInt64:
      return true;
    default: return false;
  }
}

// Numbers with a point: the dataset filter language and SQL both read them so.
std::string NumberText(const Variant& Value) {
  const char Saved = DecimalSeparator;
  DecimalSeparator = '.';
  auto Restore = AtScopeExit([&] { DecimalSeparator = Saved; });
  return FloatToStr(Value.AsDouble());
}

// The one literal writer behind both languages.
std::string LiteralText(const Variant& Value, TDataSet* DataSet, TDateLiteralFuncGx DateLiteralFunc,
                        TFieldType FieldType) {
  if (Value.IsNull() || Value.IsEmpty()) return "NULL";
  if (Value.Type() == varBoolean) return Value.AsBoolean() ? "1" : "0";
  if (IsIntegerValue(Value)) return VarToStr(Value);
  if (IsFloatValue(Value)) return NumberText(Value);
  if (Value.Type() == varDate) {
    std::string Text;
    if (DateLiteralFunc) DateLiteralFunc(DataSet, Value, FieldType, Text);
    else SQLDateLiteral(SQLiteDialectName, Value, Text, FieldType);
    return Text;
  }
  return Quoted(VarToStr(Value), '\'');
}

// The elements of a list operand, or the single value.
std::vector<Variant> Elements(const Variant& Value) {
  std::vector<Variant> out;
  if (!Value.IsArray()) {
    out.push_back(Value);
    return out;
  }
  for (int I = VarArrayLowBound(Value, 1); I <= VarArrayHighBound(Value, 1); ++I) out.push_back(Value.GetElement(I));
  return out;
}

bool IsNullTest(TSTFilterOperatorCodeGx Operator) { return Operator == focNull || Operator == focNotNull; }

// A Boolean column's typed text as a flag: true/yes/on/1, false/no/off/0, or the
// field's own display words; other text stays as typed (it matches no row).
Variant BooleanOperand(const Variant& Value, TField* Field) {
  if (Value.IsArray()) {
    Variant Out = Value;
    for (int I = VarArrayLowBound(Value, 1); I <= VarArrayHighBound(Value, 1); ++I)
      Out.PutElement(I, BooleanOperand(Value.GetElement(I), Field));
    return Out;
  }
  if (!VarIsStr(Value)) return Value;
  const std::string Text = Trim(Value.AsString());
  std::vector<std::string> Yes{"true", "yes", "on", "1"}, No{"false", "no", "off", "0"};
  if (auto* Flag = dynamic_cast<TBooleanField*>(Field)) {
    const std::string& Words = Flag->DisplayValues();
    const size_t Semi = Words.find(';');
    Yes.push_back(Words.substr(0, Semi));
    if (Semi != std::string::npos) No.push_back(Words.substr(Semi + 1));
  }
  for (const std::string& W : Yes)
    if (!W.empty() && AnsiSameText(Text, W)) return Variant(true);
  for (const std::string& W : No)
    if (!W.empty() && AnsiSameText(Text, W)) return Variant(false);
  return Value;
}

bool IsPlainName(const std::string& Name) {
  if (Name.empty() || std::isdigit(static_cast<unsigned char>(Name[0]))) return false;
  for (char c : Name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && static_cast<unsigned char>(c) < 0x80) return false;
  return true;
}

bool IsReservedWord(const std::string& Name) {
  static const char* const Words[] = {
      "ABORT", "ADD", "ALL", "ALTER", "AND", "AS", "ASC", "BETWEEN", "BY", "CASE", "CAST", "CHECK", "COLLATE",
      "COLUMN", "CONSTRAINT", "CREATE", "CROSS", "CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP", "DATE",
      "DEFAULT", "DELETE", "DESC", "DISTINCT", "DROP", "ELSE", "END", "ESCAPE", "EXCEPT", "EXISTS", "FOREIGN",
      "FROM", "FULL", "GLOB", "GROUP", "HAVING", "IN", "INDEX", "INNER", "INSERT", "INTERSECT", "INTO", "IS",
      "ISNULL", "JOIN", "KEY", "LEFT", "LIKE", "LIMIT", "MATCH", "NATURAL", "NOT", "NOTNULL", "NULL", "OFFSET",
      "ON", "OR", "ORDER", "OUTER", "PRIMARY", "REFERENCES", "REGEXP", "RIGHT", "ROWID", "SELECT", "SET", "TABLE",
      "THEN", "TIME", "TIMESTAMP", "TO", "TRANSACTION", "UNION", "UNIQUE", "UPDATE", "USER", "USING", "VALUE",
      "VALUES", "WHEN", "WHERE", "WITH"};
  const std::string Upper = UpperCase(Name);
  for (const char* W : Words)
    if (Upper == W) return true;
  return false;
}

bool IsQuotedName(const std::string& Name) {
  if (Name.size() < 2) return false;
  const char Open = Name.front(), Close = Name.back();
  return (Open == '"' && Close == '"') || (Open == '[' && Close == ']') || (Open == '`' && Close == '`');
}

std::string SQLNamePart(const std::string& Part) {
  if (IsQuotedName(Part) || (IsPlainName(Part) && !IsReservedWord(Part))) return Part;
  return Quoted(Part, '"');
}

}  // namespace

std::string SQLFieldName(const std::string& FieldName) {
  if (IsQuotedName(FieldName)) return FieldName;
  // "Table.Column": each part on its own, unless a part would not be a name.
  std::vector<std::string> Parts;
  size_t Start = 0;
  for (;;) {
    const size_t Dot = FieldName.find('.', Start);
    Parts.push_back(FieldName.substr(Start, Dot == std::string::npos ? std::string::npos : Dot - Start));
    if (Dot == std::string::npos) break;
    Start = Dot + 1;
  }
  bool Dotted = Parts.size() > 1;
  for (const std::string& P : Parts)
    if (P.empty() || (!IsPlainName(P) && !IsQuotedName(P))) Dotted = false;
  if (!Dotted) return SQLNamePart(FieldName);
  std::string Out;
  for (const std::string& P : Parts) Out += (Out.empty() ? "" : ".") + SQLNamePart(P);
  return Out;
}

void SQLDateLiteral(const std::string& Dialect, const Variant& Value, std::string& Text, TFieldType FieldType) {
  const std::string Name = UpperCase(Dialect);
  const TDateTime Date = Value.AsDateTime();
  if (Name == "ORACLE") {
    Text = "TO_DATE(" + Quoted(FormatDateTime(ShortDateFormat, Date), '\'') + "," + Quoted(ShortDateFormat, '\'') + ")";
  } else if (Name == "MSACCESS") {
    const char Saved = DateSeparator;
    DateSeparator = '/';
    auto Restore = AtScopeExit([&] { DateSeparator = Saved; });
    Text = "#" + FormatDateTime("mm/dd/yyyy", Date) + "#";
  } else if (Name == SQLiteDialectName) {
    TFieldType Type = FieldType;
    if (Type != ftDate && Type != ftTime && Type != ftDateTime && Type != ftTimeStamp)
      Type = Date == std::floor(Date) ? ftDate : ftDateTime;
    Text = Quoted(StoredDateTimeText(Date, Type), '\'');
  } else {
    Text = Quoted(VarToStr(Value), '\'');
  }
}

std::string FilterValueText(const Variant& Value, TDataSet* DataSet, TDateLiteralFuncGx DateLiteralFunc,
                            TFieldType FieldType) {
  return LiteralText(Value, DataSet, DateLiteralFunc, FieldType);
}

std::string SQLValueText(const Variant& Value, TDataSet* DataSet, TDateLiteralFuncGx DateLiteralFunc,
                         TFieldType FieldType) {
  return LiteralText(Value, DataSet, DateLiteralFunc, FieldType);
}

void FilterItemText(TSTFilterOperatorCodeGx Operator, const Variant& Value, const std::string& FieldName,
                    TFieldType FieldType, TDataSet* DataSet, TDateLiteralFuncGx DateLiteralFunc, std::string& Text) {
  if (Operator == focNone) return;
  const std::string Field = "[" + FieldName + "]";
  auto Literal = [&](const Variant& V) { return FilterValueText(V, DataSet, DateLiteralFunc, FieldType); };
  if (Operator == focIn || Operator == focNotIn) {
    // Not in the list: unequal to each value, so that an empty field passes neither way.
    const char* Test = Operator == focIn ? " = " : " <> ";
    const char* Join = Operator == focIn ? " OR " : " AND ";
    std::string List;
    for (const Variant& V : Elements(Value)) List += (List.empty() ? "" : Join) + Field + Test + Literal(V);
    Text += " (" + List + ")";
    return;
  }
  Text += " " + Field + " " + FilterOperatorSQLTexts[Operator];
  if (!IsNullTest(Operator)) Text += " " + Literal(Value);
}

void SQLItemText(TSTFilterOperatorCodeGx Operator, const Variant& Value, const std::string& FieldName,
                 TFieldType FieldType, TDataSet* DataSet, TDateLiteralFuncGx DateLiteralFunc, std::string& Text) {
  if (Operator == focNone) return;
  const std::string Field = SQLFieldName(FieldName);
  auto Literal = [&](const Variant& V) { return SQLValueText(V, DataSet, DateLiteralFunc, FieldType); };
  if (Operator == focIn || Operator == focNotIn) {
    std::string List;
    for (const Variant& V : Elements(Value)) List += (List.empty() ? "" : ",") + Literal(V);
    Text += " " + Field + (Operator == focNotIn ? " NOT" : "") + " IN (" + List + ")";
    return;
  }
  Text += " " + Field + " " + FilterOperatorSQLTexts[Operator];
  if (!IsNullTest(Operator)) Text += " " + Literal(Value);
}

std::string ColumnFilterText(TColumnGx* Column, TFilterItemBuilderGx ItemBuilder, TDateLiteralFuncGx DateLiteralFunc,
                             bool UseOrigins) {
  TField* Field = Column ? Column->Field() : nullptr;
  TSTColumnFilterGx* Filter = Column ? Column->STFilter() : nullptr;
  if (!Field || !Filter) return {};
  const TSTFilterExpressionGx Expression = Filter->ReadExpression();
  if (Expression.OperandKind == okOther || Expression.Operator1 == focNone) return {};
  const std::string FieldText =
      UseOrigins && !Field->Origin().empty() && Filter->DataField().empty() ? Field->Origin() : Filter->FilterFieldName();
  if (FieldText.empty()) return {};
  Variant First = Filter->FirstOperand(), Second = Filter->SecondOperand();
  if (Expression.OperandKind == okBoolean) {
    First = BooleanOperand(First, Field);
    Second = BooleanOperand(Second, Field);
  }
  TDataSet* DataSet = Field->DataSet();
  std::string Text;
  ItemBuilder(Expression.Operator1, First, FieldText, Field->DataType(), DataSet, DateLiteralFunc, Text);
  // A relation without a second part (text ending in AND or OR) adds nothing.
  if (Expression.Relation != focNone && Expression.Operator2 != focNone) {
    Text += " " + FilterOperatorSQLTexts[Expression.Relation];
    ItemBuilder(Expression.Operator2, Second, FieldText, Field->DataType(), DataSet, DateLiteralFunc, Text);
    if (Expression.Relation == focOr) Text = "(" + Text + ")";
  }
  return Text;
}

void GridFilterText(TCustomDBGridGx* Grid, TFilterItemBuilderGx ItemBuilder, TDateLiteralFuncGx DateLiteralFunc,
                    std::string& Text, bool UseOrigins) {
  Text.clear();
  TDataSource* Source = Grid ? Grid->DataSource() : nullptr;
  if (!Source || !Source->DataSet() || !Source->DataSet()->Active()) return;
  const std::string Separator = " AND ";
  TDBGridColumnsGx* Columns = Grid->Columns();
  for (int I = 0; I < Columns->Count(); ++I) {
    const std::string Item = ColumnFilterText(Columns->ColumnAt(I), ItemBuilder, DateLiteralFunc, UseOrigins);
    if (!Item.empty()) Text += Item + Separator;
  }
  if (!Text.empty()) Text.erase(Text.size() - Separator.size());
}
