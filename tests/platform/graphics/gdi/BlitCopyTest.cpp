// A plain copy between colour surfaces takes a shorter road when nothing records it; the
// pixels must come out the same as through the recorded road, whatever the clipping,
// mapping, overlap or bounds.
#include <functional>

#include "platform/desktop/Headless.h"
#include "platform/desktop/Windows.h"
#include "tests/platform/graphics/gdi/GdiFixture.h"

using namespace gx;

namespace {

// A 16 x 16 source whose every pixel differs from its neighbours.
class Source {
public:
  explicit Source(HDC like) {
    Dc = CreateCompatibleDC(like);
    Bmp = CreateBitmap(16, 16, 1, 32, nullptr);
    Old = SelectObject(Dc, Bmp);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) SetPixel(Dc, x, y, RGB(x * 16, y * 16, (x + y) * 8));
  }
  ~Source() {
    SelectObject(Dc, Old);
    DeleteDC(Dc);
    DeleteObject(Bmp);
  }
  HDC Dc;
  HBITMAP Bmp;
  HGDIOBJ Old;
};

struct CopyCase {
  const char* Name;
  std::function<void(HDC Dest, HDC Src)> Run;
};

const CopyCase Cases[] = {
    {"plain", [](HDC D, HDC S) { BitBlt(D, 3, 2, 10, 8, S, 1, 1, SRCCOPY); }},
    {"clipped", [](HDC D, HDC S) {
       IntersectClipRect(D, 5, 4, 9, 20);
       ExcludeClipRect(D, 6, 6, 7, 7);
       BitBlt(D, 0, 0, 16, 16, S, 0, 0, SRCCOPY);
     }},
    {"past the destination's edge", [](HDC D, HDC S) { BitBlt(D, 18, -3, 12, 12, S, 0, 0, SRCCOPY); }},
    {"past the source's edge", [](HDC D, HDC S) { BitBlt(D, 0, 0, 12, 12, S, 8, 9, SRCCOPY); }},
    {"moved origin", [](HDC D, HDC S) {
       SetViewportOrgEx(D, 4, 3, nullptr);
       SetWindowOrgEx(S, 2, 1, nullptr);
       BitBlt(D, 1, 1, 10, 10, S, 3, 3, SRCCOPY);
     }},
    {"mirrored", [](HDC D, HDC S) {
       SetLayout(D, LAYOUT_RTL);
       BitBlt(D, 2, 2, 10, 6, S, 0, 0, SRCCOPY);
     }},
    {"stretched", [](HDC D, HDC S) { StretchBlt(D, 0, 0, 20, 10, S, 0, 0, 10, 10, SRCCOPY); }},
    {"onto itself", [](HDC D, HDC S) {
       BitBlt(D, 0, 0, 16, 16, S, 0, 0, SRCCOPY);
       BitBlt(D, 2, 3, 12, 12, D, 0, 0, SRCCOPY);
     }},
};

std::vector<std::uint32_t> CopiedPixels(const CopyCase& Case, bool Recorded) {
  MemDC Dest(24, 24);
  if (!Recorded) StopDrawRecording();
  Source Src(Dest.Dc);
  Case.Run(Dest.Dc, Src.Dc);
  return Dest.Pixels();
}

}  // namespace

TEST(BlitCopy, UnrecordedCopiesDrawWhatRecordedCopiesDraw) {
  for (const CopyCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    const std::vector<std::uint32_t> Recorded = CopiedPixels(Case, true), Plain = CopiedPixels(Case, false);
    EXPECT_EQ(Plain, Recorded);
    EXPECT_NE(Plain, std::vector<std::uint32_t>(Plain.size(), RGB(255, 255, 255)));
  }
  // And the copy is the source's own pixels at the place asked for.
  const std::vector<std::uint32_t> Plain = CopiedPixels(Cases[0], false);
  EXPECT_EQ(Plain[2 * 24 + 3], RGB(16, 16, 16));
  EXPECT_EQ(Plain[9 * 24 + 12], RGB(10 * 16, 8 * 16, 18 * 8));
  EXPECT_EQ(Plain[10 * 24 + 12], RGB(255, 255, 255));
}

// A child window's device context starts inside its top-level window's image and is cut
// by the parent's client area.
TEST(BlitCopy, IntoAChildWindowLandsAtItsPlaceAndStaysInsideItsParent) {
  auto PixelsAfterCopy = [](bool Recorded) {
    headless::Reset();
    Recorded ? StartDrawRecording() : StopDrawRecording();
    WNDCLASSA Class{};
    Class.lpfnWndProc = [](HWND H, UINT M, WPARAM W, LPARAM L) { return DefWindowProc(H, M, W, L); };
    Class.lpszClassName = "GxCopyTarget";
    RegisterClassA(&Class);
    HWND Top = CreateWindowExA(0, "GxCopyTarget", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr, nullptr,
                               nullptr);
    HWND Child = CreateWindowExA(0, "GxCopyTarget", "", WS_CHILD | WS_VISIBLE, 30, 20, 40, 40, Top, nullptr, nullptr,
                                 nullptr);
    headless::ProcessMessages();
    HDC Dc = GetDC(Child);
    {
      Source Src(Dc);
      BitBlt(Dc, 0, 0, 16, 16, Src.Dc, 0, 0, SRCCOPY);
      BitBlt(Dc, 20, 10, 16, 16, Src.Dc, 0, 0, SRCCOPY);
    }
    ReleaseDC(Child, Dc);
    std::vector<std::uint32_t> Out;
    HDC TopDc = GetDC(Top);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x) Out.push_back(GetPixel(TopDc, x, y));
    ReleaseDC(Top, TopDc);
    StopDrawRecording();
    ClearDrawRecording();
    headless::Reset();
    return Out;
  };
  const std::vector<std::uint32_t> Recorded = PixelsAfterCopy(true), Plain = PixelsAfterCopy(false);
  EXPECT_EQ(Plain, Recorded);
  EXPECT_EQ(Plain[20 * 60 + 30], RGB(0, 0, 0));
  EXPECT_EQ(Plain[25 * 60 + 35], RGB(5 * 16, 5 * 16, 10 * 8));
}
