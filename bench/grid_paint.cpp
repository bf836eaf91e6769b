// A full 1920 x 1080 page of the data grid (titles, the indicator, 50 rows x 10 columns:
// eight text columns and two check-box columns, with grid lines) painted through the grid,
// against raw cairo drawing the same texts, boxes and lines on an image of the same size.
// The grid draws into its window's cairo image surface (RGB24, as the reference's image)
// with recording off: what a user's paint costs. Each iteration runs both sides,
// alternating which goes first. "ratio" is the grid's time over the reference's; the
// figures of every run print as min / median / max.
#include <benchmark/benchmark.h>
#include <cairo/cairo.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/Figures.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGx/UnitResources.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/desktop/Headless.h"

namespace {

constexpr int PageW = 1920, PageH = 1080, Rows = 50, TextCols = 8, CheckCols = 2;
constexpr int RowH = 20;

std::string CellText(int Row, int Col) { return "Row " + std::to_string(Row) + " col " + std::to_string(Col); }

struct GridPage {
  bench_grid::GridUnit Unit;
  TForm* Form = new TForm(nullptr);
  TDBGridGx* Grid = nullptr;
  GridPage() {
    Form->SetBounds(0, 0, PageW + 40, PageH + 80);
    auto* DataSet = new TClientDataSet(Form);
    for (int C = 0; C < TextCols; ++C) DataSet->FieldDefs().Add("T" + std::to_string(C), ftString, 30);
    for (int C = 0; C < CheckCols; ++C) DataSet->FieldDefs().Add("B" + std::to_string(C), ftBoolean, 0);
    DataSet->CreateDataSet();
    for (int R = 0; R < Rows; ++R) {
      DataSet->Append();
      for (int C = 0; C < TextCols; ++C) DataSet->Fields()[C]->SetAsString(CellText(R, C));
      for (int C = 0; C < CheckCols; ++C) DataSet->Fields()[TextCols + C]->SetAsBoolean((R + C) % 2 == 0);
      DataSet->Post();
    }
    DataSet->First();
    auto* Source = new TDataSource(Form);
    Source->SetDataSet(DataSet);
    Grid = new TDBGridGx(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, PageW, PageH);
    Grid->SetDataSource(Source);
    Grid->SetRowHeight(RowH);
    Form->Show();
    win::headless::ProcessMessages();
  }
  ~GridPage() { delete Form; }
  void Paint() {
    win::InvalidateRect(Grid->Handle(), nullptr, win::FALSE);
    win::UpdateWindow(Grid->Handle());
  }
};

// The same page drawn with cairo: fills, texts, check-box frames and lines.
void ReferencePage(cairo_surface_t* Surface) {
  cairo_t* cr = cairo_create(Surface);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 11);
  const int cols = TextCols + CheckCols, colW = (PageW - 12) / cols;
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  for (int R = 0; R <= Rows; ++R) {
    for (int C = 0; C < cols; ++C) {
      const double x = 12 + C * colW, y = R * (RowH + 1);
      cairo_set_source_rgb(cr, R == 0 ? 0.83 : 1, R == 0 ? 0.82 : 1, R == 0 ? 0.78 : 1);
      cairo_rectangle(cr, x, y, colW, RowH);
      cairo_fill(cr);
      cairo_set_source_rgb(cr, 0, 0, 0);
      if (R == 0 || C < TextCols) {
        const std::string t = R == 0 ? "T" + std::to_string(C) : CellText(R - 1, C);
        cairo_move_to(cr, x + 2, y + 14);
        cairo_show_text(cr, t.c_str());
      } else {
        cairo_rectangle(cr, x + colW / 2 - 6.5, y + 3.5, 13, 13);
        cairo_stroke(cr);
        if ((R - 1 + C - TextCols) % 2 == 0) {
          cairo_move_to(cr, x + colW / 2 - 4, y + 10);
          cairo_line_to(cr, x + colW / 2 - 1, y + 13);
          cairo_line_to(cr, x + colW / 2 + 4, y + 6);
          cairo_stroke(cr);
        }
      }
    }
  }
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgb(cr, 0.75, 0.75, 0.75);
  for (int C = 0; C <= cols; ++C) {
    cairo_move_to(cr, 12 + C * colW - 0.5, 0);
    cairo_line_to(cr, 12 + C * colW - 0.5, PageH);
  }
  for (int R = 0; R <= Rows; ++R) {
    cairo_move_to(cr, 0, R * (RowH + 1) + RowH + 0.5);
    cairo_line_to(cr, PageW, R * (RowH + 1) + RowH + 0.5);
  }
  cairo_stroke(cr);
  cairo_destroy(cr);
  cairo_surface_flush(Surface);
}

void BM_GridPage(benchmark::State& State) {
  GridPage Page;
  cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, PageW, PageH);
  using Clock = std::chrono::steady_clock;
  std::vector<double> gridMs, refMs;
  bool gridFirst = true;
  for (auto _ : State) {
    auto timeGrid = [&] {
      const auto t0 = Clock::now();
      Page.Paint();
      gridMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    };
    auto timeRef = [&] {
      const auto t0 = Clock::now();
      ReferencePage(Surface);
      refMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    };
    if (gridFirst) {
      timeGrid();
      timeRef();
    } else {
      timeRef();
      timeGrid();
    }
    gridFirst = !gridFirst;
  }
  cairo_surface_destroy(Surface);
  double g = 0, r = 0;
  for (double v : gridMs) g += v;
  for (double v : refMs) r += v;
  State.counters["grid_ms"] = g / gridMs.size();
  State.counters["cairo_ms"] = r / refMs.size();
  State.counters["ratio"] = r > 0 ? g / r : 0;
  std::printf("grid %s, cairo %s\n", bench_figures::MinMedianMax(gridMs, "%.2f / %.2f / %.2f ms").c_str(),
              bench_figures::MinMedianMax(refMs, "%.2f / %.2f / %.2f ms").c_str());
}

}  // namespace

BENCHMARK(BM_GridPage)->Unit(benchmark::kMillisecond)->MinTime(2);
