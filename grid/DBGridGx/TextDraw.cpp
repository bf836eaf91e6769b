#include "grid/DBGridGx/TextDraw.h"

#include <algorithm>
#include <memory>

#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

namespace {
std::unique_ptr<TBitmap> GDrawBitmap;
int GDrawBitmapUsers = 0;

// Grows the shared bitmap to at least W by H.
TBitmap* DrawBitmapFor(int W, int H) {
  if (!GDrawBitmap) GDrawBitmap = std::make_unique<TBitmap>();
  TBitmap* B = GDrawBitmap.get();
  if (B->Width() < W || B->Height() < H) B->SetSize(std::max(B->Width(), W), std::max(B->Height(), H));
  return B;
}

// Locks a canvas for the scope, also on error.
class TCanvasLock {
public:
  explicit TCanvasLock(TCanvas* C) : FCanvas(C) { FCanvas->Lock(); }
  ~TCanvasLock() { FCanvas->Unlock(); }
  TCanvasLock(const TCanvasLock&) = delete;
  TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
  TCanvas* FCanvas;
};

bool PureBrushColor(TCanvas* Canvas) {
  const win::COLORREF C = ColorToRGB(Canvas->Brush()->Color());
  return win::GetNearestColor(Canvas->Handle(), C) == C;
}

int TextLen(const std::string& S) { return static_cast<int>(S.size()); }
}  // namespace

TBitmap* SharedDrawBitmap() { return GDrawBitmap.get(); }

void AcquireDrawBitmap() {
  if (GDrawBitmapUsers++ == 0 && !GDrawBitmap) GDrawBitmap = std::make_unique<TBitmap>();
}

void ReleaseDrawBitmap() {
  if (GDrawBitmapUsers > 0 && --GDrawBitmapUsers == 0) GDrawBitmap.reset();
}

std::string ShortenWithEllipsis(const std::string& Text, TCanvas* Canvas, int MaxWidth) {
  std::string R = Text;
  const int Length = static_cast<int>(Utf8Length(Text));
  for (int I = 2; I - 1 <= Length && Canvas->TextWidth(R) > MaxWidth; ++I)
    R = Utf8LeftChars(Text, static_cast<std::size_t>(std::max(0, Length - I))) + "...";
  return R;
}

void PaintHorizontalCellText(TCanvas* Canvas, const win::RECT& Rect, int DX, int DY, const std::string& Text,
                             TAlignment Alignment, TTextLayout Layout, bool WordWrap, bool EndEllipsis, int LeftMargin,
                             int RightMargin, bool RightToLeft) {
  const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
  if (PureBrushColor(Canvas) && !WordWrap) {
    std::string S = EndEllipsis ? ShortenWithEllipsis(Text, Canvas, W - DX) : Text;
    int TextW;
    const TFontStyles Style = Canvas->Font()->Style();
    if (Alignment != taLeftJustify && (Style.Contains(fsBold) || Style.Contains(fsItalic))) {
      win::RECT R{0, 0, 1, 0};
      win::DrawText(Canvas->Handle(), S.c_str(), TextLen(S), &R, win::DT_NOPREFIX | win::DT_CALCRECT);
      TextW = R.right - R.left;
    } else {
      TextW = Canvas->TextWidth(S);
    }
    int X;
    switch (Alignment) {
      case taRightJustify: X = Rect.right - TextW - 3; break;
      case taCenter: X = Rect.left >= Rect.right ? 0 : Rect.left + (W >> 1) - (TextW >> 1); break;
      default: X = Rect.left + DX; break;
    }
    Canvas->TextRect(Rect, X, Rect.top + DY, S);
    return;
  }

  TBitmap* Bitmap = DrawBitmapFor(W, H);
  TCanvas* BC = Bitmap->Canvas();
  TCanvasLock Lock(BC);
  const win::RECT B{0, 0, W, H};
  BC->SetFont(Canvas->Font());
  BC->Font()->SetColor(Canvas->Font()->Color());
  BC->SetBrush(Canvas->Brush());
  BC->Brush()->SetStyle(bsSolid);
  win::SetBkMode(BC->Handle(), win::TRANSPARENT);
  BC->FillRect(B);

  static constexpr win::UINT AlignFlags[] = {win::DT_LEFT, win::DT_RIGHT, win::DT_CENTER};
  win::UINT Flags = win::DT_EXPANDTABS | win::DT_NOPREFIX | AlignFlags[Alignment];
  if (WordWrap) Flags |= win::DT_WORDBREAK;
  if (EndEllipsis) Flags |= win::DT_END_ELLIPSIS;
  if (RightToLeft) Flags |= win::DT_RTLREADING;
  win::DRAWTEXTPARAMS Params;
  Params.cbSize = 20;
  Params.iTabLength = 8;
  Params.iLeftMargin = LeftMargin;
  Params.iRightMargin = RightMargin;

  auto Inner = [&] { return win::RECT{B.left + DX, B.top + DY, B.right - DX, B.bottom - DY}; };
  win::RECT T = Inner();
  if (Layout != tlTop) {
    win::DrawTextEx(Canvas->Handle(), Text.c_str(), TextLen(Text), &T, Flags | win::DT_CALCRECT,
                    &Params);
    const int TextH = T.bottom - T.top;
    T = Inner();
    if (Layout == tlCenter)
      T.top = T.top + (T.bottom - T.top) / 2 - TextH / 2;
    else
      T.top = T.bottom - TextH;
  }
  if (DX > 0) T.bottom += 1;
  win::DrawTextEx(BC->Handle(), Text.c_str(), TextLen(Text), &T, Flags, &Params);
  Canvas->CopyRect(Rect, BC, B);
}

win::HFONT CreateRotatedFont(TFont* Font) {
  win::LOGFONT LF;
  LF.lfHeight = Font->Height();
  LF.lfWidth = 0;
  LF.lfEscapement = 900;
  LF.lfOrientation = 900;
  const TFontStyles Style = Font->Style();
  LF.lfWeight = Style.Contains(fsBold) ? win::FW_BOLD : win::FW_NORMAL;
  LF.lfItalic = Style.Contains(fsItalic);
  LF.lfUnderline = Style.Contains(fsUnderline);
  LF.lfStrikeOut = Style.Contains(fsStrikeOut);
  LF.lfCharSet = Font->Charset();
  win::SetFaceName(LF, CompareText(Font->Name(), "Default") == 0 ? "MS Sans Serif" : Font->Name());
  LF.lfOutPrecision = win::OUT_TT_ONLY_PRECIS;
  LF.lfClipPrecision = 0;
  LF.lfQuality = win::DEFAULT_QUALITY;
  switch (Font->Pitch()) {
    case fpVariable: LF.lfPitchAndFamily = win::VARIABLE_PITCH; break;
    case fpFixed: LF.lfPitchAndFamily = win::FIXED_PITCH; break;
    default: LF.lfPitchAndFamily = win::DEFAULT_PITCH; break;
  }
  return win::CreateFontIndirect(LF);
}

int PaintVerticalCellText(TCanvas* Canvas, const win::RECT& Rect, bool UseBitmap, int DX, int DY,
                          const std::string& Text, TAlignment Alignment, TTextLayout Layout, bool CalcOnly) {
  const int T0 = Rect.top, B0 = Rect.bottom;
  win::RECT R = Rect;
  SwapInts(R.top, R.bottom);
  TFont* Font = Canvas->Font();
  win::HFONT Rotated = CreateRotatedFont(Font);
  Font->SetHandle(Rotated);
  struct Restore {
    TFont* F;
    win::HFONT H;
    ~Restore() {
      F->SetHeight(F->Height());
      win::DeleteObject(H);
    }
  } RestoreFont{Font, Rotated};

  win::HDC DC = Canvas->Handle();
  win::TEXTMETRIC TM;
  win::GetTextMetrics(DC, &TM);
  int Extent = TM.tmOverhang;
  if ((TM.tmPitchAndFamily & win::TMPF_TRUETYPE) && TM.tmItalic) {
    win::OUTLINETEXTMETRIC OTM;
    if (win::GetOutlineTextMetrics(DC, sizeof OTM, &OTM) && OTM.otmsCharSlopeRise != 0)
      Extent = (TM.tmHeight - TM.tmInternalLeading) * OTM.otmsCharSlopeRun / OTM.otmsCharSlopeRise;
  }
  Extent += Canvas->TextWidth(Text);
  if (CalcOnly) return Extent;

  const int CellW = Rect.right - Rect.left, CellH = B0 - T0;
  if (UseBitmap && !PureBrushColor(Canvas)) {
    TBitmap* Bitmap = DrawBitmapFor(CellW, CellH);
    TCanvas* BC = Bitmap->Canvas();
    TCanvasLock Lock(BC);
    BC->SetFont(Font);
    BC->Font()->SetHandle(Rotated);
    BC->SetBrush(Canvas->Brush());
    const win::RECT Fill{0, 0, CellW, CellH};
    BC->FillRect(Fill);
    win::SetBkMode(BC->Handle(), win::TRANSPARENT);
    win::RECT TR{DX, CellH - 1, CellW - 1, DY};
    static constexpr win::UINT AlignFlags[] = {win::DT_LEFT, win::DT_RIGHT, win::DT_CENTER};
    win::DrawText(BC->Handle(), Text.c_str(), TextLen(Text), &TR,
                  win::DT_EXPANDTABS | win::DT_NOPREFIX | win::DT_WORDBREAK | AlignFlags[Alignment]);
    BC->Font()->SetHeight(BC->Font()->Height());
    Canvas->CopyRect(R, BC, Fill);
    return Extent;
  }

  const int TextH = Canvas->TextHeight(Text);
  int X;
  switch (Alignment) {
    case taRightJustify: X = R.right - TextH; break;
    case taCenter: X = R.left + ((R.right - R.left) >> 1) - ((TextH + TM.tmOverhang) >> 1); break;
    default: X = R.left + DX; break;
  }
  int Y;
  if (Layout == tlTop)
    Y = T0 + Extent;
  else if (Layout == tlBottom)
    Y = B0 - DY;
  else
    Y = B0 - ((B0 - T0) >> 1) + (Extent >> 1);
  Canvas->TextRect(R, X, Y, Text);
  return Extent;
}

void DrawImageInCell(TCustomImageList* ImageList, TGraphic* Graphic, TCanvas* Canvas, const win::RECT& Rect,
                     int ImageIndex, int DX, TAlignment Alignment) {
  const int W = ImageList ? ImageList->Width() : (Graphic ? Graphic->Width() : 0);
  const int H = ImageList ? ImageList->Height() : (Graphic ? Graphic->Height() : 0);
  int X;
  switch (Alignment) {
    // The inset keeps a right-aligned image off the right edge, as it keeps a left one off the left.
    case taRightJustify: X = Rect.right - W - DX; break;
    case taCenter: X = (Rect.left + Rect.right - W) / 2 + DX; break;
    default: X = Rect.left + DX; break;
  }
  const int Y = (Rect.top + Rect.bottom - H) / 2;
  auto Paint = [&] {
    if (ImageList)
      ImageList->Draw(Canvas, X, Y, ImageIndex, true);
    else if (Graphic)
      Canvas->Draw(X, Y, Graphic);
  };
  if (X >= Rect.left && Y >= Rect.top && X + W <= Rect.right && Y + H <= Rect.bottom) {
    Paint();
    return;
  }
  TClipRectGuard Clip(Canvas->Handle(), Rect);
  Paint();
}

void SwapInts(int& A, int& B) { std::swap(A, B); }
