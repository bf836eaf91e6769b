// Clean-up at the end of a scope: it always runs, its own error reaches the caller on
// the normal way out, and an error already leaving the scope is never replaced.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/rtl/ScopeExit.h"

namespace {

TEST(ScopeExit, RunsOnEveryWayOutAndKeepsTheFirstError) {
  int runs = 0;
  { auto done = AtScopeExit([&] { ++runs; }); }
  EXPECT_EQ(runs, 1);

  EXPECT_THROW(
      {
        auto done = AtScopeExit([&] { ++runs; });
        throw std::runtime_error("work failed");
      },
      std::runtime_error);
  EXPECT_EQ(runs, 2);

  // A failing clean-up on the normal way out is reported.
  EXPECT_THROW({ auto done = AtScopeExit([] { throw std::logic_error("clean-up failed"); }); }, std::logic_error);

  // While the work's error leaves, the clean-up's error is dropped instead of ending the program.
  try {
    auto done = AtScopeExit([&] {
      ++runs;
      throw std::logic_error("clean-up failed");
    });
    throw std::runtime_error("work failed");
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "work failed");
  }
  EXPECT_EQ(runs, 3);
}

}  // namespace
