// The title of a money column over its heading of places: the caption keeps above the
// heading's strip whatever the title's layout; a vertical caption of a title of fixed
// height is written two points smaller.
#include "tests/support/PaintFixture.h"

#include <cstdlib>

#include "gridcontrols/GxCurrency.h"

namespace {

class MoneyTitleDrawTest : public GridPaintTest {
protected:
  TDBGridGx* MoneyGrid() {
    TDBGridGx* Grid = ShownGrid({"#Amount"}, 1);
    TColumnGx* Column = Grid->Columns()->ColumnAt(0);
    Column->SetWidth(150);
    Column->SetIsCurrency(true);
    Grid->SetDrawCurrency(true);
    Grid->SetNeedPaintCurrHead(true);
    return Grid;
  }
};

TEST_F(MoneyTitleDrawTest, CaptionKeepsAboveTheHeadingInAFittedFont) {
  enum FontRule { Unchanged, TwoPointsSmaller };
  struct Case {
    const char* Name;
    bool Vertical, MultiTitle;
    int TitleHeight, TitleLines;
    FontRule Font;
  };
  TDBGridGx* Grid = MoneyGrid();
  TColumnTitleGx* Title = Grid->Columns()->ColumnAt(0)->Title();
  for (const Case C : {Case{"title height", false, false, 40, 0, Unchanged},
                       Case{"title lines", false, false, 0, 3, Unchanged},
                       Case{"multi-level", false, true, 0, 0, Unchanged},
                       Case{"vertical", true, false, 40, 0, TwoPointsSmaller},
                       Case{"vertical multi-level", true, true, 0, 0, Unchanged}}) {
    SCOPED_TRACE(C.Name);
    Grid->SetUseMultiTitle(C.MultiTitle);
    Grid->SetTitleHeight(C.TitleHeight);
    Grid->SetTitleLines(C.TitleLines);
    Title->SetOrientation(C.Vertical ? tohVertical : tohHorizontal);
    auto Ops = Paint(Grid);
    const win::RECT R = Grid->CellRect(1, 0);
    const int HeadingTop = R.bottom - Grid->CurrencyStyle()->CHNHeight();
    const CellDrawing Cell = DrawnInside(Ops, R);
    const std::vector<win::DrawOp> Texts = Cell.OfKind(win::DrawKind::Text);
    const win::DrawOp* Caption = nullptr;
    for (const win::DrawOp& Op : Texts)
      if (Op.text == "Amount") Caption = &Op;
    ASSERT_NE(Caption, nullptr);
    TFont Smaller;
    Smaller.Assign(Title->Font());
    Smaller.SetSize(Smaller.Size() - 2);
    switch (C.Font) {
      case Unchanged: EXPECT_EQ(std::abs(Caption->font.lfHeight), std::abs(Title->Font()->Height())); break;
      case TwoPointsSmaller: EXPECT_EQ(std::abs(Caption->font.lfHeight), std::abs(Smaller.Height())); break;
    }
    EXPECT_LE(Caption->rect.bottom, HeadingTop + 1);
    // A multi-level caption over a strip of room shorter than one and a half of its size sits
    // on the heading.
    if (C.MultiTitle && !C.Vertical) {
      EXPECT_GE(Caption->rect.bottom, HeadingTop - 2);
    }
  }
}

}  // namespace
