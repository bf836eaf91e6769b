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

  // ---- grid state shared by the grid's parts ----
  int IndicatorColCount() const;
  int TitleAreaRowCount() const;
  int UpdateLockCount() const;
  int LayoutLockCount() const;
  const std::string& EditText() const;
  const Variant& EditValue() const;
  int EditButtonWidth() const;
  int EditButtonHeight() const;
  int TextMargin() const;
  const std::string& SearchText() const;
  bool Searching() const;
  bool FilterEditing() const;
  bool PaintLocked() const;
  // Rows are tall enough for word-wrapped cell text (set by the layout).
  bool RowsAllowWrap() const;
  // A deferred layout arrived while a lock was held: the outermost unlock rebuilds.
  bool LayoutPending() const;
  // Whether the grid had the focus when the selection was last drawn.
  bool SelectionShownActive() const;
  // The title row height the layout computed from TitleHeight and TitleLines.
  int ComputedTitleHeight() const;
  // The title button being pressed (a grid column), -1 when none.
  int PressedTitleCol() const;
  // The pressed title button is drawn sunken: the pointer is over its title.
  bool TitleButtonShown() const;
  // The width of the flat border drawn around the client area (0 or 1).
  int NonClientInset() const;

  // ---- owned objects ----
  TColumnsGxList* ShownColumns() const;
  TColumnsGxList* SortedColumnList() const;
  TGridDataLinkGx* GridLink() const;
  TBookmarkListGx* BookmarkedRows() const;
  TDBGridGxSelection* GridSelection() const;
  TColCellParamsGx* CellParams() const;
  THeadTreeNode* HeadTreeRoot() const;
  // The multi-title leaf of Columns index I (nil outside the leaves the last
  // multi-title layout made).
  THeadTreeNode* HeadTreeLeaf(int I) const;
  // The "DBGRID_BMP" glyph.
  TBitmap* GlyphBitmap() const;
  // The options menu; nil once it was freed elsewhere.
  TPopupMenu* OptionsMenu() const;
  TDBGridGxStyle* GridStyle() const;
  TInplaceFilterEditGx* FilterEditor() const;

  // ---- the filter row ----
  // The Columns index of the filter cell being edited or last edited (-1 before the first).
  int FilterColumn() const;
  // Whether grid column ACol has a filter cell: a valid, visible column whose filter is on.
  virtual bool HasFilterCell(int ACol);
  // Opens the filter editor in the filter cell of grid column ACol (Up from the data, a
  // press on the cell, moving between filter cells).
  virtual void ShowFilterEditor(int ACol);
  // Stores the editor's text, hides it and gives the cells back to the cell editor (Down,
  // a press in the data, the cell editor showing, the filter row hidden).
  virtual void EndFilterEditing();
  // Stores the text of the filter cell being edited and hides the editor there.
  void CloseFilterEditor();
  // Hides the editor without storing its text and ends filter editing (the filter row
  // went away while its text could not be stored).
  void AbandonFilterEditing();
  // Places the editor over the filter cell again; Reload loads the cell's text too.
  void UpdateFilterEditor(bool Reload);
  // Stores the text being edited and applies every column's condition.
  void ApplyFilterRow();
  // The condition Columns index Index shows: its filter text, empty for unbound columns.
  std::string FilterCellText(int Index);
  // Whether the cell lies on the filter row.
  bool IsFilterRowCell(int ACol, int ARow);
  // Moves the editor to the next (Forward) or previous filter cell, wrapping once; with
  // ToEdge to the last or first one.
  void MoveToFilterCell(bool Forward, bool ToEdge);
  // The editor's characters: Enter applies the filter.
  void FilterEditKeyPress(TObject* Sender, TKeyChar& Key);
  // The holder's side of the filter editor.
  bool CanEditorModify(TCustomDBEditGx* Editor) override;
  void GetLastMouseDown(win::POINT& Pos, int& Time) override;
  void PreviewEditorMessage(TCustomDBEditGx* Editor, TMessage& Message) override;
  void EditorKeyDown(TCustomDBEditGx* Editor, win::WORD& Key, TShiftState Shift) override;
  void EditorKeyPress(TCustomDBEditGx* Editor, TKeyChar& Key) override;
  void EditorKeyUp(TCustomDBEditGx* Editor, win::WORD& Key, TShiftState Shift) override;

  // ---- options menu commands ----
  void MenuPrintClick(TObject* Sender);
  void MenuRestoreLayoutClick(TObject* Sender);
  void MenuSaveLayoutClick(TObject* Sender);
  void ShowColumnDialog(TObject* Sender);
  void MenuFilterRowClick(TObject* Sender);
  void MenuClearFilterClick(TObject* Sender);

  // ---- layout locks ----
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

  // ---- index conversions and the current cell ----
  int GridToDataColumn(int I) const;
  int DataToGridColumn(int I) const;
  int CurrentGridColumn() const { return Col(); }
  // Makes a grid column current, frozen columns included.
  void SetCurrentGridColumn(int ACol);
  int CurrentDataColumn() const { return GridToDataColumn(Col()); }
  TColumnGx* CurrentColumn() const;
  TField* CurrentColumnField() const;
  void SelectDataColumn(int I);

  // ---- small services ----
  // Drops every reference the grid keeps to a column that is being freed.
  void ForgetColumn(TColumnGx* Column);
  // The first column bound to FieldName (ignoring case); raises the grid error when none.
  TColumnGx* ColumnByFieldName(const std::string& FieldName) const;
  // The first column with that field name (upper-cased comparison), or nil.
  TColumnGx* FindColumnNoCase(const std::string& FieldName) const;
  bool InplaceEditorVisible() const;
  bool IsActiveControl();
  void SetGridStyle(TDBGridGxStyle* Value) override;
  void UseDefaultGridStyle();
  void GridStyleChanged();
  void ClearSelection();
  void InvalidateCellEditor();
  // The cell-modification test of the current cell; when it passes the dataset is being
  // edited and the link marked modified.
  bool BeginCellModify();
  // The last mouse release ended a row sizing (the row-heights reaction reads it).
  bool RowSizing() const;
  void SetRowSizing(bool Value);
  // Repaints the indicator cell of the active record's row.
  void InvalidateIndicator();
  // The grid row whose indicator cell shows the active record (cell drawing notes it);
  // -1 until a row was drawn.
  int IndicatorRow() const;
  // The current column's input-method name and mode (else the grid's defaults) go to the
  // grid, its editor and its window.
  void ApplyColumnIme();

  // ---- whole-dataset cursor mode: one grid row per record the dataset makes available ----
  bool CursorModeActive() const;
  // Switches the mode on when the dataset offers it and no footers show, else off.
  void UpdateCursorMode();
  // Drawing data row Row: the dataset's fields show that record until EndDrawRow.
  void BeginDrawRow(int Row);
  void EndDrawRow();
  bool IsCurrentRecordRow(int Row);
  // The data rows that show a record: every one in the cursor mode, else the link's.
  int RecordRowCount() const;

  // ---- draw geometry and cell areas ----
  void CalcDrawInfoGx(TGridDrawInfoGx& Info);
  void CalcDrawInfoGxXY(TGridDrawInfoGx& Info, int UseWidth, int UseHeight);
  // Grid rows holding records (the rows between the title area and the separator).
  int DataRowCount() const;
  // Data rows a page holds, for scrolling.
  int VisibleDataRowCount();
  // The grid cells of the data columns and data rows.
  TGridRect DataCellBounds() const;
  // Client pixels of the data cells shown.
  win::RECT DataAreaRect();
  // The areas of a grid cell; DataCol and AreaRow count within them. A cell outside
  // the grid (a coordinate of -1) is no cell; other impossible rows raise.
  TGridCellTypeGx GetCellType(int ACol, int ARow, int& DataCol, int& AreaRow);
  void InvalidateGridRect(const TGridRect& GridRect);
  bool CanSelectKind(TDBGridGxSelectionType Kind) const;
  // The height of the title area below Node's own cell; stores each child's height.
  int MeasureHeadTree(THeadTreeNode* Node);
  // Rebuilds the header tree from the column captions and the leaf of each column.
  void BuildHeadTree();

  // ---- footers and optimal widths ----
  // Repaints the footer rows, from the bottom row upwards.
  void InvalidateFooterRows();
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

  // ---- new virtual operations ----
  virtual bool TakeFocus();
  virtual bool WantsRowFocusRect();
  virtual bool EditorAlwaysShown();
  virtual bool IsCell3D(int ACol, int ARow, TGridDrawState AState, const win::RECT& ARect);
  virtual bool IsCellSelected(int ACol, int ARow, const std::string& Bookmark, int DataCol);
  virtual int FilterRowCount();
  virtual int TitleRowCount();
  virtual bool FixedCellColors(int ACol, int ARow, TFont* AFont, TColor& Background, bool Selected,
                               TGridDrawState AState, int CellType, int AreaCol, int AreaRow);
  virtual bool DataCellColors(int DataCol, int DataRow, TFont* AFont, TColor& Background, TGridDrawState AState,
                              const std::string& Text);
  virtual bool SelectionHasFocus();
  virtual void RefreshAfterDataChange();
  // A record or one of its fields (nil: the whole record) changed in the dataset.
  virtual void RecordChanged(TField* Field);
  // Writes the editor's text back into the current field (the data link asks for it).
  virtual void WriteEditorText();
  virtual void BuildFieldMap();
  virtual void PaintFlatBorder();
  // Whether (X, Y) lies where the frozen columns' right border can be dragged.
  virtual bool InFrozenSizingZone(int X, int Y);
  virtual void DrawTitleAreaCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState);
  virtual void CollectDataSetFields(TList* List);
  virtual void RequestLayout();
  virtual void LinkActiveChanged();
  virtual void ScrollRows(int Distance);
  virtual void SelectionChanged();
  virtual void ApplyColumnAttributes();
  virtual void ShowCellEditor();
  virtual void AutoScrollStep(int X, int Y);
  virtual void SyncActiveRow();
  virtual void UpdateHorzScrollBar();
  virtual void RecountRows();
  virtual void UpdateVertScrollBar();
  // Makes the filter editor, the first time a filter cell is entered.
  virtual void MakeFilterEditor();
  // Whether the filter editor may show when placed (no selection is shown).
  virtual bool CanShowFilterEditor();
  // The editor's text becomes the condition of Columns index Index (parsed first: a text
  // that does not parse raises and changes nothing); when leaving a cell or applying.
  virtual void StoreFilterText(int Index);
  // The editor shows the condition of Columns index Index; when a cell is entered.
  virtual void LoadFilterText(int Index);
  // Text := what footer row FooterIndex of Column shows (printing and export ask too).
  virtual void FooterValueText(int FooterIndex, TColumnGx* Column, std::string& Text);

  // ---- painting helpers ----
  // Switches the canvas between mirrored (right-to-left) and normal coordinates.
  void SetCanvasMirrored(bool RightToLeft);
  // Writes cell text, unmirrored in right-to-left grids.
  void PaintCellText(const win::RECT& Rect, int DX, int DY, const std::string& Text, TAlignment Alignment,
                     TTextLayout Layout, bool WordWrap, bool EndEllipsis, int LeftMargin, int RightMargin);
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
  virtual void ApplyFilterDefault();
  virtual void ApplySortingDefault();

  // ---- new dynamic operations ----
  virtual TColumnDefValuesGx* CreateColumnDefValues();
  virtual TDBGridColumnsGx* CreateColumns();
  virtual TDBGridGxScrollBar* CreateScrollBar(TScrollBarKind Kind);
  virtual void FireCellClick(TColumnGx* Column);
  virtual void FireCheckButton(int ACol, TColumnGx* Column, bool& Enabled);
  virtual void FireColEnter();
  virtual void FireColExit();
  virtual void FireSortMarkingChanged();
  virtual void FireTitleBtnClick(int ACol, TColumnGx* Column);
  virtual void FireDrawColumnCell(const win::RECT& Rect, int DataCol, TColumnGx* Column, TGridDrawState State);
  virtual void FireDrawDataCell(const win::RECT& Rect, TField* Field, TGridDrawState State);
  virtual void FireEditButtonClick();
  virtual void FireGetCellParams(TColumnGx* Column, TFont* AFont, TColor& Background, TGridDrawState State);
  virtual void FireGetFooterParams(int DataCol, int Row, TColumnGx* Column, TFont* AFont, TColor& Background,
                                   TAlignment& Alignment, TGridDrawState State, std::string& Text);
  virtual void HandleTitleClick(TColumnGx* Column);

  // ---- lifecycle and streaming ----
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void ReadColumns(TReader* Reader);
  void WriteColumns(TWriter* Writer);
  void ChangeScale(int M, int D) override;
  void DefaultHandler(TMessage& Message) override;

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
  bool HandleMouseWheel(bool Down, TShiftState Shift, win::POINT MousePos);
  // The cursor mode's row count, row synchronisation, look-ahead and vertical scrolling.
  void RecountRowsCursorMode();
  void SyncActiveRowCursorMode();
  void FetchAhead();
  void UpdateScrollInfoCursorMode();
  void SafeMoveTop(int Top);
  void VScrollCursorMode(TMessage& Message);
  void ClampTopRow();
  // What the grid forgets when a component it refers to is removed.
  virtual void ForgetRemovedComponent(TComponent* AComponent);
  // Makes the columns and their defaults again through CreateColumns and
  // CreateColumnDefValues; a derived grid's constructor calls it to get its own kinds.
  void RemakeColumnObjects();
  void SetWholeDataSetCursorAllowed(bool Value);
  virtual void AdjustCreateParams(TCreateParams& Params);
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void CreateGridWindow();
  void Paint() override;
  TInplaceEdit* CreateEditor() override;
  bool CanEditShow() override;
  void DrawCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState) override;

  // Overridden base-grid notifications and the editor protocol.
  bool CanEditAcceptKey(TKeyChar Key) override;
  bool CanEditModify() override;
  int GetEditLimit() override;
  std::string GetEditMask(int ACol, int ARow) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  // The text the editor shows for Column's cell of the current record, through the
  // column's cell-parameter event; KeyValue (when given) receives the matching key value.
  std::string CellEditText(TColumnGx* Column, Variant* KeyValue = nullptr);
  // Leaving a column writes the text typed into it first.
  bool SelectCell(int ACol, int ARow) override;
  // True when the editor's cell-parameter event decided the read-only state, given in
  // ReadOnly.
  bool EditorReadOnlyByParams(bool& ReadOnly) const;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void ColWidthsChanged() override;
  // A column's width W set by the user takes its share from the auto-fit columns to its
  // right.
  void ResizeRightPart(TColumnGx* Column, int W);
  void RowHeightsChanged() override;
  void TopLeftChanged() override;
  void TimedScroll(TGridScrollDirection Direction) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  // A typed character: a space steps a check-box or key-image cell; the rest goes to
  // the base grid (which calls KeyPress).
  virtual void HandleCharMessage(TMessage& Message);

public:
  // ---- keyboard navigation (the mouse handling uses these too) ----
  // Moves one record down; an untouched new record at the end stays, elsewhere it is
  // cancelled; at the end of an editable dataset a record is appended.
  void MoveDown(bool Shift);
  // Moves one record up; an untouched new record at the end is cancelled.
  void MoveUp(bool Shift);
  // To the next (previous) tab-stop column, wrapping onto the next (previous) record.
  void MoveTab(bool Forward);
  // Moves the dataset by Distance (to the first or last record with ToEnd), extending
  // a row (RowMode or dgRowSelect) or rectangle selection when Extend.
  void MoveBySelecting(bool Extend, int Distance, bool RowMode, bool ToEnd);
  // Makes grid column ACol current, walking by Step (-1, 0, +1) past hidden columns.
  void SelectGridColumn(int ACol, int Step, bool ExtendRect);
  // Forgets where a Shift-extension of marked rows started.
  void ResetRowAnchor();
  const std::string& CharText() const;

  // ---- edit actions: each test says whether its operation may run now; the keys call
  // the operation only when its EditActions member is set and the test holds ----
  virtual bool CanCopySelection();
  virtual bool CanDeleteSelection();
  virtual bool CanCutSelection();
  virtual bool CanPasteIntoGrid();
  virtual bool CanSelectAllRecords();
  // Whether the allowed operations permit changing the current record at all.
  bool OperationsAllowEdit();
  // Run on the keys; the work is the clipboard actions the output unit registered.
  virtual void CopyGridSelection();
  virtual void CutGridSelection();
  virtual void PasteIntoGrid();
  virtual void DeleteGridSelection();
  // Runs on Ctrl+' (PreviousValueShortCut).
  virtual void CopyPreviousValue();
  // Actions go to the data link, which answers for them.
  bool ExecuteAction(TObject* Action) override;
  bool UpdateAction(TObject* Action) override;

protected:

  // ---- incremental search and tool tips ----
  // Extends the search text by Text and finds the first record (Direction 0), the next
  // (1) or the previous (2) match in the current column; a negative TimeOut never ends.
  virtual void IncrementalSearch(const std::string& Text, int TimeOut, int Direction = 0);
  virtual void StopIncrementalSearch();
  virtual void StartSearchTimer();
  void StopSearchTimer();
  // The time-out of the running search.
  virtual int SearchTimeOut();
  // The matched part of the current cell's text on the search colours (cell drawing).
  void DrawSearchHighlight(int DataCol, int DataRow, const win::RECT& Rect, TGridDrawState State, int L, int T);
  // Typed characters search rather than edit (or the search is already running).
  bool InSearchMode();
  // Timer and hint messages of the search and the tool tips; true when handled.
  bool SearchTimerMessage(TMessage& Message);
  void HandleHintShowPause(TMessage& Message);
  void HandleHintShow(TMessage& Message);
  // The text a tool tip shows for Column's cell of the current record.
  std::string TipCellText(TColumnGx* Column);

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Releasing Ctrl sorts by the titles Ctrl-clicked meanwhile.
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  // Sorts by Column's field on a title click, cycling ascending, descending, unsorted.
  virtual void AutoSortByColumn(TColumnGx* Column);

public:
  // ---- title buttons, sizing and auto scroll ----
  // Shows the held title button pressed while (X, Y) lies on its title; (-1, -1) raises it.
  void UpdateTitleButtonShown(int X, int Y);
  // Stops following a title button or selection drag and releases the mouse.
  void EndTitleButtonTracking();
  // Column sizing limited to the grid's columns; row sizing only over the indicator.
  void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                       TGridDrawInfo& FixedInfo) override;
  // Whether (X, Y) lies on the right border of a frozen column in the title area: then
  // Index is that grid column, Pos the border and Ofs Pos - X.
  bool FrozenSizingZone(int X, int Y, int& Index, int& Pos, int& Ofs);
  // Timer 1, which scrolls while a drag is held outside the data cells.
  void StartAutoScrollTimer(int Interval);
  void StopAutoScrollTimer();
  // Edges included.
  static bool PointInsideRect(win::POINT Point, const win::RECT& Rect);

protected:
  // The width of the border drawn in the non-client area, for grids that draw their own.
  void SetNonClientInset(int Value);

  // Rebuilds the layout (at the outermost layout unlock).
  virtual void RebuildLayout();
  void TitleFontChanged(TObject* Sender);
  void FooterFontChanged(TObject* Sender);
  void TitleImageListChanged(TObject* Sender);
  void SumListChanged(TObject* Sender);
  void SumListRecalcAll(TObject* Sender);
  void SumListAfterRecalcAll(TObject* Sender);

private:
  void CreateOwnedObjects();
  // The write-back of key-list and lookup columns.
  void WriteKeyListText(TColumnGx* Column);
  void WriteLookupText(TColumnGx* Column, TField* Field);
  void BuildOptionsMenu();
  void PaintGlyphSpot();
  // Steps of cell drawing; the rectangles are already inset for 3D cells.
  void DrawIndicatorCell(int DataRow, const win::RECT& Rect, int L);
  bool DrawTitleCell(int ACol, int DataCol, const win::RECT& Rect, TGridDrawState AState, int L, int T);
  bool DrawDataCellBody(int ACol, int ARow, int DataCol, int DataRow, const win::RECT& Rect, TGridDrawState AState,
                        int L, int T);
  bool DrawFooterCellBody(int ACol, int ARow, int DataCol, int DataRow, const win::RECT& Rect,
                          TGridDrawState AState, int L, int T);
  // One edit button in a data cell, clipped to the cell.
  void DrawCellEditButton(TEditButtonStyleGx Style, const win::RECT& Rect, TBitmap* Glyph, TColor Color,
                          bool Enabled, const win::RECT& CellRect);
  // The group captions above a multi-level title cell, centred on each group's whole band.
  void DrawUpperTitleLevels(THeadTreeNode* Node, const win::RECT& ChildRect, const win::RECT& CellRect, bool Fixed);
  // The picture a blob field of Column holds, kept to its aspect ratio in Rect; nothing
  // for data that is no picture.
  void DrawFieldPicture(const win::RECT& Rect, TColumnGx* Column);
  // Runs Action with Rect in unmirrored device coordinates in right-to-left grids.
  template <class F>
  void Unmirrored(const win::RECT& Rect, F&& Action);
  bool ColumnsStored() const;
  bool Loading() const;
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
  // The window's vertical bar is shown.
  bool VertBarShown();
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
