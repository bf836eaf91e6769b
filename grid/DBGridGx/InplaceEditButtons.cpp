// TDBGridInplaceEdit: the strip of edit buttons, the formatting rectangle beside it, and
// what presses and clicks of the buttons do.
#include "grid/DBGridGx/InplaceEdit.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "grid/DBGridGx/GridControl.h"
#include "platform/controls/Menus.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"

namespace {

TEditButtonStyleGx MainButtonStyle(TInplaceEditStyleGx Style) {
  switch (Style) {
    case iesEllipsisGx: return ebsEllipsisGx;
    case iesUpDownGx: return ebsUpDownGx;
    default: return ebsDropDownGx;
  }
}

}  // namespace

TEditButtonControlGx* TDBGridInplaceEdit::NewButtonControl() {
  auto* Button = new TEditButtonControlGx(this);
  TControlStyle Style = Button->ControlStyle();
  Style.Include(csReplicatable);
  Button->SetControlStyle(Style);
  Button->SetBounds(0, 0, 10, 17);
  Button->SetVisible(true);
  Button->SetTransparent(false);
  Button->SetParent(this);
  return Button;
}

void TDBGridInplaceEdit::UpdateButtonControls() {
  TCustomDBGridGx* Grid = DBGrid();
  TColumnGx* C = Column();
  TEditButtonsGx* Items = C ? C->EditButtons() : nullptr;
  const std::size_t Count = static_cast<std::size_t>(Items ? Items->Count() : 0) + 1;
  while (FButtonControls.size() > Count) {
    TEditButtonControlLineRec Rec = FButtonControls.back();
    FButtonControls.pop_back();
    Rec.ButtonLine->SetVisible(false);
    Rec.EditButtonControl->SetVisible(false);
    delete Rec.ButtonLine;
    delete Rec.EditButtonControl;
  }
  while (FButtonControls.size() < Count) {
    TEditButtonControlLineRec Rec;
    Rec.EditButtonControl = NewButtonControl();
    Rec.ButtonLine = new TShape(this);
    Rec.ButtonLine->SetParent(this);
    FButtonControls.push_back(Rec);
  }

  const bool Flat = Grid && Grid->Flat();
  const int DefaultWidth = Flat ? DefaultFlatButtonWidth : win::GetSystemMetrics(win::SM_CXVSCROLL);
  std::vector<int> Widths(Count, 0);
  for (std::size_t I = 0; I < Count; ++I) {
    TEditButtonControlGx* Button = FButtonControls[I].EditButtonControl;
    bool Shown;
    if (I == 0) {
      Shown = FEditStyle != iesSimpleGx;
      Button->SetStyle(MainButtonStyle(FEditStyle));
      TBitmap NoGlyph;
      Button->SetGlyph(&NoGlyph);
      Button->SetHint("");
      Widths[0] = Shown ? DefaultWidth : 0;
    } else {
      TEditButtonGx* Item = Items->Items(static_cast<int>(I) - 1);
      Shown = Item->Visible();
      Button->SetStyle(Item->Style());
      Button->SetGlyph(Item->Glyph());
      Button->SetNumGlyphs(Item->NumGlyphs());
      Button->SetHint(Item->Hint());
      Widths[I] = Shown ? (Item->Width() > 0 ? Item->Width() : DefaultWidth) : 0;
    }
    Button->SetVisible(Shown);
    Button->SetFlat(Flat);
    FButtonControls[I].ButtonLine->SetVisible(Flat && Shown);
  }

  // Square buttons at the top of a tall editor, full height in a normal one.
  const int ClientH = ClientHeight();
  int H = INT_MAX;
  for (std::size_t I = 0; I < Count; ++I) {
    if (!FButtonControls[I].EditButtonControl->Visible()) continue;
    const int W = Widths[I];
    H = std::min(H, static_cast<int>(std::nearbyint(1.5 * W)) < ClientH ? W : ClientH);
  }

  for (TEditButtonControlLineRec& Rec : FButtonControls) {
    Rec.EditButtonControl->SetOnDown(TButtonDownEventGx::Bind(this, &TDBGridInplaceEdit::ButtonMouseDown));
    Rec.EditButtonControl->SetOnClick(TNotifyEvent::Bind(this, &TDBGridInplaceEdit::ButtonClicked));
    Rec.EditButtonControl->SetOnMouseMove(TMouseMoveEvent::Bind(this, &TDBGridInplaceEdit::ButtonMouseMove));
    Rec.EditButtonControl->SetOnMouseUp(TMouseEvent::Bind(this, &TDBGridInplaceEdit::ButtonMouseUp));
  }

  const bool RightToLeft = Grid && Grid->UseRightToLeftAlignment();
  int X = RightToLeft ? 0 : Width();
  for (std::size_t I = Count; I-- > 0;) {
    TEditButtonControlGx* Button = FButtonControls[I].EditButtonControl;
    TShape* Line = FButtonControls[I].ButtonLine;
    const int LineW = Line->Visible() ? 1 : 0;
    if (RightToLeft) {
      Button->SetBounds(X, 0, Widths[I], H);
      X += Widths[I];
      Line->SetBounds(X, 0, LineW, H);
      X += LineW;
    } else {
      X -= Widths[I];
      Button->SetBounds(X, 0, Widths[I], H);
      X -= LineW;
      Line->SetBounds(X, 0, LineW, H);
    }
  }
  FButtonsWidth = RightToLeft ? X : ClientWidth() - X;
}

void TDBGridInplaceEdit::UpdateButtonControlsState() {
  for (TEditButtonControlLineRec& Rec : FButtonControls) {
    Rec.EditButtonControl->SetEnabled(true);
    Rec.EditButtonControl->SetActive(true);
    Rec.ButtonLine->Pen()->SetColor(clBtnFace);
  }
}

void TDBGridInplaceEdit::BoundsChanged() {
  win::MSG Msg;
  if (HandleAllocated()) win::PeekMessage(&Msg, Handle(), WM_MENUCLOSED_GX, WM_MENUCLOSED_GX, win::PM_REMOVE);
  UpdateButtonControls();
  UpdateButtonControlsState();
  TCustomDBGridGx* Grid = DBGrid();
  win::RECT R = Grid && Grid->Flat() ? win::RECT{2, 1, Width() - 2, Height() - 1}
                                     : win::RECT{2, 2, Width() - 2, Height()};
  if (FButtonsWidth > 0) {
    if (Grid && Grid->UseRightToLeftAlignment()) R.left += FButtonsWidth;
    else R.right -= FButtonsWidth;
  }
  if (!HandleAllocated()) return;
  win::SendMessage(Handle(), win::EM_SETRECTNP, 0, reinterpret_cast<win::LPARAM>(&R));
  win::SendMessage(Handle(), win::EM_SCROLLCARET, 0, 0);
  if (!win::GetSystemMetrics(win::SM_DBCSENABLED)) return;
  // Text composed by an input method appears where the text starts, in the editor's font.
  if (win::HIMC Context = win::ImmGetContext(Handle())) {
    win::COMPOSITIONFORM Form;
    Form.dwStyle = win::CFS_POINT;
    Form.ptCurrentPos = {R.left, R.top};
    win::ImmSetCompositionWindow(Context, &Form);
    win::LOGFONT Log{};
    win::GetObject(win::GdiObj(Font()->Handle()), sizeof Log, &Log);
    win::ImmSetCompositionFontA(Context, &Log);
    win::ImmReleaseContext(Handle(), Context);
  }
}

// ---- button events ----

void TDBGridInplaceEdit::ButtonMouseDown(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled) {
  if (CanFocus()) SetFocus();
  Handled = false;
  auto* Button = static_cast<TEditButtonControlGx*>(Sender);
  // The press that closed this button's drop-down menu does not press it again.
  win::MSG Msg;
  if (HandleAllocated() &&
      win::PeekMessage(&Msg, Handle(), WM_MENUCLOSED_GX, WM_MENUCLOSED_GX, win::PM_NOREMOVE) &&
      Msg.wParam == reinterpret_cast<win::WPARAM>(Button)) {
    win::PeekMessage(&Msg, Handle(), WM_MENUCLOSED_GX, WM_MENUCLOSED_GX, win::PM_REMOVE);
    return;
  }
  TColumnGx* C = Column();
  if (FButtonControls.empty()) return;
  if (Button == FButtonControls[0].EditButtonControl) {
    if (C && C->OnEditButtonDown()) C->OnEditButtonDown()(Sender, TopButton, AutoRepeat, Handled);
    if (!Handled) PressMainButton(!TopButton);
    return;
  }
  if (!C) return;
  for (std::size_t I = 1; I < FButtonControls.size(); ++I) {
    if (FButtonControls[I].EditButtonControl != Button) continue;
    TEditButtonGx* Item = C->EditButtons()->Items(static_cast<int>(I) - 1);
    if (Item->OnDown()) Item->OnDown()(Sender, TopButton, AutoRepeat, Handled);
    if (Handled || !Item->DropdownMenu()) return;
    TPopupMenu* Menu = Item->DropdownMenu();
    const bool RightAligned = Menu->Alignment() == paRight;
    win::POINT P{RightAligned ? Button->Width() : 0, Button->Height()};
    P = Button->ClientToScreen(P);
    Menu->Popup(P.x, P.y);
    if (HandleAllocated())
      win::PostMessage(Handle(), WM_MENUCLOSED_GX, reinterpret_cast<win::WPARAM>(Button), 0);
    Button->Perform(win::WM_LBUTTONUP, 0, 0);
    return;
  }
}

void TDBGridInplaceEdit::PressMainButton(bool Down) {
  if (FEditStyle == iesUpDownGx) {
    StepValue(Down);
    return;
  }
  if (!FPopupVisible) {
    OpenPopup();
    FSuppressClosingClick = true;
  }
}

void TDBGridInplaceEdit::ButtonMouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {
  if (!FButtonControls.empty() && Sender == FButtonControls[0].EditButtonControl)
    TraceMouseIntoPopup(Sender, Shift, X, Y);
}

void TDBGridInplaceEdit::ButtonMouseUp(TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
  auto* Button = static_cast<TControl*>(Sender);
  if (X < 0 || X >= Button->ClientWidth() || Y < 0 || Y > Button->ClientHeight()) FSuppressClosingClick = false;
}

void TDBGridInplaceEdit::ButtonClicked(TObject* Sender) {
  bool Handled = false;
  TColumnGx* C = Column();
  const bool Main = !FButtonControls.empty() && Sender == FButtonControls[0].EditButtonControl;
  if (Main) {
    if (FEditStyle == iesEllipsisGx || FEditStyle == iesDropDownGx)
      if (TCustomDBGridGx* Grid = DBGrid()) Grid->FireEditButtonClick();
    if (C && C->OnEditButtonClick()) C->OnEditButtonClick()(Sender, Handled);
  } else if (C) {
    for (std::size_t I = 1; I < FButtonControls.size(); ++I) {
      if (FButtonControls[I].EditButtonControl != Sender) continue;
      TEditButtonGx* Item = C->EditButtons()->Items(static_cast<int>(I) - 1);
      if (Item->OnClick()) Item->OnClick()(Sender, Handled);
      break;
    }
  }
  if (!Handled && FPopupVisible && !FSuppressClosingClick && Main) ClosePopup(false);
  FSuppressClosingClick = false;
}

TEditButtonGx* TDBGridInplaceEdit::ButtonByShortCut(TShortCut ShortCut) const {
  TColumnGx* C = Column();
  if (!C) return nullptr;
  for (int I = 0; I < C->EditButtons()->Count(); ++I)
    if (C->EditButtons()->Items(I)->ShortCut() == ShortCut) return C->EditButtons()->Items(I);
  return nullptr;
}
