// Hints: which controls show them, the pause before the hint window appears, its hiding
// after the hide pause or when the pointer moves to another control, multi-line hints.
#include "ControlsFixture.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/StdCtrls.h"
#include "platform/desktop/Input.h"
#include "platform/graphics/DrawRecord.h"
#include "tests/support/RepaintRecord.h"

namespace {

class HintDisplayTest : public HintFormTest {
protected:
  void SetUp() override {
    HintFormTest::SetUp();
    button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 25);
    button->SetHint("Saves the snippet");
    label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 100, 100, 20);
    label->SetHint("First line\nSecond line");
    form->Show();
  }
  // The pointer moves over a control; the application's loop sees the move.
  void Hover(TControl* c, int dx = 0) {
    win::POINT p = Center(c);
    win::input::MouseMove(p.x + dx, p.y);
    Application->ProcessMessages();
  }
  THintWindow* Hint() {
    for (int i = 0; i < Application->ComponentCount(); ++i)
      if (auto* h = dynamic_cast<THintWindow*>(Application->Components(i))) return h;
    return nullptr;
  }
  bool HintShown() {
    THintWindow* h = Hint();
    return h && h->HandleAllocated() && win::IsWindowVisible(h->Handle());
  }
  TButton* button = nullptr;
  TLabel* label = nullptr;
};

TEST_F(HintDisplayTest, ShowHintFollowsTheParentUntilSetItself) {
  EXPECT_TRUE(button->ShowHint());
  EXPECT_TRUE(label->ShowHint());
  form->SetShowHint(false);
  EXPECT_FALSE(button->ShowHint());
  button->SetShowHint(true);  // its own now
  EXPECT_FALSE(button->ParentShowHint());
  form->SetShowHint(true);
  form->SetShowHint(false);
  EXPECT_TRUE(button->ShowHint());
  EXPECT_FALSE(label->ShowHint());
  // A control that shows no hints shows none however long the pointer stays.
  Hover(label);
  win::headless::AdvanceClock(5000);
  EXPECT_FALSE(HintShown());
}

TEST_F(HintDisplayTest, HintAppearsAfterThePauseAndGoesAfterTheHidePause) {
  Hover(button);
  win::headless::AdvanceClock(499);
  EXPECT_FALSE(HintShown());
  win::headless::AdvanceClock(1);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Hint()->Caption(), "Saves the snippet");
  // Below the pointer.
  win::POINT p = Center(button);
  win::RECT r{};
  win::GetWindowRect(Hint()->Handle(), &r);
  EXPECT_EQ(r.left, p.x);
  EXPECT_GT(r.top, p.y);
  // Moving within the control keeps it; the hide pause takes it away for good.
  Hover(button, 5);
  win::headless::AdvanceClock(2499);
  EXPECT_TRUE(HintShown());
  win::headless::AdvanceClock(1);
  EXPECT_FALSE(HintShown());
  Hover(button, -5);
  win::headless::AdvanceClock(3000);
  EXPECT_FALSE(HintShown());
}

TEST_F(HintDisplayTest, MovingToAnotherControlHidesAndStartsItsPause) {
  Hover(button);
  win::headless::AdvanceClock(500);
  ASSERT_TRUE(HintShown());
  Hover(label);
  EXPECT_FALSE(HintShown());
  win::headless::AdvanceClock(500);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Hint()->Caption(), "First line\nSecond line");
  // The application's switch turns every hint off.
  Application->SetShowHint(false);
  EXPECT_FALSE(HintShown());
  Hover(button);
  win::headless::AdvanceClock(1000);
  EXPECT_FALSE(HintShown());
  Application->SetShowHint(true);
}

TEST_F(HintDisplayTest, MultiLineHintsGetALineEach) {
  THintWindow hint(nullptr);
  win::RECT one = hint.CalcHintRect(1000, "First line", nullptr);
  win::RECT two = hint.CalcHintRect(1000, "First line\nSecond line", nullptr);
  EXPECT_GT(two.bottom - two.top, (one.bottom - one.top) * 3 / 2);
  EXPECT_GE(two.right - two.left, one.right - one.left);
  // A narrow maximum width wraps a long hint onto more lines.
  win::RECT wrapped = hint.CalcHintRect(80, "a hint long enough to need several lines", nullptr);
  EXPECT_LE(wrapped.right - wrapped.left, 80 + 6);
  EXPECT_GT(wrapped.bottom - wrapped.top, (one.bottom - one.top) * 2);
  // Shown, both lines are drawn one above the other.
  Hover(label);
  win::headless::AdvanceClock(500);
  ASSERT_TRUE(HintShown());
  std::vector<win::DrawOp> texts = RepaintAndRecord(Hint()->Handle());
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "First line");
  EXPECT_EQ(texts[1].text, "Second line");
  EXPECT_GT(texts[1].rect.top, texts[0].rect.top);
}

}  // namespace
