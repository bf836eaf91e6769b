// The grid's message dispatch and the window and component messages it answers itself, its flat border, the mouse
// cursor over its selection zones, focus and input-method handling, leaving the grid
// and the top-left cell changing.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/InplaceEdit.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/Titles.h"
#include "grid/DBGridGx/SharedResources.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/Forms.h"
#include "platform/data/DataSet.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/ScopeExit.h"

namespace {
// The height of the zone at the bottom of a title cell where the column-selection cursor
// shows.
constexpr int ColumnSelectZoneHeight = 7;
}  // namespace

// Messages the grid handles itself first; the rest go through the grid's own message
// handling, then the base grid's.
void TCustomDBGridGx::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_DEFERREDLAYOUT_GX) {
    DeferredLayoutMessage(Message);
    return;
  }
  if (MouseMessage(Message)) return;
  if (DispatchGridMessage(Message)) return;
  switch (Message.Msg) {
    case win::WM_VSCROLL: VertScrollMessage(Message); return;
    case win::WM_HSCROLL: HorzScrollMessage(Message); return;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS: FocusMessage(Message); return;
    case win::WM_CHAR: HandleCharMessage(Message); return;
    case CM_HINTSHOWPAUSE: HandleHintShowPause(Message); return;
    case CM_HINTSHOW: HandleHintShow(Message); return;
    default: break;
  }
  if (SearchTimerMessage(Message)) return;
  TCustomGrid::Dispatch(Message);
  if (Message.Msg == win::WM_SIZE) ClientSizeChanged();
}

void TCustomDBGridGx::DefaultHandler(TMessage& Message) { TCustomGrid::DefaultHandler(Message); }

bool TCustomDBGridGx::DispatchGridMessage(TMessage& Message) {
  switch (Message.Msg) {
    case CM_SYSCOLORCHANGE:
      TCustomGrid::Dispatch(Message);
      ResetButtonBitmapCache();
      return true;
    case CM_PARENTFONTCHANGED:
      TCustomGrid::Dispatch(Message);
      if (ParentFont()) {
        // Copied from the parent: ParentFont stays on.
        P->FParentFontChanging = true;
        auto done = AtScopeExit([this] { P->FParentFontChanging = false; });
        P->FTitleFont->Assign(Font());
        P->FFooterFont->Assign(Font());
      }
      RequestLayout();
      return true;
    case CM_PARENTCOLORCHANGED:
      TCustomGrid::Dispatch(Message);
      if (ParentColor()) {
        P->FFooterColor = Color();
        Invalidate();
      }
      return true;
    case CM_FONTCHANGED: {
      if (!P->FColumns) return false;  // still being made
      LockLayout();
      auto unlock = AtScopeExit([this] { UnlockLayout(); });
      TCustomGrid::Dispatch(Message);
      for (int I = 0; I < P->FColumns->Count(); ++I) {
        TColumnGx* Column = P->FColumns->ColumnAt(I);
        Column->RefreshDefaultFont();
        Column->Title()->RefreshDefaultFont();
      }
      return true;
    }
    case CM_MOUSEWHEEL: {
      // An open drop-down of the cell editor takes the wheel when it wants it.
      auto* Editor = dynamic_cast<TDBGridInplaceEdit*>(InplaceEditor());
      TWinControl* Popup = Editor && Editor->Visible() && Editor->PopupVisible() ? Editor->ActivePopup() : nullptr;
      if (!Popup || Popup->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) == 0) return false;
      Message.Result = 1;
      return true;
    }
    case win::WM_SETCURSOR: SetCursorMessage(Message); return true;
    case win::WM_NCCALCSIZE: {
      TCustomGrid::Dispatch(Message);
      if (P->FNonClientInset == 0) return true;
      win::RECT* R = Message.WParam ? &reinterpret_cast<win::NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                    : reinterpret_cast<win::RECT*>(Message.LParam);
      R->left += P->FNonClientInset;
      R->top += P->FNonClientInset;
      R->right -= P->FNonClientInset;
      R->bottom -= P->FNonClientInset;
      return true;
    }
    case win::WM_NCPAINT:
      TCustomGrid::Dispatch(Message);
      PaintFlatBorder();
      return true;
    case win::WM_IME_STARTCOMPOSITION:
      TCustomGrid::Dispatch(Message);
      // The composed text goes into the editor.
      ShowCellEditor();
      return true;
    case win::WM_GETDLGCODE:
      TCustomGrid::Dispatch(Message);
      if (P->FOptionsGx.Contains(dghPreferIncSearch)) Message.Result |= win::DLGC_WANTCHARS;
      return true;
    case win::WM_ERASEBKGND: Message.Result = 1; return true;
    default: return false;
  }
}

void TCustomDBGridGx::AdjustCreateParams(TCreateParams& Params) {
  P->FNonClientInset = 0;
  if (!P->FFlat || !Ctl3D()) return;
  Params.Style &= ~win::DWORD(win::WS_BORDER);
  Params.ExStyle &= ~win::DWORD(win::WS_EX_CLIENTEDGE);
  if (BorderStyle() == bsSingle) P->FNonClientInset = 1;
}

void TCustomDBGridGx::PaintFlatBorder() {
  if (!P->FFlat || BorderStyle() != bsSingle || !Ctl3D() || !HandleAllocated()) return;
  win::HDC DC = win::GetWindowDC(Handle());
  if (!DC) return;
  auto release = AtScopeExit([&] { win::ReleaseDC(Handle(), DC); });
  win::RECT W{};
  win::GetWindowRect(Handle(), &W);
  win::RECT R{0, 0, W.right - W.left, W.bottom - W.top};
  win::DrawEdge(DC, &R, win::BDR_SUNKENOUTER, win::BF_RECT);
}

bool TCustomDBGridGx::ColumnsPersistent() const {
  if (!P->FDataLink || !P->FDataLink->DataSource()) return false;
  if (P->FColumns->IsCustomized()) return true;
  TDataSet* DataSet = P->FDataLink->DataSet();
  return P->FDataLink->Active() && DataSet && !DataSet->DefaultFields();
}

void TCustomDBGridGx::SetCursorMessage(TMessage& Message) {
  const bool Designing = ComponentState().Contains(csDesigning);
  auto Show = [&](win::HCURSOR Cursor) {
    win::SetCursor(Cursor);
    Message.Result = 1;
  };
  if (Designing && !ColumnsPersistent()) return Show(win::LoadCursor(nullptr, win::IDC_ARROW));
  if (win::LOWORD(static_cast<win::DWORD>(Message.LParam)) == win::HTCLIENT) {
    win::POINT Pt{};
    win::GetCursorPos(&Pt);
    Pt = ScreenToClient(Pt);
    if (InFrozenSizingZone(Pt.x, Pt.y)) return Show(Screen->Cursors(crHSplit));
    if (!Designing && P->FDataLink->Active() && P->FOptions.Contains(dgMultiSelect)) {
      TGridDrawInfo Info;
      TGridState State = gsNormal;
      int Index = 0, Pos = 0, Ofs = 0;
      CalcSizingState(Pt.x, Pt.y, State, Index, Pos, Ofs, Info);
      const TGridCoord Cell = MouseCoord(Pt.x, Pt.y);
      if (State == gsNormal && Cell.X >= 0 && Cell.Y >= 0) {
        if (Cell.X < P->FIndicatorColCount && Cell.Y >= P->FTitleAreaRowCount && !P->FDataLink->DataSet()->IsEmpty() &&
            CanSelectKind(gstRecordBookmarks))
          return Show(UseRightToLeftAlignment() ? LeftCursorGx() : RightCursorGx());
        if (P->FOptions.Contains(dgTitles) && Cell.Y == 0 && Cell.X >= P->FIndicatorColCount &&
            !P->FOptions.Contains(dgRowSelect) && CanSelectKind(gstColumns)) {
          const win::RECT R = CellRect(Cell.X, 0);
          if (Pt.y >= R.bottom - ColumnSelectZoneHeight) return Show(DownCursorGx());
        }
      }
    }
  }
  TCustomGrid::Dispatch(Message);
}

void TCustomDBGridGx::DoExit() {
  if (P->FDataLink && P->FDataLink->Active()) {
    TDataSet* DataSet = P->FDataLink->DataSet();
    bool Written = false;
    // A failed write keeps the user in the grid to correct it; the error goes on.
    auto refocus = AtScopeExit([&] {
      if (!Written && CanFocus()) SetFocus();
    });
    if (P->FOptions.Contains(dgCancelOnExit) && DataSet->State() == dsInsert && !DataSet->Modified() &&
        !P->FDataLink->Modified())
      DataSet->Cancel();
    else
      P->FDataLink->UpdateRecord();
    Written = true;
  }
  TCustomGrid::DoExit();
}

void TCustomDBGridGx::TopLeftChanged() {
  const int First = FixedCols();
  // The title rows show whether the view starts at the first scrolling column.
  if (P->FLastLeftCol >= 0 && (P->FLastLeftCol == First) != (LeftCol() == First))
    for (int R = 0; R < P->FTitleAreaRowCount; ++R) InvalidateRow(R);
  P->FLastLeftCol = LeftCol();
  TCustomGrid::TopLeftChanged();
  UpdateHorzScrollBar();
  if (CursorModeActive()) FetchAhead();
  if (P->FFilterEditing) UpdateFilterEditor(false);
}
