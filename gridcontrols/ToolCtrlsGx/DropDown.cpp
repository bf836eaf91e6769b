#include "gridcontrols/ToolCtrlsGx/DropDown.h"

#include <algorithm>

#include "platform/controls/Messages.h"
#include "platform/graphics/Gdi.h"

void ClosePopupThroughOwner(TComponent* Popup, bool Accept) {
  if (auto* owner = Supports<IPopupOwnerGx>(Popup ? Popup->Owner() : nullptr)) owner->ClosePopup(Accept);
}

win::RECT NearestWorkArea(const win::RECT& Rect) {
  win::MONITORINFO info{};
  info.cbSize = sizeof(info);
  win::HMONITOR monitor = win::MonitorFromRect(&Rect, win::MONITOR_DEFAULTTONEAREST);
  if (!win::GetMonitorInfo(monitor, &info)) win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &info.rcWork, 0);
  return info.rcWork;
}

namespace {

// Where dropping popups differ.
struct TPlacementRules {
  // A popup squeezed between the anchor and the work area's edge keeps at least the height
  // of its grip; a list box snaps that up to one whole row.
  bool KeepGripHeight;
  // A popup left of the work area moves into it.
  bool MoveIntoWorkArea;
};

win::POINT Place(const win::RECT& AnchorRect, TWinControl* Popup, TAlignment Align, TPlacementRules Rules) {
  const win::RECT work = NearestWorkArea(AnchorRect);
  const int h = Popup->Height();
  const bool fitsBelow = AnchorRect.bottom + h <= work.bottom;
  const bool fitsAbove = AnchorRect.top - h >= work.top;
  const int roomBelow = work.bottom - AnchorRect.bottom;
  const int roomAbove = AnchorRect.top - work.top;
  const bool below = fitsBelow || (!fitsAbove && roomBelow >= roomAbove);
  auto shortened = [&](int Room) {
    return Rules.KeepGripHeight ? std::max(Room, win::GetSystemMetrics(win::SM_CYVSCROLL)) : Room;
  };
  int top;
  if (below) {
    if (AnchorRect.bottom + h > work.bottom) Popup->SetHeight(shortened(roomBelow));
    top = AnchorRect.bottom;
    Popup->Perform(WM_GRIPSIDE_GX, 3, 0);
  } else {
    if (AnchorRect.top - h < work.top) Popup->SetHeight(shortened(roomAbove));
    top = AnchorRect.top - Popup->Height();  // as it reads now: a list may have snapped it
    Popup->Perform(WM_GRIPSIDE_GX, 2, 0);
  }

  const int w = Popup->Width();
  const int anchorWidth = AnchorRect.right - AnchorRect.left;
  int left = AnchorRect.left;
  if (Align == taRightJustify) left = AnchorRect.right - w;
  else if (Align == taCenter) left = AnchorRect.left - (w - anchorWidth) / 2;
  if (work.right - work.left < w) Popup->SetWidth(work.right - work.left);
  if (left + Popup->Width() > work.right) {
    left = work.right - Popup->Width();
    Popup->Perform(WM_GRIPSIDE_GX, 0, 0);
  } else if (Rules.MoveIntoWorkArea && left < work.left) {
    left = work.left;
    Popup->Perform(WM_GRIPSIDE_GX, 1, 0);
  } else {
    Popup->Perform(WM_GRIPSIDE_GX, Align == taRightJustify ? 0 : 1, 0);
  }
  return {left, top};
}

}  // namespace

win::POINT PlaceDropDownWindow(const win::RECT& AnchorRect, TWinControl* Popup, TAlignment Align) {
  return Place(AnchorRect, Popup, Align, {.KeepGripHeight = true, .MoveIntoWorkArea = true});
}

win::POINT PlaceEditPopup(const win::RECT& EditRect, TWinControl* Popup) {
  return Place(EditRect, Popup, taLeftJustify, {.KeepGripHeight = false, .MoveIntoWorkArea = false});
}

void ShowDropDownWindow(TWinControl* Popup, win::POINT At) {
  Popup->HandleNeeded();
  win::SetWindowPos(Popup->Handle(), win::HWND_TOP, At.x, At.y, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOACTIVATE | win::SWP_SHOWWINDOW);
  Popup->SetVisible(true);
}

void HideDropDownWindow(TWinControl* Popup) {
  if (Popup->HandleAllocated())
    win::SetWindowPos(Popup->Handle(), nullptr, 0, 0, 0, 0,
                      win::SWP_NOZORDER | win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE |
                          win::SWP_HIDEWINDOW);
  Popup->SetVisible(false);
}

void CancelMouseCapture() {
  if (const win::HWND capture = win::GetCapture()) win::SendMessage(capture, win::WM_CANCELMODE, 0, 0);
}

int PopupBorderWidth(const TControl* Popup) { return Popup->Ctl3D() ? 2 : 0; }

void AddPopupWindowParams(TCreateParams& Params, const TControl* Popup, win::DWORD ExStyle) {
  Params.Style |= win::WS_POPUP;
  if (!Popup->Ctl3D()) Params.Style |= win::WS_BORDER;
  Params.ExStyle = ExStyle;
  Params.WindowClass.style = win::CS_SAVEBITS;
}

void KeepPopupMinimumSize(const TComponent* Popup, TMessage& Message) {
  auto* pos = reinterpret_cast<win::WINDOWPOS*>(Message.LParam);
  if (!pos || (pos->flags & win::SWP_NOSIZE) || Popup->ComponentState().Contains(csReading) ||
      Popup->ComponentState().Contains(csDestroying))
    return;
  pos->cx = std::max(pos->cx, win::GetSystemMetrics(win::SM_CXVSCROLL));
  pos->cy = std::max(pos->cy, win::GetSystemMetrics(win::SM_CYVSCROLL));
}

void PopupNcCalcSize(TMessage& Message, int Border) {
  auto* r = reinterpret_cast<win::RECT*>(Message.LParam);  // the first rectangle in both forms
  if (!r) return;
  r->left += Border;
  r->top += Border;
  r->right -= Border;
  r->bottom -= Border;
}

void PaintPopupRaisedFrame(win::HWND Window, const TControl* Popup) {
  if (!Popup->Ctl3D()) return;
  win::RECT w;
  win::GetWindowRect(Window, &w);
  win::RECT r{0, 0, w.right - w.left, w.bottom - w.top};
  win::HDC dc = win::GetWindowDC(Window);
  win::DrawEdge(dc, &r, win::BDR_RAISEDOUTER, win::BF_RECT);
  r = {1, 1, r.right - 1, r.bottom - 1};
  win::DrawEdge(dc, &r, win::BDR_RAISEDINNER, win::BF_RECT);
  win::ReleaseDC(Window, dc);
}

bool DispatchPopupFrameMessage(TWinControl* Popup, TMessage& Message, const std::function<void()>& Inherited,
                               const std::function<void()>& DrawBorder) {
  switch (Message.Msg) {
    case win::WM_NCCALCSIZE:
      Inherited();
      PopupNcCalcSize(Message, PopupBorderWidth(Popup));
      return true;
    case win::WM_NCPAINT:
      Inherited();
      DrawBorder();
      return true;
    case CM_CTL3DCHANGED:
      Inherited();
      if (Popup->HandleAllocated()) Popup->RecreateWnd();
      Popup->AdjustSize();
      return true;
    case win::WM_GETDLGCODE:
      Inherited();
      Message.Result |= win::DLGC_WANTARROWS | win::DLGC_WANTTAB | win::DLGC_WANTALLKEYS;
      return true;
    default: return false;
  }
}
