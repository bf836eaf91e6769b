// The grid printer in a form description: every setting written and read back, the rich
// texts before and after the grid stored as data of their own, and nothing for an empty one.
#include "tests/support/GridPrintFixture.h"
#include "tests/support/RichTextFixture.h"

namespace {
using namespace richtext;

class PrintFormStoreTest : public GridPrintTest {
protected:
  void SetUp() override { StartPrnDbggxUnit(); }
  void TearDown() override { FinishPrnDbggxUnit(); }
};

TEST_F(PrintFormStoreTest, EverySettingAndBothTextsReadBackExactly) {
  TDBGridGx* Grid = NumberedGrid(2);
  auto* Print = new TPrintDBGridGx(Form.get());
  Print->SetName("PrintDBGridGx1");
  Print->SetDBGridGx(Grid);
  Print->SetOptions({pghFitGridToPageWidth, pghFitingByColWidths, pghOptimalColWidths});
  Print->SetUnits(Inches);
  Print->Page()->SetTopMargin(0);  // a margin of nothing stays nothing
  Print->Page()->SetLeftMargin(Currency::FromDouble(1.25));
  Print->PageHeader()->LeftText()->Add("片段表");
  Print->PageHeader()->RightText()->Add("&[Page]/&[Pages]");
  Print->PageHeader()->SetLineType(pcltDoubleLine);
  Print->PageHeader()->Font()->SetName("DejaVu Serif");
  Print->PageHeader()->Font()->SetStyle({fsItalic});
  Print->PageFooter()->CenterText()->Add("&[Date] &[Time]");
  Print->Title()->Add("All snippets");
  Print->Title()->Add("第二行");
  Print->SetPrintFontName("DejaVu Sans");
  Print->BeforeGridText()->Document() =
      Document({Paragraph({{Format("DejaVu Sans", 32, {fsBold}, clNavy), "Report"}, {Format("宋体", 21), " 报表 😀"}}),
                Paragraph({{Format("DejaVu Sans", 20, {fsUnderline, fsStrikeOut}), "second {line} \\ end"}})});
  Print->AfterGridText()->Add("Checked by:");
  Print->AfterGridText()->Add("");
  Print->AfterGridText()->Add("Date:");

  const std::string Text = WriteComponentResText(Form.get());
  EXPECT_NE(Text.find("BeforeGridText_Data = {"), std::string::npos) << Text;
  EXPECT_NE(Text.find("AfterGridText_Data = {"), std::string::npos) << Text;
  EXPECT_EQ(Text.find("BeforeGridText.Strings"), std::string::npos) << Text;

  TForm Copy(nullptr);
  ReadComponentResText(Text, &Copy);
  auto* Back = dynamic_cast<TPrintDBGridGx*>(Copy.FindComponent("PrintDBGridGx1"));
  ASSERT_NE(Back, nullptr) << Text;
  EXPECT_EQ(Back->DBGridGx(), Copy.FindComponent("DBGridGx1"));
  EXPECT_EQ(Back->Options(), Print->Options());
  EXPECT_EQ(Back->Units(), Inches);
  // Read before the unit, the margins are not converted again.
  for (auto Margin : {&TPageParams::TopMargin, &TPageParams::BottomMargin, &TPageParams::LeftMargin,
                      &TPageParams::RightMargin})
    EXPECT_EQ((Back->Page()->*Margin)().Raw(), (Print->Page()->*Margin)().Raw());
  EXPECT_EQ(Back->Page()->TopMargin().Raw(), 0);
  for (auto [Mine, Theirs] : {std::pair{Print->PageHeader(), Back->PageHeader()}, {Print->PageFooter(), Back->PageFooter()}}) {
    EXPECT_EQ(Theirs->LeftText()->Text(), Mine->LeftText()->Text());
    EXPECT_EQ(Theirs->CenterText()->Text(), Mine->CenterText()->Text());
    EXPECT_EQ(Theirs->RightText()->Text(), Mine->RightText()->Text());
    EXPECT_EQ(Theirs->LineType(), Mine->LineType());
    EXPECT_TRUE(*Theirs->Font() == *Mine->Font());
  }
  EXPECT_EQ(Back->Title()->Text(), Print->Title()->Text());
  EXPECT_EQ(Back->PrintFontName(), "DejaVu Sans");
  EXPECT_EQ(Describe(Back->BeforeGridText()->Document()), Describe(Print->BeforeGridText()->Document()));
  ASSERT_EQ(Back->AfterGridText()->Count(), 3);
  EXPECT_EQ(Back->AfterGridText()->Text(), "Checked by:\r\n\r\nDate:\r\n");

  // Written again, the description is the same.
  EXPECT_EQ(WriteComponentResText(&Copy), Text);
}

TEST_F(PrintFormStoreTest, EmptyTextsWriteNoData) {
  auto* Print = new TPrintDBGridGx(Form.get());
  Print->SetName("PrintDBGridGx1");
  Print->BeforeGridText();  // made, but empty
  Print->AfterGridText()->Add("x");
  Print->AfterGridText()->Delete(0);
  const std::string Text = WriteComponentResText(Form.get());
  EXPECT_EQ(Text.find("GridText_Data"), std::string::npos) << Text;
  // Without a unit written, a description is read as centimetres with margins of 2.
  EXPECT_NE(Text.find("Units = MM"), std::string::npos) << Text;
  EXPECT_NE(Text.find("Page.BottomMargin = 2.0c"), std::string::npos) << Text;
}

}  // namespace
