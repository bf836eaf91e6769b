#include "platform/rtl/forms/Parser.h"

#include "platform/rtl/Utf8.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {
bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

TParser::TParser(std::string_view Text) : FText(Text) {
  // A UTF-8 byte-order mark is not part of the text.
  if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
  NextToken();
}

void TParser::Error(const std::string& Message) const { ErrorAt(Message, FTokenLine); }

void TParser::ErrorAt(const std::string& Message, int Line) const {
  throw EParserError(Message + " on line " + std::to_string(Line));
}

bool TParser::IsSymbol(std::string_view S) const {
  if (FToken != toSymbol || FString.size() != S.size()) return false;
  for (std::size_t i = 0; i < S.size(); ++i) {
    char a = FString[i], b = S[i];
    if (a >= 'a' && a <= 'z') a -= 32;
    if (b >= 'a' && b <= 'z') b -= 32;
    if (a != b) return false;
  }
  return true;
}

void TParser::Expect(char C) {
  if (!IsChar(C)) Error(std::string("'") + C + "' expected");
  NextToken();
}

std::string TParser::ExpectIdent() {
  if (FToken != toSymbol) Error("Identifier expected");
  std::string s = FString;
  NextToken();
  return s;
}

void TParser::SkipBlanks() {
  while (FPos < FText.size()) {
    char c = FText[FPos];
    if (c == '\n') {
      ++FLine;
    } else if (c == '\r') {
      if (FPos + 1 >= FText.size() || FText[FPos + 1] != '\n') ++FLine;
    } else if (c != ' ' && c != '\t' && c != '\f' && c != '\v') {
      return;
    }
    ++FPos;
  }
}

void TParser::NextToken() {
  SkipBlanks();
  FTokenLine = FLine;
  FString.clear();
  if (FPos >= FText.size()) {
    FToken = toEOF;
    return;
  }
  char c = FText[FPos];
  if (IsIdentStart(c)) {
    ScanIdent();
  } else if (c == '\'' || c == '#') {
    ScanString();
  } else if (IsDigit(c) || c == '$' ||
             ((c == '-' || c == '+') && FPos + 1 < FText.size() && (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$'))) {
    ScanNumber();
  } else {
    FToken = toChar;
    FChar = c;
    ++FPos;
  }
}

void TParser::ScanIdent() {
  std::size_t start = FPos;
  for (;;) {
    while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
    if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsIdentStart(FText[FPos + 1])) {
      ++FPos;
      continue;
    }
    break;
  }
  FToken = toSymbol;
  FString.assign(FText.substr(start, FPos - start));
}

void TParser::ScanNumber() {
  bool negative = false;
  if (FText[FPos] == '-' || FText[FPos] == '+') negative = FText[FPos++] == '-';
  if (FText[FPos] == '$') {
    ++FPos;
    std::size_t start = FPos;
    std::uint64_t v = 0;
    while (FPos < FText.size() && HexValue(FText[FPos]) >= 0) v = v * 16 + static_cast<unsigned>(HexValue(FText[FPos++]));
    std::size_t digits = FPos - start;
    if (digits == 0 || digits > 16) Error("Invalid number");
    // Up to eight digits are a 32-bit pattern ($FFFFFFFF is -1), as the class library writes them.
    std::int64_t value = digits <= 8 ? static_cast<std::int32_t>(static_cast<std::uint32_t>(v)) : static_cast<std::int64_t>(v);
    FToken = toInteger;
    FInt = negative ? -value : value;
    return;
  }
  std::size_t start = FPos;
  while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
  bool isFloat = false;
  if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
    isFloat = true;
    ++FPos;
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
  }
  if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
    std::size_t p = FPos + 1;
    if (p < FText.size() && (FText[p] == '+' || FText[p] == '-')) ++p;
    if (p < FText.size() && IsDigit(FText[p])) {
      isFloat = true;
      FPos = p;
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    }
  }
  std::string digits(FText.substr(start, FPos - start));
  if (isFloat) {
    // A type suffix (single, currency, date, float) may follow.
    FFloatSuffix = 0;
    if (FPos < FText.size() && std::string_view("sScCdDfF").find(FText[FPos]) != std::string_view::npos &&
        (FPos + 1 >= FText.size() || !IsIdentChar(FText[FPos + 1])))
      FFloatSuffix = static_cast<char>(std::toupper(static_cast<unsigned char>(FText[FPos++])));
    errno = 0;
    double v = std::strtod(digits.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(v)) Error("Invalid number");
    FToken = toFloat;
    FFloat = negative ? -v : v;
    return;
  }
  errno = 0;
  unsigned long long v = std::strtoull(digits.c_str(), nullptr, 10);
  if (errno == ERANGE || v > static_cast<unsigned long long>(INT64_MAX) + (negative ? 1 : 0)) Error("Invalid number");
  FToken = toInteger;
  FInt = negative ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
}

void TParser::ScanString() {
  FToken = toString;
  for (;;) {
    if (FPos < FText.size() && FText[FPos] == '\'') {
      ++FPos;
      for (;;) {
        if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r') Error("Unterminated string");
        char c = FText[FPos++];
        if (c == '\'') {
          if (FPos < FText.size() && FText[FPos] == '\'') {
            FString += '\'';
            ++FPos;
            continue;
          }
          break;
        }
        FString += c;
      }
    } else if (FPos < FText.size() && FText[FPos] == '#') {
      ++FPos;
      std::uint64_t code = 0;
      std::size_t start = FPos;
      if (FPos < FText.size() && FText[FPos] == '$') {
        ++FPos;
        start = FPos;
        while (FPos < FText.size() && HexValue(FText[FPos]) >= 0 && code <= 0x10FFFF)
          code = code * 16 + static_cast<unsigned>(HexValue(FText[FPos++]));
      } else {
        while (FPos < FText.size() && IsDigit(FText[FPos]) && code <= 0x10FFFF)
          code = code * 10 + static_cast<unsigned>(FText[FPos++] - '0');
      }
      if (FPos == start || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) Error("Invalid string constant");
      Utf8Append(FString, static_cast<char32_t>(code));
    } else {
      return;
    }
  }
}

std::vector<unsigned char> TParser::ReadBinary() {
  if (!IsChar('{')) Error("'{' expected");
  std::vector<unsigned char> out;
  int high = -1;
  for (;;) {
    SkipBlanks();
    if (FPos >= FText.size()) Error("Invalid binary value");
    char c = FText[FPos++];
    if (c == '}') break;
    int v = HexValue(c);
    if (v < 0) ErrorAt("Invalid binary value", FLine);
    if (high < 0) {
      high = v;
    } else {
      out.push_back(static_cast<unsigned char>(high * 16 + v));
      high = -1;
    }
  }
  if (high >= 0) ErrorAt("Invalid binary value", FLine);
  NextToken();
  return out;
}
