#include "ControlsFixture.h"

#include "platform/graphics/DrawRecord.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using win::headless::MouseButton;

// Open
// More > Alpha, -, Beta > Deep
// Off (disabled) > Hidden
struct MenuFixture : TComponent {
  TPopupMenu* Menu = new TPopupMenu(this);
  std::vector<std::string> Log;
  explicit MenuFixture() : TComponent(nullptr) {
    Add(Menu->Items(), "Open");
    TMenuItem* more = Add(Menu->Items(), "More");
    Add(more, "Alpha");
    Add(more, "-");
    Add(Add(more, "Beta"), "Deep");
    TMenuItem* off = Add(Menu->Items(), "Off");
    off->SetEnabled(false);
    Add(off, "Hidden");
  }
  TMenuItem* Add(TMenuItem* parent, const char* caption) {
    auto* i = new TMenuItem(this);
    i->SetCaption(caption);
    i->SetOnClick(MakeEvent(this, &MenuFixture::Clicked));
    parent->Add(i);
    return i;
  }
  void Clicked(TObject* Sender) { Log.push_back(static_cast<TMenuItem*>(Sender)->Caption()); }
};

// The menu lists on the screen, left to right.
std::vector<win::RECT> Lists() {
  std::vector<win::RECT> out;
  win::EnumWindows(
      [](win::HWND h, win::LPARAM p) -> win::BOOL {
        char name[64] = {};
        win::GetClassNameA(h, name, sizeof name);
        if (std::string(name) == "TPopupMenuWindow" && win::IsWindowVisible(h)) {
          win::RECT r;
          win::GetWindowRect(h, &r);
          reinterpret_cast<std::vector<win::RECT>*>(p)->push_back(r);
        }
        return true;
      },
      reinterpret_cast<win::LPARAM>(&out));
  std::sort(out.begin(), out.end(), [](const win::RECT& a, const win::RECT& b) { return a.left < b.left; });
  return out;
}

// A screen point over the item whose client top is Top, in list Level.
win::POINT Over(int Level, int Top) {
  std::vector<win::RECT> l = Lists();
  if (Level >= static_cast<int>(l.size())) return {-1, -1};
  return {l[Level].left + 10, l[Level].top + 1 + Top + 10};
}
// Client tops of items: 20 pixels an item, 8 a separator, from 1.
constexpr int Row0 = 1, Row1 = 21, Row2 = 41, BetaTop = 29;

class SubmenusTest : public ControlsTest {};

TEST_F(SubmenusTest, MouseAndKeyboardWalkTheLevels) {
  using win::headless::Click;
  using win::headless::MouseMove;
  using win::headless::PressKey;
  struct Case {
    const char* Name;
    std::vector<std::function<void()>> Steps;
    std::vector<int> ListsAfterEachStep;  // how many lists are open after each step
    std::vector<std::string> Clicked;
  };
  auto move = [](int level, int top) { return [=] { win::POINT p = Over(level, top); MouseMove(p.x, p.y); }; };
  auto click = [](int level, int top) {
    return [=] { win::POINT p = Over(level, top); Click(MouseButton::Left, p.x, p.y); };
  };
  auto key = [](win::UINT vk) { return [=] { PressKey(vk); }; };
  const Case cases[] = {
      {"hover opens the submenu, a click on a leaf chooses it",
       {move(0, Row1), move(1, Row0), click(1, Row0)}, {2, 2, 0}, {"Alpha"}},
      {"hover on another item closes the submenu", {move(0, Row1), move(0, Row0), key(win::VK_ESCAPE)}, {2, 1, 0}, {}},
      {"Right opens with the first item, Down skips the line, Return chooses two levels down",
       {key(win::VK_DOWN), key(win::VK_DOWN), key(win::VK_RIGHT), key(win::VK_DOWN), key(win::VK_RIGHT),
        key(win::VK_RETURN)},
       {1, 1, 2, 2, 3, 0}, {"Deep"}},
      {"Left and Escape close one level, Escape at the first level closes the menu",
       {key(win::VK_DOWN), key(win::VK_DOWN), key(win::VK_RETURN), key(win::VK_LEFT), key(win::VK_RIGHT),
        key(win::VK_ESCAPE), key(win::VK_ESCAPE)},
       {1, 1, 2, 1, 2, 1, 0}, {}},
      {"a click on a submenu's item opens it and chooses nothing; a click outside closes all",
       {click(0, Row1), move(1, BetaTop), [] { Click(MouseButton::Left, 900, 600); }}, {2, 3, 0}, {}},
      {"a disabled item opens no submenu", {move(0, Row2), click(0, Row2), key(win::VK_ESCAPE)}, {1, 1, 0}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    MenuFixture f;
    std::vector<int> open;
    std::size_t step = 0;
    win::headless::SetIdleHandler([&] {
      if (step < c.Steps.size()) {
        c.Steps[step++]();
        open.push_back(static_cast<int>(Lists().size()));
      } else {
        PressKey(win::VK_ESCAPE);  // a case that left the menu open
      }
      Wake();
    });
    f.Menu->Popup(100, 100);
    win::headless::SetIdleHandler(nullptr);
    EXPECT_EQ(open, c.ListsAfterEachStep);
    EXPECT_EQ(f.Log, c.Clicked);
    EXPECT_TRUE(Lists().empty());
    EXPECT_EQ(win::GetCapture(), nullptr);
  }
}

// A script chooses by path; items under a disabled or hidden submenu cannot be chosen.
TEST_F(SubmenusTest, ScriptChoosesByPath) {
  MenuFixture f;
  auto path = [&](std::vector<std::string> names) {
    SetPopupMenuHandler([names](TPopupMenu* m, int, int) {
      TMenuItem* i = m->Items();
      for (const std::string& n : names) i = i ? i->Find(n) : nullptr;
      return i;
    });
    f.Menu->Popup(0, 0);
  };
  path({"More", "Beta", "Deep"});
  path({"Off", "Hidden"});
  f.Menu->Items()->Find("More")->SetVisible(false);
  path({"More", "Alpha"});
  EXPECT_EQ(f.Log, std::vector<std::string>{"Deep"});
}

}  // namespace

namespace {

// On a second monitor the lists stay on it; at the right edge of the work area a
// submenu opens to the left of its list.
TEST_F(SubmenusTest, ListsStayOnTheMonitorOfThePoint) {
  win::headless::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 728}}, {{1024, 0, 2304, 1024}, {1024, 0, 2304, 1000}}});
  MenuFixture f;
  std::vector<std::vector<win::RECT>> seen;
  int step = 0;
  win::headless::SetIdleHandler([&] {
    if (step++ == 0) {
      win::POINT p = Over(0, Row1);
      win::headless::MouseMove(p.x, p.y);
      seen.push_back(Lists());
    } else {
      win::headless::PressKey(win::VK_ESCAPE);
    }
    Wake();
  });
  f.Menu->Popup(2290, 990);
  win::headless::SetIdleHandler(nullptr);
  ASSERT_EQ(seen.size(), 1u);
  ASSERT_EQ(seen[0].size(), 2u);
  const win::RECT& sub = seen[0][0];
  const win::RECT& list = seen[0][1];
  EXPECT_EQ(list.right, 2304);
  EXPECT_EQ(list.bottom, 990);  // above the point: no room below it
  EXPECT_GE(sub.left, 1024);
  EXPECT_LT(sub.left, list.left);
  EXPECT_LE(sub.bottom, 1000);
}

}  // namespace

namespace {

// An item with a submenu shows an arrow, and stays highlighted while its submenu is open.
TEST_F(SubmenusTest, OpenItemIsPaintedHotWithItsArrow) {
  MenuFixture f;
  std::vector<win::DrawOp> texts;
  int step = 0;
  win::headless::SetIdleHandler([&] {
    if (step++ == 0) {
      win::StartDrawRecording();
      win::POINT p = Over(0, Row1);
      win::headless::MouseMove(p.x, p.y);
      win::headless::ProcessMessages();
      p = Over(1, Row0);
      win::headless::MouseMove(p.x, p.y);
      win::headless::ProcessMessages();
      for (const win::DrawOp& op : win::DrawRecording())
        if (op.kind == win::DrawKind::Text) texts.push_back(op);
      win::StopDrawRecording();
    } else {
      win::headless::PressKey(win::VK_ESCAPE);
    }
    Wake();
  });
  f.Menu->Popup(100, 100);
  win::headless::SetIdleHandler(nullptr);
  auto find = [&](const std::string& text) -> const win::DrawOp* {
    const win::DrawOp* last = nullptr;  // as last painted
    for (const win::DrawOp& op : texts)
      if (op.text == text) last = &op;
    return last;
  };
  const win::DrawOp* more = find("More");
  const win::DrawOp* alpha = find("Alpha");
  ASSERT_TRUE(more && alpha);
  EXPECT_EQ(more->color, ColorToRGB(clHighlightText));
  EXPECT_EQ(alpha->color, ColorToRGB(clHighlightText));
  EXPECT_EQ(find("Open")->color, ColorToRGB(clMenuText));
  // Arrows beside More (first list) and Beta (the submenu).
  std::vector<win::HWND> arrows;
  for (const win::DrawOp& op : texts)
    if (op.text == "\xE2\x96\xB8" && std::find(arrows.begin(), arrows.end(), op.window) == arrows.end())
      arrows.push_back(op.window);
  EXPECT_EQ(arrows.size(), 2u);
}

}  // namespace
