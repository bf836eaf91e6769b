// Printed cells: check boxes and key images in place of text, money amounts as the grid
// shows them, footer sums and counts in the terms of their fields.
#include "platform/data/Field.h"
#include "tests/support/GridPrintFixture.h"

namespace {

class GridPrintCellsTest : public GridPrintTest {
protected:
  // A 16 x 16 image of one colour.
  static void AddImage(TImageList& List, TColor Color) {
    TBitmap Image;
    Image.SetSize(16, 16);
    Image.Canvas()->Brush()->SetColor(Color);
    Image.Canvas()->FillRect({0, 0, 16, 16});
    List.Add(&Image, nullptr);
  }
};

TEST_F(GridPrintCellsTest, CheckBoxesAndKeyImagesArePrintedInPlaceOfText) {
  TDataSource* Source = NewSource({"Name", "?Done", "%Kind"});
  TDataSet* Data = Source->DataSet();
  for (int R = 1; R <= 3; ++R) {
    Data->Append();
    Data->FieldByName("Name")->SetAsString("Row " + std::to_string(R));
    Data->FieldByName("Done")->SetAsBoolean(R == 1);
    Data->FieldByName("Kind")->SetAsInteger(R);
    Data->Post();
  }
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(Source);
  // Name, Done, Kind, and Done again in a column narrower than the glyph.
  TDBGridColumnsGx* C = Grid->Columns();
  C->Clear();
  for (const char* Field : {"Name", "Done", "Kind", "Done"}) C->AddColumn()->SetFieldName(Field);
  C->ColumnAt(1)->SetCheckboxes(true);
  C->ColumnAt(1)->SetWidth(60);
  C->ColumnAt(3)->SetCheckboxes(true);
  C->ColumnAt(3)->SetWidth(6);
  TImageList Images(16, 16);
  AddImage(Images, clRed);
  AddImage(Images, clBlue);
  TColumnGx* Kind = C->ColumnAt(2);
  Kind->KeyList()->Add("1");
  Kind->KeyList()->Add("2");
  Kind->SetImageList(&Images);
  Kind->SetWidth(60);
  Data->First();

  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  const auto Pages = RecordPages(Print);
  ASSERT_EQ(Pages.size(), 1u);
  const std::vector<win::DrawOp> Boxes = Ops(Pages[0], win::DrawKind::FrameControl);
  ASSERT_EQ(Boxes.size(), 6u);
  const double Ratio = 600.0 / 96;
  const int GlyphW = int(DefaultCheckBoxWidth * Ratio), GlyphH = int(DefaultCheckBoxHeight * Ratio);
  for (std::size_t I = 0; I < Boxes.size(); ++I) {
    const win::DrawOp& Box = Boxes[I];
    SCOPED_TRACE(I);
    EXPECT_EQ(Box.type, win::DFC_BUTTON);
    // Row 1 is checked, in both columns.
    EXPECT_EQ(Box.flags, I < 2 ? win::DFCS_CHECKED : win::DFCS_BUTTONCHECK);
    // A row about as tall as the glyph: at most the glyph's height.
    EXPECT_LE(Box.rect.bottom - Box.rect.top, GlyphH);
    EXPECT_GT(Box.rect.bottom - Box.rect.top, GlyphH * 3 / 4);
    if (I % 2 == 0) EXPECT_EQ(Box.rect.right - Box.rect.left, GlyphW);
    else EXPECT_LT(Box.rect.right - Box.rect.left, GlyphW);  // the narrow column's text area
  }
  // Rows 1 and 2 show their key's picture at the printer's size; row 3 has no key.
  const std::vector<win::DrawOp> Pictures = Ops(Pages[0], win::DrawKind::Blit);
  ASSERT_EQ(Pictures.size(), 2u);
  const std::uint32_t Colors[2] = {0xFF0000, 0x0000FF};
  for (int I = 0; I < 2; ++I) {
    EXPECT_EQ(Pictures[I].rect.right - Pictures[I].rect.left, int(16 * Ratio));
    EXPECT_EQ(Pictures[I].rect.bottom - Pictures[I].rect.top, int(16 * Ratio));
    ASSERT_TRUE(Pictures[I].image);
    EXPECT_EQ(Pictures[I].image->pixels[8 * 16 + 8] & 0xFFFFFF, Colors[I]);
  }
  // The picture is centred in its cell, below the check box of its row.
  EXPECT_GT(Pictures[0].rect.left, Boxes[0].rect.right);
  EXPECT_LT(std::abs((Pictures[0].rect.top + Pictures[0].rect.bottom) - (Boxes[0].rect.top + Boxes[0].rect.bottom)), 4);
  const std::string Text = fake_printers::PdfText(Dir + "/recorded.pdf", 1, 1);
  EXPECT_TRUE(Has(Text, "Row 3")) << Text;
  EXPECT_FALSE(Has(Text, "True|False")) << Text;
}

TEST_F(GridPrintCellsTest, FooterSumsAndCountsAreWrittenInTheirFieldsTerms) {
  TDataSource* Source = NewSource({"%Int", "#Float", "#Money", "^Bcd", "%Counted", "#Own"});
  TDataSet* Data = Source->DataSet();
  for (int R = 1; R <= 3; ++R) {
    Data->Append();
    for (int F = 0; F < Data->FieldCount(); ++F) {
      TField* Field = Data->Fields()[F];
      if (Field->DataType() == ftInteger) Field->SetAsInteger(R);
      else Field->SetAsFloat(R * 1.25);
    }
    Data->Post();
  }
  static_cast<TFloatField*>(Data->FieldByName("Float"))->SetDisplayFormat("0.0#");
  static_cast<TFloatField*>(Data->FieldByName("Money"))->SetCurrency(true);
  static_cast<TBCDField*>(Data->FieldByName("Bcd"))->SetDisplayFormat("#,##0.000");
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(Source);
  Grid->SetFooterRowCount(1);
  for (int I = 0; I < Grid->Columns()->Count(); ++I) {
    Grid->Columns()->ColumnAt(I)->SetWidth(90);
    Grid->Columns()->ColumnAt(I)->Footer()->SetValueType(I == 4 ? fvtCount : fvtSum);
  }
  Grid->Columns()->ColumnAt(5)->Footer()->SetDisplayFormat("[0.0000]");
  // The grid's footer event still has the last word over the printed text.
  Grid->SetOnGetFooterParams([](TObject*, int DataCol, int, TColumnGx*, TFont*, TColor&, TAlignment&, TGridDrawState,
                                std::string& Text) {
    if (DataCol == 4) Text = "n=" + Text;
  });
  Data->First();
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  const std::vector<std::string> Pages = PrintToPdf(Print);
  ASSERT_EQ(Pages.size(), 1u);
  EXPECT_TRUE(Has(Pages[0], "\\s6\\s+7\\.5\\s+\\$7\\.50\\s+7\\.500\\s+n=3\\s+\\[7\\.5000\\]")) << Pages[0];
}

TEST_F(GridPrintCellsTest, AMoneyColumnPrintsTheAmountItsCellsShow) {
  TDataSource* Source = NewSource({"#Amount"});
  TDataSet* Data = Source->DataSet();
  Data->Append();
  Data->Fields()[0]->SetAsFloat(1234.5);
  Data->Post();
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(Source);
  TColumnGx* Column = Grid->Columns()->ColumnAt(0);
  Column->SetIsCurrency(true);
  Column->SetWidth(90);
  // Once money is drawn, the grid writes amounts with the money style's decimal places.
  Grid->SetDrawCurrency(true);
  Grid->SetDrawCurrency(false);
  Data->First();
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  const std::vector<std::string> Pages = PrintToPdf(Print);
  ASSERT_EQ(Pages.size(), 1u);
  EXPECT_TRUE(Has(Pages[0], "\\b1234\\.50\\b")) << Pages[0];
}

}  // namespace
