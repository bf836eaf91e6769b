#include "gridcontrols/ToolCtrlsGx/EditButtons.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScopeExit.h"

// ---- TEditButtonGx ----

TEditButtonGx::TEditButtonGx(TCollection* Collection) : TCollectionItem(Collection) { Init(); }

TEditButtonGx::TEditButtonGx(TWinControl* EditControl) : TCollectionItem(nullptr), FEditControl(EditControl) {
  Init();
}

TEditButtonGx::~TEditButtonGx() = default;

void TEditButtonGx::Init() {
  FGlyph = std::make_unique<TBitmap>();
  FGlyph->SetTransparent(true);
}

void TEditButtonGx::Publish(TClassBuilder<TEditButtonGx>& b) {
  b.Property("DropdownMenu", &TEditButtonGx::DropdownMenu, &TEditButtonGx::SetDropdownMenu);
  b.Property("Glyph", &TEditButtonGx::Glyph, &TEditButtonGx::SetGlyph);
  b.Property("Hint", &TEditButtonGx::Hint, &TEditButtonGx::SetHint);
  b.Property("NumGlyphs", &TEditButtonGx::NumGlyphs, &TEditButtonGx::SetNumGlyphs).Default(1);
  b.Property("ShortCut", &TEditButtonGx::ShortCut, &TEditButtonGx::SetShortCut).Default(0);
  b.Property("Style", &TEditButtonGx::Style, &TEditButtonGx::SetStyle).Default(ebsDropDownGx);
  b.Property("Visible", &TEditButtonGx::Visible, &TEditButtonGx::SetVisible).Default(false);
  b.Property("Width", &TEditButtonGx::Width, &TEditButtonGx::SetWidth).Default(0);
  b.Property("OnClick", &TEditButtonGx::OnClick, &TEditButtonGx::SetOnClick);
  b.Property("OnDown", &TEditButtonGx::OnDown, &TEditButtonGx::SetOnDown);
}

void TEditButtonGx::Changed() {
  if (FOnChanged)
    FOnChanged(this);
  else if (Collection())
    TCollectionItem::Changed(false);
}

void TEditButtonGx::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  Changed();
}

void TEditButtonGx::SetHint(const std::string& Value) {
  if (Value == FHint) return;
  FHint = Value;
  Changed();
}

void TEditButtonGx::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Changed();
}

void TEditButtonGx::SetStyle(TEditButtonStyleGx Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TEditButtonGx::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed();
}

void TEditButtonGx::SetWidth(int Value) {
  if (Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TEditButtonGx::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TEditButtonGx*>(Source);
  if (!S) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetDropdownMenu(S->DropdownMenu());
  SetGlyph(S->Glyph());
  SetHint(S->Hint());
  SetNumGlyphs(S->NumGlyphs());
  FShortCut = S->ShortCut();
  SetStyle(S->Style());
  SetVisible(S->Visible());
  SetWidth(S->Width());
  FOnClick = S->OnClick();
  FOnDown = S->OnDown();
}

TEditButtonControlGx* TEditButtonGx::NewButtonControl() {
  auto* Control = new TEditButtonControlGx(FEditControl);
  TControlStyle CS = Control->ControlStyle();
  CS += csReplicatable;
  Control->SetControlStyle(CS);
  Control->SetBounds(Control->Left(), Control->Top(), 10, 17);
  Control->SetVisible(true);
  Control->SetTransparent(false);
  Control->SetParent(FEditControl);
  return Control;
}

// ---- TVisibleEditButtonGx ----

TVisibleEditButtonGx::TVisibleEditButtonGx(TCollection* Collection) : TEditButtonGx(Collection) {
  SetShortCut(0x8028);  // Alt+Down
  SetVisible(true);
}

void TVisibleEditButtonGx::Publish(TClassBuilder<TVisibleEditButtonGx>& b) {
  b.Property("ShortCut", &TEditButtonGx::ShortCut, &TEditButtonGx::SetShortCut).Default(0x8028);
  b.Property("Visible", &TEditButtonGx::Visible, &TEditButtonGx::SetVisible).Default(true);
}

// ---- TEditButtonsGx ----

TEditButtonsGx::TEditButtonsGx(TPersistent* Owner, TClass ItemClass) : TCollection(ItemClass), FOwner(Owner) {}

void TEditButtonsGx::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  if (FOnChanged) FOnChanged(Item);
}

// ---- TEditButtonControlGx ----

TEditButtonControlGx::TEditButtonControlGx(TComponent* AOwner) : TSpeedButton(AOwner) {}

TEditButtonControlGx::~TEditButtonControlGx() = default;

void TSpeedButtonGx::Publish(TClassBuilder<TSpeedButtonGx>& b) {
  b.Property("Active", &TEditButtonControlGx::Active, &TEditButtonControlGx::SetActive);
  b.Property("Style", &TEditButtonControlGx::Style, &TEditButtonControlGx::SetStyle).Default(ebsDropDownGx);
}

void TEditButtonControlGx::SetStyle(TEditButtonStyleGx Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Invalidate();
}

void TEditButtonControlGx::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  Invalidate();
}

TEditButtonStateGx TEditButtonControlGx::State() const {
  if (Down()) return ebstExclusive;
  return FMousePressed ? ebstDown : ebstUp;
}

void TEditButtonControlGx::NotifyDown(bool TopButton, bool& AutoRepeat) {
  bool Handled = false;
  if (FOnDown) FOnDown(this, TopButton, AutoRepeat, Handled);
}

void TEditButtonControlGx::HoldDown(bool Value) {
  if (FHeldDown == Value) return;
  FHeldDown = Value;
  if (Value) {
    SetGroupIndex(1);
    SetDown(true);
    SetAllowAllUp(false);
    FPressedPart = 1;
  } else {
    SetAllowAllUp(true);
    SetDown(false);
    SetGroupIndex(0);
    FPressedPart = 0;
  }
  Invalidate();
}

void TEditButtonControlGx::Paint() {
  const int Part = IsDown() ? FPressedPart : 0;
  const TColor SurfaceColor = Parent() ? Parent()->Color() : clBtnFace;
  if (FStyle != ebsGlyphGx) {
    DrawEditButtonGx(Canvas()->Handle(), win::RECT{0, 0, Width(), Height()}, SurfaceColor,
                     ButtonStyleDrawKinds[FStyle], Part, Flat(), FActive, Enabled(), 0);
    return;
  }
  win::HDC DC = Canvas()->Handle();
  {
    std::unique_ptr<TClipRectGuard> Clip;
    if (Flat()) Clip = std::make_unique<TClipRectGuard>(DC, win::RECT{1, 1, Width() - 1, Height() - 1});
    TSpeedButton::Paint();
  }
  if (Flat()) {
    win::RECT R{0, 0, Width(), Height()};
    if (FActive) {
      win::DrawEdge(DC, &R, IsDown() ? win::BDR_SUNKENOUTER : win::BDR_RAISEDINNER, win::BF_RECT);
    } else {
      win::HBRUSH Brush = win::CreateSolidBrush(ColorToRGB(SurfaceColor));
      win::FrameRect(DC, &R, Brush);
      win::DeleteObject(Brush);
    }
  }
}

void TEditButtonControlGx::UpdatePressedPart(int, int Y) {
  int Part = 0;
  if (IsDown()) {
    if (FStyle == ebsUpDownGx) {
      const int H = Height() / 2;
      if (Y < H)
        Part = 1;
      else if (Y > Height() - H)
        Part = 2;
    } else {
      Part = 1;
    }
  }
  if (Part != FPressedPart) {
    FPressedPart = Part;
    Invalidate();
  }
}

void TEditButtonControlGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  bool AutoRepeat = FStyle == ebsUpDownGx;
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (Enabled()) {
    FTracking = true;
    FMousePressed = true;
  }
  UpdatePressedPart(X, Y);
  if (FPressedPart == 0) return;
  NotifyDown(FPressedPart == 1, AutoRepeat);
  if (AutoRepeat) ResetRepeatTimer(400);
}

void TEditButtonControlGx::MouseMove(TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseMove(Shift, X, Y);
  if (!FTracking) return;
  // Moving off the button lets it up; moving back presses it again.
  const bool Inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
  if (Inside != FMousePressed) {
    FMousePressed = Inside;
    Invalidate();
  }
  if (FStyle == ebsUpDownGx && IsDown()) {
    const int H = Height() / 2;
    if ((FPressedPart == 2 && Y < H) || (FPressedPart == 1 && Y > Height() - H)) {
      FMousePressed = false;
      Invalidate();
    }
  }
}

void TEditButtonControlGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool SuppressClick = FStyle == ebsUpDownGx && State() != ebstDown;
  if (Button == mbLeft) {
    FTracking = false;
    FNoClick = SuppressClick || !FMousePressed;
  }
  {
    auto guard = AtScopeExit([&] { FNoClick = false; });
    TSpeedButton::MouseUp(Button, Shift, X, Y);
  }
  if (Button == mbLeft) FMousePressed = false;
  UpdatePressedPart(X, Y);
  StopRepeatTimer();
}

void TEditButtonControlGx::Click() {
  if (!FNoClick) TSpeedButton::Click();
}

void TEditButtonControlGx::ResetRepeatTimer(unsigned Interval) {
  if (!FRepeatTimer) {
    FRepeatTimer = new TTimer(this);
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetOnTimer(TNotifyEvent::Bind(this, &TEditButtonControlGx::RepeatTimerTick));
  }
  if (FRepeatTimer->Enabled() && FRepeatTimer->Interval() == Interval) return;
  FRepeatTimer->SetEnabled(false);
  FRepeatTimer->SetInterval(Interval);
  FRepeatTimer->SetEnabled(true);
}

void TEditButtonControlGx::StopRepeatTimer() {
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TEditButtonControlGx::RepeatTimerTick(TObject*) {
  bool AutoRepeat = FStyle == ebsUpDownGx;
  if (!IsDown()) return;
  if (FRepeatTimer->Interval() == 400) ResetRepeatTimer(100);
  NotifyDown(FPressedPart == 1, AutoRepeat);
  if (!AutoRepeat) StopRepeatTimer();
}
