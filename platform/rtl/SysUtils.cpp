// Format settings, integer text, rounding and string routines.
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/rtl/Utf8.h"

// ---- Format settings -------------------------------------------------------------

TFormatSettings DefaultFormatSettings() {
  TFormatSettings s;
  s.DecimalSeparator = '.';
  s.ThousandSeparator = ',';
  s.DateSeparator = '/';
  s.TimeSeparator = ':';
  s.ShortDateFormat = "m/d/yyyy";
  s.LongDateFormat = "dddd, mmmm d, yyyy";
  s.ShortTimeFormat = "hh:nn";
  s.LongTimeFormat = "hh:nn:ss";
  s.TimeAMString = "AM";
  s.TimePMString = "PM";
  s.CurrencyString = "$";
  s.CurrencyFormat = 0;
  s.NegCurrFormat = 0;
  s.CurrencyDecimals = 2;
  s.TwoDigitYearCenturyWindow = 50;
  s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                      "July",    "August",   "September", "October", "November", "December"};
  s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return s;
}

namespace {
const TFormatSettings kDefaults = DefaultFormatSettings();
}

char DecimalSeparator = kDefaults.DecimalSeparator;
char ThousandSeparator = kDefaults.ThousandSeparator;
char DateSeparator = kDefaults.DateSeparator;
char TimeSeparator = kDefaults.TimeSeparator;
std::string ShortDateFormat = kDefaults.ShortDateFormat;
std::string LongDateFormat = kDefaults.LongDateFormat;
std::string ShortTimeFormat = kDefaults.ShortTimeFormat;
std::string LongTimeFormat = kDefaults.LongTimeFormat;
std::string TimeAMString = kDefaults.TimeAMString;
std::string TimePMString = kDefaults.TimePMString;
std::string CurrencyString = kDefaults.CurrencyString;
int CurrencyFormat = kDefaults.CurrencyFormat;
int NegCurrFormat = kDefaults.NegCurrFormat;
int CurrencyDecimals = kDefaults.CurrencyDecimals;
int TwoDigitYearCenturyWindow = kDefaults.TwoDigitYearCenturyWindow;
std::array<std::string, 12> ShortMonthNames = kDefaults.ShortMonthNames;
std::array<std::string, 12> LongMonthNames = kDefaults.LongMonthNames;
std::array<std::string, 7> ShortDayNames = kDefaults.ShortDayNames;
std::array<std::string, 7> LongDayNames = kDefaults.LongDayNames;

TFormatSettings GetFormatSettings() {
  return TFormatSettings{DecimalSeparator, ThousandSeparator, DateSeparator, TimeSeparator,
                         ShortDateFormat,  LongDateFormat,    ShortTimeFormat, LongTimeFormat,
                         TimeAMString,     TimePMString,      CurrencyString, CurrencyFormat,
                         NegCurrFormat,    CurrencyDecimals,  TwoDigitYearCenturyWindow,
                         ShortMonthNames,  LongMonthNames,    ShortDayNames,  LongDayNames};
}

void SetFormatSettings(const TFormatSettings& s) {
  DecimalSeparator = s.DecimalSeparator;
  ThousandSeparator = s.ThousandSeparator;
  DateSeparator = s.DateSeparator;
  TimeSeparator = s.TimeSeparator;
  ShortDateFormat = s.ShortDateFormat;
  LongDateFormat = s.LongDateFormat;
  ShortTimeFormat = s.ShortTimeFormat;
  LongTimeFormat = s.LongTimeFormat;
  TimeAMString = s.TimeAMString;
  TimePMString = s.TimePMString;
  CurrencyString = s.CurrencyString;
  CurrencyFormat = s.CurrencyFormat;
  NegCurrFormat = s.NegCurrFormat;
  CurrencyDecimals = s.CurrencyDecimals;
  TwoDigitYearCenturyWindow = s.TwoDigitYearCenturyWindow;
  ShortMonthNames = s.ShortMonthNames;
  LongMonthNames = s.LongMonthNames;
  ShortDayNames = s.ShortDayNames;
  LongDayNames = s.LongDayNames;
}

// ---- Integers --------------------------------------------------------------------

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::int64_t value, int digits) {
  static const char kHex[] = "0123456789ABCDEF";
  std::uint64_t u = static_cast<std::uint64_t>(value);
  std::string out;
  do {
    out.insert(out.begin(), kHex[u & 0xF]);
    u >>= 4;
  } while (u != 0);
  if (digits > 32) digits = 32;
  if (static_cast<int>(out.size()) < digits) out.insert(0, digits - out.size(), '0');
  return out;
}

bool TryStrToInt64(std::string_view s, std::int64_t& value) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  unsigned base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return false;
  // Magnitude limit: 2^63 for a negative decimal; hexadecimal may use all 64 bits.
  const std::uint64_t limit = base == 16 ? std::numeric_limits<std::uint64_t>::max()
                                         : static_cast<std::uint64_t>(INT64_MAX) + (neg ? 1 : 0);
  std::uint64_t acc = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    unsigned d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    if (acc > (limit - d) / base) return false;
    acc = acc * base + d;
  }
  value = neg ? static_cast<std::int64_t>(0 - acc) : static_cast<std::int64_t>(acc);
  return true;
}

bool TryStrToInt(std::string_view s, int& value) {
  std::int64_t v;
  if (!TryStrToInt64(s, v)) return false;
  bool hex = s.find('$') != std::string_view::npos || s.find('x') != std::string_view::npos ||
             s.find('X') != std::string_view::npos;
  if (hex && v >= 0 && v <= 0xFFFFFFFFLL) v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

namespace {
[[noreturn]] void InvalidInteger(std::string_view s) {
  throw CreateFmt<EConvertError>("'%s' is not a valid integer value", s);
}
}  // namespace

int StrToInt(std::string_view s) {
  int v;
  if (!TryStrToInt(s, v)) InvalidInteger(s);
  return v;
}

std::int64_t StrToInt64(std::string_view s) {
  std::int64_t v;
  if (!TryStrToInt64(s, v)) InvalidInteger(s);
  return v;
}

int StrToIntDef(std::string_view s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

std::int64_t StrToInt64Def(std::string_view s, std::int64_t def) {
  std::int64_t v;
  return TryStrToInt64(s, v) ? v : def;
}

// ---- Rounding --------------------------------------------------------------------

namespace {
void CheckInt64Range(double value) {
  // 2^63 is exactly representable; anything at or above it (or NaN) does not fit.
  if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0))
    throw EInvalidOp("Invalid floating point operation");
}
}  // namespace

std::int64_t Round(double value) {
  double r = std::nearbyint(value);  // default rounding mode: half to even
  CheckInt64Range(r);
  return static_cast<std::int64_t>(r);
}

std::int64_t Trunc(double value) {
  double t = std::trunc(value);
  CheckInt64Range(t);
  return static_cast<std::int64_t>(t);
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t p = static_cast<std::int64_t>(number) * numerator;
  std::int64_t d = denominator;
  bool neg = (p < 0) != (d < 0);
  std::uint64_t up = p < 0 ? 0 - static_cast<std::uint64_t>(p) : static_cast<std::uint64_t>(p);
  std::uint64_t ud = d < 0 ? 0 - static_cast<std::uint64_t>(d) : static_cast<std::uint64_t>(d);
  std::uint64_t q = up / ud, r = up % ud;
  if (r * 2 >= ud) ++q;  // half away from zero
  if (q > (neg ? 0x80000000ull : 0x7FFFFFFFull)) return -1;
  return neg ? static_cast<int>(-static_cast<std::int64_t>(q)) : static_cast<int>(q);
}

// ---- Strings ---------------------------------------------------------------------

namespace {
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string TrimLeft(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && IsTrimmed(s[b])) ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && IsTrimmed(s[e - 1])) --e;
  return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

std::string AnsiUpperCase(std::string_view s) { return Utf8UpperCase(s); }
std::string AnsiLowerCase(std::string_view s) { return Utf8LowerCase(s); }

namespace {
int Sign(int v) { return (v > 0) - (v < 0); }
int CompareBytes(std::string_view a, std::string_view b) {
  // Byte order of UTF-8 is code point order.
  std::size_t n = std::min(a.size(), b.size());
  int c = n ? std::memcmp(a.data(), b.data(), n) : 0;
  if (c != 0) return Sign(c);
  return (a.size() > b.size()) - (a.size() < b.size());
}
}  // namespace

int CompareStr(std::string_view a, std::string_view b) { return CompareBytes(a, b); }
int CompareText(std::string_view a, std::string_view b) { return CompareBytes(UpperCase(a), UpperCase(b)); }
int AnsiCompareStr(std::string_view a, std::string_view b) { return CompareBytes(a, b); }
int AnsiCompareText(std::string_view a, std::string_view b) {
  return CompareBytes(Utf8LowerCase(a), Utf8LowerCase(b));
}
bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }
bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

std::string AnsiQuotedStr(std::string_view s, char quote) {
  std::string r;
  r.reserve(s.size() + 2);
  r += quote;
  for (char c : s) {
    r += c;
    if (c == quote) r += quote;
  }
  r += quote;
  return r;
}

std::string QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

std::string AnsiExtractQuotedStr(std::string_view& src, char quote) {
  if (src.empty() || src[0] != quote) return {};
  std::string r;
  std::size_t i = 1;
  while (i < src.size()) {
    if (src[i] == quote) {
      if (i + 1 < src.size() && src[i + 1] == quote) {
        r += quote;
        i += 2;
        continue;
      }
      ++i;  // closing quote
      src.remove_prefix(i);
      return r;
    }
    r += src[i++];
  }
  src.remove_prefix(src.size());
  return r;
}

std::string AnsiExtractQuotedStr(const char*& src, char quote) {
  if (!src) return {};
  std::string_view v(src);
  std::string r = AnsiExtractQuotedStr(v, quote);
  src = v.data();
  return r;
}

std::string AnsiDequotedStr(std::string_view s, char quote) {
  std::string_view v = s;
  std::string r = AnsiExtractQuotedStr(v, quote);
  if (s.empty() || s[0] != quote) return std::string(s);
  return r;
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags) {
  if (oldPattern.empty()) return std::string(s);
  const bool ignoreCase = flags.Contains(rfIgnoreCase);
  std::string hay = ignoreCase ? Utf8UpperCase(s) : std::string(s);
  std::string needle = ignoreCase ? Utf8UpperCase(oldPattern) : std::string(oldPattern);
  // Case mapping may change byte lengths; fall back to a character-wise search then.
  if (hay.size() != s.size()) {
    hay = UpperCase(s);
    needle = UpperCase(oldPattern);
  }
  std::string r;
  std::size_t from = 0;
  while (true) {
    std::size_t at = hay.find(needle, from);
    if (at == std::string::npos) break;
    r.append(s.substr(from, at - from));
    r.append(newPattern);
    from = at + needle.size();
    if (!flags.Contains(rfReplaceAll)) break;
  }
  r.append(s.substr(from));
  return r;
}

int Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  std::size_t at = s.find(sub);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string Copy(std::string_view s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || static_cast<std::size_t>(index) > s.size()) return {};
  return std::string(s.substr(index - 1, count));
}
