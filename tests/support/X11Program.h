#pragma once
// A test whose program runs on a private Xvfb with the X11 back end installed, while
// another program's connection plays the user.
#include <functional>
#include <memory>

#include "platform/controls/Forms.h"
#include "platform/desktop/Backend.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"
#include "platform/x11/X11Backend.h"
#include "tests/platform/x11/ServicesXvfb.h"
#include "tests/platform/x11/controls/XQueries.h"

namespace xvfb_test {

class X11ProgramTest : public TwoClientsTest {
protected:
  void SetUp() override {
    TwoClientsTest::SetUp();
    if (HasFatalFailure()) return;
    win::InstallDrawingHooks();
    win::InstallBackend(std::make_unique<win::x11::X11Backend>(std::move(FOurs)));
    RegisterStandardClasses();
  }
  void TearDown() override {
    win::headless::Reset();
    win::InstallBackend(nullptr);
    TwoClientsTest::TearDown();
  }
  // Dispatches the program's messages until Done holds, waiting for the display's events
  // in between (some 4 seconds at most).
  bool PumpUntil(const std::function<bool()>& Done) {
    for (int I = 0; I < 200; ++I) {
      win::MSG M;
      while (win::PeekMessageA(&M, nullptr, 0, 0, win::PM_REMOVE)) {
        win::TranslateMessage(&M);
        win::DispatchMessageA(&M);
      }
      if (Done()) return true;
      win::CurrentBackend().WaitForEvents(20);
      Sync(*FOther);
    }
    return Done();
  }
};

}  // namespace xvfb_test
