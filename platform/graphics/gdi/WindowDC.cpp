// Device contexts of windows and of the screen.
#include "platform/graphics/gdi/GdiInternal.h"

namespace win {
using namespace gdi;

namespace {
cairo_surface_t* ScreenSurface() {
  static cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1920, 1080);
  return s;
}

HDC ScreenDC() {
  auto dc = std::make_unique<DCObj>();
  dc->type = DCType::Screen;
  InitDCState(*dc);
  AttachSurface(*dc, ScreenSurface(), POINT{}, 1920, 1080);
  return AddDC(std::move(dc));
}
}  // namespace

HDC GetDC(HWND hwnd) {
  if (!hwnd) return ScreenDC();
  return nullptr;
}

HDC GetWindowDC(HWND hwnd) { return GetDC(hwnd); }

int ReleaseDC(HWND, HDC hdc) {
  DCObj* dc = FindDC(hdc);
  if (!dc || (dc->type != DCType::Window && dc->type != DCType::Screen)) return 0;
  RemoveDC(hdc);
  return 1;
}

}  // namespace win
