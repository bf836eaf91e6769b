// The tray component: construction, properties and the shell calls.
#include "app/SysTrayIcon.h"

#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Utf8.h"

#include <cstring>

win::UINT& TaskbarCreatedMessageId() {
  static win::UINT id = win::RegisterWindowMessageA("TaskbarCreated");
  return id;
}

TSysTrayIcon::TSysTrayIcon(TComponent* AOwner) : TComponent(AOwner) {
  AcquireTrayWindow();
  TrayIconHandler()->FIcons.insert(this);
  FIconId = reinterpret_cast<win::UINT_PTR>(this);
  FStartCheckPending = true;
  FEnabled = true;
  FShowHint = true;
  FSettingPreview = false;

  FIcon = std::make_unique<TIcon>();
  FIcon->SetOnChange(MakeEvent(this, &TSysTrayIcon::IconChanged));

  FData.cbSize = win::NOTIFYICONDATAA_V2_SIZE;
  FData.hWnd = TrayIconHandler()->Handle();
  FData.uID = FIconId;
  FData.uFlags = win::NIF_MESSAGE | win::NIF_ICON | win::NIF_TIP;
  FData.uCallbackMessage = TrayCallbackMessage;

  FCycleTimer = std::make_unique<TSimpleTimer>(1000, MakeEvent(this, &TSysTrayIcon::IconCycleTick));
  FClickTimer = std::make_unique<TSimpleTimer>(1000, MakeEvent(this, &TSysTrayIcon::SingleClickTick));
  FExitTimer = std::make_unique<TSimpleTimer>(20, MakeEvent(this, &TSysTrayIcon::HoverPollTick));

  FCursorHasLeft = true;
  SetDesignPreview(FDesignPreview);

  if (!Designing()) {
    if (Application) {
      Application->Handle();  // the hook needs the application window to exist
      Application->HookMainWindow(MakeEvent(this, &TSysTrayIcon::AppWindowHook));
      FAppHooked = true;
    }
    if (TWinControl* owner = OwnerControl())
      FOwnerSubclass.Hook(owner->Handle(), [this](win::HWND w, win::UINT m, win::WPARAM wp, win::LPARAM lp) {
        return OwnerFormWndProc(w, m, wp, lp);
      });
  }
}

TSysTrayIcon::~TSysTrayIcon() {
  SetIconVisible(false);
  SetDesignPreview(false);
  FCycleTimer.reset();
  FClickTimer.reset();
  FExitTimer.reset();
  try {
    FIcon.reset();
  } catch (...) {
  }
  if (FAppHooked && Application) Application->UnhookMainWindow(MakeEvent(this, &TSysTrayIcon::AppWindowHook));
  FOwnerSubclass.Unhook();
  TrayIconHandler()->FIcons.erase(this);
  ReleaseTrayWindow();
}

void TSysTrayIcon::Publish(TClassBuilder<TSysTrayIcon>& b) {
  using T = TSysTrayIcon;
  b.Property("DesignPreview", &T::DesignPreview, &T::SetDesignPreview).Default(false);
  b.Property("IconList", &T::IconList, &T::SetIconList);
  b.Property("CycleIcons", &T::CycleIcons, &T::SetCycleIcons).Default(false);
  b.Property("CycleInterval", &T::CycleInterval, &T::SetCycleInterval).NoDefault();
  b.Property("Enabled", &T::Enabled, &T::SetEnabled).Default(true);
  b.Property("Hint", &T::Hint, &T::SetHint);
  b.Property("ShowHint", &T::ShowHint, &T::SetShowHint).Default(true);
  b.Property("Icon", &T::Icon, &T::SetIcon);
  b.Property("IconVisible", &T::IconVisible, &T::SetIconVisible).Default(false);
  b.Property("IconIndex", &T::IconIndex, &T::SetIconIndex).NoDefault();
  b.Property("PopupMenu", &T::PopupMenu, &T::SetPopupMenu);
  b.Property("LeftPopup", &T::LeftPopup, &T::SetLeftPopup).Default(false);
  b.Property("WantEnterExitEvents", &T::WantEnterExitEvents, &T::SetWantEnterExitEvents).Default(false);
  b.Property("MinimizeToTray", &T::MinimizeToTray, &T::SetMinimizeToTray).Default(false);
  b.Property("OnClick", &T::OnClick, &T::SetOnClick);
  b.Property("OnDblClick", &T::OnDblClick, &T::SetOnDblClick);
  b.Property("OnMouseDown", &T::OnMouseDown, &T::SetOnMouseDown);
  b.Property("OnMouseUp", &T::OnMouseUp, &T::SetOnMouseUp);
  b.Property("OnMouseMove", &T::OnMouseMove, &T::SetOnMouseMove);
  b.Property("OnMouseEnter", &T::OnMouseEnter, &T::SetOnMouseEnter);
  b.Property("OnMouseExit", &T::OnMouseExit, &T::SetOnMouseExit);
  b.Property("OnCycle", &T::OnCycle, &T::SetOnCycle);
  b.Property("OnBalloonHintShow", &T::OnBalloonHintShow, &T::SetOnBalloonHintShow);
  b.Property("OnBalloonHintHide", &T::OnBalloonHintHide, &T::SetOnBalloonHintHide);
  b.Property("OnBalloonHintTimeout", &T::OnBalloonHintTimeout, &T::SetOnBalloonHintTimeout);
  b.Property("OnBalloonHintClick", &T::OnBalloonHintClick, &T::SetOnBalloonHintClick);
  b.Property("OnMinimizeToTray", &T::OnMinimizeToTray, &T::SetOnMinimizeToTray);
  b.Property("OnStartup", &T::OnStartup, &T::SetOnStartup);
}

TWinControl* TSysTrayIcon::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

void TSysTrayIcon::Loaded() {
  TComponent::Loaded();
  if (!Designing() && OwnerControl() && Application) {
    bool showMainForm = true;
    if (FOnStartup) FOnStartup(this, showMainForm);
    if (!showMainForm) {
      Application->SetShowMainForm(false);
      HideMainWindow();
    }
  }
  UpdateTrayIcon();
  SetIconVisible(FIconVisible);
  SetCycleIcons(FCycleIcons);
  SetWantEnterExitEvents(FWantEnterExitEvents);
  SetNotifyVersion(FCallbackBehaviour);
}

void TSysTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent && AComponent == FIconList) SetIconList(nullptr);
  if (AComponent && AComponent == FPopupMenu) SetPopupMenu(nullptr);
}

// ---- the notification record and the shell ----

bool TSysTrayIcon::PrepareNotifyData() {
  if (Designing() && !FSettingPreview && !FDesignPreview) return false;
  try {
    FData.hIcon = FIcon ? FIcon->Handle() : nullptr;
    // Without an icon of its own the tray shows the program's.
    if (!FData.hIcon && Application && Application->Icon()) FData.hIcon = Application->Icon()->Handle();
  } catch (const Exception&) {
    FData.hIcon = nullptr;
  }
  std::memset(FData.szTip, 0, sizeof FData.szTip);
  if (!FHint.empty() && FShowHint) {
    // At most 127 bytes, never half a character.
    std::string tip = Utf8Truncate(FHint, sizeof FData.szTip - 1);
    std::memcpy(FData.szTip, tip.data(), tip.size());
  }
  return true;
}

bool TSysTrayIcon::SendToShell(win::DWORD Message) {
  if (Designing() && !FSettingPreview) return false;
  return PrepareNotifyData() && win::Shell_NotifyIconA(Message, &FData) != 0;
}

bool TSysTrayIcon::AddTrayIcon() {
  if (!FSettingPreview) FIconVisible = true;
  return SendToShell(win::NIM_ADD);
}

bool TSysTrayIcon::RemoveTrayIcon() {
  if (!FSettingPreview) FIconVisible = false;
  return SendToShell(win::NIM_DELETE);
}

bool TSysTrayIcon::UpdateTrayIcon() {
  return PrepareNotifyData() && win::Shell_NotifyIconA(win::NIM_MODIFY, &FData) != 0;
}

bool TSysTrayIcon::SetNotifyVersion(int Behaviour) {
  FCallbackBehaviour = Behaviour;
  if (Behaviour == 0) FData.uVersion = 0;
  else if (Behaviour == 1) FData.uVersion = win::NOTIFYICON_VERSION;
  return win::Shell_NotifyIconA(win::NIM_SETVERSION, &FData) != 0;
}

// ---- properties ----

void TSysTrayIcon::IconChanged(TObject*) { UpdateTrayIcon(); }

void TSysTrayIcon::SetIcon(TIcon* Value) {
  FIcon->SetOnChange(nullptr);
  FIcon->Assign(Value);
  FIcon->SetOnChange(MakeEvent(this, &TSysTrayIcon::IconChanged));
  UpdateTrayIcon();
}

void TSysTrayIcon::SetIconVisible(bool Value) {
  if (Value) AddTrayIcon();
  else RemoveTrayIcon();
}

void TSysTrayIcon::ShowListImage(int Index) {
  // An index outside the list (an empty list, a negative index) shows nothing new.
  if (FIconList && Index >= 0 && Index < FIconList->Count()) FIconList->GetIcon(Index, FIcon.get());
}

void TSysTrayIcon::SetIconIndex(int Value) {
  if (FIconList) {
    int count = FIconList->Count();
    FIconIndex = Value >= count ? count - 1 : Value;
    ShowListImage(FIconIndex);
  } else {
    FIconIndex = 0;
  }
  UpdateTrayIcon();
}

void TSysTrayIcon::SetIconList(TCustomImageList* Value) {
  FIconList = Value;
  if (Value) Value->FreeNotification(this);
  SetIconIndex(0);
}

void TSysTrayIcon::SetPopupMenu(TPopupMenu* Value) {
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TSysTrayIcon::SetCycleIcons(bool Value) {
  FCycleIcons = Value;
  if (!Value) {
    FCycleTimer->SetEnabled(false);
    return;
  }
  SetIconIndex(0);
  FCycleTimer->SetInterval(FCycleInterval);
  FCycleTimer->SetEnabled(true);
}

void TSysTrayIcon::SetCycleInterval(std::uint32_t Value) {
  FCycleInterval = Value;
  SetCycleIcons(FCycleIcons);
}

void TSysTrayIcon::SetHint(const std::string& Value) {
  FHint = Value;
  UpdateTrayIcon();
}

void TSysTrayIcon::SetShowHint(bool Value) {
  FShowHint = Value;
  UpdateTrayIcon();
}

void TSysTrayIcon::SetWantEnterExitEvents(bool Value) {
  FWantEnterExitEvents = Value;
  FExitTimer->SetEnabled(Value);
}

void TSysTrayIcon::SetDesignPreview(bool Value) {
  FDesignPreview = Value;
  FSettingPreview = true;
  auto done = AtScopeExit([this] { FSettingPreview = false; });
  // At design time the preview shows the icon (the platform has no stock logo icon to
  // stand in for an empty one).
  if (Designing()) SetIconVisible(Value);
}
