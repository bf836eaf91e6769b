#pragma once
// The state the data grid's parts share: its owned objects, locks, modes and the
// values behind its properties. Only the grid's own sources include this.
#include "grid/DBGridGx/GridControl.h"

// What a mouse drag does.
enum TGridMouseMode { gmmNone, gmmMarkRows, gmmSelectColumns, gmmSelectRect, gmmSizeFrozenCol };

struct TCustomDBGridGx::TState {
  // Defined where the owned objects' types are complete.
  explicit TState(TCustomDBGridGx& Grid);
  ~TState();
  TCustomDBGridGx& G;

  // ---- helpers of the grid's parts ----

  // ---- state ----
  // Whether the font change under way comes from the parent's font.
  bool FParentFontChanging = false;

  TDBGridGxStyle* FStyle = nullptr;
  std::unique_ptr<TColumnDefValuesGx> FColumnDefValues;
  std::unique_ptr<TDBGridColumnsGx> FColumns;
  std::unique_ptr<TColumnsGxList> FShownColumns;
  std::unique_ptr<TGridDataLinkGx> FDataLink;
  std::unique_ptr<TFont> FTitleFont;
  std::unique_ptr<TBookmarkListGx> FBookmarks;
  std::unique_ptr<THeadTreeNode> FHeadTreeRoot;
  std::vector<THeadTreeNode*> FHeadTreeLeaves;
  std::unique_ptr<TDBGridGxSumList> FSumList;
  std::unique_ptr<TDBGridGxScrollBar> FHorzScrollBar;
  std::unique_ptr<TDBGridGxScrollBar> FVertScrollBar;
  std::unique_ptr<TColumnsGxList> FSortedColumnList;
  std::unique_ptr<TDBGridGxSelection> FSelection;
  std::unique_ptr<TFont> FFooterFont;
  std::unique_ptr<TColCellParamsGx> FCellParams;
  std::unique_ptr<TSTDBGridGxFilter> FSTFilter;
  std::unique_ptr<TChangeLink> FTitleImageChangeLink;
  std::unique_ptr<TBitmap> FGlyphBitmap;
  TPopupMenu* FOptionsMenu = nullptr;
  std::unique_ptr<TMoneyStyle> FCurrencyStyle;
  std::unique_ptr<TFont> FToolTipFont;
  std::unique_ptr<TStrings> FSumFieldNotInclude;
  std::unique_ptr<TStrings> FProtectFieldList;
  TInplaceFilterEditGx* FFilterEditor = nullptr;
  int FFilterColumn = -1;
  // The last press in the filter row (client point) and its message time, for the
  // editor's double-click test.
  win::POINT FFilterMouseDown{0, 0};
  int FFilterMouseTime = 0;
  TCustomImageList* FTitleImages = nullptr;
  bool FDrawBitmapShared = false;
  bool FDefaultDrawingGx = true;

  std::uint8_t FIndicatorColCount = 1;
  std::uint8_t FTitleAreaRowCount = 0;
  std::uint8_t FUpdateLockCount = 0;
  std::uint8_t FLayoutLockCount = 0;
  std::string FEditText;
  Variant FEditValue;
  int FEditButtonWidth = 0;
  int FEditButtonHeight = 0;
  int FTextMargin = 4;
  std::string FSearchText;
  bool FSearching = false;
  int FSearchTimeout = -1;
  bool FSearchTimerRunning = false;
  // The search itself moves the dataset: the row synchronisation leaves the search on.
  bool FSearchMoving = false;
  // Keyboard state: the character being handled and the row-selection anchor.
  bool FShiftExtends = false;
  std::string FCharText;
  std::string FRowAnchor;
  bool FRowAnchorMarked = false;
  bool FRowAnchorSet = false;
  bool FInColExit = false;
  bool FFilterEditing = false;
  bool FPaintLocked = false;
  bool FRowsAllowWrap = false;
  bool FLayoutPending = false;
  bool FSelectionShownActive = false;
  int FComputedTitleHeight = 0;
  int FPressedTitleCol = -1;
  // Mouse state.
  TGridMouseMode FMouseMode = gmmNone;
  win::POINT FLastMouseDown{0, 0};
  bool FMouseTracking = false;
  bool FTitleButtonShown = false;
  bool FRowSelecting = false;
  bool FRectSelecting = false;
  bool FDragPending = false;
  TGridCoord FCheckClickCell{-1, -1};
  // The cell of the last press.
  TGridCoord FMouseDownCell{-1, -1};
  bool FCtrlSort = false;
  bool FRowSizing = false;
  bool FAutoDragOnSelection = false;
  // The press became a column move; its release is no title click.
  bool FTitleDragged = false;
  // The title-button click being released marked the sort itself.
  bool FClickSortMarked = false;
  // A menu opened on the release being handled: no other one opens for it.
  bool FReleaseMenuShown = false;
  int FAutoScrollInterval = -1;
  bool FWholeDataSetCursorAllowed = true;
  std::string FDefaultImeName;
  int FIndicatorRow = -1;
  // The VisibleMode last applied to the window's vertical bar (-1: none yet).
  int FAppliedVertMode = -1;
  // A tracked thumb moved the dataset: the thumb-position message that ends the drag
  // changes nothing.
  bool FSkipThumbPosition = false;
  bool FRecalculatingSums = false;
  // The saved view position: the record in the buffer's middle row (empty: nothing
  // saved) and the current record's distance from it.
  std::string FViewBookmark;
  int FViewDistance = 0;
  int FNonClientInset = 0;
  IMemTableGx* FMemTable = nullptr;
  // The dataset FMemTable belongs to, known by identity when it is freed.
  TDataSet* FMemTableDataSet = nullptr;
  bool FFetchingAhead = false;
  int FSavedDrawRecord = -1;
  // LeftCol at the last top-left change (-1: none yet).
  int FLastLeftCol = -1;
  TImeMode FDefaultImeMode = imDontCare;

  TDBGridGxAllowedOperations FAllowedOperations = AllDBGridGxOperations;
  TDBGridGxAllowedSelections FAllowedSelections{gstRecordBookmarks, gstRectangle, gstColumns, gstAll};
  bool FAutoFitColWidths = false;
  bool FDrawMemoText = false;
  TDBGridGxEditActions FEditActions;
  bool FFlat = false;
  TColor FFooterColor = clWindow;
  int FFooterRowCount = 0;
  int FFrozenCols = 0;
  int FMinAutoFitWidth = 0;
  TDBGridOptions FOptions = DefaultDBGridOptions;
  TDBGridGxOptions FOptionsGx = DefaultDBGridGxOptions;
  bool FReadOnly = false;
  int FRowHeight = 0;
  int FRowLines = 0;
  bool FRowSizingAllowed = false;
  bool FSortLocal = false;
  bool FSortOnColumnClick = true;
  int FTitleHeight = 0;
  int FTitleLines = 0;
  bool FUseMultiTitle = false;
  int FVTitleMargin = 10;
  bool FShowImage = false;
  bool FUseMenu = true;
  bool FAutoSort = true;
  bool FShowBmp = false;
  bool FRowColorFlag = false;
  TColor FRowOneColor = clWindow;
  TColor FRowTwoColor = 0xF0FBFF;
  bool FDrawCurrency = false;
  bool FMoneyTextFormatting = false;
  bool FNeedPaintCurrHead = false;
  bool FFooterDisplayStyle = false;
  bool FAutoSetFooterWhenRestore = true;
  TColor FFixGridlinecolor = clGray;
  TColor FGridlinecolor = clGray;
  bool FAllowMoveColumn = true;
  bool FAutoRestoreGrid = false;
  bool FDisableMoveColumn = false;

  TDBGridGxClickEvent FOnCellClick, FOnTitleClick;
  TTitleGxClickEvent FOnTitleBtnClick;
  TCheckTitleGxBtnEvent FOnCheckButton;
  TNotifyEvent FOnColEnter, FOnColExit, FOnColWidthsChanged, FOnEditButtonClick, FOnSortMarkingChanged,
      FOnApplyFilter, FOnDblFilterClick, FOnSumListRecalcAll, FOnSumListAfterRecalcAll;
  TMovedEvent FOnColumnMoved;
  TDrawColumnGxCellEvent FOnDrawColumnCell;
  TDrawDataCellEvent FOnDrawDataCell;
  TDrawFooterCellEvent FOnDrawFooterCell;
  TGetCellGxParamsEvent FOnGetCellParams;
  TGetFooterParamsEvent FOnGetFooterParams;
  TGetBtnGxParamsEvent FOnGetBtnParams;
};
