// How the filter row looks: its cells show the conditions exactly as typed in blue on a
// lighter fixed colour, cells without a filter are plain, a selected column's filter
// cell takes the selection's colours; and a picture of the row with its editor open.
#include "tests/support/CellDrawing.h"
#include "tests/support/FilterRowFixture.h"

#include "grid/DBGridGx/Selection.h"
#include "grid/DBGridGx/Style.h"

#include <cstdio>
#include <filesystem>

namespace {

class FilterDrawTest : public FilterRowTest {
protected:
  CellDrawing FilterCell(const std::vector<win::DrawOp>& Ops, int Index) {
    return DrawnInCell(Grid, Ops, Grid->DataToGridColumn(Index), FilterRow());
  }
};

TEST(BrightenColor, RaisesEachChannelByAShareOfItselfUpTo255) {
  const struct {
    TColor Color;
    int Divisor;
    TColor Want;
  } Cases[] = {
      {static_cast<TColor>(win::RGB(200, 100, 0)), 8, static_cast<TColor>(win::RGB(225, 112, 0))},
      {static_cast<TColor>(win::RGB(250, 16, 7)), 8, static_cast<TColor>(win::RGB(255, 18, 7))},
      {static_cast<TColor>(win::RGB(120, 120, 120)), 2, static_cast<TColor>(win::RGB(180, 180, 180))},
      {clBlack, 8, clBlack},
  };
  for (const auto& C : Cases) EXPECT_EQ(BrightenColor(C.Color, C.Divisor), C.Want) << std::hex << C.Color;
}

TEST_F(FilterDrawTest, FilterCellsShowTheConditionsAsTyped) {
  Open();
  Grid->SetOptionsGx(Grid->OptionsGx() + TDBGridGxOptions{dghFixed3D});
  Grid->SetFixedColor(static_cast<TColor>(win::RGB(160, 160, 200)));
  Grid->Columns()->ColumnAt(0)->STFilter()->SetFilterText(" =  r1");
  Grid->Columns()->ColumnAt(1)->STFilter()->SetFilterText("> r2");
  Grid->Columns()->ColumnAt(1)->STFilter()->SetVisible(false);
  Grid->Columns()->ColumnAt(2)->Title()->SetColor(clYellow);
  Grid->Columns()->ColumnAt(2)->STFilter()->SetVisible(false);
  const auto Ops = PaintAndRecord(Grid->Handle());

  const CellDrawing A = FilterCell(Ops, 0);
  EXPECT_EQ(A.Text(), " =  r1");
  ASSERT_NE(A.FirstText(), nullptr);
  EXPECT_EQ(A.FirstText()->color, win::RGB(0, 0, 255));
  EXPECT_EQ(A.FirstText()->rect.left, A.Rect.left + 1);
  EXPECT_EQ(A.Background(), static_cast<long>(win::RGB(180, 180, 225)));
  // A column without a filter cell is filled with its title's colour and shows nothing.
  EXPECT_EQ(FilterCell(Ops, 1).Text(), "");
  const CellDrawing C = FilterCell(Ops, 2);
  EXPECT_EQ(C.Text(), "");
  EXPECT_EQ(C.Background(), static_cast<long>(ColorToRGB(clYellow)));
  // The filter cells are flat among 3D titles.
  EXPECT_FALSE(A.Has(win::DrawKind::Edge));
  EXPECT_TRUE(DrawnInCell(Grid, Ops, Grid->DataToGridColumn(0), 0).Has(win::DrawKind::Edge));
}

TEST_F(FilterDrawTest, ASelectedColumnsFilterCellTakesTheSelectionColours) {
  Open();
  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgMultiSelect});
  Grid->Columns()->ColumnAt(1)->STFilter()->SetFilterText("= r1");
  Grid->GridSelection()->Columns()->SelectColumn(Grid->Columns()->ColumnAt(1), false);
  TFont Font;
  TColor Want = BrightenColor(Grid->FixedColor(), 8);
  ASSERT_TRUE(Grid->FixedCellColors(Grid->DataToGridColumn(1), FilterRow(), &Font, Want, true, {gdFixed}, 0, 1, 0));
  const auto Ops = PaintAndRecord(Grid->Handle());
  const CellDrawing B = FilterCell(Ops, 1);
  EXPECT_EQ(B.Text(), "= r1");
  EXPECT_EQ(B.Background(), static_cast<long>(ColorToRGB(Want)));
  EXPECT_NE(FilterCell(Ops, 0).Background(), B.Background());
}

TEST_F(FilterDrawTest, TheFilterRowWithItsEditorOpenIsSavedAsPng) {
  Open(6, 420, 180);
  Grid->Columns()->ColumnAt(0)->STFilter()->SetFilterText("~ r%");
  Grid->Columns()->ColumnAt(2)->STFilter()->SetFilterText("<> r3 AND <> r4");
  EditCell(1, "In (r1, r2)");
  // Not stored yet: what the cell shows is the editor's own drawing, "r1" selected.
  ASSERT_EQ(Condition(1), "");
  Editor()->SetSelStart(4);
  Editor()->SetSelLength(2);
  win::headless::ProcessMessages();
  PaintAndRecord(Form->Handle());
  const std::string File = ::testing::TempDir() + "vantrel-filter-row.png";
  std::filesystem::remove(File);
  ASSERT_TRUE(win::SaveWindowPng(Form->Handle(), File));
  EXPECT_GT(std::filesystem::file_size(File), 100u);
  std::printf("filter row snapshot: %s\n", File.c_str());
}

}  // namespace
