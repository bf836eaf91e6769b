// The grid's data link: the layout-change flag that field-driven widths respect, and
// the modified flag.
#include "tests/grid/columns/ColumnsFixture.h"

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

TEST_F(ColumnsTest, FieldDrivenWidthsAreNotStoredDuringALinkLayoutChange) {
  auto* Grid = new TWidthDuringLayoutGrid(Form.get());
  Grid->SetParent(Form.get());
  Grid->SetDataSource(NewSource({"A"}, 1));
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
}

TEST_F(ColumnsTest, TheModifiedFlagClearsOnRecordAndDataSetChanges) {
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

}  // namespace
