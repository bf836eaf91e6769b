// The buttons at the right of the data-aware edit: their layout and states, short cuts,
// drop-down menus, and the main button's side of the popup protocol.
#include <algorithm>
#include <climits>

#include "gridcontrols/DBCtrlsGx/DBEditPrivate.h"
#include "platform/controls/Messages.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/SysUtils.h"

void TCustomDBEditGx::RebuildButtonControls() {
  P->FButtons.SetHandlers(TButtonDownEventGx::Bind(this, &TCustomDBEditGx::ButtonMouseDown),
                       TNotifyEvent::Bind(this, &TCustomDBEditGx::ButtonClicked),
                       TMouseMoveEvent::Bind(this, &TCustomDBEditGx::ButtonMouseMove),
                       TMouseEvent::Bind(this, &TCustomDBEditGx::ButtonMouseUp));
  P->FButtons.Layout(P->FMainButton.get(), P->FEditButtons.get(), P->FFlat, UseRightToLeftAlignment());
}

void TCustomDBEditGx::RefreshButtonStates() {
  P->FButtons.SetStates(CanPressButtons(), P->FBorderIsActive, P->FBorderIsActive ? clBtnFace : Color());
}

void TCustomDBEditGx::ButtonsChanged(TObject*) {
  if (!HandleAllocated() || P->FDestroying) return;
  RebuildButtonControls();
  RefreshButtonStates();
  ApplyTextArea();
  Invalidate();
}

TEditButtonControlGx* TCustomDBEditGx::ButtonForShortCut(win::WORD Key, TShiftState Shift) {
  const TShortCut sc = ShortCut(Key, Shift);
  if (sc == 0) return nullptr;
  if (P->FMainButton->ShortCut() == sc && CanPressButtons() && P->FButtons.MainControl()) return P->FButtons.MainControl();
  for (int i = 0; i < P->FEditButtons->Count(); ++i)
    if (P->FEditButtons->Items(i)->ShortCut() == sc)
      if (TEditButtonControlGx* control = P->FButtons.ItemControl(i)) return control;
  return nullptr;
}

void TCustomDBEditGx::ButtonMouseDown(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled) {
  SetFocus();
  Handled = false;
  P->FButtons.Press(Sender, P->FEditButtons.get(), TopButton, AutoRepeat, Handled, [&] {
    if (P->FOnMainButtonDown) P->FOnMainButtonDown(this, TopButton, AutoRepeat, Handled);
    if (Handled) return;
    if (P->FMainButton->DropdownMenu()) P->FButtons.DropMenu(P->FButtons.MainControl(), P->FMainButton->DropdownMenu());
    else PressMainButton();
  });
}

void TCustomDBEditGx::PressMainButton() {
  if (P->FMainButton->Style() == ebsUpDownGx) return;
  P->FPopups.PressMain([this] { OpenPopup(); });
}

void TCustomDBEditGx::OpenPopup() {
  P->FPopups.HoldMainButton(true);
  if (P->FMRUList->DroppedDown()) P->FMRUList->ClosePopup(false);
}

void TCustomDBEditGx::ClosePopup(bool) { P->FPopups.HoldMainButton(false); }

void TCustomDBEditGx::ButtonClicked(TObject* Sender) {
  const bool close = P->FPopups.Click(Sender, P->FEditButtons.get(), [this](bool& Handled) {
    if (P->FOnMainButtonClick) P->FOnMainButtonClick(this, Handled);
  });
  if (close) ClosePopup(false);
}

void TCustomDBEditGx::ButtonMouseUp(TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
  P->FButtons.Released(Sender, X, Y);
}
