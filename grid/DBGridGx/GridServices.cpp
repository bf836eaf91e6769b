// The grid's small services: its message dispatch, the style link, columns by index or
// field name, the data service defaults and the options menu's commands.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/HeadTree.h"
#include "grid/DBGridGx/LayoutRegistry.h"
#include "grid/DBGridGx/OutputCommands.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/UnitResources.h"
#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

void TCustomDBGridGx::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_DEFERREDLAYOUT_GX) {
    P->DeferredLayoutMessage(Message);
    return;
  }
  if (P->MouseMessage(Message)) return;
  if (P->DispatchGridMessage(Message)) return;
  switch (Message.Msg) {
    case win::WM_VSCROLL: P->VertScrollMessage(Message); return;
    case win::WM_HSCROLL: P->HorzScrollMessage(Message); return;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS: P->FocusMessage(Message); return;
    case win::WM_CHAR: P->HandleCharMessage(Message); return;
    case CM_HINTSHOWPAUSE: HandleHintShowPause(Message); return;
    case CM_HINTSHOW: HandleHintShow(Message); return;
    default: break;
  }
  if (SearchTimerMessage(Message)) return;
  TCustomGrid::Dispatch(Message);
  if (Message.Msg == win::WM_SIZE) P->ClientSizeChanged();
}

void TCustomDBGridGx::SetGridStyle(TDBGridGxStyle* Value) {
  if (Value == P->FStyle) return;
  if (P->FStyle) P->FStyle->RemoveGrid(this);
  P->FStyle = Value;
  if (Value) Value->AddGrid(this);
  else P->UseDefaultGridStyle();
}

void TCustomDBGridGx::TState::UseDefaultGridStyle() {
  TDBGridGxStyle* Default = DefaultGridStyle();
  if (!Default) {
    FStyle = nullptr;
    GridStyleChanged();
    return;
  }
  if (FStyle == Default) return;
  FStyle = Default;
  Default->AddGrid(&G);
}

void TCustomDBGridGx::TState::GridStyleChanged() {
  if (FColumns) G.RequestLayout();
}

TColumnGx* TCustomDBGridGx::CurrentColumn() const {
  const int I = CurrentDataColumn();
  return I >= 0 && I < P->FColumns->Count() ? P->FColumns->ColumnAt(I) : nullptr;
}

TField* TCustomDBGridGx::CurrentColumnField() const {
  TColumnGx* Column = CurrentColumn();
  return Column ? Column->Field() : nullptr;
}

void TCustomDBGridGx::SelectDataColumn(int I) {
  const int GridCol = DataToGridColumn(I);
  if (GridCol >= FixedCols() && GridCol < ColCount()) SetCol(GridCol);
}

void TCustomDBGridGx::SetCurrentGridColumn(int ACol) {
  if (ACol == Col()) return;
  // The base grid refuses fixed columns as current; a frozen data column is one.
  if (ACol >= P->FIndicatorColCount && ACol < FixedCols()) MoveColRow(ACol, Row(), false, false);
  else SetCol(ACol);
}

TColumnGx* TCustomDBGridGx::ColumnByFieldName(const std::string& FieldName) const {
  for (int I = 0; I < P->FColumns->Count(); ++I)
    if (AnsiCompareText(P->FColumns->ColumnAt(I)->FieldName(), FieldName) == 0) return P->FColumns->ColumnAt(I);
  RaiseInvalidGridOperation(Format("字段名 '%s' 没有找到", FieldName));
}

TColumnGx* TCustomDBGridGx::FindColumnNoCase(const std::string& FieldName) const {
  const std::string Wanted = UpperCase(FieldName);
  for (int I = 0; I < P->FColumns->Count(); ++I)
    if (UpperCase(P->FColumns->ColumnAt(I)->FieldName()) == Wanted) return P->FColumns->ColumnAt(I);
  return nullptr;
}

void TCustomDBGridGx::ApplyFilterDefault() {
  TDataSource* Source = DataSource();
  if (Source && Source->DataSet() && Source->DataSet()->Active() && P->FSTFilter->Local())
    Source->DataSet()->SetFiltered(true);
  if (TDBGridGxDataService* Service = DBGridGxDataService()) Service->ApplyFilter(this);
}

void TCustomDBGridGx::ApplySortingDefault() {
  if (TDBGridGxDataService* Service = DBGridGxDataService()) Service->ApplySorting(this);
}

void TCustomDBGridGx::DefaultHandler(TMessage& Message) { TCustomGrid::DefaultHandler(Message); }

namespace {
TDBGridGxOutputCommands& RegisteredOutputCommands() {
  static TDBGridGxOutputCommands commands;
  return commands;
}
}  // namespace

void RegisterDBGridGxOutputCommands(const TDBGridGxOutputCommands& Commands) {
  RegisteredOutputCommands() = Commands;
}
const TDBGridGxOutputCommands& DBGridGxOutputCommands() { return RegisteredOutputCommands(); }

// Prints the focused grid; nothing when the focus is elsewhere (an editor, the filter row).
void TCustomDBGridGx::MenuPrintClick(TObject*) {
  auto* Grid = dynamic_cast<TDBGridGx*>(Screen->ActiveControl());
  if (Grid && RegisteredOutputCommands().Print) RegisteredOutputCommands().Print(Grid);
}

void TCustomDBGridGx::MenuRestoreLayoutClick(TObject*) { RestoreGridLayout(this, ""); }

void TCustomDBGridGx::MenuSaveLayoutClick(TObject*) { SaveGridLayout(this, ""); }

// The column set-up dialog for this grid; grids of other classes (the lookup grid) get
// none rather than an invalid cast.
void TCustomDBGridGx::ShowColumnDialog(TObject*) {
  auto* Grid = dynamic_cast<TDBGridGx*>(this);
  if (Grid && RegisteredOutputCommands().ColumnDialog) RegisteredOutputCommands().ColumnDialog(Grid);
}

void TCustomDBGridGx::MenuFilterRowClick(TObject*) { P->FSTFilter->SetVisible(!P->FSTFilter->Visible()); }

void TCustomDBGridGx::ForgetColumn(TColumnGx* Column) {
  // The sort positions after a sorted column that leaves move up, so that they keep
  // running without a gap.
  if (P->FSortedColumnList && P->FSortedColumnList->Remove(Column) >= 0 && P->FColumns && Column->Collection() == P->FColumns.get())
    P->FColumns->CloseSortGap(Column);
  if (P->FShownColumns) P->FShownColumns->Remove(Column);
  if (P->FSelection) {
    P->FSelection->Columns()->ForgetColumn(Column);
    if (P->FColumns && Column->Collection() == P->FColumns.get()) P->FSelection->ColumnRemoved(P->FColumns->Count() - 1);
  }
  // The header keeps its shape until the next layout, without the column.
  for (THeadTreeNode*& Leaf : P->FHeadTreeLeaves)
    if (Leaf && Leaf->Column == Column) {
      Leaf->Column = nullptr;
      Leaf = nullptr;
    }
}
