#include "resources/artwork/Artwork.h"

#include <cstring>

namespace artwork {

std::vector<unsigned> Render(const PixelArt& art, const std::vector<PaletteEntry>& palette, int& width, int& height) {
  height = int(art.rows.size());
  width = height ? int(std::strlen(art.rows[0])) : 0;
  std::vector<unsigned> px(size_t(width) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width && art.rows[y][x]; ++x)
      for (const PaletteEntry& e : palette)
        if (e.key == art.rows[y][x]) px[size_t(y) * width + x] = e.color;
  return px;
}

}  // namespace artwork

void RegisterArtwork() {
  static bool done = false;
  if (done) return;
  done = true;
  artwork::RegisterGridBitmaps();
  artwork::RegisterCursors();
  artwork::RegisterMainIcon();
  artwork::RegisterPreviewTools();
}
