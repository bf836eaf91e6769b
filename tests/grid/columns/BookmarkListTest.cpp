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

// Changes in walk order, backwards, or in no order at all (a record named twice: the
// later change holds) merge with the marks there are; the list stays in record order.
TEST_F(BookmarkListTest, MarkingManyRowsMergesChangesInAnyOrder) {
  const struct {
    const char* Name;
    std::vector<std::pair<int, bool>> Changes;  // record index, mark
    const char* Marked;
  } Cases[] = {
      {"forwards", {{1, true}, {2, true}, {3, false}, {4, true}}, "R2 R3 R5 R6 "},
      {"backwards", {{4, true}, {3, true}, {2, false}, {0, true}}, "R1 R2 R4 R5 R6 "},
      {"no order, twice", {{3, true}, {0, true}, {3, false}, {5, false}, {0, false}, {4, true}}, "R2 R5 "},
      {"nothing new", {{1, true}, {5, true}, {3, false}}, "R2 R6 "},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Form = std::make_unique<TForm>(nullptr);
    Open(6);
    std::vector<std::string> Bookmarks;
    for (DataSet->First(); !DataSet->Eof(); DataSet->Next()) Bookmarks.push_back(DataSet->Bookmark());
    DataSet->GotoBookmark(Bookmarks[1]);
    Rows->MarkCurrentRow(true);
    DataSet->GotoBookmark(Bookmarks[5]);
    Rows->MarkCurrentRow(true);
    std::vector<std::pair<std::string, bool>> Changes;
    for (const auto& [Index, Mark] : Case.Changes) Changes.emplace_back(Bookmarks[Index], Mark);
    Rows->MarkBookmarks(Changes);
    std::string Marked;
    for (int I = 0; I < Rows->Count(); ++I) {
      DataSet->GotoBookmark(Rows->BookmarkAt(I));
      Marked += DataSet->FieldByName("Name")->AsString() + " ";
    }
    EXPECT_EQ(Marked, Case.Marked);
  }
}

}  // namespace
