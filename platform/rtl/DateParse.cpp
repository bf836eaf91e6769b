// Reading dates and times from text by the current format settings.
#include <cmath>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/SysUtils.h"

namespace {

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder OrderOf(std::string_view fmt) {
  for (std::size_t i = 0; i < fmt.size(); ++i) {
    char c = fmt[i];
    if (c == '\'' || c == '"') {
      std::size_t close = fmt.find(c, i + 1);
      if (close == std::string_view::npos) break;
      i = close;
      continue;
    }
    if (c == 'y' || c == 'Y') return doYMD;
    if (c == 'm' || c == 'M') return doMDY;
    if (c == 'd' || c == 'D') return doDMY;
  }
  return doMDY;
}

class TScanner {
public:
  explicit TScanner(std::string_view s) : FText(s) {}
  void SkipBlanks() {
    while (FPos < FText.size() && (FText[FPos] == ' ' || FText[FPos] == '\t')) ++FPos;
  }
  bool AtEnd() { return FPos >= FText.size(); }
  // Up to 9 digits; digitCount tells how many were read.
  bool Number(int& value, int& digitCount) {
    SkipBlanks();
    value = 0;
    digitCount = 0;
    while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9') {
      if (digitCount == 9) return false;
      value = value * 10 + (FText[FPos++] - '0');
      ++digitCount;
    }
    return digitCount > 0;
  }
  bool Char(char c) {
    SkipBlanks();
    if (FPos < FText.size() && FText[FPos] == c) {
      ++FPos;
      return true;
    }
    return false;
  }
  // Case-insensitive word (AM/PM).
  bool Word(std::string_view w) {
    SkipBlanks();
    if (w.empty() || FPos + w.size() > FText.size()) return false;
    for (std::size_t k = 0; k < w.size(); ++k) {
      char a = FText[FPos + k], b = w[k];
      if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
      if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 32);
      if (a != b) return false;
    }
    FPos += w.size();
    return true;
  }
  std::size_t Pos() const { return FPos; }
  void SetPos(std::size_t p) { FPos = p; }

private:
  std::string_view FText;
  std::size_t FPos = 0;
};

int ExpandYear(int year, int digits) {
  if (digits > 2) return year;
  int now = CurrentYear();
  int window = TwoDigitYearCenturyWindow;
  if (window <= 0) return now / 100 * 100 + year;
  int pivot = now - window;
  int y = pivot / 100 * 100 + year;
  if (y < pivot) y += 100;
  return y;
}

bool ScanDate(TScanner& sc, TDateTime& date) {
  int n[3], digits[3], count = 0;
  if (!sc.Number(n[0], digits[0])) return false;
  count = 1;
  while (count < 3) {
    std::size_t save = sc.Pos();
    if (!sc.Char(DateSeparator)) break;
    if (!sc.Number(n[count], digits[count])) {
      sc.SetPos(save);
      return false;
    }
    ++count;
  }
  if (count < 2) return false;
  // A trailing separator after the last part is allowed ("1/2/").
  if (count == 3) sc.Char(DateSeparator);
  int y, m, d, yDigits = 4;
  TDateOrder order = OrderOf(ShortDateFormat);
  if (count == 2) {
    y = CurrentYear();
    if (order == doDMY) {
      d = n[0];
      m = n[1];
    } else {  // month first for both m/d/y and y/m/d
      m = n[0];
      d = n[1];
    }
  } else {
    switch (order) {
      case doDMY: d = n[0]; m = n[1]; y = n[2]; yDigits = digits[2]; break;
      case doYMD: y = n[0]; m = n[1]; d = n[2]; yDigits = digits[0]; break;
      default: m = n[0]; d = n[1]; y = n[2]; yDigits = digits[2]; break;
    }
    y = ExpandYear(y, yDigits);
  }
  return TryEncodeDate(y, m, d, date);
}

bool ScanTime(TScanner& sc, TDateTime& time) {
  int h, m = 0, s = 0, ms = 0, dg;
  if (!sc.Number(h, dg)) return false;
  if (sc.Char(TimeSeparator)) {
    if (!sc.Number(m, dg)) return false;
    if (sc.Char(TimeSeparator)) {
      if (!sc.Number(s, dg)) return false;
      if (sc.Char(DecimalSeparator)) {
        if (!sc.Number(ms, dg)) return false;
      }
    }
  }
  bool pm = false, ampm = false;
  for (auto [word, isPm] : {std::pair<std::string_view, bool>{TimeAMString, false}, {TimePMString, true},
                            {"AM", false}, {"PM", true}, {"A", false}, {"P", true}}) {
    if (sc.Word(word)) {
      ampm = true;
      pm = isPm;
      break;
    }
  }
  if (ampm) {
    if (h < 1 || h > 12) return false;
    h = h % 12 + (pm ? 12 : 0);
  }
  return TryEncodeTime(h, m, s, ms, time);
}

bool Finished(TScanner& sc) {
  sc.SkipBlanks();
  return sc.AtEnd();
}

}  // namespace

bool TryStrToDate(std::string_view s, TDateTime& value) {
  TScanner sc(s);
  TDateTime d;
  if (!ScanDate(sc, d) || !Finished(sc)) return false;
  value = d;
  return true;
}

bool TryStrToTime(std::string_view s, TDateTime& value) {
  TScanner sc(s);
  TDateTime t;
  if (!ScanTime(sc, t) || !Finished(sc)) return false;
  value = t;
  return true;
}

bool TryStrToDateTime(std::string_view s, TDateTime& value) {
  TScanner sc(s);
  TDateTime d, t = 0;
  if (ScanDate(sc, d)) {
    if (!Finished(sc) && !ScanTime(sc, t)) return false;
    if (!Finished(sc)) return false;
    value = ComposeDateTime(d, t);
    return true;
  }
  return TryStrToTime(s, value);
}

TDateTime StrToDate(std::string_view s) {
  TDateTime v;
  if (!TryStrToDate(s, v)) throw CreateFmt<EConvertError>("'%s' is not a valid date", s);
  return v;
}

TDateTime StrToTime(std::string_view s) {
  TDateTime v;
  if (!TryStrToTime(s, v)) throw CreateFmt<EConvertError>("'%s' is not a valid time", s);
  return v;
}

TDateTime StrToDateTime(std::string_view s) {
  TDateTime v;
  if (!TryStrToDateTime(s, v)) throw CreateFmt<EConvertError>("'%s' is not a valid date and time", s);
  return v;
}
