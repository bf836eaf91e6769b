// The title-button parameter event: asked twice per title of a bound column, once before
// the sort marker is looked at (its background and marker count) and once after the title
// font is in place (only its font changes count).
#include "tests/support/PaintFixture.h"

#include <map>

#include "grid/DBGridGx/SharedResources.h"

namespace {

using TitleButtonParamsTest = GridPaintTest;

TEST_F(TitleButtonParamsTest, FirstCallGivesBackgroundAndMarkerSecondCallTheFont) {
  TDBGridGx* Grid = ShownGrid({"A", "B"}, 1);
  Grid->SetOptionsGx(Grid->OptionsGx() - dghFixed3D);
  std::map<std::string, int> Calls;
  Grid->SetOnGetBtnParams([&](TObject*, TColumnGx* Column, TFont* AFont, TColor& Background, TSortMarkerGx& Marker,
                              bool IsDown) {
    EXPECT_FALSE(IsDown);
    if (Column->FieldName() != "A") return;
    const bool First = Calls[Column->FieldName()]++ % 2 == 0;
    Background = First ? clLime : clRed;
    Marker = First ? smUpGx : smDownGx;
    if (First) {
      AFont->SetStyle({fsBold});
      AFont->SetColor(clYellow);
    } else {
      AFont->SetColor(clBlue);
    }
  });
  auto Ops = Paint(Grid);
  EXPECT_EQ(Calls["A"], 2);
  const CellDrawing Title = Cell(Grid, Ops, 1, 0);
  EXPECT_EQ(Title.Image(SortMarkerImages()), 1);
  // The marker's strip and the text's box both take the first call's background.
  const auto Fills = Title.OfKind(win::DrawKind::Fill);
  ASSERT_FALSE(Fills.empty());
  EXPECT_EQ(Fills.back().color, ColorToRGB(clLime));
  const win::DrawOp* Caption = Title.FirstText();
  ASSERT_NE(Caption, nullptr);
  EXPECT_EQ(Caption->text, "A");
  EXPECT_EQ(Caption->bkColor, ColorToRGB(clLime));
  EXPECT_EQ(Caption->color, ColorToRGB(clBlue));
  EXPECT_FALSE(Caption->Bold());
  // A title the handler leaves alone keeps its own look.
  const CellDrawing Other = Cell(Grid, Ops, 2, 0);
  EXPECT_EQ(Other.Background(), static_cast<long>(ColorToRGB(Grid->FixedColor())));
  EXPECT_EQ(Other.Image(SortMarkerImages()), -1);
}

TEST_F(TitleButtonParamsTest, TitlesOfUnboundColumnsAreNotAsked) {
  TDBGridGx* Grid = ShownGrid({"A"}, 1);
  TColumnGx* Unbound = Grid->Columns()->ColumnAt(0);
  Unbound->SetFieldName("");
  Unbound->Title()->SetCaption("Free");
  ASSERT_EQ(Unbound->Field(), nullptr);
  int Calls = 0;
  Grid->SetOnGetBtnParams([&](TObject*, TColumnGx*, TFont*, TColor&, TSortMarkerGx&, bool) { ++Calls; });
  const CellDrawing Title = Cell(Grid, Paint(Grid), 1, 0);
  EXPECT_EQ(Title.Text(), "Free");
  EXPECT_EQ(Calls, 0);
}

}  // namespace
