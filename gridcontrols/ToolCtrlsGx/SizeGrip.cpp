#include "gridcontrols/ToolCtrlsGx/SizeGrip.h"

#include <algorithm>

#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/ScopeExit.h"

namespace {
bool RightCorner(int Position) { return Position == 1 || Position == 2; }
bool BottomCorner(int Position) { return Position == 2 || Position == 3; }
}  // namespace

TSizeGripGx::TSizeGripGx(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = win::GetSystemMetrics(win::SM_CXVSCROLL);
  FHeight = win::GetSystemMetrics(win::SM_CYVSCROLL);
  FColor = clBtnFace;
  FParentColor = false;
  FCursor = crSizeNWSE;
  FControlStyle += csReplicatable;
  FControlStyle += csCaptureMouse;
}

void TSizeGripGx::SetPosition(int Value) {
  if (Value == FPosition) return;
  FPosition = Value;
  if (!HandleAllocated()) return;
  RecreateWnd();
  HandleNeeded();
}

void TSizeGripGx::SetTriangleWindow(bool Value) {
  if (Value == FTriangleWindow) return;
  FTriangleWindow = Value;
  if (HandleAllocated()) UpdateWindowShape();
}

void TSizeGripGx::MoveToSide(int Side) {
  static const int moves[4][4] = {
      // corner 0, 1, 2, 3 after moving to the side
      {0, 0, 3, 3},  // left
      {1, 1, 2, 2},  // right
      {0, 1, 1, 0},  // top
      {3, 2, 2, 3},  // bottom
  };
  if (Side < 0 || Side > 3 || FPosition < 0 || FPosition > 3) return;
  SetPosition(moves[Side][FPosition]);
}

void TSizeGripGx::GripVisible(bool Value) { win::ShowWindow(Handle(), Value ? win::SW_SHOW : win::SW_HIDE); }

void TSizeGripGx::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateWindowShape();
}

// The window region (the triangle of the corner, or none), the place and the cursor.
void TSizeGripGx::UpdateWindowShape() {
  const int w = FWidth, h = FHeight;
  if (FTriangleWindow) {
    const win::POINT corners[4][3] = {
        {{w - 1, 0}, {0, 0}, {0, h - 1}},
        {{w, h - 1}, {w, 0}, {1, 0}},
        {{0, h}, {w, h}, {w, 0}},
        {{w, h}, {0, h}, {0, 0}},
    };
    win::HRGN region = win::CreatePolygonRgn(corners[std::clamp(FPosition, 0, 3)], 3, win::WINDING);
    win::SetWindowRgn(FHandle, region, win::TRUE);
  } else {
    win::SetWindowRgn(FHandle, nullptr, win::TRUE);
  }
  PlaceInCorner();
  SetCursor(FPosition == 1 || FPosition == 3 ? crSizeNESW : crSizeNWSE);
}

void TSizeGripGx::PlaceInCorner() {
  TWinControl* p = Parent();
  if (!p || !HandleAllocated()) return;
  int x = RightCorner(FPosition) ? p->ClientWidth() - FWidth : 0;
  int y = BottomCorner(FPosition) ? p->ClientHeight() - FHeight : 0;
  FInternalMove = true;
  auto done = AtScopeExit([this] { FInternalMove = false; });
  win::MoveWindow(FHandle, x, y, FWidth, FHeight, win::TRUE);
}

void TSizeGripGx::Paint() {
  static const TColor colours[4] = {clBtnHighlight, clBtnShadow, clBtnShadow, clBtnFace};
  const int w = FWidth;
  TCanvas* c = Canvas();
  int k = 0;
  for (int step = 1; step < w; step += 4) {
    for (TColor colour : colours) {
      c->Pen()->SetColor(colour);
      switch (FPosition) {
        case 0: c->Polyline({{w - 1 - k, -1}, {-1, w - 1 - k}}); break;
        case 1: c->Polyline({{w, w - 1 - k}, {k, -1}}); break;
        case 3: c->Polyline({{0, 1 + k}, {w - 1 - k, w}}); break;
        default: c->Polyline({{k, w}, {w, k}}); break;
      }
      ++k;
    }
  }
}

void TSizeGripGx::Dispatch(TMessage& Message) {
  // Whoever else moves the grip, it goes back into its corner.
  if (Message.Msg == win::WM_MOVE && !FInternalMove) PlaceInCorner();
  TCustomControl::Dispatch(Message);
}

void TSizeGripGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TWinControl* p = Parent();
  if (!p) return;
  FDownPos = ClientToScreen({X, Y});
  FLastPos = FDownPos;
  FDownWidth = p->Width();
  FDownHeight = p->Height();
  FDownClientWidth = p->ClientWidth();
  FDownClientHeight = p->ClientHeight();
}

void TSizeGripGx::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  TWinControl* p = Parent();
  if (!p || !Shift.Contains(ssLeft) || !MouseCapture() || FInternalMove) return;
  win::POINT m = ClientToScreen({X, Y});
  if (m.x == FLastPos.x && m.y == FLastPos.y) return;
  win::RECT work{};
  win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &work, 0);
  const int clientWidth = p->ClientWidth(), clientHeight = p->ClientHeight();
  DragWidth(p, m, work);
  DragHeight(p, m, work);
  FLastPos = m;
  if (p->ClientWidth() != clientWidth || p->ClientHeight() != clientHeight) NotifyParentResized();
  PlaceInCorner();
}

// The parent never gets smaller than the grip it carries.
void TSizeGripGx::DragWidth(TWinControl* P, const win::POINT& Mouse, const win::RECT& Work) {
  const int frame = P->Width() - P->ClientWidth();
  if (RightCorner(FPosition)) {
    int clientWidth = FDownClientWidth + Mouse.x - FDownPos.x;
    int right = P->ClientToScreen({clientWidth + frame, 0}).x;
    if (right > Work.right) clientWidth -= right - Work.right;
    P->SetClientWidth(std::max(clientWidth, FWidth));
    return;
  }
  int width = FDownWidth + FDownPos.x - Mouse.x;
  int growth = width - P->Width();
  int room = P->ClientOrigin().x - Work.left;
  if (room < growth) width -= growth - room;
  width = std::max(width, FWidth + frame);
  int oldWidth = P->Width();
  P->SetWidth(width);
  P->SetLeft(P->Left() + oldWidth - P->Width());
}

void TSizeGripGx::DragHeight(TWinControl* P, const win::POINT& Mouse, const win::RECT& Work) {
  const int frame = P->Height() - P->ClientHeight();
  if (BottomCorner(FPosition)) {
    int clientHeight = FDownClientHeight + Mouse.y - FDownPos.y;
    int bottom = P->ClientToScreen({0, clientHeight + frame}).y;
    if (bottom > Work.bottom) clientHeight -= bottom - Work.bottom;
    P->SetClientHeight(std::max(clientHeight, FHeight));
    return;
  }
  int height = FDownHeight + FDownPos.y - Mouse.y;
  int growth = height - P->Height();
  int room = P->ClientOrigin().y - Work.top;
  if (room < growth) height -= growth - room;
  height = std::max(height, FHeight + frame);
  int oldHeight = P->Height();
  P->SetHeight(height);
  P->SetTop(P->Top() + oldHeight - P->Height());
}

void TSizeGripGx::NotifyParentResized() {
  if (FOnParentResized) FOnParentResized(this);
}
