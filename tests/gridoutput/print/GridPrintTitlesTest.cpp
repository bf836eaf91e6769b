// Printed titles: multi-level titles whose groups span bands, rotated titles and title
// pictures, and column widths that follow the widest printed text.
#include "tests/support/GridPrintFixture.h"

namespace {

class GridPrintTitlesTest : public GridPrintTest {
protected:
  static win::DrawOp Text(const std::vector<win::DrawOp>& Page, const std::string& Caption) {
    const std::vector<win::DrawOp> Found = Texts(Page, Caption);
    EXPECT_EQ(Found.size(), 1u) << Caption;
    return Found.empty() ? win::DrawOp() : Found.front();
  }
  static int CentreX(const win::DrawOp& Op) { return (Op.rect.left + Op.rect.right) / 2; }
  static int CentreY(const win::DrawOp& Op) { return (Op.rect.top + Op.rect.bottom) / 2; }
};

TEST_F(GridPrintTitlesTest, AGroupSplitOverTwoBandsShowsItsCaptionCentredOverTheWholeGroup) {
  // Two columns fit across the page: "Name" and "Amount" on page 1, "Left" and "Right" on
  // page 2, with the group over "Amount" and "Left".
  TDBGridGx* Grid = FourColumnGrid(3, 300);
  Grid->Columns()->ColumnAt(1)->Title()->SetCaption("Group|Amount");
  Grid->Columns()->ColumnAt(2)->Title()->SetCaption("Group|Left");
  Grid->SetUseMultiTitle(true);
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  const auto Pages = RecordPages(Print);
  ASSERT_EQ(Pages.size(), 2u);
  const win::DrawOp Name = Text(Pages[0], "Name"), Amount = Text(Pages[0], "Amount");
  const win::DrawOp Left = Text(Pages[1], "Left"), Right = Text(Pages[1], "Right");
  const win::DrawOp Group1 = Text(Pages[0], "Group"), Group2 = Text(Pages[1], "Group");
  // Captions are centred in their cells: the distance between two is a column's width.
  const int Column = CentreX(Amount) - CentreX(Name);
  ASSERT_GT(Column, 1000);
  EXPECT_NEAR(CentreX(Right) - CentreX(Left), Column, 2);
  // Each page shows its half of one caption centred over the group's two columns.
  EXPECT_NEAR(CentreX(Group1), CentreX(Amount) + Column / 2, 3);
  EXPECT_NEAR(CentreX(Group2), CentreX(Left) - Column / 2, 3);
  EXPECT_TRUE(Group1.clipped && Group2.clipped);
  EXPECT_LE(Group1.clip.right, CentreX(Amount) + Column / 2 + 1);
  EXPECT_GE(Group2.clip.left, CentreX(Left) - Column / 2 - 1);
  // The group sits above its columns; a column without a group spans both levels.
  EXPECT_LE(Group2.rect.bottom, Left.rect.top);
  EXPECT_LT(CentreY(Group2), CentreY(Right));
  EXPECT_LT(CentreY(Right), CentreY(Left));
  EXPECT_NEAR(CentreY(Name), CentreY(Right), 2);
  // The rows follow under the titles on both pages.
  EXPECT_GT(Text(Pages[0], "Row 1").rect.top, Amount.rect.bottom);
  EXPECT_GT(Text(Pages[1], "L1").rect.top, Left.rect.bottom);
}

TEST_F(GridPrintTitlesTest, RotatedTitlesAndTitlePictures) {
  TDBGridGx* Grid = FourColumnGrid(2, 100);
  TImageList Images(16, 16);
  TBitmap Picture;
  Picture.SetSize(16, 16);
  Picture.Canvas()->Brush()->SetColor(clGreen);
  Picture.Canvas()->FillRect({0, 0, 16, 16});
  Images.Add(&Picture, nullptr);
  Grid->SetTitleImages(&Images);
  Grid->SetTitleHeight(40);
  Grid->Columns()->ColumnAt(0)->Title()->SetOrientation(tohVertical);
  Grid->Columns()->ColumnAt(1)->Title()->SetImageIndex(0);
  for (bool Multi : {false, true}) {
    SCOPED_TRACE(Multi ? "multi-level titles" : "one title row");
    Grid->SetUseMultiTitle(Multi);
    TPrintDBGridGx Print(Form.get());
    Print.SetDBGridGx(Grid);
    const auto Pages = RecordPages(Print, Multi ? "multi.pdf" : "single.pdf");
    ASSERT_EQ(Pages.size(), 1u);
    const win::DrawOp Name = Text(Pages[0], "Name");
    EXPECT_EQ(Name.font.lfEscapement, 900);
    // The picture takes the place of the caption, in the title row above the first row.
    EXPECT_TRUE(Texts(Pages[0], "Amount").empty());
    const std::vector<win::DrawOp> Blits = Ops(Pages[0], win::DrawKind::Blit);
    ASSERT_EQ(Blits.size(), 1u);
    EXPECT_EQ(Blits[0].rect.right - Blits[0].rect.left, 100);  // 16 screen pixels at 600 dpi
    EXPECT_LT(Blits[0].rect.bottom, Text(Pages[0], "Row 1").rect.top);
    EXPECT_GT(Blits[0].rect.left, Name.rect.right);
    EXPECT_EQ(Blits[0].image->pixels[8 * 16 + 8] & 0xFFFFFF, 0x008000u);
  }
}

TEST_F(GridPrintTitlesTest, OptimalWidthsFollowTheWidestPrintedText) {
  // A wide column of short texts and a narrow one of long texts.
  TDBGridGx* Grid = FourColumnGrid(12, 300);
  Grid->Columns()->ColumnAt(1)->SetWidth(4);
  Grid->Columns()->ColumnAt(1)->Title()->SetCaption("A long amount title");
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  Print.SetOptions(TPrintDBGridGxOptions{pghOptimalColWidths});
  const auto Pages = RecordPages(Print);
  ASSERT_EQ(Pages.size(), 1u);
  int Widest = 0;
  for (const std::string& T : {std::string("Name"), std::string("Row 1"), std::string("Row 12")})
    Widest = std::max(Widest, int(Text(Pages[0], T).rect.right - Text(Pages[0], T).rect.left));
  // The second column starts one cell (the widest text and its two insets) after the first.
  const win::DrawOp Name = Text(Pages[0], "Name"), Amount = Text(Pages[0], "A long amount title");
  const int Inset = 12;  // Round(2 x 600 / 96)
  EXPECT_NEAR(Amount.rect.left - Name.rect.left, Widest + 2 * Inset, 2);
  // The narrow column grew to its title: nothing of it is cut.
  EXPECT_TRUE(!Amount.clipped || Amount.clip.right >= Amount.rect.right);
  const win::DrawOp Left = Text(Pages[0], "Left");
  EXPECT_NEAR(Left.rect.left - Amount.rect.left, (Amount.rect.right - Amount.rect.left) + 2 * Inset, 2);
  // The dataset is back at its first record and the widths of the grid are untouched.
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Width(), 300);
  EXPECT_EQ(Grid->DataSource()->DataSet()->RecNo(), 1);
}

}  // namespace
