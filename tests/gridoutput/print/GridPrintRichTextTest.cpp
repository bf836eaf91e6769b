// The rich texts before and after a printed grid: in order around the rows, over as many
// pages as they need, with the text replacements for the print only, and without a
// printer in the preview.
#include <regex>

#include "gridoutput/PrvFrmGx.h"
#include "platform/graphics/DrawRecord.h"
#include "resources/artwork/Artwork.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/support/GridPrintFixture.h"
#include "tests/support/RichTextFixture.h"

namespace {
using namespace richtext;

class GridPrintRichTextTest : public GridPrintTest {
protected:
  // Where Pattern first matches in Text (npos when it does not).
  static std::size_t Find(const std::string& Text, const std::string& Pattern) {
    std::smatch M;
    return std::regex_search(Text, M, std::regex(Pattern)) ? std::size_t(M.position(0)) : std::string::npos;
  }
  // The numbers of the rows ("Row n") on the pages, in order.
  static std::vector<int> RowsOn(const std::vector<std::string>& Pages) {
    std::vector<int> Rows;
    for (const std::string& Page : Pages) {
      std::smatch M;
      for (auto It = Page.cbegin(); std::regex_search(It, Page.cend(), M, std::regex("Row (\\d+)\\s")); It = M[0].second)
        Rows.push_back(std::stoi(M[1].str()));
    }
    return Rows;
  }
};

TEST_F(GridPrintRichTextTest, TextsBeforeAndAfterTwoHundredRowsInOrder) {
  TDBGridGx* Grid = NumberedGrid(200);
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  Print.PageHeader()->RightText()->Add("Page &[Page] of &[Pages]");
  const TRichTextDocument Before =
      Document({Paragraph({{Format("DejaVu Sans", 36, {fsBold}, clNavy), "Snippet report for %[today]"}}),
                Paragraph({{Format("宋体", 24), "本表列出所有快捷键片段"}}),
                Paragraph({{Format("DejaVu Serif", 20, {fsItalic}), "Printed from the snippet table"}})});
  Print.BeforeGridText()->Document() = Before;
  Print.AfterGridText()->Add("End of report");
  Print.AfterGridText()->Add("Checked by %[Today]: ________");
  Print.SetTextReplacements({"%[Today]", "2026-12-11"});

  const std::vector<std::string> Pages = PrintToPdf(Print);
  ASSERT_GE(Pages.size(), 3u);
  const std::string& First = Pages.front();
  const std::size_t Report = Find(First, "Snippet report for 2026-12-11");
  ASSERT_NE(Report, std::string::npos) << First;
  EXPECT_LT(Report, Find(First, "本表列出所有快捷键片段")) << First;
  EXPECT_LT(Find(First, "本表列出所有快捷键片段"), Find(First, "Printed from the snippet table")) << First;
  EXPECT_LT(Find(First, "Printed from the snippet table"), Find(First, "Name")) << First;
  EXPECT_LT(Find(First, "Name"), Find(First, "Row 1\\s")) << First;
  const std::string& Last = Pages.back();
  EXPECT_LT(Find(Last, "Row 200\\s"), Find(Last, "End of report")) << Last;
  EXPECT_LT(Find(Last, "End of report"), Find(Last, "Checked by 2026-12-11: ________")) << Last;
  for (std::size_t P = 1; P < Pages.size(); ++P) EXPECT_EQ(Find(Pages[P], "Snippet report"), std::string::npos);
  for (std::size_t P = 0; P + 1 < Pages.size(); ++P) EXPECT_EQ(Find(Pages[P], "End of report"), std::string::npos);
  for (std::size_t P = 0; P < Pages.size(); ++P)
    EXPECT_NE(Find(Pages[P], "Page " + std::to_string(P + 1) + " of " + std::to_string(Pages.size())), std::string::npos);
  std::vector<int> Expected(200);
  for (int I = 0; I < 200; ++I) Expected[std::size_t(I)] = I + 1;
  EXPECT_EQ(RowsOn(Pages), Expected);

  // The replacements held for the print only; the formatting is kept.
  EXPECT_EQ(Describe(Print.BeforeGridText()->Document()), Describe(Before));
  EXPECT_EQ(Print.AfterGridText()->Strings(1), "Checked by %[Today]: ________");
}

TEST_F(GridPrintRichTextTest, ATextLongerThanAPageRunsOverPagesBeforeTheGrid) {
  TDBGridGx* Grid = NumberedGrid(3);
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  Print.PageFooter()->CenterText()->Add("&[Page]/&[Pages]");
  for (int I = 1; I <= 150; ++I) Print.BeforeGridText()->Add("Note line " + std::to_string(I));
  const std::vector<std::string> Pages = PrintToPdf(Print);
  ASSERT_GE(Pages.size(), 2u);
  std::vector<int> Notes;
  for (const std::string& Page : Pages) {
    std::smatch M;
    for (auto It = Page.cbegin(); std::regex_search(It, Page.cend(), M, std::regex("Note line (\\d+)\\s")); It = M[0].second)
      Notes.push_back(std::stoi(M[1].str()));
  }
  std::vector<int> Expected(150);
  for (int I = 0; I < 150; ++I) Expected[std::size_t(I)] = I + 1;
  EXPECT_EQ(Notes, Expected);
  EXPECT_EQ(RowsOn(Pages), (std::vector<int>{1, 2, 3}));
  std::string All;
  for (const std::string& Page : Pages) All += Page;
  EXPECT_LT(Find(All, "Note line 150\\s"), Find(All, "Row 1\\s")) << All;
  for (std::size_t P = 0; P < Pages.size(); ++P)
    EXPECT_NE(Find(Pages[P], std::to_string(P + 1) + "/" + std::to_string(Pages.size())), std::string::npos);
}

class GridPrintRichTextPreviewTest : public GridPrintRichTextTest {
protected:
  void SetUp() override {
    RegisterArtwork();
    RegisterPreviewClasses();
    RegisterFormDescriptions();
  }
  void TearDown() override { win::StopDrawRecording(); }
};

TEST_F(GridPrintRichTextPreviewTest, WithoutAPrinterTheTextsAreRecordedInThePreview) {
  fake_printers::Installed None({});
  TDBGridGx* Grid = NumberedGrid(2);
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  Print.BeforeGridText()->Add("Before the grid");
  // The text after the grid is empty: nothing is laid out for it.
  win::StartDrawRecording();
  Print.ShowPreview();
  std::string Drawn;
  for (const std::string& T : win::RecordedTexts()) Drawn += T + "|";
  EXPECT_NE(Drawn.find("Before |the |grid|Name|Amount|Row 1|1|Row 2|2|"), std::string::npos) << Drawn;
  TPrinterPreview* Preview = SharedPrinterPreview();
  EXPECT_EQ(Preview->RecordedPages(), 1);
  EXPECT_FALSE(Preview->JobPrinting());
  GetParentForm(Preview->Box())->Close();
}

}  // namespace
