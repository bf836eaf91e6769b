// The preview window on a real display: it opens with the pages, the display's clicks page
// and zoom, Esc closes it; its picture is kept as a PNG.
#include "gridoutput/PrvFrmGx.h"
#include "platform/graphics/DrawRecord.h"
#include "resources/artwork/Artwork.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/gridoutput/x11/PrintOnDisplay.h"
#include "tests/support/FakePrinters.h"

namespace {

class PreviewOnDisplayTest : public PrintOnDisplayTest {
protected:
  // A point of a control in the X window's coordinates (the form's client area).
  win::POINT InX(TControl* c, int x, int y) {
    win::POINT p = c->ClientToScreen({x, y});
    win::POINT o{0, 0};
    win::ClientToScreen(form->Handle(), &o);
    return {p.x - o.x, p.y - o.y};
  }
  void ClickX(unsigned long window, TControl* c, int x, int y) {
    win::POINT p = InX(c, x, y);
    other_client::Button(*FOther, window, true, p.x, p.y);
    other_client::Button(*FOther, window, false, p.x, p.y);
  }
};

TEST_F(PreviewOnDisplayTest, PagesZoomAndEscOnTheDisplay) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  auto* preview = TCustomForm::Create<TPreviewFormGx>(nullptr);
  form = preview;
  preview->SetWindowState(wsNormal);
  preview->SetBounds(20, 20, 600, 460);
  TPrinterPreview* pp = preview->PreviewGx1->PrinterPreview();
  pp->SetJobTitle("Snippets");
  pp->StartJob();
  for (int k = 1; k <= 3; ++k) {
    if (k > 1) pp->StartNextPage();
    TCanvas* c = pp->PageCanvas();
    c->Font()->SetName("Arial");
    c->Font()->SetSize(48);
    c->TextOut(600, 600, "Page " + std::to_string(k));
    c->Brush()->SetColor(clNavy);
    c->FillRect(win::RECT{600, 1800 + 600 * k, 3000, 2400 + 600 * k});
  }
  pp->FinishJob();
  TPreviewBox* box = preview->PreviewGx1;

  unsigned long x = 0;
  ASSERT_TRUE(PumpUntil([&] { return (x = other_client::FindViewable(*FOther, "Snippets - 预览")) != 0; }));
  // The white paper and its dark shadow are on the display.
  TControl* paper = box->Paper();
  win::POINT mid = InX(paper, paper->Width() / 2, 5);
  win::RECT probe{mid.x - 2, mid.y, mid.x + 2, mid.y + 2};
  ASSERT_TRUE(PumpUntil([&] { return other_client::Colours(*FOther, x, probe).count(0xFFFFFF) > 0; }));
  win::POINT corner = InX(paper, paper->Width() + 1, paper->Height() + 1);
  EXPECT_TRUE(PumpUntil([&] {
    return other_client::Colours(*FOther, x, win::RECT{corner.x, corner.y, corner.x + 2, corner.y + 2}).count(0x404040) > 0;
  }));

  // Next, next, previous.
  ClickX(x, preview->tbtNextPage, 10, 10);
  ASSERT_TRUE(PumpUntil([&] { return box->PageIndex() == 2; }));
  ClickX(x, preview->tbtNextPage, 10, 10);
  ASSERT_TRUE(PumpUntil([&] { return box->PageIndex() == 3; }));
  EXPECT_EQ(preview->stbMain->SimpleText(), "Page 3 of 3");
  ClickX(x, preview->tbtPrevPage, 10, 10);
  ASSERT_TRUE(PumpUntil([&] { return box->PageIndex() == 2; }));
  ASSERT_TRUE(win::SaveWindowPng(preview->Handle(), "preview-on-display.png"));

  // A click on the paper zooms to 150 %, another shows the whole page again.
  ClickX(x, paper, paper->Width() / 2, paper->Height() / 2);
  ASSERT_TRUE(PumpUntil([&] { return box->ViewMode() == 2; }));
  EXPECT_EQ(box->ScalePercent(), 150);
  int rounds = 0;
  PumpUntil([&] { return ++rounds > 10; });  // the window repaints
  ASSERT_TRUE(win::SaveWindowPng(preview->Handle(), "preview-on-display-150.png"));
  ClickX(x, box, box->ClientWidth() / 2, box->ClientHeight() / 2);  // on the paper, which fills the box
  ASSERT_TRUE(PumpUntil([&] { return box->ViewMode() == 9; }));

  // Dragging the splitter down past 55 pixels shows the pictures with their captions.
  TControl* bar = preview->Splitter;
  win::POINT from = InX(bar, bar->Width() / 2, 1);
  other_client::Button(*FOther, x, true, from.x, from.y);
  ASSERT_TRUE(PumpUntil([&] { return win::GetCapture() != nullptr; }));
  other_client::DragTo(*FOther, x, from.x, from.y + 40);
  // Past 41 pixels: pictures alone.
  ASSERT_TRUE(PumpUntil([&] { return preview->tbrMain->Images() && !preview->tbrMain->ShowCaptions(); }));
  other_client::DragTo(*FOther, x, from.x, from.y + 70);
  other_client::Button(*FOther, x, false, from.x, from.y + 70);
  ASSERT_TRUE(PumpUntil([&] { return preview->tbrMain->Images() && preview->tbrMain->ShowCaptions(); }));
  rounds = 0;
  PumpUntil([&] { return ++rounds > 10; });
  ASSERT_TRUE(win::SaveWindowPng(preview->Handle(), "preview-on-display-pictures.png"));

  // Esc closes the window: hidden, not freed.
  xvfb_test::SendKey(*FOther, x, 0xff1b);  // Escape
  ASSERT_TRUE(PumpUntil([&] { return !preview->Visible(); }));
  EXPECT_TRUE(PumpUntil([&] { return other_client::FindViewable(*FOther, "Snippets - 预览") == 0; }));
}

}  // namespace
