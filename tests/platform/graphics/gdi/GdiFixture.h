#pragma once
// A memory DC on a white bitmap with the draw recording on, for drawing tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Gdi.h"

namespace gx {
using namespace win;

class MemDC {
public:
  MemDC(int w, int h) : W(w), H(h) {
    Dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    Bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    Old = SelectObject(Dc, Bmp);
    RECT all{0, 0, w, h};
    FillRect(Dc, &all, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ClearDrawRecording();
    StartDrawRecording();
  }
  ~MemDC() {
    StopDrawRecording();
    ClearDrawRecording();
    SelectObject(Dc, Old);
    DeleteDC(Dc);
    DeleteObject(Bmp);
    if (Font) DeleteObject(Font);
  }
  void UseFont(const char* face, int height, int weight = FW_NORMAL, int escapement = 0) {
    HFONT f = CreateFont(height, 0, escapement, escapement, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    SelectObject(Dc, f);
    if (Font) DeleteObject(Font);
    Font = f;
  }
  // Device pixels, whatever the mapping and clipping of the DC.
  template <class F>
  void InDevice(F f) const {
    int saved = SaveDC(Dc);
    SetMapMode(Dc, MM_TEXT);
    SetLayout(Dc, 0);
    SetWindowOrgEx(Dc, 0, 0, nullptr);
    SetViewportOrgEx(Dc, 0, 0, nullptr);
    SelectClipRgn(Dc, nullptr);
    f();
    RestoreDC(Dc, saved);
  }
  COLORREF Px(int x, int y) const {
    COLORREF c = 0;
    InDevice([&] { c = GetPixel(Dc, x, y); });
    return c;
  }
  std::vector<std::uint32_t> Pixels() const {
    std::vector<std::uint32_t> out;
    InDevice([&] {
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) out.push_back(GetPixel(Dc, x, y));
    });
    return out;
  }
  // Device pixels that are not white.
  int Inked(RECT r) const {
    int n = 0;
    InDevice([&] {
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
          if (GetPixel(Dc, x, y) != RGB(255, 255, 255)) ++n;
    });
    return n;
  }
  std::vector<DrawOp> Ops(DrawKind kind) const { return RecordedOps(kind); }

  int W, H;
  HDC Dc = nullptr;
  HBITMAP Bmp = nullptr;
  HGDIOBJ Old = nullptr;
  HFONT Font = nullptr;
};

// Snapshots go under the build tree: the tests run in it.
inline std::string SnapshotPath(const std::string& name) { return "./" + name; }

}  // namespace gx
