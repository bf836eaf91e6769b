// Mouse cursors: column selection (down arrow), row selection (right and left arrows),
// the preview's magnifier and hand. 32 x 32 with a hot spot each.
#include <cmath>

#include "platform/desktop/Windows.h"
#include "platform/graphics/classes/ImageCodecs.h"
#include "platform/rtl/Resources.h"
#include "resources/artwork/Artwork.h"

namespace artwork {
namespace {

const std::vector<PaletteEntry> kPalette = {{'#', 0xFF000000}, {'o', 0xFFFFFFFF}, {'g', 0xFFA0C8F0}};

struct CursorArt {
  PixelArt art;
  int hotX, hotY;
};

// Pads a picture to 32 x 32.
std::vector<unsigned> Pad(const std::vector<unsigned>& px, int w, int h) {
  std::vector<unsigned> out(32 * 32, 0);
  for (int y = 0; y < h && y < 32; ++y)
    for (int x = 0; x < w && x < 32; ++x) out[size_t(y) * 32 + x] = px[size_t(y) * w + x];
  return out;
}

const CursorArt kCursors[] = {
    {{"DOWNCURGX",
      {"...####....", "...#oo#....", "...#oo#....", "...#oo#....", "...#oo#....", "####oo####.", "#oooooooo#.",
       ".#oooooo#..", "..#oooo#...", "...#oo#....", "....##....."}},
     5, 10},
    {{"RIGHTCURGX",
      {".....#.....", ".....##....", ".....#o#...", "######oo#..", "#ooooooooo#", "######oo#..", ".....#o#...",
       ".....##....", ".....#....."}},
     10, 4},
    {{"HANDGX",
      {"......##........", ".....#oo#.......", ".....#oo#.......", ".....#oo###.....", ".....#oo#oo###..",
       ".....#oo#oo#oo##", "..##.#oooooooo#.", ".#oo##oooooooo#.", ".#ooo#oooooooo#.", "..#ooooooooooo#.",
       "...#oooooooooo#.", "...#ooooooooo#..", "....#oooooooo#..", "....#ooooooo#...", ".....#oooooo#...",
       ".....########..."}},
     7, 1},
};

// The magnifier is drawn: a lens ring with a handle.
std::vector<unsigned> Magnifier() {
  std::vector<unsigned> px(32 * 32, 0);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      // Squared distances from the lens centre: exact for these half-pixel offsets.
      double dx = x - 8.5, dy = y - 8.5, d2 = dx * dx + dy * dy;
      if (d2 <= 8.5 * 8.5 && d2 >= 6.5 * 6.5) px[size_t(y) * 32 + x] = 0xFF000000;
      else if (d2 < 6.5 * 6.5) px[size_t(y) * 32 + x] = 0xFFA0C8F0;
      // The handle runs down-right from the lens.
      if (x >= 14 && y >= 14 && x <= 21 && y <= 21 && std::abs(x - y) <= 1) px[size_t(y) * 32 + x] = 0xFF000000;
    }
  // A plus sign inside the lens.
  for (int k = 5; k <= 12; ++k) {
    px[size_t(8) * 32 + k] = 0xFF000000;
    px[size_t(k) * 32 + 8] = 0xFF000000;
  }
  return px;
}

void RegisterOne(const std::string& name, std::vector<unsigned> px, int hotX, int hotY) {
  win::CursorImage img;
  img.Name = name;
  img.Width = 32;
  img.Height = 32;
  img.HotX = hotX;
  img.HotY = hotY;
  img.Pixels = px;
  win::RegisterCursorResource(name, std::move(img));
  // The window system has the cursor now; its file form is encoded when first loaded.
  RegisterResource("CURSOR", name, [px = std::move(px)] { return gxcodec::EncodeIco(win::PixelImage{32, 32, px}); });
}

}  // namespace

void RegisterCursors() {
  for (const CursorArt& c : kCursors) {
    int w = 0, h = 0;
    auto px = Render(c.art, kPalette, w, h);
    RegisterOne(c.art.name, Pad(px, w, h), c.hotX, c.hotY);
    if (std::string(c.art.name) == "RIGHTCURGX") {
      // The right-to-left grid's row cursor is the mirror image.
      std::vector<unsigned> mirrored(px.size());
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) mirrored[size_t(y) * w + x] = px[size_t(y) * w + (w - 1 - x)];
      RegisterOne("LEFTCURGX", Pad(mirrored, w, h), w - 1 - c.hotX, c.hotY);
    }
  }
  RegisterOne("MAGNIFIERGX", Magnifier(), 8, 8);
}

}  // namespace artwork
