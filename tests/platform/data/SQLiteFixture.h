#pragma once
// A temporary directory with an SQLite database for the engine tests.
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/data/SQLiteDatabase.h"

class TTempDatabase {
public:
  TTempDatabase() {
    char tmpl[] = "/tmp/vantrel-data-XXXXXX";
    Dir = mkdtemp(tmpl);
    Path = Dir + "/data.mdb";
  }
  ~TTempDatabase() {
    std::error_code ec;
    std::filesystem::permissions(Dir, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(Dir, ec);
  }
  // Runs SQL on the file (creating it), through the C API directly.
  void Exec(const std::string& sql) const {
    sqlite3* db = nullptr;
    sqlite3_open(Path.c_str(), &db);
    char* err = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
    std::string msg = err ? err : "";
    sqlite3_free(err);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error(msg);
  }
  // The first column of the first row of a query, as text ("" for none or NULL).
  std::string Query(const std::string& sql) const {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    std::string out;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW &&
        sqlite3_column_text(st, 0))
      out = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
  }
  // The snippet table of the program with three rows.
  void CreateSnippets() const {
    Exec("CREATE TABLE \"TSet\" (\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT, \"shift\" BOOLEAN, \"control\" BOOLEAN,"
         " \"alt\" BOOLEAN, \"win\" BOOLEAN, \"KeyIndex\" INTEGER, \"Content\" MEMO);"
         "INSERT INTO TSet (shift, control, alt, win, KeyIndex, Content) VALUES (0, 1, 1, 0, 34, 'Hello');"
         "INSERT INTO TSet (shift, control, alt, win, KeyIndex, Content) VALUES (1, 1, 0, 0, 0, '你好');"
         "INSERT INTO TSet (shift, control, alt, win, KeyIndex, Content) VALUES (0, 0, 0, 1, 76, NULL);");
  }

  std::string Dir, Path;
};

// The program's connection string for a database file.
inline std::string JetConnectionString(const std::string& path) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=" + path +
         ";Mode=Share Deny None;Extended Properties=\"\";Jet OLEDB:System database=\"\";"
         "Jet OLEDB:Registry Path=\"\";Jet OLEDB:Database Password=\"\";Jet OLEDB:Engine Type=5;"
         "Jet OLEDB:Database Locking Mode=1;Jet OLEDB:Global Partial Bulk Ops=2;"
         "Jet OLEDB:Global Bulk Transactions=1;Jet OLEDB:New Database Password=\"\";"
         "Jet OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;"
         "Jet OLEDB:Don't Copy Locale on Compact=False;Jet OLEDB:Compact Without Replica Repair=False;"
         "Jet OLEDB:SFP=False";
}

// While it lives, a connection waiting for a lock waits in no time: Waited adds up the
// milliseconds it asked for, and OnWait (when set) runs at each wait.
struct TLockWaits {
  long Waited = 0;
  std::function<void()> OnWait;
  TLockWaits() {
    SetSQLiteBusySleep([this](int ms) {
      Waited += ms;
      if (OnWait) OnWait();
    });
  }
  ~TLockWaits() { SetSQLiteBusySleep(nullptr); }
  TLockWaits(const TLockWaits&) = delete;
  TLockWaits& operator=(const TLockWaits&) = delete;
};
