// A control whose window parameters add WS_POPUP: a top-level window owned by its parent's
// window, placed in screen coordinates, outside the parent's alignment, never activated.
#include "ControlsFixture.h"

#include "platform/controls/StdCtrls.h"
#include "tests/support/PopupPanel.h"

namespace {

class PopupControlTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 100, 21);
    popup = new PopupPanel(form);
    popup->SetVisible(false);
    popup->SetParent(form);
    form->Show();
    edit->SetFocus();
  }
  void TearDown() override {
    form->Free();
    ControlsTest::TearDown();
  }
  TForm* form = nullptr;
  TEdit* edit = nullptr;
  PopupPanel* popup = nullptr;
};

TEST_F(PopupControlTest, IsATopLevelWindowOwnedByTheFormAtScreenCoordinates) {
  popup->SetBounds(500, 400, 120, 80);
  popup->SetVisible(true);
  win::HWND h = popup->Handle();
  EXPECT_FALSE(win::GetWindowLong(h, win::GWL_STYLE) & win::WS_CHILD);
  EXPECT_EQ(win::GetWindow(h, win::GW_OWNER), form->Handle());
  EXPECT_EQ(win::GetAncestor(h, win::GA_PARENT), win::GetDesktopWindow());
  win::RECT r;
  win::GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 500);
  EXPECT_EQ(r.top, 400);
  EXPECT_EQ(r.right, 620);
  EXPECT_EQ(r.bottom, 480);
  EXPECT_TRUE(win::IsWindowVisible(h));
  // Outside the form's client area, and its own point (0, 0) is where it was put.
  win::POINT origin = popup->ClientToScreen({0, 0});
  EXPECT_EQ(origin.x, 500);
  EXPECT_EQ(origin.y, 400);
  EXPECT_EQ(popup->Left(), 500);
}

TEST_F(PopupControlTest, StaysOutOfTheParentsAlignment) {
  popup->SetBounds(500, 400, 120, 80);
  popup->SetAlign(alClient);
  popup->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  popup->SetVisible(true);
  popup->HandleNeeded();
  form->SetBounds(100, 100, 400, 300);
  EXPECT_EQ(popup->Left(), 500);
  EXPECT_EQ(popup->Top(), 400);
  EXPECT_EQ(popup->Width(), 120);
  EXPECT_EQ(popup->Height(), 80);
}

TEST_F(PopupControlTest, AClickNeitherActivatesItNorTakesTheFocus) {
  popup->SetBounds(500, 400, 120, 80);
  popup->SetVisible(true);
  win::headless::Click(win::headless::MouseButton::Left, 530, 430);
  EXPECT_EQ(win::GetFocus(), edit->Handle());
  EXPECT_EQ(win::GetActiveWindow(), form->Handle());
}

}  // namespace
