// Cursors: stock cursors, named cursor resources and the current cursor.
#include <map>
#include <memory>

#include "platform/desktop/internal/State.h"

struct win::HCURSOR__ {
  win::CursorImage Image;
  bool Shared = false;
};

namespace win {
using namespace detail;

namespace {
std::map<std::string, std::unique_ptr<HCURSOR__>>& Named() {
  static std::map<std::string, std::unique_ptr<HCURSOR__>> cursors;
  return cursors;
}

std::map<HCURSOR, std::unique_ptr<HCURSOR__>>& Created() {
  static std::map<HCURSOR, std::unique_ptr<HCURSOR__>> cursors;
  return cursors;
}

const char* StockName(std::uintptr_t id) {
  switch (id) {
    case IDC_ARROW: return "IDC_ARROW";
    case IDC_IBEAM: return "IDC_IBEAM";
    case IDC_WAIT: return "IDC_WAIT";
    case IDC_CROSS: return "IDC_CROSS";
    case IDC_UPARROW: return "IDC_UPARROW";
    case IDC_SIZE: return "IDC_SIZE";
    case IDC_ICON: return "IDC_ICON";
    case IDC_SIZENWSE: return "IDC_SIZENWSE";
    case IDC_SIZENESW: return "IDC_SIZENESW";
    case IDC_SIZEWE: return "IDC_SIZEWE";
    case IDC_SIZENS: return "IDC_SIZENS";
    case IDC_SIZEALL: return "IDC_SIZEALL";
    case IDC_NO: return "IDC_NO";
    case IDC_HAND: return "IDC_HAND";
    case IDC_APPSTARTING: return "IDC_APPSTARTING";
    case IDC_HELP: return "IDC_HELP";
  }
  return nullptr;
}

bool IsKnown(HCURSOR c) {
  if (!c) return false;
  for (auto& [k, v] : Named())
    if (v.get() == c) return true;
  return Created().count(c) != 0;
}
}  // namespace

HCURSOR RegisterCursorResource(const std::string& name, CursorImage image) {
  auto& slot = Named()[Lower(name)];
  if (!slot) slot = std::make_unique<HCURSOR__>();
  slot->Image = std::move(image);
  if (slot->Image.Name.empty()) slot->Image.Name = name;
  slot->Shared = true;
  return slot.get();
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (!name) return nullptr;
  if (IS_INTRESOURCE(name)) {
    const char* stock = StockName(reinterpret_cast<std::uintptr_t>(name));
    if (!stock) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return nullptr;
    }
    auto it = Named().find(Lower(stock));
    if (it != Named().end()) return it->second.get();
    CursorImage img;
    img.Name = stock;
    img.Width = img.Height = 32;
    return RegisterCursorResource(stock, img);
  }
  auto it = Named().find(Lower(name));
  if (it == Named().end()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return it->second.get();
}

HCURSOR CreateCursorFromImage(CursorImage image) {
  auto c = std::make_unique<HCURSOR__>();
  c->Image = std::move(image);
  HCURSOR h = c.get();
  Created()[h] = std::move(c);
  return h;
}

const CursorImage* GetCursorImage(HCURSOR cursor) {
  return IsKnown(cursor) ? &cursor->Image : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = S().CurrentCursor;
  S().CurrentCursor = cursor;
  return old;
}

HCURSOR GetCursor() { return S().CurrentCursor; }

BOOL DestroyCursor(HCURSOR cursor) {
  if (!IsKnown(cursor)) return FALSE;
  if (cursor->Shared) return TRUE;
  if (S().CurrentCursor == cursor) S().CurrentCursor = nullptr;
  Created().erase(cursor);
  return TRUE;
}

int ShowCursor(BOOL show) { return show ? ++S().CursorShowCount : --S().CursorShowCount; }

}  // namespace win
