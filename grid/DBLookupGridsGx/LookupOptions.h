#pragma once
// The options of a lookup grid that map onto the data grid's options.
#include "platform/rtl/Classes.h"

enum TDBLookupGridGxOption {
  dlgColumnResizeGx, dlgColLinesGx, dlgRowLinesGx, dlgAutoSortMarkingGx, dlgMultiSortMarkingGx
};
VANTREL_ENUM(TDBLookupGridGxOption, "dlgColumnResizeGx", "dlgColLinesGx", "dlgRowLinesGx",
             "dlgAutoSortMarkingGx", "dlgMultiSortMarkingGx")
using TDBLookupGridGxOptions = Set<TDBLookupGridGxOption>;
inline constexpr TDBLookupGridGxOptions DefaultLookupGridGxOptions{dlgColLinesGx};
