// The paper panel: the recorded page played back where it lies on the sheet; a click
// zooms, a drag pans.
#include <cmath>

#include "gridoutput/PrViewGx.h"
#include "platform/desktop/Windows.h"

TDrawPanel::TDrawPanel(TComponent* AOwner) : TPanel(AOwner) {
  SetColor(clWhite);
  SetBevelOuter(bvNone);
  SetCtl3D(false);
  SetCaption("");
  SetCursor(crMagnifierGx());
  FControlStyle += csCaptureMouse;
}

TPreviewBox* TDrawPanel::Box() const { return dynamic_cast<TPreviewBox*>(Parent()); }

void TDrawPanel::Paint() {
  TCanvas* c = Canvas();
  win::HDC dc = c->Handle();
  win::RECT r = ClientRect();
  c->Brush()->SetColor(clWhite);
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r);
  TPreviewBox* box = Box();
  if (box) {
    TPrinterPreview* pp = box->PrinterPreview();
    win::HDC device = pp->DeviceContext();
    const int offX = win::GetDeviceCaps(device, win::PHYSICALOFFSETX);
    const int offY = win::GetDeviceCaps(device, win::PHYSICALOFFSETY);
    const int sheetW = std::max(1, pp->PrintableWidth() + 2 * offX);
    const int sheetH = std::max(1, pp->PrintableHeight() + 2 * offY);
    int saved = win::SaveDC(dc);
    win::SetMapMode(dc, win::MM_ANISOTROPIC);
    win::SetWindowExtEx(dc, sheetW, sheetH, nullptr);
    win::SetViewportExtEx(dc, Width(), Height(), nullptr);
    win::SetViewportOrgEx(dc, int(std::trunc(double(offX) * Width() / sheetW)),
                          int(std::trunc(double(offY) * Height() / sheetH)), nullptr);
    if (box->PageCount() > 0) pp->PaintPage(c, box->PageIndex());
    win::RestoreDC(dc, saved);
    c->Refresh();
  }
  // The edge of the sheet.
  c->Brush()->SetColor(clBlack);
  c->FrameRect(r);
}

void TDrawPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPanel::MouseDown(Button, Shift, X, Y);
  FDownX = X;
  FDownY = Y;
}

void TDrawPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TPanel::MouseMove(Shift, X, Y);
  TPreviewBox* box = Box();
  if (!box || !Shift.Contains(ssLeft) || !MouseCapture()) return;
  if (X == FDownX && Y == FDownY && Cursor() != crHandGx()) return;
  SetCursor(crHandGx());
  TControlScrollBar* v = box->VertScrollBar();
  TControlScrollBar* h = box->HorzScrollBar();
  int oldV = v->Position(), oldH = h->Position();
  v->SetPosition(oldV + (FDownY - Y));
  h->SetPosition(oldH + (FDownX - X));
  // At a limit the pointer's place becomes the new start on that axis.
  if (v->Position() == oldV) FDownY = Y;
  if (h->Position() == oldH) FDownX = X;
}

void TDrawPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPanel::MouseUp(Button, Shift, X, Y);
  TPreviewBox* box = Box();
  if (!box || Button != mbLeft) return;
  if (Cursor() == crHandGx()) {
    SetCursor(crMagnifierGx());
    return;
  }
  if (box->ViewMode() == 9) {
    const std::int64_t oldW = std::max(1, Width()), oldH = std::max(1, Height());
    const int oldLeft = Left(), oldTop = Top();
    box->SetViewMode(2);
    // The clicked point stays near the pointer.
    box->VertScrollBar()->SetPosition(int(Y * std::int64_t(Height()) / oldH - oldTop - Y + 16));
    box->HorzScrollBar()->SetPosition(int(X * std::int64_t(Width()) / oldW - oldLeft - X + 16));
  } else {
    box->SetViewMode(9);
  }
}

void TDrawPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_CANCELMODE && Cursor() == crHandGx()) SetCursor(crMagnifierGx());
  TPanel::Dispatch(Message);
}
