// TWinControl: focus, tab order, keys and dialog keys.
#include "platform/controls/WinControl.h"

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"

#include <algorithm>

namespace {
// A dialog key eaten at key-down also eats the character it would type.
bool gEatDialogChar = false;
// The first half of a character typed beyond the basic plane.
char16_t gHighSurrogate = 0;
}  // namespace

bool TWinControl::CanFocus() const {
  const TWinControl* c = this;
  while (c) {
    if (!c->Visible() || !c->Enabled()) return false;
    if (!c->Parent()) return dynamic_cast<const TCustomForm*>(c) != nullptr || c->FParentWindow != nullptr;
    c = c->Parent();
  }
  return false;
}

bool TWinControl::Focused() const { return FHandle && win::GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  TCustomForm* f = GetParentForm(this);
  if (f) {
    f->FocusControl(this);
  } else if (FParentWindow) {
    win::SetFocus(Handle());
  } else {
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  }
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (FHandle) {
    win::LONG_PTR s = win::GetWindowLong(FHandle, win::GWL_STYLE);
    win::SetWindowLong(FHandle, win::GWL_STYLE, Value ? (s | win::WS_TABSTOP) : (s & ~win::LONG_PTR(win::WS_TABSTOP)));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

int TWinControl::TabOrder() const {
  if (!FParent) return -1;
  auto& l = FParent->FTabList;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!FParent || ComponentState().Contains(csLoading)) {
    FPendingTabOrder = Value;
    return;
  }
  auto& l = FParent->FTabList;
  int cur = TabOrder();
  if (cur < 0) return;
  if (Value < 0 || Value >= static_cast<int>(l.size())) Value = static_cast<int>(l.size()) - 1;
  l.erase(l.begin() + cur);
  l.insert(l.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int n = static_cast<int>(list.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (list[i] == CurControl) start = i;
  if (start < 0) start = GoForward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[i];
    if (c == CurControl) break;
    if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this))
      return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (next) next->SetFocus();
}

void TWinControl::SelectFirst() {
  TCustomForm* f = GetParentForm(this);
  TWinControl* c = FindNextControl(nullptr, true, true, false);
  if (!c) c = FindNextControl(nullptr, true, false, false);
  if (f && c) f->SetActiveControl(c);
}

void TWinControl::WMSetFocus(TMessage& Message) {
  DefaultHandler(Message);
  TCustomForm* f = GetParentForm(this);
  if (f && f != this) f->SetFocusedControl(this);
  else if (f == this) f->SetFocusedControl(f->FActiveControl ? f->FActiveControl : f);
}

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter() {
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit) FOnExit(this);
}

bool TWinControl::IsDialogKey(win::WORD Key, TShiftState Shift) {
  win::LRESULT mask = 0;
  switch (Key) {
    case win::VK_TAB: mask = win::DLGC_WANTTAB; break;
    case win::VK_LEFT: case win::VK_RIGHT: case win::VK_UP: case win::VK_DOWN: mask = win::DLGC_WANTARROWS; break;
    case win::VK_RETURN: case win::VK_EXECUTE: case win::VK_ESCAPE: case win::VK_CANCEL: mask = win::DLGC_WANTALLKEYS; break;
    default: return false;
  }
  if (Perform(CM_WANTSPECIALKEY, Key, 0) != 0) return false;
  if (Perform(win::WM_GETDLGCODE, 0, 0) & mask) return false;
  return true;
}

void TWinControl::WMKeyDown(TMessage& Message) {
  gEatDialogChar = false;
  win::WORD key = static_cast<win::WORD>(Message.WParam);
  TShiftState shift = KeyDataToShiftState(Message.LParam);
  if (Perform(CM_CHILDKEY, key, reinterpret_cast<win::LPARAM>(this)) != 0) return;
  if (IsDialogKey(key, shift)) {
    TCustomForm* f = GetParentForm(this);
    TWinControl* target = f ? static_cast<TWinControl*>(f) : this;
    if (target->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) {
      gEatDialogChar = true;
      return;
    }
  }
  if (DoKeyDown(Message)) return;
  DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  if (DoKeyUp(Message)) return;
  DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  char16_t unit = static_cast<char16_t>(Message.WParam);
  if (gEatDialogChar && (unit == u'\t' || unit == u'\r' || unit == 0x1B)) {
    gEatDialogChar = false;
    return;
  }
  if (unit >= 0xD800 && unit < 0xDC00) {
    gHighSurrogate = unit;
    return;
  }
  TKeyChar ch = unit;
  if (unit >= 0xDC00 && unit < 0xE000 && gHighSurrogate) {
    ch = 0x10000 + ((static_cast<TKeyChar>(gHighSurrogate) - 0xD800) << 10) + (unit - 0xDC00);
  }
  gHighSurrogate = 0;
  // The default handling gets the whole character, as the key-press event left it.
  TMessage m{Message.Msg, static_cast<win::WPARAM>(ch), Message.LParam, 0};
  if (DoKeyPress(m)) return;
  DefaultHandler(m);
  Message.Result = m.Result;
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  TCustomForm* f = GetParentForm(this);
  if (f && f != this && f->KeyPreview() && f->DoKeyDown(Message)) return true;
  win::WORD key = static_cast<win::WORD>(Message.WParam);
  if (!FControlStyle.Contains(csNoStdEvents)) {
    KeyDown(key, KeyDataToShiftState(Message.LParam));
    if (key == 0) return true;
  }
  Message.WParam = key;
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TCustomForm* f = GetParentForm(this);
  if (f && f != this && f->KeyPreview() && f->DoKeyUp(Message)) return true;
  win::WORD key = static_cast<win::WORD>(Message.WParam);
  if (!FControlStyle.Contains(csNoStdEvents)) {
    KeyUp(key, KeyDataToShiftState(Message.LParam));
    if (key == 0) return true;
  }
  Message.WParam = key;
  return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* f = GetParentForm(this);
  if (f && f != this && f->KeyPreview() && f->DoKeyPress(Message)) return true;
  TKeyChar ch = static_cast<TKeyChar>(Message.WParam);
  if (!FControlStyle.Contains(csNoStdEvents)) {
    KeyPress(ch);
    if (ch == 0) return true;
  }
  Message.WParam = ch;
  return false;
}

void TWinControl::KeyDown(win::WORD& Key, TShiftState Shift) {
  if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(win::WORD& Key, TShiftState Shift) {
  if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(TKeyChar& Key) {
  if (FOnKeyPress) FOnKeyPress(this, Key);
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }
void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }
