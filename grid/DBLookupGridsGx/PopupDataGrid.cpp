// The popup data grid: window conventions of a drop-down, hot tracking and the close-up
// request on release.
#include "grid/DBLookupGridsGx/PopupDataGrid.h"

#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "gridcontrols/ToolCtrlsGx/SizeGrip.h"
#include "platform/controls/Messages.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/ScopeExit.h"


TPopupDataGridGx::TPopupDataGridGx(TComponent* AOwner) : TDBLookupGridGx(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csNoDesignVisible, csReplicatable});
  SetIsPopup(true);
  FSizeGrip = new TSizeGripGx(this);
  FSizeGrip->SetParent(this);
  FSizeGrip->SetTriangleWindow(true);
  SetShowHint(true);
}

TPopupDataGridGx::~TPopupDataGridGx() {
  delete FSizeGrip;
  FSizeGrip = nullptr;
}

void TPopupDataGridGx::CreateParams(TCreateParams& Params) {
  TDBLookupGridGx::CreateParams(Params);
  Params.Style = win::WS_POPUP | win::WS_CLIPCHILDREN | (Ctl3D() ? 0 : win::WS_BORDER);
  Params.ExStyle = win::WS_EX_TOOLWINDOW;
  AddBiDiModeExStyle(Params.ExStyle);
  Params.WindowClass.style = win::CS_SAVEBITS | win::CS_HREDRAW;
  // The grid's own non-client handling keeps the raised frame's pixel around the client.
  SetNonClientInset(BorderInset());
}

void TPopupDataGridGx::PaintFlatBorder() {
  if (!Ctl3D() || !HandleAllocated()) return;
  win::HDC DC = win::GetWindowDC(Handle());
  auto release = AtScopeExit([&] { win::ReleaseDC(Handle(), DC); });
  win::RECT Window{};
  win::GetWindowRect(Handle(), &Window);
  win::RECT R{0, 0, Window.right - Window.left, Window.bottom - Window.top};
  win::DrawEdge(DC, &R, win::BDR_RAISEDOUTER, win::BF_RECT);
}

template <class F>
void TPopupDataGridGx::AsUserAction(F&& Action) {
  FUserAction = true;
  auto lower = AtScopeExit([this] { FUserAction = false; });
  Action();
}

void TPopupDataGridGx::KeyValueChanged() {
  TDBLookupGridGx::KeyValueChanged();
  if (FUserAction && FOnUserKeyValueChanged) FOnUserKeyValueChanged(this);
}

void TPopupDataGridGx::KeyDown(win::WORD& Key, TShiftState Shift) {
  AsUserAction([&] { TDBLookupGridGx::KeyDown(Key, Shift); });
}

void TPopupDataGridGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  AsUserAction([&] { TDBLookupGridGx::MouseDown(Button, Shift, X, Y); });
}

void TPopupDataGridGx::MouseMove(TShiftState Shift, int X, int Y) {
  AsUserAction([&] {
    TDBLookupGridGx::MouseMove(Shift, X, Y);
    const bool Button = Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle);
    if (!Button && !ReadOnly()) SelectRowAt(X, Y);
  });
}

void TPopupDataGridGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridState State = GridState();
  TDBLookupGridGx::MouseUp(Button, Shift, X, Y);
  if (State != gsNormal || !FOnCloseUpRequest) return;
  if (X >= 0 && Y >= 0 && X < Width() && Y < Height()) {
    const TGridCoord Cell = MouseCoord(X, Y);
    const bool OnSpecRow = SpecRow()->Visible() && Cell.X >= 0 && Cell.Y == TitleAreaRowCount() - 1;
    if (OnSpecRow || DataCellBounds().Contains(Cell.X, Cell.Y)) FOnCloseUpRequest(this, true);
  } else {
    FOnCloseUpRequest(this, false);
  }
}

void TPopupDataGridGx::Dispatch(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case WM_GRIPSIDE_GX:
      if (FSizeGrip) FSizeGrip->MoveToSide(static_cast<int>(Message.WParam));
      return;
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case CM_CTL3DCHANGED:
      TDBLookupGridGx::Dispatch(Message);
      RecreateWnd();
      return;
    case WM_SIZE:
      TDBLookupGridGx::Dispatch(Message);
      if (FSizeGrip) FSizeGrip->PlaceInCorner();
      FGripResized = true;
      return;
    case WM_WINDOWPOSCHANGING:
      KeepPopupMinimumSize(this, Message);
      TDBLookupGridGx::Dispatch(Message);
      return;
    default: break;
  }
  TDBLookupGridGx::Dispatch(Message);
}
