// Classic three-dimensional edges, frame controls (buttons, check boxes, radio buttons,
// scroll arrows) and the system check-box glyphs.
#include <algorithm>

#include "platform/desktop/Windows.h"
#include "platform/graphics/gdi/GdiInternal.h"

namespace win {
using namespace gdi;

namespace {
void Fill(HDC hdc, int l, int t, int r, int b, int sysColor) {
  if (r <= l || b <= t) return;
  RECT rc{l, t, r, b};
  FillRect(hdc, &rc, GetSysColorBrush(sysColor));
}

void Summary(HDC hdc, DrawKind kind, const RECT& r, UINT type, UINT flags) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return;
  DrawOp op = NewOp(*dc, kind);
  op.rect = ToDeviceRect(*dc, r);
  op.type = type;
  op.flags = flags;
  Emit(*dc, std::move(op));
}

// One ring of an edge: light on the top and left, dark on the right and bottom.
void Ring(HDC hdc, RECT& r, UINT flags, int light, int dark) {
  if (flags & BF_TOP) Fill(hdc, r.left, r.top, r.right - 1, r.top + 1, light);
  if (flags & BF_LEFT) Fill(hdc, r.left, r.top, r.left + 1, r.bottom - 1, light);
  if (flags & BF_RIGHT) Fill(hdc, r.right - 1, r.top, r.right, r.bottom, dark);
  if (flags & BF_BOTTOM) Fill(hdc, r.left, r.bottom - 1, r.right, r.bottom, dark);
  if (flags & BF_LEFT) ++r.left;
  if (flags & BF_TOP) ++r.top;
  if (flags & BF_RIGHT) --r.right;
  if (flags & BF_BOTTOM) --r.bottom;
}

// The classic check mark, 7 x 7, as runs per row (start, length).
const int kCheckRuns[7][2] = {{6, 1}, {5, 2}, {0, 1}, {0, 2}, {0, 5}, {1, 3}, {2, 1}};
const int kCheckRuns2[7][2] = {{0, 0}, {0, 0}, {4, 3}, {3, 3}, {0, 0}, {0, 0}, {0, 0}};

// The mark at (x, y), each of its pixels `unit` wide and high.
void CheckMark(HDC hdc, int x, int y, int unit, int sysColor) {
  for (int row = 0; row < 7; ++row) {
    const int top = y + row * unit, bottom = top + unit;
    Fill(hdc, x + kCheckRuns[row][0] * unit, top, x + (kCheckRuns[row][0] + kCheckRuns[row][1]) * unit, bottom,
         sysColor);
    if (kCheckRuns2[row][1])
      Fill(hdc, x + kCheckRuns2[row][0] * unit, top, x + (kCheckRuns2[row][0] + kCheckRuns2[row][1]) * unit, bottom,
           sysColor);
  }
}

// A filled triangle pointing in `dir` (0 up, 1 down, 2 left, 3 right), centred in r and
// sized by the whole control's size.
void Arrow(HDC hdc, const RECT& r, int size, int dir, int sysColor, int shift) {
  int w = r.right - r.left, h = r.bottom - r.top;
  int base = std::max(3, ((size - 4) / 2) | 1);  // odd width of the triangle's base
  if (base > 7 && size < 20) base = 7;
  int depth = (base + 1) / 2;
  bool vertical = dir <= 1;
  int cx = r.left + (w - (vertical ? base : depth)) / 2 + shift;
  int cy = r.top + (h - (vertical ? depth : base)) / 2 + shift;
  for (int i = 0; i < depth; ++i) {
    int len = base - 2 * i;
    switch (dir) {
      case 0: Fill(hdc, cx + i, cy + depth - 1 - i, cx + i + len, cy + depth - i, sysColor); break;
      case 1: Fill(hdc, cx + i, cy + i, cx + i + len, cy + i + 1, sysColor); break;
      case 2: Fill(hdc, cx + depth - 1 - i, cy + i, cx + depth - i, cy + i + len, sysColor); break;
      default: Fill(hdc, cx + i, cy + i, cx + i + 1, cy + i + len, sysColor); break;
    }
  }
}

void CheckBox(HDC hdc, RECT r, UINT state) {
  int size = std::min(r.right - r.left, r.bottom - r.top);
  RECT box{r.left, r.top + (r.bottom - r.top - size) / 2, r.left + size, 0};
  box.bottom = box.top + size;
  bool inactive = state & DFCS_INACTIVE, pushed = state & DFCS_PUSHED;
  bool grey3 = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
  if (state & DFCS_MONO) {
    RECT f = box;
    FrameRect(hdc, &f, GetSysColorBrush(COLOR_WINDOWFRAME));
    box.left += 1; box.top += 1; box.right -= 1; box.bottom -= 1;
  } else if (state & DFCS_FLAT) {
    Ring(hdc, box, BF_RECT, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
  } else {
    DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  int face = (inactive || pushed || grey3) ? COLOR_BTNFACE : COLOR_WINDOW;
  Fill(hdc, box.left, box.top, box.right, box.bottom, face);
  if (state & DFCS_CHECKED) {
    // The mark grows with the box (a printed box is many pixels wide), 7 pixels in the usual 9.
    const int unit = std::max(1, std::min(box.right - box.left, box.bottom - box.top) / 9);
    int mx = box.left + (box.right - box.left - 7 * unit) / 2, my = box.top + (box.bottom - box.top - 7 * unit) / 2;
    CheckMark(hdc, mx, my, unit, (inactive || grey3) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
  }
}

void RadioButton(HDC hdc, RECT r, UINT state) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return;
  int size = std::min(r.right - r.left, r.bottom - r.top);
  RECT box{r.left, r.top + (r.bottom - r.top - size) / 2, r.left + size, 0};
  box.bottom = box.top + size;
  bool inactive = state & DFCS_INACTIVE, pushed = state & DFCS_PUSHED;
  int saved = SaveDC(hdc);
  SelectObject(hdc, GetStockObject(NULL_PEN));
  auto disc = [&](int inset, int sysColor) {
    SelectObject(hdc, GetSysColorBrush(sysColor));
    Ellipse(hdc, box.left + inset, box.top + inset, box.right - inset + 1, box.bottom - inset + 1);
  };
  bool flat = state & (DFCS_FLAT | DFCS_MONO);
  disc(0, flat ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  if (!flat) {
    // Upper-left shadow, lower-right light: a sunken ring.
    SelectObject(hdc, GetSysColorBrush(COLOR_BTNSHADOW));
    Ellipse(hdc, box.left, box.top, box.right, box.bottom);
    SelectObject(hdc, GetSysColorBrush(COLOR_3DLIGHT));
    Ellipse(hdc, box.left + 2, box.top + 2, box.right + 1, box.bottom + 1);
    SelectObject(hdc, GetSysColorBrush(COLOR_3DDKSHADOW));
    Ellipse(hdc, box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
  }
  disc(2, (inactive || pushed) ? COLOR_BTNFACE : COLOR_WINDOW);
  if (state & DFCS_CHECKED) {
    int d = std::max(2, size / 3);
    int cx = box.left + (size - d) / 2, cy = box.top + (size - d) / 2;
    SelectObject(hdc, GetSysColorBrush(inactive ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
    Ellipse(hdc, cx, cy, cx + d + 1, cy + d + 1);
  }
  RestoreDC(hdc, saved);
}

void PushButton(HDC hdc, RECT& r, UINT state) {
  UINT flags = BF_RECT | BF_MIDDLE | BF_ADJUST;
  if (state & DFCS_FLAT) flags |= BF_FLAT;
  if (state & DFCS_MONO) flags |= BF_MONO;
  if (state & (DFCS_PUSHED | DFCS_CHECKED)) {
    if (state & DFCS_FLAT) DrawEdge(hdc, &r, BDR_SUNKENOUTER, flags);
    else {
      // Classic pressed button: a shadow frame inside a dark one.
      Ring(hdc, r, BF_RECT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW);
      DrawEdge(hdc, &r, BDR_SUNKENOUTER, (flags | BF_FLAT));
    }
  } else {
    DrawEdge(hdc, &r, EDGE_RAISED, flags | ((state & DFCS_FLAT) ? 0 : BF_SOFT));
  }
}
}  // namespace

BOOL DrawEdge(HDC hdc, RECT* rc, UINT edge, UINT flags) {
  if (!FindDC(hdc) || !rc) return FALSE;
  Summary(hdc, DrawKind::Edge, *rc, edge, flags);
  RECT r = *rc;
  UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
  int oLight = -1, oDark = -1, iLight = -1, iDark = -1;
  if (flags & BF_MONO) {
    if (outer || inner) oLight = oDark = COLOR_WINDOWFRAME;
    if (outer && inner) iLight = iDark = COLOR_WINDOW;
  } else if (flags & BF_FLAT) {
    if (outer || inner) oLight = oDark = COLOR_BTNSHADOW;
    if (outer && inner) iLight = iDark = COLOR_BTNFACE;
  } else {
    bool soft = flags & BF_SOFT;
    if (outer & BDR_RAISEDOUTER) { oLight = soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT; oDark = COLOR_3DDKSHADOW; }
    else if (outer & BDR_SUNKENOUTER) { oLight = soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW; oDark = COLOR_BTNHIGHLIGHT; }
    if (inner & BDR_RAISEDINNER) { iLight = soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT; iDark = COLOR_BTNSHADOW; }
    else if (inner & BDR_SUNKENINNER) { iLight = soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW; iDark = COLOR_3DLIGHT; }
  }
  if (oLight >= 0) Ring(hdc, r, flags, oLight, oDark);
  if (iLight >= 0) Ring(hdc, r, flags, iLight, iDark);
  if (flags & BF_MIDDLE) Fill(hdc, r.left, r.top, r.right, r.bottom, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
  if (flags & BF_ADJUST) *rc = r;
  return TRUE;
}

BOOL DrawFrameControl(HDC hdc, RECT* rc, UINT type, UINT state) {
  if (!FindDC(hdc) || !rc) return FALSE;
  Summary(hdc, DrawKind::FrameControl, *rc, type, state);
  RECT r = *rc;
  switch (type) {
    case DFC_BUTTON:
      if (state & DFCS_BUTTONPUSH) PushButton(hdc, r, state);
      else if (state & DFCS_BUTTONRADIO) RadioButton(hdc, r, state);
      else CheckBox(hdc, r, state);
      break;
    case DFC_SCROLL: {
      UINT kind = state & 0xFF;
      int size = std::min(r.right - r.left, r.bottom - r.top);
      PushButton(hdc, r, state);
      int dir = kind == DFCS_SCROLLUP ? 0 : kind == DFCS_SCROLLLEFT ? 2 : kind == DFCS_SCROLLRIGHT ? 3 : 1;
      int shift = (state & DFCS_PUSHED) ? 1 : 0;
      if (state & DFCS_INACTIVE) {
        Arrow(hdc, r, size, dir, COLOR_BTNHIGHLIGHT, shift + 1);
        Arrow(hdc, r, size, dir, COLOR_BTNSHADOW, shift);
      } else {
        Arrow(hdc, r, size, dir, COLOR_BTNTEXT, shift);
      }
      break;
    }
    default: return FALSE;
  }
  if (state & DFCS_ADJUSTRECT) *rc = r;
  return TRUE;
}

BOOL DrawScrollBar(HDC hdc, const RECT& bar, bool horizontal, int min, int max, UINT page, int pos,
                   UINT disabledArrows) {
  if (!FindDC(hdc)) return FALSE;
  ScrollBarLayout l = LayOutScrollBar(bar, horizontal, min, max, page, pos);
  auto none = [](const RECT& r) { return r.right <= r.left || r.bottom <= r.top; };
  UINT off = l.Scrollable ? disabledArrows & ESB_DISABLE_BOTH : ESB_DISABLE_BOTH;
  FillRect(hdc, &l.Track, GetSysColorBrush(COLOR_SCROLLBAR));
  UINT first = horizontal ? DFCS_SCROLLLEFT : DFCS_SCROLLUP;
  UINT second = horizontal ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN;
  if (!none(l.Arrow1))
    DrawFrameControl(hdc, &l.Arrow1, DFC_SCROLL, first | ((off & ESB_DISABLE_LTUP) ? DFCS_INACTIVE : 0));
  if (!none(l.Arrow2))
    DrawFrameControl(hdc, &l.Arrow2, DFC_SCROLL, second | ((off & ESB_DISABLE_RTDN) ? DFCS_INACTIVE : 0));
  if (off != ESB_DISABLE_BOTH && !none(l.Thumb)) DrawEdge(hdc, &l.Thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  return TRUE;
}

HBITMAP LoadBitmap(HINSTANCE, int id) {
  if (id != OBM_CHECKBOXES) return nullptr;
  // Columns: unchecked, checked, pushed, pushed and checked; rows: check box, radio button, three-state.
  HBITMAP bmp = NewBitmap(52, 39, 32);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all{0, 0, 52, 39};
  FillRect(mem, &all, GetSysColorBrush(COLOR_BTNFACE));
  const UINT rowType[3] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO, DFCS_BUTTON3STATE};
  const UINT colState[4] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_PUSHED | DFCS_CHECKED};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 4; ++col) {
      RECT cell{col * 13, row * 13, col * 13 + 13, row * 13 + 13};
      DrawFrameControl(mem, &cell, DFC_BUTTON, rowType[row] | colState[col]);
    }
  SelectObject(mem, old);
  DeleteDC(mem);
  return bmp;
}

}  // namespace win
