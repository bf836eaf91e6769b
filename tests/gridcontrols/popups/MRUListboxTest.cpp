// The recently-used list box's own scroll bar: shown beside a square grip when the items
// do not fit, hidden with a triangular grip when they do, placed by the grip's corner.
#include "PopupsFixture.h"

#include <string>

namespace {

class MRUListboxTest : public PopupsTest {
protected:
  void SetUp() override {
    PopupsTest::SetUp();
    List = new TMRUListboxGx(Form);
    List->SetParent(Form);
    List->SetItemHeight(16);
    List->SetBounds(300, 400, 150, 4 + 5 * 16);  // five rows
    List->SetVisible(true);
    win::headless::ProcessMessages();
  }
  void Fill(int Count) {
    List->Items()->Clear();
    for (int i = 0; i < Count; ++i) List->Items()->Add("text " + std::to_string(i));
    List->Perform(CM_CHANGED, 0, 0);
  }
  TMRUListboxGx* List = nullptr;
};

TEST_F(MRUListboxTest, ScrollBarAppearsOnlyWhenTheItemsDoNotFit) {
  TScrollBar* bar = List->ScrollBar();
  EXPECT_FALSE(win::GetWindowLong(List->Handle(), win::GWL_STYLE) & win::WS_VSCROLL);
  const struct {
    int Items, GripSide;
    bool Shown, Triangle;
    int BarTop, BarHeight;
  } cases[] = {
      {5, 3, false, true, 0, 64},    // fits: no bar
      {6, 3, true, false, 0, 64},    // grip bottom-right: bar above it
      {6, 2, true, false, 16, 64},   // grip top-right: bar below it
      {6, 0, true, true, 0, 80},     // grip on the left: bar the whole height
      {0, 1, false, true, 16, 64},  // no items: no bar; grip top-right again
  };
  for (const auto& c : cases) {
    Fill(c.Items);
    List->Perform(WM_GRIPSIDE_GX, static_cast<win::WPARAM>(c.GripSide), 0);
    EXPECT_EQ(bar->Visible(), c.Shown) << c.Items << " " << c.GripSide;
    EXPECT_EQ(List->SizeGrip()->TriangleWindow(), c.Triangle) << c.Items << " " << c.GripSide;
    EXPECT_EQ(bar->Left(), List->ClientWidth() - 16);
    EXPECT_EQ(bar->Width(), 16);
    EXPECT_EQ(bar->Top(), c.BarTop) << c.Items << " " << c.GripSide;
    EXPECT_EQ(bar->Height(), c.BarHeight) << c.Items << " " << c.GripSide;
    if (c.Shown) {
      EXPECT_EQ(bar->Max(), c.Items - 1);
      EXPECT_EQ(bar->PageSize(), 5);
    }
  }
}

TEST_F(MRUListboxTest, TheScrollBarScrollsTheListAndStaysInItsPlace) {
  Fill(12);
  TScrollBar* bar = List->ScrollBar();
  ASSERT_TRUE(bar->Visible());
  bar->DoScroll(scLineDown, 0);
  EXPECT_EQ(List->TopIndex(), 1);
  bar->DoScroll(scPageDown, 0);
  EXPECT_EQ(List->TopIndex(), 6);
  bar->SetBounds(0, 0, 16, 20);
  EXPECT_EQ(bar->Left(), List->ClientWidth() - 16);
  EXPECT_EQ(bar->Height(), List->ClientHeight() - 16);
  // The wheel scrolls the list and the bar follows.
  List->Perform(CM_MOUSEWHEEL, win::MAKEWPARAM(0, static_cast<win::WORD>(-120)), 0);
  EXPECT_EQ(List->TopIndex(), 7);
  EXPECT_EQ(bar->Position(), 7);
}

}  // namespace
