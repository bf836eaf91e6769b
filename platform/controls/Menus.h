#pragma once
// Menu items and popup menus, and shortcut keys.
#include "platform/controls/ControlTypes.h"

#include <functional>
#include <memory>
#include <vector>

using TShortCut = win::WORD;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(win::WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, win::WORD& Key, TShiftState& Shift);
std::string ShortCutToText(TShortCut ShortCut);
// 0 when the text names no key.
TShortCut TextToShortCut(const std::string& Text);

class TMenu;

class TMenuItem : public TComponent {
  VANTREL_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  // "-" makes a separator line.
  bool IsLine() const { return FCaption == "-"; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value) { FRadioItem = Value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }

  // Sub-items.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const;
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  TMenuItem* Find(const std::string& ACaption) const;
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;
  TMenu* GetParentMenu() const;

  virtual void Click();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

  static void Publish(TClassBuilder<TMenuItem>& b);

private:
  std::string FCaption;
  bool FChecked = false;
  bool FDefault = false;
  bool FRadioItem = false;
  bool FAutoCheck = false;
  int FGroupIndex = 0;
  bool FEnabled = true;
  bool FVisible = true;
  TShortCut FShortCut = 0;
  std::string FHint;
  int FImageIndex = -1;
  TNotifyEvent FOnClick;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on a menu's root item
  std::vector<TMenuItem*> FItems;
  friend class TMenu;
};

class TMenu : public TComponent {
  VANTREL_CLASS(TMenu, TComponent)
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  TMenuItem* Items() const { return FItems.get(); }
  // The item whose shortcut is ShortCut (visible and enabled ones), or nullptr.
  TMenuItem* FindItemByShortCut(TShortCut ShortCut) const;
  bool IsShortCut(win::WORD Key, TShiftState Shift);
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

private:
  std::unique_ptr<TMenuItem> FItems;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
VANTREL_ENUM(TPopupAlignment, "paLeft", "paRight", "paCenter")

class TPopupMenu : public TMenu {
  VANTREL_CLASS(TPopupMenu, TMenu)
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // Shows the menu at a screen point and returns once it is closed; the item chosen
  // (if any) has been clicked by then.
  virtual void Popup(int X, int Y);
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  win::POINT PopupPoint() const { return FPopupPoint; }
  TNotifyEvent OnPopup() const { return FOnPopup; }
  void SetOnPopup(const TNotifyEvent& Value) { FOnPopup = Value; }

  static void Publish(TClassBuilder<TPopupMenu>& b);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  win::POINT FPopupPoint{-1, -1};
  TNotifyEvent FOnPopup;
};

// Chooses an item of a menu being shown at (X, Y); nullptr dismisses the menu.
// Tests install one to choose by script; without one the menu shows a popup window
// and runs until an item is clicked, Escape is pressed or the mouse clicks outside.
using TPopupMenuHandler = std::function<TMenuItem*(TPopupMenu* Menu, int X, int Y)>;
void SetPopupMenuHandler(TPopupMenuHandler Handler);
