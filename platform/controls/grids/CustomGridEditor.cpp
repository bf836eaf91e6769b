// TCustomGrid: the in-place editor, window creation and message dispatch.
#include "platform/controls/grids/CustomGrid.h"
#include "platform/controls/grids/InplaceEdit.h"

#include "platform/desktop/Windows.h"

bool TCustomGrid::CanEditShow() {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
         (FEditorMode || FOptions.Contains(goAlwaysShowEditor)) && FCurrent.X >= FFixedCols &&
         FCurrent.Y >= FFixedRows && ColWidths(FCurrent.X) > 0 && RowHeights(FCurrent.Y) > 0 &&
         !ComponentState().Contains(csDesigning) && HandleAllocated();
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value) ShowEditor();
  else HideEditor();
}

void TCustomGrid::ShowEditor() {
  bool was = FEditorMode && FInplaceEdit;
  FEditorMode = true;
  if (!CanEditShow()) {
    FEditorMode = false;
    if (FInplaceEdit) FInplaceEdit->Hide();
    return;
  }
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->FGrid = this;
    FInplaceEdit->SetParent(this);
  }
  if (!was) FInplaceEdit->UpdateContents();
  MoveEditorToCell();
  if (Focused() && FInplaceEdit->Visible() && FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::HideEditor() {
  if (!FEditorMode && !(FInplaceEdit && FInplaceEdit->Visible())) return;
  UpdateText();
  FEditorMode = false;
  if (FInplaceEdit) FInplaceEdit->Hide();
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::UpdateText() {
  if (!FInplaceEdit || !FEditorMode || !FInplaceEdit->Modified()) return;
  FInplaceEdit->SetModified(false);
  SetEditText(FCurrent.X, FCurrent.Y, FInplaceEdit->Text());
}

// Reloads the editor for the current cell; a cell that takes no editor hides it meanwhile.
void TCustomGrid::InvalidateEditor() {
  if (!FInplaceEdit || !FEditorMode) return;
  if (!CanEditShow()) {
    FInplaceEdit->Hide();
    return;
  }
  FInplaceEdit->UpdateContents();
  MoveEditorToCell();
}

// Keeps the editor over the current cell; while the cell is out of view the editor is hidden.
void TCustomGrid::MoveEditorToCell() {
  if (!FInplaceEdit || !FEditorMode) return;
  win::RECT r = CellRect(FCurrent.X, FCurrent.Y);
  if (r.right <= r.left || r.bottom <= r.top) {
    FInplaceEdit->Hide();
    return;
  }
  bool wasVisible = FInplaceEdit->Visible();
  FInplaceEdit->UpdateLoc(r);
  if (!wasVisible && Focused() && FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= win::WS_TABSTOP | win::WS_CLIPCHILDREN;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= win::WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= win::WS_HSCROLL;
  if (FBorderStyle == bsSingle) {
    if (Ctl3D()) Params.ExStyle |= win::WS_EX_CLIENTEDGE;
    else Params.Style |= win::WS_BORDER;
  }
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollRange();
}

void TCustomGrid::WMFocusChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  InvalidateRect(Selection());
  InvalidateCell(FCurrent.X, FCurrent.Y);
  // Focus arriving at the grid goes on to a shown editor.
  if (Message.Msg == win::WM_SETFOCUS && FEditorMode && FInplaceEdit && FInplaceEdit->Visible() &&
      FInplaceEdit->CanFocus())
    FInplaceEdit->SetFocus();
}

void TCustomGrid::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_GETDLGCODE: WMGetDlgCode(Message); return;
    case win::WM_HSCROLL: WMScroll(Message, true); return;
    case win::WM_VSCROLL: WMScroll(Message, false); return;
    case win::WM_TIMER: WMTimer(Message); return;
    case win::WM_SETCURSOR: WMSetCursor(Message); return;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS: WMFocusChanged(Message); return;
    case win::WM_ERASEBKGND: Message.Result = 1; return;
    case win::WM_CANCELMODE:
    case CM_CANCELMODE:
      if (FGridState != gsNormal) CancelMode();
      TCustomControl::Dispatch(Message);
      return;
    default: TCustomControl::Dispatch(Message);
  }
}
