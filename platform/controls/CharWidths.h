#pragma once
// Widths of characters in a control's font, each character measured once, with the line
// height and the tab stops of that font. The widths follow the font: when its
// attributes change, what was measured is dropped.
#include "platform/graphics/Graphics.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

// One line of text measured in a control's widths: its width and, every so many
// characters, where a character starts, so that placing a character takes a short walk
// from the mark before it. The line last measured is kept: measuring the same text in
// the same widths again costs a comparison.
class TLineExtents {
public:
  // Measures Text (stepping as Utf8NextChar does) unless it is the line measured last.
  void Measure(std::string_view Text, TCharWidths& Widths);
  // The measured line's width.
  int Width() const { return FWidth; }
  // Pixels from the line's start to character Index (0 before the first, the width past
  // the last).
  int XOf(int Index, TCharWidths& Widths) const;
  // The last mark that starts at or before pixel X (the first character's, at least):
  // its byte, its pixel and its character index.
  TCharWidths::TScan MarkBefore(int X) const;

private:
  static constexpr int MarkEvery = 256;
  std::string FText;
  unsigned FGeneration = 0;
  bool FMeasured = false;
  int FWidth = 0;
  int FChars = 0;
  std::vector<TCharWidths::TScan> FMarks;  // characters 0, MarkEvery, 2 * MarkEvery, ...
};
