#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gridcontrols/DBSumLst.h"
#include "platform/data/DBClient.h"
#include "platform/data/DataSource.h"
#include "platform/rtl/SysUtils.h"

namespace {

// A client dataset that can claim an unsequenced cursor and refuse deletes.
class TTestDataSet : public TClientDataSet {
public:
  using TClientDataSet::TClientDataSet;
  bool Sequenced = true;
  bool RefuseDelete = false;
  bool IsSequenced() const override { return Sequenced; }

protected:
  void InternalDelete() override {
    if (RefuseDelete) throw EDatabaseError("The record is locked");
    TClientDataSet::InternalDelete();
  }
};

// A client dataset that publishes its MasterSource.
class TDetailDataSet : public TClientDataSet {
  VANTREL_CLASS(TDetailDataSet, TClientDataSet)
public:
  explicit TDetailDataSet(TComponent* AOwner) : TClientDataSet(AOwner) {}
  static void Publish(TClassBuilder<TDetailDataSet>& b) {
    b.Property("MasterSource", &TDataSet::MasterSource, &TDataSet::SetMasterSource);
  }
};

// Rows (ID, Price) with Price null where the text is empty.
std::unique_ptr<TTestDataSet> MakeDataSet(const std::vector<const char*>& prices) {
  auto ds = std::make_unique<TTestDataSet>(nullptr);
  ds->FieldDefs().Add("ID", ftInteger);
  ds->FieldDefs().Add("Price", ftFloat);
  ds->CreateDataSet();
  int id = 0;
  for (const char* p : prices) {
    ds->Append();
    ds->FieldByName("ID")->SetAsInteger(++id);
    if (*p) ds->FieldByName("Price")->SetAsFloat(StrToFloat(p));
    ds->Post();
  }
  ds->First();
  return ds;
}

// A producer with sum, average, count of rows and count of prices.
struct Sums {
  explicit Sums(TDataSet* ds, bool virtualRecords = false) {
    p.SetActive(false);
    add(goSum, "Price");
    add(goAvg, "Price");
    add(goCount, "");
    add(goCount, "Price");
    p.SetVirtualRecords(virtualRecords);
    p.SetSumListChanged([this](TObject*) { ++changes; });
    p.SetDataSet(ds);
    p.SetActive(true);
  }
  void add(TGroupOperation op, const char* field) {
    TDBSum* s = p.SumCollection()->Add();
    s->SetGroupOperation(op);
    s->SetFieldName(field);
  }
  // "sum avg count countPrice" as the footers would show them.
  std::string Text() const {
    std::string s;
    for (int i = 0; i < p.SumCollection()->Count(); ++i)
      s += (i ? " " : "") + p.SumCollection()->Items(i)->SumValue.ToString();
    return s;
  }
  TDBSumListProducer p{nullptr};
  int changes = 0;
};

TEST(SumList, ScanSumsAveragesAndCountsAndEndsOnTheFirstRow) {
  auto ds = MakeDataSet({"10", "", "20"});
  ds->Last();
  Sums s(ds.get());
  EXPECT_EQ(s.Text(), "30 15 3 2");  // the null row counts in neither the sum nor the average
  EXPECT_EQ(ds->RecNo(), 1);
  EXPECT_EQ(s.p.SumCollection()->FindSum(goSum, "price"), s.p.SumCollection()->Items(0));
  EXPECT_EQ(s.p.SumCollection()->FindSum(goAvg, "ID"), nullptr);
}

struct EditStep {
  const char* Name;
  std::function<void(TDataSet*)> Apply;
  const char* Expected;  // sum avg count countPrice
};

void SetPrice(TDataSet* ds, int recNo, const char* price) {
  ds->SetRecNo(recNo);
  ds->Edit();
  if (*price) ds->FieldByName("Price")->SetAsFloat(StrToFloat(price));
  else ds->FieldByName("Price")->Clear();
  ds->Post();
}

TEST(SumList, EditingKeepsTheSumsWithoutAScan) {
  auto ds = MakeDataSet({"10", "", "20"});
  Sums s(ds.get());
  const EditStep steps[] = {
      {"10 to 30", [](TDataSet* d) { SetPrice(d, 1, "30"); }, "50 25 3 2"},
      {"30 to null", [](TDataSet* d) { SetPrice(d, 1, ""); }, "20 20 3 1"},
      {"null to 5.5", [](TDataSet* d) { SetPrice(d, 2, "5.5"); }, "25.5 12.75 3 2"},
      {"cancelled edit",
       [](TDataSet* d) {
         d->SetRecNo(3);
         d->Edit();
         d->FieldByName("Price")->SetAsFloat(1000);
         d->Cancel();
       },
       "25.5 12.75 3 2"},
      {"append without price",
       [](TDataSet* d) {
         d->Append();
         d->FieldByName("ID")->SetAsInteger(9);
         d->Post();
       },
       "25.5 12.75 4 2"},
      {"insert with a default price",
       [](TDataSet* d) {
         d->SetOnNewRecord([](TDataSet* n) { n->FieldByName("Price")->SetAsFloat(4.5); });
         d->First();
         d->Insert();
         d->Post();
         d->SetOnNewRecord(nullptr);
       },
       "30 10 5 3"},
      {"cancelled insert",
       [](TDataSet* d) {
         d->Insert();
         d->FieldByName("Price")->SetAsFloat(70);
         d->Cancel();
       },
       "30 10 5 3"},
      {"delete a priced row",
       [](TDataSet* d) {
         d->Locate("Price", Variant(20.0), {});
         d->Delete();
       },
       "10 5 4 2"},
      {"delete a null row",
       [](TDataSet* d) {
         d->Locate("ID", Variant(9), {});
         d->Delete();
       },
       "10 5 3 2"},
  };
  for (const EditStep& step : steps) {
    step.Apply(ds.get());
    EXPECT_EQ(s.Text(), step.Expected) << step.Name;
    // The kept sums are what a full scan gives.
    const std::string kept = s.Text();
    s.p.RecalculateAll();
    EXPECT_EQ(s.Text(), kept) << step.Name;
  }
}

TEST(SumList, AveragesRoundHalfToEven) {
  auto ds = MakeDataSet({"0.0002", "0.0003", "0.0001", "0.0002"});
  Sums s(ds.get());
  EXPECT_EQ(s.Text(), "0.0008 0.0002 4 4");  // 8 / 4 units
  ds->Last();
  ds->Delete();
  EXPECT_EQ(s.Text(), "0.0006 0.0002 3 3");  // 6 / 3 units
  ds->Last();
  ds->Delete();
  EXPECT_EQ(s.Text(), "0.0005 0.0002 2 2");  // 5 / 2 units: 2.5 goes to 2
}

TEST(SumList, DeletingTheOnlyNonNullRowOfAnAverageLeavesZero) {
  auto ds = MakeDataSet({"", "8", ""});
  Sums s(ds.get());
  EXPECT_EQ(s.Text(), "8 8 3 1");
  ds->SetRecNo(2);
  ds->Delete();
  EXPECT_EQ(s.Text(), "0 0 2 0");
}

TEST(SumList, ARefusedDeleteChangesNothing) {
  auto ds = MakeDataSet({"10", "20", "30"});
  ds->Sequenced = false;
  Sums s(ds.get(), true);
  ASSERT_EQ(s.p.Bookmarks().size(), 3u);
  ds->RefuseDelete = true;
  ds->SetRecNo(2);
  EXPECT_THROW(ds->Delete(), EDatabaseError);
  EXPECT_EQ(s.Text(), "60 20 3 3");
  EXPECT_EQ(s.p.Bookmarks().size(), 3u);
  ds->RefuseDelete = false;
  ds->First();
  ds->Delete();  // a later delete removes only its own row's share
  EXPECT_EQ(s.Text(), "50 25 2 2");
  EXPECT_EQ(s.p.Bookmarks().size(), 2u);
}

TEST(SumList, DeletingARowBeingEditedRemovesItsStoredValues) {
  auto ds = MakeDataSet({"10", "20"});
  Sums s(ds.get());
  ds->First();
  ds->Edit();
  ds->FieldByName("Price")->SetAsFloat(100);
  ds->Delete();
  EXPECT_EQ(s.Text(), "20 20 1 1");
}

TEST(SumList, FilterChangesRecalculateAtTheNextScroll) {
  auto ds = MakeDataSet({"10", "20", "30"});
  Sums s(ds.get());
  ds->SetFilter("Price > 15");
  ds->Next();  // Filter changed while Filtered is off: nothing to do
  EXPECT_EQ(s.Text(), "60 20 3 3");
  ds->SetFiltered(true);
  ds->First();
  EXPECT_EQ(s.Text(), "50 25 2 2");
  ds->SetFilter("Price > 25");
  ds->First();
  EXPECT_EQ(s.Text(), "30 30 1 1");
  ds->SetFiltered(false);
  ds->First();
  EXPECT_EQ(s.Text(), "60 20 3 3");
}

TEST(SumList, CloseZeroesAndOpenRecalculates) {
  auto ds = MakeDataSet({"1", "2"});
  Sums s(ds.get());
  ds->Close();
  EXPECT_EQ(s.Text(), "0 0 0 0");
  ds->Open();
  EXPECT_EQ(s.Text(), "3 1.5 2 2");
}

TEST(SumList, ExternalRecalcLeavesTheSumsToItsHandler) {
  auto ds = MakeDataSet({"1", "2"});
  Sums s(ds.get());
  int after = 0;
  s.p.SetOnAfterRecalcAll([&](TObject*) { ++after; });
  s.p.SetExternalRecalc(true);
  EXPECT_EQ(s.Text(), "0 0 0 0");
  s.p.SetOnRecalcAll([&](TObject* sender) {
    static_cast<TDBSumListProducer*>(sender)->SumCollection()->Items(0)->SumValue = Currency(42);
  });
  s.p.RecalculateAll();
  EXPECT_EQ(s.Text(), "42 0 0 0");
  EXPECT_EQ(after, 0);
}

TEST(SumList, ChangingTheItemsRecalculates) {
  auto ds = MakeDataSet({"1", "2"});
  Sums s(ds.get());
  s.p.SumCollection()->Items(0)->SetFieldName("ID");
  EXPECT_EQ(s.Text(), "3 1.5 2 2");
  s.p.SumCollection()->Items(1)->SetGroupOperation(goSum);
  EXPECT_EQ(s.Text(), "3 3 2 2");
}

TEST(SumList, AScanThatFailsReenablesControlsAndPassesTheError) {
  auto ds = MakeDataSet({"1"});
  Sums s(ds.get());
  const int before = s.changes;
  EXPECT_THROW(s.p.SumCollection()->Items(0)->SetFieldName("Nope"), EDatabaseError);
  EXPECT_FALSE(ds->ControlsDisabled());
  EXPECT_GT(s.changes, before);
}

TEST(SumList, AScanWhoseSumLeavesTheCurrencyRangeRaises) {
  // The largest amount is 922337203685477.5807: two rows of 5e14 go past it.
  auto over = MakeDataSet({"500000000000000", "500000000000000"});
  EXPECT_THROW(Sums s(over.get()), EOverflow);
  EXPECT_FALSE(over->ControlsDisabled());
  // Close to the edge and back the sum stands.
  auto edge = MakeDataSet({"900000000000000", "22337203685477", "-900000000000000"});
  Sums s(edge.get());
  EXPECT_EQ(s.p.SumCollection()->Items(0)->SumValue.Raw(), 223372036854770000);
}

TEST(SumList, VirtualRecordsOfAnUnsequencedCursor) {
  auto ds = MakeDataSet({"1", "2", "3", "4"});
  ds->Sequenced = false;
  Sums s(ds.get(), true);
  EXPECT_TRUE(s.p.CursorIsSequenced());
  EXPECT_EQ(s.p.VirtualRecordCount(), 4);
  ds->SetRecNo(3);
  EXPECT_EQ(s.p.VirtualRecNo(), 3);
  s.p.SetVirtualRecNo(2);
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 2);
  EXPECT_THROW(s.p.SetVirtualRecNo(5), EListError);
  EXPECT_THROW(s.p.SetVirtualRecNo(0), EListError);

  // A row inserted before every listed row goes to the front once posted.
  ds->First();
  ds->Insert();
  ds->FieldByName("ID")->SetAsInteger(0);
  EXPECT_EQ(s.p.VirtualRecordCount(), 4);
  ds->Post();
  ASSERT_EQ(s.p.VirtualRecordCount(), 5);
  EXPECT_EQ(s.p.VirtualRecNo(), 1);
  EXPECT_EQ(ds->CompareBookmarks(s.p.Bookmarks()[0], ds->GetBookmark()), 0);
  for (std::size_t i = 1; i < s.p.Bookmarks().size(); ++i)
    EXPECT_LT(ds->CompareBookmarks(s.p.Bookmarks()[i - 1], s.p.Bookmarks()[i]), 0) << i;

  // A cancelled insert leaves no bookmark behind.
  ds->Last();
  ds->Append();
  ds->Cancel();
  EXPECT_EQ(s.p.VirtualRecordCount(), 5);

  ds->SetRecNo(4);
  ds->Delete();
  EXPECT_EQ(s.p.VirtualRecordCount(), 4);
  ds->Last();
  EXPECT_EQ(s.p.VirtualRecNo(), 4);
}

TEST(SumList, HandlersChainAndComeBack) {
  auto ds = MakeDataSet({"1"});
  std::vector<std::string> calls;
  const TDataSetNotifyEvent userPost = [&](TDataSet*) { calls.push_back("post"); };
  const TDataSetNotifyEvent userDelete = [&](TDataSet*) { calls.push_back("before delete"); };
  ds->SetAfterPost(userPost);
  ds->SetBeforeDelete(userDelete);
  {
    Sums s(ds.get());
    EXPECT_FALSE(ds->AfterPost() == userPost);
    SetPrice(ds.get(), 1, "5");
    ds->Delete();
    EXPECT_EQ(s.Text(), "0 0 0 0");
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"post", "before delete"}));
  EXPECT_TRUE(ds->AfterPost() == userPost);
  EXPECT_TRUE(ds->BeforeDelete() == userDelete);
}

TEST(SumList, TwoProducersFreedInCreationOrderLeaveNoStaleHandler) {
  auto ds = MakeDataSet({"1", "2"});
  int posts = 0;
  const TDataSetNotifyEvent user = [&](TDataSet*) { ++posts; };
  ds->SetAfterPost(user);
  auto first = std::make_unique<Sums>(ds.get());
  auto second = std::make_unique<Sums>(ds.get());
  first.reset();  // the second producer's handler stays and now chains to the user's
  SetPrice(ds.get(), 1, "10");
  EXPECT_EQ(posts, 1);
  EXPECT_EQ(second->Text(), "12 6 2 2");
  second.reset();
  EXPECT_TRUE(ds->AfterPost() == user);
  SetPrice(ds.get(), 1, "11");
  EXPECT_EQ(posts, 2);
}

TEST(SumList, DeactivatingZeroesAndUnhooks) {
  auto ds = MakeDataSet({"1", "2"});
  Sums s(ds.get());
  s.p.SetActive(false);
  EXPECT_EQ(s.Text(), "0 0 0 0");
  EXPECT_FALSE(ds->AfterPost());
  SetPrice(ds.get(), 1, "10");
  EXPECT_EQ(s.Text(), "0 0 0 0");
  s.p.SetActive(true);
  EXPECT_EQ(s.Text(), "12 6 2 2");
}

TEST(SumList, AScrollOfTheMasterRecalculates) {
  auto master = MakeDataSet({"1", "2"});
  TDataSource source(nullptr);
  source.SetDataSet(master.get());
  int masterScrolls = 0;
  const TDataSetNotifyEvent user = [&](TDataSet*) { ++masterScrolls; };
  master->SetAfterScroll(user);
  TDetailDataSet detail(nullptr);
  detail.FieldDefs().Add("Price", ftFloat);
  detail.CreateDataSet();
  detail.SetMasterSource(&source);
  {
    TDBSumListProducer p(nullptr);
    TDBSum* sum = p.SumCollection()->Add();
    sum->SetFieldName("Price");
    int recalcs = 0;
    p.SetOnRecalcAll([&](TObject*) { ++recalcs; });
    p.SetDataSet(&detail);
    EXPECT_EQ(recalcs, 1);
    master->Next();
    EXPECT_EQ(recalcs, 2);
    EXPECT_EQ(masterScrolls, 1);
  }
  EXPECT_TRUE(master->AfterScroll() == user);
}

}  // namespace
