// System-wide hot keys and the notification area.
#include <algorithm>
#include <bitset>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/desktop/internal/HeadlessBackend.h"
#include "platform/rtl/Utf8.h"

namespace win {
using namespace detail;

namespace {
// The combinations in the hot-key list, by modifiers and key, so that registering many
// keys does not search the list each time. Kept in step wherever the list changes.
std::bitset<16 * 256>& TakenCombinations() {
  static std::bitset<16 * 256> taken;
  return taken;
}
std::size_t CombinationOf(UINT modifiers, UINT vk) { return std::size_t(modifiers & 0xF) * 256 + (vk & 0xFF); }

UINT HeldModifiers() {
  UINT m = 0;
  if (GetKeyState(VK_MENU) < 0) m |= MOD_ALT;
  if (GetKeyState(VK_CONTROL) < 0) m |= MOD_CONTROL;
  if (GetKeyState(VK_SHIFT) < 0) m |= MOD_SHIFT;
  if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) m |= MOD_WIN;
  return m;
}

bool PostHotKey(UINT modifiers, UINT vk) {
  for (const HotKey& h : S().HotKeys) {
    if (h.Modifiers == modifiers && h.Vk == vk) {
      Post(h.Window, WM_HOTKEY, WPARAM(h.Id), MAKELPARAM(WORD(modifiers), WORD(vk)));
      return true;
    }
  }
  return false;
}

// Takes the registrations drop(h) chooses off the list, telling the back end once.
template <class Drop>
void DropHotKeys(Drop drop) {
  auto& hk = S().HotKeys;
  std::vector<HotKeyCombination> released;
  hk.erase(std::remove_if(hk.begin(), hk.end(),
                          [&](const HotKey& h) {
                            if (!drop(h)) return false;
                            released.push_back(HotKeyCombination{h.Modifiers, h.Vk});
                            TakenCombinations().reset(CombinationOf(h.Modifiers, h.Vk));
                            return true;
                          }),
           hk.end());
  if (!released.empty()) CurrentBackend().UngrabHotKeys(released.data(), released.size());
}
}  // namespace

namespace detail {

bool DeliverHotKey(UINT vk) { return PostHotKey(HeldModifiers(), vk); }

void DropHotKeysOf(HWND hwnd) { DropHotKeys([&](const HotKey& h) { return h.Window == hwnd; }); }

void ResetShell() {
  State& s = S();
  DropHotKeys([](const HotKey&) { return true; });
  TakenCombinations().reset();
  s.TrayIcons.clear();
  Headless().HeldHotKeys.clear();
}

}  // namespace detail

BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT vk) {
  HOTKEYREGISTRATION key{hwnd, id, modifiers, vk};
  BOOL result = FALSE;
  RegisterHotKeys(&key, 1, &result);
  return result;
}

void RegisterHotKeys(const HOTKEYREGISTRATION* keys, std::size_t count, BOOL* results) {
  std::fill(results, results + count, FALSE);
  std::size_t i = 0;
  RegisterHotKeys(
      [&](HOTKEYREGISTRATION& key) {
        if (i == count) return false;
        key = keys[i++];
        return true;
      },
      [&](const HOTKEYREGISTRATION&, std::size_t place) { results[place] = TRUE; });
}

void RegisterHotKeys(const std::function<bool(HOTKEYREGISTRATION& key)>& next,
                     const std::function<void(const HOTKEYREGISTRATION& key, std::size_t place)>& registered) {
  // What the back end is asked for: each free combination once, in order. A combination
  // is asked for at most once, so this stays small however many keys come.
  struct Asked {
    HOTKEYREGISTRATION Key;
    std::size_t Place;
  };
  std::vector<HotKeyCombination> asked;
  std::vector<Asked> askedFor;
  std::bitset<16 * 256> inBatch;
  HWND checked = nullptr;  // a window found to exist (batches usually name one)
  // The error of the last key refused is the last error, as one call after another leaves it.
  bool refused = false;
  std::size_t lastRefused = 0;
  DWORD lastError = 0;
  auto refuse = [&](std::size_t i, DWORD error) {
    if (!refused || i > lastRefused) {
      refused = true;
      lastRefused = i;
      lastError = error;
    }
  };
  HOTKEYREGISTRATION key{};
  for (std::size_t i = 0; next(key); ++i) {
    if (key.hwnd && key.hwnd != checked) {
      if (!Get(key.hwnd)) continue;
      checked = key.hwnd;
    }
    // An application's identifiers are 0..0xBFFF: the message carries them in 16 bits.
    if (key.id < 0 || key.id > MaxHotKeyId) {
      refuse(i, ERROR_INVALID_PARAMETER);
      continue;
    }
    UINT modifiers = key.fsModifiers & (MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN);
    UINT vk = key.vk & 0xFF;
    std::size_t c = CombinationOf(modifiers, vk);
    if (TakenCombinations().test(c) || inBatch.test(c)) {
      refuse(i, ERROR_HOTKEY_ALREADY_REGISTERED);
      continue;
    }
    inBatch.set(c);
    asked.push_back(HotKeyCombination{modifiers, vk});
    askedFor.push_back(Asked{key, i});
  }
  std::unique_ptr<bool[]> granted(new bool[asked.size()]());
  if (!asked.empty()) CurrentBackend().GrabHotKeys(asked.data(), asked.size(), granted.get());
  auto& list = S().HotKeys;
  if (list.capacity() < list.size() + asked.size()) list.reserve(std::max(list.size() + asked.size(), 2 * list.capacity()));
  for (std::size_t j = 0; j < asked.size(); ++j) {
    const Asked& a = askedFor[j];
    if (!granted[j]) {
      refuse(a.Place, ERROR_HOTKEY_ALREADY_REGISTERED);
      continue;
    }
    list.push_back(HotKey{a.Key.hwnd, a.Key.id, asked[j].Modifiers, asked[j].Vk});
    TakenCombinations().set(CombinationOf(asked[j].Modifiers, asked[j].Vk));
    registered(a.Key, a.Place);
  }
  if (refused) SetLastError(lastError);
}

BOOL UnregisterHotKey(HWND hwnd, int id) {
  BOOL result = FALSE;
  UnregisterHotKeys(hwnd, &id, 1, &result);
  return result;
}

void UnregisterHotKeys(HWND hwnd, const int* ids, std::size_t count, BOOL* results) {
  // Each id answers once: a second mention of it finds nothing left.
  std::unordered_map<int, std::size_t> first;
  for (std::size_t i = 0; i < count; ++i) {
    results[i] = FALSE;
    first.emplace(ids[i], i);
  }
  DropHotKeys([&](const HotKey& h) {
    if (h.Window != hwnd) return false;
    auto it = first.find(h.Id);
    if (it == first.end()) return false;
    results[it->second] = TRUE;
    return true;
  });
  for (std::size_t i = 0; i < count; ++i)
    if (!results[i]) SetLastError(ERROR_HOTKEY_NOT_REGISTERED);
}

// ---- notification area ----
namespace {
TrayIconState* FindIcon(HWND owner, UINT_PTR id) {
  for (TrayIconState& t : S().TrayIcons)
    if (t.Owner == owner && t.Id == id) return &t;
  return nullptr;
}

void Apply(TrayIconState& t, const NOTIFYICONDATAA& d) {
  if (d.uFlags & NIF_MESSAGE) t.CallbackMessage = d.uCallbackMessage;
  if (d.uFlags & NIF_ICON) t.Icon = d.hIcon;
  if (d.uFlags & NIF_TIP) {
    std::string_view tip(d.szTip, strnlen(d.szTip, sizeof d.szTip));
    // An unterminated tip keeps its first 127 bytes, cut on a character boundary (the
    // buffer's end may have cut one already).
    t.Tip = Utf8Truncate(tip.substr(0, Utf8CompleteLength(tip)), sizeof d.szTip - 1);
  }
}
}  // namespace

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) {
  if (!data) return FALSE;
  if (data->cbSize != NOTIFYICONDATAA_V2_SIZE && data->cbSize != sizeof(NOTIFYICONDATAA)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Backend& b = CurrentBackend();
  TrayIconState* icon = FindIcon(data->hWnd, data->uID);
  switch (message) {
    case NIM_ADD: {
      if (icon || !b.TrayAvailable()) return FALSE;
      TrayIconState t;
      t.Owner = data->hWnd;
      t.Id = data->uID;
      Apply(t, *data);
      S().TrayIcons.push_back(t);
      b.TrayIconAdded(t);
      return TRUE;
    }
    case NIM_MODIFY:
      if (!icon) return FALSE;
      Apply(*icon, *data);
      b.TrayIconModified(*icon);
      return TRUE;
    case NIM_DELETE: {
      if (!icon) return FALSE;
      TrayIconState gone = *icon;
      auto& list = S().TrayIcons;
      list.erase(list.begin() + (icon - list.data()));
      b.TrayIconDeleted(gone);
      return TRUE;
    }
    case NIM_SETVERSION:
      if (!icon) return FALSE;
      if (data->uVersion != 0 && data->uVersion != NOTIFYICON_VERSION && data->uVersion != NOTIFYICON_VERSION_4)
        return FALSE;
      icon->Version = data->uVersion;
      return TRUE;
    case NIM_SETFOCUS:
      return icon ? TRUE : FALSE;
  }
  return FALSE;
}

namespace {
// What the back ends report about hot keys and the notification area.
class ShellHost final : public BackendHost {
public:
  bool HotKeyPressed(UINT modifiers, UINT vk) override { return PostHotKey(modifiers, vk); }

  void TrayIconEvent(const TrayIconState& t, UINT what, POINT at) override {
    if (!t.CallbackMessage || !Find(t.Owner)) return;
    // The owner asks where the pointer is (to open its menu there, say).
    S().Cursor = at;
    if (t.Version >= NOTIFYICON_VERSION_4)
      Post(t.Owner, t.CallbackMessage, MAKEWPARAM(WORD(SHORT(at.x)), WORD(SHORT(at.y))),
           MAKELPARAM(WORD(what), WORD(t.Id)));
    else
      Post(t.Owner, t.CallbackMessage, t.Id, LPARAM(what));
  }

  std::vector<TrayIconState> TakeTrayIcons() override { return std::exchange(S().TrayIcons, {}); }
};
}  // namespace

BackendHost& DesktopHost() {
  static ShellHost host;
  return host;
}

namespace headless {

void HoldHotKeyElsewhere(UINT modifiers, UINT vk, bool held) {
  auto key = std::make_pair(modifiers & 0xF, vk & 0xFF);
  if (held) Headless().HeldHotKeys.insert(key);
  else Headless().HeldHotKeys.erase(key);
}

bool PressHotKey(UINT modifiers, UINT vk) {
  bool delivered = DesktopHost().HotKeyPressed(modifiers & 0xF, vk & 0xFF);
  ProcessMessages();
  return delivered;
}

std::vector<TrayIconState> TrayIcons() { return S().TrayIcons; }

const TrayIconState* FindTrayIcon(HWND owner, UINT_PTR id) { return FindIcon(owner, id); }

POINT TrayIconPoint() {
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return POINT{work.right - 20, work.bottom + 10};
}

namespace {
void Sequence(HWND owner, UINT_PTR id, std::initializer_list<UINT> messages) {
  const TrayIconState* t = FindIcon(owner, id);
  if (!t) return;
  TrayIconState icon = *t;
  S().Cursor = TrayIconPoint();
  for (UINT m : messages) {
    if ((m == NIN_SELECT || m == WM_CONTEXTMENU) && icon.Version < NOTIFYICON_VERSION) continue;
    DesktopHost().TrayIconEvent(icon, m, S().Cursor);
  }
  ProcessMessages();
}
}  // namespace

void HoverTrayIcon(HWND owner, UINT_PTR id) { Sequence(owner, id, {WM_MOUSEMOVE}); }

void ClickTrayIcon(HWND owner, UINT_PTR id) {
  Sequence(owner, id, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT});
}

void DoubleClickTrayIcon(HWND owner, UINT_PTR id) {
  Sequence(owner, id, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
}

void RightClickTrayIcon(HWND owner, UINT_PTR id) {
  Sequence(owner, id, {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU});
}

void SendTrayNotification(HWND owner, UINT_PTR id, UINT notification) {
  if (const TrayIconState* t = FindIcon(owner, id)) DesktopHost().TrayIconEvent(*t, notification, S().Cursor);
  ProcessMessages();
}

void RestartTray() {
  for (const TrayIconState& t : DesktopHost().TakeTrayIcons()) CurrentBackend().TrayIconDeleted(t);
  PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  ProcessMessages();
}

}  // namespace headless
}  // namespace win
