// TDBGridInplaceEdit: keys routed to an open popup or recent-texts list, the key rules of
// list and lookup cells, typing completion, paste and stepping the value.
#include "grid/DBGridGx/InplaceEditPrivate.h"

#include "grid/DBGridGx/ColumnsCellValues.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/SharedResources.h"
#include "grid/DBLookupGridsGx/PopupDataGrid.h"
#include "gridcontrols/ToolCtrlsGx/Calculator.h"
#include "gridcontrols/ToolCtrlsGx/MRUList.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
#include "platform/controls/Clipbrd.h"
#include "platform/controls/Menus.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

namespace {

bool IsListCell(int Kind) { return Kind == CellKindLookup || Kind == CellKindKeyPickList; }

std::string CharText(TKeyChar Key) {
  std::string S;
  Utf8Append(S, Key);
  return S;
}

}  // namespace

bool TDBGridInplaceEdit::DataModifiable() const {
  TCustomDBGridGx* Grid = DBGrid();
  return Grid && cell_values_detail::GridAllowsDataEdits(Grid);
}

bool TDBGridInplaceEdit::CellModifiable() const {
  TCustomDBGridGx* Grid = DBGrid();
  return Grid && Grid->CanEditModify();
}

void TDBGridInplaceEdit::SetGridEditText(const std::string& Value) {
  if (TCustomDBGridGx* Grid = DBGrid()) Grid->P->FEditText = Value;
}

void TDBGridInplaceEdit::SetGridEditValue(const Variant& Value) {
  if (TCustomDBGridGx* Grid = DBGrid()) Grid->P->FEditValue = Value;
  // The lookup grid keeps showing the key the cell holds.
  if (P->FLookupPopup && P->FEditStyle == iesLookupListGx) P->FLookupPopup->SetKeyValue(Value);
}

std::string TDBGridInplaceEdit::TextWithoutSelection() const {
  const std::string T = Text();
  const std::size_t From = Utf8CharToByteIndex(T, static_cast<std::size_t>(SelStart()));
  const std::size_t To = Utf8CharToByteIndex(T, static_cast<std::size_t>(SelStart() + SelLength()));
  return T.substr(0, From) + T.substr(To);
}

void TDBGridInplaceEdit::ShowCompleted(const std::string& Value, int Typed) {
  SetText(Value);
  SetSelStart(TextLength());
  // A negative length selects the completed remainder behind the typed part.
  if (Typed < SelStart()) SetSelLength(Typed - SelStart());
}

void TDBGridInplaceEdit::SyncPopupToValue() {
  if (P->FLookupPopup && P->FEditStyle == iesLookupListGx) {
    P->FLookupPopup->SetKeyValue(DBGrid()->EditValue());
  } else if (P->FPickListPopup) {
    TColumnGx* C = Column();
    P->FPickListPopup->SetItemIndex(C ? FindInStrings(C->PickList(), DBGrid()->EditText(), false) : -1);
  }
}

// ---- routing ----

bool TDBGridInplaceEdit::PopupKeyDown(win::WORD& Key, TShiftState Shift) {
  const bool Open = P->FPopups.IsOpen();
  const bool CalculatorOpen = Open && P->FPopups.Active() && P->FPopups.Active() == P->FCalculatorPopup;
  if (Key == win::VK_RETURN || Key == win::VK_ESCAPE) {
    if (Open && !Shift.Contains(ssAlt) && !CalculatorOpen) {
      ClosePopup(Key == win::VK_RETURN);
      Key = 0;
    } else if (!Open && Key == win::VK_RETURN && Shift == TShiftState{ssCtrl}) {
      OpenPopup();
      Key = 0;
    }
  } else if ((Key == win::VK_UP || Key == win::VK_DOWN) && Shift.Contains(ssAlt)) {
    if (Open) ClosePopup(true);
    else OpenPopup();
    Key = 0;
  }
  return Key == 0;
}

bool TDBGridInplaceEdit::RouteKeyMessage(TMessage& Message) {
  using namespace win;
  auto Key = static_cast<WORD>(Message.WParam);
  const TShiftState Shift = KeyDataToShiftState(Message.LParam);
  const bool IsChar = Message.Msg == WM_CHAR;
  TColumnGx* C = Column();
  if (P->FEditStyle == iesPickListGx || P->FEditStyle == iesLookupListGx || P->FEditStyle == iesCalendarGx ||
      CanDropCalculator()) {
    const win::WORD Pressed = Key;
    // The character of the Enter or Esc that closed or opened the popup is spent too: it
    // would post or revert the cell.
    auto SpendCharOfKey = [&] {
      MSG Next;
      if (!IsChar && (Pressed == VK_RETURN || Pressed == VK_ESCAPE) && HandleAllocated() &&
          PeekMessage(&Next, Handle(), WM_CHAR, WM_CHAR, PM_NOREMOVE) &&
          (Next.wParam == 13 || Next.wParam == 10 || Next.wParam == 27))
        PeekMessage(&Next, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
    };
    if (PopupKeyDown(Key, Shift)) {
      SpendCharOfKey();
      return true;
    }
    if (IsChar && Key >= 32 && !P->FPopups.IsOpen() && C && C->AutoDropDown()) OpenPopup();
    TWinControl* Active = P->FPopups.Active();
    if (P->FPopups.IsOpen() && Active && Active->HandleAllocated()) {
      const HWND Popup = Active->Handle();
      if (Active == P->FCalculatorPopup) {
        if (Key == VK_RETURN || Key == VK_ESCAPE || (Key >= 32 && Key <= 126)) {
          SendMessage(Popup, Message.Msg, Message.WParam, Message.LParam);
          if (!P->FPopups.IsOpen()) SpendCharOfKey();  // the calculator closed itself on the key
          return true;
        }
      } else {
        const bool Paging = (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) &&
                            !Shift.Contains(ssShift);
        const bool Ends = (Key == VK_HOME || Key == VK_END) && Shift.Contains(ssCtrl);
        const bool Sideways = (Key == VK_LEFT || Key == VK_RIGHT) && P->FEditStyle == iesCalendarGx;
        if (Paging || Ends || Sideways) {
          SendMessage(Popup, Message.Msg, Message.WParam, Message.LParam);
          if (P->FEditStyle == iesLookupListGx && P->FLookupPopup) {
            SetText(P->FLookupPopup->DisplayText());
          } else if (P->FEditStyle == iesPickListGx && P->FPickListPopup && P->FPickListPopup->ItemIndex() >= 0) {
            const std::string Item = P->FPickListPopup->Items()->Strings(P->FPickListPopup->ItemIndex());
            if (Item != Text()) SetText(Item);
          }
          return true;
        }
      }
    }
  }
  return P->FRecent.Route(MRUList(), Message);
}

void TDBGridInplaceEdit::WndProc(TMessage& Message) {
  if ((Message.Msg == win::WM_KEYDOWN || Message.Msg == win::WM_SYSKEYDOWN || Message.Msg == win::WM_CHAR) &&
      RouteKeyMessage(Message))
    return;
  TInplaceEdit::WndProc(Message);
}

// ---- key rules ----

void TDBGridInplaceEdit::DeleteBackInList() {
  TColumnGx* C = Column();
  const int Caret = SelStart();
  const bool Selected = SelLength() > 0;
  // At the start of the text with nothing selected there is nothing left of the caret.
  if (Caret == 0 && !Selected) return;
  std::string T = TextWithoutSelection();
  if (!C->CheckEditable(true)) return;
  if (TField* F = C->Field()) F->DataSet()->Edit();
  int NewCaret = Caret;
  if (Caret > 0) {
    const std::size_t From = Utf8CharToByteIndex(T, static_cast<std::size_t>(Caret - 1));
    const std::size_t To = Utf8CharToByteIndex(T, static_cast<std::size_t>(Caret));
    T.erase(From, To - From);
    NewCaret = Caret - 1;
  }
  SetText(T);
  SetSelStart(NewCaret);
  StoreTypedText();
  SyncPopupToValue();
}

void TDBGridInplaceEdit::KeyDown(win::WORD& Key, TShiftState Shift) {
  TCustomDBGridGx* Grid = DBGrid();
  TColumnGx* C = Column();
  const int Kind = C ? C->CellKind() : CellKindPlain;

  // With the recent-texts list open, Esc only closes the list (through its character).
  if (Key == win::VK_ESCAPE && MRUList() && MRUList()->DroppedDown()) return;

  if ((P->FEditStyle == iesEllipsisGx || P->FEditStyle == iesDropDownGx) && Key == win::VK_RETURN &&
      Shift == TShiftState{ssCtrl}) {
    // The line feed this key queued would otherwise reach the text.
    win::MSG Msg;
    if (HandleAllocated() && win::PeekMessage(&Msg, Handle(), win::WM_CHAR, win::WM_CHAR, win::PM_REMOVE) &&
        Msg.message == win::WM_QUIT)
      win::PostQuitMessage(static_cast<int>(Msg.wParam));
    if (Grid) Grid->FireEditButtonClick();
    Key = 0;
    return;
  }

  if (Key == win::VK_DELETE && Shift.Empty() && C && IsListCell(Kind) && C->CheckEditable(false)) {
    const bool WholeText = SelStart() == 0 && SelLength() == TextLength();
    if (WholeText && C->CheckEditable(true)) {
      if (P->FEditStyle == iesLookupListGx) {
        TField* F = C->Field();
        const std::vector<TField*> Keys = cell_values_detail::KeyFieldsOf(F);
        bool AllModifiable = !Keys.empty();
        for (TField* K : Keys) AllModifiable = AllModifiable && K->CanModify();
        if (AllModifiable) {
          F->DataSet()->Edit();
          Grid->GridLink()->MarkModified();
          SetGridEditValue(Null());
          SetGridEditText("");
          SetText("");
        }
      } else if (P->FEditStyle == iesPickListGx && Kind == CellKindKeyPickList) {
        SetText("");
        SetGridEditText(Text());
      }
    } else if (C->OnNotInList()) {
      const std::string T = TextWithoutSelection();
      const int Caret = SelStart();
      if (C->CheckEditable(true)) {
        SetText(T);
        SetSelStart(Caret);
        StoreTypedText();
        SyncPopupToValue();
      }
    } else {
      Key = 0;  // a list value cannot be deleted piecemeal
    }
    return;
  }

  if (Key == win::VK_BACK && C && IsListCell(Kind)) {
    if (C->OnNotInList()) {
      DeleteBackInList();
    } else {
      Key = win::VK_LEFT;
      TInplaceEdit::KeyDown(Key, Shift);
    }
    return;
  }

  if (P->FWordWrap && (Key == win::VK_UP || Key == win::VK_DOWN)) {
    if (!Grid || !Grid->Options().Contains(dgAlwaysShowEditor)) return;
    const int Line = static_cast<int>(Perform(win::EM_LINEFROMCHAR, static_cast<win::WPARAM>(SelStart()), 0));
    const int Lines = static_cast<int>(Perform(win::EM_GETLINECOUNT, 0, 0));
    const bool WholeText = SelStart() == 0 && SelLength() == TextLength();
    if ((Key == win::VK_UP && Line == 0) || (Key == win::VK_DOWN && Lines == Line + 1) || WholeText)
      TInplaceEdit::KeyDown(Key, Shift);
    return;
  }

  if (Key == win::VK_RETURN && Grid && Grid->OptionsGx().Contains(dghEnterAsTab)) {
    Grid->HandleKeyDown(Key, Shift);
    Key = 0;
    return;
  }

  const TShortCut Pressed = ShortCut(Key, Shift);
  if (Pressed == PreviousValueShortCut() && Grid) {
    Grid->HandleKeyDown(Key, Shift);
    Key = 0;
    return;
  }

  if (Key == 'F' && Shift == TShiftState{ssCtrl} && Grid && Grid->OptionsGx().Contains(dghIncSearch)) {
    Grid->IncrementalSearch("", -1);  // a search without time-out
    Key = 0;
    return;
  }

  if (C && C->DropDownSpecRow()->Visible() && P->FEditStyle == iesLookupListGx &&
      Pressed == C->DropDownSpecRow()->ShortCut() && C->CheckEditable(false)) {
    if (C->CheckEditable(true)) {
      SetText(C->DropDownSpecRow()->CellTextAt(0));
      SetGridEditText(Text());
      SetGridEditValue(C->DropDownSpecRow()->Value());
      SelectAll();
    }
    // A short cut such as Ctrl+Del would otherwise delete the text just shown.
    Key = 0;
    return;
  }

  if (TEditButtonGx* Item = ButtonByShortCut(Pressed)) {
    if (TEditButtonControlGx* Control = P->FButtons.ItemControl(Item->Index())) TEditButtonStripGx::PressByKey(Control);
    Key = 0;
    return;
  }

  TInplaceEdit::KeyDown(Key, Shift);
}

void TDBGridInplaceEdit::KeyUp(win::WORD& Key, TShiftState Shift) {
  TInplaceEdit::KeyUp(Key, Shift);
  // A released Ctrl ends what the lookup grid does while it is held.
  if (Key == win::VK_CONTROL && P->FEditStyle == iesLookupListGx && P->FPopups.IsOpen() && P->FLookupPopup &&
      P->FLookupPopup->HandleAllocated())
    win::SendMessage(P->FLookupPopup->Handle(), win::WM_KEYUP, Key, static_cast<win::LPARAM>(0xC0000001u));
}

void TDBGridInplaceEdit::HandleCharKey(TKeyChar& Key) {
  TKeyChar Full = Key;
  bool Pair = false;
  // A character beyond the basic plane arrives as two messages; complete with both.
  if (Key >= 0xD800 && Key < 0xDC00 && HandleAllocated()) {
    win::MSG Msg;
    if (win::PeekMessage(&Msg, Handle(), win::WM_CHAR, win::WM_CHAR, win::PM_NOREMOVE) &&
        Msg.message == win::WM_CHAR && Msg.wParam >= 0xDC00 && Msg.wParam < 0xE000) {
      Full = 0x10000 + ((Key - 0xD800) << 10) + (static_cast<TKeyChar>(Msg.wParam) - 0xDC00);
      Pair = true;
    }
  }
  P->FCharKeyText = Key == 8 ? std::string("\b") : CharText(Full);
  CompleteTyping(P->FCharKeyText);
  if (!P->FCharKeyText.empty()) return;
  Key = 0;
  if (Pair) {
    win::MSG Msg;
    win::PeekMessage(&Msg, Handle(), win::WM_CHAR, win::WM_CHAR, win::PM_REMOVE);
  }
}

void TDBGridInplaceEdit::KeyPress(TKeyChar& Key) {
  HandleCharKey(Key);
  if (Key == 10 && !P->FWordWrap && CurrentShiftState() == TShiftState{ssCtrl}) Key = 0;
  if (Key == 0) return;
  TInplaceEdit::KeyPress(Key);
}

// ---- completion ----

void TDBGridInplaceEdit::TakeUnlistedText(const std::string& S) {
  TGridDataLinkGx* Link = DBGrid()->GridLink();
  Link->Edit();
  if (!Link->Editing()) return;
  Link->MarkModified();
  ShowCompleted(S, static_cast<int>(Utf8Length(S)));
  SetGridEditValue(Null());
  SetGridEditText(Text());
  // No list entry is named by a text that completed to none.
  if (P->FPickListPopup) P->FPickListPopup->SetItemIndex(-1);
}

void TDBGridInplaceEdit::CompleteTyping(std::string& KeyText) {
  if (IsControlCharText(KeyText)) return;
  TCustomDBGridGx* Grid = DBGrid();
  TColumnGx* C = Column();
  if (!Grid || !C) return;
  const std::string S = Utf8LeftChars(Text(), static_cast<std::size_t>(SelStart())) + KeyText;
  const int Typed = static_cast<int>(Utf8Length(S));
  TGridDataLinkGx* Link = Grid->GridLink();
  TDataSet* List = C->LookupListDataSet();

  if (P->FEditStyle == iesLookupListGx && CellModifiable() && DataModifiable() && List) {
    if (KeyText != "\b") {
      TField* F = C->Field();
      if (List->Locate(F->LookupResultField(), Variant(S), TLocateOptions{loCaseInsensitive, loPartialKey})) {
        const std::string T = List->FieldByName(F->LookupResultField())->Text();
        const Variant V = List->FieldValues(F->LookupKeyFields());
        Link->Edit();
        if (Link->Editing()) {
          Link->MarkModified();
          ShowCompleted(T, Typed);
          SetGridEditValue(V);
          SetGridEditText(Text());
          SyncPopupToValue();
        }
      } else if (C->OnNotInList()) {
        TakeUnlistedText(S);
      }
    }
    KeyText.clear();  // the edit control never types the character itself
    return;
  }

  const int Kind = C->CellKind();
  if ((Kind == CellKindKeyPickList || P->FEditStyle == iesPickListGx) && CellModifiable()) {
    if (!(KeyText == "\b" && Kind == CellKindKeyPickList)) {
      const int I = FindInStrings(C->PickList(), S, true);
      if (I >= 0) {
        KeyText.clear();
        Link->Edit();
        if (Link->Editing()) Link->MarkModified();
        ShowCompleted(C->PickList()->Strings(I), Typed);
        SetGridEditText(Text());
        if (P->FPickListPopup) P->FPickListPopup->SetItemIndex(I);
      } else if (C->OnNotInList() && Kind == CellKindKeyPickList) {
        TakeUnlistedText(S);
      }
    }
    // A key-list cell takes list entries only (or, with OnNotInList, the text set above).
    if (Kind == CellKindKeyPickList) KeyText.clear();
  }
}

void TDBGridInplaceEdit::StoreTypedText() {
  TColumnGx* C = Column();
  if (!C || !C->CheckEditable(true)) return;
  SetGridEditText(Text());
  if (P->FEditStyle != iesLookupListGx) return;
  Variant V = Null();
  TDataSet* List = C->LookupListDataSet();
  TField* F = C->Field();
  if (List && F && List->Locate(F->LookupResultField(), Variant(Text()), TLocateOptions{loCaseInsensitive}))
    V = List->FieldValues(F->LookupKeyFields());
  SetGridEditValue(V);
}

// ---- paste ----

void TDBGridInplaceEdit::EditChar(TKeyChar Key) {
  if (Key == 22) {  // Ctrl+V goes through the paste message, completion included
    Perform(win::WM_PASTE, 0, 0);
    return;
  }
  TInplaceEdit::EditChar(Key);
}

void TDBGridInplaceEdit::EditKeyDown(win::WORD Key, TShiftState Shift) {
  if (Key == win::VK_INSERT && Shift.Contains(ssShift)) {
    Perform(win::WM_PASTE, 0, 0);
    return;
  }
  TInplaceEdit::EditKeyDown(Key, Shift);
}

void TDBGridInplaceEdit::WMPaste(TMessage& Message) {
  TCustomDBGridGx* Grid = DBGrid();
  TColumnGx* C = Column();
  if (!Grid || !C || !DataModifiable() || !C->CheckEditable(false)) return;
  const int Kind = C->CellKind();
  if (P->FEditStyle != iesLookupListGx && Kind != CellKindKeyPickList) {
    TInplaceEdit::Dispatch(Message);
    return;
  }
  if (!Clipboard()->HasFormat(win::CF_TEXT)) return;
  const std::string Whole = Text();
  const std::size_t From = Utf8CharToByteIndex(Whole, static_cast<std::size_t>(SelStart()));
  const std::size_t To = Utf8CharToByteIndex(Whole, static_cast<std::size_t>(SelStart() + SelLength()));
  const std::string S = Whole.substr(0, From) + Clipboard()->AsText() + Whole.substr(To);

  TDataSet* List = C->LookupListDataSet();
  const bool LookupCase = P->FEditStyle == iesLookupListGx && List;
  TField* F = C->Field();
  std::string T;
  Variant V = Null();
  int I = -1;
  bool Found = false;
  if (LookupCase) {
    if (List->Locate(F->LookupResultField(), Variant(S), TLocateOptions{loCaseInsensitive, loPartialKey})) {
      T = List->FieldByName(F->LookupResultField())->Text();
      V = List->FieldValues(F->LookupKeyFields());
      Found = true;
    } else if (C->OnNotInList()) {
      T = S;
    } else {
      return;
    }
  } else {
    I = FindInStrings(C->PickList(), S, true);
    if (I >= 0 && CellModifiable()) {
      T = C->PickList()->Strings(I);
      Found = true;
    } else if (C->OnNotInList()) {
      T = S;
      I = -1;
    } else {
      return;
    }
  }
  TGridDataLinkGx* Link = Grid->GridLink();
  Link->Edit();
  if (Link->Editing()) Link->MarkModified();
  else if (LookupCase) return;
  ShowCompleted(T, Found ? static_cast<int>(Utf8Length(S)) : static_cast<int>(Utf8Length(T)));
  if (LookupCase) SetGridEditValue(V);
  SetGridEditText(Text());
  if (!LookupCase && P->FPickListPopup) P->FPickListPopup->SetItemIndex(I);
}

// ---- stepping ----

void TDBGridInplaceEdit::StepValue(bool Down) {
  TCustomDBGridGx* Grid = DBGrid();
  TColumnGx* C = Column();
  if (!Grid || !C || !C->CheckEditable(true)) return;
  if (Grid->GetEditText(Grid->Col(), Grid->Row()) != Text()) {
    Grid->SetEditText(Grid->Col(), Grid->Row(), Text());
    Grid->WriteEditorText();
  }
  const double Inc = C->Increment();
  const bool Number = C->CellKind() == CellKindPlain;
  // Numbers go up with the upper half, lists to their previous entry.
  C->StepCellValue(Down == Number ? -Inc : Inc);
}
