// Parser and evaluator of the dataset filter language.
#include "platform/data/FilterExpr.h"

#include <cctype>
#include <cstdio>

#include "platform/data/DataConvert.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Utf8.h"

enum class TFilterOp { Const, Field, Eq, Ne, Lt, Gt, Le, Ge, IsNull, IsNotNull, Like, NotLike, And, Or, Not };

struct TFilterExpr::Node {
  TFilterOp Op = TFilterOp::Const;
  Variant Value;        // Const
  bool Quoted = false;  // Const from a quoted string
  std::string Name;     // Field
  std::unique_ptr<Node> A, B;
};

namespace {

enum class TTok { End, Name, String, Number, Sign, LParen, RParen, Op, Word };

struct TToken {
  TTok Kind = TTok::End;
  std::string Text;  // name, string contents, number text, operator, upper-cased word
  size_t Pos = 0;
};

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

class TFilterParser {
public:
  TFilterParser(const std::string& text, std::vector<std::string>& names)
      : FText(text), FNames(names) { Advance(); }

  std::unique_ptr<TFilterExpr::Node> ParseAll() {
    if (FTok.Kind == TTok::End) return nullptr;
    auto n = ParseOr();
    if (FTok.Kind != TTok::End) Fail("unexpected '" + FTok.Text + "'");
    return n;
  }

private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw EDatabaseError("Invalid filter expression \"" + FText + "\": " + what + " at position " +
                         std::to_string(FTok.Pos + 1));
  }

  void Advance() {
    size_t& i = FPos;
    while (i < FText.size() && std::isspace(static_cast<unsigned char>(FText[i]))) ++i;
    FTok = TToken{};
    FTok.Pos = i;
    if (i >= FText.size()) return;
    char c = FText[i];
    if (c == '[') {
      size_t close = FText.find(']', i + 1);
      if (close == std::string::npos) Fail("missing ']'");
      FTok.Kind = TTok::Name;
      FTok.Text = FText.substr(i + 1, close - i - 1);
      i = close + 1;
    } else if (c == '\'' || c == '"') {
      std::string s;
      ++i;
      for (;;) {
        if (i >= FText.size()) Fail("unterminated string");
        if (FText[i] == c) {
          if (i + 1 < FText.size() && FText[i + 1] == c) { s += c; i += 2; continue; }
          ++i;
          break;
        }
        s += FText[i++];
      }
      FTok.Kind = TTok::String;
      FTok.Text = s;
    } else if (std::isdigit(static_cast<unsigned char>(c)) ||
               (c == '.' && i + 1 < FText.size() && std::isdigit(static_cast<unsigned char>(FText[i + 1])))) {
      size_t start = i;
      while (i < FText.size() && (std::isdigit(static_cast<unsigned char>(FText[i])) || FText[i] == '.')) ++i;
      if (i < FText.size() && (FText[i] == 'e' || FText[i] == 'E')) {
        size_t j = i + 1;
        if (j < FText.size() && (FText[j] == '+' || FText[j] == '-')) ++j;
        if (j < FText.size() && std::isdigit(static_cast<unsigned char>(FText[j]))) {
          i = j;
          while (i < FText.size() && std::isdigit(static_cast<unsigned char>(FText[i]))) ++i;
        }
      }
      FTok.Kind = TTok::Number;
      FTok.Text = FText.substr(start, i - start);
    } else if (c == '-' || c == '+') {
      FTok.Kind = TTok::Sign;
      FTok.Text = std::string(1, c);
      ++i;
    } else if (c == '(' || c == ')') {
      FTok.Kind = c == '(' ? TTok::LParen : TTok::RParen;
      FTok.Text = std::string(1, c);
      ++i;
    } else if (c == '=' || c == '<' || c == '>') {
      FTok.Kind = TTok::Op;
      FTok.Text = std::string(1, c);
      ++i;
      if (i < FText.size() && ((c == '<' && (FText[i] == '>' || FText[i] == '=')) || (c == '>' && FText[i] == '='))) {
        FTok.Text += FText[i++];
      }
    } else if (IsNameChar(c)) {
      size_t start = i;
      while (i < FText.size() && IsNameChar(FText[i])) ++i;
      std::string word = FText.substr(start, i - start);
      std::string up = Upper(word);
      if (up == "AND" || up == "OR" || up == "NOT" || up == "IS" || up == "NULL" || up == "LIKE") {
        FTok.Kind = TTok::Word;
        FTok.Text = up;
      } else {
        FTok.Kind = TTok::Name;
        FTok.Text = word;
      }
    } else {
      FTok.Text = std::string(1, c);
      Fail("unexpected '" + FTok.Text + "'");
    }
  }

  bool IsWord(const char* w) const { return FTok.Kind == TTok::Word && FTok.Text == w; }

  std::unique_ptr<TFilterExpr::Node> Make(TFilterOp op, std::unique_ptr<TFilterExpr::Node> a,
                                          std::unique_ptr<TFilterExpr::Node> b = nullptr) {
    auto n = std::make_unique<TFilterExpr::Node>();
    n->Op = op;
    n->A = std::move(a);
    n->B = std::move(b);
    return n;
  }

  std::unique_ptr<TFilterExpr::Node> ParseOr() {
    auto left = ParseAnd();
    while (IsWord("OR")) {
      Advance();
      left = Make(TFilterOp::Or, std::move(left), ParseAnd());
    }
    return left;
  }

  std::unique_ptr<TFilterExpr::Node> ParseAnd() {
    auto left = ParseNot();
    while (IsWord("AND")) {
      Advance();
      left = Make(TFilterOp::And, std::move(left), ParseNot());
    }
    return left;
  }

  std::unique_ptr<TFilterExpr::Node> ParseNot() {
    if (IsWord("NOT")) {
      Advance();
      return Make(TFilterOp::Not, ParseNot());
    }
    return ParseComparison();
  }

  std::unique_ptr<TFilterExpr::Node> ParseComparison() {
    auto left = ParseOperand();
    if (IsWord("IS")) {
      Advance();
      bool negate = false;
      if (IsWord("NOT")) { negate = true; Advance(); }
      if (!IsWord("NULL")) Fail("NULL expected");
      Advance();
      return Make(negate ? TFilterOp::IsNotNull : TFilterOp::IsNull, std::move(left));
    }
    if (IsWord("LIKE") || IsWord("NOT")) {
      const bool negate = IsWord("NOT");
      if (negate) {
        Advance();
        if (!IsWord("LIKE")) Fail("LIKE expected");
      }
      Advance();
      return Make(negate ? TFilterOp::NotLike : TFilterOp::Like, std::move(left), ParseOperand());
    }
    if (FTok.Kind == TTok::Op) {
      static const struct { const char* Text; TFilterOp Op; } ops[] = {
          {"=", TFilterOp::Eq}, {"<>", TFilterOp::Ne}, {"<", TFilterOp::Lt},
          {">", TFilterOp::Gt}, {"<=", TFilterOp::Le}, {">=", TFilterOp::Ge}};
      TFilterOp op = TFilterOp::Eq;
      for (auto& o : ops)
        if (FTok.Text == o.Text) op = o.Op;
      Advance();
      return Make(op, std::move(left), ParseOperand());
    }
    if (left->Op == TFilterOp::Const || left->Op == TFilterOp::Field) Fail("comparison expected");
    return left;
  }

  std::unique_ptr<TFilterExpr::Node> ParseOperand() {
    auto n = std::make_unique<TFilterExpr::Node>();
    switch (FTok.Kind) {
      case TTok::LParen: {
        Advance();
        auto inner = ParseOr();
        if (FTok.Kind != TTok::RParen) Fail("')' expected");
        Advance();
        return inner;
      }
      case TTok::Name:
        if (FTok.Text.empty()) Fail("empty field name");
        n->Op = TFilterOp::Field;
        n->Name = FTok.Text;
        FNames.push_back(FTok.Text);
        break;
      case TTok::String:
        n->Value = Variant(FTok.Text);
        n->Quoted = true;
        break;
      case TTok::Number:
        n->Value = ParseNumber(FTok.Text);
        break;
      case TTok::Sign: {
        // A signed number: the sign goes with the digits, so the most negative integer reads too.
        const std::string sign = FTok.Text == "-" ? "-" : "";
        Advance();
        if (FTok.Kind != TTok::Number) Fail("number expected");
        n->Value = ParseNumber(sign + FTok.Text);
        break;
      }
      case TTok::Word:
        if (FTok.Text != "NULL") Fail("operand expected");
        n->Value = Null();
        break;
      case TTok::End:
        Fail("operand expected");
      default:
        Fail("unexpected '" + FTok.Text + "'");
    }
    Advance();
    return n;
  }

  Variant ParseNumber(const std::string& text) {
    bool integral = text.find_first_of(".eE") == std::string::npos;
    try {
      if (integral) {
        long long v = std::stoll(text);
        return Variant(static_cast<std::int64_t>(v));
      }
      size_t used = 0;
      double d = std::stod(text, &used);
      if (used != text.size()) Fail("bad number '" + text + "'");
      return Variant(d);
    } catch (const std::logic_error&) {
      Fail("bad number '" + text + "'");
    }
  }

  const std::string& FText;
  std::vector<std::string>& FNames;
  size_t FPos = 0;
  TToken FTok;
};

// Value of an operand, with the type of the field it came from (ftUnknown for constants).
struct TOperand {
  Variant Value;
  TFieldType Type = ftUnknown;
  bool Quoted = false;
};

TOperand Evaluate(const TFilterExpr::Node& n, const TFilterExpr::TResolver& resolve) {
  TOperand r;
  if (n.Op == TFilterOp::Field) {
    if (!resolve(n.Name, r.Value, r.Type)) throw EDatabaseError("Field '" + n.Name + "' not found");
  } else {
    r.Value = n.Value;
    r.Quoted = n.Quoted;
  }
  return r;
}

bool Test(const TFilterExpr::Node& n, const TFilterExpr::TResolver& resolve);

}  // namespace

bool LikeMatches(std::string_view text, std::string_view pattern) {
  auto fold = [](char32_t c) { return c < 0x80 ? static_cast<char32_t>(std::tolower(static_cast<int>(c))) : c; };
  // Greedy with one point to come back to: the last '%' seen and where the text stood.
  std::size_t t = 0, p = 0, starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '%') {
      starP = ++p;
      starT = t;
      continue;
    }
    if (p < pattern.size() &&
        (pattern[p] == '_' || fold(Utf8Decode(pattern, p)) == fold(Utf8Decode(text, t)))) {
      p = Utf8NextChar(pattern, p);
      t = Utf8NextChar(text, t);
      continue;
    }
    if (starP == std::string_view::npos) return false;
    p = starP;
    starT = Utf8NextChar(text, starT);
    t = starT;
  }
  while (p < pattern.size() && pattern[p] == '%') ++p;
  return p == pattern.size();
}

namespace {

bool Compare(const TFilterExpr::Node& n, const TFilterExpr::TResolver& resolve) {
  TOperand a = Evaluate(*n.A, resolve), b = Evaluate(*n.B, resolve);
  if (a.Value.IsNull() || b.Value.IsNull() || a.Value.IsEmpty() || b.Value.IsEmpty()) return false;
  // A literal compared with a field takes the field's type ("2024-01-05" against a date).
  if (a.Type != ftUnknown && b.Type == ftUnknown) b.Value = CoerceToFieldType(b.Value, a.Type);
  if (b.Type != ftUnknown && a.Type == ftUnknown) a.Value = CoerceToFieldType(a.Value, b.Type);
  int c = CompareValues(a.Value, b.Value, false);
  switch (n.Op) {
    case TFilterOp::Eq: return c == 0;
    case TFilterOp::Ne: return c != 0;
    case TFilterOp::Lt: return c < 0;
    case TFilterOp::Gt: return c > 0;
    case TFilterOp::Le: return c <= 0;
    case TFilterOp::Ge: return c >= 0;
    default: return false;
  }
}

bool Test(const TFilterExpr::Node& n, const TFilterExpr::TResolver& resolve) {
  switch (n.Op) {
    case TFilterOp::Like:
    case TFilterOp::NotLike: {
      TOperand a = Evaluate(*n.A, resolve), b = Evaluate(*n.B, resolve);
      if (a.Value.IsNull() || b.Value.IsNull() || a.Value.IsEmpty() || b.Value.IsEmpty()) return false;
      const bool like = LikeMatches(VarToStr(a.Value), VarToStr(b.Value));
      return n.Op == TFilterOp::Like ? like : !like;
    }
    case TFilterOp::And: return Test(*n.A, resolve) && Test(*n.B, resolve);
    case TFilterOp::Or: return Test(*n.A, resolve) || Test(*n.B, resolve);
    case TFilterOp::Not: return !Test(*n.A, resolve);
    case TFilterOp::IsNull:
    case TFilterOp::IsNotNull: {
      TOperand a = Evaluate(*n.A, resolve);
      bool isNull = a.Value.IsNull() || a.Value.IsEmpty();
      return n.Op == TFilterOp::IsNull ? isNull : !isNull;
    }
    default: return Compare(n, resolve);
  }
}

}  // namespace

TFilterExpr::TFilterExpr(const std::string& text) : FText(text) {
  TFilterParser parser(FText, FNames);
  FRoot = parser.ParseAll();
}

TFilterExpr::~TFilterExpr() = default;
TFilterExpr::TFilterExpr(TFilterExpr&&) noexcept = default;
TFilterExpr& TFilterExpr::operator=(TFilterExpr&&) noexcept = default;

bool TFilterExpr::Matches(const TResolver& resolve) const {
  return !FRoot || Test(*FRoot, resolve);
}

namespace {

bool IsTextType(TFieldType t) {
  return t == ftString || t == ftWideString || t == ftFixedChar || t == ftMemo || t == ftFmtMemo || t == ftGuid;
}

std::string SQLText(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

// A constant as the column of type stores it; false when it is not a value of that type.
bool SQLLiteral(const Variant& value, TFieldType type, std::string& out) {
  if (value.IsNull() || value.IsEmpty()) return false;
  Variant v;
  try {
    v = ConvertForField(value, type);
  } catch (const Exception&) {
    return false;
  }
  switch (type) {
    case ftBoolean:
      out = v.AsBoolean() ? "1" : "0";
      return true;
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
      out = std::to_string(v.AsInt64());
      return true;
    case ftFloat: case ftCurrency: case ftBCD: case ftFMTBcd: {
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.17g", v.AsDouble());
      out = buf;
      return true;
    }
    case ftDate: case ftTime: case ftDateTime: case ftTimeStamp:
      out = SQLText(StoredDateTimeText(v.AsDateTime(), type));
      return true;
    default:
      if (!IsTextType(type)) return false;
      out = SQLText(v.AsString());
      return true;
  }
}

bool NodeToSQL(const TFilterExpr::Node& n, const TFilterExpr::TSQLColumnResolver& resolve, std::string& out) {
  std::string a, b;
  switch (n.Op) {
    case TFilterOp::And:
    case TFilterOp::Or:
      if (!NodeToSQL(*n.A, resolve, a) || !NodeToSQL(*n.B, resolve, b)) return false;
      out = "(" + a + (n.Op == TFilterOp::And ? " AND " : " OR ") + b + ")";
      return true;
    case TFilterOp::Not:
      // SQL's unknown (a comparison with NULL) counts as false before it is negated.
      if (!NodeToSQL(*n.A, resolve, a)) return false;
      out = "(NOT COALESCE(" + a + ", 0))";
      return true;
    case TFilterOp::IsNull:
    case TFilterOp::IsNotNull: {
      TFieldType type;
      if (n.A->Op != TFilterOp::Field || !resolve(n.A->Name, a, type)) return false;
      out = "(" + a + (n.Op == TFilterOp::IsNull ? " IS NULL)" : " IS NOT NULL)");
      return true;
    }
    case TFilterOp::Like:
    case TFilterOp::NotLike: {
      TFieldType type;
      if (n.A->Op != TFilterOp::Field || n.B->Op != TFilterOp::Const || !resolve(n.A->Name, a, type) ||
          !IsTextType(type) || !VarIsStr(n.B->Value))
        return false;
      out = std::string(n.Op == TFilterOp::NotLike ? "(NOT (" : "((") + a + " LIKE " + SQLText(n.B->Value.AsString()) +
            "))";
      return true;
    }
    case TFilterOp::Eq: case TFilterOp::Ne: case TFilterOp::Lt: case TFilterOp::Gt: case TFilterOp::Le:
    case TFilterOp::Ge: {
      static const char* const ops[] = {" = ", " <> ", " < ", " > ", " <= ", " >= "};
      const char* op = ops[static_cast<int>(n.Op) - static_cast<int>(TFilterOp::Eq)];
      const bool fieldA = n.A->Op == TFilterOp::Field, fieldB = n.B->Op == TFilterOp::Field;
      if (fieldA == fieldB) {
        if (fieldA) return false;
        // Two constants: the answer is known now.
        out = Compare(n, [](const std::string&, Variant&, TFieldType&) { return false; }) ? "1" : "0";
        return true;
      }
      const TFilterExpr::Node& field = fieldA ? *n.A : *n.B;
      const TFilterExpr::Node& constant = fieldA ? *n.B : *n.A;
      TFieldType type;
      if (!resolve(field.Name, a, type)) return false;
      // A comparison with NULL matches nothing.
      if (constant.Value.IsNull() || constant.Value.IsEmpty()) {
        out = "0";
        return true;
      }
      if (!SQLLiteral(constant.Value, type, b)) return false;
      out = "(" + (fieldA ? a + op + b : b + op + a) + ")";
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

bool TFilterExpr::ToSQL(const TSQLColumnResolver& resolve, std::string& sql) const {
  if (!FRoot) return false;
  return NodeToSQL(*FRoot, resolve, sql);
}
