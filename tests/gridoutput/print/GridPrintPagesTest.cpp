// A grid printed over pages: every row once and in order, titles, page header and footer
// with the page macros on every page, footer sums of the printed rows.
#include <cstdlib>

#include "tests/support/GridPrintFixture.h"

namespace {

class GridPrintPagesTest : public GridPrintTest {};

TEST_F(GridPrintPagesTest, TwoHundredRowsOverPagesWithHeadersFootersAndSums) {
  TDBGridGx* Grid = NumberedGrid(200);
  Grid->SetFooterRowCount(1);
  TColumnGx* Amount = Grid->Columns()->ColumnAt(1);
  Amount->Footer()->SetValueType(fvtSum);
  Grid->DataSource()->DataSet()->MoveBy(7);
  const std::string Before = Grid->DataSource()->DataSet()->Bookmark();

  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  Print.PageHeader()->LeftText()->Add("Snippet table");
  Print.PageHeader()->RightText()->Add("Page &[Page] of &[pages]");
  Print.PageHeader()->SetLineType(pcltDoubleLine);
  Print.PageFooter()->CenterText()->Add("- &[Page] - &&[Page]");
  Print.Title()->Add("All snippets");
  int BeforePrint = 0, AfterPrint = 0;
  Print.SetOnBeforePrint([&](TObject*) { ++BeforePrint; });
  Print.SetOnAfterPrint([&](TObject*) { ++AfterPrint; });

  const std::vector<std::string> Pages = PrintToPdf(Print);
  ASSERT_GE(Pages.size(), 3u);
  const std::string N = std::to_string(Pages.size());
  EXPECT_TRUE(Has(Pages.front(), "Row 1\\s")) << Pages.front();
  EXPECT_TRUE(Has(Pages.back(), "Row 200\\s")) << Pages.back();
  // Every row exactly once, in order, over the pages.
  int Next = 1;
  for (std::size_t P = 0; P < Pages.size(); ++P) {
    const std::string& Page = Pages[P];
    const std::string K = std::to_string(P + 1);
    EXPECT_TRUE(Has(Page, "Snippet table")) << Page;
    EXPECT_TRUE(Has(Page, "Page " + K + " of " + N)) << Page;
    EXPECT_TRUE(Has(Page, "- " + K + " - &&\\[Page\\]")) << Page;
    EXPECT_TRUE(Has(Page, "Name")) << Page;
    EXPECT_TRUE(Has(Page, "All snippets")) << Page;
    std::smatch M;
    for (auto It = Page.cbegin(); std::regex_search(It, Page.cend(), M, std::regex("Row (\\d+)\\s")); It = M[0].second)
      EXPECT_EQ(std::atoi(M[1].str().c_str()), Next++);
  }
  EXPECT_EQ(Next, 201);
  EXPECT_TRUE(Has(Pages.back(), "\\b20100\\b")) << Pages.back();  // 1 + 2 + ... + 200
  EXPECT_EQ(BeforePrint, 1);
  EXPECT_EQ(AfterPrint, 1);
  EXPECT_EQ(Grid->DataSource()->DataSet()->Bookmark(), Before);
  EXPECT_EQ(PageMacroValues[5], N);
}

}  // namespace
