// What a control's answers to CM_HINTSHOWPAUSE and CM_HINTSHOW do to the hint shown:
// the short part of the hint, and every field of the hint info a handler changes.
#include "ControlsFixture.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/HintWindow.h"
#include "platform/desktop/Input.h"

#include <functional>

namespace {

// A hint window class of its own, as a control may ask for one.
class TOtherHintWindow : public THintWindow {
  VANTREL_CLASS(TOtherHintWindow, THintWindow)
public:
  explicit TOtherHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}
};

// A control whose hint messages a test answers.
class THintedControl : public TCustomControl {
public:
  explicit THintedControl(TComponent* AOwner) : TCustomControl(AOwner) {}
  std::function<void(THintInfo&)> OnShow;
  std::function<bool()> Refuse = [] { return false; };
  std::vector<win::WPARAM> pauseShowing;  // wParam of each CM_HINTSHOWPAUSE
  int pauseAnswer = -1;                   // the pause set, when 0 or more
  int shows = 0;

protected:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_HINTSHOWPAUSE) {
      pauseShowing.push_back(Message.WParam);
      if (pauseAnswer >= 0) *reinterpret_cast<int*>(Message.LParam) = pauseAnswer;
      return;
    }
    if (Message.Msg == CM_HINTSHOW) {
      ++shows;
      if (OnShow) OnShow(*reinterpret_cast<THintInfo*>(Message.LParam));
      Message.Result = Refuse() ? 1 : 0;
      return;
    }
    TCustomControl::Dispatch(Message);
  }
};

class HintInfoTest : public HintFormTest {
protected:
  void SetUp() override {
    HintFormTest::SetUp();
    box = new THintedControl(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 200, 100);
    box->SetHint("Copies the row|Puts the row's text on the clipboard");
    form->Show();
  }
  // The pointer moves to (x, y) in the box; the application's loop sees the move.
  void MoveTo(int x, int y) {
    win::POINT p = box->ClientToScreen({x, y});
    win::input::MouseMove(p.x, p.y);
    Application->ProcessMessages();
  }
  // The pointer leaves for the bare form: the next move over the box starts afresh.
  void Leave() {
    win::POINT p = form->ClientToScreen({350, 250});
    win::input::MouseMove(p.x, p.y);
    Application->ProcessMessages();
  }
  THintWindow* Hint() { return Application->HintWindow(); }
  bool HintShown() {
    THintWindow* h = Hint();
    return h && h->HandleAllocated() && win::IsWindowVisible(h->Handle());
  }
  win::RECT HintRect() {
    win::RECT r{};
    win::GetWindowRect(Hint()->Handle(), &r);
    return r;
  }
  THintedControl* box = nullptr;
};

TEST_F(HintInfoTest, ShortAndLongPartsOfAHint) {
  struct Case {
    const char* hint;
    const char* shortPart;
    const char* longPart;
  } cases[] = {
      {"Copy|Copies the row", "Copy", "Copies the row"},
      {"Copy", "Copy", "Copy"},
      {"|Only a long part", "", "Only a long part"},
      {"Copy|", "Copy", ""},
      {"a|b|c", "a", "b|c"},
      {"Größe|Zeilenhöhe ändern", "Größe", "Zeilenhöhe ändern"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hint);
    EXPECT_EQ(GetShortHint(c.hint), c.shortPart);
    EXPECT_EQ(GetLongHint(c.hint), c.longPart);
  }
}

TEST_F(HintInfoTest, HintWindowShowsTheShortPartAndWhatTheHandlerChanged) {
  std::string offered;
  box->OnShow = [&](THintInfo& info) {
    offered = info.HintStr;
    EXPECT_EQ(info.HintControl, box);
    EXPECT_EQ(info.HideTimeout, 2500);
    info.HintPos = {250, 180};
    info.HideTimeout = 700;
  };
  MoveTo(50, 50);
  win::headless::AdvanceClock(500);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(offered, "Copies the row");
  EXPECT_EQ(Hint()->Caption(), "Copies the row");
  EXPECT_EQ(HintRect().left, 250);
  EXPECT_EQ(HintRect().top, 180);
  // The handler's hide timeout, not the application's hide pause.
  win::headless::AdvanceClock(699);
  EXPECT_TRUE(HintShown());
  win::headless::AdvanceClock(1);
  EXPECT_FALSE(HintShown());

  // Next time: another text, a narrow maximum width, a hint that stays up.
  Leave();
  box->OnShow = [](THintInfo& info) {
    info.HintStr = "a replacement hint long enough to need several lines";
    info.HintMaxWidth = 80;
    info.HideTimeout = 0;
  };
  MoveTo(60, 60);
  win::headless::AdvanceClock(500);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Hint()->Caption(), "a replacement hint long enough to need several lines");
  win::RECT r = HintRect();
  EXPECT_LE(r.right - r.left, 80 + 6);
  EXPECT_GT(r.bottom - r.top, 2 * (Hint()->CalcHintRect(1000, "a", nullptr).bottom - 2));
  win::headless::AdvanceClock(60000);
  EXPECT_TRUE(HintShown());
}

TEST_F(HintInfoTest, RefusedOrEmptiedHintShowsNoWindow) {
  for (bool refuse : {true, false}) {
    SCOPED_TRACE(refuse ? "refused" : "emptied");
    Leave();
    box->Refuse = [refuse] { return refuse; };
    box->OnShow = [](THintInfo& info) { info.HintStr.clear(); };
    MoveTo(5, 5);
    win::headless::AdvanceClock(500);
    EXPECT_GE(box->shows, 1);
    EXPECT_FALSE(HintShown());
  }
}

TEST_F(HintInfoTest, ControlWithoutHintTextMaySupplyOne) {
  box->SetHint("");
  box->OnShow = [](THintInfo& info) {
    EXPECT_EQ(info.HintStr, "");
    info.HintStr = "the whole cell text";
  };
  MoveTo(50, 50);
  win::headless::AdvanceClock(500);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Hint()->Caption(), "the whole cell text");
  // Without ShowHint it is not asked.
  Leave();
  box->SetShowHint(false);
  MoveTo(50, 50);
  win::headless::AdvanceClock(1000);
  EXPECT_FALSE(HintShown());
  EXPECT_EQ(box->shows, 1);
}

TEST_F(HintInfoTest, LeavingTheCursorRectAsksAgainAndTellsTheHintWasShowing) {
  // One hint per half of the control, as a grid gives one per cell.
  box->OnShow = [&](THintInfo& info) {
    bool left = info.CursorPos.x < 100;
    info.CursorRect = left ? win::RECT{0, 0, 100, 100} : win::RECT{100, 0, 200, 100};
    info.HintStr = left ? "left half" : "right half";
  };
  MoveTo(20, 20);
  win::headless::AdvanceClock(500);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Hint()->Caption(), "left half");
  ASSERT_EQ(box->pauseShowing.size(), 1u);
  EXPECT_EQ(box->pauseShowing[0], 0u);
  // Within the rectangle nothing is asked again.
  MoveTo(90, 80);
  EXPECT_EQ(box->shows, 1);
  EXPECT_TRUE(HintShown());
  // Out of it: the hint goes, the pause is asked knowing one was up, and the
  // control's shorter pause brings the other half's hint.
  box->pauseAnswer = 50;
  MoveTo(150, 20);
  EXPECT_FALSE(HintShown());
  ASSERT_EQ(box->pauseShowing.size(), 2u);
  EXPECT_EQ(box->pauseShowing[1], 1u);
  win::headless::AdvanceClock(50);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Hint()->Caption(), "right half");
  EXPECT_EQ(box->shows, 2);
  // A hint the control emptied still has its rectangle: leaving it asks again.
  box->OnShow = [&](THintInfo& info) {
    info.CursorRect = info.CursorPos.x < 100 ? win::RECT{0, 0, 100, 100} : win::RECT{100, 0, 200, 100};
    if (info.CursorPos.x >= 100) info.HintStr.clear();
  };
  Leave();
  MoveTo(160, 20);
  win::headless::AdvanceClock(50);
  EXPECT_FALSE(HintShown());
  MoveTo(40, 20);
  win::headless::AdvanceClock(50);
  EXPECT_TRUE(HintShown());
}

TEST_F(HintInfoTest, ReshowTimeoutAsksAgainWhileThePointerStays) {
  int n = 0;
  box->OnShow = [&](THintInfo& info) {
    info.HintStr = "tick " + std::to_string(++n);
    info.ReshowTimeout = n < 3 ? 300 : 0;
  };
  MoveTo(50, 50);
  win::headless::AdvanceClock(500);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Hint()->Caption(), "tick 1");
  win::headless::AdvanceClock(300);
  EXPECT_EQ(Hint()->Caption(), "tick 2");
  win::headless::AdvanceClock(300);
  EXPECT_EQ(Hint()->Caption(), "tick 3");
  win::headless::AdvanceClock(1000);
  EXPECT_EQ(n, 3);
}

TEST_F(HintInfoTest, HandlerChoosesTheHintWindowClass) {
  static int data;
  box->OnShow = [](THintInfo& info) {
    EXPECT_EQ(info.HintWindowClass, THintWindow::StaticClass());
    info.HintWindowClass = TOtherHintWindow::StaticClass();
    info.HintColor = clYellow;
    info.HintData = &data;
  };
  MoveTo(50, 50);
  win::headless::AdvanceClock(500);
  ASSERT_TRUE(HintShown());
  EXPECT_TRUE(Hint()->Is<TOtherHintWindow>());
  EXPECT_EQ(Hint()->Color(), clYellow);
  EXPECT_EQ(Hint()->HintData(), &data);
  // The next hint with the default class replaces the window again.
  box->OnShow = nullptr;
  Leave();
  MoveTo(60, 50);
  win::headless::AdvanceClock(500);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Hint()->ClassType(), THintWindow::StaticClass());
  // A class that is no hint window is refused with an error, not taken for one.
  box->OnShow = [](THintInfo& info) { info.HintWindowClass = TTimer::StaticClass(); };
  Leave();
  MoveTo(60, 50);
  win::headless::AdvanceClock(500);
  EXPECT_FALSE(HintShown());
  ASSERT_EQ(win::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(win::headless::MessageBoxes()[0].Text, "Hint window class TTimer is not a hint window.");
  for (int i = 0; i < Application->ComponentCount(); ++i)
    EXPECT_EQ(dynamic_cast<TTimer*>(Application->Components(i)), nullptr);
}

}  // namespace
