#pragma once
// Tokenizer of the form description text: identifiers (with dotted parts), integers
// (decimal and $hex), floats, strings ('quoted' with '' and #nnn character codes run
// together) and single punctuation characters. Errors name the line.
#include "platform/rtl/Exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum TTokenKind { toEOF, toSymbol, toString, toInteger, toFloat, toChar };

class TParser {
public:
  explicit TParser(std::string_view Text);

  TTokenKind Token() const { return FToken; }
  // The punctuation character of a toChar token.
  char TokenChar() const { return FChar; }
  // The identifier of a toSymbol token, or the decoded text of a toString token.
  const std::string& TokenString() const { return FString; }
  std::int64_t TokenInt() const { return FInt; }
  double TokenFloat() const { return FFloat; }
  // The type letter written after a float ('S' single, 'C' currency, 'D' date, 'F'
  // float), upper case; 0 when none.
  char TokenFloatSuffix() const { return FFloatSuffix; }
  // Line (1-based) on which the current token starts.
  int SourceLine() const { return FTokenLine; }

  void NextToken();
  bool IsChar(char C) const { return FToken == toChar && FChar == C; }
  // Case-insensitive test of a toSymbol token.
  bool IsSymbol(std::string_view S) const;
  // Raise "'c' expected" unless the current token is C; then move on.
  void Expect(char C);
  // The identifier at the current token (raises "Identifier expected"); then move on.
  std::string ExpectIdent();
  // With the current token '{': the hex digits up to '}' as bytes; then move on.
  std::vector<unsigned char> ReadBinary();

  // Raises EParserError "<Message> on line <n>".
  [[noreturn]] void Error(const std::string& Message) const;
  [[noreturn]] void ErrorAt(const std::string& Message, int Line) const;

private:
  void SkipBlanks();
  void ScanNumber();
  void ScanString();
  void ScanIdent();

  std::string_view FText;
  std::size_t FPos = 0;
  int FLine = 1;
  int FTokenLine = 1;
  TTokenKind FToken = toEOF;
  char FChar = 0;
  std::string FString;
  std::int64_t FInt = 0;
  double FFloat = 0;
  char FFloatSuffix = 0;
};
