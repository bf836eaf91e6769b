// Filtering and sorting a 1,000,000-row SQLite table shown in the data grid through an
// ADO query with a "/*FILTER*/" line, against the same statements through the SQLite C
// API in the same process. Each run times both sides one after the other, alternating
// which goes first; three runs each, printed as min / median / max.
//
// - filter row: a condition on KeyIndex applied through the grid's data service (the
//   query's SQL rewritten and reopened) to the first screen of 30 rows, then RecordCount;
//   against SELECT ... WHERE ... LIMIT 30 and SELECT COUNT(*) ... WHERE ....
// - title click: a click on the KeyIndex title (sorted through the query's Sort) to the
//   first screen, then Last; against ... ORDER BY ... LIMIT 30 and the same statement at
//   its last offset.
// - local filter: the same condition with the filter row's local mode (the dataset's own
//   Filter, run by the engine) to the first screen and RecordCount; and Filtered with an
//   empty filter against no filter at all.
// "rows_held" and "index_bytes" are what the query keeps after a run.
// - memory: the peak resident memory of a session in a process of its own (this program
//   started again), at 100,000 and 1,000,000 rows: opened only; the filter row; its local
//   mode on the query and on a table. The condition ("<> 17") lets most rows pass.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BigTable.h"
#include "bench/Figures.h"
#include "bench/GridOverTable.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridFilter.h"
#include "platform/controls/Forms.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"

namespace {

constexpr int ScreenRows = 30;
constexpr int Runs = 3;
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point Since) { return std::chrono::duration<double, std::milli>(Clock::now() - Since).count(); }

const char* const Columns = "ID, shift, KeyIndex, Content";

// What a grid does for one screen: read every field of every buffered record.
class TScreenLink : public TDataLink {
public:
  std::int64_t Checksum = 0;
  void Paint() {
    TDataSet* DataSet = this->DataSet();
    TActiveRecordKeeper Keep(*this);
    for (int I = 0; I < RecordCount(); ++I) {
      SetActiveRecord(I);
      for (TField* F : DataSet->Fields().List()) Checksum += static_cast<std::int64_t>(F->AsString().size());
    }
  }
};

// The grid on a hidden form over the query, with a 30-row screen.
struct TGridSide {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TADOQuery* Query = nullptr;
  TDBGridGx* Grid = nullptr;
  TScreenLink Screen;

  explicit TGridSide(const std::string& Path = bench_data::BigTablePath()) {
    static bench_grid::GridUnit Unit;
    auto* Conn = new TADOConnection(Form.get());
    Conn->SetLoginPrompt(false);
    Conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Path);
    Query = new TADOQuery(Form.get());
    Query->SetConnection(Conn);
    Query->SQL()->SetText(std::string("SELECT ") + Columns + " FROM TSet\nWHERE\n/*FILTER*/ 1=1\n");
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(Query);
    Grid = new TDBGridGx(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 600, 700);
    Grid->SetDataSource(Source);
    Screen.SetDataSource(Source);
    Screen.SetBufferCount(ScreenRows);
    Query->Open();
  }
  TColumnGx* KeyIndex() { return Grid->ColumnByFieldName("KeyIndex"); }
};

struct TReference {
  sqlite3* Db = nullptr;
  std::int64_t Checksum = 0;
  TReference() { sqlite3_open_v2(bench_data::BigTablePath().c_str(), &Db, SQLITE_OPEN_READONLY, nullptr); }
  ~TReference() { sqlite3_close(Db); }
  // Reads every column of every row as text; the number of rows.
  long long Rows(const std::string& Sql) {
    sqlite3_stmt* St = nullptr;
    if (sqlite3_prepare_v2(Db, Sql.c_str(), -1, &St, nullptr) != SQLITE_OK) throw std::runtime_error(Sql);
    long long N = 0;
    while (sqlite3_step(St) == SQLITE_ROW) {
      ++N;
      for (int C = 0; C < sqlite3_column_count(St); ++C) {
        const unsigned char* T = sqlite3_column_text(St, C);
        Checksum += T ? sqlite3_column_bytes(St, C) : 0;
      }
    }
    sqlite3_finalize(St);
    return N;
  }
  long long Count(const std::string& Where) {
    sqlite3_stmt* St = nullptr;
    sqlite3_prepare_v2(Db, ("SELECT COUNT(*) FROM TSet WHERE " + Where).c_str(), -1, &St, nullptr);
    sqlite3_step(St);
    const long long N = sqlite3_column_int64(St, 0);
    sqlite3_finalize(St);
    return N;
  }
};

struct TFigures {
  std::vector<double> Grid, Reference, Ratio;
  void Add(double G, double R) {
    Grid.push_back(G);
    Reference.push_back(R);
    Ratio.push_back(G / R);
  }
  void Print(const char* What, const char* Left = "grid", const char* Right = "C API") const {
    std::printf("%-34s %s %s  %s %s  ratio %s\n", What, Left,
                bench_figures::MinMedianMax(Grid, "%.1f/%.1f/%.1f ms").c_str(), Right,
                bench_figures::MinMedianMax(Reference, "%.1f/%.1f/%.1f ms").c_str(),
                bench_figures::MinMedianMax(Ratio, "%.2f/%.2f/%.2f").c_str());
  }
};

// Runs the two sides of one measurement in alternating order.
template <class G, class R>
void Interleaved(int Run, G&& GridPart, R&& ReferencePart) {
  if (Run % 2 == 0) {
    GridPart();
    ReferencePart();
  } else {
    ReferencePart();
    GridPart();
  }
}

void Check(bool Ok, const char* What) {
  if (!Ok) throw std::runtime_error(What);
}

// One run of a condition on KeyIndex typed in the filter row and applied, to the first
// screen and to RecordCount, against the same through the C API.
void FilterRun(TGridSide& Side, TReference& Reference, int Run, TFigures& Screen, TFigures& Count) {
  const int Key = 17 + Run;  // a new condition each run
  const std::string Where = "KeyIndex = " + std::to_string(Key);
  double GScreen = 0, GCount = 0, RScreen = 0, RCount = 0;
  long long GRows = 0, RRows = 0;
  Interleaved(
      Run,
      [&] {
        auto Start = Clock::now();
        Side.KeyIndex()->STFilter()->SetFilterText("= " + std::to_string(Key));
        Side.Grid->ApplyFilterDefault();
        Side.Screen.Paint();
        GScreen = Ms(Start);
        Start = Clock::now();
        GRows = Side.Query->RecordCount();
        GCount = Ms(Start);
      },
      [&] {
        auto Start = Clock::now();
        Reference.Rows(std::string("SELECT ") + Columns + " FROM TSet WHERE " + Where + " LIMIT 30");
        RScreen = Ms(Start);
        Start = Clock::now();
        RRows = Reference.Count(Where);
        RCount = Ms(Start);
      });
  Check(GRows == RRows && GRows > 0, "filtered row counts differ");
  Screen.Add(GScreen, RScreen);
  Count.Add(GCount, RCount);
}

void BM_FilterRow(benchmark::State& State) {
  TGridSide Side;
  TReference Reference;
  TFigures Screen, Count;
  int Run = 0;
  for (auto _ : State) FilterRun(Side, Reference, Run++, Screen, Count);
  Screen.Print("filter row: first screen");
  Count.Print("filter row: RecordCount");
  State.counters["rows_held"] = static_cast<double>(Side.Query->QueryRowsHeld());
  State.counters["index_bytes"] = static_cast<double>(Side.Query->IndexMemory());
}
BENCHMARK(BM_FilterRow)->Iterations(Runs)->Unit(benchmark::kMillisecond);

void BM_TitleClickSort(benchmark::State& State) {
  TGridSide Side;
  TReference Reference;
  TFigures Screen, Last;
  int Run = 0;
  for (auto _ : State) {
    double GScreen = 0, GLast = 0, RScreen = 0, RLast = 0;
    int GLastKey = -1;
    Interleaved(
        Run,
        [&] {
          auto Start = Clock::now();
          Side.Grid->HandleTitleClick(Side.KeyIndex());
          Side.Screen.Paint();
          GScreen = Ms(Start);
          Start = Clock::now();
          Side.Query->Last();
          Side.Screen.Paint();
          GLast = Ms(Start);
          GLastKey = Side.Query->FieldByName("KeyIndex")->AsInteger();
          // Back to unsorted for the next run (untimed).
          Side.Grid->HandleTitleClick(Side.KeyIndex());
          Side.Grid->HandleTitleClick(Side.KeyIndex());
        },
        [&] {
          const std::string Sql = std::string("SELECT ") + Columns + " FROM TSet ORDER BY KeyIndex, rowid LIMIT 30";
          auto Start = Clock::now();
          Reference.Rows(Sql);
          RScreen = Ms(Start);
          Start = Clock::now();
          Reference.Rows(Sql + " OFFSET " + std::to_string(bench_data::BigTableRows - ScreenRows));
          RLast = Ms(Start);
        });
    Check(Side.KeyIndex()->Title()->SortMarker() == smNoneGx, "the sort did not cycle");
    Check(GLastKey == 102, "the last row is not the largest key");
    Screen.Add(GScreen, RScreen);
    Last.Add(GLast, RLast);
    ++Run;
  }
  Screen.Print("title click: first screen");
  Last.Print("title click: Last");
  State.counters["rows_held"] = static_cast<double>(Side.Query->QueryRowsHeld());
}
BENCHMARK(BM_TitleClickSort)->Iterations(Runs)->Unit(benchmark::kMillisecond);

void BM_LocalFilter(benchmark::State& State) {
  TGridSide Side;
  TReference Reference;
  Side.Grid->STFilter()->SetLocal(true);
  TFigures Screen, Count, Empty;
  int Run = 0;
  for (auto _ : State) {
    FilterRun(Side, Reference, Run, Screen, Count);
    Check(Side.Query->Filtered() && !Side.Query->Filter().empty(), "no dataset filter");
    // Filtered with an empty filter, against no filter: opening to the last screen.
    double Filtered = 0, Plain = 0;
    Side.Query->SetFilter("");
    for (bool WithFilter : {Run % 2 == 0, Run % 2 != 0}) {
      Side.Query->Close();
      Side.Query->SetFiltered(WithFilter);
      const auto Start = Clock::now();
      Side.Query->Open();
      Side.Screen.Paint();
      Side.Query->Last();
      Side.Screen.Paint();
      (WithFilter ? Filtered : Plain) = Ms(Start);
    }
    Empty.Add(Filtered, Plain);
    Side.Query->SetFiltered(true);
    ++Run;
  }
  Screen.Print("local filter: first screen");
  Count.Print("local filter: RecordCount");
  Empty.Print("empty filter vs none: open+Last", "Filtered", "unfiltered");
  State.counters["rows_held"] = static_cast<double>(Side.Query->QueryRowsHeld());
  State.counters["index_bytes"] = static_cast<double>(Side.Query->IndexMemory());
}
BENCHMARK(BM_LocalFilter)->Iterations(Runs)->Unit(benchmark::kMillisecond);

const char* const MemoryModes[] = {"open", "filter-row", "local-query", "local-table"};

long PeakResidentKb() {
  std::FILE* Status = std::fopen("/proc/self/status", "r");
  if (!Status) return -1;
  char Line[256];
  long Kb = -1;
  while (std::fgets(Line, sizeof Line, Status))
    if (std::strncmp(Line, "VmHWM:", 6) == 0) Kb = std::atol(Line + 6);
  std::fclose(Status);
  return Kb;
}

// One session over the table at Path: the rows opened, the condition applied (but for
// "open"), the first screen, the row count and the last screen. Prints the peak
// resident memory in kB.
int MemorySide(const std::string& Mode, const std::string& Path) {
  std::unique_ptr<TGridSide> OnQuery;
  std::unique_ptr<bench_grid::TGridOnTable> OnTable;
  TDataSet* Data = nullptr;
  TDBGridGx* Grid = nullptr;
  if (Mode == "local-table") {
    static bench_grid::GridUnit Unit;
    OnTable = std::make_unique<bench_grid::TGridOnTable>(Path, "TSet");
    OnTable->Grid->SetBounds(0, 0, 600, 700);
    Data = OnTable->Table;
    Grid = OnTable->Grid;
    Data->Open();
  } else {
    OnQuery = std::make_unique<TGridSide>(Path);
    Data = OnQuery->Query;
    Grid = OnQuery->Grid;
  }
  TScreenLink Screen;
  Screen.SetDataSource(Grid->DataSource());
  Screen.SetBufferCount(ScreenRows);
  if (Mode != "open") {
    Grid->STFilter()->SetLocal(Mode != "filter-row");
    Grid->ColumnByFieldName("KeyIndex")->STFilter()->SetFilterText("<> 17");
    Grid->ApplyFilterDefault();
  }
  Screen.Paint();
  const int Count = Data->RecordCount();
  Data->Last();
  Screen.Paint();
  if (Count <= 0 || Data->FieldByName("KeyIndex")->AsInteger() == 17) return 1;
  std::printf("%ld\n", PeakResidentKb());
  return 0;
}

void BM_FilterMemory(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  const std::string Mode = MemoryModes[State.range(1)];
  const std::string Command = std::filesystem::read_symlink("/proc/self/exe").string() + " --memory-side " + Mode +
                              " " + bench_data::TablePath(Rows);
  std::vector<double> Mb;
  for (auto _ : State) {
    std::fflush(nullptr);
    std::FILE* Child = popen(Command.c_str(), "r");
    long Kb = -1;
    if (!Child || std::fscanf(Child, "%ld", &Kb) != 1) Kb = -1;
    if ((Child ? pclose(Child) : -1) != 0 || Kb <= 0) {
      State.SkipWithError("the memory side failed");
      return;
    }
    Mb.push_back(Kb / 1024.0);
  }
  std::vector<double> Sorted = Mb;
  std::sort(Sorted.begin(), Sorted.end());
  State.counters["peak_MB"] = Sorted[Sorted.size() / 2];
  State.SetLabel(Mode + " at " + std::to_string(Rows) + " rows: peak " +
                 bench_figures::MinMedianMax(Mb, "%.1f/%.1f/%.1f MB"));
}
BENCHMARK(BM_FilterMemory)
    ->ArgsProduct({{100000, bench_data::BigTableRows}, {0, 1, 2, 3}})
    ->Iterations(Runs)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--memory-side") == 0) return MemorySide(argv[2], argv[3]);
  return bench_data::RunBenchmarks(argc, argv);
}
