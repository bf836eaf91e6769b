#include "grid/DbUtilsGx/FilterLexer.h"

#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

enum : int { lkEqual = 1, lkNotEqual = 2, lkGreater = 3, lkLess = 4, lkGreaterOrEqual = 5,
             lkLessOrEqual = 6, lkLike = 7, lkAnd = 9, lkOr = 10 };

// Operator code of each lexeme kind (a lone "(" and a negation map to none).
constexpr TSTFilterOperatorCodeGx FilterLexemeOperators[18] = {
    focNone, focEqual, focNotEqual, focGreater, focLess, focGreaterOrEqual,
    focLessOrEqual, focLike, focIn, focAnd, focOr, focValue,
    focNone, focNone, focNone, focNone, focNone, focNull};

bool IsWordStop(unsigned char c) {
  if (c < 32) return true;
  switch (c) {
    case ' ': case '!': case '"': case '&': case '\'': case '(': case ')': case '+':
    case ',': case '-': case '.': case '<': case '=': case '>': case '|': case '~':
      return true;
    default:
      return false;  // bytes from 128 up belong to words
  }
}

bool WordIs(const std::string& upper, const char* english, const char* localized) {
  if (upper == english) return true;
  const std::string word = UpperCase(localized);
  return !word.empty() && upper == word;
}

int OperatorOfWord(const std::string& word) {
  const std::string upper = UpperCase(word);
  if (WordIs(upper, "NOT", SFilterWordNot)) return 12;
  if (WordIs(upper, "AND", SFilterWordAnd)) return lkAnd;
  if (WordIs(upper, "OR", SFilterWordOr)) return lkOr;
  if (upper == "LIKE") return lkLike;
  if (WordIs(upper, "IN", SFilterWordIn)) return 8;
  if (WordIs(upper, "NULL", SFilterWordNull)) return 17;
  return 0;
}

TSTFilterOperatorCodeGx Negated(TSTFilterOperatorCodeGx code) {
  switch (code) {
    case focLike: return focNotLike;
    case focIn: return focNotIn;
    case focNull: return focNotNull;
    default: return focNone;
  }
}

bool IsOperatorCode(TSTFilterOperatorCodeGx code) { return code >= focEqual && code <= focOr; }

}  // namespace

std::size_t TSTFilterLexerGx::SkipBlanks(std::size_t Pos) const {
  while (Pos < FText.size() && FText[Pos] == ' ') ++Pos;
  return Pos;
}

void TSTFilterLexerGx::Fail(const char* Message) const { throw Exception(Message + FText); }

int TSTFilterLexerGx::MatchOperator(std::size_t Pos, std::size_t& Length) const {
  const char c = CharAt(Pos), n = CharAt(Pos + 1);
  Length = 1;
  switch (c) {
    case '=': return lkEqual;
    case '!':
      if (n == '=') { Length = 2; return lkNotEqual; }
      return lkNot;
    case '<':
      if (n == '>') { Length = 2; return lkNotEqual; }
      if (n == '=') { Length = 2; return lkLessOrEqual; }
      return lkLess;
    case '>':
      if (n == '=') { Length = 2; return lkGreaterOrEqual; }
      return lkGreater;
    case '~': return lkLike;
    case '&': return lkAnd;
    case '|': return lkOr;
    case '(': return lkOpen;
    default: break;
  }
  std::size_t end = Pos;
  while (end < FText.size() && !IsWordStop(static_cast<unsigned char>(FText[end]))) ++end;
  if (end == Pos) return lkNone;
  Length = end - Pos;
  return OperatorOfWord(FText.substr(Pos, Length));
}

std::size_t TSTFilterLexerGx::ClosingQuote(std::size_t Pos) const {
  const std::size_t close = FText.find('\'', Pos + 1);
  if (close == std::string::npos) Fail(SFilterQuoteMissing);
  return close;
}

void TSTFilterLexerGx::Next(std::size_t& Pos, TSTFilterOperatorCodeGx& Code, Variant& Value) const {
  Lex(Pos, Code, &Value);
}

// Without Value the lexeme is only classified (the look-ahead of unquoted values): a
// value is not read, but a quote without its closing quote still raises.
void TSTFilterLexerGx::Lex(std::size_t& Pos, TSTFilterOperatorCodeGx& Code, Variant* Value) const {
  Code = focNone;
  if (Value) *Value = Variant(std::string());
  int negations = 0;
  for (;;) {
    if (AtEnd(Pos)) break;
    if (CharAt(Pos) == '\'') {
      if (Value) *Value = ReadValues(Pos);
      else ClosingQuote(Pos);
      Code = focValue;
      break;
    }
    std::size_t length = 0;
    const int kind = MatchOperator(Pos, length);
    if (kind == lkNone) {
      if (!Value) { Code = focValue; break; }
      Variant v = ReadValues(Pos);
      if (!VarIsNull(v)) { Code = focValue; *Value = std::move(v); }
      break;
    }
    Pos = SkipBlanks(Pos + length);
    if (kind == lkNot) { ++negations; continue; }  // the negated lexeme follows
    if (kind == lkIn) {
      if (CharAt(Pos) != '(') Fail(SFilterLeftBracketExpected);
      ++Pos;
    }
    Code = FilterLexemeOperators[kind];
    break;
  }
  if (negations > 0) Code = negations == 1 ? Negated(Code) : focNone;
}

bool TSTFilterLexerGx::OperatorFollows(std::size_t Pos) const {
  TSTFilterOperatorCodeGx code;
  Lex(Pos, code, nullptr);
  return IsOperatorCode(code);
}

Variant TSTFilterLexerGx::ReadValue(std::size_t& Pos) const {
  if (AtEnd(Pos)) return Null();
  if (CharAt(Pos) == '\'') {
    const std::size_t close = ClosingQuote(Pos);
    Variant v(FText.substr(Pos + 1, close - Pos - 1));
    Pos = close + 1;
    return v;
  }
  // Unquoted: up to a parenthesis, a list comma, or blanks followed by an operator.
  std::size_t i = Pos;
  while (i < FText.size()) {
    const char c = FText[i];
    if (c == '(' || c == ')' || (c == ',' && ListCommas)) break;
    if (c == ' ') {
      const std::size_t next = SkipBlanks(i);
      if (next < FText.size() && OperatorFollows(next)) break;
      i = next;
      continue;
    }
    ++i;
  }
  Variant v(FText.substr(Pos, i - Pos));
  Pos = i;
  return v;
}

Variant TSTFilterLexerGx::ReadValues(std::size_t& Pos) const {
  Variant first = ReadValue(Pos);
  if (VarIsNull(first) || !ListCommas || CharAt(Pos) != ',') return first;
  std::vector<Variant> items{std::move(first)};
  while (!VarIsNull(items.back()) && ListCommas && CharAt(Pos) == ',') {
    ++Pos;
    items.push_back(ReadValue(Pos));
  }
  Variant list = VarArrayCreate(0, static_cast<int>(items.size()) - 1, varVariant);
  for (std::size_t i = 0; i < items.size(); ++i) list.PutElement(static_cast<int>(i), items[i]);
  return list;
}
