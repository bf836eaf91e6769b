// The lookup grid's keys, typed search, mouse, wheel and window messages: each moves
// the list and, where the user picks a row, takes its key.
#include "grid/DBLookupGridsGx/LookupGrid.h"

#include "grid/DBGridGx/GridDataLink.h"
#include "platform/controls/Messages.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace {
constexpr win::UINT_PTR AutoScrollTimerId = 5;
constexpr win::DWORD SearchPause = 2000;
constexpr std::size_t SearchTextLimit = 32;
}  // namespace

// ---- keys ----

void TDBLookupGridGx::KeyDown(win::WORD& Key, TShiftState Shift) {
  if (!CanChangeKeyValue()) {
    TCustomDBGridGx::KeyDown(Key, Shift);
    return;
  }
  const bool HorzBar =
      HandleAllocated() && (win::GetWindowLongPtr(Handle(), win::GWL_STYLE) & win::WS_HSCROLL) != 0;
  switch (Key) {
    case win::VK_PRIOR:
    case win::VK_NEXT:
    case win::VK_END:
    case win::VK_HOME:
    case win::VK_UP:
    case win::VK_DOWN: break;
    case win::VK_LEFT:
    case win::VK_RIGHT:
      if (!HorzBar) break;
      [[fallthrough]];
    default: TCustomDBGridGx::KeyDown(Key, Shift); return;
  }
  StepByKey(Key);
  Key = 0;
}

void TDBLookupGridGx::StepByKey(win::WORD Key) {
  FSearchText.clear();
  TDataSet* List = GridLink()->DataSet();
  int Step = 0;
  switch (Key) {
    case win::VK_PRIOR: Step = 1 - DataRowCount(); break;
    case win::VK_NEXT: Step = DataRowCount() - 1; break;
    case win::VK_LEFT:
    case win::VK_UP: Step = -1; break;
    case win::VK_RIGHT:
    case win::VK_DOWN: Step = 1; break;
    default: break;
  }
  const bool Upwards = Key == win::VK_UP || Key == win::VK_LEFT || Key == win::VK_PRIOR || Key == win::VK_HOME;
  if (Upwards && FSpecRow->Visible() && (List->Bof() || FSpecRow->Selected())) {
    SelectSpecRow();
    List->First();
    return;
  }
  if (!Upwards && FSpecRow->Selected()) List->First();
  if (Key == win::VK_HOME) {
    List->First();
  } else if (Key == win::VK_END) {
    List->Last();
  } else {
    const int R = KeyRowIndex();
    if (R < 0) {
      KeyValueChanged();
      Step = 0;
    } else {
      List->MoveBy(R - GridLink()->ActiveRecord());
    }
    List->MoveBy(Step);
  }
  SelectCurrentKey();
}

void TDBLookupGridGx::KeyPress(TKeyChar& Key) {
  if (CanChangeKeyValue()) {
    SearchByKey(Key);
    return;
  }
  TCustomDBGridGx::KeyPress(Key);
}

void TDBLookupGridGx::SearchByKey(TKeyChar Key) {
  if (!FListField || (FListField->FieldKind() != fkData && FListField->FieldKind() != fkInternalCalc) ||
      FListField->DataType() != ftString)
    return;
  if (Key == 8 || Key == 27) {
    FSearchText.clear();
    return;
  }
  if (Key < 32 || !CanChangeKeyValue()) return;
  const win::DWORD Now = win::GetTickCount();
  if (Now - LastSearchKeyTime > SearchPause) FSearchText.clear();
  LastSearchKeyTime = Now;
  if (Utf8Length(FSearchText) >= SearchTextLimit) return;
  std::string S = FSearchText;
  Utf8Append(S, Key);
  try {
    TDataSet* List = GridLink()->DataSet();
    if (List->Locate(FListField->FieldName(), Variant(S), TLocateOptions{loCaseInsensitive, loPartialKey})) {
      ChooseKeyValue(List->FieldValues(FKeyFields));
      FSearchText = S;
    }
  } catch (...) {
    FSearchText = S;
  }
}

// ---- mouse ----

bool TDBLookupGridGx::OnRows(int X, int Y) {
  const TGridCoord Cell = MouseCoord(X, Y);
  const bool OnSpecRow = FSpecRow->Visible() && Cell.X >= 0 && Cell.Y == TitleAreaRowCount() - 1;
  return OnSpecRow || DataCellBounds().Contains(Cell.X, Cell.Y);
}

void TDBLookupGridGx::DblClick() {
  if (!FRowDblClick && HandleAllocated()) {
    win::POINT P{};
    win::GetCursorPos(&P);
    P = ScreenToClient(P);
    if (OnRows(P.x, P.y)) return;
  }
  TCustomDBGridGx::DblClick();
}

void TDBLookupGridGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!OnRows(X, Y)) {
    TCustomDBGridGx::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (OnMouseDown()) OnMouseDown()(this, Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FSearchText.clear();
  if (!FIsPopup) {
    SetFocus();
    if (!FHasFocus) return;
  }
  if (!CanChangeKeyValue()) return;
  if (Shift.Contains(ssDouble)) {
    const int H = DataRowHeight();
    const int Top = TitleHeightT() + SpecRowHeightShown();
    if (H > 0 && Y >= Top && (Y - Top) / H == GridLink()->ActiveRecord()) {
      FRowDblClick = true;
      auto reset = AtScopeExit([this] { FRowDblClick = false; });
      DblClick();
    }
    return;
  }
  if (!MouseCapture()) return;
  FTracking = true;
  if (Y > TitleHeightT()) SelectRowAt(X, Y);
}

void TDBLookupGridGx::MouseMove(TShiftState Shift, int X, int Y) {
  if (!FTracking) {
    TCustomDBGridGx::MouseMove(Shift, X, Y);
    return;
  }
  SelectRowAt(X, Y);
  FLastMouseY = Y;
  AutoScrollStep(X, Y);
  if (OnMouseMove()) OnMouseMove()(this, Shift, X, Y);
}

void TDBLookupGridGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!FTracking) {
    TCustomDBGridGx::MouseUp(Button, Shift, X, Y);
    return;
  }
  EndTracking();
  if (Y > TitleHeightT()) SelectRowAt(X, Y);
  if (OnMouseUp()) OnMouseUp()(this, Button, Shift, X, Y);
}

void TDBLookupGridGx::EndTracking() {
  StopAutoScroll();
  if (MouseCapture()) SetMouseCapture(false);
  FTracking = false;
}

void TDBLookupGridGx::SelectRowAt(int X, int Y) {
  const int T = TitleHeightT(), S = SpecRowHeightShown();
  if (FSpecRow->Visible() && T < Y && Y <= T + S) {
    SelectSpecRow();
    return;
  }
  if (Y < T + S || !GridLink()->Active()) return;
  Y = std::min(Y, ClientHeight() - 1);
  const TGridCoord Cell = MouseCoord(X, Y);
  if (!DataCellBounds().Contains(Cell.X, Cell.Y)) return;
  const int Target = Cell.Y - TitleAreaRowCount();
  // Only rows that show a buffered record can be picked.
  if (Target < 0 || Target >= GridLink()->RecordCount()) return;
  GridLink()->DataSet()->MoveBy(Target - GridLink()->ActiveRecord());
  SelectCurrentKey();
}

void TDBLookupGridGx::AutoScrollStep(int, int) {
  const int Y = FLastMouseY;
  int Direction = 0, Distance = 0;
  if (Y < 0) {
    Direction = -1;
    Distance = -Y;
  } else if (Y >= ClientHeight()) {
    Direction = 1;
    Distance = Y - ClientHeight() + 1;
  } else {
    StopAutoScroll();
    return;
  }
  TDataSet* List = GridLink()->DataSet();
  if (!List) return;
  if (Y < 0 && FSpecRow->Visible() && List->Bof()) SelectSpecRow();
  else if (List->MoveBy(Direction) != 0) SelectCurrentKey();
  StartAutoScroll(std::max(0, 200 - 15 * Distance));
}

void TDBLookupGridGx::StartAutoScroll(int Interval) {
  if (!HandleAllocated()) return;
  FLookupScrollInterval = Interval;
  win::SetTimer(Handle(), AutoScrollTimerId, static_cast<win::UINT>(Interval), nullptr);
}

void TDBLookupGridGx::StopAutoScroll() {
  if (FLookupScrollInterval < 0) return;
  FLookupScrollInterval = -1;
  if (HandleAllocated()) win::KillTimer(Handle(), AutoScrollTimerId);
}

bool TDBLookupGridGx::DoMouseWheelDown(TShiftState, win::POINT) {
  TDataSet* List = GridLink()->DataSet();
  if (!List) return false;
  List->MoveBy(FListRecordCount - FListActiveRecord);
  return true;
}

bool TDBLookupGridGx::DoMouseWheelUp(TShiftState, win::POINT) {
  TDataSet* List = GridLink()->DataSet();
  if (!List) return false;
  List->MoveBy(-FListActiveRecord - 1);
  return true;
}

// ---- messages ----

void TDBLookupGridGx::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_SETFOCUS:
      FSearchText.clear();
      FHasFocus = true;
      TCustomDBGridGx::Dispatch(Message);
      Invalidate();
      return;
    case win::WM_KILLFOCUS:
      FHasFocus = false;
      TCustomDBGridGx::Dispatch(Message);
      Invalidate();
      return;
    case win::WM_GETDLGCODE: Message.Result = win::DLGC_WANTARROWS | win::DLGC_WANTCHARS; return;
    case win::WM_SIZE: WindowSized(Message); return;
    case win::WM_VSCROLL: VertScroll(Message); return;
    case win::WM_TIMER:
      if (Message.WParam == AutoScrollTimerId) {
        if (FTracking) AutoScrollStep(0, FLastMouseY);
        else StopAutoScroll();
        return;
      }
      break;
    case win::WM_SETCURSOR:
      if (FSpecRow->Visible() && HandleAllocated()) {
        win::POINT P{};
        win::GetCursorPos(&P);
        P = ScreenToClient(P);
        // Over the special row no sizing cursor is offered.
        if (MouseCoord(P.x, P.y).Y == TitleAreaRowCount() - 1) return;
      }
      break;
    case CM_RECREATEWND:
      if (FFitGuard) return;
      break;
    default: break;
  }
  TCustomDBGridGx::Dispatch(Message);
}
