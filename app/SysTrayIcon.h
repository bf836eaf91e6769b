#pragma once
// TSysTrayIcon: one icon in the notification area, with the shell's notifications for
// it turned into component events (mouse, click and double click, enter and exit,
// balloons), icon cycling through an image list, a popup menu at the cursor, and
// hiding the main window to the tray when the application is minimised. Every icon of
// the process shares one hidden window, TTrayIconHandler.
#include "app/SimpleTimer.h"
#include "app/WindowSubclass.h"
#include "platform/controls/ControlTypes.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Classes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>

class TIcon;
class TCustomImageList;
class TPopupMenu;
class TWinControl;

// The message the shell sends the shared window for every event of every icon.
inline constexpr win::UINT TrayCallbackMessage = win::WM_USER + 0x400;
// The shell's "TaskbarCreated" broadcast, registered on first use; 0 means not
// registered, and then nothing re-adds icons after the shell restarts.
win::UINT& TaskbarCreatedMessageId();

using TCycleEvent = TEvent<void(TObject* Sender, int NextIndex)>;
using TStartupEvent = TEvent<void(TObject* Sender, bool& ShowMainForm)>;

class TSysTrayIcon;

// The hidden window shared by all tray icons of the process.
class TTrayIconHandler : public TObject {
  VANTREL_CLASS(TTrayIconHandler, TObject)
public:
  TTrayIconHandler();
  ~TTrayIconHandler() override;
  win::HWND Handle() const { return FHandle; }
  int RefCount() const { return FRefCount; }

private:
  friend void AcquireTrayWindow();
  friend void ReleaseTrayWindow();
  friend class TSysTrayIcon;
  win::LRESULT TrayWindowProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);

  int FRefCount = 0;
  win::HWND FHandle = nullptr;
  // The icon components alive now: a notification queued for one that is gone is dropped.
  std::unordered_set<TSysTrayIcon*> FIcons;
};

void AcquireTrayWindow();
void ReleaseTrayWindow();
// The shared window's handler, or nullptr when no icon component lives.
TTrayIconHandler* TrayIconHandler();

class TSysTrayIcon : public TComponent {
  VANTREL_CLASS(TSysTrayIcon, TComponent)
public:
  explicit TSysTrayIcon(TComponent* AOwner);
  ~TSysTrayIcon() override;

  bool DesignPreview() const { return FDesignPreview; }
  void SetDesignPreview(bool Value);
  TCustomImageList* IconList() const { return FIconList; }
  void SetIconList(TCustomImageList* Value);
  bool CycleIcons() const { return FCycleIcons; }
  void SetCycleIcons(bool Value);
  std::uint32_t CycleInterval() const { return FCycleInterval; }
  void SetCycleInterval(std::uint32_t Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(TIcon* Value);
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool Value);
  int IconIndex() const { return FIconIndex; }
  void SetIconIndex(int Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  bool LeftPopup() const { return FLeftPopup; }
  void SetLeftPopup(bool Value) { FLeftPopup = Value; }
  bool WantEnterExitEvents() const { return FWantEnterExitEvents; }
  void SetWantEnterExitEvents(bool Value);
  bool MinimizeToTray() const { return FMinimizeToTray; }
  void SetMinimizeToTray(bool Value) { FMinimizeToTray = Value; }

#define VANTREL_TRAY_EVENT(Type, Name) \
  const Type& Name() const { return F##Name; } \
  void Set##Name(const Type& Value) { F##Name = Value; }
  VANTREL_TRAY_EVENT(TNotifyEvent, OnClick)
  VANTREL_TRAY_EVENT(TNotifyEvent, OnDblClick)
  VANTREL_TRAY_EVENT(TMouseEvent, OnMouseDown)
  VANTREL_TRAY_EVENT(TMouseEvent, OnMouseUp)
  VANTREL_TRAY_EVENT(TMouseMoveEvent, OnMouseMove)
  VANTREL_TRAY_EVENT(TNotifyEvent, OnMouseEnter)
  VANTREL_TRAY_EVENT(TNotifyEvent, OnMouseExit)
  VANTREL_TRAY_EVENT(TCycleEvent, OnCycle)
  VANTREL_TRAY_EVENT(TNotifyEvent, OnBalloonHintShow)
  VANTREL_TRAY_EVENT(TNotifyEvent, OnBalloonHintHide)
  VANTREL_TRAY_EVENT(TNotifyEvent, OnBalloonHintTimeout)
  VANTREL_TRAY_EVENT(TNotifyEvent, OnBalloonHintClick)
  VANTREL_TRAY_EVENT(TNotifyEvent, OnMinimizeToTray)
  VANTREL_TRAY_EVENT(TStartupEvent, OnStartup)
#undef VANTREL_TRAY_EVENT

  // Shows the application's main form and brings the application to the foreground.
  void RestoreMainWindow();
  // Hides the main form and the application window.
  void HideMainWindow();
  void HideApplicationWindow();
  // The callback behaviour: 0 (uVersion 0) or 1 (uVersion 3); set only from code.
  int CallbackBehaviour() const { return FCallbackBehaviour; }
  bool SetNotifyVersion(int Behaviour);
  // The record sent to the shell.
  const win::NOTIFYICONDATAA& NotifyData() const { return FData; }

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  static void Publish(TClassBuilder<TSysTrayIcon>& b);

  virtual bool AllowDesignDefaultIcon() { return true; }
  virtual bool AddTrayIcon();
  virtual bool RemoveTrayIcon();
  virtual bool UpdateTrayIcon();

  // Hides the main window and shows the icon.
  virtual void HideToTray();

protected:
  virtual void FireClick();
  virtual void FireDblClick();
  virtual void FireCycle(int NextIndex);
  virtual void FireMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void FireMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void FireMouseMove(TShiftState Shift, int X, int Y);
  virtual void FireMouseEnter();
  virtual void FireMouseExit();

private:
  friend class TTrayIconHandler;
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  TWinControl* OwnerControl() const;
  bool PrepareNotifyData();
  bool SendToShell(win::DWORD Message);
  void IconChanged(TObject* Sender);
  void ShowListImage(int Index);
  void HandleCallback(win::LPARAM Notification);
  void PopupAtCursor();
  void MinimizeToTrayCheck(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam,
                           win::LRESULT& Result);
  void IconCycleTick(TObject* Sender);
  void SingleClickTick(TObject* Sender);
  void HoverPollTick(TObject* Sender);
  bool AppWindowHook(TMessage& Message);
  win::LRESULT OwnerFormWndProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);

  bool FDesignPreview = false;
  TCustomImageList* FIconList = nullptr;
  bool FCycleIcons = false;
  std::uint32_t FCycleInterval = 0;
  bool FEnabled = true;
  std::string FHint;
  bool FShowHint = true;
  std::unique_ptr<TIcon> FIcon;
  bool FIconVisible = false;
  int FIconIndex = 0;
  TPopupMenu* FPopupMenu = nullptr;
  bool FLeftPopup = false;
  bool FWantEnterExitEvents = false;
  bool FMinimizeToTray = false;
  TNotifyEvent FOnClick, FOnDblClick, FOnMouseEnter, FOnMouseExit, FOnBalloonHintShow, FOnBalloonHintHide,
      FOnBalloonHintTimeout, FOnBalloonHintClick, FOnMinimizeToTray;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TCycleEvent FOnCycle;
  TStartupEvent FOnStartup;

  win::UINT_PTR FIconId = 0;
  std::unique_ptr<TSimpleTimer> FCycleTimer, FClickTimer, FExitTimer;
  bool FClickStart = false, FClickReady = false, FDblClicked = false;
  win::POINT FLastMove;
  bool FCursorHasLeft = true;
  int FCallbackBehaviour = 0;
  bool FSettingPreview = false;
  bool FStartCheckPending = true;
  bool FAppHooked = false;
  TWindowSubclass FOwnerSubclass;
  win::NOTIFYICONDATAA FData;
};
