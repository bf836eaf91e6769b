#pragma once
// Currency: a fixed-point amount held as a 64-bit integer of 1/10000 units.
// Conversions and scaling round half to even; results that do not fit raise EOverflow.
#include <compare>
#include <concepts>
#include <cstdint>
#include <string>

class Currency {
public:
  static constexpr std::int64_t Scale = 10000;

  constexpr Currency() = default;
  // Whole units (Currency c = 5 is 5.0000).
  template <std::integral T>
    requires(!std::same_as<T, bool>)
  Currency(T units) : FRaw(FromUnits(static_cast<std::int64_t>(units))) {}
  // From a double, rounding half to even to 1/10000; EOverflow when out of range,
  // EInvalidOp for NaN.
  static Currency FromDouble(double value);
  // From the raw count of 1/10000 units.
  static constexpr Currency FromRaw(std::int64_t raw) { Currency c; c.FRaw = raw; return c; }
  static constexpr Currency MaxValue() { return FromRaw(INT64_MAX); }
  static constexpr Currency MinValue() { return FromRaw(INT64_MIN); }

  constexpr std::int64_t Raw() const { return FRaw; }
  double ToDouble() const;
  // Whole units, rounded half to even (as the class library's Round does).
  std::int64_t Round() const;
  // Whole units, towards zero.
  std::int64_t Trunc() const;
  // Plain text with '.' and up to four decimals, trailing zeros dropped ("12.5", "-3").
  std::string ToString() const;

  Currency operator-() const;
  Currency& operator+=(Currency o);
  Currency& operator-=(Currency o);
  Currency& operator*=(std::int64_t n);
  Currency& operator*=(double f);
  Currency& operator/=(std::int64_t n);

  friend Currency operator+(Currency a, Currency b) { return a += b; }
  friend Currency operator-(Currency a, Currency b) { return a -= b; }
  template <std::integral T>
  friend Currency operator*(Currency a, T n) { return a *= static_cast<std::int64_t>(n); }
  template <std::integral T>
  friend Currency operator*(T n, Currency a) { return a *= static_cast<std::int64_t>(n); }
  friend Currency operator*(Currency a, double f) { return a *= f; }
  friend Currency operator*(double f, Currency a) { return a *= f; }
  // Product of two amounts, rounded half to even.
  friend Currency operator*(Currency a, Currency b);
  // Division by a whole number, rounded half to even; EZeroDivide for 0.
  template <std::integral T>
  friend Currency operator/(Currency a, T n) { return a /= static_cast<std::int64_t>(n); }
  // Quotient of two amounts as a double; EZeroDivide for 0.
  friend double operator/(Currency a, Currency b);

  friend constexpr bool operator==(Currency a, Currency b) { return a.FRaw == b.FRaw; }
  friend constexpr auto operator<=>(Currency a, Currency b) { return a.FRaw <=> b.FRaw; }

private:
  static std::int64_t FromUnits(std::int64_t units);
  std::int64_t FRaw = 0;
};
