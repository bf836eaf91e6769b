// Shapes, timers and radio groups.
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"

#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"

void TShape::Publish(TClassBuilder<TShape>& b) {
  b.Property("Brush", &TShape::Brush, nullptr);
  b.Property("Pen", &TShape::Pen, nullptr);
  b.Property("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
}

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {
  FWidth = 65;
  FHeight = 65;
  FControlStyle += csReplicatable;
  FBrush->SetOnChange(MakeEvent(this, &TShape::StyleChanged));
  FPen->SetOnChange(MakeEvent(this, &TShape::StyleChanged));
}

TShape::~TShape() {
  FBrush->SetOnChange(nullptr);
  FPen->SetOnChange(nullptr);
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

void TShape::Paint() {
  TCanvas* c = Canvas();
  c->Pen()->Assign(FPen.get());
  c->Brush()->Assign(FBrush.get());
  // The outline stays inside the control whatever the pen's width.
  int pw = FPen->Width();
  int x = pw / 2, y = x;
  int w = FWidth - pw + 1, h = FHeight - pw + 1;
  if (pw == 0) {
    --w;
    --h;
  }
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    int s = std::min(w, h);
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = h = s;
  }
  switch (FShape) {
    case stRectangle: case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect: case stRoundSquare: c->RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4); break;
    case stEllipse: case stCircle: c->Ellipse(x, y, x + w, y + h); break;
  }
}

void TTimer::Publish(TClassBuilder<TTimer>& b) {
  b.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
  b.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000u);
  b.Property("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindow = win::AllocateHWnd([this](win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) -> win::LRESULT {
    if (m == win::WM_TIMER) {
      try {
        Timer();
      } catch (...) {
        if (Application) Application->HandleException(this);
      }
      return 0;
    }
    return win::DefWindowProc(h, m, w, l);
  });
}

TTimer::~TTimer() {
  FEnabled = false;
  if (FWindow && win::IsWindow(FWindow)) {
    win::KillTimer(FWindow, 1);
    win::DeallocateHWnd(FWindow);
  }
}

// The timer runs while it is enabled, has an interval and has a handler.
void TTimer::UpdateTimer() {
  if (!FWindow || !win::IsWindow(FWindow)) return;
  win::KillTimer(FWindow, 1);
  if (FInterval != 0 && FEnabled && FOnTimer)
    if (!win::SetTimer(FWindow, 1, FInterval, nullptr)) throw EOutOfResources("Not enough timers available");
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& Value) {
  FOnTimer = Value;
  UpdateTimer();
}

void TTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}

void TCustomRadioGroup::Publish(TClassBuilder<TCustomRadioGroup>& b) {
  b.Property("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns).Default(1);
  b.Property("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex).Default(-1);
  b.Property("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems);
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>()) {
  FItems->SetOnChange(MakeEvent(this, &TCustomRadioGroup::ItemsChanged));
}

TCustomRadioGroup::~TCustomRadioGroup() {
  FItems->SetOnChange(nullptr);
  for (TRadioButton* b : FButtons) delete b;
}

void TCustomRadioGroup::SetColumns(int Value) {
  FColumns = std::clamp(Value, 1, 16);
  ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (ComponentState().Contains(csLoading)) {
    FItemIndex = Value;
    return;
  }
  Value = std::clamp(Value, -1, FItems->Count() - 1);
  FItemIndex = Value;
  FUpdating = true;
  auto done = AtScopeExit([this] { FUpdating = false; });
  for (int i = 0; i < static_cast<int>(FButtons.size()); ++i) FButtons[i]->SetChecked(i == Value);
}

void TCustomRadioGroup::ItemsChanged(TObject*) {
  for (TRadioButton* b : FButtons) delete b;
  FButtons.clear();
  for (int i = 0; i < FItems->Count(); ++i) {
    auto* b = new TRadioButton(nullptr);
    b->SetCaption(FItems->Strings(i));
    b->SetOnClick(MakeEvent(this, &TCustomRadioGroup::ButtonClick));
    b->SetEnabled(Enabled());
    b->SetParent(this);
    FButtons.push_back(b);
  }
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (!ComponentState().Contains(csLoading)) SetItemIndex(FItemIndex);
  ArrangeButtons();
}

void TCustomRadioGroup::ButtonClick(TObject* Sender) {
  if (FUpdating) return;
  for (int i = 0; i < static_cast<int>(FButtons.size()); ++i)
    if (FButtons[i] == Sender) FItemIndex = i;
  Click();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  win::RECT r = ClientRect();
  AdjustClientRect(r);
  int rows = (static_cast<int>(FButtons.size()) + FColumns - 1) / FColumns;
  int w = (r.right - r.left - 8) / FColumns;
  int h = std::max(1, (r.bottom - r.top) / std::max(rows, 1));
  for (int i = 0; i < static_cast<int>(FButtons.size()); ++i) {
    int col = i / rows, row = i % rows;
    FButtons[i]->SetBounds(r.left + 8 + col * w, r.top + row * h, w, std::min(h, 17));
  }
}

// The buttons show a disabled group greyed, as their own state.
void TCustomRadioGroup::Dispatch(TMessage& Message) {
  TCustomGroupBox::Dispatch(Message);
  if (Message.Msg == CM_ENABLEDCHANGED)
    for (TRadioButton* b : FButtons) b->SetEnabled(Enabled());
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  SetItemIndex(FItemIndex);
  ArrangeButtons();
}

void TCustomRadioGroup::Resize() {
  TCustomGroupBox::Resize();
  ArrangeButtons();
}
