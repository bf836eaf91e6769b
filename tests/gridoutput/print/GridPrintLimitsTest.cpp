// What keeps a grid print finite and safe: rows taller than a page, margins leaving no
// height, a second print during a layout, a printer coarser than the screen, selected
// rows, and footer sums beyond the amount range.
#include "tests/support/GridPrintFixture.h"

namespace {

class GridPrintLimitsTest : public GridPrintTest {};

TEST_F(GridPrintLimitsTest, EveryPageTakesARowWhateverItsHeightOrTheMargins) {
  struct Case {
    const char* Name;
    int RowLines;
    double TopMargin, BottomMargin;
  };
  for (const Case& C : {Case{"row taller than a page", 400, 2, 2}, Case{"margins leave no height", 1, 15, 15}}) {
    SCOPED_TRACE(C.Name);
    TDBGridGx* Grid = NumberedGrid(3);
    Grid->SetRowLines(C.RowLines);
    TPrintDBGridGx Print(Form.get());
    Print.SetDBGridGx(Grid);
    Print.Page()->SetTopMargin(Currency::FromDouble(C.TopMargin));
    Print.Page()->SetBottomMargin(Currency::FromDouble(C.BottomMargin));
    Print.PageFooter()->RightText()->Add("&[Page]/&[Pages]");
    const std::vector<std::string> Pages = PrintToPdf(Print, std::string(C.Name) + ".pdf");
    ASSERT_EQ(Pages.size(), 3u);
    for (int P = 0; P < 3; ++P) EXPECT_TRUE(Has(Pages[P], "Row " + std::to_string(P + 1) + "\\s")) << Pages[P];
    TDataSource* Source = Grid->DataSource();
    delete Grid;
    delete Source->DataSet();
    delete Source;
  }
}

TEST_F(GridPrintLimitsTest, ASecondPrintDuringTheLayoutIsRefusedAndInputKeptAway) {
  TDBGridGx* Grid = NumberedGrid(20);
  TDataSet* Data = Grid->DataSource()->DataSet();
  Data->MoveBy(4);
  TPrintDBGridGx Print(Form.get()), Other(Form.get());
  Print.SetDBGridGx(Grid);
  Other.SetDBGridGx(Grid);
  Print.BeforeGridText()->Add("Before %[Today]");
  Print.SetTextReplacements({"%[Today]", "today"});
  int Starts = 0, OtherStarts = 0;
  bool FormEnabledDuringLayout = true;
  Print.SetOnBeforePrint([&](TObject*) { ++Starts; });
  Other.SetOnBeforePrint([&](TObject*) { ++OtherStarts; });
  Grid->SetOnGetCellParams([&](TObject*, TColumnGx*, TFont*, TColor&, TGridDrawState) {
    FormEnabledDuringLayout = FormEnabledDuringLayout && Form->Enabled();
    Print.RenderToPrinter(VirtualPrinter);
    Other.RenderToPrinter(VirtualPrinter);
  });
  const std::vector<std::string> Pages = PrintToPdf(Print);
  ASSERT_EQ(Pages.size(), 1u);
  EXPECT_TRUE(Has(Pages[0], "Row 20\\s"));
  EXPECT_EQ(Starts, 1);
  EXPECT_EQ(OtherStarts, 0);
  EXPECT_FALSE(FormEnabledDuringLayout);
  EXPECT_TRUE(Form->Enabled());
  EXPECT_EQ(Data->FieldByName("Name")->AsString(), "Row 5");
  EXPECT_TRUE(Has(Pages[0], "Before today"));
  ASSERT_EQ(Print.BeforeGridText()->Count(), 1);
  EXPECT_EQ(Print.BeforeGridText()->Strings(0), "Before %[Today]");
}

TEST_F(GridPrintLimitsTest, APrinterCoarserThanTheScreenPrintsSmallerNotLarger) {
  fake_printers::Installed Coarse({[] {
    TPrinterDevice D = fake_printers::PdfFile();
    D.Resolution = 72;
    return D;
  }()});
  TDBGridGx* Grid = NumberedGrid(1);
  // Two columns of 6.25 inches on a 96-dpi screen fit across the 6.7 inches inside the margins.
  Grid->Columns()->ColumnAt(0)->SetWidth(300);
  Grid->Columns()->ColumnAt(1)->SetWidth(300);
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  const std::vector<std::string> Pages = PrintToPdf(Print);
  ASSERT_EQ(Pages.size(), 1u);
  EXPECT_TRUE(Has(Pages[0], "Row 1\\s+1")) << Pages[0];
}

TEST_F(GridPrintLimitsTest, SelectedRowsPrintFromTheFirstSelectedOne) {
  TDBGridGx* Grid = NumberedGrid(12);
  TDataSet* Data = Grid->DataSource()->DataSet();
  for (int Row : {3, 8, 11}) {
    Data->First();
    Data->MoveBy(Row - 1);
    Grid->BookmarkedRows()->MarkCurrentRow(true);
  }
  Data->First();
  Data->MoveBy(7);  // the current record is the second selected one
  Grid->SetFooterRowCount(1);
  Grid->Columns()->ColumnAt(1)->Footer()->SetValueType(fvtSum);
  Grid->Columns()->ColumnAt(0)->Footer()->SetValueType(fvtCount);
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  const std::vector<std::string> Pages = PrintToPdf(Print);
  ASSERT_EQ(Pages.size(), 1u);
  std::string Rows;
  std::smatch M;
  for (auto It = Pages[0].cbegin(); std::regex_search(It, Pages[0].cend(), M, std::regex("Row (\\d+)\\s")); It = M[0].second)
    Rows += M[1].str() + " ";
  EXPECT_EQ(Rows, "3 8 11 ");
  EXPECT_TRUE(Has(Pages[0], "\\n\\s*3\\s+22\\s*\\n")) << Pages[0];  // count 3, sum 3 + 8 + 11
}

TEST_F(GridPrintLimitsTest, FooterSumsBeyondTheAmountRangeStayAtTheLargestAmount) {
  TDataSource* Source = NewSource({"Name", "#Big"});
  TDataSet* Data = Source->DataSet();
  for (double V : {9e14, 9e14, 1.0}) {
    Data->Append();
    Data->FieldByName("Name")->SetAsString("Big");
    Data->FieldByName("Big")->SetAsFloat(V);
    Data->Post();
  }
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(Source);
  Grid->Columns()->ColumnAt(1)->SetWidth(250);
  Grid->SetFooterRowCount(1);
  Grid->Columns()->ColumnAt(1)->Footer()->SetValueType(fvtSum);
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  const std::vector<std::string> Pages = PrintToPdf(Print);
  ASSERT_EQ(Pages.size(), 1u);
  // The largest amount, shown at the float field's 15 digits; a wrapped sum would be negative.
  EXPECT_TRUE(Has(Pages[0], "\\s922337203685478\\s")) << Pages[0];
  EXPECT_FALSE(Has(Pages[0], "-")) << Pages[0];
}

}  // namespace
