#pragma once
// A fixture for the print's windows on a real display: the artwork, the preview's and the
// set-up dialog's classes and the form descriptions registered, the grid unit started.
#include <optional>

#include "grid/DBGridGx.h"
#include "gridoutput/PrnDgDlg.h"
#include "gridoutput/PrvFrmGx.h"
#include "resources/artwork/Artwork.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/platform/controls/x11/OnDisplay.h"

class PrintOnDisplayTest : public FormOnDisplayTest {
protected:
  void SetUp() override {
    ASSERT_TRUE(xvfb_test::SharedServer().Running()) << "Xvfb did not start (scripts/deps.sh installs xvfb)";
    FormOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    RegisterArtwork();
    RegisterPreviewClasses();
    RegisterPrintSetupDialogClass();
    RegisterFormDescriptions();
    Unit.emplace();
  }
  // Started once the classes are registered; it ends after the form is gone.
  std::optional<TDBGridGxUnitUse> Unit;
};
