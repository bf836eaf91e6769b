#pragma once
// The option sets of the data grid and its private window message.
#include "platform/desktop/WinTypes.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"

enum TDBGridOption {
  dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
  dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete, dgCancelOnExit, dgMultiSelect
};
VANTREL_ENUM(TDBGridOption, "dgEditing", "dgAlwaysShowEditor", "dgTitles", "dgIndicator", "dgColumnResize",
             "dgColLines", "dgRowLines", "dgTabs", "dgRowSelect", "dgAlwaysShowSelection", "dgConfirmDelete",
             "dgCancelOnExit", "dgMultiSelect")
using TDBGridOptions = Set<TDBGridOption>;

enum TDBGridGxOption {
  dghFixed3D, dghFrozen3D, dghFooter3D, dghData3D, dghResizeWholeRightPart, dghHighlightFocus, dghClearSelection,
  dghFitRowHeightToText, dghAutoSortMarking, dghMultiSortMarking, dghEnterAsTab, dghTraceColSizing, dghIncSearch,
  dghPreferIncSearch, dghRowHighlight, dghDblClickOptimizeColWidth
};
VANTREL_ENUM(TDBGridGxOption, "dghFixed3D", "dghFrozen3D", "dghFooter3D", "dghData3D", "dghResizeWholeRightPart",
             "dghHighlightFocus", "dghClearSelection", "dghFitRowHeightToText", "dghAutoSortMarking",
             "dghMultiSortMarking", "dghEnterAsTab", "dghTraceColSizing", "dghIncSearch", "dghPreferIncSearch",
             "dghRowHighlight", "dghDblClickOptimizeColWidth")
using TDBGridGxOptions = Set<TDBGridGxOption>;

enum TDBGridGxAllowedOperation { alopInsertGx, alopUpdateGx, alopDeleteGx, alopAppendGx };
VANTREL_ENUM(TDBGridGxAllowedOperation, "alopInsertGx", "alopUpdateGx", "alopDeleteGx", "alopAppendGx")
using TDBGridGxAllowedOperations = Set<TDBGridGxAllowedOperation>;

enum TDBGridGxEditAction { geaCutGx, geaCopyGx, geaPasteGx, geaDeleteGx, geaSelectAllGx };
VANTREL_ENUM(TDBGridGxEditAction, "geaCutGx", "geaCopyGx", "geaPasteGx", "geaDeleteGx", "geaSelectAllGx")
using TDBGridGxEditActions = Set<TDBGridGxEditAction>;

// Options a new grid starts with.
inline const TDBGridOptions DefaultDBGridOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines,
                                                 dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit};
inline const TDBGridGxOptions DefaultDBGridGxOptions{dghFixed3D, dghHighlightFocus, dghClearSelection};
inline const TDBGridGxAllowedOperations AllDBGridGxOperations{alopInsertGx, alopUpdateGx, alopDeleteGx,
                                                              alopAppendGx};

// Options whose change re-lays the grid out: editing, always-show-editor, titles,
// indicator, both kinds of lines, row select and always-show-selection.
inline const TDBGridOptions LayoutDBGridOptions{dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColLines,
                                                dgRowLines, dgRowSelect, dgAlwaysShowSelection};

// Posted by a grid to itself to rebuild its layout later. Its number is its own: the
// library's popup messages start at 1124 (WM_USER + 100), and a grid's in-place editor
// and drop-downs share the message loop with it.
constexpr win::UINT WM_DEFERREDLAYOUT_GX = 1144;

// The width of the indicator column.
constexpr int IndicatorWidth = 11;
