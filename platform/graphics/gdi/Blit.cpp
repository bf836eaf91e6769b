// Block transfers between device contexts and from device-independent bits.
#include <algorithm>
#include <cstring>

#include "platform/graphics/gdi/GdiInternal.h"

namespace win {
using namespace gdi;

namespace {
bool UsesSource(DWORD rop) {
  std::uint8_t c = std::uint8_t(rop >> 16);
  return ((c >> 2) & 0x33) != (c & 0x33);
}

// Copies a source area into an image at the destination's colours: monochrome sources take
// the destination's text (0) and background (1) colours; colour to monochrome compares with
// the source's background colour.
std::shared_ptr<PixelImage> GrabSource(DCObj& src, const RECT& area, const DCObj& dest) {
  auto img = std::make_shared<PixelImage>();
  RECT a = NormalizedRect(area);
  img->width = a.right - a.left;
  img->height = a.bottom - a.top;
  img->pixels.assign(size_t(std::max(0, img->width)) * std::max(0, img->height), 0xFFFFFF);
  PixelTarget t = PixelsOf(src.surface);
  if (!t.Valid()) return img;
  int srcBpp = 32, destBpp = 32;
  if (src.type == DCType::Memory)
    if (BitmapObj* b = FindBitmap(src.bitmap)) srcBpp = b->bpp;
  if (dest.type == DCType::Memory)
    if (BitmapObj* b = FindBitmap(dest.bitmap)) destBpp = b->bpp;
  std::uint32_t fg = ToPixel(dest.st.textColor), bg = ToPixel(dest.st.bkColor), key = ToPixel(src.st.bkColor);
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x) {
      int sx = a.left + x + src.origin.x, sy = a.top + y + src.origin.y;
      std::uint32_t p = 0xFFFFFF;
      if (sx >= 0 && sy >= 0 && sx < t.width && sy < t.height) p = t.data[sy * t.stride + sx] & 0xFFFFFF;
      if (srcBpp == 1 && destBpp != 1) p = p ? bg : fg;
      else if (srcBpp != 1 && destBpp == 1) p = p == key ? 0xFFFFFF : 0;
      img->pixels[size_t(y) * img->width + x] = p;
    }
  return img;
}
}  // namespace

BOOL StretchBlt(HDC hdest, int x, int y, int w, int h, HDC hsrc, int sx, int sy, int sw, int sh, DWORD rop) {
  DCObj* dest = FindDC(hdest);
  if (!dest) return FALSE;
  DrawOp op = NewOp(*dest, DrawKind::Blit);
  POINT a = ToDevice(*dest, x, y), b = ToDevice(*dest, x + w, y + h);
  op.rect = RECT{a.x, a.y, b.x, b.y};
  op.rop = rop;
  SetBrushFields(op, dest->st.brush);
  if (UsesSource(rop)) {
    DCObj* src = FindDC(hsrc);
    if (!src) return FALSE;
    POINT sa = ToDevice(*src, sx, sy), sb = ToDevice(*src, sx + sw, sy + sh);
    RECT area{sa.x, sa.y, sb.x, sb.y};
    if (rop == SRCCOPY && CopyPixelsDirect(*dest, op, *src, area)) return TRUE;
    op.source = hsrc;
    op.sourceOrigin = POINT{std::min(sa.x, sb.x), std::min(sa.y, sb.y)};
    op.image = GrabSource(*src, area, *dest);
    // The source rectangle within the grabbed image keeps its direction for mirroring.
    int iw = op.image->width, ih = op.image->height;
    op.srcRect = RECT{sb.x >= sa.x ? 0 : iw, sb.y >= sa.y ? 0 : ih, sb.x >= sa.x ? iw : 0, sb.y >= sa.y ? ih : 0};
    if (iw == 0 || ih == 0) return TRUE;
  } else {
    auto img = std::make_shared<PixelImage>();
    img->width = img->height = 1;
    img->pixels = {0};
    op.image = img;
    op.srcRect = RECT{0, 0, 1, 1};
  }
  Emit(*dest, std::move(op));
  return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
  return StretchBlt(dest, x, y, w, h, src, sx, sy, w, h, rop);
}

int StretchDIBits(HDC hdc, int x, int y, int w, int h, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* info, UINT, DWORD rop) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !bits || !info) return 0;
  const BITMAPINFOHEADER& bh = info->bmiHeader;
  int bw = bh.biWidth, bht = std::abs(bh.biHeight);
  bool topDown = bh.biHeight < 0;
  int bpp = bh.biBitCount;
  if (bw <= 0 || bht <= 0 || bw > 32767 || bht > 32767 || bh.biCompression != BI_RGB) return 0;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return 0;
  int stride = ((bw * bpp + 31) / 32) * 4;
  const auto* src = static_cast<const unsigned char*>(bits);
  auto img = std::make_shared<PixelImage>();
  img->width = bw;
  img->height = bht;
  img->pixels.resize(size_t(bw) * bht);
  for (int row = 0; row < bht; ++row) {
    const unsigned char* line = src + size_t(topDown ? row : bht - 1 - row) * stride;
    for (int col = 0; col < bw; ++col) {
      std::uint32_t p = 0;
      auto palette = [&](int idx) {
        const RGBQUAD& q = info->bmiColors[std::clamp(idx, 0, 255)];
        return (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
      };
      switch (bpp) {
        case 1: p = palette((line[col / 8] >> (7 - col % 8)) & 1); break;
        case 4: p = palette((line[col / 2] >> (col % 2 ? 0 : 4)) & 0xF); break;
        case 8: p = palette(line[col]); break;
        case 24: p = (std::uint32_t(line[col * 3 + 2]) << 16) | (std::uint32_t(line[col * 3 + 1]) << 8) | line[col * 3]; break;
        default: p = (std::uint32_t(line[col * 4 + 2]) << 16) | (std::uint32_t(line[col * 4 + 1]) << 8) | line[col * 4]; break;
      }
      img->pixels[size_t(row) * bw + col] = p;
    }
  }
  DrawOp op = NewOp(*dc, DrawKind::Blit);
  POINT a = ToDevice(*dc, x, y), b = ToDevice(*dc, x + w, y + h);
  op.rect = RECT{a.x, a.y, b.x, b.y};
  op.rop = rop;
  // Source coordinates count from the bottom row for bottom-up bitmaps.
  int top = topDown ? sy : bht - sy - sh;
  op.srcRect = RECT{sx, top, sx + sw, top + sh};
  op.image = img;
  SetBrushFields(op, dc->st.brush);
  Emit(*dc, std::move(op));
  return sh;
}

int GetDIBits(HDC, HBITMAP hbmp, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT) {
  BitmapObj* b = FindBitmap(hbmp);
  if (!b || !info) return 0;
  BITMAPINFOHEADER& bh = info->bmiHeader;
  if (!bits) {
    bh.biWidth = b->width;
    bh.biHeight = b->height;
    bh.biPlanes = 1;
    bh.biBitCount = WORD(b->bpp == 1 ? 1 : 32);
    bh.biCompression = BI_RGB;
    bh.biSizeImage = DWORD(((b->width * bh.biBitCount + 31) / 32) * 4 * b->height);
    return b->height;
  }
  if (bh.biBitCount != 32 && bh.biBitCount != 24) return 0;
  int bpp = bh.biBitCount;
  bool topDown = bh.biHeight < 0;
  int stride = ((b->width * bpp + 31) / 32) * 4;
  auto* out = static_cast<unsigned char*>(bits);
  std::uint32_t* px = b->Pixels();
  int ps = b->Stride();
  UINT done = 0;
  for (UINT i = 0; i < lines && int(start + i) < b->height; ++i, ++done) {
    int row = int(start + i);  // counted from the bottom in bottom-up bitmaps
    int srcRow = topDown ? row : b->height - 1 - row;
    unsigned char* line = out + size_t(i) * stride;
    for (int x = 0; x < b->width; ++x) {
      std::uint32_t p = px[srcRow * ps + x];
      unsigned char* d = line + x * (bpp / 8);
      d[0] = p & 0xFF;
      d[1] = (p >> 8) & 0xFF;
      d[2] = (p >> 16) & 0xFF;
      if (bpp == 32) d[3] = 0;
    }
  }
  return int(done);
}

}  // namespace win
