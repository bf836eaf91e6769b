// Radio groups (items, choice by click and keys, columns) and shapes (each kind drawn,
// pen and brush changes repainting).
#include "ControlsFixture.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/graphics/DrawRecord.h"

namespace {

class RadioGroupTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 300);
    group = new TRadioGroup(form);
    group->SetParent(form);
    group->SetBounds(10, 10, 300, 120);
    for (const char* s : {"One", "Two", "Three", "Four", "Five"}) group->Items()->Add(s);
    group->SetOnClick(MakeEvent(this, &RadioGroupTest::Clicked));
    form->Show();
  }
  void TearDown() override {
    win::StopDrawRecording();
    form->Free();
    ControlsTest::TearDown();
  }
  void Clicked(TObject*) { ++clicks; }
  TRadioButton* Button(int i) { return static_cast<TRadioButton*>(group->Controls(i)); }
  std::vector<bool> Checks() {
    std::vector<bool> v;
    for (int i = 0; i < group->ControlCount(); ++i) v.push_back(Button(i)->Checked());
    return v;
  }

  TForm* form = nullptr;
  TRadioGroup* group = nullptr;
  int clicks = 0;
};

// A disabled group shows its buttons disabled (greyed), also those of items added then.
TEST_F(RadioGroupTest, DisablingTheGroupDisablesItsButtons) {
  group->SetEnabled(false);
  for (int i = 0; i < group->ControlCount(); ++i) EXPECT_FALSE(Button(i)->Enabled()) << i;
  group->Items()->Add("Six");
  ASSERT_EQ(group->ControlCount(), 6);
  for (int i = 0; i < group->ControlCount(); ++i) EXPECT_FALSE(Button(i)->Enabled()) << i;
  group->SetEnabled(true);
  for (int i = 0; i < group->ControlCount(); ++i) EXPECT_TRUE(Button(i)->Enabled()) << i;
}

TEST_F(RadioGroupTest, ItemsBecomeButtonsLaidOutInColumns) {
  ASSERT_EQ(group->ControlCount(), 5);
  EXPECT_EQ(Button(2)->Caption(), "Three");
  // One column: a column of five.
  for (int i = 1; i < 5; ++i) {
    EXPECT_EQ(Button(i)->Left(), Button(0)->Left());
    EXPECT_GT(Button(i)->Top(), Button(i - 1)->Top());
  }
  // Two columns: three down the first, two down the second, filled column by column.
  group->SetColumns(2);
  for (int i : {1, 2}) EXPECT_EQ(Button(i)->Left(), Button(0)->Left());
  EXPECT_GT(Button(3)->Left(), Button(0)->Left() + Button(0)->Width() - 1);
  EXPECT_EQ(Button(4)->Left(), Button(3)->Left());
  EXPECT_EQ(Button(3)->Top(), Button(0)->Top());
  EXPECT_EQ(Button(4)->Top(), Button(1)->Top());
  for (int i = 0; i < 5; ++i) EXPECT_LE(Button(i)->Left() + Button(i)->Width(), group->ClientWidth());
  // Changing the items rebuilds the buttons; a choice past the end is dropped.
  group->SetItemIndex(4);
  group->Items()->Delete(4);
  EXPECT_EQ(group->ControlCount(), 4);
  EXPECT_EQ(group->ItemIndex(), -1);
}

TEST_F(RadioGroupTest, ItemIndexChecksOneButton) {
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(Checks(), std::vector<bool>(5, false));
  struct Case { int set, index; } cases[] = {{2, 2}, {0, 0}, {9, 4}, {-1, -1}};
  for (const Case& c : cases) {
    group->SetItemIndex(c.set);
    EXPECT_EQ(group->ItemIndex(), c.index);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Button(i)->Checked(), i == c.index) << c.set << " " << i;
  }
  EXPECT_EQ(clicks, 0);  // setting the choice in code is no click
}

TEST_F(RadioGroupTest, ClicksAndArrowKeysChangeTheChoice) {
  ClickAt(Button(1));
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(Button(1)->Focused());
  ClickAt(Button(3));
  EXPECT_EQ(group->ItemIndex(), 3);
  EXPECT_FALSE(Button(1)->Checked());
  EXPECT_EQ(clicks, 2);
  // Arrows move the focus and the choice with it.
  win::headless::PressKey(win::VK_DOWN);
  EXPECT_EQ(group->ItemIndex(), 4);
  EXPECT_TRUE(Button(4)->Focused());
  win::headless::PressKey(win::VK_UP);
  win::headless::PressKey(win::VK_UP);
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, true, false, false}));
  EXPECT_EQ(clicks, 5);
  // Tab reaches the group at its chosen button only.
  EXPECT_TRUE(Button(2)->TabStop());
  EXPECT_FALSE(Button(3)->TabStop());
}

class ShapeTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    shape = new TShape(form);
    shape->SetParent(form);
    shape->SetBounds(10, 10, 80, 40);
    form->Show();
    win::headless::ProcessMessages();
  }
  void TearDown() override {
    win::StopDrawRecording();
    form->Free();
    ControlsTest::TearDown();
  }
  // The shape's outline as drawn on the form, after whatever is pending repaints.
  std::vector<win::DrawOp> Pending() {
    win::StartDrawRecording();
    win::ClearDrawRecording();
    win::headless::ProcessMessages();
    std::vector<win::DrawOp> ops;
    for (const win::DrawOp& op : win::DrawRecording())
      if (op.kind == win::DrawKind::Rectangle || op.kind == win::DrawKind::RoundRect ||
          op.kind == win::DrawKind::Ellipse)
        ops.push_back(op);
    win::StopDrawRecording();
    return ops;
  }
  TForm* form = nullptr;
  TShape* shape = nullptr;
};

TEST_F(ShapeTest, EachKindDrawsItsFigureInsideTheControl) {
  struct Case {
    TShapeType type;
    int penWidth;
    win::DrawKind kind;
    win::RECT rect;
  } cases[] = {
      {stRectangle, 1, win::DrawKind::Rectangle, {10, 10, 90, 50}},
      {stSquare, 1, win::DrawKind::Rectangle, {30, 10, 70, 50}},
      {stRoundRect, 1, win::DrawKind::RoundRect, {10, 10, 90, 50}},
      {stRoundSquare, 1, win::DrawKind::RoundRect, {30, 10, 70, 50}},
      {stEllipse, 1, win::DrawKind::Ellipse, {10, 10, 90, 50}},
      {stCircle, 1, win::DrawKind::Ellipse, {30, 10, 70, 50}},
      // A wide pen keeps the whole outline inside.
      {stRectangle, 5, win::DrawKind::Rectangle, {12, 12, 88, 48}},
      {stCircle, 5, win::DrawKind::Ellipse, {32, 12, 68, 48}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "shape " << int(c.type) << " pen " << c.penWidth);
    shape->SetShape(c.type);
    shape->Pen()->SetWidth(c.penWidth);
    std::vector<win::DrawOp> ops = Pending();
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].kind, c.kind);
    EXPECT_EQ(ops[0].rect.left, c.rect.left);
    EXPECT_EQ(ops[0].rect.top, c.rect.top);
    EXPECT_EQ(ops[0].rect.right, c.rect.right);
    EXPECT_EQ(ops[0].rect.bottom, c.rect.bottom);
  }
}

TEST_F(ShapeTest, PenAndBrushChangesRepaint) {
  Pending();
  shape->Brush()->SetColor(clRed);
  std::vector<win::DrawOp> ops = Pending();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].color, ColorToRGB(clRed));
  shape->Pen()->SetColor(clBlue);
  ops = Pending();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].penColor, ColorToRGB(clBlue));
  shape->Brush()->SetStyle(bsClear);
  ops = Pending();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].brushStyle, static_cast<win::UINT>(win::BS_NULL));
  EXPECT_TRUE(Pending().empty());  // nothing changed, nothing drawn
}

}  // namespace
