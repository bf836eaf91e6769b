#include "platform/controls/Mask.h"

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Utf8.h"

void TCustomMaskEdit::Publish(TClassBuilder<TCustomMaskEdit>& b) {
  b.Property("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask);
}

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const std::string& Value) {
  if (Value == FEditMask) return;
  std::string text = GetText();
  FEditMask = Value;
  FMask = TEditMask(Value);
  FCells = TMaskText(FMask);
  if (IsMasked()) {
    FMaxLength = FMask.Length();
    FCells.SetValue(text);
    FText = FCells.EditText();
  } else {
    FText = text;
  }
  FSelStart = 0;
  FSelLength = 0;
  FScrollX = 0;
  Invalidate();
  UpdateCaret();
}

void TCustomMaskEdit::SetMaxLength(int Value) {
  // A mask fixes the length.
  if (IsMasked()) FMaxLength = FMask.Length();
  else TCustomEdit::SetMaxLength(Value);
}

std::string TCustomMaskEdit::EditText() const { return FText; }

void TCustomMaskEdit::SetEditText(const std::string& Value) {
  if (!IsMasked()) {
    TCustomEdit::SetText(Value);
    return;
  }
  FCells.SetEditText(Value);
  std::string t = FCells.EditText();
  if (t == FText) return;
  FText = t;
  FSelStart = 0;
  FSelLength = 0;
  FScrollX = 0;
  FModified = false;
  Invalidate();
  UpdateCaret();
  Change();
}

std::string TCustomMaskEdit::GetText() const {
  return IsMasked() ? FCells.Text() : FText;
}

void TCustomMaskEdit::SetText(const std::string& Value) {
  if (!IsMasked()) {
    TCustomEdit::SetText(Value);
    return;
  }
  FCells.SetValue(Value);
  std::string t = FCells.EditText();
  FModified = false;
  if (t == FText) return;
  FText = t;
  FSelStart = 0;
  FSelLength = 0;
  Invalidate();
  UpdateCaret();
  Change();
}

std::string TCustomMaskEdit::DisplayText() const { return FText; }

bool TCustomMaskEdit::EditCanModify() { return true; }

void TCustomMaskEdit::SyncText() {
  FText = FCells.EditText();
  FModified = true;
  Invalidate();
  UpdateCaret();
  Change();
}

void TCustomMaskEdit::KeyDown(win::WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || Key == 0) return;
  // Escape abandons the changes.
  if (Key == win::VK_ESCAPE && FModified && Shift.Empty()) {
    Reset();
    Key = 0;
  }
}

void TCustomMaskEdit::KeyPress(TKeyChar& Key) {
  TCustomEdit::KeyPress(Key);
  if (IsMasked() && Key == 0x1B) Key = 0;
}

void TCustomMaskEdit::EditChar(TKeyChar Key) {
  if (!IsMasked()) {
    TCustomEdit::EditChar(Key);
    return;
  }
  if (Key == 1 || Key == 3) {  // select all, copy
    TCustomEdit::EditChar(Key);
    return;
  }
  if (FReadOnly) return;
  if (Key == 8) {
    if (!EditCanModify()) return;
    FSelStart = FCells.DeleteBackward(FSelStart, FSelLength);
    FSelLength = 0;
    SyncText();
    return;
  }
  if (Key == 22) {  // paste
    PasteFromClipboard();
    return;
  }
  if (Key == 24) {  // cut
    CopyToClipboard();
    if (!EditCanModify()) return;
    FSelStart = FCells.DeleteForward(FSelStart, FSelLength);
    FSelLength = 0;
    SyncText();
    return;
  }
  if (Key < 32) return;
  std::string ch;
  Utf8Append(ch, Key);
  if (FCharCase == ecUpperCase) ch = Utf8UpperCase(ch);
  else if (FCharCase == ecLowerCase) ch = Utf8LowerCase(ch);
  if (!EditCanModify()) return;
  int caret = FCells.Input(FSelStart, FSelLength, ch);
  if (caret < 0) {
    win::MessageBeep(0);
    return;
  }
  FSelStart = caret;
  FSelLength = 0;
  SyncText();
}

void TCustomMaskEdit::PasteText(const std::string& S) {
  if (!IsMasked()) {
    TCustomEdit::PasteText(S);
    return;
  }
  if (FReadOnly || !EditCanModify()) return;
  // The characters of the first line fill the mask's positions from the caret on, in one
  // change; those a position refuses are passed over.
  const std::string Line = S.substr(0, S.find_first_of("\r\n"));
  bool Changed = false, Refused = false;
  for (std::size_t b = 0; b < Line.size() && FSelStart < FMask.Length(); b = Utf8NextChar(Line, b)) {
    std::string ch = Line.substr(b, Utf8NextChar(Line, b) - b);
    if (FCharCase == ecUpperCase) ch = Utf8UpperCase(ch);
    else if (FCharCase == ecLowerCase) ch = Utf8LowerCase(ch);
    const int Caret = FCells.Input(FSelStart, FSelLength, ch);
    if (Caret < 0) {
      Refused = true;
      continue;
    }
    FSelStart = Caret;
    FSelLength = 0;
    Changed = true;
  }
  if (Refused) win::MessageBeep(0);
  if (Changed) SyncText();
}

void TCustomMaskEdit::EditKeyDown(win::WORD Key, TShiftState Shift) {
  if (!IsMasked() || FReadOnly || Key != win::VK_DELETE || Shift.Contains(ssShift)) {
    TCustomEdit::EditKeyDown(Key, Shift);
    return;
  }
  if (!EditCanModify()) return;
  FSelStart = FCells.DeleteForward(FSelStart, FSelLength);
  FSelLength = 0;
  SyncText();
}

void TCustomMaskEdit::Reset() {
  if (!FModified) return;
  if (IsMasked()) {
    FCells.SetEditText(FOldValue);
    FText = FCells.EditText();
  } else {
    FText = FOldValue;
  }
  FModified = false;
  FSelStart = 0;
  FSelLength = 0;
  Invalidate();
  UpdateCaret();
  Change();
}

void TCustomMaskEdit::DoEnter() {
  if (!FReEnter) FOldValue = FText;
  FReEnter = false;
  TCustomEdit::DoEnter();
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !FModified) return;
  int pos = FMask.FirstInvalid(FCells.Cells());
  if (pos < 0) return;
  if (!ComponentState().Contains(csDesigning) && CanFocus()) {
    FReEnter = true;
    SetFocus();
  }
  FSelStart = pos;
  FSelLength = 0;
  UpdateCaret();
  ValidateError();
}

void TCustomMaskEdit::ValidateError() {
  win::MessageBeep(0);
  throw EDBEditError("Invalid input value. Use escape key to abandon changes");
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_EXIT && IsMasked() && !ComponentState().Contains(csDesigning)) {
    ValidateEdit();
    TCustomEdit::Dispatch(Message);
    return;
  }
  if (Message.Msg == win::WM_GETTEXTLENGTH && IsMasked()) {
    Message.Result = static_cast<win::LRESULT>(GetText().size());
    return;
  }
  TCustomEdit::Dispatch(Message);
}
