// Update regions: invalidation, validation and painting requests.
#include "platform/desktop/internal/State.h"

namespace win {
using namespace detail;

namespace detail {

void InvalidateClient(HWND hwnd, const RECT* rect, bool erase, bool children) {
  Window* w = Find(hwnd);
  if (!w || w->MessageOnly) return;
  RECT client{0, 0, w->Client.right - w->Client.left, w->Client.bottom - w->Client.top};
  RECT r = rect ? RectIntersect(*rect, client) : client;
  if (RectIsEmpty(r)) return;
  w->Update.Add(r);
  if (erase) w->UpdateErase = true;
  if (!w->Parent && IsShowing(*w)) {
    POINT o = ClientScreenOrigin(*w);
    CurrentBackend().SurfaceInvalidated(hwnd, RectOffset(r, o.x, o.y));
  }
  NoteActivity();
  if (!children || (w->Style & WS_CLIPCHILDREN)) return;
  for (HWND c : w->Children) {
    Window* cw = Find(c);
    if (!cw || !(cw->Style & WS_VISIBLE)) continue;
    // The child's part of r, in the child's client coordinates.
    RECT inChild = RectOffset(r, -(cw->Rect.left + cw->Client.left), -(cw->Rect.top + cw->Client.top));
    InvalidateClient(c, &inChild, erase, true);
  }
}

void ExposeDescendants(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  for (HWND c : std::vector<HWND>(w->Children)) {
    Window* cw = Find(c);
    if (!cw || !(cw->Style & WS_VISIBLE)) continue;
    cw->FrameDirty = true;
    InvalidateClient(c, nullptr, true, false);
    ExposeDescendants(c);
  }
}

}  // namespace detail

void SetGraphicsHooks(GraphicsHooks hooks) { S().Hooks = std::move(hooks); }

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    for (HWND t : S().TopLevels) InvalidateClient(t, nullptr, erase, true);
    return TRUE;
  }
  if (!Get(hwnd)) return FALSE;
  InvalidateClient(hwnd, rect, erase, true);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (rect) w->Update.Remove(*rect);
  else w->Update.Clear();
  if (w->Update.Empty()) {
    w->UpdateErase = false;
    w->InternalPaint = false;
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* out, BOOL erase) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  // Erasing needs a device context, so it is left to BeginPaint.
  (void)erase;
  if (out) *out = w->Update.Bounds();
  return w->Update.Empty() ? FALSE : TRUE;
}

std::vector<RECT> GetUpdateRects(HWND hwnd) {
  Window* w = Find(hwnd);
  return w ? w->Update.Rects() : std::vector<RECT>{};
}

bool GetUpdateErase(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && w->UpdateErase;
}

namespace detail {
void PaintFrame(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w || !w->FrameDirty || !IsShowing(*w)) return;
  w->FrameDirty = false;
  SendMessageA(hwnd, WM_NCPAINT, 1, 0);
}
}  // namespace detail

BOOL UpdateWindow(HWND hwnd) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (IsShowing(*w) && (!w->Update.Empty() || w->InternalPaint)) {
    w->InternalPaint = false;
    PaintFrame(hwnd);
    if (!Find(hwnd)) return TRUE;
    SendMessageA(hwnd, WM_PAINT, 0, 0);
  }
  return TRUE;
}

namespace {
void UpdateNow(HWND hwnd, bool children) {
  Window* w = Find(hwnd);
  if (!w) return;
  PaintFrame(hwnd);
  UpdateWindow(hwnd);
  if (!children || !(w = Find(hwnd))) return;
  std::vector<HWND> list = w->Children;
  for (HWND c : list) UpdateNow(c, true);
}

void ValidateTree(HWND hwnd, const RECT* rect, bool children) {
  ValidateRect(hwnd, rect);
  Window* w = Find(hwnd);
  if (!children || !w) return;
  for (HWND c : w->Children) {
    Window* cw = Find(c);
    if (!cw) continue;
    if (rect) {
      RECT inChild = RectOffset(*rect, -(cw->Rect.left + cw->Client.left), -(cw->Rect.top + cw->Client.top));
      ValidateTree(c, &inChild, true);
    } else {
      ValidateTree(c, nullptr, true);
    }
  }
}
}  // namespace

BOOL RedrawWindow(HWND hwnd, const RECT* update, HRGN, UINT flags) {
  if (!hwnd) {
    for (HWND t : std::vector<HWND>(S().TopLevels)) RedrawWindow(t, update, nullptr, flags);
    return TRUE;
  }
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  bool children = (flags & RDW_ALLCHILDREN) ||
                  (!(flags & RDW_NOCHILDREN) && !(w->Style & WS_CLIPCHILDREN));
  if (flags & RDW_INVALIDATE) {
    InvalidateClient(hwnd, update, (flags & RDW_ERASE) != 0, children);
    if (flags & RDW_FRAME) w->FrameDirty = true;
  }
  if (flags & RDW_INTERNALPAINT) w->InternalPaint = true;
  if (flags & RDW_VALIDATE) {
    ValidateTree(hwnd, update, children);
    if (flags & RDW_NOFRAME) w->FrameDirty = false;
  }
  if (flags & RDW_NOERASE) w->UpdateErase = false;
  if (flags & RDW_NOINTERNALPAINT) w->InternalPaint = false;
  if (flags & RDW_UPDATENOW) UpdateNow(hwnd, children);
  return TRUE;
}

BOOL LockWindowUpdate(HWND) { return TRUE; }

}  // namespace win
