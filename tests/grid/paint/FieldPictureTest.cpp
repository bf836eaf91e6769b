// Pictures held in blob fields: drawn to the cell keeping their aspect ratio, and nothing
// at all for data that is no picture, however it is broken.
#include "tests/support/PaintFixture.h"

#include "platform/rtl/Streams.h"

namespace {

class FieldPictureTest : public GridPaintTest {
protected:
  // A grid over one graphic field whose single record holds Bytes.
  TDBGridGx* PictureGrid(const std::string& Bytes) {
    auto* DataSet = new TClientDataSet(Form.get());
    DataSet->FieldDefs().Add("P", ftGraphic, 0);
    DataSet->CreateDataSet();
    DataSet->Append();
    DataSet->Fields()[0]->SetAsString(Bytes);
    DataSet->Post();
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(DataSet);
    Form->SetBounds(10, 10, 500, 400);
    TDBGridGx* Grid = NewGrid();
    Grid->SetBounds(0, 0, 300, 200);
    Grid->SetDataSource(Source);
    Grid->SetShowImage(true);
    Grid->SetRowHeight(40);
    Grid->Columns()->ColumnAt(0)->SetWidth(120);
    Form->Show();
    win::headless::ProcessMessages();
    return Grid;
  }
  // A BMP file of a W x H bitmap.
  static std::string Bmp(int W, int H) {
    TBitmap B;
    B.SetSize(W, H);
    TStringStream S;
    B.SaveToStream(&S);
    return S.DataString();
  }
};

TEST_F(FieldPictureTest, APictureKeepsItsAspectRatioCentredInTheCell) {
  TDBGridGx* Grid = PictureGrid(Bmp(20, 10));
  auto Ops = Paint(Grid);
  const CellDrawing C = Cell(Grid, Ops, 1, 1);
  const auto Blits = C.OfKind(win::DrawKind::Blit);
  ASSERT_FALSE(Blits.empty());
  const win::DrawOp* Picture = &Blits.back();
  const win::RECT R = Grid->CellRect(1, 1);
  const int W = Picture->rect.right - Picture->rect.left, H = Picture->rect.bottom - Picture->rect.top;
  EXPECT_EQ(H, R.bottom - R.top - 2);
  EXPECT_EQ(W, H * 2);
  EXPECT_NEAR((Picture->rect.left + Picture->rect.right) / 2, (R.left + R.right) / 2, 1);
}

TEST_F(FieldPictureTest, DataThatIsNoPictureDrawsNothing) {
  std::string Truncated = Bmp(20, 10);
  Truncated.resize(40);
  std::string Huge = Bmp(2, 2);
  // Width and height in the info header claim 30000 x 30000 pixels.
  for (int Offset : {18, 22}) {
    Huge[Offset] = static_cast<char>(0x30);
    Huge[Offset + 1] = static_cast<char>(0x75);
  }
  std::string Offset = Bmp(4, 4);
  Offset[10] = static_cast<char>(0xFF);  // pixel data far beyond the end
  Offset[11] = static_cast<char>(0xFF);
  for (const std::string& Bytes : {std::string("not a picture"), std::string("BM"), Truncated, Huge, Offset}) {
    Form = std::make_unique<TForm>(nullptr);
    TDBGridGx* Grid = PictureGrid(Bytes);
    std::vector<win::DrawOp> Ops;
    ASSERT_NO_THROW(Ops = Paint(Grid)) << Bytes.size();
    EXPECT_FALSE(Cell(Grid, Ops, 1, 1).Has(win::DrawKind::Blit)) << Bytes.size();
  }
}

}  // namespace
