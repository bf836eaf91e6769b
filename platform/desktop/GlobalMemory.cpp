// Global memory blocks and text conversion between the system code page and UTF-16.
#include <cstring>
#include <map>

#include "platform/desktop/internal/Memory.h"
#include "platform/rtl/Utf8.h"

namespace win {
using namespace detail;

namespace detail {

std::map<HGLOBAL, Block>& Blocks() {
  static std::map<HGLOBAL, Block> blocks;
  return blocks;
}

Block* FindBlock(HGLOBAL h) {
  auto it = Blocks().find(h);
  return it == Blocks().end() ? nullptr : &it->second;
}

HGLOBAL AllocBlock(const void* data, std::size_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
  if (h && data && size) std::memcpy(FindBlock(h)->Data.data(), data, size);
  return h;
}

}  // namespace detail

namespace {
std::uintptr_t NextMoveable = 0x40000;
}

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  Block b;
  b.Flags = flags;
  b.Size = bytes;
  // One spare zero byte so text blocks are always terminated.
  b.Data.assign(bytes + 1, 0);
  HGLOBAL h;
  if (flags & GMEM_MOVEABLE) {
    NextMoveable += 0x10;
    h = reinterpret_cast<HGLOBAL>(NextMoveable);
  } else {
    h = b.Data.data();  // a fixed block's handle is its address
  }
  Blocks().emplace(h, std::move(b));
  return h;
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
  Block* b = FindBlock(mem);
  if (!b || b->ClipboardOwned) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!(b->Flags & GMEM_MOVEABLE) && bytes + 1 > b->Data.size()) {
    // A fixed block cannot move while its address is its handle.
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (b->Locks > 0 && bytes + 1 > b->Data.size()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::size_t old = b->Size;
  if (bytes + 1 > b->Data.size()) b->Data.resize(bytes + 1, 0);
  if ((flags & GMEM_ZEROINIT) && bytes > old) std::memset(b->Data.data() + old, 0, bytes - old);
  b->Data[bytes] = 0;
  b->Size = bytes;
  return mem;
}

LPVOID GlobalLock(HGLOBAL mem) {
  Block* b = FindBlock(mem);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  ++b->Locks;
  return b->Data.data();
}

BOOL GlobalUnlock(HGLOBAL mem) {
  Block* b = FindBlock(mem);
  if (!b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (b->Locks > 0) --b->Locks;
  SetLastError(ERROR_SUCCESS);
  return b->Locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  if (!mem) return nullptr;
  Block* b = FindBlock(mem);
  // A block the clipboard owns is not the caller's to free.
  if (!b || b->ClipboardOwned) {
    SetLastError(ERROR_INVALID_HANDLE);
    return mem;
  }
  Blocks().erase(mem);
  return nullptr;
}

SIZE_T GlobalSize(HGLOBAL mem) {
  Block* b = FindBlock(mem);
  return b ? b->Size : 0;
}

// ---- text conversion ----
namespace {
bool KnownCodePage(UINT cp) { return cp == CP_ACP || cp == CP_OEMCP || cp == CP_UTF8; }
}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* src, int cbMultiByte, WCHAR* dst,
                        int cchWideChar) {
  if (!KnownCodePage(codePage) || !src || cbMultiByte == 0 || cchWideChar < 0) {
    SetLastError(KnownCodePage(codePage) ? ERROR_INVALID_PARAMETER : ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::size_t len = cbMultiByte < 0 ? std::strlen(src) + 1 : std::size_t(cbMultiByte);
  bool invalid = false;
  std::u16string out = Utf8ToUtf16(std::string_view(src, len), &invalid);
  if (invalid && (flags & MB_ERR_INVALID_CHARS)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  if (cchWideChar == 0) return int(out.size());
  if (out.size() > std::size_t(cchWideChar)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(out.begin(), out.end(), dst);
  return int(out.size());
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* src, int cchWideChar, char* dst,
                        int cbMultiByte, const char*, BOOL* usedDefaultChar) {
  if (!KnownCodePage(codePage) || !src || cchWideChar == 0 || cbMultiByte < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::size_t len = 0;
  if (cchWideChar < 0) {
    while (src[len]) ++len;
    ++len;
  } else {
    len = std::size_t(cchWideChar);
  }
  bool invalid = false;
  std::string out = Utf16ToUtf8(std::u16string_view(src, len), &invalid);
  if (usedDefaultChar) *usedDefaultChar = FALSE;
  if (invalid && (flags & WC_ERR_INVALID_CHARS)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  if (cbMultiByte == 0) return int(out.size());
  if (out.size() > std::size_t(cbMultiByte)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(dst, out.data(), out.size());
  return int(out.size());
}

UINT GetACP() { return CP_UTF8; }

}  // namespace win
