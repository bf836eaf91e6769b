// Floating-point and currency text: FloatToStrF, CurrToStrF and the text readers.
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/rtl/DecimalText.h"

namespace {

void StripZeros(TDecimal& d) {
  std::size_t b = d.Digits.find_first_not_of('0');
  if (b == std::string::npos) {
    d.Digits.clear();
    d.Exponent = 0;
    return;
  }
  d.Digits.erase(0, b);
  d.Exponent -= static_cast<int>(b);
  std::size_t e = d.Digits.find_last_not_of('0');
  d.Digits.erase(e + 1);
}

// Keeps the first n digits (n may be <= 0), rounding half away from zero.
void KeepDigits(TDecimal& d, int n) {
  if (d.IsZero() || n >= static_cast<int>(d.Digits.size())) return;
  if (n < 0) {
    d.Digits.clear();
    d.Exponent = 0;
    return;
  }
  bool up = d.Digits[n] >= '5';
  d.Digits.resize(n);
  if (up) {
    int i = n - 1;
    while (i >= 0 && d.Digits[i] == '9') d.Digits[i--] = '0';
    if (i >= 0) {
      ++d.Digits[i];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Exponent;
    }
  }
  StripZeros(d);
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The integer and fraction digits of d with exactly `decimals` fraction digits.
void SplitFixed(const TDecimal& d, int decimals, std::string& intPart, std::string& fracPart) {
  intPart.clear();
  fracPart.clear();
  const int n = static_cast<int>(d.Digits.size());
  for (int i = 0; i < d.Exponent; ++i) intPart += i < n ? d.Digits[i] : '0';
  for (int i = 0; i < decimals; ++i) {
    int idx = d.Exponent + i;
    fracPart += (idx >= 0 && idx < n) ? d.Digits[idx] : '0';
  }
  if (intPart.empty()) intPart = "0";
}

std::string ExponentText(int exp, int minDigits, bool plusSign) {
  std::string digits = std::to_string(exp < 0 ? -exp : exp);
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  std::string sign = exp < 0 ? "-" : (plusSign ? "+" : "");
  return "E" + sign + digits;
}

std::string Scientific(const TDecimal& d, int mantissaDigits, int expDigits, bool plusSign, bool padMantissa) {
  std::string m = d.Digits.empty() ? "0" : d.Digits;
  if (padMantissa && static_cast<int>(m.size()) < mantissaDigits) m.append(mantissaDigits - m.size(), '0');
  std::string out = (d.Negative && !d.IsZero()) ? "-" : "";
  out += m[0];
  if (m.size() > 1) {
    out += DecimalSeparator;
    out.append(m, 1);
  }
  out += ExponentText(d.IsZero() ? 0 : d.Exponent - 1, expDigits, plusSign);
  return out;
}

}  // namespace

TDecimal DoubleToDecimal(double value) {
  TDecimal d;
  d.Negative = std::signbit(value);
  if (value == 0 || !std::isfinite(value)) return d;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.39e", std::fabs(value));
  // buf: D.DDDD...e[+-]XX
  std::string s(buf);
  std::size_t e = s.find('e');
  d.Digits = s.substr(0, 1) + s.substr(2, e - 2);
  d.Exponent = std::atoi(s.c_str() + e + 1) + 1;
  StripZeros(d);
  return d;
}

TDecimal CurrencyToDecimal(Currency value) {
  TDecimal d;
  std::int64_t raw = value.Raw();
  d.Negative = raw < 0;
  std::uint64_t u = raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
  if (u == 0) return d;
  d.Digits = std::to_string(u);
  d.Exponent = static_cast<int>(d.Digits.size()) - 4;
  StripZeros(d);
  return d;
}

void RoundSignificant(TDecimal& d, int n) { KeepDigits(d, n); }
void RoundDecimals(TDecimal& d, int decimals) { KeepDigits(d, d.Exponent + decimals); }

std::string GroupThousands(const std::string& intDigits) {
  std::string out;
  const std::size_t n = intDigits.size();
  for (std::size_t i = 0; i < n; ++i) {
    out += intDigits[i];
    std::size_t left = n - 1 - i;
    if (left > 0 && left % 3 == 0 && ThousandSeparator != '\0') out += ThousandSeparator;
  }
  return out;
}

std::string ApplyCurrencyFormat(const std::string& a, bool negative) {
  const std::string& c = CurrencyString;
  if (!negative) {
    switch (CurrencyFormat) {
      case 1: return a + c;
      case 2: return c + " " + a;
      case 3: return a + " " + c;
      default: return c + a;
    }
  }
  switch (NegCurrFormat) {
    case 1: return "-" + c + a;
    case 2: return c + "-" + a;
    case 3: return c + a + "-";
    case 4: return "(" + a + c + ")";
    case 5: return "-" + a + c;
    case 6: return a + "-" + c;
    case 7: return a + c + "-";
    case 8: return "-" + a + " " + c;
    case 9: return "-" + c + " " + a;
    case 10: return a + " " + c + "-";
    case 11: return c + " " + a + "-";
    case 12: return c + " -" + a;
    case 13: return a + "- " + c;
    case 14: return "(" + c + " " + a + ")";
    case 15: return "(" + a + " " + c + ")";
    default: return "(" + c + a + ")";
  }
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  return {};
}

std::string DecimalToStrF(TDecimal d, TFloatFormat format, int precision, int digits, bool isCurrency) {
  precision = Clamp(precision, 1, isCurrency ? 19 : 18);
  switch (format) {
    case ffExponent:
      RoundSignificant(d, precision);
      return Scientific(d, precision, Clamp(digits, 0, 4), true, true);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      digits = Clamp(digits, 0, 18);
      RoundSignificant(d, precision);
      if (!isCurrency && d.Exponent > precision) return DecimalToStrF(d, ffGeneral, precision, 0, false);
      RoundDecimals(d, digits);
      std::string ip, fp;
      SplitFixed(d, digits, ip, fp);
      if (format != ffFixed) ip = GroupThousands(ip);
      std::string body = ip;
      if (digits > 0) body += DecimalSeparator + fp;
      const bool neg = d.Negative && !d.IsZero();
      if (format == ffCurrency) return ApplyCurrencyFormat(body, neg);
      return neg ? "-" + body : body;
    }
    case ffGeneral:
    default: {
      RoundSignificant(d, precision);
      if (d.IsZero()) return "0";
      if (!isCurrency && (d.Exponent > precision || d.Exponent < -3))
        return Scientific(d, precision, Clamp(digits, 0, 4), false, false);
      int decimals = static_cast<int>(d.Digits.size()) - d.Exponent;
      if (decimals < 0) decimals = 0;
      std::string ip, fp;
      SplitFixed(d, decimals, ip, fp);
      std::string out = d.Negative ? "-" : "";
      out += ip;
      if (decimals > 0) out += DecimalSeparator + fp;
      return out;
    }
  }
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  std::string nf = NonFiniteText(value);
  if (!nf.empty()) return nf;
  return DecimalToStrF(DoubleToDecimal(value), format, precision, digits, false);
}

std::string FloatToStr(double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

std::string CurrToStrF(Currency value, TFloatFormat format, int digits) {
  return DecimalToStrF(CurrencyToDecimal(value), format, 19, digits, true);
}

std::string CurrToStr(Currency value) { return CurrToStrF(value, ffGeneral, 0); }

// ---- Reading numbers -------------------------------------------------------------

namespace {

// The parts of a number text: sign, mantissa digits with the position of the decimal
// point, and the exponent. False when the text is not a number.
struct TNumberText {
  bool Negative = false;
  std::string Digits;  // mantissa digits, leading zeros kept
  int PointPos = 0;    // digits before the decimal point
  long Exp = 0;
};

bool ScanNumber(std::string_view s, TNumberText& n) {
  std::size_t i = 0, e = s.size();
  while (i < e && (s[i] == ' ' || s[i] == '\t')) ++i;
  while (e > i && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  if (i < e && (s[i] == '+' || s[i] == '-')) n.Negative = s[i++] == '-';
  bool point = false;
  for (; i < e; ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') {
      n.Digits += c;
      if (!point) ++n.PointPos;
    } else if (c == DecimalSeparator && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (n.Digits.empty()) return false;
  if (i < e && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool eneg = false;
    if (i < e && (s[i] == '+' || s[i] == '-')) eneg = s[i++] == '-';
    if (i >= e) return false;
    for (; i < e && s[i] >= '0' && s[i] <= '9'; ++i)
      if (n.Exp < 100000) n.Exp = n.Exp * 10 + (s[i] - '0');
    if (eneg) n.Exp = -n.Exp;
  }
  return i == e;
}

}  // namespace

bool TryStrToFloat(std::string_view s, double& value) {
  TNumberText n;
  if (!ScanNumber(s, n)) return false;
  std::size_t first = n.Digits.find_first_not_of('0');
  if (first == std::string::npos) {
    value = n.Negative ? -0.0 : 0.0;
    return true;
  }
  // Rebuild as plain "0.DDDDe<exp>" text for the exact C++ reader.
  long decExp = static_cast<long>(n.PointPos) - static_cast<long>(first) + n.Exp;
  if (decExp > 400) return false;  // overflow
  if (decExp < -400) {
    value = n.Negative ? -0.0 : 0.0;
    return true;
  }
  std::string text = "0." + n.Digits.substr(first) + "e" + std::to_string(decExp);
  double v = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    if (decExp > 0) return false;
    v = 0;
  } else if (r.ec != std::errc()) {
    return false;
  }
  if (std::isinf(v)) return false;
  value = n.Negative ? -v : v;
  return true;
}

namespace {

template <class T>
T ReadOrRaise(bool (*tryRead)(std::string_view, T&), std::string_view s) {
  T v;
  if (!tryRead(s, v)) throw CreateFmt<EConvertError>("'%s' is not a valid floating point value", s);
  return v;
}

template <class T>
T ReadOrDefault(bool (*tryRead)(std::string_view, T&), std::string_view s, T def) {
  T v;
  return tryRead(s, v) ? v : def;
}

}  // namespace

double StrToFloat(std::string_view s) { return ReadOrRaise(TryStrToFloat, s); }
double StrToFloatDef(std::string_view s, double def) { return ReadOrDefault(TryStrToFloat, s, def); }

bool TryStrToCurr(std::string_view s, Currency& value) {
  TNumberText n;
  if (!ScanNumber(s, n)) return false;
  // Digits of the value in units of 1/10000: the point moves 4 + Exp places right.
  long shift = 4 + n.Exp;
  long intLen = n.PointPos + shift;  // digits of n.Digits that form whole 1/10000 units
  unsigned __int128 acc = 0;
  const unsigned __int128 limit = static_cast<unsigned __int128>(INT64_MAX) + (n.Negative ? 1 : 0);
  for (long i = 0; i < intLen; ++i) {
    int d = i < static_cast<long>(n.Digits.size()) ? n.Digits[i] - '0' : 0;
    acc = acc * 10 + d;
    if (acc > limit) return false;
  }
  // Half to even on the discarded digits.
  int firstDropped = 0;
  bool restNonZero = false;
  for (long i = intLen < 0 ? 0 : intLen; i < static_cast<long>(n.Digits.size()); ++i) {
    int d = n.Digits[i] - '0';
    if (i == intLen) firstDropped = d;
    else if (d != 0) restNonZero = true;
  }
  if (firstDropped > 5 || (firstDropped == 5 && (restNonZero || (acc & 1)))) ++acc;
  if (acc > limit) return false;
  std::int64_t raw = n.Negative ? static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(acc))
                                : static_cast<std::int64_t>(acc);
  value = Currency::FromRaw(raw);
  return true;
}

Currency StrToCurr(std::string_view s) { return ReadOrRaise(TryStrToCurr, s); }
Currency StrToCurrDef(std::string_view s, Currency def) { return ReadOrDefault(TryStrToCurr, s, def); }
