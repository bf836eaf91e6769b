// The hot-key component: its place in the owner form's window-procedure chain.
#include "app/GlobalHotKey.h"

#include "platform/controls/Forms.h"
#include "platform/rtl/ScopeExit.h"

namespace {
// The window of an owner form: a class-library form, or one that provides it itself.
bool IsForm(TComponent* C) { return dynamic_cast<IOwnerForm*>(C) || dynamic_cast<TForm*>(C); }
win::HWND FormWindow(TComponent* C) {
  if (auto* f = dynamic_cast<IOwnerForm*>(C)) return f->OwnerFormHandle();
  if (auto* f = dynamic_cast<TForm*>(C)) return f->Handle();
  return nullptr;
}
}  // namespace

TComponent* TGlobalHotKeys::CheckOwner(TComponent* AOwner) {
  if (!AOwner || !IsForm(AOwner))
    throw Exception("The owner of TGlobalHotKeys must be a form");
  for (int i = 0; i < AOwner->ComponentCount(); ++i)
    if (dynamic_cast<TGlobalHotKeys*>(AOwner->Components(i)))
      throw Exception("No more than one TGlobalHotKeys-component on a form");
  return AOwner;
}

TGlobalHotKeys::TGlobalHotKeys(TComponent* AOwner)
    : TComponent(CheckOwner(AOwner)), FHotKeys(std::make_unique<THotKeys>(this)) {
  HookOwnerWindow();
}

TGlobalHotKeys::~TGlobalHotKeys() {
  // Items go without unregistering: the system drops them with the window.
  FHotKeys.reset();
  UnhookOwnerWindow();
}

void TGlobalHotKeys::Publish(TClassBuilder<TGlobalHotKeys>& b) {
  b.Property("HotKeys", &TGlobalHotKeys::HotKeys, &TGlobalHotKeys::SetHotKeys);
  b.Property("OnHotKeys", &TGlobalHotKeys::OnHotKeys, &TGlobalHotKeys::SetOnHotKeys);
}

void TGlobalHotKeys::SetHotKeys(THotKeys* Value) { FHotKeys->Assign(Value); }

win::HWND TGlobalHotKeys::OwnerWindow() const {
  if (FSubclass.Window()) return FSubclass.Window();
  return FormWindow(Owner());
}

void TGlobalHotKeys::Loaded() {
  TComponent::Loaded();
  if (ComponentState().Contains(csDesigning)) return;
  // Held back, so that the keys are registered together.
  FHotKeys->BeginUpdate();
  auto registerKeys = AtScopeExit([&] { FHotKeys->EndUpdate(); });
  for (int i = 0; i < FHotKeys->Count(); ++i) {
    THotKeyItem* item = FHotKeys->ItemAt(i);
    if (item->Enabled()) item->RegisterKey();
  }
}

void TGlobalHotKeys::HookOwnerWindow() {
  if (ComponentState().Contains(csDesigning)) return;
  // Asking for the handle creates the form's window on first request.
  win::HWND wnd = FormWindow(Owner());
  if (!wnd) return;
  FSubclass.Hook(wnd, [this](win::HWND w, win::UINT m, win::WPARAM wp, win::LPARAM lp) {
    return OwnerWindowProc(w, m, wp, lp);
  });
}

void TGlobalHotKeys::UnhookOwnerWindow() { FSubclass.Unhook(); }

win::LRESULT TGlobalHotKeys::OwnerWindowProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam,
                                             win::LPARAM LParam) {
  // The rest of the chain sees every message first; its result is the message's result.
  win::LRESULT result = FSubclass.CallPrevious(Wnd, Msg, WParam, LParam);
  if (Msg == win::WM_HOTKEY) {
    auto index = static_cast<std::uint16_t>(WParam & 0xFFFF);
    THotKeyItem* item = FHotKeys->ItemAt(index);
    if (item->OnHotKey()) item->OnHotKey()(this);
    if (FOnHotKeys) FOnHotKeys(this, index);
  } else if (Msg == win::WM_DESTROY) {
    // Held back, so that the keys are unregistered together.
    FHotKeys->BeginUpdate();
    auto release = AtScopeExit([&] { FHotKeys->EndUpdate(); });
    for (int i = 0; i < FHotKeys->Count(); ++i) FHotKeys->ItemAt(i)->SetEnabled(false);
  }
  return result;
}
