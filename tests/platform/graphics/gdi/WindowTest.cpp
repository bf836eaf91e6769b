#include "platform/desktop/Headless.h"
#include "platform/desktop/Windows.h"
#include "tests/platform/graphics/gdi/GdiFixture.h"

using namespace gx;

namespace {

// Paints a sample of everything a grid cell uses: Latin and Chinese text, edges, frame
// controls, lines.
void PaintSample(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  HFONT latin = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
  HFONT cjk = CreateFont(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
  HGDIOBJ old = SelectObject(dc, latin);
  SetBkMode(dc, TRANSPARENT);
  RECT title{0, 0, client.right, 20};
  DrawEdge(dc, &title, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  DrawText(dc, "Snippet table", -1, &title, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  RECT cell{4, 26, 150, 44};
  DrawText(dc, "Hello, grid cell", -1, &cell, DT_SINGLELINE | DT_VCENTER);
  SelectObject(dc, cjk);
  RECT cell2{4, 46, 150, 66};
  DrawText(dc, "中文内容 mixed", -1, &cell2, DT_SINGLELINE | DT_VCENTER);
  SelectObject(dc, old);
  RECT check{160, 28, 173, 41};
  DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  RECT radio{180, 28, 193, 41};
  DrawFrameControl(dc, &radio, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  RECT combo{200, 26, 217, 46};
  DrawFrameControl(dc, &combo, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
  RECT sunk{160, 50, 230, 66};
  DrawEdge(dc, &sunk, EDGE_SUNKEN, BF_RECT);
  HPEN grid = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  old = SelectObject(dc, grid);
  MoveToEx(dc, 0, 70, nullptr);
  LineTo(dc, client.right, 70);
  SelectObject(dc, old);
  DeleteObject(grid);
  DeleteObject(latin);
  DeleteObject(cjk);
}

LRESULT SampleProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    PaintSample(dc, client);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  return DefWindowProc(hwnd, msg, wp, lp);
}

class WindowDCTest : public ::testing::Test {
protected:
  void SetUp() override {
    headless::Reset();
    WNDCLASSA wc{};
    wc.lpfnWndProc = SampleProc;
    wc.lpszClassName = "GxSample";
    RegisterClassA(&wc);
    Top = CreateWindowExA(0, "GxSample", "Sample", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 200, nullptr,
                          nullptr, nullptr, nullptr);
    Child = CreateWindowExA(0, "GxSample", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 90, 250, 72, Top,
                            nullptr, nullptr, nullptr);
    ASSERT_NE(Child, nullptr);
  }
  void TearDown() override {
    StopDrawRecording();
    ClearDrawRecording();
    headless::Reset();
  }
  HWND Top = nullptr, Child = nullptr;
};

TEST_F(WindowDCTest, PaintRecordsPerWindowAndSnapshotsShowChildren) {
  ClearDrawRecording();
  StartDrawRecording();
  headless::ProcessMessages();
  auto childTexts = RecordedTexts(Child);
  ASSERT_EQ(childTexts.size(), 3u);
  EXPECT_EQ(childTexts[0], "Snippet table");
  EXPECT_EQ(childTexts[2], "中文内容 mixed");
  EXPECT_EQ(RecordedTexts(Top).size(), 3u);
  auto frames = RecordedOps(DrawKind::FrameControl, Child);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0].rect, (RECT{160, 28, 173, 41}));  // client coordinates of the child
  EXPECT_TRUE(SaveWindowPng(Top, SnapshotPath("gx-window.png")));
  // The child's pixels sit in the top-level window's image at the child's place.
  HDC cdc = GetDC(Child);
  EXPECT_EQ(GetPixel(cdc, 40, 70), RGB(128, 128, 128));  // the grid line
  ReleaseDC(Child, cdc);
  HDC wdc = GetDC(Top);
  EXPECT_EQ(GetPixel(wdc, 50, 90 + 70), RGB(128, 128, 128));
  ReleaseDC(Top, wdc);
}

TEST_F(WindowDCTest, BeginPaintClipsToTheUpdateRegionAndValidates) {
  headless::ProcessMessages();
  RECT part{0, 0, 50, 10};
  InvalidateRect(Child, &part, FALSE);
  ClearDrawRecording();
  StartDrawRecording();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Child, &ps);
  EXPECT_EQ(ps.rcPaint, part);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box, part);
  RECT upd;
  EXPECT_FALSE(GetUpdateRect(Child, &upd, FALSE));
  RECT all{0, 0, 250, 72};
  FillRect(dc, &all, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EndPaint(Child, &ps);
  HDC check = GetDC(Child);
  EXPECT_EQ(GetPixel(check, 49, 9), RGB(0, 0, 0));
  EXPECT_NE(GetPixel(check, 50, 9), RGB(0, 0, 0));
  ReleaseDC(Child, check);
  // A child cannot draw outside its parent's client area.
  HDC cdc = GetDC(Child);
  RECT out;
  GetClipBox(cdc, &out);
  RECT pc;
  GetClientRect(Top, &pc);
  EXPECT_LE(out.bottom, pc.bottom - 90);
  ReleaseDC(Child, cdc);
}

LRESULT PlainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wp, lp);
}

TEST_F(WindowDCTest, DefaultErasingFillsWithTheClassBrush) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PlainProc;
  wc.lpszClassName = "GxPlain";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_INFOBK + 1));
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "GxPlain", "", WS_CHILD | WS_VISIBLE, 270, 0, 40, 40, Top, nullptr, nullptr, nullptr);
  headless::ProcessMessages();
  HDC dc = GetDC(w);
  EXPECT_EQ(GetPixel(dc, 20, 20), GetSysColor(COLOR_INFOBK));
  ReleaseDC(w, dc);
}

TEST_F(WindowDCTest, WindowRegionsShapeTheWindowAndItsDrawing) {
  POINT tri[] = {{0, 0}, {40, 0}, {40, 40}};
  HRGN shape = CreatePolygonRgn(tri, 3, WINDING);
  HWND w = CreateWindowExA(0, "GxSample", "", WS_CHILD | WS_VISIBLE, 270, 0, 40, 40, Top, nullptr, nullptr, nullptr);
  EXPECT_EQ(SetWindowRgn(w, shape, TRUE), 1);
  EXPECT_EQ(GetObjectType(GdiObj(shape)), 0);  // taken over by the window
  HRGN back = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(w, back), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(back, 35, 5));
  EXPECT_FALSE(PtInRegion(back, 5, 35));
  HDC dc = GetDC(w);
  RECT all{0, 0, 40, 40};
  FillRect(dc, &all, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(w, dc);
  HDC top = GetDC(Top);
  EXPECT_EQ(GetPixel(top, 270 + 35, 5), RGB(0, 0, 0));
  EXPECT_NE(GetPixel(top, 270 + 5, 35), RGB(0, 0, 0));
  ReleaseDC(Top, top);
  EXPECT_EQ(SetWindowRgn(w, nullptr, FALSE), 1);
  EXPECT_EQ(GetWindowRgn(w, back), RGN_ERROR);
  DeleteObject(back);
}

TEST_F(WindowDCTest, ScrollingMovesThePixelsInsideTheAreaOnly) {
  headless::ProcessMessages();
  HDC dc = GetDC(Child);
  RECT all{0, 0, 250, 72};
  FillRect(dc, &all, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT square{20, 10, 30, 20};
  FillRect(dc, &square, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT beyond{120, 10, 130, 20};  // outside the scrolled area
  FillRect(dc, &beyond, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT area{0, 5, 100, 40};
  ScrollWindowEx(Child, 3, -8, &area, &area, nullptr, nullptr, 0);
  const COLORREF black = RGB(0, 0, 0);
  // Moved: the square now spans (23..32, 2..11) clipped to the area's top (5).
  EXPECT_EQ(GetPixel(dc, 23, 5), black);
  EXPECT_EQ(GetPixel(dc, 32, 11), black);
  EXPECT_NE(GetPixel(dc, 22, 8), black);
  EXPECT_NE(GetPixel(dc, 33, 8), black);
  EXPECT_NE(GetPixel(dc, 25, 12), black);
  // Above the area nothing changed, nor beside it.
  EXPECT_NE(GetPixel(dc, 25, 4), black);
  EXPECT_EQ(GetPixel(dc, 120, 10), black);
  EXPECT_EQ(GetPixel(dc, 129, 19), black);
  // Moving everything out of the area leaves its pixels alone.
  ScrollWindowEx(Child, 0, 40, &area, &area, nullptr, nullptr, 0);
  EXPECT_EQ(GetPixel(dc, 23, 5), black);
  ReleaseDC(Child, dc);
}

TEST_F(WindowDCTest, ScreenDCReportsTheScreen) {
  HDC s = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(s, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(s, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(s, PLANES), 1);
  EXPECT_EQ(ReleaseDC(nullptr, s), 1);
  EXPECT_EQ(ReleaseDC(nullptr, s), 0);
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(std::uintptr_t(12345))), nullptr);
}

}  // namespace
