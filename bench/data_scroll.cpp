// Scrolling a 1,000,000-row SQLite table through an ADO table and a 30-row data link,
// against reading the same rows with the SQLite C API. Prints the time ratio and the
// bytes the dataset holds per row.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/BigTable.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSource.h"

namespace {

constexpr int Rows = bench_data::BigTableRows;
constexpr int Screen = 30;
constexpr int Pages = 100;

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
  const std::string& path = bench_data::BigTablePath();
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
  bench_data::BigTablePath();
  for (auto _ : state) {
    bench_data::TPageReader reader(true);
    reader.Forward(0, Screen);
    reader.Backward(INT64_MAX, Screen);
    std::int64_t after = 0;
    for (int p = 0; p <= Pages; ++p) after = reader.Forward(after, Screen);
    benchmark::DoNotOptimize(reader.Checksum());
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
  bench_data::BigTablePath();
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double ado = reporter.Times["BM_AdoTableScroll"], direct = reporter.Times["BM_SqliteDirect"];
  if (ado > 0 && direct > 0)
    std::printf("ratio ADO table / direct C API: %.2fx (goal <= 3x); index: %zu bytes for %d rows (%.4f per row)\n",
                ado / direct, GIndexBytes, Rows, static_cast<double>(GIndexBytes) / Rows);
  bench_data::RemoveBigTable();
  benchmark::Shutdown();
  return 0;
}
