// The sum list's full scan (a sum and a count) over a 1,000,000-row SQLite table read
// through the ADO dataset classes, against SELECT SUM(x), COUNT(x) through the SQLite C
// API on the same file in the same run. The "ratio" counter of the scan is its time over
// the reference's.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
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

double ReferenceSeconds = 0;

void BM_SqliteSumCount(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(Database().Path().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  double sum = 0;
  long long count = 0;
  double seconds = 0;
  std::int64_t runs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT SUM(x), COUNT(x) FROM T", -1, &st, nullptr);
    if (sqlite3_step(st) == SQLITE_ROW) {
      sum = sqlite3_column_double(st, 0);
      count = sqlite3_column_int64(st, 1);
    }
    sqlite3_finalize(st);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++runs;
    benchmark::DoNotOptimize(sum);
  }
  sqlite3_close(db);
  ReferenceSeconds = seconds / static_cast<double>(runs);
  state.counters["count"] = static_cast<double>(count);
}
BENCHMARK(BM_SqliteSumCount)->Unit(benchmark::kMillisecond);

void BM_SumListScan(benchmark::State& state) {
  TADOConnection connection(nullptr);
  connection.SetLoginPrompt(false);
  connection.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Database().Path());
  TADOQuery query(nullptr);
  query.SetConnection(&connection);
  query.SQL()->SetText("SELECT id, x FROM T");
  query.Open();
  TDBSumListProducer producer(nullptr);
  producer.SetActive(false);
  TDBSum* sum = producer.SumCollection()->Add();
  sum->SetFieldName("x");
  TDBSum* count = producer.SumCollection()->Add();
  count->SetGroupOperation(goCount);
  count->SetFieldName("x");
  producer.SetDataSet(&query);
  double seconds = 0;
  std::int64_t runs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!producer.Active()) producer.SetActive(true);  // hooks and scans
    else producer.RecalculateAll();
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++runs;
  }
  state.counters["count"] = static_cast<double>(count->SumValue.Round());
  state.counters["sum"] = sum->SumValue.ToDouble();
  if (ReferenceSeconds > 0) state.counters["ratio"] = seconds / static_cast<double>(runs) / ReferenceSeconds;
  producer.SetActive(false);
}
BENCHMARK(BM_SumListScan)->Unit(benchmark::kMillisecond);

}  // namespace
