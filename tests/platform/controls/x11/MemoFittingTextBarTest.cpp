// A memo whose text fits keeps its vertical bar, disabled: on a real display the strip
// shows that bar from the first show on, also when the window first shows minimised and
// is restored later (as the main window does).
#include "platform/controls/StdCtrls.h"
#include "tests/platform/controls/x11/OnDisplay.h"

namespace {
using namespace win;

class MemoFittingTextTest : public FormOnDisplayTest, public ::testing::WithParamInterface<bool> {
protected:
  // The colours of a part of the memo's window in the form's X window.
  std::set<unsigned long> ColoursOf(unsigned long x, HWND memo, const RECT& part) {
    RECT w{};
    GetWindowRect(memo, &w);
    POINT o{0, 0};
    ClientToScreen(form->Handle(), &o);
    int dx = w.left - o.x, dy = w.top - o.y;
    return other_client::Colours(*FOther, x, RECT{part.left + dx, part.top + dy, part.right + dx, part.bottom + dy});
  }
};

TEST_P(MemoFittingTextTest, TheDisabledBarShowsOnTheFirstShow) {
  const bool restored = GetParam();
  form = new TForm(nullptr);
  form->SetCaption("Fitting memo");
  form->SetBounds(50, 50, 300, 220);
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetBounds(10, 10, 200, 120);
  memo->SetScrollBars(ssBoth);
  memo->Lines()->Add("one line");
  if (restored) {
    form->SetWindowState(wsMinimized);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(form->Handle()) != 0; }));
    form->SetWindowState(wsNormal);
  } else {
    form->Show();
  }
  unsigned long x = 0;
  ASSERT_TRUE(PumpUntil([&] { return (x = other_client::FindViewable(*FOther, "Fitting memo")) != 0; }));

  RECT bar{};
  ASSERT_TRUE(GetWindowScrollBarRect(memo->Handle(), SB_VERT, &bar));
  // The disabled bar: its face with light and grey edges and grey glyphs, nothing black.
  std::set<unsigned long> colours;
  PumpUntil([&] { return (colours = ColoursOf(x, memo->Handle(), bar)).count(0x808080) != 0; });
  EXPECT_TRUE(colours.count(0xD4D0C8) && colours.count(0x808080) && colours.count(0xFFFFFF)) << colours.size();
  EXPECT_FALSE(colours.count(0));
  // The text area beside it shows too.
  RECT text{bar.left - 60, bar.top + 20, bar.left - 10, bar.top + 60};
  EXPECT_TRUE(ColoursOf(x, memo->Handle(), text).count(0xFFFFFF));
}

INSTANTIATE_TEST_SUITE_P(ShownOrRestored, MemoFittingTextTest, ::testing::Bool());

}  // namespace
