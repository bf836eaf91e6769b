// The preview window's tool bar pictures: nine 32 x 32 images side by side on fuchsia,
// in the order of their image indexes (print, -, printer set-up, zoom, previous page,
// next page, -, stop, close).
#include <cmath>

#include "platform/graphics/classes/ImageCodecs.h"
#include "platform/rtl/Resources.h"
#include "resources/artwork/Artwork.h"

namespace artwork {
namespace {

constexpr unsigned kClear = 0xFF00FF, kBlack = 0x000000, kGrey = 0x808080, kLight = 0xC0C0C0, kWhite = 0xFFFFFF,
                   kRed = 0xC00000, kBlue = 0x000080, kGreen = 0x008000;

struct Picture {
  win::PixelImage* img;
  int x0;
  void Set(int x, int y, unsigned c) {
    if (x >= 0 && x < 32 && y >= 0 && y < 32) img->pixels[size_t(y) * img->width + x0 + x] = c;
  }
  void Box(int l, int t, int r, int b, unsigned fill, unsigned edge) {
    for (int y = t; y <= b; ++y)
      for (int x = l; x <= r; ++x) Set(x, y, (x == l || x == r || y == t || y == b) ? edge : fill);
  }
  // A triangle pointing left (dir -1) or right (dir 1) around the middle.
  void Arrow(int dir, unsigned c) {
    for (int y = 6; y <= 25; ++y) {
      int half = 10 - std::abs(y - 15) - (y > 15 ? 1 : 0);
      for (int i = 0; i <= half; ++i) Set(dir > 0 ? 10 + i : 21 - i, y, c);
    }
  }
  void Printer() {
    Box(9, 3, 22, 12, kWhite, kBlack);     // paper
    Box(3, 11, 28, 23, kLight, kBlack);    // body
    Box(8, 20, 23, 28, kWhite, kBlack);    // paper out
    for (int x = 10; x <= 21; x += 2) Set(x, 24, kGrey);
    Set(25, 14, kGreen);
  }
};

std::vector<unsigned char> Make() {
  win::PixelImage img;
  img.width = 32 * 9;
  img.height = 32;
  img.pixels.assign(size_t(img.width) * img.height, kClear);
  auto at = [&](int index) { return Picture{&img, 32 * index}; };
  at(0).Printer();
  {
    Picture p = at(2);
    p.Printer();
    for (int i = 0; i < 3; ++i) p.Box(12 + 3 * i, 6, 13 + 3 * i, 7, kBlue, kBlue);  // settings
  }
  {
    Picture p = at(3);  // a magnifier
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        double d = std::hypot(x - 12.5, y - 12.5);
        if (d <= 9.5) p.Set(x, y, d >= 7.5 ? kBlack : kWhite);
      }
    for (int i = 0; i < 9; ++i)
      for (int w = 0; w < 3; ++w) p.Set(19 + i + w, 19 + i, kBlack);
  }
  at(4).Arrow(-1, kBlue);
  at(5).Arrow(1, kBlue);
  {
    Picture p = at(7);  // stop: a red disc with a white bar
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (std::hypot(x - 15.5, y - 15.5) <= 12) p.Set(x, y, (y >= 14 && y <= 17 && x >= 8 && x <= 23) ? kWhite : kRed);
  }
  {
    Picture p = at(8);  // close: a door
    p.Box(8, 3, 23, 28, 0xA06030, kBlack);
    p.Box(19, 15, 20, 16, kBlack, kBlack);
  }
  return gxcodec::EncodeBmp(img, false);
}

}  // namespace

void RegisterPreviewTools() { RegisterResource("BITMAP", "PREVIEWTOOLSGX", [] { return Make(); }); }

}  // namespace artwork
