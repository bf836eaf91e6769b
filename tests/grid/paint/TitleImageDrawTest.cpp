// Title images: a title with an image shows the image instead of its caption, placed by
// the title's alignment (centred with multi-level titles) and kept inside the cell, and a
// sort marker gives way to it in a narrow cell.
#include "tests/support/PaintFixture.h"
#include "tests/support/TitlePlacement.h"

#include <algorithm>

#include "grid/DBGridGx/SharedResources.h"

namespace {

class TitleImageDrawTest : public GridPaintTest {
protected:
  // Two 10 x 10 images of different colours, owned by the form like the grid.
  TImageList& Images = *new TImageList(Form.get());
  void SetUp() override {
    Images.SetWidth(10);
    Images.SetHeight(10);
    TBitmap Strip;
    Strip.SetSize(20, 10);
    Strip.Canvas()->Brush()->SetColor(clRed);
    Strip.Canvas()->FillRect({0, 0, 10, 10});
    Strip.Canvas()->Brush()->SetColor(clBlue);
    Strip.Canvas()->FillRect({10, 0, 20, 10});
    Images.Add(&Strip, nullptr);
    ASSERT_EQ(Images.Count(), 2);
  }
  TDBGridGx* GridWithTitleImage(int ImageIndex) {
    TDBGridGx* Grid = ShownGrid({"A", "B"}, 1);
    Grid->SetOptionsGx(Grid->OptionsGx() - dghFixed3D);
    Grid->SetTitleImages(&Images);
    Grid->Columns()->ColumnAt(0)->Title()->SetImageIndex(ImageIndex);
    return Grid;
  }
  // The box of the title image drawn in the cell; empty when none.
  win::RECT ImageBox(const CellDrawing& D) {
    for (const win::DrawOp& Op : D.OfKind(win::DrawKind::Blit))
      if (ImageIndexOf(Op, &Images) >= 0) return Op.rect;
    return {};
  }
};

TEST_F(TitleImageDrawTest, TheImageReplacesTheCaptionAtTheTitleAlignment) {
  TDBGridGx* Grid = GridWithTitleImage(1);
  Grid->Columns()->ColumnAt(0)->SetWidth(80);
  ForEachTitlePlacement(Grid, [&](const TitlePlacement& C, const win::RECT& R, const std::vector<win::DrawOp>&,
                                  const CellDrawing& Title) {
    EXPECT_EQ(Title.Image(&Images), 1);
    EXPECT_EQ(Title.Text(), "");
    const win::RECT B = ImageBox(Title);
    ASSERT_EQ(B.right - B.left, 10);
    ExpectPlaced(B, R, C);
  });
  // The other column keeps its caption.
  Grid->SetUseMultiTitle(false);
  EXPECT_EQ(Cell(Grid, Paint(Grid), 2, 0).Text(), "B");
}

TEST_F(TitleImageDrawTest, ATitleWithoutAnImageIndexShowsItsCaption) {
  TDBGridGx* Grid = GridWithTitleImage(-1);
  const CellDrawing Title = Cell(Grid, Paint(Grid), 1, 0);
  EXPECT_EQ(Title.Text(), "A");
  EXPECT_EQ(Title.Image(&Images), -1);
}

TEST_F(TitleImageDrawTest, ANarrowSortedTitleDropsMarkerThenNumberBeforeItsImage) {
  TDBGridGx* Grid = GridWithTitleImage(0);
  Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
  Grid->Columns()->ColumnAt(0)->Title()->SetSortMarker(smDownGx);
  Grid->Columns()->ColumnAt(1)->Title()->SetSortMarker(smDownGx);
  const std::string Number = std::to_string(Grid->Columns()->ColumnAt(0)->Title()->SortIndex());
  TBitmap Measure;
  Measure.Canvas()->Font()->Assign(SortIndexFont());
  const int W = Measure.Canvas()->TextWidth(Number);
  // The marker needs the image's width plus 16 pixels; the number its own width plus 2.
  const int MarkerFrom = 10 + 16, NumberFrom = 10 + 2 + W;
  ASSERT_LT(NumberFrom, MarkerFrom);
  for (const int Width : {MarkerFrom + 10, MarkerFrom, MarkerFrom - 1, NumberFrom, NumberFrom - 1}) {
    SCOPED_TRACE(Width);
    Grid->Columns()->ColumnAt(0)->SetWidth(Width);
    const CellDrawing Title = Cell(Grid, Paint(Grid), 1, 0);
    const auto Texts = Title.Texts();
    EXPECT_EQ(Title.Image(SortMarkerImages()) == 0, Width >= MarkerFrom);
    EXPECT_EQ(std::find(Texts.begin(), Texts.end(), Number) != Texts.end(), Width >= NumberFrom);
    EXPECT_EQ(Title.Image(&Images), 0);
  }
}

}  // namespace
