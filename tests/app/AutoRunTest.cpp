// The auto-start value, in a registry store of the test's own.
#include "app/AutoRun.h"
#include "platform/controls/Registry.h"
#include "platform/desktop/Headless.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

class AutoRunTest : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vantrel-autorun-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    win::headless::SetConfigHome(dir.string());
  }
  void TearDown() override {
    win::headless::SetRegistryWriteHook(nullptr);
    win::headless::SetConfigHome("");
    fs::remove_all(dir);
  }
  static std::string Stored() {
    TRegistry reg;
    reg.SetRootKey(win::HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run") || !reg.ValueExists("Vantrel"))
      return "<absent>";
    return reg.ReadString("Vantrel");
  }
  fs::path dir;
  const std::string exe = "/opt/vantrel/vantrel";
};

TEST_F(AutoRunTest, TheBoxShowsWhetherTheValueHoldsThisExecutable) {
  EXPECT_FALSE(AutoRunIsOn(exe));
  EXPECT_EQ(Stored(), "<absent>");

  WriteAutoRun(true, exe);
  EXPECT_EQ(Stored(), exe);
  EXPECT_TRUE(AutoRunIsOn(exe));
  EXPECT_FALSE(AutoRunIsOn("/elsewhere/vantrel"));

  // Off empties the value and keeps it.
  WriteAutoRun(false, exe);
  EXPECT_EQ(Stored(), "");
  EXPECT_FALSE(AutoRunIsOn(exe));
  EXPECT_FALSE(AutoRunIsOn(""));

  // What is stored survives a reload of the store.
  WriteAutoRun(true, exe);
  win::headless::ReloadRegistry();
  EXPECT_TRUE(AutoRunIsOn(exe));
}

TEST_F(AutoRunTest, AFailedWriteRaisesAndKeepsTheOldValue) {
  WriteAutoRun(true, exe);
  win::headless::SetRegistryWriteHook([](const std::string&) { return false; });
  try {
    WriteAutoRun(false, exe);
    ADD_FAILURE() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Failed to set data for 'Vantrel'");
  }
  win::headless::SetRegistryWriteHook(nullptr);
  win::headless::ReloadRegistry();
  EXPECT_TRUE(AutoRunIsOn(exe));
}

}  // namespace
