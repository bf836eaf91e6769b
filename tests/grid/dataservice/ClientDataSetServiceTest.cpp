// The data service on client datasets: a sort index from the markers, the own filter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/SharedResources.h"
#include "grid/GxLibCDS.h"
#include "platform/data/FieldDefs.h"
#include "platform/rtl/DateTime.h"
#include "tests/support/GridFixture.h"

namespace {

class ClientServiceTest : public GridTest {
protected:
  void SetUp() override {
    Grid = NewGrid();
    DataSet = new TClientDataSet(Form.get());
    DataSet->FieldDefs().Add("Name", ftString, 20);
    DataSet->FieldDefs().Add("Date", ftDate, 0);
    DataSet->FieldDefs().Add("Qty", ftInteger, 0);
    DataSet->CreateDataSet();
    const struct {
      const char* Name;
      int Day, Qty;
    } Rows[] = {{"b", 2, 5}, {"a", 1, 7}, {"b", 3, 1}, {"a", 4, 3}};
    for (const auto& R : Rows) {
      DataSet->Append();
      DataSet->FieldByName("Name")->SetAsString(R.Name);
      DataSet->FieldByName("Date")->SetAsDateTime(EncodeDate(2024, 1, R.Day));
      DataSet->FieldByName("Qty")->SetAsInteger(R.Qty);
      DataSet->Post();
    }
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(DataSet);
    Grid->SetDataSource(Source);
    for (const char* F : {"Name", "Date", "Qty"}) Grid->Columns()->AddColumn()->SetFieldName(F);
    Grid->SetOptionsGx({dghAutoSortMarking, dghMultiSortMarking});
  }

  std::vector<int> Quantities() {
    std::vector<int> Out;
    for (DataSet->First(); !DataSet->Eof(); DataSet->Next()) Out.push_back(DataSet->FieldByName("Qty")->AsInteger());
    return Out;
  }

  TDBGridGx* Grid = nullptr;
  TClientDataSet* DataSet = nullptr;
};

TEST_F(ClientServiceTest, LocalSortingBuildsTheSortIndexAndClearingReturnsToNaturalOrder) {
  Grid->SetSortLocal(true);
  Grid->ColumnByFieldName("Name")->Title()->SetSortMarker(smDownGx);
  Grid->ColumnByFieldName("Date")->Title()->SetSortMarker(smUpGx);
  DataSet->Last();
  Grid->ApplySortingDefault();
  EXPECT_EQ(DataSet->IndexName(), SortIndexGxName);
  TIndexDef* Index = DataSet->IndexDefs().Find(SortIndexGxName);
  EXPECT_EQ(Index->Fields(), "Name;Date");
  EXPECT_EQ(Index->DescFields(), "Date");
  EXPECT_TRUE(Index->Options().Empty());
  // On its first record.
  EXPECT_EQ(DataSet->FieldByName("Qty")->AsInteger(), 3);
  EXPECT_EQ(Quantities(), (std::vector<int>{3, 7, 1, 5}));
  // Sorting again replaces the index.
  Grid->ColumnByFieldName("Date")->Title()->SetSortMarker(smNoneGx);
  Grid->ColumnByFieldName("Qty")->Title()->SetSortMarker(smUpGx);
  Grid->ApplySortingDefault();
  EXPECT_EQ(DataSet->IndexDefs().Find(SortIndexGxName)->Fields(), "Name;Qty");
  EXPECT_EQ(Quantities(), (std::vector<int>{7, 3, 5, 1}));
  for (const char* F : {"Name", "Qty"}) Grid->ColumnByFieldName(F)->Title()->SetSortMarker(smNoneGx);
  Grid->ApplySortingDefault();
  EXPECT_EQ(DataSet->IndexName(), "");
  EXPECT_EQ(Quantities(), (std::vector<int>{5, 7, 1, 3}));
}

TEST_F(ClientServiceTest, WithoutTheLocalModeNothingIsSortedOrFiltered) {
  Grid->ColumnByFieldName("Qty")->Title()->SetSortMarker(smDownGx);
  Grid->ApplySortingDefault();
  Grid->ColumnByFieldName("Qty")->STFilter()->SetFilterText("> 3");
  Grid->ApplyFilterDefault();
  EXPECT_EQ(DataSet->IndexName(), "");
  EXPECT_EQ(DataSet->Filter(), "");
  EXPECT_EQ(Quantities(), (std::vector<int>{5, 7, 1, 3}));
}

TEST_F(ClientServiceTest, TheLocalFilterIsTheDatasetsOwn) {
  Grid->STFilter()->SetLocal(true);
  Grid->ApplyFilterDefault();
  EXPECT_TRUE(DataSet->Filtered());
  EXPECT_EQ(DataSet->Filter(), "1=1");
  EXPECT_EQ(Quantities().size(), 4u);
  Grid->ColumnByFieldName("Qty")->STFilter()->SetFilterText("!In (1, 3)");
  Grid->ColumnByFieldName("Name")->STFilter()->SetFilterText("~ B");
  Grid->ApplyFilterDefault();
  EXPECT_EQ(DataSet->Filter(), " [Name] LIKE 'B' AND  ([Qty] <> 1 AND [Qty] <> 3)");
  EXPECT_EQ(Quantities(), (std::vector<int>{5}));
}

TEST_F(ClientServiceTest, TheServiceEventsTakeOverForEveryGrid) {
  TDBGridGxDataService* Service = DBGridGxDataService();
  std::vector<TCustomDBGridGx*> Sorted, Filtered;
  Service->SetOnApplySorting([&](TCustomDBGridGx* G) { Sorted.push_back(G); });
  Service->SetOnApplyFilter([&](TCustomDBGridGx* G) { Filtered.push_back(G); });
  TDBGridGx* Other = NewGrid("Other");
  Grid->SetSortLocal(true);
  Grid->ColumnByFieldName("Qty")->Title()->SetSortMarker(smDownGx);
  Grid->ApplySortingDefault();
  Other->ApplyFilterDefault();
  Service->SetOnApplySorting({});
  Service->SetOnApplyFilter({});
  EXPECT_EQ(Sorted, std::vector<TCustomDBGridGx*>{Grid});
  EXPECT_EQ(Filtered, std::vector<TCustomDBGridGx*>{Other});
  EXPECT_EQ(DataSet->IndexName(), "");
}

}  // namespace
