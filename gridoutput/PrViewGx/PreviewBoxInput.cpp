// The preview box's keys and mouse wheel.
#include "gridoutput/PrViewGx.h"
#include "platform/desktop/Windows.h"

void TPreviewBox::KeyDown(win::WORD& Key, TShiftState Shift) {
  TScrollBox::KeyDown(Key, Shift);
  TControlScrollBar* v = VertScrollBar();
  TControlScrollBar* h = HorzScrollBar();
  const bool ctrl = Shift.Contains(ssCtrl);
  const int vPage = ClientHeight() - v->Increment(), hPage = ClientWidth() - h->Increment();
  switch (Key) {
    case win::VK_PRIOR: v->SetPosition(ctrl ? 0 : v->Position() - vPage); break;
    case win::VK_NEXT: v->SetPosition(ctrl ? v->Range() : v->Position() + vPage); break;
    case win::VK_UP: v->SetPosition(v->Position() - (ctrl ? vPage : v->Increment())); break;
    case win::VK_DOWN: v->SetPosition(v->Position() + (ctrl ? vPage : v->Increment())); break;
    case win::VK_HOME:
      h->SetPosition(0);
      if (ctrl) v->SetPosition(0);
      break;
    case win::VK_END:
      h->SetPosition(h->Range());
      if (ctrl) v->SetPosition(v->Range());
      break;
    case win::VK_LEFT: h->SetPosition(h->Position() - (ctrl ? hPage : h->Increment())); break;
    case win::VK_RIGHT: h->SetPosition(h->Position() + (ctrl ? hPage : h->Increment())); break;
    default: break;
  }
}

bool TPreviewBox::DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) {
  if (TScrollBox::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  TControlScrollBar* v = VertScrollBar();
  if (v->Range() < ClientHeight()) {
    SetPageIndex(PageIndex() + (WheelDelta < 0 ? 1 : -1));
  } else {
    win::UINT lines = 3;
    win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    int step = int(std::int64_t(v->Increment()) * int(lines) * FScalePercent / 100);
    v->SetPosition(v->Position() + (WheelDelta < 0 ? step : -step));
  }
  return true;
}
