#pragma once
// Forms, the application object and the screen.
#include "platform/controls/WinControl.h"
#include "platform/rtl/ScopeExit.h"

#include <functional>
#include <map>
#include <vector>

class THintWindow;

enum TFormBorderStyle { fbsNone = bsNone };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
VANTREL_ENUM(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
using TBorderIcons = Set<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
VANTREL_ENUM(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop")
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
VANTREL_ENUM(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
VANTREL_ENUM(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")
enum TCloseAction { caNone, caHide, caFree, caMinimize };
VANTREL_ENUM(TCloseAction, "caNone", "caHide", "caFree", "caMinimize")
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = Set<TFormStateItem>;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;

// Form descriptions compiled into the program, by form class name.
void RegisterFormDescription(const std::string& ClassName, const std::string& Text);
// The description of a class; empty when none is registered.
std::string FindFormDescription(const std::string& ClassName);

class TCustomForm : public TWinControl {
  VANTREL_CLASS(TCustomForm, TWinControl)
public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Makes a form of class T and reads the description registered for its class
  // (when there is one); OnCreate runs after loading unless OldCreateOrder.
  template <class T>
  static T* Create(TComponent* AOwner) {
    T* f = new T(AOwner);
    auto freeOnFailure = AtScopeFailure([f] { f->Free(); });
    f->AfterConstruction();
    return f;
  }
  // Reads the form's description (registered for its class) and runs OnCreate.
  virtual void AfterConstruction();
  // Reads a description into this form: its properties and components.
  void ReadDescription(const std::string& Text);
  // Runs OnDestroy (once) and frees the form.
  void Free();
  // OnDestroy, once; the destructor runs it when nobody did before.
  void BeforeDestruction();
  // Frees the form once the messages now queued are handled.
  void Release();

  void Show();
  void Hide();
  void Close();
  bool CloseQuery();
  virtual int ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool Active() const { return FActive; }
  TFormState FormState() const { return FFormState; }

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Makes Control the active control without focusing or checking it (a stored state
  // put back); it becomes focused when the form is next activated.
  void PutBackActiveControl(TWinControl* Control) { FActiveControl = Control; }
  void FocusControl(TWinControl* Control);
  void DefocusControl(TControl* Control, bool Removing);
  // Called when a control of this form gets the window focus: sends CM_EXIT and
  // CM_ENTER along the parent chains and makes it the active control.
  bool SetFocusedControl(TWinControl* Control);
  bool Focused() const override;
  void SetFocus() override;
  void SendCancelMode(TControl* Sender);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(TIcon* Value);
  // The icon the window shows: its own Icon, or the application's when that is empty.
  win::HICON GetIconHandle();
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  bool Scaled() const { return FScaled; }
  void SetScaled(bool Value) { FScaled = Value; }
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value);
  bool OldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }
  int ClientWidthProp() const { return ClientWidth(); }
  int ClientHeightProp() const { return ClientHeight(); }
  void SetClientWidthProp(int Value);
  void SetClientHeightProp(int Value);
  int TextHeight() const { return FTextHeight; }
  void SetTextHeight(int Value) { FTextHeight = Value; }

  TNotifyEvent OnCreate() const { return FOnCreate; }
  void SetOnCreate(const TNotifyEvent& Value) { FOnCreate = Value; }
  TNotifyEvent OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(const TNotifyEvent& Value) { FOnDestroy = Value; }
  TNotifyEvent OnShow() const { return FOnShow; }
  void SetOnShow(const TNotifyEvent& Value) { FOnShow = Value; }
  TNotifyEvent OnHide() const { return FOnHide; }
  void SetOnHide(const TNotifyEvent& Value) { FOnHide = Value; }
  TNotifyEvent OnActivate() const { return FOnActivate; }
  void SetOnActivate(const TNotifyEvent& Value) { FOnActivate = Value; }
  TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(const TNotifyEvent& Value) { FOnDeactivate = Value; }
  TCloseEvent OnClose() const { return FOnClose; }
  void SetOnClose(const TCloseEvent& Value) { FOnClose = Value; }
  TCloseQueryEvent OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(const TCloseQueryEvent& Value) { FOnCloseQuery = Value; }

  static void Publish(TClassBuilder<TCustomForm>& b);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void Loaded() override;
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  void CloseModal();
  void ApplyPosition();
  void CMShowingChangedForm(TMessage& Message);
  void CMDialogKeyForm(TMessage& Message);
  void WMClose(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void WMActivate(TMessage& Message);
  void CMRelease(TMessage& Message);
  void KeyDown(win::WORD& Key, TShiftState Shift) override;

  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  std::unique_ptr<TIcon> FIcon;
  bool FKeyPreview = false;
  bool FScaled = true;
  int FPixelsPerInch = 96;
  int FTextHeight = 13;
  bool FOldCreateOrder = false;
  int FPendingClientWidth = -1, FPendingClientHeight = -1;  // asked for before the window existed
  bool FUseDefaultPos = false, FUseDefaultSize = false;  // this window's creation asks for them
  bool FDefaultPlaced = false;                            // the default place was taken once
  bool FActive = false;
  bool FDestroyed = false;
  TModalResult FModalResult = mrNone;
  TFormState FFormState;
  TNotifyEvent FOnCreate, FOnDestroy, FOnShow, FOnHide, FOnActivate, FOnDeactivate;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;

  friend class TApplication;
  friend class TWinControl;
};

class TForm : public TCustomForm {
  VANTREL_CLASS(TForm, TCustomForm)
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// A hook on the application window: returning true ends the message's handling.
using TWindowHook = TEvent<bool(TMessage& Message)>;
using TExceptionEvent = TEvent<void(TObject* Sender, const Exception& E)>;
using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;

class TApplication : public TComponent {
  VANTREL_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  // The hidden application window (made on first use).
  win::HWND Handle();
  bool HandleAllocated() const;
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value);
  // The program's icon, taken from its "MAINICON" resource by Initialize.
  TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(TIcon* Value);

  template <class T>
  void CreateForm(T*& Reference) {
    Reference = nullptr;
    T* f = new T(this);
    Reference = f;
    try {
      f->AfterConstruction();
    } catch (...) {
      // A form that fails to load is shown as an error; the program goes on.
      HandleException(this);
    }
    if (!FMainForm) FMainForm = f;
  }
  TCustomForm* MainForm() const { return FMainForm; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }

  void Run();
  void Terminate();
  bool Terminated() const { return FTerminate; }
  // Lets a new loop run after an earlier one ended (tests run several).
  void ClearTerminated() { FTerminate = false; }
  void ProcessMessages();
  void HandleMessage();
  bool ProcessMessage(win::MSG& Msg);
  // Shows the exception being handled (in a catch block) unless it is EAbort.
  void HandleException(TObject* Sender);
  void ShowException(const Exception& E);
  int MessageBox(const std::string& Text, const std::string& Caption, win::UINT Flags);

  void Minimize();
  void Restore();
  void HookMainWindow(const TWindowHook& Hook);
  void UnhookMainWindow(const TWindowHook& Hook);

  // Hints.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  TClass HintWindowClass() const { return FHintWindowClass; }
  void SetHintWindowClass(TClass Value) { FHintWindowClass = Value; }
  THintWindow* HintWindow() const { return FHintWindow; }
  void ActivateHint(win::POINT CursorPos);
  void CancelHint();
  void HintMouseMessage(TControl* Control, TMessage& Message);

  TExceptionEvent OnException() const { return FOnException; }
  void SetOnException(const TExceptionEvent& Value) { FOnException = Value; }
  TNotifyEvent OnMinimize() const { return FOnMinimize; }
  void SetOnMinimize(const TNotifyEvent& Value) { FOnMinimize = Value; }
  TNotifyEvent OnRestore() const { return FOnRestore; }
  void SetOnRestore(const TNotifyEvent& Value) { FOnRestore = Value; }
  TIdleEvent OnIdle() const { return FOnIdle; }
  void SetOnIdle(const TIdleEvent& Value) { FOnIdle = Value; }

  void WndProc(TMessage& Message);
  // Forgets a control being freed (the hint's control).
  void ControlDestroyed(TControl* Control);

private:
  void DoMinimize();
  void DoRestore();
  void Idle();
  void HintTimerExpired(win::UINT_PTR Timer);
  void DestroyHandle();

  win::HWND FHandle = nullptr;
  win::WNDPROC FObjectInstance = nullptr;
  std::string FTitle;
  std::unique_ptr<TIcon> FIcon;
  TCustomForm* FMainForm = nullptr;
  bool FShowMainForm = true;
  bool FTerminate = false;
  bool FShowHint = true;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  TClass FHintWindowClass = nullptr;
  THintWindow* FHintWindow = nullptr;
  TControl* FHintControl = nullptr;
  bool FHintTimerRunning = false;
  bool FHintActive = false;
  // Where the pointer may move (screen coordinates) without the shown hint being
  // asked for again; empty while nothing was asked.
  win::RECT FHintCursorRect{};
  std::vector<TWindowHook> FWindowHooks;
  TExceptionEvent FOnException;
  TNotifyEvent FOnMinimize, FOnRestore;
  TIdleEvent FOnIdle;

  friend class TCustomForm;
};

class TScreen : public TComponent {
  VANTREL_CLASS(TScreen, TComponent)
public:
  explicit TScreen(TComponent* AOwner);

  TWinControl* ActiveControl() const { return FActiveControl; }
  TCustomForm* ActiveCustomForm() const { return FActiveCustomForm; }
  TForm* ActiveForm() const { return dynamic_cast<TForm*>(FActiveCustomForm); }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  win::HCURSOR Cursors(TCursor Index);
  void SetCursors(TCursor Index, win::HCURSOR Handle);
  // The screen's resolution in pixels per inch (96 until set); values below 1 are ignored.
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) {
    if (Value > 0) FPixelsPerInch = Value;
  }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const { return FForms.at(Index); }
  int Width() const;
  int Height() const;
  win::RECT WorkAreaRect() const;
  int WorkAreaWidth() const;
  int WorkAreaHeight() const;
  std::string DefaultIme() const { return FDefaultIme; }
  win::HKL DefaultKbLayout() const;

private:
  TWinControl* FActiveControl = nullptr;
  TCustomForm* FActiveCustomForm = nullptr;
  TCursor FCursor = crDefault;
  int FPixelsPerInch = 96;
  std::map<TCursor, win::HCURSOR> FCursors;
  std::vector<TCustomForm*> FForms;
  std::string FDefaultIme;

  friend class TCustomForm;
};

extern TApplication* Application;
extern TScreen* Screen;

// Registers the standard control classes by name, for form descriptions.
void RegisterStandardClasses();
