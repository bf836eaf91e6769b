// The grid's clipboard with 100,000 rows of 7 columns (table E), each side in a fresh
// process, alternating which goes first, with each side's peak resident memory:
// - copy: the table opened and every record copied (Ctrl+A, Ctrl+C: the text, UTF-16
//   text, "Csv", "Rich Text Format" and "VCLDBIF" forms), against the table opened and
//   the same rows exported with the same four drivers to four files;
// - paste: another program's "VCLDBIF" block of those rows pasted into an empty table
//   through the grid, against importing the same bytes from a file with the interchange
//   driver; the two tables are compared once.
// "ratio" is the medians' ratio (goal <= 3).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/ChildRun.h"
#include "bench/ExportTable.h"
#include "bench/GridOverTable.h"
#include "bench/GridUnit.h"
#include "grid/DBGridGx.h"
#include "gridoutput/DBGridGxImpExp.h"
#include "platform/controls/Clipbrd.h"
#include "platform/data/ADODB.h"
#include "platform/desktop/WinKernel.h"
#include "platform/rtl/Streams.h"

namespace {

constexpr int Rows = 100000;
using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

const std::string& FullTable() {
  static const std::string path = [] {
    const std::string p = bench_tables::Dir() + "/full.mdb";
    bench_tables::MakeTableE(p, Rows);
    return p;
  }();
  return path;
}

// The interchange form of every row, as a file written once by the driver.
const std::string& InterchangeFile() {
  static const std::string path = [] {
    const std::string p = bench_tables::Dir() + "/rows.vcldbif";
    bench_child::RunInChild([&] {
      bench_grid::GridUnit Unit;
      bench_grid::TGridOnTable On(FullTable(), "E");
      On.Table->Open();
      TDBGridGxExportAsVCLDBIF Exporter;
      Exporter.SetGrid(On.Grid);
      Exporter.WriteToFile(p, true);
      return 0.0;
    });
    return p;
  }();
  return path;
}

std::string FileBytes(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

double CopySide() {
  bench_grid::GridUnit Unit;
  TDBGridGxImpExpUnitUse Output;
  bench_grid::TGridOnTable On(FullTable(), "E");
  const auto Start = Clock::now();
  On.Table->Open();
  On.Grid->GridSelection()->SelectAll();
  CopyGridSelection(On.Grid, false);
  const double Time = Seconds(Start);
  Clipboard()->Open();
  const bool Complete = Clipboard()->HasFormat(ClipFormatVCLDBIF()) && Clipboard()->HasFormat(ClipFormatRtf());
  Clipboard()->Close();
  if (!Complete) throw std::runtime_error("the copy left forms out");
  return Time;
}

double ExportSide() {
  bench_grid::GridUnit Unit;
  bench_grid::TGridOnTable On(FullTable(), "E");
  const std::string Out = bench_tables::Dir() + "/export.";
  const auto Start = Clock::now();
  On.Table->Open();
  TDBGridGxExportAsText Text;
  TDBGridGxExportAsCSV Csv;
  TDBGridGxExportAsRTF Rtf;
  TDBGridGxExportAsVCLDBIF Interchange;
  const std::pair<TDBGridGxExport*, const char*> Forms[] = {
      {&Text, "txt"}, {&Csv, "csv"}, {&Rtf, "rtf"}, {&Interchange, "vcldbif"}};
  for (const auto& [Exporter, Extension] : Forms) {
    Exporter->SetGrid(On.Grid);
    Exporter->WriteToFile(Out + Extension, true);
  }
  const double Time = Seconds(Start);
  for (const auto& Form : Forms) std::filesystem::remove(Out + Form.second);
  return Time;
}

double PasteSide(const std::string& Db) {
  bench_grid::GridUnit Unit;
  TDBGridGxImpExpUnitUse Output;
  bench_tables::MakeTableE(Db, 0);
  bench_grid::TGridOnTable On(Db, "E");
  {
    // What another program copied.
    const std::string Bytes = FileBytes(InterchangeFile());
    win::HGLOBAL Block = win::GlobalAlloc(win::GMEM_MOVEABLE, Bytes.size());
    std::memcpy(win::GlobalLock(Block), Bytes.data(), Bytes.size());
    win::GlobalUnlock(Block);
    Clipboard()->Open();
    Clipboard()->Clear();
    Clipboard()->SetAsHandle(ClipFormatVCLDBIF(), Block);
    Clipboard()->Close();
  }
  const auto Start = Clock::now();
  On.Table->Open();
  PasteIntoGrid(On.Grid, false);
  On.Table->Close();
  return Seconds(Start);
}

double ImportSide(const std::string& Db) {
  bench_grid::GridUnit Unit;
  bench_tables::MakeTableE(Db, 0);
  bench_grid::TGridOnTable On(Db, "E");
  const auto Start = Clock::now();
  On.Table->Open();
  TDBGridGxImportAsVCLDBIF Importer;
  Importer.SetGrid(On.Grid);
  Importer.ReadFromFile(InterchangeFile(), false);
  On.Table->Close();
  return Seconds(Start);
}

void BM_CopyAllFormsAgainstExport(benchmark::State& state) {
  FullTable();
  bench_child::CompareSides(state, CopySide, ExportSide);
}

void BM_PasteInterchangeAgainstImport(benchmark::State& state) {
  InterchangeFile();
  const std::string Mine = bench_tables::Dir() + "/pasted.mdb", Theirs = bench_tables::Dir() + "/imported.mdb";
  bench_child::CompareSides(
      state, [&] { return PasteSide(Mine); }, [&] { return ImportSide(Theirs); });
  const std::string Pasted = bench_tables::DumpTableE(Mine);
  if (Pasted != bench_tables::DumpTableE(Theirs) || Pasted != bench_tables::DumpTableE(FullTable()))
    state.SkipWithError("the pasted table differs");
}

BENCHMARK(BM_CopyAllFormsAgainstExport)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PasteInterchangeAgainstImport)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
