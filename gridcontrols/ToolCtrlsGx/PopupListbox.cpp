#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"

#include <algorithm>

#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Utf8.h"

namespace {
constexpr std::size_t MaxSearchLength = 32;
constexpr win::DWORD SearchResetMs = 2000;
constexpr win::DWORD ListExStyle = win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST;
}  // namespace

// ---- TPopupListboxGx ----

TPopupListboxGx::TPopupListboxGx(TComponent* AOwner) : TCustomListBox(AOwner) {
  FStyle = lbOwnerDrawFixed;
  FTabStop = false;
  FVisible = false;
  FControlStyle += csReplicatable;
  FSizeGrip = new TSizeGripGx(this);
  FSizeGrip->SetParent(this);
  FSizeGrip->SetTriangleWindow(true);
  FSizeGrip->SetPosition(2);
}

void TPopupListboxGx::CreateParams(TCreateParams& Params) {
  TCustomListBox::CreateParams(Params);
  AddPopupWindowParams(Params, this, ListExStyle);
  Params.Style |= win::WS_CLIPCHILDREN;
}

void TPopupListboxGx::CreateWnd() {
  TCustomListBox::CreateWnd();
  // Drawn with its selection as focused although the focus stays with the owner.
  TMessage focus{win::WM_SETFOCUS, 0, 0, 0};
  DefaultHandler(focus);
}

int TPopupListboxGx::FrameHeight() const {
  win::DWORD style = 0, exStyle = ListExStyle;
  if (HandleAllocated()) {
    style = static_cast<win::DWORD>(win::GetWindowLong(FHandle, win::GWL_STYLE));
    exStyle = static_cast<win::DWORD>(win::GetWindowLong(FHandle, win::GWL_EXSTYLE));
  } else {
    style = win::WS_POPUP | win::WS_CLIPCHILDREN | (Ctl3D() ? 0 : win::WS_BORDER);
  }
  win::RECT r{0, 0, 0, 0};
  win::AdjustWindowRectEx(&r, style, win::FALSE, exStyle);
  return (r.bottom - r.top) + 2 * PopupBorderWidth(this);
}

void TPopupListboxGx::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const int frame = FrameHeight();
  const int row = FItemHeight > 0 ? FItemHeight : MeasureLineHeight();
  FRowCount = std::max(1, (AHeight - frame) / std::max(1, row));
  TCustomListBox::SetBounds(ALeft, ATop, AWidth, frame + FRowCount * row);
}

void TPopupListboxGx::SizeToRows(int Rows) { SetHeight(std::max(Rows, 1) * ItemHeight() + FrameHeight()); }

int TPopupListboxGx::MeasureLineHeight() {
  win::HDC dc = win::GetDC(nullptr);
  win::HGDIOBJ old = win::SelectObject(dc, FFont->Handle());
  win::TEXTMETRIC tm{};
  win::GetTextMetrics(dc, &tm);
  win::SelectObject(dc, old);
  win::ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

void TPopupListboxGx::SetImageList(TCustomImageList* Value) {
  if (FImageList == Value) return;
  if (FImageList) FImageList->RemoveFreeNotification(this);
  FImageList = Value;
  if (FImageList) FImageList->FreeNotification(this);
  Invalidate();
}

void TPopupListboxGx::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomListBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImageList) FImageList = nullptr;
}

void TPopupListboxGx::GripSideChanged(int Side) { FSizeGrip->MoveToSide(Side); }

void TPopupListboxGx::Dispatch(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case WM_GRIPSIDE_GX: GripSideChanged(static_cast<int>(Message.WParam)); return;
    case WM_NCCALCSIZE:
      TCustomListBox::Dispatch(Message);
      PopupNcCalcSize(Message, PopupBorderWidth(this));
      return;
    case WM_NCPAINT:
      TCustomListBox::Dispatch(Message);
      PaintPopupRaisedFrame(FHandle, this);
      return;
    case CM_CTL3DCHANGED:
      TCustomListBox::Dispatch(Message);
      RecreateWnd();
      return;
    case WM_WINDOWPOSCHANGING:
      KeepPopupMinimumSize(this, Message);
      TCustomListBox::Dispatch(Message);
      return;
    case WM_SIZE:
      TCustomListBox::Dispatch(Message);
      FSizeGrip->PlaceInCorner();
      FGripResized = true;
      return;
    default: TCustomListBox::Dispatch(Message);
  }
}

// Hot tracking: the item under a moving mouse becomes the current one, unless a button
// is held.
void TPopupListboxGx::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomListBox::MouseMove(Shift, X, Y);
  if ((X != FLastMousePos.x || Y != FLastMousePos.y) && !Shift.Contains(ssLeft) && !Shift.Contains(ssRight) &&
      !Shift.Contains(ssMiddle)) {
    int i = ItemAtPos({X, Y}, true);
    if (i >= 0) SetItemIndex(i);
  }
  FLastMousePos = {X, Y};
}

// Typed characters select the first item that begins with what was typed, forgotten
// after a pause of more than two seconds.
void TPopupListboxGx::KeyPress(TKeyChar& Key) {
  if (Key == 8 || Key == 27) {
    FSearchText.clear();
  } else if (Key >= 32 && Key <= 255) {
    win::DWORD now = win::GetTickCount();
    if (now - FSearchTime > SearchResetMs) FSearchText.clear();
    FSearchTime = now;
    if (Utf8Length(FSearchText) < MaxSearchLength) Utf8Append(FSearchText, Key);
    Perform(win::LB_SELECTSTRING, 0xFFFF, reinterpret_cast<win::LPARAM>(FSearchText.c_str()));
    Key = 0;
  }
  TCustomListBox::KeyPress(Key);
}

bool TPopupListboxGx::DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) {
  if (!TCustomListBox::DoMouseWheelDown(Shift, MousePos)) SetTopIndex(TopIndex() + 1);
  return true;
}

bool TPopupListboxGx::DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) {
  if (!TCustomListBox::DoMouseWheelUp(Shift, MousePos)) SetTopIndex(TopIndex() - 1);
  return true;
}

void TPopupListboxGx::Paint() {
  if (!FImageList) {
    TCustomListBox::Paint();
    return;
  }
  TCanvas* c = Canvas();
  c->Font()->Assign(FFont.get());
  c->Brush()->SetColor(FColor);
  c->FillRect(ClientRect());
  const bool rtl = UseRightToLeftReading();
  for (int i = FTopIndex, n = Count(); i < n && i < FTopIndex + VisibleCount() + 1; ++i) {
    TOwnerDrawState st;
    if (i == FItemIndex) st += odSelected;
    if (i == FItemIndex && (Focused() || FDrawFocused)) st += odFocused;
    c->Font()->Assign(FFont.get());
    c->Brush()->SetColor(FColor);
    if (st.Contains(odSelected)) {
      c->Brush()->SetColor(clHighlight);
      c->Font()->SetColor(clHighlightText);
    }
    win::RECT r = ItemRect(i);
    DrawItem(i, r, st);
    if (rtl) r.right -= ImageBoxWidth();
    else r.left += ImageBoxWidth();
    if (st.Contains(odFocused)) c->DrawFocusRect(r);
  }
}

void TPopupListboxGx::DrawItem(int Index, win::RECT Rect, TOwnerDrawState State) {
  if (!FImageList) {
    TCustomListBox::DrawItem(Index, Rect, State);
    return;
  }
  const bool rtl = UseRightToLeftReading();
  const int box = ImageBoxWidth();
  win::RECT imageBox = rtl ? win::RECT{Rect.right - box, Rect.top, Rect.right, Rect.bottom}
                           : win::RECT{0, Rect.top, box, Rect.bottom};
  TCanvas* c = Canvas();
  DrawImageInRect(c->Handle(), imageBox, FImageList, State.Contains(odSelected), Index);
  win::RECT text = Rect;
  if (rtl) text.right -= box;
  else text.left += box;
  if (Index >= Count()) return;
  const std::string& s = FItems->Strings(Index);
  int x = rtl ? text.right - c->TextWidth(s) - 2 : FImageList->Width() + 5;
  c->TextRect(text, x, Rect.top, s);
}

// ---- TMRUListboxGx ----

TMRUListboxGx::TMRUListboxGx(TComponent* AOwner) : TPopupListboxGx(AOwner) {
  FOwnScrollBar = false;
  FScrollBar = new TScrollBar(this);
  FScrollBar->SetKind(sbVertical);
  FScrollBar->SetControlStyle(FScrollBar->ControlStyle() + csReplicatable);
  FScrollBar->SetTabStop(false);
  FScrollBar->SetWidth(win::GetSystemMetrics(win::SM_CXVSCROLL));
  FScrollBar->SetVisible(false);
  FScrollBar->SetParent(this);
  FScrollBar->SetOnScroll(MakeEvent(this, &TMRUListboxGx::ScrollBarScrolled));
  FScrollBarWndProc = FScrollBar->WindowProc();
  FScrollBar->SetWindowProc(MakeEvent(this, &TMRUListboxGx::ScrollBarWndProc));
}

void TMRUListboxGx::CreateParams(TCreateParams& Params) {
  TPopupListboxGx::CreateParams(Params);
  Params.Style &= ~(win::WS_HSCROLL | win::WS_VSCROLL);
}

// The scroll bar runs down the right edge beside the grip, or the whole height when the
// grip is on the left.
void TMRUListboxGx::PlaceOwnScrollBar() {
  const int w = FScrollBar->Width();
  const int grip = SizeGrip()->Height();
  int y = 0, h = ClientHeight();
  switch (SizeGrip()->Position()) {
    case 1: y = grip; h = ClientHeight() - grip; break;
    case 2: h = ClientHeight() - grip; break;
    default: break;
  }
  FMovingScrollBar = true;
  auto done = AtScopeExit([this] { FMovingScrollBar = false; });
  FScrollBar->SetBounds(ClientWidth() - w, y, w, std::max(h, 0));
}

void TMRUListboxGx::UpdateOwnScrollBar() {
  if (!HandleAllocated()) return;
  FScrollBar->SetCtl3D(false);
  PlaceOwnScrollBar();
  FScrollBar->SetPageSize(0);
  const int visibleRows = ClientHeight() / std::max(1, ItemHeight());
  const bool gripOnRight = SizeGrip()->Position() == 1 || SizeGrip()->Position() == 2;
  if (Count() > 0 && Count() > visibleRows) {
    FScrollBar->SetParams(TopIndex(), 0, Count() - 1);
    FScrollBar->SetPageSize(visibleRows);
    FScrollBar->SetVisible(true);
    SizeGrip()->SetTriangleWindow(!gripOnRight);
  } else {
    FScrollBar->SetVisible(false);
    SizeGrip()->SetTriangleWindow(true);
  }
}

void TMRUListboxGx::GripSideChanged(int Side) {
  TPopupListboxGx::GripSideChanged(Side);
  UpdateOwnScrollBar();
}

void TMRUListboxGx::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_SIZE:
      TPopupListboxGx::Dispatch(Message);
      UpdateOwnScrollBar();
      return;
    case CM_MOUSEWHEEL:
    case CM_CHANGED:
      TPopupListboxGx::Dispatch(Message);
      PlaceOwnScrollBar();
      UpdateOwnScrollBar();
      return;
    default: TPopupListboxGx::Dispatch(Message);
  }
}

// The scroll bar's steps scroll the list.
void TMRUListboxGx::ScrollBarScrolled(TObject*, TScrollCode Code, int& Pos) {
  Perform(win::WM_VSCROLL, win::MAKEWPARAM(static_cast<win::WORD>(Code), static_cast<win::WORD>(Pos)), 0);
}

void TMRUListboxGx::ScrollBarWndProc(TMessage& Message) {
  if (Message.Msg == win::WM_MOVE && !FMovingScrollBar) {
    // Moved by someone else: back to its place.
    UpdateOwnScrollBar();
    Message.Result = 0;
    return;
  }
  FScrollBarWndProc(Message);
}
