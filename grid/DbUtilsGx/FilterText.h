#pragma once
// Turning the grid's state into text a dataset understands: the filter conditions of the
// columns as a dataset filter expression or an SQL condition, values and dates as
// literals of an SQL dialect, the sort-marked columns as an ORDER BY line or a sort
// string, and a dataset's SQL text read and written through its published property.
#include <string>

#include "grid/DbUtilsGx/FilterExpression.h"
#include "platform/data/DBTypes.h"
#include "platform/rtl/Variant.h"

class TCustomDBGridGx;
class TColumnGx;
class TDataSet;

// Writes a date value as a literal of the dataset's SQL dialect, for a field of type
// FieldType (ftUnknown when not known).
using TDateLiteralFuncGx = void (*)(TDataSet* DataSet, const Variant& Value, TFieldType FieldType, std::string& Text);

// Appends one condition (a leading blank, then the field, the operator and the value's
// literal) for a field of type FieldType to Text.
using TFilterItemBuilderGx = void (*)(TSTFilterOperatorCodeGx Operator, const Variant& Value,
                                      const std::string& FieldName, TFieldType FieldType, TDataSet* DataSet,
                                      TDateLiteralFuncGx DateLiteralFunc, std::string& Text);

// The line of an SQL text that holds the grid's filter condition.
inline constexpr const char* FilterMarker = "/*FILTER*/";
// Raised (after the dataset's class name) when a dataset has no SQL text property.
inline constexpr const char* SNotSQLBasedDataset = " is not SQL based dataset";
// The dialect of the data layer's own engine: dates as it stores them.
inline constexpr const char* SQLiteDialectName = "SQLITE";

// The conditions of all columns joined by AND; empty unless the grid's dataset is open.
// UseOrigins names a field by its Origin when it has one and the column filter names no
// DataField.
void GridFilterText(TCustomDBGridGx* Grid, TFilterItemBuilderGx ItemBuilder, TDateLiteralFuncGx DateLiteralFunc,
                    std::string& Text, bool UseOrigins);
// One column's condition; empty when the column has no field, no condition or a field of
// a kind that cannot be filtered.
std::string ColumnFilterText(TColumnGx* Column, TFilterItemBuilderGx ItemBuilder, TDateLiteralFuncGx DateLiteralFunc,
                             bool UseOrigins);

// Items in the dataset filter language ("[Qty] >= 10", "[Name] LIKE 'Sm%'").
void FilterItemText(TSTFilterOperatorCodeGx Operator, const Variant& Value, const std::string& FieldName,
                    TFieldType FieldType, TDataSet* DataSet, TDateLiteralFuncGx DateLiteralFunc, std::string& Text);
// Items in SQL ("Qty NOT IN (1,2)", "\"Order Date\" >= '2024-03-15'").
void SQLItemText(TSTFilterOperatorCodeGx Operator, const Variant& Value, const std::string& FieldName,
                 TFieldType FieldType, TDataSet* DataSet, TDateLiteralFuncGx DateLiteralFunc, std::string& Text);

// Literals: numbers with a point whatever the locale, Booleans as 1 and 0, texts in single
// quotes with embedded quotes doubled, dates through DateLiteralFunc (else as the data
// layer stores them).
std::string FilterValueText(const Variant& Value, TDataSet* DataSet, TDateLiteralFuncGx DateLiteralFunc,
                            TFieldType FieldType = ftUnknown);
std::string SQLValueText(const Variant& Value, TDataSet* DataSet, TDateLiteralFuncGx DateLiteralFunc,
                         TFieldType FieldType = ftUnknown);
// A date literal by dialect: "ORACLE" TO_DATE(...), "MSACCESS" #MM/DD/YYYY#, "SQLITE" the
// stored text of FieldType ('YYYY-MM-DD', 'hh:nn:ss' or 'YYYY-MM-DD hh:nn:ss'), any
// other the value's text in quotes.
void SQLDateLiteral(const std::string& Dialect, const Variant& Value, std::string& Text,
                    TFieldType FieldType = ftUnknown);
// A field name as SQL reads it: plain names as they are, names with blanks, other
// characters or reserved words in double quotes (each part of a dotted name alone).
std::string SQLFieldName(const std::string& FieldName);

// Writes the grid's filter into the /*FILTER*/ line of the dataset's SQL text and reopens
// it (when IsReopen). On a failure the previous text is put back and the dataset reopened
// before the error is raised.
void ApplySQLFilterText(TCustomDBGridGx* Grid, TDateLiteralFuncGx DateLiteralFunc, bool IsReopen,
                        const std::string& PropName);
// Writes the sort-marked columns as the ORDER BY line (field numbers, or names when
// SortByFieldName), reopening as above.
void ApplySQLOrderBy(TCustomDBGridGx* Grid, TDataSet* DataSet, bool SortByFieldName, const std::string& PropName,
                     bool IsReopen);
// Sets an ADO dataset's Sort from the sort-marked columns; other datasets are left alone.
void ApplyADOSortText(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen);
// The sort string of the sort-marked columns ("Qty DESC, Name"); names that are not
// fields of DataSet are skipped when CheckFields.
std::string SortedColumnsText(TCustomDBGridGx* Grid, TDataSet* DataSet, bool CheckFields);

// The SQL text through the published property PropName: false when there is none that
// holds text. Writing leaves a missing property alone and raises EInvalidCast for an
// object property that is not a string list.
bool ReadSQLTextProperty(TDataSet* DataSet, const std::string& PropName, std::string& Text);
void WriteSQLTextProperty(TDataSet* DataSet, const std::string& PropName, const std::string& Text);
