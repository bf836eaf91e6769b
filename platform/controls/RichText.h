#pragma once
// Rich text without a control: paragraphs of runs, each run with its font name, size,
// style and colour. It is read from and written to RTF (plain text is accepted too) and
// laid out over pages on any canvas, a range of characters at a time.
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsObjects.h"

class TCanvas;

// The character formatting of a run.
struct TRichTextFormat {
  std::string FontName = "MS Sans Serif";
  int HalfPoints = 16;  // font size in half-points
  TFontStyles Style;
  TColor Color = clWindowText;  // clWindowText: the automatic colour
  bool operator==(const TRichTextFormat& Other) const {
    return FontName == Other.FontName && HalfPoints == Other.HalfPoints && Style == Other.Style &&
           Color == Other.Color;
  }
};

// Text in one format. It may hold TAB and VT (a line break inside the paragraph).
struct TRichTextRun {
  TRichTextFormat Format;
  std::string Text;
};

struct TRichTextParagraph {
  std::vector<TRichTextRun> Runs;
  TRichTextFormat MarkFormat;  // the format of the paragraph's end (the height of an empty line)
  std::string Text() const;
};

// One call of FormatRange: which characters go into which area of which canvas.
struct TRichTextFormatRange {
  TCanvas* Canvas = nullptr;
  // Canvas units per inch, across and down.
  int ResolutionX = 96, ResolutionY = 96;
  // In twips (1440 per inch). On return, Area.bottom is the bottom of the placed text.
  win::RECT Area{};
  // The first character, and the one after the last (-1: to the end of the text).
  int First = 0, Last = -1;
  // Place the first line even when it is taller than the area (cut to it), so that a
  // fresh page always takes something.
  bool PlaceOneLine = false;
};

class TRichTextDocument {
public:
  TRichTextDocument();

  // Always at least one paragraph; the last one has no paragraph break after it.
  const std::vector<TRichTextParagraph>& Paragraphs() const { return FParagraphs; }
  std::vector<TRichTextParagraph>& Paragraphs() { return FParagraphs; }
  // The format of text that carries none (plain text, new lines).
  const TRichTextFormat& DefaultFormat() const { return FDefaultFormat; }
  void SetDefaultFormat(const TRichTextFormat& Value) { FDefaultFormat = Value; }

  void Clear();
  // Lines split at CR LF, LF or CR, all in the default format.
  void SetPlainText(std::string_view Text);
  // The paragraphs joined with CR LF.
  std::string PlainText() const;
  // Characters (code points), each paragraph break counting one.
  int Length() const;

  // Reads an RTF document; false, the document unchanged, when Data is not RTF.
  bool LoadRtf(std::string_view Data);
  std::string SaveRtf() const;

  // Replaces every occurrence of Find (ASCII letters in any case) inside a paragraph by
  // Replacement, in the format of the match's first character; the search goes on after
  // each replacement. Returns how many were replaced.
  int ReplaceAll(std::string_view Find, std::string_view Replacement);

  // Lays the characters from Range.First out in Range.Area, whole lines while they fit,
  // drawing them unless Render is false. Returns the character after the last one placed
  // (Range.First when no line fitted).
  int FormatRange(TRichTextFormatRange& Range, bool Render) const;

private:
  std::vector<TRichTextParagraph> FParagraphs;
  TRichTextFormat FDefaultFormat;
};

// Text as RTF body text: \, { and } escaped, characters beyond ASCII as \uN with the
// fallback \'3f (pairs of surrogates beyond the basic plane), line breaks as \line, TAB
// as \tab, other control characters dropped.
std::string RtfEscapedText(const std::string& Text);
