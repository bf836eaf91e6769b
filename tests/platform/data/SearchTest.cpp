// Bookmarks, Locate, Lookup, filters and index definitions.
#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"
#include "tests/platform/data/DataFixtures.h"

namespace {

std::vector<std::string> Names(TDataSet* ds) {
  std::vector<std::string> names;
  for (ds->First(); !ds->Eof(); ds->Next()) names.push_back(ds->FieldByName("Name")->AsString());
  return names;
}

// Name, City, Born (date), Qty (integer, may be null).
TClientDataSet* MakeCustomers(TComponent* owner) {
  auto* ds = new TClientDataSet(owner);
  ds->SetName("Customers");
  ds->FieldDefs().Add("Name", ftString, 20);
  ds->FieldDefs().Add("City", ftString, 20);
  ds->FieldDefs().Add("Born", ftDate);
  ds->FieldDefs().Add("Qty", ftInteger);
  ds->CreateDataSet();
  const struct {
    const char* Name;
    const char* City;
    int Y, M, D;
    int Qty;  // -1: null
  } rows[] = {
      {"anna", "Berlin", 1990, 5, 1, 3},  {"Bob", "Paris", 1985, 1, 20, -1}, {"Carl", "berlin", 2001, 12, 31, 10},
      {"Dora", "Rome", 1990, 5, 2, 7},    {"Bea", "Paris", 1970, 7, 7, 3},
  };
  for (const auto& r : rows) {
    ds->Append();
    ds->FieldByName("Name")->SetAsString(r.Name);
    ds->FieldByName("City")->SetAsString(r.City);
    ds->FieldByName("Born")->SetAsDateTime(EncodeDate(r.Y, r.M, r.D));
    if (r.Qty >= 0) ds->FieldByName("Qty")->SetAsInteger(r.Qty);
    ds->Post();
  }
  ds->First();
  return ds;
}

TEST(Bookmarks, OrderIsTheDataSetsOrderAndGotoReturns) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 300);
  std::vector<TBookmark> marks;
  for (int i = 0; i < 300; i += 37) {
    ds->SetRecNo(i + 1);
    marks.push_back(ds->Bookmark());
  }
  for (size_t i = 0; i < marks.size(); ++i)
    for (size_t j = 0; j < marks.size(); ++j)
      EXPECT_EQ(ds->CompareBookmarks(marks[i], marks[j]), i < j ? -1 : (i == j ? 0 : 1)) << i << "," << j;
  EXPECT_EQ(ds->CompareBookmarks("", marks[0]), -1);
  ds->GotoBookmark(marks[2]);
  EXPECT_EQ(ds->RecNo(), 75);
  EXPECT_TRUE(ds->BookmarkValid(marks[2]));
  ds->Delete();
  EXPECT_FALSE(ds->BookmarkValid(marks[2]));
  EXPECT_THROW(ds->GotoBookmark(marks[2]), EDatabaseError);
  EXPECT_FALSE(ds->BookmarkValid("junk"));

  // Sorting changes the bookmarks' order with the records'.
  ds->AddIndex("ByAmountDesc", "Amount", {ixDescending});
  ds->SetIndexName("ByAmountDesc");
  EXPECT_EQ(ds->CompareBookmarks(marks[0], marks[1]), 1);
  ds->SetBookmark(marks[1]);
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 38);
}

TEST(Bookmarks, InsertingRowHasNoBookmark) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 2);
  ds->Insert();
  EXPECT_EQ(ds->Bookmark(), "");
  EXPECT_EQ(ds->RecNo(), -1);
  ds->Cancel();
  EXPECT_NE(ds->Bookmark(), "");
}

TEST(Locate, OptionsAndSeveralFields) {
  TTestOwner t;
  TClientDataSet* ds = MakeCustomers(t.Owner.get());
  const struct {
    const char* Fields;
    Variant Values;
    TLocateOptions Options;
    const char* Found;  // nullptr: not found
  } cases[] = {
      {"Name", "Bob", {}, "Bob"},
      {"Name", "bob", {}, nullptr},
      {"Name", "bob", {loCaseInsensitive}, "Bob"},
      {"Name", "B", {}, nullptr},
      {"Name", "Be", {loPartialKey}, "Bea"},
      {"Name", "b", {loPartialKey, loCaseInsensitive}, "Bob"},
      {"City;Qty", VarArrayOf({"Paris", 3}), {}, "Bea"},
      {"City;Qty", VarArrayOf({"berlin", 3}), {}, nullptr},
      {"City;Qty", VarArrayOf({"berlin", 3}), {loCaseInsensitive}, "anna"},
      {"Qty", Null(), {}, "Bob"},
      {"Qty", "10", {}, "Carl"},
      {"Born", Variant::FromDateTime(EncodeDate(1990, 5, 2)), {}, "Dora"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Fields) + " " + VarToStr(c.Values.IsArray() ? c.Values[0] : c.Values));
    ds->Last();
    bool found = ds->Locate(c.Fields, c.Values, c.Options);
    EXPECT_EQ(found, c.Found != nullptr);
    EXPECT_EQ(ds->FieldByName("Name")->AsString(), c.Found ? c.Found : "Bea");
  }
  EXPECT_THROW(ds->Locate("Nope", "x", {}), EDatabaseError);
}

TEST(Locate, PostsAPendingEditAndCentresTheWindow) {
  TTestOwner t;
  TClientDataSet* ds = MakePeople(t.Owner.get(), 50);
  TDataSource* src = MakeSource(t.Owner.get(), ds);
  TRecordingLink grid;
  grid.SetDataSource(src);
  grid.SetBufferCount(5);
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("edited");
  EXPECT_TRUE(ds->Locate("ID", 30, {}));
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(grid.ActiveRecord(), 2);
  EXPECT_EQ(ds->Lookup("ID", 1, "Name").AsString(), "edited");
  Variant both = ds->Lookup("Name", "P7", "ID;Amount");
  EXPECT_EQ(both[0].AsInteger(), 7);
  EXPECT_TRUE(ds->Lookup("Name", "nobody", "ID").IsNull());
  EXPECT_EQ(ds->RecNo(), 30);
}

TEST(Filter, LanguageTable) {
  TFormatSettingsScope keep;
  ShortDateFormat = "yyyy-mm-dd";
  DateSeparator = '-';
  TTestOwner t;
  TClientDataSet* ds = MakeCustomers(t.Owner.get());
  const struct {
    const char* Filter;
    std::vector<std::string> Names;
  } cases[] = {
      {"1=1", {"anna", "Bob", "Carl", "Dora", "Bea"}},
      {"", {"anna", "Bob", "Carl", "Dora", "Bea"}},
      {"City = 'Paris'", {"Bob", "Bea"}},
      {"[City] <> 'Paris'", {"anna", "Carl", "Dora"}},
      {"Qty > 3", {"Carl", "Dora"}},
      {"Qty >= 3 AND Qty <= 7", {"anna", "Dora", "Bea"}},
      {"Qty < 5 or City='Rome'", {"anna", "Dora", "Bea"}},
      {"NOT (City = 'Paris')", {"anna", "Carl", "Dora"}},
      {"Qty IS NULL", {"Bob"}},
      {"Qty is not null and not Qty = 3", {"Carl", "Dora"}},
      {"Born >= '1990-05-01' AND Born < '2000-01-01'", {"anna", "Dora"}},
      {"Name = 'O''Neil'", {}},
      {"(City = 'Paris' OR City = 'Rome') AND Qty = 3", {"Bea"}},
      {"Qty = 3.0", {"anna", "Bea"}},
  };
  ds->SetFiltered(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Filter);
    ds->SetFilter(c.Filter);
    EXPECT_EQ(Names(ds), c.Names);
    EXPECT_EQ(ds->RecordCount(), static_cast<int>(c.Names.size()));
  }
}

TEST(Filter, BadFiltersRaiseAndKeepThePreviousOne) {
  TTestOwner t;
  TClientDataSet* ds = MakeCustomers(t.Owner.get());
  ds->SetFilter("City = 'Paris'");
  ds->SetFiltered(true);
  const char* bad[] = {"City = ", "City = 'Paris", "(Qty = 1", "Qty = = 1", "[Nope] = 1", "Qty ~ 2", "Qty IS 5",
                       "City"};
  for (const char* f : bad) {
    SCOPED_TRACE(f);
    EXPECT_THROW(ds->SetFilter(f), EDatabaseError);
    EXPECT_EQ(ds->Filter(), "City = 'Paris'");
    EXPECT_EQ(Names(ds), (std::vector<std::string>{"Bob", "Bea"}));
  }
  // A bad filter that is not active is only stored; switching it on fails cleanly.
  ds->SetFiltered(false);
  ds->SetFilter("Qty = = 1");
  EXPECT_THROW(ds->SetFiltered(true), EDatabaseError);
  EXPECT_FALSE(ds->Filtered());
  EXPECT_EQ(ds->RecordCount(), 5);
}

TEST(Filter, OnFilterRecordAndPostedRowsThatLeaveTheFilter) {
  TTestOwner t;
  TClientDataSet* ds = MakeCustomers(t.Owner.get());
  std::vector<TDataSetState> states;
  ds->SetOnFilterRecord(TFilterRecordEvent([&](TDataSet* d, bool& accept) {
    states.push_back(d->State());
    accept = d->FieldByName("Name")->AsString().size() == 4;
  }));
  ds->SetFiltered(true);
  EXPECT_EQ(Names(ds), (std::vector<std::string>{"anna", "Carl", "Dora"}));
  EXPECT_EQ(states.front(), dsFilter);
  ds->First();
  ds->Next();  // Carl
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("Karl!");
  ds->Post();
  EXPECT_EQ(ds->FieldByName("Name")->AsString(), "Dora");
  EXPECT_EQ(Names(ds), (std::vector<std::string>{"anna", "Dora"}));
  ds->SetFiltered(false);
  EXPECT_EQ(ds->RecordCount(), 5);
}

TEST(Indexes, DefinitionsAndOrders) {
  TTestOwner t;
  TClientDataSet* ds = MakeCustomers(t.Owner.get());
  ds->AddIndex("ByCity", "City;Name", {}, "Name", "City");
  ds->AddIndex("ByName", "Name", {ixCaseInsensitive});
  ds->IndexDefs().Update();
  EXPECT_EQ(ds->IndexDefs().Count(), 2);
  EXPECT_EQ(ds->IndexDefs().IndexOf("byname"), 1);
  EXPECT_EQ(ds->IndexDefs().Find("ByCity")->DescFields(), "Name");
  EXPECT_THROW(ds->IndexDefs().Find("Nope"), EDatabaseError);
  EXPECT_THROW(ds->AddIndex("ByName", "City", {}), EDatabaseError);

  const struct {
    const char* IndexName;
    const char* IndexFieldNames;
    std::vector<std::string> Names;
  } cases[] = {
      {"ByName", "", {"anna", "Bea", "Bob", "Carl", "Dora"}},
      // City ignoring case, then Name descending by character code.
      {"ByCity", "", {"anna", "Carl", "Bob", "Bea", "Dora"}},
      {"", "Qty;Name", {"Bob", "Bea", "anna", "Dora", "Carl"}},
      {"", "", {"anna", "Bob", "Carl", "Dora", "Bea"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.IndexName) + c.IndexFieldNames);
    if (*c.IndexFieldNames) ds->SetIndexFieldNames(c.IndexFieldNames);
    else ds->SetIndexName(c.IndexName);
    EXPECT_EQ(Names(ds), c.Names);
  }
  // Changing the index keeps the current record.
  ds->Locate("Name", "Dora", {});
  ds->SetIndexName("ByName");
  EXPECT_EQ(ds->FieldByName("Name")->AsString(), "Dora");
  EXPECT_EQ(ds->RecNo(), 5);
  // A posted row takes its place in the index.
  ds->Append();
  ds->FieldByName("Name")->SetAsString("Ben");
  ds->Post();
  EXPECT_EQ(ds->RecNo(), 3);
  EXPECT_THROW(ds->SetIndexName("Nope"), EDatabaseError);
  EXPECT_EQ(ds->IndexName(), "ByName");
  ds->DeleteIndex("ByName");
  EXPECT_EQ(ds->IndexName(), "");
  EXPECT_EQ(ds->IndexDefs().Count(), 1);
  EXPECT_THROW(ds->DeleteIndex("ByName"), EDatabaseError);
}

TEST(Provider, PublishesItsDataSetAndForgetsItWhenFreed) {
  TTestOwner t;
  TClientDataSet* source = MakePeople(t.Owner.get(), 1, "Source");
  auto* provider = new TDataSetProvider(t.Owner.get());
  provider->SetName("Provider1");
  provider->SetDataSet(source);
  auto* client = new TClientDataSet(t.Owner.get());
  client->SetProviderName("Provider1");
  EXPECT_EQ(GetObjectProp(provider, "DataSet"), source);
  EXPECT_EQ(GetStrProp(client, "ProviderName"), "Provider1");
  EXPECT_EQ(t.Owner->FindComponent(client->ProviderName()), provider);
  delete source;
  EXPECT_EQ(provider->DataSet(), nullptr);
}

}  // namespace
