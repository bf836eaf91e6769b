// Measuring for a grid print: the scratch canvas that measures like the page without
// adding to it, and the printed column widths that follow the widest printed text.
#include <algorithm>

#include "gridoutput/PrnDbggx/PrintRun.h"
#include "platform/controls/Forms.h"

void TGridPrintRun::CreateMeasureCanvas() {
  if (MeasureCanvas) return;
  TCanvas* Page = Printer->PageCanvas();
  MeasureMetafile = std::make_unique<TMetafile>();
  MeasureCanvas = std::make_unique<TMetafileCanvas>(MeasureMetafile.get(), Page->Handle());
  MeasureCanvas->Font()->SetPixelsPerInch(Page->Font()->PixelsPerInch());
  MeasureCanvas->Font()->Assign(Page->Font());
  MeasureCanvas->Pen()->Assign(Page->Pen());
  MeasureCanvas->Brush()->Assign(Page->Brush());
  Canvas = MeasureCanvas.get();
}

void TGridPrintRun::FreeMeasureCanvas() {
  if (!MeasureCanvas) return;
  MeasureCanvas.reset();
  MeasureMetafile.reset();
  Canvas = Printer->PageCanvas();
}

TMeasuringScope::TMeasuringScope(TGridPrintRun* Run) : FRun(Run), FCursor(Screen->Cursor()) {
  Screen->SetCursor(crHourGlass);
  FRun->CreateMeasureCanvas();
}

TMeasuringScope::~TMeasuringScope() {
  Screen->SetCursor(FCursor);
  FRun->FreeMeasureCanvas();
}

int TGridPrintRun::MeasureTextWidth(const std::string& Text) {
  win::RECT R{0, 0, 0, 0};
  win::DrawText(Canvas->Handle(), Text.c_str(), int(Text.size()), &R,
                win::DT_CALCRECT | win::DT_NOPREFIX | win::DT_EXPANDTABS);
  return R.right - R.left;
}

// Each printed width becomes the widest of its title and of its printed cells.
void TGridPrintRun::MeasureOptimalWidths() {
  TMeasuringScope Measuring(this);
  const int Insets = 2 * CellInsetX;
  for (std::size_t I = 0; I < Columns.size(); ++I) {
    TColumnGx* Column = Columns[I];
    int Width = 10;
    if (TitleHasImage(Column)) {
      Width = std::max(Width, int(Grid->TitleImages()->Width() * RatioX) + Insets);
    } else {
      SetCanvasFont(Column->Title()->Font());
      Width = std::max(Width, MeasureTextWidth(LeafTitleCaption(Column)) + Insets);
    }
    PrintedWidths[I] = Width;
  }
  // The footer rows are measured with the sums of the rows printed above them.
  TColCellParamsGx* P = Owner->CellParams();
  for (TPolyBookmark Row = FirstPrintRow(); !Row.End; Row = NextPrintRow(Row)) {
    if (Row.Data) AddRowToFooterSums();
    for (std::size_t I = 0; I < Columns.size(); ++I) {
      TColumnGx* Column = Columns[I];
      int Width;
      if (Row.Data) {
        const int Kind = Column->CellKind();
        if (Kind == CellKindKeyImages && Column->ImageList()) {
          Width = int(Column->ImageList()->Width() * RatioX) + Insets;
        } else if (Kind == CellKindCheckBox) {
          Width = int(DefaultCheckBoxWidth * RatioX) + Insets;
        } else {
          SetCanvasFont(Column->Font());
          Column->FillCellParams(P);
          P->Row = P->Col = -1;
          P->State = TGridDrawState();
          P->Font = Canvas->Font();
          P->Background = clWhite;
          P->Alignment = taLeftJustify;
          P->ImageIndex = -1;
          if (Grid->OnGetCellParams()) Grid->OnGetCellParams()(Grid, Column, P->Font, P->Background, P->State);
          Column->FireGetCellParams(false, P);
          Width = MeasureTextWidth(P->Text) + Insets;
        }
      } else {
        const int FooterRow = std::stoi(Row.Str);
        TColumnFooterGx* Footer = FooterOf(Column, FooterRow);
        std::string Text = FooterCellText(FooterRow, int(I));
        SetCanvasFont(Footer->Font());
        TColor Background = clWhite;
        TAlignment Alignment = Footer->Alignment();
        if (Grid->OnGetFooterParams())
          Grid->OnGetFooterParams()(Grid, Column->Index(), FooterRow, Column, Canvas->Font(), Background, Alignment,
                                    TGridDrawState(), Text);
        Width = MeasureTextWidth(Text) + Insets;
      }
      PrintedWidths[I] = std::max(PrintedWidths[I], Width);
    }
  }
  std::fill(FooterSums.begin(), FooterSums.end(), 0);
  Data->First();
}
