#include "gridcontrols/ToolCtrlsGx/PopupHost.h"

#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "platform/controls/Messages.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"

TPopupHostGx::TPopupHostGx(TCustomEdit* Edit, TEditButtonStripGx& Buttons) : FEdit(Edit), FButtons(Buttons) {}

void TPopupHostGx::Forget(TComponent* Component) {
  if (Component == FActive) FActive = nullptr;
}

void TPopupHostGx::PressMain(const std::function<void()>& OpenPopup) {
  if (FOpen) return;
  OpenPopup();
  FButtons.PressOpenedPopup();
}

bool TPopupHostGx::Click(TObject* Sender, TEditButtonsGx* Items, const std::function<void(bool& Handled)>& MainClick) {
  return FButtons.Click(Sender, Items, FOpen, MainClick);
}

void TPopupHostGx::Show() {
  TControl* Parent = FEdit->Parent();
  const win::POINT Origin =
      Parent ? Parent->ClientToScreen({FEdit->Left(), FEdit->Top()}) : win::POINT{FEdit->Left(), FEdit->Top()};
  const win::RECT Edit{Origin.x, Origin.y, Origin.x + FEdit->Width(), Origin.y + FEdit->Height()};
  ShowDropDownWindow(FActive, PlaceEditPopup(Edit, FActive));
}

void TPopupHostGx::Opened() {
  FOpen = true;
  FEdit->Invalidate();
  if (FEdit->HandleAllocated()) win::SetFocus(FEdit->Handle());
  FButtons.HoldMainDown(true);
}

void TPopupHostGx::TakeBackFocus() {
  if (!FActive || !FActive->HandleAllocated()) return;
  const win::HWND Focus = win::GetFocus();
  if (Focus && (Focus == FActive->Handle() || win::IsChild(FActive->Handle(), Focus)) && FEdit->HandleAllocated())
    win::SetFocus(FEdit->Handle());
}

void TPopupHostGx::Hide() {
  if (FActive) HideDropDownWindow(FActive);
  FOpen = false;
}

void TPopupHostGx::Closed() {
  FEdit->Invalidate();
  // Only the opening that hid the caret shows it again: showing a caret that is not hidden
  // would undo someone else's hiding.
  if (FCaretHidden) {
    FCaretHidden = false;
    if (FEdit->HandleAllocated()) win::ShowCaret(FEdit->Handle());
  }
}

void TPopupHostGx::HideCaret() {
  if (FEdit->HandleAllocated() && !FCaretHidden) FCaretHidden = win::HideCaret(FEdit->Handle()) != 0;
}

bool TPopupHostGx::Holds(win::HWND Window) const {
  return FActive && FActive->HandleAllocated() && Window &&
         (Window == FActive->Handle() || win::GetParent(Window) == FActive->Handle());
}

bool TPopupHostGx::Holds(TControl* Control) const {
  return Control && FActive && (Control == FActive || Control->Parent() == FActive);
}

bool TPopupHostGx::PassWheel(TMessage& Message) {
  if (!FOpen || !FActive || FPassingWheel) return false;
  FPassingWheel = true;
  auto Done = AtScopeExit([this] { FPassingWheel = false; });
  FActive->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  Message.Result = 1;
  return true;
}

bool TPopupHostGx::PassPress(TControl* Button, int X, int Y, const win::RECT& Target) {
  if (!FOpen || !FActive || !FActive->HandleAllocated() || GetCaptureControl() != Button) return false;
  win::POINT P = Button->ClientToScreen({X, Y});
  win::ScreenToClient(FActive->Handle(), &P);
  if (P.x < Target.left || P.x >= Target.right || P.y < Target.top || P.y >= Target.bottom) return false;
  Button->Perform(win::WM_CANCELMODE, 0, 0);
  win::SendMessage(FActive->Handle(), win::WM_LBUTTONDOWN, win::MK_LBUTTON,
                   win::MAKELPARAM(static_cast<win::WORD>(P.x), static_cast<win::WORD>(P.y)));
  return true;
}
