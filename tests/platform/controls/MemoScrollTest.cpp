// Memos: rows with word wrap, the view following the caret, scroll bars, the wheel and
// the scrolling messages, and editing across line breaks.
#include "ControlsFixture.h"

#include "platform/controls/StdCtrls.h"
#include "platform/graphics/DrawRecord.h"
#include "platform/rtl/Utf8.h"
#include "tests/support/RepaintRecord.h"
#include "tests/support/WindowScrollBars.h"

#include <algorithm>

namespace {

class MemoScrollTest : public ControlsTest {
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
    form->Show();
    memo->SetFocus();
  }
  void TearDown() override {
    win::StopDrawRecording();
    form->Free();
    ControlsTest::TearDown();
  }
  void Numbered(int n) {
    auto lines = std::make_unique<TStringList>();
    for (int i = 0; i < n; ++i) lines->Add("Line " + std::to_string(i));
    memo->SetLines(lines.get());
  }
  std::vector<win::DrawOp> DrawnOps() { return RepaintAndRecord(memo->Handle()); }
  std::vector<std::string> Drawn() {
    std::vector<std::string> texts;
    for (const win::DrawOp& op : DrawnOps()) texts.push_back(op.text);
    return texts;
  }
  win::SCROLLINFO Bar(int bar) {
    win::SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = win::SIF_ALL;
    EXPECT_TRUE(win::GetScrollInfo(memo->Handle(), bar, &si));
    return si;
  }
  int Row() { return static_cast<int>(memo->Perform(win::EM_LINEFROMCHAR, static_cast<win::WPARAM>(-1), 0)); }
  int Visible() {
    win::RECT r{};
    memo->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&r));
    return (r.bottom - r.top) / win::headless::Caret()->Height;
  }
  void Press(win::UINT vk, win::UINT mods = 0) { win::headless::PressKeys(mods, vk); }

  TForm* form = nullptr;
  TMemo* memo = nullptr;
};

TEST_F(MemoScrollTest, TheViewFollowsTheCaretAndTheBarFollowsTheView) {
  Numbered(20);
  int vis = Visible();
  ASSERT_GE(vis, 2);
  ASSERT_LT(vis, 20);
  win::SCROLLINFO si = Bar(win::SB_VERT);
  EXPECT_EQ(si.nMax, 19);
  EXPECT_EQ(static_cast<int>(si.nPage), vis);
  EXPECT_EQ(si.nPos, 0);

  struct Step { win::UINT vk, mods; int row, top; } steps[] = {
      {win::VK_END, win::MOD_CONTROL, 19, 20 - vis},
      {win::VK_PRIOR, 0, 19 - vis, 20 - 2 * vis},
      {win::VK_UP, 0, 18 - vis, 20 - 2 * vis},
      {win::VK_HOME, win::MOD_CONTROL, 0, 0},
      {win::VK_NEXT, 0, vis, vis},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.vk);
    Press(s.vk, s.mods);
    EXPECT_EQ(Row(), s.row);
    EXPECT_EQ(memo->TopRow(), s.top);
    EXPECT_EQ(memo->Perform(win::EM_GETFIRSTVISIBLELINE), s.top);
    EXPECT_EQ(Bar(win::SB_VERT).nPos, s.top);
    std::vector<std::string> texts = Drawn();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "Line " + std::to_string(s.top));
    // The caret is on its row within the view.
    int y = win::headless::Caret()->Pos.y;
    EXPECT_EQ(y, 1 + (s.row - s.top) * win::headless::Caret()->Height);
  }
  // Walking down one row at a time scrolls one row once the caret reaches the bottom.
  Press(win::VK_HOME, win::MOD_CONTROL);
  for (int i = 0; i < vis; ++i) Press(win::VK_DOWN);
  EXPECT_EQ(memo->TopRow(), 1);
}

TEST_F(MemoScrollTest, UpAndDownKeepTheColumn) {
  memo->SetText("abcdef\r\nab\r\n\r\nabcdef");
  Press(win::VK_END);
  EXPECT_EQ(memo->SelStart(), 6);
  Press(win::VK_DOWN);
  EXPECT_EQ(memo->SelStart(), 10);  // end of "ab"
  Press(win::VK_DOWN);
  EXPECT_EQ(memo->SelStart(), 12);  // the empty line
  Press(win::VK_DOWN);
  EXPECT_EQ(memo->SelStart(), 20);  // back in the sixth column
  Press(win::VK_UP, win::MOD_SHIFT);
  Press(win::VK_UP, win::MOD_SHIFT);
  EXPECT_EQ(memo->SelStart(), 10);
  EXPECT_EQ(memo->SelLength(), 10);
  // Left and Right step over a line break as one.
  memo->SetSelStart(8);
  Press(win::VK_LEFT);
  EXPECT_EQ(memo->SelStart(), 6);
  Press(win::VK_RIGHT);
  EXPECT_EQ(memo->SelStart(), 8);
}

TEST_F(MemoScrollTest, WheelBarsAndScrollMessagesMoveOnlyTheView) {
  Numbered(30);
  int vis = Visible();
  win::POINT p = Center(memo);
  win::headless::MouseWheel(-120, p.x, p.y);
  EXPECT_EQ(memo->TopRow(), 3);
  win::headless::MouseWheel(120, p.x, p.y);
  EXPECT_EQ(memo->TopRow(), 0);

  struct Case { win::WPARAM code; int top; } cases[] = {
      {win::SB_LINEDOWN, 1},
      {win::SB_PAGEDOWN, 1 + vis},
      {win::MAKEWPARAM(win::SB_THUMBPOSITION, 7), 7},
      {win::SB_LINEUP, 6},
      {win::SB_BOTTOM, 30 - vis},
      {win::SB_PAGEDOWN, 30 - vis},  // no further than the last page
      {win::SB_TOP, 0},
  };
  for (const Case& c : cases) {
    memo->Perform(win::WM_VSCROLL, c.code, 0);
    EXPECT_EQ(memo->TopRow(), c.top) << c.code;
    EXPECT_EQ(Bar(win::SB_VERT).nPos, c.top);
  }
  memo->Perform(win::EM_LINESCROLL, 0, 5);
  EXPECT_EQ(memo->TopRow(), 5);
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(Drawn().front(), "Line 5");
  memo->Perform(win::EM_SCROLLCARET);
  EXPECT_EQ(memo->TopRow(), 0);
}

TEST_F(MemoScrollTest, LongLinesScrollSidewaysWithoutWordWrap) {
  memo->SetText("short\r\nthe quick brown fox jumps over the lazy dog again and again");
  win::SCROLLINFO h = Bar(win::SB_HORZ);
  EXPECT_GT(h.nMax + 1, static_cast<int>(h.nPage));
  Press(win::VK_END, win::MOD_CONTROL);
  win::RECT r{};
  memo->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&r));
  EXPECT_EQ(win::headless::Caret()->Pos.x, r.right - 1);
  EXPECT_GT(Bar(win::SB_HORZ).nPos, 0);
  std::vector<std::string> texts = Drawn();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back().substr(texts.back().size() - 3), "ain");
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "short"), texts.end());  // scrolled out
  memo->Perform(win::WM_HSCROLL, win::SB_TOP, 0);
  EXPECT_EQ(Drawn().front(), "short");
  EXPECT_EQ(memo->SelStart(), memo->TextProp().size());
}

TEST_F(MemoScrollTest, ScrollBarsAsAskedAndNoSidewaysBarWithWordWrap) {
  struct Case { TScrollStyle bars; bool wrap, vert, horz; } cases[] = {
      {ssNone, false, false, false},     {ssVertical, false, true, false}, {ssHorizontal, false, false, true},
      {ssBoth, false, true, true},       {ssHorizontal, true, false, false}, {ssBoth, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.bars) << " wrap " << c.wrap);
    memo->SetWordWrap(c.wrap);
    memo->SetScrollBars(c.bars);
    Numbered(3);  // fits: the bars show disabled
    win::LONG_PTR style = win::GetWindowLong(memo->Handle(), win::GWL_STYLE);
    EXPECT_EQ((style & win::WS_VSCROLL) != 0, c.vert);
    EXPECT_EQ((style & win::WS_HSCROLL) != 0, c.horz);
  }
}

TEST_F(MemoScrollTest, WordWrapBreaksRowsButNotLines) {
  memo = new TMemo(form);
  memo->SetWordWrap(true);
  memo->SetScrollBars(ssBoth);
  memo->SetParent(form);
  memo->SetBounds(200, 10, 150, 80);
  memo->SetFocus();
  const std::string latin = "the quick brown fox jumps over the lazy dog";
  const std::string chinese = "内容管理器的文本片段和热键绑定功能测试";
  memo->SetText(latin + "\r\n" + chinese);
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(0), latin);
  EXPECT_EQ(memo->Lines()->Strings(1), chinese);
  int rows = static_cast<int>(memo->Perform(win::EM_GETLINECOUNT));
  EXPECT_GT(rows, 3);
  // No horizontal bar with word wrap; every row fits; Latin rows break after a space.
  win::SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = win::SIF_ALL;
  EXPECT_FALSE(win::GetScrollInfo(memo->Handle(), win::SB_HORZ, &si));
  std::vector<win::DrawOp> ops = DrawnOps();
  win::RECT r{};
  memo->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&r));
  std::string joined;
  for (const win::DrawOp& op : ops) {
    joined += op.text;
    if (op.text.back() != ' ') {
      EXPECT_LE(op.rect.right, r.right) << op.text;
    }
  }
  EXPECT_EQ(joined.substr(0, latin.size()), latin);
  EXPECT_EQ(ops.front().text.back(), ' ');
  // Rows of the Chinese line start where the previous row stopped.
  int firstChinese = static_cast<int>(memo->Perform(win::EM_LINEFROMCHAR, Utf8Length(latin) + 2));
  EXPECT_EQ(memo->Perform(win::EM_LINEINDEX, firstChinese), static_cast<win::LRESULT>(Utf8Length(latin) + 2));
  EXPECT_LT(firstChinese + 1, rows);
  // Down from the first row reaches the second row of the same line.
  memo->SetSelStart(0);
  Press(win::VK_DOWN);
  EXPECT_EQ(Row(), 1);
  EXPECT_LT(memo->SelStart(), static_cast<int>(latin.size()));
  // Narrower than one character: a character a row.
  memo->SetWidth(12);
  memo->SetText("内容 x");
  EXPECT_EQ(memo->Perform(win::EM_GETLINECOUNT), 3);
}

TEST_F(MemoScrollTest, EditingAcrossLineBreaksKeepsLinesInStep) {
  memo->SetText("ab\r\ncd");
  memo->SetSelStart(4);  // start of "cd"
  Press(win::VK_BACK);
  EXPECT_EQ(memo->TextProp(), "abcd");
  EXPECT_EQ(memo->Lines()->Count(), 1);
  // A text without a line break gets a line feed.
  win::headless::PressKey(win::VK_RETURN);
  EXPECT_EQ(memo->TextProp(), "ab\ncd");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  memo->SetMaxLength(5);  // no room for another line break
  memo->SetSelStart(5);
  win::headless::PressKey(win::VK_RETURN);
  EXPECT_EQ(memo->TextProp(), "ab\ncd");
  memo->SetMaxLength(0);
  memo->SetSelStart(2);
  Press(win::VK_DELETE);
  EXPECT_EQ(memo->TextProp(), "abcd");
  EXPECT_EQ(memo->Lines()->Count(), 1);
  Press(win::VK_DELETE);
  EXPECT_EQ(memo->Lines()->Strings(0), "abd");
  // Pasting keeps every line of the clipboard's text.
  win::headless::SetClipboardTextElsewhere("one\ntwo\r\nthree");
  memo->PasteFromClipboard();
  EXPECT_EQ(memo->TextProp(), "abone\ntwo\nthreed");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Strings(2), "threed");
  // A click on a row puts the caret there.
  win::POINT p = memo->ClientToScreen({4, 1 + win::headless::Caret()->Height + 2});
  win::headless::Click(win::headless::MouseButton::Left, p.x, p.y);
  EXPECT_EQ(Row(), 1);
}

// The memo's own scroll bars under the mouse.
win::ScrollBarLayout BarParts(TMemo* memo) { return BarLayout(memo->Handle(), win::SB_VERT); }
win::POINT OnScreen(TMemo* memo, const win::RECT& part) { return BarPartOnScreen(memo->Handle(), part); }

int TopLine(TMemo* memo) { return static_cast<int>(memo->Perform(win::EM_GETFIRSTVISIBLELINE, 0, 0)); }

TEST_F(MemoScrollTest, TheBarsAreDrawnWhenTheMemoShows) {
  form->Hide();
  win::headless::ProcessMessages();
  win::ClearDrawRecording();
  win::StartDrawRecording();
  form->Show();
  win::headless::ProcessMessages();
  std::vector<win::UINT> kinds;
  for (const win::DrawOp& op : win::RecordedOps(win::DrawKind::FrameControl, memo->Handle()))
    kinds.push_back(op.flags & 0xFF);
  // Showing may draw them more than once (as their ranges settle); the last drawing is whole.
  ASSERT_GE(kinds.size(), 4u);
  EXPECT_EQ(std::vector<win::UINT>(kinds.end() - 4, kinds.end()),
            (std::vector<win::UINT>{win::DFCS_SCROLLUP, win::DFCS_SCROLLDOWN, win::DFCS_SCROLLLEFT,
                                    win::DFCS_SCROLLRIGHT}));
}

TEST_F(MemoScrollTest, ArrowsTrackAndAHeldArrowOfTheBarScrollTheText) {
  using win::headless::MouseButton;
  Numbered(50);
  memo->Perform(win::WM_VSCROLL, win::SB_TOP, 0);
  int page = static_cast<int>(Bar(win::SB_VERT).nPage);
  ASSERT_GE(page, 2);
  auto click = [&](win::POINT p) { win::headless::Click(MouseButton::Left, p.x, p.y); };
  click(OnScreen(memo, BarParts(memo).Arrow2));
  EXPECT_EQ(TopLine(memo), 1);
  win::RECT track = BarParts(memo).Track;
  click(OnScreen(memo, win::RECT{track.left, track.bottom - 4, track.right, track.bottom}));
  EXPECT_EQ(TopLine(memo), 1 + page);
  click(OnScreen(memo, BarParts(memo).Arrow1));
  EXPECT_EQ(TopLine(memo), page);
  win::POINT down = OnScreen(memo, BarParts(memo).Arrow2);
  win::headless::MouseDown(MouseButton::Left, down.x, down.y);
  win::headless::AdvanceClock(win::SCROLL_REPEAT_DELAY + 2 * win::SCROLL_REPEAT_INTERVAL);
  win::headless::MouseUp(MouseButton::Left, down.x, down.y);
  EXPECT_EQ(TopLine(memo), page + 4);
  EXPECT_EQ(Bar(win::SB_VERT).nPos, page + 4);
}

TEST_F(MemoScrollTest, DraggingTheBarsThumbScrollsAsItGoes) {
  using win::headless::MouseButton;
  Numbered(50);
  memo->Perform(win::WM_VSCROLL, win::SB_TOP, 0);
  int last = 50 - static_cast<int>(Bar(win::SB_VERT).nPage);
  win::ScrollBarLayout l = BarParts(memo);
  win::POINT grab = OnScreen(memo, l.Thumb);
  int room = (l.Track.bottom - l.Track.top) - (l.Thumb.bottom - l.Thumb.top);
  win::headless::MouseDown(MouseButton::Left, grab.x, grab.y);
  win::headless::MouseMove(grab.x, grab.y + room / 2);
  win::headless::ProcessMessages();
  EXPECT_NEAR(TopLine(memo), last / 2, 1);
  win::headless::MouseMove(grab.x, grab.y + room + 30);
  win::headless::MouseUp(MouseButton::Left, grab.x, grab.y + room + 30);
  EXPECT_EQ(TopLine(memo), last);
  EXPECT_EQ(Bar(win::SB_VERT).nPos, last);
  EXPECT_EQ(win::GetCapture(), nullptr);
}

}  // namespace
