// The drop-down of recently used texts under the data-aware edit: opened and filtered as
// the user types, driven by the edit's keys and wheel while open, closed by Enter, Esc,
// a click, focus leaving or the text emptied.
#include <algorithm>

#include "gridcontrols/DBCtrlsGx/DBEdit.h"
#include "platform/controls/MaskUtils.h"
#include "platform/controls/Messages.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

TMRUListboxGx* TCustomDBEditGx::NewMRUListbox() {
  auto* popup = new TMRUListboxGx(this);
  popup->SetVisible(false);
  popup->SetParent(this);
  popup->SetCtl3D(false);
  popup->SetParentCtl3D(false);
  popup->SetSorted(true);
  popup->SetOnMouseUp(TMouseEvent::Bind(this, &TCustomDBEditGx::MRUPopupMouseUp));
  return popup;
}

void TCustomDBEditGx::UserTextChanged() {
  const std::string text = IsMasked() ? EditText() : GetText();
  const std::string empty = IsMasked() ? FormatMaskText(EditMask(), "") : std::string();
  if (FMRUList->DroppedDown() && text == empty) {
    FMRUList->ClosePopup(false);
    return;
  }
  if (FMRUList->Active() && Showing() && !FPopupOpen && text != empty) FMRUList->OpenPopup();
}

void TCustomDBEditGx::FilterMRUItem(const std::string& Item, bool& Accept) {
  const std::string text = GetText();
  const std::string head = Utf8LeftChars(Item, Utf8Length(text));
  Accept = (FMRUList->CaseSensitive() ? AnsiCompareStr(head, text) : AnsiCompareText(head, text)) == 0;
  if (FMRUList->OnFilterItem()) FMRUList->OnFilterItem()(this, Accept);
}

void TCustomDBEditGx::FillMRUPopupItems() {
  TStrings* items = FMRUPopup->Items();
  items->BeginUpdate();
  auto endUpdate = AtScopeExit([items] { items->EndUpdate(); });
  items->Clear();
  TStrings* recent = FMRUList->Items();
  for (int i = 0; i < recent->Count(); ++i) {
    bool accept = true;
    FilterMRUItem(recent->Strings(i), accept);
    if (accept) items->Add(recent->Strings(i));
  }
}

void TCustomDBEditGx::MRUPopupOpening(TObject*) {
  if (!FMRUPopup) FMRUPopup = NewMRUListbox();
  FillMRUPopupItems();
  const int offered = FMRUPopup->Items()->Count();
  win::RECT anchor{};
  Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&anchor));
  win::POINT topLeft = ClientToScreen({anchor.left, anchor.top});
  win::POINT bottomRight = ClientToScreen({anchor.right, anchor.bottom});
  anchor = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  auto place = [&] {
    win::POINT p = PlaceDropDownWindow(anchor, FMRUPopup, taLeftJustify);
    FMRUPopup->SetBounds(p.x, p.y, FMRUPopup->Width(), FMRUPopup->Height());
  };
  if (FMRUList->DroppedDown()) {
    FMRUPopup->SizeToRows(std::min(offered, FMRUList->Rows()));
    place();
    FMRUPopup->UpdateOwnScrollBar();
    if (offered == 0) FMRUList->ClosePopup(false);
    return;
  }
  if (offered == 0) return;
  FMRUPopup->SetColor(Color());
  FMRUPopup->SetFont(Font());
  FMRUPopup->SetItemHeight(FMRUPopup->MeasureLineHeight());
  FMRUPopup->SetItemIndex(-1);
  FMRUPopup->SizeToRows(std::min(offered, FMRUList->Rows()));
  FMRUPopup->SetWidth(anchor.right - anchor.left);
  place();
  FMRUPopup->SetVisible(true);
  FMRUPopup->UpdateOwnScrollBar();
  FMRUList->SetDroppedDown(true);
  FMRUPopup->SizeGrip()->SetOnParentResized(TNotifyEvent::Bind(this, &TCustomDBEditGx::MRUListboxResized));
}

void TCustomDBEditGx::MRUListboxResized(TObject*) {
  if (!FMRUList->DroppedDown() || !FMRUPopup) return;
  FMRUList->SetRows(FMRUPopup->RowCount());
  FMRUList->SetPopupWidth(FMRUPopup->Width());
}

void TCustomDBEditGx::MRUPopupClosing(TObject*, bool Accept) {
  if (!FMRUList->DroppedDown() || !FMRUPopup) return;
  if (win::HWND capture = win::GetCapture()) win::SendMessage(capture, win::WM_CANCELMODE, 0, 0);
  const bool popupHadFocus = FMRUPopup->HandleAllocated() && win::GetFocus() == FMRUPopup->Handle();
  FMRUPopup->SetVisible(false);
  if (popupHadFocus) SetFocus();
  FMRUList->SetDroppedDown(false);
  if (!Accept || FReadOnlyProp || !EditCanModify()) return;
  const int index = FMRUPopup->ItemIndex();
  if (index >= 0) StoreText(FMRUPopup->Items()->Strings(index));
  if (Focused()) SelectAll();
}

void TCustomDBEditGx::MRUPopupMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft || !FMRUPopup) return;
  const bool inside = X >= 0 && X < FMRUPopup->ClientWidth() && Y >= 0 && Y < FMRUPopup->ClientHeight();
  FMRUList->ClosePopup(inside);
}

bool TCustomDBEditGx::RouteMRUMessage(TMessage& Message) {
  if (!FMRUList->DroppedDown() || !FMRUPopup) return false;
  using namespace win;
  const UINT msg = Message.Msg;
  if (msg == CM_MOUSEWHEEL) {
    if (FMRUPopup->Perform(msg, Message.WParam, Message.LParam) != 0) {
      Message.Result = 1;
      return true;
    }
    return false;
  }
  const bool keyMessage = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
  if (!keyMessage && msg != WM_CHAR) return false;
  const WORD code = LOWORD(static_cast<DWORD>(Message.WParam));
  // Enter and Esc close the list, as keys or as characters.
  if (code == VK_RETURN || code == VK_ESCAPE) {
    FMRUList->ClosePopup(code == VK_RETURN);
    // The character of the same key is the list's too: Esc closing the list must not go
    // on to revert the text.
    MSG queued{};
    if (keyMessage && HandleAllocated() && PeekMessage(&queued, FHandle, WM_CHAR, WM_CHAR, PM_NOREMOVE) &&
        queued.wParam == code)
      PeekMessage(&queued, FHandle, WM_CHAR, WM_CHAR, PM_REMOVE);
    return true;
  }
  // Navigation goes to the list only as keys: typed characters with the same codes
  // ("!", "\"", "#", "$", "&", "(") are text.
  if (!keyMessage) return false;
  const TShiftState shift = KeyDataToShiftState(Message.LParam);
  const bool alt = shift.Contains(ssAlt), ctrl = shift.Contains(ssCtrl);
  const bool route = ((code == VK_PRIOR || code == VK_NEXT || code == VK_UP || code == VK_DOWN) && !alt) ||
                     ((code == VK_END || code == VK_HOME) && ctrl);
  if (!route) return false;
  FMRUPopup->Perform(msg, Message.WParam, Message.LParam);
  return true;
}
