// A window coming back from minimised repaints its whole tree: children it clips and
// their frames (scroll bars) too, since nothing of them was kept while it had no area.
#include "tests/platform/desktop/Recorder.h"

using namespace win;
using namespace rec;

namespace {

class RestoreRepaintTest : public DesktopTest {};

TEST_F(RestoreRepaintTest, ClippedChildrenAndTheirFramesRepaintAfterRestore) {
  HWND top = Top(50, 50, 300, 200, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE);
  HWND memo = Child(top, 10, 10, 150, 100, WS_CHILD | WS_VISIBLE | WS_VSCROLL);
  HWND inner = Child(memo, 5, 5, 40, 20);
  headless::ProcessMessages();
  ShowWindow(top, SW_MINIMIZE);
  headless::ProcessMessages();
  Log().clear();
  ShowWindow(top, SW_RESTORE);
  headless::ProcessMessages();
  for (HWND h : {memo, inner}) {
    std::vector<UINT> got = Messages(h, {WM_NCPAINT, WM_PAINT});
    EXPECT_EQ(got, (std::vector<UINT>{WM_NCPAINT, WM_PAINT})) << (h == memo ? "memo" : "inner");
  }
}

TEST_F(RestoreRepaintTest, AnOrdinaryResizeLeavesClippedChildrenAlone) {
  HWND top = Top(50, 50, 300, 200, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE);
  HWND memo = Child(top, 10, 10, 150, 100, WS_CHILD | WS_VISIBLE | WS_VSCROLL);
  headless::ProcessMessages();
  Log().clear();
  SetWindowPos(top, nullptr, 0, 0, 320, 220, SWP_NOMOVE | SWP_NOZORDER);
  headless::ProcessMessages();
  EXPECT_TRUE(Messages(memo, {WM_NCPAINT, WM_PAINT}).empty());
}

}  // namespace
