// A column's drop-down box: settings passed through to the column's popup grid, which the
// column makes on first use, and their streaming.
#include "tests/support/GridFixture.h"

#include "grid/DBLookupGridsGx.h"
#include "gridcontrols/ToolCtrlsGx/MRUList.h"
#include "platform/rtl/forms/FormText.h"

TEST_F(GridTest, ReadingTheBoxColumnsMakesThePopupGridOnce) {
  TColumnGx* Column = NewGrid()->Columns()->AddColumn();
  EXPECT_EQ(Column->PopupGridIfMade(), nullptr);
  TDBGridColumnsGx* Columns = Column->DropDownBox()->Columns();
  ASSERT_NE(Column->PopupGridIfMade(), nullptr);
  EXPECT_EQ(Columns, Column->PopupGridIfMade()->Columns());
  EXPECT_EQ(Column->GetPopupGrid(), Column->PopupGridIfMade());
  Column->DropDownBox()->SetOptions(TDBLookupGridGxOptions{dlgRowLinesGx});
  EXPECT_EQ(Column->PopupGridIfMade()->LookupOptions(), TDBLookupGridGxOptions{dlgRowLinesGx});
  EXPECT_TRUE(Column->PopupGridIfMade()->Options().Contains(dgRowLines));
}

TEST_F(GridTest, AssigningABoxCopiesOrEmptiesThePopupColumns) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* From = Grid->Columns()->AddColumn();
  TColumnGx* To = Grid->Columns()->AddColumn();
  To->DropDownBox()->Columns()->AddColumn()->SetFieldName("Old");
  From->DropDownBox()->SetAutoFitColWidths(false);
  To->DropDownBox()->Assign(From->DropDownBox());
  // Emptied: only the grid's own default column is left.
  EXPECT_FALSE(To->DropDownBox()->Columns()->IsCustomized());
  EXPECT_FALSE(To->DropDownBox()->IsColumnsStored());
  EXPECT_FALSE(To->DropDownBox()->AutoFitColWidths());
  From->DropDownBox()->Columns()->AddColumn()->SetFieldName("New");
  To->DropDownBox()->Assign(From->DropDownBox());
  ASSERT_EQ(To->DropDownBox()->Columns()->Count(), 1);
  EXPECT_EQ(To->DropDownBox()->Columns()->ColumnAt(0)->FieldName(), "New");
}

TEST_F(GridTest, FreeingTheBoxListSourceClearsIt) {
  TColumnGx* Column = NewGrid()->Columns()->AddColumn();
  TDataSource* Source = NewSource({"A"}, 2);
  Column->DropDownBox()->SetListSource(Source);
  EXPECT_EQ(Column->LookupListDataSet(), Source->DataSet());
  delete Source;
  EXPECT_EQ(Column->DropDownBox()->ListSource(), nullptr);
  EXPECT_EQ(Column->LookupListDataSet(), nullptr);
}

TEST_F(GridTest, DropDownBoxAndRecentListStreamWithTheColumn) {
  TDBGridGx* Grid = NewGrid();
  TColumnGx* Column = Grid->Columns()->AddColumn();
  Column->SetFieldName("A");
  Column->MRUList()->SetActive(true);
  Column->DropDownBox()->SetUseMultiTitle(true);
  Column->DropDownBox()->SetOptions(TDBLookupGridGxOptions{dlgColLinesGx, dlgRowLinesGx});
  Column->DropDownBox()->Columns()->AddColumn()->SetFieldName("Name");
  // A column whose popup grid was never made stores none of it and makes none.
  TColumnGx* Plain = Grid->Columns()->AddColumn();
  const std::string Text = WriteComponentResText(Form.get());
  EXPECT_EQ(Plain->PopupGridIfMade(), nullptr) << Text;
  TForm Copy(nullptr);
  TDBGridGx* Read = ReadGrid(Text, Copy);
  ASSERT_NE(Read, nullptr) << Text;
  TColumnGx* C = Read->Columns()->ColumnAt(0);
  EXPECT_TRUE(C->MRUList()->Active());
  EXPECT_TRUE(C->DropDownBox()->UseMultiTitle());
  EXPECT_EQ(C->DropDownBox()->Options(), (TDBLookupGridGxOptions{dlgColLinesGx, dlgRowLinesGx}));
  ASSERT_EQ(C->DropDownBox()->Columns()->Count(), 1) << Text;
  EXPECT_EQ(C->DropDownBox()->Columns()->ColumnAt(0)->FieldName(), "Name");
  EXPECT_EQ(Read->Columns()->ColumnAt(1)->PopupGridIfMade(), nullptr);
}

TEST_F(GridTest, SpecialRowOfTheColumnReachesItsPopupGrid) {
  TColumnGx* Column = NewGrid()->Columns()->AddColumn();
  TPopupDataGridGx* Popup = Column->GetPopupGrid();
  Column->DropDownSpecRow()->SetCellsText("none");
  Column->DropDownSpecRow()->SetVisible(true);
  EXPECT_TRUE(Popup->SpecRow()->Visible());
  EXPECT_EQ(Popup->SpecRow()->CellsText(), "none");
}
