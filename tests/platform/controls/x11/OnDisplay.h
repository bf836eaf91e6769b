#pragma once
// A test fixture that shows forms on a private Xvfb through the X11 back end, with a
// second client ("another program") on the same display.
#include <functional>

#include "tests/platform/controls/x11/OtherClient.h"
#include "tests/support/X11Program.h"

class FormOnDisplayTest : public xvfb_test::X11ProgramTest {
protected:
  void TearDown() override {
    if (form) form->Free();
    X11ProgramTest::TearDown();
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
