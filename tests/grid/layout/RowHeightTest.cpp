// Row and title heights the layout takes from the fonts, RowHeight and RowLines.
#include "tests/support/GridFixture.h"

#include <cmath>

namespace {

struct FontMeasure {
  int T = 0;  // height of "Wg"
  win::TEXTMETRIC Metrics{};
};

class RowHeightsTest : public GridTest {
protected:
  TDBGridGx* WindowedGrid() {
    TDBGridGx* Grid = NewGrid();
    Grid->HandleNeeded();
    return Grid;
  }
  static FontMeasure Measure(TDBGridGx* Grid, TFont* Font) {
    TCanvas* Canvas = Grid->Canvas();
    Canvas->SetFont(Font);
    FontMeasure M;
    M.T = Canvas->TextHeight("Wg");
    win::GetTextMetrics(Canvas->Handle(), &M.Metrics);
    return M;
  }
};

TEST_F(RowHeightsTest, TheDefaultRowHeightComesFromTheFontOrFromRowHeightAndRowLines) {
  struct Case {
    bool Flat;
    bool RowLines;   // dgRowLines
    int RowHeight;   // in units given below
    int Lines;       // RowLines property
  };
  for (const Case C : {Case{false, true, 0, 0}, Case{false, false, 0, 0}, Case{true, true, 0, 0},
                       Case{true, false, 0, 0}, Case{false, true, 7, 0}, Case{false, true, 0, 2},
                       Case{false, true, 5, 3}}) {
    TDBGridGx* Grid = WindowedGrid();
    Grid->Font()->SetSize(11);
    const FontMeasure M = Measure(Grid, Grid->Font());
    ASSERT_GT(M.T, 0);
    Grid->SetFlat(C.Flat);
    Grid->SetOptions(C.RowLines ? DefaultDBGridOptions : DefaultDBGridOptions - dgRowLines);
    Grid->SetRowHeight(C.RowHeight);
    Grid->SetRowLines(C.Lines);
    Grid->RequestLayout();
    const int B = (C.Flat ? 1 : 3) + (C.RowLines ? Grid->GridLineWidth() : 0);
    const int Expected = C.RowHeight > 0 || C.Lines > 0
                             ? C.RowHeight + (M.Metrics.tmHeight + M.Metrics.tmExternalLeading) * C.Lines
                             : M.T + B;
    EXPECT_EQ(Grid->DefaultRowHeight(), Expected)
        << "flat " << C.Flat << " lines " << C.RowLines << " height " << C.RowHeight << " rowlines " << C.Lines;
    delete Grid;
  }
}

// Fit-to-text rounds the height to whole text lines: a remainder above half a line
// adds a line; RowLines and RowHeight are rewritten to say the same.
TEST_F(RowHeightsTest, FitToTextRoundsToWholeLines) {
  TDBGridGx* Grid = WindowedGrid();
  const FontMeasure M = Measure(Grid, Grid->Font());
  const int T = M.T, B = 3 + Grid->GridLineWidth();
  ASSERT_GT(T, 2);
  struct Case {
    int RowHeight;
    int Lines;
  };
  for (const Case C : {Case{2 * T + B, 2}, Case{2 * T + B + T / 2, 2}, Case{2 * T + B + T / 2 + 1, 3},
                       Case{B + 1, 1}, Case{B, 1}}) {
    Grid->SetOptionsGx(DefaultDBGridGxOptions);
    Grid->SetRowLines(0);
    Grid->SetRowHeight(C.RowHeight);
    Grid->SetOptionsGx(DefaultDBGridGxOptions + dghFitRowHeightToText);
    EXPECT_EQ(Grid->DefaultRowHeight(), C.Lines * T + B) << C.RowHeight;
    EXPECT_EQ(Grid->RowLines(), C.Lines) << C.RowHeight;
    EXPECT_EQ(Grid->RowHeight(), B) << C.RowHeight;
  }
}

TEST_F(RowHeightsTest, EditButtonsAreSquareOnlyInRowsTallerThanOneAndAHalfButtons) {
  TDBGridGx* Grid = WindowedGrid();
  const int W = Grid->EditButtonWidth();
  ASSERT_GT(W, 0);
  const int Limit = static_cast<int>(std::nearbyint(1.5 * W));  // a half to the even neighbour
  for (const int Height : {W, Limit, Limit + 1, 2 * W}) {
    Grid->SetRowHeight(Height);
    EXPECT_EQ(Grid->EditButtonHeight(), Height > Limit ? W : Height) << Height;
  }
}

TEST_F(RowHeightsTest, RowsWrapTextOnlyWhenALineAndItsMarginsFit) {
  TDBGridGx* Grid = WindowedGrid();
  const win::TEXTMETRIC& Tm = Measure(Grid, Grid->Font()).Metrics;
  const int Needed = Tm.tmHeight + Tm.tmInternalLeading + Tm.tmExternalLeading + Grid->TextMargin();
  Grid->SetRowHeight(Needed);
  EXPECT_FALSE(Grid->RowsAllowWrap());
  Grid->SetRowHeight(Needed + 1);
  EXPECT_TRUE(Grid->RowsAllowWrap());
}

TEST_F(RowHeightsTest, TheTitleRowFitsTheTallestTitleFontOrTitleLines) {
  TDBGridGx* Grid = WindowedGrid();
  Grid->TitleFont()->SetSize(14);
  Grid->RequestLayout();
  EXPECT_EQ(Grid->RowHeights(0), Measure(Grid, Grid->TitleFont()).T + Grid->TextMargin()) << "no columns";

  Grid->TitleFont()->SetSize(8);
  for (const char* Name : {"A", "B"}) Grid->Columns()->AddColumn()->SetFieldName(Name);
  TFont* Big = Grid->Columns()->ColumnAt(1)->Title()->Font();
  Big->SetSize(20);
  Grid->RequestLayout();
  const FontMeasure Tallest = Measure(Grid, Big);
  EXPECT_EQ(Grid->RowHeights(0), Tallest.T + Grid->TextMargin());

  Grid->SetTitleLines(2);
  Grid->SetTitleHeight(5);
  const int Expected = 2 * Tallest.Metrics.tmHeight + Tallest.Metrics.tmExternalLeading + 2 + 5 + 1;
  EXPECT_EQ(Grid->ComputedTitleHeight(), Expected);
  EXPECT_EQ(Grid->RowHeights(0), Expected);
  // The title row survives the recount that resets the other rows.
  Grid->SetRowHeight(40);
  EXPECT_EQ(Grid->RowHeights(0), Expected);
}

TEST_F(RowHeightsTest, AMultiTitleRowIsAsTallAsTheHeaderTree) {
  TDBGridGx* Grid = WindowedGrid();
  for (const char* Caption : {"Group|Left", "Group|Right", "Alone"}) {
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetFieldName(Caption);
    Column->Title()->SetCaption(Caption);
  }
  Grid->SetUseMultiTitle(true);
  ASSERT_NE(Grid->HeadTreeLeaf(0), nullptr);
  const int Flat = Grid->RowHeights(0);
  const int Tree = Grid->MeasureHeadTree(Grid->HeadTreeRoot());
  EXPECT_EQ(Flat, Tree - 1);  // a 3-D title edge
  EXPECT_GT(Flat, 2 * Measure(Grid, Grid->TitleFont()).T);
  Grid->SetOptionsGx(DefaultDBGridGxOptions - dghFixed3D);
  EXPECT_EQ(Grid->RowHeights(0), Grid->MeasureHeadTree(Grid->HeadTreeRoot()) - 3);
}

}  // namespace
