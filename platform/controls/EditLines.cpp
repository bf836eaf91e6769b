// TCustomEdit in multi-line mode: the rows following edits, line breaks in typing,
// pasting and deleting, and moving the caret between rows.
#include "platform/controls/StdCtrls.h"

#include "platform/controls/CharWidths.h"
#include "platform/controls/MaskUtils.h"
#include "platform/controls/MemoRows.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

bool TCustomEdit::ReplaceRows(std::size_t Byte, std::size_t Removed, std::size_t Inserted, int& First,
                              int& OldLast, int& NewLast) {
  TCharWidths& widths = Widths();
  if (!FRows->LaidOutFor(std::max<int>(EditRect().right - EditRect().left - 1, 1), FWrapRows, widths.Generation())) {
    FRows->Invalidate();
    return false;
  }
  TMemoRows::TLinesChanged lines = FRows->Edit(FText, widths, Byte, Removed, Inserted);
  First = lines.FirstLine;
  OldLast = lines.OldLast;
  NewLast = lines.NewLast;
  return true;
}

int TCustomEdit::BreakBefore(int Index) const {
  if (Index <= 0) return 0;
  std::size_t b = ByteOfChar(Index);
  auto at = [&](std::size_t i) { return FText[i] == '\r' || FText[i] == '\n' ? FText[i] : '\0'; };
  if (b >= 2 && at(b - 2) == '\r' && at(b - 1) == '\n') return 2;
  return b >= 1 && at(b - 1) ? 1 : 0;
}

int TCustomEdit::BreakAfter(int Index) const {
  std::size_t b = ByteOfChar(Index), n = FText.size();
  if (b + 1 < n && FText[b] == '\r' && FText[b + 1] == '\n') return 2;
  return b < n && (FText[b] == '\r' || FText[b] == '\n') ? 1 : 0;
}

bool TCustomEdit::RowsChar(TKeyChar Key) {
  // Enter, and the line feed of Ctrl+Enter, break the line.
  if (Key == '\r' || Key == '\n') {
    if (FReadOnly) return true;
    if (FMaxLength > 0 && TextLength() - FSelLength + 2 > FMaxLength) {
      win::MessageBeep(0);
      return true;
    }
    SetSelText("\r\n");
    return true;
  }
  // Backspace takes a whole line break.
  if (Key == 8 && !FReadOnly && FSelLength == 0) {
    int n = BreakBefore(FSelStart);
    if (n > 0) {
      FSelStart -= n;
      FSelLength = n;
      SetSelText("");
      return true;
    }
  }
  return false;
}

void TCustomEdit::PasteRows(const std::string& S) {
  if (FReadOnly) return;
  // Every kind of line break becomes CR LF; other control characters are dropped.
  std::string s;
  for (size_t i = 0; i < S.size(); ++i) {
    char c = S[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < S.size() && S[i + 1] == '\n') ++i;
      s += "\r\n";
    } else if (static_cast<unsigned char>(c) >= 32 || c == '\t') {
      s += c;
    }
  }
  if (FCharCase == ecUpperCase) s = Utf8UpperCase(s);
  else if (FCharCase == ecLowerCase) s = Utf8LowerCase(s);
  if (FMaxLength > 0) {
    // What fits, without splitting a line break.
    std::vector<std::string> chars = Utf8Chars(s);
    int room = std::max(FMaxLength - (TextLength() - FSelLength), 0);
    if (static_cast<int>(chars.size()) > room) {
      if (room > 0 && chars[room - 1] == "\r") --room;
      s = Utf8Join(chars, 0, room);
      win::MessageBeep(0);
    }
  }
  SetSelText(s);
}

bool TCustomEdit::RowsKeyDown(win::WORD Key, TShiftState Shift) {
  bool extend = Shift.Contains(ssShift), ctrl = Shift.Contains(ssCtrl);
  int caret = CaretIndex();
  switch (Key) {
    case win::VK_LEFT:
    case win::VK_RIGHT: {
      if (FSelLength && !extend) break;
      int step = Key == win::VK_LEFT ? -std::max(BreakBefore(caret), 1) : std::max(BreakAfter(caret), 1);
      MoveCaret(caret + step, extend);
      return true;
    }
    case win::VK_DELETE: {
      if (FReadOnly || FSelLength || extend) break;
      int n = BreakAfter(caret);
      if (n == 0) break;
      FSelLength = n;
      SetSelText("");
      return true;
    }
    case win::VK_HOME:
    case win::VK_END: {
      if (ctrl) {
        MoveCaret(Key == win::VK_HOME ? 0 : TextLength(), extend);
        return true;
      }
      const TMemoRows::TRow& row = Rows()[Rows().RowOf(caret)];
      int end = row.Start + row.Length;
      if (row.Soft && row.Length > 0 && FText[row.Byte + row.Bytes - 1] == ' ') --end;
      MoveCaret(Key == win::VK_HOME ? row.Start : end, extend);
      return true;
    }
    case win::VK_UP:
    case win::VK_DOWN:
    case win::VK_PRIOR:
    case win::VK_NEXT: {
      int rows = Rows().Count();
      int row = Rows().RowOf(caret);
      int page = VisibleRows();
      int delta = Key == win::VK_UP ? -1 : Key == win::VK_DOWN ? 1 : Key == win::VK_PRIOR ? -page : page;
      int target = std::clamp(row + delta, 0, rows - 1);
      if (FGoalFor != caret) FGoalX = CaretPoint().x;
      // A page key scrolls the view by a page as well.
      if (Key == win::VK_PRIOR || Key == win::VK_NEXT) {
        int top = std::clamp(FTopRow + delta, 0, std::max(rows - page, 0));
        if (top != FTopRow) {
          FTopRow = top;
          Invalidate();
        }
      }
      int goal = FGoalX;
      if (target != row) MoveCaret(PosInRow(target, goal), extend);
      else UpdateCaret();
      FGoalX = goal;
      FGoalFor = CaretIndex();
      return true;
    }
    default: break;
  }
  return false;
}
