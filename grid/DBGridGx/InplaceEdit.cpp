// TDBGridInplaceEdit: making the editor, its edit style and popups, loading a cell, and
// the mouse, cursor, focus and cancel-mode messages.
#include "grid/DBGridGx/InplaceEditPrivate.h"

#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnsCellValues.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBLookupGridsGx/PopupDataGrid.h"
#include "gridcontrols/ToolCtrlsGx/Calculator.h"
#include "gridcontrols/ToolCtrlsGx/MRUList.h"
#include "gridcontrols/ToolCtrlsGx/PopupCalendar.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
#include "platform/controls/Forms.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

int FindInStrings(TStrings* Strings, const std::string& Text, bool PartialKey) {
  if (!Strings) return -1;
  const std::size_t n = Utf8Length(Text);
  for (int i = 0; i < Strings->Count(); ++i) {
    std::string item = Strings->Strings(i);
    if (PartialKey) {
      if (Utf8Length(item) < n) continue;
      item = Utf8LeftChars(item, n);
    }
    if (AnsiCompareText(item, Text) == 0) return i;
  }
  return -1;
}

TShiftState CurrentShiftState() {
  TShiftState Shift;
  if (win::GetKeyState(win::VK_SHIFT) < 0) Shift.Include(ssShift);
  if (win::GetKeyState(win::VK_CONTROL) < 0) Shift.Include(ssCtrl);
  if (win::GetKeyState(win::VK_MENU) < 0) Shift.Include(ssAlt);
  return Shift;
}

bool IsControlCharText(const std::string& Text) {
  return Text.size() == 1 && static_cast<unsigned char>(Text[0]) < 32 && Text[0] != 8;
}

namespace {

// The style the editor takes for a cell of Column: the column's edit style, except that a
// pick list shown with images still drops down as a list.
TInplaceEditStyleGx EditorStyleOf(TColumnGx* Column) {
  TField* Field = Column->Field();
  if (Column->ButtonStyle() == cbsAuto && Field && Field->FieldKind() != fkLookup && Column->HasPickList() &&
      Column->PickList()->Count() > 0 && !Column->ReadOnly())
    return iesPickListGx;
  return ColumnEditStyle(Column);
}

}  // namespace

TDBGridInplaceEdit::TDBGridInplaceEdit(TComponent* AOwner)
    : TInplaceEdit(AOwner), P(std::make_unique<TState>(this)) {
  P->FButtons.SetHandlers(TButtonDownEventGx::Bind(this, &TDBGridInplaceEdit::ButtonMouseDown),
                       TNotifyEvent::Bind(this, &TDBGridInplaceEdit::ButtonClicked),
                       TMouseMoveEvent::Bind(this, &TDBGridInplaceEdit::ButtonMouseMove),
                       TMouseEvent::Bind(this, &TDBGridInplaceEdit::ButtonMouseUp));
  P->FRecent.SetHooks({
      .NewListbox = [this] { return NewMRUListbox(); },
      .Filter = [this](const std::string& Item, bool& Accept) { FilterMRUItem(Item, Accept); },
      .Open = [this] { OpenMRUList(); },
      .Close = [this](bool Accept) { CloseMRUList(Accept); },
      .Resized = [this] { MRUListboxResized(); },
      .MayTake = [this] {
        TCustomDBGridGx* Grid = DBGrid();
        return !ReadOnly() && Grid && Grid->GridLink()->Edit();
      },
      .Take =
          [this](const std::string& Chosen) {
            SetText(Chosen);
            SetGridEditText(Text());
            P->FTextChangedByUser = false;  // the entry taken does not open the list again
          },
  });
}

TDBGridInplaceEdit::~TDBGridInplaceEdit() {
  // The borrowed lookup popup lives on with its column.
  if (P->FLookupPopup) {
    P->FLookupPopup->SetOnCloseUpRequest(nullptr);
    P->FLookupPopup->SetOnColumnMoved(nullptr);
  }
}

TInplaceEditStyleGx TDBGridInplaceEdit::EditStyle() const { return P->FEditStyle; }
TWinControl* TDBGridInplaceEdit::ActivePopup() const { return P->FPopups.Active(); }
bool TDBGridInplaceEdit::PopupVisible() const { return P->FPopups.IsOpen(); }
void TDBGridInplaceEdit::SetPopupVisible(bool Value) { P->FPopups.SetOpen(Value); }
bool TDBGridInplaceEdit::KeepPopupOpen() const { return P->FKeepPopupOpen; }
void TDBGridInplaceEdit::SetKeepPopupOpen(bool Value) { P->FKeepPopupOpen = Value; }
bool TDBGridInplaceEdit::ReadOnlyByParams() const { return P->FReadOnlyByParams; }
bool TDBGridInplaceEdit::WordWrap() const { return P->FWordWrap; }
int TDBGridInplaceEdit::ButtonsWidth() const { return P->FButtons.Width(); }
const TEditButtonControlList& TDBGridInplaceEdit::ButtonControls() const { return P->FButtons.Controls(); }
TPopupListboxGx* TDBGridInplaceEdit::PickListPopup() const { return P->FPickListPopup; }
TPopupMonthCalendarGx* TDBGridInplaceEdit::CalendarPopup() const { return P->FCalendarPopup; }
TPopupCalculatorGx* TDBGridInplaceEdit::CalculatorPopupControl() const { return P->FCalculatorPopup; }
TPopupDataGridGx* TDBGridInplaceEdit::LookupPopup() const { return P->FLookupPopup; }
TDataSource* TDBGridInplaceEdit::LookupSource() const { return P->FLookupSource.get(); }
bool TDBGridInplaceEdit::PopupColumnsMoved() const { return P->FPopupColumnsMoved; }

TCustomDBGridGx* TDBGridInplaceEdit::DBGrid() const { return dynamic_cast<TCustomDBGridGx*>(FGrid); }

TColumnGx* TDBGridInplaceEdit::Column() const {
  TCustomDBGridGx* Grid = DBGrid();
  return Grid ? Grid->CurrentColumn() : nullptr;
}

TMRUListGx* TDBGridInplaceEdit::MRUList() const {
  TColumnGx* C = Column();
  return C ? C->MRUList() : nullptr;
}

bool TDBGridInplaceEdit::CanDropCalculator() const {
  TColumnGx* C = Column();
  return P->FEditStyle == iesDropDownGx && C && dynamic_cast<TNumericField*>(C->Field());
}

TPopupCalculatorGx* TDBGridInplaceEdit::PopupCalculator() {
  if (!P->FCalculatorPopup) {
    P->FCalculatorPopup = new TPopupCalculatorGx(this);
    P->FCalculatorPopup->SetVisible(false);
    P->FCalculatorPopup->SetParent(this);
    if (HandleAllocated()) P->FCalculatorPopup->HandleNeeded();
  }
  return P->FCalculatorPopup;
}

void TDBGridInplaceEdit::SetEditStyle(TInplaceEditStyleGx Value) {
  P->FEditStyle = Value;
  switch (Value) {
    case iesPickListGx:
      if (!P->FPickListPopup) {
        P->FPickListPopup = new TPopupListboxGx(this);
        P->FPickListPopup->SetVisible(false);
        P->FPickListPopup->SetParent(this);
        P->FPickListPopup->SetOnMouseUp(TMouseEvent::Bind(this, &TDBGridInplaceEdit::PickListMouseUp));
        P->FPickListPopup->SetItemHeight(P->FPickListPopup->MeasureLineHeight());
        P->FPickListPopup->SetCtl3D(true);
      }
      P->FPopups.SetActive(P->FPickListPopup);
      break;
    case iesCalendarGx:
      if (!P->FCalendarPopup) {
        P->FCalendarPopup = new TPopupMonthCalendarGx(this);
        P->FCalendarPopup->SetVisible(false);
        P->FCalendarPopup->SetParent(this);
      }
      P->FPopups.SetActive(P->FCalendarPopup);
      break;
    case iesDropDownGx:
      P->FPopups.SetActive(CanDropCalculator() ? PopupCalculator() : nullptr);
      break;
    case iesLookupListGx: {
      TColumnGx* C = Column();
      if (TPopupDataGridGx* Popup = C ? C->GetPopupGrid() : nullptr; Popup && Popup != P->FLookupPopup)
        BorrowLookupPopup(Popup);
      P->FPopups.SetActive(P->FLookupPopup);
      break;
    }
    default:
      P->FPopups.SetActive(nullptr);
      break;
  }
  if (TColumnGx* C = Column()) SetReadOnly(C->ReadOnly());
  Repaint();
}

void TDBGridInplaceEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TInplaceEdit::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  P->FPopups.Forget(AComponent);
  P->FRecent.Forget(AComponent);
  if (AComponent == P->FPickListPopup) P->FPickListPopup = nullptr;
  if (AComponent == P->FCalendarPopup) P->FCalendarPopup = nullptr;
  if (AComponent == P->FCalculatorPopup) P->FCalculatorPopup = nullptr;
  if (AComponent == P->FLookupPopup) {
    // The column's popup grid went with its column.
    P->FLookupPopup = nullptr;
    if (!P->FPopups.Active()) P->FPopups.SetOpen(false);
    P->FEditStyle = iesSimpleGx;
  }
}

void TDBGridInplaceEdit::BorrowLookupPopup(TPopupDataGridGx* Popup) {
  if (P->FLookupPopup) {
    // The grid of another column goes back to it untouched by this editor.
    P->FLookupPopup->SetOnCloseUpRequest(nullptr);
    P->FLookupPopup->SetOnColumnMoved(nullptr);
    P->FLookupPopup->SetParent(nullptr);
    RemoveFreeNotification(P->FLookupPopup);
  }
  P->FLookupPopup = Popup;
  Popup->SetVisible(false);
  Popup->SetCtl3D(true);
  Popup->SetParentCtl3D(false);
  Popup->SetParent(this);
  Popup->SetOnCloseUpRequest(TCloseUpRequestEventGx::Bind(this, &TDBGridInplaceEdit::LookupPopupCloseUp));
  Popup->FreeNotification(this);
}

void TDBGridInplaceEdit::SetWordWrap(bool Value) {
  if (P->FWordWrap == Value) return;
  P->FWordWrap = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TDBGridInplaceEdit::CreateParams(TCreateParams& Params) {
  TInplaceEdit::CreateParams(Params);
  if (P->FWordWrap) {
    Params.Style |= win::ES_MULTILINE;
    Params.Style &= ~win::DWORD(win::ES_AUTOHSCROLL);
  }
}

// The strip and the formatting rectangle apply to the new window too.
void TDBGridInplaceEdit::CreateWnd() {
  TInplaceEdit::CreateWnd();
  BoundsChanged();
}

void TDBGridInplaceEdit::UpdateContents() {
  TCustomDBGridGx* Grid = DBGrid();
  TColumnGx* C = Column();
  // The recent texts of the cell the editor leaves do not stay over the next one.
  if (C != P->FMRUColumn) CloseMRUList(false);
  if (!Grid || !C) {
    TInplaceEdit::UpdateContents();
    return;
  }
  SetEditStyle(EditorStyleOf(C));
  Font()->Assign(C->Font());

  TColCellParamsGx* Params = Grid->CellParams();
  C->FillCellParams(Params);
  Params->Background = C->Color();
  Params->Font = Font();
  Params->State = TGridDrawState{gdFocused};
  Params->Text = Grid->GetEditText(Grid->Col(), Grid->Row());
  const bool ColumnReadOnly = !C->CheckEditable(false);
  Params->ReadOnly = ColumnReadOnly;
  Grid->FireGetCellParams(C, Font(), Params->Background, Params->State);
  C->FireGetCellParams(true, Params);
  SetColor(Params->Background);
  P->FReadOnlyByParams = Params->ReadOnly != ColumnReadOnly;
  if (P->FReadOnlyByParams) SetReadOnly(Params->ReadOnly);

  SetWordWrap(C->WordWrap() && Grid->RowsAllowWrap());
  SetText("");
  SetEditMask(Grid->GetEditMask(Grid->Col(), Grid->Row()));
  SetText(Params->Text);
  SetMaxLength(Grid->GetEditLimit());
  SetModified(false);
  SelectAll();
  P->FTextChangedByUser = false;  // loading a cell is no typing
}

void TDBGridInplaceEdit::UserTextChanged() { P->FTextChangedByUser = true; }

// ---- mouse, cursor, wheel ----

win::RECT TDBGridInplaceEdit::ButtonsRect() const {
  const win::RECT Client = ClientRect();
  TCustomDBGridGx* Grid = DBGrid();
  if (Grid && Grid->UseRightToLeftAlignment()) return {0, 0, P->FButtons.Width(), Client.bottom};
  return {Client.right - P->FButtons.Width(), 0, Client.right, Client.bottom};
}

void TDBGridInplaceEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TInplaceEdit::MouseDown(Button, Shift, X, Y);
  TColumnGx* C = Column();
  if (Shift.Contains(ssDouble) && C && C->DblClickNextVal()) C->StepCellValue(Shift.Contains(ssShift) ? -1 : 1);
}

bool TDBGridInplaceEdit::DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) {
  if (P->FPopups.IsOpen()) return true;
  return TInplaceEdit::DoMouseWheelDown(Shift, MousePos);
}

bool TDBGridInplaceEdit::DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) {
  if (P->FPopups.IsOpen()) return true;
  return TInplaceEdit::DoMouseWheelUp(Shift, MousePos);
}

void TDBGridInplaceEdit::WMSetCursor(TMessage& Message) {
  if (P->FButtons.Width() > 0 && HandleAllocated()) {
    win::POINT P;
    win::GetCursorPos(&P);
    win::ScreenToClient(Handle(), &P);
    const win::RECT R = ButtonsRect();
    if (P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom) {
      win::SetCursor(win::LoadCursor(nullptr, win::IDC_ARROW));
      Message.Result = 1;
      return;
    }
  }
  TInplaceEdit::Dispatch(Message);
}

// ---- focus and cancel mode ----

void TDBGridInplaceEdit::CheckSelectionFocus() {
  TCustomDBGridGx* Grid = DBGrid();
  if (Grid && Grid->SelectionHasFocus() != Grid->SelectionShownActive()) Grid->SelectionChanged();
}

void TDBGridInplaceEdit::FocusMessage(TMessage& Message) {
  if (Message.Msg == win::WM_SETFOCUS) {
    CheckSelectionFocus();
    TInplaceEdit::Dispatch(Message);
    return;
  }
  const win::HWND To = reinterpret_cast<win::HWND>(Message.WParam);
  if (win::GetSystemMetrics(win::SM_DBCSENABLED)) {
    // The editor leaves the input method as the screen has it; the grid keeps its own.
    SetImeName(Screen ? Screen->DefaultIme() : std::string());
    SetImeMode(imDontCare);
    TInplaceEdit::Dispatch(Message);
    TCustomDBGridGx* Grid = DBGrid();
    if (Screen && !(Grid && Grid->HandleAllocated() && To == Grid->Handle()))
      win::ActivateKeyboardLayout(Screen->DefaultKbLayout(), win::KLF_ACTIVATE);
  } else {
    TInplaceEdit::Dispatch(Message);
  }
  TMRUListGx* List = MRUList();
  if (P->FPopups.IsOpen() && !P->FPopups.Holds(To)) ClosePopup(false);
  else if (List && List->DroppedDown() && !P->FRecent.Holds(To)) CloseMRUList(false);
  CheckSelectionFocus();
}

void TDBGridInplaceEdit::CMCancelMode(TMessage& Message) {
  TInplaceEdit::Dispatch(Message);
  auto* Sender = reinterpret_cast<TControl*>(Message.LParam);
  if (Sender == this || (Sender && Sender->Parent() == this)) return;
  if (!P->FPopups.Holds(Sender)) ClosePopup(false);
  if (P->FRecent.Listbox() && !P->FRecent.Holds(Sender)) CloseMRUList(false);
}

void TDBGridInplaceEdit::Dispatch(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: FocusMessage(Message); return;
    case WM_PASTE: WMPaste(Message); return;
    case CM_CANCELMODE: CMCancelMode(Message); return;
    case CM_VISIBLECHANGED:
      TInplaceEdit::Dispatch(Message);
      // What drops down from the editor goes with it.
      if (!Message.WParam) {
        if (P->FPopups.IsOpen()) ClosePopup(false);
        if (DroppedMRUList()) CloseMRUList(false);
      }
      return;
    case CM_MOUSEWHEEL:
      if (P->FPopups.PassWheel(Message)) return;
      break;
    case CN_COMMAND:
      // The grid passes the edit control's change notifications back to it; the message
      // that changed the text follows the change up once it is done (DefaultHandler).
      if (HIWORD(Message.WParam) == EN_CHANGE) {
        UserTextChanged();
        return;
      }
      break;
    case WM_PAINT:
      // The buttons are graphic controls: they are painted over the text.
      PaintOwnWindow(Message, [this](HDC DC) {
        PaintEdit(DC);
        PaintControls(DC, nullptr);
      });
      return;
    default: break;
  }
  // A press in the button strip that no button took does not reach the text.
  if (Message.Msg >= WM_LBUTTONDOWN && Message.Msg <= WM_MBUTTONDBLCLK && P->FEditStyle != iesSimpleGx &&
      HandleAllocated() && GetCapture() != Handle()) {
    const POINT P{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
    const RECT R = ButtonsRect();
    if (P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom) return;
  }
  TInplaceEdit::Dispatch(Message);
}

void TDBGridInplaceEdit::DefaultHandler(TMessage& Message) {
  TInplaceEdit::DefaultHandler(Message);
  if (!P->FTextChangedByUser) return;
  P->FTextChangedByUser = false;
  P->FRecent.FollowText(MRUList(), Text(), Showing() && !P->FPopups.IsOpen());
}
