// The grid's property writers: what each one stores and whether it rebuilds the layout,
// repaints or re-creates the window; the row height taken from a row resized by the
// user; the style link.
#include "tests/support/CountingGrid.h"
#include "tests/support/GridFixture.h"

#include "grid/DBGridGx/SharedResources.h"
#include "platform/desktop/Headless.h"

#include <functional>

namespace {

namespace hl = win::headless;

// Exposes the base grid's row heights and its row-sizing notification.
class TRowSizingGrid : public TCountingGrid {
public:
  using TCountingGrid::TCountingGrid;
  using TCountingGrid::RowHeightsChanged;
  using TCountingGrid::SetRowHeights;
};

class PropertyWritersTest : public GridTest {
protected:
  // A shown grid with one footer row on Rows records.
  template <class G = TCountingGrid>
  G* Open(int Rows = 3) {
    Form->SetBounds(50, 50, 400, 300);
    auto* Made = new G(Form.get());
    Made->SetParent(Form.get());
    Made->SetBounds(0, 0, 380, 260);
    Made->SetDataSource(NewSource({"A", "B"}, Rows));
    Made->SetFooterRowCount(1);
    Form->Show();
    hl::ProcessMessages();
    return Made;
  }

  // Nothing left to repaint and no rebuild counted yet.
  static void Settle(TCountingGrid* Grid) {
    hl::ProcessMessages();
    win::ValidateRect(Grid->Handle(), nullptr);
    Grid->Requests = 0;
  }
  static bool RepaintPending(TCountingGrid* Grid) {
    win::RECT R{};
    return win::GetUpdateRect(Grid->Handle(), &R, win::FALSE) != 0;
  }
};

TEST_F(PropertyWritersTest, EachWriterRebuildsRepaintsOrRecreatesAsItShould) {
  TCountingGrid* Grid = Open();
  TImageList Images(Form.get());
  TFont Big;
  Big.SetHeight(-30);
  enum Reaction { Nothing, Repaint, Layout, Recreate };
  const struct {
    const char* Name;
    std::function<void()> Write;
    Reaction Want;
    std::function<bool()> Stored;
  } Cases[] = {
      {"VTitleMargin unchanged", [&] { Grid->SetVTitleMargin(10); }, Layout, [&] { return Grid->VTitleMargin() == 10; }},
      {"VTitleMargin", [&] { Grid->SetVTitleMargin(4); }, Layout, [&] { return Grid->VTitleMargin() == 4; }},
      {"UseMultiTitle unchanged", [&] { Grid->SetUseMultiTitle(false); }, Layout, nullptr},
      {"UseMultiTitle", [&] { Grid->SetUseMultiTitle(true); }, Layout, [&] { return Grid->UseMultiTitle(); }},
      {"RowHeight", [&] { Grid->SetRowHeight(30); }, Layout, [&] { return Grid->DefaultRowHeight() == 30; }},
      {"RowHeight unchanged", [&] { Grid->SetRowHeight(30); }, Nothing, nullptr},
      {"RowLines below zero", [&] { Grid->SetRowLines(-2); }, Layout, [&] { return Grid->RowLines() == 0; }},
      {"RowLines", [&] { Grid->SetRowLines(2); }, Layout, [&] { return Grid->RowLines() == 2; }},
      {"MinAutoFitWidth", [&] { Grid->SetMinAutoFitWidth(5); }, Layout, [&] { return Grid->MinAutoFitWidth() == 5; }},
      {"FooterFont", [&] { Grid->SetFooterFont(&Big); }, Layout, [&] { return Grid->FooterFont()->Height() == -30; }},
      {"FooterColor", [&] { Grid->SetFooterColor(clRed); }, Repaint,
       [&] { return Grid->FooterColor() == clRed && !Grid->ParentColor(); }},
      {"ShowImage", [&] { Grid->SetShowImage(true); }, Repaint, [&] { return Grid->ShowImage(); }},
      {"ShowImage unchanged", [&] { Grid->SetShowImage(true); }, Nothing, nullptr},
      {"RowColorFlag", [&] { Grid->SetRowColorFlag(true); }, Repaint, [&] { return Grid->RowColorFlag(); }},
      {"RowOneColor", [&] { Grid->SetRowOneColor(clYellow); }, Repaint, nullptr},
      {"RowTwoColor", [&] { Grid->SetRowTwoColor(clAqua); }, Repaint, nullptr},
      {"DrawMemoText", [&] { Grid->SetDrawMemoText(true); }, Repaint, [&] { return Grid->DrawMemoText(); }},
      {"ReadOnly", [&] { Grid->SetReadOnly(true); }, Repaint, [&] { return Grid->ReadOnly(); }},
      {"TitleImages", [&] { Grid->SetTitleImages(&Images); }, Layout, [&] { return Grid->TitleImages() == &Images; }},
      {"a change of the title images", [&] { Images.SetBkColor(clRed); }, Repaint, nullptr},
      {"Flat", [&] { Grid->SetFlat(true); }, Recreate, [&] { return Grid->Flat(); }},
      {"Flat unchanged", [&] { Grid->SetFlat(true); }, Nothing, nullptr},
  };
  for (const auto& C : Cases) {
    Settle(Grid);
    const win::HWND Before = Grid->Handle();
    C.Write();
    const bool Recreated = !Grid->HandleAllocated() || Grid->Handle() != Before;
    EXPECT_EQ(Recreated, C.Want == Recreate) << C.Name;
    EXPECT_EQ(Grid->Requests > 0, C.Want == Layout || C.Want == Recreate) << C.Name;
    if (C.Want == Repaint || C.Want == Nothing) {
      EXPECT_EQ(RepaintPending(Grid), C.Want == Repaint) << C.Name;
    }
    if (C.Stored) {
      EXPECT_TRUE(C.Stored()) << C.Name;
    }
  }
}

TEST_F(PropertyWritersTest, TitleImagesListenOnlyToTheListInUse) {
  TCountingGrid* Grid = Open();
  TImageList Old(Form.get()), New(Form.get());
  Grid->SetTitleImages(&Old);
  Grid->SetTitleImages(&New);
  Settle(Grid);
  Old.SetBkColor(clRed);
  EXPECT_FALSE(RepaintPending(Grid));
  New.SetBkColor(clRed);
  EXPECT_TRUE(RepaintPending(Grid));
  Grid->SetTitleImages(nullptr);
  Settle(Grid);
  New.SetBkColor(clBlue);
  EXPECT_FALSE(RepaintPending(Grid));
}

TEST_F(PropertyWritersTest, FooterColorLeavesParentColorAloneWhileLoading) {
  TDBGridGx* Grid = NewGrid();
  // ParentColor first: taking the parent's colour repaints the footers in it.
  const std::string Text = "object Form1: TForm\n  object DBGridGx1: TDBGridGx\n    ParentColor = True\n"
                           "    FooterColor = clRed\n  end\nend\n";
  TForm Copy(nullptr);
  TDBGridGx* Read = ReadGrid(Text, Copy);
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->FooterColor(), clRed);
  EXPECT_TRUE(Read->ParentColor());
  Grid->SetFooterColor(clBlue);
  EXPECT_FALSE(Grid->ParentColor());
}

TEST_F(PropertyWritersTest, AutoFitColWidthsOffGivesColumnsTheirSharesBackAndTheBar) {
  TCountingGrid* Grid = Open();
  Grid->Columns()->AddColumn()->SetFieldName("A");
  Grid->Columns()->AddColumn()->SetFieldName("B");
  Grid->Columns()->ColumnAt(0)->SetWidth(60);
  Grid->Columns()->ColumnAt(1)->SetWidth(90);
  Grid->SetAutoFitColWidths(true);
  EXPECT_EQ(Grid->ScrollBars(), ssNone);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->ProportionalWidth(), 60);
  Grid->Columns()->ColumnAt(0)->SetProportionalWidth(70);
  Grid->Columns()->ColumnAt(1)->SetProportionalWidth(110);
  Grid->Requests = 0;
  Grid->SetAutoFitColWidths(false);
  EXPECT_EQ(Grid->ScrollBars(), ssHorizontal);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Width(), 70);
  EXPECT_EQ(Grid->Columns()->ColumnAt(1)->Width(), 110);
  EXPECT_GT(Grid->Requests, 0);
}

TEST_F(PropertyWritersTest, ARowResizedByTheUserSetsTheHeightOfEveryDataRow) {
  TRowSizingGrid* Grid = Open<TRowSizingGrid>(5);
  Grid->SetRowLines(1);
  const int Default = Grid->DefaultRowHeight();
  const int Title = Grid->RowHeights(0);
  const int Tall = Default + 17;

  // Not from a mouse release with the row-sizing cursor: the row keeps its own height.
  Grid->SetRowHeights(2, Tall);
  Grid->RowHeightsChanged();
  EXPECT_EQ(Grid->RowLines(), 1);
  EXPECT_EQ(Grid->RowHeights(1), Default);

  Grid->SetRowSizing(true);
  Grid->RowHeightsChanged();
  EXPECT_FALSE(Grid->RowSizing());
  EXPECT_EQ(Grid->RowLines(), 0);
  EXPECT_EQ(Grid->RowHeight(), Tall);
  for (int R = 1; R < Grid->TitleAreaRowCount() + Grid->DataRowCount(); ++R)
    EXPECT_EQ(Grid->RowHeights(R), Tall) << "row " << R;
  EXPECT_EQ(Grid->RowHeights(0), Title) << "the title row keeps its height";
}

TEST_F(PropertyWritersTest, TheStyleLinkJoinsAndLeavesStyleLists) {
  TDBGridGx* Grid = NewGrid();
  TDBGridGxStyle* Default = DefaultGridStyle();
  ASSERT_NE(Default, nullptr);
  EXPECT_EQ(Grid->GridStyle(), Default);
  EXPECT_TRUE(Default->HasGrid(Grid));
  TDBGridGxStyle Own;
  Grid->SetGridStyle(&Own);
  EXPECT_EQ(Grid->GridStyle(), &Own);
  EXPECT_TRUE(Own.HasGrid(Grid));
  EXPECT_FALSE(Default->HasGrid(Grid));
  Grid->SetGridStyle(&Own);
  EXPECT_EQ(Own.GridCount(), 1);
  Grid->SetGridStyle(nullptr);
  EXPECT_EQ(Grid->GridStyle(), Default);
  EXPECT_TRUE(Default->HasGrid(Grid));
  EXPECT_FALSE(Own.HasGrid(Grid));
}

}  // namespace
