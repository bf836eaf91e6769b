#pragma once
// A control whose window parameters add WS_POPUP: the smallest drop-down window.
#include "platform/controls/WinControl.h"
#include "platform/desktop/Windows.h"

class PopupPanel : public TCustomControl {
  VANTREL_CLASS(PopupPanel, TCustomControl)
public:
  using TCustomControl::TCustomControl;

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style |= win::WS_POPUP;
    Params.ExStyle = win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST;
  }
};
