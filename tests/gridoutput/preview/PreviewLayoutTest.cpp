// Where the paper goes in each view mode, and which page the box shows.
#include "PreviewFixture.h"

namespace {

class PreviewLayoutTest : public PreviewTest {};

TEST_F(PreviewLayoutTest, EveryViewModeWithoutAPrinter) {
  fake_printers::Installed fake({});
  BoxOnForm f(416, 616);
  ASSERT_EQ(f.Box->ClientWidth(), 416);
  ASSERT_EQ(f.Box->ClientHeight(), 616);
  const int sb = win::GetSystemMetrics(win::SM_CXVSCROLL);
  ASSERT_EQ(sb, 16);
  struct Case {
    int mode, w, h, left, top, scale, vRange, hRange;
  };
  // Printable 4676 x 6744 pixels at 600 dpi, 198 x 285 mm; the form at 96 dpi.
  const Case cases[] = {
      {0, 3740, 5383, 8, 8, 500, 5399, 3756}, {1, 1496, 2153, 8, 8, 200, 2169, 1512},
      {2, 1122, 1615, 8, 8, 150, 1631, 1138}, {3, 748, 1076, 8, 8, 100, 1092, 764},
      {4, 561, 807, 8, 8, 75, 823, 577},      {5, 374, 538, 21, 39, 50, 554, 390},
      {6, 187, 269, 114, 173, 25, 285, 203},  {7, 74, 106, 171, 255, 10, 122, 90},
      {8, 380, 546, 8, 8, 50, 562, 0},        {9, 400, 575, 8, 20, 100, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    f.Box->SetViewMode(c.mode);
    f.Box->LayoutPage();
    TControl* paper = f.Box->Paper();
    EXPECT_EQ(paper->Width(), c.w);
    EXPECT_EQ(paper->Height(), c.h);
    EXPECT_EQ(paper->Left(), c.left);
    EXPECT_EQ(paper->Top(), c.top);
    EXPECT_EQ(f.Box->ScalePercent(), c.scale);
    EXPECT_EQ(f.Box->VertScrollBar()->Range(), c.vRange);
    EXPECT_EQ(f.Box->HorzScrollBar()->Range(), c.hRange);
    // The shadow shows 4 pixels right of and below the paper.
    EXPECT_EQ(f.Box->Shadow()->Left(), c.left + 4);
    EXPECT_EQ(f.Box->Shadow()->Top(), c.top + 4);
    EXPECT_EQ(f.Box->Shadow()->Width(), c.w);
  }
}

TEST_F(PreviewLayoutTest, LargePagesAtHighZoomAndTinyBoxesKeepSensibleSizes) {
  // A0 at 2400 dpi: 500 % multiplies beyond 32 bits.
  TPrinterDevice big;
  big.Name = "Plotter";
  big.Resolution = 2400;
  big.Papers = {TPaperSize{"A0", 841, 1189}};
  fake_printers::Installed fake({big});
  BoxOnForm f(416, 616);
  f.Box->SetViewMode(0);
  EXPECT_EQ(f.Box->Paper()->Width(), 15893);
  EXPECT_EQ(f.Box->Paper()->Height(), 22469);
  // A client area smaller than the margins still gives a paper of at least 1 x 1.
  for (int mode : {8, 9}) {
    SCOPED_TRACE(mode);
    f.Box->SetBounds(0, 0, 10, 10);
    f.Box->SetViewMode(mode);
    f.Box->LayoutPage();
    EXPECT_GE(f.Box->Paper()->Width(), 1);
    EXPECT_GE(f.Box->Paper()->Height(), 1);
  }
}

TEST_F(PreviewLayoutTest, PageIndexStaysWithinThePages) {
  fake_printers::Installed fake({});
  BoxOnForm f(416, 616);
  int changes = 0;
  f.Box->SetOnPrinterPreviewChanged([&](TObject*) { ++changes; });
  // No pages: it stays 0.
  f.Box->SetPageIndex(3);
  EXPECT_EQ(f.Box->PageIndex(), 0);
  RecordPages(f.Box->PrinterPreview(), 4);
  struct Case {
    int set, shown;
  };
  const Case cases[] = {{2, 2}, {0, 1}, {-5, 1}, {4, 4}, {9, 4}, {3, 3}};
  for (const Case& c : cases) {
    f.Box->SetPageIndex(c.set);
    EXPECT_EQ(f.Box->PageIndex(), c.shown) << c.set;
  }
  // Setting the page shown again changes nothing.
  changes = 0;
  f.Box->SetPageIndex(3);
  EXPECT_EQ(changes, 0);
}

TEST_F(PreviewLayoutTest, WheelPagesAWholePageAndScrollsAZoomedOne) {
  fake_printers::Installed fake({});
  BoxOnForm f(416, 616);
  RecordPages(f.Box->PrinterPreview(), 3);
  f.Box->SetPageIndex(1);
  win::POINT at = f.Box->ClientToScreen({100, 100});
  f.Box->Perform(win::WM_MOUSEWHEEL, win::MAKEWPARAM(0, win::WORD(-120)), win::MAKELPARAM(at.x, at.y));
  EXPECT_EQ(f.Box->PageIndex(), 2);
  f.Box->Perform(win::WM_MOUSEWHEEL, win::MAKEWPARAM(0, 120), win::MAKELPARAM(at.x, at.y));
  EXPECT_EQ(f.Box->PageIndex(), 1);
  // At 200 % the wheel scrolls by increment x lines x 200 %.
  f.Box->SetViewMode(1);
  f.Box->Perform(win::WM_MOUSEWHEEL, win::MAKEWPARAM(0, win::WORD(-120)), win::MAKELPARAM(at.x, at.y));
  EXPECT_EQ(f.Box->PageIndex(), 1);
  win::UINT lines = 3;
  win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(f.Box->VertScrollBar()->Position(), int(f.Box->VertScrollBar()->Increment() * lines * 2));
}

TEST_F(PreviewLayoutTest, ClickZoomsToTheClickedPointAndBack) {
  fake_printers::Installed fake({});
  BoxOnForm f(416, 616);
  RecordPages(f.Box->PrinterPreview(), 1);
  TControl* paper = f.Box->Paper();
  ASSERT_EQ(f.Box->ViewMode(), 9);
  ClickAt(paper);
  EXPECT_EQ(f.Box->ViewMode(), 2);
  EXPECT_EQ(paper->Width(), 1122);
  // y x new height / old height - old top - y + 16, for the centre (200, 287) of the old paper.
  EXPECT_EQ(f.Box->VertScrollBar()->Position(), 287 * 1615 / 575 - 20 - 287 + 16);
  EXPECT_EQ(f.Box->HorzScrollBar()->Position(), 200 * 1122 / 400 - 8 - 200 + 16);
  ClickAt(paper);
  EXPECT_EQ(f.Box->ViewMode(), 9);
  EXPECT_EQ(paper->Width(), 400);
}

TEST_F(PreviewLayoutTest, DraggingThePaperPansWithTheHand) {
  fake_printers::Installed fake({});
  BoxOnForm f(416, 616);
  RecordPages(f.Box->PrinterPreview(), 1);
  f.Box->SetViewMode(1);
  TControl* paper = f.Box->Paper();
  win::POINT a = paper->ClientToScreen({100, 100});
  win::headless::MouseDown(win::headless::MouseButton::Left, a.x, a.y);
  win::headless::MouseMove(a.x - 30, a.y - 50);
  EXPECT_EQ(paper->Cursor(), crHandGx());
  EXPECT_EQ(f.Box->VertScrollBar()->Position(), 50);
  EXPECT_EQ(f.Box->HorzScrollBar()->Position(), 30);
  win::headless::MouseUp(win::headless::MouseButton::Left, a.x - 30, a.y - 50);
  // The drag ends without a zoom.
  EXPECT_EQ(paper->Cursor(), crMagnifierGx());
  EXPECT_EQ(f.Box->ViewMode(), 1);
}

TEST_F(PreviewLayoutTest, KeysScrollTheBox) {
  fake_printers::Installed fake({});
  BoxOnForm f(416, 616);
  RecordPages(f.Box->PrinterPreview(), 1);
  f.Box->SetViewMode(0);
  f.Box->SetFocus();
  TControlScrollBar* v = f.Box->VertScrollBar();
  TControlScrollBar* h = f.Box->HorzScrollBar();
  const int inc = v->Increment(), vPage = f.Box->ClientHeight() - inc, hPage = f.Box->ClientWidth() - inc;
  struct Case {
    win::WORD key;
    bool ctrl;
    int v, h;  // positions after the key, from (1000, 1000)
  };
  const int vMax = v->MaxPosition(), hMax = h->MaxPosition();
  const Case cases[] = {
      {win::VK_NEXT, false, 1000 + vPage, 1000}, {win::VK_PRIOR, false, 1000 - vPage, 1000},
      {win::VK_NEXT, true, vMax, 1000},          {win::VK_PRIOR, true, 0, 1000},
      {win::VK_DOWN, false, 1000 + inc, 1000},   {win::VK_UP, true, 1000 - vPage, 1000},
      {win::VK_RIGHT, false, 1000, 1000 + inc},  {win::VK_LEFT, true, 1000, 1000 - hPage},
      {win::VK_HOME, false, 1000, 0},            {win::VK_HOME, true, 0, 0},
      {win::VK_END, false, 1000, hMax},          {win::VK_END, true, vMax, hMax},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key * 10 + c.ctrl);
    v->SetPosition(1000);
    h->SetPosition(1000);
    if (c.ctrl) win::headless::KeyDown(win::VK_CONTROL);
    win::headless::PressKey(c.key);
    if (c.ctrl) win::headless::KeyUp(win::VK_CONTROL);
    EXPECT_EQ(v->Position(), c.v);
    EXPECT_EQ(h->Position(), c.h);
  }
}

}  // namespace

namespace {

TEST_F(PreviewLayoutTest, CursorsTakeFreeIndexes) {
  TCursor magnifier = crMagnifierGx(), hand = crHandGx();
  EXPECT_GE(magnifier, 1);
  EXPECT_NE(magnifier, hand);
  EXPECT_NE(Screen->Cursors(magnifier), Screen->Cursors(crArrow));
  TCursor next = InstallPreviewCursor("HANDGX");
  EXPECT_NE(next, magnifier);
  EXPECT_NE(next, hand);
  EXPECT_EQ(Screen->Cursors(next), Screen->Cursors(hand));
  Screen->SetCursors(next, nullptr);
  try {
    InstallPreviewCursor("NOSUCHCURSORGX");
    ADD_FAILURE() << "a missing cursor was installed";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "Cannot load cursor resource");
  }
}

}  // namespace
