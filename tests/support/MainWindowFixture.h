#pragma once
// The main window made from its stored description, on a snippet database of the
// test's own and a registry store of its own.
#include "app/uVantrel.h"
#include "platform/controls/Registry.h"
#include "platform/desktop/Headless.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

class MainWindowTest : public ::testing::Test {
protected:
  static constexpr const char* RunKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

  void SetUp() override {
    win::headless::Reset();
    Start.emplace();
    Application->SetOnException(nullptr);
    Application->ClearTerminated();
    char tmpl[] = "/tmp/vantrel-mainwindow-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    std::filesystem::create_directory(dir / "config");
    win::headless::SetConfigHome((dir / "config").string());
    exe = (dir / "vantrel").string();
    SetVantrelExePath(exe);
  }
  void TearDown() override {
    for (int i = Application->ComponentCount() - 1; i >= 0; --i)
      if (auto* f = dynamic_cast<TCustomForm*>(Application->Components(i))) f->Free();
    FVantrel = nullptr;
    Start.reset();
    SetVantrelExePath("");
    win::headless::SetConfigHome("");
    std::filesystem::remove_all(dir);
    win::headless::Reset();
  }
  // Rows: Ctrl+Alt+A, no key, Ctrl+Alt+C, Ctrl+Alt+A again, unless Values (the VALUES
  // list of (shift, control, alt, win, KeyIndex, Content) rows) gives others.
  void WriteDatabase(const char* Values = "(0, 1, 1, 0, 34, 'first'), (0, 1, 1, 0, 0, 'no key'),"
                                          " (0, 1, 1, 0, 36, '第三 third'), (0, 1, 1, 0, 34, 'same as first')") {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "data.mdb").c_str(), &db), SQLITE_OK);
    const std::string sql =
        std::string("CREATE TABLE TSet (ID INTEGER PRIMARY KEY AUTOINCREMENT, shift BOOLEAN, control BOOLEAN,"
                    " alt BOOLEAN, win BOOLEAN, KeyIndex INTEGER, Content MEMO);"
                    "INSERT INTO TSet (shift, control, alt, win, KeyIndex, Content) VALUES ") +
        Values + ";";
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  }
  static void StoreAutoRun(const std::string& value) {
    TRegistry reg;
    reg.SetRootKey(win::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(RunKey, true));
    reg.WriteString("Vantrel", value);
  }
  static std::string StoredAutoRun() {
    TRegistry reg;
    reg.SetRootKey(win::HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly(RunKey) || !reg.ValueExists("Vantrel")) return "<absent>";
    return reg.ReadString("Vantrel");
  }
  TFVantrel* Create() {
    Application->CreateForm(FVantrel);
    return FVantrel;
  }

  std::filesystem::path dir;
  std::string exe;
  // The program's start, as its start-up block makes it.
  std::optional<TVantrelStart> Start;
};
