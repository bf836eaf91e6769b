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
    P->DeferredLayoutMessage(Message);
    return;
  }
  if (P->MouseMessage(Message)) return;
  if (P->DispatchGridMessage(Message)) return;
  switch (Message.Msg) {
    case win::WM_VSCROLL: P->VertScrollMessage(Message); return;
    case win::WM_HSCROLL: P->HorzScrollMessage(Message); return;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS: P->FocusMessage(Message); return;
    case win::WM_CHAR: P->HandleCharMessage(Message); return;
    case CM_HINTSHOWPAUSE: HandleHintShowPause(Message); return;
    case CM_HINTSHOW: HandleHintShow(Message); return;
    default: break;
  }
  if (SearchTimerMessage(Message)) return;
  TCustomGrid::Dispatch(Message);
  if (Message.Msg == win::WM_SIZE) P->ClientSizeChanged();
}

void TCustomDBGridGx::DefaultHandler(TMessage& Message) { TCustomGrid::DefaultHandler(Message); }

bool TCustomDBGridGx::TState::DispatchGridMessage(TMessage& Message) {
  switch (Message.Msg) {
    case CM_SYSCOLORCHANGE:
      G.TCustomGrid::Dispatch(Message);
      ResetButtonBitmapCache();
      return true;
    case CM_PARENTFONTCHANGED:
      G.TCustomGrid::Dispatch(Message);
      if (G.ParentFont()) {
        // Copied from the parent: ParentFont stays on.
        FParentFontChanging = true;
        auto done = AtScopeExit([this] { FParentFontChanging = false; });
        FTitleFont->Assign(G.Font());
        FFooterFont->Assign(G.Font());
      }
      G.RequestLayout();
      return true;
    case CM_PARENTCOLORCHANGED:
      G.TCustomGrid::Dispatch(Message);
      if (G.ParentColor()) {
        FFooterColor = G.Color();
        G.Invalidate();
      }
      return true;
    case CM_FONTCHANGED: {
      if (!FColumns) return false;  // still being made
      G.LockLayout();
      auto unlock = AtScopeExit([this] { G.UnlockLayout(); });
      G.TCustomGrid::Dispatch(Message);
      for (int I = 0; I < FColumns->Count(); ++I) {
        TColumnGx* Column = FColumns->ColumnAt(I);
        Column->RefreshDefaultFont();
        Column->Title()->RefreshDefaultFont();
      }
      return true;
    }
    case CM_MOUSEWHEEL: {
      // An open drop-down of the cell editor takes the wheel when it wants it.
      auto* Editor = dynamic_cast<TDBGridInplaceEdit*>(G.InplaceEditor());
      TWinControl* Popup = Editor && Editor->Visible() && Editor->PopupVisible() ? Editor->ActivePopup() : nullptr;
      if (!Popup || Popup->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) == 0) return false;
      Message.Result = 1;
      return true;
    }
    case win::WM_SETCURSOR: SetCursorMessage(Message); return true;
    case win::WM_NCCALCSIZE: {
      G.TCustomGrid::Dispatch(Message);
      if (FNonClientInset == 0) return true;
      win::RECT* R = Message.WParam ? &reinterpret_cast<win::NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                    : reinterpret_cast<win::RECT*>(Message.LParam);
      R->left += FNonClientInset;
      R->top += FNonClientInset;
      R->right -= FNonClientInset;
      R->bottom -= FNonClientInset;
      return true;
    }
    case win::WM_NCPAINT:
      G.TCustomGrid::Dispatch(Message);
      G.PaintFlatBorder();
      return true;
    case win::WM_IME_STARTCOMPOSITION:
      G.TCustomGrid::Dispatch(Message);
      // The composed text goes into the editor.
      G.ShowCellEditor();
      return true;
    case win::WM_GETDLGCODE:
      G.TCustomGrid::Dispatch(Message);
      if (FOptionsGx.Contains(dghPreferIncSearch)) Message.Result |= win::DLGC_WANTCHARS;
      return true;
    case win::WM_ERASEBKGND: Message.Result = 1; return true;
    default: return false;
  }
}

void TCustomDBGridGx::TState::AdjustCreateParams(TCreateParams& Params) {
  FNonClientInset = 0;
  if (!FFlat || !G.Ctl3D()) return;
  Params.Style &= ~win::DWORD(win::WS_BORDER);
  Params.ExStyle &= ~win::DWORD(win::WS_EX_CLIENTEDGE);
  if (G.BorderStyle() == bsSingle) FNonClientInset = 1;
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

bool TCustomDBGridGx::TState::ColumnsPersistent() const {
  if (!FDataLink || !FDataLink->DataSource()) return false;
  if (FColumns->IsCustomized()) return true;
  TDataSet* DataSet = FDataLink->DataSet();
  return FDataLink->Active() && DataSet && !DataSet->DefaultFields();
}

void TCustomDBGridGx::TState::SetCursorMessage(TMessage& Message) {
  const bool Designing = G.ComponentState().Contains(csDesigning);
  auto Show = [&](win::HCURSOR Cursor) {
    win::SetCursor(Cursor);
    Message.Result = 1;
  };
  if (Designing && !ColumnsPersistent()) return Show(win::LoadCursor(nullptr, win::IDC_ARROW));
  if (win::LOWORD(static_cast<win::DWORD>(Message.LParam)) == win::HTCLIENT) {
    win::POINT Pt{};
    win::GetCursorPos(&Pt);
    Pt = G.ScreenToClient(Pt);
    if (InFrozenSizingZone(Pt.x, Pt.y)) return Show(Screen->Cursors(crHSplit));
    if (!Designing && FDataLink->Active() && FOptions.Contains(dgMultiSelect)) {
      TGridDrawInfo Info;
      TGridState State = gsNormal;
      int Index = 0, Pos = 0, Ofs = 0;
      G.CalcSizingState(Pt.x, Pt.y, State, Index, Pos, Ofs, Info);
      const TGridCoord Cell = G.MouseCoord(Pt.x, Pt.y);
      if (State == gsNormal && Cell.X >= 0 && Cell.Y >= 0) {
        if (Cell.X < FIndicatorColCount && Cell.Y >= FTitleAreaRowCount && !FDataLink->DataSet()->IsEmpty() &&
            G.CanSelectKind(gstRecordBookmarks))
          return Show(G.UseRightToLeftAlignment() ? LeftCursorGx() : RightCursorGx());
        if (FOptions.Contains(dgTitles) && Cell.Y == 0 && Cell.X >= FIndicatorColCount &&
            !FOptions.Contains(dgRowSelect) && G.CanSelectKind(gstColumns)) {
          const win::RECT R = G.CellRect(Cell.X, 0);
          if (Pt.y >= R.bottom - ColumnSelectZoneHeight) return Show(DownCursorGx());
        }
      }
    }
  }
  G.TCustomGrid::Dispatch(Message);
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
  if (CursorModeActive()) P->FetchAhead();
  if (P->FFilterEditing) P->UpdateFilterEditor(false);
}
