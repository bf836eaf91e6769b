// Variant construction, conversion and arrays.
#include "platform/rtl/Variant.h"

#include <cmath>
#include <limits>

#include "platform/rtl/SysUtils.h"

namespace {

bool IsIntegerType(TVarType t) {
  switch (t) {
    case varSmallint: case varInteger: case varShortInt: case varByte:
    case varWord: case varLongWord: case varInt64: case varBoolean:
      return true;
    default:
      return false;
  }
}

bool IsFloatType(TVarType t) { return t == varSingle || t == varDouble || t == varDate; }

[[noreturn]] void CannotConvert(TVarType from, TVarType to) {
  throw EVariantError("Could not convert variant of type (" + VarTypeAsText(from) + ") into type (" +
                      VarTypeAsText(to) + ")");
}

[[noreturn]] void OverflowConvert(TVarType from, TVarType to) {
  throw EVariantError("Overflow while converting variant of type (" + VarTypeAsText(from) +
                      ") into type (" + VarTypeAsText(to) + ")");
}

// Range of the integer kinds.
void IntRange(TVarType t, std::int64_t& lo, std::int64_t& hi) {
  switch (t) {
    case varSmallint: lo = INT16_MIN; hi = INT16_MAX; break;
    case varInteger: lo = INT32_MIN; hi = INT32_MAX; break;
    case varShortInt: lo = INT8_MIN; hi = INT8_MAX; break;
    case varByte: lo = 0; hi = UINT8_MAX; break;
    case varWord: lo = 0; hi = UINT16_MAX; break;
    case varLongWord: lo = 0; hi = UINT32_MAX; break;
    default: lo = INT64_MIN; hi = INT64_MAX; break;
  }
}

}  // namespace

std::string VarTypeAsText(TVarType type) {
  if (type & varArray) return "Array " + VarTypeAsText(type & varTypeMask);
  switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varDispatch: return "Dispatch";
    case varError: return "Error";
    case varBoolean: return "Boolean";
    case varVariant: return "Variant";
    case varUnknown: return "Unknown";
    case varShortInt: return "ShortInt";
    case varByte: return "Byte";
    case varWord: return "Word";
    case varLongWord: return "LongWord";
    case varInt64: return "Int64";
    case varString: return "String";
    default: return "Unknown";
  }
}

// ---- Construction ----------------------------------------------------------------

Variant::Variant(bool v) : FType(varBoolean), FInt(v ? -1 : 0) {}
Variant::Variant(int v) : FType(varInteger), FInt(v) {}
Variant::Variant(long v) : FType(varInt64), FInt(v) {}
Variant::Variant(long long v) : FType(varInt64), FInt(v) {}
Variant::Variant(unsigned v) : FType(varLongWord), FInt(v) {}
Variant::Variant(unsigned long v) : FType(varInt64), FInt(static_cast<std::int64_t>(v)) {
  if (v > static_cast<unsigned long>(INT64_MAX)) throw EVariantError("Variant overflow");
}
Variant::Variant(unsigned long long v) : FType(varInt64), FInt(static_cast<std::int64_t>(v)) {
  if (v > static_cast<unsigned long long>(INT64_MAX)) throw EVariantError("Variant overflow");
}
Variant::Variant(double v) : FType(varDouble), FDouble(v) {}
Variant::Variant(float v) : FType(varSingle), FDouble(v) {}
Variant::Variant(Currency v) : FType(varCurrency), FCurr(v.Raw()) {}
Variant::Variant(char v) : FType(varString), FStr(1, v) {}
Variant::Variant(const char* v) : FType(varString), FStr(v ? v : "") {}
Variant::Variant(std::string_view v) : FType(varString), FStr(v) {}
Variant::Variant(const std::string& v) : FType(varString), FStr(v) {}
Variant::Variant(std::string&& v) : FType(varString), FStr(std::move(v)) {}

Variant Variant::FromDateTime(TDateTime dt) {
  Variant v;
  v.FType = varDate;
  v.FDouble = dt;
  return v;
}

Variant Variant::FromInteger(std::int64_t v) {
  if (v >= INT32_MIN && v <= INT32_MAX) return Variant(static_cast<int>(v));
  return Variant(v);
}

Variant Variant::Error(std::int32_t code) {
  Variant v;
  v.FType = varError;
  v.FInt = code;
  return v;
}

Variant Variant::OfType(TVarType type, const Variant& src) {
  if (src.FType == type) return src;
  if (type == varOleStr) type = varString;
  Variant v;
  switch (type) {
    case varEmpty: return Variant();
    case varNull: return Null();
    case varString: return Variant(src.AsString());
    case varBoolean: return Variant(src.AsBoolean());
    case varDouble: return Variant(src.AsDouble());
    case varSingle: {
      double d = src.AsDouble();
      if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) OverflowConvert(src.FType, type);
      return Variant(static_cast<float>(d));
    }
    case varCurrency: return Variant(src.AsCurrency());
    case varDate: return FromDateTime(src.AsDateTime());
    case varError:
      if (src.FType == varError) return src;
      CannotConvert(src.FType, type);
    case varSmallint: case varInteger: case varShortInt: case varByte:
    case varWord: case varLongWord: case varInt64: {
      std::int64_t lo, hi;
      IntRange(type, lo, hi);
      std::int64_t x = src.ToInt64(type);
      if (x < lo || x > hi) OverflowConvert(src.FType, type);
      v.FType = type;
      v.FInt = x;
      return v;
    }
    case varVariant: return src;
    default: CannotConvert(src.FType, type);
  }
}

Variant Null() {
  Variant v;
  v.FType = varNull;
  return v;
}

Variant Unassigned() { return Variant(); }
Variant EmptyParam() { return Variant::Error(VAR_PARAMNOTFOUND); }

// ---- Conversion ------------------------------------------------------------------

std::int64_t Variant::ToInt64(TVarType target) const {
  if (IsIntegerType(FType)) return FInt;
  double d;
  switch (FType) {
    case varEmpty: return 0;
    case varSingle: case varDouble: case varDate: d = FDouble; break;
    case varCurrency: return Currency::FromRaw(FCurr).Round();
    case varString: {
      std::int64_t i;
      if (TryStrToInt64(FStr, i)) return i;
      if (!TryStrToFloat(FStr, d)) CannotConvert(FType, target);
      break;
    }
    default: CannotConvert(FType, target);
  }
  double r = std::nearbyint(d);  // half to even
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) OverflowConvert(FType, target);
  return static_cast<std::int64_t>(r);
}

std::int32_t Variant::AsInteger() const {
  std::int64_t v = ToInt64(varInteger);
  if (v < INT32_MIN || v > INT32_MAX) OverflowConvert(FType, varInteger);
  return static_cast<std::int32_t>(v);
}

double Variant::AsDouble() const {
  if (IsIntegerType(FType)) return static_cast<double>(FInt);
  switch (FType) {
    case varEmpty: return 0;
    case varSingle: case varDouble: case varDate: return FDouble;
    case varCurrency: return Currency::FromRaw(FCurr).ToDouble();
    case varString: {
      double d;
      if (!TryStrToFloat(FStr, d)) CannotConvert(FType, varDouble);
      return d;
    }
    default: CannotConvert(FType, varDouble);
  }
}

Currency Variant::AsCurrency() const {
  switch (FType) {
    case varCurrency: return Currency::FromRaw(FCurr);
    case varEmpty: return Currency();
    case varString: {
      Currency c;
      if (!TryStrToCurr(FStr, c)) CannotConvert(FType, varCurrency);
      return c;
    }
    default:
      if (IsIntegerType(FType)) {
        if (FInt > 922337203685477LL || FInt < -922337203685477LL) OverflowConvert(FType, varCurrency);
        return Currency(FInt);
      }
      if (IsFloatType(FType)) {
        try {
          return Currency::FromDouble(FDouble);
        } catch (const EMathError&) {
          OverflowConvert(FType, varCurrency);
        }
      }
      CannotConvert(FType, varCurrency);
  }
}

bool Variant::ConvertToBoolean() const {
  if (IsIntegerType(FType)) return FInt != 0;
  switch (FType) {
    case varEmpty: return false;
    case varSingle: case varDouble: case varDate: return FDouble != 0;
    case varCurrency: return FCurr != 0;
    case varString: {
      if (SameText(Trim(FStr), "True")) return true;
      if (SameText(Trim(FStr), "False")) return false;
      double d;
      if (!TryStrToFloat(FStr, d)) CannotConvert(FType, varBoolean);
      return d != 0;
    }
    default: CannotConvert(FType, varBoolean);
  }
}

std::string Variant::ConvertToString() const {
  switch (FType) {
    case varEmpty: return "";
    case varString: return FStr;
    case varBoolean: return FInt ? "True" : "False";
    case varSingle: return FloatToStrF(FDouble, ffGeneral, 7, 0);
    case varDouble: return FloatToStr(FDouble);
    case varDate: return DateTimeToStr(FDouble);
    case varCurrency: return CurrToStr(Currency::FromRaw(FCurr));
    default:
      if (IsIntegerType(FType)) return IntToStr(FInt);
      CannotConvert(FType, varString);
  }
}

TDateTime Variant::AsDateTime() const {
  switch (FType) {
    case varDate: return FDouble;
    case varString: {
      TDateTime d;
      if (TryStrToDateTime(FStr, d)) return d;
      double f;
      if (TryStrToFloat(FStr, f)) return f;
      CannotConvert(FType, varDate);
    }
    default:
      if (FType == varNull || FType == varError || IsArray() || FType == varBoolean) CannotConvert(FType, varDate);
      return AsDouble();
  }
}

std::int32_t Variant::ErrorCode() const {
  if (FType != varError) CannotConvert(FType, varError);
  return static_cast<std::int32_t>(FInt);
}

// ---- Arrays ----------------------------------------------------------------------

void Variant::RequireArray() const {
  if (!IsArray() || !FArray) throw EVariantError("Variant is not an array");
}

const Variant& Variant::ItemAt(int index) const {
  RequireArray();
  long i = static_cast<long>(index) - FArray->Low;
  if (i < 0 || i >= static_cast<long>(FArray->Items.size()))
    throw EVariantError("Variant or safe array index out of bounds");
  return FArray->Items[i];
}

int Variant::LowBound() const {
  RequireArray();
  return FArray->Low;
}

int Variant::HighBound() const {
  RequireArray();
  return FArray->Low + static_cast<int>(FArray->Items.size()) - 1;
}

int Variant::ElementCount() const {
  RequireArray();
  return static_cast<int>(FArray->Items.size());
}

const Variant& Variant::operator[](int index) const { return ItemAt(index); }
Variant Variant::GetElement(int index) const { return ItemAt(index); }

void Variant::PutElement(int index, const Variant& v) {
  ItemAt(index);  // checks
  Variant stored = FArray->ElementType == varVariant ? v : OfType(FArray->ElementType, v);
  if (FArray.use_count() > 1) FArray = std::make_shared<TArrayData>(*FArray);
  FArray->Items[static_cast<long>(index) - FArray->Low] = std::move(stored);
}

Variant VarArrayCreate(int low, int high, TVarType elementType) {
  elementType &= varTypeMask;
  if (elementType == varOleStr) elementType = varString;
  if (elementType == varEmpty || elementType == varNull || elementType == varError ||
      elementType == varDispatch || elementType == varUnknown || elementType > varString ||
      (elementType > varInt64 && elementType != varString))
    throw EVariantError("Invalid variant type");
  long count = static_cast<long>(high) - low + 1;
  if (count < 0 || count > (1L << 28)) throw EVariantError("Variant array bounds error");
  Variant v;
  v.FType = static_cast<TVarType>(varArray | elementType);
  v.FArray = std::make_shared<Variant::TArrayData>();
  v.FArray->Low = low;
  v.FArray->ElementType = elementType;
  Variant init;
  if (elementType == varString) init = Variant("");
  else if (elementType != varVariant) init = Variant::OfType(elementType, Variant(0));
  v.FArray->Items.assign(static_cast<std::size_t>(count), init);
  return v;
}

Variant VarArrayOf(std::initializer_list<Variant> values) {
  Variant v = VarArrayCreate(0, static_cast<int>(values.size()) - 1, varVariant);
  int i = 0;
  for (const Variant& x : values) v.PutElement(i++, x);
  return v;
}

int VarArrayDimCount(const Variant& v) { return v.IsArray() ? 1 : 0; }

int VarArrayLowBound(const Variant& v, int dim) {
  v.LowBound();  // raises when not an array
  if (dim != 1) throw EVariantError("Variant array bounds error");
  return v.LowBound();
}

int VarArrayHighBound(const Variant& v, int dim) {
  v.LowBound();
  if (dim != 1) throw EVariantError("Variant array bounds error");
  return v.HighBound();
}

// ---- Queries ---------------------------------------------------------------------

TVarType VarType(const Variant& v) { return v.Type(); }
bool VarIsEmpty(const Variant& v) { return v.IsEmpty(); }
bool VarIsNull(const Variant& v) { return v.IsNull(); }
bool VarIsArray(const Variant& v) { return v.IsArray(); }
bool VarIsNumeric(const Variant& v) {
  return IsIntegerType(v.Type()) || v.Type() == varSingle || v.Type() == varDouble || v.Type() == varCurrency;
}
bool VarIsStr(const Variant& v) { return v.Type() == varString || v.Type() == varOleStr; }

std::string VarToStr(const Variant& v) { return v.IsNull() || v.IsEmpty() ? std::string() : v.AsString(); }

std::string VarToStrDef(const Variant& v, std::string_view def) {
  if (v.IsNull() || v.IsEmpty()) return std::string(def);
  return v.AsString();
}

Variant VarAsType(const Variant& v, TVarType type) { return Variant::OfType(type, v); }
