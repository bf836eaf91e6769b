// TWinControl: window handles, children, alignment and geometry.
#include "platform/controls/WinControl.h"

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>
#include <unordered_map>

namespace {
std::unordered_map<win::HWND, TWinControl*>& HandleMap() {
  static std::unordered_map<win::HWND, TWinControl*> map;
  return map;
}
TWinControl* gCreationControl = nullptr;
}  // namespace

bool DragFilterMessage(TMessage& Message);

win::LRESULT ControlWindowProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  auto& map = HandleMap();
  auto it = map.find(hwnd);
  TWinControl* control = nullptr;
  if (it != map.end()) {
    control = it->second;
  } else if (gCreationControl) {
    control = gCreationControl;
    gCreationControl = nullptr;
    control->FHandle = hwnd;
    map[hwnd] = control;
  }
  if (!control) return win::DefWindowProc(hwnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  try {
    if (DragFilterMessage(m)) return m.Result;
    control->FWindowProc ? control->FWindowProc(m) : control->WndProc(m);
  } catch (...) {
    if (Application) Application->HandleException(control);
    else throw;
  }
  // A window gone (destroyed by the window system too) leaves no handle behind.
  if (msg == win::WM_NCDESTROY) {
    map.erase(hwnd);
    if (control->FHandle == hwnd) {
      control->FHandle = nullptr;
      control->FShowing = false;
    }
  }
  return m.Result;
}

TWinControl* TWinControl::FindControl(win::HWND Handle) {
  auto it = HandleMap().find(Handle);
  return it == HandleMap().end() ? nullptr : it->second;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  if (FParent) FParent->RemoveControl(this);
  // Children that belong to someone else stay alive but lose their parent.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    RemoveControl(c);
  }
  DestroyHandle();
}

win::HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::SetParentWindow(win::HWND Value) {
  if (FParent || FParentWindow == Value) return;
  if (FHandle && Value) win::SetParent(FHandle, Value);
  else DestroyHandle();
  FParentWindow = Value;
  UpdateControlState();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = FText;
  Params.Style = win::WS_CHILD | win::WS_CLIPSIBLINGS;
  if (FTabStop) Params.Style |= win::WS_TABSTOP;
  if (!FEnabled) Params.Style |= win::WS_DISABLED;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->Handle() : FParentWindow;
  Params.WindowClass.style = win::CS_VREDRAW | win::CS_HREDRAW | win::CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = &win::DefWindowProcA;
  Params.WindowClass.hCursor = win::LoadCursor(nullptr, win::IDC_ARROW);
  Params.WinClassName = ClassName();
  AddBiDiModeExStyle(Params.ExStyle);
}

void TWinControl::AddBiDiModeExStyle(win::DWORD& ExStyle) const {
  if (UseRightToLeftReading()) ExStyle |= win::WS_EX_RTLREADING;
  if (UseRightToLeftScrollBar()) ExStyle |= win::WS_EX_LEFTSCROLLBAR;
  if (UseRightToLeftAlignment()) {
    if (GetControlsAlignment() == taLeftJustify)
      ExStyle |= win::WS_EX_RIGHT;
    else if (GetControlsAlignment() == taRightJustify)
      ExStyle |= win::WS_EX_LEFT;
  }
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  gCreationControl = this;
  win::HWND h = win::CreateWindowEx(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(),
                                    Params.Style, Params.X, Params.Y, Params.Width, Params.Height,
                                    Params.WndParent, nullptr, nullptr, Params.Param);
  gCreationControl = nullptr;
  if (!h) throw EOutOfResources("Error creating window");
  if (!FHandle) {
    FHandle = h;
    HandleMap()[h] = this;
  }
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  // A popup is a top-level window owned by its parent's window, not a clipped child.
  FPopupWindow = (params.Style & win::WS_POPUP) != 0;
  if (FPopupWindow) params.Style &= ~win::WS_CHILD;
  if ((params.Style & win::WS_CHILD) && !params.WndParent)
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  FDefWndProc = params.WindowClass.lpfnWndProc;
  win::WNDCLASSA existing;
  if (!win::GetClassInfo(nullptr, params.WinClassName.c_str(), &existing)) {
    win::WNDCLASSA wc = params.WindowClass;
    wc.lpfnWndProc = &ControlWindowProc;
    wc.lpszClassName = params.WinClassName.c_str();
    win::RegisterClass(&wc);
  }
  CreateWindowHandle(params);
  // Children that want to be seen get their windows too.
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Visible()) w->HandleNeeded();
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
}

void TWinControl::DestroyWindowHandle() {
  win::HWND h = FHandle;
  if (!h) return;
  FControlState += csDestroyingHandle;
  win::DestroyWindow(h);
  HandleMap().erase(h);
  FHandle = nullptr;
  FControlState -= csDestroyingHandle;
}

void TWinControl::DestroyWnd() { DestroyWindowHandle(); }

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
  FShowing = false;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  // The focus, when it is in this control or one inside it, goes back to the new window.
  TWinControl* focused = FindControl(win::GetFocus());
  if (focused && focused != this && !ContainsControl(focused)) focused = nullptr;
  FRecreating = true;
  {
    auto guard = AtScopeExit([&] { FRecreating = false; });
    DestroyHandle();
  }
  UpdateControlState();
  if (focused && focused->HandleAllocated() && win::IsWindowVisible(focused->FHandle) &&
      win::IsWindowEnabled(focused->FHandle))
    win::SetFocus(focused->FHandle);
}

void TWinControl::CMRecreateWnd(TMessage&) { RecreateWnd(); }

bool TWinControl::Showing() const { return FShowing; }

// Shows or hides the window to match Visible; children are shown before their parent,
// and their windows hide with it.
void TWinControl::UpdateShowing() {
  bool show = FVisible && !ComponentState().Contains(csDestroying);
  if (show) {
    if (!FHandle) CreateHandle();
    for (TControl* c : std::vector<TControl*>(FControls))
      if (auto* w = dynamic_cast<TWinControl*>(c)) w->UpdateShowing();
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    auto undo = AtScopeFailure([this, show] { FShowing = !show; });
    Perform(CM_SHOWINGCHANGED, 0, 0);
  }
}

// Updates the window's visibility when its parents are showing (a hidden parent
// shows its children when it is shown itself).
void TWinControl::UpdateControlState() {
  const TWinControl* top = this;
  while (top->FParent) {
    top = top->FParent;
    if (!top->Showing()) {
      if (FShowing && !FVisible) break;
      return;
    }
  }
  if (dynamic_cast<const TCustomForm*>(top) || top->FParentWindow) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  win::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE |
                        (FShowing ? win::SWP_SHOWWINDOW : win::SWP_HIDEWINDOW));
  // A window that appears paints itself whole.
  if (FShowing) win::InvalidateRect(FHandle, nullptr, win::TRUE);
}

void TWinControl::CMVisibleChangedWin(TMessage& Message) {
  if (!FVisible && FParent) {
    // A hidden control gives the focus up.
    TCustomForm* f = GetParentForm(this);
    if (f && f->ActiveControl() && ContainsControl(f->ActiveControl())) f->DefocusControl(this, false);
  }
  UpdateControlState();
  TControl::CMVisibleChanged(Message);
}

void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  FControls.push_back(AControl);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) FTabList.push_back(w);
  AControl->FAnchorOriginW = -1;
  {
    win::RECT r = ClientRect();
    AControl->FAnchorOriginW = r.right;
    AControl->FAnchorOriginH = r.bottom;
  }
  if (AControl->FParentFont) AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
  if (AControl->FParentColor) AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
  if (AControl->FParentShowHint) AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  if (AControl->FParentBiDiMode) AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
  if (AControl->FParentCtl3D && AControl->FCtl3D != FCtl3D) AControl->FCtl3D = FCtl3D;
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    if (FHandle && w->Visible()) w->HandleNeeded();
    if (w->FHandle && FHandle) win::SetParent(w->FHandle, FHandle);
    w->UpdateControlState();
  } else {
    AControl->Invalidate();
  }
  AlignControl(AControl);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<win::WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto it = std::find(FControls.begin(), FControls.end(), AControl);
  if (it == FControls.end()) return;
  TCustomForm* f = GetParentForm(this);
  if (f && !f->ComponentState().Contains(csDestroying)) f->DefocusControl(AControl, true);
  AControl->Invalidate();
  if (GetCaptureControl() == AControl) SetCaptureControl(nullptr);
  if (FMouseControl == AControl) FMouseControl = nullptr;
  FControls.erase(it);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
    if (!ComponentState().Contains(csDestroying)) w->DestroyHandle();
    else if (w->FHandle) w->DestroyHandle();
  }
  AControl->FParent = nullptr;
  if (!ComponentState().Contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
  while (Control && Control != this) Control = Control->Parent();
  return Control != nullptr;
}

TControl* TWinControl::ControlAtPos(win::POINT Pos, bool AllowDisabled, bool AllowWinControls) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
    if (windowed && !AllowWinControls) continue;
    if (!c->Visible() || (!c->Enabled() && !AllowDisabled)) continue;
    win::RECT r = c->BoundsRect();
    if (Pos.x >= r.left && Pos.x < r.right && Pos.y >= r.top && Pos.y < r.bottom) {
      if (c->Perform(CM_HITTEST, 0, win::MAKELPARAM(static_cast<win::WORD>(Pos.x - r.left), static_cast<win::WORD>(Pos.y - r.top))) != 0)
        return c;
    }
  }
  return nullptr;
}

win::RECT TWinControl::ClientRect() const {
  win::RECT r{0, 0, FWidth, FHeight};
  if (FHandle) win::GetClientRect(FHandle, &r);
  return r;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ApplyAutoSize(AWidth, AHeight);
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool sized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FHandle) win::SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, win::SWP_NOZORDER | win::SWP_NOACTIVATE);
  if (FParent && FAnchorOriginW < 0) {
    win::RECT r = FParent->ClientRect();
    FAnchorOriginW = r.right;
    FAnchorOriginH = r.bottom;
  }
  RequestAlign();
  if (sized) {
    Realign();
    if (!ComponentState().Contains(csLoading)) Resize();
  }
}

// Reads the window's bounds back after the window system moved or sized it.
void TWinControl::UpdateBounds() {
  if (!FHandle) return;
  win::RECT r;
  win::GetWindowRect(FHandle, &r);
  win::HWND parent = win::GetParent(FHandle);
  if (parent && (win::GetWindowLong(FHandle, win::GWL_STYLE) & win::WS_CHILD)) {
    win::POINT p{r.left, r.top};
    win::ScreenToClient(parent, &p);
    r = {p.x, p.y, p.x + (r.right - r.left), p.y + (r.bottom - r.top)};
  }
  bool sized = r.right - r.left != FWidth || r.bottom - r.top != FHeight;
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
  if (sized) {
    RequestAlign();
    Realign();
    if (!ComponentState().Contains(csLoading)) Resize();
  }
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
}

void TWinControl::WMSize(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMMove(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (--FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::RequestAlign() { TControl::RequestAlign(); }

void TWinControl::AlignControl(TControl* AControl) {
  if (FAlignLevel > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) {
    FControlState += csAlignmentNeeded;
    return;
  }
  FControlState -= csAlignmentNeeded;
  win::RECT r = ClientRect();
  AdjustClientRect(r);
  ++FAlignLevel;
  {
    auto guard = AtScopeExit([&] { --FAlignLevel; });
    AlignControls(AControl, r);
  }
  FControlState -= csAlignmentNeeded;
}

void TWinControl::AlignControls(TControl* AControl, win::RECT& Rect) {
  std::vector<TAlignBox> boxes;
  std::vector<TControl*> owners;
  auto popup = [](TControl* c) {
    auto* w = dynamic_cast<TWinControl*>(c);
    return w && w->FPopupWindow;
  };
  for (TControl* c : FControls) {
    if (!c->Visible() || c->FAlign == alNone || c->FAlign == alCustom || popup(c)) continue;
    TAlignBox b{c->FAlign, c->FLeft, c->FTop, c->FWidth, c->FHeight, c->FCreationOrder};
    // The control being moved takes its new place ahead of equal neighbours.
    if (c == AControl) b.Order = -1;
    boxes.push_back(b);
    owners.push_back(c);
  }
  std::vector<TAlignBox*> ptrs;
  for (auto& b : boxes) ptrs.push_back(&b);
  int l = Rect.left, t = Rect.top, r = Rect.right, bt = Rect.bottom;
  ArrangeAlignedBoxes(ptrs, l, t, r, bt);
  for (size_t i = 0; i < owners.size(); ++i)
    owners[i]->SetBounds(boxes[i].Left, boxes[i].Top, boxes[i].Width, boxes[i].Height);
  // Anchored controls keep their distances to the anchored edges.
  win::RECT cr = ClientRect();
  for (TControl* c : FControls) {
    if (c->FAlign != alNone || c->FAnchorOriginW < 0 || popup(c)) continue;
    int dw = cr.right - c->FAnchorOriginW, dh = cr.bottom - c->FAnchorOriginH;
    c->FAnchorOriginW = cr.right;
    c->FAnchorOriginH = cr.bottom;
    if (dw == 0 && dh == 0) continue;
    int x = c->FLeft, y = c->FTop, w = c->FWidth, h = c->FHeight;
    if (c->FAnchors.Contains(akRight)) {
      if (c->FAnchors.Contains(akLeft)) w += dw; else x += dw;
    } else if (!c->FAnchors.Contains(akLeft)) {
      x += dw / 2;
    }
    if (c->FAnchors.Contains(akBottom)) {
      if (c->FAnchors.Contains(akTop)) h += dh; else y += dh;
    } else if (!c->FAnchors.Contains(akTop)) {
      y += dh / 2;
    }
    c->SetBounds(x, y, w, h);
    c->FAnchorOriginW = cr.right;
    c->FAnchorOriginH = cr.bottom;
  }
  Rect = {l, t, r, bt};
}

void TWinControl::ScaleControls(int M, int D) {
  for (TControl* c : FControls) c->ChangeScale(M, D);
}

void TWinControl::ChangeScale(int M, int D) {
  DisableAlign();
  auto guard = AtScopeExit([&] { EnableAlign(); });
  ScaleControls(M, D);
  TControl::ChangeScale(M, D);
}

void TWinControl::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  if (FHandle) win::SetWindowText(FHandle, Value.c_str());
  Perform(CM_TEXTCHANGED, 0, 0);
}

std::string TWinControl::GetText() const { return FText; }

void TWinControl::Invalidate() {
  if (FHandle) win::InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
  if (FHandle) win::UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::Broadcast(TMessage& Message) {
  for (TControl* c : std::vector<TControl*>(FControls)) {
    c->WindowProc()(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(win::UINT Msg) {
  TMessage m{Msg, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(Msg, 0, 0);
  (void)m;
}

void TWinControl::CMFontChangedWin(TMessage& Message) {
  TControl::CMFontChanged(Message);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChangedWin(TMessage& Message) {
  TControl::CMColorChanged(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMEnabledChangedWin(TMessage& Message) {
  if (!FEnabled && FParent) {
    TCustomForm* f = GetParentForm(this);
    if (f && f->ActiveControl() && ContainsControl(f->ActiveControl())) f->DefocusControl(this, false);
  }
  if (FHandle) win::EnableWindow(FHandle, FEnabled ? win::TRUE : win::FALSE);
  TControl::CMEnabledChanged(Message);
}

void TWinControl::CMSysColorChange(TMessage&) { NotifyControls(CM_SYSCOLORCHANGE); }

void TWinControl::CMCancelMode(TMessage& Message) {
  if (GetCaptureControl() && ContainsControl(GetCaptureControl()) &&
      GetCaptureControl() != reinterpret_cast<TControl*>(Message.LParam))
    GetCaptureControl()->Perform(win::WM_CANCELMODE, 0, 0);
}
