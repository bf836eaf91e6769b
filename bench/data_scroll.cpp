// Scrolling a 1,000,000-row SQLite table through an ADO table and a 30-row data link,
// against reading the same rows with the SQLite C API. Prints the time ratio and the
// bytes the dataset holds per row.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "platform/data/ADODB.h"
#include "platform/data/DataSource.h"

namespace {

constexpr int Rows = 1000000;
constexpr int Screen = 30;
constexpr int Pages = 100;

const std::string& DatabasePath() {
  static const std::string path = [] {
    char tmpl[] = "/tmp/vantrel-bench-XXXXXX";
    std::string dir = mkdtemp(tmpl);
    std::string p = dir + "/big.mdb";
    sqlite3* db = nullptr;
    sqlite3_open(p.c_str(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE TSet (ID INTEGER PRIMARY KEY AUTOINCREMENT, shift BOOLEAN, KeyIndex INTEGER, "
                 "Content MEMO);"
                 "BEGIN;"
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
                 "INSERT INTO TSet (shift, KeyIndex, Content) SELECT i % 2, i % 103, 'snippet text number ' || i "
                 "FROM n;"
                 "COMMIT;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return p;
  }();
  return path;
}

// What a grid does for one screen: read every field of every buffered record.
class TScreenLink : public TDataLink {
public:
  std::int64_t Checksum = 0;
  void Paint() {
    TDataSet* ds = DataSet();
    TActiveRecordKeeper keep(*this);
    for (int i = 0; i < RecordCount(); ++i) {
      SetActiveRecord(i);
      for (TField* f : ds->Fields().List()) Checksum += static_cast<std::int64_t>(f->AsString().size());
    }
  }
};

std::size_t GIndexBytes = 0;

void BM_AdoTableScroll(benchmark::State& state) {
  const std::string& path = DatabasePath();
  for (auto _ : state) {
    TComponent owner(nullptr);
    auto* conn = new TADOConnection(&owner);
    conn->SetLoginPrompt(false);
    conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path);
    auto* table = new TADOTable(&owner);
    table->SetConnection(conn);
    table->SetTableName("TSet");
    auto* src = new TDataSource(&owner);
    src->SetDataSet(table);
    TScreenLink grid;
    grid.SetDataSource(src);
    grid.SetBufferCount(Screen);
    table->Open();
    grid.Paint();
    table->Last();
    grid.Paint();
    table->First();
    for (int p = 0; p < Pages; ++p) {
      table->MoveBy(Screen);
      grid.Paint();
    }
    GIndexBytes = table->IndexMemory();
    benchmark::DoNotOptimize(grid.Checksum);
  }
  state.counters["index_bytes_per_row"] = static_cast<double>(GIndexBytes) / Rows;
}
BENCHMARK(BM_AdoTableScroll)->Unit(benchmark::kMillisecond);

// The same screens with the C API: first page, last page, then 100 pages from the top.
void BM_SqliteDirect(benchmark::State& state) {
  const std::string& path = DatabasePath();
  for (auto _ : state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::int64_t checksum = 0;
    sqlite3_stmt* forward = nullptr;
    sqlite3_stmt* backward = nullptr;
    sqlite3_prepare_v2(db, "SELECT ID, shift, KeyIndex, Content FROM TSet WHERE rowid > ? ORDER BY rowid LIMIT ?", -1,
                       &forward, nullptr);
    sqlite3_prepare_v2(db, "SELECT ID, shift, KeyIndex, Content FROM TSet WHERE rowid > ? ORDER BY rowid DESC LIMIT ?",
                       -1, &backward, nullptr);
    auto readPage = [&](sqlite3_stmt* st, std::int64_t after) {
      sqlite3_reset(st);
      sqlite3_bind_int64(st, 1, after);
      sqlite3_bind_int(st, 2, Screen);
      std::int64_t last = after;
      while (sqlite3_step(st) == SQLITE_ROW) {
        last = sqlite3_column_int64(st, 0);
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
          const unsigned char* t = sqlite3_column_text(st, c);
          checksum += t ? static_cast<std::int64_t>(std::strlen(reinterpret_cast<const char*>(t))) : 0;
        }
      }
      return last;
    };
    readPage(forward, 0);
    readPage(backward, 0);
    std::int64_t after = 0;
    for (int p = 0; p <= Pages; ++p) after = readPage(forward, after);
    sqlite3_finalize(forward);
    sqlite3_finalize(backward);
    sqlite3_close(db);
    benchmark::DoNotOptimize(checksum);
  }
}
BENCHMARK(BM_SqliteDirect)->Unit(benchmark::kMillisecond);

// Console output plus the ratio of the two runs.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) Times[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  DatabasePath();
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double ado = reporter.Times["BM_AdoTableScroll"], direct = reporter.Times["BM_SqliteDirect"];
  if (ado > 0 && direct > 0)
    std::printf("ratio ADO table / direct C API: %.2fx (goal <= 3x); index: %zu bytes for %d rows (%.4f per row)\n",
                ado / direct, GIndexBytes, Rows, static_cast<double>(GIndexBytes) / Rows);
  std::filesystem::remove_all(std::filesystem::path(DatabasePath()).parent_path());
  benchmark::Shutdown();
  return 0;
}
