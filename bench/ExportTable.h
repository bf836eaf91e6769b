#pragma once
// The 7-column table E the export, import and clipboard benchmarks work on (ID, Name,
// Qty, Price, Note with quotes, Code, Tag with ";"), in a temporary directory of the
// benchmark's own that goes when the program ends.
#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench/BenchFiles.h"

namespace bench_tables {

// The benchmark's directory, made at first use and removed when the program ends.
inline const std::string& Dir() { return bench_files::Dir("table"); }

// A fresh table E at Path holding Rows rows (none for 0).
inline void MakeTableE(const std::string& Path, int Rows) {
  std::filesystem::remove(Path);
  sqlite3* db = nullptr;
  sqlite3_open(Path.c_str(), &db);
  std::string sql =
      "CREATE TABLE E (ID INTEGER PRIMARY KEY, Name VARCHAR(40), Qty INTEGER, Price FLOAT, Note VARCHAR(60), "
      "Code INTEGER, Tag VARCHAR(20));";
  if (Rows > 0)
    sql += "BEGIN;"
           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
           std::to_string(Rows) +
           ") INSERT INTO E SELECT i, 'name ' || i, i % 1000, i * 0.25, 'say \"hi\" to ' || i, i % 103, "
           "'tag;' || (i % 7) FROM n;"
           "COMMIT;";
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot make table E at " + Path);
}

// The rows of table E at Path as text, for comparing two sides' tables.
inline std::string DumpTableE(const std::string& Path) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(Path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT ID, Name, Qty, Price, Note, Code, Tag FROM E ORDER BY ID", -1, &st, nullptr);
  std::string out;
  while (sqlite3_step(st) == SQLITE_ROW)
    for (int C = 0; C < 7; ++C) {
      const unsigned char* V = sqlite3_column_text(st, C);
      out += V ? reinterpret_cast<const char*>(V) : "<null>";
      out += C == 6 ? '\n' : '\t';
    }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return out;
}

}  // namespace bench_tables
