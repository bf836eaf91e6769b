// The size grip: its corner, shape, cursor and lines, the sides it flips to, and dragging
// it, which resizes its popup within the work area.
#include "PopupsFixture.h"

#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Gdi.h"

namespace {

class SizeGripTest : public PopupsTest {
protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Popup = new RecordingPopup(Form);
    Popup->SetParent(Form);
    Popup->SetBounds(400, 300, 200, 100);
    Grip = new TSizeGripGx(Popup);
    Grip->SetParent(Popup);
    Grip->SetOnParentResized([this](TObject*) { ++Resized; });
    Popup->SetVisible(true);
  }
  // Screen point of a grip's client point.
  win::POINT At(int X, int Y) { return Grip->ClientToScreen({X, Y}); }
  // A point inside the grip's triangle.
  win::POINT Grab() {
    static const win::POINT inside[4] = {{3, 3}, {12, 3}, {12, 12}, {3, 12}};
    return At(inside[Grip->Position()].x, inside[Grip->Position()].y);
  }
  void Drag(std::initializer_list<win::POINT> To) {
    win::POINT from = Grab();
    win::headless::MouseDown(win::headless::MouseButton::Left, from.x, from.y);
    for (win::POINT p : To) win::headless::MouseMove(p.x, p.y);
    win::POINT last = *(To.end() - 1);
    win::headless::MouseUp(win::headless::MouseButton::Left, last.x, last.y);
  }
  win::RECT PopupRect() {
    win::RECT r;
    win::GetWindowRect(Popup->Handle(), &r);
    return r;
  }
  RecordingPopup* Popup = nullptr;
  TSizeGripGx* Grip = nullptr;
  int Resized = 0;
};

TEST_F(SizeGripTest, SitsInItsCornerWithItsTriangleAndCursor) {
  const struct {
    int Position;
    int Left, Top;
    win::POINT Inside, Outside;
    TCursor Cursor;
  } cases[] = {
      {0, 0, 0, {1, 1}, {14, 14}, crSizeNWSE},
      {1, 184, 0, {14, 1}, {1, 14}, crSizeNESW},
      {2, 184, 84, {14, 14}, {1, 1}, crSizeNWSE},
      {3, 0, 84, {1, 14}, {14, 1}, crSizeNESW},
  };
  EXPECT_EQ(Grip->Position(), 2);
  EXPECT_TRUE(Grip->TriangleWindow());
  EXPECT_EQ(Grip->Width(), 16);
  EXPECT_EQ(Grip->Height(), 16);
  win::HRGN rgn = win::CreateRectRgn(0, 0, 0, 0);
  for (const auto& c : cases) {
    Grip->SetPosition(c.Position);
    ASSERT_TRUE(Grip->HandleAllocated());
    EXPECT_EQ(Grip->Left(), c.Left) << c.Position;
    EXPECT_EQ(Grip->Top(), c.Top) << c.Position;
    EXPECT_EQ(Grip->Cursor(), c.Cursor) << c.Position;
    ASSERT_NE(win::GetWindowRgn(Grip->Handle(), rgn), win::RGN_ERROR);
    EXPECT_TRUE(win::PtInRegion(rgn, c.Inside.x, c.Inside.y)) << c.Position;
    EXPECT_FALSE(win::PtInRegion(rgn, c.Outside.x, c.Outside.y)) << c.Position;
    // Moved by someone else, it goes back into its corner.
    Grip->SetBounds(50, 40, 16, 16);
    EXPECT_EQ(Grip->Left(), c.Left) << c.Position;
    EXPECT_EQ(Grip->Top(), c.Top) << c.Position;
  }
  // Hiding the grip's window leaves the control visible.
  Grip->GripVisible(false);
  EXPECT_FALSE(win::IsWindowVisible(Grip->Handle()));
  EXPECT_TRUE(Grip->Visible());
  Grip->GripVisible(true);
  EXPECT_TRUE(win::IsWindowVisible(Grip->Handle()));
  // Square: no region at all.
  Grip->SetTriangleWindow(false);
  EXPECT_EQ(win::GetWindowRgn(Grip->Handle(), rgn), win::RGN_ERROR);
  win::DeleteObject(rgn);
}

TEST_F(SizeGripTest, MovesToASideKeepingTheOtherCoordinate) {
  // expected[side][corner]: sides 0 left, 1 right, 2 top, 3 bottom.
  const int expected[4][4] = {{0, 0, 3, 3}, {1, 1, 2, 2}, {0, 1, 1, 0}, {3, 2, 2, 3}};
  for (int side = 0; side < 4; ++side)
    for (int corner = 0; corner < 4; ++corner) {
      Grip->SetPosition(corner);
      Grip->MoveToSide(side);
      EXPECT_EQ(Grip->Position(), expected[side][corner]) << "side " << side << " corner " << corner;
    }
}

TEST_F(SizeGripTest, DrawsGroupsOfFourLinesAcrossTheCorner) {
  const struct {
    int Position;
    win::POINT FirstFrom, FirstTo, LastFrom, LastTo;
  } cases[] = {
      {2, {0, 16}, {16, 0}, {15, 16}, {16, 15}},
      {3, {0, 1}, {15, 16}, {0, 16}, {0, 16}},
      {1, {16, 15}, {0, -1}, {16, 0}, {15, -1}},
      {0, {15, -1}, {-1, 15}, {0, -1}, {-1, 0}},
  };
  const win::COLORREF colours[4] = {ColorToRGB(clBtnHighlight), ColorToRGB(clBtnShadow), ColorToRGB(clBtnShadow),
                               ColorToRGB(clBtnFace)};
  for (const auto& c : cases) {
    Grip->SetPosition(c.Position);
    win::headless::ProcessMessages();
    win::StartDrawRecording();
    win::InvalidateRect(Grip->Handle(), nullptr, win::TRUE);
    win::headless::ProcessMessages();
    win::StopDrawRecording();
    auto lines = win::RecordedOps(win::DrawKind::Line, Grip->Handle());
    win::ClearDrawRecording();
    ASSERT_EQ(lines.size(), 16u) << c.Position;  // steps 1, 5, 9 and 13 below the width 16
    for (std::size_t k = 0; k < lines.size(); ++k) EXPECT_EQ(lines[k].color, colours[k % 4]) << k;
    auto same = [](win::POINT a, win::POINT b) { return a.x == b.x && a.y == b.y; };
    EXPECT_TRUE(same(lines.front().points.front(), c.FirstFrom)) << c.Position;
    EXPECT_TRUE(same(lines.front().points.back(), c.FirstTo)) << c.Position;
    EXPECT_TRUE(same(lines.back().points.front(), c.LastFrom)) << c.Position;
    EXPECT_TRUE(same(lines.back().points.back(), c.LastTo)) << c.Position;
  }
}

TEST_F(SizeGripTest, BottomRightDragStopsAtTheWorkArea) {
  Popup->SetBounds(800, 600, 200, 100);
  Drag({At(42, 32), At(500, 500)});
  win::RECT r = PopupRect();
  EXPECT_EQ(r.left, 800);
  EXPECT_EQ(r.top, 600);
  EXPECT_EQ(r.right, Work.right);
  EXPECT_EQ(r.bottom, Work.bottom);
  EXPECT_EQ(Resized, 2);
  // The grip follows the corner.
  EXPECT_EQ(Grip->Left(), Popup->ClientWidth() - 16);
  EXPECT_EQ(Grip->Top(), Popup->ClientHeight() - 16);
}

TEST_F(SizeGripTest, DragsStopAtTheWorkAreaOfThePopupsOwnMonitor) {
  // A second monitor right of the first, its task bar at the right.
  win::headless::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 728}},
                              {{1024, 0, 2048, 768}, {1024, 0, 2000, 768}}});
  Popup->SetBounds(1700, 600, 200, 100);
  Drag({At(42, 32), At(500, 500)});
  win::RECT r = PopupRect();
  EXPECT_EQ(r.left, 1700);
  EXPECT_EQ(r.right, 2000);
  EXPECT_EQ(r.bottom, 768);
}

TEST_F(SizeGripTest, TopLeftDragKeepsTheBottomRightCornerFixed) {
  Grip->SetPosition(0);
  // Grows by (50, 40); then past the work area's top-left corner it stops at it; then
  // past the opposite corner it keeps the grip's size instead of turning negative.
  const struct {
    win::POINT To;
    win::RECT Expected;
  } steps[] = {
      {{353, 263}, {350, 260, 600, 400}},
      {{-100, -100}, {0, 0, 600, 400}},
      {{900, 700}, {584, 384, 600, 400}},
  };
  for (const auto& s : steps) {
    win::POINT from = Grab();
    win::headless::MouseDown(win::headless::MouseButton::Left, from.x, from.y);
    win::headless::MouseMove(s.To.x, s.To.y);
    win::headless::MouseUp(win::headless::MouseButton::Left, s.To.x, s.To.y);
    win::RECT r = PopupRect();
    EXPECT_EQ(r.left, s.Expected.left) << s.To.x;
    EXPECT_EQ(r.top, s.Expected.top) << s.To.x;
    EXPECT_EQ(r.right, s.Expected.right) << s.To.x;
    EXPECT_EQ(r.bottom, s.Expected.bottom) << s.To.x;
    EXPECT_EQ(Grip->Left(), 0);
    EXPECT_EQ(Grip->Top(), 0);
  }
}

TEST_F(SizeGripTest, OnlyALeftDragResizes) {
  win::POINT p = Grab();
  win::headless::MouseMove(p.x + 30, p.y + 30);
  win::headless::MouseDown(win::headless::MouseButton::Right, p.x, p.y);
  win::headless::MouseMove(p.x + 40, p.y + 40);
  win::headless::MouseUp(win::headless::MouseButton::Right, p.x + 40, p.y + 40);
  EXPECT_EQ(Popup->Width(), 200);
  EXPECT_EQ(Popup->Height(), 100);
  EXPECT_EQ(Resized, 0);
}

}  // namespace
