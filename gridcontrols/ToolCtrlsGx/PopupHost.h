#pragma once
// The popup an edit drops from its main button: the popup of the edit's current style,
// whether it is open, the main button held down while it is, placing it under or over the
// edit and showing it, and on closing the focus, mouse capture and caret the edit gets
// back. The edit decides what goes into a popup and what an accepted value does.
#include <functional>

#include "gridcontrols/ToolCtrlsGx/EditButtonStrip.h"
#include "platform/controls/StdCtrls.h"

class TPopupHostGx {
public:
  // Edit owns the popups; Buttons is its strip, whose main button opens them.
  TPopupHostGx(TCustomEdit* Edit, TEditButtonStripGx& Buttons);
  TPopupHostGx(const TPopupHostGx&) = delete;
  TPopupHostGx& operator=(const TPopupHostGx&) = delete;

  // The popup of the edit's current style; nil when the style has none.
  TWinControl* Active() const { return FActive; }
  void SetActive(TWinControl* Popup) { FActive = Popup; }
  // A popup is open.
  bool IsOpen() const { return FOpen; }
  void SetOpen(bool Value) { FOpen = Value; }
  // Holds the main button down while a popup is open, or releases it.
  void HoldMainButton(bool Down) { FButtons.HoldMainDown(Down); }
  // The edit heard that Component goes away.
  void Forget(TComponent* Component);

  // A press of the main button: OpenPopup runs unless a popup is open already, and the
  // click that completes the press leaves the popup open.
  void PressMain(const std::function<void()>& OpenPopup);
  // A click of Sender (the main button runs MainClick, an item its OnClick); true when it
  // should close the open popup.
  bool Click(TObject* Sender, TEditButtonsGx* Items, const std::function<void(bool& Handled)>& MainClick);

  // Places the active popup under the edit, or over it when it fits better, inside the
  // work area of the edit's monitor, and shows it without activating it.
  void Show();
  // The shown popup is open: the edit is repainted, keeps the focus and holds its main
  // button down.
  void Opened();
  // The focus goes back to the edit when it is inside the active popup.
  void TakeBackFocus();
  // Hides the active popup and marks it closed.
  void Hide();
  // The hidden popup is done with: the edit is repainted and its caret shown again when
  // opening hid it.
  void Closed();
  // Hides the edit's caret while the popup is open.
  void HideCaret();

  // Window is the active popup or one of its children.
  bool Holds(win::HWND Window) const;
  // Control is the active popup or one of its children.
  bool Holds(TControl* Control) const;
  // The wheel turned while the edit has the focus scrolls the open popup; a popup that
  // passes it back up leaves it spent. True when the popup had it.
  bool PassWheel(TMessage& Message);
  // A drag from Button (which holds the mouse) to X, Y (its client coordinates): when the
  // point lies in Target (the open popup's client coordinates), the popup takes over the
  // press and tracks the rest of the drag itself. True when it did.
  bool PassPress(TControl* Button, int X, int Y, const win::RECT& Target);

private:
  TCustomEdit* FEdit;
  TEditButtonStripGx& FButtons;
  TWinControl* FActive = nullptr;
  bool FOpen = false;
  bool FPassingWheel = false;
  // The opening hid the caret; closing shows it again.
  bool FCaretHidden = false;
};
