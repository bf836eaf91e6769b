#include "platform/graphics/GraphicsObjects.h"

#include <cmath>
#include <cstring>

#include "platform/rtl/SysUtils.h"

using namespace win;

void TGraphicsObject::Changed() { FOnChange(this); }

// ---- TFont ----

TFont::TFont() = default;
TFont::~TFont() { FreeHandle(); }

void TFont::FreeHandle() {
  if (FHandle && FOwnsHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

void TFont::Changed() {
  FreeHandle();
  TGraphicsObject::Changed();
}

LOGFONT TFont::LogFont() const {
  LOGFONT lf;
  lf.lfHeight = FHeight;
  lf.lfEscapement = lf.lfOrientation = FOrientation;
  lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = FStyle.Contains(fsItalic);
  lf.lfUnderline = FStyle.Contains(fsUnderline);
  lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
  lf.lfCharSet = FCharset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH : FPitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
  // "Default" is the system's default face.
  SetFaceName(lf, SameText(FName, "Default") ? "MS Sans Serif" : FName);
  return lf;
}

HFONT TFont::Handle() {
  if (!FHandle) {
    FHandle = CreateFontIndirect(LogFont());
    FOwnsHandle = true;
  }
  return FHandle;
}

void TFont::SetHandle(HFONT Value) {
  LOGFONT lf;
  if (!Value || GetObject(Value, sizeof lf, &lf) != int(sizeof lf)) return;
  // The angle stays the font's own: the next change makes an upright font again.
  FName = lf.lfFaceName;
  FHeight = lf.lfHeight;
  TFontStyles s;
  if (lf.lfWeight >= FW_BOLD) s += fsBold;
  if (lf.lfItalic) s += fsItalic;
  if (lf.lfUnderline) s += fsUnderline;
  if (lf.lfStrikeOut) s += fsStrikeOut;
  FStyle = s;
  FCharset = lf.lfCharSet;
  int pitch = lf.lfPitchAndFamily & 0x3;
  FPitch = pitch == VARIABLE_PITCH ? fpVariable : pitch == FIXED_PITCH ? fpFixed : fpDefault;
  FreeHandle();
  // The caller keeps the handle it gave; this font uses it until the next change.
  FHandle = Value;
  FOwnsHandle = false;
  TGraphicsObject::Changed();
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    if (f == this) return;
    FName = f->FName;
    FHeight = MulDiv(f->FHeight, FPixelsPerInch, f->FPixelsPerInch);
    FStyle = f->FStyle;
    FColor = f->FColor;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    FOrientation = f->FOrientation;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TFont::SetName(const std::string& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}
void TFont::SetHeight(int Value) {
  // Setting a borrowed handle's height again makes the font's own handle.
  if (Value == FHeight && FOwnsHandle) return;
  FHeight = Value;
  Changed();
}
int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }
void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }
void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}
void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  // The colour is not part of the handle.
  TGraphicsObject::Changed();
}
void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}
void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}
void TFont::SetOrientation(int Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Changed();
}

bool TFont::operator==(const TFont& o) const {
  return SameText(FName, o.FName) && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
         FCharset == o.FCharset && FPitch == o.FPitch && FOrientation == o.FOrientation;
}

void TFont::Publish(TClassBuilder<TFont>& b) {
  b.Property("Charset", [](TFont* f) { return int(f->Charset()); },
             [](TFont* f, int v) { f->SetCharset(TFontCharset(v)); });
  b.Property("Color", &TFont::Color, &TFont::SetColor).Idents(ColorIdents());
  b.Property("Height", &TFont::Height, &TFont::SetHeight);
  b.Property("Name", [](TFont* f) { return f->Name(); }, &TFont::SetName);
  b.Property("Orientation", &TFont::Orientation, &TFont::SetOrientation).Default(0);
  b.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
  b.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
  b.Property("Style", &TFont::Style, &TFont::SetStyle).Default(TFontStyles{});
}

// ---- TPen ----

int PenModeToRop2(TPenMode Mode) {
  static const int rops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,         R2_COPYPEN,
                             R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN,
                             R2_MERGEPEN,    R2_NOTMERGEPEN, R2_MASKPEN,    R2_NOTMASKPEN,  R2_XORPEN,
                             R2_NOTXORPEN};
  int i = int(Mode);
  return i >= 0 && i < 16 ? rops[i] : R2_COPYPEN;
}

TPen::~TPen() { FreeHandle(); }
void TPen::FreeHandle() {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}
void TPen::Changed() {
  FreeHandle();
  TGraphicsObject::Changed();
}
HPEN TPen::Handle() {
  if (!FHandle) {
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    FHandle = CreatePen(styles[int(FStyle)], FWidth, ColorToRGB(FColor));
  }
  return FHandle;
}
void TPen::SetHandle(HPEN Value) {
  LOGPEN lp;
  if (!Value || GetObject(Value, sizeof lp, &lp) != int(sizeof lp)) return;
  FColor = TColor(lp.lopnColor);
  FWidth = lp.lopnWidth.x;
  UINT s = lp.lopnStyle & PS_STYLE_MASK;
  FStyle = s == PS_NULL ? psClear : s <= PS_INSIDEFRAME ? TPenStyle(s) : psSolid;
  Changed();
}
void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    if (p == this) return;
    FColor = p->FColor;
    FWidth = p->FWidth;
    FStyle = p->FStyle;
    FMode = p->FMode;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}
void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}
void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  Changed();
}
void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}
void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  TGraphicsObject::Changed();
}
void TPen::Publish(TClassBuilder<TPen>& b) {
  b.Property("Color", &TPen::Color, &TPen::SetColor).Default(clBlack).Idents(ColorIdents());
  b.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
  b.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
  b.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

// ---- TBrush ----

TBrush::~TBrush() { FreeHandle(); }
void TBrush::FreeHandle() {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}
void TBrush::Changed() {
  FreeHandle();
  TGraphicsObject::Changed();
}
HBRUSH TBrush::Handle() {
  if (!FHandle) {
    LOGBRUSH lb;
    lb.lbColor = ColorToRGB(FColor);
    switch (FStyle) {
      case bsSolid: lb.lbStyle = BS_SOLID; break;
      case bsClear: lb.lbStyle = BS_NULL; break;
      default:
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = std::uintptr_t(int(FStyle) - int(bsHorizontal));
        break;
    }
    FHandle = CreateBrushIndirect(lb);
  }
  return FHandle;
}
void TBrush::SetHandle(HBRUSH Value) {
  LOGBRUSH lb;
  if (!Value || GetObject(Value, sizeof lb, &lb) != int(sizeof lb)) return;
  FColor = TColor(lb.lbColor);
  FStyle = lb.lbStyle == BS_NULL ? bsClear : lb.lbStyle == BS_HATCHED ? TBrushStyle(int(bsHorizontal) + int(lb.lbHatch)) : bsSolid;
  Changed();
}
void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    if (b == this) return;
    FColor = b->FColor;
    FStyle = b->FStyle;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}
void TBrush::SetColor(TColor Value) {
  if (Value == FColor && FStyle != bsClear) return;
  FColor = Value;
  // clNone makes the brush clear; any other colour makes a clear brush solid.
  if (Value == clNone) FStyle = bsClear;
  else if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}
void TBrush::Publish(TClassBuilder<TBrush>& b) {
  b.Property("Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite).Idents(ColorIdents());
  b.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}
