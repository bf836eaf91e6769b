// TCustomForm: creation from its description, showing, closing, modal loops and focus.
#include "platform/controls/Forms.h"

#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/forms/Filer.h"

#include <algorithm>

namespace {
std::map<std::string, std::string>& Descriptions() {
  static std::map<std::string, std::string> map;
  return map;
}
}  // namespace

void RegisterFormDescription(const std::string& ClassName, const std::string& Text) {
  Descriptions()[ClassName] = Text;
}

std::string FindFormDescription(const std::string& ClassName) {
  for (auto& [name, text] : Descriptions())
    if (SameIdent(name, ClassName)) return text;
  return {};
}

void TCustomForm::Publish(TClassBuilder<TCustomForm>& b) {
  b.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  b.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
  b.Property("Caption", &TControl::Caption, &TControl::SetCaption);
  b.Property("ClientHeight", &TCustomForm::ClientHeightProp, &TCustomForm::SetClientHeightProp);
  b.Property("ClientWidth", &TCustomForm::ClientWidthProp, &TCustomForm::SetClientWidthProp);
  b.Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
  b.Property("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon);
  b.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
  b.Property("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder);
  b.Property("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
  b.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
  b.Property("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled).Default(true);
  b.Property("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight);
  b.Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
  b.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  b.Property("OnActivate", &TCustomForm::OnActivate, &TCustomForm::SetOnActivate);
  b.Property("OnClose", &TCustomForm::OnClose, &TCustomForm::SetOnClose);
  b.Property("OnCloseQuery", &TCustomForm::OnCloseQuery, &TCustomForm::SetOnCloseQuery);
  b.Property("OnCreate", &TCustomForm::OnCreate, &TCustomForm::SetOnCreate);
  b.Property("OnDeactivate", &TCustomForm::OnDeactivate, &TCustomForm::SetOnDeactivate);
  b.Property("OnDestroy", &TCustomForm::OnDestroy, &TCustomForm::SetOnDestroy);
  b.Property("OnHide", &TCustomForm::OnHide, &TCustomForm::SetOnHide);
  b.Property("OnShow", &TCustomForm::OnShow, &TCustomForm::SetOnShow);
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  RegisterStandardClasses();
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FColor = clBtnFace;
  FLeft = 0;
  FTop = 0;
  FWidth = 320;
  FHeight = 240;
  FIcon = std::make_unique<TIcon>();
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  Screen->FForms.push_back(this);
}

TCustomForm::~TCustomForm() {
  if (!FDestroyed) BeforeDestruction();
  Destroying();
  auto& forms = Screen->FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (Screen->FActiveCustomForm == this) Screen->FActiveCustomForm = nullptr;
  if (Screen->FActiveControl && ContainsControl(Screen->FActiveControl)) Screen->FActiveControl = nullptr;
  if (Application && Application->FMainForm == this) Application->FMainForm = nullptr;
}

void TCustomForm::AfterConstruction() {
  std::string text = FindFormDescription(ClassName());
  FFormState += fsCreating;
  {
    auto guard = AtScopeExit([&] { FFormState -= fsCreating; });
    if (!text.empty()) ReadDescription(text);
  }
  if (!FOldCreateOrder) DoCreate();
}

void TCustomForm::ReadDescription(const std::string& Text) {
  TReader reader(Text);
  reader.ReadRootComponent(this);
}

void TCustomForm::Free() {
  BeforeDestruction();
  delete this;
}

void TCustomForm::BeforeDestruction() {
  if (FDestroyed) return;
  FDestroyed = true;
  if (FHandle && FVisible) {
    FVisible = false;
    UpdateShowing();
  }
  DoDestroy();
}

void TCustomForm::Release() {
  win::PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) { Free(); }

void TCustomForm::DoCreate() {
  if (!FOnCreate) return;
  try {
    FOnCreate(this);
  } catch (...) {
    if (Application) Application->HandleException(this);
    else throw;
  }
}

void TCustomForm::DoDestroy() {
  if (!FOnDestroy) return;
  try {
    FOnDestroy(this);
  } catch (...) {
    if (Application) Application->HandleException(this);
    else throw;
  }
}

void TCustomForm::DoShow() {
  if (FOnShow) FOnShow(this);
}

void TCustomForm::DoHide() {
  if (FOnHide) FOnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (FOnClose) FOnClose(this, Action);
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  if (FActiveControl && !ContainsControl(FActiveControl)) FActiveControl = nullptr;
  Realign();
}

void TCustomForm::SetClientWidthProp(int Value) {
  // The description gives the client size; the frame is added once the window exists.
  if (FHandle) return SetClientWidth(Value);
  FPendingClientWidth = Value;
  SetWidth(Value);
}

void TCustomForm::SetClientHeightProp(int Value) {
  if (FHandle) return SetClientHeight(Value);
  FPendingClientHeight = Value;
  SetHeight(Value);
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  int w = FPendingClientWidth, h = FPendingClientHeight;
  FPendingClientWidth = FPendingClientHeight = -1;
  // The window system chose the place or size: take them as the form's bounds.
  if (FUseDefaultPos || FUseDefaultSize) {
    UpdateBounds();
    FDefaultPlaced = true;
    if (FUseDefaultSize) w = h = -1;
  }
  if (w >= 0) SetClientWidth(w);
  if (h >= 0) SetClientHeight(h);
}

void TCustomForm::SetPixelsPerInch(int Value) {
  if (Value <= 0) return;
  FPixelsPerInch = Value;
}

void TCustomForm::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetIcon(TIcon* Value) { FIcon->Assign(Value); }

win::HICON TCustomForm::GetIconHandle() {
  if (!FIcon->Empty()) return FIcon->Handle();
  return Application && Application->Icon() ? Application->Icon()->Handle() : nullptr;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (FWindowState == Value) return;
  FWindowState = Value;
  if (FHandle && FShowing) {
    static const int cmds[] = {win::SW_SHOWNORMAL, win::SW_MINIMIZE, win::SW_SHOWMAXIMIZED};
    win::ShowWindow(FHandle, cmds[Value]);
  }
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = win::WS_CLIPCHILDREN | win::WS_CLIPSIBLINGS;
  switch (FBorderStyle) {
    case bsNone: Params.Style |= win::WS_POPUP; break;
    case bsSingle: case bsToolWindow: Params.Style |= win::WS_CAPTION | win::WS_BORDER; break;
    case bsSizeable: case bsSizeToolWin: Params.Style |= win::WS_CAPTION | win::WS_THICKFRAME; break;
    case bsDialog:
      Params.Style |= win::WS_POPUP | win::WS_CAPTION | win::WS_DLGFRAME;
      Params.ExStyle |= win::WS_EX_DLGMODALFRAME;
      break;
  }
  if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) Params.ExStyle |= win::WS_EX_TOOLWINDOW;
  if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
    Params.Style |= win::WS_SYSMENU;
    if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
      if (FBorderIcons.Contains(biMinimize)) Params.Style |= win::WS_MINIMIZEBOX;
      if (FBorderIcons.Contains(biMaximize)) Params.Style |= win::WS_MAXIMIZEBOX;
    }
  }
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= win::WS_EX_TOPMOST;
  Params.WndParent = Application && Application != static_cast<TComponent*>(nullptr) ? Application->Handle() : nullptr;
  if (FParentWindow) Params.WndParent = FParentWindow;
  Params.WindowClass.style = win::CS_DBLCLKS;
  // The default place and size are asked for once; a window made again keeps them.
  FUseDefaultPos = !FDefaultPlaced && !ComponentState().Contains(csDesigning) &&
                   (FPosition == poDefault || FPosition == poDefaultPosOnly);
  FUseDefaultSize = !FDefaultPlaced && !ComponentState().Contains(csDesigning) &&
                    (FPosition == poDefault || FPosition == poDefaultSizeOnly);
  if (FUseDefaultPos) Params.X = Params.Y = win::CW_USEDEFAULT;
  if (FUseDefaultSize) Params.Width = Params.Height = win::CW_USEDEFAULT;
}

namespace {
win::MONITORINFO MonitorInfoOf(win::HMONITOR m) {
  win::MONITORINFO mi;
  win::GetMonitorInfo(m, &mi);
  return mi;
}

win::RECT Centred(const win::RECT& Over, int Width, int Height) {
  int x = Over.left + (Over.right - Over.left - Width) / 2;
  int y = Over.top + (Over.bottom - Over.top - Height) / 2;
  return {x, y, x + Width, y + Height};
}
}  // namespace

// Where the form goes when shown: centred on a monitor, the desktop or another form.
// Except on the desktop, it is then kept inside the work area of the monitor it lands
// on (its top-left corner wins when it is larger).
void TCustomForm::ApplyPosition() {
  if (ComponentState().Contains(csDesigning)) return;
  // The monitor a screen-centred form uses: the one the user works on (the active
  // form's, else the main form's), else the primary.
  auto screenRect = [this]() {
    TCustomForm* ref = Screen ? Screen->ActiveCustomForm() : nullptr;
    if (!ref || ref == this || !ref->HandleAllocated()) ref = Application ? Application->MainForm() : nullptr;
    win::HMONITOR m = nullptr;
    if (ref && ref != this && ref->HandleAllocated()) m = win::MonitorFromWindow(ref->Handle(), win::MONITOR_DEFAULTTOPRIMARY);
    if (!m) {
      win::POINT origin{0, 0};
      m = win::MonitorFromPoint(origin, win::MONITOR_DEFAULTTOPRIMARY);
    }
    return MonitorInfoOf(m).rcMonitor;
  };
  win::RECT r;
  switch (FPosition) {
    case poScreenCenter:
      r = Centred(screenRect(), FWidth, FHeight);
      break;
    case poDesktopCenter: {
      int x = win::GetSystemMetrics(win::SM_XVIRTUALSCREEN), y = win::GetSystemMetrics(win::SM_YVIRTUALSCREEN);
      win::RECT desktop{x, y, x + win::GetSystemMetrics(win::SM_CXVIRTUALSCREEN),
                        y + win::GetSystemMetrics(win::SM_CYVIRTUALSCREEN)};
      // Centred on the whole desktop, which may straddle monitors.
      r = Centred(desktop, FWidth, FHeight);
      SetBounds(std::max<int>(r.left, desktop.left), std::max<int>(r.top, desktop.top), FWidth, FHeight);
      return;
    }
    case poMainFormCenter: case poOwnerFormCenter: {
      TCustomForm* m = FPosition == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
      if (!m && Application) m = Application->MainForm();
      r = m && m != this ? Centred(m->BoundsRect(), FWidth, FHeight) : Centred(screenRect(), FWidth, FHeight);
      break;
    }
    default: return;
  }
  win::RECT work = MonitorInfoOf(win::MonitorFromRect(&r, win::MONITOR_DEFAULTTONEAREST)).rcWork;
  int x = std::max<int>(work.left, std::min<int>(r.left, work.right - FWidth));
  int y = std::max<int>(work.top, std::min<int>(r.top, work.bottom - FHeight));
  SetBounds(x, y, FWidth, FHeight);
}

void TCustomForm::CMShowingChangedForm(TMessage&) {
  if (FShowing) {
    DoShow();
    ApplyPosition();
    static const int cmds[] = {win::SW_SHOWNORMAL, win::SW_SHOWMINIMIZED, win::SW_SHOWMAXIMIZED};
    win::ShowWindow(FHandle, cmds[FWindowState]);
    if (FWindowState != wsMinimized) {
      win::SetActiveWindow(FHandle);
      if (!FActiveControl) SelectFirst();
      if (FActiveControl && FActiveControl->CanFocus()) win::SetFocus(FActiveControl->Handle());
      else win::SetFocus(FHandle);
    }
  } else {
    DoHide();
    win::ShowWindow(FHandle, win::SW_HIDE);
    FActive = false;
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  if (FHandle) win::BringWindowToTop(FHandle);
}

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::CloseQuery() {
  bool can = true;
  if (FOnCloseQuery) FOnCloseQuery(this, can);
  return can;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  switch (action) {
    case caNone: FModalResult = mrNone; break;
    case caFree: Release(); break;
    default: break;
  }
}

int TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
    throw EInvalidOperation("Cannot make a visible window modal");
  if (win::HWND cap = win::GetCapture()) {
    win::SendMessage(cap, win::WM_CANCELMODE, 0, 0);
    win::ReleaseCapture();
  }
  FFormState += fsModal;
  win::HWND activeWindow = win::GetActiveWindow();
  // The other forms take no input while this one is up.
  std::vector<TCustomForm*> disabled;
  for (TCustomForm* f : Screen->FForms)
    if (f != this && f->HandleAllocated() && win::IsWindowEnabled(f->FHandle)) {
      win::EnableWindow(f->FHandle, win::FALSE);
      disabled.push_back(f);
    }
  auto restore = AtScopeExit([&] {
    for (TCustomForm* f : disabled)
      if (std::find(Screen->FForms.begin(), Screen->FForms.end(), f) != Screen->FForms.end() && f->FHandle)
        win::EnableWindow(f->FHandle, win::TRUE);
    if (activeWindow && win::IsWindow(activeWindow)) win::SetActiveWindow(activeWindow);
    FFormState -= fsModal;
  });
  Show();
  auto hide = AtScopeExit([&] { Hide(); });
  win::SendMessage(FHandle, CM_ACTIVATE, 0, 0);
  FModalResult = mrNone;
  do {
    Application->HandleMessage();
    if (Application->Terminated()) FModalResult = mrCancel;
    else if (FModalResult != mrNone) CloseModal();
  } while (FModalResult == mrNone);
  int result = FModalResult;
  win::SendMessage(FHandle, CM_DEACTIVATE, 0, 0);
  return result;
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  if (Control && !ComponentState().Contains(csLoading)) {
    if (Control == this || GetParentForm(Control) != this || !Control->CanFocus())
      throw EInvalidOperation("Cannot focus a disabled or invisible window");
  }
  FActiveControl = Control;
  if (Control && FActive && Control->HandleAllocated()) win::SetFocus(Control->Handle());
}

void TCustomForm::FocusControl(TWinControl* Control) {
  bool wasActive = FActive;
  // The active control again: its window may have lost the focus (re-created, or taken
  // by a window outside the form), so it is focused here.
  bool again = Control && Control == FActiveControl;
  if (again && !Control->CanFocus()) return;
  SetActiveControl(Control);
  // An active form moved the focus already; one focus attempt only, so a control
  // that refuses to let go is asked once.
  if (!Control || (wasActive && !again) || !FShowing) return;
  if (!Control->Focused()) win::SetFocus(Control->Handle());
}

void TCustomForm::DefocusControl(TControl* Control, bool Removing) {
  auto* wc = dynamic_cast<TWinControl*>(Control);
  auto holds = [&](TWinControl* c) { return c && (c == Control || (wc && wc->ContainsControl(c))); };
  if (Removing && holds(FFocusedControl)) FFocusedControl = nullptr;
  if (holds(Screen->FActiveControl)) Screen->FActiveControl = nullptr;
  if (holds(FActiveControl)) {
    TWinControl* p = Control->Parent();
    while (p && p != this && !p->CanFocus()) p = p->Parent();
    FActiveControl = p == this ? nullptr : p;
  }
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (FFocusedControl == Control) return true;
  FActive = true;
  Screen->FActiveCustomForm = this;
  Screen->FActiveControl = Control;
  if (Control != this) FActiveControl = Control;
  TWinControl* old = FFocusedControl;
  FFocusedControl = Control;
  // Exit from the old control up to the common parent, then enter down to the new one.
  while (old && !old->ContainsControl(Control)) {
    TWinControl* next = old->Parent();
    old->Perform(CM_EXIT, 0, 0);
    if (FFocusedControl != Control) return false;
    old = next;
  }
  std::vector<TWinControl*> chain;
  for (TWinControl* c = Control; c && c != old; c = c->Parent()) chain.push_back(c);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    (*it)->Perform(CM_ENTER, 0, 0);
    if (FFocusedControl != Control) return false;
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<win::LPARAM>(Control));
  return true;
}

bool TCustomForm::Focused() const { return FActive && FFocusedControl == this; }

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  win::SetFocus(Handle());
}

void TCustomForm::SendCancelMode(TControl* Sender) {
  if (FActive && FActiveControl) FActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<win::LPARAM>(Sender));
}

void TCustomForm::KeyDown(win::WORD& Key, TShiftState Shift) { TWinControl::KeyDown(Key, Shift); }

void TCustomForm::CMDialogKeyForm(TMessage& Message) {
  if (win::GetKeyState(win::VK_MENU) >= 0) {
    win::WORD key = static_cast<win::WORD>(Message.WParam);
    if (key == win::VK_TAB && win::GetKeyState(win::VK_CONTROL) >= 0) {
      SelectNext(FActiveControl, win::GetKeyState(win::VK_SHIFT) >= 0, true);
      Message.Result = 1;
      return;
    }
    if (key == win::VK_LEFT || key == win::VK_RIGHT || key == win::VK_UP || key == win::VK_DOWN) {
      if (FActiveControl && FActiveControl->Parent()) {
        bool forward = key == win::VK_RIGHT || key == win::VK_DOWN;
        TWinControl* p = FActiveControl->Parent();
        if (TWinControl* next = p->FindNextControl(FActiveControl, forward, false, true)) next->SetFocus();
        Message.Result = 1;
        return;
      }
    }
  }
  Broadcast(Message);
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMSysCommand(TMessage& Message) {
  win::WPARAM cmd = Message.WParam & 0xFFF0;
  if (cmd == win::SC_MINIMIZE && Application && Application->MainForm() == this) {
    Application->Minimize();
    return;
  }
  DefaultHandler(Message);
}

void TCustomForm::WMActivate(TMessage& Message) {
  bool active = win::LOWORD(Message.WParam) != win::WA_INACTIVE;
  if (active != FActive) {
    FActive = active;
    if (active) {
      Screen->FActiveCustomForm = this;
      if (FOnActivate) FOnActivate(this);
    } else if (FOnDeactivate) {
      FOnDeactivate(this);
    }
  }
  DefaultHandler(Message);
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_SHOWINGCHANGED: CMShowingChangedForm(Message); return;
    case CM_DIALOGKEY: CMDialogKeyForm(Message); return;
    case CM_RELEASE: CMRelease(Message); return;
    case win::WM_CLOSE: WMClose(Message); return;
    case win::WM_SYSCOMMAND: WMSysCommand(Message); return;
    case win::WM_ACTIVATE: WMActivate(Message); return;
    case win::WM_GETICON: Message.Result = reinterpret_cast<win::LRESULT>(GetIconHandle()); return;
    default: TWinControl::Dispatch(Message);
  }
}
