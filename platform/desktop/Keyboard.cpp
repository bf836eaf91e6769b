// Keyboard state, translation of key presses into characters, injected key presses,
// carets and keyboard layouts.
#include "platform/desktop/Input.h"
#include "platform/desktop/internal/State.h"
#include "platform/rtl/Utf8.h"

namespace win {
using namespace detail;

namespace detail {
bool DeliverHotKey(UINT vk);  // Shell.cpp

namespace {
BYTE ScanCode(UINT vk, bool* extended) {
  static const char* const letters = "\x1E\x30\x2E\x20\x12\x21\x22\x23\x17\x24\x25\x26\x32\x31\x18\x19\x10\x13\x1F\x14\x16\x2F\x11\x2D\x15\x2C";
  *extended = false;
  if (vk >= 'A' && vk <= 'Z') return BYTE(letters[vk - 'A']);
  if (vk >= '1' && vk <= '9') return BYTE(0x02 + (vk - '1'));
  if (vk == '0') return 0x0B;
  if (vk >= VK_F1 && vk <= VK_F1 + 9) return BYTE(0x3B + (vk - VK_F1));
  switch (vk) {
    case VK_ESCAPE: return 0x01;
    case VK_BACK: return 0x0E;
    case VK_TAB: return 0x0F;
    case VK_RETURN: return 0x1C;
    case VK_CONTROL: case VK_LCONTROL: return 0x1D;
    case VK_SHIFT: case VK_LSHIFT: return 0x2A;
    case VK_RSHIFT: return 0x36;
    case VK_MENU: case VK_LMENU: return 0x38;
    case VK_SPACE: return 0x39;
    case VK_CAPITAL: return 0x3A;
    case VK_F11: return 0x57;
    case VK_F12: return 0x58;
  }
  *extended = true;
  switch (vk) {
    case VK_HOME: return 0x47;
    case VK_UP: return 0x48;
    case VK_PRIOR: return 0x49;
    case VK_LEFT: return 0x4B;
    case VK_RIGHT: return 0x4D;
    case VK_END: return 0x4F;
    case VK_DOWN: return 0x50;
    case VK_NEXT: return 0x51;
    case VK_INSERT: return 0x52;
    case VK_DELETE: return 0x53;
    case VK_RCONTROL: return 0x1D;
    case VK_RMENU: return 0x38;
    case VK_LWIN: return 0x5B;
    case VK_RWIN: return 0x5C;
    case VK_APPS: return 0x5D;
  }
  *extended = false;
  return 0;
}

bool Down(UINT vk) { return (S().Keys[vk & 0xFF] & 0x80) != 0; }

// The character a key gives with the current modifiers (US layout), or 0.
WCHAR CharFor(UINT vk) {
  bool shift = Down(VK_SHIFT), ctrl = Down(VK_CONTROL), alt = Down(VK_MENU);
  bool caps = (S().Keys[VK_CAPITAL] & 1) != 0;
  if (ctrl && alt) return 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return WCHAR(vk - 'A' + 1);
    return WCHAR((shift != caps) ? vk : vk - 'A' + 'a');
  }
  if (ctrl) {
    switch (vk) {
      case VK_RETURN: return 10;
      case VK_BACK: return 127;
      case VK_CANCEL: return 3;
      case VK_ESCAPE: return 27;
      case VK_OEM_4: return 27;
      case VK_OEM_5: return 28;
      case VK_OEM_6: return 29;
    }
    return 0;
  }
  if (vk >= '0' && vk <= '9') return shift ? WCHAR(")!@#$%^&*("[vk - '0']) : WCHAR(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return WCHAR('0' + (vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_ESCAPE: return 27;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
  }
  return 0;
}

HWND KeyTarget() {
  State& s = S();
  if (Find(s.Focus)) return s.Focus;
  if (Find(s.Active)) return s.Active;
  return nullptr;
}

// The generic and left-hand codes move together.
void SetKey(UINT vk, bool down) {
  auto& k = S().Keys;
  auto set = [&](UINT v) {
    if (down) {
      if (!(k[v] & 0x80)) k[v] ^= 1;  // toggled on each press
      k[v] |= 0x80;
    } else {
      k[v] &= BYTE(~0x80);
    }
  };
  set(vk & 0xFF);
  switch (vk) {
    case VK_SHIFT: set(VK_LSHIFT); break;
    case VK_LSHIFT: case VK_RSHIFT: set(VK_SHIFT); break;
    case VK_CONTROL: set(VK_LCONTROL); break;
    case VK_LCONTROL: case VK_RCONTROL: set(VK_CONTROL); break;
    case VK_MENU: set(VK_LMENU); break;
    case VK_LMENU: case VK_RMENU: set(VK_MENU); break;
  }
}

LPARAM KeyLParam(UINT vk, bool up, bool wasDown, bool alt) {
  bool ext = false;
  BYTE scan = ScanCode(vk, &ext);
  DWORD lp = 1 | (DWORD(scan) << 16);
  if (ext) lp |= 1u << 24;
  if (alt) lp |= 1u << 29;
  if (wasDown || up) lp |= 1u << 30;
  if (up) lp |= 1u << 31;
  return LPARAM(DWORD(lp));
}
}  // namespace

void ResetInput() {
  State& s = S();
  s.Keys.fill(0);
  s.Cursor = POINT{};
  s.Active = s.Focus = s.Capture = nullptr;
  s.Tracking = ScrollTracking{};
  s.LastClickValid = false;
  s.TheCaret.reset();
  s.KeyTexts.clear();
  s.Beeps.clear();
  s.ActivatedLayouts.clear();
  s.CurrentCursor = nullptr;
  s.CursorShowCount = 0;
}

}  // namespace detail

BOOL TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  UINT m = msg->message;
  if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_KEYUP && m != WM_SYSKEYUP) return FALSE;
  if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN) {
    std::u16string chars;
    auto& texts = S().KeyTexts;
    auto it = msg->lPrivate ? texts.find(msg->lPrivate) : texts.end();
    if (it != texts.end()) {
      chars = it->second;
      texts.erase(it);
    } else if (WCHAR c = CharFor(UINT(msg->wParam))) {
      chars.push_back(char16_t(c));
    }
    // The characters come before anything queued later, in order.
    for (auto u = chars.rbegin(); u != chars.rend(); ++u) {
      MSG ch = *msg;
      ch.message = m == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
      ch.wParam = WPARAM(*u);
      ch.lPrivate = 0;
      S().Queue.push_front(ch);
      NoteActivity();
    }
  }
  return TRUE;
}

SHORT GetKeyState(int vk) {
  BYTE k = S().Keys[unsigned(vk) & 0xFF];
  return SHORT(((k & 0x80) ? 0x8000 : 0) | (k & 1));
}

SHORT GetAsyncKeyState(int vk) { return SHORT((S().Keys[unsigned(vk) & 0xFF] & 0x80) ? 0x8000 : 0); }

BOOL GetKeyboardState(BYTE* state) {
  if (!state) return FALSE;
  std::copy(S().Keys.begin(), S().Keys.end(), state);
  return TRUE;
}

BOOL SetKeyboardState(const BYTE* state) {
  if (!state) return FALSE;
  std::copy(state, state + 256, S().Keys.begin());
  return TRUE;
}

BOOL MessageBeep(UINT type) {
  S().Beeps.push_back(type);
  CurrentBackend().Beep(type);
  return TRUE;
}

HKL ActivateKeyboardLayout(HKL layout, UINT) {
  S().ActivatedLayouts.push_back(layout);
  return GetKeyboardLayout(0);
}

HKL GetKeyboardLayout(DWORD) { return reinterpret_cast<HKL>(std::uintptr_t(0x04090409)); }

int GetKeyboardLayoutList(int size, HKL* list) {
  if (size > 0 && list) list[0] = GetKeyboardLayout(0);
  return 1;
}

HKL LoadKeyboardLayoutA(LPCSTR, UINT) { return GetKeyboardLayout(0); }

HIMC ImmGetContext(HWND hwnd) { return Find(hwnd) ? reinterpret_cast<HIMC>(std::uintptr_t(0x1C)) : nullptr; }
BOOL ImmReleaseContext(HWND, HIMC) { return TRUE; }
HIMC ImmAssociateContext(HWND hwnd, HIMC) { return ImmGetContext(hwnd); }
BOOL ImmSetCompositionWindow(HIMC imc, const COMPOSITIONFORM*) { return imc ? TRUE : FALSE; }
BOOL ImmSetCandidateWindow(HIMC imc, const CANDIDATEFORM*) { return imc ? TRUE : FALSE; }
BOOL ImmSetCompositionFontA(HIMC imc, const void*) { return imc ? TRUE : FALSE; }
BOOL ImmSetOpenStatus(HIMC imc, BOOL) { return imc ? TRUE : FALSE; }
BOOL ImmGetOpenStatus(HIMC) { return FALSE; }
BOOL ImmIsIME(HKL) { return FALSE; }

// ---- carets ----
BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
  if (!Get(hwnd)) return FALSE;
  Caret c;
  c.Owner = hwnd;
  c.Width = width ? width : GetSystemMetrics(SM_CXBORDER);
  c.Height = height ? height : GetSystemMetrics(SM_CYBORDER);
  S().TheCaret = c;
  return TRUE;
}

BOOL DestroyCaret() {
  if (!S().TheCaret) return FALSE;
  S().TheCaret.reset();
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  if (!S().TheCaret) return FALSE;
  S().TheCaret->Pos = POINT{x, y};
  return TRUE;
}

BOOL GetCaretPos(POINT* pt) {
  if (!pt || !S().TheCaret) return FALSE;
  *pt = S().TheCaret->Pos;
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  auto& c = S().TheCaret;
  if (!c || (hwnd && c->Owner != hwnd) || c->HideCount == 0) return FALSE;
  --c->HideCount;
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  auto& c = S().TheCaret;
  if (!c || (hwnd && c->Owner != hwnd)) return FALSE;
  ++c->HideCount;
  return TRUE;
}

UINT GetCaretBlinkTime() { return 530; }

// ---- key presses from outside ----
namespace input {
namespace {
// Posts the key-down message of a key already marked down.
void PostKeyDown(UINT vk, bool wasDown, std::string_view text) {
  bool alt = Down(VK_MENU);
  bool sys = (alt && !Down(VK_CONTROL)) || vk == VK_F10;
  HWND t = KeyTarget();
  if (!t) return;
  Post(t, sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyLParam(vk, false, wasDown, alt && !Down(VK_CONTROL)));
  if (text.empty()) return;
  State& s = S();
  // Keys nobody translated leave their text behind; keep only the latest few.
  while (s.KeyTexts.size() >= 64) s.KeyTexts.erase(s.KeyTexts.begin());
  DWORD token = s.NextKeyText++;
  if (s.NextKeyText == 0) s.NextKeyText = 1;
  s.KeyTexts[token] = Utf8ToUtf16(text);
  s.Queue.back().lPrivate = token;
}
}  // namespace

void KeyDown(UINT vk, std::string_view text) {
  vk &= 0xFF;
  bool wasDown = Down(vk);
  SetKey(vk, true);
  PostKeyDown(vk, wasDown, text);
}

void KeyUp(UINT vk) {
  vk &= 0xFF;
  bool alt = Down(VK_MENU);
  SetKey(vk, false);
  bool sys = (alt && !Down(VK_CONTROL)) || vk == VK_F10 || vk == VK_MENU;
  if (HWND t = KeyTarget()) Post(t, sys ? WM_SYSKEYUP : WM_KEYUP, vk, KeyLParam(vk, true, true, alt && vk != VK_MENU));
}

void TypeText(std::string_view utf8) {
  for (char16_t u : Utf8ToUtf16(utf8))
    if (HWND t = KeyTarget()) Post(t, WM_CHAR, WPARAM(u), 1);
}

void SetKeyDown(UINT vk, bool down) {
  if (Down(vk & 0xFF) != down) SetKey(vk & 0xFF, down);
}

}  // namespace input

// ---- injected key presses ----
namespace headless {

void KeyDown(UINT vk) {
  vk &= 0xFF;
  bool wasDown = Down(vk);
  SetKey(vk, true);
  // A registered combination goes to its window instead of the focus.
  if (vk != VK_SHIFT && vk != VK_CONTROL && vk != VK_MENU && DeliverHotKey(vk)) {
    ProcessMessages();
    return;
  }
  input::PostKeyDown(vk, wasDown, {});
  ProcessMessages();
}

void KeyUp(UINT vk) {
  input::KeyUp(vk);
  ProcessMessages();
}

void PressKey(UINT vk) {
  KeyDown(vk);
  KeyUp(vk);
}

void PressKeys(UINT modifiers, UINT vk) {
  const UINT mods[4][2] = {{MOD_CONTROL, VK_CONTROL}, {MOD_SHIFT, VK_SHIFT}, {MOD_ALT, VK_MENU}, {MOD_WIN, VK_LWIN}};
  for (auto& m : mods)
    if (modifiers & m[0]) KeyDown(m[1]);
  PressKey(vk);
  for (int i = 3; i >= 0; --i)
    if (modifiers & mods[i][0]) KeyUp(mods[i][1]);
}

void TypeText(const std::string& utf8) {
  std::u16string units = Utf8ToUtf16(utf8);
  for (char16_t u : units) {
    if (HWND t = KeyTarget()) Post(t, WM_CHAR, WPARAM(u), 1);
    ProcessMessages();
  }
}

}  // namespace headless
}  // namespace win
