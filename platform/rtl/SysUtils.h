#pragma once
// The runtime's string, number and formatting routines and the process-wide format
// settings they read. Text is UTF-8; "Ansi" routines are the character-aware ones.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/rtl/Currency.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Set.h"

// ---- Format settings -------------------------------------------------------------
// Defaults are a plain English setup: "1,234.50", "$1.00", dates "m/d/yyyy",
// 24-hour times "hh:nn:ss". Tests and callers may change them.
extern char DecimalSeparator;        // '.'
extern char ThousandSeparator;       // ','
extern char DateSeparator;           // '/'
extern char TimeSeparator;           // ':'
extern std::string ShortDateFormat;  // "m/d/yyyy"
extern std::string LongDateFormat;   // "dddd, mmmm d, yyyy"
extern std::string ShortTimeFormat;  // "hh:nn"
extern std::string LongTimeFormat;   // "hh:nn:ss"
extern std::string TimeAMString;     // "AM"
extern std::string TimePMString;     // "PM"
extern std::string CurrencyString;   // "$"
extern int CurrencyFormat;           // 0: "$1"  1: "1$"  2: "$ 1"  3: "1 $"
extern int NegCurrFormat;            // 0..15, the class library's negative layouts; 0: "($1)"
extern int CurrencyDecimals;         // 2
// Two-digit years read as the century within this many years before the current year.
extern int TwoDigitYearCenturyWindow;  // 50
extern std::array<std::string, 12> ShortMonthNames;  // "Jan" ...
extern std::array<std::string, 12> LongMonthNames;   // "January" ...
extern std::array<std::string, 7> ShortDayNames;     // "Sun" ... (Sunday first)
extern std::array<std::string, 7> LongDayNames;      // "Sunday" ...

// A copy of every format setting.
struct TFormatSettings {
  char DecimalSeparator, ThousandSeparator, DateSeparator, TimeSeparator;
  std::string ShortDateFormat, LongDateFormat, ShortTimeFormat, LongTimeFormat;
  std::string TimeAMString, TimePMString, CurrencyString;
  int CurrencyFormat, NegCurrFormat, CurrencyDecimals, TwoDigitYearCenturyWindow;
  std::array<std::string, 12> ShortMonthNames, LongMonthNames;
  std::array<std::string, 7> ShortDayNames, LongDayNames;
  bool operator==(const TFormatSettings&) const = default;
};
TFormatSettings GetFormatSettings();
void SetFormatSettings(const TFormatSettings& s);
// The built-in defaults listed above.
TFormatSettings DefaultFormatSettings();

// Saves every format setting and restores them when it goes out of scope, also when
// an exception passes: { TFormatSettingsScope keep; DecimalSeparator = ','; ... }
class TFormatSettingsScope {
public:
  TFormatSettingsScope() : FSaved(GetFormatSettings()) {}
  ~TFormatSettingsScope() { SetFormatSettings(FSaved); }
  TFormatSettingsScope(const TFormatSettingsScope&) = delete;
  TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

private:
  TFormatSettings FSaved;
};

// ---- Format ----------------------------------------------------------------------
// One argument of Format (the class library's "array of const" element).
class TVarRec {
public:
  enum TKind { vtInteger, vtUnsigned, vtExtended, vtCurrency, vtString, vtChar, vtPointer, vtBoolean };
  TVarRec(bool v) : FKind(vtBoolean), FInt(v) {}
  TVarRec(char v) : FKind(vtChar), FStr(1, v) {}
  TVarRec(signed char v) : FKind(vtInteger), FInt(v) {}
  TVarRec(short v) : FKind(vtInteger), FInt(v) {}
  TVarRec(int v) : FKind(vtInteger), FInt(v), FIs32(true) {}
  TVarRec(long v) : FKind(vtInteger), FInt(v) {}
  TVarRec(long long v) : FKind(vtInteger), FInt(v) {}
  TVarRec(unsigned char v) : FKind(vtInteger), FInt(v) {}
  TVarRec(unsigned short v) : FKind(vtInteger), FInt(v) {}
  TVarRec(unsigned v) : FKind(vtInteger), FInt(v), FIs32(true) {}
  TVarRec(unsigned long v) : FKind(vtUnsigned), FUInt(v) {}
  TVarRec(unsigned long long v) : FKind(vtUnsigned), FUInt(v) {}
  TVarRec(float v) : FKind(vtExtended), FDouble(v) {}
  TVarRec(double v) : FKind(vtExtended), FDouble(v) {}
  TVarRec(Currency v) : FKind(vtCurrency), FCurr(v) {}
  TVarRec(const char* v) : FKind(vtString), FStr(v ? v : "") {}
  TVarRec(std::string_view v) : FKind(vtString), FStr(v) {}
  TVarRec(const std::string& v) : FKind(vtString), FStr(v) {}
  TVarRec(const void* v) : FKind(vtPointer), FUInt(reinterpret_cast<std::uintptr_t>(v)) {}

  TKind Kind() const { return FKind; }
  std::int64_t AsInt() const { return FInt; }
  std::uint64_t AsUInt() const { return FUInt; }
  double AsDouble() const { return FDouble; }
  Currency AsCurrency() const { return FCurr; }
  const std::string& AsString() const { return FStr; }
  // A 32-bit integer argument (%u and %x show negative values in 32 bits).
  bool Is32Bit() const { return FIs32; }

private:
  TKind FKind;
  std::int64_t FInt = 0;
  bool FIs32 = false;
  std::uint64_t FUInt = 0;
  double FDouble = 0;
  Currency FCurr;
  std::string FStr;
};

// Format with the class library's directives: %[index:][-][width][.prec]type where type
// is d u x e f g n m p s and "%%" is a percent sign; width or precision may be "*".
// A directive that does not fit its argument, or a missing argument, raises
// EConvertError ("Format '%d' invalid or incompatible with argument").
std::string FormatArgs(std::string_view fmt, const TVarRec* args, std::size_t count);
inline std::string FormatArgs(std::string_view fmt, std::initializer_list<TVarRec> args) {
  return FormatArgs(fmt, args.begin(), args.size());
}
template <class... A>
std::string Format(std::string_view fmt, const A&... args) {
  return FormatArgs(fmt, {TVarRec(args)...});
}

// An exception of class E with a formatted message: throw CreateFmt<EConvertError>(...).
template <class E, class... A>
E CreateFmt(std::string_view fmt, const A&... args) {
  return E(Format(fmt, args...));
}

// ---- Integers --------------------------------------------------------------------
std::string IntToStr(std::int64_t value);
// Upper-case hexadecimal, at least digits digits (negative values as 64-bit two's complement).
std::string IntToHex(std::int64_t value, int digits);
// Decimal or hexadecimal ("$1F", "0x1F") with optional sign and leading blanks;
// EConvertError "'%s' is not a valid integer value" otherwise or when out of range.
int StrToInt(std::string_view s);
std::int64_t StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int def);
std::int64_t StrToInt64Def(std::string_view s, std::int64_t def);
bool TryStrToInt(std::string_view s, int& value);
bool TryStrToInt64(std::string_view s, std::int64_t& value);

// ---- Rounding --------------------------------------------------------------------
// Nearest whole number, a half to the even neighbour; EInvalidOp for NaN, infinities
// and values outside the 64-bit range.
std::int64_t Round(double value);
// Towards zero; EInvalidOp as for Round.
std::int64_t Trunc(double value);
// number * numerator / denominator in 64 bits, rounded half away from zero;
// -1 when denominator is 0 or the result does not fit in 32 bits.
int MulDiv(int number, int numerator, int denominator);

// ---- Floating point and currency text ---------------------------------------------
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// ffGeneral with 15 significant digits: "1.5", "1E15", "1E-5".
std::string FloatToStr(double value);
// precision: significant digits (1..17 for doubles); digits: decimals for fixed,
// number and currency formats (0..18), minimum exponent digits for the others (0..4).
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
// Pattern formatting: 0 # . , E+ E- e+ e- 'quoted' "quoted", and up to three sections
// "positive;negative;zero". Rounds half away from zero at the shown decimals.
std::string FormatFloat(std::string_view format, double value);
std::string FormatCurr(std::string_view format, Currency value);
std::string CurrToStr(Currency value);
std::string CurrToStrF(Currency value, TFloatFormat format, int digits);

// Optional blanks, sign, digits with DecimalSeparator, optional exponent, blanks.
// EConvertError "'%s' is not a valid floating point value" otherwise (also on overflow).
double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, double& value);
double StrToFloatDef(std::string_view s, double def);
// As StrToFloat, read exactly to 1/10000 (half to even beyond that).
Currency StrToCurr(std::string_view s);
bool TryStrToCurr(std::string_view s, Currency& value);
Currency StrToCurrDef(std::string_view s, Currency def);

// ---- Strings ---------------------------------------------------------------------
// Trimming removes blanks and control characters (bytes up to ' ').
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// ASCII letters only.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Also the common accented, Greek and Cyrillic letters.
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
// <0, 0, >0. CompareStr/AnsiCompareStr compare by character code; CompareText ignores
// ASCII case, AnsiCompareText ignores case of every letter AnsiUpperCase knows.
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
// 'it''s' style quoting.
std::string QuotedStr(std::string_view s);
std::string AnsiQuotedStr(std::string_view s, char quote);
// Reads a quoted string at the start of src (doubled quotes stand for one) and moves
// src past the closing quote (to the end when there is none). Returns "" and leaves src
// alone when src does not start with quote.
std::string AnsiExtractQuotedStr(std::string_view& src, char quote);
// The same for NUL-terminated text.
std::string AnsiExtractQuotedStr(const char*& src, char quote);
// Removes one level of quoting when s is quoted, else returns s.
std::string AnsiDequotedStr(std::string_view s, char quote);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = Set<TReplaceFlag>;
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags);
// 1-based byte position of sub in s, 0 when absent (or sub is empty).
int Pos(std::string_view sub, std::string_view s);
// count bytes from 1-based index (clamped to the string).
std::string Copy(std::string_view s, int index, int count);
