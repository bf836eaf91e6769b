// Saves and restores that fail part way: the store keeps a whole layout, the grid keeps
// its columns, and nothing else runs in between.
#include "tests/grid/layoutstore/LayoutStoreFixture.h"

#include "platform/desktop/Windows.h"

namespace {

// A column that refuses one width, standing for any error while a column is made.
class TRefusingColumn : public TDBGridColumnGx {
  VANTREL_CLASS(TRefusingColumn, TDBGridColumnGx)
public:
  explicit TRefusingColumn(TCollection* Collection) : TDBGridColumnGx(Collection) {}
  void SetWidth(int Value) override {
    if (Value == 13) throw EDatabaseError("width 13 refused");
    TDBGridColumnGx::SetWidth(Value);
  }
};

class TRefusingGrid : public TDBGridGx {
  VANTREL_CLASS(TRefusingGrid, TDBGridGx)
public:
  explicit TRefusingGrid(TComponent* AOwner) : TDBGridGx(AOwner) { RemakeColumnObjects(); }

protected:
  TDBGridColumnsGx* CreateColumns() override { return new TDBGridColumnsGx(this, TRefusingColumn::StaticClass()); }
};

using LayoutFailureTest = LayoutStoreTest;

std::vector<std::string> Names(TCustomDBGridGx* Grid) {
  std::vector<std::string> Names;
  for (int I = 0; I < Grid->Columns()->Count(); ++I) Names.push_back(Grid->Columns()->ColumnAt(I)->FieldName());
  return Names;
}

TEST_F(LayoutFailureTest, AStoreThatRefusesWritesKeepsTheEarlierLayout) {
  TDBGridGx* Grid = GridOnData();
  for (const char* F : {"A", "N", "F"}) Grid->Columns()->AddColumn()->SetFieldName(F);
  SaveGridLayout(Grid, "");
  const std::string Before = TRegistryHome::Stored(GridKey(), "0000");

  Grid->Columns()->Delete(0);
  win::headless::SetRegistryWriteHook([](const std::string&) { return false; });
  EXPECT_THROW(SaveGridLayout(Grid, ""), ERegistryException);
  // Held in memory and in the store alike.
  TRegistry Reg(win::KEY_READ);
  ASSERT_TRUE(Reg.OpenKeyReadOnly(GridKey()));
  EXPECT_EQ(Reg.ReadString("0000"), Before);
  Reg.CloseKey();
  win::headless::SetRegistryWriteHook(nullptr);
  EXPECT_EQ(TRegistryHome::StoredNames(GridKey()), (std::vector<std::string>{"最后更新时间", "0000", "0001", "0002"}));
  EXPECT_EQ(TRegistryHome::Stored(GridKey(), "0000"), Before);
  Grid->Columns()->Clear();
  RestoreGridLayout(Grid, "");
  EXPECT_EQ(Names(Grid), (std::vector<std::string>{"A", "N", "F"}));
}

TEST_F(LayoutFailureTest, AStoreThatFailsAfterItsFirstWriteHoldsAWholeLayout) {
  TDBGridGx* Grid = GridOnData();
  for (const char* F : {"A", "N", "F"}) Grid->Columns()->AddColumn()->SetFieldName(F);
  SaveGridLayout(Grid, "");
  Grid->Columns()->Delete(1);
  int Writes = 0;
  win::headless::SetRegistryWriteHook([&Writes](const std::string&) { return ++Writes == 1; });
  try {
    SaveGridLayout(Grid, "");
  } catch (const ERegistryException&) {
  }
  win::headless::SetRegistryWriteHook(nullptr);
  Grid->Columns()->Clear();
  win::headless::ReloadRegistry();
  RestoreGridLayout(Grid, "");
  const std::vector<std::string> Restored = Names(Grid);
  EXPECT_TRUE(Restored == (std::vector<std::string>{"A", "F"}) || Restored == (std::vector<std::string>{"A", "N", "F"}))
      << Restored.size();
}

TEST_F(LayoutFailureTest, ARestoreThatFailsLeavesTheGridAsItWas) {
  auto* Grid = NewGrid<TRefusingGrid>();
  Grid->SetBounds(0, 0, 600, 200);
  Grid->SetDataSource(NewSource({"A", "%N", "#F", "C"}, 3));
  for (const char* F : {"C", "A"}) {
    TColumnGx* Column = Grid->Columns()->AddColumn();
    Column->SetFieldName(F);
    Column->PickList()->Add("kept");
  }
  Grid->SetFrozenCols(1);
  TColumnGx* First = Grid->Columns()->ColumnAt(0);
  {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(GridKey("TFormDBGridGx1"), true));
    Reg.WriteString("0000", "N@40@T");
    Reg.WriteString("0001", "F@13@T");
  }
  EXPECT_THROW(RestoreGridLayout(Grid, ""), EDatabaseError);
  EXPECT_EQ(Names(Grid), (std::vector<std::string>{"C", "A"}));
  EXPECT_EQ(Grid->Columns()->ColumnAt(0), First);
  EXPECT_EQ(First->PickList()->Count(), 1);
  EXPECT_EQ(Grid->FrozenCols(), 1);
  EXPECT_EQ(Grid->ColCount(), Grid->IndicatorColCount() + 2);
}

TEST_F(LayoutFailureTest, NoMessageIsHandledDuringARestore) {
  TDBGridGx* Grid = GridOnData();
  Grid->Columns()->AddColumn()->SetFieldName("A");
  SaveGridLayout(Grid, "");
  Form->Show();
  // A close request waiting in the queue would free what the restore is building.
  win::PostMessage(Form->Handle(), win::WM_CLOSE, 0, 0);
  RestoreGridLayout(Grid, "");
  win::MSG M;
  EXPECT_TRUE(win::PeekMessage(&M, Form->Handle(), win::WM_CLOSE, win::WM_CLOSE, win::PM_NOREMOVE));
  EXPECT_TRUE(Form->Visible());
  EXPECT_EQ(Grid->Columns()->Count(), 1);
}

}  // namespace
