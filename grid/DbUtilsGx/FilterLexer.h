#pragma once
// The lexer of filter-row conditions. Positions are 0-based byte offsets into the text;
// word stops are ASCII, so a multi-byte UTF-8 character always stays inside a word or value.
#include <cstddef>
#include <string>

#include "grid/DbUtilsGx/FilterExpression.h"

class TSTFilterLexerGx {
public:
  // Text is the trimmed condition; it is also what error messages quote.
  explicit TSTFilterLexerGx(const std::string& Text) : FText(Text) {}

  // Whether commas separate list values (not for numbers written with a decimal comma).
  bool ListCommas = true;

  char CharAt(std::size_t Pos) const { return Pos < FText.size() ? FText[Pos] : '\0'; }
  bool AtEnd(std::size_t Pos) const { return Pos >= FText.size(); }
  // The first position at or after Pos that is not a blank.
  std::size_t SkipBlanks(std::size_t Pos) const;

  // Reads the lexeme at Pos: an operator code, focValue with Value, or focNone
  // (nothing left, a lone "(", or a negation of something other than LIKE, IN, NULL).
  void Next(std::size_t& Pos, TSTFilterOperatorCodeGx& Code, Variant& Value) const;

  // One value, or a variant array of comma-separated values when ListCommas.
  Variant ReadValues(std::size_t& Pos) const;

  [[noreturn]] void Fail(const char* Message) const;

private:
  enum TLexemeKind : int { lkNone = 0, lkIn = 8, lkNot = 12, lkOpen = 14, lkNull = 17 };

  void Lex(std::size_t& Pos, TSTFilterOperatorCodeGx& Code, Variant* Value) const;
  Variant ReadValue(std::size_t& Pos) const;
  // The kind of operator lexeme at Pos and its length; lkNone for a value.
  int MatchOperator(std::size_t Pos, std::size_t& Length) const;
  std::size_t ClosingQuote(std::size_t Pos) const;
  bool OperatorFollows(std::size_t Pos) const;

  const std::string& FText;
};
