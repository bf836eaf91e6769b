// The grid's lifecycle: the objects it owns, components freed elsewhere, scaling.
#include "tests/support/GridFixture.h"

#include "platform/data/Field.h"
#include "platform/rtl/Resources.h"

namespace {

TEST_F(GridTest, FreeingTheDataSourceLeavesTheGridWithoutOne) {
  TDBGridGx* Grid = NewGrid();
  TDataSource* Source = NewSource({"A"});
  Grid->SetDataSource(Source);
  ASSERT_EQ(Grid->DataSource(), Source);
  delete Source;
  EXPECT_EQ(Grid->DataSource(), nullptr);
  EXPECT_EQ(Grid->GridLink()->DataSource(), nullptr);
}

TEST_F(GridTest, ADataSourceOwnedElsewhereIsForgottenToo) {
  TDBGridGx* Grid = NewGrid();
  TComponent Other(nullptr);
  auto* Source = new TDataSource(&Other);
  Grid->SetDataSource(Source);
  delete Source;
  EXPECT_EQ(Grid->DataSource(), nullptr);
}

TEST_F(GridTest, FreeingAFieldUnbindsTheColumnsThatShowedIt) {
  TDBGridGx* Grid = NewGrid();
  TDataSource* Source = NewSource({"A", "B"});
  Grid->SetDataSource(Source);
  TDataSet* DataSet = Source->DataSet();
  auto* Field = new TStringField(Form.get());
  Field->SetName("TC");
  Field->SetFieldName("C");
  Field->SetSize(10);
  // A layout binds columns by name again: the field outside the dataset is set last.
  TColumnGx* Other = Grid->Columns()->AddColumn();
  Other->SetFieldName("A");
  TColumnGx* Shown = Grid->Columns()->AddColumn();
  Shown->SetFieldName("C");
  Shown->SetField(Field);
  ASSERT_EQ(Shown->Field(), Field);
  delete Field;
  EXPECT_EQ(Shown->Field(), nullptr);
  EXPECT_EQ(Shown->FieldName(), "C");
  EXPECT_EQ(Other->FieldName(), "A");
  EXPECT_EQ(Grid->LayoutLockCount(), 0);
  EXPECT_EQ(Grid->UpdateLockCount(), 0);
  (void)DataSet;
}

TEST_F(GridTest, FreeingTitleImagesAndColumnMenusClearsTheReferences) {
  TDBGridGx* Grid = NewGrid();
  auto* Images = new TImageList(Form.get());
  auto* Menu = new TPopupMenu(Form.get());
  Grid->SetTitleImages(Images);
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetPopupMenu(Menu);
  Column->SetImageList(Images);
  delete Images;
  delete Menu;
  EXPECT_EQ(Grid->TitleImages(), nullptr);
  EXPECT_EQ(Column->PopupMenu(), nullptr);
  EXPECT_EQ(Column->ImageList(), nullptr);
}

TEST_F(GridTest, TheOptionsMenuHasItsNineItems) {
  TDBGridGx* Grid = NewGrid();
  TPopupMenu* Menu = Grid->OptionsMenu();
  ASSERT_NE(Menu, nullptr);
  EXPECT_EQ(Menu->Name(), "OptionsMenu");
  EXPECT_EQ(Menu->Owner(), Grid);
  const char* Captions[] = {"打印表格", "-", "恢复表格格式", "保存表格格式", "-",
                            "显示/隐藏列", "-", "显示/隐藏过滤行", "清除过滤条件"};
  ASSERT_EQ(Menu->Items()->Count(), 9);
  for (int I = 0; I < 9; ++I) {
    EXPECT_EQ(Menu->Items()->Items(I)->Caption(), Captions[I]);
    EXPECT_EQ(bool(Menu->Items()->Items(I)->OnClick()), std::string(Captions[I]) != "-") << I;
  }
  // Showing or hiding the filter row.
  Menu->Items()->Items(7)->Click();
  EXPECT_TRUE(Grid->STFilter()->Visible());
}

TEST_F(GridTest, AnOptionsMenuFreedElsewhereIsForgotten) {
  TDBGridGx* Grid = NewGrid();
  delete Grid->OptionsMenu();
  EXPECT_EQ(Grid->OptionsMenu(), nullptr);
  delete Grid;  // does not free the menu again
}

TEST_F(GridTest, ScalingSpreadsRoundingOverTheColumns) {
  TDBGridGx* Grid = NewGrid();
  for (int W : {33, 33, 34}) Grid->Columns()->AddColumn()->SetWidth(W);
  Grid->SetParentFont(false);
  Grid->Font()->SetHeight(-11);
  Grid->TitleFont()->SetSize(20);
  Grid->FooterFont()->SetSize(10);
  Grid->ScaleBy(3, 2);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Width(), 50);
  EXPECT_EQ(Grid->Columns()->ColumnAt(1)->Width(), 49);
  EXPECT_EQ(Grid->Columns()->ColumnAt(2)->Width(), 51);
  // Each font grows from its own size.
  EXPECT_EQ(Grid->TitleFont()->Size(), 30);
  EXPECT_EQ(Grid->FooterFont()->Size(), 15);
}

TEST_F(GridTest, ScalingLeavesParentFontsToTheParent) {
  TDBGridGx* Grid = NewGrid();
  ASSERT_TRUE(Grid->ParentFont());
  Grid->TitleFont()->SetSize(20);
  Grid->SetParentFont(true);
  // Following the parent's font again, the title font is the grid's.
  const int Size = Grid->TitleFont()->Size();
  EXPECT_EQ(Size, Grid->Font()->Size());
  Grid->ScaleBy(2, 1);
  EXPECT_EQ(Grid->TitleFont()->Size(), Size);
}

TEST_F(GridTest, LayoutLocksNestAndRebuildOnceAtTheOutermostUnlock) {
  TDBGridGx* Grid = NewGrid();
  Grid->LockLayout();
  EXPECT_FALSE(Grid->TryLockLayout());
  Grid->LockLayout();
  Grid->SetOptions(DefaultDBGridOptions - dgIndicator);
  EXPECT_EQ(Grid->IndicatorColCount(), 1) << "held back by the lock";
  Grid->UnlockLayout();
  EXPECT_EQ(Grid->IndicatorColCount(), 1);
  Grid->UnlockLayout();
  EXPECT_EQ(Grid->IndicatorColCount(), 0);
  EXPECT_EQ(Grid->LayoutLockCount(), 0);
  EXPECT_EQ(Grid->UpdateLockCount(), 0);
  EXPECT_EQ(Grid->FixedCols(), 0);
}

// The form's data source and dataset are written with it, so the grid's reference to
// its data source resolves when the form is read back.
TEST_F(GridTest, AWrittenFormReadsBackWithTheGridOnItsDataSource) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(NewSource({"A"}));
  Grid->DataSource()->DataSet()->Close();  // an in-memory dataset has no packet to open from
  const std::string Text = WriteComponentResText(Form.get());
  TForm Copy(nullptr);
  TDBGridGx* Read = ReadGrid(Text, Copy);
  ASSERT_NE(Read, nullptr) << Text;
  auto* Source = dynamic_cast<TDataSource*>(Copy.FindComponent("DS"));
  ASSERT_NE(Source, nullptr) << Text;
  EXPECT_EQ(Read->DataSource(), Source);
  EXPECT_EQ(Source->DataSet(), Copy.FindComponent("T"));
}

TEST_F(GridTest, ColumnsAreStreamedOnlyWhenCustomised) {
  TDBGridGx* Grid = NewGrid();
  EXPECT_EQ(WriteComponentResText(Form.get()).find("Columns = <"), std::string::npos);
  Grid->Columns()->AddColumn()->SetFieldName("A");
  const std::string Text = WriteComponentResText(Form.get());
  EXPECT_NE(Text.find("Columns = <"), std::string::npos) << Text;
  TForm Copy(nullptr);
  TDBGridGx* Read = ReadGrid(Text, Copy);
  ASSERT_NE(Read, nullptr);
  ASSERT_EQ(Read->Columns()->Count(), 1);
  EXPECT_EQ(Read->Columns()->ColumnAt(0)->FieldName(), "A");
  EXPECT_EQ(Read->ColCount(), 2);
}

}  // namespace

namespace {

TEST_F(GridTest, LoadingTakesFittedWidthsAndSortOrderFromTheColumns) {
  TDBGridGx* Grid = NewGrid();
  const struct {
    const char* Field;
    int Width;
    int SortIndex;
  } Columns[] = {{"A", 40, 2}, {"B", 50, 0}, {"C", 60, 1}};
  Grid->Columns()->BeginUpdate();
  for (const auto& C : Columns) {
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetFieldName(C.Field);
    Column->SetWidth(C.Width);
    if (C.SortIndex) Column->Title()->SetSortMarker(smDownGx);
    Column->Title()->SetSortIndex(C.SortIndex);
  }
  Grid->Columns()->EndUpdate();
  Grid->SetAutoFitColWidths(true);
  const std::string Text = WriteComponentResText(Form.get());

  TForm Copy(nullptr);
  TDBGridGx* Read = ReadGrid(Text, Copy);
  ASSERT_NE(Read, nullptr);
  EXPECT_TRUE(Read->AutoFitColWidths());
  EXPECT_EQ(Read->ScrollBars(), ssNone);
  for (int I = 0; I < 3; ++I) EXPECT_EQ(Read->Columns()->ColumnAt(I)->ProportionalWidth(), Columns[I].Width);
  ASSERT_EQ(Read->SortedColumnList()->Count(), 2);
  EXPECT_EQ(Read->SortedColumnList()->ColumnAt(0), Read->Columns()->ColumnAt(2));
  EXPECT_EQ(Read->SortedColumnList()->ColumnAt(1), Read->Columns()->ColumnAt(0));

  // Switching fitting off gives each column its proportional width back.
  Read->Columns()->ColumnAt(0)->SetProportionalWidth(70);
  Read->SetAutoFitColWidths(false);
  EXPECT_EQ(Read->Columns()->ColumnAt(0)->Width(), 70);
  EXPECT_EQ(Read->ScrollBars(), ssHorizontal);
}

}  // namespace

namespace {

// Without its glyph bitmap a grid cannot be made; the failed grid leaves nothing behind
// that would later reach it.
TEST_F(GridTest, AGridThatCannotLoadItsGlyphFailsCleanly) {
  const std::vector<unsigned char> Glyph = *FindResource("BITMAP", "DBGRID_BMP");
  UnregisterResource("BITMAP", "DBGRID_BMP");
  const int Grids = DefaultGridStyle()->GridCount();
  EXPECT_THROW(new TDBGridGx(Form.get()), EResNotFound);
  RegisterResource("BITMAP", "DBGRID_BMP", Glyph);
  EXPECT_EQ(DefaultGridStyle()->GridCount(), Grids);
  EXPECT_EQ(Form->ComponentCount(), 0);
  NewGrid();  // and grids can be made again
}

}  // namespace
