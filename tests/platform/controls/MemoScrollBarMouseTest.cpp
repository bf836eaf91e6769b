// A memo's own scroll bars: drawn when it shows, and arrows, track, a held arrow and a
// thumb drag scroll its text.
#include "ControlsFixture.h"

#include "platform/controls/StdCtrls.h"
#include "platform/graphics/DrawRecord.h"

namespace {
using win::headless::MouseButton;

class MemoScrollBarMouseTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 300);
    memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 10, 150, 80);
    memo->SetWordWrap(false);
    memo->SetScrollBars(ssBoth);
    auto lines = std::make_unique<TStringList>();
    for (int i = 0; i < 50; ++i) lines->Add("Line " + std::to_string(i));
    memo->SetLines(lines.get());
  }
  void Show() {
    form->Show();
    memo->Perform(win::WM_VSCROLL, win::SB_TOP, 0);
    win::headless::ProcessMessages();
  }
  void TearDown() override {
    win::StopDrawRecording();
    form->Free();
    ControlsTest::TearDown();
  }
  int Top() { return static_cast<int>(memo->Perform(win::EM_GETFIRSTVISIBLELINE, 0, 0)); }
  win::SCROLLINFO Info() {
    win::SCROLLINFO si{};
    si.fMask = win::SIF_ALL;
    win::GetScrollInfo(memo->Handle(), win::SB_VERT, &si);
    return si;
  }
  win::ScrollBarLayout Bar() {
    win::RECT r{};
    EXPECT_TRUE(win::GetWindowScrollBarRect(memo->Handle(), win::SB_VERT, &r));
    win::SCROLLINFO si = Info();
    return win::LayOutScrollBar(r, false, si.nMin, si.nMax, si.nPage, si.nTrackPos);
  }
  // The middle of a part of the bar, on the screen.
  win::POINT Middle(const win::RECT& part) {
    win::RECT w{};
    win::GetWindowRect(memo->Handle(), &w);
    return {w.left + (part.left + part.right) / 2, w.top + (part.top + part.bottom) / 2};
  }
  void Click(win::POINT p) {
    win::headless::Click(MouseButton::Left, p.x, p.y);
    win::headless::ProcessMessages();
  }
  TForm* form = nullptr;
  TMemo* memo = nullptr;
};

TEST_F(MemoScrollBarMouseTest, TheBarsAreDrawnWhenTheMemoShows) {
  win::ClearDrawRecording();
  win::StartDrawRecording();
  form->Show();
  win::headless::ProcessMessages();
  std::vector<win::DrawOp> arrows = win::RecordedOps(win::DrawKind::FrameControl, memo->Handle());
  std::vector<win::UINT> kinds;
  for (const win::DrawOp& op : arrows) kinds.push_back(op.flags & 0xFF);
  EXPECT_EQ(kinds, (std::vector<win::UINT>{win::DFCS_SCROLLUP, win::DFCS_SCROLLDOWN, win::DFCS_SCROLLLEFT,
                                           win::DFCS_SCROLLRIGHT}));
}

TEST_F(MemoScrollBarMouseTest, ArrowsTrackAndAHeldArrowScrollTheText) {
  Show();
  int page = static_cast<int>(Info().nPage);
  ASSERT_GE(page, 2);
  Click(Middle(Bar().Arrow2));
  EXPECT_EQ(Top(), 1);
  win::RECT track = Bar().Track;
  Click(Middle(win::RECT{track.left, track.bottom - 4, track.right, track.bottom}));
  EXPECT_EQ(Top(), 1 + page);
  Click(Middle(Bar().Arrow1));
  EXPECT_EQ(Top(), page);
  win::POINT down = Middle(Bar().Arrow2);
  win::headless::MouseDown(MouseButton::Left, down.x, down.y);
  win::headless::AdvanceClock(win::SCROLL_REPEAT_DELAY + 2 * win::SCROLL_REPEAT_INTERVAL);
  win::headless::MouseUp(MouseButton::Left, down.x, down.y);
  win::headless::ProcessMessages();
  EXPECT_EQ(Top(), page + 4);
  EXPECT_EQ(Info().nPos, page + 4);
}

TEST_F(MemoScrollBarMouseTest, DraggingTheThumbScrollsAsItGoes) {
  Show();
  int last = 50 - static_cast<int>(Info().nPage);
  win::ScrollBarLayout l = Bar();
  win::POINT grab = Middle(l.Thumb);
  int room = (l.Track.bottom - l.Track.top) - (l.Thumb.bottom - l.Thumb.top);
  win::headless::MouseDown(MouseButton::Left, grab.x, grab.y);
  win::headless::MouseMove(grab.x, grab.y + room / 2);
  win::headless::ProcessMessages();
  EXPECT_NEAR(Top(), last / 2, 1);
  win::headless::MouseMove(grab.x, grab.y + room + 30);
  win::headless::MouseUp(MouseButton::Left, grab.x, grab.y + room + 30);
  win::headless::ProcessMessages();
  EXPECT_EQ(Top(), last);
  EXPECT_EQ(Info().nPos, last);
  EXPECT_EQ(win::GetCapture(), nullptr);
}

}  // namespace
