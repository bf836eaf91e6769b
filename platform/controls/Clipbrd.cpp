#include "platform/controls/Clipbrd.h"

#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"

#include <cstring>

TClipboard* Clipboard() {
  static TClipboard* clipboard = new TClipboard();
  return clipboard;
}

TClipboard::~TClipboard() {
  if (FAllocated && FClipboardWindow) win::DeallocateHWnd(FClipboardWindow);
}

void TClipboard::Open() {
  if (FOpenRefCount == 0) {
    if (!FClipboardWindow || !win::IsWindow(FClipboardWindow)) {
      FClipboardWindow = win::AllocateHWnd([](win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) {
        return win::DefWindowProc(h, m, w, l);
      });
      FAllocated = true;
    }
    if (!win::OpenClipboard(FClipboardWindow)) throw EClipboardException("Cannot open clipboard");
    FEmptied = false;
  }
  ++FOpenRefCount;
}

void TClipboard::Close() {
  if (FOpenRefCount == 0) return;
  if (--FOpenRefCount == 0) win::CloseClipboard();
}

void TClipboard::Clear() {
  Open();
  win::EmptyClipboard();
  FEmptied = true;
  Close();
}

// The first change within one opening replaces what the clipboard held.
void TClipboard::Adding() {
  if (FOpenRefCount != 0 && !FEmptied) {
    win::EmptyClipboard();
    FEmptied = true;
  }
}

bool TClipboard::HasFormat(win::UINT Format) const { return win::IsClipboardFormatAvailable(Format) != 0; }

std::string TClipboard::AsText() {
  Open();
  std::string out;
  if (win::HANDLE h = win::GetClipboardData(win::CF_TEXT)) {
    const char* p = static_cast<const char*>(win::GlobalLock(h));
    if (p) {
      size_t n = win::GlobalSize(h);
      out.assign(p, strnlen(p, n));
      win::GlobalUnlock(h);
    }
  }
  Close();
  return out;
}

void TClipboard::SetAsText(const std::string& Value) {
  win::HGLOBAL h = win::GlobalAlloc(win::GMEM_MOVEABLE | win::GMEM_DDESHARE, Value.size() + 1);
  if (!h) throw EOutOfResources("Out of system resources");
  char* p = static_cast<char*>(win::GlobalLock(h));
  std::memcpy(p, Value.c_str(), Value.size() + 1);
  win::GlobalUnlock(h);
  auto freeOnFailure = AtScopeFailure([h] { win::GlobalFree(h); });
  SetAsHandle(win::CF_TEXT, h);
}

void TClipboard::SetAsHandle(win::UINT Format, win::HANDLE Value) {
  Open();
  auto guard = AtScopeExit([&] { Close(); });
  Adding();
  win::SetClipboardData(Format, Value);
}

win::HANDLE TClipboard::GetAsHandle(win::UINT Format) {
  Open();
  win::HANDLE h = win::GetClipboardData(Format);
  Close();
  return h;
}
