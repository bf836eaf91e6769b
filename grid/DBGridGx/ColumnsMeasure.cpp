// Measuring column text on the grid's canvas.
#include "grid/DBGridGx/ColumnsInternal.h"

namespace columns_detail {

TCanvasLend::TCanvasLend(TCustomDBGridGx* Grid) : FCanvas(Grid->Canvas()) {
  // Measuring needs no pixels: while the grid's canvas has no device context, the
  // screen's serves, so a grid laid out before it is painted gets no image of its own.
  if (!FCanvas->HandleAllocated()) {
    FLentDC = win::GetDC(nullptr);
    FCanvas->SetHandle(FLentDC);
  }
}

TCanvasLend::~TCanvasLend() {
  if (FLentDC) {
    FCanvas->SetHandle(nullptr);
    win::ReleaseDC(nullptr, FLentDC);
  }
}

TDigitMetrics MeasureDigit(TCustomDBGridGx* Grid, TFont* Font) {
  TCanvasLend lend(Grid);
  TCanvas* canvas = lend.Canvas();
  if (Font) canvas->SetFont(Font);
  TDigitMetrics m;
  m.DigitWidth = canvas->TextWidth("0");
  win::TEXTMETRIC tm;
  if (win::GetTextMetrics(canvas->Handle(), &tm)) {
    m.Overhang = tm.tmOverhang;
    m.AveCharWidth = tm.tmAveCharWidth;
  }
  return m;
}

}  // namespace columns_detail
