// The tray component on the headless desktop: clicks on the manual clock, the tip,
// cycling, the shell's restart, minimising to the tray and the window-procedure chain.
#include "app/GlobalHotKey.h"
#include "app/OwnerForm.h"
#include "app/SysTrayIcon.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/desktop/Headless.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/ImageList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using win::headless::AdvanceClock;
using win::headless::SendTrayNotification;

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

TNotifyEvent Logger(std::string what) {
  return TNotifyEvent([what](TObject*) { Log().push_back(what); });
}

// A form that logs the messages its own handling sees.
class TLogForm : public TForm, public IOwnerForm {
  VANTREL_CLASS(TLogForm, TForm)
public:
  explicit TLogForm(TComponent* AOwner) : TForm(AOwner) {}
  win::HWND OwnerFormHandle() override { return Handle(); }

protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == win::WM_HOTKEY) Log().push_back("form:hotkey");
    if (Message.Msg == win::WM_SYSCOMMAND) Log().push_back("form:syscommand");
    TForm::WndProc(Message);
  }
};

class SysTrayIconTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    Log().clear();
  }
  void TearDown() override {
    owner.reset();
    win::headless::Reset();
  }

  // A tray component owned by a plain component (no owner form).
  TSysTrayIcon* NewIcon() {
    owner = std::make_unique<TComponent>(nullptr);
    auto* icon = new TSysTrayIcon(owner.get());
    icon->SetIconVisible(true);
    return icon;
  }
  static win::UINT_PTR Id(TSysTrayIcon* icon) { return reinterpret_cast<win::UINT_PTR>(icon); }
  static const win::TrayIconState* Shown(TSysTrayIcon* icon) {
    return win::headless::FindTrayIcon(TrayIconHandler()->Handle(), Id(icon));
  }
  static void Notify(TSysTrayIcon* icon, win::UINT what) {
    SendTrayNotification(TrayIconHandler()->Handle(), Id(icon), what);
  }

  std::unique_ptr<TComponent> owner;
};

TEST_F(SysTrayIconTest, ClickAgainstDoubleClickOnTheClock) {
  // Steps: a tray notification, or (notification 0) an advance of the clock.
  struct Step {
    win::UINT what;
    win::DWORD advance;
  };
  struct Case {
    const char* name;
    bool withDblClick;
    std::vector<Step> steps;
    std::vector<std::string> log;
  };
  const win::UINT down = win::WM_LBUTTONDOWN, up = win::WM_LBUTTONUP, dbl = win::WM_LBUTTONDBLCLK;
  const Case cases[] = {
      {"without a double-click handler the click fires at the release", false, {{down, 0}, {up, 0}}, {"click"}},
      {"a single click waits for the double-click time",
       true,
       {{down, 0}, {up, 0}, {0, 499}},
       {}},
      {"then fires", true, {{down, 0}, {up, 0}, {0, 500}}, {"click"}},
      {"a double click fires once and no click",
       true,
       {{down, 0}, {up, 0}, {dbl, 0}, {up, 0}, {0, 2000}},
       {"dblclick"}},
      {"a press held past the double-click time clicks at the release",
       true,
       {{down, 0}, {0, 700}, {up, 0}, {0, 2000}},
       {"click"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    win::headless::Reset();
    Log().clear();
    TSysTrayIcon* icon = NewIcon();
    icon->SetOnClick(Logger("click"));
    if (c.withDblClick) icon->SetOnDblClick(Logger("dblclick"));
    for (const Step& s : c.steps) {
      if (s.what) Notify(icon, s.what);
      else AdvanceClock(s.advance);
    }
    EXPECT_EQ(Log(), c.log);
    owner.reset();
  }
}

TEST_F(SysTrayIconTest, TheHeadlessShellsClicksReachTheEvents) {
  TSysTrayIcon* icon = NewIcon();
  icon->SetOnClick(Logger("click"));
  icon->SetOnDblClick(Logger("dblclick"));
  win::headless::DoubleClickTrayIcon(TrayIconHandler()->Handle(), Id(icon));
  AdvanceClock(1000);
  EXPECT_EQ(Log(), std::vector<std::string>{"dblclick"});
  Log().clear();
  win::headless::ClickTrayIcon(TrayIconHandler()->Handle(), Id(icon));
  EXPECT_TRUE(Log().empty());
  AdvanceClock(500);
  EXPECT_EQ(Log(), std::vector<std::string>{"click"});
}

TEST_F(SysTrayIconTest, DisabledIconIgnoresTheMouseButNotBalloons) {
  TSysTrayIcon* icon = NewIcon();
  auto menu = std::make_unique<TPopupMenu>(nullptr);
  icon->SetPopupMenu(menu.get());
  menu->SetOnPopup(Logger("menu"));
  SetPopupMenuHandler([](TPopupMenu*, int, int) -> TMenuItem* { return nullptr; });
  icon->SetOnClick(Logger("click"));
  icon->SetOnMouseDown(TMouseEvent([](TObject*, TMouseButton, TShiftState, int, int) { Log().push_back("down"); }));
  icon->SetOnBalloonHintShow(Logger("balloon show"));
  icon->SetOnBalloonHintClick(Logger("balloon click"));
  icon->SetEnabled(false);
  for (win::UINT m : {win::WM_MOUSEMOVE, win::WM_LBUTTONDOWN, win::WM_LBUTTONUP, win::WM_RBUTTONDOWN,
                      win::WM_RBUTTONUP, win::WM_MBUTTONDOWN})
    Notify(icon, m);
  Notify(icon, win::NIN_BALLOONSHOW);
  Notify(icon, win::NIN_BALLOONUSERCLICK);
  EXPECT_EQ(Log(), (std::vector<std::string>{"balloon show", "balloon click"}));
  SetPopupMenuHandler(nullptr);
  icon->SetPopupMenu(nullptr);
}

TEST_F(SysTrayIconTest, DoubleClickClicksTheMenusDefaultItemUnlessLeftPopup) {
  for (bool leftPopup : {false, true}) {
    SCOPED_TRACE(leftPopup);
    win::headless::Reset();
    Log().clear();
    TSysTrayIcon* icon = NewIcon();
    auto* menu = new TPopupMenu(owner.get());
    for (const char* name : {"first", "second"}) {
      auto* item = new TMenuItem(menu);
      item->SetOnClick(Logger(name));
      menu->Items()->Add(item);
    }
    menu->Items()->Items(1)->SetDefault(true);
    SetPopupMenuHandler([](TPopupMenu*, int, int) -> TMenuItem* { return nullptr; });
    icon->SetPopupMenu(menu);
    icon->SetLeftPopup(leftPopup);
    icon->SetOnDblClick(Logger("dblclick"));
    Notify(icon, win::WM_LBUTTONDBLCLK);
    const std::vector<std::string> expected =
        leftPopup ? std::vector<std::string>{"dblclick"} : std::vector<std::string>{"dblclick", "second"};
    EXPECT_EQ(Log(), expected);
    SetPopupMenuHandler(nullptr);
    owner.reset();
  }
}

TEST_F(SysTrayIconTest, RightPressOpensTheMenuAtTheCursor) {
  TSysTrayIcon* icon = NewIcon();
  auto* menu = new TPopupMenu(owner.get());
  std::vector<win::POINT> at;
  SetPopupMenuHandler([&](TPopupMenu* m, int x, int y) -> TMenuItem* {
    EXPECT_EQ(m->PopupComponent(), icon);
    at.push_back(win::POINT{x, y});
    return nullptr;
  });
  icon->SetPopupMenu(menu);
  win::headless::RightClickTrayIcon(TrayIconHandler()->Handle(), Id(icon));
  ASSERT_EQ(at.size(), 1u);
  EXPECT_EQ(at[0], win::headless::TrayIconPoint());

  menu->SetAutoPopup(false);
  win::headless::RightClickTrayIcon(TrayIconHandler()->Handle(), Id(icon));
  EXPECT_EQ(at.size(), 1u);
  SetPopupMenuHandler(nullptr);
}

TEST_F(SysTrayIconTest, TheTipKeepsAtMost127BytesOfWholeCharacters) {
  TSysTrayIcon* icon = NewIcon();
  std::string chinese;
  for (int i = 0; i < 100; ++i) chinese += "汉";  // 3 bytes each
  struct Case {
    std::string hint;
    bool show;
    std::string tip;
  };
  const Case cases[] = {
      {std::string(200, 'x'), true, std::string(127, 'x')},
      {std::string(127, 'y'), true, std::string(127, 'y')},
      {chinese, true, chinese.substr(0, 42 * 3)},
      {std::string(126, 'a') + "é", true, std::string(126, 'a')},
      {"", true, ""},
      {"Vantrel", false, ""},
  };
  for (const Case& c : cases) {
    icon->SetShowHint(c.show);
    icon->SetHint(c.hint);
    const win::NOTIFYICONDATAA& d = icon->NotifyData();
    EXPECT_EQ(std::string(d.szTip, strnlen(d.szTip, sizeof d.szTip)), c.tip);
    EXPECT_EQ(d.szTip[127], 0);
    ASSERT_NE(Shown(icon), nullptr);
    EXPECT_EQ(Shown(icon)->Tip, c.tip);
  }
  // Not shown: nothing but zero bytes.
  icon->SetHint("x");
  icon->SetShowHint(false);
  for (char ch : icon->NotifyData().szTip) EXPECT_EQ(ch, 0);
}

TEST_F(SysTrayIconTest, CyclingShowsEachImageInTurn) {
  TSysTrayIcon* icon = NewIcon();
  auto* list = new TImageList(owner.get());
  std::vector<win::PixelImage> images;
  for (std::uint32_t colour : {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu}) {
    TBitmap bmp;
    bmp.SetWidth(16);
    bmp.SetHeight(16);
    bmp.Canvas()->Brush()->SetColor(static_cast<TColor>(colour & 0xFFFFFF));
    bmp.Canvas()->FillRect(win::RECT{0, 0, 16, 16});
    list->Add(&bmp, nullptr);
  }
  std::vector<int> next;
  icon->SetOnCycle(TCycleEvent([&](TObject*, int n) { next.push_back(n); }));
  icon->SetIconList(list);
  icon->SetCycleInterval(100);
  icon->SetCycleIcons(true);
  EXPECT_EQ(icon->IconIndex(), 0);

  std::vector<int> shown;
  auto pixelOf = [&] { return icon->Icon()->Image().pixels.at(0); };
  std::vector<std::uint32_t> colours;
  for (int i = 0; i < 3; ++i) {
    TIcon probe;
    list->GetIcon(i, &probe);
    colours.push_back(probe.Image().pixels.at(0));
  }
  for (int step = 0; step < 4; ++step) {
    AdvanceClock(100);
    shown.push_back(icon->IconIndex());
    EXPECT_EQ(pixelOf(), colours[icon->IconIndex()]);
    EXPECT_EQ(Shown(icon)->Icon, icon->Icon()->Handle());
  }
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(next, shown);

  // A new interval restarts at image 0.
  icon->SetCycleInterval(250);
  EXPECT_EQ(icon->IconIndex(), 0);
  AdvanceClock(249);
  EXPECT_EQ(icon->IconIndex(), 0);
  AdvanceClock(1);
  EXPECT_EQ(icon->IconIndex(), 1);

  icon->SetCycleIcons(false);
  AdvanceClock(1000);
  EXPECT_EQ(icon->IconIndex(), 1);

  // An index past the end takes the last image; freeing the list clears it.
  icon->SetIconIndex(9);
  EXPECT_EQ(icon->IconIndex(), 2);
  delete list;
  EXPECT_EQ(icon->IconList(), nullptr);
  EXPECT_EQ(icon->IconIndex(), 0);
}

TEST_F(SysTrayIconTest, AVisibleIconComesBackWhenTheShellRestarts) {
  TSysTrayIcon* visible = NewIcon();
  auto* hidden = new TSysTrayIcon(owner.get());
  ASSERT_NE(Shown(visible), nullptr);
  win::headless::RestartTray();
  EXPECT_NE(Shown(visible), nullptr);
  EXPECT_EQ(Shown(hidden), nullptr);

  // Without the registered message nothing puts it back.
  win::UINT saved = TaskbarCreatedMessageId();
  TaskbarCreatedMessageId() = 0;
  win::headless::RestartTray();
  EXPECT_EQ(Shown(visible), nullptr);
  TaskbarCreatedMessageId() = saved;
}

TEST_F(SysTrayIconTest, EnterAndExitFollowTheCursor) {
  TSysTrayIcon* icon = NewIcon();
  icon->SetOnMouseEnter(Logger("enter"));
  icon->SetOnMouseExit(Logger("exit"));
  icon->SetWantEnterExitEvents(true);
  win::headless::HoverTrayIcon(TrayIconHandler()->Handle(), Id(icon));
  win::headless::HoverTrayIcon(TrayIconHandler()->Handle(), Id(icon));
  AdvanceClock(100);
  EXPECT_EQ(Log(), std::vector<std::string>{"enter"});
  win::SetCursorPos(5, 5);
  AdvanceClock(20);
  EXPECT_EQ(Log(), (std::vector<std::string>{"enter", "exit"}));
  win::headless::HoverTrayIcon(TrayIconHandler()->Handle(), Id(icon));
  EXPECT_EQ(Log().back(), "enter");
}

TEST_F(SysTrayIconTest, IconsShareOneWindowAndANotificationForAFreedIconIsDropped) {
  TSysTrayIcon* first = NewIcon();
  auto* second = new TSysTrayIcon(owner.get());
  EXPECT_EQ(TrayIconHandler()->RefCount(), 2);
  EXPECT_EQ(first->NotifyData().hWnd, second->NotifyData().hWnd);
  EXPECT_EQ(first->NotifyData().cbSize, 488u);
  EXPECT_EQ(first->NotifyData().uFlags, 7u);
  EXPECT_EQ(first->NotifyData().uCallbackMessage, 0x0800u);

  second->SetOnClick(Logger("click"));
  win::PostMessageA(TrayIconHandler()->Handle(), TrayCallbackMessage, Id(second), win::WM_LBUTTONDOWN);
  delete second;
  win::headless::ProcessMessages();
  EXPECT_TRUE(Log().empty());

  owner.reset();
  EXPECT_EQ(TrayIconHandler(), nullptr);
  EXPECT_TRUE(win::headless::TrayIcons().empty());
}

TEST_F(SysTrayIconTest, CallbackBehaviourPicksTheRightButtonRelease) {
  TSysTrayIcon* icon = NewIcon();
  icon->SetOnMouseUp(TMouseEvent([](TObject*, TMouseButton b, TShiftState s, int, int) {
    Log().push_back(b == mbRight && s.Contains(ssRight) ? "right up" : "other up");
  }));
  for (win::UINT m : {win::WM_RBUTTONUP, win::WM_CONTEXTMENU, win::NIN_SELECT}) Notify(icon, m);
  EXPECT_EQ(Log(), std::vector<std::string>{"right up"});
  Log().clear();
  icon->SetNotifyVersion(1);
  EXPECT_EQ(icon->NotifyData().uVersion, 3u);
  EXPECT_EQ(Shown(icon)->Version, 3u);
  for (win::UINT m : {win::WM_RBUTTONUP, win::WM_CONTEXTMENU, win::NIN_SELECT, win::NIN_KEYSELECT})
    SendTrayNotification(TrayIconHandler()->Handle(), Id(icon), m);
  EXPECT_EQ(Log(), (std::vector<std::string>{"right up", "right up", "right up"}));
}

// The application's main form with a tray component on it.
class TrayOnMainFormTest : public SysTrayIconTest {
protected:
  void SetUp() override {
    SysTrayIconTest::SetUp();
    Application->CreateForm(form);
    ASSERT_EQ(Application->MainForm(), form);
    original = win::GetWindowLongA(form->Handle(), win::GWL_WNDPROC);
    tray = new TSysTrayIcon(form);
    tray->SetIconVisible(true);
  }
  void TearDown() override {
    form->Free();
    SysTrayIconTest::TearDown();
  }
  TLogForm* form = nullptr;
  TSysTrayIcon* tray = nullptr;
  win::LONG_PTR original = 0;
};

TEST_F(TrayOnMainFormTest, WindowProceduresChainHotKeysThenTrayThenForm) {
  win::HWND wnd = form->Handle();
  auto trayProc = win::GetWindowLongA(wnd, win::GWL_WNDPROC);
  EXPECT_NE(trayProc, original);
  auto* keys = new TGlobalHotKeys(form);
  keys->SetOnHotKeys(THotKeyEvent([](TObject*, std::uint16_t i) { Log().push_back("OnHotKeys:" + std::to_string(i)); }));
  THotKeyItem* item = keys->HotKeys()->AddItem();
  item->SetModifiers({modControl});
  item->SetVirtKey(vkF9);
  item->SetEnabled(true);

  // A minimise the tray keeps for itself never reaches the form, but the hot keys saw it.
  tray->SetMinimizeToTray(true);
  tray->SetOnMinimizeToTray(Logger("OnMinimizeToTray"));
  ASSERT_TRUE(win::headless::PressHotKey(win::MOD_CONTROL, 0x78));
  EXPECT_EQ(win::SendMessageA(wnd, win::WM_SYSCOMMAND, win::SC_MINIMIZE, 0), 1);
  EXPECT_EQ(Log(), (std::vector<std::string>{"form:hotkey", "OnHotKeys:0", "OnMinimizeToTray"}));

  // Each takes itself out of the chain again, the last one in first.
  delete keys;
  EXPECT_EQ(win::GetWindowLongA(wnd, win::GWL_WNDPROC), trayProc);
  delete tray;
  EXPECT_EQ(win::GetWindowLongA(wnd, win::GWL_WNDPROC), original);
}

TEST_F(TrayOnMainFormTest, MinimisingHidesEverythingButTheIcon) {
  tray->SetMinimizeToTray(true);
  form->Show();
  win::HWND app = Application->Handle();
  win::ShowWindow(app, win::SW_SHOW);
  Application->Minimize();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(win::IsWindowVisible(app));
  EXPECT_NE(Shown(tray), nullptr);

  // Without OnMinimizeToTray the form's own minimise goes ahead.
  EXPECT_EQ(win::SendMessageA(form->Handle(), win::WM_SYSCOMMAND, win::SC_MINIMIZE, 0),
            win::DefWindowProcA(form->Handle(), win::WM_NULL, 0, 0));
  EXPECT_NE(std::find(Log().begin(), Log().end(), "form:syscommand"), Log().end());

  tray->RestoreMainWindow();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->WindowState(), wsNormal);
  EXPECT_FALSE(win::IsIconic(app));
}

TEST_F(TrayOnMainFormTest, WithoutMinimizeToTrayTheWindowsStay) {
  form->Show();
  Application->Minimize();
  EXPECT_TRUE(form->Visible());
}

TEST_F(TrayOnMainFormTest, HotKeysWorkOnAPlainForm) {
  auto* plain = new TForm(nullptr);
  auto* keys = new TGlobalHotKeys(plain);
  keys->SetOnHotKeys(THotKeyEvent([](TObject*, std::uint16_t i) { Log().push_back("OnHotKeys:" + std::to_string(i)); }));
  THotKeyItem* item = keys->HotKeys()->AddItem();
  item->SetVirtKey(vkF8);
  item->SetEnabled(true);
  EXPECT_TRUE(item->Registered());
  ASSERT_TRUE(win::headless::PressHotKey(0, 0x77));
  EXPECT_EQ(Log(), std::vector<std::string>{"OnHotKeys:0"});
  plain->Free();
}

}  // namespace
