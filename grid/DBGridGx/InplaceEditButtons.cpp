// TDBGridInplaceEdit: the strip of edit buttons, the formatting rectangle beside it, and
// what presses and clicks of the buttons do.
#include "grid/DBGridGx/InplaceEditPrivate.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "grid/DBGridGx/GridControl.h"
#include "platform/controls/Menus.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"

namespace {

TEditButtonStyleGx MainButtonStyle(TInplaceEditStyleGx Style) {
  switch (Style) {
    case iesEllipsisGx: return ebsEllipsisGx;
    case iesUpDownGx: return ebsUpDownGx;
    default: return ebsDropDownGx;
  }
}

}  // namespace

void TDBGridInplaceEdit::UpdateButtonControls() {
  TCustomDBGridGx* Grid = DBGrid();
  TColumnGx* C = Column();
  P->FMainButton->SetVisible(P->FEditStyle != iesSimpleGx);
  P->FMainButton->SetStyle(MainButtonStyle(P->FEditStyle));
  P->FButtons.Layout(P->FMainButton.get(), C ? C->EditButtons() : nullptr, Grid && Grid->Flat(),
                  Grid && Grid->UseRightToLeftAlignment());
}

void TDBGridInplaceEdit::UpdateButtonControlsState() { P->FButtons.SetStates(true, true, clBtnFace); }

void TDBGridInplaceEdit::BoundsChanged() {
  P->FButtons.ForgetMenuClosing();
  UpdateButtonControls();
  UpdateButtonControlsState();
  TCustomDBGridGx* Grid = DBGrid();
  win::RECT R = Grid && Grid->Flat() ? win::RECT{2, 1, Width() - 2, Height() - 1}
                                     : win::RECT{2, 2, Width() - 2, Height()};
  if (P->FButtons.Width() > 0) {
    if (Grid && Grid->UseRightToLeftAlignment()) R.left += P->FButtons.Width();
    else R.right -= P->FButtons.Width();
  }
  if (!HandleAllocated()) return;
  win::SendMessage(Handle(), win::EM_SETRECTNP, 0, reinterpret_cast<win::LPARAM>(&R));
  win::SendMessage(Handle(), win::EM_SCROLLCARET, 0, 0);
  if (!win::GetSystemMetrics(win::SM_DBCSENABLED)) return;
  // Text composed by an input method appears where the text starts, in the editor's font.
  if (win::HIMC Context = win::ImmGetContext(Handle())) {
    win::COMPOSITIONFORM Form;
    Form.dwStyle = win::CFS_POINT;
    Form.ptCurrentPos = {R.left, R.top};
    win::ImmSetCompositionWindow(Context, &Form);
    win::LOGFONT Log{};
    win::GetObject(win::GdiObj(Font()->Handle()), sizeof Log, &Log);
    win::ImmSetCompositionFontA(Context, &Log);
    win::ImmReleaseContext(Handle(), Context);
  }
}

// ---- button events ----

void TDBGridInplaceEdit::ButtonMouseDown(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled) {
  if (CanFocus()) SetFocus();
  Handled = false;
  TColumnGx* C = Column();
  P->FButtons.Press(Sender, C ? C->EditButtons() : nullptr, TopButton, AutoRepeat, Handled, [&] {
    if (C && C->OnEditButtonDown()) C->OnEditButtonDown()(Sender, TopButton, AutoRepeat, Handled);
    if (!Handled) PressMainButton(!TopButton);
  });
}

void TDBGridInplaceEdit::PressMainButton(bool Down) {
  if (P->FEditStyle == iesUpDownGx) {
    StepValue(Down);
    return;
  }
  P->FPopups.PressMain([this] { OpenPopup(); });
}

void TDBGridInplaceEdit::ButtonMouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {
  if (P->FButtons.IsMain(Sender)) TraceMouseIntoPopup(Sender, Shift, X, Y);
}

void TDBGridInplaceEdit::ButtonMouseUp(TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
  P->FButtons.Released(Sender, X, Y);
}

void TDBGridInplaceEdit::ButtonClicked(TObject* Sender) {
  TColumnGx* C = Column();
  const bool Close = P->FPopups.Click(Sender, C ? C->EditButtons() : nullptr, [&](bool& Handled) {
    if (P->FEditStyle == iesEllipsisGx || P->FEditStyle == iesDropDownGx)
      if (TCustomDBGridGx* Grid = DBGrid()) Grid->FireEditButtonClick();
    if (C && C->OnEditButtonClick()) C->OnEditButtonClick()(Sender, Handled);
  });
  if (Close) ClosePopup(false);
}

TEditButtonGx* TDBGridInplaceEdit::ButtonByShortCut(TShortCut ShortCut) const {
  TColumnGx* C = Column();
  if (!C) return nullptr;
  for (int I = 0; I < C->EditButtons()->Count(); ++I)
    if (C->EditButtons()->Items(I)->ShortCut() == ShortCut) return C->EditButtons()->Items(I);
  return nullptr;
}
