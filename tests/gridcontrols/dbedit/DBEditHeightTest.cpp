// The edit's height follows its font, border settings and image list.
#include "tests/support/DBEditFixture.h"

#include "platform/graphics/Gdi.h"

namespace {

int FontTextHeight(TFont* Font) {
  win::HDC DC = win::GetDC(nullptr);
  win::HGDIOBJ Old = win::SelectObject(DC, Font->Handle());
  win::TEXTMETRIC TM{};
  win::GetTextMetrics(DC, &TM);
  win::SelectObject(DC, Old);
  win::ReleaseDC(nullptr, DC);
  return TM.tmHeight;
}

TEST_F(DBEditTest, HeightPerBorderSettings) {
  const int Border = win::GetSystemMetrics(win::SM_CYBORDER);
  const struct {
    bool Flat, Ctl3D;
    int K;
  } Cases[] = {{false, true, 8}, {true, true, 6}, {false, false, 6}, {true, false, 4}};
  for (const auto& C : Cases) {
    auto* Edit = NewEdit();
    Edit->SetCtl3D(C.Ctl3D);
    Edit->SetFlat(C.Flat);
    Edit->HandleNeeded();
    EXPECT_EQ(Edit->Height(), Border * C.K + FontTextHeight(Edit->Font())) << C.Flat << C.Ctl3D;
    // A bigger font refits the height.
    Edit->Font()->SetSize(Edit->Font()->Size() * 2);
    EXPECT_EQ(Edit->Height(), Border * C.K + FontTextHeight(Edit->Font())) << C.Flat << C.Ctl3D;
    delete Edit;
  }
}

TEST_F(DBEditTest, AnImageListTallerThanTheFontSetsTheHeightWhenAsked) {
  const int Border = 8 * win::GetSystemMetrics(win::SM_CYBORDER);
  TImageList Images(16, 40);
  auto* Edit = NewEdit();
  Edit->HandleNeeded();
  const int Text = FontTextHeight(Edit->Font());
  ASSERT_LT(Text, 40);
  Edit->ImageSettings()->SetImages(&Images);
  Edit->ImageSettings()->SetVisible(true);
  EXPECT_EQ(Edit->Height(), Border + 40);
  EXPECT_EQ(Edit->ImageAreaWidth(), 16 + 4);
  Edit->ImageSettings()->SetUseImageHeight(false);
  EXPECT_EQ(Edit->Height(), Border + Text);
  Edit->ImageSettings()->SetWidth(30);
  EXPECT_EQ(Edit->ImageAreaWidth(), 30 + 4);
  // The text starts after the image.
  EXPECT_EQ(Edit->TextAreaRect().left, 34);
  Edit->ImageSettings()->SetImages(nullptr);
  EXPECT_EQ(Edit->ImageAreaWidth(), 0);
}

TEST_F(DBEditTest, WithoutAutoSizeOrBorderTheHeightIsFree) {
  auto* Edit = NewEdit();
  Edit->HandleNeeded();
  Edit->SetAutoSize(false);
  Edit->SetHeight(50);
  Edit->Font()->SetSize(20);
  EXPECT_EQ(Edit->Height(), 50);
  Edit->SetAutoSize(true);
  EXPECT_NE(Edit->Height(), 50);
  Edit->SetBorderStyle(bsNone);
  Edit->SetAutoSize(false);
  Edit->SetAutoSize(true);
  Edit->SetHeight(50);
  EXPECT_EQ(Edit->Height(), 50);
}

}  // namespace
