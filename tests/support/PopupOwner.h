#pragma once
// An edit that owns popups the way the grid's editor does: closing hides the popup and,
// with Accept, records that the value was taken.
#include <vector>

#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "platform/controls/StdCtrls.h"

class PopupOwningEdit : public TEdit, public IPopupOwnerGx {
  VANTREL_CLASS(PopupOwningEdit, TEdit)
public:
  using TEdit::TEdit;
  void ClosePopup(bool Accept) override {
    Closes.push_back(Accept);
    if (Popup) Popup->SetVisible(false);
  }
  TControl* Popup = nullptr;
  std::vector<bool> Closes;
};
