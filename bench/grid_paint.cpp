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

#include "bench/CairoGridPage.h"
#include "bench/Figures.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGx/SharedResources.h"
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
bench_grid::TCairoGridPage ReferenceLayout() {
  bench_grid::TCairoGridPage P;
  const int cols = TextCols + CheckCols, colW = (PageW - 12) / cols;
  for (int C = 0; C < cols; ++C) {
    P.ColLefts.push_back(12 + C * colW);
    P.ColWidths.push_back(colW);
    P.ColKinds.push_back(C < TextCols ? bench_grid::TCairoCellKind::Text : bench_grid::TCairoCellKind::CheckBox);
  }
  for (int R = 0; R <= Rows; ++R) {
    P.RowTops.push_back(R * (RowH + 1));
    P.RowHeights.push_back(RowH);
  }
  P.LastRow = Rows;
  P.PaintWhole = true;
  bench_grid::TCairoLines L{{0.75, 0.75, 0.75}, {}};
  for (int C = 0; C <= cols; ++C) L.Segments.push_back({12 + C * colW - 0.5, 0, 12 + C * colW - 0.5, PageH});
  for (int R = 0; R <= Rows; ++R) {
    const double Y = R * (RowH + 1) + RowH + 0.5;
    L.Segments.push_back({0, Y, PageW, Y});
  }
  P.Lines.push_back(L);
  return P;
}

void ReferencePage(cairo_surface_t* Surface, const bench_grid::TCairoGridPage& Layout) {
  bench_grid::DrawCairoGridPage(
      Surface, Layout, [](int R, int C) { return R == 0 ? "T" + std::to_string(C) : CellText(R - 1, C); },
      [](int R, int C) { return (R - 1 + C - TextCols) % 2 == 0; });
}

void BM_GridPage(benchmark::State& State) {
  GridPage Page;
  cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, PageW, PageH);
  const bench_grid::TCairoGridPage Layout = ReferenceLayout();
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
      ReferencePage(Surface, Layout);
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
