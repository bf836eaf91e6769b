// The buttons at the right of the data-aware edit: their layout and states, short cuts,
// drop-down menus, and the main button's side of the popup protocol.
#include <algorithm>
#include <climits>

#include "gridcontrols/DBCtrlsGx/DBEdit.h"
#include "platform/controls/Messages.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/SysUtils.h"

void TCustomDBEditGx::RebuildButtonControls() {
  FButtons.SetHandlers(TButtonDownEventGx::Bind(this, &TCustomDBEditGx::ButtonMouseDown),
                       TNotifyEvent::Bind(this, &TCustomDBEditGx::ButtonClicked),
                       TMouseMoveEvent::Bind(this, &TCustomDBEditGx::ButtonMouseMove),
                       TMouseEvent::Bind(this, &TCustomDBEditGx::ButtonMouseUp));
  FButtons.Layout(FMainButton.get(), FEditButtons.get(), FFlat, UseRightToLeftAlignment());
}

void TCustomDBEditGx::RefreshButtonStates() {
  FButtons.SetStates(CanPressButtons(), FBorderIsActive, FBorderIsActive ? clBtnFace : Color());
}

void TCustomDBEditGx::ButtonsChanged(TObject*) {
  if (!HandleAllocated() || FDestroying) return;
  RebuildButtonControls();
  RefreshButtonStates();
  ApplyTextArea();
  Invalidate();
}

TEditButtonControlGx* TCustomDBEditGx::ButtonForShortCut(win::WORD Key, TShiftState Shift) {
  const TShortCut sc = ShortCut(Key, Shift);
  if (sc == 0) return nullptr;
  if (FMainButton->ShortCut() == sc && CanPressButtons() && FButtons.MainControl()) return FButtons.MainControl();
  for (int i = 0; i < FEditButtons->Count(); ++i)
    if (FEditButtons->Items(i)->ShortCut() == sc)
      if (TEditButtonControlGx* control = FButtons.ItemControl(i)) return control;
  return nullptr;
}

void TCustomDBEditGx::ButtonMouseDown(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled) {
  SetFocus();
  Handled = false;
  FButtons.Press(Sender, FEditButtons.get(), TopButton, AutoRepeat, Handled, [&] {
    if (FOnMainButtonDown) FOnMainButtonDown(this, TopButton, AutoRepeat, Handled);
    if (Handled) return;
    if (FMainButton->DropdownMenu()) FButtons.DropMenu(FButtons.MainControl(), FMainButton->DropdownMenu());
    else PressMainButton();
  });
}

void TCustomDBEditGx::PressMainButton() {
  if (FMainButton->Style() == ebsUpDownGx) return;
  FPopups.PressMain([this] { OpenPopup(); });
}

void TCustomDBEditGx::OpenPopup() {
  FPopups.HoldMainButton(true);
  if (FMRUList->DroppedDown()) FMRUList->ClosePopup(false);
}

void TCustomDBEditGx::ClosePopup(bool) { FPopups.HoldMainButton(false); }

void TCustomDBEditGx::ButtonClicked(TObject* Sender) {
  const bool close = FPopups.Click(Sender, FEditButtons.get(), [this](bool& Handled) {
    if (FOnMainButtonClick) FOnMainButtonClick(this, Handled);
  });
  if (close) ClosePopup(false);
}

void TCustomDBEditGx::ButtonMouseUp(TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
  FButtons.Released(Sender, X, Y);
}
