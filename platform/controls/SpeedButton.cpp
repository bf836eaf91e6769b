#include "platform/controls/Buttons.h"

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"

void DrawButtonFace(TCanvas* Canvas, const win::RECT& R, TBitmap* Glyph, int NumGlyphs, TButtonLayout Layout,
                    const std::string& Caption, bool Enabled, bool Down, TButtonGlyphState State) {
  int off = Down ? 1 : 0;
  int gw = Glyph && !Glyph->Empty() ? Glyph->Width() / std::max(NumGlyphs, 1) : 0;
  int gh = gw ? Glyph->Height() : 0;
  win::SIZE ts = Caption.empty() ? win::SIZE{0, 0} : Canvas->TextExtent(Caption);
  int spacing = gw && ts.cx ? 4 : 0;
  bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  int totalW = horizontal ? gw + spacing + ts.cx : std::max<int>(gw, ts.cx);
  int totalH = horizontal ? std::max<int>(gh, ts.cy) : gh + spacing + ts.cy;
  int x = (R.left + R.right - totalW) / 2 + off, y = (R.top + R.bottom - totalH) / 2 + off;
  int gx = x, gy = y, tx = x, ty = y;
  switch (Layout) {
    case blGlyphLeft: gy = y + (totalH - gh) / 2; tx = x + gw + spacing; ty = y + (totalH - ts.cy) / 2; break;
    case blGlyphRight: tx = x; ty = y + (totalH - ts.cy) / 2; gx = x + ts.cx + spacing; gy = y + (totalH - gh) / 2; break;
    case blGlyphTop: gx = x + (totalW - gw) / 2; tx = x + (totalW - ts.cx) / 2; ty = y + gh + spacing; break;
    case blGlyphBottom: tx = x + (totalW - ts.cx) / 2; gx = x + (totalW - gw) / 2; gy = y + ts.cy + spacing; break;
  }
  if (gw) {
    // Images side by side: up, disabled, pressed, down; a state without its image shows up.
    int index = State < NumGlyphs ? static_cast<int>(State) : 0;
    win::RECT src{index * gw, 0, index * gw + gw, gh};
    Canvas->CopyRect(win::RECT{gx, gy, gx + gw, gy + gh}, Glyph->Canvas(), src);
  }
  if (!Caption.empty()) {
    Canvas->Brush()->SetStyle(bsClear);
    if (!Enabled) Canvas->Font()->SetColor(clGrayText);  // enabled captions keep the font's colour
    Canvas->TextOut(tx, ty, Caption);
  }
}

void TSpeedButton::Publish(TClassBuilder<TSpeedButton>& b) {
  b.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
  b.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
  b.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
  b.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
  b.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  b.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
  b.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
  b.Property("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(true);
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FWidth = 23;
  FHeight = 22;
  FControlStyle = {csCaptureMouse, csDoubleClicks};
}

TSpeedButton::~TSpeedButton() = default;

// Down in a group lets the other buttons of the group up; the group shares AllowAllUp.
void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !Value && !FAllowAllUp) return;
  FDown = Value;
  if (Value) UpdateExclusive();
  Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (Value == 0) FDown = false;
  UpdateExclusive();
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !FParent) return;
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    auto* s = dynamic_cast<TSpeedButton*>(FParent->Controls(i));
    if (!s || s == this || s->FGroupIndex != FGroupIndex) continue;
    if (FDown && s->FDown) {
      s->FDown = false;
      s->Invalidate();
    }
    s->FAllowAllUp = FAllowAllUp;
  }
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && FEnabled) {
    FPressed = true;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  bool pressed = FPressed;
  FPressed = false;
  Invalidate();
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !pressed || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
  if (FGroupIndex != 0) SetDown(!FDown || !FAllowAllUp ? true : false);
  Click();
}

void TSpeedButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
    FMouseInside = Message.Msg == CM_MOUSEENTER;
    if (FFlat) Invalidate();
  }
  TGraphicControl::Dispatch(Message);
}

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  win::RECT r = ClientRect();
  if (!FTransparent || !FFlat) {
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
  }
  bool sunk = FDown || FPressed;
  if (!FFlat || (FMouseInside && FEnabled) || sunk)
    win::DrawEdge(c->Handle(), &r, sunk ? (FFlat ? win::BDR_SUNKENOUTER : win::EDGE_SUNKEN) : (FFlat ? win::BDR_RAISEDINNER : win::EDGE_RAISED), win::BF_RECT);
  c->Font()->Assign(FFont.get());
  DrawButtonFace(c, r, FGlyph.get(), FNumGlyphs, FLayout, Caption(), FEnabled, sunk,
                 FPressed ? bgsPressed : FDown ? bgsDown : FEnabled ? bgsUp : bgsDisabled);
}

void TBitBtn::Publish(TClassBuilder<TBitBtn>& b) {
  b.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
  b.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
  b.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft);
  b.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Default(1);
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(std::make_unique<TBitmap>()) {}
TBitBtn::~TBitBtn() = default;

void TBitBtn::SetKind(TBitBtnKind Value) {
  FKind = Value;
  struct KindInfo {
    const char* Caption;
    TModalResult Result;
  };
  static const KindInfo kinds[] = {{"", mrNone},      {"OK", mrOk},       {"Cancel", mrCancel}, {"&Help", mrNone},
                                   {"&Yes", mrYes},   {"&No", mrNo},      {"&Close", mrNone},   {"Abort", mrAbort},
                                   {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrAll}};
  if (Value == bkCustom) return;
  SetCaption(kinds[Value].Caption);
  SetModalResult(kinds[Value].Result);
  SetDefault(Value == bkOK || Value == bkYes);
  SetCancel(Value == bkCancel || Value == bkNo);
}

void TBitBtn::Click() {
  // A close button closes its form.
  if (FKind == bkClose)
    if (TCustomForm* f = GetParentForm(this)) {
      f->Close();
      return;
    }
  TButton::Click();
}

void TBitBtn::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_PAINT && FGlyph && !FGlyph->Empty()) {
    PaintOwnWindow(Message, [this](win::HDC dc) {
      TControlCanvas canvas;
      canvas.SetHandle(dc);
      win::RECT r = ClientRect();
      canvas.Brush()->SetColor(FColor);
      canvas.FillRect(r);
      win::DrawFrameControl(dc, &r, win::DFC_BUTTON, win::DFCS_BUTTONPUSH | (FPressed ? win::DFCS_PUSHED : 0));
      canvas.Font()->Assign(FFont.get());
      DrawButtonFace(&canvas, r, FGlyph.get(), FNumGlyphs, FLayout, Caption(), FEnabled, FPressed,
                     !FEnabled ? bgsDisabled : FPressed ? bgsPressed : bgsUp);
      canvas.SetHandle(nullptr);
    });
    return;
  }
  TButton::Dispatch(Message);
}
