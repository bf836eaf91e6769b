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
  // Whether grid column ACol has a filter cell: a valid, visible column whose filter is on.
  bool HasFilterCell(int ACol);
  // Stores the text of the filter cell being edited and hides the editor there.
  void CloseFilterEditor();
  // Places the editor over the filter cell again; Reload loads the cell's text too.
  void UpdateFilterEditor(bool Reload);
  // Stores the text being edited and applies every column's condition.
  void ApplyFilterRow();
  // The condition Columns index Index shows: its filter text, empty for unbound columns.
  std::string FilterCellText(int Index);
  // Moves the editor to the next (Forward) or previous filter cell, wrapping once; with
  // ToEdge to the last or first one.
  void MoveToFilterCell(bool Forward, bool ToEdge);
  bool IsActiveControl();
  void UseDefaultGridStyle();
  void GridStyleChanged();
  // The cell-modification test of the current cell; when it passes the dataset is being
  // edited and the link marked modified.
  bool BeginCellModify();
  // Repaints the indicator cell of the active record's row.
  void InvalidateIndicator();
  // The current column's input-method name and mode (else the grid's defaults) go to the
  // grid, its editor and its window.
  void ApplyColumnIme();
  // Switches the mode on when the dataset offers it and no footers show, else off.
  void UpdateCursorMode();
  // Drawing data row Row: the dataset's fields show that record until EndDrawRow.
  void BeginDrawRow(int Row);
  void EndDrawRow();
  bool IsCurrentRecordRow(int Row);
  // The data rows that show a record: every one in the cursor mode, else the link's.
  int RecordRowCount() const;
  void InvalidateGridRect(const TGridRect& GridRect);
  // Whether (X, Y) lies where the frozen columns' right border can be dragged.
  bool InFrozenSizingZone(int X, int Y);
  // Makes the filter editor, the first time a filter cell is entered.
  void MakeFilterEditor();
  // Whether the filter editor may show when placed (no selection is shown).
  bool CanShowFilterEditor();
  // The editor's text becomes the condition of Columns index Index (parsed first: a text
  // that does not parse raises and changes nothing); when leaving a cell or applying.
  void StoreFilterText(int Index);
  // The editor shows the condition of Columns index Index; when a cell is entered.
  void LoadFilterText(int Index);
  // Switches the canvas between mirrored (right-to-left) and normal coordinates.
  void SetCanvasMirrored(bool RightToLeft);
  // Draws an edit button or check box, unmirrored in right-to-left grids.
  void PaintCellButton(const win::RECT& Rect, TColor Color, TButtonDrawKind DrawKind, int PressedPart, bool Flat, bool Active,
                       bool Enabled, int CheckState);
  // Raised (or with Down/Down2 sunken) edges of a cell.
  void DrawCellEdges(const win::RECT& Rect, bool RightSide, bool LeftSide, bool Down, bool Down2);
  // The boundary lines of one area, one poly-polyline per axis.
  void DrawAreaLines(const TGridDrawInfoGx& Info, bool HorzWanted, bool VertWanted, int FirstCol, int FirstRow,
                     const win::RECT& Bounds, TColor OnColor, TColor OffColor, bool RowEndLine, bool ColEndLine);
  // The cells of one area.
  void DrawAreaCells(const TGridDrawInfoGx& Info, int FirstCol, int FirstRow, const win::RECT& Bounds,
                     TColor AreaColor, TGridDrawState BaseState);
  void FireCellClick(TColumnGx* Column);
  void FireCheckButton(int ACol, TColumnGx* Column, bool& Enabled);
  void FireColEnter();
  void FireColExit();
  void FireSortMarkingChanged();
  void FireTitleBtnClick(int ACol, TColumnGx* Column);
  void FireDrawColumnCell(const win::RECT& Rect, int DataCol, TColumnGx* Column, TGridDrawState State);
  void FireDrawDataCell(const win::RECT& Rect, TField* Field, TGridDrawState State);
  void FireGetFooterParams(int DataCol, int Row, TColumnGx* Column, TFont* AFont, TColor& Background,
                                   TAlignment& Alignment, TGridDrawState State, std::string& Text);
  void ReadColumns(TReader* Reader);
  void WriteColumns(TWriter* Writer);
  // The cursor mode's row count, row synchronisation, look-ahead and vertical scrolling.
  void RecountRowsCursorMode();
  void SyncActiveRowCursorMode();
  void FetchAhead();
  void UpdateScrollInfoCursorMode();
  void SafeMoveTop(int Top);
  void VScrollCursorMode(TMessage& Message);
  void ClampTopRow();
  void AdjustCreateParams(TCreateParams& Params);
  void CreateGridWindow();
  // The text the editor shows for Column's cell of the current record, through the
  // column's cell-parameter event; KeyValue (when given) receives the matching key value.
  std::string CellEditText(TColumnGx* Column, Variant* KeyValue = nullptr);
  // True when the editor's cell-parameter event decided the read-only state, given in
  // ReadOnly.
  bool EditorReadOnlyByParams(bool& ReadOnly) const;
  // A column's width W set by the user takes its share from the auto-fit columns to its
  // right.
  void ResizeRightPart(TColumnGx* Column, int W);
  // A typed character: a space steps a check-box or key-image cell; the rest goes to
  // the base grid (which calls KeyPress).
  void HandleCharMessage(TMessage& Message);
  // Moves one record down; an untouched new record at the end stays, elsewhere it is
  // cancelled; at the end of an editable dataset a record is appended.
  void MoveDown(bool Shift);
  // Moves one record up; an untouched new record at the end is cancelled.
  void MoveUp(bool Shift);
  // To the next (previous) tab-stop column, wrapping onto the next (previous) record.
  void MoveTab(bool Forward);
  // Sorts by Column's field on a title click, cycling ascending, descending, unsorted.
  void AutoSortByColumn(TColumnGx* Column);
  // Shows the held title button pressed while (X, Y) lies on its title; (-1, -1) raises it.
  void UpdateTitleButtonShown(int X, int Y);
  // Stops following a title button or selection drag and releases the mouse.
  void EndTitleButtonTracking();
  // Whether (X, Y) lies on the right border of a frozen column in the title area: then
  // Index is that grid column, Pos the border and Ofs Pos - X.
  bool FrozenSizingZone(int X, int Y, int& Index, int& Pos, int& Ofs);
  // Timer 1, which scrolls while a drag is held outside the data cells.
  void StartAutoScrollTimer(int Interval);
  void StopAutoScrollTimer();
  // Edges included.
  static bool PointInsideRect(win::POINT Point, const win::RECT& Rect);
  void CreateOwnedObjects();
  // The write-back of key-list and lookup columns.
  void WriteKeyListText(TColumnGx* Column);
  void WriteLookupText(TColumnGx* Column, TField* Field);
  void BuildOptionsMenu();
  void PaintGlyphSpot();
  void DeferredLayoutMessage(TMessage& Message);
  // The messages the grid answers itself (true: handled).
  bool DispatchGridMessage(TMessage& Message);
  // A press on a filter cell opens its editor; true when handled.
  bool FilterRowMouseMessage(TMessage& Message);
  void SetCursorMessage(TMessage& Message);
  // The columns are kept in the form (customised, or bound to persistent fields).
  bool ColumnsPersistent() const;
  // Scroll-bar messages and focus changes.
  void VertScrollMessage(TMessage& Message);
  // Where a drag has the vertical bar's thumb.
  int VertTrackPos();
  void HorzScrollMessage(TMessage& Message);
  void FocusMessage(TMessage& Message);
  // UpdateVertScrollBar, posting a layout when auto-fitted columns lost or gained room.
  void UpdateVertScrollBarAndFit();
  // The window's size changed.
  void ClientSizeChanged();
  // Layout steps of RebuildLayout.
  void ArrangeColumns();
  void MeasureRows();
  void ApplyHorzScrollBar();
  void FitColumnWidths();
  void MeasureTitleRow();
  // A right release over a data column with its own menu pops that menu up instead of
  // any other; false when there was no such menu.
  bool PopupColumnMenu(TMessage& Message);
  // The mouse's share of the window messages (automatic drags, cancel mode, the
  // auto-scroll timer, release menus); true when the message was handled.
  bool MouseMessage(TMessage& Message);
  // Stops whatever the mouse was doing without applying it.
  void CancelMouseMode();
  // A Ctrl multi-column sort marking that waits is finished: the grid sorts once.
  void FinishCtrlSort();
  // Whether (X, Y) lies on the part of a title cell that acts as its button: in a
  // multi-level title only the leaf's own part.
  bool OnTitleLeaf(int ACol, int X, int Y);
  // Whether (X, Y) lies on the button part of the held title.
  bool OnPressedTitle(int X, int Y);
  // The press steps of a data cell or record, under an update lock.
  void PressCell(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell);
  // Sizes a column while the mouse traces its border.
  void TraceColumnSizing(int X);
  // Width of the indicator and frozen columns left of grid column ACol, lines included.
  int ColumnsLeftOf(int ACol);

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
