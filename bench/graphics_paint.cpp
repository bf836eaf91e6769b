// A 1920 x 1080 page of 50 x 10 text cells with fills and grid lines, painted through
// TCanvas (fonts mapped, text measured and clipped per cell) against the same drawing
// made directly with cairo in the same run. The "ratio" counter of the canvas run is
// its time over the reference's.
#include <benchmark/benchmark.h>
#include <cairo/cairo.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"

namespace {

constexpr int PageW = 1920, PageH = 1080, Rows = 50, Cols = 10;
constexpr int CellW = PageW / Cols, CellH = PageH / Rows;

std::vector<std::string> CellTexts() {
  std::vector<std::string> t;
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) t.push_back("Row " + std::to_string(r) + " col " + std::to_string(c) + " 片段");
  return t;
}

double ReferenceSeconds = 0;

void PaintCairo(cairo_t* cr, const std::vector<std::string>& texts) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 11);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      int x = c * CellW, y = r * CellH;
      cairo_rectangle(cr, x, y, CellW, CellH);
      if (r % 2) cairo_set_source_rgb(cr, 1, 1, 1);
      else cairo_set_source_rgb(cr, 1.0, 0.98, 0.94);
      cairo_fill(cr);
      cairo_save(cr);
      cairo_rectangle(cr, x, y, CellW, CellH);
      cairo_clip(cr);
      cairo_set_source_rgb(cr, 0, 0, 0);
      cairo_move_to(cr, x + 2, y + 2 + 10);
      cairo_show_text(cr, texts[size_t(r) * Cols + c].c_str());
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

void BM_CairoDirect(benchmark::State& state) {
  auto texts = CellTexts();
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, PageW, PageH);
  cairo_t* cr = cairo_create(s);
  double seconds = 0;
  long runs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    PaintCairo(cr, texts);
    cairo_surface_flush(s);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++runs;
  }
  ReferenceSeconds = seconds / double(runs);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
}
BENCHMARK(BM_CairoDirect)->Unit(benchmark::kMillisecond);

void BM_CanvasPaint(benchmark::State& state) {
  auto texts = CellTexts();
  TBitmap page;
  page.SetSize(PageW, PageH);
  PaintCanvas(page.Canvas(), texts);  // fonts resolved once, as in a running program
  double seconds = 0;
  long runs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    PaintCanvas(page.Canvas(), texts);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++runs;
  }
  if (ReferenceSeconds > 0) state.counters["ratio"] = seconds / double(runs) / ReferenceSeconds;
}
BENCHMARK(BM_CanvasPaint)->Unit(benchmark::kMillisecond);

}  // namespace
