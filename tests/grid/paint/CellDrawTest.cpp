// What single cells draw: the indicator per dataset state, titles with sort markers and
// numbers, data cells with their colours, parameters, check boxes and key images, and
// footer cells.
#include "tests/support/PaintFixture.h"

#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/SharedResources.h"
#include "gridcontrols/GxCurrency.h"

namespace {

using CellDrawTest = GridPaintTest;

TEST_F(CellDrawTest, IndicatorShowsTheImageOfTheDataSetState) {
  TDBGridGx* Grid = ShownGrid({"A"}, 3);
  TDataSet* DS = Grid->DataSource()->DataSet();
  DS->MoveBy(1);  // record 2 is current: grid row 2
  auto Ops = Paint(Grid);
  EXPECT_EQ(Cell(Grid, Ops, 0, 2).Image(IndicatorImages()), 0);
  EXPECT_EQ(Cell(Grid, Ops, 0, 1).Image(IndicatorImages()), -1);
  EXPECT_EQ(Grid->IndicatorRow(), 2);
  DS->Edit();
  EXPECT_EQ(Cell(Grid, Paint(Grid), 0, 2).Image(IndicatorImages()), 1);
  DS->Cancel();
  DS->First();
  DS->Insert();
  EXPECT_EQ(Cell(Grid, Paint(Grid), 0, 1).Image(IndicatorImages()), 2);
  DS->Cancel();
}

TEST_F(CellDrawTest, MarkedCurrentRowShowsTheSelectedArrowAndOtherMarkedRowsOnlyTheirColours) {
  TDBGridGx* Grid = ShownGrid({"A"}, 3);
  Grid->SetOptions(Grid->Options() + dgMultiSelect);
  TDataSet* DS = Grid->DataSource()->DataSet();
  Grid->BookmarkedRows()->MarkCurrentRow(true);  // record 1
  DS->Next();
  Grid->BookmarkedRows()->MarkCurrentRow(true);  // record 2, current
  auto Ops = Paint(Grid);
  EXPECT_EQ(Cell(Grid, Ops, 0, 2).Image(IndicatorImages()), 5);
  const CellDrawing Other = Cell(Grid, Ops, 0, 1);
  EXPECT_EQ(Other.Image(IndicatorImages()), -1);
  EXPECT_EQ(Other.Background(), static_cast<long>(win::RGB(64, 64, 64)));
  EXPECT_EQ(Cell(Grid, Ops, 0, 3).Background(), static_cast<long>(ColorToRGB(Grid->FixedColor())));
}

TEST_F(CellDrawTest, SortNumbersShowOnlyWithTwoOrMoreSortedColumns) {
  TDBGridGx* Grid = ShownGrid({"A", "B"}, 1);
  Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
  Grid->Columns()->ColumnAt(0)->Title()->SetSortMarker(smDownGx);
  auto One = Paint(Grid);
  const CellDrawing Title = Cell(Grid, One, 1, 0);
  EXPECT_EQ(Title.Image(SortMarkerImages()), 0);
  EXPECT_EQ(Title.Texts(), (std::vector<std::string>{"A"}));
  Grid->Columns()->ColumnAt(1)->Title()->SetSortMarker(smUpGx);
  ASSERT_EQ(Grid->SortedColumnList()->Count(), 2);
  auto Two = Paint(Grid);
  const std::string First = std::to_string(Grid->Columns()->ColumnAt(0)->Title()->SortIndex());
  const std::string Second = std::to_string(Grid->Columns()->ColumnAt(1)->Title()->SortIndex());
  EXPECT_EQ(Cell(Grid, Two, 1, 0).Texts(), (std::vector<std::string>{"A", First}));
  EXPECT_EQ(Cell(Grid, Two, 2, 0).Texts(), (std::vector<std::string>{"B", Second}));
  EXPECT_EQ(Cell(Grid, Two, 2, 0).Image(SortMarkerImages()), 1);
}

TEST_F(CellDrawTest, NarrowSortedTitleDropsTheMarkerBeforeItsNumber) {
  TDBGridGx* Grid = ShownGrid({"A", "B"}, 1);
  Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
  Grid->Columns()->ColumnAt(0)->Title()->SetSortMarker(smDownGx);
  Grid->Columns()->ColumnAt(1)->Title()->SetSortMarker(smDownGx);
  const std::string Number = std::to_string(Grid->Columns()->ColumnAt(0)->Title()->SortIndex());
  struct Case {
    int Width;
    bool Marker, Number;
  };
  // Without a title image (and without 3D edges taking a pixel on each side) the marker
  // needs 16 pixels; below that the number still fits.
  Grid->SetOptionsGx(Grid->OptionsGx() - dghFixed3D);
  for (const Case C : {Case{40, true, true}, Case{16, true, true}, Case{15, false, true}}) {
    Grid->Columns()->ColumnAt(0)->SetWidth(C.Width);
    auto Ops = Paint(Grid);
    const CellDrawing Title = Cell(Grid, Ops, 1, 0);
    EXPECT_EQ(Title.Image(SortMarkerImages()) == 0, C.Marker) << C.Width;
    const auto Texts = Title.Texts();
    EXPECT_EQ(std::find(Texts.begin(), Texts.end(), Number) != Texts.end(), C.Number) << C.Width;
  }
}

TEST_F(CellDrawTest, AlternatingRowColoursYieldToTheCellParameterEvent) {
  TDBGridGx* Grid = ShownGrid({"A", "B"}, 4);
  Grid->SetRowColorFlag(true);
  Grid->SetRowOneColor(clAqua);
  Grid->SetRowTwoColor(clYellow);
  auto Ops = Paint(Grid);
  // Row 1 holds the current cell, drawn highlighted.
  for (int Row = 2; Row <= 4; ++Row)
    EXPECT_EQ(Cell(Grid, Ops, 1, Row).Background(),
              static_cast<long>(ColorToRGB(Row % 2 == 1 ? clAqua : clYellow)))
        << Row;
  Grid->SetOnGetCellParams([](TObject*, TColumnGx* Column, TFont*, TColor& Background, TGridDrawState) {
    if (Column->FieldName() == "A") Background = clLime;
  });
  auto After = Paint(Grid);
  for (int Row = 2; Row <= 4; ++Row)
    EXPECT_EQ(Cell(Grid, After, 1, Row).Background(), static_cast<long>(ColorToRGB(clLime))) << Row;
}

TEST_F(CellDrawTest, DataCellsWriteTheirTextInsideTheCell) {
  TDBGridGx* Grid = ShownGrid({"A"}, 2);
  auto Ops = Paint(Grid);
  const CellDrawing C = Cell(Grid, Ops, 1, 2);
  EXPECT_EQ(C.Text(), "r2");
  const win::RECT R = Grid->CellRect(1, 2);
  ASSERT_NE(C.FirstText(), nullptr);
  EXPECT_GE(C.FirstText()->points[0].x, R.left + 2);
}

TEST_F(CellDrawTest, BooleanColumnsDrawACentredCheckBoxOfTheValue) {
  TDBGridGx* Grid = ShownGrid({"?B"}, 3);
  TDataSet* DS = Grid->DataSource()->DataSet();
  DS->First();
  DS->Edit();
  DS->Fields()[0]->SetAsBoolean(true);
  DS->Post();
  DS->Next();
  DS->Edit();
  DS->Fields()[0]->SetAsBoolean(false);
  DS->Post();
  DS->First();
  Grid->SetRowHeight(24);
  Grid->Columns()->ColumnAt(0)->SetWidth(60);
  auto Ops = Paint(Grid);
  const TColor Surface = Grid->Columns()->ColumnAt(0)->Color();
  struct Case {
    int Row, State;
  };
  for (const Case C : {Case{1, 1}, Case{2, 0}, Case{3, 2}}) {
    const CellDrawing D = Cell(Grid, Ops, 1, C.Row);
    // The current cell is highlighted; compare the other rows against the column colour.
    if (C.Row != Grid->Row()) {
      EXPECT_EQ(D.CheckBox(Surface), C.State) << C.Row;
    }
    const win::DrawOp* Box = D.Blit();
    ASSERT_NE(Box, nullptr) << C.Row;
    const win::RECT R = Grid->CellRect(1, C.Row);
    const int BoxMidX = (Box->rect.left + Box->rect.right) / 2, BoxMidY = (Box->rect.top + Box->rect.bottom) / 2;
    EXPECT_NEAR(BoxMidX, (R.left + R.right) / 2, 1) << C.Row;
    EXPECT_NEAR(BoxMidY, (R.top + R.bottom) / 2, 1) << C.Row;
    EXPECT_TRUE(D.Texts().empty()) << C.Row;
  }
}

TEST_F(CellDrawTest, CellParametersStartFreshForEveryCell) {
  TDBGridGx* Grid = ShownGrid({"?B", "A"}, 2);
  std::vector<std::pair<int, int>> Seen;  // (check state, image index) per cell of column A
  Grid->Columns()->ColumnAt(1)->SetOnGetCellParams(
      [&](TObject*, bool, TColCellParamsGx* Params) {
        Seen.emplace_back(Params->CheckState, Params->ImageIndex);
        Params->CheckState = cbChecked;
        Params->ImageIndex = 7;
      });
  Grid->Columns()->ColumnAt(0)->SetOnGetCellParams(
      [&](TObject*, bool, TColCellParamsGx* Params) { Params->ReadOnly = true; });
  bool ReadOnlySeen = false;
  Grid->Columns()->ColumnAt(1)->SetReadOnly(false);
  Grid->SetOnGetCellParams([&](TObject*, TColumnGx* Column, TFont*, TColor&, TGridDrawState) {
    if (Column->FieldName() == "A" && Grid->CellParams()->ReadOnly) ReadOnlySeen = true;
  });
  Paint(Grid);
  ASSERT_FALSE(Seen.empty());
  for (const auto& [Check, Image] : Seen) {
    EXPECT_EQ(Check, cbUnchecked);
    EXPECT_EQ(Image, -1);
  }
  EXPECT_FALSE(ReadOnlySeen);
}

TEST_F(CellDrawTest, AlwaysShownEditButtonsSitAtTheRightOfTheirCell) {
  TDBGridGx* Grid = ShownGrid({"A"}, 2);
  TColumnGx* Column = Grid->Columns()->ColumnAt(0);
  Column->SetWidth(100);
  auto* Button = static_cast<TEditButtonGx*>(Column->EditButtons()->Add());
  Button->SetStyle(ebsEllipsisGx);
  Column->SetAlwaysShowEditButton(true);
  auto Ops = Paint(Grid);
  const win::RECT R = Grid->CellRect(1, 2);
  const CellDrawing C = Cell(Grid, Ops, 1, 2);
  const win::DrawOp* Face = C.Blit();
  ASSERT_NE(Face, nullptr);
  EXPECT_GT(Face->rect.left, (R.left + R.right) / 2);
  EXPECT_LE(Face->rect.right, R.right);
  EXPECT_LE(Face->rect.bottom - Face->rect.top, Grid->EditButtonHeight());
  ASSERT_NE(C.FirstText(), nullptr);
  EXPECT_EQ(C.Text(), "r2");
  EXPECT_LE(C.FirstText()->rect.right, Face->rect.left);
}

TEST_F(CellDrawTest, MoneyColumnsDrawTheirAmountDigitByDigitUnderAHeading) {
  TDBGridGx* Grid = ShownGrid({"#Amount"}, 1);
  TDataSet* DS = Grid->DataSource()->DataSet();
  DS->Edit();
  DS->Fields()[0]->SetAsFloat(12.5);
  DS->Post();
  TColumnGx* Column = Grid->Columns()->ColumnAt(0);
  Column->SetWidth(150);
  Column->SetIsCurrency(true);
  Grid->SetDrawCurrency(true);
  Grid->SetNeedPaintCurrHead(true);
  auto Ops = Paint(Grid);
  const CellDrawing Amount = Cell(Grid, Ops, 1, 1);
  std::string Digits;
  for (const char Ch : Amount.Text())
    if (Ch != ' ') Digits += Ch;
  EXPECT_NE(Digits.find(std::string("125") + std::string(static_cast<std::size_t>(Grid->CurrencyStyle()->Digits() - 1), '0')),
            std::string::npos)
      << Amount.Text();
  EXPECT_EQ(Amount.Text().find('.'), std::string::npos);
  // The title holds its caption and, below it, the heading of the places.
  const auto Title = Cell(Grid, Ops, 1, 0).Texts();
  ASSERT_GT(Title.size(), 1u);
  EXPECT_EQ(Title.front(), "Amount");
}

TEST_F(CellDrawTest, FooterCellsDrawNoTextUntilFootersHaveValues) {
  TDBGridGx* Grid = ShownGrid({"A"}, 1);
  Grid->SetFooterRowCount(1);
  Grid->SetFooterColor(clBtnFace);
  bool Asked = false;
  Grid->SetOnGetFooterParams([&](TObject*, int, int, TColumnGx*, TFont*, TColor& Background, TAlignment&,
                                 TGridDrawState, std::string& Text) {
    Asked = true;
    EXPECT_EQ(Text, "");
    Background = clTeal;
  });
  auto Ops = Paint(Grid);
  const CellDrawing Footer = Cell(Grid, Ops, 1, Grid->RowCount() - 1);
  EXPECT_TRUE(Asked);
  EXPECT_EQ(Footer.Text(), "");
  EXPECT_EQ(Footer.Background(), static_cast<long>(ColorToRGB(clTeal)));
}

}  // namespace
