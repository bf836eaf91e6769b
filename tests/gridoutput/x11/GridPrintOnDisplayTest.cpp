// The grid print on a real display: the set-up dialog and a printed grid in the preview
// window, their pictures kept as PNGs.
#include <optional>

#include "grid/DBGridGx.h"
#include "gridoutput/PrnDbggx.h"
#include "gridoutput/PrnDgDlg.h"
#include "gridoutput/PrvFrmGx.h"
#include "platform/data/DBClient.h"
#include "platform/graphics/DrawRecord.h"
#include "resources/artwork/Artwork.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/gridoutput/x11/PrintOnDisplay.h"
#include "tests/support/FakePrinters.h"

namespace {

class GridPrintOnDisplayTest : public PrintOnDisplayTest {};

TEST_F(GridPrintOnDisplayTest, SetUpDialogAndPrintedGridInThePreview) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  auto* dialog = TCustomForm::Create<TfPrnDBGridGxSetupDialog>(nullptr);
  form = dialog;
  dialog->seUpMargin->SetTextProp("1.5");
  dialog->seLowMargin->SetTextProp("2");
  dialog->seLeftMargin->SetTextProp("2");
  dialog->seRightMargin->SetTextProp("2");
  dialog->cbFitWidthToPage->SetChecked(true);
  dialog->ePrintFont->SetTextProp("DejaVu Sans");
  dialog->Show();
  ASSERT_TRUE(PumpUntil([&] { return other_client::FindViewable(*FOther, "打印设置") != 0; }));
  int rounds = 0;
  PumpUntil([&] { return ++rounds > 10; });
  EXPECT_TRUE(dialog->rgFitingType->Enabled());
  ASSERT_TRUE(win::SaveWindowPng(dialog->Handle(), "print-setup-on-display.png"));
  dialog->Hide();

  auto* owner = new TForm(nullptr);
  TDBGridGx* grid = SnippetGrid(owner, 90);
  grid->SetFooterRowCount(1);
  grid->Columns()->ColumnAt(1)->Footer()->SetValueType(fvtSum);
  TPrintDBGridGx print(nullptr);
  print.SetDBGridGx(grid);
  print.PageHeader()->CenterText()->Add("Snippets");
  print.PageFooter()->RightText()->Add("&[Page] / &[Pages]");
  print.PageHeader()->SetLineType(pcltSingleLine);
  print.ShowPreview();
  TPrinterPreview* pp = SharedPrinterPreview();
  auto* preview = dynamic_cast<TPreviewFormGx*>(GetParentForm(pp->Box()));
  ASSERT_NE(preview, nullptr);
  preview->SetWindowState(wsNormal);
  preview->SetBounds(20, 20, 600, 700);
  ASSERT_TRUE(PumpUntil([&] { return preview->Visible() && pp->Box()->PageCount() >= 2; }));
  rounds = 0;
  PumpUntil([&] { return ++rounds > 10; });
  ASSERT_TRUE(win::SaveWindowPng(preview->Handle(), "grid-print-preview-on-display.png"));
  preview->Close();
  owner->Free();
}

}  // namespace
