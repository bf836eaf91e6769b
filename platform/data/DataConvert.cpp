// Value helpers shared by the engines.
#include "platform/data/DataConvert.h"

#include <cstdio>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool IsNothing(const Variant& v) { return v.IsNull() || v.IsEmpty(); }

int Sign(std::partial_ordering o) {
  if (o == std::partial_ordering::less) return -1;
  if (o == std::partial_ordering::greater) return 1;
  return 0;
}

}  // namespace

int CompareValues(const Variant& a, const Variant& b, bool caseInsensitive) {
  if (IsNothing(a) || IsNothing(b)) return IsNothing(a) ? (IsNothing(b) ? 0 : -1) : 1;
  if (VarIsStr(a) && VarIsStr(b)) {
    int c = caseInsensitive ? AnsiCompareText(a.AsString(), b.AsString())
                            : AnsiCompareStr(a.AsString(), b.AsString());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  try {
    return Sign(a <=> b);
  } catch (const Exception&) {
    int c = caseInsensitive ? AnsiCompareText(VarToStr(a), VarToStr(b)) : AnsiCompareStr(VarToStr(a), VarToStr(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
}

bool SameFieldValue(const Variant& a, const Variant& b) {
  if (IsNothing(a) || IsNothing(b)) return IsNothing(a) && IsNothing(b);
  if (VarIsStr(a) || VarIsStr(b)) return VarIsStr(a) && VarIsStr(b) && a.AsString() == b.AsString();
  try {
    return (a <=> b) == 0;
  } catch (const Exception&) {
    return false;
  }
}

Variant CoerceToFieldType(const Variant& v, TFieldType type) {
  if (IsNothing(v)) return v;
  try {
    return ConvertForField(v, type);
  } catch (const Exception&) {
    return v;
  }
}

Variant ConvertForField(const Variant& v, TFieldType type) {
  if (IsNothing(v)) return Null();
  switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      if (VarIsStr(v)) return Variant(StrToInt(Trim(v.AsString())));
      return Variant(v.AsInteger());
    case ftLargeint:
      if (VarIsStr(v)) return Variant(static_cast<long long>(StrToInt64(Trim(v.AsString()))));
      return Variant(static_cast<long long>(v.AsInt64()));
    case ftBoolean:
      return Variant(v.AsBoolean());
    case ftFloat:
      return Variant(v.AsDouble());
    case ftCurrency:
    case ftBCD:
    case ftFMTBcd:
      return Variant(v.AsCurrency());
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
      if (VarIsStr(v)) {
        std::string s = v.AsString();
        TDateTime dt;
        if (TryParseStoredDateTime(Trim(s), dt)) return Variant::FromDateTime(dt);
        if (type == ftTime ? TryStrToTime(s, dt) : TryStrToDateTime(s, dt)) return Variant::FromDateTime(dt);
        throw EConvertError("'" + s + "' is not a valid date and time");
      }
      return Variant::FromDateTime(v.AsDateTime());
    default:
      if (VarIsStr(v)) return v;
      return Variant(v.AsString());
  }
}

std::vector<std::string> SplitFieldNames(const std::string& names) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(';', start);
    if (end == std::string::npos) end = names.size();
    std::string name = Trim(names.substr(start, end - start));
    if (!name.empty()) out.push_back(name);
    start = end + 1;
  }
  return out;
}

std::string StoredDateTimeText(TDateTime dt, TFieldType type) {
  int y, m, d, h, n, s, ms;
  DecodeDate(dt, y, m, d);
  DecodeTime(dt, h, n, s, ms);
  char buf[40];
  if (type == ftDate) std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
  else if (type == ftTime) std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, n, s);
  else if (ms) std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", y, m, d, h, n, s, ms);
  else std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, h, n, s);
  return buf;
}

bool TryParseStoredDateTime(const std::string& s, TDateTime& dt) {
  auto digits = [&](size_t at, size_t n, int& out) {
    if (at + n > s.size()) return false;
    out = 0;
    for (size_t i = at; i < at + n; ++i) {
      if (s[i] < '0' || s[i] > '9') return false;
      out = out * 10 + (s[i] - '0');
    }
    return true;
  };
  auto readTime = [&](size_t at, TDateTime& t) {
    int h, n, sec = 0, ms = 0;
    if (!digits(at, 2, h) || s.size() < at + 5 || s[at + 2] != ':' || !digits(at + 3, 2, n)) return false;
    size_t end = at + 5;
    if (end < s.size()) {
      if (s[end] != ':' || !digits(end + 1, 2, sec)) return false;
      end += 3;
      if (end < s.size()) {
        const size_t frac = s.size() - end - 1;
        if (s[end] != '.' || frac < 1 || frac > 3 || !digits(end + 1, frac, ms)) return false;
        for (size_t k = frac; k < 3; ++k) ms *= 10;
      }
    }
    return TryEncodeTime(h, n, sec, ms, t);
  };
  int y, m, d;
  if (s.size() >= 10 && digits(0, 4, y) && s[4] == '-' && digits(5, 2, m) && s[7] == '-' && digits(8, 2, d)) {
    TDateTime date, time = 0;
    if (!TryEncodeDate(y, m, d, date)) return false;
    if (s.size() > 10 && (s[10] != ' ' || !readTime(11, time))) return false;
    dt = ComposeDateTime(date, time);
    return true;
  }
  TDateTime time;
  if (!readTime(0, time)) return false;
  dt = time;
  return true;
}
