// Exporting a 7-column table to CSV with the grid's WriteToFile, against a plain C program
// writing the same bytes from the same SQLite rows (C API reads, stdio writes). Each side
// runs in a fresh process, alternating which goes first; the two files are compared once.
// Counters: the times (min / median / max of the runs in the label), "ratio" of the
// medians, and each side's peak resident memory; run at 100,000 and 1,000,000 rows to see
// that the export's memory does not grow with the table.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/ChildRun.h"
#include "bench/ExportTable.h"
#include "bench/Figures.h"
#include "bench/GridOverTable.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "gridoutput/DBGridGxImpExp.h"
#include "platform/controls/Forms.h"
#include "platform/data/ADODB.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Table E of Rows rows, made once per process.
const std::string& Database(int Rows) {
  static std::map<int, std::string> made;
  auto found = made.find(Rows);
  if (found != made.end()) return found->second;
  const std::string path = bench_tables::Dir() + "/e" + std::to_string(Rows) + ".mdb";
  bench_tables::MakeTableE(path, Rows);
  return made[Rows] = path;
}

double ProjectSide(const std::string& Db, const std::string& Out) {
  static bench_grid::GridUnit Unit;
  bench_grid::TGridOnTable On(Db, "E");
  TADOTable* Table = On.Table;
  TDBGridGx* Grid = On.Grid;
  const auto Start = Clock::now();
  Table->Open();
  TDBGridGxExportAsCSV Exporter;
  Exporter.SetGrid(Grid);
  Exporter.WriteToFile(Out, true);
  return Seconds(Start);
}

void PutQuoted(std::FILE* F, const char* Text, int Length) {
  std::fputc('"', F);
  for (int I = 0; I < Length; ++I) {
    if (Text[I] == '"') std::fputc('"', F);
    std::fputc(Text[I], F);
  }
  std::fputc('"', F);
}

double ReferenceSide(const std::string& Db, const std::string& Out) {
  const auto Start = Clock::now();
  sqlite3* db = nullptr;
  sqlite3_open_v2(Db.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT ID, Name, Qty, Price, Note, Code, Tag FROM E ORDER BY ID", -1, &st, nullptr);
  std::FILE* F = std::fopen(Out.c_str(), "wb");
  const int Columns = sqlite3_column_count(st);
  for (int C = 0; C < Columns; ++C) {
    if (C) std::fputc(';', F);
    const char* Name = sqlite3_column_name(st, C);
    PutQuoted(F, Name, static_cast<int>(std::strlen(Name)));
  }
  char Number[64];
  while (sqlite3_step(st) == SQLITE_ROW) {
    std::fputs("\r\n", F);
    for (int C = 0; C < Columns; ++C) {
      if (C) std::fputc(';', F);
      if (sqlite3_column_type(st, C) == SQLITE_FLOAT) {
        const int N = std::snprintf(Number, sizeof Number, "%.15g", sqlite3_column_double(st, C));
        PutQuoted(F, Number, N);
      } else {
        PutQuoted(F, reinterpret_cast<const char*>(sqlite3_column_text(st, C)), sqlite3_column_bytes(st, C));
      }
    }
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  if (std::fclose(F) != 0) throw std::runtime_error("fclose failed");
  return Seconds(Start);
}

std::string FileText(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

void BM_ExportCsv(benchmark::State& state) {
  const int Rows = static_cast<int>(state.range(0));
  const std::string& Db = Database(Rows);
  const std::string Mine = bench_tables::Dir() + "/project.csv", Theirs = bench_tables::Dir() + "/reference.csv";
  bench_child::CompareSides(
      state, [&] { return ProjectSide(Db, Mine); }, [&] { return ReferenceSide(Db, Theirs); });
  if (FileText(Mine) != FileText(Theirs)) state.SkipWithError("the two files differ");
  std::filesystem::remove(Mine);
  std::filesystem::remove(Theirs);
}

BENCHMARK(BM_ExportCsv)->Arg(100000)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
