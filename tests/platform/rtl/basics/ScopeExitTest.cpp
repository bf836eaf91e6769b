// Clean-up at the end of a scope: it always runs, its own error reaches the caller on
// the normal way out, and an error already leaving the scope is never replaced; undoing
// runs only when an error leaves the scope.
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

  // While the work's error leaves, the errors of the clean-up and of the undoing are
  // dropped instead of ending the program.
  try {
    auto done = AtScopeExit([&] {
      ++runs;
      throw std::logic_error("clean-up failed");
    });
    auto undo = AtScopeFailure([&] {
      ++runs;
      throw std::logic_error("undo failed");
    });
    throw std::runtime_error("work failed");
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "work failed");
  }
  EXPECT_EQ(runs, 4);
}

TEST(ScopeExit, FailureActionRunsOnlyWhenAnErrorLeavesTheScope) {
  int undone = 0;
  { auto undo = AtScopeFailure([&] { ++undone; }); }
  EXPECT_EQ(undone, 0);

  // An error caught inside the scope is no failure of the scope.
  {
    auto undo = AtScopeFailure([&] { ++undone; });
    try {
      throw std::runtime_error("handled");
    } catch (const std::runtime_error&) {
    }
  }
  EXPECT_EQ(undone, 0);

  // Made while another error is on its way out (in a clean-up), it reacts to its own
  // scope only.
  try {
    auto outer = AtScopeExit([&] {
      { auto undo = AtScopeFailure([&] { ++undone; }); }
      EXPECT_EQ(undone, 0);
      EXPECT_THROW(
          {
            auto undo = AtScopeFailure([&] { ++undone; });
            throw std::logic_error("inner");
          },
          std::logic_error);
    });
    throw std::runtime_error("outer");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(undone, 1);
}

}  // namespace
