// Variant comparison and arithmetic.
#include <cmath>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Variant.h"

namespace {

constexpr int kUnordered = 2;

bool IsInt(TVarType t) {
  switch (t) {
    case varSmallint: case varInteger: case varShortInt: case varByte:
    case varWord: case varLongWord: case varInt64:
      return true;
    default:
      return false;
  }
}

[[noreturn]] void InvalidOp() { throw EVariantError("Invalid variant operation"); }

template <class T>
int Cmp(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int CmpDouble(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return kUnordered;
  return Cmp(a, b);
}

// An Empty operand stands for the zero value of the other operand's kind.
Variant ZeroLike(const Variant& other) {
  switch (other.Type()) {
    case varString: return Variant("");
    case varBoolean: return Variant(false);
    case varDate: return Variant::FromDateTime(0);
    case varCurrency: return Variant(Currency());
    default: return Variant(0);
  }
}

// Neither operand is Null or an array.
int Compare(const Variant& a0, const Variant& b0) {
  if (a0.Type() == varEmpty && b0.Type() == varEmpty) return 0;
  const Variant a = a0.Type() == varEmpty ? ZeroLike(b0) : a0;
  const Variant b = b0.Type() == varEmpty ? ZeroLike(a0) : b0;
  const TVarType ta = a.Type(), tb = b.Type();
  if (ta == varError || tb == varError) {
    if (ta == tb) return Cmp(a.ErrorCode(), b.ErrorCode());
    InvalidOp();
  }
  if (ta == varString && tb == varString) return CompareStr(a.AsString(), b.AsString());
  if (ta == varDate || tb == varDate) return CmpDouble(a.AsDateTime(), b.AsDateTime());
  if (ta == varBoolean && tb == varBoolean) return Cmp(a.AsBoolean(), b.AsBoolean());
  if (ta == varString || tb == varString) {
    const Variant& other = ta == varString ? b : a;
    if (other.Type() == varBoolean) return Cmp(a.AsBoolean(), b.AsBoolean());
    return CmpDouble(a.AsDouble(), b.AsDouble());
  }
  if ((IsInt(ta) || ta == varBoolean) && (IsInt(tb) || tb == varBoolean)) return Cmp(a.AsInt64(), b.AsInt64());
  if ((ta == varCurrency || IsInt(ta)) && (tb == varCurrency || IsInt(tb))) {
    try {
      return Cmp(a.AsCurrency(), b.AsCurrency());
    } catch (const EVariantError&) {
      // a whole number beyond the currency range: compare as doubles
    }
  }
  return CmpDouble(a.AsDouble(), b.AsDouble());
}

void RejectArrays(const Variant& a, const Variant& b) {
  if (a.IsArray() || b.IsArray()) InvalidOp();
}

enum TOp { opAdd, opSub, opMul };

// A string operand of arithmetic becomes a number.
Variant Numeric(const Variant& v) {
  if (v.Type() == varString) {
    std::int64_t i;
    if (TryStrToInt64(v.AsString(), i)) return Variant::FromInteger(i);
    return Variant(v.AsDouble());
  }
  if (v.Type() == varBoolean) return Variant(v.AsBoolean() ? -1 : 0);
  if (v.Type() == varEmpty) return Variant(0);
  return v;
}

Variant Arith(const Variant& a0, const Variant& b0, TOp op) {
  RejectArrays(a0, b0);
  if (a0.Type() == varError || b0.Type() == varError) InvalidOp();
  if (a0.IsNull() || b0.IsNull()) return Null();
  if (a0.IsEmpty() && b0.IsEmpty()) return Variant();
  if (op == opAdd && (a0.Type() == varString || a0.IsEmpty()) && (b0.Type() == varString || b0.IsEmpty()))
    return Variant(a0.AsString() + b0.AsString());
  const Variant a = Numeric(a0), b = Numeric(b0);
  const TVarType ta = a.Type(), tb = b.Type();
  if (ta == varDate || tb == varDate) {
    double x = a.AsDouble(), y = b.AsDouble();
    if (op == opMul) return Variant(x * y);
    if (op == opSub && ta == varDate && tb == varDate) return Variant(x - y);
    return Variant::FromDateTime(op == opAdd ? x + y : x - y);
  }
  if (IsInt(ta) && IsInt(tb)) {
    std::int64_t x = a.AsInt64(), y = b.AsInt64(), r;
    bool overflow = op == opAdd   ? __builtin_add_overflow(x, y, &r)
                    : op == opSub ? __builtin_sub_overflow(x, y, &r)
                                  : __builtin_mul_overflow(x, y, &r);
    if (overflow) throw EVariantError("Arithmetic overflow");
    return Variant::FromInteger(r);
  }
  if ((ta == varCurrency || IsInt(ta)) && (tb == varCurrency || IsInt(tb))) {
    try {
      Currency x = a.AsCurrency(), y = b.AsCurrency();
      switch (op) {
        case opAdd: return Variant(x + y);
        case opSub: return Variant(x - y);
        default: return Variant(x * y);
      }
    } catch (const EMathError&) {
      throw EVariantError("Arithmetic overflow");
    }
  }
  double x = a.AsDouble(), y = b.AsDouble();
  switch (op) {
    case opAdd: return Variant(x + y);
    case opSub: return Variant(x - y);
    default: return Variant(x * y);
  }
}

}  // namespace

bool operator==(const Variant& a, const Variant& b) {
  RejectArrays(a, b);
  if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
  return Compare(a, b) == 0;
}

std::partial_ordering operator<=>(const Variant& a, const Variant& b) {
  RejectArrays(a, b);
  if (a.IsNull() || b.IsNull()) {
    if (a.IsNull() && b.IsNull()) return std::partial_ordering::equivalent;
    return a.IsNull() ? std::partial_ordering::less : std::partial_ordering::greater;
  }
  int c = Compare(a, b);
  if (c == kUnordered) return std::partial_ordering::unordered;
  return c < 0 ? std::partial_ordering::less
               : (c > 0 ? std::partial_ordering::greater : std::partial_ordering::equivalent);
}

Variant operator+(const Variant& a, const Variant& b) { return Arith(a, b, opAdd); }
Variant operator-(const Variant& a, const Variant& b) { return Arith(a, b, opSub); }
Variant operator*(const Variant& a, const Variant& b) { return Arith(a, b, opMul); }

Variant Variant::operator-() const { return Arith(Variant(0), *this, opSub); }
