// The recently-used texts: recording a text, the limit, copying and the owner's events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gridcontrols/ToolCtrlsGx/MRUList.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TypInfo.h"

namespace {

std::vector<std::string> Texts(const TMRUListGx& List) {
  std::vector<std::string> v;
  for (int i = 0; i < List.Items()->Count(); ++i) v.push_back(List.Items()->Strings(i));
  return v;
}

void SetTexts(TMRUListGx& List, const std::vector<std::string>& Texts) {
  TStringList s;
  for (const auto& t : Texts) s.Add(t);
  List.SetItems(&s);
}

TEST(MRUListTest, AddRecentMovesOrAppendsAndTrimsTheOldest) {
  const struct {
    const char* Name;
    std::vector<std::string> Before;
    bool CaseSensitive;
    int Limit;
    std::string Text;
    std::vector<std::string> After;
  } cases[] = {
      {"new text", {"a", "b"}, false, 100, "c", {"a", "b", "c"}},
      {"other case moves the old entry", {"Alpha", "b"}, false, 100, "ALPHA", {"b", "Alpha"}},
      {"case-sensitive keeps both", {"Alpha", "b"}, true, 100, "ALPHA", {"Alpha", "b", "ALPHA"}},
      {"case-sensitive equal moves", {"Alpha", "b"}, true, 100, "Alpha", {"b", "Alpha"}},
      {"blank does nothing", {"a"}, false, 100, "  ", {"a"}},
      {"empty does nothing", {"a"}, false, 100, "", {"a"}},
      {"kept with its blanks", {"a"}, false, 100, " x ", {"a", " x "}},
      {"the oldest go", {"a", "b", "c"}, false, 3, "d", {"b", "c", "d"}},
      {"a move deletes nothing", {"a", "b", "c", "d", "e"}, false, 3, "b", {"a", "c", "d", "e", "b"}},
      {"a new text trims an over-full list", {"a", "b", "c", "d", "e"}, false, 3, "f", {"d", "e", "f"}},
      {"limit 0 keeps nothing", {}, false, 0, "a", {}},
  };
  for (const auto& c : cases) {
    TMRUListGx list(nullptr);
    list.SetLimit(c.Limit);
    SetTexts(list, c.Before);  // assigning items does not trim
    list.SetCaseSensitive(c.CaseSensitive);
    list.AddRecent(c.Text);
    EXPECT_EQ(Texts(list), c.After) << c.Name;
  }
}

TEST(MRUListTest, LimitKeepsTheNewestAndANegativeLimitCountsAsZero) {
  TMRUListGx list(nullptr);
  EXPECT_EQ(list.Limit(), 100);
  EXPECT_EQ(list.Rows(), 7);
  SetTexts(list, {"1", "2", "3", "4", "5"});
  list.SetLimit(3);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"3", "4", "5"}));
  SetTexts(list, {"1", "2", "3", "4", "5"});
  EXPECT_EQ(list.Items()->Count(), 5);  // kept until the limit changes
  list.SetLimit(4);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"2", "3", "4", "5"}));
  list.SetLimit(-2);
  EXPECT_EQ(list.Limit(), 0);
  EXPECT_EQ(list.Items()->Count(), 0);
  list.AddRecent("x");
  EXPECT_EQ(list.Items()->Count(), 0);
}

TEST(MRUListTest, EventsFireOnlyOnChangesAndWhenAssigned) {
  TMRUListGx list(nullptr);
  list.SetActive(true);  // no handler yet
  std::vector<std::string> log;
  list.SetOnActiveChanged([&](TObject*) { log.push_back("active"); });
  list.SetOnCloseUp([&](TObject*, bool Accept) { log.push_back(Accept ? "close accept" : "close"); });
  list.SetOnDropDown([&](TObject*) { log.push_back("drop"); });
  list.SetActive(true);
  list.SetActive(false);
  list.OpenPopup();
  list.ClosePopup(true);
  list.ClosePopup(false);
  EXPECT_EQ(log, (std::vector<std::string>{"active", "drop", "close accept", "close"}));
}

TEST(MRUListTest, AssignCopiesTheSettingsAndPublishesThem) {
  TMRUListGx source(nullptr), target(nullptr);
  SetTexts(source, {"a", "b", "c"});
  source.SetActive(true);
  source.SetLimit(2);  // trims the source to b, c
  source.SetRows(3);
  source.SetCaseSensitive(true);
  SetTexts(target, {"x", "y", "z", "w"});
  int activeChanges = 0;
  target.SetOnActiveChanged([&](TObject*) { ++activeChanges; });
  target.Assign(&source);
  EXPECT_EQ(Texts(target), (std::vector<std::string>{"b", "c"}));
  EXPECT_TRUE(target.Active());
  EXPECT_EQ(activeChanges, 1);
  EXPECT_EQ(target.Limit(), 2);
  EXPECT_EQ(target.Rows(), 3);
  EXPECT_TRUE(target.CaseSensitive());
  TStringList other;
  EXPECT_THROW(target.Assign(&other), EConvertError);
  for (const char* name : {"Active", "CaseSensitive", "Items", "Limit", "Rows"})
    EXPECT_TRUE(IsPublishedProp(&target, name)) << name;
  SetOrdProp(&target, "Limit", 1);
  EXPECT_EQ(Texts(target), (std::vector<std::string>{"c"}));
}

}  // namespace
