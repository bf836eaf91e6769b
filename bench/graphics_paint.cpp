// A 1920 x 1080 page of 50 x 10 text cells with fills and grid lines, painted through
// TCanvas (fonts mapped, text measured and clipped per cell) against the same drawing
// made directly with cairo, interleaved in the same run. Both draw the same glyphs from
// the same font files: Latin letters from DejaVu Sans and the Chinese ones from
// WenQuanYi Micro Hei, where the reference switches fonts per run of characters as any
// renderer with a fallback font must. "ratio" is the canvas's time over the reference's;
// "differing_pixels" is the share of pixels whose colour differs by more than a quarter
// between the two pages (a few percent: the canvas puts glyphs on whole pixels, the
// reference on fractions). With VANTREL_BENCH_PNG set to a directory both pages are
// written there as PNG files, to be compared by eye.
#include <benchmark/benchmark.h>
#include <cairo/cairo-ft.h>
#include <cairo/cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <chrono>
#include <cstdint>
#include <memory>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Utf8.h"

namespace {

constexpr int PageW = 1920, PageH = 1080, Rows = 50, Cols = 10;
constexpr int CellW = PageW / Cols, CellH = PageH / Rows;

std::vector<std::string> CellTexts() {
  std::vector<std::string> t;
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) t.push_back("Row " + std::to_string(r) + " col " + std::to_string(c) + " 片段");
  return t;
}

// The file of an installed family, as fontconfig finds it.
std::pair<std::string, int> FontFile(const char* family) {
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult res;
  FcPattern* match = FcFontMatch(nullptr, pat, &res);
  std::pair<std::string, int> out{"", 0};
  FcChar8* file = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    out.first = reinterpret_cast<char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &out.second);
  }
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pat);
  if (out.first.empty()) throw std::runtime_error(std::string("font not installed: ") + family);
  return out;
}

// A face at 11 pixels to the em, unhinted with grey antialiasing (as the canvas draws).
struct TReferenceFont {
  FT_Face Face = nullptr;
  cairo_font_face_t* CairoFace = nullptr;
  cairo_scaled_font_t* Scaled = nullptr;
  TReferenceFont(FT_Library lib, const char* family) {
    auto [path, index] = FontFile(family);
    if (FT_New_Face(lib, path.c_str(), index, &Face) != 0) throw std::runtime_error("cannot load " + path);
    CairoFace = cairo_ft_font_face_create_for_ft_face(Face, 0);
    cairo_matrix_t fm, ctm;
    cairo_matrix_init_scale(&fm, 11, 11);
    cairo_matrix_init_identity(&ctm);
    cairo_font_options_t* opt = cairo_font_options_create();
    cairo_font_options_set_hint_style(opt, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(opt, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(opt, CAIRO_ANTIALIAS_GRAY);
    Scaled = cairo_scaled_font_create(CairoFace, &fm, &ctm, opt);
    cairo_font_options_destroy(opt);
  }
  ~TReferenceFont() {
    cairo_scaled_font_destroy(Scaled);
    cairo_font_face_destroy(CairoFace);
    FT_Done_Face(Face);
  }
};

struct TReferenceFonts {
  FT_Library Lib = nullptr;
  std::unique_ptr<TReferenceFont> Latin, Chinese;
  TReferenceFonts() {
    FT_Init_FreeType(&Lib);
    Latin = std::make_unique<TReferenceFont>(Lib, "DejaVu Sans");
    Chinese = std::make_unique<TReferenceFont>(Lib, "WenQuanYi Micro Hei");
  }
  ~TReferenceFonts() {
    Latin.reset();
    Chinese.reset();
    FT_Done_FreeType(Lib);
  }
};

// Shows text at the current point, each run of characters in the first font that has them.
void ShowWithFallback(cairo_t* cr, const TReferenceFonts& fonts, const std::string& text) {
  std::size_t start = 0;
  const TReferenceFont* runFont = nullptr;
  auto flush = [&](std::size_t end) {
    if (!runFont || end == start) return;
    cairo_set_scaled_font(cr, runFont->Scaled);
    const std::string run = text.substr(start, end - start);
    cairo_show_text(cr, run.c_str());
  };
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t at = i;
    const char32_t c = Utf8DecodeNext(text, i);
    const TReferenceFont* f = FT_Get_Char_Index(fonts.Latin->Face, c) || !FT_Get_Char_Index(fonts.Chinese->Face, c)
                                  ? fonts.Latin.get()
                                  : fonts.Chinese.get();
    if (f != runFont) {
      flush(at);
      start = at;
      runFont = f;
    }
  }
  flush(text.size());
}

void PaintCairo(cairo_t* cr, const TReferenceFonts& fonts, const std::vector<std::string>& texts) {
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      int x = c * CellW, y = r * CellH;
      cairo_rectangle(cr, x, y, CellW, CellH);
      if (r % 2) cairo_set_source_rgb(cr, 1, 1, 1);
      else cairo_set_source_rgb(cr, 1.0, 0xFB / 255.0, 0xF0 / 255.0);
      cairo_fill(cr);
      cairo_save(cr);
      cairo_rectangle(cr, x, y, CellW, CellH);
      cairo_clip(cr);
      cairo_set_source_rgb(cr, 0, 0, 0);
      cairo_move_to(cr, x + 2, y + 2 + 10);
      ShowWithFallback(cr, fonts, texts[size_t(r) * Cols + c]);
      cairo_restore(cr);
    }
  cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
  cairo_set_line_width(cr, 1);
  for (int r = 0; r <= Rows; ++r) {
    cairo_move_to(cr, 0, r * CellH + 0.5);
    cairo_line_to(cr, PageW, r * CellH + 0.5);
  }
  for (int c = 0; c <= Cols; ++c) {
    cairo_move_to(cr, c * CellW + 0.5, 0);
    cairo_line_to(cr, c * CellW + 0.5, PageH);
  }
  cairo_stroke(cr);
}

void PaintCanvas(TCanvas* cv, const std::vector<std::string>& texts) {
  cv->Font()->SetName("MS Sans Serif");
  cv->Font()->SetHeight(-11);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      int x = c * CellW, y = r * CellH;
      cv->Brush()->SetColor(r % 2 ? clWhite : clCream);
      cv->TextRect(Bounds(x, y, CellW, CellH), x + 2, y + 2, texts[size_t(r) * Cols + c]);
    }
  cv->Pen()->SetColor(clGray);
  for (int r = 0; r <= Rows; ++r) {
    cv->MoveTo(0, r * CellH);
    cv->LineTo(PageW, r * CellH);
  }
  for (int c = 0; c <= Cols; ++c) {
    cv->MoveTo(c * CellW, 0);
    cv->LineTo(c * CellW, PageH);
  }
}

// The share of pixels whose red, green or blue differs by more than a quarter.
double DifferingPixels(const win::PixelImage& page, cairo_surface_t* reference) {
  cairo_surface_flush(reference);
  const unsigned char* data = cairo_image_surface_get_data(reference);
  const int stride = cairo_image_surface_get_stride(reference);
  if (page.width != PageW || page.height != PageH) return 1;
  std::size_t differ = 0;
  for (int y = 0; y < PageH; ++y)
    for (int x = 0; x < PageW; ++x) {
      const std::uint32_t a = page.pixels[std::size_t(y) * PageW + x] & 0xFFFFFF;
      const std::uint32_t b = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride)[x] & 0xFFFFFF;
      for (int shift = 0; shift < 24; shift += 8) {
        const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (d > 64 || d < -64) {
          ++differ;
          break;
        }
      }
    }
  return double(differ) / double(page.pixels.size());
}

void WritePng(const win::PixelImage& page, const std::string& path) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, page.width, page.height);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      reinterpret_cast<std::uint32_t*>(data + std::size_t(y) * stride)[x] = page.pixels[std::size_t(y) * page.width + x];
  cairo_surface_mark_dirty(s);
  cairo_surface_write_to_png(s, path.c_str());
  cairo_surface_destroy(s);
}

// Each iteration paints the page both ways, alternating which goes first, and times each.
void BM_PaintPage(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  auto texts = CellTexts();
  TReferenceFonts fonts;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, PageW, PageH);
  cairo_t* cr = cairo_create(surface);
  TBitmap page;
  page.SetSize(PageW, PageH);
  // Fonts resolved and glyphs cached once on both sides, as in a running program.
  PaintCanvas(page.Canvas(), texts);
  PaintCairo(cr, fonts, texts);
  double canvasSeconds = 0, referenceSeconds = 0;
  bool canvasFirst = false;
  for (auto _ : state) {
    for (int side = 0; side < 2; ++side) {
      const auto start = Clock::now();
      if ((side == 0) == canvasFirst) {
        PaintCanvas(page.Canvas(), texts);
        canvasSeconds += std::chrono::duration<double>(Clock::now() - start).count();
      } else {
        PaintCairo(cr, fonts, texts);
        cairo_surface_flush(surface);
        referenceSeconds += std::chrono::duration<double>(Clock::now() - start).count();
      }
    }
    canvasFirst = !canvasFirst;
  }
  const double runs = double(state.iterations());
  state.counters["canvas_ms"] = canvasSeconds / runs * 1000;
  state.counters["reference_ms"] = referenceSeconds / runs * 1000;
  state.counters["ratio"] = canvasSeconds / referenceSeconds;
  const win::PixelImage image = win::GetBitmapImage(page.Handle());
  state.counters["differing_pixels"] = DifferingPixels(image, surface);
  if (const char* dir = std::getenv("VANTREL_BENCH_PNG")) {
    WritePng(image, std::string(dir) + "/graphics_paint_canvas.png");
    cairo_surface_write_to_png(surface, (std::string(dir) + "/graphics_paint_reference.png").c_str());
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}
BENCHMARK(BM_PaintPage)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
