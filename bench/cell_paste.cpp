// A 1 MB one-line text pasted (Ctrl+V) over the whole text of the data grid's cell editor,
// against the same paste into a memo, in the same run: each iteration pastes into both,
// alternating which goes first. The cell is a memo field the grid edits as text; the
// memo is the program's kind, with word wrap. "ratio" is the cell editor's time over the
// memo's (goal <= 2x).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench/Figures.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGx/Columns.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/grids/InplaceEdit.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSource.h"
#include "platform/desktop/Headless.h"

namespace {

namespace hl = win::headless;
using Clock = std::chrono::steady_clock;

constexpr std::size_t TextBytes = 1u << 20;

// Words with a Chinese run now and then, on one line.
const std::string& PastedText() {
  static const std::string Text = [] {
    static const char* Words[] = {"snippet", "hot", "key", "pastes", "this", "text", "into", "the", "window",
                                  "内容", "管理器", "a", "longer", "paragraph", "follows"};
    std::string T;
    unsigned Seed = 7;
    while (T.size() < TextBytes) {
      Seed = Seed * 1103515245u + 12345u;
      T += Words[(Seed >> 16) % (sizeof Words / sizeof *Words)];
      T += ' ';
    }
    return T;
  }();
  return Text;
}

double PasteMs(TWinControl* Target) {
  Target->SetFocus();
  Target->Perform(win::EM_SETSEL, 0, static_cast<win::LPARAM>(-1));
  const Clock::time_point Start = Clock::now();
  hl::PressKeys(win::MOD_CONTROL, 'V');
  return std::chrono::duration<double, std::milli>(Clock::now() - Start).count();
}

void BM_CellPasteAgainstMemo(benchmark::State& State) {
  bench_grid::GridUnit Unit;
  hl::Reset();
  auto* Form = new TForm(nullptr);
  Form->SetBounds(0, 0, 700, 400);
  auto* Data = new TClientDataSet(Form);
  Data->FieldDefs().Add("Content", ftMemo, 0);
  Data->CreateDataSet();
  Data->Append();
  Data->Post();
  auto* Source = new TDataSource(Form);
  Source->SetDataSet(Data);
  auto* Grid = new TDBGridGx(Form);
  Grid->SetParent(Form);
  Grid->SetBounds(0, 0, 400, 300);
  Grid->SetDrawMemoText(true);
  Grid->SetDataSource(Source);
  TDBGridOptions Options = Grid->Options();
  Options.Include(dgEditing);
  Grid->SetOptions(Options);
  auto* Memo = new TMemo(Form);
  Memo->SetParent(Form);
  Memo->SetBounds(410, 0, 269, 300);
  Memo->SetMaxLength(0);
  Form->Show();
  Grid->SetFocus();
  Grid->SelectDataColumn(0);
  Grid->ShowCellEditor();
  TInplaceEdit* Cell = Grid->InplaceEditor();
  if (!Cell || !Cell->Visible()) {
    State.SkipWithError("the cell editor did not open");
    Form->Free();
    return;
  }
  hl::SetClipboardTextElsewhere(PastedText());

  std::vector<double> CellMs, MemoMs, Ratios;
  bool CellFirst = true;
  for (auto _ : State) {
    double C = 0, M = 0;
    if (CellFirst) {
      C = PasteMs(Cell);
      M = PasteMs(Memo);
    } else {
      M = PasteMs(Memo);
      C = PasteMs(Cell);
    }
    CellFirst = !CellFirst;
    CellMs.push_back(C);
    MemoMs.push_back(M);
    Ratios.push_back(C / M);
    State.SetIterationTime((C + M) / 1000);
  }
  if (Cell->Text().size() != PastedText().size() || Memo->Text().size() != PastedText().size())
    State.SkipWithError("a paste did not take the whole text");
  double CellSum = 0, MemoSum = 0;
  for (double V : CellMs) CellSum += V;
  for (double V : MemoMs) MemoSum += V;
  State.counters["cell_ms"] = CellSum / CellMs.size();
  State.counters["memo_ms"] = MemoSum / MemoMs.size();
  State.counters["ratio"] = CellSum / MemoSum;
  State.SetLabel("cell " + bench_figures::MinMedianMax(CellMs, "%.1f/%.1f/%.1f ms") + ", memo " +
                 bench_figures::MinMedianMax(MemoMs, "%.1f/%.1f/%.1f ms") + ", ratio " +
                 bench_figures::MinMedianMax(Ratios, "%.2f/%.2f/%.2f") + " (goal <= 2x)");
  Form->Free();
  hl::Reset();
}

}  // namespace

BENCHMARK(BM_CellPasteAgainstMemo)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
