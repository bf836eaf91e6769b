#include "platform/controls/Control.h"

#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/controls/WinControl.h"
#include "platform/desktop/Windows.h"

#include <algorithm>

namespace {
int gCreationCounter = 0;
}

TShiftState KeysToShiftState(win::WORD Keys) {
  TShiftState s;
  if (Keys & win::MK_SHIFT) s += ssShift;
  if (Keys & win::MK_CONTROL) s += ssCtrl;
  if (Keys & win::MK_LBUTTON) s += ssLeft;
  if (Keys & win::MK_RBUTTON) s += ssRight;
  if (Keys & win::MK_MBUTTON) s += ssMiddle;
  if (win::GetKeyState(win::VK_MENU) < 0) s += ssAlt;
  return s;
}

TShiftState KeyDataToShiftState(win::LPARAM KeyData) {
  TShiftState s;
  if (win::GetKeyState(win::VK_SHIFT) < 0) s += ssShift;
  if (win::GetKeyState(win::VK_CONTROL) < 0) s += ssCtrl;
  if (KeyData & 0x20000000) s += ssAlt;
  return s;
}

TShiftState GetShiftState() {
  TShiftState s;
  if (win::GetKeyState(win::VK_SHIFT) < 0) s += ssShift;
  if (win::GetKeyState(win::VK_CONTROL) < 0) s += ssCtrl;
  if (win::GetKeyState(win::VK_MENU) < 0) s += ssAlt;
  if (win::GetKeyState(win::VK_LBUTTON) < 0) s += ssLeft;
  if (win::GetKeyState(win::VK_RBUTTON) < 0) s += ssRight;
  if (win::GetKeyState(win::VK_MBUTTON) < 0) s += ssMiddle;
  return s;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FWindowProc = MakeEvent(this, &TControl::WndProc);
  FColor = clWindow;
  FFont = std::make_unique<TFont>();
  FFont->SetOnChange(MakeEvent(this, &TControl::DoFontChange));
  FCreationOrder = ++gCreationCounter;
}

void ForgetControl(TControl* Control);

TControl::~TControl() {
  Destroying();
  ForgetControl(this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ApplyAutoSize(AWidth, AHeight);
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FParent && FAnchorOriginW < 0) {
    win::RECT r = FParent->ClientRect();
    FAnchorOriginW = r.right;
    FAnchorOriginH = r.bottom;
  }
  Invalidate();
  Perform(win::WM_WINDOWPOSCHANGED, 0, 0);
  RequestAlign();
  if (!(ComponentState().Contains(csLoading))) Resize();
}

win::RECT TControl::BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
void TControl::SetBoundsRect(const win::RECT& R) { SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top); }
win::RECT TControl::ClientRect() const { return {0, 0, FWidth, FHeight}; }
int TControl::ClientWidth() const { return ClientRect().right; }
int TControl::ClientHeight() const { return ClientRect().bottom; }
void TControl::SetClientWidth(int Value) { SetWidth(FWidth + Value - ClientWidth()); }
void TControl::SetClientHeight(int Value) { SetHeight(FHeight + Value - ClientHeight()); }

win::POINT TControl::ClientOrigin() const {
  if (auto* w = dynamic_cast<const TWinControl*>(this); w && w->HandleAllocated()) {
    win::POINT p{0, 0};
    win::ClientToScreen(w->FHandle, &p);
    return p;
  }
  if (!FParent) return {FLeft, FTop};
  win::POINT p = FParent->ClientOrigin();
  return {p.x + FLeft, p.y + FTop};
}

win::POINT TControl::ClientToScreen(win::POINT P) const {
  win::POINT o = ClientOrigin();
  return {P.x + o.x, P.y + o.y};
}

win::POINT TControl::ScreenToClient(win::POINT P) const {
  win::POINT o = ClientOrigin();
  return {P.x - o.x, P.y - o.y};
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  FAnchors = Value;
  FAnchorOriginW = -1;
  if (FParent) {
    win::RECT r = FParent->ClientRect();
    FAnchorOriginW = r.right;
    FAnchorOriginH = r.bottom;
  }
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

void TControl::Show() {
  if (FParent) FParent->Show();
  SetVisible(true);
}
void TControl::Hide() { SetVisible(false); }

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetColor(TColor Value) {
  if (FColor == Value) { FParentColor = false; return; }
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (FParent && Value) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetFont(TFont* Value) { FFont->Assign(Value); }

void TControl::DoFontChange(TObject*) {
  FParentFont = false;
  FontChanged();
}

void TControl::FontChanged() { Perform(CM_FONTCHANGED, 0, 0); }

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (FParent && Value) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetCtl3D(bool Value) {
  FParentCtl3D = false;
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TControl::SetParentCtl3D(bool Value) {
  if (FParentCtl3D == Value) return;
  FParentCtl3D = Value;
  if (Value && FParent) {
    bool v = FParent->Ctl3D();
    if (v != FCtl3D) { FCtl3D = v; Perform(CM_CTL3DCHANGED, 0, 0); }
    FParentCtl3D = true;
  }
}

void TControl::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  if (FShowHint == Value) return;
  FShowHint = Value;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (Value && FParent) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (Value && FParent) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

TSysLocale SysLocale;

bool TControl::IsRightToLeft() const { return SysLocale.MiddleEast && FBiDiMode != bdLeftToRight; }

bool TControl::UseRightToLeftAlignment() const { return SysLocale.MiddleEast && FBiDiMode == bdRightToLeft; }

bool TControl::UseRightToLeftReading() const { return SysLocale.MiddleEast && FBiDiMode != bdLeftToRight; }

bool TControl::UseRightToLeftScrollBar() const {
  return SysLocale.MiddleEast && (FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign);
}

win::UINT TControl::DrawTextBiDiModeFlags(win::UINT Flags) const {
  if (UseRightToLeftAlignment()) {
    if ((Flags & win::DT_RIGHT) == win::DT_RIGHT)
      Flags &= ~win::DT_RIGHT;
    else if ((Flags & win::DT_CENTER) != win::DT_CENTER)
      Flags |= win::DT_RIGHT;
  }
  return Flags | DrawTextBiDiModeFlagsReadingOnly();
}

win::UINT TControl::DrawTextBiDiModeFlagsReadingOnly() const {
  return UseRightToLeftReading() ? win::DT_RTLREADING : 0;
}

void ChangeBiDiModeAlignment(TAlignment& Alignment) {
  if (Alignment == taLeftJustify)
    Alignment = taRightJustify;
  else if (Alignment == taRightJustify)
    Alignment = taLeftJustify;
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

win::LRESULT TControl::Perform(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  if (FWindowProc) FWindowProc(m);
  else WndProc(m);
  return m.Result;
}

void TControl::Invalidate() {
  if (FParent && FVisible && FParent->HandleAllocated()) {
    win::RECT r = BoundsRect();
    win::InvalidateRect(FParent->Handle(), &r, !FControlStyle.Contains(csOpaque));
  }
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& v = FParent->FControls;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& v = FParent->FControls;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.insert(v.begin(), this);
  Invalidate();
}

void TControl::SetAutoSize(bool Value) {
  if (FControlAutoSize == Value) return;
  FControlAutoSize = Value;
  AdjustSize();
}

void TControl::AdjustSize() {
  if (FControlAutoSize) SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::ApplyAutoSize(int& NewWidth, int& NewHeight) {
  if (!FControlAutoSize || ComponentState().Contains(csLoading)) return;
  int w = NewWidth, h = NewHeight;
  if (CanAutoSize(w, h)) {
    NewWidth = w;
    NewHeight = h;
  }
}

void TControl::ScaleBy(int M, int D) { ChangeScale(M, D); }

void TControl::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  auto scale = [&](int v) { return static_cast<int>((static_cast<long long>(v) * M + (v >= 0 ? D / 2 : -D / 2)) / D); };
  TScalingFlags f = FScalingFlags.Empty() ? TScalingFlags{sfLeft, sfTop, sfWidth, sfHeight, sfFont} : FScalingFlags;
  int l = f.Contains(sfLeft) ? scale(FLeft) : FLeft;
  int t = f.Contains(sfTop) ? scale(FTop) : FTop;
  int w = f.Contains(sfWidth) ? scale(FLeft + FWidth) - scale(FLeft) : FWidth;
  int h = f.Contains(sfHeight) ? scale(FTop + FHeight) - scale(FTop) : FHeight;
  if (!f.Contains(sfLeft) && f.Contains(sfWidth)) w = scale(FWidth);
  if (!f.Contains(sfTop) && f.Contains(sfHeight)) h = scale(FHeight);
  if (f.Contains(sfFont) && !FParentFont) FFont->SetHeight(scale(FFont->Height()));
  FScalingFlags = {};
  SetBounds(l, t, w, h);
}

bool TControl::MouseCapture() const {
  return FParent && GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<win::LPARAM>(this)); }

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TControl::RequestAlign() {
  if (FParent) FParent->AlignControl(this);
}

TCustomForm* TControl::GetParentFormOf() const { return GetParentForm(const_cast<TControl*>(this)); }

void TControl::SendCancelMode(TControl* Sender) {
  TCustomForm* f = GetParentFormOf();
  if (f) f->SendCancelMode(Sender);
}

win::HDC TControl::GetDeviceContext(win::HWND& WindowHandle) {
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    WindowHandle = w->Handle();
    return win::GetDC(WindowHandle);
  }
  if (!FParent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  WindowHandle = FParent->Handle();
  win::HDC dc = win::GetDC(WindowHandle);
  win::SetViewportOrgEx(dc, FLeft, FTop, nullptr);
  win::IntersectClipRect(dc, 0, 0, FWidth, FHeight);
  return dc;
}

TCustomForm* GetParentForm(TControl* Control) {
  while (Control && Control->Parent()) Control = Control->Parent();
  return dynamic_cast<TCustomForm*>(Control);
}

std::string GetShortHint(const std::string& Hint) {
  std::size_t bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string GetLongHint(const std::string& Hint) {
  std::size_t bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* Value) {
  if (FControl == Value) return;
  FreeHandle();
  FControl = Value;
}

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
  SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  win::ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
}
