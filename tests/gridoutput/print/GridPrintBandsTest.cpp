// A grid wider than the page: bands of columns page after page, or one band fitted to the
// page by scaling or by narrowing the columns.
#include "tests/support/GridPrintFixture.h"

namespace {

class GridPrintBandsTest : public GridPrintTest {
protected:
  // Each column 300 screen pixels wide: twice the width inside the page's margins.
  TDBGridGx* WideGrid(int Rows) { return FourColumnGrid(Rows, 300); }
};

TEST_F(GridPrintBandsTest, EachChunkOfRowsPrintsItsBandsOnPagesOfTheirOwn) {
  TDBGridGx* Grid = WideGrid(80);
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  Print.PageFooter()->CenterText()->Add("&[Page]/&[Pages]");
  Print.Title()->Add("Wide table");
  const std::vector<std::string> Pages = PrintToPdf(Print);
  ASSERT_EQ(Pages.size(), 4u);
  for (int P : {0, 2}) {
    EXPECT_TRUE(Has(Pages[P], "Name\\s+Amount")) << Pages[P];
    EXPECT_FALSE(Has(Pages[P], "Left|L\\d+\\s")) << Pages[P];
  }
  for (int P : {1, 3}) {
    EXPECT_TRUE(Has(Pages[P], "Left\\s+Right")) << Pages[P];
    EXPECT_FALSE(Has(Pages[P], "Name|Row \\d")) << Pages[P];
  }
  EXPECT_TRUE(Has(Pages[0], "Row 1\\s")) << Pages[0];
  EXPECT_TRUE(Has(Pages[1], "L1\\s+R1\\s")) << Pages[1];
  EXPECT_TRUE(Has(Pages[3], "L80\\s+R80\\s")) << Pages[3];
  // The second chunk starts where the first ended, in both bands.
  std::smatch Last, First;
  ASSERT_TRUE(std::regex_search(Pages[2], First, std::regex("Row (\\d+)\\s")));
  ASSERT_TRUE(std::regex_search(Pages[3], Last, std::regex("L(\\d+)\\s")));
  EXPECT_EQ(First[1], Last[1]);
  EXPECT_GT(std::stoi(First[1]), 1);
  for (int P = 0; P < 4; ++P) EXPECT_TRUE(Has(Pages[P], std::to_string(P + 1) + "/4")) << Pages[P];
  // The title block is centred over the whole grid: each band shows its part.
  EXPECT_TRUE(Has(Pages[0] + Pages[1], "Wide")) << Pages[0];
}

TEST_F(GridPrintBandsTest, FittingPutsEveryColumnOnOnePage) {
  for (bool ByWidths : {false, true}) {
    SCOPED_TRACE(ByWidths ? "narrowing the columns" : "scaling the drawing");
    TDBGridGx* Grid = WideGrid(20);
    TPrintDBGridGx Print(Form.get());
    Print.SetDBGridGx(Grid);
    TPrintDBGridGxOptions Options{pghFitGridToPageWidth};
    if (ByWidths) Options.Include(pghFitingByColWidths);
    Print.SetOptions(Options);
    const std::vector<std::string> Pages = PrintToPdf(Print, ByWidths ? "widths.pdf" : "scaled.pdf");
    ASSERT_EQ(Pages.size(), 1u);
    EXPECT_TRUE(Has(Pages[0], "Name\\s+Amount\\s+Left\\s+Right")) << Pages[0];
    EXPECT_TRUE(Has(Pages[0], "Row 20\\s+20\\s+L20\\s+R20")) << Pages[0];
    TDataSource* Source = Grid->DataSource();
    delete Grid;
    delete Source->DataSet();
    delete Source;
  }
}

}  // namespace
