#pragma once
// Maps logical fonts to the installed faces (a Latin sans and a CJK face) and measures
// and lays out text with whole-pixel advances, so metrics match on every machine.
#include <cairo.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/graphics/Gdi.h"

namespace win::gdi {

struct FaceFile;

// A logical font at a device size (height already in device pixels).
struct ResolvedFont {
  LOGFONT lf;                // as requested, height in device units
  double em = 0;             // em size in pixels
  double scaleX = 1;         // horizontal stretch from lfWidth
  FaceFile* faces[2] = {};   // primary, fallback
  cairo_scaled_font_t* scaled[2] = {};
  TEXTMETRIC tm;
  OUTLINETEXTMETRIC otm;
  double underlinePos = 0, underlineSize = 1, strikePos = 0;
  std::unordered_map<char32_t, std::pair<int, unsigned>> glyphCache;  // code -> (face, glyph)
  std::pair<int, unsigned> latin[256];                               // the same for U+0000..U+00FF
  bool latinKnown[256] = {};
  // Per face, glyph advances in blocks of AdvanceBlock glyphs, each made when one of its
  // glyphs is first measured (a face may have tens of thousands); -1 unknown.
  static constexpr unsigned AdvanceBlock = 256;
  std::vector<std::unique_ptr<int[]>> advances[2];
  ~ResolvedFont();
};

struct LaidGlyph {
  int face = 0;          // 0 primary, 1 fallback
  unsigned glyph = 0;
  int x = 0;             // pen position from the run's start, pixels
  int advance = 0;
  size_t byteOffset = 0; // where the character starts in the text
};

// The resolved font for a logical font with its height in device pixels (cached).
std::shared_ptr<ResolvedFont> ResolveFont(const LOGFONT& lf);


// Lays out a run; each character advances by its rounded width plus `extra`.
std::vector<LaidGlyph> LayoutRun(ResolvedFont& f, std::string_view text, int extra);
int RunWidth(ResolvedFont& f, std::string_view text, int extra);
int CharWidth(ResolvedFont& f, char32_t c);

// Whether the face name asks for a CJK font.
bool IsCjkFaceName(std::string_view name);

}  // namespace win::gdi
