#include "platform/graphics/gdi/FontEngine.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Utf8.h"

namespace win::gdi {

struct FaceFile {
  FT_Face face = nullptr;
  cairo_font_face_t* cairoFace = nullptr;
  int upem = 2048, winAscent = 0, winDescent = 0, lineGap = 0, avgWidth = 0, maxWidth = 0;
  int underlinePos = 0, underlineSize = 0, strikePos = 0, strikeSize = 0;
  bool fixedPitch = false;
};

namespace {

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) throw EOutOfResources("Cannot initialise the font library");
    return l;
  }();
  return lib;
}

enum class Family { Sans, Mono, Serif, Cjk };

// Finds the file of an installed face through fontconfig; the known package paths first.
std::pair<std::string, int> LocateFace(Family fam, bool bold, bool italic) {
  static const char* dir = "/usr/share/fonts/truetype/dejavu/";
  std::string file;
  switch (fam) {
    case Family::Sans: file = bold ? (italic ? "DejaVuSans-BoldOblique.ttf" : "DejaVuSans-Bold.ttf")
                                   : (italic ? "DejaVuSans-Oblique.ttf" : "DejaVuSans.ttf"); break;
    case Family::Mono: file = bold ? (italic ? "DejaVuSansMono-BoldOblique.ttf" : "DejaVuSansMono-Bold.ttf")
                                   : (italic ? "DejaVuSansMono-Oblique.ttf" : "DejaVuSansMono.ttf"); break;
    case Family::Serif: file = bold ? (italic ? "DejaVuSerif-BoldItalic.ttf" : "DejaVuSerif-Bold.ttf")
                                    : (italic ? "DejaVuSerif-Italic.ttf" : "DejaVuSerif.ttf"); break;
    case Family::Cjk: break;
  }
  std::string path = fam == Family::Cjk ? "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc" : dir + file;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fclose(f);
    return {path, 0};
  }
  // Elsewhere on this machine: ask fontconfig for the same family.
  const char* family = fam == Family::Cjk ? "WenQuanYi Micro Hei"
                       : fam == Family::Mono ? "DejaVu Sans Mono"
                       : fam == Family::Serif ? "DejaVu Serif" : "DejaVu Sans";
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  if (fam != Family::Cjk) {
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_OBLIQUE : FC_SLANT_ROMAN);
  }
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult res;
  FcPattern* match = FcFontMatch(nullptr, pat, &res);
  std::pair<std::string, int> out{"", 0};
  if (match) {
    FcChar8* f = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &f) == FcResultMatch) out.first = reinterpret_cast<char*>(f);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) out.second = index;
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pat);
  if (out.first.empty()) throw EOutOfResources(std::string("Font not installed: ") + family);
  return out;
}

FaceFile* LoadFace(Family fam, bool bold, bool italic, bool synthBold, bool synthItalic) {
  static std::map<std::tuple<int, bool, bool, bool, bool>, std::unique_ptr<FaceFile>> faces;
  auto key = std::make_tuple(int(fam), bold, italic, synthBold, synthItalic);
  auto it = faces.find(key);
  if (it != faces.end()) return it->second.get();
  auto [path, index] = LocateFace(fam, bold, italic);
  auto ff = std::make_unique<FaceFile>();
  if (FT_New_Face(Library(), path.c_str(), index, &ff->face) != 0)
    throw EOutOfResources("Cannot load font file " + path);
  FT_Face face = ff->face;
  ff->upem = face->units_per_EM ? face->units_per_EM : 2048;
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    ff->winAscent = os2->usWinAscent;
    ff->winDescent = os2->usWinDescent;
    ff->avgWidth = os2->xAvgCharWidth;
    ff->strikePos = os2->yStrikeoutPosition;
    ff->strikeSize = os2->yStrikeoutSize;
  } else {
    ff->winAscent = face->ascender;
    ff->winDescent = -face->descender;
    ff->avgWidth = face->max_advance_width / 2;
    ff->strikePos = ff->winAscent / 3;
    ff->strikeSize = ff->upem / 20;
  }
  if (hhea) {
    int hheaHeight = hhea->Ascender - hhea->Descender;
    ff->lineGap = std::max(0, hhea->Line_Gap - ((ff->winAscent + ff->winDescent) - hheaHeight));
  }
  ff->maxWidth = face->bbox.xMax - face->bbox.xMin;
  if (post) {
    ff->underlinePos = post->underlinePosition;
    ff->underlineSize = post->underlineThickness;
    ff->fixedPitch = post->isFixedPitch != 0;
  }
  if (ff->underlineSize <= 0) ff->underlineSize = ff->upem / 20;
  ff->cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
  unsigned synth = (synthBold ? CAIRO_FT_SYNTHESIZE_BOLD : 0) | (synthItalic ? CAIRO_FT_SYNTHESIZE_OBLIQUE : 0);
  if (synth) cairo_ft_font_face_set_synthesize(ff->cairoFace, synth);
  FaceFile* raw = ff.get();
  faces.emplace(key, std::move(ff));
  return raw;
}

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = char(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

Family FamilyFor(const LOGFONT& lf) {
  std::string name = Lower(lf.lfFaceName);
  if (IsCjkFaceName(name)) return Family::Cjk;
  static const char* mono[] = {"courier new", "courier", "fixedsys", "terminal", "lucida console",
                               "consolas", "dejavu sans mono", "monospace"};
  for (const char* m : mono)
    if (name == m) return Family::Mono;
  static const char* serif[] = {"times new roman", "times", "georgia", "dejavu serif", "serif"};
  for (const char* m : serif)
    if (name == m) return Family::Serif;
  if (name.empty() && (lf.lfPitchAndFamily & 0x3) == FIXED_PITCH) return Family::Mono;
  if (name.empty() && (lf.lfCharSet == GB2312_CHARSET || lf.lfCharSet == CHINESEBIG5_CHARSET))
    return Family::Cjk;
  return Family::Sans;
}

cairo_scaled_font_t* MakeScaled(FaceFile* ff, double em, double scaleX) {
  cairo_matrix_t fm, ctm;
  cairo_matrix_init_scale(&fm, em * scaleX, em);
  cairo_matrix_init_identity(&ctm);
  cairo_font_options_t* opt = cairo_font_options_create();
  cairo_font_options_set_hint_style(opt, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(opt, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(opt, CAIRO_ANTIALIAS_GRAY);
  cairo_scaled_font_t* sf = cairo_scaled_font_create(ff->cairoFace, &fm, &ctm, opt);
  cairo_font_options_destroy(opt);
  return sf;
}

}  // namespace

bool IsCjkFaceName(std::string_view name) {
  std::string n = Lower(name);
  for (unsigned char c : n)
    if (c >= 0x80) return true;  // a name written in CJK characters
  static const char* cjk[] = {"simsun", "nsimsun", "simhei", "kaiti", "kaiti_gb2312", "fangsong",
                              "fangsong_gb2312", "microsoft yahei", "mingliu", "pmingliu",
                              "ms gothic", "ms mincho", "gulim", "batang", "wenquanyi micro hei"};
  for (const char* c : cjk)
    if (n == c) return true;
  return false;
}

ResolvedFont::~ResolvedFont() {
  for (auto* s : scaled)
    if (s) cairo_scaled_font_destroy(s);
}

std::shared_ptr<ResolvedFont> ResolveFont(const LOGFONT& lfIn) {
  static std::map<std::string, std::shared_ptr<ResolvedFont>> cache;
  LOGFONT lf = lfIn;
  lf.lfFaceName[LF_FACESIZE - 1] = 0;
  size_t n = std::strlen(lf.lfFaceName);
  std::memset(lf.lfFaceName + n, 0, LF_FACESIZE - n);
  // The font asked for last is usually asked for again.
  static LOGFONT lastLf;
  static std::shared_ptr<ResolvedFont> last;
  if (last && std::memcmp(&lastLf, &lf, sizeof lf) == 0) return last;
  std::string key(reinterpret_cast<const char*>(&lf), sizeof lf);
  if (auto it = cache.find(key); it != cache.end()) {
    lastLf = lf;
    last = it->second;
    return last;
  }
  auto rf = std::make_shared<ResolvedFont>();
  rf->lf = lf;
  bool bold = lf.lfWeight >= 600;
  bool italic = lf.lfItalic != 0;
  Family fam = FamilyFor(lf);
  if (fam == Family::Cjk) {
    rf->faces[0] = LoadFace(Family::Cjk, false, false, bold, italic);
    rf->faces[1] = LoadFace(Family::Sans, bold, italic, false, false);
  } else {
    rf->faces[0] = LoadFace(fam, bold, italic, false, false);
    rf->faces[1] = LoadFace(Family::Cjk, false, false, bold, italic);
  }
  FaceFile* p = rf->faces[0];
  double cell = double(p->winAscent + p->winDescent) / p->upem;  // cell height per em
  int h = lf.lfHeight;
  if (h < 0) rf->em = -h;
  else if (h > 0) rf->em = h / cell;
  else rf->em = 12;
  if (rf->em > 4000) rf->em = 4000;  // absurd sizes are capped, not crashed on
  double unit = rf->em / p->upem;
  int naturalAvg = std::max(1, int(std::lround(p->avgWidth * unit)));
  if (lf.lfWidth != 0) rf->scaleX = std::clamp(std::abs(double(lf.lfWidth)) / naturalAvg, 0.05, 20.0);
  TEXTMETRIC& tm = rf->tm;
  tm.tmAscent = LONG(std::lround(p->winAscent * unit));
  tm.tmDescent = LONG(std::lround(p->winDescent * unit));
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - LONG(std::lround(rf->em)));
  tm.tmExternalLeading = LONG(std::lround(p->lineGap * unit));
  tm.tmAveCharWidth = lf.lfWidth != 0 ? std::abs(lf.lfWidth) : naturalAvg;
  tm.tmMaxCharWidth = LONG(std::lround(p->maxWidth * unit * rf->scaleX));
  tm.tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  tm.tmOverhang = 0;
  tm.tmItalic = italic;
  tm.tmUnderlined = lf.lfUnderline;
  tm.tmStruckOut = lf.lfStrikeOut;
  tm.tmCharSet = lf.lfCharSet;
  // TMPF_FIXED_PITCH set means a variable-pitch font.
  bool fixed = p->fixedPitch;
  tm.tmPitchAndFamily = BYTE((fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE |
                             (fam == Family::Mono ? FF_MODERN : fam == Family::Serif ? FF_ROMAN : FF_SWISS));
  OUTLINETEXTMETRIC& otm = rf->otm;
  otm.otmTextMetrics = tm;
  otm.otmEMSquare = p->upem;
  otm.otmAscent = tm.tmAscent;
  otm.otmDescent = -tm.tmDescent;
  otm.otmLineGap = tm.tmExternalLeading;
  if (italic) {
    // Oblique faces lean by about 11 degrees.
    otm.otmsCharSlopeRise = 1000;
    otm.otmsCharSlopeRun = 194;
    otm.otmItalicAngle = -110;
  }
  rf->underlinePos = -p->underlinePos * unit;
  rf->underlineSize = std::max(1.0, std::round(p->underlineSize * unit));
  rf->strikePos = p->strikePos * unit;
  otm.otmsUnderscorePosition = int(std::lround(p->underlinePos * unit));
  otm.otmsUnderscoreSize = int(rf->underlineSize);
  otm.otmsStrikeoutPosition = int(std::lround(rf->strikePos));
  otm.otmsStrikeoutSize = std::max(1, int(std::lround(p->strikeSize * unit)));
  for (int i = 0; i < 2; ++i) rf->scaled[i] = MakeScaled(rf->faces[i], rf->em, rf->scaleX);
  cache[key] = rf;
  return rf;
}

namespace {
std::pair<int, unsigned> GlyphFor(ResolvedFont& f, char32_t c) {
  if (c < 256 && f.latinKnown[c]) return f.latin[c];
  if (c >= 256) {
    auto it = f.glyphCache.find(c);
    if (it != f.glyphCache.end()) return it->second;
  }
  std::pair<int, unsigned> g{0, 0};
  if (unsigned gi = FT_Get_Char_Index(f.faces[0]->face, c)) g = {0, gi};
  else if (unsigned gi2 = FT_Get_Char_Index(f.faces[1]->face, c)) g = {1, gi2};
  if (c < 256) {
    f.latin[c] = g;
    f.latinKnown[c] = true;
  } else {
    f.glyphCache.emplace(c, g);
  }
  return g;
}

int AdvanceOf(ResolvedFont& f, std::pair<int, unsigned> g) {
  constexpr unsigned block = ResolvedFont::AdvanceBlock;
  std::vector<std::unique_ptr<int[]>>& blocks = f.advances[g.first];
  FaceFile* ff = f.faces[g.first];
  const size_t glyphs = size_t(std::max<long>(1, ff->face->num_glyphs));
  if (blocks.empty()) blocks.resize((glyphs + block - 1) / block);
  int* known = nullptr;
  if (g.second < glyphs) {
    std::unique_ptr<int[]>& b = blocks[g.second / block];
    if (!b) {
      b = std::make_unique<int[]>(block);
      std::fill_n(b.get(), block, -1);
    }
    known = &b[g.second % block];
    if (*known >= 0) return *known;
  }
  FT_Fixed adv = 0;
  FT_Get_Advance(ff->face, g.second, FT_LOAD_NO_SCALE, &adv);
  int px = int(std::lround(double(adv) * f.em / ff->upem * f.scaleX));
  if (known) *known = px;
  return px;
}
}  // namespace

int CharWidth(ResolvedFont& f, char32_t c) { return AdvanceOf(f, GlyphFor(f, c)); }

std::vector<LaidGlyph> LayoutRun(ResolvedFont& f, std::string_view text, int extra) {
  std::vector<LaidGlyph> out;
  out.reserve(text.size());
  int x = 0;
  for (size_t i = 0; i < text.size();) {
    size_t at = i;
    char32_t c = Utf8DecodeNext(text, i);
    auto g = GlyphFor(f, c);
    int adv = AdvanceOf(f, g) + extra;
    out.push_back(LaidGlyph{g.first, g.second, x, adv, at});
    x += adv;
  }
  return out;
}

int RunWidth(ResolvedFont& f, std::string_view text, int extra) {
  int x = 0;
  for (size_t i = 0; i < text.size();) x += AdvanceOf(f, GlyphFor(f, Utf8DecodeNext(text, i))) + extra;
  return x;
}

}  // namespace win::gdi

namespace win {

std::vector<std::string> InstalledFontFamilies() {
  std::vector<std::string> out;
  // A configuration of our own, freed after use (the shared one is never freed).
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return out;
  if (FcFontSet* fs = FcConfigGetFonts(config, FcSetSystem)) {
    for (int i = 0; i < fs->nfont; ++i) {
      FcChar8* family = nullptr;
      // A face may list its family under several names; the first is its own.
      if (FcPatternGetString(fs->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch && family)
        out.emplace_back(reinterpret_cast<const char*>(family));
    }
  }
  FcConfigDestroy(config);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

}  // namespace win
