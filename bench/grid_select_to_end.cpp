// Shift+Ctrl+End and Shift+Ctrl+Home on a 1,000,000-row table with whole-row selection:
// the grid marks every row from the current one to the end (forward from the first row,
// backward from the last), against walking the same dataset from end to end and reading
// each record's bookmark. Each iteration runs both sides, alternating which goes first;
// "ratio" is the grid's time over the walk's time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/Figures.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/controls/Forms.h"
#include "platform/data/DBClient.h"
#include "platform/data/Field.h"

namespace {

constexpr int RowCount = 1000000;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point Since) { return std::chrono::duration<double>(Clock::now() - Since).count(); }

struct Table {
  bench_grid::GridUnit Unit;
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TClientDataSet* Data = nullptr;
  TDBGridGx* Grid = nullptr;
  Table() {
    Data = new TClientDataSet(Form.get());
    Data->FieldDefs().Add("Id", ftInteger, 0);
    Data->CreateDataSet();
    Data->DisableControls();
    for (int I = 0; I < RowCount; ++I) {
      Data->Append();
      Data->Fields()[0]->SetAsInteger(I);
      Data->Post();
    }
    Data->EnableControls();
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(Data);
    Grid = new TDBGridGx(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetOptions(Grid->Options() + TDBGridOptions{dgRowSelect, dgMultiSelect});
    Grid->SetDataSource(Source);
  }
};

Table& Shared() {
  static Table T;
  return T;
}

double GridSide(bool Forward) {
  Table& T = Shared();
  T.Grid->BookmarkedRows()->Clear();
  T.Grid->ResetRowAnchor();
  if (Forward) T.Data->First();
  else T.Data->Last();
  const auto Start = Clock::now();
  T.Grid->MoveBySelecting(true, Forward ? 1 : -1, true, true);
  const double Time = Seconds(Start);
  if (T.Grid->BookmarkedRows()->Count() != RowCount) throw std::runtime_error("not every row was marked");
  return Time;
}

double WalkSide(bool Forward) {
  Table& T = Shared();
  std::vector<std::string> Seen;
  const auto Start = Clock::now();
  T.Data->DisableControls();
  if (Forward) T.Data->First();
  else T.Data->Last();
  for (;;) {
    Seen.push_back(T.Data->Bookmark());
    if (T.Data->MoveBy(Forward ? 1 : -1) == 0) break;
  }
  T.Data->EnableControls();
  const double Time = Seconds(Start);
  if (Seen.size() != static_cast<std::size_t>(RowCount)) throw std::runtime_error("walk missed rows");
  return Time;
}

void SelectToEnd(benchmark::State& State, bool Forward) {
  Shared();
  std::vector<double> GridMs, WalkMs, Ratios;
  bool GridFirst = true;
  for (auto _ : State) {
    double G = 0, W = 0;
    if (GridFirst) {
      G = GridSide(Forward);
      W = WalkSide(Forward);
    } else {
      W = WalkSide(Forward);
      G = GridSide(Forward);
    }
    GridFirst = !GridFirst;
    GridMs.push_back(G * 1000);
    WalkMs.push_back(W * 1000);
    Ratios.push_back(G / W);
    State.SetIterationTime(G);
  }
  State.SetLabel("grid " + bench_figures::MinMedianMax(GridMs, "%.0f/%.0f/%.0f ms") + ", walk " +
                 bench_figures::MinMedianMax(WalkMs, "%.0f/%.0f/%.0f ms") + ", ratio " +
                 bench_figures::MinMedianMax(Ratios, "%.2f/%.2f/%.2f"));
}

void BM_SelectToLastRow(benchmark::State& State) { SelectToEnd(State, true); }
void BM_SelectToFirstRow(benchmark::State& State) { SelectToEnd(State, false); }

BENCHMARK(BM_SelectToLastRow)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectToFirstRow)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
