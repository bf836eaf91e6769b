// A 1,000,000-row SQLite table shown in the data grid (30 visible data rows) through an
// ADO table: open it, Ctrl+End, Ctrl+Home, then 100 Page Down, each key going through the
// grid's own key handling (WM_KEYDOWN), against a plain program keeping the same 30 rows
// with the SQLite C API in the same process (bench/BigTable.h: a connection in the same
// mode, one statement running forward, only the rows not shown yet read). Each iteration
// runs both sides, alternating which goes first, and times each from nothing open to the
// last page shown (the grid's side includes closing its form); the IDs of the rows each
// side shows after each key, summed, must agree. On opening the grid counts the table's
// rows for its proportional vertical bar; the reference counts them too (count(*)), and
// the label gives that count's time and the ratio with it taken off either side.
//
// Painted: the grid's window is shown and the messages are processed after opening and
// after every key, as a message loop would, so the grid paints each page it shows into its
// window's image: the whole client area on opening, after Ctrl+End and after Ctrl+Home,
// and the rows (not the titles) after each Page Down, 103 paints. The reference draws each
// of the 103 pages with raw cairo on an RGB24 image of the grid's client size: the same
// rows, texts, check boxes, indicator, current cell and grid lines, in the grid's columns,
// rows, colours and font (read from the grid's first run, after its timing), the titles
// only where the grid repaints them.
//
// Hidden: the grid's window is hidden, so only the key handling and the data remain
// (bench/grid_paint measures drawing); the reference keeps the same rows without drawing.
//
// "ratio" is the grid's time over the reference's; "index_bytes_per_row" is what the
// table holds for the order of its rows, per row. With --dump=DIR the program instead
// runs each painted side once and writes what each shows last to DIR/grid.png and
// DIR/reference.png.
#include <benchmark/benchmark.h>
#include <cairo/cairo.h>
#include <sqlite3.h>

#include <charconv>
#include <cstdio>
#include <chrono>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BigTable.h"
#include "bench/CairoGridPage.h"
#include "bench/Figures.h"
#include "bench/GridOverTable.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/controls/Forms.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/desktop/Headless.h"
#include "platform/desktop/Input.h"
#include "platform/graphics/DrawRecord.h"

namespace {

constexpr int Rows = bench_data::BigTableRows;
constexpr int Screen = 30;
constexpr int Pages = 100;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point Since) { return std::chrono::duration<double>(Clock::now() - Since).count(); }

std::size_t GIndexBytes = 0;
std::string GDumpDir;

// ---- what the grid shows, for the reference ----

struct TShownPage {
  int ClientWidth = 0, ClientHeight = 0;
  std::vector<std::string> Captions;
  bench_grid::TCairoGridPage Whole;  // opening, Ctrl+End, Ctrl+Home
  bench_grid::TCairoGridPage Rows;   // after Page Down: the titles stay
};
TShownPage GShown;
bool GShownKnown = false;

bench_grid::TRgb Rgb(TColor Color) {
  const win::COLORREF C = ColorToRGB(Color);
  return {win::GetRValue(C) / 255.0, win::GetGValue(C) / 255.0, win::GetBValue(C) / 255.0};
}

const cairo_font_options_t* GridFontOptions() {
  // The grid's text engine: unhinted outlines, unhinted metrics, grey antialiasing.
  static cairo_font_options_t* Options = [] {
    cairo_font_options_t* O = cairo_font_options_create();
    cairo_font_options_set_hint_style(O, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(O, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(O, CAIRO_ANTIALIAS_GRAY);
    return O;
  }();
  return Options;
}

// The columns, rows, colours, font and lines of the grid's page, from the grid itself.
void ReadShownPage(TDBGridGx* Grid) {
  TShownPage S;
  S.ClientWidth = Grid->ClientWidth();
  S.ClientHeight = Grid->ClientHeight();
  bench_grid::TCairoGridPage& P = S.Whole;
  const int Cols = Grid->ShownColumns()->Count();
  for (int C = 0; C < Cols; ++C) {
    TColumnGx* Column = Grid->ShownColumns()->ColumnAt(C);
    const win::RECT R = Grid->CellRect(C + 1, 0);
    P.ColLefts.push_back(R.left);
    P.ColWidths.push_back(R.right - R.left);
    P.ColKinds.push_back(Column->CellKind() == CellKindCheckBox       ? bench_grid::TCairoCellKind::CheckBox
                         : Column->Alignment() == taRightJustify ? bench_grid::TCairoCellKind::RightText
                                                                 : bench_grid::TCairoCellKind::Text);
    S.Captions.push_back(Column->Title()->Caption());
  }
  for (int R = 0; R <= Screen; ++R) {
    const win::RECT Cell = Grid->CellRect(1, R);
    P.RowTops.push_back(Cell.top);
    P.RowHeights.push_back(Cell.bottom - Cell.top);
  }
  P.LastRow = Screen;
  P.IndicatorWidth = Grid->ColWidths(0);
  P.Background = P.CellFill = Rgb(Grid->Color());
  P.TitleFill = Rgb(Grid->FixedColor());
  P.RaisedFixedCells = true;
  P.Light = Rgb(clBtnHighlight);
  P.Shadow = Rgb(clBtnShadow);
  P.HighlightFill = Rgb(clHighlight);
  P.HighlightText = Rgb(clHighlightText);
  P.CurrentCol = Grid->Col() - 1;
  P.TextColor = Rgb(Grid->Font()->Color());
  // Texts start two pixels into the cell, their tops two pixels down.
  win::HDC DC = win::CreateCompatibleDC(nullptr);
  win::HGDIOBJ Old = win::SelectObject(DC, Grid->Font()->Handle());
  win::TEXTMETRIC Tm;
  win::GetTextMetrics(DC, &Tm);
  win::SelectObject(DC, Old);
  win::DeleteDC(DC);
  P.Baseline = 2 + Tm.tmAscent;
  P.FontSize = -Grid->Font()->Height();
  P.FontOptions = GridFontOptions();
  // A line after each cell, one pixel: black around the titles and the indicator, silver
  // between data cells. A scrolled page redraws the lines below the titles.
  const int Right = P.ColLefts.back() + P.ColWidths.back() + 1, Bottom = P.RowTops.back() + P.RowHeights.back() + 1;
  const int IndicatorLine = P.IndicatorWidth, TitleLine = P.RowTops[0] + P.RowHeights[0];
  auto Lines = [&](int Top) {
    bench_grid::TCairoLines Fixed{Rgb(clBlack), {}}, Data{Rgb(clSilver), {}};
    auto Vert = [](bench_grid::TCairoLines& L, int X, int Y0, int Y1) {
      L.Segments.push_back({X + 0.5, 1.0 * Y0, X + 0.5, 1.0 * Y1});
    };
    auto Horz = [](bench_grid::TCairoLines& L, int Y, int X0, int X1) {
      L.Segments.push_back({1.0 * X0, Y + 0.5, 1.0 * X1, Y + 0.5});
    };
    for (int C = 0; C < Cols; ++C) {
      const int X = P.ColLefts[C] + P.ColWidths[C];
      if (Top == 0) Vert(Fixed, X, 0, TitleLine + 1);
      Vert(Data, X, TitleLine + 1, Bottom);
    }
    for (int R = 1; R <= Screen; ++R) {
      const int Y = P.RowTops[R] + P.RowHeights[R];
      Horz(Fixed, Y, 0, IndicatorLine + 1);
      Horz(Data, Y, IndicatorLine + 1, Right);
    }
    Vert(Fixed, IndicatorLine, Top, Bottom);
    if (Top == 0) Horz(Fixed, TitleLine, 0, Right);
    return std::vector<bench_grid::TCairoLines>{Fixed, Data};
  };
  P.Lines = Lines(0);
  S.Rows = P;
  S.Rows.FirstRow = 1;
  S.Rows.Lines = Lines(TitleLine + 1);
  GShown = std::move(S);
  GShownKnown = true;
}

// ---- the grid ----

struct TSideResult {
  double Seconds = 0;
  std::int64_t Row = 0;       // the ID of the current row at the end
  std::int64_t Checksum = 0;  // the IDs of the rows shown after each key, summed
  double CountSeconds = 0;    // the reference: counting the rows
};

// Counts the rows as the grid's proportional bar needs them on opening; its time is noted.
void CountForTheBar(bench_data::TShownRows& Shown, TSideResult& Result) {
  const auto From = Clock::now();
  if (Shown.CountRows() != Rows) throw std::runtime_error("the row count");
  Result.CountSeconds = Seconds(From);
}

// The IDs of the rows the grid shows, summed.
std::int64_t ShownIds(TDBGridGx* Grid, TDataSet* Table) {
  TGridDataLinkGx* Link = Grid->GridLink();
  if (Link->RecordCount() != Screen)
    throw std::runtime_error("the grid holds " + std::to_string(Link->RecordCount()) + " rows, not 30");
  std::int64_t Sum = 0;
  const int Active = Link->ActiveRecord();
  for (int R = 0; R < Link->RecordCount(); ++R) {
    Link->SetActiveRecord(R);
    Sum += Table->FieldByName("ID")->AsInteger();
  }
  Link->SetActiveRecord(Active);
  return Sum;
}

// The IDs of the rows a plain program shows, summed.
std::int64_t ShownIds(const bench_data::TShownRows& Shown) {
  if (Shown.Count() != Screen) throw std::runtime_error("a page of " + std::to_string(Shown.Count()) + " rows");
  std::int64_t Sum = 0;
  for (int R = 0; R < Shown.Count(); ++R) Sum += Shown.Row(R).Id;
  return Sum;
}

TSideResult GridSide(bool Painted) {
  const auto Start = Clock::now();
  static bench_grid::GridUnit Unit;
  double Untimed = 0;
  std::int64_t Row = 0, Checksum = 0;
  {
    bench_grid::TGridOverTable Setup(bench_data::BigTablePath(), Screen);
    TForm* Form = Setup.Form.get();
    TADOTable* Table = Setup.Table;
    TDBGridGx* Grid = Setup.Grid;
    // Hidden, the grid's window paints nothing: what remains is its key handling and data.
    if (!Painted) Form->Hide();
    // What the grid shows, noted outside the time.
    auto Note = [&] {
      const auto From = Clock::now();
      Checksum += ShownIds(Grid, Table);
      Untimed += Seconds(From);
    };
    // Shown, what is pending paints as a message loop would paint it.
    auto Pump = [&] {
      if (Painted) win::headless::ProcessMessages();
      Note();
    };
    Pump();
    auto Press = [&](win::WORD Key, bool Ctrl) {
      win::input::SetKeyDown(win::VK_CONTROL, Ctrl);
      Grid->Perform(win::WM_KEYDOWN, Key, 0);
      win::input::SetKeyDown(win::VK_CONTROL, false);
      Pump();
    };
    Press(win::VK_END, true);
    if (!Table->Eof() || Table->FieldByName("ID")->AsInteger() != Rows) throw std::runtime_error("Ctrl+End");
    Press(win::VK_HOME, true);
    for (int P = 0; P < Pages; ++P) Press(win::VK_NEXT, false);
    GIndexBytes = Table->IndexMemory();
    Row = Table->FieldByName("ID")->AsInteger();
    const auto Shown = Clock::now();
    if (Painted && !GShownKnown) ReadShownPage(Grid);
    if (Painted && !GDumpDir.empty()) win::SaveWindowPng(Grid->Handle(), GDumpDir + "/grid.png");
    Untimed += Seconds(Shown);
  }
  return {Seconds(Start) - Untimed, Row, Checksum};
}

// ---- the C API ----

// The same rows kept through the C API, keys and data only.
TSideResult ReferenceSide() {
  const auto Start = Clock::now();
  bench_data::TShownRows Shown(Screen);
  TSideResult Result;
  std::int64_t Checksum = 0;
  Shown.First();  // opening: the first page, its first row current, and the bar's range
  CountForTheBar(Shown, Result);
  Checksum += ShownIds(Shown);
  Shown.Last();  // Ctrl+End
  Checksum += ShownIds(Shown);
  Shown.First();  // Ctrl+Home
  Checksum += ShownIds(Shown);
  // Page Down moves the current row a page on and shows it at the bottom.
  for (int P = 0; P < Pages; ++P) {
    Shown.MoveBy(Screen);
    Checksum += ShownIds(Shown);
  }
  benchmark::DoNotOptimize(Shown.Checksum());
  Result.Seconds = Seconds(Start);
  Result.Row = Shown.Row(Shown.Current()).Id;
  Result.Checksum = Checksum;
  return Result;
}

// The pages the grid shows, kept through the C API and each drawn with cairo.
TSideResult PaintedReferenceSide() {
  const auto Start = Clock::now();
  cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, GShown.ClientWidth, GShown.ClientHeight);
  bench_data::TShownRows Shown(Screen);
  std::int64_t Checksum = 0;
  char Buf[24];
  auto Number = [&](std::int64_t V) { return std::string(Buf, std::to_chars(Buf, Buf + sizeof Buf, V).ptr); };
  auto Text = [&](int R, int C) -> std::string {
    if (R == 0) return GShown.Captions[C];
    switch (C) {
      case 0: return Number(Shown.Row(R - 1).Id);
      case 2: return Number(Shown.Row(R - 1).KeyIndex);
      default: return "(MEMO)";
    }
  };
  auto Checked = [&](int R, int) { return Shown.Row(R - 1).Shift != 0; };
  // Draws the rows kept, with the current row (from 1) where it is.
  auto Show = [&](bench_grid::TCairoGridPage& Layout) {
    Checksum += ShownIds(Shown);
    Layout.CurrentRow = Shown.Current() + 1;
    bench_grid::DrawCairoGridPage(Surface, Layout, Text, Checked);
  };
  TSideResult Result;
  Shown.First();  // opening: the first page, its first row current, and the bar's range
  CountForTheBar(Shown, Result);
  Show(GShown.Whole);
  Shown.Last();  // Ctrl+End: the last page, its last row current
  Show(GShown.Whole);
  Shown.First();  // Ctrl+Home
  Show(GShown.Whole);
  // Page Down moves the current row a page on and shows it at the bottom.
  for (int P = 0; P < Pages; ++P) {
    Shown.MoveBy(Screen);
    Show(GShown.Rows);
  }
  benchmark::DoNotOptimize(Shown.Checksum());
  Result.Seconds = Seconds(Start);
  if (!GDumpDir.empty()) cairo_surface_write_to_png(Surface, (GDumpDir + "/reference.png").c_str());
  cairo_surface_destroy(Surface);
  Result.Row = Shown.Row(Shown.Current()).Id;
  Result.Checksum = Checksum;
  return Result;
}

void PageDown(benchmark::State& State, bool Painted) {
  bench_data::BigTablePath();
  bench_figures::TComparison Times, WithoutCount;
  std::vector<double> CountMs;
  // The grid goes first in the first iteration: its run tells the reference what it shows.
  bool GridFirst = true;
  try {
    for (auto _ : State) {
      TSideResult G, R;
      for (int Side = 0; Side < 2; ++Side) {
        if ((Side == 0) == GridFirst) G = GridSide(Painted);
        else R = Painted ? PaintedReferenceSide() : ReferenceSide();
      }
      GridFirst = !GridFirst;
      // Page Down from the first row moves a page of rows.
      if (G.Row != 1 + Pages * Screen || R.Row != G.Row)
        throw std::runtime_error("the sides ended on rows " + std::to_string(G.Row) + " and " + std::to_string(R.Row));
      if (G.Checksum != R.Checksum)
        throw std::runtime_error("the sides showed different rows: checksums " + std::to_string(G.Checksum) +
                                 " and " + std::to_string(R.Checksum));
      Times.Add(G.Seconds, R.Seconds);
      WithoutCount.Add(G.Seconds - R.CountSeconds, R.Seconds - R.CountSeconds);
      CountMs.push_back(R.CountSeconds * 1000);
      State.SetIterationTime(G.Seconds);
    }
  } catch (const std::exception& E) {
    State.SkipWithError(E.what());
    return;
  }
  State.counters["index_bytes_per_row"] = static_cast<double>(GIndexBytes) / Rows;
  State.SetLabel(Times.Label("grid", Painted ? "C API + cairo" : "C API", "<= 3x") + "; the row count " +
                 bench_figures::MinMedianMax(CountMs, "%.2f/%.2f/%.2f ms") + ", ratio without it on either side " +
                 bench_figures::MinMedianMax(WithoutCount.Ratios, "%.2f/%.2f/%.2f"));
}
void BM_GridPageDownPainted(benchmark::State& State) { PageDown(State, true); }
void BM_GridPageDownHidden(benchmark::State& State) { PageDown(State, false); }
BENCHMARK(BM_GridPageDownPainted)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridPageDownHidden)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  for (int I = 1; I < argc; ++I)
    if (std::strncmp(argv[I], "--dump=", 7) == 0) GDumpDir = argv[I] + 7;
  if (!GDumpDir.empty()) {
    const std::int64_t Grid = GridSide(true).Row, Reference = PaintedReferenceSide().Row;
    std::printf("grid ends on %lld, reference on %lld\n", static_cast<long long>(Grid),
                static_cast<long long>(Reference));
    bench_data::RemoveBigTable();
    return Grid == Reference ? 0 : 1;
  }
  return bench_data::RunBenchmarks(argc, argv);
}
