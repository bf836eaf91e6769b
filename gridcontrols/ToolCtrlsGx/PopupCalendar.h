#pragma once
// The month calendar as the drop-down of date edits: a click on a day or Enter accepts,
// Esc, a click outside or the focus going elsewhere closes without accepting.
#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "platform/controls/ComCtrls.h"

class TPopupMonthCalendarGx : public TMonthCalendar {
  VANTREL_CLASS(TPopupMonthCalendarGx, TMonthCalendar)
public:
  explicit TPopupMonthCalendarGx(TComponent* AOwner);
  int BorderWidth() const { return PopupBorderWidth(this); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  bool CanAutoSize(int& NewWidth, int& NewHeight) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) override;
  void Dispatch(TMessage& Message) override;
  virtual void DrawBorder();

private:
  // Asks the owner to close the popup, unless it is already closed.
  void Close(bool Accept);
};
