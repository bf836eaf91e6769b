#include "gridcontrols/ToolCtrlsGx/EditButtonStrip.h"

#include <algorithm>
#include <cmath>

#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "platform/desktop/Windows.h"

TEditButtonStripGx::TEditButtonStripGx(TWinControl* Host, TItemSenderGx ItemSender)
    : FHost(Host), FItemSender(ItemSender) {}

TEditButtonStripGx::~TEditButtonStripGx() {
  // The controls go with the host's components; none of them may call back after this.
  for (TEditButtonControlLineRec& Rec : FControls) {
    Rec.EditButtonControl->SetOnDown(nullptr);
    Rec.EditButtonControl->SetOnClick(nullptr);
    Rec.EditButtonControl->SetOnMouseMove(nullptr);
    Rec.EditButtonControl->SetOnMouseUp(nullptr);
  }
}

void TEditButtonStripGx::SetHandlers(const TButtonDownEventGx& OnDown, const TNotifyEvent& OnClick,
                                     const TMouseMoveEvent& OnMouseMove, const TMouseEvent& OnMouseUp) {
  FOnDown = OnDown;
  FOnClick = OnClick;
  FOnMouseMove = OnMouseMove;
  FOnMouseUp = OnMouseUp;
}

TEditButtonControlGx* TEditButtonStripGx::NewControl() {
  auto* Control = new TEditButtonControlGx(FHost);
  Control->SetControlStyle(Control->ControlStyle() + TControlStyle{csReplicatable});
  Control->SetBounds(0, 0, 10, 17);
  Control->SetVisible(true);
  Control->SetTransparent(false);
  Control->SetParent(FHost);
  return Control;
}

void TEditButtonStripGx::Layout(TEditButtonGx* Main, TEditButtonsGx* Items, bool Flat, bool RightToLeft) {
  const std::size_t Count = static_cast<std::size_t>(Items ? Items->Count() : 0) + 1;
  while (FControls.size() > Count) {
    TEditButtonControlLineRec Rec = FControls.back();
    FControls.pop_back();
    Rec.ButtonLine->SetVisible(false);
    Rec.EditButtonControl->SetVisible(false);
    delete Rec.ButtonLine;
    delete Rec.EditButtonControl;
  }
  while (FControls.size() < Count) {
    TEditButtonControlLineRec Rec;
    Rec.EditButtonControl = NewControl();
    Rec.ButtonLine = new TShape(FHost);
    Rec.ButtonLine->SetParent(FHost);
    FControls.push_back(Rec);
  }

  const int ClientHeight = FHost->ClientHeight();
  const int DefaultWidth = Flat ? DefaultFlatButtonWidth : win::GetSystemMetrics(win::SM_CXVSCROLL);
  std::vector<int> Widths(Count, 0);
  // Without a visible button the strip is as high as the client area.
  int Height = -1;
  for (std::size_t I = 0; I < Count; ++I) {
    TEditButtonGx* Button = I == 0 ? Main : Items->Items(static_cast<int>(I) - 1);
    TEditButtonControlGx* Control = FControls[I].EditButtonControl;
    const bool Shown = Button->Visible();
    Control->SetVisible(Shown);
    Control->SetStyle(Button->Style());
    Control->SetGlyph(Button->Glyph());
    Control->SetNumGlyphs(Button->NumGlyphs());
    Control->SetHint(Button->Hint());
    Control->SetFlat(Flat);
    FControls[I].ButtonLine->SetVisible(Flat && Shown);
    Control->SetOnDown(FOnDown);
    Control->SetOnClick(FOnClick);
    Control->SetOnMouseMove(FOnMouseMove);
    Control->SetOnMouseUp(FOnMouseUp);
    if (!Shown) continue;
    const int W = Button->Width() > 0 ? Button->Width() : DefaultWidth;
    Widths[I] = W;
    // Square while one and a half widths fit the client height.
    const int Candidate = static_cast<int>(std::nearbyint(1.5 * W)) < ClientHeight ? W : ClientHeight;
    Height = Height < 0 ? Candidate : std::min(Height, Candidate);
  }
  FHeight = Height < 0 ? ClientHeight : Height;

  // From the outer edge inwards: the last item first, the main button innermost, each
  // separator on the text side of its button.
  const int ClientWidth = FHost->ClientWidth();
  int X = RightToLeft ? 0 : ClientWidth;
  for (std::size_t I = Count; I-- > 0;) {
    TEditButtonControlGx* Control = FControls[I].EditButtonControl;
    TShape* Line = FControls[I].ButtonLine;
    const int LineWidth = Line->Visible() ? 1 : 0;
    if (RightToLeft) {
      Control->SetBounds(X, 0, Widths[I], FHeight);
      X += Widths[I];
      Line->SetBounds(X, 0, LineWidth, FHeight);
      X += LineWidth;
    } else {
      X -= Widths[I];
      Control->SetBounds(X, 0, Widths[I], FHeight);
      X -= LineWidth;
      Line->SetBounds(X, 0, LineWidth, FHeight);
    }
  }
  FWidth = RightToLeft ? X : ClientWidth - X;
}

void TEditButtonStripGx::SetStates(bool Enabled, bool Active, TColor LineColor) {
  for (TEditButtonControlLineRec& Rec : FControls) {
    Rec.EditButtonControl->SetEnabled(Enabled);
    Rec.EditButtonControl->SetActive(Active);
    Rec.ButtonLine->Pen()->SetColor(LineColor);
  }
}

TEditButtonControlGx* TEditButtonStripGx::MainControl() const {
  return FControls.empty() ? nullptr : FControls[0].EditButtonControl;
}

bool TEditButtonStripGx::IsMain(TObject* Control) const { return Control && Control == MainControl(); }

int TEditButtonStripGx::IndexOf(TObject* Control) const {
  for (std::size_t I = 0; I < FControls.size(); ++I)
    if (FControls[I].EditButtonControl == Control) return static_cast<int>(I);
  return -1;
}

TEditButtonControlGx* TEditButtonStripGx::ItemControl(int Index) const {
  const std::size_t I = static_cast<std::size_t>(Index) + 1;
  return Index >= 0 && I < FControls.size() ? FControls[I].EditButtonControl : nullptr;
}

void TEditButtonStripGx::HoldMainDown(bool Value) {
  if (TEditButtonControlGx* Main = MainControl()) Main->HoldDown(Value);
}

TObject* TEditButtonStripGx::ItemSender(TObject* Control, TEditButtonGx* Item) const {
  return FItemSender == TItemSenderGx::Item ? static_cast<TObject*>(Item) : Control;
}

void TEditButtonStripGx::Press(TObject* Control, TEditButtonsGx* Items, bool TopButton, bool& AutoRepeat,
                               bool& Handled, const std::function<void()>& MainDown) {
  if (TakeMenuClosingPress(Control)) return;
  const int I = IndexOf(Control);
  if (I == 0) {
    MainDown();
    return;
  }
  if (I < 0 || !Items || I > Items->Count()) return;
  TEditButtonGx* Item = Items->Items(I - 1);
  if (Item->OnDown()) Item->OnDown()(ItemSender(Control, Item), TopButton, AutoRepeat, Handled);
  if (!Handled && Item->DropdownMenu()) DropMenu(FControls[static_cast<std::size_t>(I)].EditButtonControl, Item->DropdownMenu());
}

bool TEditButtonStripGx::Click(TObject* Control, TEditButtonsGx* Items, bool PopupOpen,
                               const std::function<void(bool& Handled)>& MainClick) {
  bool Handled = false;
  const int I = IndexOf(Control);
  if (I == 0) {
    MainClick(Handled);
  } else if (I > 0 && Items && I <= Items->Count()) {
    TEditButtonGx* Item = Items->Items(I - 1);
    if (Item->OnClick()) Item->OnClick()(ItemSender(Control, Item), Handled);
  }
  const bool Close = !Handled && PopupOpen && !FSkipClosingClick && I == 0;
  FSkipClosingClick = false;
  return Close;
}

void TEditButtonStripGx::Released(TObject* Control, int X, int Y) {
  // No click follows a release outside the button.
  auto* Button = dynamic_cast<TControl*>(Control);
  if (Button && !(X >= 0 && X < Button->ClientWidth() && Y >= 0 && Y < Button->ClientHeight()))
    FSkipClosingClick = false;
}

void TEditButtonStripGx::PressByKey(TEditButtonControlGx* Control) {
  bool AutoRepeat = false;
  Control->NotifyDown(false, AutoRepeat);
  Control->Click();
}

void TEditButtonStripGx::DropMenu(TEditButtonControlGx* Control, TPopupMenu* Menu) {
  const win::POINT Corner{Menu->Alignment() == paRight ? Control->Width() : 0, Control->Height()};
  const win::POINT At = Control->ClientToScreen(Corner);
  Menu->SetPopupComponent(FHost);
  Menu->Popup(At.x, At.y);
  if (FHost->HandleAllocated())
    win::PostMessage(FHost->Handle(), WM_MENUCLOSED_GX, reinterpret_cast<win::WPARAM>(Control), 0);
  Control->Perform(win::WM_LBUTTONUP, 0, 0);
}

bool TEditButtonStripGx::TakeMenuClosingPress(TObject* Control) {
  if (!FHost->HandleAllocated()) return false;
  win::MSG Msg{};
  if (!win::PeekMessage(&Msg, FHost->Handle(), WM_MENUCLOSED_GX, WM_MENUCLOSED_GX, win::PM_NOREMOVE) ||
      Msg.wParam != reinterpret_cast<win::WPARAM>(Control))
    return false;
  win::PeekMessage(&Msg, FHost->Handle(), WM_MENUCLOSED_GX, WM_MENUCLOSED_GX, win::PM_REMOVE);
  return true;
}

void TEditButtonStripGx::ForgetMenuClosing() {
  win::MSG Msg;
  if (FHost->HandleAllocated())
    win::PeekMessage(&Msg, FHost->Handle(), WM_MENUCLOSED_GX, WM_MENUCLOSED_GX, win::PM_REMOVE);
}
