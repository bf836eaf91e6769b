// The drawing and measuring steps of a grid print: text in a rectangle, data and footer
// cells, footer values of the printed rows, the title row, the title block and the page
// header and footer.
#include <algorithm>
#include <climits>
#include <cmath>

#include "gridoutput/PrnDbggx/PrintRun.h"
#include "platform/rtl/SysUtils.h"

namespace {
constexpr win::UINT AlignDrawTextFlags[3] = {0x840, 0x842, 0x841};  // left, right, centre

std::string WithoutFinalBreak(std::string S) {
  while (!S.empty() && (S.back() == '\n' || S.back() == '\r')) S.pop_back();
  return S;
}

int ExternalLeading(TCanvas* Canvas) {
  win::TEXTMETRIC Tm;
  win::GetTextMetrics(Canvas->Handle(), &Tm);
  return Tm.tmExternalLeading;
}
}  // namespace

int RoundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

void TGridPrintRun::SetCanvasFont(TFont* Font, bool ReplaceName) {
  Canvas->Font()->Assign(Font);
  if (ReplaceName && !Owner->PrintFontName().empty()) Canvas->Font()->SetName(Owner->PrintFontName());
}

void TGridPrintRun::AddGridLine(std::initializer_list<win::POINT> Points) {
  if (DryRun) return;
  LinePoints.insert(LinePoints.end(), Points.begin(), Points.end());
  LineCounts.push_back(static_cast<win::DWORD>(Points.size()));
}

win::RECT TGridPrintRun::Mirror(win::RECT R) const {
  if (!Grid->UseRightToLeftAlignment()) return R;
  const int Offset = PageRect.right + PageRect.left - R.left - R.right;
  R.left += Offset;
  R.right += Offset;
  return R;
}

int TGridPrintRun::DrawTextInRect(win::RECT R, bool Fill, int InsetX, int InsetY, const std::string& Text,
                                  TAlignment Alignment, TTextLayout Layout, bool WordWrap, bool EndEllipsis,
                                  int LeftMargin, int RightMargin, bool MeasureOnly) {
  const bool Rtl = Grid->UseRightToLeftAlignment();
  if (Rtl) {
    if (Alignment == taLeftJustify) Alignment = taRightJustify;
    else if (Alignment == taRightJustify) Alignment = taLeftJustify;
    std::swap(LeftMargin, RightMargin);
  }
  const win::UINT Reading = Rtl ? win::DT_RTLREADING : 0;
  const int Len = static_cast<int>(Text.size());
  if (MeasureOnly) {
    win::RECT T{R.left + InsetX, R.top + InsetY, R.right - InsetX, R.bottom - InsetY};
    win::DrawTextEx(Canvas->Handle(), Text.c_str(), Len, &T,
                    win::DT_CALCRECT | win::DT_NOPREFIX | win::DT_EXPANDTABS | (WordWrap ? win::DT_WORDBREAK : 0) |
                        Reading,
                    nullptr);
    return (T.bottom - T.top) + ExternalLeading(Canvas) + 2 * InsetY;
  }
  if (Fill) Canvas->FillRect(R);
  win::UINT Flags = AlignDrawTextFlags[Alignment] | Reading | (WordWrap ? win::DT_WORDBREAK : 0) |
                    (EndEllipsis ? win::DT_END_ELLIPSIS : 0);
  win::RECT T{R.left + InsetX, R.top + InsetY, R.right - InsetX, R.bottom - InsetY};
  win::DRAWTEXTPARAMS Params;
  Params.iLeftMargin = LeftMargin;
  Params.iRightMargin = RightMargin;
  if (Layout != tlTop) {
    win::RECT M = T;
    win::DrawTextEx(Canvas->Handle(), Text.c_str(), Len, &M, Flags | win::DT_CALCRECT, &Params);
    const int H = M.bottom - M.top;
    if (Layout == tlCenter) T.top = T.top + (T.bottom - T.top) / 2 - H / 2;
    else T.top = T.bottom - H;
  }
  if (InsetX > 0) T.bottom += 1;
  win::DrawTextEx(Canvas->Handle(), Text.c_str(), Len, &T, Flags, &Params);
  return 0;
}

TColumnFooterGx* TGridPrintRun::FooterOf(TColumnGx* Column, int FooterRow) const {
  return Column->FooterForRow(FooterRow);
}

TField* TGridPrintRun::FooterField(TColumnGx* Column, TColumnFooterGx* Footer) const {
  if (!Footer->FieldName().empty()) return Data->FindField(Footer->FieldName());
  return Column->Field();
}

std::string TGridPrintRun::FormatFooterCellText(int FooterRow, int PrintCol) {
  TColumnGx* Column = Columns[PrintCol];
  TColumnFooterGx* Footer = FooterOf(Column, FooterRow);
  const std::int64_t Raw = FooterSums[std::size_t(FooterRow) * Columns.size() + PrintCol];
  const double Value = double(Raw) / 10000.0;
  if (Footer->ValueType() == fvtCount)
    return Footer->DisplayFormat().empty() ? FloatToStr(Value) : FormatFloat(Footer->DisplayFormat(), Value);
  TField* Field = FooterField(Column, Footer);
  if (!Field) return {};
  std::string Format = Footer->DisplayFormat();
  switch (Field->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      if (!Format.empty()) return FormatFloat(Format, Value);
      return IntToStr(Currency::FromRaw(Raw).Round());
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftFMTBcd:
      if (!Format.empty()) return FormatFloat(Format, Value);
      return Currency::FromRaw(Raw).ToString();
    default: return {};
  }
}

int TGridPrintRun::DrawCell(int PrintCol, win::RECT R, const TPolyBookmark& Row, bool MeasureOnly) {
  TColumnGx* Column = Columns[PrintCol];
  const win::RECT TextRect{R.left + CellInsetX, R.top + CellInsetY, R.right - CellInsetX, R.bottom - CellInsetY};
  const bool Colored = Owner->Options().Contains(pghColored);
  const bool Wrap = MeasureOnly ? Owner->Options().Contains(pghRowAutoStretch) : WrapCells;
  const bool Measure = MeasureOnly || DryRun;
  TColor Background = clWhite;
  std::string Text;
  TAlignment Alignment;
  bool EndEllipsis;
  if (Row.Data) {
    if (Colored) Background = Column->Color();
    SetCanvasFont(Column->Font());
    TColCellParamsGx* P = Owner->CellParams();
    Column->FillCellParams(P);
    P->Font = Canvas->Font();
    P->Background = Background;
    if (Grid->OnGetCellParams()) Grid->OnGetCellParams()(Grid, Column, P->Font, P->Background, P->State);
    Column->FireGetCellParams(false, P);
    Background = P->Background;
    Text = P->Text;
    Alignment = P->Alignment;
    EndEllipsis = Column->EndEllipsis();
  } else {
    if (Row.Str.empty()) return 0;
    const int FooterRow = std::stoi(Row.Str);
    TColumnFooterGx* Footer = FooterOf(Column, FooterRow);
    Alignment = Footer->Alignment();
    EndEllipsis = Footer->EndEllipsis();
    if (Footer->ValueType() == fvtSum || Footer->ValueType() == fvtCount) Text = FormatFooterCellText(FooterRow, PrintCol);
    else Grid->FooterValueText(FooterRow, Column, Text);
    if (Colored) Background = Footer->Color();
    SetCanvasFont(Footer->Font());
  }
  Canvas->Brush()->SetColor(Background);
  Canvas->Brush()->SetStyle(bsSolid);
  if (!Measure && Background != clWhite) {
    const TColor PenColor = Canvas->Pen()->Color();
    Canvas->Pen()->SetColor(Background);
    Canvas->Rectangle(R);
    Canvas->Pen()->SetColor(PenColor);
  }
  Canvas->Brush()->SetStyle(bsClear);
  const int H = DrawTextInRect(TextRect, false, 0, 0, Text, Alignment, tlTop, Wrap, EndEllipsis, 0, 0, Measure);
  return H + 2 * CellInsetY;
}

int TGridPrintRun::MeasureTitleHeight() {
  int Height = 0;
  auto Measure = [&](TFont* Font) {
    SetCanvasFont(Font);
    Height = std::max(Height, Canvas->TextHeight("Wg") + 2 * CellInsetY);
  };
  for (TColumnGx* Column : Columns) Measure(Column->Title()->Font());
  if (Columns.empty()) Measure(Grid->TitleFont());
  if (Grid->TitleHeight() != 0 || Grid->TitleLines() != 0) {
    int Line = 0, Leading = 0;
    for (TColumnGx* Column : Columns) {
      SetCanvasFont(Column->Title()->Font(), false);
      const int H = Canvas->TextHeight("Wg");
      if (H > Line) Line = H, Leading = ExternalLeading(Canvas);
    }
    Height = CellInsetY + Grid->TitleLines() * Line + Leading + RoundEven(Grid->TitleHeight() * RatioY);
    if (Grid->Options().Contains(dgRowLines)) Height += SmallInsetY;
  }
  return Height;
}

int TGridPrintRun::MeasureGridTitle() {
  const std::string Text = WithoutFinalBreak(Owner->Title()->Text());
  if (Owner->Title()->Count() == 0) return 0;
  SetCanvasFont(Grid->TitleFont());
  int Width = 0;
  for (int W : BandWidths) Width += W;
  const win::RECT R{0, 0, Width, 0};
  const int InsetY = Grid->UseMultiTitle() ? RoundEven(Grid->VTitleMargin() * RatioY / 2) : CellInsetY;
  return DrawTextInRect(R, false, CellInsetX, InsetY, Text, taCenter, tlTop, true, false, 0, 0, true);
}

void TGridPrintRun::DrawGridTitle(int First, int Last) {
  if (Owner->Title()->Count() == 0) return;
  const std::string Text = WithoutFinalBreak(Owner->Title()->Text());
  int Before = 0, Band = 0, After = 0;
  for (int I = 0; I < int(Columns.size()); ++I) (I < First ? Before : I > Last ? After : Band) += BandWidths[I];
  const int Bottom = PageRect.top + UsedHeight - TitleHeight;
  const win::RECT R = Mirror({PageRect.left, Bottom - TitleBlockHeight, PageRect.left + Band, Bottom});
  const bool Colored = Owner->Options().Contains(pghColored);
  SetCanvasFont(Grid->TitleFont());
  Canvas->Brush()->SetColor(Colored ? Grid->FixedColor() : clWhite);
  Canvas->Brush()->SetStyle(Colored ? bsSolid : bsClear);
  const int InsetY = Grid->UseMultiTitle() ? RoundEven(Grid->VTitleMargin() * RatioY / 2) : CellInsetY;
  DrawTextInRect(R, Colored, 0, InsetY, Text, taCenter, tlTop, true, false, CellInsetX - Before, CellInsetX - After,
                 DryRun);
  AddGridLine({{R.left, R.bottom}, {R.left, R.top}, {R.right, R.top}, {R.right, R.bottom}});
}

void TGridPrintRun::DrawTitleRow(int First, int Last) {
  const int Bottom = PageRect.top + UsedHeight;
  const int Top = Bottom - TitleHeight;
  const bool Colored = Owner->Options().Contains(pghColored);
  int X = PageRect.left;
  for (int I = First; I <= Last; ++I) {
    TColumnGx* Column = Columns[I];
    const win::RECT R = Mirror({X, Top, X + BandWidths[I], Bottom});
    SetCanvasFont(Column->Title()->Font());
    Canvas->Brush()->SetColor(Colored ? Grid->FixedColor() : clWhite);
    Canvas->Brush()->SetStyle(Colored ? bsSolid : bsClear);
    DrawTextInRect(R, Colored, CellInsetX, CellInsetY, Column->Title()->Caption(), Column->Title()->Alignment(), tlTop,
                   false, Column->Title()->EndEllipsis(), 0, 0, DryRun);
    AddGridLine({{R.left, R.bottom}, {R.right, R.bottom}, {R.right, R.top}});
    X += BandWidths[I];
  }
  const win::RECT Row = Mirror({PageRect.left, Top, X, Bottom});
  AddGridLine({{Row.left, Row.bottom}, {Row.left, Row.top}, {Row.right, Row.top}});
  DrawGridTitle(First, Last);
}

std::string TGridPrintRun::ExpandPageMacros(const std::string& Text) {
  PageMacroValues[0] = std::to_string(Printer->CurrentPageNumber());
  std::string Out = Text;
  for (int I = 0; I < 6; ++I) Out = ReplaceUnlessEscaped(Out, PageMacroNames[I], PageMacroValues[I], '&', true, true);
  return Out;
}

int TGridPrintRun::DrawPageHeaderFooter(win::RECT R, bool Header, bool MeasureOnly) {
  TPageColontitle* Part = Header ? Owner->PageHeader() : Owner->PageFooter();
  SetCanvasFont(Part->Font());
  Canvas->Brush()->SetStyle(bsClear);
  const bool Measure = MeasureOnly || DryRun;
  const int Step = PrinterResY / 20, Second = PrinterResY / 30;
  int Height = 0;
  bool AnyText = false;
  TStrings* Texts[3] = {Part->LeftText(), Part->CenterText(), Part->RightText()};
  const TAlignment Aligns[3] = {taLeftJustify, taCenter, taRightJustify};
  for (int I = 0; I < 3; ++I) {
    if (Texts[I]->Count() == 0) continue;
    AnyText = true;
    const std::string Text = ExpandPageMacros(WithoutFinalBreak(Texts[I]->Text()));
    const int H = DrawTextInRect(R, false, 0, 0, Text, Aligns[I], tlTop, false, false, 0, 0, true);
    Height = std::max(Height, H);
    if (!Measure) {
      // A rectangle of the text's height at the top (header) or bottom (footer).
      win::RECT T = R;
      if (Header) T.bottom = T.top + H;
      else T.top = T.bottom - H;
      DrawTextInRect(T, false, 0, 0, Text, Aligns[I], tlTop, false, false, 0, 0, false);
    }
  }
  if (AnyText) Height += Step;
  if (Part->LineType() == pcltSingleLine) Height += Step;
  if (Part->LineType() == pcltDoubleLine) Height += Step + Second;
  if (!MeasureOnly && !DryRun && Part->LineType() != pcltNon) {
    const int Sign = Header ? 1 : -1;  // the second rule lies further from the text
    const int Y = Header ? R.bottom - Step : R.top + Step;
    Canvas->MoveTo(R.left, Y);
    Canvas->LineTo(R.right, Y);
    if (Part->LineType() == pcltDoubleLine) {
      Canvas->MoveTo(R.left, Y + Sign * Second);
      Canvas->LineTo(R.right, Y + Sign * Second);
    }
  }
  return Height;
}
