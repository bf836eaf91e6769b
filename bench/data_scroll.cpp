// Scrolling a 1,000,000-row SQLite table through an ADO table and a 30-row data link,
// against a plain program keeping the same 30 rows with the SQLite C API (bench/BigTable.h:
// a connection in the same mode, one statement running forward). Both show the first
// page, the last, the first again and 100 pages on, and "paint" each page shown: every
// field of every row shown as text. Each iteration runs both sides, alternating which
// goes first; their checksums of what they showed must agree. Prints the time ratio and
// the bytes the dataset holds per row.
#include <benchmark/benchmark.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BigTable.h"
#include "bench/Figures.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"

namespace {

constexpr int Rows = bench_data::BigTableRows;
constexpr int Screen = 30;
constexpr int Pages = 100;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point Since) { return std::chrono::duration<double>(Clock::now() - Since).count(); }

// What a grid does for one screen: every field of every buffered record as text. The
// checksum adds each row's ID and the length of each text.
class TScreenLink : public TDataLink {
public:
  std::int64_t Checksum = 0;
  void Paint() {
    TDataSet* ds = DataSet();
    TActiveRecordKeeper keep(*this);
    for (int i = 0; i < RecordCount(); ++i) {
      SetActiveRecord(i);
      Checksum += ds->Fields()[0]->AsInteger();
      for (TField* f : ds->Fields().List()) Checksum += static_cast<std::int64_t>(f->AsString().size());
    }
  }
};

struct TSideResult {
  double Seconds = 0;
  std::int64_t Checksum = 0;
};

std::size_t GIndexBytes = 0;

TSideResult TableSide() {
  const auto Start = Clock::now();
  TComponent owner(nullptr);
  auto* conn = new TADOConnection(&owner);
  conn->SetLoginPrompt(false);
  conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + bench_data::BigTablePath());
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
  grid.Paint();
  for (int p = 0; p < Pages; ++p) {
    table->MoveBy(Screen);
    grid.Paint();
  }
  GIndexBytes = table->IndexMemory();
  return {Seconds(Start), grid.Checksum};
}

// The same screens kept with the C API, each shown row's fields made text as a grid shows
// them ("True"/"False" for the flag).
TSideResult ReferenceSide() {
  const auto Start = Clock::now();
  bench_data::TShownRows shown(Screen);
  std::int64_t checksum = 0;
  auto paint = [&] {
    char buf[24];
    for (int i = 0; i < shown.Count(); ++i) {
      const bench_data::TShownRow& r = shown.Row(i);
      checksum += r.Id;
      checksum += std::to_chars(buf, buf + sizeof buf, r.Id).ptr - buf;
      checksum += r.Shift ? 4 : 5;
      checksum += std::to_chars(buf, buf + sizeof buf, r.KeyIndex).ptr - buf;
      checksum += static_cast<std::int64_t>(std::string(r.Content).size());
    }
  };
  shown.First();
  paint();
  shown.Last();
  paint();
  shown.First();
  paint();
  for (int p = 0; p < Pages; ++p) {
    shown.MoveBy(Screen);
    paint();
  }
  benchmark::DoNotOptimize(shown.Checksum());
  return {Seconds(Start), checksum};
}

void BM_TableScroll(benchmark::State& state) {
  bench_data::BigTablePath();
  bench_figures::TComparison times;
  bool tableFirst = true;
  try {
    for (auto _ : state) {
      TSideResult t, r;
      for (int side = 0; side < 2; ++side) {
        if ((side == 0) == tableFirst) t = TableSide();
        else r = ReferenceSide();
      }
      tableFirst = !tableFirst;
      if (t.Checksum != r.Checksum)
        throw std::runtime_error("the sides showed different rows: checksums " + std::to_string(t.Checksum) +
                                 " and " + std::to_string(r.Checksum));
      times.Add(t.Seconds, r.Seconds);
      state.SetIterationTime(t.Seconds);
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  state.counters["index_bytes_per_row"] = static_cast<double>(GIndexBytes) / Rows;
  state.SetLabel(times.Label("ADO table", "C API", "<= 3x"));
}
BENCHMARK(BM_TableScroll)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench_data::RunBenchmarks(argc, argv); }
