// The preview window: it opens with the first page, its tool bar follows the job, Esc and
// close stop a running layout, and the page buttons repeat while held.
#include "PreviewFixture.h"
#include "platform/controls/Menus.h"

namespace {

class PreviewWindowTest : public PreviewTest {
protected:
  // The window on the printers of the back end installed now.
  void Open() {
    Form = TCustomForm::Create<TPreviewFormGx>(nullptr);
    Box = Form->PreviewGx1;
    PP = Box->PrinterPreview();
  }
  void TearDown() override {
    if (Form) Form->Free();
    PreviewTest::TearDown();
  }
  std::string Status() const { return Form->stbMain->SimpleText(); }
  // A layout as the grid printer runs it: it stops at the next page once aborted.
  void Layout(int Pages, const std::function<void(int)>& AfterPage) {
    PP->SetJobTitle("表格信息");
    PP->StartJob();
    for (int k = 1; k <= Pages && !PP->JobAborted(); ++k) {
      if (k > 1) PP->StartNextPage();
      PP->PageCanvas()->TextOut(600, 600, "Page " + std::to_string(k));
      AfterPage(k);
    }
    PP->FinishJob();
  }
  TPreviewFormGx* Form = nullptr;
  TPreviewBox* Box = nullptr;
  TPrinterPreview* PP = nullptr;
};

TEST_F(PreviewWindowTest, OpensWithTheFirstPageAndFollowsTheJob) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  Open();
  std::vector<bool> visible;
  Layout(3, [&](int k) {
    visible.push_back(Form->Visible());
    if (k == 3) {
      // While pages are made: stop on, close and print off, paging through what is complete.
      EXPECT_TRUE(Form->tbStop->Enabled());
      EXPECT_FALSE(Form->tbClose->Enabled());
      EXPECT_FALSE(Form->tbtPrint->Enabled());
      EXPECT_EQ(Status(), "Page 1 of 2");
      EXPECT_TRUE(Form->tbtNextPage->Enabled());
    }
  });
  EXPECT_EQ(visible, (std::vector<bool>{false, true, true}));
  EXPECT_TRUE(Form->Visible());
  EXPECT_EQ(Status(), "Page 1 of 3");
  EXPECT_EQ(Form->Caption(), "表格信息 - 预览");
  EXPECT_FALSE(Form->tbStop->Enabled());
  EXPECT_TRUE(Form->tbClose->Enabled());
  EXPECT_TRUE(Form->tbtPrint->Enabled());
  // No print component: no printer set-up.
  EXPECT_FALSE(Form->tbtPrinterSetupDialog->Enabled());
  EXPECT_FALSE(Form->tbtPrevPage->Enabled());
  Form->tbtNextPage->Click();
  Form->tbtNextPage->Click();
  EXPECT_EQ(Status(), "Page 3 of 3");
  EXPECT_FALSE(Form->tbtNextPage->Enabled());
  EXPECT_TRUE(Form->tbtPrevPage->Enabled());
  Form->tbtPrevPage->Click();
  EXPECT_EQ(Box->PageIndex(), 2);
}

TEST_F(PreviewWindowTest, AOnePageJobAndNoPrinter) {
  fake_printers::Installed fake({});
  Open();
  Layout(1, [](int) {});
  EXPECT_TRUE(Form->Visible());
  EXPECT_EQ(Status(), "Page 1 of 1");
  EXPECT_FALSE(Form->tbtPrevPage->Enabled());
  EXPECT_FALSE(Form->tbtNextPage->Enabled());
  EXPECT_FALSE(Form->tbtPrint->Enabled());
}

TEST_F(PreviewWindowTest, EscStopsTheLayoutThenCloses) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  Open();
  int made = 0;
  Layout(10, [&](int k) {
    made = k;
    if (k == 3) {
      Form->SetFocus();
      win::headless::PressKey(win::VK_ESCAPE);
      EXPECT_TRUE(PP->JobAborted());
    }
  });
  EXPECT_EQ(made, 3);
  EXPECT_TRUE(Form->Visible());
  EXPECT_EQ(Status(), "Page 1 of 3");
  win::headless::PressKey(win::VK_ESCAPE);
  EXPECT_FALSE(Form->Visible());
}

TEST_F(PreviewWindowTest, ClosingWhileLayingOutClosesWhenTheLayoutStops) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  Open();
  Layout(10, [&](int k) {
    if (k == 2) {
      Form->Close();
      EXPECT_TRUE(Form->ClosePending);
      EXPECT_TRUE(Form->Visible());
    }
  });
  EXPECT_FALSE(Form->ClosePending);
  EXPECT_FALSE(Form->Visible());
  EXPECT_EQ(Box->PageCount(), 2);
  // The next job shows the window again.
  Layout(2, [](int) {});
  EXPECT_TRUE(Form->Visible());
}

TEST_F(PreviewWindowTest, HoldingNextPageRepeatsUntilTheLastPage) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  Open();
  Layout(20, [](int) {});
  Form->SetBounds(0, 0, 688, 453);
  win::POINT p = Form->tbtNextPage->ClientToScreen({10, 10});
  win::headless::MouseDown(win::headless::MouseButton::Left, p.x, p.y);
  EXPECT_EQ(Box->PageIndex(), 1);
  win::headless::AdvanceClock(399);
  EXPECT_EQ(Box->PageIndex(), 1);
  win::headless::AdvanceClock(1);
  EXPECT_EQ(Box->PageIndex(), 2);
  win::headless::AdvanceClock(100);
  EXPECT_EQ(Box->PageIndex(), 3);
  win::headless::AdvanceClock(100 * 20);
  EXPECT_EQ(Box->PageIndex(), 20);
  EXPECT_FALSE(Form->tbtNextPage->Enabled());
  win::headless::MouseUp(win::headless::MouseButton::Left, p.x, p.y);
  EXPECT_EQ(Box->PageIndex(), 20);
  EXPECT_FALSE(Form->Timer1->Enabled());
  // A short click steps exactly one page.
  Box->SetPageIndex(5);
  p = Form->tbtPrevPage->ClientToScreen({10, 10});
  win::headless::Click(win::headless::MouseButton::Left, p.x, p.y);
  EXPECT_EQ(Box->PageIndex(), 4);
}

TEST_F(PreviewWindowTest, ZoomMenuSetsTheViewMode) {
  fake_printers::Installed fake({});
  Open();
  Layout(1, [](int) {});
  SetPopupMenuHandler([](TPopupMenu* menu, int, int) { return menu->Items()->Items(3); });
  Form->tbtScale->Click();
  SetPopupMenuHandler(nullptr);
  EXPECT_EQ(Box->ViewMode(), 3);
  EXPECT_EQ(Box->ScalePercent(), 100);
  EXPECT_TRUE(Form->pmnScale->Items()->Items(3)->Checked());
  EXPECT_FALSE(Form->pmnScale->Items()->Items(9)->Checked());
  // A click on the paper goes back to the whole page, and the menu follows.
  ClickAt(Box->Paper());
  EXPECT_EQ(Box->ViewMode(), 9);
  EXPECT_TRUE(Form->pmnScale->Items()->Items(9)->Checked());
}

TEST_F(PreviewWindowTest, SplitterSwitchesTheToolBarLook) {
  Open();
  // Pictures for the nine image indexes of the buttons.
  EXPECT_EQ(Form->imlMain->Count(), 9);
  EXPECT_EQ(Form->imlMain->Width(), 32);
  struct Case {
    int height;
    bool images, captions;
    int buttonW, buttonH;
  };
  // From captions only: each height in turn.
  const Case cases[] = {
      {30, false, true, 55, 20}, {41, true, false, 39, 38}, {50, true, false, 39, 38},
      {55, true, true, 39, 38},  {41, true, false, 39, 38}, {24, false, true, 39, 38},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    int size = c.height;
    bool accept = true;
    Form->Splitter->OnCanResize()(Form->Splitter, size, accept);
    EXPECT_EQ(Form->tbrMain->Images() != nullptr, c.images);
    EXPECT_EQ(Form->tbrMain->ShowCaptions(), c.captions);
    EXPECT_EQ(Form->tbrMain->ButtonWidth(), c.buttonW);
    EXPECT_EQ(Form->tbrMain->ButtonHeight(), c.buttonH);
  }
}

TEST_F(PreviewWindowTest, DraggingTheSplitterShowsThePictures) {
  Open();
  Form->SetWindowState(wsNormal);
  Form->SetBounds(0, 0, 688, 480);
  Form->Show();
  TControl* bar = Form->Splitter;
  win::POINT p = bar->ClientToScreen({bar->Width() / 2, 1});
  win::headless::MouseDown(win::headless::MouseButton::Left, p.x, p.y);
  win::headless::MouseMove(p.x, p.y + 40);
  EXPECT_TRUE(Form->tbrMain->Images() && !Form->tbrMain->ShowCaptions());
  win::headless::MouseMove(p.x, p.y + 70);
  win::headless::MouseUp(win::headless::MouseButton::Left, p.x, p.y + 70);
  EXPECT_TRUE(Form->tbrMain->Images() && Form->tbrMain->ShowCaptions());
  EXPECT_GE(Form->tbrMain->Height(), 55);
}

TEST_F(PreviewWindowTest, SharedPreviewIsMadeOnce) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  TPrinterPreview* shared = SharedPrinterPreview();
  EXPECT_EQ(SharedPrinterPreview(), shared);
  auto* form = dynamic_cast<TPreviewFormGx*>(GetParentForm(shared->Box()));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Owner(), Application);
  EXPECT_EQ(form->Caption(), "打印预览");
  EXPECT_EQ(form->WindowState(), wsMaximized);
  form->Free();
}

}  // namespace
