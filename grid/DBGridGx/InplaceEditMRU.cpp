// TDBGridInplaceEdit: the drop-down of the column's recent texts, which follows what the
// user types.
#include "grid/DBGridGx/InplaceEdit.h"

#include <algorithm>

#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "gridcontrols/ToolCtrlsGx/MRUList.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
#include "platform/controls/MaskUtils.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

TMRUListboxGx* TDBGridInplaceEdit::MRUListbox() {
  if (!FMRUListbox) FMRUListbox = NewMRUListbox();
  return FMRUListbox;
}

TMRUListboxGx* TDBGridInplaceEdit::NewMRUListbox() {
  auto* List = new TMRUListboxGx(this);
  List->SetVisible(false);
  List->SetCtl3D(false);
  List->SetParentCtl3D(false);
  List->SetSorted(true);
  List->SetParent(this);
  List->SetOnMouseUp(TMouseEvent::Bind(this, &TDBGridInplaceEdit::MRUListMouseUp));
  return List;
}

void TDBGridInplaceEdit::FilterMRUItem(const std::string& Item, bool& Accept) {
  TMRUListGx* List = MRUList();
  const std::string T = Text();
  const std::string Start = Utf8LeftChars(Item, Utf8Length(T));
  Accept = List && List->CaseSensitive() ? AnsiCompareStr(Start, T) == 0 : AnsiCompareText(Start, T) == 0;
  if (List && List->OnFilterItem()) List->OnFilterItem()(Column(), Accept);
}

void TDBGridInplaceEdit::MRUListboxResized() {
  TMRUListGx* List = MRUList();
  if (!List || !List->DroppedDown() || !FMRUListbox) return;
  List->SetRows(FMRUListbox->RowCount());
  List->SetPopupWidth(FMRUListbox->Width());
}

void TDBGridInplaceEdit::MRUGripResized(TObject*) { MRUListboxResized(); }

void TDBGridInplaceEdit::OpenMRUList() {
  TMRUListGx* List = MRUList();
  if (!List) return;
  TMRUListboxGx* Box = MRUListbox();
  {
    Box->Items()->BeginUpdate();
    auto Release = AtScopeExit([Box] { Box->Items()->EndUpdate(); });
    Box->Items()->Clear();
    for (int I = 0; I < List->Items()->Count(); ++I) {
      bool Accept = false;
      FilterMRUItem(List->Items()->Strings(I), Accept);
      if (Accept) Box->Items()->Add(List->Items()->Strings(I));
    }
  }
  const int Entries = Box->Items()->Count();
  Box->SizeToRows(std::min(Entries, List->Rows()));

  // The list drops from the text area of the editor.
  auto Anchor = [this] {
    win::RECT R{};
    Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&R));
    const win::POINT TopLeft = ClientToScreen({R.left, R.top});
    return win::RECT{TopLeft.x, TopLeft.y, TopLeft.x + (R.right - R.left), TopLeft.y + (R.bottom - R.top)};
  };
  if (List->DroppedDown()) {
    if (Entries == 0) {
      CloseMRUList(false);
      return;
    }
    const bool Resized = Box->GripResized();  // moving is no resize by the user
    ShowPopupWindow(Box, PlaceDropDownWindow(Anchor(), Box, taLeftJustify));
    Box->SetGripResized(Resized);
    return;
  }
  if (Entries == 0) return;

  Box->SetColor(Color());
  Box->Font()->Assign(Font());
  Box->SetItemHeight(Box->MeasureLineHeight());
  Box->SetItemIndex(-1);
  if (Entries < Box->RowCount()) Box->SizeToRows(Entries);
  const win::RECT R = Anchor();
  const int AnchorWidth = R.right - R.left;
  Box->SetWidth(List->PopupWidth() > 0 && List->PopupWidth() > AnchorWidth ? List->PopupWidth() : AnchorWidth);
  ShowPopupWindow(Box, PlaceDropDownWindow(R, Box, taLeftJustify));
  Box->SizeGrip()->GripVisible(true);
  Box->UpdateOwnScrollBar();
  List->SetDroppedDown(true);
  FMRUColumn = Column();
  Box->SetGripResized(false);
  Box->SizeGrip()->SetOnParentResized(TNotifyEvent::Bind(this, &TDBGridInplaceEdit::MRUGripResized));
}

TMRUListGx* TDBGridInplaceEdit::DroppedMRUList() const {
  TCustomDBGridGx* Grid = DBGrid();
  if (!FMRUColumn || !Grid) return nullptr;
  for (int I = 0; I < Grid->Columns()->Count(); ++I)
    if (Grid->Columns()->ColumnAt(I) == FMRUColumn)
      return FMRUColumn->MRUList()->DroppedDown() ? FMRUColumn->MRUList() : nullptr;
  return nullptr;
}

void TDBGridInplaceEdit::CloseMRUList(bool Accept) {
  TMRUListGx* List = DroppedMRUList();
  FMRUColumn = nullptr;
  if (!List || !FMRUListbox) return;
  if (const win::HWND Capture = win::GetCapture()) win::SendMessage(Capture, win::WM_CANCELMODE, 0, 0);
  const bool HadFocus = FMRUListbox->HandleAllocated() && win::GetFocus() == FMRUListbox->Handle();
  HidePopupWindow(FMRUListbox);
  if (HadFocus && HandleAllocated()) win::SetFocus(Handle());
  List->SetDroppedDown(false);
  TCustomDBGridGx* Grid = DBGrid();
  if (!Accept || ReadOnly() || !Grid || !Grid->GridLink()->Edit()) return;
  const int I = FMRUListbox->ItemIndex();
  if (I >= 0) {
    SetText(FMRUListbox->Items()->Strings(I));
    SetGridEditText(Text());
    FTextChangedByUser = false;  // the entry taken does not open the list again
  }
  if (Focused()) SelectAll();
}

void TDBGridInplaceEdit::MRUListMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft || !FMRUListbox) return;
  const win::RECT R = FMRUListbox->ClientRect();
  CloseMRUList(X >= R.left && X < R.right && Y >= R.top && Y < R.bottom);
}

void TDBGridInplaceEdit::FollowTypedText() {
  TMRUListGx* List = MRUList();
  if (!List) return;
  const std::string Blank = IsMasked() ? FormatMaskText(EditMask(), "") : std::string();
  if (List->DroppedDown() && Text() == Blank) {
    CloseMRUList(false);
    return;
  }
  if (List->Active() && Showing() && !FPopupVisible && Text() != Blank) OpenMRUList();
}
