// A string list keeps its texts end to end and packs them now and then: whatever the
// edits, every entry keeps its own text and object.
#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using Model = std::vector<std::pair<std::string, TObject*>>;

void ExpectSame(const TStringList& s, const Model& m, int step) {
  ASSERT_EQ(s.Count(), static_cast<int>(m.size())) << "step " << step;
  for (int i = 0; i < s.Count(); ++i) {
    ASSERT_EQ(s.Get(i), m[static_cast<std::size_t>(i)].first) << "step " << step << " entry " << i;
    ASSERT_EQ(s.Objects(i), m[static_cast<std::size_t>(i)].second) << "step " << step << " entry " << i;
  }
}

// Texts of every length (empty, short, past a small-string buffer, with a NUL inside),
// replaced, moved and deleted often enough for the buffer to be packed many times.
TEST(StringListStorage, EditsKeepEveryTextAndObject) {
  TObject tags[3];
  TStringList s;
  s.SetCapacity(64);  // room made ahead, then outgrown
  Model m;
  std::uint32_t seed = 12345;
  auto next = [&](std::uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
  };
  auto text = [&](int step) {
    std::string t = "t" + std::to_string(step);
    t.append(next(300), static_cast<char>('a' + step % 26));
    if (step % 7 == 0) t += std::string("\0x", 2);
    if (step % 11 == 0) t.clear();
    return t;
  };
  for (int step = 0; step < 3000; ++step) {
    int n = static_cast<int>(m.size());
    switch (n < 20 ? 0 : next(7)) {
      case 0: {
        TObject* o = next(4) == 0 ? &tags[next(3)] : nullptr;
        std::string t = text(step);
        s.AddObject(t, o);
        m.push_back({t, o});
        break;
      }
      case 1: {
        int i = static_cast<int>(next(static_cast<std::uint32_t>(n + 1)));
        std::string t = text(step);
        s.Insert(i, t);
        m.insert(m.begin() + i, {t, nullptr});
        break;
      }
      case 2: {
        int i = static_cast<int>(next(static_cast<std::uint32_t>(n)));
        std::string t = text(step);
        s.Put(i, t);
        m[static_cast<std::size_t>(i)].first = t;
        break;
      }
      case 3:
      case 4: {
        int i = static_cast<int>(next(static_cast<std::uint32_t>(n)));
        s.Delete(i);
        m.erase(m.begin() + i);
        break;
      }
      case 5: {
        int i = static_cast<int>(next(static_cast<std::uint32_t>(n))), j = static_cast<int>(next(static_cast<std::uint32_t>(n)));
        s.Exchange(i, j);
        std::swap(m[static_cast<std::size_t>(i)], m[static_cast<std::size_t>(j)]);
        s.Move(i, j);
        auto item = m[static_cast<std::size_t>(i)];
        m.erase(m.begin() + i);
        m.insert(m.begin() + j, item);
        break;
      }
      case 6: {
        int i = static_cast<int>(next(static_cast<std::uint32_t>(n)));
        TObject* o = next(2) ? &tags[next(3)] : nullptr;
        s.SetObjects(i, o);
        m[static_cast<std::size_t>(i)].second = o;
        break;
      }
    }
    ExpectSame(s, m, step);
    if (::testing::Test::HasFatalFailure()) return;
  }
  // Emptied entry by entry, the list takes texts again.
  while (s.Count() > 0) s.Delete(s.Count() - 1);
  s.Add("again");
  EXPECT_EQ(s.Get(0), "again");
  EXPECT_EQ(s.Objects(0), nullptr);
}

// Sorting moves the objects with their texts, and a sorted list finds texts by value.
TEST(StringListStorage, SortingKeepsObjectsWithTheirTexts) {
  TObject a, b, c;
  TStringList s;
  s.AddObject("pear", &a);
  s.AddObject("Apple", &b);
  s.Add("fig");
  s.AddObject("apple", &c);
  s.SetSorted(true);
  std::vector<std::pair<std::string, TObject*>> got;
  for (int i = 0; i < s.Count(); ++i) got.push_back({s.Get(i), s.Objects(i)});
  EXPECT_EQ(got, (std::vector<std::pair<std::string, TObject*>>{
                     {"Apple", &b}, {"apple", &c}, {"fig", nullptr}, {"pear", &a}}));
  EXPECT_EQ(s.IndexOf("FIG"), 2);
  EXPECT_EQ(s.IndexOf("plum"), -1);
}

// What a compare routine does to the list while it sorts is undone: the list ends as its
// entries before, sorted.
TEST(StringListStorage, CustomSortUndoesWhatTheCompareRoutineChanged) {
  TObject tag;
  TStringList s;
  s.Add("ccc");
  s.AddObject("a", &tag);
  s.Add("bb");
  static bool meddled;
  meddled = false;
  s.CustomSort([](TStringList* l, int i, int j) {
    static const int lengths[] = {3, 1, 2};  // of the entries before sorting
    int order = lengths[i] - lengths[j];
    if (!meddled) {
      meddled = true;
      l->Put(0, std::string(5000, 'x'));
      l->Delete(1);
      l->Clear();
      l->Add("intruder");
    }
    return order;
  });
  ASSERT_EQ(s.Count(), 3);
  EXPECT_EQ(s.Get(0), "a");
  EXPECT_EQ(s.Objects(0), &tag);
  EXPECT_EQ(s.Get(1), "bb");
  EXPECT_EQ(s.Get(2), "ccc");
  EXPECT_EQ(s.Objects(2), nullptr);
}

}  // namespace
