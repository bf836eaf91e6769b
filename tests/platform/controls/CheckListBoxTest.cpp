// Check list boxes: checking by click and Space, grayed states, OnClickCheck, and check
// marks that stay with their items.
#include "ControlsFixture.h"

#include "platform/controls/ListBoxes.h"

namespace {

class CheckListBoxTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 300);
    list = new TCheckListBox(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 150, 150);
    for (const char* s : {"apple", "banana", "cherry"}) list->Items()->Add(s);
    list->SetOnClickCheck(MakeEvent(this, &CheckListBoxTest::ClickCheck));
    form->Show();
  }
  void TearDown() override {
    form->Free();
    ControlsTest::TearDown();
  }
  void ClickCheck(TObject*) { ++checks; }
  // Clicks item i at x pixels from the list's left edge.
  void ClickItem(int i, int x) {
    win::RECT r = list->ItemRect(i);
    win::POINT p = list->ClientToScreen({x, (r.top + r.bottom) / 2});
    win::headless::Click(win::headless::MouseButton::Left, p.x, p.y);
  }
  std::vector<TCheckBoxState> States() {
    std::vector<TCheckBoxState> v;
    for (int i = 0; i < list->Count(); ++i) v.push_back(list->State(i));
    return v;
  }
  TForm* form = nullptr;
  TCheckListBox* list = nullptr;
  int checks = 0;
};

TEST_F(CheckListBoxTest, ClickOnTheBoxOrSpaceChecks) {
  ClickItem(1, 60);  // on the text: selects only
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_FALSE(list->Checked(1));
  ClickItem(1, 6);  // on the box
  EXPECT_TRUE(list->Checked(1));
  EXPECT_EQ(checks, 1);
  win::headless::PressKey(win::VK_DOWN);
  win::headless::TypeText(" ");
  EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbChecked, cbChecked}));
  win::headless::TypeText(" ");
  EXPECT_FALSE(list->Checked(2));
  EXPECT_EQ(checks, 3);
  // Setting states in code tells nobody.
  list->SetChecked(0, true);
  EXPECT_EQ(checks, 3);
  EXPECT_THROW(list->State(3), EListError);
  EXPECT_THROW(list->SetState(-1, cbChecked), EListError);
}

TEST_F(CheckListBoxTest, AllowGrayedAddsTheThirdState) {
  list->SetAllowGrayed(true);
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 4; ++i) {
    ClickItem(0, 6);
    seen.push_back(list->State(0));
  }
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked, cbGrayed}));
  EXPECT_FALSE(list->Checked(0));  // grayed is not checked
  EXPECT_EQ(checks, 4);
}

TEST_F(CheckListBoxTest, CheckMarksStayWithTheirItems) {
  TObject tag;
  list->Items()->SetObjects(1, &tag);
  list->SetChecked(1, true);     // banana
  list->SetState(2, cbGrayed);   // cherry
  EXPECT_EQ(list->Items()->Objects(1), &tag);  // the caller's object is still there
  list->Items()->Insert(0, "apricot");
  list->Items()->Delete(1);      // apple
  EXPECT_EQ(list->Items()->Strings(0), "apricot");
  EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbChecked, cbGrayed}));
  list->Items()->Exchange(0, 2);
  EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
  list->SetSorted(true);
  list->Items()->Add("aaa");
  // aaa, apricot, banana, cherry
  EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbUnchecked, cbChecked, cbGrayed}));
  EXPECT_EQ(list->Items()->Objects(2), &tag);
  list->Items()->SetObjects(2, nullptr);
  EXPECT_TRUE(list->Checked(2));
  list->Items()->Clear();
  list->Items()->Add("new");
  EXPECT_FALSE(list->Checked(0));
}

}  // namespace

namespace {

// An item height lower than the check box (as a form description may ask) keeps the boxes
// of neighbouring items apart; a higher one is taken as it is.
TEST_F(CheckListBoxTest, ItemsAreNeverLowerThanTheirBox) {
  list->SetItemHeight(12);
  EXPECT_EQ(list->ItemHeight(), 15);
  EXPECT_EQ(list->ItemRect(1).top, 15);
  EXPECT_EQ(list->ItemAtPos({20, 16}, true), 1);
  list->SetItemHeight(20);
  EXPECT_EQ(list->ItemHeight(), 20);
  // A plain list box has no box to make room for.
  auto* plain = new TListBox(form);
  plain->SetItemHeight(12);
  EXPECT_EQ(plain->ItemHeight(), 12);
}

}  // namespace
