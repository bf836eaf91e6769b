// Start-up with a 10,000-row snippet table: what the program does before its loop (the
// artwork, the classes, the grid unit) and creating the main window from its description
// (open the database, the grid on the table, one hot-key item and one text per row, every
// key registered), against reading the same rows with the SQLite C API.
// Each side runs in fresh processes of this program, the sides taking turns (the first
// side alternating), so that neither finds the allocator or the caches warmed by the
// other. A process times its first start-up (cold: what a user pays) and then WarmRuns
// more (warm). The ratios of each pair of processes are printed as min / median / max.
#include "app/uVantrel.h"
#include "bench/Figures.h"
#include "bench/SnippetTable.h"
#include "platform/desktop/Headless.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using bench_figures::MinMedianMax;
using Clock = std::chrono::steady_clock;
constexpr int Rows = 10000;
constexpr int WarmRuns = 5;

struct Fixture {
  fs::path dir;
  Fixture() {
    char tmpl[] = "/tmp/vantrel-bench-startup-XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error("mkdtemp failed");
    dir = tmpl;
    fs::create_directory(dir / "config");
    bench_data::WriteSnippetTable((dir / "data.mdb").string(), Rows);
  }
  ~Fixture() { fs::remove_all(dir); }
};

void FreeForms() {
  for (int i = Application->ComponentCount() - 1; i >= 0; --i)
    if (auto* f = dynamic_cast<TCustomForm*>(Application->Components(i))) f->Free();
  FVantrel = nullptr;
}

// One start-up of the main window; its time in milliseconds.
double MainWindowStartup(const fs::path& dir) {
  win::headless::Reset();
  win::headless::SetConfigHome((dir / "config").string());
  SetVantrelExePath((dir / "vantrel").string());
  std::optional<TVantrelStart> vantrelStart;
  auto start = Clock::now();
  // As the program's start-up block does.
  vantrelStart.emplace();
  Application->CreateForm(FVantrel);
  double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (!FVantrel || !FVantrel->ContentList() || FVantrel->ContentList()->Count() != Rows)
    throw std::runtime_error("the main window did not bind every row");
  FreeForms();
  return ms;
}

double SqliteReadRows(const fs::path& dir) {
  auto start = Clock::now();
  sqlite3* db = nullptr;
  sqlite3_open_v2((dir / "data.mdb").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
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
  double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (rows != Rows) throw std::runtime_error("row count");
  return ms;
}

// The child's side: runs one side 1 + WarmRuns times and prints the times.
int RunSide(const std::string& side, const fs::path& dir) {
  try {
    for (int i = 0; i <= WarmRuns; ++i)
      std::printf("%.4f\n", side == "program" ? MainWindowStartup(dir) : SqliteReadRows(dir));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  SetVantrelExePath("");
  win::headless::SetConfigHome("");
  return 0;
}

// A fresh process of this program running one side: its first time and its warm median.
struct SideTimes {
  double Cold = 0, Warm = 0;
};

SideTimes RunInFreshProcess(const std::string& side, const fs::path& dir) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe");
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    close(out[0]);
    close(out[1]);
    std::string sideArg = "--side=" + side, dirArg = "--dir=" + dir.string();
    execl("/proc/self/exe", "startup_rows", sideArg.c_str(), dirArg.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  std::string text;
  char buf[4096];
  ssize_t n;
  while ((n = read(out[0], buf, sizeof buf)) > 0) text.append(buf, std::size_t(n));
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  std::vector<double> times;
  std::istringstream in(text);
  for (double t; in >> t;) times.push_back(t);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || times.size() != std::size_t(WarmRuns + 1))
    throw std::runtime_error("the " + side + " side failed");
  std::vector<double> warm(times.begin() + 1, times.end());
  std::sort(warm.begin(), warm.end());
  return {times[0], warm[warm.size() / 2]};
}

struct Pair {
  SideTimes Program, Reference;
};
std::vector<Pair> gPairs;

void BM_StartupInFreshProcesses(benchmark::State& state) {
  try {
    Fixture fx;
    int run = 0;
    for (auto _ : state) {
      Pair p;
      if (run++ % 2 == 0) {
        p.Reference = RunInFreshProcess("reference", fx.dir);
        p.Program = RunInFreshProcess("program", fx.dir);
      } else {
        p.Program = RunInFreshProcess("program", fx.dir);
        p.Reference = RunInFreshProcess("reference", fx.dir);
      }
      gPairs.push_back(p);
      state.SetIterationTime(p.Program.Cold / 1000.0);
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
  }
}
BENCHMARK(BM_StartupInFreshProcesses)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);

void PrintFigures() {
  if (gPairs.empty()) return;
  std::printf("%zu processes of each side, min / median / max\n", gPairs.size());
  for (double SideTimes::*f : {&SideTimes::Cold, &SideTimes::Warm}) {
    std::vector<double> program, reference, ratio;
    for (const Pair& p : gPairs) {
      program.push_back(p.Program.*f);
      reference.push_back(p.Reference.*f);
      ratio.push_back(p.Program.*f / p.Reference.*f);
    }
    std::printf("%s  main window %s   C API read %s   ratio %s (goal <= 2x)\n",
                f == &SideTimes::Cold ? "first in a fresh process" : "warm (median of 5)      ",
                MinMedianMax(program, "%.2f / %.2f / %.2f ms").c_str(),
                MinMedianMax(reference, "%.2f / %.2f / %.2f ms").c_str(),
                MinMedianMax(ratio, "%.2f / %.2f / %.2fx").c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strncmp(argv[1], "--side=", 7) == 0 && std::strncmp(argv[2], "--dir=", 6) == 0)
    return RunSide(argv[1] + 7, argv[2] + 6);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintFigures();
  return 0;
}
