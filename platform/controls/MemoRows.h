#pragma once
// The rows a memo shows its text in: every line of the text, cut into rows by word wrap
// when it is on. Kept in step with edits: an edit lays out again only the rows it can
// have changed, from a little before it until the rows meet the old ones again.
#include "platform/controls/CharWidths.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TMemoRows {
public:
  struct TRow {
    std::size_t Byte;   // where the row starts in the text
    std::size_t Bytes;  // its length in bytes, without a line break
    std::size_t Reach;  // the bytes from here on do not change it
    int Start;          // its first character
    int Length;         // characters, without a line break
    int Width;          // pixels, at most the view's width when word wrap ends it
    int Line;           // the line of the text it is a part of
    bool Soft;          // word wrap ends it, not a line break
  };
  // The lines an edit replaced: FirstLine..OldLast before it, FirstLine..NewLast after it.
  struct TLinesChanged {
    int FirstLine, OldLast, NewLast;
  };

  bool Valid() const { return !FRows.empty(); }
  void Invalidate() { FRows.clear(); }
  // Built for rows Avail pixels wide (wrapped or not) in the font of Widths generation Font.
  bool LaidOutFor(int Avail, bool Wrap, unsigned Font) const {
    return Valid() && Avail == FAvail && Wrap == FWrap && Font == FFont;
  }
  void Build(std::string_view Text, TCharWidths& Widths, int Avail, bool Wrap, unsigned Font);
  // Bytes [Byte, Byte + Removed) of the text gave way to Inserted bytes; Text is the new text.
  TLinesChanged Edit(std::string_view Text, TCharWidths& Widths, std::size_t Byte, std::size_t Removed,
                     std::size_t Inserted);

  const std::vector<TRow>& Rows() const { return FRows; }
  int Count() const { return static_cast<int>(FRows.size()); }
  const TRow& operator[](int Row) const { return FRows[static_cast<std::size_t>(Row)]; }
  // The row holding character Index (the row it starts, where one row ends and the next begins).
  int RowOf(int Index) const;
  // Characters of the text (a line break being one or two) and its lines.
  int Length() const { return FRows.back().Start + FRows.back().Length; }
  int Lines() const { return FRows.back().Line + 1; }
  int MaxWidth() const { return FMaxWidth; }
  // Where character Index starts in Text.
  std::size_t ByteOf(std::string_view Text, int Index) const;
  // Line Line of the text, without its line break.
  std::string LineText(std::string_view Text, int Line) const;

private:
  struct TCursor {
    std::size_t Byte;
    int Char, Line;
  };
  // Lays out the row at C and moves C to the next row; false after the last row.
  bool NextRow(std::string_view Text, TCharWidths& Widths, TCursor& C, std::vector<TRow>& Out);
  int RowOfByte(std::size_t Byte) const;
  void MeasureMaxWidth();

  std::vector<TRow> FRows;
  int FAvail = 0;
  bool FWrap = true;
  unsigned FFont = 0;
  int FMaxWidth = 0;
  // Character boundaries and offsets of the row being laid out.
  std::vector<std::size_t> FPos;
  std::vector<int> FOffs;
};
