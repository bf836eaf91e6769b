// The page layout of a grid print: geometry, column widths and fitting, bands, rows per
// page, page headers and footers, the page count of a dry run, footer sums and the texts
// before and after the grid.
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>

#include "gridoutput/DBGridGxImpExp/SelectionColumns.h"
#include "gridoutput/PrnDbggx/PrintRun.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/SysUtils.h"

namespace {
// Adds Value to Sum, staying at the largest or smallest value instead of wrapping.
void SaturatingAdd(std::int64_t& Sum, std::int64_t Value) {
  if (__builtin_add_overflow(Sum, Value, &Sum)) Sum = Value > 0 ? INT64_MAX : INT64_MIN;
}

// Round(Value x 10000), held within 64 bits.
std::int64_t TenThousandths(double Value) {
  const double Scaled = std::nearbyint(Value * 10000.0);
  if (!(Scaled == Scaled)) return 0;
  if (Scaled >= 9.2233720368547758e18) return INT64_MAX;
  if (Scaled <= -9.2233720368547758e18) return INT64_MIN;
  return static_cast<std::int64_t>(Scaled);
}
}  // namespace

TGridPrintRun::TGridPrintRun(TPrintDBGridGx* AOwner, TVirtualPrinter* APrinter)
    : Owner(AOwner), Printer(APrinter), Grid(AOwner->DBGridGx()) {}

void TGridPrintRun::ComputeMacroValues() {
  const TDateTime T = Now();
  PageMacroValues[1] = DateToStr(T);
  PageMacroValues[2] = DateToStr(T);
  PageMacroValues[3] = FormatDateTime(LongDateFormat, T);
  PageMacroValues[4] = TimeToStr(T);
  PageMacroValues[5] = std::to_string(PageCount);
}

void TGridPrintRun::CollectPrintColumns() {
  Columns.clear();
  TDBGridGxSelection* Selection = Grid->GridSelection();
  if (Selection->Kind() == gstRectangle) {
    TColumnsGxList List;
    VisibleColumnsBetween(Grid, Selection->Rect()->GetStartColumn(), Selection->Rect()->GetEndColumn(), List);
    for (int I = 0; I < List.Count(); ++I) Columns.push_back(List.ColumnAt(I));
  } else if (Selection->Kind() == gstColumns) {
    for (int I = 0; I < Selection->Columns()->Count(); ++I) Columns.push_back(Selection->Columns()->ColumnAt(I));
  } else {
    for (int I = 0; I < Grid->Columns()->Count(); ++I)
      if (Grid->Columns()->ColumnAt(I)->Visible()) Columns.push_back(Grid->Columns()->ColumnAt(I));
  }
}

void TGridPrintRun::ComputePageGeometry() {
  const int OffsetX = (Printer->PaperWidth() - Printer->PrintableWidth()) / 2;
  const int OffsetY = (Printer->PaperHeight() - Printer->PrintableHeight()) / 2;
  win::HDC ScreenDC = Grid->Canvas()->Handle();
  ScreenResX = std::max(1, win::GetDeviceCaps(ScreenDC, win::LOGPIXELSX));
  ScreenResY = std::max(1, win::GetDeviceCaps(ScreenDC, win::LOGPIXELSY));
  if (Printer->PrinterNames()->Count() == 0) {
    PrinterResX = PrinterResY = 600;
  } else {
    PrinterResX = win::GetDeviceCaps(Printer->DeviceContext(), win::LOGPIXELSX);
    PrinterResY = win::GetDeviceCaps(Printer->DeviceContext(), win::LOGPIXELSY);
  }
  // Screen pixels to printer pixels, also for a printer coarser than the screen.
  RatioX = double(PrinterResX) / ScreenResX;
  RatioY = double(PrinterResY) / ScreenResY;
  const double D = Owner->Units() == MM ? 2.54 : 1.0;
  TPageParams* P = Owner->Page();
  PageRect.left = RoundEven(PrinterResX * P->LeftMargin().ToDouble() / D) - OffsetX;
  PageRect.top = RoundEven(PrinterResY * P->TopMargin().ToDouble() / D) - OffsetY;
  PageRect.right = Printer->PrintableWidth() + OffsetX - RoundEven(PrinterResX * P->RightMargin().ToDouble() / D);
  PageRect.bottom = Printer->PrintableHeight() + OffsetY - RoundEven(PrinterResY * P->BottomMargin().ToDouble() / D);
  CellInsetX = RoundEven(2 * RatioX);
  CellInsetY = Grid->Flat() ? RoundEven(RatioY) : RoundEven(2 * RatioY);
  SmallInsetY = Grid->Flat() ? RoundEven(RatioY / 2) : RoundEven(RatioY);
  LineWidth = std::max(1, (PrinterResX + PrinterResY) / 200);
}

void TGridPrintRun::ComputeColumnWidths() {
  PrintedWidths.clear();
  for (TColumnGx* Column : Columns) PrintedWidths.push_back(RoundEven((Column->Width() + 1) * RatioX));
  const TPrintDBGridGxOptions O = Owner->Options();
  if (O.Contains(pghOptimalColWidths)) MeasureOptimalWidths();
  if (O.Contains(pghFitGridToPageWidth) && O.Contains(pghFitingByColWidths) && !PrintedWidths.empty()) {
    const int Available = PageRect.right - PageRect.left - LineWidth;
    long long Sum = 0;
    for (int W : PrintedWidths) Sum += W;
    if (Sum > Available && Available > 0) {
      long long NewSum = 0;
      for (int& W : PrintedWidths) {
        W = int((long long)W * Available / Sum);
        NewSum += W;
      }
      if (NewSum > Available) PrintedWidths.back() -= int(NewSum - Available);
    }
  }
}

int TGridPrintRun::TotalPrintWidth() const {
  int Total = LineWidth;
  for (int W : PrintedWidths) Total += W;
  return Total;
}

void TGridPrintRun::ApplyFitScaling() {
  if (FitRight - FitLeft >= FitTotal) return;
  win::HDC DC = Canvas->Handle();
  if (win::SetMapMode(DC, PrinterResX == PrinterResY ? win::MM_ISOTROPIC : win::MM_ANISOTROPIC) == 0)
    throw Exception(" function SetMapMode(Handle, MM_ISOTROPIC) has returned 0 ");
  const int Across = FitRight - FitLeft;
  win::SetWindowOrgEx(DC, 0, 0, nullptr);
  win::SetWindowExtEx(DC, FitTotal, int(double(FitTotal) * PrinterResX / PrinterResY), nullptr);
  win::SetViewportExtEx(DC, Across, int(double(Across) * PrinterResX / PrinterResY), nullptr);
}

void TGridPrintRun::ScalePageRectForFit() {
  if (!Owner->Options().Contains(pghFitGridToPageWidth)) return;
  FitTotal = TotalPrintWidth();
  FitLeft = PageRect.left;
  FitRight = PageRect.right;
  ApplyFitScaling();
  const int Across = FitRight - FitLeft;
  if (Across < FitTotal && Across > 0) {
    PageRect.right = MulDiv(PageRect.right, FitTotal, Across);
    PageRect.left = MulDiv(PageRect.left, FitTotal, Across);
    PageRect.top = MulDiv(PageRect.top, FitTotal, Across);
    PageRect.bottom = MulDiv(PageRect.bottom, FitTotal, Across);
  }
}

void TGridPrintRun::SplitIntoBands() {
  BandWidths.clear();
  BandEnds.clear();
  const int PageWidth = std::max(1, PageRect.right - PageRect.left);
  int X = PageRect.left + LineWidth;
  for (int I = 0; I < int(PrintedWidths.size()); ++I) {
    const int W = std::min(PrintedWidths[I], PageWidth);
    BandWidths.push_back(W);
    if (X + W > PageRect.right && I > 0) {
      BandEnds.push_back(I - 1);
      X = PageRect.left + LineWidth + W;
    } else {
      X += W;
    }
  }
  BandEnds.push_back(int(PrintedWidths.size()) - 1);
}

void TGridPrintRun::PreparePageCanvas() {
  Canvas->Pen()->SetWidth(LineWidth);
  Canvas->Pen()->SetColor(clBlack);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Brush()->SetColor(clWhite);
  SetCanvasFont(Grid->Font());
  if (Owner->Options().Contains(pghFitGridToPageWidth)) ApplyFitScaling();
}

void TGridPrintRun::ComputeBaseRowHeight() {
  SetCanvasFont(Grid->Font());
  win::TEXTMETRIC Tm;
  win::GetTextMetrics(Canvas->Handle(), &Tm);
  const int Text = Canvas->TextHeight("Wg");
  if (Grid->RowHeight() != 0 || Grid->RowLines() != 0)
    BaseRowHeight = Grid->RowLines() * (Text + Tm.tmExternalLeading) + RoundEven(Grid->RowHeight() * RatioY);
  else
    BaseRowHeight = Text + 2 * CellInsetY;
  WrapCells = BaseRowHeight > Text + Tm.tmExternalLeading + 2 * CellInsetY ||
              Owner->Options().Contains(pghRowAutoStretch);
}

bool TGridPrintRun::PagesMacroUsed() {
  for (TPageColontitle* Part : {Owner->PageHeader(), Owner->PageFooter()})
    for (TStrings* Text : {Part->LeftText(), Part->CenterText(), Part->RightText()})
      if (ReplaceAllText(Text->Text(), "&[Pages]", "").size() != Text->Text().size()) return true;
  return false;
}

TPolyBookmark TGridPrintRun::FooterRowsStart() {
  return Grid->FooterRowCount() > 0 ? TPolyBookmark::Footer(0) : TPolyBookmark::EndRow();
}

TPolyBookmark TGridPrintRun::FirstPrintRow() {
  Data->First();
  if (Data->Eof()) return FooterRowsStart();
  TDBGridGxSelection* Selection = Grid->GridSelection();
  if (Selection->Kind() == gstRecordBookmarks) {
    // The selected rows in dataset order, from the first one.
    TBookmarkListGx* Rows = Selection->Rows();
    if (Rows->Count() == 0) return FooterRowsStart();
    Data->GotoBookmark(Rows->BookmarkAt(0));
  } else if (Selection->Kind() == gstRectangle) {
    Data->GotoBookmark(Selection->Rect()->GetStartRow());
  }
  return {Data->Bookmark(), true, false};
}

TPolyBookmark TGridPrintRun::NextPrintRow(const TPolyBookmark& Row) {
  if (Row.End) return Row;
  if (!Row.Data) {
    const int N = std::stoi(Row.Str) + 1;
    return N < Grid->FooterRowCount() ? TPolyBookmark::Footer(N) : TPolyBookmark::EndRow();
  }
  TDBGridGxSelection* Selection = Grid->GridSelection();
  if (Selection->Kind() == gstRecordBookmarks) {
    TBookmarkListGx* Rows = Selection->Rows();
    int Index = 0;
    const bool Found = Rows->LocateBookmark(Row.Str, Index);
    const int Next = Found ? Index + 1 : Index;
    if (Next >= Rows->Count()) return FooterRowsStart();
    Data->GotoBookmark(Rows->BookmarkAt(Next));
    return {Data->Bookmark(), true, false};
  }
  Data->Next();
  if (Data->Eof()) return FooterRowsStart();
  if (Selection->Kind() == gstRectangle &&
      Data->CompareBookmarks(Data->Bookmark(), Selection->Rect()->GetBottomRow()) > 0)
    return FooterRowsStart();
  return {Data->Bookmark(), true, false};
}

void TGridPrintRun::GotoPrintRow(const TPolyBookmark& Row) {
  if (Row.Data) Data->GotoBookmark(Row.Str);
}

void TGridPrintRun::AddRowToFooterSums() {
  for (int R = 0; R < Grid->FooterRowCount(); ++R)
    for (std::size_t I = 0; I < Columns.size(); ++I) {
      TColumnFooterGx* Footer = FooterOf(Columns[I], R);
      TField* Field = FooterField(Columns[I], Footer);
      if (!Field) continue;
      std::int64_t& Sum = FooterSums[std::size_t(R) * Columns.size() + I];
      if (Footer->ValueType() == fvtSum && !Field->IsNull()) SaturatingAdd(Sum, TenThousandths(Field->AsFloat()));
      else if (Footer->ValueType() == fvtCount) SaturatingAdd(Sum, 10000);
    }
}

void TGridPrintRun::CollectRowsForPage(const TPolyBookmark& From, int Top, int Bottom) {
  RowHeights.clear();
  GotoPrintRow(From);
  TPolyBookmark Row = From;
  int Y = Top;
  // An empty page always takes its first row, cut to the page when taller, so that every
  // page makes progress.
  const bool EmptyPage = Top <= PageRect.top;
  while (!Row.End) {
    int Height = BaseRowHeight;
    for (std::size_t I = 0; I < Columns.size(); ++I)
      Height = std::max(Height, DrawCell(int(I), {0, 0, BandWidths[I], 0}, Row, true));
    if (Y + Height > Bottom) {
      if (!RowHeights.empty() || !EmptyPage) break;
      Height = std::max(1, Bottom - Y);
    }
    Y += Height;
    if (Row.Data) AddRowToFooterSums();
    RowHeights.push_back(Height);
    Row = NextPrintRow(Row);
  }
  NextRow = Row;
}

void TGridPrintRun::AdvancePage() {
  if (DryRun) {
    ++PageCount;
    PreparePageCanvas();
    return;
  }
  Printer->StartNextPage();
  Canvas = Printer->PageCanvas();
  PreparePageCanvas();
  DrawPageHeaderFooter(HeaderRect, true, false);
  DrawPageHeaderFooter(FooterRect, false, false);
}

int TGridPrintRun::DrawRowChunk() {
  int Result = 0;
  int First = 0;
  for (int Last : BandEnds) {
    if (Printer->JobAborted()) Abort();
    if (FirstPage) FirstPage = false;
    else AdvancePage();
    LinePoints.clear();
    LineCounts.clear();
    GotoPrintRow(CurrentRow);
    int Y = PageRect.top + UsedHeight;
    if (TitleTree) DrawMultiTitleRow(First, Last);
    else DrawTitleRow(First, Last);
    TPolyBookmark Row = CurrentRow;
    for (std::size_t R = 0; R < RowHeights.size(); ++R) {
      int X = PageRect.left;
      for (int I = First; I <= Last; ++I) {
        const win::RECT Cell = Mirror({X, Y, X + BandWidths[I], Y + RowHeights[R]});
        DrawCell(I, Cell, Row, false);
        const bool Outer = Grid->UseRightToLeftAlignment() ? I == Last : I == First;
        if (Outer)
          AddGridLine({{Cell.left, Cell.top}, {Cell.left, Cell.bottom}, {Cell.right, Cell.bottom}, {Cell.right, Cell.top}});
        else
          AddGridLine({{Cell.left, Cell.bottom}, {Cell.right, Cell.bottom}, {Cell.right, Cell.top}});
        X += BandWidths[I];
        if (!DryRun) Application->ProcessMessages();
        if (Printer->JobAborted()) Abort();
      }
      Y += RowHeights[R];
      if (R + 1 < RowHeights.size()) Row = NextPrintRow(Row);
    }
    if (!RowHeights.empty()) Result = Y - BodyRect.top;
    if (!DryRun && !LineCounts.empty())
      win::PolyPolyline(Canvas->Handle(), LinePoints.data(), LineCounts.data(), win::DWORD(LineCounts.size()));
    First = Last + 1;
  }
  return Result;
}

// The lines of a text before or after the grid, from the used height on, over as many
// pages as they need; every page takes at least one line.
void TGridPrintRun::PrintPlainText(TStrings* Lines) {
  if (!Lines || Lines->Count() == 0) return;
  SetCanvasFont(Grid->Font());
  Canvas->Brush()->SetStyle(bsClear);
  const int PageHeight = PageRect.bottom - BodyRect.top;
  for (int I = 0; I < Lines->Count(); ++I) {
    const std::string Line = Lines->Strings(I).empty() ? " " : Lines->Strings(I);
    const win::RECT Measure{BodyRect.left, 0, BodyRect.right, 0};
    const int Height = DrawTextInRect(Measure, false, 0, 0, Line, taLeftJustify, tlTop, true, false, 0, 0, true);
    if (UsedHeight > 0 && UsedHeight + Height > PageHeight) {
      AdvancePage();
      UsedHeight = 0;
    }
    const int Top = BodyRect.top + UsedHeight;
    DrawTextInRect({BodyRect.left, Top, BodyRect.right, Top + Height}, false, 0, 0, Line, taLeftJustify, tlTop, true,
                   false, 0, 0, DryRun);
    UsedHeight += Height;
  }
}

void TGridPrintRun::PrintBody() {
  PrintPlainText(Owner->BeforeGridText()->Count() ? Owner->BeforeGridText() : nullptr);
  // Only a page that holds something goes on to the next one.
  if (UsedHeight > 0 && UsedHeight >= PageRect.bottom - PageRect.top) {
    AdvancePage();
    UsedHeight = 0;
  }
  CurrentRow = FirstPrintRow();
  while (true) {
    CollectRowsForPage(CurrentRow, PageRect.top + UsedHeight, PageRect.bottom);
    UsedHeight = DrawRowChunk() + LineWidth;
    if (NextRow.End) break;
    UsedHeight = 0;
    CurrentRow = NextRow;
  }
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Brush()->SetColor(clWhite);
  PrintPlainText(Owner->AfterGridText()->Count() ? Owner->AfterGridText() : nullptr);
}

void TGridPrintRun::Run() {
  ComputeMacroValues();
  CollectPrintColumns();
  FooterSums.assign(std::size_t(Grid->FooterRowCount()) * Columns.size(), 0);
  Printer->StartJob();
  Canvas = Printer->PageCanvas();
  FirstPage = true;
  const TBookmarkStr Saved = Data->Bookmark();
  // The texts before and after the grid carry the replacements during the print only.
  std::string SavedBefore, SavedAfter;
  const bool Replacing = Owner->ReplaceFrom() != nullptr;
  if (Replacing) {
    SavedBefore = Owner->BeforeGridText()->Text();
    SavedAfter = Owner->AfterGridText()->Text();
  }
  TCustomForm* Form = GetParentForm(Grid);
  const bool FormEnabled = Form && Form->Enabled();
  bool ControlsDisabled = false;
  struct CleanUp {
    std::function<void()> F;
    ~CleanUp() { F(); }
  } Guard{[&] {
    if (Replacing) {
      if (Owner->BeforeGridText()->Count()) Owner->BeforeGridText()->SetText(SavedBefore);
      if (Owner->AfterGridText()->Count()) Owner->AfterGridText()->SetText(SavedAfter);
    }
    try {
      if (Data->Active() && !Saved.empty() && Data->BookmarkValid(Saved)) Data->GotoBookmark(Saved);
    } catch (const Exception&) {
      // The record is gone: the dataset stays where the print left it.
    }
    FreeMeasureCanvas();
    if (ControlsDisabled) Data->EnableControls();
    if (Form && FormEnabled) Form->SetEnabled(true);
    Printer->FinishJob();
  }};
  if (Replacing)
    for (TStrings* Text : {Owner->BeforeGridText(), Owner->AfterGridText()})
      if (Text->Count())
        for (int I = 0; I < Owner->ReplaceFrom()->Count(); ++I)
          Text->SetText(ReplaceAllText(Text->Text(), Owner->ReplaceFrom()->Strings(I), Owner->ReplaceTo()->Strings(I)));
  // Input stays away from the grid's form while the layout walks its dataset.
  if (Form && FormEnabled) Form->SetEnabled(false);
  Data->DisableControls();
  ControlsDisabled = true;
  Data->First();
  Printer->SetJobTitle("表格信息");
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Brush()->SetColor(clWhite);
  SetCanvasFont(Grid->Font());

  ComputePageGeometry();
  ComputeColumnWidths();
  ScalePageRectForFit();
  SplitIntoBands();
  PreparePageCanvas();

  HeaderRect = {PageRect.left, PageRect.top, PageRect.right, PageRect.top};
  const int HeaderHeight = DrawPageHeaderFooter(HeaderRect, true, true);
  HeaderRect.bottom += HeaderHeight;
  PageRect.top += HeaderHeight;
  FooterRect = {PageRect.left, PageRect.bottom, PageRect.right, PageRect.bottom};
  const int FooterHeight = DrawPageHeaderFooter(FooterRect, false, true);
  FooterRect.top -= FooterHeight;
  PageRect.bottom -= FooterHeight;
  BodyRect = PageRect;

  ComputeBaseRowHeight();
  if (Grid->UseMultiTitle()) {
    PrepareMultiTitle();
    TitleHeight = MeasureMultiTitle(TitleTree.get());
  } else {
    TitleHeight = MeasureTitleHeight();
  }
  TitleBlockHeight = MeasureGridTitle();
  PageRect.top += TitleHeight + TitleBlockHeight;

  if (PagesMacroUsed()) {
    DryRun = true;
    {
      TMeasuringScope Measuring(this);
      PreparePageCanvas();
      PrintBody();
    }
    ComputeMacroValues();
    DryRun = false;
    FirstPage = true;
    UsedHeight = 0;
    Data->First();
    std::fill(FooterSums.begin(), FooterSums.end(), 0);
    PreparePageCanvas();
  }
  DrawPageHeaderFooter(HeaderRect, true, false);
  DrawPageHeaderFooter(FooterRect, false, false);
  PrintBody();
}

void TPrintDBGridGx::RenderToPrinter(TVirtualPrinter* Printer) {
  // One print at a time: the layout processes messages, so a second one could start.
  if (FPrinting || Printer->JobPrinting()) return;
  if (FOnBeforePrint) FOnBeforePrint(this);
  if (!FDBGridGx || !FDBGridGx->DataSource() || !FDBGridGx->DataSource()->DataSet() ||
      !FDBGridGx->DataSource()->DataSet()->Active())
    return;
  FPrinting = true;
  struct Reset {
    bool& Flag;
    ~Reset() { Flag = false; }
  } ResetFlag{FPrinting};
  TGridPrintRun Run(this, Printer);
  Run.Data = FDBGridGx->DataSource()->DataSet();
  Run.Run();
  if (FOnAfterPrint) FOnAfterPrint(this);
}
