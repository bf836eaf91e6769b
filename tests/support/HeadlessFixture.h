#pragma once
// A test on a fresh headless desktop, reset again after it.
#include <gtest/gtest.h>

#include "platform/desktop/Headless.h"

class HeadlessTest : public ::testing::Test {
protected:
  void SetUp() override { win::headless::Reset(); }
  void TearDown() override { win::headless::Reset(); }
};
