// A thumb drop to the middle of an SQLite table in the data grid (30 visible data rows,
// an ADO table): the grid's window gets the vertical bar's SB_THUMBPOSITION at the middle
// record, as the desktop sends it when a drag of the thumb ends, and moves there, showing
// the rows around it; against a plain program reading the same 30 rows with the SQLite C
// API, "SELECT ... LIMIT 30 OFFSET n" on a connection in the same mode. Each iteration
// opens both sides (not timed), then times the drop and the statement (prepared, run and
// every column of its rows read), alternating which goes first; the IDs and text lengths
// of the rows each side shows, summed, must agree. The grid's window is hidden, so the
// drop's data work remains (bench/grid_paint measures drawing).
//
// Tables of 100,000 and 1,000,000 rows: "index_bytes" is what the table holds for the order
// of its rows after the drop, which must not grow with the rows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BigTable.h"
#include "bench/Figures.h"
#include "bench/GridOverTable.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/data/Field.h"
#include "platform/desktop/Windows.h"

namespace {

constexpr int Screen = 30;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point Since) { return std::chrono::duration<double>(Clock::now() - Since).count(); }

struct TSideResult {
  double Seconds = 0;
  std::int64_t FirstShown = 0;  // the ID of the first row shown
  std::int64_t Checksum = 0;    // each row shown: its ID and the length of its text
  std::size_t IndexBytes = 0;
};

TSideResult GridSide(int Rows) {
  static bench_grid::GridUnit Unit;
  bench_grid::TGridOverTable Setup(bench_data::TablePath(Rows), Screen);
  Setup.Form->Hide();
  TDBGridGx* Grid = Setup.Grid;
  TADOTable* Table = Setup.Table;
  const win::HWND Window = Grid->Handle();
  // The thumb let go at the middle record: the bar tells that position while the
  // message is handled.
  const int Middle = Rows / 2 + 1;
  win::SCROLLINFO Info{};
  Info.fMask = win::SIF_POS;
  Info.nPos = Middle;
  const auto Start = Clock::now();
  win::SetScrollInfo(Window, win::SB_VERT, &Info, win::FALSE);
  Grid->Perform(win::WM_VSCROLL, win::MAKEWPARAM(win::SB_THUMBPOSITION, static_cast<win::WORD>(Middle)), 0);
  const double Took = Seconds(Start);
  if (Table->RecNo() != Middle || Table->FieldByName("ID")->AsInteger() != Middle)
    throw std::runtime_error("the drop landed on record " + std::to_string(Table->RecNo()));
  TSideResult Result{Took, 0, 0, Table->IndexMemory()};
  TGridDataLinkGx* Link = Grid->GridLink();
  if (Link->RecordCount() != Screen) throw std::runtime_error("the grid holds " + std::to_string(Link->RecordCount()) + " rows");
  for (int R = 0; R < Link->RecordCount(); ++R) {
    Link->SetActiveRecord(R);
    const std::int64_t Id = Table->FieldByName("ID")->AsInteger();
    if (R == 0) Result.FirstShown = Id;
    Result.Checksum += Id + static_cast<std::int64_t>(Table->FieldByName("Content")->AsString().size());
  }
  return Result;
}

// The rows from FirstShown with one statement.
TSideResult ReferenceSide(int Rows, std::int64_t FirstShown) {
  sqlite3* Db = nullptr;
  sqlite3_open_v2(bench_data::TablePath(Rows).c_str(), &Db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  TSideResult Result;
  const auto Start = Clock::now();
  sqlite3_stmt* St = nullptr;
  sqlite3_prepare_v2(Db, "SELECT ID, shift, KeyIndex, Content FROM TSet ORDER BY rowid LIMIT 30 OFFSET ?", -1, &St,
                     nullptr);
  sqlite3_bind_int64(St, 1, FirstShown - 1);
  std::int64_t Read = 0;
  while (sqlite3_step(St) == SQLITE_ROW) {
    const std::int64_t Id = sqlite3_column_int64(St, 0);
    if (!Result.FirstShown) Result.FirstShown = Id;
    Read += sqlite3_column_int64(St, 1) + sqlite3_column_int64(St, 2);
    const unsigned char* T = sqlite3_column_text(St, 3);
    Result.Checksum += Id + (T ? sqlite3_column_bytes(St, 3) : 0);
  }
  sqlite3_finalize(St);
  Result.Seconds = Seconds(Start);
  benchmark::DoNotOptimize(Read);
  sqlite3_close(Db);
  return Result;
}

void BM_GridThumbDrop(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  bench_figures::TComparison Times;
  std::size_t IndexBytes = 0;
  try {
    bench_data::TablePath(Rows);
    // Where the grid's page starts, for the statement.
    const std::int64_t FirstShown = GridSide(Rows).FirstShown;
    bool GridFirst = true;
    for (auto _ : State) {
      TSideResult G, R;
      for (int Side = 0; Side < 2; ++Side) {
        if ((Side == 0) == GridFirst) G = GridSide(Rows);
        else R = ReferenceSide(Rows, FirstShown);
      }
      GridFirst = !GridFirst;
      if (G.Checksum != R.Checksum || G.FirstShown != R.FirstShown)
        throw std::runtime_error("the sides showed different rows: from " + std::to_string(G.FirstShown) + " and " +
                                 std::to_string(R.FirstShown));
      Times.Add(G.Seconds, R.Seconds);
      IndexBytes = G.IndexBytes;
      State.SetIterationTime(G.Seconds);
    }
  } catch (const std::exception& E) {
    State.SkipWithError(E.what());
    return;
  }
  State.counters["index_bytes"] = static_cast<double>(IndexBytes);
  State.SetLabel(Times.Label("grid", "C API", "<= 2x"));
}
BENCHMARK(BM_GridThumbDrop)->Arg(100000)->Arg(bench_data::BigTableRows)->UseManualTime()->Iterations(9)->Unit(
    benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench_data::RunBenchmarks(argc, argv); }
