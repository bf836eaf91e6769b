#pragma once
// The program's own bitmaps, cursors and icon, registered as named resources
// ("BITMAP", "CURSOR", "ICON") and, for cursors, with the window system.
// Programs and tests call RegisterArtwork() once before loading any of them; calling it
// again does nothing.
#include <string>
#include <vector>

void RegisterArtwork();

namespace artwork {

// A picture drawn as text: one character per pixel, looked up in a palette of
// (character, 0xAARRGGBB) pairs.
struct PixelArt {
  const char* name;
  std::vector<const char*> rows;
};
struct PaletteEntry {
  char key;
  unsigned color;  // 0xAARRGGBB
};
// The pixels of a picture, 0xAARRGGBB; unknown characters are see-through.
std::vector<unsigned> Render(const PixelArt& art, const std::vector<PaletteEntry>& palette, int& width, int& height);

void RegisterGridBitmaps();
void RegisterCursors();
void RegisterMainIcon();
// The preview window's tool bar pictures, "PREVIEWTOOLSGX".
void RegisterPreviewTools();

}  // namespace artwork
