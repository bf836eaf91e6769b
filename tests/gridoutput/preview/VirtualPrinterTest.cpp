// The virtual printer over the process-wide printer object, and the preview printer's
// answers for the same questions.
#include <filesystem>

#include "PreviewFixture.h"

namespace {

class VirtualPrinterTest : public PreviewTest {};

TEST_F(VirtualPrinterTest, ForwardsToThePrinterObject) {
  fake_printers::Installed fake({fake_printers::PdfFile(), fake_printers::Office()});
  TVirtualPrinter* vp = VirtualPrinter;
  ASSERT_NE(vp, nullptr);
  EXPECT_EQ(vp->PrinterNames()->Count(), 2);
  EXPECT_EQ(vp->PrinterNumber(), 1);
  // The sheet is the printable area and twice the offset: equal where the offsets are 0.
  struct Case {
    int printer, offset;
  };
  for (const Case& c : {Case{0, 0}, Case{1, 118}}) {
    vp->SetPrinterNumber(c.printer);
    EXPECT_EQ(vp->PaperWidth(), vp->PrintableWidth() + 2 * c.offset);
    EXPECT_EQ(vp->PaperHeight(), vp->PrintableHeight() + 2 * c.offset);
  }
  vp->SetJobTitle("Snippets");
  EXPECT_EQ(vp->JobTitle(), "Snippets");
  vp->SetPageOrientation(poLandscape);
  EXPECT_EQ(vp->PageOrientation(), poLandscape);
  EXPECT_GT(vp->PrintableWidth(), vp->PrintableHeight());
  vp->SetPageOrientation(poPortrait);

  std::string dir = fake_printers::TempDir("virtual-printer");
  Printer()->SetFileName(dir + "/job.pdf");
  vp->SetPrinterNumber(0);
  vp->StartJob();
  EXPECT_TRUE(vp->JobPrinting());
  EXPECT_EQ(vp->CurrentPageNumber(), 1);
  for (int n = 2; n <= 3; ++n) {
    vp->PageCanvas()->TextOut(100, 100, "page");
    vp->StartNextPage();
    EXPECT_EQ(vp->CurrentPageNumber(), n);
  }
  vp->FinishJob();
  EXPECT_FALSE(vp->JobPrinting());
  EXPECT_EQ(fake_printers::PdfPages(dir + "/job.pdf"), 3);
  // An aborted job is over; the layout still finishes it, which does nothing more.
  vp->StartJob();
  vp->AbortJob();
  EXPECT_TRUE(vp->JobAborted());
  EXPECT_NO_THROW(vp->FinishJob());
  EXPECT_FALSE(vp->JobPrinting());
  std::filesystem::remove_all(dir);
}

TEST_F(VirtualPrinterTest, PreviewPrinterAnswersFromItsOwnPrinter) {
  fake_printers::Installed fake({fake_printers::PdfFile(), fake_printers::Office()});
  TPrinterPreview pp;
  EXPECT_NE(pp.OwnPrinter(), Printer());
  pp.SetPrinterNumber(0);
  EXPECT_EQ(pp.PrinterNumber(), 0);
  EXPECT_EQ(Printer()->PrinterIndex(), 1);
  EXPECT_EQ(pp.PaperWidth(), pp.PrintableWidth());
  pp.SetCopyCount(2);
  EXPECT_EQ(pp.CopyCount(), 2);
  pp.StartJob();
  EXPECT_EQ(pp.CurrentPageNumber(), 1);
  pp.StartNextPage();
  EXPECT_EQ(pp.CurrentPageNumber(), 2);
  // Abort only raises the flag: the job stays open until the layout finishes it.
  pp.AbortJob();
  EXPECT_TRUE(pp.JobAborted());
  EXPECT_TRUE(pp.JobPrinting());
  pp.FinishJob();
  EXPECT_FALSE(pp.JobPrinting());
  EXPECT_EQ(pp.RecordedPages(), 2);
  // A new job discards the old pages.
  pp.StartJob();
  EXPECT_EQ(pp.RecordedPages(), 1);
  EXPECT_FALSE(pp.JobAborted());
  pp.FinishJob();
}

}  // namespace
