// The message box window on the headless desktop: answers by key, letter and click, the
// modal loop, and what it draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/desktop/Headless.h"
#include "platform/desktop/Input.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/Exceptions.h"
#include "platform/x11/MessageBoxWindow.h"

using namespace win;

namespace {

using Step = std::function<void()>;

class MessageBoxWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    headless::Reset();
    InstallDrawingHooks();
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.lpszClassName = "BoxOwner";
    RegisterClassA(&wc);
    owner = CreateWindowEx(0, "BoxOwner", "Owner", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 400, 300,
                           nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(owner);
    ClearDrawRecording();
    StartDrawRecording();
  }
  void TearDown() override {
    StopDrawRecording();
    ClearDrawRecording();
    headless::Reset();
  }
  // Runs the box; each time its loop would wait, the next step acts.
  int Run(UINT type, std::vector<Step> steps, const char* text = "Save changes?") {
    std::size_t next = 0;
    headless::SetIdleHandler([&] {
      if (next < steps.size()) steps[next++]();
    });
    int r = x11::RunMessageBoxWindow(owner, text, "Vantrel", type);
    headless::SetIdleHandler(nullptr);
    return r;
  }
  static HWND Box() { return FindWindowA("VantrelMessageBox", nullptr); }
  // The screen centre of the box's n-th button, from what it drew.
  static POINT ButtonCentre(std::size_t n) {
    std::vector<DrawOp> edges = RecordedOps(DrawKind::Edge, Box());
    EXPECT_GT(edges.size(), n);
    if (edges.size() <= n) return POINT{};
    RECT r = edges[n].rect;
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(Box(), &p);
    return p;
  }
  HWND owner = nullptr;
};

// Input as the display delivers it: posted for the box's own loop.
Step Key(UINT vk) {
  return [vk] {
    input::KeyDown(vk);
    input::KeyUp(vk);
  };
}
Step Type(const char* s) {
  return [s] { input::TypeText(s); };
}

TEST_F(MessageBoxWindowTest, KeyboardAnswers) {
  struct Case {
    const char* Name;
    UINT Type;
    std::vector<Step> Steps;
    int Expected;
  };
  std::vector<Case> cases = {
      {"Enter takes the default button", MB_YESNO | MB_DEFBUTTON2, {Key(VK_RETURN)}, IDNO},
      {"Escape cancels", MB_OKCANCEL, {Key(VK_ESCAPE)}, IDCANCEL},
      {"Escape closes an OK box", MB_OK | MB_ICONERROR, {Key(VK_ESCAPE)}, IDOK},
      {"Escape does not answer Yes/No", MB_YESNO, {Key(VK_ESCAPE), Type("n")}, IDNO},
      {"arrow moves the focus", MB_YESNOCANCEL, {Key(VK_RIGHT), Key(VK_RETURN)}, IDNO},
      {"Tab then Space", MB_OKCANCEL, {Key(VK_TAB), Key(VK_SPACE)}, IDCANCEL},
      {"underlined letter", MB_ABORTRETRYIGNORE, {Type("I")}, IDIGNORE},
      {"All by its letter", MB_YESNOALL | MB_ICONERROR, {Type("a")}, IDALL},
      {"All is the third button", MB_YESNOALL, {Key(VK_RIGHT), Key(VK_RIGHT), Key(VK_RETURN)}, IDALL},
      {"close button", MB_RETRYCANCEL, {[] { PostMessageA(Box(), WM_CLOSE, 0, 0); }}, IDCANCEL},
  };
  for (Case& c : cases) {
    EXPECT_EQ(Run(c.Type, c.Steps), c.Expected) << c.Name;
    EXPECT_EQ(Box(), nullptr) << c.Name << ": the box is gone";
    EXPECT_TRUE(IsWindowEnabled(owner)) << c.Name;
    EXPECT_EQ(GetActiveWindow(), owner) << c.Name;
  }
}

// Centred over a small owner at the screen's corner, a wide box is moved onto the screen.
TEST_F(MessageBoxWindowTest, StaysOnTheScreenOverAnOwnerAtItsCorner) {
  SetWindowPos(owner, nullptr, 0, 0, 120, 80, SWP_NOZORDER);
  RECT box{}, work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  Run(MB_OK, {[&] {
        GetWindowRect(Box(), &box);
        Key(VK_RETURN)();
      }},
      "A message long enough to make the box much wider than its owner's window is");
  EXPECT_GT(box.right - box.left, 120);
  EXPECT_EQ(box.left, work.left);
  EXPECT_GE(box.top, work.top);
}

TEST_F(MessageBoxWindowTest, TheFocusGoesBackToTheWindowThatHadIt) {
  HWND field = CreateWindowEx(0, "BoxOwner", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, owner, nullptr, nullptr,
                              nullptr);
  HWND other = CreateWindowEx(0, "BoxOwner", "", WS_CHILD | WS_VISIBLE, 10, 40, 100, 20, owner, nullptr, nullptr,
                              nullptr);
  for (HWND had : {field, other}) {
    SetFocus(had);
    for (const std::vector<Step>& answer : {std::vector<Step>{Key(VK_RETURN)}, std::vector<Step>{Key(VK_ESCAPE)}}) {
      Run(MB_OKCANCEL, answer, "Delete record?");
      EXPECT_EQ(GetFocus(), had);
    }
  }
  // A window gone meanwhile leaves the focus to the owner.
  SetFocus(field);
  Run(MB_OK, {[&] { DestroyWindow(field); }, Key(VK_RETURN)});
  EXPECT_EQ(GetFocus(), owner);
}

TEST_F(MessageBoxWindowTest, ClickChoosesAButtonOnlyWhenReleasedOnIt) {
  int r = Run(MB_YESNO, {
                            [] {
                              // Pressed on Yes, released away from it: nothing chosen.
                              POINT yes = ButtonCentre(0);
                              input::MouseDown(input::MouseButton::Left, yes.x, yes.y);
                              input::MouseUp(input::MouseButton::Left, yes.x, yes.y + 60);
                            },
                            [] {
                              POINT no = ButtonCentre(1);
                              input::MouseDown(input::MouseButton::Left, no.x, no.y);
                              input::MouseUp(input::MouseButton::Left, no.x, no.y);
                            },
                        });
  EXPECT_EQ(r, IDNO);
}

TEST_F(MessageBoxWindowTest, ModalWhileOpenAndDrawsItsTextAndButtons) {
  bool ownerEnabled = true;
  std::vector<std::string> texts;
  std::string caption;
  int r = Run(MB_YESNOCANCEL | MB_ICONQUESTION, {
                                                    [&] {
                                                      ownerEnabled = IsWindowEnabled(owner) != 0;
                                                      texts = RecordedTexts(Box());
                                                      char buf[64] = "";
                                                      GetWindowTextA(Box(), buf, sizeof buf);
                                                      caption = buf;
                                                    },
                                                    Key(VK_ESCAPE),
                                                },
              "Delete the row?\nIt cannot be undone.");
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(caption, "Vantrel");
  for (const char* t : {"Yes", "No", "Cancel", "?"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
  bool message = std::any_of(texts.begin(), texts.end(),
                             [](const std::string& t) { return t.find("Delete the row?") != std::string::npos; });
  EXPECT_TRUE(message);
}

TEST_F(MessageBoxWindowTest, EndsWhenTheProgramQuitsOrTheBoxIsDestroyed) {
  EXPECT_EQ(Run(MB_OKCANCEL, {[] { PostQuitMessage(3); }}), IDCANCEL);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, UINT(WM_QUIT)) << "the quit goes back to the program's loop";
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_EQ(Run(MB_YESNO | MB_DEFBUTTON2, {[] { PostQuitMessage(0); }}), IDNO);
  PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
  // Destroyed from outside (its owner went): the cancelling answer, the owner usable.
  EXPECT_EQ(Run(MB_OKCANCEL, {[] { DestroyWindow(Box()); }}), IDCANCEL);
  EXPECT_TRUE(IsWindowEnabled(owner));
  // A handler raising inside the box's loop: the box goes, the owner is usable again.
  EXPECT_THROW(Run(MB_OK, {[] { throw EAbort("stop"); }}), EAbort);
  EXPECT_EQ(Box(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

}  // namespace
