// Text output and measurement: metrics, extents, TextOut, ExtTextOut and glyph rendering.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/graphics/gdi/GdiInternal.h"
#include "platform/graphics/gdi/TextLayout.h"
#include "platform/rtl/Utf8.h"

namespace win::gdi {

LOGFONT DeviceFont(const DCObj& dc) {
  FontObj* f = FindFont(dc.st.font);
  LOGFONT lf = f ? f->lf : LOGFONT{};
  if (!f) SetFaceName(lf, "System");
  double sy = std::fabs(ScaleY(dc)), sx = std::fabs(ScaleX(dc));
  if (sy != 1) lf.lfHeight = LONG(std::lround(lf.lfHeight * sy));
  if (sx != 1) lf.lfWidth = LONG(std::lround(lf.lfWidth * sx));
  if (f && f->lf.lfHeight != 0 && lf.lfHeight == 0) lf.lfHeight = f->lf.lfHeight < 0 ? -1 : 1;
  return lf;
}

std::shared_ptr<ResolvedFont> CurrentFont(const DCObj& dc) { return ResolveFont(DeviceFont(dc)); }

int DeviceExtra(const DCObj& dc) { return int(std::lround(dc.st.charExtra * std::fabs(ScaleX(dc)))); }

std::string_view Bytes(const char* text, int count) {
  if (!text) return {};
  if (count < 0) return std::string_view(text);
  // Exactly count bytes, less a character cut off at the end.
  std::string_view s(text, size_t(count));
  return s.substr(0, Utf8CompleteLength(s));
}

namespace {
void SetColor(cairo_t* cr, COLORREF c) {
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}
}  // namespace

void RenderText(DCObj&, cairo_t* cr, const DrawOp& op) {
  auto font = ResolveFont(op.font);
  if (op.clipped) {
    cairo_rectangle(cr, op.clip.left, op.clip.top, op.clip.right - op.clip.left, op.clip.bottom - op.clip.top);
    cairo_clip(cr);
  }
  std::vector<LaidGlyph> glyphs = LayoutRun(*font, op.text, op.charExtra);
  if (!op.dx.empty()) {
    int x = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
      glyphs[i].x = x;
      x += i < op.dx.size() ? op.dx[i] : glyphs[i].advance;
    }
  }
  int width = glyphs.empty() ? 0 : glyphs.back().x + glyphs.back().advance;
  const TEXTMETRIC& tm = font->tm;
  double angle = op.font.lfEscapement / 10.0 * M_PI / 180.0;
  POINT o = op.points.empty() ? POINT{op.rect.left, op.rect.top + tm.tmAscent} : op.points[0];
  cairo_save(cr);
  cairo_translate(cr, o.x, o.y);
  if (angle != 0) cairo_rotate(cr, -angle);
  // ExtTextOut's opaque rectangle was filled already with the same colour.
  if (op.bkMode == OPAQUE && !(op.flags & ETO_OPAQUE)) {
    cairo_rectangle(cr, 0, -tm.tmAscent, width, tm.tmHeight);
    SetColor(cr, op.bkColor);
    cairo_fill(cr);
  }
  SetColor(cr, op.color);
  static thread_local std::vector<cairo_glyph_t> run;
  for (int face = 0; face < 2; ++face) {
    run.clear();
    for (const LaidGlyph& g : glyphs)
      if (g.face == face && g.glyph != 0) run.push_back(cairo_glyph_t{g.glyph, double(g.x), 0.0});
    if (run.empty()) continue;
    cairo_set_scaled_font(cr, font->scaled[face]);
    cairo_show_glyphs(cr, run.data(), int(run.size()));
  }
  double thick = font->underlineSize;
  if (op.font.lfUnderline) cairo_rectangle(cr, 0, std::round(font->underlinePos), width, thick);
  if (op.font.lfStrikeOut) cairo_rectangle(cr, 0, -std::round(font->strikePos), width, thick);
  if (op.prefixChar >= 0)
    for (const LaidGlyph& g : glyphs)
      if (int(g.byteOffset) == op.prefixChar) cairo_rectangle(cr, g.x, std::round(font->underlinePos), g.advance, thick);
  cairo_fill(cr);
  cairo_restore(cr);
}

// Emits one run of text with its left end at device x and its baseline at device y.
void EmitTextRun(DCObj& dc, std::string_view text, int x, int baseline, const ResolvedFont& font, int extra,
                 UINT flags, const RECT* clip, int prefixChar, const std::vector<int>* dx, UINT format,
                 int knownWidth) {
  DrawOp op = NewOp(dc, DrawKind::Text);
  op.text = std::string(text);
  op.font = font.lf;
  op.charExtra = extra;
  op.flags = flags;
  op.format = format;
  op.prefixChar = prefixChar;
  if (dx) op.dx = *dx;
  int width = 0;
  if (knownWidth >= 0) {
    width = knownWidth;
  } else if (dx && !dx->empty()) {
    for (int d : *dx) width += d;
  } else {
    width = RunWidth(const_cast<ResolvedFont&>(font), text, extra);
  }
  op.points = {POINT{x, baseline}};
  double angle = font.lf.lfEscapement / 10.0 * M_PI / 180.0;
  if (angle == 0) {
    op.rect = RECT{x, baseline - font.tm.tmAscent, x + width, baseline + font.tm.tmDescent};
  } else {
    // The box around the rotated text.
    double c = std::cos(angle), s = -std::sin(angle);
    double xs[4], ys[4];
    double lx[4] = {0, double(width), double(width), 0}, ly[4] = {double(-font.tm.tmAscent), double(-font.tm.tmAscent),
                                                              double(font.tm.tmDescent), double(font.tm.tmDescent)};
    for (int i = 0; i < 4; ++i) {
      xs[i] = x + lx[i] * c - ly[i] * s;
      ys[i] = baseline + lx[i] * s + ly[i] * c;
    }
    op.rect = RECT{LONG(std::floor(*std::min_element(xs, xs + 4))), LONG(std::floor(*std::min_element(ys, ys + 4))),
                   LONG(std::ceil(*std::max_element(xs, xs + 4))), LONG(std::ceil(*std::max_element(ys, ys + 4)))};
  }
  if (clip) {
    op.clipped = true;
    op.clip = *clip;
  }
  Emit(dc, std::move(op));
}

}  // namespace win::gdi

namespace win {
using namespace gdi;

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* tm) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !tm) return FALSE;
  auto f = CurrentFont(*dc);
  *tm = f->tm;
  double sy = std::fabs(ScaleY(*dc)), sx = std::fabs(ScaleX(*dc));
  if (sy != 1 && sy > 0) {
    // Back to logical units.
    auto back = [&](LONG v, double s) { return LONG(std::lround(v / s)); };
    tm->tmHeight = back(tm->tmHeight, sy);
    tm->tmAscent = back(tm->tmAscent, sy);
    tm->tmDescent = back(tm->tmDescent, sy);
    tm->tmInternalLeading = back(tm->tmInternalLeading, sy);
    tm->tmExternalLeading = back(tm->tmExternalLeading, sy);
    if (sx > 0) {
      tm->tmAveCharWidth = back(tm->tmAveCharWidth, sx);
      tm->tmMaxCharWidth = back(tm->tmMaxCharWidth, sx);
    }
  }
  return TRUE;
}

UINT GetOutlineTextMetrics(HDC hdc, UINT size, OUTLINETEXTMETRIC* otm) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return 0;
  if (!otm) return sizeof(OUTLINETEXTMETRIC);
  if (size < sizeof(OUTLINETEXTMETRIC)) return 0;
  auto f = CurrentFont(*dc);
  *otm = f->otm;
  GetTextMetrics(hdc, &otm->otmTextMetrics);
  return sizeof(OUTLINETEXTMETRIC);
}

BOOL GetTextExtentPoint32(HDC hdc, const char* text, int count, SIZE* size) {
  DCObj* dc = FindDC(hdc);
  if (!dc || !size || count < 0 || (!text && count > 0)) return FALSE;
  auto f = CurrentFont(*dc);
  std::string_view s = Bytes(text, count);
  int w = RunWidth(*f, s, DeviceExtra(*dc));
  double sx = std::fabs(ScaleX(*dc)), sy = std::fabs(ScaleY(*dc));
  size->cx = LONG(std::lround(w / (sx > 0 ? sx : 1)));
  size->cy = LONG(std::lround(f->tm.tmHeight / (sy > 0 ? sy : 1)));
  return TRUE;
}

BOOL GetTextExtentPoint(HDC hdc, const char* text, int count, SIZE* size) {
  return GetTextExtentPoint32(hdc, text, count, size);
}

int GetTextFace(HDC hdc, int count, char* out) {
  DCObj* dc = FindDC(hdc);
  if (!dc) return 0;
  LOGFONT lf = DeviceFont(*dc);
  int n = int(std::strlen(lf.lfFaceName));
  if (!out) return n + 1;
  if (count <= 0) return 0;
  std::string_view name = Bytes(lf.lfFaceName, std::min(n, count - 1));
  std::memcpy(out, name.data(), name.size());
  out[name.size()] = 0;
  return int(name.size());
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* r, const char* text, UINT count, const int* dx) {
  DCObj* dc = FindDC(hdc);
  if (!dc || (!text && count > 0)) return FALSE;
  std::string_view s = Bytes(text, int(count));
  RECT devRect{};
  if (r) devRect = ToDeviceRect(*dc, *r);
  if (r && (options & ETO_OPAQUE)) {
    DrawOp fill = NewOp(*dc, DrawKind::Fill);
    fill.rect = devRect;
    fill.rop = PATCOPY;
    fill.color = dc->st.bkColor;
    fill.brushStyle = BS_SOLID;
    if (options & ETO_CLIPPED) {
      // Only the part inside the clip region shows anyway.
    }
    if (!RectEmpty(devRect)) Emit(*dc, std::move(fill));
  }
  if (s.empty()) return TRUE;
  auto f = CurrentFont(*dc);
  int extra = DeviceExtra(*dc);
  std::vector<int> devDx;
  if (dx) {
    size_t chars = Utf8Length(s);
    double sx = std::fabs(ScaleX(*dc));
    for (size_t i = 0; i < chars; ++i) devDx.push_back(int(std::lround(dx[i] * sx)));
  }
  int width = 0;
  if (dx) for (int d : devDx) width += d;
  else width = RunWidth(*f, s, extra);
  UINT align = dc->st.align;
  POINT ref = (align & TA_UPDATECP) ? dc->st.cur : POINT{x, y};
  POINT p = ToDevice(*dc, ref.x, ref.y);
  UINT h = align & (TA_LEFT | TA_RIGHT | TA_CENTER);
  if (ScaleX(*dc) < 0 && h != TA_CENTER) h = h == TA_RIGHT ? TA_LEFT : TA_RIGHT;
  int offX = h == TA_CENTER ? -width / 2 : h == TA_RIGHT ? -width : 0;
  UINT v = align & (TA_TOP | TA_BOTTOM | TA_BASELINE);
  int offY = v == TA_BASELINE ? 0 : v == TA_BOTTOM ? -f->tm.tmDescent : f->tm.tmAscent;
  // Offsets follow the text's direction when it is rotated.
  double angle = f->lf.lfEscapement / 10.0 * M_PI / 180.0;
  double c = std::cos(angle), sn = -std::sin(angle);
  int ox = int(std::lround(p.x + offX * c - offY * sn));
  int oy = int(std::lround(p.y + offX * sn + offY * c));
  EmitTextRun(*dc, s, ox, oy, *f, extra, options, (r && (options & ETO_CLIPPED)) ? &devRect : nullptr, -1,
              dx ? &devDx : nullptr, 0, width);
  if (align & TA_UPDATECP) {
    double sx = std::fabs(ScaleX(*dc));
    int lw = int(std::lround(width / (sx > 0 ? sx : 1)));
    if (h == TA_LEFT) dc->st.cur.x += lw;
    else if (h == TA_RIGHT) dc->st.cur.x -= lw;
  }
  return TRUE;
}

BOOL TextOut(HDC hdc, int x, int y, const char* text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOut(hdc, x, y, 0, nullptr, text, UINT(count), nullptr);
}

}  // namespace win
