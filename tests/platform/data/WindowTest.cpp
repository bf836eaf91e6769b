// The record-buffer window as data links see it.
#include <gtest/gtest.h>

#include "tests/platform/data/DataFixtures.h"

namespace {

struct TWindowStep {
  const char* What;
  int (*Do)(TDataSet*);
  int Moved;         // MoveBy's result (0 for First/Last)
  int ActiveRecord;  // the link's ActiveRecord
  int RecordCount;   // the link's RecordCount
  int RecNo;
  std::vector<int> Scrolls;  // DataSetScrolled distances this step
  bool Bof, Eof;
};

TEST(RecordWindow, NavigationOverTwentyRecordsWithFiveBuffers) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 20);
  ds->Close();
  TDataSource* src = MakeSource(t.Owner.get(), ds);
  TRecordingLink link;
  link.SetBufferCount(5);
  link.SetDataSource(src);
  ds->Open();
  EXPECT_EQ(ds->BufferCount(), 5);
  EXPECT_EQ(link.RecordCount(), 5);
  EXPECT_EQ(link.ActiveRecord(), 0);

  const TWindowStep steps[] = {
      {"First", [](TDataSet* d) { d->First(); return 0; }, 0, 0, 5, 1, {}, true, false},
      {"Next", [](TDataSet* d) { return d->MoveBy(1); }, 1, 1, 5, 2, {0}, false, false},
      {"Next", [](TDataSet* d) { return d->MoveBy(1); }, 1, 2, 5, 3, {0}, false, false},
      {"Next", [](TDataSet* d) { return d->MoveBy(1); }, 1, 3, 5, 4, {0}, false, false},
      {"Next", [](TDataSet* d) { return d->MoveBy(1); }, 1, 4, 5, 5, {0}, false, false},
      {"Next (window shifts)", [](TDataSet* d) { return d->MoveBy(1); }, 1, 4, 5, 6, {1}, false, false},
      {"Next (window shifts)", [](TDataSet* d) { return d->MoveBy(1); }, 1, 4, 5, 7, {1}, false, false},
      {"Last", [](TDataSet* d) { d->Last(); return 0; }, 0, 4, 5, 20, {}, false, true},
      {"Prior", [](TDataSet* d) { return d->MoveBy(-1); }, -1, 3, 5, 19, {0}, false, false},
      {"Prior", [](TDataSet* d) { return d->MoveBy(-1); }, -1, 2, 5, 18, {0}, false, false},
      {"Prior", [](TDataSet* d) { return d->MoveBy(-1); }, -1, 1, 5, 17, {0}, false, false},
      {"MoveBy(-10)", [](TDataSet* d) { return d->MoveBy(-10); }, -10, 0, 5, 7, {-9}, false, false},
      {"MoveBy(-10) hits the start", [](TDataSet* d) { return d->MoveBy(-10); }, -6, 0, 5, 1, {-6}, true, false},
      {"Prior at Bof", [](TDataSet* d) { return d->MoveBy(-1); }, 0, 0, 5, 1, {}, true, false},
      {"MoveBy(3)", [](TDataSet* d) { return d->MoveBy(3); }, 3, 3, 5, 4, {0}, false, false},
      {"MoveBy(25) hits the end", [](TDataSet* d) { return d->MoveBy(25); }, 16, 4, 5, 20, {15}, false, true},
      {"Next at Eof", [](TDataSet* d) { return d->MoveBy(1); }, 0, 4, 5, 20, {}, false, true},
      {"MoveBy(-2)", [](TDataSet* d) { return d->MoveBy(-2); }, -2, 2, 5, 18, {0}, false, false},
  };
  for (const TWindowStep& s : steps) {
    SCOPED_TRACE(s.What);
    link.Scrolls.clear();
    int moved = s.Do(ds);
    EXPECT_EQ(moved, s.Moved);
    EXPECT_EQ(link.ActiveRecord(), s.ActiveRecord);
    EXPECT_EQ(link.RecordCount(), s.RecordCount);
    EXPECT_EQ(ds->RecNo(), s.RecNo);
    EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), s.RecNo);
    EXPECT_EQ(link.Scrolls, s.Scrolls);
    EXPECT_EQ(ds->Bof(), s.Bof);
    EXPECT_EQ(ds->Eof(), s.Eof);
  }
}

// Reads every buffered record of a link the way a grid paints its rows.
std::vector<int> WindowIds(TDataLink& link, TDataSet* ds) {
  std::vector<int> ids;
  TActiveRecordKeeper keep(link);
  for (int i = 0; i < link.RecordCount(); ++i) {
    link.SetActiveRecord(i);
    ids.push_back(ds->FieldByName("ID")->AsInteger());
  }
  return ids;
}

TEST(RecordWindow, LinksReadOtherBufferedRecordsAndRestore) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 20);
  TDataSource* src = MakeSource(t.Owner.get(), ds);
  TRecordingLink grid;
  grid.SetDataSource(src);
  grid.SetBufferCount(5);
  ds->MoveBy(7);
  EXPECT_EQ(WindowIds(grid, ds), (std::vector<int>{4, 5, 6, 7, 8}));
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 8);

  // Entries outside the window are refused: nothing moves.
  for (int refused : {-1, 5, 100}) {
    EXPECT_FALSE(grid.SetActiveRecord(refused)) << refused;
    EXPECT_EQ(grid.ActiveRecord(), 4) << refused;
  }
  // An error while another record is read puts the active record back.
  EXPECT_THROW(
      {
        TActiveRecordKeeper keep(grid);
        EXPECT_TRUE(grid.SetActiveRecord(0));
        EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 4);
        throw Exception("reading failed");
      },
      Exception);
  EXPECT_EQ(grid.ActiveRecord(), 4);
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 8);

  // While editing, the edited buffer keeps its values when others are read.
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("changed");
  int saved = grid.ActiveRecord();
  grid.SetActiveRecord(0);
  EXPECT_EQ(ds->FieldByName("Name")->AsString(), "P4");
  grid.SetActiveRecord(saved);
  EXPECT_EQ(ds->FieldByName("Name")->AsString(), "changed");
  ds->Post();
  EXPECT_EQ(ds->FieldByName("Name")->AsString(), "changed");
  EXPECT_EQ(WindowIds(grid, ds), (std::vector<int>{4, 5, 6, 7, 8}));
}

TEST(RecordWindow, BufferCountIsTheLargestOfTheLinksAndGrowsUpwardAtTheEnd) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 20);
  TDataSource* src = MakeSource(t.Owner.get(), ds);
  TRecordingLink edit, grid;
  edit.SetDataSource(src);
  EXPECT_EQ(ds->BufferCount(), 1);
  grid.SetDataSource(src);
  grid.SetBufferCount(5);
  EXPECT_EQ(ds->BufferCount(), 5);
  EXPECT_EQ(edit.RecordCount(), 1);

  ds->Last();
  EXPECT_EQ(grid.ActiveRecord(), 4);
  EXPECT_EQ(edit.ActiveRecord(), 0);
  // A taller grid at the end fills the window with the records above.
  grid.SetBufferCount(8);
  EXPECT_EQ(grid.RecordCount(), 8);
  EXPECT_EQ(grid.ActiveRecord(), 7);
  EXPECT_EQ(WindowIds(grid, ds), (std::vector<int>{13, 14, 15, 16, 17, 18, 19, 20}));
  // A smaller one keeps the active record inside.
  grid.SetBufferCount(3);
  EXPECT_EQ(ds->BufferCount(), 3);
  EXPECT_EQ(grid.ActiveRecord(), 2);
  EXPECT_EQ(WindowIds(grid, ds), (std::vector<int>{18, 19, 20}));
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 20);

  // The one-record link follows the active record with its own window.
  edit.Scrolls.clear();
  ds->Prior();
  EXPECT_EQ(edit.ActiveRecord(), 0);
  EXPECT_EQ(edit.Scrolls, std::vector<int>{-1});
}

TEST(RecordWindow, FewerRecordsThanBuffers) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 3);
  TDataSource* src = MakeSource(t.Owner.get(), ds);
  TRecordingLink grid;
  grid.SetDataSource(src);
  grid.SetBufferCount(10);
  EXPECT_EQ(grid.RecordCount(), 3);
  ds->Last();
  EXPECT_EQ(grid.ActiveRecord(), 2);
  // Buffers beyond the records hold nothing to move to.
  EXPECT_FALSE(grid.SetActiveRecord(3));
  EXPECT_FALSE(grid.SetActiveRecord(9));
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 3);
  EXPECT_EQ(ds->MoveBy(-5), -2);
  EXPECT_TRUE(ds->Bof());

  TClientDataSet* empty = MakePeople(t.Owner.get(), 0, "Empty");
  src->SetDataSet(empty);
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_TRUE(empty->Bof() && empty->Eof());
  EXPECT_EQ(grid.RecordCount(), 0);
  EXPECT_FALSE(grid.SetActiveRecord(0));
  EXPECT_EQ(empty->RecNo(), -1);
  EXPECT_EQ(empty->MoveBy(1), 0);
}

TEST(RecordWindow, LinkNotificationsFollowStateChanges) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 3);
  ds->Close();
  TDataSource* src = MakeSource(t.Owner.get(), ds);
  TRecordingLink link;
  link.SetDataSource(src);
  ds->Open();
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("x");
  ds->Post();
  ds->Close();
  EXPECT_EQ(link.Log, (std::vector<std::string>{"ActiveChanged:1", "EditingChanged:1", "RecordChanged:nil",
                                                "RecordChanged:Name", "UpdateData", "EditingChanged:0",
                                                "DataSetChanged", "ActiveChanged:0"}));
}

}  // namespace
