#pragma once
// A shown form on a clean headless desktop, and a popup that records where it was told
// to put its grip.
#include <gtest/gtest.h>

#include <vector>

#include "gridcontrols/ToolCtrlsGx.h"
#include "platform/controls/Forms.h"
#include "platform/desktop/Headless.h"

class RecordingPopup : public TCustomControl {
  VANTREL_CLASS(RecordingPopup, TCustomControl)
public:
  explicit RecordingPopup(TComponent* AOwner) : TCustomControl(AOwner) { FVisible = false; }
  std::vector<int> GripSides;

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    AddPopupWindowParams(Params, this, win::WS_EX_TOOLWINDOW);
  }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_GRIPSIDE_GX) {
      GripSides.push_back(static_cast<int>(Message.WParam));
      return;
    }
    TCustomControl::Dispatch(Message);
  }
};

class PopupsTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    Form = new TForm(nullptr);
    Form->SetBounds(100, 100, 300, 200);
    Form->Show();
  }
  void TearDown() override {
    delete Form;
    win::headless::Reset();
  }
  // The default screen: one 1024x768 monitor whose work area ends at 728.
  static constexpr win::RECT Work{0, 0, 1024, 728};
  TForm* Form = nullptr;
};
