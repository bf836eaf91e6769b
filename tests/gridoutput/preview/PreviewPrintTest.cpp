// A job recorded, previewed and printed: the pages chosen reach the printer as they were
// recorded, whichever printer is chosen, and a preview works without any printer.
#include <filesystem>
#include <fstream>

#include "PreviewFixture.h"
#include "platform/controls/ListBoxes.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/DrawRecord.h"
#include "tests/support/ModalDialog.h"

namespace {

class PreviewPrintTest : public PreviewTest {
protected:
  // Chooses printer Index in the print dialog, the file for the PDF printer and pages From..To.
  static void PrintWith(int Index, const std::string& File, int From, int To) {
    modal_dialog::WhenShown([=](TCustomForm* f) {
      auto* printers = modal_dialog::Find<TListBox>(f, "PrinterList");
      printers->SetItemIndex(Index);
      printers->Click();
      modal_dialog::Find<TEdit>(f, "FileEdit")->SetTextProp(File);
      modal_dialog::Find<TRadioButton>(f, "PageNums")->SetChecked(true);
      modal_dialog::Find<TEdit>(f, "FromEdit")->SetTextProp(std::to_string(From));
      modal_dialog::Find<TEdit>(f, "ToEdit")->SetTextProp(std::to_string(To));
      modal_dialog::Find<TButton>(f, "OkButton")->Click();
    });
  }
};

// Whether the pixel at (x, y) of a greyscale picture pdftoppm wrote is dark.
struct Gray {
  int w = 0, h = 0;
  std::vector<unsigned char> px;
  explicit Gray(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    int max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    px.resize(size_t(w) * h);
    in.read(reinterpret_cast<char*>(px.data()), std::streamsize(px.size()));
  }
  bool Dark(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && px[size_t(y) * w + x] < 64; }
};

TEST_F(PreviewPrintTest, FivePagesRecordedPreviewedAndTwoPrintedToAPdfFile) {
  fake_printers::Installed fake({fake_printers::PdfFile(), fake_printers::Office()});
  BoxOnForm f(416, 616);
  TPrinterPreview* pp = f.Box->PrinterPreview();
  std::vector<int> shown;
  f.Box->SetOnOpenPreviewer([&](TObject*) { shown.push_back(f.Box->PageCount()); });
  // While recording the box counts only complete pages.
  std::vector<int> counts;
  RecordPages(pp, 5, [&](int k) {
    counts.push_back(f.Box->PageCount());
    if (k == 2) {
      // Pages still being recorded are not printed: no print dialog comes up.
      modal_dialog::WhenShown([](TCustomForm* d) {
        ADD_FAILURE() << "a print dialog came up while the pages were being recorded";
        modal_dialog::Find<TButton>(d, "CancelButton")->Click();
      });
      f.Box->PrintPages();
      win::headless::SetIdleHandler(nullptr);
    }
  });
  EXPECT_EQ(counts, (std::vector<int>{1, 1, 2, 3, 4}));
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(f.Box->PageCount(), 5);
  EXPECT_FALSE(pp->JobPrinting());
  EXPECT_EQ(pp->CurrentPageNumber(), -1);

  // The preview plays the page shown on the paper.
  f.Box->SetPageIndex(3);
  win::StartDrawRecording();
  win::ClearDrawRecording();
  f.Box->Paper()->Repaint();
  win::StopDrawRecording();
  std::vector<std::string> texts = win::RecordedTexts(f.Box->Paper()->Handle());
  win::ClearDrawRecording();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Page 3"), texts.end());

  // Pages 2 and 3 to the PDF printer.
  std::string dir = fake_printers::TempDir("preview-print");
  std::string file = dir + "/pages.pdf";
  PrintWith(0, file, 2, 3);
  f.Box->PrintPages();
  win::headless::SetIdleHandler(nullptr);
  ASSERT_EQ(fake_printers::PdfPages(file), 2);
  std::string first = fake_printers::PdfText(file, 1, 1), second = fake_printers::PdfText(file, 2, 2);
  EXPECT_NE(first.find("Page 2"), std::string::npos) << first;
  EXPECT_NE(second.find("Page 3"), std::string::npos) << second;
  std::string all = fake_printers::PdfText(file);
  for (const char* absent : {"Page 1", "Page 4", "Page 5"}) EXPECT_EQ(all.find(absent), std::string::npos) << absent;
  // The squares where they were drawn: at 60 dpi a tenth of the 600 dpi pixels, on an A4
  // sheet without margins.
  fake_printers::Run("pdftoppm -r 60 -gray '" + file + "' '" + dir + "/page'");
  Gray p2(dir + "/page-1.pgm"), p3(dir + "/page-2.pgm");
  ASSERT_GT(p2.w, 400);
  EXPECT_TRUE(p2.Dark(210, 210));    // page 2: x from 1800 to 2400
  EXPECT_FALSE(p2.Dark(150, 210));
  EXPECT_FALSE(p2.Dark(270, 210));
  EXPECT_TRUE(p3.Dark(270, 210));    // page 3: x from 2400 to 3000
  EXPECT_FALSE(p3.Dark(210, 210));
  EXPECT_FALSE(p3.Dark(270, 250));
  std::filesystem::remove_all(dir);
  // The process-wide printer is the program's own again.
  EXPECT_NE(Printer(), pp->OwnPrinter());
}

TEST_F(PreviewPrintTest, APrinterChosenAfterRecordingGetsTheSamePage) {
  TPrinterDevice coarse = fake_printers::Office();
  coarse.Name = "Draft";
  coarse.Resolution = 300;
  coarse.Default = false;
  fake_printers::Installed fake({fake_printers::PdfFile(), fake_printers::Office(), coarse});
  BoxOnForm f(416, 616);
  RecordPages(f.Box->PrinterPreview(), 1);
  struct Case {
    int printer, dpi;
  };
  for (const Case& c : {Case{1, 600}, Case{2, 300}}) {
    SCOPED_TRACE(c.dpi);
    PrintWith(c.printer, "", 1, 1);
    win::ClearDrawRecording();
    win::StartDrawRecording();
    f.Box->PrintPages();
    win::StopDrawRecording();
    win::headless::SetIdleHandler(nullptr);
    // What reached the printer (the dialog draws on windows).
    std::vector<win::DrawOp> fills;
    for (const win::DrawOp& op : win::RecordedOps(win::DrawKind::Fill))
      if (!op.window) fills.push_back(op);
    win::ClearDrawRecording();
    ASSERT_EQ(fills.size(), 1u);
    // The square of page 1, 1200..1800 at 600 dpi: an inch from the printable area's left.
    EXPECT_EQ(fills[0].rect.left, 1200 * c.dpi / 600);
    EXPECT_EQ(fills[0].rect.right, 1800 * c.dpi / 600);
    EXPECT_EQ(fills[0].rect.top, 1800 * c.dpi / 600);
  }
  ASSERT_EQ(fake.B->Jobs.size(), 2u);
  EXPECT_EQ(fake.B->Jobs[1].Printer, "Draft");
  for (auto& job : fake.B->Jobs) {
    EXPECT_NE(fake_printers::PdfText(job.KeptFile).find("Page 1"), std::string::npos);
    std::filesystem::remove(job.KeptFile);
  }
}

TEST_F(PreviewPrintTest, PreviewWithoutAnyPrinter) {
  fake_printers::Installed fake({});
  BoxOnForm f(416, 616);
  TPrinterPreview* pp = f.Box->PrinterPreview();
  EXPECT_EQ(pp->PrinterNames()->Count(), 0);
  // The device questions are answered with the no-printer page.
  win::HDC dc = pp->DeviceContext();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(win::GetDeviceCaps(dc, win::LOGPIXELSX), 600);
  EXPECT_EQ(win::GetDeviceCaps(dc, win::HORZSIZE), 198);
  EXPECT_EQ(win::GetDeviceCaps(dc, win::VERTSIZE), 285);
  EXPECT_EQ(pp->PrintableWidth(), 4676);
  EXPECT_EQ(pp->PrintableHeight(), 6744);
  EXPECT_EQ(pp->PaperWidth(), 4936);
  EXPECT_EQ(pp->PaperHeight(), 7044);
  EXPECT_GT(pp->PrinterFonts()->Count(), 0);
  RecordPages(pp, 2);
  EXPECT_EQ(f.Box->PageCount(), 2);
  // Text is measured at the page's resolution: 12 points are 100 pixels at 600 dpi.
  pp->StartJob();
  pp->PageCanvas()->Font()->SetSize(12);
  EXPECT_EQ(pp->PageCanvas()->Font()->Height(), -100);
  pp->FinishJob();
  f.Box->SetViewMode(3);
  EXPECT_EQ(f.Box->Paper()->Width(), 748);
  // Nothing to print on: the print command offers no printer and prints nothing.
  modal_dialog::WhenShown([](TCustomForm* d) {
    EXPECT_FALSE(modal_dialog::Find<TButton>(d, "OkButton")->Enabled());
    modal_dialog::Find<TButton>(d, "CancelButton")->Click();
  });
  f.Box->PrintPages();
  win::headless::SetIdleHandler(nullptr);
}

TEST_F(PreviewPrintTest, AFailedPrintLeavesNoJobOpen) {
  fake_printers::Installed fake({fake_printers::PdfFile(), fake_printers::Office()});
  BoxOnForm f(416, 616);
  RecordPages(f.Box->PrinterPreview(), 2);
  fake.B->Refuse = true;
  PrintWith(1, "", 1, 2);
  EXPECT_THROW(f.Box->PrintPages(), EPrinter);
  win::headless::SetIdleHandler(nullptr);
  EXPECT_FALSE(f.Box->PrinterPreview()->OwnPrinter()->Printing());
  EXPECT_NE(Printer(), f.Box->PrinterPreview()->OwnPrinter());
}

}  // namespace
