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
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/Figures.h"
#include "grid/DBGridGx.h"
#include "platform/controls/Forms.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/desktop/Input.h"
#include "resources/artwork/Artwork.h"

namespace {

constexpr int Rows = 1000000;
constexpr int Screen = 30;
constexpr int Pages = 100;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point Since) { return std::chrono::duration<double>(Clock::now() - Since).count(); }

const std::string& DatabasePath() {
  static const std::string Path = [] {
    char Tmpl[] = "/tmp/vantrel-bench-pgdn-XXXXXX";
    if (!mkdtemp(Tmpl)) throw std::runtime_error("mkdtemp failed");
    std::string P = std::string(Tmpl) + "/big.mdb";
    sqlite3* Db = nullptr;
    sqlite3_open(P.c_str(), &Db);
    sqlite3_exec(Db,
                 "CREATE TABLE TSet (ID INTEGER PRIMARY KEY AUTOINCREMENT, shift BOOLEAN, KeyIndex INTEGER, "
                 "Content MEMO);"
                 "BEGIN;"
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
                 "INSERT INTO TSet (shift, KeyIndex, Content) SELECT i % 2, i % 103, 'snippet text number ' || i "
                 "FROM n;"
                 "COMMIT;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(Db);
    return P;
  }();
  return Path;
}

// The grid unit loads its bitmaps when it starts: the artwork comes first.
struct Artwork {
  Artwork() { RegisterArtwork(); }
};

std::size_t GIndexBytes = 0;

// The grid's side; returns the ID of the row the cursor ends on.
std::int64_t GridSide(bool Painted) {
  static Artwork Art;
  static TDBGridGxUnitUse Unit;
  auto Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(0, 0, 640, 900);
  auto* Conn = new TADOConnection(Form.get());
  Conn->SetLoginPrompt(false);
  Conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + DatabasePath());
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
  sqlite3* Db = nullptr;
  sqlite3_open_v2(DatabasePath().c_str(), &Db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_stmt* Forward = nullptr;
  sqlite3_stmt* Backward = nullptr;
  sqlite3_prepare_v2(Db, "SELECT ID, shift, KeyIndex, Content FROM TSet WHERE rowid > ? ORDER BY rowid LIMIT ?", -1,
                     &Forward, nullptr);
  sqlite3_prepare_v2(Db, "SELECT ID, shift, KeyIndex, Content FROM TSet WHERE rowid < ? ORDER BY rowid DESC LIMIT ?",
                     -1, &Backward, nullptr);
  std::int64_t Checksum = 0;
  // Reads Count rows after (or before) Key; the ID of the last one read.
  auto ReadPage = [&](sqlite3_stmt* St, std::int64_t Key, int Count) {
    sqlite3_reset(St);
    sqlite3_bind_int64(St, 1, Key);
    sqlite3_bind_int(St, 2, Count);
    std::int64_t Last = Key;
    while (sqlite3_step(St) == SQLITE_ROW) {
      Last = sqlite3_column_int64(St, 0);
      Checksum += sqlite3_column_int64(St, 1) + sqlite3_column_int64(St, 2);
      const unsigned char* Text = sqlite3_column_text(St, 3);
      Checksum += Text ? static_cast<std::int64_t>(std::strlen(reinterpret_cast<const char*>(Text))) : 0;
    }
    return Last;
  };
  ReadPage(Forward, 0, Screen);                    // opening: the first page
  ReadPage(Backward, INT64_MAX, Screen);           // Ctrl+End
  std::int64_t After = ReadPage(Forward, 0, Screen);  // Ctrl+Home
  // A page down from the last row shown.
  for (int P = 0; P < Pages; ++P) After = ReadPage(Forward, After, Screen);
  sqlite3_finalize(Forward);
  sqlite3_finalize(Backward);
  sqlite3_close(Db);
  benchmark::DoNotOptimize(Checksum);
  return After;
}

void PageDown(benchmark::State& State, bool Painted) {
  DatabasePath();
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
  std::filesystem::remove_all(std::filesystem::path(DatabasePath()).parent_path());
  return 0;
}
