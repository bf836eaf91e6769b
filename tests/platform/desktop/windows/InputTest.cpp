// Injected keyboard and mouse input: the messages produced and where they go.
#include "tests/platform/desktop/Recorder.h"

using namespace win;
using namespace rec;

namespace {

class InputTest : public DesktopTest {
protected:
  void SetUp() override {
    DesktopTest::SetUp();
    top = Top(100, 100, 300, 200, WS_POPUP | WS_VISIBLE, 0, CS_DBLCLKS);
    edit = Child(top, 10, 10, 100, 20, WS_CHILD | WS_VISIBLE, 1, CS_DBLCLKS);
    plain = Child(top, 10, 50, 100, 20, WS_CHILD | WS_VISIBLE, 2);
    SetFocus(edit);
    headless::ProcessMessages();
    Log().clear();
  }
  HWND top = nullptr, edit = nullptr, plain = nullptr;
};

const std::vector<UINT> kKeys = {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR};

TEST_F(InputTest, KeyboardTable) {
  struct Case {
    const char* Name;
    std::function<void()> Act;
    std::vector<std::pair<UINT, WPARAM>> Expected;
  };
  using namespace headless;
  std::vector<Case> cases = {
      {"letter", [] { PressKey('A'); }, {{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}}},
      {"shifted letter", [] { PressKeys(MOD_SHIFT, 'A'); },
       {{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, 'A'}, {WM_CHAR, 'A'}, {WM_KEYUP, 'A'}, {WM_KEYUP, VK_SHIFT}}},
      {"control letter", [] { PressKeys(MOD_CONTROL, 'C'); },
       {{WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'C'}, {WM_CHAR, 3}, {WM_KEYUP, 'C'}, {WM_KEYUP, VK_CONTROL}}},
      {"alt letter", [] { PressKeys(MOD_ALT, 'F'); },
       {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, 'F'}, {WM_SYSCHAR, 'f'}, {WM_SYSKEYUP, 'F'}, {WM_SYSKEYUP, VK_MENU}}},
      {"arrow gives no character", [] { PressKey(VK_DOWN); }, {{WM_KEYDOWN, VK_DOWN}, {WM_KEYUP, VK_DOWN}}},
      {"shifted digit", [] { PressKeys(MOD_SHIFT, '1'); },
       {{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, '1'}, {WM_CHAR, '!'}, {WM_KEYUP, '1'}, {WM_KEYUP, VK_SHIFT}}},
      {"return", [] { PressKey(VK_RETURN); }, {{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, '\r'}, {WM_KEYUP, VK_RETURN}}},
      {"caps lock toggles letter case", [] { PressKey(VK_CAPITAL); PressKey('B'); PressKey(VK_CAPITAL); },
       {{WM_KEYDOWN, VK_CAPITAL}, {WM_KEYUP, VK_CAPITAL}, {WM_KEYDOWN, 'B'}, {WM_CHAR, 'B'}, {WM_KEYUP, 'B'},
        {WM_KEYDOWN, VK_CAPITAL}, {WM_KEYUP, VK_CAPITAL}}},
      {"typed Chinese character", [] { TypeText("\xE4\xB8\xAD"); }, {{WM_CHAR, 0x4E2D}}},
      {"typed character beyond the BMP", [] { TypeText("\xF0\x9F\x98\x80"); }, {{WM_CHAR, 0xD83D}, {WM_CHAR, 0xDE00}}},
  };
  for (const Case& c : cases) {
    Log().clear();
    c.Act();
    std::vector<std::pair<UINT, WPARAM>> got;
    for (const Entry& e : Entries(kKeys)) {
      EXPECT_EQ(e.hwnd, edit) << c.Name;
      got.push_back({e.msg, e.wParam});
    }
    EXPECT_EQ(got, c.Expected) << c.Name;
  }
}

TEST_F(InputTest, KeyMessageBitsAndKeyState) {
  headless::KeyDown('A');
  headless::KeyDown('A');  // auto-repeat
  headless::KeyUp('A');
  headless::PressKeys(MOD_ALT, VK_F4);
  auto e = Entries({WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN});
  ASSERT_EQ(e.size(), 5u);
  EXPECT_EQ(DWORD(e[0].lParam), 0x001E0001u);  // scan code 0x1E, repeat 1
  EXPECT_EQ(DWORD(e[1].lParam), 0x401E0001u);  // previous state down
  EXPECT_EQ(DWORD(e[2].lParam), 0xC01E0001u);  // released
  EXPECT_EQ(e[4].wParam, WPARAM(VK_F4));
  EXPECT_TRUE(DWORD(e[4].lParam) & (1u << 29));  // Alt held
  EXPECT_EQ(GetKeyState('A') & 0x8000, 0);
  headless::KeyDown(VK_SHIFT);
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
  BYTE keys[256];
  GetKeyboardState(keys);
  EXPECT_TRUE(keys[VK_SHIFT] & 0x80);
  headless::KeyUp(VK_SHIFT);
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST_F(InputTest, FocusMessagesNameTheOtherWindow) {
  Log().clear();
  EXPECT_EQ(SetFocus(plain), edit);
  auto e = Entries({WM_SETFOCUS, WM_KILLFOCUS});
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].hwnd, edit);
  EXPECT_EQ(e[0].msg, UINT(WM_KILLFOCUS));
  EXPECT_EQ(reinterpret_cast<HWND>(e[0].wParam), plain);
  EXPECT_EQ(e[1].hwnd, plain);
  EXPECT_EQ(reinterpret_cast<HWND>(e[1].wParam), edit);
  EnableWindow(plain, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);  // a disabled window loses the focus
  EXPECT_EQ(SetFocus(plain), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

struct MouseEvent {
  HWND Window;
  UINT Msg;
  int X, Y;
  bool operator==(const MouseEvent&) const = default;
};

void PrintTo(const MouseEvent& e, std::ostream* os) {
  *os << "{" << e.Window << " " << std::hex << e.Msg << std::dec << " " << e.X << "," << e.Y << "}";
}

std::vector<MouseEvent> MouseLog() {
  std::vector<MouseEvent> out;
  for (const Entry& e : Entries({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_MOUSEMOVE}))
    out.push_back({e.hwnd, e.msg, GET_X_LPARAM(e.lParam), GET_Y_LPARAM(e.lParam)});
  return out;
}

TEST_F(InputTest, MouseTable) {
  using namespace headless;
  struct Case {
    const char* Name;
    std::function<void()> Act;
    std::vector<MouseEvent> Expected;
  };
  // edit is at screen (110,110)-(210,130); plain at (110,150)-(210,170).
  std::vector<Case> cases = {
      {"click in a child", [] { Click(MouseButton::Left, 115, 112); }, {}},
      {"double click where the class wants them", [] { DoubleClick(MouseButton::Left, 115, 112); }, {}},
      {"double click without CS_DBLCLKS", [] { DoubleClick(MouseButton::Left, 120, 155); }, {}},
      {"second click too late", [] { Click(MouseButton::Left, 115, 112); AdvanceClock(501); Click(MouseButton::Left, 115, 112); }, {}},
      {"second click too far", [] { Click(MouseButton::Left, 115, 112); Click(MouseButton::Left, 118, 112); }, {}},
      {"click on the parent", [] { Click(MouseButton::Right, 300, 250); }, {}},
  };
  cases[0].Expected = {{edit, WM_LBUTTONDOWN, 5, 2}, {edit, WM_LBUTTONUP, 5, 2}};
  cases[1].Expected = {{edit, WM_LBUTTONDOWN, 5, 2}, {edit, WM_LBUTTONUP, 5, 2},
                       {edit, WM_LBUTTONDBLCLK, 5, 2}, {edit, WM_LBUTTONUP, 5, 2}};
  cases[2].Expected = {{plain, WM_LBUTTONDOWN, 10, 5}, {plain, WM_LBUTTONUP, 10, 5},
                       {plain, WM_LBUTTONDOWN, 10, 5}, {plain, WM_LBUTTONUP, 10, 5}};
  cases[3].Expected = cases[2].Expected;
  for (auto& e : cases[3].Expected) e = {edit, e.Msg, 5, 2};
  cases[4].Expected = {{edit, WM_LBUTTONDOWN, 5, 2}, {edit, WM_LBUTTONUP, 5, 2},
                       {edit, WM_LBUTTONDOWN, 8, 2}, {edit, WM_LBUTTONUP, 8, 2}};
  cases[5].Expected = {{top, WM_RBUTTONDOWN, 200, 150}};
  for (const Case& c : cases) {
    AdvanceClock(1000);  // no double click across cases
    Log().clear();
    c.Act();
    EXPECT_EQ(MouseLog(), c.Expected) << c.Name;
  }
}

TEST_F(InputTest, ClickActivationAndMouseActivateAnswer) {
  HWND other = Top(500, 100, 100, 100, WS_POPUP | WS_VISIBLE);
  ASSERT_EQ(GetActiveWindow(), other);
  Log().clear();
  headless::Click(headless::MouseButton::Left, 115, 112);
  // The child is asked first; by default it asks its parent, and the click activates.
  auto ma = Entries({WM_MOUSEACTIVATE});
  ASSERT_EQ(ma.size(), 2u);
  EXPECT_EQ(ma[0].hwnd, edit);
  EXPECT_EQ(ma[1].hwnd, top);
  EXPECT_EQ(reinterpret_cast<HWND>(ma[0].wParam), top);
  EXPECT_EQ(LOWORD(ma[0].lParam), WORD(HTCLIENT));
  EXPECT_EQ(HIWORD(ma[0].lParam), WORD(WM_LBUTTONDOWN));
  EXPECT_EQ(GetActiveWindow(), top);
  auto act = Entries({WM_ACTIVATE});
  ASSERT_FALSE(act.empty());
  EXPECT_EQ(LOWORD(act.back().wParam), WA_CLICKACTIVE);

  // MA_NOACTIVATE: the click arrives, the window stays inactive.
  SetActiveWindow(other);
  headless::AdvanceClock(1000);
  Handlers()[top] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return std::nullopt;
  };
  Log().clear();
  headless::Click(headless::MouseButton::Left, 115, 112);
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(Messages(edit, {WM_LBUTTONDOWN}).size(), 1u);
  // MA_NOACTIVATEANDEAT: the click is swallowed.
  Handlers()[top] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_MOUSEACTIVATE) return MA_NOACTIVATEANDEAT;
    return std::nullopt;
  };
  Log().clear();
  headless::AdvanceClock(1000);
  headless::Click(headless::MouseButton::Left, 115, 112);
  EXPECT_TRUE(Messages(edit, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}).empty());
}

TEST_F(InputTest, HitTestingHonoursDisabledWindowsRegionsAndCapture) {
  using headless::MouseButton;
  // A disabled child passes the click to its parent.
  EnableWindow(edit, FALSE);
  headless::Click(MouseButton::Left, 115, 112);
  EXPECT_EQ(MouseLog().front().Window, top);
  EnableWindow(edit, TRUE);
  // A region leaves the rest of the rectangle to what is beneath.
  std::vector<RECT> region = {{0, 0, 10, 10}};
  SetWindowRegionRects(edit, &region, TRUE);
  EXPECT_EQ(WindowFromPoint(POINT{115, 112}), edit);
  EXPECT_EQ(WindowFromPoint(POINT{150, 125}), top);
  // Capture takes every mouse message, wherever the cursor is.
  SetCapture(plain);
  Log().clear();
  headless::MouseMove(20, 20);
  headless::Click(MouseButton::Left, 20, 20);
  for (const MouseEvent& e : MouseLog()) {
    EXPECT_EQ(e.Window, plain);
    EXPECT_EQ(e.X, 20 - 110);
    EXPECT_EQ(e.Y, 20 - 150);
  }
  Log().clear();
  SetCapture(edit);
  auto cc = Entries({WM_CAPTURECHANGED});
  ASSERT_EQ(cc.size(), 1u);
  EXPECT_EQ(cc[0].hwnd, plain);
  EXPECT_EQ(reinterpret_cast<HWND>(cc[0].lParam), edit);
  // Disabling the capturing window cancels its mode, and the default releases capture.
  EnableWindow(edit, FALSE);
  EXPECT_EQ(Messages(edit, {WM_CANCELMODE}).size(), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
  // A disabled top-level window takes no clicks at all.
  EnableWindow(top, FALSE);
  Log().clear();
  headless::Click(MouseButton::Left, 300, 250);
  EXPECT_TRUE(MouseLog().empty());
}

TEST_F(InputTest, WheelGoesToFocusAndBubblesToParent) {
  headless::MouseWheel(-120, 300, 250);
  auto w = Entries({WM_MOUSEWHEEL});
  ASSERT_EQ(w.size(), 2u);
  EXPECT_EQ(w[0].hwnd, edit);
  EXPECT_EQ(w[1].hwnd, top);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(w[0].wParam), -120);
  EXPECT_EQ(GET_X_LPARAM(w[0].lParam), 300);  // screen coordinates
}

TEST_F(InputTest, CaretIsStateOnly) {
  EXPECT_EQ(headless::Caret(), nullptr);
  EXPECT_TRUE(CreateCaret(edit, nullptr, 1, 14));
  EXPECT_EQ(headless::Caret()->HideCount, 1);
  EXPECT_TRUE(ShowCaret(edit));
  EXPECT_FALSE(ShowCaret(edit));  // already shown
  EXPECT_FALSE(HideCaret(plain)); // not the owner
  EXPECT_TRUE(SetCaretPos(4, 5));
  POINT p;
  GetCaretPos(&p);
  EXPECT_EQ(p, (POINT{4, 5}));
  DestroyWindow(edit);
  EXPECT_EQ(headless::Caret(), nullptr);
}

}  // namespace
