// A flat grid with 3D look and a single border draws its own one-pixel sunken frame in
// the non-client area, inside which its client area shrinks by a pixel on every side.
#include "tests/support/DataFollowFixture.h"

#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Gdi.h"

namespace {

class FlatBorderTest : public DataFollowTest {
protected:
  // The edges around the whole window drawn when the frame is painted again (the scroll
  // bar's parts are edges too).
  std::vector<win::DrawOp> FrameEdges() {
    win::RECT W{};
    win::GetWindowRect(Grid->Handle(), &W);
    win::StartDrawRecording();
    win::ClearDrawRecording();
    win::SendMessage(Grid->Handle(), win::WM_NCPAINT, 1, 0);
    std::vector<win::DrawOp> Edges;
    for (const win::DrawOp& Op : win::RecordedOps(win::DrawKind::Edge))
      if (Op.window == Grid->Handle() && Op.rect.right - Op.rect.left == W.right - W.left &&
          Op.rect.bottom - Op.rect.top == W.bottom - W.top)
        Edges.push_back(Op);
    win::StopDrawRecording();
    return Edges;
  }
};

TEST_F(FlatBorderTest, OnlyAFlat3DSingleBorderedGridDrawsItsFrame) {
  struct Case {
    bool Flat, Ctl3D;
    TBorderStyle Border;
    bool OwnFrame;
  };
  for (const Case& C : {Case{true, true, bsSingle, true}, Case{true, false, bsSingle, false},
                        Case{false, true, bsSingle, false}, Case{true, true, bsNone, false}}) {
    GridOn(5, 4);
    Grid->SetCtl3D(C.Ctl3D);
    Grid->SetBorderStyle(C.Border);
    Grid->SetFlat(C.Flat);
    Settle();
    const win::HWND H = Grid->Handle();
    const auto Ex = static_cast<win::DWORD>(win::GetWindowLongPtr(H, win::GWL_EXSTYLE));
    const auto Style = static_cast<win::DWORD>(win::GetWindowLongPtr(H, win::GWL_STYLE));
    const std::string What = std::string("flat ") + (C.Flat ? "on" : "off") + ", 3D " + (C.Ctl3D ? "on" : "off") +
                             ", border " + (C.Border == bsSingle ? "single" : "none");
    EXPECT_EQ(Grid->NonClientInset(), C.OwnFrame ? 1 : 0) << What;
    if (C.Flat && C.Ctl3D) {
      EXPECT_FALSE(Ex & win::WS_EX_CLIENTEDGE) << What;
      EXPECT_FALSE(Style & win::WS_BORDER) << What;
    }
    // The client area sits one pixel inside the window on every side, the bar aside.
    win::RECT W{}, C0{};
    win::GetWindowRect(H, &W);
    win::GetClientRect(H, &C0);
    win::POINT O{0, 0};
    win::ClientToScreen(H, &O);
    if (C.OwnFrame) {
      EXPECT_EQ(O.x - W.left, 1) << What;
      EXPECT_EQ(O.y - W.top, 1) << What;
      EXPECT_EQ(W.bottom - (O.y + C0.bottom), 1) << What;
    }
    const std::vector<win::DrawOp> Edges = FrameEdges();
    if (C.OwnFrame) {
      ASSERT_EQ(Edges.size(), 1u) << What;
      EXPECT_EQ(Edges[0].rect, (win::RECT{0, 0, W.right - W.left, W.bottom - W.top})) << What;
      EXPECT_EQ(Edges[0].type, win::BDR_SUNKENOUTER);
      EXPECT_EQ(Edges[0].flags, win::BF_RECT);
    } else {
      EXPECT_TRUE(Edges.empty()) << What;
    }
    delete Grid;
  }
}

TEST_F(FlatBorderTest, TheFrameLeavesTheScrollBarItsPlace) {
  GridOn(50, 4);
  Grid->SetFlat(true);
  Settle();
  ASSERT_TRUE(VertBarShown());
  win::RECT Bar{}, W{};
  ASSERT_TRUE(win::GetWindowScrollBarRect(Grid->Handle(), win::SB_VERT, &Bar));
  win::GetWindowRect(Grid->Handle(), &W);
  // Inside the frame on the right, top and bottom.
  EXPECT_EQ(Bar.right, W.right - W.left - 1);
  EXPECT_EQ(Bar.top, 1);
  EXPECT_EQ(Bar.bottom, W.bottom - W.top - 1);
}

}  // namespace
