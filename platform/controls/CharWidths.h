#pragma once
// Widths of characters in a control's font, each character measured once, with the line
// height and the tab stops of that font. The widths follow the font: when its
// attributes change, what was measured is dropped.
#include "platform/graphics/Graphics.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>

class TCharWidths {
public:
  // Measures in Font from now on. Returns a number that changes whenever the widths had
  // to be dropped because the font's attributes changed.
  unsigned Use(TFont* Font);
  // Width of one character (its UTF-8 bytes), not a tab.
  int Of(std::string_view Ch) {
    if (Ch.size() == 1 && static_cast<unsigned char>(Ch[0]) < 0x80) {
      int& w = FAscii[static_cast<unsigned char>(Ch[0])];
      if (w < 0) w = Measure(Ch);
      return w;
    }
    return OfOther(Ch);
  }
  // Where the character Ch placed at X ends: a tab advances to the next tab stop.
  int Advance(int X, std::string_view Ch) {
    if (Ch.size() == 1 && Ch[0] == '\t') return (X / FTab + 1) * FTab;
    return X + Of(Ch);
  }
  // Steps over the characters of Text from byte Pos on, up to byte End and at most MaxChars
  // of them, while each ends at or before Limit pixels; X is where the first one starts.
  // Pos, X and Chars (the count stepped over) tell where it stopped.
  struct TScan {
    std::size_t Pos;
    int X;
    int Chars;
  };
  void Scan(std::string_view Text, TScan& S, std::size_t End, int MaxChars, int Limit);
  int LineHeight() const { return FHeight; }
  unsigned Generation() const { return FGeneration; }

private:
  int OfOther(std::string_view Ch);
  int Measure(std::string_view Ch);

  win::LOGFONT FFont{};
  win::HFONT FHandle = nullptr;
  unsigned FGeneration = 0;
  int FTab = 1;
  int FHeight = 1;
  int FAscii[128];
  std::unordered_map<std::uint32_t, int> FOther;
  // The characters looked up last, by a hash of their bytes.
  struct TRecent {
    std::uint32_t Key = 0;
    int Width = 0;
  };
  TRecent FRecent[256];
};
