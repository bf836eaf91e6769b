// TDBGridInplaceEdit: opening the popup of the edit style (pick list, lookup grid, month
// calendar, calculator), placing it under or over the editor, closing it, and what an accepted
// value does to the cell.
#include "grid/DBGridGx/InplaceEditPrivate.h"

#include <algorithm>

#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/ColumnsCellValues.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBLookupGridsGx/ColumnDropDownBox.h"
#include "grid/DBLookupGridsGx/PopupDataGrid.h"
#include "platform/rtl/ScopeExit.h"
#include "gridcontrols/ToolCtrlsGx/Calculator.h"
#include "gridcontrols/ToolCtrlsGx/PopupCalendar.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool IsNumberVariant(const Variant& V) {
  switch (VarType(V)) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency: return true;
    default: return false;
  }
}

}  // namespace

// ---- opening ----

void TDBGridInplaceEdit::PreparePickList() {
  TColumnGx* C = Column();
  TPopupListboxGx* List = P->FPickListPopup;
  List->SetColor(Color());
  List->Font()->Assign(Font());
  TStrings* Picks = C->PickList();
  TStrings* Keys = C->HasKeyList() ? C->KeyList() : nullptr;
  const bool Keyed = Keys && Keys->Count() > 0;
  if (Keyed) {
    // Only the entries that have a key can be chosen.
    List->Items()->BeginUpdate();
    List->Items()->Clear();
    const int N = std::min(Keys->Count(), Picks->Count());
    for (int I = 0; I < N; ++I) List->Items()->AddObject(Picks->Strings(I), Picks->Objects(I));
    List->Items()->EndUpdate();
  } else {
    List->Items()->Assign(Picks);
  }
  const int Rows = std::min(List->Items()->Count(), static_cast<int>(C->DropDownRows()));
  List->SetHeight(Rows * List->ItemHeight() + 4);
  TField* F = C->Field();
  if (F && F->IsNull()) List->SetItemIndex(-1);
  else List->SetItemIndex((Keyed ? Picks : List->Items())->IndexOf(Text()));

  int W = List->ClientWidth();
  List->Canvas()->Font()->Assign(List->Font());
  for (int I = 0; I < List->Items()->Count(); ++I)
    W = std::max(W, List->Canvas()->TextWidth(List->Items()->Strings(I)));
  List->SetClientWidth(W + 4);
}

bool TDBGridInplaceEdit::PrepareLookupPopup() {
  TColumnGx* C = Column();
  TDataSet* List = C->LookupListDataSet();
  if (!List) return false;
  TPopupDataGridGx* Popup = P->FLookupPopup;
  Popup->SetColor(Color());
  Popup->Font()->Assign(Font());
  Popup->SetSpecRow(C->DropDownSpecRow());
  const int Rows = static_cast<int>(C->DropDownRows());
  const int Records = List->IsSequenced() ? List->RecordCount() : 0;
  Popup->SetDisplayRowCount(Records > 0 && Records < Rows ? Records : Rows);
  Popup->SetShowTitles(C->DropDownShowTitles());
  LookupSource()->SetDataSet(List);
  Popup->SetKeyFields(C->Field()->LookupKeyFields());
  Popup->SetListFieldIndex(0);
  Popup->SetListFields(C->LookupDisplayFields());
  Popup->SetFitColumnsToWidth(false);
  Popup->SetMultiTitle(C->DropDownBox()->UseMultiTitle());
  Popup->SetListSource(LookupSource());
  if (C->DropDownWidth() == -1) Popup->SetClientWidth(Popup->ColumnsTotalWidth());
  else if (C->DropDownWidth() > 0) Popup->SetWidth(C->DropDownWidth());
  else Popup->SetWidth(Width());
  if (Popup->Width() < Width()) Popup->SetWidth(Width());
  if (TCustomDBGridGx* Grid = DBGrid()) Popup->SetKeyValue(Grid->EditValue());
  P->FPopupColumnsMoved = false;
  Popup->SetOnColumnMoved(TMovedEvent::Bind(this, &TDBGridInplaceEdit::PopupColumnMoved));
  // The height again from the finished set-up, before the placement may cut it to the
  // work area.
  Popup->SetDisplayRowCount(Popup->DisplayRowCount());
  return true;
}

void TDBGridInplaceEdit::PrepareCalendar() {
  TPopupMonthCalendarGx* Calendar = P->FCalendarPopup;
  Calendar->SetColor(Color());
  Calendar->Font()->Assign(Font());
  TDateTime Day;
  try {
    Day = Text().empty() ? Date() : StrToDate(Text());
  } catch (...) {
    // A text that is not a date opens the field's date, or today.
    TField* F = Column() ? Column()->Field() : nullptr;
    const TDateTime Stored = F ? F->AsDateTime() : 0;
    Day = Stored != 0 ? Stored : Date();
  }
  Calendar->SetDate(Day);
  // The size the calendar asks for, with the frame around it.
  Calendar->HandleNeeded();
  win::RECT R{};
  Calendar->Perform(win::MCM_GETMINREQRECT, 0, reinterpret_cast<win::LPARAM>(&R));
  Calendar->SetBounds(Calendar->Left(), Calendar->Top(), R.right - R.left + 2 * Calendar->BorderWidth(),
                      R.bottom - R.top + 2 * Calendar->BorderWidth());
}

void TDBGridInplaceEdit::PrepareCalculator() {
  if (auto* Value = Supports<IPopupValueGx>(P->FPopups.Active())) {
    // A text that is no number raises here, and the calculator stays closed.
    Value->SetPopupValue(Text().empty() ? Variant(0) : Variant(StrToFloat(Text())));
    TCustomDBGridGx* Grid = DBGrid();
    Value->SetFlatStyle(Grid && Grid->Flat());
  }
  P->FPopups.HideCaret();
  SetSelLength(0);
}

void TDBGridInplaceEdit::OpenPopup() {
  TWinControl* Popup = P->FPopups.Active();
  if (P->FPopups.IsOpen() || !Popup || !Column()) return;
  Popup->HandleNeeded();  // sizes below count the window's frame
  Popup->SetWidth(Width());
  if (Popup == P->FLookupPopup) {
    if (!PrepareLookupPopup()) return;
  } else if (Popup == P->FPickListPopup) {
    PreparePickList();
  }
  else if (Popup == P->FCalendarPopup) PrepareCalendar();
  else if (Popup == P->FCalculatorPopup) PrepareCalculator();
  CloseMRUList(false);
  P->FPopups.Show();
  if (Popup == P->FLookupPopup) {
    // Fitting the columns re-creates the grid's window: only a shown grid gets it back, at
    // the place it was shown.
    P->FLookupPopup->SetFitColumnsToWidth(Column()->DropDownBox()->AutoFitColWidths());
    P->FLookupPopup->SizeGrip()->GripVisible(Column()->DropDownSizing());
    P->FLookupPopup->SetGripResized(false);
  } else if (Popup == P->FPickListPopup) {
    P->FPickListPopup->SizeGrip()->GripVisible(Column()->DropDownSizing());
    P->FPickListPopup->SetGripResized(false);
  }
  P->FPopups.Opened();
}

// ---- closing ----

void TDBGridInplaceEdit::ClosePopup(bool Accept) {
  P->FPopups.TakeBackFocus();
  if (!P->FPopups.IsOpen()) return;
  P->FPopups.HoldMainButton(false);
  if (P->FKeepPopupOpen) return;  // the grid is refreshing the editor under the open popup
  CancelMouseCapture();

  TWinControl* Popup = P->FPopups.Active();
  TColumnGx* C = Column();
  Variant Chosen;  // unassigned: nothing was chosen
  if (Popup && Popup == P->FLookupPopup && C) {
    Chosen = P->FLookupPopup->KeyValue();
    // A size the user gave the grid is kept for the next opening, and so is the order of
    // the special row's cells after a column was moved.
    if (P->FLookupPopup->GripResized()) {
      C->SetDropDownRows(static_cast<unsigned>(P->FLookupPopup->DisplayRowCount()));
      C->SetDropDownWidth(P->FLookupPopup->Width());
    }
    if (P->FPopupColumnsMoved) C->DropDownSpecRow()->SetCellsText(P->FLookupPopup->SpecRow()->CellsText());
  } else if (Popup && Popup == P->FPickListPopup && C) {
    const int I = P->FPickListPopup->ItemIndex();
    // The entry chosen, as far as the column's lists still have it.
    TStrings* Keys = C->HasKeyList() && C->KeyList()->Count() > 0 ? C->KeyList() : nullptr;
    TStrings* Items = Keys ? Keys : P->FPickListPopup->Items();
    if (I >= 0 && I < Items->Count()) Chosen = Variant(Items->Strings(I));
    // A size the user gave the list is kept for the next opening.
    if (P->FPickListPopup->GripResized() && P->FPickListPopup->ItemHeight() > 0) {
      C->SetDropDownRows(static_cast<unsigned>(P->FPickListPopup->ClientHeight() / P->FPickListPopup->ItemHeight()));
      C->SetDropDownWidth(P->FPickListPopup->Width());
    }
  }

  P->FPopups.Hide();
  if (P->FLookupPopup) {
    P->FLookupPopup->SetFitColumnsToWidth(false);
    P->FLookupPopup->SetListSource(nullptr);
  }
  LookupSource()->SetDataSet(nullptr);
  P->FPopups.Closed();
  if (!Popup || !C) return;

  TCustomDBGridGx* Grid = DBGrid();
  // Texts the list put into the editor, or takes back, were not typed: they open no
  // recent texts.
  auto NotTyped = AtScopeExit([this] { P->FTextChangedByUser = false; });
  if (!Accept) {
    // The lists leave the text as it was before they opened; calendar and calculator never
    // changed it.
    if ((Popup == P->FPickListPopup || Popup == P->FLookupPopup) && Grid) SetText(Grid->EditText());
    return;
  }
  if (Popup == P->FLookupPopup) {
    // Keys moved the text along the list; a key the cell may not take leaves the text it
    // had before the list opened.
    if (!AcceptLookup(Chosen) && Grid) SetText(Grid->EditText());
  } else if (Popup == P->FPickListPopup) {
    // Keys moved the text along the list; a choice the cell may not take leaves the text
    // it had before the list opened.
    if (!Chosen.IsEmpty() && !AcceptPickList(Chosen) && Grid) SetText(Grid->EditText());
  } else if (Popup == P->FCalendarPopup) {
    AcceptCalendar();
  } else if (Popup == P->FCalculatorPopup) {
    AcceptCalculator();
  }
}

bool TDBGridInplaceEdit::AcceptPickList(const Variant& Chosen) {
  // With nothing highlighted there is nothing to take: the text stays as it is.
  if (Chosen.IsEmpty() || Chosen.IsNull() || !CellModifiable()) return false;
  TColumnGx* C = Column();
  const bool Keyed = C->HasKeyList() && C->KeyList()->Count() > 0;
  if (Keyed) {
    // The key itself reaches the field through the grid's write-back of the text.
    SetText(P->FPickListPopup->Items()->Strings(P->FPickListPopup->ItemIndex()));
  } else {
    SetText(Chosen.AsString());
  }
  SetGridEditText(Text());
  return true;
}

bool TDBGridInplaceEdit::AcceptLookup(const Variant& Chosen) {
  TColumnGx* C = Column();
  TField* F = C->Field();
  const std::vector<TField*> Keys = cell_values_detail::KeyFieldsOf(F);
  bool KeysModifiable = !Keys.empty();
  for (TField* K : Keys) KeysModifiable = KeysModifiable && K->CanModify();
  if (!KeysModifiable || !CellModifiable() || !C->CheckEditable(true)) return false;
  F->DataSet()->Edit();
  TGridDataLinkGx* Link = DBGrid()->GridLink();
  try {
    if (Link->Editing()) {
      Link->MarkModified();
      SetGridEditValue(Chosen);
      SetGridEditText(P->FLookupPopup->DisplayText());
    }
  } catch (const Exception&) {
    // The editor shows what the field holds now, marked by a trailing blank.
    SetText(F->Text() + " ");
    throw;
  }
  SetText(P->FLookupPopup->DisplayText());
  SelectAll();
  return true;
}

void TDBGridInplaceEdit::AcceptCalendar() {
  TColumnGx* C = Column();
  if (!C->CheckEditable(true) || !CellModifiable()) return;
  TField* F = C->Field();
  if (!F) return;
  F->DataSet()->Edit();
  const TDateTime Day = P->FCalendarPopup->Date();
  C->WriteCellValue(DateToStr(Day), Variant(static_cast<double>(Day)), false);
}

void TDBGridInplaceEdit::AcceptCalculator() {
  TColumnGx* C = Column();
  if (!C->CheckEditable(true) || !CellModifiable()) return;
  auto* Value = Supports<IPopupValueGx>(P->FCalculatorPopup);
  if (!Value) return;
  Variant Result;
  Value->GetPopupValue(Result);
  // The calculator's error value is no number and changes nothing.
  if (!IsNumberVariant(Result)) return;
  SetText(FloatToStr(Result.AsDouble()));
  SetGridEditText(Text());
  SelectAll();
}

// ---- the mouse on the popups ----

void TDBGridInplaceEdit::PickListMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft || !P->FPickListPopup) return;
  const win::RECT R = P->FPickListPopup->ClientRect();
  ClosePopup(X >= R.left && X < R.right && Y >= R.top && Y < R.bottom);
}

void TDBGridInplaceEdit::LookupPopupCloseUp(TObject*, bool Accept) { ClosePopup(Accept); }

void TDBGridInplaceEdit::PopupColumnMoved(TObject*, int, int) { P->FPopupColumnsMoved = true; }

bool TDBGridInplaceEdit::TraceMouseIntoPopup(TObject* Sender, TShiftState, int X, int Y) {
  TWinControl* Popup = P->FPopups.Active();
  if (!P->FPopups.IsOpen() || !Popup) return false;
  win::RECT R = Popup->ClientRect();
  // Over the lookup grid only its rows take the press, not its titles.
  if (Popup == P->FLookupPopup) P->FLookupPopup->DataRowsRect(R);
  return P->FPopups.PassPress(static_cast<TControl*>(Sender), X, Y, R);
}
