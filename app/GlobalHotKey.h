#pragma once
// TGlobalHotKeys: registers system-wide key combinations on the window of the form
// that owns it and turns the hot-key messages into events. Each THotKeyItem's index in
// the collection is the identifier of its registration and the index the event reports.
#include "app/OwnerForm.h"
#include "app/WindowSubclass.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Classes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TGlobalHotKeys;
class THotKeys;

enum TModifier { modShift, modControl, modAlt, modWin };
VANTREL_ENUM(TModifier, "modShift", "modControl", "modAlt", "modWin")
using TModifiers = Set<TModifier>;

// The keys a combination can use, in ordinal order; vkNone means no key.
enum TVirtKey : std::uint8_t {
#define VANTREL_VIRTKEY(Name, Code) vk##Name,
#include "app/VirtKeys.inc"
#undef VANTREL_VIRTKEY
};
inline constexpr int VirtKeyCount = 103;
static_assert(vkApps == VirtKeyCount - 1);

// Key names without "vk" ("None", "Cancel", ... "Apps") and virtual-key codes, by ordinal.
extern const std::array<const char*, VirtKeyCount> VirtKeyNames;
extern const std::array<std::uint32_t, VirtKeyCount> VirtKeyCodes;
const TEnumInfo& EnumTypeInfo(TVirtKey);
// The key of an ordinal read from outside; anything outside 0..102 is vkNone.
TVirtKey VirtKeyFromOrdinal(std::int64_t Ordinal);

// MOD_SHIFT, MOD_CONTROL, MOD_ALT and MOD_WIN for the modifiers present.
win::UINT ModifiersToHotKeyFlags(TModifiers Modifiers);

using THotKeyEvent = TEvent<void(TObject* Sender, std::uint16_t HotKeyIndex)>;

class THotKeyItem : public TCollectionItem {
  VANTREL_CLASS(THotKeyItem, TCollectionItem)
public:
  explicit THotKeyItem(TCollection* Collection);
  ~THotKeyItem() override;

  // True registers the combination (at run time), False unregisters it.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Stored only: a live registration keeps its old modifiers until re-enabled.
  TModifiers Modifiers() const { return TModifiers::FromBits(FModifiers); }
  void SetModifiers(TModifiers Value);
  // The last registration succeeded and was not undone (while the collection's updates
  // are held back, an item enabled then is not registered yet).
  bool Registered() const { return FRegistered; }
  // vkNone also disables the item.
  TVirtKey VirtKey() const { return FVirtKey; }
  void SetVirtKey(TVirtKey Value);
  const TNotifyEvent& OnHotKey() const;
  void SetOnHotKey(const TNotifyEvent& Value);

  // "ControlAlt_F5", "Home", "None".
  std::string DisplayName() const override;
  void Assign(TPersistent* Source) override;
  void SetCollection(TCollection* Value) override;

  static void Publish(TClassBuilder<THotKeyItem>& b);

  // A table makes an item per row: items are carved from blocks, and the place of one
  // freed is used again.
  static void* operator new(std::size_t Size);
  static void operator delete(void* Item, std::size_t Size);

private:
  friend class TGlobalHotKeys;
  friend class THotKeys;
  // The collection when it is hot keys, and its component.
  THotKeys* Keys() const;
  TGlobalHotKeys* Component() const;
  void RegisterKey();
  void UnregisterKey();

  // A table makes an item per row: the small fields sit together, in one word.
  std::uint8_t FModifiers = 0;  // the bits of the modifier set
  bool FEnabled = false;
  bool FRegistered = false;
  bool FWaiting = false;    // enabled while updates were held back: registered at their end
  bool FReleasing = false;  // disabled then: its registration goes at their end
  TVirtKey FVirtKey = vkNone;
  bool FInHotKeys = false;  // the collection is hot keys: looked at whenever the item joins one
  // The handler is held apart, from when one is first set: most items never get one.
  bool FHasHandler = false;
};

class THotKeys : public TCollection {
  VANTREL_CLASS(THotKeys, TCollection)
public:
  explicit THotKeys(TGlobalHotKeys* AOwner);
  // A new item: not enabled, no modifiers, key vkNone.
  THotKeyItem* AddItem();
  // Raises EListError "List index out of bounds (%d)" for a bad index.
  THotKeyItem* ItemAt(int Index) const;
  TGlobalHotKeys* HotKeysComponent() const { return FComponent; }
  TPersistent* GetOwner() override;
  // Items enabled or disabled between BeginUpdate and the last EndUpdate are registered
  // or unregistered there, all in one go.
  void EndUpdate() override;

protected:
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  friend class THotKeyItem;
  void ReleaseWaiting(win::HWND Window);
  void RegisterWaiting(win::HWND Window);

  TGlobalHotKeys* FComponent;
  // Some item may wait to be registered or released: the passes at the end of the
  // updates look at the items only then.
  bool FMayRegister = false, FMayRelease = false;
};

class TGlobalHotKeys : public TComponent {
  VANTREL_CLASS(TGlobalHotKeys, TComponent)
public:
  // The owner must be a form (a TForm, or an IOwnerForm) with no other TGlobalHotKeys;
  // raises Exception otherwise.
  explicit TGlobalHotKeys(TComponent* AOwner);
  ~TGlobalHotKeys() override;

  THotKeys* HotKeys() const { return FHotKeys.get(); }
  // Copies the given collection's items.
  void SetHotKeys(THotKeys* Value);
  const THotKeyEvent& OnHotKeys() const { return FOnHotKeys; }
  void SetOnHotKeys(const THotKeyEvent& Value) { FOnHotKeys = Value; }

  // The owner form's window, where combinations are registered.
  win::HWND OwnerWindow() const;

  void Loaded() override;
  static void Publish(TClassBuilder<TGlobalHotKeys>& b);

private:
  static TComponent* CheckOwner(TComponent* AOwner);
  void HookOwnerWindow();
  void UnhookOwnerWindow();
  win::LRESULT OwnerWindowProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);

  std::unique_ptr<THotKeys> FHotKeys;
  THotKeyEvent FOnHotKeys;
  TWindowSubclass FSubclass;
};
