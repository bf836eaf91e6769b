// The grid's data link: the layout-change flag that field-driven widths respect, the
// modified flag, and the record and write-back notifications it hands to the grid.
#include "tests/support/GridFixture.h"

#include <vector>

namespace {

// Writes a width into its columns while the link reports a layout change.
class TWidthDuringLayoutGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  int WriteWidth = 0;
  bool SawFlag = false;
  void RequestLayout() override {
    if (WriteWidth && GridLink()->InLayoutChange()) {
      SawFlag = true;
      for (int i = 0; i < Columns()->Count(); ++i) Columns()->ColumnAt(i)->SetWidth(WriteWidth);
    }
    TDBGridGx::RequestLayout();
  }
};

TEST_F(GridTest, FieldDrivenWidthsAreNotStoredDuringALinkLayoutChange) {
  auto* Grid = new TWidthDuringLayoutGrid(Form.get());
  Grid->SetParent(Form.get());
  Grid->SetDataSource(NewSource({"A"}, 1));
  // A layout frees an automatic column that has a stored one beside it: none runs here.
  Grid->LockLayout();
  TColumnGx* Driven = Grid->Columns()->AddFieldColumn();
  Driven->SetFieldName("A");
  TColumnGx* Custom = Grid->Columns()->AddColumn();
  Custom->SetFieldName("A");
  Grid->WriteWidth = 200;
  Grid->GridLink()->DataEvent(deLayoutChange, 0);
  EXPECT_TRUE(Grid->SawFlag);
  EXPECT_FALSE(Grid->GridLink()->InLayoutChange());
  EXPECT_FALSE(Driven->AssignedValues().Contains(cvWidth));
  EXPECT_EQ(Custom->Width(), 200);
  Grid->ReleaseLayoutLock();
}

TEST_F(GridTest, TheModifiedFlagClearsOnRecordAndDataSetChanges) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(NewSource({"A"}, 2));
  TGridDataLinkGx* Link = Grid->GridLink();
  for (TDataEvent Event : {deRecordChange, deDataSetChange}) {
    Link->MarkModified();
    Link->DataEvent(Event, 0);
    EXPECT_FALSE(Link->Modified()) << Event;
  }
  Link->MarkModified();
  Link->UndoEdit();
  EXPECT_FALSE(Link->Modified());
}

// Records what the link hands over; its write-back can be made to fail.
class TRecordingGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  std::vector<TField*> Changed;
  int Writes = 0;
  bool FailWrite = false;
  void RecordChanged(TField* Field) override {
    Changed.push_back(Field);
    TDBGridGx::RecordChanged(Field);
  }
  void WriteEditorText() override {
    ++Writes;
    if (FailWrite) throw EDatabaseError("'x' is not a valid value");
  }
};

TEST_F(GridTest, RecordChangesAndWriteBackGoToTheGrid) {
  auto* Grid = new TRecordingGrid(Form.get());
  Grid->SetParent(Form.get());
  TDataSource* Source = NewSource({"A", "B"}, 1);
  Grid->SetDataSource(Source);
  TDataSet* DataSet = Source->DataSet();
  TGridDataLinkGx* Link = Grid->GridLink();

  DataSet->Edit();
  Grid->Changed.clear();
  DataSet->FieldByName("B")->SetAsString("b");
  ASSERT_FALSE(Grid->Changed.empty());
  EXPECT_EQ(Grid->Changed.back(), DataSet->FieldByName("B"));

  // Nothing typed: nothing is written back.
  DataSet->Post();
  EXPECT_EQ(Grid->Writes, 0);

  DataSet->Edit();
  Link->MarkModified();
  DataSet->Post();
  EXPECT_EQ(Grid->Writes, 1);
  EXPECT_FALSE(Link->Modified());
}

TEST_F(GridTest, AFailedWriteBackKeepsTheTypedTextMarkedUnwritten) {
  auto* Grid = new TRecordingGrid(Form.get());
  Grid->SetParent(Form.get());
  TDataSource* Source = NewSource({"A"}, 1);
  Grid->SetDataSource(Source);
  TDataSet* DataSet = Source->DataSet();
  TGridDataLinkGx* Link = Grid->GridLink();
  DataSet->Edit();
  Link->MarkModified();
  Grid->FailWrite = true;
  EXPECT_THROW(DataSet->Post(), EDatabaseError);
  EXPECT_TRUE(Link->Modified());
  EXPECT_EQ(DataSet->State(), dsEdit);
  // The next post tries again; the guard against re-entry was released.
  Grid->FailWrite = false;
  DataSet->Post();
  EXPECT_EQ(Grid->Writes, 2);
  EXPECT_FALSE(Link->Modified());
}

}  // namespace
