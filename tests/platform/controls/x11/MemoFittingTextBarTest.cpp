// A memo whose text fits keeps its vertical bar, disabled: on a real display the strip
// shows that bar from the first show on, also when the window first shows minimised and
// is restored later (as the main window does).
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"
#include "platform/x11/X11Backend.h"
#include "tests/platform/controls/x11/OtherClient.h"
#include "tests/platform/x11/ServicesXvfb.h"

namespace {
using namespace win;

class MemoFittingText : public xvfb_test::TwoClients, public ::testing::WithParamInterface<bool> {
protected:
  void SetUp() override {
    TwoClients::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    InstallDrawingHooks();
    InstallBackend(std::make_unique<x11::X11Backend>(std::move(FOurs)));
    RegisterStandardClasses();
  }
  void TearDown() override {
    if (form) form->Free();
    headless::Reset();
    InstallBackend(nullptr);
    TwoClients::TearDown();
  }
  void PumpFor(int rounds) {
    for (int i = 0; i < rounds; ++i) {
      headless::ProcessMessages();
      CurrentBackend().WaitForEvents(20);
      other_client::Sync(*FOther);
    }
  }
  // The colours of a part of the memo's window in the form's X window.
  std::set<unsigned long> ColoursOf(unsigned long x, HWND memo, const RECT& part) {
    RECT w{};
    GetWindowRect(memo, &w);
    POINT o{0, 0};
    ClientToScreen(form->Handle(), &o);
    int dx = w.left - o.x, dy = w.top - o.y;
    return other_client::Colours(*FOther, x, RECT{part.left + dx, part.top + dy, part.right + dx, part.bottom + dy});
  }
  TForm* form = nullptr;
};

TEST_P(MemoFittingText, TheDisabledBarShowsOnTheFirstShow) {
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
    PumpFor(5);
    form->SetWindowState(wsNormal);
  } else {
    form->Show();
  }
  unsigned long x = 0;
  for (int i = 0; i < 200 && !(x = other_client::FindViewable(*FOther, "Fitting memo")); ++i) PumpFor(1);
  ASSERT_NE(x, 0u);
  PumpFor(10);

  RECT bar{};
  ASSERT_TRUE(GetWindowScrollBarRect(memo->Handle(), SB_VERT, &bar));
  // The disabled bar: its face with light and grey edges and grey glyphs, nothing black.
  std::set<unsigned long> colours = ColoursOf(x, memo->Handle(), bar);
  EXPECT_TRUE(colours.count(0xD4D0C8) && colours.count(0x808080) && colours.count(0xFFFFFF)) << colours.size();
  EXPECT_FALSE(colours.count(0));
  // The text area beside it shows too.
  RECT text{bar.left - 60, bar.top + 20, bar.left - 10, bar.top + 60};
  EXPECT_TRUE(ColoursOf(x, memo->Handle(), text).count(0xFFFFFF));
}

INSTANTIATE_TEST_SUITE_P(ShownOrRestored, MemoFittingText, ::testing::Bool());

}  // namespace
