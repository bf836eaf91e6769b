// Input fed from a real display: posted, not dispatched, and key presses carry the
// characters the display's keyboard layout typed.
#include "platform/desktop/Input.h"
#include "tests/platform/desktop/Recorder.h"

using namespace win;
using namespace rec;

namespace {

class DisplayInputTest : public DesktopTest {
protected:
  void SetUp() override {
    DesktopTest::SetUp();
    top = Top(100, 100, 300, 200, WS_POPUP | WS_VISIBLE, 0, CS_DBLCLKS);
    edit = Child(top, 10, 10, 100, 20, WS_CHILD | WS_VISIBLE, 1, CS_DBLCLKS);
    SetFocus(edit);
    headless::ProcessMessages();
    Log().clear();
  }
  std::vector<std::pair<UINT, WPARAM>> Keys() {
    std::vector<std::pair<UINT, WPARAM>> got;
    for (const Entry& e : Entries({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP}))
      got.push_back({e.msg, e.wParam});
    return got;
  }
  HWND top = nullptr, edit = nullptr;
};

TEST_F(DisplayInputTest, KeyTextReplacesTheBuiltInLayout) {
  struct Case {
    const char* Name;
    UINT Vk;
    const char* Text;
    std::vector<std::pair<UINT, WPARAM>> Expected;
  };
  std::vector<Case> cases = {
      {"layout letter", 'Q', "a", {{WM_KEYDOWN, 'Q'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'Q'}}},
      {"accented letter", VK_OEM_3, "\xC3\xB6", {{WM_KEYDOWN, VK_OEM_3}, {WM_CHAR, 0xF6}, {WM_KEYUP, VK_OEM_3}}},
      {"beyond the BMP", 'X', "\xF0\x9F\x98\x80",
       {{WM_KEYDOWN, 'X'}, {WM_CHAR, 0xD83D}, {WM_CHAR, 0xDE00}, {WM_KEYUP, 'X'}}},
      {"no text: the built-in table", 'B', "", {{WM_KEYDOWN, 'B'}, {WM_CHAR, 'b'}, {WM_KEYUP, 'B'}}},
      {"no text, no character", VK_DELETE, "", {{WM_KEYDOWN, VK_DELETE}, {WM_KEYUP, VK_DELETE}}},
  };
  for (const Case& c : cases) {
    Log().clear();
    input::KeyDown(c.Vk, c.Text);
    input::KeyUp(c.Vk);
    EXPECT_TRUE(Keys().empty()) << c.Name << ": nothing is dispatched before the loop runs";
    headless::ProcessMessages();
    EXPECT_EQ(Keys(), c.Expected) << c.Name;
  }
}

TEST_F(DisplayInputTest, UntranslatedKeysDoNotLeakTheirTextIntoLaterKeys) {
  // A loop that drops key presses without translating them leaves their text unused.
  for (int i = 0; i < 100; ++i) input::KeyDown('Z', "z");
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  Log().clear();
  input::KeyDown('C', "\xC3\xA7");
  headless::ProcessMessages();
  EXPECT_EQ(Keys(), (std::vector<std::pair<UINT, WPARAM>>{{WM_KEYDOWN, 'C'}, {WM_CHAR, 0xE7}}));
  input::KeyUp('C');
  input::KeyUp('Z');
}

TEST_F(DisplayInputTest, MouseIsPostedForTheLoop) {
  input::MouseDown(input::MouseButton::Left, 150, 150);
  input::MouseUp(input::MouseButton::Left, 150, 150);
  EXPECT_TRUE(Entries({WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
  headless::ProcessMessages();
  auto got = Entries({WM_LBUTTONDOWN, WM_LBUTTONUP});
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].hwnd, top);
  EXPECT_EQ(got[0].lParam, MAKELPARAM(50, 50));
}

}  // namespace
