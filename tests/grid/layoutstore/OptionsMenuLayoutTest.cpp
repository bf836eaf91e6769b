// The options menu's layout commands: "保存表格格式" writes the grid's default key,
// "恢复表格格式" reads it back; the column dialog's item acts on no grid yet.
#include "tests/grid/layoutstore/LayoutStoreFixture.h"

#include "grid/DBLookupGridsGx.h"

namespace {

using OptionsMenuLayoutTest = LayoutStoreTest;

TMenuItem* Item(TCustomDBGridGx* Grid, const std::string& Caption) {
  TMenuItem* Found = Grid->OptionsMenu()->Items()->Find(Caption);
  EXPECT_NE(Found, nullptr) << Caption;
  return Found;
}

TEST_F(OptionsMenuLayoutTest, SaveThenRestoreThroughTheMenu) {
  TDBGridGx* Grid = GridOnData();
  for (const char* F : {"C", "A"}) Grid->Columns()->AddColumn()->SetFieldName(F);
  Grid->Columns()->ColumnAt(0)->SetWidth(111);
  Grid->Columns()->ColumnAt(1)->Title()->SetCaption("名称");
  Item(Grid, "保存表格格式")->Click();
  EXPECT_EQ(TRegistryHome::Stored(GridKey(), "0000").substr(0, 17), "C           @111 ");

  Grid->Columns()->Clear();
  Item(Grid, "恢复表格格式")->Click();
  ASSERT_EQ(Grid->Columns()->Count(), 2);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Width(), 111);
  EXPECT_EQ(Grid->Columns()->ColumnAt(1)->Title()->Caption(), "名称");
}

TEST_F(OptionsMenuLayoutTest, AReadOnlyGridSavesNothingButRestores) {
  TDBGridGx* Grid = GridOnData();
  Grid->Columns()->AddColumn()->SetFieldName("A");
  Item(Grid, "保存表格格式")->Click();
  Grid->SetReadOnly(true);
  Grid->Columns()->AddColumn()->SetFieldName("N");
  Item(Grid, "保存表格格式")->Click();
  EXPECT_EQ(TRegistryHome::StoredNames(GridKey()), (std::vector<std::string>{"最后更新时间", "0000"}));
  Item(Grid, "恢复表格格式")->Click();
  EXPECT_EQ(Grid->Columns()->Count(), 1);
}

TEST_F(OptionsMenuLayoutTest, TheLookupGridsMenuWorksWithoutInvalidCasts) {
  auto* Grid = NewGrid<TDBLookupGridGx>(nullptr, "LookupGrid1");
  Grid->Columns()->AddColumn()->SetFieldName("Name");
  EXPECT_NO_THROW(Item(Grid, "显示/隐藏列")->Click());
  Item(Grid, "保存表格格式")->Click();
  EXPECT_EQ(SplitLayoutField(TRegistryHome::Stored(GridKey("TFormLookupGrid1"), "0000"), 0), "Name");
  Grid->Columns()->Clear();
  Item(Grid, "恢复表格格式")->Click();
  ASSERT_EQ(Grid->Columns()->Count(), 1);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->FieldName(), "Name");
}

}  // namespace
