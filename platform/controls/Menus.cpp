#include "platform/controls/Menus.h"

#include "platform/desktop/Windows.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {
TPopupMenuHandler gPopupHandler;

struct KeyName {
  win::WORD Key;
  const char* Name;
};
const KeyName kKeyNames[] = {
    {win::VK_BACK, "BkSp"}, {win::VK_TAB, "Tab"}, {win::VK_ESCAPE, "Esc"}, {win::VK_RETURN, "Enter"},
    {win::VK_SPACE, "Space"}, {win::VK_PRIOR, "PgUp"}, {win::VK_NEXT, "PgDn"}, {win::VK_END, "End"},
    {win::VK_HOME, "Home"}, {win::VK_LEFT, "Left"}, {win::VK_UP, "Up"}, {win::VK_RIGHT, "Right"},
    {win::VK_DOWN, "Down"}, {win::VK_INSERT, "Ins"}, {win::VK_DELETE, "Del"},
};

std::string KeyText(win::WORD key) {
  for (const KeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= win::VK_F1 && key <= win::VK_F24) return "F" + std::to_string(key - win::VK_F1 + 1);
  return {};
}
}  // namespace

void SetPopupMenuHandler(TPopupMenuHandler Handler) { gPopupHandler = std::move(Handler); }

TShortCut ShortCut(win::WORD Key, TShiftState Shift) {
  if (Key & 0xFF00) return 0;
  TShortCut s = Key;
  if (Shift.Contains(ssShift)) s |= scShift;
  if (Shift.Contains(ssCtrl)) s |= scCtrl;
  if (Shift.Contains(ssAlt)) s |= scAlt;
  return s;
}

void ShortCutToKey(TShortCut ShortCut, win::WORD& Key, TShiftState& Shift) {
  Key = ShortCut & 0xFF;
  Shift = {};
  if (ShortCut & scShift) Shift += ssShift;
  if (ShortCut & scCtrl) Shift += ssCtrl;
  if (ShortCut & scAlt) Shift += ssAlt;
}

std::string ShortCutToText(TShortCut ShortCut) {
  std::string name = KeyText(ShortCut & 0xFF);
  if (name.empty()) return {};
  std::string out;
  if (ShortCut & scShift) out += "Shift+";
  if (ShortCut & scCtrl) out += "Ctrl+";
  if (ShortCut & scAlt) out += "Alt+";
  return out + name;
}

TShortCut TextToShortCut(const std::string& Text) {
  std::string rest = Text;
  TShortCut mods = 0;
  for (;;) {
    if (rest.size() > 6 && SameIdent(rest.substr(0, 6), "Shift+")) { mods |= scShift; rest = rest.substr(6); }
    else if (rest.size() > 5 && SameIdent(rest.substr(0, 5), "Ctrl+")) { mods |= scCtrl; rest = rest.substr(5); }
    else if (rest.size() > 4 && SameIdent(rest.substr(0, 4), "Alt+")) { mods |= scAlt; rest = rest.substr(4); }
    else break;
  }
  for (int key = 1; key < 256; ++key)
    if (std::string n = KeyText(static_cast<win::WORD>(key)); !n.empty() && SameIdent(n, rest))
      return static_cast<TShortCut>(key | mods);
  return 0;
}

void TMenuItem::Publish(TClassBuilder<TMenuItem>& b) {
  b.Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false);
  b.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  b.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
  b.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
  b.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
  b.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
  b.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  b.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1);
  b.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
  b.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0);
  b.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
  b.Property("OnClick", &TMenuItem::OnClick, &TMenuItem::SetOnClick);
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  Clear();
  if (FParent) FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
  return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EMenuError("Menu inserted twice");
  if (Index < 0 || Index > Count()) throw EMenuError("Menu index out of range");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  FItems.erase(FItems.begin() + Index);
  item->FParent = nullptr;
}

void TMenuItem::Remove(TMenuItem* Item) {
  int i = IndexOf(Item);
  if (i < 0) throw EMenuError("Sub-menu is not in menu");
  Delete(i);
}

void TMenuItem::Clear() {
  // Items owned by nobody are freed; owned ones are their owner's to free.
  while (!FItems.empty()) {
    TMenuItem* item = FItems.back();
    FItems.pop_back();
    item->FParent = nullptr;
    if (!item->Owner()) delete item;
  }
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
  for (TMenuItem* i : FItems)
    if (SameIdent(i->Caption(), ACaption)) return i;
  return nullptr;
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->FParent) i = i->FParent;
  return i->FMenu;
}

void TMenuItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  // A radio item checked unchecks the others of its group.
  if (Value && FRadioItem && FParent)
    for (TMenuItem* i : FParent->FItems)
      if (i != this && i->FRadioItem && i->FGroupIndex == FGroupIndex) i->FChecked = false;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(!FChecked);
  if (FOnClick) FOnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent) FParent->Remove(this);
  if (auto* m = dynamic_cast<TMenu*>(Value)) m->Items()->Add(this);
  else if (auto* i = dynamic_cast<TMenuItem*>(Value)) i->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent*) {
  for (TMenuItem* i : FItems) Proc(i);
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  Destroying();
}

TMenuItem* TMenu::FindItemByShortCut(TShortCut ShortCut) const {
  std::vector<TMenuItem*> stack{FItems.get()};
  while (!stack.empty()) {
    TMenuItem* i = stack.back();
    stack.pop_back();
    for (int k = 0; k < i->Count(); ++k) {
      TMenuItem* c = i->Items(k);
      if (!c->Visible() || !c->Enabled()) continue;
      if (c->ShortCut() == ShortCut && ShortCut != 0) return c;
      stack.push_back(c);
    }
  }
  return nullptr;
}

bool TMenu::IsShortCut(win::WORD Key, TShiftState Shift) {
  TMenuItem* i = FindItemByShortCut(::ShortCut(Key, Shift));
  if (!i) return false;
  i->Click();
  return true;
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) { FItems->GetChildren(Proc, Root); }

void TPopupMenu::Publish(TClassBuilder<TPopupMenu>& b) {
  b.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft);
  b.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
  b.Property("OnPopup", &TPopupMenu::OnPopup, &TPopupMenu::SetOnPopup);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
TPopupMenu::~TPopupMenu() { Destroying(); }

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

TMenuItem* RunPopupMenuWindow(TPopupMenu* Menu, int X, int Y);

void TPopupMenu::Popup(int X, int Y) {
  FPopupPoint = {X, Y};
  if (FOnPopup) FOnPopup(this);
  TMenuItem* chosen = gPopupHandler ? gPopupHandler(this, X, Y) : RunPopupMenuWindow(this, X, Y);
  if (!chosen || chosen->IsLine()) return;
  // An item is only reachable through visible, enabled submenus.
  for (TMenuItem* i = chosen; i->Parent(); i = i->Parent())
    if (!i->Enabled() || !i->Visible()) return;
  chosen->Click();
}
