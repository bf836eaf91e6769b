#pragma once
// A test fixture that shows forms on a private Xvfb through the X11 back end, with a
// second client ("another program") on the same display.
#include <functional>

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"
#include "platform/x11/X11Backend.h"
#include "tests/platform/controls/x11/OtherClient.h"
#include "tests/platform/x11/ServicesXvfb.h"

class FormOnDisplay : public xvfb_test::TwoClients {
protected:
  void SetUp() override {
    TwoClients::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    win::InstallDrawingHooks();
    win::InstallBackend(std::make_unique<win::x11::X11Backend>(std::move(FOurs)));
    RegisterStandardClasses();
  }
  void TearDown() override {
    if (form) form->Free();
    win::headless::Reset();
    win::InstallBackend(nullptr);
    TwoClients::TearDown();
  }
  // Runs the program and the display until done() holds (false when it never does).
  bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 200; ++i) {
      win::headless::ProcessMessages();
      if (done()) return true;
      win::CurrentBackend().WaitForEvents(20);
      other_client::Sync(*FOther);
    }
    return done();
  }

  TForm* form = nullptr;
};
