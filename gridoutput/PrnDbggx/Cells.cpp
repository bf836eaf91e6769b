// The drawing and measuring steps of a grid print: text in a rectangle, data and footer
// cells with their check boxes and images, footer values of the printed rows and the page
// header and footer.
#include <algorithm>
#include <climits>
#include <cmath>

#include "gridoutput/PrnDbggx/PrintRun.h"
#include "platform/rtl/SysUtils.h"

namespace {
constexpr win::UINT AlignDrawTextFlags[3] = {0x840, 0x842, 0x841};  // left, right, centre
// Unchecked, checked, greyed.
constexpr win::UINT CheckBoxFrameStates[3] = {win::DFCS_BUTTONCHECK, win::DFCS_CHECKED,
                                              win::DFCS_CHECKED | win::DFCS_BUTTON3STATE};

}  // namespace

std::string WithoutFinalBreak(std::string S) {
  while (!S.empty() && (S.back() == '\n' || S.back() == '\r')) S.pop_back();
  return S;
}

int ExternalLeading(TCanvas* Canvas) {
  win::TEXTMETRIC Tm;
  win::GetTextMetrics(Canvas->Handle(), &Tm);
  return Tm.tmExternalLeading;
}

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
  if (Footer->ValueType() == fvtCount) {
    const double Count = double(Raw) / 10000.0;
    return Footer->DisplayFormat().empty() ? FloatToStr(Count) : FormatFloat(Footer->DisplayFormat(), Count);
  }
  TField* Field = FooterField(Column, Footer);
  return Field ? FooterAggregateText(Field, Currency::FromRaw(Raw), Footer->DisplayFormat()) : std::string();
}

std::string TGridPrintRun::FooterCellText(int FooterRow, int PrintCol) {
  TColumnGx* Column = Columns[PrintCol];
  const TFooterValueType Type = FooterOf(Column, FooterRow)->ValueType();
  if (Type == fvtSum || Type == fvtCount) return FormatFooterCellText(FooterRow, PrintCol);
  std::string Text;
  Grid->FooterValueText(FooterRow, Column, Text);
  return Text;
}

void TGridPrintRun::DrawCellImage(TCustomImageList* List, win::RECT R, TAlignment Alignment, int ImageIndex) {
  if (DryRun || !List || ImageIndex < 0 || ImageIndex >= List->Count()) return;
  const int W = int(List->Width() * RatioX), H = int(List->Height() * RatioY);
  if (W <= 0 || H <= 0) return;
  int X;
  switch (Alignment) {
    case taLeftJustify: X = R.left; break;
    case taRightJustify: X = R.right - W; break;
    default: X = (R.left + R.right - W) / 2; break;
  }
  const int Y = (R.top + R.bottom - H) / 2;
  // The image on the page's background, its pixels stretched to the printer's size.
  TBitmap Image;
  Image.SetSize(List->Width(), List->Height());
  Image.Canvas()->Brush()->SetColor(Canvas->Brush()->Color());
  Image.Canvas()->FillRect({0, 0, List->Width(), List->Height()});
  List->Draw(Image.Canvas(), 0, 0, ImageIndex, true);
  const win::PixelImage Pixels = win::GetBitmapImage(Image.Handle());
  if (Pixels.width <= 0 || Pixels.height <= 0) return;
  win::BITMAPINFO Info;
  Info.bmiHeader.biSize = sizeof(win::BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = Pixels.width;
  Info.bmiHeader.biHeight = -Pixels.height;
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = win::BI_RGB;
  auto Stretch = [&] {
    win::StretchDIBits(Canvas->Handle(), X, Y, W, H, 0, 0, Pixels.width, Pixels.height, Pixels.pixels.data(), &Info,
                       win::DIB_RGB_COLORS, win::SRCCOPY);
  };
  if (X >= R.left && Y >= R.top && X + W <= R.right && Y + H <= R.bottom) {
    Stretch();
    return;
  }
  TClipRectGuard Clip(Canvas->Handle(), R);
  Stretch();
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
  TCheckBoxState CheckState = cbUnchecked;
  int ImageIndex = -1;
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
    CheckState = P->CheckState;
    ImageIndex = P->ImageIndex;
    Alignment = P->Alignment;
    EndEllipsis = Column->EndEllipsis();
  } else {
    if (Row.Str.empty()) return 0;
    const int FooterRow = std::stoi(Row.Str);
    TColumnFooterGx* Footer = FooterOf(Column, FooterRow);
    Alignment = Footer->Alignment();
    EndEllipsis = Footer->EndEllipsis();
    Text = FooterCellText(FooterRow, PrintCol);
    if (Colored) Background = Footer->Color();
    SetCanvasFont(Footer->Font());
    if (Grid->OnGetFooterParams())
      Grid->OnGetFooterParams()(Grid, Column->Index(), FooterRow, Column, Canvas->Font(), Background, Alignment,
                                TGridDrawState(), Text);
  }
  Canvas->Brush()->SetColor(Background);
  Canvas->Brush()->SetStyle(bsSolid);
  if (!Measure && Background != clWhite) {
    const TColor PenColor = Canvas->Pen()->Color();
    Canvas->Pen()->SetColor(Background);
    Canvas->Rectangle(R);
    Canvas->Pen()->SetColor(PenColor);
  }
  if (Row.Data && !Measure) {
    const int Kind = Column->CellKind();
    if (Kind == CellKindCheckBox) {
      DrawCheckBox(TextRect, CheckState);
      return 0;
    }
    if (Kind == CellKindKeyImages) {
      DrawCellImage(Column->ImageList(), R, taCenter, ImageIndex);
      return 0;
    }
  }
  Canvas->Brush()->SetStyle(bsClear);
  const int H = DrawTextInRect(TextRect, false, 0, 0, Text, Alignment, tlTop, Wrap, EndEllipsis, 0, 0, Measure);
  return H + 2 * CellInsetY;
}

void TGridPrintRun::DrawCheckBox(const win::RECT& TextRect, TCheckBoxState State) {
  // The screen's glyph at the printer's size, centred; narrower room takes the glyph's place.
  const int W = int(DefaultCheckBoxWidth * RatioX), H = int(DefaultCheckBoxHeight * RatioY);
  win::RECT Box = TextRect;
  if (TextRect.right - TextRect.left > W) {
    Box.left = (TextRect.left + TextRect.right - W) / 2;
    Box.right = Box.left + W;
  }
  if (TextRect.bottom - TextRect.top > H) {
    Box.top = (TextRect.top + TextRect.bottom - H) / 2;
    Box.bottom = Box.top + H;
  }
  win::DrawFrameControl(Canvas->Handle(), &Box, win::DFC_BUTTON, CheckBoxFrameStates[State]);
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
