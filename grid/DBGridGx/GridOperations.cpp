// The grid's operations that its drawing, keyboard, mouse, editing and data-link parts
// build on: the plain forms every grid starts with, the events, the index helpers and
// the small services.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/UnitResources.h"
#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

void TCustomDBGridGx::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_DEFERREDLAYOUT_GX) {
    DeferredLayoutMessage(Message);
    return;
  }
  if (Message.Msg == win::WM_RBUTTONUP && PopupColumnMenu(Message)) return;
  TCustomGrid::Dispatch(Message);
}

// ---- style link ----
void TCustomDBGridGx::SetStyle(TDBGridGxStyle* Value) {
  if (Value == FStyle && Value) return;
  if (FStyle) FStyle->RemoveGrid(this);
  FStyle = Value;
  if (Value) Value->AddGrid(this);
  else UseDefaultGridStyle();
}

void TCustomDBGridGx::UseDefaultGridStyle() {
  TDBGridGxStyle* Default = DefaultGridStyle();
  if (!Default) {
    FStyle = nullptr;
    GridStyleChanged();
    return;
  }
  if (FStyle == Default) return;
  FStyle = Default;
  Default->AddGrid(this);
}

void TCustomDBGridGx::GridStyleChanged() {
  if (FColumns) RequestLayout();
}

// ---- columns and fields ----
TColumnGx* TCustomDBGridGx::CurrentColumn() const {
  const int I = CurrentDataColumn();
  return I >= 0 && I < FColumns->Count() ? FColumns->ColumnAt(I) : nullptr;
}

TField* TCustomDBGridGx::CurrentColumnField() const {
  TColumnGx* Column = CurrentColumn();
  return Column ? Column->Field() : nullptr;
}

void TCustomDBGridGx::SelectDataColumn(int I) {
  const int GridCol = DataToGridColumn(I);
  if (GridCol >= FixedCols() && GridCol < ColCount()) SetCol(GridCol);
}

TColumnGx* TCustomDBGridGx::ColumnByFieldName(const std::string& FieldName) const {
  for (int I = 0; I < FColumns->Count(); ++I)
    if (AnsiCompareText(FColumns->ColumnAt(I)->FieldName(), FieldName) == 0) return FColumns->ColumnAt(I);
  RaiseInvalidGridOperation(Format("字段名 '%s' 没有找到", FieldName));
}

TColumnGx* TCustomDBGridGx::FindColumnNoCase(const std::string& FieldName) const {
  const std::string Wanted = UpperCase(FieldName);
  for (int I = 0; I < FColumns->Count(); ++I)
    if (UpperCase(FColumns->ColumnAt(I)->FieldName()) == Wanted) return FColumns->ColumnAt(I);
  return nullptr;
}

void TCustomDBGridGx::CollectDataSetFields(TList* List) {
  TDataSource* Source = DataSource();
  if (!Source || !Source->DataSet()) return;
  TDataSet* DataSet = Source->DataSet();
  for (int I = 0; I < DataSet->FieldCount(); ++I) List->Add(DataSet->Fields()[I]);
}

TColumnDefValuesGx* TCustomDBGridGx::CreateColumnDefValues() { return new TDBGridGxColumnDefValuesGx(this); }

TDBGridColumnsGx* TCustomDBGridGx::CreateColumns() {
  return new TDBGridColumnsGx(this, TDBGridColumnGx::StaticClass());
}

TDBGridGxScrollBar* TCustomDBGridGx::CreateScrollBar(int Kind) {
  if (Kind == 1) return new TVertDBGridGxScrollBar(this, Kind);
  return new TDBGridGxScrollBar(this, Kind);
}

// ---- editor and focus ----
bool TCustomDBGridGx::InplaceEditorVisible() const { return InplaceEditor() && InplaceEditor()->Visible(); }

bool TCustomDBGridGx::IsActiveControl() {
  if (TCustomForm* Form = GetParentForm(this)) return Form->ActiveControl() == this;
  if (!HandleAllocated()) return false;
  for (win::HWND Window = win::GetFocus(); Window; Window = win::GetParent(Window))
    if (Window == Handle()) return true;
  return false;
}

void TCustomDBGridGx::ShowCellEditor() {
  if (FFilterEditing) FFilterEditing = false;
  ShowEditor();
}

void TCustomDBGridGx::InvalidateCellEditor() {
  if (InplaceEditor()) InvalidateEditor();
}

void TCustomDBGridGx::ClearSelection() {
  if (FSelection) FSelection->Reset();
}

bool TCustomDBGridGx::TakeFocus() {
  if (!CanFocus() || ComponentState().Contains(csDesigning)) return true;
  SetFocus();
  return Focused() || (InplaceEditor() && InplaceEditor()->Focused());
}

bool TCustomDBGridGx::WantsRowFocusRect() { return FOptions.Contains(dgRowSelect); }
bool TCustomDBGridGx::EditorAlwaysShown() { return FOptions.Contains(dgAlwaysShowEditor) && !FFilterEditing; }
bool TCustomDBGridGx::IsCell3D(int, int, TGridDrawState, const win::RECT&) { return false; }

bool TCustomDBGridGx::IsCellSelected(int, int, const std::string& Bookmark, int DataCol) {
  return FSelection && FSelection->DataCellSelected(DataCol, Bookmark);
}

int TCustomDBGridGx::FilterRowCount() { return FSTFilter && FSTFilter->Visible() ? 1 : 0; }
int TCustomDBGridGx::TitleRowCount() { return FOptions.Contains(dgTitles) ? 1 : 0; }

bool TCustomDBGridGx::FixedCellColors(int, int, TFont*, TColor&, bool, TGridDrawState, int, int, int) {
  return false;
}

bool TCustomDBGridGx::DataCellColors(int, int, TFont*, TColor&, TGridDrawState, const std::string&) {
  return false;
}

bool TCustomDBGridGx::SelectionHasFocus() {
  if (!HandleAllocated()) return false;
  return Focused() || (InplaceEditor() && InplaceEditor()->Focused());
}

void TCustomDBGridGx::RefreshAfterDataChange() { Invalidate(); }
void TCustomDBGridGx::BuildFieldMap() {}
void TCustomDBGridGx::PaintFlatBorder() {}
void TCustomDBGridGx::DrawTitleAreaCell(int, int, const win::RECT&, TGridDrawState) {}
void TCustomDBGridGx::LinkActiveChanged() { RequestLayout(); }
void TCustomDBGridGx::ScrollRows(int) { Invalidate(); }
void TCustomDBGridGx::SelectionChanged() {}
void TCustomDBGridGx::AutoScrollStep(int, int) {}
void TCustomDBGridGx::SyncActiveRow() {}
void TCustomDBGridGx::UpdateHorzScrollBar() {}
void TCustomDBGridGx::UpdateVertScrollBar() {}
void TCustomDBGridGx::MakeFilterEditor() {}
bool TCustomDBGridGx::CanShowFilterEditor() { return FFilterEditing && FSelection && FSelection->Kind() == gstNon; }
void TCustomDBGridGx::StoreFilterText(int) {}
void TCustomDBGridGx::LoadFilterText(int) {}
std::string TCustomDBGridGx::FooterValueText(int, int) { return {}; }

void TCustomDBGridGx::ApplyFilterDefault() {
  TDataSource* Source = DataSource();
  if (Source && Source->DataSet() && Source->DataSet()->Active() && FSTFilter->Local())
    Source->DataSet()->SetFiltered(true);
  if (TDBGridGxDataService* Service = DBGridGxDataService()) Service->ApplyFilter(this);
}

void TCustomDBGridGx::ApplySortingDefault() {
  if (TDBGridGxDataService* Service = DBGridGxDataService()) Service->ApplySorting(this);
}

// ---- events ----
void TCustomDBGridGx::FireCellClick(TColumnGx* Column) {
  if (FOnCellClick) FOnCellClick(Column);
}

void TCustomDBGridGx::FireCheckButton(int ACol, TColumnGx* Column, bool& Enabled) {
  if (FOnCheckButton) FOnCheckButton(this, ACol, Column, Enabled);
}

void TCustomDBGridGx::FireColEnter() {
  if (FOnColEnter) FOnColEnter(this);
}

void TCustomDBGridGx::FireColExit() {
  if (FOnColExit) FOnColExit(this);
}

void TCustomDBGridGx::FireSortMarkingChanged() {
  if (!FOptionsGx.Contains(dghAutoSortMarking)) return;
  if (FOnSortMarkingChanged) FOnSortMarkingChanged(this);
  else ApplySortingDefault();
}

void TCustomDBGridGx::FireTitleBtnClick(int ACol, TColumnGx* Column) {
  if (FOnTitleBtnClick) FOnTitleBtnClick(this, ACol, Column);
}

void TCustomDBGridGx::FireDrawColumnCell(const win::RECT& Rect, int DataCol, TColumnGx* Column,
                                         TGridDrawState State) {
  if (FOnDrawColumnCell) FOnDrawColumnCell(this, Rect, DataCol, Column, State);
}

void TCustomDBGridGx::FireDrawDataCell(const win::RECT& Rect, TField* Field, TGridDrawState State) {
  if (FOnDrawDataCell) FOnDrawDataCell(this, Rect, Field, State);
}

void TCustomDBGridGx::FireEditButtonClick() {
  if (FOnEditButtonClick) FOnEditButtonClick(this);
}

void TCustomDBGridGx::FireGetCellParams(TColumnGx* Column, TFont* AFont, TColor& Background,
                                        TGridDrawState State) {
  if (FOnGetCellParams) FOnGetCellParams(this, Column, AFont, Background, State);
}

void TCustomDBGridGx::FireGetFooterParams(int DataCol, int Row, TColumnGx* Column, TFont* AFont,
                                          TColor& Background, TAlignment& Alignment, TGridDrawState State,
                                          std::string& Text) {
  if (FOnGetFooterParams) FOnGetFooterParams(this, DataCol, Row, Column, AFont, Background, Alignment, State, Text);
}

void TCustomDBGridGx::HandleTitleClick(TColumnGx* Column) {
  if (FOnTitleClick) FOnTitleClick(Column);
}

void TCustomDBGridGx::SumListChanged(TObject*) {
  if (FFooterRowCount > 0) Invalidate();
}

void TCustomDBGridGx::SumListRecalcAll(TObject*) {
  if (FOnSumListRecalcAll) FOnSumListRecalcAll(FSumList.get());
}

void TCustomDBGridGx::SumListAfterRecalcAll(TObject*) {
  if (FOnSumListAfterRecalcAll) FOnSumListAfterRecalcAll(FSumList.get());
}

// ---- base grid overrides ----
void TCustomDBGridGx::Paint() {
  if (FPaintLocked) return;
  TCustomGrid::Paint();
}

TInplaceEdit* TCustomDBGridGx::CreateEditor() { return TCustomGrid::CreateEditor(); }

bool TCustomDBGridGx::CanEditShow() {
  return !FReadOnly && FOptions.Contains(dgEditing) && TCustomGrid::CanEditShow();
}

void TCustomDBGridGx::DrawCell(int, int, const win::RECT&, TGridDrawState) {}
bool TCustomDBGridGx::CanEditAcceptKey(TKeyChar) { return !FReadOnly; }
bool TCustomDBGridGx::CanEditModify() { return !FReadOnly; }
int TCustomDBGridGx::GetEditLimit() { return 0; }
std::string TCustomDBGridGx::GetEditMask(int, int) { return {}; }
std::string TCustomDBGridGx::GetEditText(int, int) { return FEditText; }
void TCustomDBGridGx::SetEditText(int, int, const std::string& Value) { FEditText = Value; }

void TCustomDBGridGx::ColumnMoved(int FromIndex, int ToIndex) {
  FSTFilter->BeginUpdate();
  try {
    const int From = GridToDataColumn(FromIndex), To = GridToDataColumn(ToIndex);
    if (From >= 0 && From < FColumns->Count() && To >= 0 && To < FColumns->Count()) {
      FColumns->ColumnAt(From)->SetIndex(To);
      if (FOnColumnMoved) FOnColumnMoved(this, From, To);
    }
  } catch (...) {
    FSTFilter->EndUpdate();
    throw;
  }
  FSTFilter->EndUpdate();
}

void TCustomDBGridGx::AfterColumnResize() {
  TCustomGrid::ColWidthsChanged();
  if (FOnColWidthsChanged) FOnColWidthsChanged(this);
}

void TCustomDBGridGx::AfterRowHeightsChanged() { TCustomGrid::RowHeightsChanged(); }
void TCustomDBGridGx::TopLeftChanged() { TCustomGrid::TopLeftChanged(); }
void TCustomDBGridGx::TimedScroll(TGridScrollDirection Direction) { TCustomGrid::TimedScroll(Direction); }
void TCustomDBGridGx::HandleKeyDown(win::WORD& Key, TShiftState Shift) { TCustomGrid::KeyDown(Key, Shift); }
void TCustomDBGridGx::KeyPress(TKeyChar& Key) { TCustomGrid::KeyPress(Key); }

void TCustomDBGridGx::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseDown(Button, Shift, X, Y);
}

void TCustomDBGridGx::HandleMouseMove(TShiftState Shift, int X, int Y) { TCustomGrid::MouseMove(Shift, X, Y); }

void TCustomDBGridGx::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseUp(Button, Shift, X, Y);
}

void TCustomDBGridGx::DefaultHandler(TMessage& Message) { TCustomGrid::DefaultHandler(Message); }

// A right-button release over a data column whose column has its own auto-popup menu
// pops that menu up at the mouse point (instead of the grid's context menu); true when it
// did.
bool TCustomDBGridGx::PopupColumnMenu(TMessage& Message) {
  if (!FColumns) return false;
  const int X = Message.XPos(), Y = Message.YPos();
  const TGridCoord Cell = MouseCoord(X, Y);
  if (Cell.X < FIndicatorColCount || Cell.Y < 0) return false;
  const int DataCol = GridToDataColumn(Cell.X);
  if (DataCol >= FColumns->Count()) return false;
  TPopupMenu* Menu = FColumns->ColumnAt(DataCol)->PopupMenu();
  if (!Menu || !Menu->AutoPopup()) return false;
  HandleMouseUp(mbRight, KeysToShiftState(static_cast<win::WORD>(Message.WParam)), X, Y);
  CancelMode();
  Menu->SetPopupComponent(this);
  const win::POINT P = ClientToScreen(win::POINT{X, Y});
  Menu->Popup(P.x, P.y);
  Message.Result = 1;
  return true;
}

// ---- options menu commands (the menu checks it still has its grid) ----
void TCustomDBGridGx::MenuPrintClick(TObject*) {}
void TCustomDBGridGx::MenuRestoreLayoutClick(TObject*) {}
void TCustomDBGridGx::MenuSaveLayoutClick(TObject*) {}
void TCustomDBGridGx::ShowColumnDialog(TObject*) {}

void TCustomDBGridGx::MenuFilterRowClick(TObject*) { FSTFilter->SetVisible(!FSTFilter->Visible()); }

void TCustomDBGridGx::MenuClearFilterClick(TObject*) {}
