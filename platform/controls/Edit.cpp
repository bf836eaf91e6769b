// TCustomEdit: an edit of our own: text, selection, typing, clipboard, change notices.
#include "platform/controls/StdCtrls.h"

#include "platform/controls/CharWidths.h"
#include "platform/controls/Clipbrd.h"
#include "platform/controls/MaskUtils.h"
#include "platform/controls/MemoRows.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

void TCustomEdit::Publish(TClassBuilder<TCustomEdit>& b) {
  b.Property("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
  b.Property("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize).Default(true);
  b.Property("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle).Default(bsSingle);
  b.Property("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase).Default(ecNormal);
  b.Property("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection).Default(true);
  b.Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
  b.Property("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar);
  b.Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
  b.Property("Text", &TCustomEdit::TextProp, &TCustomEdit::SetTextProp);
  b.Property("OnChange", &TCustomEdit::OnChange, &TCustomEdit::SetOnChange);
}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner), FRows(std::make_unique<TMemoRows>()) {
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FCursor = crIBeam;
  FControlStyle = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight, csCaptureMouse};
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= win::ES_AUTOHSCROLL;
  if (FReadOnly) Params.Style |= win::ES_READONLY;
  if (!FPasswordChar.empty()) Params.Style |= win::ES_PASSWORD;
  if (FCharCase == ecUpperCase) Params.Style |= win::ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= win::ES_LOWERCASE;
  if (FBorderStyle == bsSingle) {
    if (FCtl3D) Params.ExStyle |= win::WS_EX_CLIENTEDGE;
    else Params.Style |= win::WS_BORDER;
  }
}

int TCustomEdit::TextLength() const {
  if (FMultiLine && FRows->Valid()) return FRows->Length();
  return static_cast<int>(Utf8Length(FText));
}

std::size_t TCustomEdit::ByteOfChar(int Index) const {
  if (FMultiLine && FRows->Valid()) return FRows->ByteOf(FText, Index);
  return Utf8CharToByteIndex(FText, static_cast<std::size_t>(std::max(Index, 0)));
}

void TCustomEdit::TextReplaced(std::size_t Byte, std::size_t Removed, std::size_t Inserted) {
  int first = 0, oldLast = 0, newLast = 0;
  if (FMultiLine) ReplaceRows(Byte, Removed, Inserted, first, oldLast, newLast);
}

void TCustomEdit::AssignText(std::string Value) {
  // Only what lies between the common start and the common end changed.
  std::size_t n = std::min(FText.size(), Value.size()), head = 0, tail = 0;
  while (head < n && FText[head] == Value[head]) ++head;
  while (tail < n - head && FText[FText.size() - 1 - tail] == Value[Value.size() - 1 - tail]) ++tail;
  std::size_t removed = FText.size() - head - tail, inserted = Value.size() - head - tail;
  FText = std::move(Value);
  TextReplaced(head, removed, inserted);
}

void TCustomEdit::SetSelStart(int Value) {
  FSelStart = std::clamp(Value, 0, TextLength());
  FSelLength = 0;
  FCaretAtStart = false;
  Invalidate();
  UpdateCaret();
}

void TCustomEdit::SetSelLength(int Value) {
  int len = TextLength();
  if (Value < 0) {
    // A negative length selects backwards from the start.
    int from = std::max(0, FSelStart + Value);
    FSelLength = FSelStart - from;
    FSelStart = from;
    FCaretAtStart = FSelLength > 0;
  } else {
    FSelLength = std::min(Value, len - FSelStart);
    FCaretAtStart = false;
  }
  Invalidate();
  UpdateCaret();
}

std::string TCustomEdit::SelText() const {
  std::size_t from = ByteOfChar(FSelStart);
  return FText.substr(from, ByteOfChar(FSelStart + FSelLength) - from);
}

void TCustomEdit::SetSelText(const std::string& Value) {
  ReplaceSelection(Value);
  FModified = true;
  Change();
}

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = TextLength();
  FCaretAtStart = false;
  Invalidate();
  UpdateCaret();
}

void TCustomEdit::ClearSelection() {
  if (FSelLength == 0 || FReadOnly) return;
  SetSelText("");
}

void TCustomEdit::Clear() { SetText(""); }

void TCustomEdit::CopyToClipboard() {
  if (FSelLength > 0 && FPasswordChar.empty()) Clipboard()->SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
  if (FReadOnly) return;
  CopyToClipboard();
  ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
  if (FReadOnly || !Clipboard()->HasFormat(win::CF_TEXT)) return;
  PasteText(Clipboard()->AsText());
}

void TCustomEdit::PasteText(const std::string& S) {
  if (FMultiLine) {
    PasteRows(S);
    return;
  }
  if (FReadOnly) return;
  // One insertion of the text as it is, up to its first line break: pasted characters
  // are never taken for keys.
  std::string s = S.substr(0, S.find_first_of("\r\n"));
  if (s.empty()) return;
  InsertPasted(std::move(s));
}

void TCustomEdit::InsertPasted(std::string s) {
  if (FCharCase == ecUpperCase) s = Utf8UpperCase(s);
  else if (FCharCase == ecLowerCase) s = Utf8LowerCase(s);
  if (FMaxLength > 0) {
    // What fits, without splitting a CR LF.
    const std::size_t room = static_cast<std::size_t>(std::max(FMaxLength - (TextLength() - FSelLength), 0));
    if (Utf8Length(s) > room) {
      std::size_t cut = Utf8CharToByteIndex(s, room);
      if (cut > 0 && cut < s.size() && s[cut - 1] == '\r' && s[cut] == '\n') --cut;
      s.resize(cut);
      win::MessageBeep(0);
    }
  }
  SetSelText(s);
}

void TCustomEdit::SetMaxLength(int Value) { FMaxLength = std::max(Value, 0); }

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (FHandle) {
    win::LONG_PTR s = win::GetWindowLong(FHandle, win::GWL_STYLE);
    win::SetWindowLong(FHandle, win::GWL_STYLE, Value ? (s | win::ES_READONLY) : (s & ~win::LONG_PTR(win::ES_READONLY)));
  }
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  if (Value == ecUpperCase) SetTextKeepSelection(Utf8UpperCase(FText));
  else if (Value == ecLowerCase) SetTextKeepSelection(Utf8LowerCase(FText));
}

void TCustomEdit::SetPasswordChar(const std::string& Value) {
  // One character at most.
  FPasswordChar = Value.empty() ? std::string() : Utf8LeftChars(Value, 1);
  if (FPasswordChar == std::string(1, '\0')) FPasswordChar.clear();
  Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomEdit::SetText(const std::string& Value) {
  std::string v = Value;
  if (FCharCase == ecUpperCase) v = Utf8UpperCase(v);
  else if (FCharCase == ecLowerCase) v = Utf8LowerCase(v);
  FCanUndo = false;
  if (v == FText) return;
  AssignText(std::move(v));
  FSelStart = 0;
  FSelLength = 0;
  FCaretAtStart = false;
  FScrollX = 0;
  FModified = false;
  if (FHandle) win::SetWindowText(FHandle, FText.c_str());
  Invalidate();
  UpdateCaret();
  Change();
}

void TCustomEdit::ClearUndo() {
  FCanUndo = false;
  FUndoText.clear();
}

void TCustomEdit::SetTextKeepSelection(const std::string& Value) {
  AssignText(Value);
  int len = TextLength();
  FSelStart = std::min(FSelStart, len);
  FSelLength = std::min(FSelLength, len - FSelStart);
  Invalidate();
  UpdateCaret();
  Change();
}

void TCustomEdit::Change() {
  // The parent hears of every change, as the edit controls of the desktop tell theirs.
  if (FHandle && FParent && FParent->HandleAllocated())
    win::SendMessage(FParent->Handle(), win::WM_COMMAND,
                     win::MAKEWPARAM(static_cast<win::WORD>(win::GetDlgCtrlID(FHandle)), win::EN_CHANGE),
                     reinterpret_cast<win::LPARAM>(FHandle));
  Perform(CM_TEXTCHANGED, 0, 0);
  if (FOnChange) FOnChange(this);
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !FControlState.Contains(csLButtonDown) && win::GetKeyState(win::VK_LBUTTON) >= 0) SelectAll();
  TWinControl::DoEnter();
}

std::string TCustomEdit::DisplayText() const { return FText; }

void TCustomEdit::ReplaceSelection(const std::string& s) {
  int start = std::clamp(FSelStart, 0, TextLength());
  std::size_t from = ByteOfChar(start), to = FSelLength > 0 ? ByteOfChar(start + FSelLength) : from;
  const int inserted = static_cast<int>(Utf8Length(s));
  FUndoText = FText;
  FCanUndo = true;
  FText.replace(from, to - from, s);
  TextReplaced(from, to - from, s.size());
  FSelStart = start + inserted;
  FSelLength = 0;
  FCaretAtStart = false;
  Invalidate();
  UpdateCaret();
}

void TCustomEdit::EditChar(TKeyChar Key) {
  if (FMultiLine && RowsChar(Key)) return;
  switch (Key) {
    case 1: SelectAll(); return;           // Ctrl+A
    case 3: CopyToClipboard(); return;     // Ctrl+C
    case 22: PasteFromClipboard(); return; // Ctrl+V
    case 24: CutToClipboard(); return;     // Ctrl+X
    case 26:                               // Ctrl+Z
      if (!FReadOnly && FCanUndo) {
        std::string t = FUndoText;
        FUndoText = FText;
        SetTextKeepSelection(t);
        FModified = true;
      }
      return;
    default: break;
  }
  if (FReadOnly) {
    win::MessageBeep(0);
    return;
  }
  if (Key == 8) {
    if (FSelLength == 0) {
      if (FSelStart == 0) return;
      --FSelStart;
      FSelLength = 1;
    }
    SetSelText("");
    return;
  }
  if (Key < 32 || Key == 127) return;
  std::string ch;
  Utf8Append(ch, Key);
  if (FCharCase == ecUpperCase) ch = Utf8UpperCase(ch);
  else if (FCharCase == ecLowerCase) ch = Utf8LowerCase(ch);
  if (FMaxLength > 0 && TextLength() - FSelLength >= FMaxLength) {
    win::MessageBeep(0);
    return;
  }
  SetSelText(ch);
}

void TCustomEdit::EditKeyDown(win::WORD Key, TShiftState Shift) {
  if (FMultiLine && RowsKeyDown(Key, Shift)) return;
  bool extend = Shift.Contains(ssShift);
  auto moveTo = [&](int pos) { MoveCaret(pos, extend); };
  switch (Key) {
    case win::VK_LEFT: moveTo(FSelLength && !extend ? FSelStart : CaretIndex() - 1); break;
    case win::VK_RIGHT: moveTo(FSelLength && !extend ? FSelStart + FSelLength : CaretIndex() + 1); break;
    case win::VK_HOME: moveTo(0); break;
    case win::VK_END: moveTo(TextLength()); break;
    case win::VK_DELETE:
      if (FReadOnly) break;
      if (Shift.Contains(ssShift)) { CutToClipboard(); break; }
      if (FSelLength == 0) {
        if (FSelStart >= TextLength()) break;
        FSelLength = 1;
      }
      SetSelText("");
      break;
    case win::VK_INSERT:
      if (Shift.Contains(ssShift)) PasteFromClipboard();
      else if (Shift.Contains(ssCtrl)) CopyToClipboard();
      break;
    default: break;
  }
}

void TCustomEdit::Dispatch(TMessage& Message) {
  using namespace win;
  if (EditViewMessage(Message) || EditLineMessage(Message)) return;
  if (FMultiLine && RowsViewMessage(Message)) return;
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
      if (FMultiLine && (FEditStyle & ES_WANTRETURN)) Message.Result |= DLGC_WANTALLKEYS;
      return;
    case EM_GETSEL: {
      if (Message.WParam) *reinterpret_cast<DWORD*>(Message.WParam) = static_cast<DWORD>(FSelStart);
      if (Message.LParam) *reinterpret_cast<DWORD*>(Message.LParam) = static_cast<DWORD>(FSelStart + FSelLength);
      Message.Result = MAKELONG(static_cast<WORD>(FSelStart), static_cast<WORD>(FSelStart + FSelLength));
      return;
    }
    case EM_SETSEL: {
      int a = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
      int b = static_cast<int>(Message.LParam);
      int len = TextLength();
      if (a < 0) { FSelStart = len; FSelLength = 0; }
      else {
        if (b < 0) b = len;
        a = std::min(a, len);
        b = std::min(b, len);
        // A start after the end selects backwards.
        FSelStart = std::min(a, b);
        FSelLength = std::abs(b - a);
        FCaretAtStart = a > b;
      }
      Invalidate();
      UpdateCaret();
      return;
    }
    case EM_GETMODIFY: Message.Result = FModified ? 1 : 0; return;
    case EM_SETMODIFY: FModified = Message.WParam != 0; return;
    case EM_LIMITTEXT: SetMaxLength(static_cast<int>(Message.WParam)); return;
    case EM_SETREADONLY: SetReadOnly(Message.WParam != 0); Message.Result = 1; return;
    case EM_REPLACESEL: if (Message.LParam) SetSelText(reinterpret_cast<const char*>(Message.LParam)); return;
    case WM_CUT: CutToClipboard(); return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_CLEAR: ClearSelection(); return;
    case WM_UNDO: EditChar(26); return;
    case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(FText.size()); return;
    case WM_SETFOCUS:
      TWinControl::Dispatch(Message);
      if (FHandle) {
        CreateCaret(FHandle, nullptr, 1, LineHeight());
        ShowCaret(FHandle);
        UpdateCaret();
      }
      return;
    case WM_KILLFOCUS:
      FMouseSelecting = false;
      DestroyCaret();
      TWinControl::Dispatch(Message);
      return;
    case WM_PAINT: PaintOwnWindow(Message, [this](HDC dc) { PaintEdit(dc); }); return;
    default: TWinControl::Dispatch(Message);
  }
}

void TCustomEdit::DefaultHandler(TMessage& Message) {
  if (Message.Msg == win::WM_CHAR) {
    EditChar(static_cast<TKeyChar>(Message.WParam));
    return;
  }
  if (Message.Msg == win::WM_KEYDOWN) {
    EditKeyDown(static_cast<win::WORD>(Message.WParam), KeyDataToShiftState(Message.LParam));
    return;
  }
  TWinControl::DefaultHandler(Message);
}
