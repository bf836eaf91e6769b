// Importing 100,000 rows of tab-separated text (7 columns) into an empty table through a
// grid, against the C API inserting the same rows, parsed from the same text, with one
// prepared INSERT in one transaction. Each side runs in a fresh process on a fresh copy of
// the empty table, alternating which goes first; the two tables are compared once.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
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

constexpr int Rows = 100000;
using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

const std::string& Text() {
  static const std::string text = [] {
    std::string t;
    for (int I = 1; I <= Rows; ++I) {
      if (I > 1) t += "\r\n";
      const std::string N = std::to_string(I);
      t += N + "\tname " + N + "\t" + std::to_string(I % 1000) + "\t" + std::to_string(I / 4) + ".25\tnote " + N +
           "\t" + std::to_string(I % 103) + "\ttag " + std::to_string(I % 7);
    }
    return t;
  }();
  return text;
}

double ProjectSide(const std::string& Db) {
  static bench_grid::GridUnit Unit;
  bench_tables::MakeTableE(Db, 0);
  bench_grid::TGridOnTable On(Db, "E");
  TADOTable* Table = On.Table;
  TDBGridGx* Grid = On.Grid;
  const auto Start = Clock::now();
  Table->Open();
  TStringStream In(Text());
  ImportGridFromStream(TDBGridGxImportAsText::StaticClass(), Grid, &In, false);
  Table->Close();
  return Seconds(Start);
}

double ReferenceSide(const std::string& Db) {
  bench_tables::MakeTableE(Db, 0);
  const auto Start = Clock::now();
  sqlite3* db = nullptr;
  sqlite3_open(Db.c_str(), &db);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO E VALUES (?, ?, ?, ?, ?, ?, ?)", -1, &st, nullptr);
  const std::string& T = Text();
  std::size_t At = 0;
  while (At < T.size()) {
    std::size_t End = T.find("\r\n", At);
    if (End == std::string::npos) End = T.size();
    int Column = 1;
    std::size_t Cell = At;
    while (Cell <= End) {
      std::size_t Tab = T.find('\t', Cell);
      if (Tab == std::string::npos || Tab > End) Tab = End;
      sqlite3_bind_text(st, Column++, T.data() + Cell, static_cast<int>(Tab - Cell), SQLITE_STATIC);
      Cell = Tab + 1;
    }
    sqlite3_step(st);
    sqlite3_reset(st);
    At = End + 2;
  }
  sqlite3_finalize(st);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return Seconds(Start);
}

void BM_ImportTabText(benchmark::State& state) {
  Text();
  const std::string Mine = bench_tables::Dir() + "/project.mdb", Theirs = bench_tables::Dir() + "/reference.mdb";
  bench_child::CompareSides(
      state, [&] { return ProjectSide(Mine); }, [&] { return ReferenceSide(Theirs); });
  if (bench_tables::DumpTableE(Mine) != bench_tables::DumpTableE(Theirs)) state.SkipWithError("the two tables differ");
}

BENCHMARK(BM_ImportTabText)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
