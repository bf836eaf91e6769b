// The calculator as a drop-down: popup window, border, keys that accept or cancel, and the
// value it exchanges with its owner.
#include "gridcontrols/ToolCtrlsGx/Calculator.h"
#include "platform/controls/Messages.h"
#include "platform/graphics/Gdi.h"

TPopupCalculatorGx::TPopupCalculatorGx(TComponent* AOwner) : TCalculatorGx(AOwner) {
  FControlStyle += csReplicatable;
  SetCtl3D(true);
  SetParentCtl3D(false);
  SetTabStop(false);
  AdjustSize();
}

void TPopupCalculatorGx::CreateParams(TCreateParams& Params) {
  TCalculatorGx::CreateParams(Params);
  AddPopupWindowParams(Params, this, win::WS_EX_TOOLWINDOW);
}

bool TPopupCalculatorGx::CanAutoSize(int& NewWidth, int& NewHeight) {
  TCalculatorGx::CanAutoSize(NewWidth, NewHeight);
  NewWidth += 2 * BorderWidth();
  NewHeight += 2 * BorderWidth();
  return true;
}

void TPopupCalculatorGx::DrawBorder() {
  if (!Ctl3D() || !HandleAllocated()) return;
  win::RECT w;
  win::GetWindowRect(FHandle, &w);
  win::RECT r{0, 0, w.right - w.left, w.bottom - w.top};
  win::HDC dc = win::GetWindowDC(FHandle);
  win::FrameRect(dc, &r, win::GetSysColorBrush(win::COLOR_3DDKSHADOW));
  r = {1, 1, r.right - 1, r.bottom - 1};
  win::DrawEdge(dc, &r, win::BDR_RAISEDINNER, win::BF_RECT);
  win::ReleaseDC(FHandle, dc);
}

void TPopupCalculatorGx::Close(bool Accept) {
  if (!Visible()) return;  // already closed
  ClosePopupThroughOwner(this, Accept);
}

void TPopupCalculatorGx::InputKey(char Key) {
  if ((Key == '\r' || Key == '=') && ReadyToAccept()) {
    if (Supports<IPopupOwnerGx>(Owner())) Close(true);
    return;
  }
  TCalculatorGx::InputKey(Key);
}

// Enter is one key: it accepts once the key reads "Ok" and computes before that. Its
// character (and Esc's) that follows the key-down is not taken as a key again.
void TPopupCalculatorGx::KeyDown(win::WORD& Key, TShiftState Shift) {
  TCalculatorGx::KeyDown(Key, Shift);
  if (Key == win::VK_ESCAPE) {
    Close(false);
    Key = 0;
    FSwallowChar = true;
  } else if (Key == win::VK_RETURN) {
    InputKey('\r');
    Key = 0;
    FSwallowChar = true;
  }
}

void TPopupCalculatorGx::KeyPress(TKeyChar& Key) {
  if (FSwallowChar && (Key == '\r' || Key == 27)) {
    FSwallowChar = false;
    Key = 0;
    return;
  }
  FSwallowChar = false;
  TCalculatorGx::KeyPress(Key);
}

void TPopupCalculatorGx::Dispatch(TMessage& Message) {
  using namespace win;
  if (DispatchPopupFrameMessage(this, Message, [&] { TCalculatorGx::Dispatch(Message); }, [this] { DrawBorder(); })) return;
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
    case CM_WANTSPECIALKEY:
      // Enter and Esc are handled as keys (KeyDown), never by the dialog.
      if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_POPUPDISMISS_GX: Close(false); return;
    default: break;
  }
  TCalculatorGx::Dispatch(Message);
}

bool TPopupCalculatorGx::ReadyToAccept() { return EqualKey() && EqualKey()->Caption() == "Ok"; }

void TPopupCalculatorGx::GetPopupValue(Variant& Value) {
  if (Status() == 2) Value = Variant::Error(-1);
  else Value = Variant(this->Value());
}

void TPopupCalculatorGx::SetPopupValue(const Variant& Value) {
  InputKey('C');
  ShowNumber(Value.IsEmpty() || Value.IsNull() ? 0.0 : Value.AsDouble());
}

void TPopupCalculatorGx::SetFlatStyle(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* key = dynamic_cast<TSpeedButtonGx*>(Components(i))) key->SetFlat(Value);
}
