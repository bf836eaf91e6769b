#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class TTestItem : public TCollectionItem {
  VANTREL_CLASS(TTestItem, TCollectionItem)
public:
  explicit TTestItem(TCollection* C) : TCollectionItem(C) {}
  int Value() const { return FValue; }
  void SetValue(int V) {
    FValue = V;
    Changed(false);
  }
  std::string DisplayName() const override { return "Item" + std::to_string(FValue); }
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TTestItem*>(Source)) {
      SetValue(s->FValue);
      return;
    }
    TCollectionItem::Assign(Source);
  }
  static void Publish(TClassBuilder<TTestItem>& b) { b.Property("Value", &TTestItem::Value, &TTestItem::SetValue).Default(0); }

private:
  int FValue = 0;
};

class TTestCollection : public TCollection {
  VANTREL_CLASS(TTestCollection, TCollection)
public:
  TTestCollection() : TCollection(TTestItem::StaticClass()) {}
  std::vector<std::string> Log;

protected:
  void Update(TCollectionItem* Item) override {
    Log.push_back(Item ? "update " + Item->DisplayName() : "update all");
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    static const char* names[] = {"added", "extracting", "deleting"};
    Log.push_back(std::string(names[Action]) + " " + Item->DisplayName());
  }
};

std::vector<int> Values(TCollection& c) {
  std::vector<int> v;
  for (int i = 0; i < c.Count(); ++i) v.push_back(static_cast<TTestItem*>(c.Items(i))->Value());
  return v;
}
}  // namespace

TEST(Collection, AddNotifiesWithTheFinishedItem) {
  TTestCollection c;
  auto* item = static_cast<TTestItem*>(c.Add());
  EXPECT_EQ(c.Log, (std::vector<std::string>{"added Item0", "update all"}));
  EXPECT_EQ(item->Collection(), &c);
  EXPECT_EQ(item->Index(), 0);
  c.Log.clear();
  item->SetValue(7);
  EXPECT_EQ(c.Log, std::vector<std::string>{"update Item7"});
}

TEST(Collection, ItemsConstructedDirectlyOrMovedJoinTheCollection) {
  TTestCollection a, b;
  auto* direct = new TTestItem(&a);
  EXPECT_EQ(a.Count(), 1);
  EXPECT_EQ(direct->Collection(), &a);
  direct->SetCollection(&b);
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(b.Items(0), direct);
  direct->SetCollection(nullptr);
  EXPECT_EQ(b.Count(), 0);
  EXPECT_EQ(direct->Index(), -1);
  delete direct;
}

TEST(Collection, UpdateCountHoldsBackUpdates) {
  TTestCollection c;
  c.BeginUpdate();
  c.BeginUpdate();
  EXPECT_EQ(c.UpdateCount(), 2);
  static_cast<TTestItem*>(c.Add())->SetValue(1);
  static_cast<TTestItem*>(c.Add())->SetValue(2);
  c.EndUpdate();
  EXPECT_EQ(c.UpdateCount(), 1);
  EXPECT_EQ(c.Log, (std::vector<std::string>{"added Item0", "added Item0"}));
  c.Log.clear();
  c.EndUpdate();
  EXPECT_EQ(c.Log, std::vector<std::string>{"update all"});
  c.Log.clear();
  c.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(c.UpdateCount(), 0);
  EXPECT_TRUE(c.Log.empty());
}

TEST(Collection, WritableIndexMovesTheItem) {
  TTestCollection c;
  for (int v : {10, 20, 30, 40}) static_cast<TTestItem*>(c.Add())->SetValue(v);
  int id = c.Items(0)->ID();
  c.Log.clear();
  c.Items(0)->SetIndex(2);
  EXPECT_EQ(Values(c), (std::vector<int>{20, 30, 10, 40}));
  EXPECT_EQ(c.Log, std::vector<std::string>{"update all"});
  EXPECT_EQ(c.FindItemID(id)->Index(), 2);
  c.Items(3)->SetIndex(0);
  EXPECT_EQ(Values(c), (std::vector<int>{40, 20, 30, 10}));
  EXPECT_THROW(c.Items(0)->SetIndex(4), EListError);
  EXPECT_EQ(Values(c), (std::vector<int>{40, 20, 30, 10}));
}

TEST(Collection, IndexFollowsEveryChangeOfPlace) {
  TTestCollection c, other;
  for (int v : {10, 20, 30, 40, 50}) static_cast<TTestItem*>(c.Add())->SetValue(v);
  auto placesRight = [&] {
    for (int i = 0; i < c.Count(); ++i)
      if (c.Items(i)->Index() != i) return false;
    return true;
  };
  for (int i = 0; i < c.Count(); ++i) c.Items(i)->Index();  // every item remembers its place
  c.Items(4)->SetIndex(0);
  EXPECT_TRUE(placesRight());
  c.Delete(1);
  EXPECT_TRUE(placesRight());
  c.Insert(0);
  EXPECT_TRUE(placesRight());
  TCollectionItem* moved = c.Items(2);
  moved->SetCollection(&other);
  EXPECT_TRUE(placesRight());
  EXPECT_EQ(moved->Index(), 0);
  moved->SetCollection(nullptr);
  EXPECT_EQ(moved->Index(), -1);
  delete moved;
}

TEST(Collection, InsertDeleteClearAndIds) {
  TTestCollection c;
  for (int v : {1, 2}) static_cast<TTestItem*>(c.Add())->SetValue(v);
  auto* ins = static_cast<TTestItem*>(c.Insert(1));
  ins->SetValue(9);
  EXPECT_EQ(Values(c), (std::vector<int>{1, 9, 2}));
  EXPECT_EQ(ins->ID(), 2);
  c.Log.clear();
  c.Delete(0);
  EXPECT_EQ(c.Log, (std::vector<std::string>{"deleting Item1", "extracting Item1", "update all"}));
  EXPECT_EQ(Values(c), (std::vector<int>{9, 2}));
  EXPECT_THROW(c.Delete(2), EListError);
  delete c.Items(0);  // freeing an item removes it
  EXPECT_EQ(Values(c), std::vector<int>{2});
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(static_cast<TTestItem*>(c.Add())->ID(), 3);
}

TEST(Collection, CapacityMakesRoomWithoutTouchingTheItems) {
  TTestCollection c;
  for (int v : {1, 2, 3}) static_cast<TTestItem*>(c.Add())->SetValue(v);
  c.SetCapacity(100);
  EXPECT_GE(c.Capacity(), 100);
  // Less than the count (or a negative value) keeps every item.
  c.SetCapacity(1);
  c.SetCapacity(-1);
  EXPECT_EQ(Values(c), (std::vector<int>{1, 2, 3}));
  static_cast<TTestItem*>(c.Add())->SetValue(4);
  EXPECT_EQ(c.Items(3)->Index(), 3);
  EXPECT_EQ(Values(c), (std::vector<int>{1, 2, 3, 4}));
}

TEST(Collection, AssignCopiesItemsAndForeignSourceFails) {
  TTestCollection a, b;
  for (int v : {5, 6}) static_cast<TTestItem*>(a.Add())->SetValue(v);
  b.Add();
  b.Assign(&a);
  EXPECT_EQ(Values(b), (std::vector<int>{5, 6}));
  TStringList s;
  try {
    b.Assign(&s);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TStringList to a TTestCollection");
  }
}

TEST(Collection, OwnedCollectionNamePath) {
  TComponent owner(nullptr);
  owner.SetName("Grid1");
  TOwnedCollection c(&owner, TTestItem::StaticClass());
  EXPECT_EQ(c.GetOwner(), &owner);
  c.Add();
  EXPECT_EQ(c.Items(0)->GetOwner(), &c);
}
