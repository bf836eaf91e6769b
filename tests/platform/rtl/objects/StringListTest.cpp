#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> Items(const TStrings& s) {
  std::vector<std::string> v;
  for (int i = 0; i < s.Count(); ++i) v.push_back(s.Get(i));
  return v;
}
void Fill(TStrings& s, const std::vector<std::string>& v) {
  s.Clear();
  for (const auto& x : v) s.Add(x);
}
}  // namespace

TEST(StringListCommaText, QuotesWhereNeededAndRoundTrips) {
  struct Case {
    std::vector<std::string> items;
    std::string text;
  } cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"a", "b"}, "a,b"},
      {{"a", "", "b"}, "a,,b"},
      {{"a b"}, "\"a b\""},
      {{"x,y"}, "\"x,y\""},
      {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {{"tab\there"}, "\"tab\there\""},
      {{"中文", "ü"}, "中文,ü"},
      {{"a", ""}, "a,"},
  };
  for (const auto& c : cases) {
    TStringList s;
    Fill(s, c.items);
    EXPECT_EQ(s.CommaText(), c.text);
    TStringList back;
    back.SetCommaText(c.text);
    EXPECT_EQ(Items(back), c.items) << c.text;
  }
}

TEST(StringListCommaText, ParsesLooseInput) {
  struct Case {
    std::string text;
    std::vector<std::string> items;
  } cases[] = {
      {"  a , b  ", {"a", "b"}},
      {"a b", {"a", "b"}},
      {"\"unterminated", {"unterminated"}},
      {"\"a\",\"b c\"", {"a", "b c"}},
      {",", {"", ""}},
  };
  for (const auto& c : cases) {
    TStringList s;
    s.SetCommaText(c.text);
    EXPECT_EQ(Items(s), c.items) << c.text;
  }
}

TEST(StringListDelimitedText, UsesDelimiterAndQuoteChar) {
  TStringList s;
  s.SetDelimiter(';');
  s.SetQuoteChar('\'');
  Fill(s, {"a;b", "c", "it's"});
  EXPECT_EQ(s.DelimitedText(), "'a;b';c;'it''s'");
  TStringList t;
  t.SetDelimiter(';');
  t.SetQuoteChar('\'');
  t.SetDelimitedText(s.DelimitedText());
  EXPECT_EQ(Items(t), Items(s));
}

TEST(StringList, IndexOfIsCaseInsensitiveByDefault) {
  TStringList s;
  Fill(s, {"Alpha", "beta", "ÄRGER"});
  EXPECT_EQ(s.IndexOf("ALPHA"), 0);
  EXPECT_EQ(s.IndexOf("Beta"), 1);
  EXPECT_EQ(s.IndexOf("ärger"), 2);
  EXPECT_EQ(s.IndexOf("gamma"), -1);
  s.SetCaseSensitive(true);
  EXPECT_EQ(s.IndexOf("ALPHA"), -1);
  EXPECT_EQ(s.IndexOf("Alpha"), 0);
}

TEST(StringList, SortedWithDuplicates) {
  struct Case {
    TDuplicates dup;
    std::vector<std::string> expect;
    bool raises;
  } cases[] = {
      {dupIgnore, {"a", "B", "c"}, false},
      {dupAccept, {"a", "b", "B", "c"}, false},
      {dupError, {"a", "B", "c"}, true},
  };
  for (const auto& c : cases) {
    TStringList s;
    s.SetSorted(true);
    s.SetDuplicates(c.dup);
    s.Add("c");
    s.Add("a");
    s.Add("B");
    if (c.raises) {
      try {
        s.Add("b");
        ADD_FAILURE();
      } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
      }
    } else {
      s.Add("b");
    }
    EXPECT_EQ(Items(s), c.expect);
  }
}

TEST(StringList, SortedListRefusesPositionalChanges) {
  TStringList s;
  Fill(s, {"b", "a"});
  s.SetSorted(true);
  EXPECT_EQ(Items(s), (std::vector<std::string>{"a", "b"}));
  int idx = -1;
  EXPECT_TRUE(s.Find("B", idx));
  EXPECT_EQ(idx, 1);
  EXPECT_FALSE(s.Find("ab", idx));
  EXPECT_EQ(idx, 1);
  for (auto op : {+[](TStringList& l) { l.Insert(0, "x"); }, +[](TStringList& l) { l.Put(0, "x"); },
                  +[](TStringList& l) { l.Exchange(0, 1); }, +[](TStringList& l) { l.Move(0, 1); }}) {
    try {
      op(s);
      ADD_FAILURE();
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "Sorted list can't be modified");
    }
  }
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList s;
  s.Add("a");
  struct Case {
    void (*op)(TStringList&);
    const char* message;
  } cases[] = {
      {[](TStringList& l) { l.Get(1); }, "List index out of bounds (1)"},
      {[](TStringList& l) { l.Delete(-1); }, "List index out of bounds (-1)"},
      {[](TStringList& l) { l.Insert(3, "x"); }, "List index out of bounds (3)"},
      {[](TStringList& l) { l.Move(0, 5); }, "List index out of bounds (5)"},
  };
  for (const auto& c : cases) {
    try {
      c.op(s);
      ADD_FAILURE() << c.message;
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  s.Insert(1, "b");  // inserting at Count appends
  EXPECT_EQ(Items(s), (std::vector<std::string>{"a", "b"}));
}

TEST(StringList, TextSplitsAnyLineBreak) {
  TStringList s;
  s.SetText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(Items(s), (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(s.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  s.SetText("x\r\n\r\n");
  EXPECT_EQ(Items(s), (std::vector<std::string>{"x", ""}));
  s.SetText("");
  EXPECT_EQ(s.Count(), 0);
}

TEST(StringList, NamesValuesAndObjects) {
  TStringList s;
  TObject tag;
  s.AddObject("Key=Value", &tag);
  s.Add("plain");
  s.Add("Empty=");
  EXPECT_EQ(s.Names(0), "Key");
  EXPECT_EQ(s.Names(1), "");
  EXPECT_EQ(s.Values("KEY"), "Value");
  EXPECT_EQ(s.Values("missing"), "");
  EXPECT_EQ(s.Objects(0), &tag);
  EXPECT_EQ(s.IndexOfObject(&tag), 0);
  s.SetValues("New", "1");
  EXPECT_EQ(s.Get(3), "New=1");
  s.SetValues("Key", "");
  EXPECT_EQ(s.IndexOfName("Key"), -1);
  s.Exchange(0, 1);
  s.Move(2, 0);
  EXPECT_EQ(Items(s), (std::vector<std::string>{"New=1", "Empty=", "plain"}));
}

TEST(StringList, ChangeEventsHeldBackByUpdates) {
  TStringList s;
  int changes = 0, changing = 0;
  s.SetOnChange([&](TObject*) { ++changes; });
  s.SetOnChanging([&](TObject*) { ++changing; });
  s.Add("a");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(changing, 1);
  s.BeginUpdate();
  s.Add("b");
  s.Add("c");
  s.BeginUpdate();
  s.EndUpdate();
  EXPECT_EQ(changes, 1);
  s.EndUpdate();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(changing, 2);
  s.SetCommaText("x,y,z");
  EXPECT_EQ(changes, 3);
}

TEST(StringList, AssignEqualsAndStreams) {
  TStringList a, b;
  Fill(a, {"one", "Two", "中"});
  b.Assign(&a);
  EXPECT_TRUE(a.Equals(&b));
  b.Put(1, "two");
  EXPECT_FALSE(a.Equals(&b));

  TMemoryStream m;
  a.SaveToStream(&m);
  m.SetPosition(0);
  TStringList c;
  c.LoadFromStream(&m);
  EXPECT_TRUE(c.Equals(&a));

  TList notStrings;
  try {
    a.Assign(reinterpret_cast<TPersistent*>(0));
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TStringList");
  }
}

TEST(StringList, CustomSortSeesIndexes) {
  TStringList s;
  Fill(s, {"bb", "a", "ccc"});
  s.CustomSort([](TStringList* l, int i, int j) {
    return static_cast<int>(l->Get(j).size()) - static_cast<int>(l->Get(i).size());
  });
  EXPECT_EQ(Items(s), (std::vector<std::string>{"ccc", "bb", "a"}));
}
