// Bitwise raster operations and pixel access for image surfaces.
#include "platform/graphics/gdi/GdiInternal.h"

namespace win::gdi {

// Source over destination, the source's top byte being its opacity.
std::uint32_t Blend(std::uint32_t s, std::uint32_t d) {
  std::uint32_t a = s >> 24;
  if (a == 255) return s & 0xFFFFFF;
  if (a == 0) return d & 0xFFFFFF;
  std::uint32_t r = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    std::uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
    r |= ((sc * a + dc * (255 - a) + 127) / 255) << shift;
  }
  return r;
}

PixelTarget PixelsOf(cairo_surface_t* surface) {
  PixelTarget t;
  if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return t;
  cairo_surface_flush(surface);
  t.data = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface));
  t.stride = cairo_image_surface_get_stride(surface) / 4;
  t.width = cairo_image_surface_get_width(surface);
  t.height = cairo_image_surface_get_height(surface);
  return t;
}

std::uint32_t ApplyRop3(std::uint8_t rop, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  switch (rop) {
    case 0xCC: return s;
    case 0xF0: return p;
    case 0x66: return s ^ d;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x5A: return p ^ d;
    case 0x55: return ~d;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    default: break;
  }
  std::uint32_t r = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (!((rop >> bit) & 1)) continue;
    std::uint32_t term = ((bit & 4) ? p : ~p) & ((bit & 2) ? s : ~s) & ((bit & 1) ? d : ~d);
    r |= term;
  }
  return r;
}

std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t d) {
  int table = rop2 - 1;  // bit (P<<1 | D)
  std::uint32_t r = 0;
  for (int bit = 0; bit < 4; ++bit) {
    if (!((table >> bit) & 1)) continue;
    r |= ((bit & 2) ? pen : ~pen) & ((bit & 1) ? d : ~d);
  }
  return r;
}

}  // namespace win::gdi
