// Images with opacity, bitmap pixel access and icons.
#include <algorithm>
#include <cstring>

#include "platform/graphics/gdi/GdiInternal.h"

namespace win::gdi {
namespace {
struct IconObj : GdiObject {
  IconObj() : GdiObject(ObjKind::Icon) {}
  PixelImage image;
};
}  // namespace
}  // namespace win::gdi

namespace win {
using namespace gdi;

BOOL DrawPixelImage(HDC hdc, const RECT& dest, std::shared_ptr<const PixelImage> image, const RECT& src) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !image || image->width <= 0 || image->height <= 0) return FALSE;
  if (image->pixels.size() != size_t(image->width) * image->height) return FALSE;
  DrawOp op = NewOp(*dc, DrawKind::Blit);
  POINT a = ToDevice(*dc, dest.left, dest.top), b = ToDevice(*dc, dest.right, dest.bottom);
  op.rect = RECT{a.x, a.y, b.x, b.y};
  op.srcRect = src;
  op.image = std::move(image);
  op.alpha = true;
  op.rop = SRCCOPY;
  Emit(*dc, std::move(op));
  return TRUE;
}

PixelImage GetBitmapImage(HBITMAP bmp) {
  PixelImage img;
  BitmapObj* b = FindBitmap(bmp);
  if (!b) return img;
  img.width = b->width;
  img.height = b->height;
  img.pixels.resize(size_t(b->width) * b->height);
  const std::uint32_t* px = b->Pixels();
  int stride = b->Stride();
  for (int y = 0; y < b->height; ++y)
    for (int x = 0; x < b->width; ++x) img.pixels[size_t(y) * b->width + x] = px[y * stride + x] & 0xFFFFFF;
  return img;
}

BOOL SetBitmapImage(HBITMAP bmp, const PixelImage& img) {
  BitmapObj* b = FindBitmap(bmp);
  if (!b || img.width != b->width || img.height != b->height ||
      img.pixels.size() != size_t(img.width) * img.height)
    return FALSE;
  std::uint32_t* px = b->Pixels();
  int stride = b->Stride();
  for (int y = 0; y < b->height; ++y)
    for (int x = 0; x < b->width; ++x) px[y * stride + x] = img.pixels[size_t(y) * b->width + x] & 0xFFFFFF;
  cairo_surface_mark_dirty(b->surface);
  return TRUE;
}

HICON CreateIconFromImage(const PixelImage& argb) {
  if (argb.width <= 0 || argb.height <= 0 || argb.pixels.size() != size_t(argb.width) * argb.height) return nullptr;
  auto o = std::make_unique<IconObj>();
  o->image = argb;
  return reinterpret_cast<HICON>(AddObject(std::move(o)));
}

const PixelImage* GetIconImage(HICON icon) {
  auto* o = Find<IconObj>(icon, ObjKind::Icon);
  return o ? &o->image : nullptr;
}

HICON CopyIcon(HICON icon) {
  const PixelImage* img = GetIconImage(icon);
  return img ? CreateIconFromImage(*img) : nullptr;
}

BOOL DestroyIcon(HICON icon) {
  if (!GetIconImage(icon)) return FALSE;
  return DeleteObject(reinterpret_cast<HGDIOBJ>(icon));
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int w, int h, UINT, HBRUSH flickerFree, UINT flags) {
  const PixelImage* img = GetIconImage(icon);
  if (!img || !FindDC(hdc)) return FALSE;
  if (w == 0) w = img->width;
  if (h == 0) h = img->height;
  if (flickerFree) {
    RECT r{x, y, x + w, y + h};
    FillRect(hdc, &r, flickerFree);
  }
  auto copy = std::make_shared<PixelImage>(*img);
  if ((flags & DI_NORMAL) == DI_MASK)
    for (auto& p : copy->pixels) p = (p >> 24) >= 128 ? 0xFF000000 : 0xFFFFFFFF;
  return DrawPixelImage(hdc, RECT{x, y, x + w, y + h}, copy, RECT{0, 0, img->width, img->height});
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) { return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }

}  // namespace win
