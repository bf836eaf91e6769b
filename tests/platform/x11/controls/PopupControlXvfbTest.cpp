// A control whose window parameters add WS_POPUP, on a private Xvfb: another program sees
// an undecorated (override-redirect) window at the control's screen position, neither
// showing nor clicking it takes the focus from the edit that has it, and typed keys keep
// going to that edit.
#include "platform/controls/Forms.h"
#include "platform/controls/ListBoxes.h"
#include "platform/controls/StdCtrls.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"
#include "platform/x11/X11Backend.h"
#include "tests/platform/x11/ServicesXvfb.h"
#include "tests/support/PopupPanel.h"
#include "tests/platform/x11/controls/XQueries.h"
#include "tests/support/X11Program.h"

#include <functional>
#include <string>

namespace {

class PopupControlXvfbTest : public xvfb_test::X11ProgramTest {
protected:
  void TearDown() override {
    delete Form;
    X11ProgramTest::TearDown();
  }
  // The form "Owner" with an edit at its top left.
  TEdit* NewOwnerWithEdit() {
    Form = new TForm(nullptr);
    Form->SetCaption("Owner");
    Form->SetBounds(40, 40, 300, 200);
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 120, 21);
    return edit;
  }
  // Shows the form with the focus in Edit; true once another program sees it.
  bool ShowOwner(TEdit* Edit) {
    Form->Show();
    Edit->SetFocus();
    return PumpUntil([&] { return xvfb_test::ViewOf(*FOther, xvfb_test::FindTopLevel(*FOther, "Owner")).Viewable; });
  }
  TForm* Form = nullptr;
};

TEST_F(PopupControlXvfbTest, OpensUndecoratedAtItsScreenPlaceWithoutTakingTheFocus) {
  TEdit* edit = NewOwnerWithEdit();
  auto* drop = new PopupPanel(Form);
  drop->SetVisible(false);
  drop->SetParent(Form);
  drop->SetCaption("DropDown");
  ASSERT_TRUE(ShowOwner(edit));

  drop->SetBounds(380, 260, 120, 80);
  drop->SetVisible(true);
  win::x11::XWindowId x = 0;
  ASSERT_TRUE(PumpUntil([&] { return xvfb_test::ViewOf(*FOther, x = xvfb_test::FindTopLevel(*FOther, "DropDown")).Viewable; }));
  xvfb_test::XWindowView v = xvfb_test::ViewOf(*FOther, x);
  EXPECT_TRUE(v.OverrideRedirect);
  EXPECT_EQ(v.X, 380);
  EXPECT_EQ(v.Y, 260);
  EXPECT_EQ(v.Width, 120);
  EXPECT_EQ(v.Height, 80);
  EXPECT_EQ(win::GetFocus(), edit->Handle());
  EXPECT_EQ(win::GetActiveWindow(), Form->Handle());

  // A click on the drop-down leaves the focus and the activation where they were.
  bool clicked = false;
  drop->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) { clicked = true; });
  xvfb_test::SendLeftClick(*FOther, x, 20, 20);
  ASSERT_TRUE(PumpUntil([&] { return clicked; }));
  EXPECT_EQ(win::GetFocus(), edit->Handle());
  EXPECT_EQ(win::GetActiveWindow(), Form->Handle());
  EXPECT_NE(xvfb_test::FocusedXWindow(*FOther), x);
}

// A list box dropped from an edit: a top-level popup that never holds the focus.
class PopupList : public TListBox {
  VANTREL_CLASS(PopupList, TListBox)
public:
  using TListBox::TListBox;
  bool CanFocus() const override { return false; }

protected:
  void CreateParams(TCreateParams& Params) override {
    TListBox::CreateParams(Params);
    Params.Style |= win::WS_POPUP;
    Params.ExStyle = win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST;
  }
};

TEST_F(PopupControlXvfbTest, KeysPressedWhileAListIsDroppedKeepGoingToTheEdit) {
  TEdit* edit = NewOwnerWithEdit();
  auto* list = new PopupList(edit);
  list->SetVisible(false);
  list->SetParent(edit);
  list->Items()->Add("first");
  list->Items()->Add("second");
  list->SetItemIndex(0);
  ASSERT_TRUE(ShowOwner(edit));
  edit->SetText("");
  const win::x11::XWindowId owner = xvfb_test::FindTopLevel(*FOther, "Owner");

  const win::POINT below = edit->ClientToScreen({0, edit->Height()});
  list->SetBounds(below.x, below.y, 120, 60);
  list->SetVisible(true);
  ASSERT_TRUE(PumpUntil([&] { return list->HandleAllocated() && win::IsWindowVisible(list->Handle()); }));
  EXPECT_EQ(win::GetFocus(), edit->Handle());

  // Keys go to the edit, not to the list shown over it.
  xvfb_test::SendKey(*FOther, owner, 'a');
  ASSERT_TRUE(PumpUntil([&] { return edit->Text() == "a"; }));
  xvfb_test::SendKey(*FOther, owner, 'b');
  ASSERT_TRUE(PumpUntil([&] { return edit->Text() == "ab"; }));
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_TRUE(win::IsWindowVisible(list->Handle()));
  EXPECT_EQ(win::GetFocus(), edit->Handle());
  EXPECT_EQ(win::GetActiveWindow(), Form->Handle());
}

}  // namespace
