// Taking queued messages off a window's queue.
#include "tests/support/HeadlessFixture.h"

#include "grid/DBGridGx/QueuedMessages.h"

namespace {

class QueuedMessagesTest : public HeadlessTest {};

TEST_F(QueuedMessagesTest, OneMessageIsDroppedAndAQuitTakenWithItPostedAgain) {
  win::HWND Window = win::AllocateHWnd([](win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) {
    return win::DefWindowProc(h, m, w, l);
  });
  win::MSG M{};
  // Nothing queued: nothing happens.
  DropQueuedMessage(Window, win::WM_USER + 1);
  EXPECT_FALSE(win::PeekMessage(&M, Window, 0, 0, win::PM_NOREMOVE));

  win::PostMessage(Window, win::WM_USER + 1, 1, 0);
  win::PostMessage(Window, win::WM_USER + 1, 2, 0);
  win::PostMessage(Window, win::WM_USER + 2, 3, 0);
  DropQueuedMessage(Window, win::WM_USER + 1);
  ASSERT_TRUE(win::PeekMessage(&M, Window, 0, 0, win::PM_REMOVE));
  EXPECT_EQ(M.wParam, 2u);  // only one was removed
  ASSERT_TRUE(win::PeekMessage(&M, Window, 0, 0, win::PM_REMOVE));
  EXPECT_EQ(M.wParam, 3u);

  // A quit message taken on the way is posted again.
  win::PostQuitMessage(7);
  DropQueuedMessage(Window, win::WM_USER + 1);
  ASSERT_TRUE(win::PeekMessage(&M, nullptr, 0, 0, win::PM_REMOVE));
  EXPECT_EQ(M.message, win::WM_QUIT);
  EXPECT_EQ(M.wParam, 7u);
  win::DeallocateHWnd(Window);
}

}  // namespace
