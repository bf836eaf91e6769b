// The grid's keyboard handling and the navigation the mouse shares with it: moving the
// current cell and record, extending row and rectangle selections, inserting, appending
// and deleting records, and stepping check-box and key-image cells.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "grid/DBGridGx/ClipboardActions.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/SharedResources.h"
#include "platform/controls/Clipbrd.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Utf8.h"

namespace {

// Drops the last character (all of its bytes) of a UTF-8 text.
void DropLastChar(std::string& Text) {
  Text.erase(Utf8PrevChar(Text, Text.size()));
}

// Clears the selection and forgets where a Shift-extension of rows started, so that the
// next one starts from the current row.
void DropSelection(TCustomDBGridGx* Grid) {
  Grid->ClearSelection();
  Grid->ResetRowAnchor();
}

}  // namespace

// ---- edit actions: whether each may run now ----
bool TCustomDBGridGx::CanCopySelection() { return P->FDataLink->Active() && P->FSelection->Kind() != gstNon; }

bool TCustomDBGridGx::CanDeleteSelection() {
  if (!P->FDataLink->Active() || P->FReadOnly) return false;
  TDataSet* DataSet = P->FDataLink->DataSet();
  if (DataSet->IsEmpty() || !DataSet->CanModify()) return false;
  switch (P->FSelection->Kind()) {
    case gstRecordBookmarks:
    case gstAll:
      return P->FAllowedOperations.Contains(alopDeleteGx);
    case gstRectangle:
    case gstColumns:  // cells are cleared, records stay
      return P->FAllowedOperations.Contains(alopUpdateGx);
    default:
      return false;
  }
}

bool TCustomDBGridGx::CanCutSelection() { return CanCopySelection() && CanDeleteSelection(); }

bool TCustomDBGridGx::CanPasteIntoGrid() {
  if (!P->FDataLink->Active() || P->FReadOnly) return false;
  TDataSet* DataSet = P->FDataLink->DataSet();
  if (!DataSet->CanModify()) return false;
  if (DataSet->State() != dsInsert && !P->FAllowedOperations.Contains(alopUpdateGx)) return false;
  return Clipboard()->HasFormat(win::RegisterClipboardFormatA("VCLDBIF")) || Clipboard()->HasFormat(win::CF_TEXT);
}

bool TCustomDBGridGx::CanSelectAllRecords() {
  return P->FDataLink->Active() && !P->FDataLink->DataSet()->IsEmpty() && P->FAllowedSelections.Contains(gstAll);
}

bool TCustomDBGridGx::OperationsAllowEdit() {
  if (!P->FDataLink->Active()) return false;
  TDataSet* DataSet = P->FDataLink->DataSet();
  if (!P->FAllowedOperations.Contains(alopUpdateGx) && DataSet->State() != dsInsert) return false;
  return !DataSet->IsEmpty() || P->FAllowedOperations.Contains(alopInsertGx) || P->FAllowedOperations.Contains(alopAppendGx);
}

bool TCustomDBGridGx::ExecuteAction(TObject* Action) { return P->FDataLink->ExecuteAction(Action); }
bool TCustomDBGridGx::UpdateAction(TObject* Action) { return P->FDataLink->UpdateAction(Action); }

// Ctrl+': the value of the record shown above goes into the current cell (a lookup
// column takes the record's key values). An error undoes the edit this began.
void TCustomDBGridGx::CopyPreviousValue() {
  if (!P->FDataLink->Active() || P->FDataLink->ActiveRecord() <= 0) return;
  TColumnGx* Column = CurrentColumn();
  TField* Field = Column ? Column->Field() : nullptr;
  if (!Field) return;
  TDataSet* DataSet = P->FDataLink->DataSet();
  const bool WasEditing = DataSet->State() == dsEdit || DataSet->State() == dsInsert;
  if (!Column->CheckEditable(true)) return;
  bool Written = false;
  auto CancelBegun = AtScopeExit([&] {
    if (!Written && !WasEditing && DataSet->State() == dsEdit) DataSet->Cancel();
  });
  const bool ByKeys = Field->Lookup() && !Field->KeyFields().empty();
  Variant Value;
  {
    const int Here = P->FDataLink->ActiveRecord();
    P->FDataLink->SetActiveRecord(Here - 1);
    auto Restore = AtScopeExit([&] { P->FDataLink->SetActiveRecord(Here); });
    Value = ByKeys ? DataSet->FieldValues(Field->KeyFields()) : Field->AsVariant();
  }
  ClearSelection();
  if (ByKeys) DataSet->SetFieldValues(Field->KeyFields(), Value);
  else Field->SetAsVariantValue(Value);
  Written = true;
  ShowCellEditor();
  if (InplaceEditor() && InplaceEditor()->Visible()) InplaceEditor()->SelectAll();
}

// ---- clipboard actions: the ones the output unit registered, if it started ----
namespace {
TDBGridGxClipboardActions& RegisteredClipboardActions() {
  static TDBGridGxClipboardActions actions;
  return actions;
}
}  // namespace

void RegisterDBGridGxClipboardActions(const TDBGridGxClipboardActions& Actions) {
  RegisteredClipboardActions() = Actions;
}
const TDBGridGxClipboardActions& DBGridGxClipboardActions() { return RegisteredClipboardActions(); }

void TCustomDBGridGx::CopyGridSelection() {
  if (auto action = RegisteredClipboardActions().Copy) action(this, false);
}
void TCustomDBGridGx::CutGridSelection() {
  if (auto action = RegisteredClipboardActions().Cut) action(this, false);
}
void TCustomDBGridGx::PasteIntoGrid() {
  if (auto action = RegisteredClipboardActions().Paste) action(this, false);
}
void TCustomDBGridGx::DeleteGridSelection() {
  if (auto action = RegisteredClipboardActions().Delete) action(this, false);
}
// ---- key down ----

void TCustomDBGridGx::HandleKeyDown(win::WORD& Key, TShiftState Shift) {
  P->FShiftExtends = Shift.Contains(ssCtrl) || !P->FOptionsGx.Contains(dghClearSelection);
  TWinControl::KeyDown(Key, Shift);  // OnKeyDown may change or drop the key
  if (Key == 0) return;
  const bool Ctrl = Shift.Contains(ssCtrl), ShiftKey = Shift.Contains(ssShift), Alt = Shift.Contains(ssAlt);
  const bool Active = P->FDataLink && P->FDataLink->Active();
  TDataSet* DataSet = Active ? P->FDataLink->DataSet() : nullptr;

  // Up on the first record (or Ctrl+Up anywhere) enters the filter row.
  if (Key == win::VK_UP && P->FSTFilter && P->FSTFilter->Visible() && Active &&
      (Ctrl || DataSet->Bof() || DataSet->RecNo() == 1)) {
    if (!P->FOptions.Contains(dgRowSelect)) {
      ShowFilterEditor(Col());
    } else {
      // The remembered filter cell, or the next one with a filter cell, while it is in
      // view; else the first filter cell from the left column on.
      auto FirstFrom = [this](int From) {
        for (int C = std::max<int>(From, P->FIndicatorColCount); C < ColCount(); ++C)
          if (HasFilterCell(C)) return C;
        return -1;
      };
      int Target = FirstFrom(DataToGridColumn(std::max(P->FFilterColumn, 0)));
      const int LastShown = LeftCol() + VisibleColCount() - 1;
      if (Target < 0 || (Target >= FixedCols() && (Target < LeftCol() || Target > LastShown)))
        Target = FirstFrom(LeftCol());
      if (Target >= 0) ShowFilterEditor(Target);
    }
    Key = 0;
    return;
  }

  if (UseRightToLeftAlignment()) {
    if (Key == win::VK_LEFT) Key = win::VK_RIGHT;
    else if (Key == win::VK_RIGHT) Key = win::VK_LEFT;
  }
  if (!Active) return;

  // Shortcuts come first; a running search takes its own keys and lets the key go on.
  const TShortCut Pressed = ShortCut(Key, Shift);
  if (Pressed == PreviousValueShortCut()) {
    CopyPreviousValue();
    return;
  }
  if (Pressed == SearchShortCut() && P->FOptionsGx.Contains(dghIncSearch)) {
    IncrementalSearch("", -1);
    return;
  }
  // Searching for more while a record is being edited would leave the edit behind.
  const TDataSetState State = DataSet->State();
  const bool MaySearch = P->FSearching && State != dsEdit && State != dsInsert && State != dsSetKey;
  if (P->FSearching) {
    const bool Plain = !Ctrl && !ShiftKey && !Alt;
    if (Plain && (Key == win::VK_RETURN || Key == win::VK_ESCAPE || Key == win::VK_F2)) {
      StopIncrementalSearch();
    } else if (Plain && Key == win::VK_BACK && !P->FSearchText.empty()) {
      DropLastChar(P->FSearchText);
      InvalidateRow(Row());
      StartSearchTimer();
    } else if (MaySearch && Pressed == SearchNextShortCut()) {
      IncrementalSearch("", SearchTimeOut(), 1);
    } else if (MaySearch && Pressed == SearchPriorShortCut()) {
      IncrementalSearch("", SearchTimeOut(), 2);
    }
  }
  // Ctrl+V and Shift+Ins add the clipboard's text to a running search instead of pasting.
  auto Paste = [&] {
    if (P->FSearching) {
      if (MaySearch) IncrementalSearch(Clipboard()->AsText(), SearchTimeOut());
    } else if (P->FEditActions.Contains(geaPasteGx) && CanPasteIntoGrid()) {
      PasteIntoGrid();
    }
  };

  const bool Multi = P->FOptions.Contains(dgMultiSelect);
  const bool Extending = ShiftKey && Multi;
  const bool RowSelect = P->FOptions.Contains(dgRowSelect);
  auto CanAlterRecords = [&] { return !P->FReadOnly && DataSet->CanModify(); };

  if (Ctrl) {
    switch (Key) {
      case win::VK_PRIOR: case win::VK_UP: case win::VK_NEXT: case win::VK_DOWN: case win::VK_HOME:
      case win::VK_END:
        if (!ShiftKey) DropSelection(this);
        break;
      default: break;
    }
    switch (Key) {
      case win::VK_PRIOR:
      case win::VK_UP: {
        const int Distance = -P->FDataLink->ActiveRecord();
        if (Extending) MoveBySelecting(true, Distance, false, false);
        else DataSet->MoveBy(Distance);
        break;
      }
      case win::VK_NEXT:
      case win::VK_DOWN: {
        const int Distance = P->FDataLink->RecordCount() - P->FDataLink->ActiveRecord() - 1;
        if (Extending) MoveBySelecting(true, Distance, false, false);
        else DataSet->MoveBy(Distance);
        break;
      }
      case win::VK_HOME:
        if (Extending) MoveBySelecting(true, -1, false, true);
        else DataSet->First();
        break;
      case win::VK_END:
        if (Extending) MoveBySelecting(true, 1, false, true);
        else DataSet->Last();
        break;
      case win::VK_LEFT: SelectGridColumn(P->FIndicatorColCount, 1, false); break;
      case win::VK_RIGHT: SelectGridColumn(ColCount() - 1, -1, false); break;
      case win::VK_INSERT:
      case 'C':
        if (P->FEditActions.Contains(geaCopyGx) && CanCopySelection()) CopyGridSelection();
        break;
      case win::VK_DELETE:
        if (P->FEditActions.Contains(geaDeleteGx) && P->FSelection->Kind() != gstNon) {
          if (CanDeleteSelection()) DeleteGridSelection();
        } else if (CanAlterRecords() && !DataSet->IsEmpty() && P->FAllowedOperations.Contains(alopDeleteGx)) {
          const int Marked = P->FBookmarks->Count();
          const char* Question = Marked < 2 ? "Delete record?" : "Delete all selected records?";
          if (!P->FOptions.Contains(dgConfirmDelete) ||
              Application->MessageBox(Question, "Confirm", win::MB_OKCANCEL | win::MB_ICONQUESTION) == win::IDOK) {
            if (Marked > 0) P->FBookmarks->DeleteMarkedRecords();
            else DataSet->Delete();
          }
        }
        break;
      case 'A':
        if (P->FEditActions.Contains(geaSelectAllGx) && CanSelectAllRecords()) P->FSelection->SelectAll();
        break;
      case 'V': Paste(); break;
      case 'X':
        if (P->FEditActions.Contains(geaCutGx) && CanCutSelection()) CutGridSelection();
        break;
      default: break;
    }
    return;
  }

  switch (Key) {
    case win::VK_TAB:
      if (!Alt) MoveTab(!ShiftKey);
      break;
    case win::VK_RETURN:
      if (P->FOptionsGx.Contains(dghEnterAsTab)) MoveTab(!ShiftKey);
      break;
    case win::VK_ESCAPE:
      P->FDataLink->UndoEdit();
      DropSelection(this);
      if (!P->FOptions.Contains(dgAlwaysShowEditor)) HideEditor();
      if (GridState() != gsNormal) CancelMode();
      break;
    case win::VK_PRIOR:
    case win::VK_NEXT: {
      const int Page = VisibleDataRowCount();
      const int Distance = Key == win::VK_PRIOR ? -Page : Page;
      if (Extending) {
        MoveBySelecting(true, Distance, !P->FAllowedSelections.Contains(gstRectangle), false);
      } else {
        DropSelection(this);
        DataSet->MoveBy(Distance);
      }
      break;
    }
    case win::VK_HOME:
    case win::VK_END: {
      const bool Home = Key == win::VK_HOME;
      if (ColCount() - P->FIndicatorColCount == 1 || RowSelect) {
        if (Extending) {
          MoveBySelecting(true, Home ? -1 : 1, false, true);
        } else {
          DropSelection(this);
          if (Home) DataSet->First();
          else DataSet->Last();
        }
      } else if (Home) {
        SelectGridColumn(P->FIndicatorColCount, 1, Extending);
      } else {
        SelectGridColumn(ColCount() - 1, -1, Extending);
      }
      break;
    }
    case win::VK_LEFT:
    case win::VK_RIGHT: {
      const int Step = Key == win::VK_LEFT ? -1 : 1;
      if (RowSelect) {
        if (Step < 0 && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
        else if (Step > 0 && LeftCol() < MaxLeftCol()) SetLeftCol(LeftCol() + 1);
      } else {
        if (!Extending) DropSelection(this);
        SelectGridColumn(Col() + Step, Step, Extending);
      }
      break;
    }
    case win::VK_UP: MoveUp(ShiftKey); break;
    case win::VK_DOWN: MoveDown(ShiftKey); break;
    case win::VK_INSERT:
      if (ShiftKey) {
        Paste();
      } else if (CanAlterRecords() && P->FOptions.Contains(dgEditing)) {
        DropSelection(this);
        if (P->FAllowedOperations.Contains(alopInsertGx)) DataSet->Insert();
        else if (P->FAllowedOperations.Contains(alopAppendGx)) DataSet->Append();
      }
      break;
    case win::VK_DELETE:
      if (ShiftKey) {
        if (P->FEditActions.Contains(geaCutGx) && CanCutSelection()) CutGridSelection();
      } else if (!RowSelect) {
        // Del empties a check-box or key-image cell, which has no editor to do it; a
        // dataset that would not start editing (AutoEdit off) keeps its value.
        TColumnGx* Column = CurrentColumn();
        if (IsCheckCell(Column) && Column->Field() && !Column->Field()->Required() && Column->CheckEditable(true) &&
            P->FDataLink->Editing())
          Column->WriteCellValue("", Null(), false);
      }
      break;
    case win::VK_F2: SetEditorMode(true); break;
    default: break;
  }
}

// ---- record moves ----

void TCustomDBGridGx::MoveDown(bool Shift) {
  TDataSet* DataSet = P->FDataLink->Active() ? P->FDataLink->DataSet() : nullptr;
  if (!DataSet) return;
  if (DataSet->State() == dsInsert && !DataSet->Modified() && !P->FDataLink->Modified()) {
    // An untouched new record: at the end it stays; elsewhere moving on drops it.
    if (DataSet->Eof()) return;
    DataSet->Cancel();
  } else if (Shift) {
    MoveBySelecting(true, 1, !P->FAllowedSelections.Contains(gstRectangle), false);
  } else {
    MoveBySelecting(false, 1, true, false);
  }
  if (DataSet->Eof() && DataSet->CanModify() && !P->FReadOnly && P->FOptions.Contains(dgEditing) &&
      P->FAllowedOperations.Contains(alopAppendGx) && DataSet->State() != dsInsert)
    DataSet->Append();
}

void TCustomDBGridGx::MoveUp(bool Shift) {
  TDataSet* DataSet = P->FDataLink->Active() ? P->FDataLink->DataSet() : nullptr;
  if (!DataSet) return;
  if (DataSet->State() == dsInsert && !DataSet->Modified() && !P->FDataLink->Modified() && DataSet->Eof()) {
    DataSet->Cancel();
  } else if (Shift) {
    MoveBySelecting(true, -1, !P->FAllowedSelections.Contains(gstRectangle), false);
  } else {
    MoveBySelecting(false, -1, true, false);
  }
}

void TCustomDBGridGx::MoveTab(bool Forward) {
  const int Start = Col();
  DropSelection(this);
  LockUpdates();
  auto Unlock = AtScopeExit([this] { UnlockUpdates(); });
  int C = Start;
  for (;;) {
    C += Forward ? 1 : -1;
    if (C >= ColCount()) {
      MoveDown(false);
      C = P->FIndicatorColCount;
    } else if (C < P->FIndicatorColCount) {
      MoveUp(false);
      C = ColCount() - 1;
    }
    if (C == Start) return;
    if (TabStops(C) && ColWidths(C) > 0) {
      SelectGridColumn(C, 0, false);
      return;
    }
  }
}

void TCustomDBGridGx::MoveBySelecting(bool Extend, int Distance, bool RowMode, bool ToEnd) {
  TDataSet* DataSet = P->FDataLink && P->FDataLink->Active() ? P->FDataLink->DataSet() : nullptr;
  if (!DataSet) return;
  auto Move = [&] {
    if (ToEnd) {
      if (Distance > 0) DataSet->Last();
      else DataSet->First();
    } else {
      DataSet->MoveBy(Distance);
    }
  };
  {
    LockUpdates();
    auto Unlock = AtScopeExit([this] { UnlockUpdates(); });
    if (RowMode || P->FOptions.Contains(dgRowSelect)) {
      const bool CanExtend = Extend && CanSelectKind(gstRecordBookmarks);
      if (!CanExtend) {
        if (P->FOptions.Contains(dgMultiSelect)) {
          DropSelection(this);
        }
        if (Distance != 0) Move();
      } else if (Distance != 0) {
        // The marks are gathered while walking and applied in one pass at the end, and
        // a walk to the end does not report every record to the grid on its way: the
        // cost stays linear in the records walked.
        const int Step = Distance > 0 ? 1 : -1;
        const bool Quiet = ToEnd || Distance > 1 || Distance < -1;
        if (Quiet) DataSet->DisableControls();
        auto Enable = AtScopeExit([&] {
          if (Quiet) DataSet->EnableControls();
        });
        std::vector<std::pair<std::string, bool>> Changes;
        auto MarkValue = [this] { return P->FShiftExtends ? !P->FRowAnchorMarked : true; };
        if (!P->FRowAnchorSet) {
          P->FRowAnchor = DataSet->Bookmark();
          P->FRowAnchorMarked = P->FBookmarks->IsCurrentRowMarked();
          Changes.emplace_back(P->FRowAnchor, MarkValue());
          P->FRowAnchorSet = true;
        }
        // Once the walk reaches the anchor, every record after it lies beyond it too.
        bool Beyond = false;
        std::string Here = DataSet->Bookmark();
        while (Distance != 0) {
          if (!Beyond) {
            const int Side = DataSet->CompareBookmarks(Here, P->FRowAnchor);
            Beyond = Step > 0 ? Side >= 0 : Side <= 0;
          }
          if (!Beyond) Changes.emplace_back(std::move(Here), P->FShiftExtends ? P->FRowAnchorMarked : false);
          if (DataSet->MoveBy(Step) == 0) break;
          Here = DataSet->Bookmark();
          if (Beyond) Changes.emplace_back(Here, MarkValue());
          if (!ToEnd) Distance -= Step;
        }
        P->FBookmarks->MarkBookmarks(Changes);
      }
    } else if (Extend && CanSelectKind(gstRectangle)) {
      TDBGridGxSelectionRect* Rect = P->FSelection->Rect();
      if (P->FSelection->Kind() != gstRectangle) {
        Rect->Empty();
        Rect->ExtendTo(CurrentDataColumn(), DataSet->Bookmark(), false);
      }
      Move();
      Rect->ExtendTo(CurrentDataColumn(), DataSet->Bookmark(), true);
    } else {
      Move();
    }
  }
  if (P->FUpdateLockCount == 0) Invalidate();
}

// ---- columns ----

void TCustomDBGridGx::SelectGridColumn(int ACol, int Step, bool ExtendRect) {
  const bool Active = P->FDataLink && P->FDataLink->Active();
  const bool Rect = ExtendRect && Active && CanSelectKind(gstRectangle);
  if (Rect && P->FSelection->Kind() != gstRectangle) {
    P->FSelection->Rect()->Empty();
    P->FSelection->Rect()->ExtendTo(CurrentDataColumn(), P->FDataLink->DataSet()->Bookmark(), false);
  }
  if (Active) P->FDataLink->UpdateRecord();
  ACol = std::max<int>(P->FIndicatorColCount, std::min(ACol, ColCount() - 1));
  if (Step != 0) {
    while (ColWidths(ACol) < 1) {
      ACol += Step;
      if (ACol < P->FIndicatorColCount || ACol >= ColCount()) return;
    }
  }
  if (ACol != Col()) {
    if (!P->FInColExit) {
      P->FInColExit = true;
      auto Release = AtScopeExit([this] { P->FInColExit = false; });
      const int Before = Col();
      FireColExit();
      if (Col() != Before) return;
    }
    if (!P->FOptions.Contains(dgAlwaysShowEditor)) HideEditor();
    if (!P->FOptions.Contains(dgRowSelect)) SetCurrentGridColumn(ACol);
    TColumnGx* Column = CurrentColumn();
    if (Column && !IsCheckCell(Column) && P->FOptions.Contains(dgAlwaysShowEditor) && !P->FFilterEditing)
      ShowCellEditor();
    FireColEnter();
  }
  if (Rect) P->FSelection->Rect()->ExtendTo(CurrentDataColumn(), P->FDataLink->DataSet()->Bookmark(), true);
  StopIncrementalSearch();
}

void TCustomDBGridGx::SelectFieldColumn(TField* Field) {
  for (int I = 0; I < P->FColumns->Count(); ++I)
    if (P->FColumns->ColumnAt(I)->Field() == Field) SelectGridColumn(DataToGridColumn(I), 0, false);
}

// ---- characters ----

void TCustomDBGridGx::KeyPress(TKeyChar& Key) {
  if (P->FOptionsGx.Contains(dghEnterAsTab) && Key == U'\r') Key = U'\t';
  const bool Active = P->FDataLink && P->FDataLink->Active();
  if (!P->FOptions.Contains(dgAlwaysShowEditor) && Key == U'\r' && Active) P->FDataLink->UpdateRecord();
  P->FCharText.clear();
  if (Key) Utf8Append(P->FCharText, Key);
  auto Clear = AtScopeExit([this] { P->FCharText.clear(); });
  bool Searches = Key > 31 && Active && InSearchMode();
  if (Searches) {
    const TDataSetState State = P->FDataLink->DataSet()->State();
    Searches = State != dsEdit && State != dsInsert && State != dsSetKey;
  }
  if (!Searches) {
    TCustomGrid::KeyPress(Key);
    return;
  }
  // A searched character goes to the key-press event only: the base grid would open the
  // editor with it.
  const TKeyChar Typed = Key;
  TCustomControl::KeyPress(Key);
  if (Key <= 31) return;
  if (Key != Typed) {
    P->FCharText.clear();
    Utf8Append(P->FCharText, Key);
  }
  const std::string Text = P->FCharText;
  Key = 0;
  IncrementalSearch(Text, P->FSearching ? SearchTimeOut() : DefaultSearchTimeout());
}

void TCustomDBGridGx::HandleCharMessage(TMessage& Message) {
  // The window layer joins surrogate pairs before KeyPress, so a character of two
  // units arrives as one.
  TColumnGx* Column = CurrentColumn();
  if (Message.WParam == U' ' && !P->FOptions.Contains(dgRowSelect) && IsCheckCell(Column)) {
    TKeyChar Key = U' ';
    TWinControl::KeyPress(Key);  // the key-press event may take the space
    if (Key == U' ') Column->StepCellValue(win::GetKeyState(win::VK_SHIFT) < 0 ? -1 : 1);
    Message.Result = 0;
    return;
  }
  TCustomGrid::Dispatch(Message);
}
