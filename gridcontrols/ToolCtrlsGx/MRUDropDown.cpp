#include "gridcontrols/ToolCtrlsGx/MRUDropDown.h"

#include <algorithm>

#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "platform/controls/MaskUtils.h"
#include "platform/controls/Messages.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

TMRUDropDownGx::TMRUDropDownGx(TCustomMaskEdit* Edit, TRulesGx Rules) : FEdit(Edit), FRules(Rules) {}

TMRUDropDownGx::~TMRUDropDownGx() {
  // The list box goes with the edit's components; it may not call back after this.
  if (!FListbox) return;
  FListbox->SetOnMouseUp(nullptr);
  FListbox->SizeGrip()->SetOnParentResized(nullptr);
}

TMRUListboxGx* TMRUDropDownGx::NeedListbox() {
  if (!FListbox) FListbox = FHooks.NewListbox();
  return FListbox;
}

TMRUListboxGx* TMRUDropDownGx::NewListbox() {
  auto* List = new TMRUListboxGx(FEdit);
  List->SetVisible(false);
  List->SetCtl3D(false);
  List->SetParentCtl3D(false);
  List->SetSorted(true);
  List->SetParent(FEdit);
  List->SetOnMouseUp(TMouseEvent::Bind(this, &TMRUDropDownGx::ListMouseUp));
  return List;
}

void TMRUDropDownGx::Forget(TComponent* Component) {
  if (Component == FListbox) FListbox = nullptr;
}

bool TMRUDropDownGx::Offers(const TMRUListGx* List, TObject* Sender, const std::string& Item,
                            const std::string& Text) {
  const std::string Head = Utf8LeftChars(Item, Utf8Length(Text));
  bool Accept = (List && List->CaseSensitive() ? AnsiCompareStr(Head, Text) : AnsiCompareText(Head, Text)) == 0;
  if (List && List->OnFilterItem()) List->OnFilterItem()(Sender, Accept);
  return Accept;
}

void TMRUDropDownGx::FollowText(TMRUListGx* List, const std::string& Text, bool MayOpen) {
  if (!List) return;
  const std::string Blank = FEdit->IsMasked() ? FormatMaskText(FEdit->EditMask(), "") : std::string();
  if (List->DroppedDown() && Text == Blank) {
    FHooks.Close(false);
    return;
  }
  if (List->Active() && MayOpen && Text != Blank) FHooks.Open();
}

void TMRUDropDownGx::Fill(TMRUListGx* List) {
  TStrings* Items = FListbox->Items();
  Items->BeginUpdate();
  auto Done = AtScopeExit([Items] { Items->EndUpdate(); });
  Items->Clear();
  TStrings* Recent = List->Items();
  for (int I = 0; I < Recent->Count(); ++I) {
    bool Accept = true;
    FHooks.Filter(Recent->Strings(I), Accept);
    if (Accept) Items->Add(Recent->Strings(I));
  }
}

win::RECT TMRUDropDownGx::Anchor() const {
  win::RECT R{};
  FEdit->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&R));
  const win::POINT TopLeft = FEdit->ClientToScreen({R.left, R.top});
  return {TopLeft.x, TopLeft.y, TopLeft.x + (R.right - R.left), TopLeft.y + (R.bottom - R.top)};
}

void TMRUDropDownGx::Open(TMRUListGx* List) {
  if (!List) return;
  TMRUListboxGx* Box = NeedListbox();
  Fill(List);
  const int Offered = Box->Items()->Count();
  Box->SizeToRows(std::min(Offered, List->Rows()));
  if (List->DroppedDown()) {
    if (Offered == 0) {
      FHooks.Close(false);
      return;
    }
    const bool Resized = Box->GripResized();  // moving is no resize by the user
    ShowDropDownWindow(Box, PlaceDropDownWindow(Anchor(), Box, taLeftJustify));
    Box->SetGripResized(Resized);
    Box->UpdateOwnScrollBar();
    return;
  }
  if (Offered == 0) return;

  Box->SetColor(FEdit->Color());
  Box->Font()->Assign(FEdit->Font());
  Box->SetItemHeight(Box->MeasureLineHeight());
  Box->SetItemIndex(-1);
  Box->SizeToRows(std::min(Offered, List->Rows()));
  const win::RECT R = Anchor();
  const int AnchorWidth = R.right - R.left;
  Box->SetWidth(FRules.KeepsUserWidth && List->PopupWidth() > AnchorWidth ? List->PopupWidth() : AnchorWidth);
  ShowDropDownWindow(Box, PlaceDropDownWindow(R, Box, taLeftJustify));
  Box->SizeGrip()->GripVisible(true);
  Box->UpdateOwnScrollBar();
  List->SetDroppedDown(true);
  Box->SetGripResized(false);
  Box->SizeGrip()->SetOnParentResized(TNotifyEvent::Bind(this, &TMRUDropDownGx::GripResized));
}

void TMRUDropDownGx::Close(TMRUListGx* List, bool Accept) {
  if (!List || !List->DroppedDown() || !FListbox) return;
  CancelMouseCapture();
  const bool HadFocus = FListbox->HandleAllocated() && win::GetFocus() == FListbox->Handle();
  HideDropDownWindow(FListbox);
  if (HadFocus && FEdit->HandleAllocated()) win::SetFocus(FEdit->Handle());
  List->SetDroppedDown(false);
  if (!Accept || !FHooks.MayTake()) return;
  const int I = FListbox->ItemIndex();
  if (I >= 0) FHooks.Take(FListbox->Items()->Strings(I));
  if (FEdit->Focused()) FEdit->SelectAll();
}

bool TMRUDropDownGx::Route(TMRUListGx* List, TMessage& Message) {
  if (!List || !List->DroppedDown() || !FListbox) return false;
  using namespace win;
  const UINT Msg = Message.Msg;
  if (Msg == CM_MOUSEWHEEL) {
    if (!FRules.TakesWheel || FListbox->Perform(Msg, Message.WParam, Message.LParam) == 0) return false;
    Message.Result = 1;
    return true;
  }
  const bool KeyMessage = Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN;
  if (!KeyMessage && Msg != WM_CHAR) return false;
  const WORD Code = LOWORD(static_cast<DWORD>(Message.WParam));
  if (Code == VK_RETURN || Code == VK_ESCAPE) {
    if (KeyMessage && !FRules.ClosesOnKeys) return false;
    FHooks.Close(Code == VK_RETURN);
    // The character of the same key is the list's too: Esc closing the list must not go
    // on to revert the text.
    MSG Queued{};
    if (KeyMessage && FEdit->HandleAllocated() &&
        PeekMessage(&Queued, FEdit->Handle(), WM_CHAR, WM_CHAR, PM_NOREMOVE) && Queued.wParam == Code)
      PeekMessage(&Queued, FEdit->Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
    return true;
  }
  // Navigation goes to the list only as keys: typed characters with the same codes
  // ("!", "\"", "#", "$", "&", "(") are text.
  if (!KeyMessage) return false;
  const TShiftState Shift = KeyDataToShiftState(Message.LParam);
  const bool Moves = ((Code == VK_PRIOR || Code == VK_NEXT || Code == VK_UP || Code == VK_DOWN) &&
                      !Shift.Contains(ssAlt)) ||
                     ((Code == VK_END || Code == VK_HOME) && Shift.Contains(ssCtrl));
  if (!Moves) return false;
  FListbox->Perform(Msg, Message.WParam, Message.LParam);
  return true;
}

bool TMRUDropDownGx::HasChoice(const TMRUListGx* List) const {
  return List && List->DroppedDown() && FListbox && FListbox->ItemIndex() >= 0;
}

void TMRUDropDownGx::RememberSize(TMRUListGx* List) {
  if (!List || !List->DroppedDown() || !FListbox) return;
  List->SetRows(FListbox->RowCount());
  List->SetPopupWidth(FListbox->Width());
}

bool TMRUDropDownGx::Holds(win::HWND Window) const {
  if (!Window || !FListbox || !FListbox->HandleAllocated()) return false;
  return Window == FListbox->Handle() || win::GetParent(Window) == FListbox->Handle();
}

bool TMRUDropDownGx::Holds(TControl* Control) const {
  return Control && FListbox && (Control == FListbox || FListbox->ContainsControl(Control));
}

void TMRUDropDownGx::ListMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft || !FListbox) return;
  FHooks.Close(X >= 0 && X < FListbox->ClientWidth() && Y >= 0 && Y < FListbox->ClientHeight());
}

void TMRUDropDownGx::GripResized(TObject*) { FHooks.Resized(); }
