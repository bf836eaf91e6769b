// Presses on a window's own scroll bars: arrows and track send line and page codes, a held
// press repeats on the clock, the thumb is dragged with track codes and set at release.
#include "platform/desktop/Input.h"
#include "tests/platform/desktop/Recorder.h"
#include "tests/support/WindowScrollBars.h"

#include <utility>

namespace {
using namespace rec;

class ScrollBarTrackingTest : public DesktopTest {
protected:
  void SetUp() override {
    DesktopTest::SetUp();
    wnd = Top(100, 50, 200, 160, WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL);
    SetInfo(SB_VERT, 0, 99, 10, 0);
    SetInfo(SB_HORZ, 0, 49, 25, 0);
    headless::ProcessMessages();
    Log().clear();
  }
  void SetInfo(int bar, int min, int max, UINT page, int pos, UINT extra = 0) {
    SetBarInfo(wnd, bar, min, max, page, pos, extra);
  }
  ScrollBarLayout Layout(int bar) { return BarLayout(wnd, bar); }
  // The screen point at (dx, dy) from the top-left corner of a part (window coordinates).
  POINT At(const RECT& part, int dx = 2, int dy = 2) {
    RECT w;
    GetWindowRect(wnd, &w);
    return POINT{w.left + part.left + dx, w.top + part.top + dy};
  }
  POINT Middle(const RECT& part) { return BarPartOnScreen(wnd, part); }
  // The scrolling messages sent so far: message, code and position.
  struct Sent {
    UINT msg;
    int code, pos;
    bool operator==(const Sent& o) const { return msg == o.msg && code == o.code && pos == o.pos; }
  };
  std::vector<Sent> Scrolls() {
    std::vector<Sent> out;
    for (const Entry& e : Entries({WM_VSCROLL, WM_HSCROLL}))
      out.push_back({e.msg, LOWORD(e.wParam), SHORT(HIWORD(e.wParam))});
    return out;
  }
  void Down(POINT p) {
    headless::MouseDown(headless::MouseButton::Left, p.x, p.y);
    headless::ProcessMessages();
  }
  void Up(POINT p) {
    headless::MouseUp(headless::MouseButton::Left, p.x, p.y);
    headless::ProcessMessages();
  }
  HWND wnd = nullptr;
};

TEST_F(ScrollBarTrackingTest, ClicksOnArrowsAndTrackSendLineAndPageCodes) {
  SetInfo(SB_VERT, 0, 99, 10, 40);
  SetInfo(SB_HORZ, 0, 49, 25, 10);
  struct Case {
    const char* what;
    int bar;
    RECT ScrollBarLayout::*part;
    int where;  // -1 before the thumb, 1 after it, 0 in the part's middle
    Sent sent;
  } cases[] = {
      {"up arrow", SB_VERT, &ScrollBarLayout::Arrow1, 0, {WM_VSCROLL, SB_LINEUP, 0}},
      {"down arrow", SB_VERT, &ScrollBarLayout::Arrow2, 0, {WM_VSCROLL, SB_LINEDOWN, 0}},
      {"track above the thumb", SB_VERT, &ScrollBarLayout::Track, -1, {WM_VSCROLL, SB_PAGEUP, 0}},
      {"track below the thumb", SB_VERT, &ScrollBarLayout::Track, 1, {WM_VSCROLL, SB_PAGEDOWN, 0}},
      {"left arrow", SB_HORZ, &ScrollBarLayout::Arrow1, 0, {WM_HSCROLL, SB_LINELEFT, 0}},
      {"track right of the thumb", SB_HORZ, &ScrollBarLayout::Track, 1, {WM_HSCROLL, SB_PAGERIGHT, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Log().clear();
    ScrollBarLayout l = Layout(c.bar);
    POINT p = Middle(l.*c.part);
    if (c.where) {
      const RECT& t = l.Thumb;
      POINT edge = c.where < 0 ? At(t, 0, 0) : At(t, t.right - t.left, t.bottom - t.top);
      if (c.bar == SB_VERT) p.y = edge.y + (c.where < 0 ? -3 : 3);
      else p.x = edge.x + (c.where < 0 ? -3 : 3);
    }
    headless::Click(headless::MouseButton::Left, p.x, p.y);
    headless::ProcessMessages();
    EXPECT_EQ(Scrolls(), (std::vector<Sent>{c.sent, {c.sent.msg, SB_ENDSCROLL, 0}}));
    // The press was the bar's: the window saw no client clicks, and the capture is gone.
    EXPECT_TRUE(Messages(wnd, {WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(ScrollBarTrackingTest, AHeldArrowRepeatsAfterTheDelayAtTheIntervalUntilReleased) {
  POINT p = Middle(Layout(SB_VERT).Arrow2);
  Down(p);
  auto lines = [&] {
    int n = 0;
    for (const Sent& s : Scrolls()) n += s.code == SB_LINEDOWN;
    return n;
  };
  EXPECT_EQ(lines(), 1);
  EXPECT_EQ(GetCapture(), wnd);
  headless::AdvanceClock(SCROLL_REPEAT_DELAY - 1);
  EXPECT_EQ(lines(), 1);
  headless::AdvanceClock(1);
  EXPECT_EQ(lines(), 2);
  headless::AdvanceClock(3 * SCROLL_REPEAT_INTERVAL);
  EXPECT_EQ(lines(), 5);
  // Off the arrow the press waits; back on it, it goes on.
  POINT away = Middle(Layout(SB_VERT).Track);
  headless::MouseMove(away.x, away.y);
  headless::AdvanceClock(2 * SCROLL_REPEAT_INTERVAL);
  EXPECT_EQ(lines(), 5);
  headless::MouseMove(p.x, p.y);
  headless::AdvanceClock(SCROLL_REPEAT_INTERVAL);
  EXPECT_EQ(lines(), 6);
  Up(p);
  headless::AdvanceClock(5 * SCROLL_REPEAT_INTERVAL);
  EXPECT_EQ(lines(), 6);
  EXPECT_EQ(Scrolls().back().code, SB_ENDSCROLL);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarTrackingTest, AHeldPageStopsWhenTheThumbReachesTheCursor) {
  // The window moves by a page on each page code, as scrolling windows do.
  Handlers()[wnd] = [&](HWND h, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_VSCROLL && LOWORD(wp) == SB_PAGEDOWN) SetScrollPos(h, SB_VERT, GetScrollPos(h, SB_VERT) + 10, TRUE);
    return std::nullopt;
  };
  ScrollBarLayout l = Layout(SB_VERT);
  POINT p = Middle(l.Track);
  Down(p);
  headless::AdvanceClock(SCROLL_REPEAT_DELAY + 20 * SCROLL_REPEAT_INTERVAL);
  Up(p);
  int pos = GetScrollPos(wnd, SB_VERT);
  EXPECT_GT(pos, 10);
  EXPECT_LT(pos, 90);
  ScrollBarLayout now = Layout(SB_VERT);
  RECT w;
  GetWindowRect(wnd, &w);
  // The thumb now lies under the cursor: one page more would have taken it past.
  EXPECT_LE(now.Thumb.top + w.top, p.y);
  EXPECT_GT(now.Thumb.bottom + w.top, p.y);
}

TEST_F(ScrollBarTrackingTest, DraggingTheThumbTracksPositionsAndSetsTheLastAtRelease) {
  ScrollBarLayout l = Layout(SB_VERT);
  int room = (l.Track.bottom - l.Track.top) - (l.Thumb.bottom - l.Thumb.top);
  ASSERT_GT(room, 0);
  POINT grab = Middle(l.Thumb);
  Down(grab);
  // Halfway down the room is halfway through the positions 0..90.
  headless::MouseMove(grab.x, grab.y + room / 2);
  headless::ProcessMessages();
  int half = (room / 2 * 90 + room / 2) / room;
  // A move that does not change the position sends nothing; past the end stops at the last.
  headless::MouseMove(grab.x + 1, grab.y + room / 2);
  headless::MouseMove(grab.x, grab.y + room + 40);
  headless::ProcessMessages();
  SCROLLINFO si;
  si.fMask = SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(wnd, SB_VERT, &si);
  EXPECT_EQ(si.nTrackPos, 90);
  EXPECT_EQ(si.nPos, 0);  // the window decides where it goes
  Up(POINT{grab.x, grab.y + room + 40});
  EXPECT_EQ(Scrolls(), (std::vector<Sent>{{WM_VSCROLL, SB_THUMBTRACK, 0},
                                          {WM_VSCROLL, SB_THUMBTRACK, half},
                                          {WM_VSCROLL, SB_THUMBTRACK, 90},
                                          {WM_VSCROLL, SB_THUMBPOSITION, 90},
                                          {WM_VSCROLL, SB_ENDSCROLL, 0}}));
  EXPECT_TRUE(Messages(wnd, {WM_MOUSEMOVE, WM_LBUTTONUP}).empty());
  GetScrollInfo(wnd, SB_VERT, &si);
  EXPECT_EQ(si.nTrackPos, si.nPos);
}

TEST_F(ScrollBarTrackingTest, DisabledBarsAndArrowsTakeNoPress) {
  struct Case {
    const char* what;
    std::function<void()> setUp;
    RECT ScrollBarLayout::*part;
    std::vector<Sent> sent;
  } cases[] = {
      {"range within a page, kept disabled",
       [&] { SetInfo(SB_VERT, 0, 5, 10, 0, SIF_DISABLENOSCROLL); }, &ScrollBarLayout::Arrow2, {}},
      {"down arrow switched off", [&] { SetInfo(SB_VERT, 0, 99, 10, 50), EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_DOWN); },
       &ScrollBarLayout::Arrow2, {}},
      {"the other arrow still works", [&] { SetInfo(SB_VERT, 0, 99, 10, 50), EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_DOWN); },
       &ScrollBarLayout::Arrow1, {{WM_VSCROLL, SB_LINEUP, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}},
      {"disabled window", [&] { SetInfo(SB_VERT, 0, 99, 10, 50), EnableScrollBar(wnd, SB_VERT, ESB_ENABLE_BOTH),
                                 EnableWindow(wnd, FALSE); },
       &ScrollBarLayout::Arrow1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.setUp();
    Log().clear();
    POINT p = Middle(Layout(SB_VERT).*c.part);
    headless::Click(headless::MouseButton::Left, p.x, p.y);
    headless::AdvanceClock(SCROLL_REPEAT_DELAY * 2);
    EXPECT_EQ(Scrolls(), c.sent);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(ScrollBarTrackingTest, InputQueuedBeforeThePressIsTakenStillFollowsIt) {
  // A display hands over a press, a move and the release at once: the move and release
  // are queued as the bar's before the press takes the capture.
  ScrollBarLayout l = Layout(SB_VERT);
  int room = (l.Track.bottom - l.Track.top) - (l.Thumb.bottom - l.Thumb.top);
  struct Case {
    const char* what;
    POINT press;
    int moveBy;
    std::vector<Sent> sent;
  } cases[] = {
      {"arrow click", Middle(l.Arrow2), 0, {{WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}},
      {"thumb drag to the end", Middle(l.Thumb), room,
       {{WM_VSCROLL, SB_THUMBTRACK, 0}, {WM_VSCROLL, SB_THUMBTRACK, 90}, {WM_VSCROLL, SB_THUMBPOSITION, 90},
        {WM_VSCROLL, SB_ENDSCROLL, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Log().clear();
    input::MouseDown(input::MouseButton::Left, c.press.x, c.press.y);
    if (c.moveBy) input::MouseMove(c.press.x, c.press.y + c.moveBy);
    input::MouseUp(input::MouseButton::Left, c.press.x, c.press.y + c.moveBy);
    headless::ProcessMessages();
    EXPECT_EQ(Scrolls(), c.sent);
    EXPECT_EQ(GetCapture(), nullptr);
    // The bar took them: the window sees neither the move nor the release.
    EXPECT_TRUE(Messages(wnd, {WM_NCLBUTTONUP, WM_NCMOUSEMOVE, WM_LBUTTONUP, WM_MOUSEMOVE}).empty());
  }
}

TEST_F(ScrollBarTrackingTest, LosingTheCaptureEndsAPress) {
  Down(Middle(Layout(SB_VERT).Arrow2));
  ReleaseCapture();
  headless::AdvanceClock(SCROLL_REPEAT_DELAY * 2);
  EXPECT_EQ(Scrolls(), (std::vector<Sent>{{WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}));
  // The button coming up later is an ordinary message again.
  POINT p = Middle(Layout(SB_VERT).Arrow2);
  Up(p);
  EXPECT_EQ(Scrolls().size(), 2u);
}

}  // namespace
