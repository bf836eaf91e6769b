#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

TEST(List, NilEntriesGrowthAndBounds) {
  TList l;
  int a = 1, b = 2, c = 3;
  l.Add(&a);
  l.Add(nullptr);
  l.SetCount(4);
  EXPECT_EQ(l.Count(), 4);
  EXPECT_EQ(l.Items(3), nullptr);
  EXPECT_EQ(l.IndexOf(nullptr), 1);
  l.SetItems(3, &c);
  l.Insert(0, &b);
  EXPECT_EQ(l.IndexOf(&c), 4);
  l.Pack();
  EXPECT_EQ(l.Count(), 3);
  struct Case {
    void (*op)(TList&);
    const char* message;
  } cases[] = {
      {[](TList& x) { x.Items(3); }, "List index out of bounds (3)"},
      {[](TList& x) { x.Delete(-1); }, "List index out of bounds (-1)"},
      {[](TList& x) { x.Insert(5, nullptr); }, "List index out of bounds (5)"},
      {[](TList& x) { x.Move(0, 3); }, "List index out of bounds (3)"},
      {[](TList& x) { x.SetCount(-1); }, "List count out of bounds (-1)"},
  };
  for (const auto& k : cases) {
    try {
      k.op(l);
      ADD_FAILURE() << k.message;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), k.message);
    }
  }
}

TEST(List, RemoveMoveExchangeSort) {
  int v[] = {3, 1, 2};
  TList l;
  for (int& x : v) l.Add(&x);
  l.Sort([](void* p, void* q) { return *static_cast<int*>(p) - *static_cast<int*>(q); });
  EXPECT_EQ(*static_cast<int*>(l.First()), 1);
  EXPECT_EQ(*static_cast<int*>(l.Last()), 3);
  l.Exchange(0, 2);
  EXPECT_EQ(l.First(), &v[0]);
  l.Move(0, 2);
  EXPECT_EQ(l.Last(), &v[0]);
  EXPECT_EQ(l.Remove(&v[0]), 2);
  EXPECT_EQ(l.Remove(&v[0]), -1);
  EXPECT_EQ(l.Count(), 2);
  // An inconsistent compare must not crash.
  for (int i = 0; i < 50; ++i) l.Add(nullptr);
  l.Sort([](void*, void*) { return 1; });
  EXPECT_EQ(l.Count(), 52);
}
