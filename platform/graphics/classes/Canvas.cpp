#include "platform/graphics/Canvas.h"

#include "platform/graphics/Graphic.h"

using namespace win;

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FFont->SetOnChange(MakeEvent(this, &TCanvas::FontChanged));
  FPen->SetOnChange(MakeEvent(this, &TCanvas::PenChanged));
  FBrush->SetOnChange(MakeEvent(this, &TCanvas::BrushChanged));
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
}

// Whoever draws or measures through the handle gets the canvas's current tools selected.
HDC TCanvas::Handle() {
  RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (FHandle == Value) return;
  if (FHandle) {
    DeselectHandles();
    FPenPos = POINT{};
    FHandle = nullptr;
    FState.Exclude(csHandleValid);
  }
  if (Value) {
    FState.Include(csHandleValid);
    FHandle = Value;
  }
}

void TCanvas::DeselectHandles() {
  if (!FHandle) return;
  // Put back the DC's own tools so ours can be freed.
  if (FState.Contains(csFontValid) && FOldFont) SelectObject(FHandle, FOldFont);
  if (FState.Contains(csPenValid) && FOldPen) SelectObject(FHandle, FOldPen);
  if (FState.Contains(csBrushValid) && FOldBrush) SelectObject(FHandle, FOldBrush);
  FOldFont = FOldPen = FOldBrush = nullptr;
  FState = FState - TCanvasStates{csFontValid, csPenValid, csBrushValid};
}

void TCanvas::RequiredState(TCanvasStates ReqState) {
  TCanvasStates needed = ReqState - FState;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    FState.Include(csHandleValid);
  }
  if (needed.Contains(csFontValid)) {
    HGDIOBJ old = SelectObject(FHandle, FFont->Handle());
    if (!FOldFont) FOldFont = old;
    SetTextColor(FHandle, ColorToRGB(FFont->Color()));
    FState.Include(csFontValid);
  }
  if (needed.Contains(csPenValid)) {
    HGDIOBJ old = SelectObject(FHandle, FPen->Handle());
    if (!FOldPen) FOldPen = old;
    SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
    FState.Include(csPenValid);
  }
  if (needed.Contains(csBrushValid)) {
    HGDIOBJ old = SelectObject(FHandle, FBrush->Handle());
    if (!FOldBrush) FOldBrush = old;
    SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
    SetBkMode(FHandle, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
    FState.Include(csBrushValid);
  }
}

// A tool changed: select the new handle on next use, before the old one goes away.
void TCanvas::FontChanged(TObject*) {
  if (FState.Contains(csFontValid) && FHandle) {
    if (FOldFont) SelectObject(FHandle, FOldFont);
    FOldFont = nullptr;
  }
  FState.Exclude(csFontValid);
}
void TCanvas::PenChanged(TObject*) {
  if (FState.Contains(csPenValid) && FHandle) {
    if (FOldPen) SelectObject(FHandle, FOldPen);
    FOldPen = nullptr;
  }
  FState.Exclude(csPenValid);
}
void TCanvas::BrushChanged(TObject*) {
  if (FState.Contains(csBrushValid) && FHandle) {
    if (FOldBrush) SelectObject(FHandle, FOldBrush);
    FOldBrush = nullptr;
  }
  FState.Exclude(csBrushValid);
}

void TCanvas::Changed() { FOnChange(this); }
void TCanvas::Changing() { FOnChanging(this); }

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int, int, int, int) {
  // Arcs are drawn as the whole ellipse outline.
  Changing();
  RequiredState({csHandleValid, csPenValid});
  HGDIOBJ old = SelectObject(FHandle, GetStockObject(NULL_BRUSH));
  win::Ellipse(FHandle, X1, Y1, X2, Y2);
  SelectObject(FHandle, old);
  FState.Exclude(csBrushValid);
  FOldBrush = nullptr;
  Changed();
}

void TCanvas::CopyRect(const RECT& Dest, TCanvas* Canvas, const RECT& Source) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Canvas->RequiredState({csHandleValid, csBrushValid});
  StretchBlt(FHandle, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, Canvas->Handle(),
             Source.left, Source.top, Source.right - Source.left, Source.bottom - Source.top, FCopyMode);
  Changed();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const RECT& R, TGraphic* Graphic) {
  if (!Graphic) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, R);
  Changed();
}

void TCanvas::DrawFocusRect(const RECT& R) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::DrawFocusRect(FHandle, &R);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::FillRect(const RECT& R) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::FillRect(FHandle, &R, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const RECT& R) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::FrameRect(FHandle, &R, FBrush->Handle());
  Changed();
}

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::LineTo(FHandle, X, Y);
  FPenPos = POINT{X, Y};
  Changed();
}

void TCanvas::MoveTo(int X, int Y) {
  RequiredState({csHandleValid});
  win::MoveToEx(FHandle, X, Y, nullptr);
  FPenPos = POINT{X, Y};
}

void TCanvas::Polygon(const std::vector<POINT>& Points) {
  if (Points.empty()) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Polygon(FHandle, Points.data(), int(Points.size()));
  Changed();
}

void TCanvas::Polyline(const std::vector<POINT>& Points) {
  if (Points.size() < 2) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Polyline(FHandle, Points.data(), int(Points.size()));
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

SIZE TCanvas::TextExtent(const std::string& Text) {
  RequiredState({csHandleValid, csFontValid});
  SIZE s;
  GetTextExtentPoint32(FHandle, Text.data(), int(Text.size()), &s);
  return s;
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOut(FHandle, X, Y, UINT(FTextFlags), nullptr, Text.data(), UINT(Text.size()), nullptr);
  MoveTo(X + TextWidth(Text), Y);
  Changed();
}

void TCanvas::TextRect(const RECT& R, int X, int Y, const std::string& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | UINT(FTextFlags);
  if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOut(FHandle, X, Y, options, &R, Text.data(), UINT(Text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(RECT& R, std::string& Text, TTextFormat Format) {
  static const UINT flags[] = {DT_BOTTOM,      DT_CALCRECT,   DT_CENTER,    DT_EDITCONTROL, DT_END_ELLIPSIS,
                               DT_PATH_ELLIPSIS, DT_EXPANDTABS, DT_EXTERNALLEADING, DT_LEFT, DT_MODIFYSTRING,
                               DT_NOCLIP,      DT_NOPREFIX,   DT_RIGHT,     DT_RTLREADING,  DT_SINGLELINE,
                               DT_TOP,         DT_VCENTER,    DT_WORDBREAK};
  UINT fmt = 0;
  for (int i = 0; i <= int(tfWordBreak); ++i)
    if (Format.Contains(TTextFormats(i))) fmt |= flags[i];
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  if (!Format.Contains(tfCalcRect) && FBrush->Style() != bsClear) win::FillRect(FHandle, &R, FBrush->Handle());
  int oldMode = SetBkMode(FHandle, TRANSPARENT);
  DrawText(FHandle, Text.data(), int(Text.size()), &R, fmt);
  SetBkMode(FHandle, oldMode);
  Changed();
}

RECT TCanvas::ClipRect() {
  RequiredState({csHandleValid});
  RECT r;
  GetClipBox(FHandle, &r);
  return r;
}

COLORREF TCanvas::Pixels(int X, int Y) {
  RequiredState({csHandleValid});
  return GetPixel(FHandle, X, Y);
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  SetPixel(FHandle, X, Y, ColorToRGB(Value));
  Changed();
}

void TCanvas::Lock() {
  FLock.lock();
  ++FLockCount;
}

void TCanvas::Unlock() {
  if (FLockCount <= 0) return;
  --FLockCount;
  FLock.unlock();
}

bool TCanvas::TryLock() {
  if (!FLock.try_lock()) return false;
  ++FLockCount;
  return true;
}
