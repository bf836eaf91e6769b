// Start-up with a 10,000-row snippet table: creating the main window from its description
// (open the database, one hot-key item and one text per row, every key registered), against
// reading the same rows with the SQLite C API. Prints the ratio.
#include "app/uVantrel.h"
#include "platform/desktop/Headless.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
constexpr int Rows = 10000;

struct Fixture {
  fs::path dir;
  Fixture() {
    char tmpl[] = "/tmp/vantrel-bench-startup-XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error("mkdtemp failed");
    dir = tmpl;
    fs::create_directory(dir / "config");
    sqlite3* db = nullptr;
    sqlite3_open((dir / "data.mdb").c_str(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE TSet (ID INTEGER PRIMARY KEY AUTOINCREMENT, shift BOOLEAN, control BOOLEAN,"
                 " alt BOOLEAN, win BOOLEAN, KeyIndex INTEGER, Content MEMO); BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO TSet (shift, control, alt, win, KeyIndex, Content) VALUES (?,?,?,?,?,?)", -1,
                       &ins, nullptr);
    for (int i = 0; i < Rows; ++i) {
      int mods = (i / 102) & 0xF;
      for (int m = 0; m < 4; ++m) sqlite3_bind_int(ins, m + 1, (mods >> m) & 1);
      sqlite3_bind_int(ins, 5, 1 + i % 102);
      std::string text = "snippet " + std::to_string(i) + " 片段";
      sqlite3_bind_text(ins, 6, text.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_step(ins);
      sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  ~Fixture() { fs::remove_all(dir); }
};

Fixture& Data() {
  static Fixture f;
  return f;
}

double mainWindowNs = 0, directNs = 0;

void FreeForms() {
  for (int i = Application->ComponentCount() - 1; i >= 0; --i)
    if (auto* f = dynamic_cast<TCustomForm*>(Application->Components(i))) f->Free();
  FVantrel = nullptr;
}

void BM_MainWindowStartup(benchmark::State& state) {
  Fixture& fx = Data();
  for (auto _ : state) {
    state.PauseTiming();
    win::headless::Reset();
    win::headless::SetConfigHome((fx.dir / "config").string());
    SetVantrelExePath((fx.dir / "vantrel").string());
    state.ResumeTiming();
    RegisterVantrelClasses();
    Application->CreateForm(FVantrel);
    if (!FVantrel || !FVantrel->ContentList() || FVantrel->ContentList()->Count() != Rows)
      state.SkipWithError("the main window did not bind every row");
    state.PauseTiming();
    FreeForms();
    state.ResumeTiming();
  }
  SetVantrelExePath("");
  win::headless::SetConfigHome("");
}

void BM_SqliteReadRows(benchmark::State& state) {
  Fixture& fx = Data();
  for (auto _ : state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2((fx.dir / "data.mdb").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT ID, shift, control, alt, win, KeyIndex, Content FROM TSet", -1, &st, nullptr);
    std::size_t bytes = 0;
    int rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
      for (int c = 0; c < 6; ++c) bytes += static_cast<std::size_t>(sqlite3_column_int(st, c));
      const unsigned char* text = sqlite3_column_text(st, 6);
      std::string copy(reinterpret_cast<const char*>(text));
      bytes += copy.size();
      ++rows;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    benchmark::DoNotOptimize(bytes);
    if (rows != Rows) state.SkipWithError("row count");
  }
}

// Each side runs several times and is compared by its median, so that a moment of load on
// a shared machine does not decide the figure.
constexpr int Repetitions = 5;
BENCHMARK(BM_SqliteReadRows)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions);
BENCHMARK(BM_MainWindowStartup)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(Repetitions);

// Prints the ratio of the two sides' median times after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Aggregate || r.aggregate_name != "median") continue;
      double t = r.GetAdjustedRealTime();
      if (r.benchmark_name().find("MainWindow") != std::string::npos) mainWindowNs = t;
      if (r.benchmark_name().find("Sqlite") != std::string::npos) directNs = t;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (directNs > 0)
      std::printf("ratio main-window start-up / direct C API read (medians): %.2fx (goal <= 2x)\n",
                  mainWindowNs / directNs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
