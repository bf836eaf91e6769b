// Printing a 7-column grid of 10,000 rows to the "PDF file" printer through the grid's
// print component: the pages are recorded for the preview, then the recorded pages are
// printed. The reference draws the same pages straight with cairo onto a PDF surface:
// the same texts at the same places, the same lines and the same check-box fills, read
// from what an untimed first run of the print drew. Each side runs in a fresh process,
// alternating which goes first. Counters: the medians, their ratio and each side's peak
// resident memory; the label holds min / median / max of the runs. The print's peak memory
// is also taken in stages: before the preview's recording, after it, and at the end, after
// the recorded pages went to the PDF (near the second when no page is held twice).
#include <benchmark/benchmark.h>
#include <cairo/cairo-pdf.h>
#include <cairo/cairo.h>
#include <sqlite3.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchFiles.h"
#include "bench/ChildRun.h"
#include "bench/GridOverTable.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "gridoutput/PrViewGx.h"
#include "gridoutput/PrnDbggx.h"
#include "platform/controls/Printers.h"
#include "platform/graphics/DrawRecord.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The process's peak resident memory so far, in kB.
long PeakKb() {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line))
    if (Line.rfind("VmHWM:", 0) == 0) return std::stol(Line.substr(6));
  return 0;
}

const std::string& Dir() { return bench_files::Dir("print"); }

// Table P of Rows rows: ID, Name, Qty, Price, Done (a check box), Note, Code.
std::string Database(int Rows) {
  const std::string sql =
      "CREATE TABLE P (ID INTEGER PRIMARY KEY, Name VARCHAR(40), Qty INTEGER, Price FLOAT, Done BIT, "
      "Note VARCHAR(60), Code INTEGER);"
      "BEGIN;"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
      std::to_string(Rows) +
      ") INSERT INTO P SELECT i, 'name ' || i, i % 1000, i * 0.25, i % 3 = 0, 'note on row ' || i, i % 103 FROM n;"
      "COMMIT;";
  return bench_files::Database("print", "p" + std::to_string(Rows) + ".mdb", sql);
}

// Only the "PDF file" printer: no print server is asked.
struct TPdfOnly : TPrinterBackend {
  std::vector<TPrinterDevice> Devices() override {
    TPrinterDevice d;
    d.Name = PdfFilePrinterName;
    d.ToFile = true;
    d.Papers = {TPaperSize{"A4", 210, 297}};
    return {d};
  }
  void Submit(const TPrinterDevice&, const std::string&, const std::string&, int) override {}
};

// What a page drew, for the reference to draw again.
struct TPageOp {
  char Kind = 'T';  // T text, L polyline, F fill
  std::string Text;
  std::vector<win::POINT> Points;
  win::RECT Rect{};
  int FontPx = 0, PenWidth = 1;
  unsigned Color = 0;
};
using TPages = std::vector<std::vector<TPageOp>>;

void SavePages(const TPages& Pages, const std::string& Path) {
  std::ofstream Out(Path);
  Out << Pages.size() << "\n";
  for (const auto& Page : Pages) {
    Out << Page.size() << "\n";
    for (const TPageOp& Op : Page) {
      Out << Op.Kind << ' ' << Op.FontPx << ' ' << Op.PenWidth << ' ' << Op.Color << ' ' << Op.Rect.left << ' '
          << Op.Rect.top << ' ' << Op.Rect.right << ' ' << Op.Rect.bottom << ' ' << Op.Points.size();
      for (const win::POINT& P : Op.Points) Out << ' ' << P.x << ' ' << P.y;
      Out << ' ' << Op.Text.size() << ' ' << Op.Text << "\n";
    }
  }
}

TPages LoadPages(const std::string& Path) {
  std::ifstream In(Path);
  std::size_t Count = 0;
  In >> Count;
  TPages Pages(Count);
  for (auto& Page : Pages) {
    std::size_t Ops = 0;
    In >> Ops;
    Page.resize(Ops);
    for (TPageOp& Op : Page) {
      std::size_t Points = 0, Length = 0;
      In >> Op.Kind >> Op.FontPx >> Op.PenWidth >> Op.Color >> Op.Rect.left >> Op.Rect.top >> Op.Rect.right >>
          Op.Rect.bottom >> Points;
      Op.Points.resize(Points);
      for (win::POINT& P : Op.Points) In >> P.x >> P.y;
      In >> Length;
      In.get();
      Op.Text.resize(Length);
      In.read(Op.Text.data(), std::streamsize(Length));
    }
  }
  return Pages;
}

// Prints the grid through the preview to Out; with Dump, also writes what each printed
// page drew (untimed).
// The peaks of the timed print (before the recording, after it, at the end) go to Memory.
double ProjectSide(const std::string& Db, const std::string& Out, const std::string& Dump,
                   const std::string& Memory = "") {
  static bench_grid::GridUnit Unit;
  SetPrinterBackend(std::make_shared<TPdfOnly>());
  bench_grid::TGridOnTable On(Db, "P");
  TDBGridGx* Grid = On.Grid;
  Grid->Font()->SetName("DejaVu Sans");
  Grid->TitleFont()->SetName("DejaVu Sans");
  const auto Start = Clock::now();
  On.Table->Open();
  Grid->Columns()->ColumnAt(4)->SetCheckboxes(true);
  TPrintDBGridGx Print(nullptr);
  Print.SetDBGridGx(Grid);
  Print.PageHeader()->LeftText()->Add("Price list");
  Print.PageFooter()->RightText()->Add("Page &[Page]");
  TPrinterPreview Preview;
  const long BeforeRecording = PeakKb();
  Print.RenderToPrinter(&Preview);
  const long AfterRecording = PeakKb();
  TPrinter* P = Printer();
  P->SetPrinterIndex(0);
  P->SetFileName(Out);
  TPages Pages;
  if (!Dump.empty()) win::StartDrawRecording();
  P->BeginDoc();
  for (int Page = 1; Page <= Preview.RecordedPages(); ++Page) {
    if (Page > 1) P->NewPage();
    Preview.PrintPage(P->Canvas(), Page);
    if (Dump.empty()) continue;
    Pages.emplace_back();
    for (const win::DrawOp& Op : win::DrawRecording()) {
      if (Op.dc != P->Canvas()->Handle()) continue;
      TPageOp Copy;
      if (Op.kind == win::DrawKind::Text) {
        Copy.Kind = 'T';
        Copy.Text = Op.text;
        Copy.Points = {Op.points.at(0)};
        Copy.FontPx = std::abs(Op.font.lfHeight);
      } else if (Op.kind == win::DrawKind::Line) {
        Copy.Kind = 'L';
        Copy.Points = Op.points;
        Copy.PenWidth = Op.penWidth;
      } else if (Op.kind == win::DrawKind::Fill) {
        Copy.Kind = 'F';
        Copy.Rect = Op.rect;
      } else {
        continue;
      }
      Copy.Color = Op.color;
      Pages.back().push_back(std::move(Copy));
    }
    win::ClearDrawRecording();
  }
  P->EndDoc();
  const double Elapsed = Seconds(Start);
  if (!Memory.empty())
    std::ofstream(Memory, std::ios::app) << BeforeRecording << ' ' << AfterRecording << ' ' << PeakKb() << "\n";
  if (!Dump.empty()) {
    win::StopDrawRecording();
    SavePages(Pages, Dump);
  }
  return Elapsed;
}

// Draws the pages that Dump describes straight onto a cairo PDF surface, at 600 dpi.
double ReferenceSide(const std::string& Dump, const std::string& Out) {
  const TPages Pages = LoadPages(Dump);
  const auto Start = Clock::now();
  cairo_surface_t* Surface = cairo_pdf_surface_create(Out.c_str(), 210 / 25.4 * 72, 297 / 25.4 * 72);
  cairo_t* cr = cairo_create(Surface);
  cairo_scale(cr, 72.0 / 600, 72.0 / 600);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  auto Color = [cr](unsigned C) {
    cairo_set_source_rgb(cr, (C & 0xFF) / 255.0, ((C >> 8) & 0xFF) / 255.0, ((C >> 16) & 0xFF) / 255.0);
  };
  for (const auto& Page : Pages) {
    for (const TPageOp& Op : Page) {
      Color(Op.Color);
      if (Op.Kind == 'T') {
        cairo_set_font_size(cr, Op.FontPx);
        cairo_move_to(cr, Op.Points[0].x, Op.Points[0].y);
        cairo_show_text(cr, Op.Text.c_str());
      } else if (Op.Kind == 'L') {
        cairo_set_line_width(cr, Op.PenWidth);
        cairo_move_to(cr, Op.Points[0].x, Op.Points[0].y);
        for (std::size_t I = 1; I < Op.Points.size(); ++I) cairo_line_to(cr, Op.Points[I].x, Op.Points[I].y);
        cairo_stroke(cr);
      } else {
        cairo_rectangle(cr, Op.Rect.left, Op.Rect.top, Op.Rect.right - Op.Rect.left, Op.Rect.bottom - Op.Rect.top);
        cairo_fill(cr);
      }
    }
    cairo_show_page(cr);
  }
  cairo_destroy(cr);
  cairo_surface_finish(Surface);
  const bool Ok = cairo_surface_status(Surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(Surface);
  if (!Ok) throw std::runtime_error("cairo could not write the PDF");
  return Seconds(Start);
}

void BM_PrintGridPdf(benchmark::State& state) {
  const int Rows = static_cast<int>(state.range(0));
  const std::string Db = Database(Rows);
  const std::string Mine = Dir() + "/project.pdf", Theirs = Dir() + "/reference.pdf", Dump = Dir() + "/pages.txt";
  const std::string Memory = Dir() + "/memory.txt";
  std::filesystem::remove(Memory);
  // The untimed first print tells the reference what to draw.
  bench_child::RunInChild([&] { return ProjectSide(Db, Mine, Dump); });
  bench_child::CompareSides(
      state, [&] { return ProjectSide(Db, Mine, "", Memory); }, [&] { return ReferenceSide(Dump, Theirs); });
  state.counters["pages"] = double(LoadPages(Dump).size());
  // The stages of the run with the largest peak.
  std::ifstream Stages(Memory);
  long Before = 0, After = 0, End = 0, B, A, E;
  while (Stages >> B >> A >> E)
    if (E > End) Before = B, After = A, End = E;
  state.counters["peak_before_recording_MB"] = Before / 1024.0;
  state.counters["peak_after_recording_MB"] = After / 1024.0;
  state.counters["peak_at_end_MB"] = End / 1024.0;
  std::filesystem::remove(Memory);
  std::filesystem::remove(Mine);
  std::filesystem::remove(Theirs);
  std::filesystem::remove(Dump);
}

BENCHMARK(BM_PrintGridPdf)->Arg(10000)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
