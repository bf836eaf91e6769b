#pragma once
// Value helpers shared by the engines: ordering of field values, literals taking a
// field's type, and the Variant type each field type stores.
#include <string>
#include <vector>

#include "platform/data/DBTypes.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Variant.h"

// Orders two values: Null/Empty first, strings by text (optionally ignoring case),
// everything else as the Variant compares it. Never throws.
int CompareValues(const Variant& a, const Variant& b, bool caseInsensitive);

// Whether a field holds the same value as before: Null and Empty alike, texts byte for
// byte, other values as the Variant compares them. Never throws.
bool SameFieldValue(const Variant& a, const Variant& b);

// A literal converted to the type of the field it is compared with ("2024-01-05" for a
// date field becomes a date); the value itself when it does not convert.
Variant CoerceToFieldType(const Variant& v, TFieldType type);

// The value as a field of this type stores it (EConvertError/EVariantError when it does
// not convert). Null and Empty become Null.
Variant ConvertForField(const Variant& v, TFieldType type);

// Splits "A;B" into its names (blanks around a name dropped, empty names skipped).
std::vector<std::string> SplitFieldNames(const std::string& names);

// A date, time or date-time value as the engines store it: "YYYY-MM-DD" for ftDate,
// "hh:nn:ss" for ftTime, "YYYY-MM-DD hh:nn:ss[.zzz]" for the other types.
std::string StoredDateTimeText(TDateTime dt, TFieldType type);
// Reads that stored form back (strictly: "YYYY-MM-DD[ hh:nn[:ss[.zzz]]]" or
// "hh:nn[:ss]"); false for any other text.
bool TryParseStoredDateTime(const std::string& s, TDateTime& dt);
