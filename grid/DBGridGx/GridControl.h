#pragma once
// TCustomDBGridGx: the data-aware grid. It shows the records of a dataset (through a
// data source) as rows and the dataset's fields as columns, with titles, an optional
// filter row, an indicator column, footers, frozen columns, in-place editing,
// multi-selection, sort markers and an options menu. TDBGridGx publishes it.
#include <memory>
#include <string>
#include <vector>

#include "grid/DBGridGx/GridColumnEvents.h"
#include "grid/DBGridGx/GridDrawInfo.h"
#include "grid/DBGridGx/GridOptions.h"
#include "grid/DBGridGx/Selection.h"
#include "grid/DBGridGx/Style.h"
#include "grid/DBGridGx/Titles.h"
#include "gridcontrols/DBCtrlsGx/DBEdit.h"
#include "platform/controls/Grids.h"
#include "platform/controls/Menus.h"
#include "platform/data/DataSource.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/Variant.h"

class TColumnGx;
class TDBGridColumnGx;
class TDBGridColumnsGx;
class TColumnDefValuesGx;
class TDBGridGxColumnDefValuesGx;
class TColumnsGxList;
class TGridDataLinkGx;
class TBookmarkListGx;
class THeadTreeNode;
class TDBGridGxSumList;
class TDBGridGxScrollBar;
class TDBGridGxSelection;
class TColCellParamsGx;
class TSTDBGridGxFilter;
class TMoneyStyle;
class TField;
class TDataSet;
class TInplaceFilterEditGx;
class IMemTableGx;

using TDBGridGxClickEvent = TEvent<void(TColumnGx* Column)>;
using TMovedEvent = TEvent<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TDrawDataCellEvent =
    TEvent<void(TObject* Sender, const win::RECT& Rect, TField* Field, TGridDrawState State)>;
using TDrawFooterCellEvent = TEvent<void(TObject* Sender, int DataCol, int Row, TColumnGx* Column,
                                         win::RECT& Rect, TGridDrawState State)>;
using TGetBtnGxParamsEvent = TEvent<void(TObject* Sender, TColumnGx* Column, TFont* AFont, TColor& Background,
                                         TSortMarkerGx& SortMarker, bool IsDown)>;
using TGetFooterParamsEvent =
    TEvent<void(TObject* Sender, int DataCol, int Row, TColumnGx* Column, TFont* AFont, TColor& Background,
                TAlignment& Alignment, TGridDrawState State, std::string& Text)>;

// The grid is also the holder of its filter-row editor.
class TCustomDBGridGx : public TCustomGrid, public IDBGridGxStyleClient, public IInplaceEditHolderGx {
  VANTREL_CLASS(TCustomDBGridGx, TCustomGrid)
  // The cell editor reads and writes the grid's edit text and value and asks its editing
  // tests.
  friend class TDBGridInplaceEdit;
public:
  explicit TCustomDBGridGx(TComponent* AOwner);
  ~TCustomDBGridGx() override;

  // ---- published properties (TDBGridGx publishes them) ----
  TDBGridGxAllowedOperations AllowedOperations() const; void SetAllowedOperations(TDBGridGxAllowedOperations Value);
  // Setting it clears a selection whose kind is no longer allowed.
  TDBGridGxAllowedSelections AllowedSelections() const; void SetAllowedSelections(TDBGridGxAllowedSelections Value);
  bool AutoFitColWidths() const; void SetAutoFitColWidths(bool Value);
  TColumnDefValuesGx* ColumnDefValues() const; void SetColumnDefValues(TColumnDefValuesGx* Value);
  TDBGridColumnsGx* Columns() const; void SetColumns(TDBGridColumnsGx* Value);
  TDataSource* DataSource() const; void SetDataSource(TDataSource* Value);
  // The grid draws cell contents itself before the drawing events.
  bool DefaultDrawing() const; void SetDefaultDrawing(bool Value);
  bool DrawMemoText() const; void SetDrawMemoText(bool Value);
  TDBGridGxEditActions EditActions() const; void SetEditActions(TDBGridGxEditActions Value);
  bool Flat() const; void SetFlat(bool Value);
  TColor FooterColor() const; void SetFooterColor(TColor Value);
  TFont* FooterFont() const; void SetFooterFont(TFont* Value);
  int FooterRowCount() const; void SetFooterRowCount(int Value);
  int FrozenCols() const; void SetFrozenCols(int Value);
  TDBGridGxScrollBar* HorzScrollBar() const; void SetHorzScrollBar(TDBGridGxScrollBar* Value);
  TDBGridGxScrollBar* VertScrollBar() const; void SetVertScrollBar(TDBGridGxScrollBar* Value);
  int MinAutoFitWidth() const; void SetMinAutoFitWidth(int Value);
  TDBGridOptions Options() const; void SetOptions(TDBGridOptions Value);
  TDBGridGxOptions OptionsGx() const; void SetOptionsGx(TDBGridGxOptions Value);
  bool ReadOnly() const; void SetReadOnly(bool Value);
  int RowHeight() const; void SetRowHeight(int Value);
  int RowLines() const; void SetRowLines(int Value);
  bool RowSizingAllowed() const; void SetRowSizingAllowed(bool Value);
  bool SortLocal() const; void SetSortLocal(bool Value);
  bool SortOnColumnClick() const; void SetSortOnColumnClick(bool Value);
  TSTDBGridGxFilter* STFilter() const; void SetSTFilter(TSTDBGridGxFilter* Value);
  TDBGridGxSumList* SumList() const; void SetSumList(TDBGridGxSumList* Value);
  TFont* TitleFont() const; void SetTitleFont(TFont* Value);
  int TitleHeight() const; void SetTitleHeight(int Value);
  TCustomImageList* TitleImages() const; void SetTitleImages(TCustomImageList* Value);
  int TitleLines() const; void SetTitleLines(int Value);
  bool UseMultiTitle() const; void SetUseMultiTitle(bool Value);
  int VTitleMargin() const; void SetVTitleMargin(int Value);
  bool ShowImage() const; void SetShowImage(bool Value);

  // The system's own additions.
  bool UseMenu() const; void SetUseMenu(bool Value);
  bool AutoSort() const; void SetAutoSort(bool Value);
  bool ShowBmp() const; void SetShowBmp(bool Value);
  bool RowColorFlag() const; void SetRowColorFlag(bool Value);
  TColor RowOneColor() const; void SetRowOneColor(TColor Value);
  TColor RowTwoColor() const; void SetRowTwoColor(TColor Value);
  // The grid's own money style; the writer copies the given style's settings into it.
  TMoneyStyle* CurrencyStyle() const; void SetCurrencyStyle(TMoneyStyle* Value);
  bool DrawCurrency() const; void SetDrawCurrency(bool Value);
  // Whether amounts are formatted as money text (switched on for good by DrawCurrency).
  bool MoneyTextFormatting() const;
  bool NeedPaintCurrHead() const; void SetNeedPaintCurrHead(bool Value);
  bool FooterDisplayStyle() const; void SetFooterDisplayStyle(bool Value);
  bool AutoSetFooterWhenRestore() const; void SetAutoSetFooterWhenRestore(bool Value);
  TStrings* SumFieldNotInclude(); void SetSumFieldNotInclude(TStrings* Value);
  TColor FixGridlinecolor() const; void SetFixGridlinecolor(TColor Value);
  TColor Gridlinecolor() const; void SetGridlinecolor(TColor Value);
  bool AllowMoveColumn() const; void SetAllowMoveColumn(bool Value);
  bool AutoRestoreGrid() const; void SetAutoRestoreGrid(bool Value);
  bool DisableMoveColumn() const; void SetDisableMoveColumn(bool Value);
  TStrings* ProtectFieldList(); void SetProtectFieldList(TStrings* Value);
  // Lists created on first read are stored only when they hold something.
  bool SumFieldNotIncludeStored() const;
  bool ProtectFieldListStored() const;

  // ---- events ----
  TDBGridGxClickEvent OnCellClick() const; void SetOnCellClick(const TDBGridGxClickEvent& Value);
  TDBGridGxClickEvent OnTitleClick() const; void SetOnTitleClick(const TDBGridGxClickEvent& Value);
  TTitleGxClickEvent OnTitleBtnClick() const; void SetOnTitleBtnClick(const TTitleGxClickEvent& Value);
  TCheckTitleGxBtnEvent OnCheckButton() const; void SetOnCheckButton(const TCheckTitleGxBtnEvent& Value);
  TNotifyEvent OnColEnter() const; void SetOnColEnter(const TNotifyEvent& Value);
  TNotifyEvent OnColExit() const; void SetOnColExit(const TNotifyEvent& Value);
  TMovedEvent OnColumnMoved() const; void SetOnColumnMoved(const TMovedEvent& Value);
  TNotifyEvent OnColWidthsChanged() const; void SetOnColWidthsChanged(const TNotifyEvent& Value);
  TDrawColumnGxCellEvent OnDrawColumnCell() const; void SetOnDrawColumnCell(const TDrawColumnGxCellEvent& Value);
  TDrawDataCellEvent OnDrawDataCell() const; void SetOnDrawDataCell(const TDrawDataCellEvent& Value);
  TDrawFooterCellEvent OnDrawFooterCell() const; void SetOnDrawFooterCell(const TDrawFooterCellEvent& Value);
  TGetCellGxParamsEvent OnGetCellParams() const; void SetOnGetCellParams(const TGetCellGxParamsEvent& Value);
  TGetBtnGxParamsEvent OnGetBtnParams() const; void SetOnGetBtnParams(const TGetBtnGxParamsEvent& Value);
  TGetFooterParamsEvent OnGetFooterParams() const; void SetOnGetFooterParams(const TGetFooterParamsEvent& Value);
  TNotifyEvent OnEditButtonClick() const; void SetOnEditButtonClick(const TNotifyEvent& Value);
  TNotifyEvent OnSortMarkingChanged() const; void SetOnSortMarkingChanged(const TNotifyEvent& Value);
  TNotifyEvent OnApplyFilter() const; void SetOnApplyFilter(const TNotifyEvent& Value);
  TNotifyEvent OnDblFilterClick() const; void SetOnDblFilterClick(const TNotifyEvent& Value);
  TNotifyEvent OnSumListRecalcAll() const; void SetOnSumListRecalcAll(const TNotifyEvent& Value);
  TNotifyEvent OnSumListAfterRecalcAll() const; void SetOnSumListAfterRecalcAll(const TNotifyEvent& Value);

  // ---- what the grid shows and holds ----
  int IndicatorColCount() const;
  int TitleAreaRowCount() const;
  // Grid rows holding records (the rows between the title area and the separator).
  int DataRowCount() const;
  // Data rows a page holds, for scrolling.
  int VisibleDataRowCount();
  // The grid cells of the data columns and data rows, and their client pixels.
  TGridRect DataCellBounds() const;
  win::RECT DataAreaRect();
  // The areas of a grid cell; DataCol and AreaRow count within them. A cell outside
  // the grid (a coordinate of -1) is no cell; other impossible rows raise.
  TGridCellTypeGx GetCellType(int ACol, int ARow, int& DataCol, int& AreaRow);
  void CalcDrawInfoGx(TGridDrawInfoGx& Info);
  void CalcDrawInfoGxXY(TGridDrawInfoGx& Info, int UseWidth, int UseHeight);
  const std::string& EditText() const;
  const Variant& EditValue() const;
  int EditButtonWidth() const;
  int EditButtonHeight() const;
  int TextMargin() const;
  const std::string& SearchText() const;
  bool Searching() const;
  bool PaintLocked() const;
  // Rows are tall enough for word-wrapped cell text (set by the layout).
  bool RowsAllowWrap() const;
  // Whether the grid had the focus when the selection was last drawn.
  bool SelectionShownActive() const;
  // The title row height the layout computed from TitleHeight and TitleLines.
  int ComputedTitleHeight() const;
  // The title button being pressed (a grid column, -1 when none) and whether it is drawn
  // sunken (the pointer is over its title).
  int PressedTitleCol() const;
  bool TitleButtonShown() const;
  // The width of the flat border drawn around the client area (0 or 1).
  int NonClientInset() const;
  // The last mouse release ended a row sizing (the row-heights reaction reads it).
  bool RowSizing() const;
  void SetRowSizing(bool Value);
  // The grid row whose indicator cell shows the active record; -1 until a row was drawn.
  int IndicatorRow() const;
  // One grid row per record the dataset makes available (no footers, dataset offers it).
  bool CursorModeActive() const;
  TColumnsGxList* ShownColumns() const;
  TColumnsGxList* SortedColumnList() const;
  TGridDataLinkGx* GridLink() const;
  TBookmarkListGx* BookmarkedRows() const;
  TDBGridGxSelection* GridSelection() const;
  TColCellParamsGx* CellParams() const;
  // The multi-title tree; a leaf per Columns index (nil outside the last layout's leaves).
  THeadTreeNode* HeadTreeRoot() const;
  THeadTreeNode* HeadTreeLeaf(int I) const;
  // The height of the title area below Node's own cell; stores each child's height.
  int MeasureHeadTree(THeadTreeNode* Node);
  // Rebuilds the header tree from the column captions and the leaf of each column.
  void BuildHeadTree();
  // The "DBGRID_BMP" glyph.
  TBitmap* GlyphBitmap() const;
  // The options menu; nil once it was freed elsewhere.
  TPopupMenu* OptionsMenu() const;
  TDBGridGxStyle* GridStyle() const;
  void SetGridStyle(TDBGridGxStyle* Value) override;

  // ---- the filter row ----
  TInplaceFilterEditGx* FilterEditor() const;
  bool FilterEditing() const;
  // The Columns index of the filter cell being edited or last edited (-1 before the first).
  int FilterColumn() const;
  // Opens the filter editor in the filter cell of grid column ACol (Up from the data, a
  // press on the cell, moving between filter cells).
  virtual void ShowFilterEditor(int ACol);
  // Stores the editor's text, hides it and gives the cells back to the cell editor.
  void EndFilterEditing();
  // Hides the editor without storing its text and ends filter editing.
  void AbandonFilterEditing();
  bool IsFilterRowCell(int ACol, int ARow);
  // The holder's side of the filter editor.
  bool CanEditorModify(TCustomDBEditGx* Editor) override;
  void GetLastMouseDown(win::POINT& Pos, int& Time) override;
  void PreviewEditorMessage(TCustomDBEditGx* Editor, TMessage& Message) override;
  void EditorKeyDown(TCustomDBEditGx* Editor, win::WORD& Key, TShiftState Shift) override;
  void EditorKeyPress(TCustomDBEditGx* Editor, TKeyChar& Key) override;
  void EditorKeyUp(TCustomDBEditGx* Editor, win::WORD& Key, TShiftState Shift) override;
  // Options menu commands.
  void ShowColumnDialog(TObject* Sender);
  void MenuFilterRowClick(TObject* Sender);
  void MenuClearFilterClick(TObject* Sender);

  // ---- layout locks: the outermost layout unlock rebuilds ----
  int UpdateLockCount() const;
  int LayoutLockCount() const;
  void LockUpdates();
  void UnlockUpdates();
  void LockLayout();
  bool TryLockLayout();
  void UnlockLayout();
  void ReleaseLayoutLock();
  // Releases the caller's layout lock without a rebuild and asks for one later.
  void UnlockLayoutDeferred();
  // Asks for one rebuild later (a posted message); touches no lock count.
  void PostDeferredLayout();

  // ---- columns, the current cell and the selection ----
  int GridToDataColumn(int I) const;
  int DataToGridColumn(int I) const;
  int CurrentGridColumn() const { return Col(); }
  // Makes a grid column current, frozen columns included.
  void SetCurrentGridColumn(int ACol);
  int CurrentDataColumn() const { return GridToDataColumn(Col()); }
  TColumnGx* CurrentColumn() const;
  TField* CurrentColumnField() const;
  void SelectDataColumn(int I);
  // Makes grid column ACol current, walking by Step (-1, 0, +1) past hidden columns.
  void SelectGridColumn(int ACol, int Step, bool ExtendRect);
  // Moves the dataset by Distance (to the first or last record with ToEnd), extending
  // a row (RowMode or dgRowSelect) or rectangle selection when Extend.
  void MoveBySelecting(bool Extend, int Distance, bool RowMode, bool ToEnd);
  // Forgets where a Shift-extension of marked rows started.
  void ResetRowAnchor();
  const std::string& CharText() const;
  bool CanSelectKind(TDBGridGxSelectionType Kind) const;
  void ClearSelection();
  // Drops every reference the grid keeps to a column that is being freed.
  void ForgetColumn(TColumnGx* Column);
  // The first column bound to FieldName (ignoring case); raises the grid error when none.
  TColumnGx* ColumnByFieldName(const std::string& FieldName) const;
  // The first column with that field name (upper-cased comparison), or nil.
  TColumnGx* FindColumnNoCase(const std::string& FieldName) const;
  bool InplaceEditorVisible() const;
  void InvalidateCellEditor();
  void ShowCellEditor();
  bool EditorAlwaysShown();
  bool TakeFocus();
  bool IsCellSelected(int ACol, int ARow, const std::string& Bookmark, int DataCol);
  bool SelectionHasFocus();
  void SelectionChanged();
  int TitleRowCount();
  bool FixedCellColors(int ACol, int ARow, TFont* AFont, TColor& Background, bool Selected,
                       TGridDrawState AState, int CellType, int AreaCol, int AreaRow);
  void UpdateHorzScrollBar();

  // ---- footers, optimal widths, sorting and filtering through the dataset ----
  // Repaints the footer rows, from the bottom row upwards.
  void InvalidateFooterRows();
  // Text := what footer row FooterIndex of Column shows (printing and export ask too).
  void FooterValueText(int FooterIndex, TColumnGx* Column, std::string& Text);
  // Fits Column, and with a column or whole-grid selection the selected columns, to
  // the widest text of their titles, records and footers.
  void OptimizeColumnWidth(TColumnGx* Column);
  void OptimizeColumnsWidth(TColumnsGxList* List);
  // Each raises Width to what Column's title, current record or footers need.
  void TitleTextWidth(TColumnGx* Column, int& Width);
  void CellTextWidth(TColumnGx* Column, int& Width);
  void FooterTextWidth(TColumnGx* Column, int& Width);
  // Remember and restore which records the rows show and which one is current, around a
  // walk over the dataset.
  void SaveViewPosition();
  void RestoreViewPosition();
  void ApplyFilterDefault();
  void ApplySortingDefault();
  void HandleTitleClick(TColumnGx* Column);
  void FireGetCellParams(TColumnGx* Column, TFont* AFont, TColor& Background, TGridDrawState State);
  // Writes cell text, unmirrored in right-to-left grids.
  void PaintCellText(const win::RECT& Rect, int DX, int DY, const std::string& Text, TAlignment Alignment,
                     TTextLayout Layout, bool WordWrap, bool EndEllipsis, int LeftMargin, int RightMargin);

  // ---- edit actions: each test says whether its operation may run now; the keys call
  // the operation only when its EditActions member is set and the test holds ----
  bool CanCopySelection();
  bool CanDeleteSelection();
  bool CanCutSelection();
  bool CanPasteIntoGrid();
  bool CanSelectAllRecords();
  // Whether the allowed operations permit changing the current record at all.
  bool OperationsAllowEdit();
  // The work is the clipboard actions the output unit registered.
  void CopyGridSelection();
  void CutGridSelection();
  void PasteIntoGrid();
  void DeleteGridSelection();
  // Runs on Ctrl+' (PreviousValueShortCut).
  virtual void CopyPreviousValue();
  // Actions go to the data link, which answers for them.
  bool ExecuteAction(TObject* Action) override;
  bool UpdateAction(TObject* Action) override;

  // ---- what derived grids and the data link change ----
  // Whether the focused row gets a focus rectangle; when cells are drawn.
  virtual bool WantsRowFocusRect();
  // Whether a cell is drawn raised; when cells are drawn.
  virtual bool IsCell3D(int ACol, int ARow, TGridDrawState AState, const win::RECT& ARect);
  // The filter rows shown; when the layout counts the title area.
  virtual int FilterRowCount();
  // A data cell's font and background; when a data cell is drawn.
  virtual bool DataCellColors(int DataCol, int DataRow, TFont* AFont, TColor& Background, TGridDrawState AState,
                              const std::string& Text);
  // After the dataset's data changed.
  virtual void RefreshAfterDataChange();
  // A record or one of its fields (nil: the whole record) changed in the dataset.
  virtual void RecordChanged(TField* Field);
  // Writes the editor's text back into the current field (the data link asks for it).
  virtual void WriteEditorText();
  // When the data link maps the fields to columns.
  virtual void BuildFieldMap();
  // When the non-client area is painted.
  virtual void PaintFlatBorder();
  // When a cell of the title area is drawn.
  virtual void DrawTitleAreaCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState);
  // When default columns are made: the dataset fields that get one.
  virtual void CollectDataSetFields(TList* List);
  // When columns, fields or sizes changed and the layout must be rebuilt.
  virtual void RequestLayout();
  // When the data link is opened or closed.
  virtual void LinkActiveChanged();
  // When the dataset scrolled by Distance records.
  virtual void ScrollRows(int Distance);
  // When the columns' attributes (widths, titles, fields) were changed.
  virtual void ApplyColumnAttributes();
  // Each auto-scroll timer tick while a drag is held at (X, Y).
  virtual void AutoScrollStep(int X, int Y);
  // When the active record moved: the grid's row follows it.
  virtual void SyncActiveRow();
  // When the record count or the rows shown may have changed.
  virtual void RecountRows();
  // When the vertical bar must show the dataset's position again.
  virtual void UpdateVertScrollBar();
  // Extends the search text by Text and finds the first record (Direction 0), the next
  // (1) or the previous (2) match in the current column; a negative TimeOut never ends.
  virtual void IncrementalSearch(const std::string& Text, int TimeOut, int Direction = 0);
  void StopIncrementalSearch();
  // The factories the constructor (and RemakeColumnObjects) call.
  virtual TColumnDefValuesGx* CreateColumnDefValues();
  virtual TDBGridColumnsGx* CreateColumns();
  virtual TDBGridGxScrollBar* CreateScrollBar(TScrollBarKind Kind);
  // When a column's edit button is clicked.
  virtual void FireEditButtonClick();

  // ---- lifecycle and streaming ----
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void ChangeScale(int M, int D) override;
  void DefaultHandler(TMessage& Message) override;
  // Column sizing limited to the grid's columns; row sizing only over the indicator.
  void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                       TGridDrawInfo& FixedInfo) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;
  // Presses on filter cells are taken before the window's click-to-focus, which the
  // filter editor's keeping of the focus would otherwise swallow.
  void WndProc(TMessage& Message) override;
  // Leaving the grid: an untouched new record is cancelled with dgCancelOnExit, else the
  // editor's text is written; a failed write keeps the focus in the grid.
  void DoExit() override;
  // The wheel: outside the cursor mode the dataset moves by one record; in it the view
  // scrolls (a page with Ctrl) and Shift moves the dataset.
  bool DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) override { return HandleMouseWheel(true, Shift, MousePos); }
  bool DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) override { return HandleMouseWheel(false, Shift, MousePos); }
  // What the grid forgets when a component it refers to is removed.
  virtual void ForgetRemovedComponent(TComponent* AComponent);
  // Makes the columns and their defaults again through CreateColumns and
  // CreateColumnDefValues; a derived grid's constructor calls it to get its own kinds.
  void RemakeColumnObjects();
  void SetWholeDataSetCursorAllowed(bool Value);
  // The width of the border drawn in the non-client area, for grids that draw their own.
  void SetNonClientInset(int Value);
  // Rebuilds the layout (at the outermost layout unlock).
  virtual void RebuildLayout();
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  TInplaceEdit* CreateEditor() override;
  bool CanEditShow() override;
  void DrawCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState) override;
  bool CanEditAcceptKey(TKeyChar Key) override;
  bool CanEditModify() override;
  int GetEditLimit() override;
  std::string GetEditMask(int ACol, int ARow) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  // Leaving a column writes the text typed into it first.
  bool SelectCell(int ACol, int ARow) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void TopLeftChanged() override;
  void TimedScroll(TGridScrollDirection Direction) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  // Releasing Ctrl sorts by the titles Ctrl-clicked meanwhile.
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  bool HandleMouseWheel(bool Down, TShiftState Shift, win::POINT MousePos);
  // Handlers bound to the owned objects' events and the options menu.
  void FilterEditKeyPress(TObject* Sender, TKeyChar& Key);
  void TitleFontChanged(TObject* Sender);
  void FooterFontChanged(TObject* Sender);
  void TitleImageListChanged(TObject* Sender);
  void SumListChanged(TObject* Sender);
  void SumListRecalcAll(TObject* Sender);
  void SumListAfterRecalcAll(TObject* Sender);
  void MenuPrintClick(TObject* Sender);
  void MenuRestoreLayoutClick(TObject* Sender);
  void MenuSaveLayoutClick(TObject* Sender);
  // The search and the tool tips.
  void StartSearchTimer();
  void StopSearchTimer();
  int SearchTimeOut();
  void DrawSearchHighlight(int DataCol, int DataRow, const win::RECT& Rect, TGridDrawState State, int L, int T);
  bool InSearchMode();
  bool SearchTimerMessage(TMessage& Message);
  void HandleHintShowPause(TMessage& Message);
  void HandleHintShow(TMessage& Message);
  std::string TipCellText(TColumnGx* Column);
  // Steps of cell drawing; the rectangles are already inset for 3D cells.
  void DrawIndicatorCell(int DataRow, const win::RECT& Rect, int L);
  bool DrawTitleCell(int ACol, int DataCol, const win::RECT& Rect, TGridDrawState AState, int L, int T);
  bool DrawDataCellBody(int ACol, int ARow, int DataCol, int DataRow, const win::RECT& Rect, TGridDrawState AState,
                        int L, int T);
  bool DrawFooterCellBody(int ACol, int ARow, int DataCol, int DataRow, const win::RECT& Rect,
                          TGridDrawState AState, int L, int T);
  void DrawCellEditButton(TEditButtonStyleGx Style, const win::RECT& Rect, TBitmap* Glyph, TColor Color,
                          bool Enabled, const win::RECT& CellRect);
  void DrawUpperTitleLevels(THeadTreeNode* Node, const win::RECT& ChildRect, const win::RECT& CellRect, bool Fixed);
  void DrawFieldPicture(const win::RECT& Rect, TColumnGx* Column);
  // Runs Action with Rect in unmirrored device coordinates in right-to-left grids.
  template <class F>
  void Unmirrored(const win::RECT& Rect, F&& Action);
  bool ColumnsStored() const;
  bool Loading() const;
  // The window's vertical bar is shown.
  bool VertBarShown();

  // The state the grid's parts share (grid/DBGridGx/GridPrivate.h).
  struct TState;
  std::unique_ptr<TState> P;
};

// The grid that forms place: it publishes the properties and events of TCustomDBGridGx.
class TDBGridGx : public TCustomDBGridGx {
  VANTREL_CLASS(TDBGridGx, TCustomDBGridGx)
public:
  explicit TDBGridGx(TComponent* AOwner) : TCustomDBGridGx(AOwner) {}
  static void Publish(TClassBuilder<TDBGridGx>& b);
};

// Registers TDBGridGx (and the classes its form descriptions name) for the form reader.
void RegisterDBGridGxClasses();
