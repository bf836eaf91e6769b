// Key symbols, buttons, cursor shapes and window kinds.
#include "platform/x11/Translate.h"

#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <algorithm>
#include <iterator>

#include "platform/desktop/Windows.h"
#include "platform/rtl/Utf8.h"

namespace win::x11 {
namespace {

struct KeyPair {
  unsigned long KeySym;
  UINT Vk;
};

// Symbols that share a key with another entry come after its first symbol, so the
// reverse lookup finds the usual one.
const KeyPair kKeys[] = {
    {XK_Cancel, VK_CANCEL}, {XK_BackSpace, VK_BACK}, {XK_Tab, VK_TAB}, {XK_ISO_Left_Tab, VK_TAB}, {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN}, {XK_KP_Enter, VK_RETURN}, {XK_Pause, VK_PAUSE}, {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE}, {XK_Prior, VK_PRIOR}, {XK_Next, VK_NEXT}, {XK_End, VK_END},
    {XK_Home, VK_HOME}, {XK_Left, VK_LEFT}, {XK_Up, VK_UP}, {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN}, {XK_Select, VK_SELECT}, {XK_Print, VK_SNAPSHOT}, {XK_Execute, VK_EXECUTE},
    {XK_Insert, VK_INSERT}, {XK_Delete, VK_DELETE}, {XK_Help, VK_HELP},
    {XK_Shift_L, VK_SHIFT}, {XK_Shift_R, VK_SHIFT}, {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL}, {XK_Alt_L, VK_MENU}, {XK_Alt_R, VK_MENU}, {XK_Meta_L, VK_MENU},
    {XK_Caps_Lock, VK_CAPITAL}, {XK_Num_Lock, VK_NUMLOCK}, {XK_Scroll_Lock, VK_SCROLL},
    {XK_Super_L, VK_LWIN}, {XK_Super_R, VK_RWIN}, {XK_Menu, VK_APPS},
    // Keypad: with Num Lock off its keys are the cursor keys.
    {XK_KP_0, VK_NUMPAD0}, {XK_KP_1, VK_NUMPAD1}, {XK_KP_2, VK_NUMPAD2}, {XK_KP_3, VK_NUMPAD3},
    {XK_KP_4, VK_NUMPAD4}, {XK_KP_5, VK_NUMPAD5}, {XK_KP_6, VK_NUMPAD6}, {XK_KP_7, VK_NUMPAD7},
    {XK_KP_8, VK_NUMPAD8}, {XK_KP_9, VK_NUMPAD9}, {XK_KP_Multiply, VK_MULTIPLY},
    {XK_KP_Add, VK_ADD}, {XK_KP_Separator, VK_SEPARATOR}, {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL}, {XK_KP_Divide, VK_DIVIDE}, {XK_KP_Home, VK_HOME},
    {XK_KP_Up, VK_UP}, {XK_KP_Prior, VK_PRIOR}, {XK_KP_Left, VK_LEFT}, {XK_KP_Begin, VK_CLEAR},
    {XK_KP_Right, VK_RIGHT}, {XK_KP_End, VK_END}, {XK_KP_Down, VK_DOWN}, {XK_KP_Next, VK_NEXT},
    {XK_KP_Insert, VK_INSERT}, {XK_KP_Delete, VK_DELETE},
    // US punctuation keys.
    {XK_semicolon, VK_OEM_1}, {XK_equal, VK_OEM_PLUS}, {XK_comma, VK_OEM_COMMA},
    {XK_minus, VK_OEM_MINUS}, {XK_period, VK_OEM_PERIOD}, {XK_slash, VK_OEM_2},
    {XK_grave, VK_OEM_3}, {XK_bracketleft, VK_OEM_4}, {XK_backslash, VK_OEM_5},
    {XK_bracketright, VK_OEM_6}, {XK_apostrophe, VK_OEM_7},
};

}  // namespace

UINT VkFromKeySym(unsigned long keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return UINT('A' + (keysym - XK_a));
  if (keysym >= XK_A && keysym <= XK_Z) return UINT(keysym);
  if (keysym >= XK_0 && keysym <= XK_9) return UINT(keysym);
  if (keysym >= XK_F1 && keysym <= XK_F24) return UINT(VK_F1 + (keysym - XK_F1));
  for (const KeyPair& k : kKeys)
    if (k.KeySym == keysym) return k.Vk;
  return 0;
}

unsigned long KeySymFromVk(UINT vk) {
  if (vk >= 'A' && vk <= 'Z') return XK_a + (vk - 'A');
  if (vk >= '0' && vk <= '9') return vk;
  if (vk >= VK_F1 && vk <= VK_F24) return XK_F1 + (vk - VK_F1);
  switch (vk) {
    case VK_LSHIFT: return XK_Shift_L;
    case VK_RSHIFT: return XK_Shift_R;
    case VK_LCONTROL: return XK_Control_L;
    case VK_RCONTROL: return XK_Control_R;
    case VK_LMENU: return XK_Alt_L;
    case VK_RMENU: return XK_Alt_R;
  }
  for (const KeyPair& k : kKeys)
    if (k.Vk == vk) return k.KeySym;
  return 0;
}

bool KeyTextIsTyped(std::string_view utf8, bool ctrlDown) {
  if (utf8.empty() || ctrlDown) return false;
  return std::none_of(utf8.begin(), utf8.end(), [](char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
  });
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string out;
  // Latin-1 bytes are the first 256 code points.
  for (char c : latin1) Utf8Append(out, static_cast<unsigned char>(c));
  return out;
}

ButtonAction TranslateButton(unsigned xbutton) {
  ButtonAction a;
  switch (xbutton) {
    case 1: a.Kind = ButtonAction::Press; a.Mouse = input::MouseButton::Left; break;
    case 2: a.Kind = ButtonAction::Press; a.Mouse = input::MouseButton::Middle; break;
    case 3: a.Kind = ButtonAction::Press; a.Mouse = input::MouseButton::Right; break;
    case 4: a.Kind = ButtonAction::Wheel; a.WheelDelta = WHEEL_DELTA; break;
    case 5: a.Kind = ButtonAction::Wheel; a.WheelDelta = -WHEEL_DELTA; break;
    default: break;  // horizontal wheel and extra buttons
  }
  return a;
}

int FontCursorShape(const std::string& name) {
  static const struct {
    const char* Name;
    int Shape;
  } shapes[] = {
      {"IDC_ARROW", XC_left_ptr},      {"IDC_IBEAM", XC_xterm},          {"IDC_WAIT", XC_watch},
      {"IDC_CROSS", XC_crosshair},     {"IDC_UPARROW", XC_center_ptr},   {"IDC_SIZE", XC_fleur},
      {"IDC_ICON", XC_icon},           {"IDC_SIZENWSE", XC_bottom_right_corner},
      {"IDC_SIZENESW", XC_bottom_left_corner},                           {"IDC_SIZEWE", XC_sb_h_double_arrow},
      {"IDC_SIZENS", XC_sb_v_double_arrow},                              {"IDC_SIZEALL", XC_fleur},
      {"IDC_NO", XC_pirate},           {"IDC_HAND", XC_hand2},           {"IDC_APPSTARTING", XC_watch},
      {"IDC_HELP", XC_question_arrow},
  };
  for (const auto& s : shapes)
    if (name == s.Name) return s.Shape;
  return -1;
}

WindowKind ClassifyWindow(DWORD style, DWORD exStyle, bool owned, const std::string& className) {
  WindowKind k;
  bool caption = (style & WS_CAPTION) == WS_CAPTION;
  if ((style & WS_POPUP) && !caption && !(style & WS_THICKFRAME)) {
    k.OverrideRedirect = true;
    k.SkipTaskbar = true;
    k.Type = className.find("Hint") != std::string::npos ? "_NET_WM_WINDOW_TYPE_TOOLTIP"
                                                         : "_NET_WM_WINDOW_TYPE_POPUP_MENU";
    return k;
  }
  k.SkipTaskbar = (exStyle & WS_EX_TOOLWINDOW) != 0;
  if (exStyle & WS_EX_TOOLWINDOW) k.Type = "_NET_WM_WINDOW_TYPE_UTILITY";
  else if (owned && ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_THICKFRAME | WS_MINIMIZEBOX)) == 0))
    k.Type = "_NET_WM_WINDOW_TYPE_DIALOG";
  return k;
}

}  // namespace win::x11
