#pragma once
// Enumerations and small types shared by datasets, fields and data links.
#include <cstdint>
#include <string>

#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"

enum TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency,
  ftBCD, ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo,
  ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar,
  ftWideString, ftLargeint, ftADT, ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob,
  ftVariant, ftInterface, ftIDispatch, ftGuid, ftTimeStamp, ftFMTBcd, ftFixedWideChar,
  ftWideMemo
};

enum TDataSetState {
  dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter, dsNewValue,
  dsOldValue, dsCurValue, dsBlockRead, dsInternalCalc, dsOpening
};

enum TDataEvent {
  deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange,
  deUpdateRecord, deUpdateState, deCheckBrowseMode, dePropertyChange, deFieldListChange,
  deFocusControl, deParentScroll, deConnectChange, deReconcileError, deDisabledStateChange
};

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };

enum TLocateOption { loCaseInsensitive, loPartialKey };
using TLocateOptions = Set<TLocateOption>;

enum TGetMode { gmCurrent, gmNext, gmPrior };
enum TGetResult { grOK, grBOF, grEOF, grError };
enum TBookmarkFlag { bfCurrent, bfBOF, bfEOF, bfInserted };

enum TResyncModeItem { rmExact, rmCenter };
using TResyncMode = Set<TResyncModeItem>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TIndexOption {
  ixPrimary, ixUnique, ixDescending, ixCaseInsensitive, ixExpression, ixNonMaintained
};
using TIndexOptions = Set<TIndexOption>;

enum TFieldAttribute { faHiddenCol, faReadonly, faRequired, faLink, faUnNamed, faFixed };
using TFieldAttributes = Set<TFieldAttribute>;

VANTREL_ENUM(TFieldType, "ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean", "ftFloat", "ftCurrency", "ftBCD", "ftDate", "ftTime", "ftDateTime", "ftBytes", "ftVarBytes", "ftAutoInc", "ftBlob", "ftMemo", "ftGraphic", "ftFmtMemo", "ftParadoxOle", "ftDBaseOle", "ftTypedBinary", "ftCursor", "ftFixedChar", "ftWideString", "ftLargeint", "ftADT", "ftArray", "ftReference", "ftDataSet", "ftOraBlob", "ftOraClob", "ftVariant", "ftInterface", "ftIDispatch", "ftGuid", "ftTimeStamp", "ftFMTBcd", "ftFixedWideChar", "ftWideMemo")
VANTREL_ENUM(TDataSetState, "dsInactive", "dsBrowse", "dsEdit", "dsInsert", "dsSetKey", "dsCalcFields", "dsFilter", "dsNewValue", "dsOldValue", "dsCurValue", "dsBlockRead", "dsInternalCalc", "dsOpening")
VANTREL_ENUM(TFieldKind, "fkData", "fkCalculated", "fkLookup", "fkInternalCalc", "fkAggregate")
VANTREL_ENUM(TLocateOption, "loCaseInsensitive", "loPartialKey")
VANTREL_ENUM(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")
VANTREL_ENUM(TIndexOption, "ixPrimary", "ixUnique", "ixDescending", "ixCaseInsensitive", "ixExpression", "ixNonMaintained")
VANTREL_ENUM(TFieldAttribute, "faHiddenCol", "faReadonly", "faRequired", "faLink", "faUnNamed", "faFixed")

// A bookmark names one record; its order is the dataset's order, compared with
// TDataSet::CompareBookmarks (never by the bytes of the string).
using TBookmark = std::string;
using TBookmarkStr = std::string;

inline bool IsEditState(TDataSetState s) { return s == dsEdit || s == dsInsert || s == dsSetKey; }

// Field types that hold large objects (read through blob fields).
inline bool IsBlobType(TFieldType t) {
  return t == ftBlob || t == ftMemo || t == ftGraphic || t == ftFmtMemo || t == ftParadoxOle ||
         t == ftDBaseOle || t == ftTypedBinary || t == ftOraBlob || t == ftOraClob ||
         t == ftWideMemo;
}
