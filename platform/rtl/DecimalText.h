#pragma once
// Decimal digit strings behind the number formatting routines (shared by the
// FloatToStrF, FormatFloat and Format implementations).
#include <string>

#include "platform/rtl/Currency.h"
#include "platform/rtl/SysUtils.h"

// value = 0.D1D2D3... x 10^Exponent; Digits holds no leading or trailing zeros and is
// empty for zero.
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
  bool IsZero() const { return Digits.empty(); }
};

// Exact enough for rounding at any position a double can show (40 significant digits).
TDecimal DoubleToDecimal(double value);
TDecimal CurrencyToDecimal(Currency value);
// Keep at most n significant digits / n decimals, rounding half away from zero.
void RoundSignificant(TDecimal& d, int n);
void RoundDecimals(TDecimal& d, int decimals);

// Adds ThousandSeparator between groups of three digits of a plain digit string.
std::string GroupThousands(const std::string& intDigits);
// Wraps an unsigned amount text in CurrencyString by CurrencyFormat / NegCurrFormat.
std::string ApplyCurrencyFormat(const std::string& amount, bool negative);
// The text of NaN and infinities, "" for finite values.
std::string NonFiniteText(double value);
// FloatToStrF for a decimal; precision caps the significant digits, isCurrency keeps
// the general format from ever switching to an exponent.
std::string DecimalToStrF(TDecimal d, TFloatFormat format, int precision, int digits, bool isCurrency);
