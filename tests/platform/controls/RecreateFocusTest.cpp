// The focus survives re-creating the focused control's window, and SetFocus on the
// form's active control brings the focus back to it.
#include "ControlsFixture.h"

#include "platform/controls/StdCtrls.h"

#include <functional>

namespace {

class RecreateFocusTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 10, 200, 80);
    memo->SetOnEnter([this](TObject*) { ++enters; });
    memo->SetOnExit([this](TObject*) { ++exits; });
    other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 120, 100, 20);
    form->Show();
    memo->SetFocus();
  }
  void TearDown() override {
    form->Free();
    ControlsTest::TearDown();
  }
  TForm* form = nullptr;
  TMemo* memo = nullptr;
  TEdit* other = nullptr;
  int enters = 0, exits = 0;
};

TEST_F(RecreateFocusTest, ReCreatedWindowGetsTheFocusBackWithoutEnterOrExit) {
  struct Case {
    const char* what;
    std::function<void()> recreate;
  };
  const Case cases[] = {
      {"the memo's own window", [this] { memo->SetWordWrap(!memo->WordWrap()); }},
      {"the form around it", [this] { form->RecreateWnd(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(memo->Focused());
    int entersBefore = enters, exitsBefore = exits;
    win::HWND before = memo->Handle();
    c.recreate();
    EXPECT_NE(memo->Handle(), before);
    EXPECT_TRUE(memo->Focused());
    EXPECT_EQ(win::GetFocus(), memo->Handle());
    EXPECT_EQ(form->ActiveControl(), memo);
    EXPECT_EQ(enters, entersBefore);
    EXPECT_EQ(exits, exitsBefore);
  }
  // Re-creating a control without the focus leaves the focus where it is.
  other->SetFocus();
  memo->SetWordWrap(!memo->WordWrap());
  EXPECT_TRUE(other->Focused());
}

TEST_F(RecreateFocusTest, SetFocusOnTheActiveControlFocusesItsWindowAgain) {
  // The focus left the memo's window without the form choosing another control.
  win::SetFocus(nullptr);
  ASSERT_FALSE(memo->Focused());
  ASSERT_EQ(form->ActiveControl(), memo);
  memo->SetFocus();
  EXPECT_TRUE(memo->Focused());
  EXPECT_EQ(Screen->ActiveControl(), memo);
  // Moving on from there still enters and exits as usual.
  int entersBefore = enters;
  other->SetFocus();
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(exits, 1);
  memo->SetFocus();
  EXPECT_EQ(enters, entersBefore + 1);
}

}  // namespace
