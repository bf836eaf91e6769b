// Fields, data sources, menus, image lists and columns freed while something still
// refers to them: nothing is left dangling (the sanitizers check every access).
#include "tests/support/GridFixture.h"

#include "platform/controls/Menus.h"
#include "platform/graphics/ImageList.h"

namespace {

TEST_F(GridTest, AColumnForgetsAFieldFreedWithItsDataSet) {
  TDBGridGx* Grid = NewGrid();
  TDataSource* Source = NewSource({"Name", "?Flag"}, 1);
  Grid->SetDataSource(Source);
  TColumnGx* Name = Grid->Columns()->AddColumn();
  Name->SetFieldName("name");
  TColumnGx* Flag = Grid->Columns()->AddColumn();
  Flag->SetFieldName("Flag");
  Flag->Footer()->SetValueType(fvtCount);
  ASSERT_NE(Name->Field(), nullptr);
  EXPECT_EQ(Name->FieldName(), "Name");  // the field's own spelling
  EXPECT_TRUE(Flag->Checkboxes());

  delete Source->DataSet();
  EXPECT_EQ(Name->Field(), nullptr);
  EXPECT_EQ(Flag->Field(), nullptr);
  EXPECT_EQ(Name->FieldName(), "Name");
  EXPECT_FALSE(Flag->Checkboxes());
  EXPECT_EQ(Name->Alignment(), taLeftJustify);
  EXPECT_EQ(Name->Title()->Caption(), "Name");
  EXPECT_EQ(Grid->GridLink()->FieldAt(0), nullptr);
  delete Source;
  EXPECT_EQ(Grid->DataSource(), nullptr);
}

TEST_F(GridTest, AColumnWithoutGridForgetsItsFieldMenuAndImages) {
  TDBGridColumnsGx Columns(nullptr, TDBGridColumnGx::StaticClass());
  TColumnGx* Column = Columns.AddColumn();
  TDataSource* Source = NewSource({"A"});
  TField* Field = Source->DataSet()->FieldByName("A");
  auto* Menu = new TPopupMenu(Form.get());
  auto* Images = new TImageList(Form.get());
  Column->SetField(Field);
  Column->SetPopupMenu(Menu);
  Column->SetImageList(Images);
  ASSERT_EQ(Column->Field(), Field);
  delete Images;
  delete Menu;
  Source->DataSet()->Close();
  delete Source->DataSet();
  EXPECT_EQ(Column->Field(), nullptr);
  EXPECT_EQ(Column->PopupMenu(), nullptr);
  EXPECT_EQ(Column->ImageList(), nullptr);
}

TEST_F(GridTest, FooterSumItemsSurviveTheSumListBeingReplacedOrTheColumnFreed) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetFieldName("Amount");
  TColumnFooterGx* Footer = Column->Footers()->Add();
  Footer->SetValueType(fvtSum);
  TDBSumCollection* Sums = Grid->SumList()->SumCollection();
  ASSERT_EQ(Sums->Count(), 1);
  EXPECT_EQ(Footer->SumItem()->FieldName(), "Amount");
  EXPECT_EQ(Footer->SumItem()->GroupOperation(), goSum);

  // The grid takes another sum list's settings: its items are replaced.
  TDBGridGxSumList Empty(nullptr);
  Grid->SetSumList(&Empty);
  EXPECT_EQ(Footer->SumItem(), nullptr);
  Footer->RelinkSum();
  ASSERT_NE(Footer->SumItem(), nullptr);
  EXPECT_EQ(Sums->Count(), 1);

  Footer->SetValueType(fvtStaticText);
  EXPECT_EQ(Sums->Count(), 0);
  Footer->SetValueType(fvtAvg);
  Footer->SetFieldName("Other");
  EXPECT_EQ(Footer->SumItem()->FieldName(), "Other");
  delete Column;
  EXPECT_EQ(Sums->Count(), 0);
}

TEST_F(GridTest, AFreedColumnLeavesTheGridsListsAndSelection) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
  for (int i = 0; i < 3; ++i) Grid->Columns()->AddColumn();
  TColumnGx* Doomed = Grid->Columns()->ColumnAt(1);
  Doomed->Title()->SetSortMarker(smDownGx);
  TDBGridGxSelectionCols* Selected = Grid->GridSelection()->Columns();
  Selected->SelectColumn(Doomed, false);
  ASSERT_EQ(Grid->SortedColumnList()->Count(), 1);
  delete Doomed;
  EXPECT_EQ(Grid->SortedColumnList()->Count(), 0);
  EXPECT_EQ(Selected->Count(), 0);
  EXPECT_EQ(Selected->Anchor(), nullptr);
  Selected->ShiftSelectTo(Grid->Columns()->ColumnAt(1));
  EXPECT_EQ(Selected->Count(), 1);
}

TEST_F(GridTest, AFreedColumnLeavesTheRectangleTheSortListAndTheHeaderTree) {
  const struct {
    const char* Way;
    void (*Free)(TDBGridColumnsGx* Columns);
  } Ways[] = {
      {"freed", [](TDBGridColumnsGx* Columns) { delete Columns->ColumnAt(1); }},
      {"deleted from the collection", [](TDBGridColumnsGx* Columns) { Columns->Delete(1); }},
  };
  for (const auto& Way : Ways) {
    SCOPED_TRACE(Way.Way);
    Form = std::make_unique<TForm>(nullptr);
    TDBGridGx* Grid = NewGrid();
    Grid->SetOptionsGx(Grid->OptionsGx() + dghMultiSortMarking);
    TDataSource* Source = NewSource({"A", "B"}, 2);
    Grid->SetDataSource(Source);
    for (const char* Caption : {"G|A", "G|B"}) {
      TColumnGx* Column = Grid->Columns()->AddColumn();
      Column->Title()->SetCaption(Caption);
      Column->Title()->SetSortMarker(smDownGx);
    }
    Grid->BuildHeadTree();
    TDataSet* DataSet = Source->DataSet();
    DataSet->First();
    const std::string First = DataSet->Bookmark();
    DataSet->Next();
    TDBGridGxSelectionRect* Rect = Grid->GridSelection()->Rect();
    Rect->ExtendTo(0, First, false);
    Rect->ExtendTo(1, DataSet->Bookmark(), true);
    ASSERT_EQ(Grid->GridSelection()->Kind(), gstRectangle);

    Way.Free(Grid->Columns());
    ASSERT_EQ(Grid->SortedColumnList()->Count(), 1);
    EXPECT_EQ(Grid->SortedColumnList()->ColumnAt(0), Grid->Columns()->ColumnAt(0));
    EXPECT_EQ(Rect->GetEndColumn(), 0);
    EXPECT_EQ(Grid->HeadTreeLeaf(1), nullptr);
    // The header keeps its shape until the next layout; every column it still names is
    // alive, and measuring it touches no freed column.
    Grid->HeadTreeRoot()->ForEachNode(
        [](TCustomDBGridGx* Owner, THeadTreeNode* Node) {
          if (Node->Column) {
            EXPECT_EQ(Node->Column->Grid(), Owner);
          }
        },
        Grid);
    EXPECT_GT(Grid->MeasureHeadTree(Grid->HeadTreeRoot()), 0);
    Grid->BuildHeadTree();
    EXPECT_EQ(Grid->HeadTreeLeaf(0)->Column, Grid->Columns()->ColumnAt(0));
    EXPECT_EQ(Grid->HeadTreeLeaf(1), nullptr);
  }
}

}  // namespace
