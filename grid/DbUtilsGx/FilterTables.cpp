#include "grid/DbUtilsGx/FilterExpression.h"

const TEnumTableGx<TSTFilterOperatorCodeGx, std::string, 16> FilterOperatorTexts = {{
    "", "=", "<>", ">", "<", ">=", "<=", "~", "!~", "In", "!In", "Null", "Null", "AND", "OR", ""}};

const TEnumTableGx<TSTFilterOperatorCodeGx, std::string, 16> FilterOperatorSQLTexts = {{
    "", "=", "<>", ">", "<", ">=", "<=", "LIKE", "NOT LIKE", "IN", "NOT IN", "IS NULL",
    "IS NOT NULL", "AND", "OR", ""}};

// In the order of TFieldType.
const TEnumTableGx<TFieldType, TSTOperandKindGx, 40> FieldTypeOperandKinds = {{
    okOther,     // ftUnknown
    okString,    // ftString
    okNumber,    // ftSmallint
    okNumber,    // ftInteger
    okNumber,    // ftWord
    okBoolean,   // ftBoolean
    okNumber,    // ftFloat
    okNumber,    // ftCurrency
    okNumber,    // ftBCD
    okDateTime,  // ftDate
    okDateTime,  // ftTime
    okDateTime,  // ftDateTime
    okOther,     // ftBytes
    okOther,     // ftVarBytes
    okNumber,    // ftAutoInc
    okOther,     // ftBlob
    okString,    // ftMemo
    okOther,     // ftGraphic
    okString,    // ftFmtMemo
    okOther,     // ftParadoxOle
    okOther,     // ftDBaseOle
    okOther,     // ftTypedBinary
    okOther,     // ftCursor
    okString,    // ftFixedChar
    okString,    // ftWideString
    okNumber,    // ftLargeint
    okOther,     // ftADT
    okOther,     // ftArray
    okOther,     // ftReference
    okOther,     // ftDataSet
    okOther,     // ftOraBlob
    okOther,     // ftOraClob
    okOther,     // ftVariant
    okOther,     // ftInterface
    okOther,     // ftIDispatch
    okString,    // ftGuid
    okDateTime,  // ftTimeStamp
    okNumber,    // ftFMTBcd
    okString,    // ftFixedWideChar
    okString,    // ftWideMemo
}};
static_assert(ftWideMemo + 1 == 40, "one operand kind per field type");
