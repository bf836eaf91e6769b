#pragma once
// What a grid drew, per cell: paints a grid's window on the headless desktop, keeps every
// recorded operation, and answers questions about the operations inside one cell's
// rectangle (texts, fills, images of an image list, check boxes, edges, focus frames).
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/grids/CustomGrid.h"
#include "platform/desktop/Headless.h"
#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageList.h"

// The operations one paint of a window recorded, in client coordinates. Text written on
// an off-screen bitmap (since the bitmap was last filled) and then copied into the window
// counts as written where the copy put it.
inline std::vector<win::DrawOp> PaintAndRecord(win::HWND Window) {
  win::StartDrawRecording();
  win::ClearDrawRecording();
  win::InvalidateRect(Window, nullptr, win::TRUE);
  win::UpdateWindow(Window);
  win::headless::ProcessMessages();
  std::vector<win::DrawOp> ops;
  std::map<win::HDC, std::vector<win::DrawOp>> offscreen;  // texts per off-screen DC
  for (const win::DrawOp& Op : win::DrawRecording()) {
    if (!Op.window && Op.dc) {
      if (Op.kind == win::DrawKind::Fill) offscreen[Op.dc].clear();
      else if (Op.kind == win::DrawKind::Text) offscreen[Op.dc].push_back(Op);
      continue;
    }
    if (Op.window != Window) continue;
    ops.push_back(Op);
    if (Op.kind != win::DrawKind::Blit || !Op.source) continue;
    const int DX = std::min(Op.rect.left, Op.rect.right) - Op.sourceOrigin.x;
    const int DY = std::min(Op.rect.top, Op.rect.bottom) - Op.sourceOrigin.y;
    for (win::DrawOp Text : offscreen[Op.source]) {
      Text.window = Window;
      for (win::RECT* R : {&Text.rect, &Text.clip}) *R = {R->left + DX, R->top + DY, R->right + DX, R->bottom + DY};
      for (win::POINT& P : Text.points) P = {P.x + DX, P.y + DY};
      ops.push_back(Text);
    }
  }
  win::StopDrawRecording();
  return ops;
}

// The box an operation covers.
inline win::RECT OpBox(const win::DrawOp& Op) {
  if (Op.kind == win::DrawKind::Line && !Op.points.empty()) {
    win::RECT R{Op.points[0].x, Op.points[0].y, Op.points[0].x, Op.points[0].y};
    for (const win::POINT& P : Op.points) {
      R.left = std::min(R.left, P.x);
      R.top = std::min(R.top, P.y);
      R.right = std::max(R.right, P.x);
      R.bottom = std::max(R.bottom, P.y);
    }
    return R;
  }
  return Op.rect;
}

// The index of the image of List that Op (a blit) drew; -1 when none matches.
inline int ImageIndexOf(const win::DrawOp& Op, TCustomImageList* List) {
  if (Op.kind != win::DrawKind::Blit || !Op.image || !List) return -1;
  const bool wasOn = win::DrawRecordingOn();
  int found = -1;
  for (int I = 0; I < List->Count() && found < 0; ++I) {
    TBitmap B;
    B.SetSize(List->Width(), List->Height());
    win::StartDrawRecording();
    win::ClearDrawRecording();
    List->Draw(B.Canvas(), 0, 0, I);
    for (const win::DrawOp& D : win::RecordedOps(win::DrawKind::Blit))
      if (D.image && D.image->pixels == Op.image->pixels) found = I;
    win::StopDrawRecording();
  }
  win::ClearDrawRecording();
  if (wasOn) win::StartDrawRecording();
  return found;
}

// The check state (0 unchecked, 1 checked, 2 grayed) of the non-flat check box Op drew on
// Surface; -1 when it is no check box face.
inline int CheckStateOf(const win::DrawOp& Op, TColor Surface) {
  if (Op.kind != win::DrawKind::Blit || !Op.image) return -1;
  const int W = Op.rect.right - Op.rect.left, H = Op.rect.bottom - Op.rect.top;
  int found = -1;
  for (int State = 0; State < 3 && found < 0; ++State) {
    TBitmap B;
    B.SetSize(W, H);
    win::StartDrawRecording();
    win::ClearDrawRecording();
    DrawEditButtonGx(B.Canvas()->Handle(), {0, 0, W, H}, Surface, bdkCheckBox, 0, false, false, true, State);
    for (const win::DrawOp& D : win::RecordedOps(win::DrawKind::Blit))
      if (D.image && D.image->pixels == Op.image->pixels) found = State;
    win::StopDrawRecording();
  }
  return found;
}

// The operations drawn inside one rectangle (their box's centre lies in it).
struct CellDrawing {
  win::RECT Rect;
  std::vector<win::DrawOp> Ops;

  std::vector<win::DrawOp> OfKind(win::DrawKind Kind) const {
    std::vector<win::DrawOp> R;
    for (const win::DrawOp& Op : Ops)
      if (Op.kind == Kind) R.push_back(Op);
    return R;
  }
  bool Has(win::DrawKind Kind) const { return !OfKind(Kind).empty(); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> R;
    for (const win::DrawOp& Op : OfKind(win::DrawKind::Text)) R.push_back(Op.text);
    return R;
  }
  std::string Text() const {
    std::string R;
    for (const std::string& T : Texts()) R += T;
    return R;
  }
  const win::DrawOp* FirstText() const {
    for (const win::DrawOp& Op : Ops)
      if (Op.kind == win::DrawKind::Text) return &Op;
    return nullptr;
  }
  // The colour of the last fill that covers the cell (less a 3D edge of one pixel);
  // -1 when none.
  long Background() const {
    long R = -1;
    for (const win::DrawOp& Op : Ops) {
      const bool covers = Op.rect.left <= Rect.left + 1 && Op.rect.top <= Rect.top + 1 &&
                          Op.rect.right >= Rect.right - 1 && Op.rect.bottom >= Rect.bottom - 1;
      if (Op.kind == win::DrawKind::Fill && covers) R = static_cast<long>(Op.color);
      if (Op.kind == win::DrawKind::Text && Op.bkMode == win::OPAQUE && covers) R = static_cast<long>(Op.bkColor);
    }
    return R;
  }
  // The image of List drawn in the cell; -1 when none.
  int Image(TCustomImageList* List) const {
    for (const win::DrawOp& Op : OfKind(win::DrawKind::Blit)) {
      const int I = ImageIndexOf(Op, List);
      if (I >= 0) return I;
    }
    return -1;
  }
  // The check box drawn in the cell: its state, or -1 when none.
  int CheckBox(TColor Surface) const {
    for (const win::DrawOp& Op : OfKind(win::DrawKind::Blit)) {
      const int S = CheckStateOf(Op, Surface);
      if (S >= 0) return S;
    }
    return -1;
  }
  const win::DrawOp* Blit() const {
    for (const win::DrawOp& Op : Ops)
      if (Op.kind == win::DrawKind::Blit) return &Op;
    return nullptr;
  }
};

inline CellDrawing DrawnInside(const std::vector<win::DrawOp>& Ops, const win::RECT& Rect) {
  CellDrawing D{Rect, {}};
  for (const win::DrawOp& Op : Ops) {
    const win::RECT B = OpBox(Op);
    const int X = (B.left + B.right) / 2, Y = (B.top + B.bottom) / 2;
    if (X >= Rect.left && X < Rect.right && Y >= Rect.top && Y < Rect.bottom) D.Ops.push_back(Op);
  }
  return D;
}

// The recorded drawing inside grid cell (ACol, ARow).
template <class Grid>
CellDrawing DrawnInCell(Grid* G, const std::vector<win::DrawOp>& Ops, int ACol, int ARow) {
  return DrawnInside(Ops, G->CellRect(ACol, ARow));
}
