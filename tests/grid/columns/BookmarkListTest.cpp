// Marking rows and deleting the marked records: only posted records are marked, and a
// delete never reaches a record the user did not mark.
#include "tests/support/GridFixture.h"

namespace {

std::string RowName(int Row) { return "R" + std::to_string(Row + 1); }

class BookmarkListTest : public GridTest {
protected:
  TDBGridGx* Grid = nullptr;
  TDataSet* DataSet = nullptr;
  TBookmarkListGx* Rows = nullptr;
  void Open(int RecordCount) {
    Grid = NewGrid();
    Grid->SetOptions(Grid->Options() + dgMultiSelect);
    TDataSource* Source = NewSource({"Name"}, RecordCount, RowName);
    Grid->SetDataSource(Source);
    DataSet = Source->DataSet();
    Rows = Grid->BookmarkedRows();
  }
  std::string Names() {
    std::string s;
    DataSet->First();
    while (!DataSet->Eof()) {
      s += DataSet->FieldByName("Name")->AsString() + " ";
      DataSet->Next();
    }
    return s;
  }
};

TEST_F(BookmarkListTest, MarkingTwiceKeepsOneEntryAndUnmarkingEmptiesTheKind) {
  Open(3);
  DataSet->First();
  Rows->MarkCurrentRow(true);
  Rows->MarkCurrentRow(true);
  EXPECT_EQ(Rows->Count(), 1);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstRecordBookmarks);
  Rows->MarkCurrentRow(false);
  EXPECT_EQ(Rows->Count(), 0);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
  int Index = -1;
  EXPECT_FALSE(Rows->LocateBookmark(DataSet->Bookmark(), Index));
  EXPECT_EQ(Index, 0);
}

TEST_F(BookmarkListTest, ARowWithoutAPostedRecordIsNeverMarked) {
  const struct {
    const char* Name;
    int Records;
    bool Insert;
  } Cases[] = {{"empty dataset", 0, false}, {"row being inserted", 2, true}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Form = std::make_unique<TForm>(nullptr);
    Open(Case.Records);
    if (Case.Insert) DataSet->Insert();
    Rows->MarkCurrentRow(true);
    EXPECT_EQ(Rows->Count(), 0);
    EXPECT_FALSE(Rows->IsCurrentRowMarked());
    EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
    // Then a posted record becomes current: the delete must not take it.
    if (Case.Insert) {
      DataSet->Cancel();
    } else {
      DataSet->Append();
      DataSet->Post();
    }
    const int Posted = DataSet->RecordCount();
    Rows->DeleteMarkedRecords();
    EXPECT_EQ(DataSet->RecordCount(), Posted);
  }
}

TEST_F(BookmarkListTest, DeletingMarkedRowsNeverTakesTheCurrentUnmarkedRecord) {
  Open(4);
  DataSet->First();
  Rows->MarkCurrentRow(true);  // R1
  DataSet->Next();
  DataSet->Next();
  Rows->MarkCurrentRow(true);  // R3
  // R1 goes away behind the list's back; the user stands on R2, which is not marked.
  DataSet->First();
  DataSet->Delete();
  DataSet->First();
  ASSERT_EQ(DataSet->FieldByName("Name")->AsString(), "R2");
  Rows->DeleteMarkedRecords();
  EXPECT_EQ(Names(), "R2 R4 ");
  EXPECT_EQ(Rows->Count(), 0);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
}

TEST_F(BookmarkListTest, ClosingTheDataSetEmptiesTheListAndRefusesBookmarks) {
  Open(2);
  Rows->MarkCurrentRow(true);
  DataSet->Close();
  EXPECT_EQ(Rows->Count(), 0);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
  EXPECT_THROW(Rows->CurrentBookmark(), EInvalidGridOperation);
}

}  // namespace
