// The button control: pressed halves, auto-repeat on the manual clock, clicks, holding down.
#include <gtest/gtest.h>

#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/Forms.h"
#include "platform/desktop/Headless.h"
#include "platform/graphics/DrawRecord.h"

namespace {

class TestButton : public TEditButtonControlGx {
  VANTREL_CLASS(TestButton, TEditButtonControlGx)
public:
  using TEditButtonControlGx::TEditButtonControlGx;
  using TEditButtonControlGx::MouseDown;
  using TEditButtonControlGx::MouseMove;
  using TEditButtonControlGx::MouseUp;
  using TEditButtonControlGx::Paint;
};

class EditButtonControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    Form = new TForm(nullptr);
    Button = new TestButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(0, 0, 15, 17);
    Button->SetOnClick([this](TObject*) { ++Clicks; });
    Form->Show();
  }
  void TearDown() override {
    delete Form;
    win::headless::Reset();
  }
  void Press(int Y) { Button->MouseDown(mbLeft, TShiftState{ssLeft}, 5, Y); }
  void Release(int Y) { Button->MouseUp(mbLeft, TShiftState{}, 5, Y); }
  // Counts the owner's down notifications; Decide sets AutoRepeat for each one.
  void CountDowns(std::function<void(bool& AutoRepeat)> Decide = nullptr) {
    Button->SetOnDown([this, Decide](TObject*, bool Top, bool& AutoRepeat, bool&) {
      Downs.push_back(Top);
      if (Decide) Decide(AutoRepeat);
    });
  }
  TForm* Form = nullptr;
  TestButton* Button = nullptr;
  int Clicks = 0;
  std::vector<bool> Downs;
};

TEST_F(EditButtonControlTest, PressedPartFollowsTheRow) {
  const struct {
    TEditButtonStyleGx Style;
    int Height, Y, Part;
  } cases[] = {
      {ebsUpDownGx, 17, 0, 1},  {ebsUpDownGx, 17, 7, 1},  {ebsUpDownGx, 17, 8, 0},   // h = 8: the middle line
      {ebsUpDownGx, 17, 9, 0},  {ebsUpDownGx, 17, 10, 2}, {ebsUpDownGx, 17, 16, 2},  // row Height - h presses nothing
      {ebsUpDownGx, 16, 7, 1},  {ebsUpDownGx, 16, 8, 0},  {ebsUpDownGx, 16, 9, 2},
      {ebsDropDownGx, 17, 8, 1}, {ebsEllipsisGx, 17, 16, 1}, {ebsPlusGx, 17, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << c.Style << " height " << c.Height << " row " << c.Y);
    Button->SetStyle(c.Style);
    Button->SetBounds(0, 0, 15, c.Height);
    Press(c.Y);
    EXPECT_EQ(Button->PressedPart(), c.Part);
    Release(c.Y);
    EXPECT_EQ(Button->PressedPart(), 0);
  }
}

TEST_F(EditButtonControlTest, AutoRepeatOnTheManualClock) {
  const struct {
    const char* Name;
    TEditButtonStyleGx Style;
    int Decision;  // -1 leave AutoRepeat, 0 set False, 1 set True
    std::vector<int> DownsAt;  // notifications counted after 0, 399, 400, 499, 500, 600 ms
  } cases[] = {
      {"up/down repeats by itself", ebsUpDownGx, -1, {1, 1, 2, 2, 3, 4}},
      {"drop-down does not repeat", ebsDropDownGx, -1, {1, 1, 1, 1, 1, 1}},
      {"a handler makes an ellipsis repeat", ebsEllipsisGx, 1, {1, 1, 2, 2, 3, 4}},
      {"a handler refusing stops at once", ebsUpDownGx, 0, {1, 1, 1, 1, 1, 1}},
  };
  const int Steps[] = {0, 399, 1, 99, 1, 100};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Downs.clear();
    Button->SetStyle(c.Style);
    CountDowns([&](bool& AutoRepeat) {
      if (c.Decision >= 0) AutoRepeat = c.Decision == 1;
    });
    Press(2);
    for (int I = 0; I < 6; ++I) {
      win::headless::AdvanceClock(Steps[I]);
      EXPECT_EQ(static_cast<int>(Downs.size()), c.DownsAt[I]) << "step " << I;
    }
    Release(2);
    const std::size_t AtRelease = Downs.size();
    win::headless::AdvanceClock(1000);
    EXPECT_EQ(Downs.size(), AtRelease);  // releasing stops the repetition
  }
}

TEST_F(EditButtonControlTest, HandlerStopsRepeatingAtTheNextTick) {
  int Allowed = 2;
  CountDowns([&](bool& AutoRepeat) { AutoRepeat = Allowed-- > 0; });
  Button->SetStyle(ebsUpDownGx);
  Press(12);
  EXPECT_EQ(Downs, std::vector<bool>{false});  // the lower half
  win::headless::AdvanceClock(400);
  win::headless::AdvanceClock(100);
  EXPECT_EQ(Downs.size(), 3u);
  win::headless::AdvanceClock(1000);
  EXPECT_EQ(Downs.size(), 3u);
  Release(12);
}

TEST_F(EditButtonControlTest, SlidingIntoTheOtherHalfReleasesWithoutClick) {
  Button->SetStyle(ebsUpDownGx);
  Press(12);
  EXPECT_EQ(Button->State(), ebstDown);
  EXPECT_EQ(Button->PressedPart(), 2);
  Button->MouseMove(TShiftState{ssLeft}, 5, 3);
  EXPECT_EQ(Button->State(), ebstUp);
  Release(3);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(Button->PressedPart(), 0);

  // Staying in the half clicks.
  Press(3);
  Button->MouseMove(TShiftState{ssLeft}, 6, 4);
  Release(4);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(EditButtonControlTest, HoldDown) {
  Button->HoldDown(true);
  EXPECT_TRUE(Button->HeldDown());
  EXPECT_TRUE(Button->Down());
  EXPECT_EQ(Button->GroupIndex(), 1);
  EXPECT_FALSE(Button->AllowAllUp());
  EXPECT_EQ(Button->PressedPart(), 1);
  EXPECT_EQ(Button->State(), ebstExclusive);
  Button->HoldDown(false);
  EXPECT_FALSE(Button->Down());
  EXPECT_EQ(Button->GroupIndex(), 0);
  EXPECT_TRUE(Button->AllowAllUp());
  EXPECT_EQ(Button->PressedPart(), 0);
}

TEST_F(EditButtonControlTest, FlatGlyphButtonRing) {
  Form->SetColor(clWindow);
  Button->SetStyle(ebsGlyphGx);
  Button->SetFlat(true);
  const struct {
    const char* Name;
    bool Active, Held;
    bool Frame;
    win::UINT Edge;
  } cases[] = {
      {"not active: frame in the parent's colour", false, false, true, 0},
      {"active: raised ring", true, false, false, win::BDR_RAISEDINNER},
      {"active and held down: sunken ring", true, true, false, win::BDR_SUNKENOUTER},
  };
  win::StartDrawRecording();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Button->SetActive(c.Active);
    Button->HoldDown(c.Held);
    win::ClearDrawRecording();
    Button->Paint();
    const auto Frames = win::RecordedOps(win::DrawKind::Frame);
    const auto Edges = win::RecordedOps(win::DrawKind::Edge);
    if (c.Frame) {
      ASSERT_FALSE(Frames.empty());
      EXPECT_EQ(Frames.back().color, ColorToRGB(clWindow));
      EXPECT_EQ(Frames.back().rect.right - Frames.back().rect.left, Button->Width());
    } else {
      ASSERT_FALSE(Edges.empty());
      EXPECT_EQ(Edges.back().type, c.Edge);
    }
  }
  win::StopDrawRecording();
  win::ClearDrawRecording();
}

}  // namespace
