#pragma once
// Variant: the class library's dynamically typed value. Empty (unassigned), Null,
// integers, floating point, currency, dates, strings (UTF-8, reported as varString),
// booleans, error codes and one-dimensional arrays with bounds.
//
// Conversion rules: Empty reads as 0, "" and False; Null, errors and arrays do not
// convert (EVariantError "Could not convert variant of type (Null) into type (Double)").
// Strings convert to numbers through StrToFloat/StrToCurr and to booleans from
// "True"/"False" or a number. Floating point converts to integers rounding half to
// even; a value that does not fit raises "Overflow while converting ...". True is -1
// as a number and "True" as text.
//
// Comparison (==, <, ...): Null equals only Null and orders before every other value;
// Empty equals Empty and otherwise reads as 0 / "" / False. Two strings compare by
// character code; a string and a number compare as numbers (a string that is not a
// number raises EVariantError); a date and a string compare as dates. Comparing an
// array raises EVariantError.
//
// Arithmetic (+ - *): Null in, Null out; string + string concatenates; otherwise the
// operands are numbers (integers stay integers, widening to Int64; currency stays
// currency unless a double takes part; a date plus or minus a number stays a date).
#include <compare>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/rtl/Currency.h"
#include "platform/rtl/DateTime.h"

using TVarType = std::uint16_t;
enum : TVarType {
  varEmpty = 0x0000,
  varNull = 0x0001,
  varSmallint = 0x0002,
  varInteger = 0x0003,
  varSingle = 0x0004,
  varDouble = 0x0005,
  varCurrency = 0x0006,
  varDate = 0x0007,
  varOleStr = 0x0008,
  varDispatch = 0x0009,
  varError = 0x000A,
  varBoolean = 0x000B,
  varVariant = 0x000C,
  varUnknown = 0x000D,
  varShortInt = 0x0010,
  varByte = 0x0011,
  varWord = 0x0012,
  varLongWord = 0x0013,
  varInt64 = 0x0014,
  varString = 0x0100,
  varTypeMask = 0x0FFF,
  varArray = 0x2000,
};

// The error code of a missing optional parameter.
constexpr std::int32_t VAR_PARAMNOTFOUND = static_cast<std::int32_t>(0x80020004u);

class Variant {
public:
  Variant() = default;
  Variant(bool v);
  Variant(int v);                   // varInteger
  Variant(long v);                  // varInt64 (std::int64_t)
  Variant(long long v);             // varInt64
  Variant(unsigned v);              // varLongWord
  Variant(unsigned long v);         // varInt64; EVariantError when above the Int64 range
  Variant(unsigned long long v);    // same
  Variant(double v);                // varDouble
  Variant(float v);                 // varSingle
  Variant(Currency v);              // varCurrency
  Variant(char v);                  // varString of one character, as the class library's Char
  Variant(const char* v);           // varString
  Variant(std::string_view v);
  Variant(const std::string& v);
  Variant(std::string&& v);

  // A value of the given simple type built from v (varDate from a TDateTime, varSmallint, ...).
  static Variant OfType(TVarType type, const Variant& v);
  static Variant FromDateTime(TDateTime dt);
  static Variant Error(std::int32_t code);
  // varInteger when v fits 32 bits, else varInt64 (results of integer arithmetic).
  static Variant FromInteger(std::int64_t v);

  // Setting a value in place. Readers that fill the same values row after row use
  // these: a text keeps the storage of the one before.
  void SetNull() noexcept { SetSimple(varNull, 0); }
  void SetBoolean(bool v) noexcept { SetSimple(varBoolean, v ? -1 : 0); }
  // type is one of the integer kinds.
  void SetInteger(TVarType type, std::int64_t v) noexcept { SetSimple(type, v); }
  // type is varDouble, varSingle or varDate.
  void SetFloat(TVarType type, double v) noexcept {
    SetSimple(type, 0);
    FDouble = v;
  }
  void SetCurrency(Currency v) noexcept { SetSimple(varCurrency, v.Raw()); }
  void SetText(std::string_view v) {
    FStr.assign(v.data(), v.size());
    FType = varString;
    FInt = 0;
    FArray.reset();
  }
  void Swap(Variant& other) noexcept {
    std::swap(FType, other.FType);
    std::swap(FInt, other.FInt);
    // Empty texts stay where they are, with whatever storage they hold.
    if (!FStr.empty() || !other.FStr.empty()) FStr.swap(other.FStr);
    if (FArray || other.FArray) FArray.swap(other.FArray);
  }
  friend void swap(Variant& a, Variant& b) noexcept { a.Swap(b); }

  TVarType Type() const { return FType; }
  bool IsEmpty() const { return FType == varEmpty; }
  bool IsNull() const { return FType == varNull; }
  bool IsArray() const { return (FType & varArray) != 0; }

  // Conversions by the rules above; EVariantError when impossible.
  std::int32_t AsInteger() const;
  std::int64_t AsInt64() const { return FType == varInteger || FType == varInt64 ? FInt : ToInt64(varInt64); }
  double AsDouble() const;
  Currency AsCurrency() const;
  bool AsBoolean() const { return FType == varBoolean ? FInt != 0 : ConvertToBoolean(); }
  std::string AsString() const { return FType == varString ? FStr : ConvertToString(); }
  TDateTime AsDateTime() const;
  // The code of a varError value.
  std::int32_t ErrorCode() const;

  // Arrays: bounds, elements (EVariantError "Variant is not an array" for other values,
  // "Variant or safe array index out of bounds" for a bad index).
  int LowBound() const;
  int HighBound() const;
  int ElementCount() const;
  const Variant& operator[](int index) const;
  Variant GetElement(int index) const;
  // Stores v converted to the array's element type.
  void PutElement(int index, const Variant& v);

  friend bool operator==(const Variant& a, const Variant& b);
  friend std::partial_ordering operator<=>(const Variant& a, const Variant& b);
  friend Variant operator+(const Variant& a, const Variant& b);
  friend Variant operator-(const Variant& a, const Variant& b);
  friend Variant operator*(const Variant& a, const Variant& b);
  Variant operator-() const;

private:
  friend Variant Null();
  friend Variant VarArrayCreate(int low, int high, TVarType elementType);
  struct TArrayData {
    int Low = 0;
    TVarType ElementType = varVariant;
    std::vector<Variant> Items;
  };
  void SetSimple(TVarType type, std::int64_t bits) noexcept {
    FType = type;
    FInt = bits;
    FStr.clear();
    if (FArray) FArray.reset();
  }
  bool ConvertToBoolean() const;
  std::string ConvertToString() const;
  void RequireArray() const;
  // Whole-number value for a conversion to the integer type target.
  std::int64_t ToInt64(TVarType target) const;
  const Variant& ItemAt(int index) const;

  TVarType FType = varEmpty;
  union {
    std::int64_t FInt = 0;  // integer kinds, boolean, error
    double FDouble;         // single, double, date
    std::int64_t FCurr;     // raw currency
  };
  std::string FStr;
  std::shared_ptr<TArrayData> FArray;  // shared until written (copy on write)
};

Variant Null();
Variant Unassigned();
// The "missing parameter" error value.
Variant EmptyParam();

TVarType VarType(const Variant& v);
bool VarIsEmpty(const Variant& v);
bool VarIsNull(const Variant& v);
bool VarIsArray(const Variant& v);
// Integer kinds, boolean, single, double and currency.
bool VarIsNumeric(const Variant& v);
bool VarIsStr(const Variant& v);
// Null and Empty give "" / def.
std::string VarToStr(const Variant& v);
std::string VarToStrDef(const Variant& v, std::string_view def);
Variant VarAsType(const Variant& v, TVarType type);
// The class library's name of a type: "Integer", "String", "Array Variant", ...
std::string VarTypeAsText(TVarType type);

// Arrays of one dimension; elements start Empty (varVariant) or zero of their type.
Variant VarArrayCreate(int low, int high, TVarType elementType);
Variant VarArrayOf(std::initializer_list<Variant> values);
int VarArrayDimCount(const Variant& v);  // 0 for other values
// dim must be 1; EVariantError "Variant array bounds error" otherwise.
int VarArrayLowBound(const Variant& v, int dim);
int VarArrayHighBound(const Variant& v, int dim);
