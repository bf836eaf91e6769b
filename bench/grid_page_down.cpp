// A 1,000,000-row SQLite table shown in the data grid (30 visible data rows) through an
// ADO table: open it, Ctrl+End, Ctrl+Home, then 100 Page Down, each key going through the
// grid's own key handling (WM_KEYDOWN), against the SQLite C API in the same process. Each
// iteration runs both sides, alternating which goes first, and times each from nothing
// open to the last page shown (the grid's side includes closing its form).
//
// Painted: the grid's window is shown and the messages are processed after opening and
// after every key, as a message loop would, so the grid paints each page it shows into its
// window's image: the whole client area on opening, after Ctrl+End and after Ctrl+Home,
// and the rows (not the titles) after each Page Down, 103 paints. The reference reads the
// same 103 pages with a statement each (the rows the grid shows: Page Down leaves the
// current row at the bottom) and draws each with raw cairo on an RGB24 image of the grid's
// client size: the same rows, texts, check boxes, indicator, current cell and grid lines,
// in the grid's columns, rows, colours and font (read from the grid's first run, after
// its timing), the titles only where the grid repaints them.
//
// Hidden: the grid's window is hidden, so only the key handling and the data remain
// (bench/grid_paint measures drawing); the reference reads the first page, the last, the
// first again and 100 pages on from the top.
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
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGx/Columns.h"
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
  std::int64_t Row = 0;  // the ID of the current row at the end
};

TSideResult GridSide(bool Painted) {
  const auto Start = Clock::now();
  static bench_grid::GridUnit Unit;
  double Untimed = 0;
  std::int64_t Row = 0;
  {
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 640, 900);
    auto* Conn = new TADOConnection(Form.get());
    Conn->SetLoginPrompt(false);
    Conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + bench_data::BigTablePath());
    auto* Table = new TADOTable(Form.get());
    Table->SetConnection(Conn);
    Table->SetTableName("TSet");
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(Table);
    auto* Grid = new TDBGridGx(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetDataSource(Source);
    Table->Open();
    Form->Show();
    // The lowest height that shows 30 data rows.
    int Low = 50, High = 2000;
    while (Low < High) {
      const int Mid = (Low + High) / 2;
      Grid->SetBounds(0, 0, 600, Mid);
      if (Grid->VisibleDataRowCount() >= Screen) High = Mid;
      else Low = Mid + 1;
    }
    Grid->SetBounds(0, 0, 600, Low);
    if (Grid->VisibleDataRowCount() != Screen)
      throw std::runtime_error("the grid shows " + std::to_string(Grid->VisibleDataRowCount()) + " rows, not 30");
    Grid->SetFocus();
    // Hidden, the grid's window paints nothing: what remains is its key handling and data.
    if (!Painted) Form->Hide();
    // Shown, what is pending paints as a message loop would paint it.
    auto Pump = [&] {
      if (Painted) win::headless::ProcessMessages();
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
    Untimed = Seconds(Shown);
  }
  return {Seconds(Start) - Untimed, Row};
}

// ---- the C API ----

// The same pages through the C API, keys and data only; the ID of the last row read.
TSideResult ReferenceSide() {
  const auto Start = Clock::now();
  bench_data::TPageReader Reader(false);
  Reader.Forward(0, Screen);                            // opening: the first page
  Reader.Backward(INT64_MAX, Screen);                   // Ctrl+End
  std::int64_t After = Reader.Forward(0, Screen);       // Ctrl+Home
  // A page down from the last row shown.
  for (int P = 0; P < Pages; ++P) After = Reader.Forward(After, Screen);
  benchmark::DoNotOptimize(Reader.Checksum());
  return {Seconds(Start), After};
}

// A row as the grid shows it: its ID and key as text, its flag as a check box.
struct TShownRow {
  char Id[24], Key[24];
  bool Shift;
};

void KeepRow(TShownRow& Row, sqlite3_stmt* St) {
  *std::to_chars(Row.Id, Row.Id + sizeof Row.Id - 1, sqlite3_column_int64(St, 0)).ptr = 0;
  Row.Shift = sqlite3_column_int64(St, 1) != 0;
  *std::to_chars(Row.Key, Row.Key + sizeof Row.Key - 1, sqlite3_column_int64(St, 2)).ptr = 0;
}

// The pages the grid shows, each read with a statement and drawn with cairo; the ID of the
// current row at the end.
TSideResult PaintedReferenceSide() {
  const auto Start = Clock::now();
  cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, GShown.ClientWidth, GShown.ClientHeight);
  bench_data::TPageReader Reader(false);
  TShownRow Page[Screen];
  int Kept = 0;
  auto Down = [&](sqlite3_stmt* St) { KeepRow(Page[Kept++], St); };
  auto Up = [&](sqlite3_stmt* St) { KeepRow(Page[Screen - 1 - Kept++], St); };
  auto Text = [&](int R, int C) -> std::string {
    if (R == 0) return GShown.Captions[C];
    switch (C) {
      case 0: return Page[R - 1].Id;
      case 2: return Page[R - 1].Key;
      default: return "(MEMO)";
    }
  };
  auto Checked = [&](int R, int) { return Page[R - 1].Shift; };
  // Draws the page read, with the current row (from 1) at CurrentRow.
  auto Show = [&](bench_grid::TCairoGridPage& Layout, int CurrentRow) {
    if (Kept != Screen) throw std::runtime_error("a page of " + std::to_string(Kept) + " rows");
    Kept = 0;
    Layout.CurrentRow = CurrentRow;
    bench_grid::DrawCairoGridPage(Surface, Layout, Text, Checked);
  };
  Reader.Forward(0, Screen, Down);  // opening: the first page, its first row current
  Show(GShown.Whole, 1);
  Reader.Backward(INT64_MAX, Screen, Up);  // Ctrl+End: the last page, its last row current
  Show(GShown.Whole, Screen);
  Reader.Forward(0, Screen, Down);  // Ctrl+Home
  Show(GShown.Whole, 1);
  // Page Down moves the current row a page on and shows it at the bottom.
  std::int64_t Current = 1;
  for (int P = 0; P < Pages; ++P) {
    Current = Reader.Forward(Current, Screen, Down);
    Show(GShown.Rows, Screen);
  }
  benchmark::DoNotOptimize(Reader.Checksum());
  const double Took = Seconds(Start);
  if (!GDumpDir.empty()) cairo_surface_write_to_png(Surface, (GDumpDir + "/reference.png").c_str());
  cairo_surface_destroy(Surface);
  return {Took, Current};
}

void PageDown(benchmark::State& State, bool Painted) {
  bench_data::BigTablePath();
  std::vector<double> GridMs, ReferenceMs, Ratios;
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
      // Page Down from the first row moves a page of rows. Hidden, the reference reads a
      // page past the last row shown; painted, it ends on the grid's current row.
      const std::int64_t Expected = Painted ? 1 + Pages * Screen : (Pages + 1) * Screen;
      if (G.Row != 1 + Pages * Screen || R.Row != Expected)
        throw std::runtime_error("the sides ended on rows " + std::to_string(G.Row) + " and " + std::to_string(R.Row));
      GridMs.push_back(G.Seconds * 1000);
      ReferenceMs.push_back(R.Seconds * 1000);
      Ratios.push_back(G.Seconds / R.Seconds);
      State.SetIterationTime(G.Seconds);
    }
  } catch (const std::exception& E) {
    State.SkipWithError(E.what());
    return;
  }
  State.counters["index_bytes_per_row"] = static_cast<double>(GIndexBytes) / Rows;
  State.SetLabel("grid " + bench_figures::MinMedianMax(GridMs, "%.2f/%.2f/%.2f ms") + ", " +
                 (Painted ? "C API + cairo " : "C API ") +
                 bench_figures::MinMedianMax(ReferenceMs, "%.2f/%.2f/%.2f ms") + ", ratio " +
                 bench_figures::MinMedianMax(Ratios, "%.2f/%.2f/%.2f") + " (goal <= 3x)");
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
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  bench_data::RemoveBigTable();
  return 0;
}
