// A window's own scroll bars drawn in its frame: arrows, track and thumb placed from the
// scroll information, greyed arrows and no thumb when the bar cannot be used, and the
// thumb following a drag.
#include <algorithm>
#include <functional>

#include "platform/desktop/Headless.h"
#include "platform/desktop/Windows.h"
#include "tests/platform/graphics/gdi/GdiFixture.h"
#include "tests/support/WindowScrollBars.h"

using namespace gx;

namespace {

class WindowScrollBarPaintTest : public ::testing::Test {
protected:
  void SetUp() override {
    headless::Reset();
    InstallDrawingHooks();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "GxBars";
    RegisterClassA(&wc);
    Create();
    ASSERT_NE(wnd, nullptr);
    cx = GetSystemMetrics(SM_CXVSCROLL);
    cy = GetSystemMetrics(SM_CYHSCROLL);
  }
  void Create() {
    wnd = CreateWindowExA(0, "GxBars", "", WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 100, 50, 200, 160,
                          nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    StopDrawRecording();
    ClearDrawRecording();
    headless::Reset();
  }
  void Set(int bar, int min, int max, UINT page, int pos, UINT extra = 0) {
    SetBarInfo(wnd, bar, min, max, page, pos, extra);
  }
  // Repaints the frame and returns what was drawn of one kind.
  std::vector<DrawOp> Frame(DrawKind kind) {
    headless::ProcessMessages();
    ClearDrawRecording();
    StartDrawRecording();
    RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    StopDrawRecording();
    return RecordedOps(kind, wnd);
  }
  // The thumbs: the raised edges that are not an arrow's button.
  std::vector<DrawOp> Thumbs() {
    std::vector<DrawOp> edges = Frame(DrawKind::Edge), arrows = RecordedOps(DrawKind::FrameControl, wnd);
    std::vector<DrawOp> out;
    for (const DrawOp& e : edges)
      if (std::none_of(arrows.begin(), arrows.end(), [&](const DrawOp& a) { return a.rect == e.rect; }))
        out.push_back(e);
    return out;
  }
  HWND wnd = nullptr;
  int cx = 0, cy = 0;
};

TEST_F(WindowScrollBarPaintTest, ArrowsTrackAndThumbSitWhereTheScrollInfoPutsThem) {
  Set(SB_VERT, 0, 99, 10, 45);
  Set(SB_HORZ, 0, 49, 25, 0);
  std::vector<DrawOp> arrows = Frame(DrawKind::FrameControl);
  ASSERT_EQ(arrows.size(), 4u);
  int barBottom = 160 - cy, barRight = 200 - cx;
  EXPECT_EQ(arrows[0].rect, (RECT{barRight, 0, 200, cx}));
  EXPECT_EQ(arrows[0].flags, UINT(DFCS_SCROLLUP));
  EXPECT_EQ(arrows[1].rect, (RECT{barRight, barBottom - cx, 200, barBottom}));
  EXPECT_EQ(arrows[1].flags, UINT(DFCS_SCROLLDOWN));
  EXPECT_EQ(arrows[2].rect, (RECT{0, barBottom, cy, 160}));
  EXPECT_EQ(arrows[2].flags, UINT(DFCS_SCROLLLEFT));
  EXPECT_EQ(arrows[3].rect, (RECT{barRight - cy, barBottom, barRight, 160}));
  EXPECT_EQ(arrows[3].flags, UINT(DFCS_SCROLLRIGHT));

  // Vertical: a tenth of the track, halfway along positions 0..90; horizontal: half the
  // track at the start.
  int track = barBottom - 2 * cx;
  int thumb = std::max(8, track * 10 / 100);
  int top = cx + (track - thumb) * 45 / 90;
  int htrack = barRight - 2 * cy;
  std::vector<DrawOp> thumbs = Thumbs();
  ASSERT_EQ(thumbs.size(), 2u);
  EXPECT_EQ(thumbs[0].rect, (RECT{barRight, top, 200, top + thumb}));
  EXPECT_EQ(thumbs[1].rect, (RECT{cy, barBottom, cy + htrack * 25 / 50, 160}));
  // The corner between the bars is filled, and nothing is drawn over the client area.
  std::vector<DrawOp> fills = Frame(DrawKind::Fill);
  EXPECT_TRUE(std::any_of(fills.begin(), fills.end(),
                          [&](const DrawOp& f) { return f.rect == RECT{barRight, barBottom, 200, 160}; }));
  for (const DrawOp& f : fills) EXPECT_TRUE(f.rect.right > barRight || f.rect.bottom > barBottom);
}

TEST_F(WindowScrollBarPaintTest, UnusableBarsGreyTheirArrowsAndShowNoThumb) {
  struct Case {
    const char* what;
    std::function<void()> setUp;
    UINT up, down;  // DFCS_INACTIVE or 0; ~0u when the bar is gone
    size_t thumbs;
  } cases[] = {
      {"range within a page, kept", [this] { Set(SB_VERT, 0, 5, 10, 0, SIF_DISABLENOSCROLL); },
       DFCS_INACTIVE, DFCS_INACTIVE, 0},
      {"range of one position, kept", [this] { Set(SB_VERT, 3, 3, 0, 3, SIF_DISABLENOSCROLL); },
       DFCS_INACTIVE, DFCS_INACTIVE, 0},
      {"both arrows switched off",
       [this] { Set(SB_VERT, 0, 99, 10, 0), EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_BOTH); },
       DFCS_INACTIVE, DFCS_INACTIVE, 0},
      {"up arrow switched off",
       [this] { Set(SB_VERT, 0, 99, 10, 0), EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_UP); },
       DFCS_INACTIVE, 0, 1},
      {"window disabled", [this] { Set(SB_VERT, 0, 99, 10, 0), EnableWindow(wnd, FALSE); },
       DFCS_INACTIVE, DFCS_INACTIVE, 0},
      {"range within a page, hidden", [this] { Set(SB_VERT, 0, 5, 10, 0); }, ~0u, ~0u, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DestroyWindow(wnd);
    Create();
    ShowScrollBar(wnd, SB_HORZ, FALSE);
    c.setUp();
    std::vector<DrawOp> arrows = Frame(DrawKind::FrameControl);
    if (c.up == ~0u) {
      EXPECT_TRUE(arrows.empty());
      EXPECT_FALSE(GetWindowLongPtr(wnd, GWL_STYLE) & WS_VSCROLL);
    } else {
      ASSERT_EQ(arrows.size(), 2u);
      EXPECT_EQ(arrows[0].flags, DFCS_SCROLLUP | c.up);
      EXPECT_EQ(arrows[1].flags, DFCS_SCROLLDOWN | c.down);
    }
    EXPECT_EQ(Thumbs().size(), c.thumbs);
  }
}

TEST_F(WindowScrollBarPaintTest, TheThumbFollowsADragAndGoesBackWhenTheWindowDoesNotMove) {
  ShowScrollBar(wnd, SB_HORZ, FALSE);
  Set(SB_VERT, 0, 99, 10, 0);
  RECT start = Thumbs().at(0).rect;
  POINT grab{100 + (start.left + start.right) / 2, 50 + (start.top + start.bottom) / 2};
  headless::MouseDown(headless::MouseButton::Left, grab.x, grab.y);
  headless::MouseMove(grab.x, grab.y + 40);
  headless::ProcessMessages();
  // Within the pixel a whole position takes.
  EXPECT_NEAR(Thumbs().at(0).rect.top, start.top + 40, 1);
  headless::MouseUp(headless::MouseButton::Left, grab.x, grab.y + 40);
  EXPECT_EQ(Thumbs().at(0).rect, start);
}

}  // namespace
