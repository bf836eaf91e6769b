// A picture of a small grid (titles over two levels, check boxes, a footer row) saved as
// PNG for a person to open and judge; the test checks that it was written and shows the
// grid's colours where the cells are.
#include "tests/support/PaintFixture.h"

#include <filesystem>

namespace {

using GridSnapshotTest = GridPaintTest;

TEST_F(GridSnapshotTest, SmallGridIsSavedAsPng) {
  TDBGridGx* Grid = ShownGrid({"Name", "?Done"}, 3);
  TDataSet* DS = Grid->DataSource()->DataSet();
  DS->First();
  for (bool Value : {true, false}) {
    DS->Edit();
    DS->FieldByName("Done")->SetAsBoolean(Value);
    DS->Post();
    DS->Next();
  }
  DS->First();
  Grid->SetUseMultiTitle(true);
  Grid->Columns()->ColumnAt(0)->Title()->SetCaption("Snippet|Name");
  Grid->Columns()->ColumnAt(1)->Title()->SetCaption("Snippet|Done");
  Grid->SetFooterRowCount(1);
  Grid->SetFooterColor(clBtnFace);
  Grid->SetRowColorFlag(true);
  Paint(Grid);
  const std::string File = ::testing::TempDir() + "vantrel-grid-snapshot.png";
  std::filesystem::remove(File);
  ASSERT_TRUE(win::SaveWindowPng(Grid->Handle(), File));
  EXPECT_GT(std::filesystem::file_size(File), 100u);
  // Painted onto the window, the data cell of record 3 shows the second row colour.
  win::HDC DC = win::GetDC(Grid->Handle());
  const win::RECT R = Grid->CellRect(1, 3);
  EXPECT_EQ(win::GetPixel(DC, R.right - 3, R.bottom - 3), ColorToRGB(Grid->RowOneColor()));
  win::ReleaseDC(Grid->Handle(), DC);
  std::printf("grid snapshot: %s\n", File.c_str());
}

}  // namespace
