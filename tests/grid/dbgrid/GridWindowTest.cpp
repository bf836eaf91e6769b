// The grid with its window: edit-button size, the glyph spot, owned sub-objects.
#include "tests/grid/dbgrid/GridFixture.h"

#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/graphics/DrawRecord.h"

namespace {

class DrawRecording {
public:
  DrawRecording() {
    win::ClearDrawRecording();
    win::StartDrawRecording();
  }
  ~DrawRecording() {
    win::StopDrawRecording();
    win::ClearDrawRecording();
  }
};

TEST_F(GridTest, TheWindowSizesEditButtonsFromTheScrollBarOrTheFlatButton) {
  TDBGridGx* Grid = NewGrid();
  Grid->HandleNeeded();
  EXPECT_EQ(Grid->EditButtonWidth(), win::GetSystemMetrics(win::SM_CXVSCROLL));
  Grid->SetFlat(true);  // re-creates the window
  Grid->HandleNeeded();
  EXPECT_EQ(Grid->TextMargin(), 2);
  EXPECT_EQ(Grid->EditButtonWidth(), DefaultFlatButtonWidth + 1);
  // Buttons are square in tall rows and as high as the row in short ones.
  Grid->SetDefaultRowHeight(40);
  Grid->RecreateWnd();
  Grid->HandleNeeded();
  EXPECT_EQ(Grid->EditButtonHeight(), Grid->EditButtonWidth());
  Grid->SetDefaultRowHeight(10);
  Grid->RecreateWnd();
  Grid->HandleNeeded();
  EXPECT_EQ(Grid->EditButtonHeight(), 10);
}

// ShowBmp paints the spot at (2,2) at once: the glyph, or button face over it.
TEST_F(GridTest, ShowBmpPaintsTheGlyphSpotAtOnce) {
  TDBGridGx* Grid = NewGrid();
  Grid->HandleNeeded();
  const int W = Grid->GlyphBitmap()->Width(), H = Grid->GlyphBitmap()->Height();
  ASSERT_GT(W, 0);
  auto SpotBlit = [&]() -> const win::DrawOp* {
    static std::vector<win::DrawOp> Ops;
    Ops = win::RecordedOps(win::DrawKind::Blit, Grid->Handle());
    for (const auto& Op : Ops)
      if (Op.rect.left == 2 && Op.rect.top == 2 && Op.rect.right == 2 + W && Op.rect.bottom == 2 + H) return &Op;
    return nullptr;
  };
  const win::COLORREF Face = ColorToRGB(clBtnFace);
  const std::uint32_t FaceRgb = (win::GetRValue(Face) << 16) | (win::GetGValue(Face) << 8) | win::GetBValue(Face);
  auto AllButtonFace = [&](const win::DrawOp& Op) {
    for (std::uint32_t P : Op.image->pixels)
      if ((P & 0xFFFFFF) != FaceRgb) return false;
    return true;
  };
  {
    DrawRecording Recording;
    Grid->SetShowBmp(true);
    const win::DrawOp* Op = SpotBlit();
    ASSERT_NE(Op, nullptr);
    EXPECT_FALSE(AllButtonFace(*Op)) << "the glyph";
  }
  {
    DrawRecording Recording;
    Grid->SetShowBmp(false);
    const win::DrawOp* Op = SpotBlit();
    ASSERT_NE(Op, nullptr);
    EXPECT_TRUE(AllButtonFace(*Op)) << "painted over";
  }
  {
    DrawRecording Recording;
    Grid->SetOptions(DefaultDBGridOptions - dgIndicator);
    Grid->SetShowBmp(true);
    const win::DrawOp* Op = SpotBlit();
    ASSERT_NE(Op, nullptr);
    EXPECT_TRUE(AllButtonFace(*Op)) << "no glyph without the indicator";
  }
}

TEST_F(GridTest, ObjectPropertiesAreCopiedIntoTheGridsOwnObjects) {
  TDBGridGx* Grid = NewGrid();
  TDBGridGx* Other = NewGrid("Other");
  Other->SumList()->SetExternalRecalc(true);
  Other->TitleFont()->SetName("Arial");
  Other->STFilter()->SetLocal(true);
  TDBGridGxSumList* OwnSums = Grid->SumList();
  Grid->SetSumList(Other->SumList());
  Grid->SetTitleFont(Other->TitleFont());
  Grid->SetSTFilter(Other->STFilter());
  EXPECT_EQ(Grid->SumList(), OwnSums);
  EXPECT_TRUE(Grid->SumList()->ExternalRecalc());
  EXPECT_EQ(Grid->TitleFont()->Name(), "Arial");
  EXPECT_TRUE(Grid->STFilter()->Local());
  // The copied sum list still reports to its own grid.
  EXPECT_EQ(Grid->SumList()->SumListChanged().Data(), static_cast<void*>(static_cast<TCustomDBGridGx*>(Grid)));
  delete Other;
  EXPECT_TRUE(Grid->SumList()->ExternalRecalc());
}

TEST_F(GridTest, LoadingSizesTheGridToItsColumns) {
  TDBGridGx* Grid = NewGrid();
  for (const char* Field : {"A", "B", "C"}) Grid->Columns()->AddColumn()->SetFieldName(Field);
  const std::string Text = WriteComponentResText(Form.get());
  TForm Copy(nullptr);
  ReadComponentResText(Text, &Copy);
  auto* Read = dynamic_cast<TDBGridGx*>(Copy.FindComponent("DBGridGx1"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->ColCount(), 4);
  EXPECT_EQ(Read->FixedCols(), 1);
  EXPECT_EQ(Read->FixedRows(), 1);
  EXPECT_EQ(Read->ColWidths(0), IndicatorWidth);
  EXPECT_EQ(Read->LayoutLockCount(), 0);
  EXPECT_EQ(Read->UpdateLockCount(), 0);
}

}  // namespace
