// Inserting, editing, posting, cancelling and deleting: events, positions and values.
#include <gtest/gtest.h>

#include "tests/platform/data/DataFixtures.h"

namespace {

std::vector<int> Ids(TDataSet* ds) {
  std::vector<int> ids;
  TBookmark b = ds->Bookmark();
  ds->DisableControls();
  for (ds->First(); !ds->Eof(); ds->Next()) ids.push_back(ds->FieldByName("ID")->AsInteger());
  ds->GotoBookmark(b);
  ds->EnableControls();
  return ids;
}

struct TEventCase {
  const char* What;
  void (*Prepare)(TDataSet*);
  void (*Do)(TDataSet*);
  std::vector<std::string> Events;
};

TEST(Editing, EventOrder) {
  const TEventCase cases[] = {
      {"Insert", [](TDataSet*) {}, [](TDataSet* d) { d->Insert(); },
       {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}},
      {"Append", [](TDataSet*) {}, [](TDataSet* d) { d->Append(); },
       {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}},
      {"Edit", [](TDataSet*) {}, [](TDataSet* d) { d->Edit(); }, {"BeforeEdit", "AfterEdit"}},
      {"Post an edit", [](TDataSet* d) { d->Edit(); d->FieldByName("Name")->SetAsString("x"); },
       [](TDataSet* d) { d->Post(); }, {"BeforePost", "AfterPost"}},
      {"Post an insert", [](TDataSet* d) { d->Insert(); d->FieldByName("ID")->SetAsInteger(99); },
       [](TDataSet* d) { d->Post(); }, {"BeforePost", "AfterPost"}},
      {"Cancel an edit", [](TDataSet* d) { d->Edit(); }, [](TDataSet* d) { d->Cancel(); },
       {"BeforeCancel", "AfterCancel"}},
      {"Cancel an insert", [](TDataSet* d) { d->Insert(); }, [](TDataSet* d) { d->Cancel(); },
       {"BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll"}},
      {"Delete", [](TDataSet*) {}, [](TDataSet* d) { d->Delete(); },
       {"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}},
      {"Next posts a modified edit", [](TDataSet* d) { d->Edit(); d->FieldByName("Name")->SetAsString("x"); },
       [](TDataSet* d) { d->Next(); }, {"BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}},
      {"Next cancels an unmodified edit", [](TDataSet* d) { d->Edit(); }, [](TDataSet* d) { d->Next(); },
       {"BeforeCancel", "AfterCancel", "BeforeScroll", "AfterScroll"}},
      {"Next at the end scrolls nowhere", [](TDataSet* d) { d->Last(); }, [](TDataSet* d) { d->Next(); },
       {"BeforeScroll"}},
      {"Refresh", [](TDataSet*) {}, [](TDataSet* d) { d->Refresh(); }, {"BeforeRefresh", "AfterRefresh"}},
      {"Close and open", [](TDataSet*) {}, [](TDataSet* d) { d->Close(); d->Open(); },
       {"BeforeClose", "AfterClose", "BeforeOpen", "AfterOpen", "AfterScroll"}},
  };
  for (const TEventCase& c : cases) {
    SCOPED_TRACE(c.What);
    TTestOwner t;
    TClientDataSet* ds = MakePeople(t.Owner.get(), 3);
    std::vector<std::string> log;
    c.Prepare(ds);
    LogDataSetEvents(ds, log);
    c.Do(ds);
    EXPECT_EQ(log, c.Events);
  }
}

TEST(Editing, InsertGoesBeforeTheCurrentRecordAndAppendAtTheEnd) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 3);
  ds->Next();  // on 2
  ds->Insert();
  EXPECT_EQ(ds->State(), dsInsert);
  EXPECT_TRUE(ds->FieldByName("ID")->IsNull());
  ds->FieldByName("ID")->SetAsInteger(10);
  ds->Post();
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 10);
  EXPECT_EQ(ds->RecNo(), 2);
  EXPECT_EQ(Ids(ds), (std::vector<int>{1, 10, 2, 3}));
  ds->First();
  ds->Append();
  ds->FieldByName("ID")->SetAsInteger(11);
  ds->Post();
  EXPECT_EQ(ds->RecNo(), 5);
  EXPECT_EQ(Ids(ds), (std::vector<int>{1, 10, 2, 3, 11}));
  EXPECT_EQ(ds->RecordCount(), 5);
}

TEST(Editing, InsertIntoAnEmptyDataSetAndCancelLeavesItEmpty) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 0);
  ds->Insert();
  EXPECT_FALSE(ds->IsEmpty());
  ds->Cancel();
  EXPECT_TRUE(ds->IsEmpty());
  EXPECT_EQ(ds->RecordCount(), 0);
  // Edit on an empty dataset inserts.
  ds->Edit();
  EXPECT_EQ(ds->State(), dsInsert);
  ds->FieldByName("ID")->SetAsInteger(1);
  ds->Post();
  EXPECT_EQ(Ids(ds), std::vector<int>{1});
}

TEST(Editing, DeleteMakesTheNextRecordCurrentOrThePriorAtTheEnd) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 4);
  ds->Next();
  ds->Delete();
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 3);
  ds->Last();
  ds->Delete();
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 3);
  EXPECT_EQ(Ids(ds), (std::vector<int>{1, 3}));
  ds->Delete();
  ds->Delete();
  EXPECT_TRUE(ds->IsEmpty());
  EXPECT_THROW(ds->Delete(), EDatabaseError);
}

TEST(Editing, CancelRestoresTheStoredValues) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 2);
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("changed");
  EXPECT_TRUE(ds->Modified());
  EXPECT_EQ(ds->FieldByName("Name")->OldValue().AsString(), "P1");
  ds->Cancel();
  EXPECT_EQ(ds->FieldByName("Name")->AsString(), "P1");
  EXPECT_FALSE(ds->Modified());
}

TEST(Editing, WritingOutsideEditModeAndReadOnlyDataSetsFail) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 2);
  try {
    ds->FieldByName("Name")->SetAsString("x");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "People: Dataset not in edit or insert mode");
  }
  ds->SetReadOnly(true);
  EXPECT_FALSE(ds->CanModify());
  EXPECT_THROW(ds->Edit(), EDatabaseError);
  EXPECT_THROW(ds->Insert(), EDatabaseError);
  EXPECT_EQ(ds->State(), dsBrowse);
}

TEST(Editing, ABadTextRaisesTheConversionErrorAndKeepsTheRecord) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 2);
  ds->Edit();
  try {
    ds->FieldByName("ID")->SetText("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 1);
  EXPECT_FALSE(ds->Modified());
  EXPECT_EQ(ds->State(), dsEdit);
}

TEST(Editing, RequiredFieldsAndOnValidateGuardThePost) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 1);
  ds->FieldByName("Name")->SetRequired(true);
  ds->Append();
  ds->FieldByName("ID")->SetAsInteger(2);
  EXPECT_THROW(ds->Post(), EDatabaseError);
  EXPECT_EQ(ds->State(), dsInsert);
  ds->FieldByName("Name")->SetAsString("ok");
  ds->Post();
  EXPECT_EQ(ds->RecordCount(), 2);

  ds->FieldByName("Amount")->SetOnValidate(TFieldNotifyEvent([](TField* f) {
    if (f->AsFloat() < 0) throw EDatabaseError("negative");
  }));
  ds->Edit();
  EXPECT_THROW(ds->FieldByName("Amount")->SetAsFloat(-1), EDatabaseError);
  EXPECT_DOUBLE_EQ(ds->FieldByName("Amount")->AsFloat(), 0);  // the new row had none
}

TEST(Editing, HandlersCanBeChainedAndRestored) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 2);
  std::vector<std::string> log;
  TDataSetNotifyEvent first([&](TDataSet*) { log.push_back("first"); });
  ds->SetAfterPost(first);
  TDataSetNotifyEvent saved = ds->AfterPost();
  ds->SetAfterPost(TDataSetNotifyEvent([&, saved](TDataSet* d) {
    log.push_back("second");
    saved(d);
  }));
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("x");
  ds->Post();
  ds->SetAfterPost(saved);
  EXPECT_TRUE(ds->AfterPost() == first);
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("y");
  ds->Post();
  EXPECT_EQ(log, (std::vector<std::string>{"second", "first", "first"}));
}

TEST(Editing, DataSourceEditsOnlyWithAutoEditWhileBrowsing) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 2);
  TDataSource* src = MakeSource(t.Owner.get(), ds);
  std::vector<TDataSetState> states;
  src->SetOnStateChange(TNotifyEvent([&](TObject*) { states.push_back(src->State()); }));
  src->SetAutoEdit(false);
  src->Edit();
  EXPECT_EQ(ds->State(), dsBrowse);
  src->SetAutoEdit(true);
  src->Edit();
  EXPECT_EQ(ds->State(), dsEdit);
  ds->Cancel();
  EXPECT_EQ(states, (std::vector<TDataSetState>{dsEdit, dsBrowse}));

  TRecordingLink link;
  link.SetDataSource(src);
  link.SetReadOnly(true);
  EXPECT_FALSE(link.Edit());
  EXPECT_EQ(ds->State(), dsBrowse);
}

TEST(Editing, DisabledControlsHearOneChangeWhenEnabled) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 5);
  TDataSource* src = MakeSource(t.Owner.get(), ds);
  TRecordingLink link;
  link.SetDataSource(src);
  link.Log.clear();
  ds->DisableControls();
  ds->DisableControls();
  EXPECT_TRUE(ds->ControlsDisabled());
  ds->Next();
  ds->Last();
  ds->EnableControls();
  EXPECT_TRUE(link.Log.empty());
  ds->EnableControls();
  EXPECT_FALSE(ds->ControlsDisabled());
  EXPECT_EQ(link.Log, std::vector<std::string>{"DataSetChanged"});
}

}  // namespace
