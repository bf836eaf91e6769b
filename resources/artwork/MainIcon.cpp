// The tray icon: a note card with a key mark, drawn at 32 x 32.
#include <cmath>

#include "platform/graphics/classes/ImageCodecs.h"
#include "platform/rtl/Resources.h"
#include "resources/artwork/Artwork.h"

namespace artwork {

namespace {
std::vector<unsigned char> MainIcon() {
  win::PixelImage img{32, 32, std::vector<std::uint32_t>(32 * 32, 0)};
  auto put = [&](int x, int y, std::uint32_t c) {
    if (x >= 0 && y >= 0 && x < 32 && y < 32) img.pixels[size_t(y) * 32 + x] = c;
  };
  // The card: white with a blue header and a dark rim.
  for (int y = 3; y < 29; ++y)
    for (int x = 2; x < 30; ++x) {
      bool rim = y == 3 || y == 28 || x == 2 || x == 29;
      put(x, y, rim ? 0xFF203060 : y < 9 ? 0xFF3A6EA5 : 0xFFFFFFFF);
    }
  // Text lines on the card.
  for (int line = 0; line < 3; ++line)
    for (int x = 5; x < 20; ++x) put(x, 12 + line * 4, 0xFF909090);
  // A key: ring and shaft, bottom right.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      double d = std::hypot(x - 23.0, y - 17.0);
      if (d <= 3.6 && d >= 1.8) put(x, y, 0xFFE0A000);
    }
  for (int y = 20; y < 27; ++y) put(23, y, 0xFFE0A000);
  put(24, 24, 0xFFE0A000);
  put(24, 26, 0xFFE0A000);
  return gxcodec::EncodeIco(img);
}
}  // namespace

// Drawn when first loaded.
void RegisterMainIcon() { RegisterResource("ICON", "MAINICON", MainIcon); }

}  // namespace artwork
