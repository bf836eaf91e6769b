// Key symbols to virtual keys and back, typed text, pointer buttons, cursor shapes and
// the kind of X window a top-level window becomes.
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "platform/desktop/Windows.h"
#include "platform/x11/Translate.h"

using namespace win;
using namespace win::x11;

namespace {

TEST(KeyTranslation, KeySymsToVirtualKeys) {
  const std::pair<unsigned long, UINT> cases[] = {
      {XK_a, 'A'},           {XK_Z, 'Z'},          {XK_0, '0'},           {XK_9, '9'},
      {XK_F1, VK_F1},        {XK_F12, VK_F12},     {XK_Return, VK_RETURN}, {XK_KP_Enter, VK_RETURN},
      {XK_Shift_R, VK_SHIFT}, {XK_Control_L, VK_CONTROL}, {XK_Alt_L, VK_MENU}, {XK_ISO_Left_Tab, VK_TAB},
      {XK_KP_7, VK_NUMPAD7}, {XK_KP_Home, VK_HOME}, {XK_KP_Decimal, VK_DECIMAL}, {XK_Delete, VK_DELETE},
      {XK_Page_Up, VK_PRIOR}, {XK_comma, VK_OEM_COMMA}, {XK_grave, VK_OEM_3}, {XK_Super_L, VK_LWIN},
      {XK_Escape, VK_ESCAPE}, {XK_space, VK_SPACE},
      {XK_odiaeresis, 0},    {XK_VoidSymbol, 0},  // no virtual key: the key only types
  };
  for (const auto& [sym, vk] : cases) EXPECT_EQ(VkFromKeySym(sym), vk) << "keysym 0x" << std::hex << sym;
}

TEST(KeyTranslation, EveryVirtualKeyWithASymbolComesBack) {
  // Hot keys grab the symbol of a virtual key; its presses must read as that key again.
  int named = 0;
  for (UINT vk = 1; vk < 256; ++vk) {
    unsigned long sym = KeySymFromVk(vk);
    if (!sym) continue;
    ++named;
    UINT back = VkFromKeySym(sym);
    bool sided = vk >= VK_LSHIFT && vk <= VK_RMENU;  // left and right keys read as the generic one
    EXPECT_EQ(back, sided ? UINT(VK_SHIFT + (vk - VK_LSHIFT) / 2) : vk) << "vk 0x" << std::hex << vk;
  }
  EXPECT_GT(named, 100);
  EXPECT_EQ(KeySymFromVk('Q'), XK_q);
  EXPECT_EQ(KeySymFromVk(VK_NUMPAD3), XK_KP_3);
  EXPECT_EQ(KeySymFromVk(VK_RETURN), XK_Return);
}

TEST(KeyTranslation, WhichTextAKeyPressTypes) {
  struct Case {
    const char* Text;
    bool Ctrl;
    bool Typed;
  } cases[] = {
      {"a", false, true},     {"A", false, true},   {"\xC3\xB6", false, true}, {"\xE4\xB8\xAD", false, true},
      {"a", true, false},     {"", false, false},   {"\r", false, false},      {"\x1b", false, false},
      {"\x7f", false, false}, {"\x01", true, false}, {" ", false, true},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyTextIsTyped(c.Text, c.Ctrl), c.Typed) << "'" << c.Text << "' ctrl " << c.Ctrl;
  EXPECT_EQ(Latin1ToUtf8("caf\xE9 \xFF!"), "caf\xC3\xA9 \xC3\xBF!");
}

TEST(PointerTranslation, Buttons) {
  struct Case {
    unsigned X;
    ButtonAction::Action Kind;
    input::MouseButton Mouse;
    int Delta;
  } cases[] = {
      {1, ButtonAction::Press, input::MouseButton::Left, 0},
      {2, ButtonAction::Press, input::MouseButton::Middle, 0},
      {3, ButtonAction::Press, input::MouseButton::Right, 0},
      {4, ButtonAction::Wheel, input::MouseButton::Left, 120},
      {5, ButtonAction::Wheel, input::MouseButton::Left, -120},
      {6, ButtonAction::Nothing, input::MouseButton::Left, 0},
      {8, ButtonAction::Nothing, input::MouseButton::Left, 0},
  };
  for (const Case& c : cases) {
    ButtonAction a = TranslateButton(c.X);
    EXPECT_EQ(a.Kind, c.Kind) << c.X;
    if (c.Kind == ButtonAction::Press) {
      EXPECT_EQ(a.Mouse, c.Mouse) << c.X;
    }
    EXPECT_EQ(a.WheelDelta, c.Delta) << c.X;
  }
}

TEST(CursorTranslation, StockCursorsUseFontShapes) {
  EXPECT_EQ(FontCursorShape("IDC_ARROW"), XC_left_ptr);
  EXPECT_EQ(FontCursorShape("IDC_IBEAM"), XC_xterm);
  EXPECT_EQ(FontCursorShape("IDC_SIZEWE"), XC_sb_h_double_arrow);
  EXPECT_EQ(FontCursorShape("IDC_HAND"), XC_hand2);
  EXPECT_EQ(FontCursorShape("crGxHand"), -1);  // artwork: drawn from its image
}

TEST(WindowKinds, TopLevelWindowsAndPopups) {
  struct Case {
    const char* Name;
    DWORD Style, ExStyle;
    bool Owned;
    const char* Class;
    bool OverrideRedirect, SkipTaskbar;
    std::string Type;
  } cases[] = {
      {"sizeable form", WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX, 0, true, "TFVantrel", false, false,
       "_NET_WM_WINDOW_TYPE_NORMAL"},
      {"dialog form", WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_SYSMENU, WS_EX_DLGMODALFRAME, true, "TForm", false,
       false, "_NET_WM_WINDOW_TYPE_DIALOG"},
      {"tool window", WS_CAPTION | WS_BORDER, WS_EX_TOOLWINDOW, true, "TForm", false, true,
       "_NET_WM_WINDOW_TYPE_UTILITY"},
      {"unowned fixed window", WS_CAPTION | WS_SYSMENU, 0, false, "TForm", false, false, "_NET_WM_WINDOW_TYPE_NORMAL"},
      {"popup menu", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, true, "TPopupMenuWindow", true, true,
       "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
      {"hint", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, false, "THintWindow", true, true,
       "_NET_WM_WINDOW_TYPE_TOOLTIP"},
      {"drop-down", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, false, "TPopupDataList", true, true,
       "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
      {"borderless form", WS_POPUP, 0, true, "TForm", true, true, "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
  };
  for (const Case& c : cases) {
    WindowKind k = ClassifyWindow(c.Style, c.ExStyle, c.Owned, c.Class);
    EXPECT_EQ(k.OverrideRedirect, c.OverrideRedirect) << c.Name;
    EXPECT_EQ(k.SkipTaskbar, c.SkipTaskbar) << c.Name;
    EXPECT_EQ(k.Type, c.Type) << c.Name;
  }
}

}  // namespace
