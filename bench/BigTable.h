#pragma once
// The 1,000,000-row table the scrolling benchmarks read: TSet (ID, shift, KeyIndex,
// Content) in a temporary directory, made once per process and removed by RemoveBigTable.
#include <sqlite3.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace bench_data {

constexpr int BigTableRows = 1000000;

inline const std::string& BigTablePath() {
  static const std::string path = [] {
    char tmpl[] = "/tmp/vantrel-bench-XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error("mkdtemp failed");
    std::string p = std::string(tmpl) + "/big.mdb";
    sqlite3* db = nullptr;
    sqlite3_open(p.c_str(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE TSet (ID INTEGER PRIMARY KEY AUTOINCREMENT, shift BOOLEAN, KeyIndex INTEGER, "
                 "Content MEMO);"
                 "BEGIN;"
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
                 "INSERT INTO TSet (shift, KeyIndex, Content) SELECT i % 2, i % 103, 'snippet text number ' || i "
                 "FROM n;"
                 "COMMIT;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return p;
  }();
  return path;
}

// The C API's side of a scrolling benchmark: pages of the big table, a statement each,
// forwards from after a row id or backwards from before one. Every column of every row
// is read: as text (AsText), or the numbers as numbers and the text as text.
class TPageReader {
public:
  explicit TPageReader(bool AsText) : FAsText(AsText) {
    sqlite3_open_v2(BigTablePath().c_str(), &FDb, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_prepare_v2(FDb, "SELECT ID, shift, KeyIndex, Content FROM TSet WHERE rowid > ? ORDER BY rowid LIMIT ?", -1,
                       &FForward, nullptr);
    sqlite3_prepare_v2(FDb,
                       "SELECT ID, shift, KeyIndex, Content FROM TSet WHERE rowid < ? ORDER BY rowid DESC LIMIT ?",
                       -1, &FBackward, nullptr);
  }
  ~TPageReader() {
    sqlite3_finalize(FForward);
    sqlite3_finalize(FBackward);
    sqlite3_close(FDb);
  }
  struct TNoRow {
    void operator()(sqlite3_stmt*) const {}
  };
  TPageReader(const TPageReader&) = delete;
  TPageReader& operator=(const TPageReader&) = delete;
  // Count rows from the one after (before) Key; the ID of the last row read, Key for none.
  // Each row's statement goes to Row once its columns are read.
  template <class F = TNoRow>
  std::int64_t Forward(std::int64_t Key, int Count, F&& Row = {}) {
    return Read(FForward, Key, Count, Row);
  }
  template <class F = TNoRow>
  std::int64_t Backward(std::int64_t Key, int Count, F&& Row = {}) {
    return Read(FBackward, Key, Count, Row);
  }
  // What was read, summed, so that nothing read goes unused.
  std::int64_t Checksum() const { return FChecksum; }

private:
  template <class F>
  std::int64_t Read(sqlite3_stmt* St, std::int64_t Key, int Count, F& Row) {
    sqlite3_reset(St);
    sqlite3_bind_int64(St, 1, Key);
    sqlite3_bind_int(St, 2, Count);
    std::int64_t Last = Key;
    while (sqlite3_step(St) == SQLITE_ROW) {
      Last = sqlite3_column_int64(St, 0);
      for (int C = 0; C < 4; ++C) {
        if (!FAsText && C < 3) {
          FChecksum += sqlite3_column_int64(St, C);
          continue;
        }
        const unsigned char* T = sqlite3_column_text(St, C);
        FChecksum += T ? static_cast<std::int64_t>(std::strlen(reinterpret_cast<const char*>(T))) : 0;
      }
      Row(St);
    }
    return Last;
  }
  bool FAsText;
  sqlite3* FDb = nullptr;
  sqlite3_stmt* FForward = nullptr;
  sqlite3_stmt* FBackward = nullptr;
  std::int64_t FChecksum = 0;
};

inline void RemoveBigTable() { std::filesystem::remove_all(std::filesystem::path(BigTablePath()).parent_path()); }

}  // namespace bench_data
