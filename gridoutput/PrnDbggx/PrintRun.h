#pragma once
// The layout state of one print of TPrintDBGridGx, shared by the pagination
// (Layout.cpp) and the drawing of cells, titles and page headers (Cells.cpp).
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "grid/DBGridGx.h"
#include "gridoutput/PrnDbggx.h"

// A printed row: a data row (its bookmark), a footer row (its number) or the end.
struct TPolyBookmark {
  std::string Str;
  bool Data = false;
  bool End = false;
  static TPolyBookmark Footer(int N) { return {std::to_string(N), false, false}; }
  static TPolyBookmark EndRow() { return {"", false, true}; }
};

class TGridPrintRun {
public:
  TGridPrintRun(TPrintDBGridGx* Owner, TVirtualPrinter* Printer);
  // Lays the whole grid out; the job is finished also when it fails.
  void Run();

  // ---- Cells.cpp ----
  int DrawTextInRect(win::RECT R, bool Fill, int InsetX, int InsetY, const std::string& Text,
                     TAlignment Alignment, TTextLayout Layout, bool WordWrap, bool EndEllipsis,
                     int LeftMargin, int RightMargin, bool MeasureOnly);
  int DrawCell(int PrintCol, win::RECT R, const TPolyBookmark& Row, bool MeasureOnly);
  void DrawCheckBox(const win::RECT& TextRect, TCheckBoxState State);
  void DrawCellImage(TCustomImageList* List, win::RECT R, TAlignment Alignment, int ImageIndex);
  std::string FormatFooterCellText(int FooterRow, int PrintCol);
  // What footer row FooterRow prints under print column PrintCol.
  std::string FooterCellText(int FooterRow, int PrintCol);
  int DrawPageHeaderFooter(win::RECT R, bool Header, bool MeasureOnly);
  std::string ExpandPageMacros(const std::string& Text);
  void SetCanvasFont(TFont* Font, bool ReplaceName = true);
  void AddGridLine(std::initializer_list<win::POINT> Points);
  win::RECT Mirror(win::RECT R) const;

  // ---- Titles.cpp ----
  int MeasureTitleHeight();
  int MeasureGridTitle();
  void DrawTitleRow(int First, int Last);
  void DrawGridTitle(int First, int Last);
  bool TitleHasImage(TColumnGx* Column) const;
  std::string LeafTitleCaption(TColumnGx* Column) const;
  void PrepareMultiTitle();
  THeadTreeNode* TitleLeaf(TColumnGx* Column) const;
  int TitleNodeWidth(THeadTreeNode* Node, int& Start);
  int MeasureMultiTitle(THeadTreeNode* Node);
  win::RECT TitleNodeRect(THeadTreeNode* Node, int Bottom, int BandStart, int BandWidth, int& Hidden,
                          int& Overflow) const;
  void DrawMultiTitleRow(int First, int Last);

  // ---- Measure.cpp ----
  void CreateMeasureCanvas();
  void FreeMeasureCanvas();
  void MeasureOptimalWidths();
  int MeasureTextWidth(const std::string& Text);

  // ---- Layout.cpp ----
  void ComputeMacroValues();
  void CollectPrintColumns();
  void ComputePageGeometry();
  void ComputeColumnWidths();
  void ScalePageRectForFit();
  void ApplyFitScaling();
  void SplitIntoBands();
  void PreparePageCanvas();
  void ComputeBaseRowHeight();
  bool PagesMacroUsed();
  void PrintBody();
  void PrintPlainText(TStrings* Lines);
  TPolyBookmark FirstPrintRow();
  TPolyBookmark NextPrintRow(const TPolyBookmark& Row);
  TPolyBookmark FooterRowsStart();
  void GotoPrintRow(const TPolyBookmark& Row);
  void CollectRowsForPage(const TPolyBookmark& From, int Top, int Bottom);
  void AddRowToFooterSums();
  int DrawRowChunk();
  void AdvancePage();
  int TotalPrintWidth() const;
  TColumnFooterGx* FooterOf(TColumnGx* Column, int FooterRow) const;
  TField* FooterField(TColumnGx* Column, TColumnFooterGx* Footer) const;

  TPrintDBGridGx* Owner;
  TVirtualPrinter* Printer;
  TDBGridGx* Grid = nullptr;
  TDataSet* Data = nullptr;
  TCanvas* Canvas = nullptr;
  // The scratch canvas measured on (optimal widths, the dry run), like the page.
  std::unique_ptr<TMetafile> MeasureMetafile;
  std::unique_ptr<TMetafileCanvas> MeasureCanvas;
  std::vector<TColumnGx*> Columns;
  std::vector<int> PrintedWidths, BandWidths, BandEnds;
  std::vector<int> RowHeights;
  std::vector<win::POINT> LinePoints;
  std::vector<win::DWORD> LineCounts;
  win::RECT PageRect{}, BodyRect{}, HeaderRect{}, FooterRect{};
  int UsedHeight = 0;
  int PageCount = 1;
  bool DryRun = false;
  bool FirstPage = true;
  bool WrapCells = false;
  int ScreenResX = 96, ScreenResY = 96, PrinterResX = 600, PrinterResY = 600;
  double RatioX = 1, RatioY = 1;
  int CellInsetX = 0, CellInsetY = 0, SmallInsetY = 0, LineWidth = 1;
  int FitTotal = 0, FitLeft = 0, FitRight = 0;
  int BaseRowHeight = 0, TitleHeight = 0, TitleBlockHeight = 0;
  std::vector<std::int64_t> FooterSums;  // [footer row * columns + print column], 1/10000
  TPolyBookmark CurrentRow, NextRow;
  // The multi-level title of the print: its tree, the leaf of each grid column, and where
  // each node starts across the whole printed width.
  std::unique_ptr<THeadTreeNode> TitleTree;
  std::vector<THeadTreeNode*> TitleLeaves;
  std::map<THeadTreeNode*, int> TitleNodeStart;
};

// Measuring under the hourglass on the run's measuring canvas while it lives.
class TMeasuringScope {
public:
  explicit TMeasuringScope(TGridPrintRun* Run);
  ~TMeasuringScope();
  TMeasuringScope(const TMeasuringScope&) = delete;
  TMeasuringScope& operator=(const TMeasuringScope&) = delete;

private:
  TGridPrintRun* FRun;
  TCursor FCursor;
};

// Round half to even, as the print geometry does.
int RoundEven(double Value);
// Text without its final line breaks.
std::string WithoutFinalBreak(std::string S);
int ExternalLeading(TCanvas* Canvas);
