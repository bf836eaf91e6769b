// FormatFloat / FormatCurr: the pattern language with up to three sections.
#include <vector>

#include "platform/rtl/DecimalText.h"

namespace {

// The sections of a pattern, split at ';' outside quotes.
std::vector<std::string_view> SplitSections(std::string_view fmt) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  char quote = 0;
  for (std::size_t i = 0; i < fmt.size(); ++i) {
    char c = fmt[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      parts.push_back(fmt.substr(start, i - start));
      start = i + 1;
      if (parts.size() == 2) break;
    }
  }
  parts.push_back(fmt.substr(start));
  return parts;
}

// What a section asks for.
struct TSection {
  std::string_view Text;
  int IntPlaces = 0;      // placeholders before the decimal point
  int MinInt = 0;         // of them, forced digits (from the first '0')
  int DecPlaces = 0;      // placeholders after the decimal point
  int MinDec = 0;         // up to the last '0' after the point
  bool Thousands = false;
  bool Scientific = false;
  bool HasDigits = false;
};

TSection Analyse(std::string_view t) {
  TSection s;
  s.Text = t;
  bool point = false, firstZero = false;
  char quote = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    char c = t[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    switch (c) {
      case '\'':
      case '"': quote = c; break;
      case '0':
      case '#':
        if (s.Scientific) break;  // exponent digits
        s.HasDigits = true;
        if (point) {
          ++s.DecPlaces;
          if (c == '0') s.MinDec = s.DecPlaces;
        } else {
          ++s.IntPlaces;
          if (c == '0') firstZero = true;
          if (firstZero) ++s.MinInt;
        }
        break;
      case '.':
        if (!s.Scientific) point = true;
        break;
      case ',':
        if (!point && !s.Scientific) s.Thousands = true;
        break;
      case 'E':
      case 'e':
        if (i + 1 < t.size() && (t[i + 1] == '+' || t[i + 1] == '-') && s.HasDigits) s.Scientific = true;
        break;
      default: break;
    }
  }
  return s;
}

// Rounds d for the section; returns the exponent to print for scientific sections.
int Prepare(TDecimal& d, const TSection& s) {
  if (s.Scientific) {
    int intDigits = s.IntPlaces > 0 ? s.IntPlaces : 1;
    RoundSignificant(d, intDigits + s.DecPlaces);
    if (d.IsZero()) return 0;
    int exp = d.Exponent - intDigits;
    d.Exponent = intDigits;
    return exp;
  }
  RoundDecimals(d, s.DecPlaces);
  return 0;
}

std::string Render(const TDecimal& d, const TSection& s, int exp, bool minus) {
  // Integer digits, padded to the forced count.
  std::string ip;
  const int n = static_cast<int>(d.Digits.size());
  for (int i = 0; i < d.Exponent; ++i) ip += i < n ? d.Digits[i] : '0';
  if (static_cast<int>(ip.size()) < s.MinInt) ip.insert(0, s.MinInt - ip.size(), '0');
  std::string fp;
  for (int i = 0; i < s.DecPlaces; ++i) {
    int idx = d.Exponent + i;
    fp += (idx >= 0 && idx < n) ? d.Digits[idx] : '0';
  }
  int shownDec = s.DecPlaces;
  while (shownDec > s.MinDec && fp[shownDec - 1] == '0') --shownDec;

  std::string out = minus ? "-" : "";
  const std::string_view t = s.Text;
  const int len = static_cast<int>(ip.size());
  int intSeen = 0, decSeen = 0;
  bool point = false, afterExp = false;
  auto emitDigit = [&](int pos) {  // pos counts from the right, 0 = units
    if (pos < 0 || pos >= len) return;
    out += ip[len - 1 - pos];
    if (s.Thousands && pos > 0 && pos % 3 == 0 && ThousandSeparator != '\0') out += ThousandSeparator;
  };
  for (std::size_t i = 0; i < t.size(); ++i) {
    char c = t[i];
    if (c == '\'' || c == '"') {
      std::size_t close = t.find(c, i + 1);
      if (close == std::string_view::npos) close = t.size();
      out.append(t.substr(i + 1, close - i - 1));
      i = close;
      continue;
    }
    if (afterExp) {
      // Behind the exponent only literals remain; placeholders there show nothing.
      if (c != '0' && c != '#') out += c;
      continue;
    }
    if ((c == '0' || c == '#') && !point) {
      int pos = s.IntPlaces - 1 - intSeen;
      if (intSeen == 0) {
        for (int p = len - 1; p > pos; --p) emitDigit(p);  // digits beyond the placeholders
      }
      emitDigit(pos);
      ++intSeen;
    } else if (c == '0' || c == '#') {
      if (decSeen < shownDec) out += fp[decSeen];
      ++decSeen;
    } else if (c == '.') {
      if (!point && s.IntPlaces == 0)
        for (int p = len - 1; p >= 0; --p) emitDigit(p);  // no integer placeholders
      if (!point && shownDec > 0) out += DecimalSeparator;
      point = true;
    } else if (c == ',') {
      // thousands flag only
    } else if ((c == 'E' || c == 'e') && s.Scientific && intSeen + decSeen > 0 && i + 1 < t.size() &&
               (t[i + 1] == '+' || t[i + 1] == '-')) {
      char sign = t[++i];
      int zeros = 0;
      while (i + 1 < t.size() && t[i + 1] == '0') ++zeros, ++i;
      std::string digits = std::to_string(exp < 0 ? -exp : exp);
      if (zeros > 4) zeros = 4;
      if (static_cast<int>(digits.size()) < zeros) digits.insert(0, zeros - digits.size(), '0');
      out += c;
      if (exp < 0) out += '-';
      else if (sign == '+') out += '+';
      out += digits;
      afterExp = true;
    } else {
      out += c;
    }
  }
  return out;
}

std::string FormatDecimal(std::string_view format, const TDecimal& value, double asDouble, bool isCurrency) {
  std::vector<std::string_view> parts = SplitSections(format);
  auto section = [&](std::size_t k) -> std::string_view {
    return k < parts.size() && !parts[k].empty() ? parts[k] : parts[0];
  };
  const bool neg = value.Negative && !value.IsZero();
  std::size_t chosen = value.IsZero() ? 2 : (neg ? 1 : 0);
  TSection s = Analyse(section(chosen));
  if (!s.HasDigits && s.Text.empty()) return isCurrency ? CurrToStr(Currency()) : FloatToStr(asDouble);
  // Values too large for a plain layout fall back to the general format.
  if (!isCurrency && !s.Scientific && value.Exponent > 18) return FloatToStr(asDouble);
  TDecimal d = value;
  if (!isCurrency) RoundSignificant(d, 15);
  int exp = Prepare(d, s);
  if (d.IsZero() && chosen != 2 && parts.size() > 2 && !parts[2].empty()) {
    // Rounded to zero: the zero section applies.
    s = Analyse(parts[2]);
    d = value;
    d.Digits.clear();
    d.Exponent = 0;
    exp = Prepare(d, s);
    chosen = 2;
  }
  // Only a negative value shown in a section of its own loses the sign.
  bool minus = neg && !d.IsZero() && !(parts.size() > 1 && !parts[1].empty() && chosen == 1);
  return Render(d, s, exp, minus);
}

}  // namespace

std::string FormatFloat(std::string_view format, double value) {
  std::string nf = NonFiniteText(value);
  if (!nf.empty()) return nf;
  if (format.empty()) return FloatToStr(value);
  return FormatDecimal(format, DoubleToDecimal(value), value, false);
}

std::string FormatCurr(std::string_view format, Currency value) {
  if (format.empty()) return CurrToStr(value);
  return FormatDecimal(format, CurrencyToDecimal(value), value.ToDouble(), true);
}
