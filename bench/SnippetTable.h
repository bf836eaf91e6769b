#pragma once
// The snippet table the start-up benchmarks read: Rows rows whose combinations run through
// the 16 modifier sets and 102 keys (row i: modifiers (i / 102) & 15 as shift, control,
// alt, win bits, key ordinal 1 + i % 102), each with a short text.
#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace bench_data {

inline void WriteSnippetTable(const std::string& path, int rows) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot create " + path);
  sqlite3_exec(db,
               "CREATE TABLE TSet (ID INTEGER PRIMARY KEY AUTOINCREMENT, shift BOOLEAN, control BOOLEAN,"
               " alt BOOLEAN, win BOOLEAN, KeyIndex INTEGER, Content MEMO); BEGIN;",
               nullptr, nullptr, nullptr);
  sqlite3_stmt* ins = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO TSet (shift, control, alt, win, KeyIndex, Content) VALUES (?,?,?,?,?,?)", -1,
                     &ins, nullptr);
  for (int i = 0; i < rows; ++i) {
    int mods = (i / 102) & 0xF;
    for (int m = 0; m < 4; ++m) sqlite3_bind_int(ins, m + 1, (mods >> m) & 1);
    sqlite3_bind_int(ins, 5, 1 + i % 102);
    std::string text = "snippet " + std::to_string(i) + " 片段";
    sqlite3_bind_text(ins, 6, text.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(ins);
    sqlite3_reset(ins);
  }
  sqlite3_finalize(ins);
  sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

}  // namespace bench_data
