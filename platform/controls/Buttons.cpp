// Push buttons, check boxes, radio buttons, labels and group boxes.
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include "platform/desktop/Windows.h"

namespace {
// Paints a caption into r on dc in the control's font; right-to-left mirrors the
// alignment and reads right to left.
void DrawCaption(win::HDC dc, TControl* c, win::RECT r, win::UINT fmt) {
  std::string s = c->Caption();
  win::SelectObject(dc, c->Font()->Handle());
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, ColorToRGB(c->Enabled() ? c->Font()->Color() : clGrayText));
  fmt = c->DrawTextBiDiModeFlags(fmt);
  win::DrawText(dc, s.c_str(), static_cast<int>(s.size()), &r, fmt);
}

void FillBack(win::HDC dc, win::RECT r, TColor color) {
  win::HBRUSH b = win::CreateSolidBrush(ColorToRGB(color));
  win::FillRect(dc, &r, b);
  win::DeleteObject(b);
}

}  // namespace

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  FTabStop = true;
  FParentColor = false;
  FColor = clBtnFace;
}

void TButton::Publish(TClassBuilder<TButton>& b) {
  b.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
  b.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
  b.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0);
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 75;
  FHeight = 25;
  FControlStyle = {csSetCaption, csDoubleClicks, csClickEvents, csCaptureMouse};
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  Invalidate();
}

void TButton::Click() {
  if (TCustomForm* f = GetParentForm(this)) f->SetModalResult(FModalResult);
  TButtonControl::Click();
}

bool TButton::IsActiveDefault() const {
  if (Focused()) return true;
  if (!FDefault) return false;
  TCustomForm* f = GetParentForm(const_cast<TButton*>(this));
  TWinControl* active = f ? f->ActiveControl() : nullptr;
  return !dynamic_cast<TButton*>(active);
}

void TButton::Dispatch(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case CM_DIALOGKEY: {
      WORD key = static_cast<WORD>(Message.WParam);
      if (((key == VK_RETURN && IsActiveDefault()) || (key == VK_ESCAPE && FCancel)) &&
          KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      Message.Result = 0;
      return;
    }
    case WM_GETDLGCODE:
      Message.Result = (FDefault || Focused()) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
      return;
    case WM_KEYUP:
      if (Message.WParam == VK_SPACE) { Click(); return; }
      break;
    case WM_LBUTTONDOWN: FPressed = true; Invalidate(); break;
    case WM_LBUTTONUP: FPressed = false; Invalidate(); break;
    case WM_PAINT:
      PaintOwnWindow(Message, [&](HDC dc) { Paint(dc); });
      return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    default: break;
  }
  TButtonControl::Dispatch(Message);
}

void TButton::Paint(win::HDC DC) {
  win::RECT r = ClientRect();
  FillBack(DC, r, FColor);
  win::UINT state = win::DFCS_BUTTONPUSH;
  if (FPressed) state |= win::DFCS_PUSHED;
  if (!FEnabled) state |= win::DFCS_INACTIVE;
  win::DrawFrameControl(DC, &r, win::DFC_BUTTON, state);
  DrawCaption(DC, this, r, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
}

void TCustomCheckBox::Publish(TClassBuilder<TCustomCheckBox>& b) {
  b.Property("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment).Default(taRightJustify);
  b.Property("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed).Default(false);
  b.Property("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).Default(false);
  b.Property("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState).Default(cbUnchecked);
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 97;
  FHeight = 17;
  // The check box makes its own clicks: the state changes, then OnClick.
  FControlStyle = {csSetCaption, csDoubleClicks, csCaptureMouse};
}

// Every change of state clicks once, whether the user or the program changed it;
// reading a form description clicks nothing.
void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  Invalidate();
  if (!ComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::Dispatch(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case WM_LBUTTONUP: {
      bool inside = Message.XPos() >= 0 && Message.XPos() < FWidth && Message.YPos() >= 0 && Message.YPos() < FHeight;
      bool captured = MouseCapture();
      TButtonControl::Dispatch(Message);
      if (inside && captured) Toggle();
      return;
    }
    case WM_KEYUP:
      if (Message.WParam == VK_SPACE) { Toggle(); return; }
      break;
    case WM_GETDLGCODE: Message.Result = DLGC_BUTTON; return;
    case WM_PAINT: PaintOwnWindow(Message, [&](HDC dc) { Paint(dc); }); return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    default: break;
  }
  TButtonControl::Dispatch(Message);
}

void TCustomCheckBox::Paint(win::HDC DC) {
  win::RECT r = ClientRect();
  FillBack(DC, r, FColor);
  int box = 13;
  int top = (r.bottom - box) / 2;
  bool boxLeft = (FAlignment == taRightJustify) != UseRightToLeftAlignment();
  win::RECT br = boxLeft ? win::RECT{0, top, box, top + box} : win::RECT{r.right - box, top, r.right, top + box};
  win::UINT state = win::DFCS_BUTTONCHECK;
  if (FState == cbChecked) state |= win::DFCS_CHECKED;
  if (FState == cbGrayed) state |= win::DFCS_BUTTON3STATE | win::DFCS_CHECKED;
  if (!FEnabled) state |= win::DFCS_INACTIVE;
  win::DrawFrameControl(DC, &br, win::DFC_BUTTON, state);
  win::RECT tr = boxLeft ? win::RECT{box + 4, 0, r.right, r.bottom} : win::RECT{0, 0, r.right - box - 4, r.bottom};
  DrawCaption(DC, this, tr, win::DT_LEFT | win::DT_VCENTER | win::DT_SINGLELINE);
}

void TRadioButton::Publish(TClassBuilder<TRadioButton>& b) {
  b.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 113;
  FHeight = 17;
  FControlStyle = {csSetCaption, csDoubleClicks, csCaptureMouse};
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  FTabStop = Value;
  Invalidate();
  if (!Value) return;
  // Checking one button unchecks its siblings.
  if (FParent)
    for (int i = 0; i < FParent->ControlCount(); ++i)
      if (auto* r = dynamic_cast<TRadioButton*>(FParent->Controls(i)); r && r != this) r->SetChecked(false);
  if (!ComponentState().Contains(csLoading)) Click();
}

void TRadioButton::Dispatch(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case WM_LBUTTONUP: {
      bool captured = MouseCapture();
      TButtonControl::Dispatch(Message);
      if (captured) SetChecked(true);
      return;
    }
    case WM_GETDLGCODE: Message.Result = DLGC_RADIOBUTTON; return;
    case WM_KEYUP:
      if (Message.WParam == VK_SPACE) { SetChecked(true); return; }
      break;
    case WM_SETFOCUS: {
      // Reached with an arrow key: the focus takes the choice along.
      TButtonControl::Dispatch(Message);
      for (int vk : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})
        if (GetKeyState(vk) < 0) {
          SetChecked(true);
          break;
        }
      return;
    }
    case WM_PAINT:
      PaintOwnWindow(Message, [&](HDC dc) {
        RECT r = ClientRect();
        FillBack(dc, r, FColor);
        int top = (r.bottom - 13) / 2;
        // Right-to-left puts the circle on the right.
        bool rtl = UseRightToLeftAlignment();
        RECT br = rtl ? RECT{r.right - 13, top, r.right, top + 13} : RECT{0, top, 13, top + 13};
        DrawFrameControl(dc, &br, DFC_BUTTON, DFCS_BUTTONRADIO | (FChecked ? DFCS_CHECKED : 0));
        DrawCaption(dc, this, rtl ? RECT{0, 0, r.right - 17, r.bottom} : RECT{17, 0, r.right, r.bottom},
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE);
      });
      return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    default: break;
  }
  TButtonControl::Dispatch(Message);
}

void TCustomLabel::Publish(TClassBuilder<TCustomLabel>& b) {
  b.Property("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment).Default(taLeftJustify);
  b.Property("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize).Default(true);
  b.Property("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
  b.Property("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout).Default(tlTop);
  b.Property("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent).Default(false);
  b.Property("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap).Default(false);
}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 65;
  FHeight = 17;
  FControlStyle += csReplicatable;
}

void TCustomLabel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

// An auto-sized label takes the size of its text.
void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) return;
  win::HDC dc = win::GetDC(nullptr);
  win::SelectObject(dc, FFont->Handle());
  std::string s = Caption().empty() ? std::string(" ") : Caption();
  win::RECT r{0, 0, FWordWrap ? FWidth : 0, 0};
  win::DrawText(dc, s.c_str(), static_cast<int>(s.size()), &r,
                win::DT_CALCRECT | win::DT_NOPREFIX | win::DT_EXPANDTABS | (FWordWrap ? win::DT_WORDBREAK : 0));
  win::ReleaseDC(nullptr, dc);
  int x = FLeft;
  TAlignment a = FAlignment;
  if (UseRightToLeftAlignment()) ChangeBiDiModeAlignment(a);
  if (a == taRightJustify) x += FWidth - r.right;
  SetBounds(x, FTop, r.right, r.bottom);
}

void TCustomLabel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_FONTCHANGED) {
    Invalidate();
    AdjustBounds();
    return;
  }
  TGraphicControl::Dispatch(Message);
}

void TCustomLabel::Paint() {
  win::HDC dc = Canvas()->Handle();
  win::RECT r = ClientRect();
  if (!FTransparent) FillBack(dc, r, FColor);
  win::UINT fmt = win::DT_EXPANDTABS | win::DT_NOPREFIX | (FWordWrap ? win::DT_WORDBREAK : 0);
  fmt |= FAlignment == taCenter ? win::DT_CENTER : FAlignment == taRightJustify ? win::DT_RIGHT : win::DT_LEFT;
  if (FLayout != tlTop) {
    win::RECT calc = r;
    std::string s = Caption();
    win::SelectObject(dc, FFont->Handle());
    win::DrawText(dc, s.c_str(), static_cast<int>(s.size()), &calc, DrawTextBiDiModeFlags(fmt) | win::DT_CALCRECT);
    int h = calc.bottom - calc.top;
    r.top = FLayout == tlBottom ? r.bottom - h : (r.bottom - h) / 2;
  }
  DrawCaption(dc, this, r, fmt);
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 185;
  FHeight = 105;
  FParentColor = true;
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable};
}

void TCustomGroupBox::AdjustClientRect(win::RECT& Rect) {
  int h = FFont->Height() < 0 ? -FFont->Height() : FFont->Height();
  Rect.top += h + 4;
  Rect.left += 2;
  Rect.right -= 2;
  Rect.bottom -= 2;
}

void TCustomGroupBox::Paint() {
  win::HDC dc = Canvas()->Handle();
  win::RECT r = ClientRect();
  FillBack(dc, r, FColor);
  int h = FFont->Height() < 0 ? -FFont->Height() : FFont->Height();
  win::RECT frame{0, h / 2, r.right, r.bottom};
  win::DrawEdge(dc, &frame, win::EDGE_ETCHED, win::BF_RECT);
  if (!Caption().empty()) {
    win::RECT tr{8, 0, r.right - 8, h + 2};
    win::SelectObject(dc, FFont->Handle());
    win::SIZE sz{};
    std::string s = Caption();
    win::GetTextExtentPoint32(dc, s.c_str(), static_cast<int>(s.size()), &sz);
    win::RECT bg{6, 0, std::min<int>(r.right - 6, 10 + sz.cx), h + 2};
    FillBack(dc, bg, FColor);
    DrawCaption(dc, this, tr, win::DT_LEFT | win::DT_SINGLELINE);
  }
}
