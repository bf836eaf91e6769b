// The filter row's input: the keys of the filter editor (moving between filter cells,
// back into the data, applying), the grid as the editor's holder, and presses on filter
// cells that open the editor with the caret under the pointer.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridFilter.h"
#include "platform/data/DataSet.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Utf8.h"

namespace {

// The caret at character 0 with nothing or everything selected.
bool AtLeftEdge(TCustomDBEditGx* Editor) {
  const int Length = static_cast<int>(Utf8Length(Editor->GetText()));
  return Editor->SelStart() == 0 && (Editor->SelLength() == 0 || Editor->SelLength() == Length);
}

// The caret after the last character with nothing selected, or everything selected.
bool AtRightEdge(TCustomDBEditGx* Editor) {
  const int Length = static_cast<int>(Utf8Length(Editor->GetText()));
  return (Editor->SelStart() == Length && Editor->SelLength() == 0) ||
         (Editor->SelStart() == 0 && Editor->SelLength() == Length);
}

bool NoModifier(TShiftState Shift) {
  return !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
}

}  // namespace

bool TCustomDBGridGx::CanEditorModify(TCustomDBEditGx*) { return true; }

void TCustomDBGridGx::GetLastMouseDown(win::POINT& Pos, int& Time) {
  Pos = ClientToScreen(P->FFilterMouseDown);
  Time = P->FFilterMouseTime;
  P->FFilterMouseTime = 0;
}

void TCustomDBGridGx::PreviewEditorMessage(TCustomDBEditGx*, TMessage&) {}
void TCustomDBGridGx::EditorKeyPress(TCustomDBEditGx*, TKeyChar&) {}
void TCustomDBGridGx::EditorKeyUp(TCustomDBEditGx*, win::WORD&, TShiftState) {}

void TCustomDBGridGx::EditorKeyDown(TCustomDBEditGx* Editor, win::WORD& Key, TShiftState Shift) {
  const bool Ctrl = Shift.Contains(ssCtrl);
  auto Move = [&](bool Forward, bool ToEdge) {
    Key = 0;
    P->MoveToFilterCell(Forward, ToEdge);
  };
  switch (Key) {
    case win::VK_TAB:
      if (P->FOptions.Contains(dgTabs)) Move(!Shift.Contains(ssShift), false);
      break;
    case win::VK_LEFT:
      if (Ctrl || AtLeftEdge(Editor)) Move(false, Ctrl);
      break;
    case win::VK_RIGHT:
      if (Ctrl || AtRightEdge(Editor)) Move(true, Ctrl);
      break;
    case win::VK_HOME:
      if (Ctrl || AtLeftEdge(Editor)) Move(false, true);
      break;
    case win::VK_END:
      if (Ctrl || AtRightEdge(Editor)) Move(true, true);
      break;
    case win::VK_UP:
      if (NoModifier(Shift)) Key = 0;
      break;
    case win::VK_DOWN: {
      const bool CtrlAlone = Ctrl && !Shift.Contains(ssShift) && !Shift.Contains(ssAlt);
      if ((NoModifier(Shift) || CtrlAlone) && P->FDataLink->Active()) {
        if (P->FFilterColumn >= 0 && DataToGridColumn(P->FFilterColumn) < ColCount())
          SetCurrentGridColumn(DataToGridColumn(P->FFilterColumn));
        if (!Ctrl) P->FDataLink->DataSet()->MoveBy(-P->FDataLink->ActiveRecord());
        EndFilterEditing();
        Key = 0;
      }
      break;
    }
    case win::VK_F2:
      // The caret to the end, nothing selected.
      Editor->Perform(win::EM_SETSEL, 0x7FFFFFFF, -1);
      Key = 0;
      break;
    default: break;
  }
}

void TCustomDBGridGx::FilterEditKeyPress(TObject*, TKeyChar& Key) {
  if (Key != '\r') return;
  Key = 0;
  P->ApplyFilterRow();
}

void TCustomDBGridGx::TState::MoveToFilterCell(bool Forward, bool ToEdge) {
  const int First = FIndicatorColCount, Count = G.ColCount();
  int Start = G.DataToGridColumn(FFilterColumn);
  bool Ahead = Forward;
  if (ToEdge) {
    // From beyond the edge, back towards it.
    Start = Forward ? Count : First - 1;
    Ahead = !Forward;
  }
  int Candidate = Ahead ? Start + 1 : Start - 1;
  if (Candidate >= Count) Candidate = First;
  else if (Candidate < First) Candidate = Count - 1;
  if (Candidate == Start) return;
  while (Candidate >= 0 && Candidate < Count && !HasFilterCell(Candidate)) Candidate += Ahead ? 1 : -1;
  if (Candidate < 0 || Candidate >= Count) return;
  G.ShowFilterEditor(Candidate);
}

void TCustomDBGridGx::WndProc(TMessage& Message) {
  if (P->FilterRowMouseMessage(Message)) return;
  TCustomGrid::WndProc(Message);
}

bool TCustomDBGridGx::TState::FilterRowMouseMessage(TMessage& Message) {
  if (Message.Msg != win::WM_LBUTTONDOWN && Message.Msg != win::WM_RBUTTONDOWN) return false;
  if (G.ComponentState().Contains(csDesigning) || !FSTFilter || !FSTFilter->Visible() || !FColumns) return false;
  const win::POINT Pt{Message.XPos(), Message.YPos()};
  const TGridCoord Cell = G.MouseCoord(Pt.x, Pt.y);
  if (Cell.X < FIndicatorColCount || !G.IsFilterRowCell(Cell.X, Cell.Y) || !HasFilterCell(Cell.X)) return false;
  if (!G.TakeFocus()) return true;
  if (FOptionsGx.Contains(dghClearSelection)) G.ClearSelection();
  G.ShowFilterEditor(Cell.X);
  if (Message.Msg == win::WM_LBUTTONDOWN && FFilterEditor && FFilterEditor->Visible()) {
    // The caret lands under the pointer.
    const win::POINT E = FFilterEditor->ScreenToClient(G.ClientToScreen(Pt));
    FFilterEditor->Perform(win::WM_LBUTTONDOWN, Message.WParam, win::MAKELPARAM(static_cast<win::WORD>(E.x), static_cast<win::WORD>(E.y)));
  }
  FFilterMouseTime = static_cast<int>(win::GetMessageTime());
  FFilterMouseDown = Pt;
  return true;
}
