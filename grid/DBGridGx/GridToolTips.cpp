// Cell and title tool tips: a cell whose text does not fit shows the whole text in a
// tip laid exactly over the cell, and a title may carry an ordinary hint.
#include "grid/DBGridGx/GridToolTips.h"

#include <algorithm>
#include <string>

#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/CellTextMeasure.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/HeadTree.h"
#include "platform/controls/Forms.h"
#include "platform/data/Field.h"

void TToolTipsWindow::UseDataFont(void* AData) {
  if (AData) Font()->Assign(static_cast<TFont*>(AData));
}

win::RECT TToolTipsWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) {
  UseDataFont(AData);
  return THintWindow::CalcHintRect(MaxWidth, AHint, AData);
}

void TToolTipsWindow::ActivateHintData(const win::RECT& Rect, const std::string& AHint, void* AData) {
  UseDataFont(AData);
  THintWindow::ActivateHintData(Rect, AHint, AData);
}

namespace {

// A check-box or key-image cell shows no text: its tip names the cell's value with the
// pick-list entry of the key found (key images) or of the check state. Other cells show
// their whole text. Cell holds the cell's parameters as the column fills them.
std::string TipText(TColumnGx* Column, const TColCellParamsGx& Cell) {
  TField* Field = Column->Field();
  if (!Field) return {};
  const int Kind = Column->CellKind();
  if (Kind != CellKindKeyImages && Kind != CellKindCheckBox) return Cell.Text;
  const int Index = Kind == CellKindKeyImages ? Column->KeyList()->IndexOf(Field->Text())
                                              : static_cast<int>(Cell.CheckState);
  TStrings* Picks = Column->PickList();
  return Index >= 0 && Index < Picks->Count() ? Picks->Strings(Index) : std::string();
}

}  // namespace

std::string TCustomDBGridGx::TipCellText(TColumnGx* Column) {
  if (!Column) return {};
  TColCellParamsGx Cell;
  Column->FillCellParams(&Cell);
  return TipText(Column, Cell);
}

void TCustomDBGridGx::HandleHintShowPause(TMessage& Message) {
  TCustomGrid::Dispatch(Message);
  auto* Pause = reinterpret_cast<int*>(Message.LParam);
  if (!Pause || !HandleAllocated()) return;
  win::POINT Pt;
  win::GetCursorPos(&Pt);
  Pt = ScreenToClient(Pt);
  const TGridCoord Cell = MouseCoord(Pt.x, Pt.y);
  const int DataCol = Cell.X - P->FIndicatorColCount;
  if (Cell.Y < 0 || DataCol < 0 || DataCol >= P->FColumns->Count()) return;
  TColumnGx* Column = P->FColumns->ColumnAt(DataCol);
  const int DataRow = Cell.Y - P->FTitleAreaRowCount;
  const bool DataCell = DataRow >= 0 && DataRow < RowCount() - P->FTitleAreaRowCount - P->FFooterRowCount;
  const bool TitleCell = P->FOptions.Contains(dgTitles) && Cell.Y == TitleRowCount() - 1;
  if ((DataCell && Column->ToolTips() && P->FDataLink->Active()) ||
      (TitleCell && Column->Title()->ToolTips() && Column->Title()->Hint().empty()))
    *Pause = 0;
  else
    *Pause = Application->HintPause();
}

void TCustomDBGridGx::HandleHintShow(TMessage& Message) {
  TCustomGrid::Dispatch(Message);
  auto* Info = reinterpret_cast<THintInfo*>(Message.LParam);
  if (Message.Result != 0 || !Info || !HandleAllocated()) return;
  win::POINT Hit = Info->CursorPos;
  const TGridCoord Cell = MouseCoord(Hit.x, Hit.y);
  const int DataCol = Cell.X - P->FIndicatorColCount;
  if (Cell.Y < 0 || DataCol < 0 || DataCol >= P->FColumns->Count()) return;
  TColumnGx* Column = P->FColumns->ColumnAt(DataCol);
  TColumnTitleGx* Title = Column->Title();
  const bool TitleCell = P->FOptions.Contains(dgTitles) && Cell.Y == TitleRowCount() - 1;
  win::RECT R = CellRect(Cell.X, Cell.Y);

  if (TitleCell && !Title->Hint().empty()) {
    Info->HintStr = GetShortHint(Title->Hint());
    Info->CursorRect = R;
    return;
  }
  const int DataRow = Cell.Y - P->FTitleAreaRowCount;
  // A row below the last record (footers kept at the bottom) has no record to show.
  const bool DataCell = P->FDataLink->Active() && DataRow >= 0 && DataRow < P->FDataLink->RecordCount();
  const bool Candidate = (TitleCell && Title->ToolTips()) || (DataCell && Column->ToolTips());
  if (!Candidate || GetCaptureControl() || win::GetKeyState(win::VK_CONTROL) < 0) return;
  // From here the grid's own hint gives way: a tip or nothing.
  Info->HintStr.clear();

  const bool RightToLeft = UseRightToLeftAlignment();
  const int ClientW = ClientWidth();
  if (RightToLeft) {
    R = {ClientW - R.right, R.top, ClientW - R.left, R.bottom};
    Hit.x = ClientW - Hit.x;
  }
  int E = R.left + Column->Width();
  if (!P->FToolTipFont) P->FToolTipFont = std::make_unique<TFont>();
  TFont* TipFont = P->FToolTipFont.get();
  std::string Text;
  TAlignment Alignment;
  bool Wrap;
  bool AlwaysNeeded = false;
  if (TitleCell) {
    const int Marker = Title->SortMarkerWidth();
    if (Marker > 2) {
      R.right -= Marker - 2;
      E -= Marker - 2;
    }
    if (P->FUseMultiTitle) {
      THeadTreeNode* Leaf = HeadTreeLeaf(Column->Index());
      if (!Leaf) return;
      Text = Leaf->Caption;
      R.top = R.bottom - Leaf->Height + 1;
      if (Hit.y < R.top) return;  // over a group cell
    } else {
      Text = Title->Caption();
    }
    Wrap = P->FUseMultiTitle || P->FTitleHeight != 0 || P->FTitleLines != 0;
    Alignment = Title->Alignment();
    TipFont->Assign(Title->Font());
    if (Title->Orientation() == tohVertical) {
      Wrap = false;
      SwapRectExtent(R);
    }
  } else {
    TActiveRecordKeeper Keep(*P->FDataLink);
    P->FDataLink->SetActiveRecord(DataRow);
    TColCellParamsGx* Params = P->FCellParams.get();
    Column->FillCellParams(Params);
    Text = TipText(Column, *Params);
    if (Column->AlwaysShowEditButton()) {
      E = R.left + Column->Width() - Column->EditButtonsWidth();
      R.right = std::min<int>(R.right, E);
      if (Hit.x > R.right) Text.clear();  // over the edit button
    }
    AlwaysNeeded = IsCheckCell(Column);
    Alignment = AlwaysNeeded ? taLeftJustify : Column->Alignment();
    Wrap = Column->WordWrap() && P->FRowsAllowWrap;
    TipFont->Assign(Column->Font());
    Params->Background = Canvas()->Brush()->Color();
    Params->Font = TipFont;
    Params->Alignment = Alignment;
    Params->Text = Text;
    Params->Col = Cell.X;
    Params->Row = Cell.Y;
    TGridDrawState State;
    FireGetCellParams(Column, TipFont, Params->Background, State);
    Column->FireGetCellParams(false, Params);
    Text = Params->Text;
    Alignment = Params->Alignment;
  }
  if (Text.empty()) return;

  Canvas()->Font()->Assign(TipFont);
  int W = 0, H = 0;
  const bool Overflows = TextOverflowsCell(this, Wrap ? 2 : 0, P->FTextMargin, Text, R, Wrap, W, H);
  const bool CutAtRight = Alignment == taRightJustify && R.right < E - 2;
  if (!AlwaysNeeded && !Overflows && !CutAtRight) return;

  const int L = P->FFlat ? 2 : 1;
  int X;
  switch (Alignment) {
    case taRightJustify: X = E - W - 6; break;
    case taCenter: X = E - W + W / 2 - (E - R.left - 4) / 2 - 5; break;
    default: X = R.left - 1; break;
  }
  if (RightToLeft) X = ClientW - X;
  Info->HintStr = Text;
  Info->CursorRect = RightToLeft ? win::RECT{ClientW - R.right, R.top, ClientW - R.left, R.bottom} : R;
  Info->HintPos = ClientToScreen({X, R.top - L});
  Info->HintWindowClass = TToolTipsWindow::StaticClass();
  Info->HintData = TipFont;
  if (Wrap) Info->HintMaxWidth = R.right - R.left - 4;
}
