#pragma once
// Grids on a real display: the X11 back end installed on a private Xvfb whose pointer the
// server itself moves (XTEST), a form the test fills, and pumps that wait for the display.
#include <functional>
#include <memory>

#include "grid/DBGridGx.h"
#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"
#include "platform/x11/X11Backend.h"
#include "tests/grid/x11/RealPointer.h"
#include "tests/platform/x11/ServicesXvfb.h"
#include "tests/support/GridTestClasses.h"

class GridOnDisplayTest : public xvfb_test::TwoClients {
public:
  static void SetUpTestSuite() { RegisterGridTestClasses(); }

protected:
  void SetUp() override {
    TwoClients::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(real_pointer::Available(*FOther)) << "the display has no XTEST";
    win::InstallDrawingHooks();
    win::InstallBackend(std::make_unique<win::x11::X11Backend>(std::move(FOurs)));
    Form = std::make_unique<TForm>(nullptr);
  }
  void TearDown() override {
    Form.reset();
    win::headless::Reset();
    win::InstallBackend(nullptr);
    TwoClients::TearDown();
  }
  void Pump() {
    win::headless::ProcessMessages();
    win::CurrentBackend().WaitForEvents(20);
  }
  // Pumps until Done holds (some 4 seconds at most).
  bool PumpUntil(const std::function<bool()>& Done) {
    for (int I = 0; I < 200; ++I) {
      if (Done()) return true;
      Pump();
    }
    return Done();
  }

  TDBGridGxUnitUse Unit;
  std::unique_ptr<TForm> Form;
};
