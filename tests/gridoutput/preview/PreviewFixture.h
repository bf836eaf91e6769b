#pragma once
// A headless desktop with the preview's classes, cursors and form registered, a printer
// back end of the test's own, and a job of numbered pages to record.
#include <gtest/gtest.h>

#include "gridoutput/PrViewGx.h"
#include "gridoutput/PrvFrmGx.h"
#include "resources/artwork/Artwork.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/platform/controls/ControlsFixture.h"
#include "tests/support/FakePrinters.h"

class PreviewTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    RegisterArtwork();
    RegisterPreviewClasses();
    RegisterFormDescriptions();
  }
  // Page k says "Page k" at (600, 600) and has a black square of 600 pixels at
  // (600 + 600 k, 1800): each page's drawing in a place of its own.
  static void RecordPages(TVirtualPrinter* P, int Count, const std::function<void(int)>& AfterPage = nullptr) {
    P->SetJobTitle("Snippets");
    P->StartJob();
    for (int k = 1; k <= Count; ++k) {
      if (k > 1) P->StartNextPage();
      TCanvas* c = P->PageCanvas();
      c->Font()->SetName("Arial");
      c->Font()->SetSize(12);
      c->Brush()->SetStyle(bsClear);
      c->TextOut(600, 600, "Page " + std::to_string(k));
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(clBlack);
      c->FillRect(win::RECT{600 + 600 * k, 1800, 1200 + 600 * k, 2400});
      if (AfterPage) AfterPage(k);
    }
    P->FinishJob();
  }
};

// A form holding a preview box whose client area is Width x Height.
struct BoxOnForm {
  TForm* Form;
  TPreviewBox* Box;
  BoxOnForm(int Width, int Height) {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, Width + 100, Height + 100);
    Box = new TPreviewBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(0, 0, Width, Height);
    Form->Show();
  }
  ~BoxOnForm() { Form->Free(); }
};
