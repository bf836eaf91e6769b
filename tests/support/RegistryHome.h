#pragma once
// A registry store of the test's own: a fresh directory the store lives in for the
// object's lifetime, and the store's reader.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/controls/Registry.h"
#include "platform/desktop/Headless.h"

class TRegistryHome {
public:
  TRegistryHome() {
    std::string pattern = (std::filesystem::path(::testing::TempDir()) / "vantrel-registry-XXXXXX").string();
    if (mkdtemp(pattern.data())) FDir = pattern;
    win::headless::SetConfigHome(FDir.string());
  }
  ~TRegistryHome() {
    win::headless::SetRegistryWriteHook(nullptr);
    win::headless::SetConfigHome("");
    std::error_code ignored;
    std::filesystem::remove_all(FDir, ignored);
  }
  TRegistryHome(const TRegistryHome&) = delete;
  TRegistryHome& operator=(const TRegistryHome&) = delete;

  const std::filesystem::path& Dir() const { return FDir; }

  // Value Name of the current user's key Path as the store file holds it (the registry
  // read again from the store); "<none>" when the key or the value is missing.
  static std::string Stored(const std::string& Path, const std::string& Name) {
    win::headless::ReloadRegistry();
    TRegistry reg(win::KEY_READ);
    if (!reg.OpenKeyReadOnly(Path) || !reg.ValueExists(Name)) return "<none>";
    return reg.ReadString(Name);
  }
  // The value names of the current user's key Path in the store, in the order written.
  static std::vector<std::string> StoredNames(const std::string& Path) {
    win::headless::ReloadRegistry();
    TRegistry reg(win::KEY_READ);
    std::vector<std::string> names;
    if (!reg.OpenKeyReadOnly(Path)) return names;
    TStringList list;
    reg.GetValueNames(&list);
    for (int i = 0; i < list.Count(); ++i) names.push_back(list[i]);
    return names;
  }

private:
  std::filesystem::path FDir;
};
