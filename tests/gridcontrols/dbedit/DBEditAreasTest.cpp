// The edit's areas: text, buttons, image and painted text, with a 2-D border and read
// from the right; mouse presses over the buttons and the image do not select text.
#include "tests/support/DBEditFixture.h"

namespace {

bool SameRect(const win::RECT& A, const win::RECT& B) {
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}

TEST_F(DBEditTest, AreasWithATwoDimensionalBorderAndFromTheRight) {
  TImageList Images(16, 16);
  auto* Edit = NewEdit();
  Edit->EditButtons()->Add();
  Edit->ImageSettings()->SetImages(&Images);
  Edit->ImageSettings()->SetVisible(true);
  const int BW = Edit->ButtonsWidth(), IW = Edit->ImageAreaWidth();
  ASSERT_GT(BW, 0);
  ASSERT_EQ(IW, 20);
  Edit->SetCtl3D(false);
  int W = Edit->ClientWidth(), H = Edit->ClientHeight();
  EXPECT_TRUE(SameRect(Edit->ButtonsRect(), {W - BW - 1, 1, W - 1, H - 1}));
  EXPECT_TRUE(SameRect(Edit->PaintTextRect(), {IW + 1, 1, W - BW - 2, H - 1}));
  EXPECT_TRUE(SameRect(Edit->TextAreaRect(), {IW, 0, W - BW, H}));
  Edit->SetCtl3D(true);
  Edit->SetBiDiMode(bdRightToLeft);
  W = Edit->ClientWidth();
  H = Edit->ClientHeight();
  EXPECT_TRUE(SameRect(Edit->TextAreaRect(), {BW, 0, W - IW, H}));
  EXPECT_TRUE(SameRect(Edit->ButtonsRect(), {0, 0, BW, H}));
  EXPECT_TRUE(SameRect(Edit->EditImageArea(), {W - IW, 0, W, H}));
  EXPECT_EQ(Edit->ButtonControls()[1].EditButtonControl->Left(), 0);
  Edit->ImageSettings()->SetImages(nullptr);
}

TEST_F(DBEditTest, PressesOverTheImageDoNotMoveTheCaret) {
  TImageList Images(16, 16);
  auto* Edit = NewEdit();
  Edit->ImageSettings()->SetImages(&Images);
  Edit->ImageSettings()->SetVisible(true);
  Edit->SetText("some text here");
  Focus(Edit);
  Edit->SetSelStart(3);
  int Downs = 0;
  Edit->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) { ++Downs; });
  Edit->Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON, win::MAKELPARAM(5, 5));
  Edit->Perform(win::WM_LBUTTONUP, 0, win::MAKELPARAM(5, 5));
  EXPECT_EQ(Edit->SelStart(), 3);
  EXPECT_EQ(Downs, 1);  // the control's own mouse events still run
  Edit->Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON, win::MAKELPARAM(Edit->ImageAreaWidth() + 1, 5));
  Edit->Perform(win::WM_LBUTTONUP, 0, win::MAKELPARAM(Edit->ImageAreaWidth() + 1, 5));
  EXPECT_EQ(Edit->SelStart(), 0);
  Edit->ImageSettings()->SetImages(nullptr);
}

}  // namespace
