#include "grid/DBGridGx/CellTextMeasure.h"

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Gdi.h"

bool TextOverflowsCell(TCustomGrid* Grid, int HMargin, int VMargin, const std::string& Text, const win::RECT& Rect,
                       bool WordWrap, int& Width, int& Height) {
  const int CellWidth = Rect.right - Rect.left, CellHeight = Rect.bottom - Rect.top;
  win::RECT R{0, 0, CellWidth - 2 - HMargin, 0};
  win::UINT Flags = win::DT_CALCRECT | win::DT_NOPREFIX;
  if (Grid->UseRightToLeftReading()) Flags |= win::DT_RTLREADING;
  if (WordWrap) Flags |= win::DT_WORDBREAK;
  TCanvas* Canvas = Grid->Canvas();
  win::DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &R, Flags);
  Width = R.right - R.left;
  Height = R.bottom - R.top;
  return Width > CellWidth - 2 - HMargin || Height > CellHeight - VMargin + 1;
}

int MeasureTextWidth(TCanvas* Canvas, const std::string& Text) {
  win::RECT R{0, 0, 1, 0};
  win::DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &R,
                win::DT_CALCRECT | win::DT_NOPREFIX);
  return R.right - R.left;
}

void SwapRectExtent(win::RECT& Rect) {
  const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
  Rect.bottom = Rect.top + W;
  Rect.right = Rect.left + H;
}
