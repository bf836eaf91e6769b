// A memo's scroll bars on a real display: they are drawn into the window's pixels, and a
// click on the arrow and a drag of the thumb, sent by the display, scroll the text.
#include "platform/controls/StdCtrls.h"
#include "tests/platform/controls/x11/OnDisplay.h"
#include "tests/support/WindowScrollBars.h"

namespace {
using namespace win;

class MemoScrollBarsOnDisplayTest : public FormOnDisplayTest {
protected:
  void SetUp() override {
    FormOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    form = new TForm(nullptr);
    form->SetCaption("Memo bars");
    form->SetBounds(50, 50, 300, 220);
    memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 10, 200, 120);
    memo->SetWordWrap(false);
    memo->SetScrollBars(ssVertical);
    auto lines = std::make_unique<TStringList>();
    for (int i = 0; i < 60; ++i) lines->Add("Line " + std::to_string(i));
    memo->SetLines(lines.get());
    form->Show();
  }
  // A part of the memo's bar in the X window's coordinates (the form's client area).
  RECT InX(const RECT& part) {
    RECT w{};
    GetWindowRect(memo->Handle(), &w);
    POINT o{0, 0};
    ClientToScreen(form->Handle(), &o);
    return RECT{part.left + w.left - o.x, part.top + w.top - o.y, part.right + w.left - o.x, part.bottom + w.top - o.y};
  }
  ScrollBarLayout Bar() { return BarLayout(memo->Handle(), SB_VERT); }
  int Top() { return static_cast<int>(memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0)); }

  TMemo* memo = nullptr;
};

TEST_F(MemoScrollBarsOnDisplayTest, TheArrowAndTheThumbScrollTheText) {
  unsigned long x = 0;
  ASSERT_TRUE(PumpUntil([&] { return (x = other_client::FindViewable(*FOther, "Memo bars")) != 0; }));
  memo->Perform(WM_VSCROLL, SB_TOP, 0);
  ASSERT_TRUE(PumpUntil([&] { return Top() == 0; }));
  ScrollBarLayout l = Bar();

  // The down arrow shows in the window's pixels: its face and its dark glyph.
  RECT arrow = InX(l.Arrow2);
  ASSERT_TRUE(PumpUntil([&] {
    std::set<unsigned long> colours = other_client::Colours(*FOther, x, arrow);
    return colours.count(0) && colours.size() >= 2;
  }));

  int cx = (arrow.left + arrow.right) / 2, cy = (arrow.top + arrow.bottom) / 2;
  other_client::Button(*FOther, x, true, cx, cy);
  other_client::Button(*FOther, x, false, cx, cy);
  ASSERT_TRUE(PumpUntil([&] { return Top() == 1 && GetCapture() == nullptr; })) << Top() << " " << GetCapture() << " " << cx << "," << cy;

  l = Bar();
  RECT thumb = InX(l.Thumb);
  RECT track = InX(l.Track);
  int tx = (thumb.left + thumb.right) / 2, ty = (thumb.top + thumb.bottom) / 2;
  other_client::Button(*FOther, x, true, tx, ty);
  other_client::DragTo(*FOther, x, tx, ty + (track.bottom - track.top));
  other_client::Button(*FOther, x, false, tx, ty + (track.bottom - track.top));
  SCROLLINFO si{};
  si.fMask = SIF_PAGE;
  GetScrollInfo(memo->Handle(), SB_VERT, &si);
  int last = 60 - static_cast<int>(si.nPage);
  ASSERT_TRUE(PumpUntil([&] { return Top() == last && GetCapture() == nullptr; })) << Top();
  EXPECT_EQ(GetScrollPos(memo->Handle(), SB_VERT), last);
}

}  // namespace
