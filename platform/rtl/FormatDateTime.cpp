// FormatDateTime and the date/time-to-text routines.
#include <cmath>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Nested formats (c, ddddd, t, tt) may name each other; deeper nesting is ignored.
constexpr int kMaxNesting = 3;

std::string Pad(int v, int width) {
  std::string s = std::to_string(v);
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool StartsWithNoCase(std::string_view s, std::size_t i, std::string_view what) {
  if (i + what.size() > s.size()) return false;
  for (std::size_t k = 0; k < what.size(); ++k)
    if (Lower(s[i + k]) != what[k]) return false;
  return true;
}

// True when the format holds an am/pm specifier outside quotes (hours then count to 12).
bool HasAmPm(std::string_view f) {
  char quote = 0;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (quote) {
      if (f[i] == quote) quote = 0;
    } else if (f[i] == '\'' || f[i] == '"') {
      quote = f[i];
    } else if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") ||
               StartsWithNoCase(f, i, "ampm")) {
      return true;
    }
  }
  return false;
}

struct TParts {
  int Year, Month, Day, Hour, Minute, Second, MSec, DayOfWeek;
  double Time;
};

std::size_t RunLength(std::string_view f, std::size_t i) {
  std::size_t n = 1;
  while (i + n < f.size() && Lower(f[i + n]) == Lower(f[i])) ++n;
  return n;
}

void Append(std::string& out, std::string_view f, const TParts& p, int depth) {
  if (depth > kMaxNesting) return;
  const bool twelve = HasAmPm(f);
  bool lastWasHour = false;
  for (std::size_t i = 0; i < f.size();) {
    char c = f[i];
    char lc = Lower(c);
    if (c == '\'' || c == '"') {
      std::size_t close = f.find(c, i + 1);
      if (close == std::string_view::npos) close = f.size();
      out.append(f.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    std::size_t n = RunLength(f, i);
    bool hourNow = false;
    switch (lc) {
      case 'y':
        out += n <= 2 ? Pad(p.Year % 100, 2) : Pad(p.Year, 4);
        i += n;
        break;
      case 'm':
        if (lastWasHour && n <= 2) {
          out += Pad(p.Minute, n == 2 ? 2 : 1);
        } else if (n == 1 || n == 2) {
          out += Pad(p.Month, static_cast<int>(n));
        } else {
          out += n == 3 ? ShortMonthNames[p.Month - 1] : LongMonthNames[p.Month - 1];
          n = n > 4 ? 4 : n;
        }
        i += n;
        break;
      case 'd':
        if (n <= 2) out += Pad(p.Day, static_cast<int>(n));
        else if (n == 3) out += ShortDayNames[p.DayOfWeek - 1];
        else if (n == 4) out += LongDayNames[p.DayOfWeek - 1];
        else if (n == 5) Append(out, ShortDateFormat, p, depth + 1);
        else Append(out, LongDateFormat, p, depth + 1);
        i += n > 6 ? 6 : n;
        break;
      case 'h': {
        int h = p.Hour;
        if (twelve) {
          h %= 12;
          if (h == 0) h = 12;
        }
        if (n > 2) n = 2;
        out += Pad(h, static_cast<int>(n));
        hourNow = true;
        i += n;
        break;
      }
      case 'n':
        if (n > 2) n = 2;
        out += Pad(p.Minute, static_cast<int>(n));
        i += n;
        break;
      case 's':
        if (n > 2) n = 2;
        out += Pad(p.Second, static_cast<int>(n));
        i += n;
        break;
      case 'z':
        if (n >= 3) n = 3;
        out += Pad(p.MSec, n == 3 ? 3 : 1);
        i += n;
        break;
      case 't':
        Append(out, n == 1 ? ShortTimeFormat : LongTimeFormat, p, depth + 1);
        i += n > 2 ? 2 : n;
        break;
      case 'c':
        Append(out, ShortDateFormat, p, depth + 1);
        if (p.Time != 0) {
          out += ' ';
          Append(out, LongTimeFormat, p, depth + 1);
        }
        i += 1;
        break;
      case 'a':
        if (StartsWithNoCase(f, i, "am/pm")) {
          bool upper = c == 'A';
          std::string s = p.Hour < 12 ? "am" : "pm";
          if (upper) s = p.Hour < 12 ? "AM" : "PM";
          out += s;
          i += 5;
        } else if (StartsWithNoCase(f, i, "a/p")) {
          char s = p.Hour < 12 ? 'a' : 'p';
          out += c == 'A' ? static_cast<char>(s - 32) : s;
          i += 3;
        } else if (StartsWithNoCase(f, i, "ampm")) {
          out += p.Hour < 12 ? TimeAMString : TimePMString;
          i += 4;
        } else {
          out += c;
          ++i;
        }
        break;
      case '/':
        out += DateSeparator;
        ++i;
        break;
      case ':':
        out += TimeSeparator;
        ++i;
        break;
      default:
        out += c;
        ++i;
        break;
    }
    if (lc != ' ') lastWasHour = hourNow || (lastWasHour && lc == ':');
    if (hourNow) lastWasHour = true;
  }
}

TParts Decode(TDateTime dt) {
  TParts p{};
  DecodeDate(dt, p.Year, p.Month, p.Day);
  DecodeTime(dt, p.Hour, p.Minute, p.Second, p.MSec);
  p.DayOfWeek = DayOfWeek(dt);
  p.Time = std::fabs(dt - std::trunc(dt));
  return p;
}

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime dt) {
  TParts p = Decode(dt);
  std::string out;
  Append(out, format.empty() ? std::string_view("c") : format, p, 0);
  return out;
}

std::string DateToStr(TDateTime dt) { return FormatDateTime("ddddd", dt); }
std::string TimeToStr(TDateTime dt) { return FormatDateTime("tt", dt); }
std::string DateTimeToStr(TDateTime dt) { return FormatDateTime("c", dt); }
