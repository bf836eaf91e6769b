// TInplaceEdit: the grid's cell editor.
#include "platform/controls/grids/InplaceEdit.h"
#include "platform/controls/grids/CustomGrid.h"

#include "platform/desktop/Windows.h"

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FGrid = dynamic_cast<TCustomGrid*>(AOwner);
  SetParentCtl3D(false);
  SetCtl3D(false);
  SetTabStop(false);
  SetBorderStyle(bsNone);
  SetAutoSelect(false);
  FVisible = false;
}

void TInplaceEdit::UpdateContents() {
  if (!FGrid) return;
  int c = FGrid->Col(), r = FGrid->Row();
  SetText("");
  SetEditMask(FGrid->GetEditMask(c, r));
  SetText(FGrid->GetEditText(c, r));
  SetMaxLength(FGrid->GetEditLimit());
  SetModified(false);
  SelectAll();
}

void TInplaceEdit::Move(const win::RECT& Loc) {
  SetBounds(Loc.left, Loc.top, Loc.right - Loc.left, Loc.bottom - Loc.top);
  BoundsChanged();
}

void TInplaceEdit::UpdateLoc(const win::RECT& Loc) {
  Move(Loc);
  if (!TControl::Visible()) SetVisible(true);
  Invalidate();
}

void TInplaceEdit::Hide() {
  if (!TControl::Visible()) return;
  // A hidden window never keeps the focus: the grid takes it back once the editor is
  // gone (taken before, the grid would hand it straight back to the shown editor).
  const bool HadFocus = HandleAllocated() && win::GetFocus() == FHandle;
  SetVisible(false);
  if (HadFocus && FGrid && FGrid->CanFocus()) FGrid->SetFocus();
}

void TInplaceEdit::TypeChar(TKeyChar Key) {
  if (Key >= 0x10000) {
    TKeyChar v = Key - 0x10000;
    Perform(win::WM_CHAR, 0xD800 + (v >> 10), 0);
    Perform(win::WM_CHAR, 0xDC00 + (v & 0x3FF), 0);
  } else {
    Perform(win::WM_CHAR, Key, 0);
  }
}

void TInplaceEdit::Revert() {
  if (!FGrid) return;
  SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
  SetModified(false);
  SelectAll();
}

bool TInplaceEdit::EditCanModify() { return FGrid ? FGrid->CanEditModify() : true; }

void TInplaceEdit::KeyDown(win::WORD& Key, TShiftState Shift) {
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Key == 0 || !FGrid) return;
  auto toGrid = [&] {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
  };
  int len = static_cast<int>(TextLength());
  bool nothingSelected = SelLength() == 0;
  switch (Key) {
    case win::VK_UP: case win::VK_DOWN: case win::VK_PRIOR: case win::VK_NEXT: case win::VK_TAB:
    case win::VK_ESCAPE:
      toGrid();
      break;
    case win::VK_INSERT:
      if (Shift.Empty()) toGrid();
      break;
    case win::VK_LEFT:
      if (Shift.Contains(ssCtrl) || (nothingSelected && SelStart() == 0) || SelLength() == len) toGrid();
      break;
    case win::VK_RIGHT:
      if (Shift.Contains(ssCtrl) || (nothingSelected && SelStart() >= len) || SelLength() == len) toGrid();
      break;
    case win::VK_HOME: case win::VK_END:
      if (Shift.Contains(ssCtrl)) toGrid();
      break;
    case win::VK_DELETE:
      if (Shift.Contains(ssCtrl)) toGrid();
      else if (!ReadOnly() && !FGrid->CanEditModify()) Key = 0;
      break;
    default: break;
  }
}

void TInplaceEdit::KeyPress(TKeyChar& Key) {
  if (FGrid) {
    // Enter is the grid's (it writes the text back and closes the editor); Escape drops
    // the changes. An editor that is always shown stays, its text selected.
    if (Key == U'\r' || Key == 0x1B) {
      if (Key == U'\r') FGrid->KeyPress(Key);
      else Revert();
      Key = 0;
      if (!TControl::Visible()) return;
      if (!FGrid->Options().Contains(goAlwaysShowEditor)) {
        FGrid->HideEditor();
        return;
      }
      FGrid->UpdateText();
      SelectAll();
      return;
    }
    if (Key == U'\t') {
      Key = 0;  // Tab moved the grid at key-down
      return;
    }
    if (Key >= 32 && !FGrid->CanEditAcceptKey(Key)) {
      Key = 0;
      win::MessageBeep(0);
      return;
    }
    if ((Key >= 32 || Key == 8 || Key == 22 || Key == 24) && !ReadOnly() && !FGrid->CanEditModify()) {
      Key = 0;
      return;
    }
  }
  TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_GETDLGCODE) {
    Message.Result = win::DLGC_WANTARROWS | win::DLGC_WANTCHARS | win::DLGC_HASSETSEL | win::DLGC_WANTALLKEYS;
    if (FGrid && FGrid->Options().Contains(goTabs)) Message.Result |= win::DLGC_WANTTAB;
    return;
  }
  TCustomMaskEdit::Dispatch(Message);
}

// Leaving the editor for another control keeps what was typed.
void TInplaceEdit::DoExit() {
  if (FGrid) FGrid->UpdateText();
  TCustomMaskEdit::DoExit();
}
