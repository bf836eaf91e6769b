// The clipboard: opening, ownership, data blocks and text synthesised between CF_TEXT and
// CF_UNICODETEXT.
#include <algorithm>
#include <cstring>

#include "platform/desktop/internal/HeadlessBackend.h"
#include "platform/desktop/internal/Memory.h"
#include "platform/rtl/Utf8.h"

namespace win {
using namespace detail;

namespace {
struct Entry {
  UINT Format = 0;
  HANDLE Data = nullptr;
  bool Synthesized = false;
};

struct ClipboardState {
  bool Open = false;
  HWND OpenWindow = nullptr;
  HWND Owner = nullptr;
  bool Changed = false;
  std::vector<Entry> Entries;
};

ClipboardState& C() {
  static ClipboardState c;
  return c;
}

Entry* FindEntry(UINT format) {
  for (Entry& e : C().Entries)
    if (e.Format == format) return &e;
  return nullptr;
}

void Release(Entry& e) {
  if (Block* b = FindBlock(e.Data)) {
    b->ClipboardOwned = false;
    GlobalFree(e.Data);
  }
}

void Clear() {
  for (Entry& e : C().Entries) Release(e);
  C().Entries.clear();
}

bool IsText(UINT f) { return f == CF_TEXT || f == CF_OEMTEXT || f == CF_UNICODETEXT; }

// The text of an entry as UTF-8 (up to its terminating zero).
std::string TextOf(const Entry& e) {
  Block* b = FindBlock(e.Data);
  if (!b) return {};
  if (e.Format == CF_UNICODETEXT) {
    std::size_t units = b->Size / 2;
    std::u16string s(units, u'\0');
    std::memcpy(s.data(), b->Data.data(), units * 2);
    s.resize(std::min(s.find(u'\0'), s.size()));
    return Utf16ToUtf8(s);
  }
  return std::string(b->Data.data(), strnlen(b->Data.data(), b->Size));
}

HANDLE TextBlock(UINT format, const std::string& utf8) {
  if (format == CF_UNICODETEXT) {
    std::u16string s = Utf8ToUtf16(utf8);
    s.push_back(u'\0');
    return AllocBlock(s.data(), s.size() * 2);
  }
  return AllocBlock(utf8.c_str(), utf8.size() + 1);
}

// A text format not on the clipboard that another text format can give.
const Entry* TextSource() {
  for (UINT f : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT})
    if (Entry* e = FindEntry(f); e && !e->Synthesized) return e;
  return nullptr;
}

std::vector<UINT> AvailableFormats() {
  std::vector<UINT> list;
  for (const Entry& e : C().Entries)
    if (!e.Synthesized) list.push_back(e.Format);
  if (TextSource())
    for (UINT f : {CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT})
      if (std::find(list.begin(), list.end(), f) == list.end()) list.push_back(f);
  return list;
}
}  // namespace

namespace detail {

void ClipboardWindowDestroyed(HWND hwnd) {
  ClipboardState& c = C();
  if (c.Open && c.OpenWindow == hwnd) CloseClipboard();
  if (c.Owner == hwnd) c.Owner = nullptr;
}

void ResetClipboard() {
  Clear();
  C() = ClipboardState{};
  Headless().ClipboardHeld = false;
}

}  // namespace detail

namespace {
// Contents another program put on the clipboard replace ours.
void TakeExternal() {
  std::vector<std::pair<UINT, std::string>> formats;
  if (!CurrentBackend().TakeExternalClipboard(&formats)) return;
  ClipboardState& c = C();
  if (c.Owner && Find(c.Owner)) SendMessageA(c.Owner, WM_DESTROYCLIPBOARD, 0, 0);
  Clear();
  c.Owner = nullptr;
  for (const auto& [format, bytes] : formats) {
    if (!format || FindEntry(format)) continue;
    HANDLE h = AllocBlock(bytes.data(), bytes.size());
    FindBlock(h)->ClipboardOwned = true;
    c.Entries.push_back(Entry{format, h, false});
  }
}
}  // namespace

std::vector<std::pair<UINT, std::string>> ClipboardSnapshot() {
  std::vector<std::pair<UINT, std::string>> out;
  for (UINT f : AvailableFormats()) {
    const Entry* e = FindEntry(f);
    if (e && !e->Synthesized) {
      Block* b = FindBlock(e->Data);
      out.push_back({f, b ? std::string(b->Data.data(), b->Size) : std::string()});
    } else if (const Entry* src = TextSource()) {
      std::string text = TextOf(*src);
      if (f == CF_UNICODETEXT) {
        std::u16string w = Utf8ToUtf16(text);
        w.push_back(u'\0');
        out.push_back({f, std::string(reinterpret_cast<const char*>(w.data()), w.size() * 2)});
      } else {
        out.push_back({f, text + '\0'});
      }
    }
  }
  return out;
}

BOOL OpenClipboard(HWND owner) {
  ClipboardState& c = C();
  if (owner && !Find(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (CurrentBackend().ClipboardHeldElsewhere() || (c.Open && c.OpenWindow != owner)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!c.Open) TakeExternal();
  c.Open = true;
  c.OpenWindow = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  ClipboardState& c = C();
  if (!c.Open) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  c.Open = false;
  c.OpenWindow = nullptr;
  if (c.Changed) {
    c.Changed = false;
    CurrentBackend().ClipboardPublished();
  }
  return TRUE;
}

BOOL EmptyClipboard() {
  ClipboardState& c = C();
  if (!c.Open) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  HWND previous = c.Owner;
  if (previous && previous != c.OpenWindow && Find(previous)) SendMessageA(previous, WM_DESTROYCLIPBOARD, 0, 0);
  Clear();
  c.Owner = c.OpenWindow;
  c.Changed = true;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  ClipboardState& c = C();
  if (!c.Open) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  if (!data || format == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Block* b = FindBlock(data);
  if (!b && (IsText(format) || format >= 0xC000)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (Entry* e = FindEntry(format)) {
    if (e->Data != data) Release(*e);
    e->Data = data;
    e->Synthesized = false;
  } else {
    c.Entries.push_back(Entry{format, data, false});
  }
  if (b) b->ClipboardOwned = true;
  // Texts synthesised from an older text are stale now.
  if (IsText(format)) {
    auto& es = c.Entries;
    for (Entry& e : es)
      if (e.Synthesized) Release(e);
    es.erase(std::remove_if(es.begin(), es.end(), [](const Entry& e) { return e.Synthesized; }), es.end());
  }
  c.Changed = true;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  ClipboardState& c = C();
  if (!c.Open) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  if (Entry* e = FindEntry(format)) return e->Data;
  if (!IsText(format)) return nullptr;
  const Entry* src = TextSource();
  if (!src) return nullptr;
  HANDLE h = TextBlock(format, TextOf(*src));
  if (Block* b = FindBlock(h)) b->ClipboardOwned = true;
  c.Entries.push_back(Entry{format, h, true});
  return h;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  // Asked without opening the clipboard (before a paste): what another program put there
  // since counts, as it will when the clipboard is opened to read it.
  if (!C().Open) TakeExternal();
  auto list = AvailableFormats();
  return std::find(list.begin(), list.end(), format) != list.end() ? TRUE : FALSE;
}

UINT EnumClipboardFormats(UINT format) {
  if (!C().Open) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return 0;
  }
  auto list = AvailableFormats();
  SetLastError(ERROR_SUCCESS);
  if (format == 0) return list.empty() ? 0 : list.front();
  auto it = std::find(list.begin(), list.end(), format);
  if (it == list.end() || it + 1 == list.end()) return 0;
  return *(it + 1);
}

int CountClipboardFormats() {
  if (!C().Open) TakeExternal();
  return int(AvailableFormats().size());
}

HWND GetClipboardOwner() { return C().Owner; }

HWND GetOpenClipboardWindow() { return C().Open ? C().OpenWindow : nullptr; }

namespace headless {

void HoldClipboardElsewhere(bool held) { Headless().ClipboardHeld = held; }

std::string ClipboardText() {
  const Entry* src = TextSource();
  return src ? TextOf(*src) : std::string();
}

void SetClipboardTextElsewhere(const std::string& utf8) {
  ClipboardState& c = C();
  HWND previous = c.Owner;
  if (previous && Find(previous)) SendMessageA(previous, WM_DESTROYCLIPBOARD, 0, 0);
  Clear();
  c.Owner = nullptr;
  HANDLE h = TextBlock(CF_UNICODETEXT, utf8);
  FindBlock(h)->ClipboardOwned = true;
  c.Entries.push_back(Entry{CF_UNICODETEXT, h, false});
}

}  // namespace headless
}  // namespace win
