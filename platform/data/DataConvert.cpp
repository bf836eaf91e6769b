// Value helpers shared by the engines.
#include "platform/data/DataConvert.h"

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
