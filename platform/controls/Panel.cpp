#include "platform/controls/ExtCtrls.h"

#include "platform/desktop/Windows.h"

void TCustomPanel::Publish(TClassBuilder<TCustomPanel>& b) {
  b.Property("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment).Default(taCenter);
  b.Property("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(bvNone);
  b.Property("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised);
  b.Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
  b.Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                   csDoubleClicks, csReplicatable};
  FWidth = 185;
  FHeight = 41;
  FParentColor = false;
  FColor = clBtnFace;
}

int TCustomPanel::BorderSize() const {
  int s = FBorderWidth;
  if (FBevelOuter != bvNone) s += FBevelWidth;
  if (FBevelInner != bvNone) s += FBevelWidth;
  return s;
}

void TCustomPanel::AdjustClientRect(win::RECT& Rect) {
  int s = BorderSize();
  Rect.left += s;
  Rect.top += s;
  Rect.right -= s;
  Rect.bottom -= s;
}

void TCustomPanel::SetBevelInner(TBevelCut Value) { FBevelInner = Value; Realign(); Invalidate(); }
void TCustomPanel::SetBevelOuter(TBevelCut Value) { FBevelOuter = Value; Realign(); Invalidate(); }
void TCustomPanel::SetBevelWidth(int Value) { FBevelWidth = std::max(Value, 1); Realign(); Invalidate(); }
void TCustomPanel::SetBorderWidth(int Value) { FBorderWidth = std::max(Value, 0); Realign(); Invalidate(); }
void TCustomPanel::SetAlignment(TAlignment Value) { FAlignment = Value; Invalidate(); }

void TCustomPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED) {
    Invalidate();
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TCustomPanel::Paint() {
  win::HDC dc = Canvas()->Handle();
  win::RECT r = ClientRect();
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    for (int i = 0; i < FBevelWidth; ++i) {
      if (cut == bvSpace) {
        r.left += 1; r.top += 1; r.right -= 1; r.bottom -= 1;
      } else {
        win::DrawEdge(dc, &r, cut == bvRaised ? win::BDR_RAISEDINNER : win::BDR_SUNKENOUTER, win::BF_RECT | win::BF_ADJUST);
      }
    }
  };
  bevel(FBevelOuter);
  r.left += FBorderWidth; r.top += FBorderWidth; r.right -= FBorderWidth; r.bottom -= FBorderWidth;
  bevel(FBevelInner);
  Canvas()->Brush()->SetColor(FColor);
  Canvas()->FillRect(r);
  std::string caption = Caption();
  if (caption.empty()) return;
  win::SelectObject(dc, FFont->Handle());
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, ColorToRGB(FFont->Color()));
  win::UINT fmt = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_NOPREFIX;
  fmt |= FAlignment == taCenter ? win::DT_CENTER : FAlignment == taRightJustify ? win::DT_RIGHT : win::DT_LEFT;
  fmt = DrawTextBiDiModeFlags(fmt);
  win::DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &r, fmt);
}
