// The printer object on a back end of the test's own: its printers, pages and jobs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "../ControlsFixture.h"
#include "platform/controls/Printers.h"
#include "tests/support/FakePrinters.h"

namespace {

class PrinterTest : public ControlsTest {};

TEST_F(PrinterTest, SelectsTheDefaultPrinterAndItsPaper) {
  fake_printers::Installed fake({fake_printers::PdfFile(), fake_printers::Office()});
  TPrinter* p = Printer();
  ASSERT_EQ(p->Printers()->Count(), 2);
  EXPECT_EQ(p->PrinterIndex(), 1);
  EXPECT_EQ(p->Papers()->Strings(p->PaperIndex()), "A4");
  struct Case {
    TPrinterOrientation orientation;
    int sheetW, sheetH, offX, offY, w, h;
  };
  const Case cases[] = {{poPortrait, 4961, 7016, 118, 118, 4725, 6780},
                        {poLandscape, 7016, 4961, 118, 118, 6780, 4725}};
  for (const Case& c : cases) {
    p->SetOrientation(c.orientation);
    win::HDC dc = p->Handle();
    EXPECT_EQ(win::GetDeviceCaps(dc, win::PHYSICALWIDTH), c.sheetW);
    EXPECT_EQ(win::GetDeviceCaps(dc, win::PHYSICALHEIGHT), c.sheetH);
    EXPECT_EQ(win::GetDeviceCaps(dc, win::PHYSICALOFFSETX), c.offX);
    EXPECT_EQ(win::GetDeviceCaps(dc, win::PHYSICALOFFSETY), c.offY);
    EXPECT_EQ(p->PageWidth(), c.w);
    EXPECT_EQ(p->PageHeight(), c.h);
    EXPECT_EQ(win::GetDeviceCaps(dc, win::LOGPIXELSX), 600);
  }
  p->SetPrinterIndex(0);
  EXPECT_EQ(p->Capabilities(), TPrinterCapabilities{pcOrientation});
  char device[256], driver[256], port[256];
  win::HANDLE mode = nullptr;
  p->GetPrinter(device, driver, port, mode);
  EXPECT_STREQ(device, "PDF file");
  EXPECT_STREQ(port, "FILE:");
  p->SetPrinter("Office", "", "", nullptr);
  EXPECT_EQ(p->PrinterIndex(), 1);
  EXPECT_THROW(p->SetPrinter("Nowhere", "", "", nullptr), EPrinter);
  EXPECT_THROW(p->SetPrinterIndex(2), EPrinter);
  p->SetPrinterIndex(-1);
  EXPECT_EQ(p->PrinterIndex(), 1);
}

TEST_F(PrinterTest, WithoutPrintersEveryDeviceQuestionIsThePrinterError) {
  fake_printers::Installed fake({});
  TPrinter* p = Printer();
  EXPECT_EQ(p->Printers()->Count(), 0);
  EXPECT_EQ(p->PrinterIndex(), -1);
  EXPECT_THROW(p->Handle(), EPrinter);
  EXPECT_THROW(p->PageWidth(), EPrinter);
  EXPECT_THROW(p->BeginDoc(), EPrinter);
  EXPECT_FALSE(p->Printing());
  try {
    p->Canvas();
  } catch (const EPrinter& e) {
    EXPECT_EQ(e.Message(), "There is no default printer currently selected");
  }
}

TEST_F(PrinterTest, AJobToThePdfPrinterWritesTheNamedFile) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  std::string dir = fake_printers::TempDir("printer");
  TPrinter* p = Printer();
  p->SetFileName(dir + "/out.pdf");
  p->SetTitle("Snippets");
  p->BeginDoc();
  EXPECT_TRUE(p->Printing());
  EXPECT_EQ(p->PageNumber(), 1);
  EXPECT_THROW(p->BeginDoc(), EPrinter);
  EXPECT_THROW(p->SetOrientation(poLandscape), EPrinter);
  p->Canvas()->Font()->SetName("Arial");
  p->Canvas()->Font()->SetSize(12);
  // 12 points at 600 dpi.
  EXPECT_EQ(p->Canvas()->Font()->Height(), -100);
  p->Canvas()->TextOut(600, 600, "first page");
  p->NewPage();
  EXPECT_EQ(p->PageNumber(), 2);
  p->Canvas()->TextOut(600, 600, "second page");
  p->EndDoc();
  EXPECT_FALSE(p->Printing());
  EXPECT_THROW(p->NewPage(), EPrinter);
  EXPECT_EQ(fake_printers::PdfPages(dir + "/out.pdf"), 2);
  EXPECT_NE(fake_printers::PdfText(dir + "/out.pdf", 2, 2).find("second page"), std::string::npos);
  EXPECT_TRUE(fake.B->Jobs.empty());
  // An aborted job leaves no file behind.
  p->SetFileName(dir + "/aborted.pdf");
  p->BeginDoc();
  p->Abort();
  EXPECT_FALSE(p->Printing());
  EXPECT_FALSE(std::filesystem::exists(dir + "/aborted.pdf"));
  std::filesystem::remove_all(dir);
}

TEST_F(PrinterTest, AJobToAQueueIsHandedOverAsPdfAndItsFileRemoved) {
  fake_printers::Installed fake({fake_printers::PdfFile(), fake_printers::Office()});
  TPrinter* p = Printer();
  p->SetTitle("Snippets");
  p->SetCopies(3);
  p->BeginDoc();
  p->Canvas()->TextOut(100, 100, "queued text");
  p->EndDoc();
  ASSERT_EQ(fake.B->Jobs.size(), 1u);
  const fake_printers::Job& job = fake.B->Jobs[0];
  EXPECT_EQ(job.Printer, "Office");
  EXPECT_EQ(job.Title, "Snippets");
  EXPECT_EQ(job.Copies, 3);
  EXPECT_NE(fake_printers::PdfText(job.KeptFile).find("queued text"), std::string::npos);
  std::string handed = job.KeptFile.substr(0, job.KeptFile.size() - std::string(".kept.pdf").size());
  EXPECT_FALSE(std::filesystem::exists(handed));
  std::filesystem::remove(job.KeptFile);
  // A queue that refuses the job makes EndDoc fail, and the printer is free again.
  fake.B->Refuse = true;
  p->BeginDoc();
  EXPECT_THROW(p->EndDoc(), EPrinter);
  EXPECT_FALSE(p->Printing());
}

TEST_F(PrinterTest, AJobWhosePdfCannotBeWrittenFails) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  TPrinter* p = Printer();
  // The folder is gone: the job cannot start.
  p->SetFileName("/nonexistent-folder/out.pdf");
  EXPECT_THROW(p->BeginDoc(), EPrinter);
  EXPECT_FALSE(p->Printing());
  // The disk fills up (files may grow to 200 bytes): the job fails when it ends, never
  // reported as printed, and leaves no broken file behind.
  std::string dir = fake_printers::TempDir("printer-full");
  p->SetFileName(dir + "/full.pdf");
  p->BeginDoc();
  p->Canvas()->TextOut(100, 100, "lost");
  {
    fake_printers::SmallDisk small(200);
    try {
      p->EndDoc();
      ADD_FAILURE() << "a job that could not be written was reported as printed";
    } catch (const EPrinter& e) {
      EXPECT_NE(e.Message().find("full.pdf"), std::string::npos) << e.Message();
    }
  }
  EXPECT_FALSE(p->Printing());
  EXPECT_FALSE(std::filesystem::exists(dir + "/full.pdf"));
  std::filesystem::remove_all(dir);
  // Nothing named by the user: refused at the start.
  p->SetFileName("");
  EXPECT_THROW(p->BeginDoc(), EPrinter);
}

TEST_F(PrinterTest, ExchangingTheProcessWidePrinter) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  TPrinter* first = Printer();
  auto* own = new TPrinter();
  TPrinter* previous = SetPrinter(own);
  EXPECT_EQ(previous, first);
  EXPECT_EQ(Printer(), own);
  EXPECT_EQ(SetPrinter(previous), own);
  EXPECT_EQ(Printer(), first);
  delete own;
  EXPECT_GT(Printer()->Fonts()->Count(), 0);
  EXPECT_GE(Printer()->Fonts()->IndexOf("DejaVu Sans"), 0);
}

}  // namespace
