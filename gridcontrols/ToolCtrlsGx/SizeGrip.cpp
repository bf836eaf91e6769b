#include "gridcontrols/ToolCtrlsGx/SizeGrip.h"

#include <algorithm>

#include "gridcontrols/ToolCtrlsGx/DropDown.h"
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
  // The work area of the popup's own monitor (the primary one's would squeeze a popup on
  // another monitor down to the grip).
  win::RECT bounds{};
  win::GetWindowRect(p->Handle(), &bounds);
  const win::RECT work = NearestWorkArea(bounds);
  const int clientWidth = p->ClientWidth(), clientHeight = p->ClientHeight();
  DragWidth(p, m, work);
  DragHeight(p, m, work);
  FLastPos = m;
  if (p->ClientWidth() != clientWidth || p->ClientHeight() != clientHeight) NotifyParentResized();
  PlaceInCorner();
}

namespace {
// One axis of a drag step, in screen coordinates; the parent never gets smaller than the
// grip it carries.
struct DragAxis {
  int DownSize, DownClientSize;  // the parent's window and client size at mouse-down
  int Size, Frame;               // its window size now, and window minus client size
  int ClientOrigin;              // screen coordinate of its client origin
  int WorkLow, WorkHigh;         // the work area along the axis
  int Moved;                     // the mouse's way since mouse-down
  int GripSize;
};

// A grip on the far side (right or bottom): the new client size, its far edge kept
// inside the work area.
int FarSideClientSize(const DragAxis& A) {
  int client = A.DownClientSize + A.Moved;
  int edge = A.ClientOrigin + client + A.Frame;
  if (edge > A.WorkHigh) client -= edge - A.WorkHigh;
  return std::max(client, A.GripSize);
}

// A grip on the near side (left or top): the new window size, growing no further than
// the client origin may move toward the work area's edge.
int NearSideSize(const DragAxis& A) {
  int size = A.DownSize - A.Moved;
  int growth = size - A.Size;
  int room = A.ClientOrigin - A.WorkLow;
  if (room < growth) size -= growth - room;
  return std::max(size, A.GripSize + A.Frame);
}
}  // namespace

void TSizeGripGx::DragWidth(TWinControl* P, const win::POINT& Mouse, const win::RECT& Work) {
  const DragAxis a{FDownWidth, FDownClientWidth, P->Width(), P->Width() - P->ClientWidth(), P->ClientOrigin().x,
                   Work.left, Work.right, Mouse.x - FDownPos.x, FWidth};
  if (RightCorner(FPosition)) {
    P->SetClientWidth(FarSideClientSize(a));
    return;
  }
  P->SetWidth(NearSideSize(a));
  P->SetLeft(P->Left() + a.Size - P->Width());  // the right edge stays
}

void TSizeGripGx::DragHeight(TWinControl* P, const win::POINT& Mouse, const win::RECT& Work) {
  const DragAxis a{FDownHeight, FDownClientHeight, P->Height(), P->Height() - P->ClientHeight(), P->ClientOrigin().y,
                   Work.top, Work.bottom, Mouse.y - FDownPos.y, FHeight};
  if (BottomCorner(FPosition)) {
    P->SetClientHeight(FarSideClientSize(a));
    return;
  }
  P->SetHeight(NearSideSize(a));
  P->SetTop(P->Top() + a.Size - P->Height());  // the bottom edge stays
}

void TSizeGripGx::NotifyParentResized() {
  if (FOnParentResized) FOnParentResized(this);
}
