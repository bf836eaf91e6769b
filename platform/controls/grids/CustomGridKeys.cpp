// TCustomGrid: keyboard navigation and typing into the editor.
#include "platform/controls/grids/CustomGrid.h"
#include "platform/controls/grids/InplaceEdit.h"

#include "platform/desktop/Windows.h"

#include <algorithm>

void TCustomGrid::KeyDown(win::WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0 || !CanGridAcceptKey(Key, Shift)) {
    Key = 0;
    return;
  }
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect) && !FOptions.Contains(goRowSelect);
  const bool rowSelect = FOptions.Contains(goRowSelect);
  TGridCoord to = FCurrent;
  const int page = VisibleRowCount();
  switch (Key) {
    case win::VK_UP: to.Y -= 1; break;
    case win::VK_DOWN: to.Y += 1; break;
    case win::VK_LEFT:
      if (rowSelect) {
        SetLeftCol(LeftCol() - 1);
        Key = 0;
        return;
      }
      to.X -= 1;
      break;
    case win::VK_RIGHT:
      if (rowSelect) {
        SetLeftCol(LeftCol() + 1);
        Key = 0;
        return;
      }
      to.X += 1;
      break;
    case win::VK_PRIOR:
      if (ctrl) to.Y = FTopLeft.Y;
      else {
        to.Y -= page;
        SetTopRow(TopRow() - page);
      }
      break;
    case win::VK_NEXT:
      if (ctrl) to.Y = FTopLeft.Y + page - 1;
      else {
        to.Y += page;
        SetTopRow(TopRow() + page);
      }
      break;
    case win::VK_HOME:
      if (ctrl || rowSelect) to = {rowSelect && !ctrl ? FCurrent.X : FFixedCols, FFixedRows};
      else to.X = FFixedCols;
      break;
    case win::VK_END:
      if (ctrl || rowSelect) to = {rowSelect && !ctrl ? FCurrent.X : FColCount - 1, FRowCount - 1};
      else to.X = FColCount - 1;
      break;
    case win::VK_TAB:
      if (FOptions.Contains(goTabs) && !Shift.Contains(ssAlt)) {
        TabMove(!Shift.Contains(ssShift));
        Key = 0;
      }
      return;
    case win::VK_F2:
      SetEditorMode(true);
      Key = 0;
      return;
    default: return;
  }
  to.X = std::clamp(to.X, FFixedCols, FColCount - 1);
  to.Y = std::clamp(to.Y, FFixedRows, FRowCount - 1);
  // Columns of no width are stepped over in the direction of travel.
  int step = to.X < FCurrent.X ? -1 : 1;
  while (to.X >= FFixedCols && to.X < FColCount && ColWidths(to.X) <= 0) to.X += step;
  if (to.X < FFixedCols || to.X >= FColCount) to.X = FCurrent.X;
  if (to.X != FCurrent.X || to.Y != FCurrent.Y || !extend) {
    MoveColRow(to.X, to.Y, !extend, true);
    Click();
  }
  Key = 0;
}

// Tab moves to the next column that is a tab stop, wrapping to the next row.
void TCustomGrid::TabMove(bool Forward) {
  TGridCoord to = FCurrent;
  const int cols = FColCount - FFixedCols;
  for (int n = 0; n < cols * std::max(1, FRowCount - FFixedRows) + 1; ++n) {
    if (Forward) {
      if (++to.X >= FColCount) {
        to.X = FFixedCols;
        if (++to.Y >= FRowCount) return;
      }
    } else {
      if (--to.X < FFixedCols) {
        to.X = FColCount - 1;
        if (--to.Y < FFixedRows) return;
      }
    }
    if (to.X == FCurrent.X && to.Y == FCurrent.Y) return;
    if (TabStops(to.X) && ColWidths(to.X) > 0) {
      MoveColRow(to.X, to.Y, true, true);
      Click();
      return;
    }
  }
}

void TCustomGrid::KeyPress(TKeyChar& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0 || !FOptions.Contains(goEditing)) return;
  if (Key == U'\r') {
    if (!FOptions.Contains(goAlwaysShowEditor)) {
      if (FEditorMode) HideEditor();
      else ShowEditor();
    }
    Key = 0;
    return;
  }
  if (Key < 32 || Key == 127) return;
  if (!CanEditAcceptKey(Key)) return;
  // A typed character opens the editor, which replaces the text with it.
  ShowEditor();
  if (FInplaceEdit && FInplaceEdit->Visible() && FInplaceEdit->HandleAllocated()) {
    FInplaceEdit->SelectAll();
    FInplaceEdit->TypeChar(Key);
  }
  Key = 0;
}

void TCustomGrid::WMGetDlgCode(TMessage& Message) {
  Message.Result = win::DLGC_WANTARROWS;
  if (FOptions.Contains(goTabs)) Message.Result |= win::DLGC_WANTTAB;
  if (FOptions.Contains(goEditing)) Message.Result |= win::DLGC_WANTCHARS;
}
