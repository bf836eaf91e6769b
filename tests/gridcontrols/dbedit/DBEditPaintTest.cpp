// What the edit paints itself: right and centred text while it has no focus, the window
// styles behind its alignment, and the flat border.
#include "tests/support/DBEditFixture.h"

#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Gdi.h"

namespace {

// The text operations the edit's window recorded during one repaint.
std::vector<win::DrawOp> PaintedTexts(TWinControl* Edit) {
  win::StartDrawRecording();
  win::ClearDrawRecording();
  Edit->Repaint();
  std::vector<win::DrawOp> Texts;
  for (const win::DrawOp& Op : win::DrawRecording())
    if (Op.kind == win::DrawKind::Text && Op.window == Edit->Handle() && !Op.text.empty()) Texts.push_back(Op);
  win::StopDrawRecording();
  return Texts;
}

int TextWidthIn(TWinControl* Edit, const std::string& Text) {
  TControlCanvas Canvas;
  Canvas.SetControl(Edit);
  Canvas.Font()->Assign(Edit->Font());
  return Canvas.TextWidth(Text);
}

TEST_F(DBEditTest, RightAlignedTextIsPaintedAtTheRightUntilTheEditHasFocus) {
  auto* Edit = BoundEdit("Name");
  Edit->EditButtons()->Add();
  Edit->SetAlignment(taRightJustify);
  std::vector<win::DrawOp> Texts = PaintedTexts(Edit);
  ASSERT_EQ(Texts.size(), 1u);
  const win::RECT R = Edit->PaintTextRect();
  const int Margin = Edit->TextOffsets().x;
  EXPECT_EQ(Texts[0].points[0].x, R.right - TextWidthIn(Edit, "apple") - Margin);
  EXPECT_LT(R.right, Edit->ClientWidth() - Edit->ButtonsWidth());
  // Focused: the plain edit, left-aligned.
  Focus(Edit);
  Texts = PaintedTexts(Edit);
  ASSERT_FALSE(Texts.empty());
  EXPECT_LT(Texts[0].points[0].x, 10);
}

// Centred text sits in the middle of the text area, clear of the image at the left.
TEST_F(DBEditTest, CentredTextIsCentredInTheTextArea) {
  TImageList Images(16, 16);
  auto* Edit = NewEdit();
  Edit->ImageSettings()->SetImages(&Images);
  Edit->ImageSettings()->SetVisible(true);
  Edit->ImageSettings()->SetWidth(40);
  Edit->SetText("mid");
  Edit->SetAlignment(taCenter);
  std::vector<win::DrawOp> Texts = PaintedTexts(Edit);
  ASSERT_EQ(Texts.size(), 1u);
  const win::RECT R = Edit->PaintTextRect();
  const int W = TextWidthIn(Edit, "mid");
  const int X = Texts[0].points[0].x;
  EXPECT_GE(X, Edit->ImageAreaWidth());
  EXPECT_EQ(X, R.left + (R.right - R.left - W) / 2);
  Edit->ImageSettings()->SetImages(nullptr);
}

TEST_F(DBEditTest, WindowStylesFollowWrapPasswordAndAlignment) {
  auto* Edit = NewEdit();
  auto Style = [&] { return static_cast<win::DWORD>(win::GetWindowLong(Edit->Handle(), win::GWL_STYLE)); };
  EXPECT_TRUE(Style() & win::ES_MULTILINE);
  EXPECT_TRUE(Style() & win::ES_AUTOHSCROLL);
  Edit->SetAlignment(taRightJustify);
  EXPECT_FALSE(Style() & (win::ES_RIGHT | win::ES_CENTER));  // painted by the edit itself
  Edit->SetWordWrap(true);
  EXPECT_FALSE(Style() & win::ES_AUTOHSCROLL);
  EXPECT_TRUE(Style() & win::ES_RIGHT);
  Edit->SetAlignment(taCenter);
  EXPECT_TRUE(Style() & win::ES_CENTER);
  Edit->SetPasswordChar("*");
  EXPECT_FALSE(Style() & win::ES_MULTILINE);
}

TEST_F(DBEditTest, TheFlatBorderLightsUpWhileTheMouseIsOver) {
  auto* Edit = NewEdit();
  Edit->SetFlat(true);
  Edit->EditButtons()->Add();
  EXPECT_FALSE(Edit->BorderIsActive());
  win::StartDrawRecording();
  win::ClearDrawRecording();
  Edit->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(Edit->BorderIsActive());
  bool Sunken = false;
  for (const win::DrawOp& Op : win::DrawRecording())
    if (Op.kind == win::DrawKind::Edge && Op.type == win::BDR_SUNKENOUTER) Sunken = true;
  win::StopDrawRecording();
  EXPECT_TRUE(Sunken);
  EXPECT_TRUE(Edit->ButtonControls()[1].EditButtonControl->Active());
  EXPECT_EQ(Edit->ButtonControls()[1].ButtonLine->Pen()->Color(), clBtnFace);
  Edit->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(Edit->BorderIsActive());
  EXPECT_FALSE(Edit->ButtonControls()[1].EditButtonControl->Active());
  EXPECT_EQ(Edit->ButtonControls()[1].ButtonLine->Pen()->Color(), Edit->Color());
  Edit->SetAlwaysShowBorder(true);
  EXPECT_TRUE(Edit->BorderIsActive());
}

}  // namespace
