// The data-aware edit's messages: keys, focus, the in-place mode with its holder, and the
// mouse kept away from the buttons and the image.
#include "gridcontrols/DBCtrlsGx/DBEditPrivate.h"

#include "gridcontrols/ToolCtrlsGx/SpecRow.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Messages.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

void TCustomDBEditGx::WndProc(TMessage& Message) {
  ++P->FMessageDepth;
  {
    auto depth = AtScopeExit([this] { --P->FMessageDepth; });
    if (P->FInPlace && P->FHolderInterface) {
      P->FHolderInterface->PreviewEditorMessage(this, Message);
      if (Message.Result != 0) return;
      if (Message.Msg == win::WM_SETFOCUS) {
        TCustomForm* form = GetParentForm(this);
        if (form && !form->SetFocusedControl(P->FInplaceEditHolder)) return;
        // The form keeps the holder as its active control: only the edit's own handling.
        P->FInPlaceFocusing = true;
        auto reset = AtScopeExit([this] { P->FInPlaceFocusing = false; });
        Dispatch(Message);
        return;
      }
      if (Message.Msg == win::WM_LBUTTONDOWN) {
        win::POINT last{0, 0};
        int time = 0;
        P->FHolderInterface->GetLastMouseDown(last, time);
        win::POINT p = ClientToScreen({win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)});
        if (WithinDoubleClick(last, p, static_cast<int>(win::GetMessageTime()) - time))
          Message.Msg = win::WM_LBUTTONDBLCLK;
      }
    }
    if (!P->FRecent.Route(P->FMRUList.get(), Message)) TCustomMaskEdit::WndProc(Message);
  }
  // A change the user made is acted on once the message that made it is done.
  if (P->FMessageDepth == 0 && P->FTypedChange && !P->FDestroying) {
    P->FTypedChange = false;
    UserTextChanged();
  }
}

void TCustomDBEditGx::Dispatch(TMessage& Message) {
  using namespace win;
  const UINT msg = Message.Msg;
  if (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK && !MouseCapture() &&
      PointInArea({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)})) {
    // Over the buttons or the image: the control's mouse events, but no text selection.
    TWinControl::Dispatch(Message);
    return;
  }
  switch (msg) {
    case WM_SIZE:
      TCustomMaskEdit::Dispatch(Message);
      RebuildButtonControls();
      ApplyTextArea();
      return;
    case WM_SETFOCUS:
      if (P->FInPlaceFocusing) {
        DefaultHandler(Message);
        if (FHandle) {
          CreateCaret(FHandle, nullptr, 1, LineHeight());
          ShowCaret(FHandle);
          UpdateCaret();
        }
      } else {
        TCustomMaskEdit::Dispatch(Message);
      }
      BorderActive();
      Invalidate();
      return;
    case WM_KILLFOCUS:
      if (P->FMRUList->DroppedDown() && !P->FRecent.Holds(reinterpret_cast<HWND>(Message.WParam)))
        P->FMRUList->ClosePopup(false);
      TCustomMaskEdit::Dispatch(Message);
      BorderActive();
      Invalidate();
      CancelChildCapture();
      return;
    case WM_PAINT: PaintOwnWindow(Message, [this](HDC dc) { PaintWindow(dc); }); return;
    case WM_NCPAINT:
      if (Ctl3D() && BorderStyle() == bsSingle && P->FFlat) {
        DrawFlatFrame(P->FBorderIsActive);
        return;
      }
      TCustomMaskEdit::Dispatch(Message);
      return;
    case WM_SETCURSOR: {
      POINT p{};
      GetCursorPos(&p);
      if (PointInArea(ScreenToClient(p))) {
        win::SetCursor(LoadCursor(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        Message.Result = 1;
        return;
      }
      TCustomMaskEdit::Dispatch(Message);
      return;
    }
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTCHARS;
      if (P->FWantTabs) Message.Result |= DLGC_WANTTAB;
      if (P->FWantReturns) Message.Result |= DLGC_WANTALLKEYS;
      if (P->FInPlace && P->FInplaceEditHolder && (P->FInplaceEditHolder->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB))
        Message.Result |= DLGC_WANTTAB;
      return;
    case WM_CHAR: {
      std::string pending;
      Utf8Append(pending, static_cast<TKeyChar>(Message.WParam));
      P->FPendingCharText = pending;
      auto clear = AtScopeExit([this] { P->FPendingCharText.clear(); });
      TCustomMaskEdit::Dispatch(Message);
      return;
    }
    case WM_CUT:
    case WM_PASTE:
    case WM_UNDO:
      if (!P->FReadOnlyProp) P->FFieldLink->StartEdit();
      TCustomMaskEdit::Dispatch(Message);
      return;
    case WM_IMAGELAYOUT_GX:
      if (HandleAllocated()) RecreateWnd();
      return;
    case CM_CANCELMODE: {
      TCustomMaskEdit::Dispatch(Message);
      CancelChildCapture();
      auto* sender = reinterpret_cast<TControl*>(Message.LParam);
      bool inside = sender == this || (sender && ContainsControl(sender)) || P->FRecent.Holds(sender);
      if (!inside && P->FMRUList->DroppedDown()) P->FMRUList->ClosePopup(false);
      return;
    }
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
      TCustomMaskEdit::Dispatch(Message);
      RefreshButtonStates();
      return;
    case CM_FONTCHANGED:
      TCustomMaskEdit::Dispatch(Message);
      if (FControlStyle.Contains(csFixedHeight) &&
          !(ComponentState().Contains(csDesigning) && ComponentState().Contains(csLoading)))
        FitHeightToFont();
      ApplyTextArea();
      return;
    case CM_CTL3DCHANGED:
      // The border's look and the height that goes with it need a new window.
      TCustomMaskEdit::Dispatch(Message);
      if (HandleAllocated()) RecreateWnd();
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TCustomMaskEdit::Dispatch(Message);
      P->FMouseOver = msg == CM_MOUSEENTER;
      BorderActive();
      return;
    case CM_SHOWINGCHANGED:
      if (P->FInPlace) return;
      TCustomMaskEdit::Dispatch(Message);
      return;
    case CM_ENTER:
      MarkFocused(true);
      TCustomMaskEdit::Dispatch(Message);
      return;
    case CM_EXIT: {
      if (IsMasked() && !ComponentState().Contains(csDesigning)) {
        ValidateEdit();
        ClampMaskCaret();
      }
      DoExit();
      {
        // An update that fails selects the text and keeps the focus here.
        bool updated = false;
        auto keep = AtScopeExit([&] {
          if (updated) return;
          SelectAll();
          SetFocus();
        });
        P->FFieldLink->UpdateRecord();
        updated = true;
      }
      MarkFocused(false);
      ClampMaskCaret();
      return;
    }
    case CM_WANTSPECIALKEY:
      if ((Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) && P->FRecent.HasChoice(P->FMRUList.get())) {
        Message.Result = 1;
        return;
      }
      TCustomMaskEdit::Dispatch(Message);
      if (Message.WParam == VK_ESCAPE && Modified()) Message.Result = 1;
      return;
    case CM_SYSCOLORCHANGE:
      TCustomMaskEdit::Dispatch(Message);
      ResetButtonBitmapCache();
      return;
    case CM_GETDATALINK: Message.Result = reinterpret_cast<LRESULT>(P->FFieldLink.get()); return;
    case CM_RECREATEWND: {
      bool hadFocus = Focused();
      TCustomMaskEdit::Dispatch(Message);
      if (hadFocus) BorderActive();
      return;
    }
    case CN_COMMAND:
      if (HIWORD(static_cast<DWORD>(Message.WParam)) == EN_CHANGE && !P->FStoringText) P->FTypedChange = true;
      TCustomMaskEdit::Dispatch(Message);
      return;
    default: TCustomMaskEdit::Dispatch(Message);
  }
}

void TCustomDBEditGx::DefaultHandler(TMessage& Message) {
  if (Message.Msg == win::WM_CHAR) {
    win::WPARAM c = Message.WParam;
    if ((c == 13 && !P->FWantReturns) || (c == 9 && !P->FWantTabs) || c == 10) Message.WParam = 0;
  }
  TCustomMaskEdit::DefaultHandler(Message);
}

void TCustomDBEditGx::ClampMaskCaret() {
  if (IsMasked() && HandleAllocated() && SelLength() == 0) SetSelStart(std::max(SelStart() - 2, 0));
}

void TCustomDBEditGx::CancelChildCapture() {
  TControl* capture = GetCaptureControl();
  if (capture && capture != this && ContainsControl(capture)) capture->Perform(win::WM_CANCELMODE, 0, 0);
}

// Keys.

void TCustomDBEditGx::KeyDown(win::WORD& Key, TShiftState Shift) {
  if (P->FInPlace && P->FHolderInterface) {
    P->FHolderInterface->EditorKeyDown(this, Key, Shift);
    if (Key == 0) return;
  }
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Key == 0) return;
  RunKeyDown(Key, Shift);
}

void TCustomDBEditGx::RunKeyDown(win::WORD& Key, TShiftState Shift) {
  if (TEditButtonControlGx* control = ButtonForShortCut(Key, Shift)) {
    TEditButtonStripGx::PressByKey(control);
    Key = 0;
    return;
  }
  if (Key == 'A' && Shift == TShiftState{ssCtrl}) {
    SelectAll();
    return;
  }
  if ((Key == win::VK_DELETE || (Key == win::VK_INSERT && Shift.Contains(ssShift))) && !P->FReadOnlyProp)
    P->FFieldLink->StartEdit();
}

void TCustomDBEditGx::KeyPress(TKeyChar& Key) {
  if (P->FInPlace && P->FHolderInterface) {
    P->FHolderInterface->EditorKeyPress(this, Key);
    if (Key == 0) return;
  }
  TCustomMaskEdit::KeyPress(Key);
  if (Key == 0) return;
  // Every character from the space up is printable, not only the first 256 codes.
  bool printable = Key >= 32 && Key != 127;
  if (printable && Field() && !AcceptsChar(Key)) {
    win::MessageBeep(0);
    Key = 0;
    return;
  }
  if ((Key == 8 || Key == 22 || Key == 24 || printable) && !P->FReadOnlyProp) P->FFieldLink->StartEdit();
  if (Key == 27) {
    Reset();
    Key = 0;
  }
}

void TCustomDBEditGx::KeyUp(win::WORD& Key, TShiftState Shift) {
  if (P->FInPlace && P->FHolderInterface) {
    P->FHolderInterface->EditorKeyUp(this, Key, Shift);
    if (Key == 0) return;
  }
  TCustomMaskEdit::KeyUp(Key, Shift);
}

// Focus.

void TCustomDBEditGx::MarkFocused(bool Value) {
  if (Value == P->FHasFocus) return;
  P->FHasFocus = Value;
  if (P->FAlignment != taLeftJustify && !IsMasked()) Invalidate();
  P->FFieldLink->ResetLink();
}

void TCustomDBEditGx::SetFocus() {
  if (P->FInPlace && HandleAllocated() && win::IsWindowVisible(FHandle)) {
    win::SetFocus(FHandle);
    return;
  }
  TCustomMaskEdit::SetFocus();
}

// In-place mode.

void TCustomDBEditGx::SetInplaceEditHolder(TWinControl* Value) {
  if (Value == P->FInplaceEditHolder) return;
  IInplaceEditHolderGx* holder = nullptr;
  if (Value) {
    // Refused before anything changes: the edit keeps its holder and state.
    holder = dynamic_cast<IInplaceEditHolderGx*>(Value);
    if (!holder) throw Exception("InplaceEditHolder have to support IInplaceEditHolderGx interface");
  }
  if (P->FInplaceEditHolder) P->FInplaceEditHolder->RemoveFreeNotification(this);
  P->FInplaceEditHolder = Value;
  P->FHolderInterface = holder;
  P->FInPlace = Value != nullptr;
  if (Value) Value->FreeNotification(this);
  UpdateReadOnlyState();
}

void TCustomDBEditGx::PlaceAt(const win::RECT& Rect) {
  if (P->FInPlace) ShowInPlaceAt(Rect, true);
  else SetBoundsRect(Rect);
}

bool TCustomDBEditGx::Visible() const {
  if (P->FInPlace) return FHandle && win::IsWindowVisible(FHandle);
  return TCustomMaskEdit::Visible();
}

void TCustomDBEditGx::SetVisible(bool Value) {
  if (P->FInPlace && !Value) HideInPlace();
  else TCustomMaskEdit::SetVisible(Value);
}

void TCustomDBEditGx::ShowInPlaceAt(const win::RECT& Rect, bool Redraw) {
  if (Rect.right <= Rect.left || Rect.bottom <= Rect.top) {
    HideInPlace();
    return;
  }
  HandleNeeded();
  bool repaintAfter = Redraw || !win::IsWindowVisible(FHandle);
  Invalidate();
  Perform(CM_CANCELMODE, 0, reinterpret_cast<win::LPARAM>(static_cast<TControl*>(P->FInplaceEditHolder)));
  win::SetWindowPos(FHandle, nullptr, Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top,
                    win::SWP_SHOWWINDOW | win::SWP_NOREDRAW);
  if (repaintAfter) Invalidate();
  if (P->FInplaceEditHolder && P->FInplaceEditHolder->Focused()) win::SetFocus(FHandle);
}

void TCustomDBEditGx::HideInPlace() {
  if (!P->FInPlace) {
    TCustomMaskEdit::SetVisible(false);
    return;
  }
  if (!FHandle || !win::IsWindowVisible(FHandle)) return;
  bool hadFocus = win::GetFocus() == FHandle;
  Invalidate();
  win::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, win::SWP_HIDEWINDOW | win::SWP_NOREDRAW | win::SWP_NOZORDER);
  if (hadFocus && P->FInplaceEditHolder && P->FInplaceEditHolder->HandleAllocated())
    win::SetFocus(P->FInplaceEditHolder->Handle());
}
