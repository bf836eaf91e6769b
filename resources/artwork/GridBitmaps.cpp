// The grid's bitmaps: row indicators (6 x 11, on white, or teal for the selected-row
// arrow), sort markers (10 x 9 on fuchsia) and the corner glyph.
#include "platform/graphics/classes/ImageCodecs.h"
#include "platform/rtl/Resources.h"
#include "resources/artwork/Artwork.h"

namespace artwork {
namespace {

const std::vector<PaletteEntry> kPalette = {
    {'.', 0xFFFFFFFF},  // white: the indicators' see-through colour
    {'t', 0xFF008080},  // teal: see-through for the selected-row arrow
    {'f', 0xFFFF00FF},  // fuchsia: see-through for the sort markers
    {'#', 0xFF000000}, {'w', 0xFFFEFEFE},  // an arrow's white inside stays opaque
    {'d', 0xFF808080}, {'l', 0xFFC0C0C0}, {'h', 0xFFFFFFFF}, {'b', 0xFF000080}, {'y', 0xFFD4D0C8},
};

const PixelArt kArt[] = {
    {"DBGARROWGX",  // current row
     {"......", "......", "#.....", "##....", "###...", "####..", "###...", "##....", "#.....", "......", "......"}},
    {"DBEDITGX",  // editing: a pencil
     {"....#.", "...#w#", "...#w#", "..#w#.", "..#w#.", ".#w#..", ".#w#..", ".##...", ".#....", "......", "......"}},
    {"DBINSERTGX",  // inserting: a star
     {"......", "......", "..#...", "#.#.#.", ".###..", "#####.", ".###..", "#.#.#.", "..#...", "......", "......"}},
    {"DBMULTIDOTGX",  // a selected row
     {"......", "......", "......", "......", ".##...", "####..", "####..", ".##...", "......", "......", "......"}},
    {"DBMULTIARROWGX",  // the current row, selected
     {"......", "......", "#.....", "##....", "#.#...", "#..#..", "#.#...", "##....", "#.....", "......", "......"}},
    {"DBGARROWGXW",  // current row on a highlight: a white arrow with a dark rim, on teal
     {"tttttt", "tttttt", "#ttttt", "##tttt", "#.#ttt", "#..#tt", "#.#ttt", "##tttt", "#ttttt", "tttttt", "tttttt"}},
    {"DBSMDOWNGX",  // sorted descending
     {"ffffffffff", "ffffffffff", "dddddddddh", "fdlllllhff", "ffdlllhfff", "fffdlhffff", "ffffdhffff",
      "ffffffffff", "ffffffffff"}},
    {"DBSMUPGX",  // sorted ascending
     {"ffffffffff", "ffffffffff", "ffffdhffff", "fffdlhffff", "ffdlllhfff", "fdlllllhff", "dhhhhhhhhh",
      "ffffffffff", "ffffffffff"}},
    {"DBGRID_BMP",  // a small table
     {"##########", "#bbbbbbbb#", "#bbbbbbbb#", "##########", "#hh#hh#hh#", "##########", "#hh#hh#hh#",
      "##########", "#hh#hh#hh#", "##########"}},
};

}  // namespace

void RegisterGridBitmaps() {
  // Each is drawn and encoded when first loaded.
  for (const PixelArt& art : kArt)
    RegisterResource("BITMAP", art.name, [&art] {
      int w = 0, h = 0;
      win::PixelImage img;
      img.pixels = Render(art, kPalette, w, h);
      img.width = w;
      img.height = h;
      for (auto& p : img.pixels) p &= 0xFFFFFF;
      return gxcodec::EncodeBmp(img, false);
    });
}

}  // namespace artwork
