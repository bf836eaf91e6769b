#include "platform/rtl/Resources.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

struct ResourcesTest : ::testing::Test {
  ~ResourcesTest() override {
    for (const char* n : {"LAZY", "PLAIN"}) UnregisterResource("RCDATA", n);
  }
};

// Bytes made on demand are made once, when first asked for, under any spelling of the name.
TEST_F(ResourcesTest, MakerRunsOnceOnFirstRequest) {
  int made = 0;
  RegisterResource("RCDATA", "Lazy", [&made] {
    ++made;
    return Bytes{1, 2, 3};
  });
  EXPECT_EQ(made, 0);
  EXPECT_EQ(ResourceNames("RCDATA"), std::vector<std::string>{"Lazy"});
  EXPECT_EQ(made, 0);
  const Bytes* b = FindResource("rcdata", "LAZY");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(*b, (Bytes{1, 2, 3}));
  EXPECT_EQ(FindResource("RCDATA", "lazy"), b);
  TResourceStream s("lazy", "RCDATA");
  EXPECT_EQ(s.Size(), 3);
  EXPECT_EQ(made, 1);
}

// Registering again replaces either kind, keeping the name's first place in the order.
TEST_F(ResourcesTest, RegisteringAgainReplacesBytesOrMaker) {
  int made = 0;
  RegisterResource("RCDATA", "PLAIN", Bytes{9});
  RegisterResource("RCDATA", "LAZY", [&made] {
    ++made;
    return Bytes{4};
  });
  RegisterResource("RCDATA", "PLAIN", [] { return Bytes{7, 7}; });
  RegisterResource("RCDATA", "LAZY", Bytes{5, 5, 5});
  EXPECT_EQ(*FindResource("RCDATA", "LAZY"), (Bytes{5, 5, 5}));
  EXPECT_EQ(*FindResource("RCDATA", "PLAIN"), (Bytes{7, 7}));
  EXPECT_EQ(made, 0);
  EXPECT_EQ(ResourceNames("RCDATA"), (std::vector<std::string>{"PLAIN", "LAZY"}));
}

// A maker that fails reports it to the one asking, and the next request tries again.
TEST_F(ResourcesTest, FailedMakerIsTriedAgain) {
  int calls = 0;
  RegisterResource("RCDATA", "LAZY", [&calls] {
    if (++calls == 1) throw std::runtime_error("not yet");
    return Bytes{8};
  });
  EXPECT_THROW(FindResource("RCDATA", "LAZY"), std::runtime_error);
  ASSERT_NE(FindResource("RCDATA", "LAZY"), nullptr);
  EXPECT_EQ(*FindResource("RCDATA", "LAZY"), Bytes{8});
  EXPECT_EQ(calls, 2);
}

}  // namespace
