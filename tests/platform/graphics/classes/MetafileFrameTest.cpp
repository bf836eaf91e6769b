// A metafile recorded against a printer keeps the printer's units: the size given before
// recording is its frame on that device, and playing it back covers that many pixels.
#include <gtest/gtest.h>

#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Graphics.h"

using namespace win;

namespace {

PrinterPage A4At600() {
  PrinterPage p;
  p.dpi = 600;
  p.sheetWidth = 4961;
  p.sheetHeight = 7016;
  p.offsetX = 118;
  p.offsetY = 118;
  p.width = 4961 - 236;
  p.height = 7016 - 236;
  return p;
}

TEST(MetafileFrame, SizeIsInTheReferenceDevicesPixelsBothWays) {
  struct Case {
    const char* device;
    HDC dc;
    int dpi;
  };
  HDC printer = CreatePrinterIC(A4At600());
  ASSERT_NE(printer, nullptr);
  const Case cases[] = {{"printer at 600 dpi", printer, 600}, {"screen", nullptr, 96}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device);
    TMetafile mf;
    mf.SetWidth(600);
    mf.SetHeight(600);
    {
      TMetafileCanvas mc(&mf, c.dc);
      mc.Brush()->SetColor(clBlack);
      mc.FillRect(Rect(0, 0, 600, 600));
    }
    ENHMETAHEADER h;
    ASSERT_TRUE(GetEnhMetaFileHeader(mf.Handle(), sizeof h, &h));
    EXPECT_EQ(h.rclBounds.right + 1, 600);
    EXPECT_EQ(h.rclBounds.bottom + 1, 600);
    EXPECT_EQ(mf.Width(), 600);
    // An inch at 600 dpi, 6.25 inches on the screen.
    EXPECT_EQ(mf.MMWidth(), 600 * 2540 / c.dpi);
    EXPECT_EQ(mf.MMHeight(), 600 * 2540 / c.dpi);
  }
  // Played back on the printer at its own size it covers 600 x 600 of its pixels.
  TMetafile mf;
  mf.SetWidth(600);
  mf.SetHeight(600);
  {
    TMetafileCanvas mc(&mf, printer);
    mc.Brush()->SetColor(clBlack);
    mc.FillRect(Rect(0, 0, 600, 600));
  }
  ClearDrawRecording();
  StartDrawRecording();
  TCanvas target;
  target.SetHandle(printer);
  target.Draw(100, 100, &mf);
  target.SetHandle(nullptr);
  StopDrawRecording();
  auto fills = RecordedOps(DrawKind::Fill);
  ClearDrawRecording();
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].rect.left, 100);
  EXPECT_EQ(fills[0].rect.right, 700);
  EXPECT_EQ(fills[0].rect.bottom, 700);
  DeleteDC(printer);
}

TEST(PrinterDevice, InformationContextAnswersAndDrawsNothing) {
  PrinterPage page = A4At600();
  HDC ic = CreatePrinterIC(page);
  ASSERT_NE(ic, nullptr);
  EXPECT_EQ(GetDeviceCaps(ic, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(GetDeviceCaps(ic, LOGPIXELSY), 600);
  EXPECT_EQ(GetDeviceCaps(ic, HORZRES), page.width);
  EXPECT_EQ(GetDeviceCaps(ic, VERTRES), page.height);
  EXPECT_EQ(GetDeviceCaps(ic, PHYSICALWIDTH), 4961);
  EXPECT_EQ(GetDeviceCaps(ic, PHYSICALOFFSETY), 118);
  EXPECT_EQ(GetDeviceCaps(ic, HORZSIZE), 200);
  // Text measures as it would print.
  HFONT f = CreateFont(-100, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HGDIOBJ old = SelectObject(ic, f);
  SIZE sz{};
  EXPECT_TRUE(GetTextExtentPoint32(ic, "Wg", 2, &sz));
  EXPECT_GT(sz.cx, 50);
  EXPECT_TRUE(Rectangle(ic, 0, 0, 100, 100));
  EXPECT_EQ(EndDoc(ic), 0);  // nothing was to be written
  SelectObject(ic, old);
  DeleteObject(f);
  EXPECT_TRUE(DeleteDC(ic));
  // A printable area that does not fit the sheet is refused.
  page.width = page.sheetWidth;
  EXPECT_EQ(CreatePrinterIC(page), nullptr);
  EXPECT_EQ(CreatePdfDC("/tmp/never.pdf", page), nullptr);
}

}  // namespace
