// A 1,000,000-row SQLite table shown in the data grid (30 visible data rows) through an
// ADO table: open it, Ctrl+End, Ctrl+Home, then 100 Page Down, each key going through the
// grid's own key handling (WM_KEYDOWN), against the SQLite C API reading the same pages
// (the first, the last, the first again, then 100 pages on from the top) with a statement
// per page, in the same process. Each iteration runs both sides, alternating which goes
// first, and times each from nothing open to the last page read. The grid repaints its
// rows as it scrolls (Painted); with its window hidden (Hidden) only the key handling and
// the data remain (bench/grid_paint measures drawing). "ratio" is the grid's time over the C API's;
// "index_bytes_per_row" is what the table holds for the order of its rows, per row.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BigTable.h"
#include "bench/Figures.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "platform/controls/Forms.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/desktop/Input.h"

namespace {

constexpr int Rows = bench_data::BigTableRows;
constexpr int Screen = 30;
constexpr int Pages = 100;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point Since) { return std::chrono::duration<double>(Clock::now() - Since).count(); }

std::size_t GIndexBytes = 0;

// The grid's side; returns the ID of the row the cursor ends on.
std::int64_t GridSide(bool Painted) {
  static bench_grid::GridUnit Unit;
  auto Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(0, 0, 640, 900);
  auto* Conn = new TADOConnection(Form.get());
  Conn->SetLoginPrompt(false);
  Conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + bench_data::BigTablePath());
  auto* Table = new TADOTable(Form.get());
  Table->SetConnection(Conn);
  Table->SetTableName("TSet");
  auto* Source = new TDataSource(Form.get());
  Source->SetDataSet(Table);
  auto* Grid = new TDBGridGx(Form.get());
  Grid->SetParent(Form.get());
  Grid->SetDataSource(Source);
  Table->Open();
  Form->Show();
  // The lowest height that shows 30 data rows.
  int Low = 50, High = 2000;
  while (Low < High) {
    const int Mid = (Low + High) / 2;
    Grid->SetBounds(0, 0, 600, Mid);
    if (Grid->VisibleDataRowCount() >= Screen) High = Mid;
    else Low = Mid + 1;
  }
  Grid->SetBounds(0, 0, 600, Low);
  if (Grid->VisibleDataRowCount() != Screen)
    throw std::runtime_error("the grid shows " + std::to_string(Grid->VisibleDataRowCount()) + " rows, not 30");
  Grid->SetFocus();
  // Hidden, the grid's window paints nothing: what remains is its key handling and data.
  if (!Painted) Form->Hide();
  auto Press = [&](win::WORD Key, bool Ctrl) {
    win::input::SetKeyDown(win::VK_CONTROL, Ctrl);
    Grid->Perform(win::WM_KEYDOWN, Key, 0);
    win::input::SetKeyDown(win::VK_CONTROL, false);
  };
  Press(win::VK_END, true);
  if (!Table->Eof() || Table->FieldByName("ID")->AsInteger() != Rows) throw std::runtime_error("Ctrl+End");
  Press(win::VK_HOME, true);
  for (int P = 0; P < Pages; ++P) Press(win::VK_NEXT, false);
  GIndexBytes = Table->IndexMemory();
  return Table->FieldByName("ID")->AsInteger();
}

// The same pages through the C API; returns the ID of the last row read.
std::int64_t ReferenceSide() {
  bench_data::TPageReader Reader(false);
  Reader.Forward(0, Screen);                            // opening: the first page
  Reader.Backward(INT64_MAX, Screen);                   // Ctrl+End
  std::int64_t After = Reader.Forward(0, Screen);       // Ctrl+Home
  // A page down from the last row shown.
  for (int P = 0; P < Pages; ++P) After = Reader.Forward(After, Screen);
  benchmark::DoNotOptimize(Reader.Checksum());
  return After;
}

void PageDown(benchmark::State& State, bool Painted) {
  bench_data::BigTablePath();
  std::vector<double> GridMs, ReferenceMs, Ratios;
  bool GridFirst = true;
  try {
    for (auto _ : State) {
      double G = 0, R = 0;
      std::int64_t GridRow = 0, ReferenceRow = 0;
      for (int Side = 0; Side < 2; ++Side) {
        const auto Start = Clock::now();
        if ((Side == 0) == GridFirst) {
          GridRow = GridSide(Painted);
          G = Seconds(Start);
        } else {
          ReferenceRow = ReferenceSide();
          R = Seconds(Start);
        }
      }
      GridFirst = !GridFirst;
      // Page Down from the first row moves a page of rows; the reference reads a page past
      // the last row shown, so both end on the same row.
      if (GridRow != 1 + Pages * Screen || ReferenceRow != (Pages + 1) * Screen)
        throw std::runtime_error("the sides ended on rows " + std::to_string(GridRow) + " and " +
                                 std::to_string(ReferenceRow));
      GridMs.push_back(G * 1000);
      ReferenceMs.push_back(R * 1000);
      Ratios.push_back(G / R);
      State.SetIterationTime(G);
    }
  } catch (const std::exception& E) {
    State.SkipWithError(E.what());
    return;
  }
  State.counters["index_bytes_per_row"] = static_cast<double>(GIndexBytes) / Rows;
  State.SetLabel("grid " + bench_figures::MinMedianMax(GridMs, "%.2f/%.2f/%.2f ms") + ", C API " +
                 bench_figures::MinMedianMax(ReferenceMs, "%.2f/%.2f/%.2f ms") + ", ratio " +
                 bench_figures::MinMedianMax(Ratios, "%.2f/%.2f/%.2f") + " (goal <= 3x)");
}
void BM_GridPageDownPainted(benchmark::State& State) { PageDown(State, true); }
void BM_GridPageDownHidden(benchmark::State& State) { PageDown(State, false); }
BENCHMARK(BM_GridPageDownPainted)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridPageDownHidden)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  bench_data::RemoveBigTable();
  return 0;
}
