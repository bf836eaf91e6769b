// Patterns in dataset filters match as SQLite's LIKE does.
#include <gtest/gtest.h>

#include "platform/data/FilterExpr.h"
#include "platform/rtl/Exceptions.h"

namespace {

TEST(LikeFilter, PatternsMatchAsSQLDoes) {
  const struct {
    const char* Text;
    const char* Pattern;
    bool Match;
  } Cases[] = {
      {"Smith", "Smith", true}, {"smith", "SMITH", true}, {"Smith", "Sm%", true},   {"Smith", "%th", true},
      {"Smith", "S_ith", true}, {"Smith", "S_th", false}, {"Smith", "%", true},     {"", "%", true},
      {"", "", true},           {"a", "", false},         {"Smith", "Smit", false}, {"abcabd", "%ab_", true},
      {"a%b", "a%b", true},     {"Ärger", "ä%", false},   {"你好", "你_", true},    {"你好吗", "%好%", true},
      {"mississippi", "%ss%pi", true}, {"mississippi", "m%s_p", false},
  };
  for (const auto& C : Cases) EXPECT_EQ(LikeMatches(C.Text, C.Pattern), C.Match) << C.Text << " LIKE " << C.Pattern;
}

TEST(LikeFilter, FilterTextsWithLikeAndNotLike) {
  auto Matches = [](const char* Filter, const Variant& Name) {
    TFilterExpr E(Filter);
    return E.Matches([&](const std::string&, Variant& V, TFieldType& T) {
      V = Name;
      T = ftString;
      return true;
    });
  };
  EXPECT_TRUE(Matches("[Name] LIKE 'o''b%'", Variant("O'Brien")));
  EXPECT_FALSE(Matches("[Name] NOT LIKE 'o''b%'", Variant("O'Brien")));
  EXPECT_TRUE(Matches("NOT [Name] LIKE 'x%'", Variant("O'Brien")));
  // An empty field passes neither way, as in SQL.
  EXPECT_FALSE(Matches("[Name] LIKE '%'", Null()));
  EXPECT_FALSE(Matches("[Name] NOT LIKE 'x'", Null()));
  EXPECT_THROW(TFilterExpr("[Name] NOT 'x'"), EDatabaseError);
}

}  // namespace
