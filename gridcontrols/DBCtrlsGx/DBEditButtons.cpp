// The buttons at the right of the data-aware edit: their layout and states, short cuts,
// drop-down menus, and the main button's side of the popup protocol.
#include <algorithm>
#include <climits>

#include "gridcontrols/DBCtrlsGx/DBEdit.h"
#include "platform/controls/Messages.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/SysUtils.h"

TEditButtonControlGx* TCustomDBEditGx::NewButtonControl() {
  auto* c = new TEditButtonControlGx(this);
  c->SetControlStyle(c->ControlStyle() + TControlStyle{csReplicatable});
  c->SetBounds(0, 0, 10, 17);
  c->SetVisible(true);
  c->SetParent(this);
  return c;
}

void TCustomDBEditGx::RebuildButtonControls() {
  const std::size_t count = static_cast<std::size_t>(FEditButtons->Count()) + 1;
  while (FButtonControls.size() > count) {
    delete FButtonControls.back().EditButtonControl;
    delete FButtonControls.back().ButtonLine;
    FButtonControls.pop_back();
  }
  while (FButtonControls.size() < count) {
    TEditButtonControlLineRec rec;
    rec.EditButtonControl = NewButtonControl();
    rec.ButtonLine = new TShape(this);
    rec.ButtonLine->SetParent(this);
    FButtonControls.push_back(rec);
  }
  const int clientHeight = ClientHeight();
  std::vector<int> widths(count), lineWidths(count);
  FButtonsHeight = INT_MAX;
  for (std::size_t i = 0; i < count; ++i) {
    TEditButtonGx* b = i == 0 ? FMainButton.get() : FEditButtons->Items(static_cast<int>(i) - 1);
    TEditButtonControlGx* c = FButtonControls[i].EditButtonControl;
    TShape* line = FButtonControls[i].ButtonLine;
    c->SetVisible(b->Visible());
    c->SetStyle(b->Style());
    c->SetGlyph(b->Glyph());
    c->SetNumGlyphs(b->NumGlyphs());
    c->SetHint(b->Hint());
    c->SetFlat(FFlat);
    int w = !b->Visible() ? 0
            : b->Width() > 0 ? b->Width()
            : FFlat ? DefaultFlatButtonWidth
                    : win::GetSystemMetrics(win::SM_CXVSCROLL);
    widths[i] = w;
    if (b->Visible()) FButtonsHeight = std::min(FButtonsHeight, Round(w * 3 / 2.0) < clientHeight ? w : clientHeight);
    bool lineShown = FFlat && b->Visible();
    line->SetVisible(lineShown);
    lineWidths[i] = lineShown ? 1 : 0;
    c->SetOnDown(TButtonDownEventGx::Bind(this, &TCustomDBEditGx::ButtonMouseDown));
    c->SetOnClick(TNotifyEvent::Bind(this, &TCustomDBEditGx::ButtonClicked));
    c->SetOnMouseMove(TMouseMoveEvent::Bind(this, &TCustomDBEditGx::ButtonMouseMove));
    c->SetOnMouseUp(TMouseEvent::Bind(this, &TCustomDBEditGx::ButtonMouseUp));
  }
  // Without a visible button the row is as high as the client area.
  if (FButtonsHeight == INT_MAX) FButtonsHeight = clientHeight;
  const bool rtl = UseRightToLeftAlignment();
  int x = rtl ? 0 : ClientWidth();
  for (std::size_t n = count; n-- > 0;) {
    TEditButtonControlGx* c = FButtonControls[n].EditButtonControl;
    TShape* line = FButtonControls[n].ButtonLine;
    if (rtl) {
      c->SetBounds(x, 0, widths[n], FButtonsHeight);
      x += widths[n];
      line->SetBounds(x, 0, lineWidths[n], FButtonsHeight);
      x += lineWidths[n];
    } else {
      c->SetBounds(x - widths[n], 0, widths[n], FButtonsHeight);
      x -= widths[n];
      line->SetBounds(x - lineWidths[n], 0, lineWidths[n], FButtonsHeight);
      x -= lineWidths[n];
    }
  }
  FButtonsWidth = rtl ? x : ClientWidth() - x;
}

void TCustomDBEditGx::RefreshButtonStates() {
  const bool canPress = CanPressButtons();
  for (TEditButtonControlLineRec& rec : FButtonControls) {
    rec.EditButtonControl->SetEnabled(canPress);
    rec.EditButtonControl->SetActive(FBorderIsActive);
    rec.ButtonLine->Pen()->SetColor(FBorderIsActive ? clBtnFace : Color());
  }
}

void TCustomDBEditGx::ButtonsChanged(TObject*) {
  if (!HandleAllocated() || FDestroying) return;
  RebuildButtonControls();
  RefreshButtonStates();
  ApplyTextArea();
  Invalidate();
}

TEditButtonControlGx* TCustomDBEditGx::ButtonForShortCut(win::WORD Key, TShiftState Shift, TEditButtonGx*& Button) {
  const TShortCut sc = ShortCut(Key, Shift);
  if (sc == 0 || FButtonControls.empty()) return nullptr;
  if (FMainButton->ShortCut() == sc && CanPressButtons()) {
    Button = FMainButton.get();
    return FButtonControls[0].EditButtonControl;
  }
  for (int i = 0; i < FEditButtons->Count() && static_cast<std::size_t>(i) + 1 < FButtonControls.size(); ++i)
    if (FEditButtons->Items(i)->ShortCut() == sc) {
      Button = FEditButtons->Items(i);
      return FButtonControls[static_cast<std::size_t>(i) + 1].EditButtonControl;
    }
  return nullptr;
}

void TCustomDBEditGx::ShowDropdownMenu(TEditButtonControlGx* Control, TPopupMenu* Menu) {
  win::POINT corner{Menu->Alignment() == paRight ? Control->Width() : 0, Control->Height()};
  win::POINT p = Control->ClientToScreen(corner);
  Menu->SetPopupComponent(this);
  Menu->Popup(p.x, p.y);
  if (HandleAllocated())
    win::PostMessage(FHandle, WM_MENUCLOSED_GX, reinterpret_cast<win::WPARAM>(Control), 0);
  Control->Perform(win::WM_LBUTTONUP, 0, 0);
}

void TCustomDBEditGx::ButtonMouseDown(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled) {
  SetFocus();
  Handled = false;
  if (HandleAllocated()) {
    // The click that closed this button's drop-down menu does not open it again.
    win::MSG m{};
    if (win::PeekMessage(&m, FHandle, WM_MENUCLOSED_GX, WM_MENUCLOSED_GX, win::PM_NOREMOVE) &&
        m.wParam == reinterpret_cast<win::WPARAM>(Sender)) {
      win::PeekMessage(&m, FHandle, WM_MENUCLOSED_GX, WM_MENUCLOSED_GX, win::PM_REMOVE);
      return;
    }
  }
  auto* control = dynamic_cast<TEditButtonControlGx*>(Sender);
  if (!control || FButtonControls.empty()) return;
  if (control == FButtonControls[0].EditButtonControl) {
    if (FOnMainButtonDown) FOnMainButtonDown(this, TopButton, AutoRepeat, Handled);
    if (Handled) return;
    if (FMainButton->DropdownMenu()) ShowDropdownMenu(control, FMainButton->DropdownMenu());
    else PressMainButton();
    return;
  }
  for (std::size_t i = 1; i < FButtonControls.size(); ++i) {
    if (FButtonControls[i].EditButtonControl != control) continue;
    TEditButtonGx* item = FEditButtons->Items(static_cast<int>(i) - 1);
    if (item->OnDown()) item->OnDown()(item, TopButton, AutoRepeat, Handled);
    if (!Handled && item->DropdownMenu()) ShowDropdownMenu(control, item->DropdownMenu());
    return;
  }
}

void TCustomDBEditGx::PressMainButton() {
  if (FMainButton->Style() == ebsUpDownGx || FPopupOpen) return;
  OpenPopup();
  FSkipClosingClick = true;
}

void TCustomDBEditGx::OpenPopup() {
  if (!FButtonControls.empty()) FButtonControls[0].EditButtonControl->HoldDown(true);
  if (FMRUList->DroppedDown()) FMRUList->ClosePopup(false);
}

void TCustomDBEditGx::ClosePopup(bool) {
  if (!FButtonControls.empty()) FButtonControls[0].EditButtonControl->HoldDown(false);
}

void TCustomDBEditGx::ButtonClicked(TObject* Sender) {
  bool handled = false;
  const bool main = !FButtonControls.empty() && Sender == FButtonControls[0].EditButtonControl;
  if (main) {
    if (FOnMainButtonClick) FOnMainButtonClick(this, handled);
  } else {
    for (std::size_t i = 1; i < FButtonControls.size(); ++i)
      if (FButtonControls[i].EditButtonControl == Sender) {
        TEditButtonGx* item = FEditButtons->Items(static_cast<int>(i) - 1);
        if (item->OnClick()) item->OnClick()(item, handled);
        break;
      }
  }
  if (!handled && FPopupOpen && !FSkipClosingClick && main) ClosePopup(false);
  FSkipClosingClick = false;
}

void TCustomDBEditGx::ButtonMouseUp(TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
  auto* control = dynamic_cast<TControl*>(Sender);
  if (control && !(X >= 0 && X < control->ClientWidth() && Y >= 0 && Y < control->ClientHeight()))
    FSkipClosingClick = false;
}
