#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "tests/platform/graphics/gdi/GdiFixture.h"

using namespace gx;

namespace {

HENHMETAFILE RecordPage() {
  RECT frame{0, 0, 2540 * 2, 2540};  // 2 x 1 inch = 192 x 96 pixels
  HDC mf = CreateEnhMetaFile(nullptr, nullptr, &frame, nullptr);
  EXPECT_NE(mf, nullptr);
  HFONT f = CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HGDIOBJ old = SelectObject(mf, f);
  IntersectClipRect(mf, 0, 0, 100, 50);
  TextOut(mf, 10, 20, "Cell", 4);
  MoveToEx(mf, 0, 40, nullptr);
  LineTo(mf, 150, 40);
  SelectObject(mf, old);
  DeleteObject(f);
  return CloseEnhMetaFile(mf);
}

TEST(MetaFile, RecordsAndPlaysBackScaled) {
  HENHMETAFILE emf = RecordPage();
  ASSERT_NE(emf, nullptr);
  const auto* ops = EnhMetaFileOps(emf);
  ASSERT_NE(ops, nullptr);
  ASSERT_EQ(ops->size(), 2u);
  ENHMETAHEADER h;
  ASSERT_EQ(GetEnhMetaFileHeader(emf, sizeof h, &h), sizeof h);
  EXPECT_EQ(h.rclBounds.right, 191);
  EXPECT_EQ(h.nRecords, 2u);

  MemDC m(400, 200);
  RECT target{0, 0, 384, 192};  // twice the size
  ASSERT_TRUE(PlayEnhMetaFile(m.Dc, emf, &target));
  auto texts = m.Ops(DrawKind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "Cell");
  EXPECT_EQ(texts[0].font.lfHeight, -24);
  EXPECT_EQ(texts[0].FontName(), "Arial");
  EXPECT_TRUE(texts[0].Bold());
  EXPECT_EQ(texts[0].rect.left, 20);
  EXPECT_EQ(texts[0].rect.top, 40);
  // The clip region was kept in device units and scales with the picture.
  ASSERT_TRUE(texts[0].hasClipRegion);
  ASSERT_EQ(texts[0].clipRects.size(), 1u);
  EXPECT_EQ(texts[0].clipRects[0], (RECT{0, 0, 200, 100}));
  auto lines = m.Ops(DrawKind::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].points[0].y, 80);
  EXPECT_EQ(lines[0].points[1].x, 300);
  // Only the clipped part of the line shows.
  EXPECT_EQ(m.Inked(RECT{0, 80, 400, 81}), 200);
  EXPECT_GT(m.Inked(RECT{20, 40, 100, 80}), 30);

  // Played into a DC with its own mapping and clip.
  MemDC n(400, 200);
  SetViewportOrgEx(n.Dc, 50, 0, nullptr);
  IntersectClipRect(n.Dc, 0, 0, 60, 200);
  RECT same{0, 0, 192, 96};
  PlayEnhMetaFile(n.Dc, emf, &same);
  auto t2 = n.Ops(DrawKind::Text).at(0);
  EXPECT_EQ(t2.rect.left, 60);
  EXPECT_EQ(t2.font.lfHeight, -12);
  ASSERT_EQ(t2.clipRects.size(), 1u);
  EXPECT_EQ(t2.clipRects[0], (RECT{50, 0, 110, 50}));
  HENHMETAFILE copy = CopyEnhMetaFile(emf, nullptr);
  EXPECT_TRUE(DeleteEnhMetaFile(emf));
  EXPECT_FALSE(DeleteEnhMetaFile(emf));
  EXPECT_EQ(EnhMetaFileOps(copy)->size(), 2u);
  EXPECT_TRUE(DeleteEnhMetaFile(copy));
}

std::string RunCommand(const std::string& cmd) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> p(popen(cmd.c_str(), "r"), pclose);
  if (!p) return out;
  char buf[512];
  while (size_t n = fread(buf, 1, sizeof buf, p.get())) out.append(buf, n);
  return out;
}

TEST(Printer, PdfPagesAt600DotsPerInch) {
  std::string file = SnapshotPath("gx-printer.pdf");
  HDC pdc = CreatePdfDC(file, 210, 297, 5);
  ASSERT_NE(pdc, nullptr);
  EXPECT_EQ(GetDeviceCaps(pdc, LOGPIXELSX), 600);
  EXPECT_EQ(GetDeviceCaps(pdc, LOGPIXELSY), 600);
  EXPECT_EQ(GetDeviceCaps(pdc, NUMCOLORS), -1);
  EXPECT_EQ(GetDeviceCaps(pdc, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(GetDeviceCaps(pdc, PHYSICALOFFSETX), 118);  // 5 mm
  EXPECT_EQ(GetDeviceCaps(pdc, PHYSICALWIDTH), 4961);
  EXPECT_EQ(GetDeviceCaps(pdc, HORZRES), 4961 - 2 * 118);
  EXPECT_EQ(GetDeviceCaps(pdc, HORZSIZE), 200);
  EXPECT_EQ(GetDeviceCaps(pdc, VERTSIZE), 287);
  EXPECT_EQ(CreatePdfDC(file + ".bad", 0, 297), nullptr);
  StartPage(pdc);
  HFONT f = CreateFont(-100, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SelectObject(pdc, f);
  TextOut(pdc, 200, 200, "Vantrel page one", 16);
  RECT r{200, 400, 3000, 700};
  DrawText(pdc, "中文 snippet", -1, &r, DT_SINGLELINE);
  Rectangle(pdc, 100, 100, 2000, 1000);
  EndPage(pdc);
  StartPage(pdc);
  TextOut(pdc, 200, 200, "Second", 6);
  EXPECT_EQ(EndDoc(pdc), 1);
  SelectObject(pdc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
  DeleteDC(pdc);
  std::string text = RunCommand("pdftotext -layout '" + file + "' - 2>&1");
  EXPECT_NE(text.find("Vantrel page one"), std::string::npos) << text;
  EXPECT_NE(text.find("snippet"), std::string::npos) << text;
  EXPECT_NE(text.find("中文"), std::string::npos) << text;
  EXPECT_NE(text.find("Second"), std::string::npos) << text;
  std::string info = RunCommand("pdfinfo '" + file + "' 2>&1");
  std::istringstream lines(info);
  std::string line, pages;
  while (std::getline(lines, line))
    if (line.rfind("Pages:", 0) == 0) pages = line.substr(line.find_last_of(' ') + 1);
  EXPECT_EQ(pages, "2") << info;
  std::string render = RunCommand("pdftoppm -r 20 -f 1 -l 1 -png '" + file + "' " + SnapshotPath("gx-printer") + " && echo ok");
  EXPECT_NE(render.find("ok"), std::string::npos) << render;
}

TEST(Printer, DrawingAfterTheDocumentEndedIsHarmless) {
  std::string file = SnapshotPath("gx-printer-ended.pdf");
  HDC pdc = CreatePdfDC(file, 100, 100);
  StartPage(pdc);
  EndDoc(pdc);
  EXPECT_TRUE(Rectangle(pdc, 0, 0, 10, 10));
  EXPECT_EQ(EndPage(pdc), 0);
  EXPECT_TRUE(DeleteDC(pdc));
}

}  // namespace
