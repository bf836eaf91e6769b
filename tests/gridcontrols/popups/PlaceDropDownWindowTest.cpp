// Where a drop-down goes: below or above its anchor, shortened to the room there, aligned,
// pushed inside and narrowed to the work area of the anchor's monitor, with its grip away
// from the anchor.
#include "PopupsFixture.h"

namespace {

using PlaceDropDownWindowTest = PopupsTest;

struct Placement {
  const char* Name;
  win::RECT Anchor;
  int Width, Height;
  TAlignment Align;
  int Left, Top, NewWidth, NewHeight;
  std::vector<int> GripSides;  // vertical side, then horizontal side
};

void Check(TWinControl* Owner, const Placement& c) {
  auto* popup = new RecordingPopup(Owner);
  popup->SetBounds(0, 0, c.Width, c.Height);
  win::POINT p = PlaceDropDownWindow(c.Anchor, popup, c.Align);
  EXPECT_EQ(p.x, c.Left) << c.Name;
  EXPECT_EQ(p.y, c.Top) << c.Name;
  EXPECT_EQ(popup->Width(), c.NewWidth) << c.Name;
  EXPECT_EQ(popup->Height(), c.NewHeight) << c.Name;
  EXPECT_EQ(popup->GripSides, c.GripSides) << c.Name;
  delete popup;
}

TEST_F(PlaceDropDownWindowTest, OnTheDefaultMonitor) {
  const Placement cases[] = {
      {"fits below", {100, 100, 180, 120}, 200, 100, taLeftJustify, 100, 120, 200, 100, {3, 1}},
      {"fits only above", {100, 700, 180, 720}, 200, 100, taLeftJustify, 100, 600, 200, 100, {2, 1}},
      {"fits exactly below", {100, 600, 180, 628}, 200, 100, taLeftJustify, 100, 628, 200, 100, {3, 1}},
      {"more room below", {100, 300, 180, 320}, 200, 500, taLeftJustify, 100, 320, 200, 408, {3, 1}},
      {"more room above", {100, 400, 180, 420}, 200, 500, taLeftJustify, 100, 0, 200, 400, {2, 1}},
      {"equal room", {100, 314, 180, 414}, 200, 500, taLeftJustify, 100, 414, 200, 314, {3, 1}},
      {"right-aligned", {300, 100, 380, 120}, 200, 100, taRightJustify, 180, 120, 200, 100, {3, 0}},
      {"centred", {300, 100, 380, 120}, 201, 100, taCenter, 240, 120, 201, 100, {3, 1}},
      // A popup narrower than its anchor: (51 - 80) div 2 truncates toward zero.
      {"centred, narrow", {300, 100, 380, 120}, 51, 100, taCenter, 314, 120, 51, 100, {3, 1}},
      {"pushed left at the right edge", {900, 100, 980, 120}, 200, 100, taLeftJustify, 824, 120, 200, 100, {3, 0}},
      {"pushed right at the left edge", {10, 100, 90, 120}, 200, 100, taRightJustify, 0, 120, 200, 100, {3, 1}},
      {"wider than the work area", {100, 100, 180, 120}, 1100, 100, taLeftJustify, 0, 120, 1024, 100, {3, 0}},
      // An anchor that covers the work area: no room on either side; the popup keeps the
      // height of its grip instead of a height of zero or less.
      {"no room", {100, -10, 180, 740}, 200, 100, taLeftJustify, 100, -26, 200, 16, {2, 1}},
  };
  for (const auto& c : cases) Check(Form, c);
}

TEST_F(PlaceDropDownWindowTest, UsesTheWorkAreaOfTheAnchorsMonitor) {
  // A second monitor right of the first, higher, with its task bar at the top.
  win::headless::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 728}},
                              {{1024, -200, 2048, 568}, {1024, -170, 2048, 568}}});
  const Placement cases[] = {
      {"fits below on the second", {1100, 450, 1180, 468}, 200, 100, taLeftJustify, 1100, 468, 200, 100, {3, 1}},
      // Would fit below on the first monitor's work area, not on its own.
      {"above on the second", {1100, 450, 1180, 470}, 200, 101, taLeftJustify, 1100, 349, 200, 101, {2, 1}},
      {"shortened to the second's top", {1100, -100, 1180, 500}, 200, 300, taLeftJustify, 1100, -170, 200, 70, {2, 1}},
      {"pushed left at the second's edge", {1950, 100, 2030, 120}, 200, 100, taLeftJustify, 1848, 120, 200, 100, {3, 0}},
      {"pushed right at the second's edge", {1030, 100, 1110, 120}, 200, 100, taRightJustify, 1024, 120, 200, 100, {3, 1}},
  };
  for (const auto& c : cases) Check(Form, c);
}

TEST_F(PlaceDropDownWindowTest, AListOpenedAboveStandsOnItsSnappedHeight) {
  auto* list = new TPopupListboxGx(Form);
  list->SetParent(Form);
  list->SetItemHeight(16);
  list->SetBounds(0, 0, 150, 100);
  const int frame = list->Height() - list->RowCount() * 16;
  list->SetBounds(0, 0, 150, 600);
  win::POINT p = PlaceDropDownWindow({100, 400, 180, 420}, list, taLeftJustify);
  // 400 pixels of room hold (400 - frame) div 16 whole rows.
  const int rows = (400 - frame) / 16;
  EXPECT_EQ(list->Height(), frame + rows * 16);
  EXPECT_EQ(p.y, 400 - list->Height());
  EXPECT_EQ(list->SizeGrip()->Position(), 1);
  // With no room at all the list keeps one row.
  list->SetBounds(0, 0, 150, 600);
  PlaceDropDownWindow({100, -10, 180, 740}, list, taLeftJustify);
  EXPECT_EQ(list->RowCount(), 1);
  EXPECT_EQ(list->Height(), frame + 16);
}

}  // namespace
