// Where the editor's popup opens: below or above the cell inside the work area of the
// monitor the editor is on, shortened or narrowed to it, its grip away from the cell.
#include "tests/support/InplaceEditFixture.h"

#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"

namespace {

namespace hl = win::headless;

class PopupPlacementTest : public InplaceEditTest {
protected:
  // Opens the pick list of Items items (all shown) with the editor's top-left corner moved
  // to Corner on the screen; returns the list's screen rectangle.
  win::RECT OpenAt(win::POINT Corner, int Items, const std::string& Item = "x") {
    if (!Editor) {
      TColumnGx* Column = EditColumn(StringRows({"x"}), "S");
      for (int I = 0; I < Items; ++I) Column->PickList()->Add(Item + std::to_string(I));
      Column->SetDropDownRows(static_cast<unsigned>(Items));
      Editor = OpenEditor();
    }
    const win::RECT E = ScreenRect(Editor);
    Form->SetBounds(Form->Left() + Corner.x - E.left, Form->Top() + Corner.y - E.top, Form->Width(), Form->Height());
    AltDown();
    EXPECT_TRUE(Editor->PopupVisible());
    return ScreenRect(Editor->PickListPopup());
  }
  int GripCorner() const { return Editor->PickListPopup()->SizeGrip()->Position(); }

  TDBGridInplaceEdit* Editor = nullptr;
};

TEST_F(PopupPlacementTest, NearTheBottomOfTheWorkAreaTheListOpensAbove) {
  // The default work area ends at 728.
  const win::RECT L = OpenAt({100, 700}, 3);
  const win::RECT E = ScreenRect(Editor);
  EXPECT_EQ(L.bottom, E.top);
  EXPECT_EQ(L.bottom - L.top, 3 * Editor->PickListPopup()->ItemHeight() + 4);
  EXPECT_EQ(GripCorner(), 1) << "top right";
}

TEST_F(PopupPlacementTest, AListFittingOnNeitherSideTakesTheLargerOneAndIsShortenedToIt) {
  struct Case {
    int Top;
    bool Above;
  } const Cases[] = {{400, true}, {200, false}};
  for (const Case& C : Cases) {
    const win::RECT L = OpenAt({100, C.Top}, 60);
    const win::RECT E = ScreenRect(Editor);
    const int Room = C.Above ? E.top : 728 - E.bottom;
    const int H = L.bottom - L.top;
    EXPECT_LE(H, Room) << C.Top;
    EXPECT_GT(H, Room - Editor->PickListPopup()->ItemHeight()) << C.Top << ": whole rows";
    if (C.Above) EXPECT_EQ(L.bottom, E.top);
    else EXPECT_EQ(L.top, E.bottom);
    hl::PressKey(win::VK_ESCAPE);
  }
}

TEST_F(PopupPlacementTest, AtTheRightEdgeTheListEndsThereAndLeftOfTheWorkAreaItStaysWithTheCell) {
  win::RECT L = OpenAt({960, 100}, 3);
  EXPECT_EQ(L.right, 1024);
  EXPECT_EQ(GripCorner(), 3) << "bottom left";
  hl::PressKey(win::VK_ESCAPE);

  L = OpenAt({-60, 100}, 3);
  EXPECT_EQ(L.left, -60);
  EXPECT_EQ(GripCorner(), 2) << "bottom right";
}

TEST_F(PopupPlacementTest, AListWiderThanTheWorkAreaIsNarrowedToIt) {
  const win::RECT L = OpenAt({0, 100}, 2, std::string(200, 'w'));
  EXPECT_EQ(L.right - L.left, 1024);
  EXPECT_EQ(L.left, 0);
}

TEST_F(PopupPlacementTest, OnASecondMonitorTheListOpensAgainstThatMonitorsWorkArea) {
  hl::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 728}}, {{1024, 0, 2304, 1024}, {1024, 0, 2304, 1000}}});
  // Below the primary's work area but with room below on its own monitor.
  win::RECT L = OpenAt({2000, 900}, 3);
  win::RECT E = ScreenRect(Editor);
  EXPECT_EQ(L.top, E.bottom);
  EXPECT_EQ(L.left, E.left);
  hl::PressKey(win::VK_ESCAPE);

  // At the bottom of the second monitor it opens above, and its right edge stops at the
  // monitor's.
  L = OpenAt({2250, 990}, 3);
  E = ScreenRect(Editor);
  EXPECT_EQ(L.bottom, E.top);
  EXPECT_EQ(L.right, 2304);
}

}  // namespace
