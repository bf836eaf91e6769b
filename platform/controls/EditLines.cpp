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

std::string TCustomEdit::LineBreak() const {
  const std::size_t b = FText.find_first_of("\r\n");
  if (b == std::string::npos || FText[b] == '\n') return "\n";
  return b + 1 < FText.size() && FText[b + 1] == '\n' ? "\r\n" : "\r";
}

bool TCustomEdit::RowsChar(TKeyChar Key) {
  // Enter, and the line feed of Ctrl+Enter, break the line as the text already does.
  if (Key == '\r' || Key == '\n') {
    if (FReadOnly) return true;
    const std::string Break = LineBreak();
    if (FMaxLength > 0 && TextLength() - FSelLength + static_cast<int>(Break.size()) > FMaxLength) {
      win::MessageBeep(0);
      return true;
    }
    SetSelText(Break);
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
  // Every kind of line break becomes the text's own; everything else stays as it is.
  const std::string Break = LineBreak();
  std::string s;
  s.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    char c = S[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < S.size() && S[i + 1] == '\n') ++i;
      s += Break;
    } else {
      s += c;
    }
  }
  InsertPasted(std::move(s));
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
