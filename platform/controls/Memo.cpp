#include "platform/controls/StdCtrls.h"

#include "platform/controls/CharWidths.h"
#include "platform/controls/MaskUtils.h"
#include "platform/controls/MemoRows.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"
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
    : TCustomEdit(AOwner), FLines(std::make_unique<TStringList>()) {
  FMultiLine = true;
  FWrapRows = true;
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
  auto done = AtScopeExit([this] { FSyncing = false; });
  // The lines are joined by the line break the text already uses; none follows the last.
  const std::string Break = LineBreak();
  std::string t;
  for (int i = 0; i < FLines->Count(); ++i) t += (i ? Break : std::string()) + FLines->Strings(i);
  while (!t.empty() && (t.back() == '\n' || t.back() == '\r')) t.pop_back();
  if (t != FText) TCustomEdit::SetText(t);
}

void TCustomMemo::TextReplaced(std::size_t Byte, std::size_t Removed, std::size_t Inserted) {
  // Lines follow every change of the text before anyone hears of it.
  int first = 0, oldLast = 0, newLast = 0;
  bool inStep = ReplaceRows(Byte, Removed, Inserted, first, oldLast, newLast);
  if (FSyncing) return;
  FSyncing = true;
  auto done = AtScopeExit([this] { FSyncing = false; });
  if (!inStep || !SyncLines(first, oldLast, newLast)) FLines->SetText(FText);
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

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWrapRows == Value) return;
  FWrapRows = Value;
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
  if (!FWrapRows) Params.Style |= win::ES_AUTOHSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= win::WS_VSCROLL;
  if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWrapRows) Params.Style |= win::WS_HSCROLL;
  TAlignment a = FAlignment;
  if (UseRightToLeftAlignment()) ChangeBiDiModeAlignment(a);
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
  TCustomEdit::Dispatch(Message);
}

void TCustomMemo::EditChar(TKeyChar Key) {
  if (Key == '\r' && !FWantReturns) return;
  if (Key == '\n') return;
  if (Key == '\t') {
    if (!FWantTabs || FReadOnly) return;
    SetSelText("\t");
    return;
  }
  TCustomEdit::EditChar(Key);
}

