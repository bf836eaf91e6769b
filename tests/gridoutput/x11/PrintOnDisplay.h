#pragma once
// A fixture for the print's windows on a real display: the artwork, the preview's and the
// set-up dialog's classes and the form descriptions registered, the grid unit started.
#include <optional>

#include "grid/DBGridGx.h"
#include "gridoutput/PrnDgDlg.h"
#include "gridoutput/PrvFrmGx.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSource.h"
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
  // A grid on Owner over Rows snippets: "Snippet <n>" and the amount n x 10.
  static TDBGridGx* SnippetGrid(TForm* Owner, int Rows) {
    auto* data = new TClientDataSet(Owner);
    data->FieldDefs().Add("Name", ftString, 20);
    data->FieldDefs().Add("Amount", ftInteger, 0);
    data->CreateDataSet();
    for (int r = 1; r <= Rows; ++r) {
      data->Append();
      data->FieldByName("Name")->SetAsString("Snippet " + std::to_string(r));
      data->FieldByName("Amount")->SetAsInteger(r * 10);
      data->Post();
    }
    auto* source = new TDataSource(Owner);
    source->SetDataSet(data);
    auto* grid = new TDBGridGx(Owner);
    grid->SetParent(Owner);
    grid->SetDataSource(source);
    return grid;
  }
  // Started once the classes are registered; it ends after the form is gone.
  std::optional<TDBGridGxUnitUse> Unit;
};
