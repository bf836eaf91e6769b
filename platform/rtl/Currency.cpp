// Currency arithmetic with overflow checks and half-to-even rounding.
#include "platform/rtl/Currency.h"

#include <cmath>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

[[noreturn]] void Overflow() { throw EOverflow("Currency value out of range"); }

std::int64_t Checked(__int128 v) {
  if (v > INT64_MAX || v < INT64_MIN) Overflow();
  return static_cast<std::int64_t>(v);
}

// n / d rounded half to even (d != 0).
__int128 DivRoundEven(__int128 n, __int128 d) {
  __int128 q = n / d, r = n % d;
  if (r == 0) return q;
  __int128 r2 = (r < 0 ? -r : r) * 2, ad = d < 0 ? -d : d;
  bool neg = (n < 0) != (d < 0);
  if (r2 > ad || (r2 == ad && (q % 2 != 0))) q += neg ? -1 : 1;
  return q;
}

}  // namespace

std::int64_t Currency::FromUnits(std::int64_t units) { return Checked(static_cast<__int128>(units) * Scale); }

Currency Currency::FromDouble(double value) {
  if (std::isnan(value)) throw EInvalidOp("Invalid floating point operation");
  double scaled = std::nearbyint(value * Scale);
  if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0)) Overflow();
  return FromRaw(static_cast<std::int64_t>(scaled));
}

double Currency::ToDouble() const { return static_cast<double>(FRaw) / Scale; }

std::int64_t Currency::Round() const { return static_cast<std::int64_t>(DivRoundEven(FRaw, Scale)); }

std::int64_t Currency::Trunc() const { return FRaw / Scale; }

std::string Currency::ToString() const {
  TFormatSettingsScope keep;
  DecimalSeparator = '.';
  return CurrToStr(*this);
}

Currency Currency::operator-() const { return FromRaw(Checked(-static_cast<__int128>(FRaw))); }

Currency& Currency::operator+=(Currency o) {
  FRaw = Checked(static_cast<__int128>(FRaw) + o.FRaw);
  return *this;
}

Currency& Currency::operator-=(Currency o) {
  FRaw = Checked(static_cast<__int128>(FRaw) - o.FRaw);
  return *this;
}

Currency& Currency::operator*=(std::int64_t n) {
  FRaw = Checked(static_cast<__int128>(FRaw) * n);
  return *this;
}

Currency& Currency::operator*=(double f) {
  if (std::isnan(f)) throw EInvalidOp("Invalid floating point operation");
  // Exact when the factor is a whole number; otherwise through long double.
  long double v = static_cast<long double>(FRaw) * f;
  v = std::nearbyint(v);
  if (!(v >= -9223372036854775808.0L && v < 9223372036854775808.0L)) Overflow();
  FRaw = static_cast<std::int64_t>(v);
  return *this;
}

Currency& Currency::operator/=(std::int64_t n) {
  if (n == 0) throw EZeroDivide("Division by zero");
  FRaw = Checked(DivRoundEven(FRaw, n));
  return *this;
}

Currency operator*(Currency a, Currency b) {
  return Currency::FromRaw(Checked(DivRoundEven(static_cast<__int128>(a.FRaw) * b.FRaw, Currency::Scale)));
}

double operator/(Currency a, Currency b) {
  if (b.FRaw == 0) throw EZeroDivide("Division by zero");
  return static_cast<double>(a.FRaw) / static_cast<double>(b.FRaw);
}
