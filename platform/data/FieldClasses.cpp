// The field classes of the data types: conversions and texts.
#include <cmath>

#include "platform/data/DataConvert.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

namespace {

bool IsNothing(const Variant& v) { return v.IsNull() || v.IsEmpty(); }

[[noreturn]] void InvalidValue(const std::string& text, const char* what) {
  throw EConvertError("'" + text + "' is not a valid " + what);
}

std::int64_t ToInteger(const Variant& v) {
  if (VarIsStr(v)) {
    std::string s = Trim(v.AsString());
    std::int64_t n;
    if (!TryStrToInt64(s, n)) InvalidValue(v.AsString(), "integer value");
    return n;
  }
  return v.AsInt64();
}

double ToFloat(const Variant& v) {
  if (VarIsStr(v)) {
    double d;
    if (!TryStrToFloat(v.AsString(), d)) InvalidValue(v.AsString(), "floating point value");
    return d;
  }
  return v.AsDouble();
}

}  // namespace

// Strings

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
  FDataType = ftString;
  FSize = 20;
}

void TStringField::SetFixedChar(bool v) { FDataType = v ? ftFixedChar : ftString; }

Variant TStringField::ConvertValue(const Variant& v) const {
  if (IsNothing(v)) return Null();
  std::string s = VarIsStr(v) ? v.AsString() : VarToStr(v);
  // A fixed size holds that many bytes, cut on a character boundary.
  if (FSize > 0 && s.size() > static_cast<size_t>(FSize)) s = Utf8Truncate(s, static_cast<size_t>(FSize));
  return Variant(std::move(s));
}

TWideStringField::TWideStringField(TComponent* AOwner) : TStringField(AOwner) { FDataType = ftWideString; }

// Numbers

TNumericField::TNumericField(TComponent* AOwner) : TField(AOwner) { FAlignment = taRightJustify; }

void TNumericField::Publish(TClassBuilder<TNumericField>& b) {
  b.Property("DisplayFormat", &TNumericField::DisplayFormat, &TNumericField::SetDisplayFormat);
  b.Property("EditFormat", &TNumericField::EditFormat, &TNumericField::SetEditFormat);
}

void TNumericField::SetDisplayFormat(const std::string& v) {
  FDisplayFormat = v;
  PropertyChanged(false);
}

void TNumericField::SetEditFormat(const std::string& v) {
  FEditFormat = v;
  PropertyChanged(false);
}

bool TNumericField::IsValidChar(char32_t c) const {
  return (c >= U'0' && c <= U'9') || c == U'+' || c == U'-' || c == U'e' || c == U'E' ||
         c == static_cast<char32_t>(static_cast<unsigned char>(DecimalSeparator));
}

TIntegerField::TIntegerField(TComponent* AOwner) : TNumericField(AOwner) {
  FDataType = ftInteger;
  FSize = 0;
}

Variant TIntegerField::ConvertValue(const Variant& v) const {
  if (IsNothing(v)) return Null();
  std::int64_t n = ToInteger(v);
  if (n < FMinValue || n > FMaxValue)
    DatabaseError(std::to_string(n) + " is not a valid value for field '" + DisplayName() +
                  "'. The allowed range is " + std::to_string(FMinValue) + " to " + std::to_string(FMaxValue));
  return Variant(static_cast<int>(n));
}

std::string TIntegerField::GetClassText(bool displayText) const {
  if (IsNull()) return "";
  const std::string& fmt = displayText || FEditFormat.empty() ? FDisplayFormat : FEditFormat;
  if (fmt.empty()) return IntToStr(GetAsInt64());
  return FormatFloat(fmt, static_cast<double>(GetAsInt64()));
}

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner) {
  FDataType = ftSmallint;
  FMinValue = -32768;
  FMaxValue = 32767;
}

TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner) {
  FDataType = ftWord;
  FMinValue = 0;
  FMaxValue = 65535;
}

TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner) { FDataType = ftAutoInc; }

TLargeintField::TLargeintField(TComponent* AOwner) : TNumericField(AOwner) { FDataType = ftLargeint; }

Variant TLargeintField::ConvertValue(const Variant& v) const {
  if (IsNothing(v)) return Null();
  return Variant(static_cast<long long>(ToInteger(v)));
}

std::string TLargeintField::GetClassText(bool displayText) const {
  if (IsNull()) return "";
  const std::string& fmt = displayText || FEditFormat.empty() ? FDisplayFormat : FEditFormat;
  if (fmt.empty()) return IntToStr(GetAsInt64());
  return FormatFloat(fmt, static_cast<double>(GetAsInt64()));
}

TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner) { FDataType = ftFloat; }

void TFloatField::Publish(TClassBuilder<TFloatField>& b) {
  b.Property("Currency", &TFloatField::Currency, &TFloatField::SetCurrency).Default(false);
  b.Property("Precision", &TFloatField::Precision, &TFloatField::SetPrecision).Default(15);
}

void TFloatField::SetCurrency(bool v) {
  FCurrency = v;
  PropertyChanged(false);
}

void TFloatField::SetPrecision(int v) {
  if (v < 2) v = 2;
  if (v > 15) v = 15;
  FPrecision = v;
  PropertyChanged(false);
}

Variant TFloatField::ConvertValue(const Variant& v) const {
  if (IsNothing(v)) return Null();
  return Variant(ToFloat(v));
}

std::string TFloatField::GetClassText(bool displayText) const {
  if (IsNull()) return "";
  double d = GetAsFloat();
  const std::string& fmt = displayText || FEditFormat.empty() ? FDisplayFormat : FEditFormat;
  if (!fmt.empty()) return FormatFloat(fmt, d);
  if (FCurrency)
    return displayText ? FloatToStrF(d, ffCurrency, FPrecision, CurrencyDecimals)
                       : FloatToStrF(d, ffFixed, FPrecision, CurrencyDecimals);
  return FloatToStrF(d, ffGeneral, FPrecision, 0);
}

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner) {
  FDataType = ftCurrency;
  FCurrency = true;
}

TBCDField::TBCDField(TComponent* AOwner) : TNumericField(AOwner) {
  FDataType = ftBCD;
  FSize = 4;
}

void TBCDField::Publish(TClassBuilder<TBCDField>& b) {
  b.Property("Currency", &TBCDField::Currency, &TBCDField::SetCurrency).Default(false);
  b.Property("Precision", &TBCDField::Precision, &TBCDField::SetPrecision).Default(0);
}

void TBCDField::SetCurrency(bool v) {
  FCurrency = v;
  PropertyChanged(false);
}

Variant TBCDField::ConvertValue(const Variant& v) const {
  if (IsNothing(v)) return Null();
  if (VarIsStr(v)) {
    ::Currency c;
    if (!TryStrToCurr(v.AsString(), c)) InvalidValue(v.AsString(), "BCD value");
    return Variant(c);
  }
  return Variant(v.AsCurrency());
}

std::string TBCDField::GetClassText(bool displayText) const {
  if (IsNull()) return "";
  ::Currency c = GetAsCurrency();
  const std::string& fmt = displayText || FEditFormat.empty() ? FDisplayFormat : FEditFormat;
  if (!fmt.empty()) return FormatCurr(fmt, c);
  if (FCurrency) return displayText ? CurrToStrF(c, ffCurrency, CurrencyDecimals) : CurrToStrF(c, ffFixed, CurrencyDecimals);
  return CurrToStr(c);
}

TFMTBCDField::TFMTBCDField(TComponent* AOwner) : TBCDField(AOwner) {
  FDataType = ftFMTBcd;
  FSize = 8;
}

// Booleans

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) { FDataType = ftBoolean; }

void TBooleanField::Publish(TClassBuilder<TBooleanField>& b) {
  b.Property("DisplayValues", &TBooleanField::DisplayValues, &TBooleanField::SetDisplayValues);
}

void TBooleanField::SetDisplayValues(const std::string& v) {
  size_t semi = v.find(';');
  if (semi == std::string::npos) {
    FTrueText = v;
    FFalseText.clear();
  } else {
    FTrueText = v.substr(0, semi);
    FFalseText = v.substr(semi + 1);
  }
  if (FTrueText.empty() && FFalseText.empty()) DatabaseError("'" + v + "' is not a valid boolean display value");
  FDisplayValues = v;
  PropertyChanged(false);
}

Variant TBooleanField::ConvertValue(const Variant& v) const {
  if (IsNothing(v)) return Null();
  if (VarIsStr(v)) {
    std::string s = Trim(v.AsString());
    auto prefixOf = [&](const std::string& full) {
      return !full.empty() && !s.empty() && s.size() <= full.size() && AnsiSameText(full.substr(0, s.size()), s);
    };
    if (prefixOf(FTrueText) || AnsiSameText(s, "True")) return Variant(true);
    if (prefixOf(FFalseText) || AnsiSameText(s, "False")) return Variant(false);
    InvalidValue(v.AsString(), ("boolean value for field '" + DisplayName() + "'").c_str());
  }
  return Variant(v.AsBoolean());
}

std::string TBooleanField::GetAsString() const {
  if (IsNull()) return "";
  return GetAsBoolean() ? FTrueText : FFalseText;
}

void TBooleanField::AssignString(const std::string& v) {
  if (Trim(v).empty()) Clear();
  else SetAsVariant(Variant(v));
}

std::string TBooleanField::GetClassText(bool) const { return GetAsString(); }

// Dates and times

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner) { FDataType = ftDateTime; }

void TDateTimeField::Publish(TClassBuilder<TDateTimeField>& b) {
  b.Property("DisplayFormat", &TDateTimeField::DisplayFormat, &TDateTimeField::SetDisplayFormat);
}

void TDateTimeField::SetDisplayFormat(const std::string& v) {
  FDisplayFormat = v;
  PropertyChanged(false);
}

Variant TDateTimeField::ConvertValue(const Variant& v) const {
  if (IsNothing(v)) return Null();
  TDateTime dt;
  if (VarIsStr(v)) {
    std::string s = v.AsString();
    bool ok = FDataType == ftDate ? TryStrToDate(s, dt)
              : FDataType == ftTime ? TryStrToTime(s, dt)
                                    : TryStrToDateTime(s, dt);
    if (!ok)
      InvalidValue(s, FDataType == ftDate ? "date" : FDataType == ftTime ? "time" : "date and time");
  } else {
    dt = v.AsDateTime();
  }
  if (FDataType == ftDate) dt = std::trunc(dt);
  if (FDataType == ftTime) dt = std::fabs(dt - std::trunc(dt));
  return Variant::FromDateTime(dt);
}

std::string TDateTimeField::GetClassText(bool displayText) const {
  if (IsNull()) return "";
  TDateTime dt = GetAsDateTime();
  if (displayText && !FDisplayFormat.empty()) return FormatDateTime(FDisplayFormat, dt);
  switch (FDataType) {
    case ftDate: return displayText ? DateToStr(dt) : FormatDateTime(ShortDateFormat, dt);
    case ftTime: return TimeToStr(dt);
    default: return displayText ? DateTimeToStr(dt) : FormatDateTime(ShortDateFormat + " " + LongTimeFormat, dt);
  }
}

void TDateTimeField::AssignString(const std::string& v) {
  if (Trim(v).empty()) Clear();
  else SetAsVariant(Variant(v));
}

TSQLTimeStampField::TSQLTimeStampField(TComponent* AOwner) : TDateTimeField(AOwner) { FDataType = ftTimeStamp; }
TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner) { FDataType = ftDate; }
TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner) { FDataType = ftTime; }

// Binary data, held as a byte string.

TBinaryField::TBinaryField(TComponent* AOwner) : TField(AOwner) { FSize = 16; }

Variant TBinaryField::ConvertValue(const Variant& v) const {
  if (IsNothing(v)) return Null();
  return Variant(VarIsStr(v) ? v.AsString() : VarToStr(v));
}

TBytesField::TBytesField(TComponent* AOwner) : TBinaryField(AOwner) { FDataType = ftBytes; }
TVarBytesField::TVarBytesField(TComponent* AOwner) : TBytesField(AOwner) { FDataType = ftVarBytes; }

TBlobField::TBlobField(TComponent* AOwner) : TField(AOwner) { FDataType = ftBlob; }

void TBlobField::Publish(TClassBuilder<TBlobField>& b) {
  b.Property("BlobType", &TBlobField::BlobType, &TBlobField::SetBlobType);
}

void TBlobField::SetBlobType(TFieldType v) {
  if (IsBlobType(v)) FDataType = v;
}

Variant TBlobField::ConvertValue(const Variant& v) const {
  if (IsNothing(v)) return Null();
  return Variant(VarIsStr(v) ? v.AsString() : VarToStr(v));
}

std::string TBlobField::GetClassText(bool displayText) const {
  if (!displayText) return GetAsString();
  std::string word = BlobWord();
  return "(" + (IsNull() ? word : UpperCase(word)) + ")";
}

TMemoField::TMemoField(TComponent* AOwner) : TBlobField(AOwner) { FDataType = ftMemo; }
TWideMemoField::TWideMemoField(TComponent* AOwner) : TMemoField(AOwner) { FDataType = ftWideMemo; }
TGraphicField::TGraphicField(TComponent* AOwner) : TBlobField(AOwner) { FDataType = ftGraphic; }

TAggregateField::TAggregateField(TComponent* AOwner) : TField(AOwner) {
  SetFieldKind(fkAggregate);
  FDataType = ftUnknown;
}

Variant TAggregateField::ConvertValue(const Variant& v) const {
  return FResultType == ftUnknown ? TField::ConvertValue(v) : ConvertForField(v, FResultType);
}

void TAggregateField::Publish(TClassBuilder<TAggregateField>& b) {
  b.Property("Active", &TAggregateField::Active, &TAggregateField::SetActive).Default(false);
  b.Property("DisplayFormat", &TAggregateField::DisplayFormat, &TAggregateField::SetDisplayFormat);
  b.Property("Expression", &TAggregateField::Expression, &TAggregateField::SetExpression);
}

TClass DefaultFieldClass(TFieldType type) {
  switch (type) {
    case ftString: case ftFixedChar: return TStringField::StaticClass();
    case ftWideString: case ftFixedWideChar: return TWideStringField::StaticClass();
    case ftSmallint: return TSmallintField::StaticClass();
    case ftInteger: return TIntegerField::StaticClass();
    case ftWord: return TWordField::StaticClass();
    case ftAutoInc: return TAutoIncField::StaticClass();
    case ftLargeint: return TLargeintField::StaticClass();
    case ftBoolean: return TBooleanField::StaticClass();
    case ftFloat: return TFloatField::StaticClass();
    case ftCurrency: return TCurrencyField::StaticClass();
    case ftBCD: return TBCDField::StaticClass();
    case ftFMTBcd: return TFMTBCDField::StaticClass();
    case ftDate: return TDateField::StaticClass();
    case ftTime: return TTimeField::StaticClass();
    case ftDateTime: return TDateTimeField::StaticClass();
    case ftTimeStamp: return TSQLTimeStampField::StaticClass();
    case ftBytes: return TBytesField::StaticClass();
    case ftVarBytes: return TVarBytesField::StaticClass();
    case ftBlob: case ftTypedBinary: case ftParadoxOle: case ftDBaseOle: case ftOraBlob: return TBlobField::StaticClass();
    case ftMemo: case ftFmtMemo: case ftOraClob: return TMemoField::StaticClass();
    case ftWideMemo: return TWideMemoField::StaticClass();
    case ftGraphic: return TGraphicField::StaticClass();
    default: return nullptr;
  }
}
