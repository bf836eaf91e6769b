#include "platform/controls/Scrolling.h"

#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>

void TControlScrollBar::Publish(TClassBuilder<TControlScrollBar>& b) {
  b.Property("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement).Default(8);
  b.Property("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition).Default(0);
  b.Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange).Default(0);
  b.Property("Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking).Default(false);
  b.Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

int TControlScrollBar::MaxPosition() const {
  int extent = FKind == sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
  return std::max(0, FRange - extent);
}

void TControlScrollBar::SetRange(int Value) {
  FRange = std::max(Value, 0);
  Update();
  SetPosition(FPosition);
}

void TControlScrollBar::SetVisible(bool Value) {
  FVisible = Value;
  Update();
}

void TControlScrollBar::SetPosition(int Value) {
  Value = std::clamp(Value, 0, MaxPosition());
  if (Value == FPosition) {
    Update();
    return;
  }
  int delta = FPosition - Value;
  FPosition = Value;
  if (FKind == sbHorizontal) FControl->ScrollBy(delta, 0);
  else FControl->ScrollBy(0, delta);
  Update();
}

// Tells the window system's scroll bar the range, page and position.
void TControlScrollBar::Update() {
  if (!FControl->HandleAllocated()) return;
  int bar = FKind == sbHorizontal ? win::SB_HORZ : win::SB_VERT;
  int extent = FKind == sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
  win::SCROLLINFO si;
  si.fMask = win::SIF_ALL;
  si.nMin = 0;
  si.nMax = FVisible && FRange > extent ? FRange - 1 : 0;
  si.nPage = static_cast<win::UINT>(FVisible && FRange > extent ? extent + 1 : 0);
  si.nPos = FPosition;
  win::SetScrollInfo(FControl->Handle(), bar, &si, win::TRUE);
}

void TControlScrollBar::ScrollMessage(TMessage& Message) {
  int extent = FKind == sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
  int page = std::max(extent * 9 / 10, 1);
  switch (win::LOWORD(Message.WParam)) {
    case win::SB_LINEUP: SetPosition(FPosition - FIncrement); break;
    case win::SB_LINEDOWN: SetPosition(FPosition + FIncrement); break;
    case win::SB_PAGEUP: SetPosition(FPosition - page); break;
    case win::SB_PAGEDOWN: SetPosition(FPosition + page); break;
    case win::SB_THUMBPOSITION: SetPosition(static_cast<win::SHORT>(win::HIWORD(Message.WParam))); break;
    case win::SB_THUMBTRACK:
      if (FTracking) SetPosition(static_cast<win::SHORT>(win::HIWORD(Message.WParam)));
      break;
    case win::SB_TOP: SetPosition(0); break;
    case win::SB_BOTTOM: SetPosition(MaxPosition()); break;
    default: break;
  }
}

void TScrollBox::Publish(TClassBuilder<TScrollBox>& b) {
  b.Property("HorzScrollBar", &TScrollBox::HorzScrollBar, nullptr);
  b.Property("VertScrollBar", &TScrollBox::VertScrollBar, nullptr);
}

TScrollBox::TScrollBox(TComponent* AOwner)
    : TCustomControl(AOwner),
      FHorz(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVert(std::make_unique<TControlScrollBar>(this, sbVertical)) {
  FWidth = 185;
  FHeight = 41;
  FControlStyle += csAcceptsControls;
}

TScrollBox::~TScrollBox() { Destroying(); }

void TScrollBox::CreateWnd() {
  TCustomControl::CreateWnd();
  FHorz->Update();
  FVert->Update();
}

void TScrollBox::Resize() {
  TCustomControl::Resize();
  FHorz->SetPosition(FHorz->Position());
  FVert->SetPosition(FVert->Position());
}

void TScrollBox::ScrollBy(int DeltaX, int DeltaY) {
  {
    DisableAlign();
    auto enable = AtScopeExit([this] { EnableAlign(); });
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
    }
  }
  Invalidate();
}

void TScrollBox::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_HSCROLL && Message.LParam == 0) {
    FHorz->ScrollMessage(Message);
    return;
  }
  if (Message.Msg == win::WM_VSCROLL && Message.LParam == 0) {
    FVert->ScrollMessage(Message);
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TToolButton::Publish(TClassBuilder<TToolButton>& b) {
  b.Property("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
  b.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
  b.Property("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
}

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 23;
  FHeight = 22;
  FControlStyle = {csCaptureMouse, csSetCaption, csClickEvents};
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  FStyle = Value;
  RequestAlign();
  Invalidate();
}

void TToolButton::Click() {
  if (FStyle == tbsSeparator || FStyle == tbsDivider) return;
  if (FStyle == tbsCheck) FDown = !FDown;
  TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) { FPressed = true; Invalidate(); }
}

void TToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FPressed = false;
  Invalidate();
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TToolButton::Paint() {
  if (FStyle == tbsSeparator || FStyle == tbsDivider) return;
  TCanvas* c = Canvas();
  win::RECT r = ClientRect();
  auto* bar = dynamic_cast<TToolBar*>(FParent);
  if (!bar || !bar->Flat() || FPressed || FDown)
    win::DrawEdge(c->Handle(), &r, (FPressed || FDown) ? win::BDR_SUNKENOUTER : win::BDR_RAISEDINNER, win::BF_RECT);
  int textTop = r.top;
  if (bar && bar->Images() && FImageIndex >= 0 && FImageIndex < bar->Images()->Count()) {
    int w = bar->Images()->Width(), h = bar->Images()->Height();
    bar->Images()->Draw(c, (r.right - w) / 2, 3, FImageIndex, FEnabled);
    textTop = 3 + h;
  }
  if (bar && bar->ShowCaptions() && !Caption().empty()) {
    c->Font()->Assign(FFont.get());
    win::RECT tr{r.left, textTop, r.right, r.bottom};
    std::string s = Caption();
    c->TextRect(tr, s, TTextFormat{tfCenter, tfSingleLine, tfVerticalCenter});
  }
}

void TToolBar::Publish(TClassBuilder<TToolBar>& b) {
  b.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
  b.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
  b.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
  b.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
  b.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
}

TToolBar::TToolBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FAlign = alTop;
  FHeight = 29;
  FWidth = 150;
  FControlStyle += csAcceptsControls;
}

void TToolBar::SetImages(TCustomImageList* Value) {
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  Realign();
  Invalidate();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

// Buttons in their order, left to right from the top left; separators are 8 wide. With
// captions shown the buttons grow to take the widest caption, under the picture if any.
void TToolBar::AlignControls(TControl* AControl, win::RECT& Rect) {
  int bw = FButtonWidth, bh = FButtonHeight;
  if (FShowCaptions && HandleAllocated()) {
    Canvas()->Font()->Assign(Font());
    int widest = 0;
    for (int i = 0; i < ControlCount(); ++i)
      if (!Controls(i)->Caption().empty()) widest = std::max(widest, Canvas()->TextWidth(Controls(i)->Caption()));
    bw = std::max(bw, widest + 8);
    if (FImages) bh = std::max(bh, FImages->Height() + Canvas()->TextHeight("Wg") + 8);
  }
  int x = Rect.left + 1, y = Rect.top + 2;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    auto* b = dynamic_cast<TToolButton*>(c);
    int w = b && (b->Style() == tbsSeparator || b->Style() == tbsDivider) ? 8 : bw;
    c->SetBounds(x, y, w, bh);
    x += w;
  }
}
