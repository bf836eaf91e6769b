// Hot-key items, their collection, and the key tables.
#include "app/GlobalHotKey.h"

#include <cstddef>
#include <unordered_map>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

const std::array<const char*, VirtKeyCount> VirtKeyNames = {
#define VANTREL_VIRTKEY(Name, Code) #Name,
#include "app/VirtKeys.inc"
#undef VANTREL_VIRTKEY
};

const std::array<std::uint32_t, VirtKeyCount> VirtKeyCodes = {
#define VANTREL_VIRTKEY(Name, Code) Code,
#include "app/VirtKeys.inc"
#undef VANTREL_VIRTKEY
};

const TEnumInfo& EnumTypeInfo(TVirtKey) {
  static const TEnumInfo info = [] {
    TEnumInfo i;
    i.Name = "TVirtKey";
    for (const char* n : VirtKeyNames) i.Names.push_back(std::string("vk") + n);
    return i;
  }();
  return info;
}

TVirtKey VirtKeyFromOrdinal(std::int64_t Ordinal) {
  return Ordinal >= 0 && Ordinal < VirtKeyCount ? static_cast<TVirtKey>(Ordinal) : vkNone;
}

win::UINT ModifiersToHotKeyFlags(TModifiers Modifiers) {
  win::UINT flags = 0;
  if (Modifiers.Contains(modShift)) flags |= win::MOD_SHIFT;
  if (Modifiers.Contains(modControl)) flags |= win::MOD_CONTROL;
  if (Modifiers.Contains(modAlt)) flags |= win::MOD_ALT;
  if (Modifiers.Contains(modWin)) flags |= win::MOD_WIN;
  return flags;
}

// ---- THotKeyItem ----

namespace {
// The places of hot-key items: blocks that stay for the program's life, and the places
// freed, each holding the next one's address. Items live on the thread of the windows.
struct TItemPlaces {
  static constexpr std::size_t PerBlock = 256;
  std::vector<std::unique_ptr<std::byte[]>> Blocks;
  void* Freed = nullptr;
  std::byte* Next = nullptr;
  std::size_t Left = 0;
};

TItemPlaces& ItemPlaces() {
  static TItemPlaces places;
  return places;
}

// A freed place cannot be read or written but by the list of freed places.
void Bury([[maybe_unused]] void* Place, [[maybe_unused]] std::size_t Size) {
#if defined(__SANITIZE_ADDRESS__)
  ASAN_POISON_MEMORY_REGION(Place, Size);
#endif
}
void Unbury([[maybe_unused]] void* Place, [[maybe_unused]] std::size_t Size) {
#if defined(__SANITIZE_ADDRESS__)
  ASAN_UNPOISON_MEMORY_REGION(Place, Size);
#endif
}
}  // namespace

void* THotKeyItem::operator new(std::size_t Size) {
  // A derived class's items are its own.
  if (Size != sizeof(THotKeyItem)) return ::operator new(Size);
  TItemPlaces& p = ItemPlaces();
  if (void* place = p.Freed) {
    Unbury(place, Size);
    p.Freed = *static_cast<void**>(place);
    return place;
  }
  if (p.Left == 0) {
    p.Blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(TItemPlaces::PerBlock * Size));
    p.Next = p.Blocks.back().get();
    p.Left = TItemPlaces::PerBlock;
  }
  void* place = p.Next;
  p.Next += Size;
  --p.Left;
  return place;
}

void THotKeyItem::operator delete(void* Item, std::size_t Size) {
  if (!Item) return;
  if (Size != sizeof(THotKeyItem)) return ::operator delete(Item);
  TItemPlaces& p = ItemPlaces();
  *static_cast<void**>(Item) = p.Freed;
  p.Freed = Item;
  Bury(Item, Size);
}

namespace {
bool IsHotKeys(TCollection* C) { return C && C->InheritsFrom(THotKeys::StaticClass()); }
}  // namespace

// The base joins the collection before this part exists: the kind is looked at here.
THotKeyItem::THotKeyItem(TCollection* Collection) : TCollectionItem(Collection), FInHotKeys(IsHotKeys(Collection)) {}

namespace {
// The handlers of the items that have one. Never freed: items may outlive the program's
// statics.
std::unordered_map<const THotKeyItem*, TNotifyEvent>& Handlers() {
  static auto* handlers = new std::unordered_map<const THotKeyItem*, TNotifyEvent>;
  return *handlers;
}
}  // namespace

THotKeyItem::~THotKeyItem() {
  if (FHasHandler) Handlers().erase(this);
}

void THotKeyItem::SetCollection(TCollection* Value) {
  TCollectionItem::SetCollection(Value);
  FInHotKeys = IsHotKeys(this->Collection());
}

void THotKeyItem::Publish(TClassBuilder<THotKeyItem>& b) {
  // Enabled comes before the key, so items read from a description register in Loaded.
  b.Property("Enabled", &THotKeyItem::Enabled, &THotKeyItem::SetEnabled).Default(false);
  b.Property("Modifiers", &THotKeyItem::Modifiers, &THotKeyItem::SetModifiers).NoDefault();
  b.Property("VirtKey", &THotKeyItem::VirtKey, &THotKeyItem::SetVirtKey).Default(vkNone);
  b.Property("OnHotKey", &THotKeyItem::OnHotKey, &THotKeyItem::SetOnHotKey);
}

const TNotifyEvent& THotKeyItem::OnHotKey() const {
  static const TNotifyEvent none;
  return FHasHandler ? Handlers().find(this)->second : none;
}

void THotKeyItem::SetOnHotKey(const TNotifyEvent& Value) {
  if (FHasHandler) {
    Handlers().find(this)->second = Value;
  } else if (Value) {
    Handlers().emplace(this, Value);
    FHasHandler = true;
  }
}

THotKeys* THotKeyItem::Keys() const {
  TCollection* owner = Collection();
  return FInHotKeys && owner ? static_cast<THotKeys*>(owner) : nullptr;
}

TGlobalHotKeys* THotKeyItem::Component() const {
  THotKeys* keys = Keys();
  return keys ? keys->HotKeysComponent() : nullptr;
}

void THotKeyItem::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  TGlobalHotKeys* c = Component();
  if (!c || c->ComponentState().Contains(csDesigning)) return;
  if (Value) RegisterKey();
  else UnregisterKey();
}

void THotKeyItem::SetModifiers(TModifiers Value) {
  FModifiers = static_cast<std::uint8_t>(Value.Bits());
}

void THotKeyItem::SetVirtKey(TVirtKey Value) {
  if (Value == FVirtKey) return;
  FVirtKey = Value;
  if (Value == vkNone) SetEnabled(false);
}

void THotKeyItem::RegisterKey() {
  FRegistered = false;
  FWaiting = false;
  // Past the window system's identifiers an item registers nothing.
  if (FVirtKey == vkNone || Index() > win::MaxHotKeyId) return;
  TGlobalHotKeys* c = Component();
  if (!c) return;
  THotKeys* keys = Keys();
  if (keys->UpdateCount() > 0) {
    FWaiting = true;
    keys->FMayRegister = true;
    return;
  }
  FRegistered = win::RegisterHotKey(c->OwnerWindow(), Index(), ModifiersToHotKeyFlags(Modifiers()),
                                    VirtKeyCodes[FVirtKey]) != 0;
}

void THotKeyItem::UnregisterKey() {
  FWaiting = false;
  if (!FRegistered) return;
  TGlobalHotKeys* c = Component();
  THotKeys* keys = Keys();
  if (c && keys->UpdateCount() > 0) {
    FReleasing = true;
    keys->FMayRelease = true;
    return;
  }
  FRegistered = !(c && win::UnregisterHotKey(c->OwnerWindow(), Index()) != 0);
}

std::string THotKeyItem::DisplayName() const {
  std::string name;
  TModifiers mods = Modifiers();
  if (mods.Contains(modShift)) name += "Shift";
  if (mods.Contains(modControl)) name += "Control";
  if (mods.Contains(modAlt)) name += "Alt";
  if (mods.Contains(modWin)) name += "Win";
  if (!name.empty()) name += "_";
  return name + VirtKeyNames[FVirtKey];
}

void THotKeyItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<THotKeyItem*>(Source)) {
    SetModifiers(src->Modifiers());
    SetVirtKey(src->VirtKey());
    SetEnabled(src->Enabled());
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---- THotKeys ----

THotKeys::THotKeys(TGlobalHotKeys* AOwner)
    : TCollection(THotKeyItem::StaticClass()), FComponent(AOwner) {}

THotKeyItem* THotKeys::AddItem() { return static_cast<THotKeyItem*>(Add()); }

THotKeyItem* THotKeys::ItemAt(int Index) const { return static_cast<THotKeyItem*>(Items(Index)); }

TPersistent* THotKeys::GetOwner() { return FComponent; }

void THotKeys::EndUpdate() {
  TCollection::EndUpdate();
  if (UpdateCount() > 0) return;
  if (!FMayRelease && !FMayRegister) return;
  win::HWND window = FComponent->OwnerWindow();
  // Released first: an item disabled and enabled again meanwhile registers anew.
  if (FMayRelease) ReleaseWaiting(window);
  if (FMayRegister) RegisterWaiting(window);
}

void THotKeys::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  TCollection::Notify(Item, Action);
  // An item coming from another collection brings what it waits for.
  if (Action != cnAdded) return;
  auto* item = static_cast<THotKeyItem*>(Item);
  FMayRegister = FMayRegister || item->FWaiting;
  FMayRelease = FMayRelease || item->FReleasing;
}

void THotKeys::ReleaseWaiting(win::HWND Window) {
  FMayRelease = false;
  std::vector<int> ids;
  std::vector<THotKeyItem*> items;
  for (int i = 0; i < Count(); ++i) {
    THotKeyItem* item = ItemAt(i);
    if (!item->FReleasing) continue;
    item->FReleasing = false;
    ids.push_back(i);
    items.push_back(item);
  }
  if (ids.empty()) return;
  std::vector<win::BOOL> results(ids.size(), win::FALSE);
  win::UnregisterHotKeys(Window, ids.data(), ids.size(), results.data());
  for (std::size_t j = 0; j < items.size(); ++j)
    if (!items[j]->FWaiting) items[j]->FRegistered = results[j] == win::FALSE;
}

void THotKeys::RegisterWaiting(win::HWND Window) {
  FMayRegister = false;
  // The waiting items are handed over one by one: a key's identifier is its item's index.
  int next = 0;
  win::RegisterHotKeys(
      [&](win::HOTKEYREGISTRATION& key) {
        for (; next < Count(); ++next) {
          THotKeyItem* item = ItemAt(next);
          if (!item->FWaiting) continue;
          item->FWaiting = false;
          item->FRegistered = false;
          key = {Window, next, ModifiersToHotKeyFlags(item->Modifiers()), VirtKeyCodes[item->FVirtKey]};
          ++next;
          return true;
        }
        return false;
      },
      [&](const win::HOTKEYREGISTRATION& key, std::size_t) { ItemAt(key.id)->FRegistered = true; });
}
