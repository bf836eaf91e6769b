// The sum list's full scan (a sum and a count) over a 1,000,000-row SQLite query read
// through the ADO dataset classes, against SELECT SUM(x), COUNT(x) through the SQLite C
// API on the same file. Each iteration runs both sides, alternating which goes first, and
// times each: the project side pays for opening the query, the scan and closing it; the
// reference for preparing, stepping and finalizing its statement. "ratio" is the project
// time over the reference time; "rows_held" and "index_bytes" are what the query kept in
// memory after the scan (a window of rows, not the result).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include <unistd.h>

#include "gridcontrols/DBSumLst.h"
#include "platform/data/ADODB.h"

namespace {

constexpr int RowCount = 1000000;

// A temporary database with table T (id, x): x is id * 0.25, every tenth x is null.
class BenchDatabase {
public:
  BenchDatabase() {
    FPath = (std::filesystem::temp_directory_path() /
             ("vantrel_sumlist_bench_" + std::to_string(::getpid()) + ".db"))
                .string();
    std::filesystem::remove(FPath);
    sqlite3* db = nullptr;
    if (sqlite3_open(FPath.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot create " + FPath);
    Exec(db, "CREATE TABLE T (id INTEGER PRIMARY KEY, x FLOAT)");
    Exec(db, "BEGIN");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO T (id, x) VALUES (?, ?)", -1, &st, nullptr);
    for (int i = 1; i <= RowCount; ++i) {
      sqlite3_bind_int(st, 1, i);
      if (i % 10 == 0) sqlite3_bind_null(st, 2);
      else sqlite3_bind_double(st, 2, i * 0.25);
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    Exec(db, "COMMIT");
    sqlite3_close(db);
  }
  ~BenchDatabase() { std::filesystem::remove(FPath); }
  const std::string& Path() const { return FPath; }

private:
  static void Exec(sqlite3* db, const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
      std::string msg = err ? err : "sqlite error";
      sqlite3_free(err);
      throw std::runtime_error(msg);
    }
  }
  std::string FPath;
};

BenchDatabase& Database() {
  static BenchDatabase db;
  return db;
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

struct TReference {
  sqlite3* Db = nullptr;
  double Sum = 0;
  long long Count = 0;
  TReference() { sqlite3_open_v2(Database().Path().c_str(), &Db, SQLITE_OPEN_READONLY, nullptr); }
  ~TReference() { sqlite3_close(Db); }
  void Run() {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(Db, "SELECT SUM(x), COUNT(x) FROM T", -1, &st, nullptr);
    if (sqlite3_step(st) == SQLITE_ROW) {
      Sum = sqlite3_column_double(st, 0);
      Count = sqlite3_column_int64(st, 1);
    }
    sqlite3_finalize(st);
  }
};

struct TProject {
  TADOConnection Connection{nullptr};
  TADOQuery Query{nullptr};
  TDBSumListProducer Producer{nullptr};
  TDBSum* Sum;
  TDBSum* Count;
  std::size_t RowsHeld = 0, IndexBytes = 0;
  double SumValue = 0;
  long long CountValue = 0;
  TProject() {
    Connection.SetLoginPrompt(false);
    Connection.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Database().Path());
    Connection.Open();  // the connection stays, as the reference's handle does
    Query.SetConnection(&Connection);
    Query.SQL()->SetText("SELECT id, x FROM T");
    Producer.SetActive(false);
    Sum = Producer.SumCollection()->Add();
    Sum->SetFieldName("x");
    Count = Producer.SumCollection()->Add();
    Count->SetGroupOperation(goCount);
    Count->SetFieldName("x");
    Producer.SetDataSet(&Query);
  }
  void Run() {
    Query.Open();
    Producer.SetActive(true);  // hooks and scans
    RowsHeld = Query.QueryRowsHeld();
    IndexBytes = Query.IndexMemory();
    SumValue = Sum->SumValue.ToDouble();
    CountValue = Count->SumValue.Round();
    Producer.SetActive(false);
    Query.Close();
  }
};

void BM_SumListOpenAndScan(benchmark::State& state) {
  TReference reference;
  TProject project;
  double referenceSeconds = 0, projectSeconds = 0;
  bool projectFirst = false;
  for (auto _ : state) {
    for (int side = 0; side < 2; ++side) {
      const auto start = Clock::now();
      if ((side == 0) == projectFirst) {
        project.Run();
        projectSeconds += Seconds(start);
      } else {
        reference.Run();
        referenceSeconds += Seconds(start);
      }
    }
    projectFirst = !projectFirst;
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["project_ms"] = projectSeconds / runs * 1000;
  state.counters["reference_ms"] = referenceSeconds / runs * 1000;
  state.counters["ratio"] = projectSeconds / referenceSeconds;
  state.counters["rows_held"] = static_cast<double>(project.RowsHeld);
  state.counters["index_bytes"] = static_cast<double>(project.IndexBytes);
  if (project.CountValue != reference.Count || std::abs(project.SumValue - reference.Sum) > 0.5)
    state.SkipWithError("the two sides disagree");
}
BENCHMARK(BM_SumListOpenAndScan)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
