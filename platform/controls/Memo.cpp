#include "platform/controls/StdCtrls.h"

#include "platform/controls/CharWidths.h"
#include "platform/controls/MaskUtils.h"
#include "platform/controls/MemoRows.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

void TCustomMemo::Publish(TClassBuilder<TCustomMemo>& b) {
  b.Property("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment).Default(taLeftJustify);
  b.Property("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines);
  b.Property("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).Default(ssNone);
  b.Property("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(true);
  b.Property("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default(false);
  b.Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(true);
}

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(std::make_unique<TStringList>()), FRows(std::make_unique<TMemoRows>()) {
  FWidth = 185;
  FHeight = 89;
  FAutoSize = false;
  FLines->SetOnChange(MakeEvent(this, &TCustomMemo::LinesChanged));
  FControlStyle -= csFixedHeight;
}

TCustomMemo::~TCustomMemo() { FLines->SetOnChange(nullptr); }

void TCustomMemo::SetLines(TStrings* Value) { FLines->Assign(Value); }

void TCustomMemo::LinesChanged(TObject*) {
  if (FSyncing) return;
  FSyncing = true;
  std::string t = FLines->Text();
  // The text holds no line break after the last line.
  while (!t.empty() && (t.back() == '\n' || t.back() == '\r')) t.pop_back();
  if (t != FText) TCustomEdit::SetText(t);
  FSyncing = false;
}

void TCustomMemo::TextReplaced(std::size_t Byte, std::size_t Removed, std::size_t Inserted) {
  // Lines follow every change of the text before anyone hears of it.
  TCharWidths& widths = Widths();
  bool inStep = FRows->LaidOutFor(RowsWidth(), FWordWrap, widths.Generation());
  TMemoRows::TLinesChanged lines{};
  if (inStep) lines = FRows->Edit(FText, widths, Byte, Removed, Inserted);
  else FRows->Invalidate();
  if (FSyncing) return;
  FSyncing = true;
  if (!inStep || !SyncLines(lines.FirstLine, lines.OldLast, lines.NewLast)) FLines->SetText(FText);
  FSyncing = false;
}

bool TCustomMemo::SyncLines(int First, int OldLast, int NewLast) {
  const TMemoRows& rows = *FRows;
  int oldCount = rows.Lines() - (NewLast - OldLast), had = OldLast - First + 1, has = NewLast - First + 1;
  // Many lines at once: splitting the whole text is cheaper.
  if (std::abs(has - had) > 16) return false;
  // Lines leave out an empty last line of the text; it takes part for the moment.
  if (FLines->Count() == oldCount - 1) FLines->Add("");
  if (FLines->Count() != oldCount) return false;
  for (int i = 0; i < std::min(had, has); ++i) FLines->Put(First + i, rows.LineText(FText, First + i));
  for (int i = had; i < has; ++i) FLines->Insert(First + i, rows.LineText(FText, First + i));
  for (int i = has; i < had; ++i) FLines->Delete(First + has);
  if (rows[rows.Count() - 1].Length == 0 && FLines->Count() > 0) FLines->Delete(FLines->Count() - 1);
  return true;
}

int TCustomMemo::TextLength() const {
  return FRows->Valid() ? FRows->Length() : TCustomEdit::TextLength();
}

std::size_t TCustomMemo::ByteOfChar(int Index) const {
  return FRows->Valid() ? FRows->ByteOf(FText, Index) : TCustomEdit::ByteOfChar(Index);
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style &= ~win::DWORD(win::ES_AUTOHSCROLL);
  Params.Style |= win::ES_MULTILINE | win::ES_AUTOVSCROLL;
  if (!FWordWrap) Params.Style |= win::ES_AUTOHSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= win::WS_VSCROLL;
  if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap) Params.Style |= win::WS_HSCROLL;
  TAlignment a = TextAlignment();
  if (a == taRightJustify) Params.Style |= win::ES_RIGHT;
  if (a == taCenter) Params.Style |= win::ES_CENTER;
}

void TCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_GETDLGCODE) {
    Message.Result = win::DLGC_WANTARROWS | win::DLGC_WANTCHARS | win::DLGC_HASSETSEL;
    if (FWantReturns) Message.Result |= win::DLGC_WANTALLKEYS;
    if (FWantTabs) Message.Result |= win::DLGC_WANTTAB;
    return;
  }
  if (MemoViewMessage(Message)) return;
  TCustomEdit::Dispatch(Message);
}

int TCustomMemo::BreakBefore(int Index) const {
  if (Index <= 0) return 0;
  std::size_t b = ByteOfChar(Index);
  auto at = [&](std::size_t i) { return FText[i] == '\r' || FText[i] == '\n' ? FText[i] : '\0'; };
  if (b >= 2 && at(b - 2) == '\r' && at(b - 1) == '\n') return 2;
  return b >= 1 && at(b - 1) ? 1 : 0;
}

int TCustomMemo::BreakAfter(int Index) const {
  std::size_t b = ByteOfChar(Index), n = FText.size();
  if (b + 1 < n && FText[b] == '\r' && FText[b + 1] == '\n') return 2;
  return b < n && (FText[b] == '\r' || FText[b] == '\n') ? 1 : 0;
}

void TCustomMemo::EditChar(TKeyChar Key) {
  if (Key == '\r') {
    if (!FWantReturns || FReadOnly) return;
    if (FMaxLength > 0 && TextLength() - FSelLength + 2 > FMaxLength) {
      win::MessageBeep(0);
      return;
    }
    SetSelText("\r\n");
    return;
  }
  if (Key == '\t') {
    if (!FWantTabs || FReadOnly) return;
    SetSelText("\t");
    return;
  }
  // Backspace takes a whole line break.
  if (Key == 8 && !FReadOnly && FSelLength == 0) {
    int n = BreakBefore(FSelStart);
    if (n > 0) {
      FSelStart -= n;
      FSelLength = n;
      SetSelText("");
      return;
    }
  }
  TCustomEdit::EditChar(Key);
}

void TCustomMemo::PasteText(const std::string& S) {
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

void TCustomMemo::EditKeyDown(win::WORD Key, TShiftState Shift) {
  bool extend = Shift.Contains(ssShift), ctrl = Shift.Contains(ssCtrl);
  int caret = CaretIndex();
  switch (Key) {
    case win::VK_LEFT:
    case win::VK_RIGHT: {
      if (FSelLength && !extend) break;
      int step = Key == win::VK_LEFT ? -std::max(BreakBefore(caret), 1) : std::max(BreakAfter(caret), 1);
      MoveCaret(caret + step, extend);
      return;
    }
    case win::VK_DELETE: {
      if (FReadOnly || FSelLength || extend) break;
      int n = BreakAfter(caret);
      if (n == 0) break;
      FSelLength = n;
      SetSelText("");
      return;
    }
    case win::VK_HOME:
    case win::VK_END: {
      if (ctrl) {
        MoveCaret(Key == win::VK_HOME ? 0 : TextLength(), extend);
        return;
      }
      const TMemoRows::TRow& row = Rows()[Rows().RowOf(caret)];
      int end = row.Start + row.Length;
      if (row.Soft && row.Length > 0 && FText[row.Byte + row.Bytes - 1] == ' ') --end;
      MoveCaret(Key == win::VK_HOME ? row.Start : end, extend);
      return;
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
      return;
    }
    default: break;
  }
  TCustomEdit::EditKeyDown(Key, Shift);
}

