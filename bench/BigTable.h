#pragma once
// The tables the scrolling benchmarks read: TSet (ID, shift, KeyIndex, Content) of a
// number of rows (1,000,000 for most) in a temporary directory, each made once per
// process and all removed by RemoveBigTable.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench_data {

constexpr int BigTableRows = 1000000;

inline std::map<int, std::string>& TablePaths() {
  static std::map<int, std::string> paths;
  return paths;
}

inline const std::string& TablePath(int Rows) {
  std::string& p = TablePaths()[Rows];
  if (!p.empty()) return p;
  char tmpl[] = "/tmp/vantrel-bench-XXXXXX";
  if (!mkdtemp(tmpl)) throw std::runtime_error("mkdtemp failed");
  const std::string path = std::string(tmpl) + "/big.mdb";
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  const std::string sql =
      "CREATE TABLE TSet (ID INTEGER PRIMARY KEY AUTOINCREMENT, shift BOOLEAN, KeyIndex INTEGER, Content MEMO);"
      "BEGIN;"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
      std::to_string(Rows) +
      ") INSERT INTO TSet (shift, KeyIndex, Content) SELECT i % 2, i % 103, 'snippet text number ' || i FROM n;"
      "COMMIT;";
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot make the table of " + std::to_string(Rows) + " rows");
  return p = path;
}

inline const std::string& BigTablePath() { return TablePath(BigTableRows); }

// The C API's side of a scrolling benchmark, as a plain program reads the rows a grid
// shows: on a connection in the dataset's own mode (no mutex of its own), forwards with
// one statement over the table in row id order that keeps running while the pages follow
// on (it starts again only where the rows asked for do not follow the last one read), and
// backwards with a statement from before a row id. Every column of every row is read, the
// numbers as numbers and the text as text.
class TPageReader {
public:
  explicit TPageReader(const std::string& Path = BigTablePath()) {
    sqlite3_open_v2(Path.c_str(), &FDb, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_prepare_v2(FDb, "SELECT ID, shift, KeyIndex, Content FROM TSet WHERE rowid > ? ORDER BY rowid", -1,
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
    if (!FForwardRunning || FForwardLast != Key) {
      sqlite3_reset(FForward);
      sqlite3_bind_int64(FForward, 1, Key);
      FForwardRunning = true;
    }
    std::int64_t Last = Key;
    for (int N = 0; N < Count; ++N) {
      if (sqlite3_step(FForward) != SQLITE_ROW) {
        sqlite3_reset(FForward);
        FForwardRunning = false;
        break;
      }
      Last = ReadRow(FForward, Row);
    }
    FForwardLast = Last;
    return Last;
  }
  template <class F = TNoRow>
  std::int64_t Backward(std::int64_t Key, int Count, F&& Row = {}) {
    sqlite3_reset(FBackward);
    sqlite3_bind_int64(FBackward, 1, Key);
    sqlite3_bind_int(FBackward, 2, Count);
    std::int64_t Last = Key;
    while (sqlite3_step(FBackward) == SQLITE_ROW) Last = ReadRow(FBackward, Row);
    sqlite3_reset(FBackward);
    return Last;
  }
  // The number of rows, counted by the engine.
  std::int64_t CountRows() {
    sqlite3_stmt* St = nullptr;
    sqlite3_prepare_v2(FDb, "SELECT count(*) FROM TSet", -1, &St, nullptr);
    const std::int64_t N = sqlite3_step(St) == SQLITE_ROW ? sqlite3_column_int64(St, 0) : 0;
    sqlite3_finalize(St);
    return N;
  }
  // What was read, summed, so that nothing read goes unused.
  std::int64_t Checksum() const { return FChecksum; }

private:
  template <class F>
  std::int64_t ReadRow(sqlite3_stmt* St, F& Row) {
    const std::int64_t Id = sqlite3_column_int64(St, 0);
    FChecksum += Id + sqlite3_column_int64(St, 1) + sqlite3_column_int64(St, 2);
    FChecksum += sqlite3_column_text(St, 3) ? sqlite3_column_bytes(St, 3) : 0;
    Row(St);
    return Id;
  }
  sqlite3* FDb = nullptr;
  sqlite3_stmt* FForward = nullptr;
  sqlite3_stmt* FBackward = nullptr;
  bool FForwardRunning = false;
  std::int64_t FForwardLast = 0;
  std::int64_t FChecksum = 0;
};

// A row of the table as a plain program keeps it.
struct TShownRow {
  std::int64_t Id = 0, Shift = 0, KeyIndex = 0;
  std::string Content;
};

// The rows a grid of Screen rows shows, kept as a plain program keeps them: a window of
// Screen rows with a current one, read through a TPageReader as the grid's keys move it,
// only the rows not shown yet.
class TShownRows {
public:
  explicit TShownRows(int Screen, const std::string& Path = BigTablePath()) : FReader(Path), FRows(Screen) {}
  // The first rows, the first current.
  void First() {
    FTop = FCount = FCurrent = 0;
    FReader.Forward(0, Screen(), [&](sqlite3_stmt* St) { Keep(FRows[FCount++], St); });
  }
  // The last rows, the last current.
  void Last() {
    int Read = 0;
    FReader.Backward(INT64_MAX, Screen(), [&](sqlite3_stmt* St) { Keep(FRows[Screen() - 1 - Read++], St); });
    FTop = Screen() - Read;
    FCount = Read;
    FCurrent = Read - 1;
  }
  // The current row N rows on (N >= 0, up to the last row); a current row beyond the
  // window puts it at the bottom, reading the rows it uncovers.
  void MoveBy(int N) {
    const int Target = FCurrent + N;
    if (Target < FCount) {
      FCurrent = Target;
      return;
    }
    const int Need = Target - FCount + 1;
    for (int Got = 0; Got < Need; ++Got) {
      const std::int64_t After = Row(FCount - 1).Id;
      bool Read = false;
      FReader.Forward(After, 1, [&](sqlite3_stmt* St) {
        if (FCount == Screen()) FTop = (FTop + 1) % Screen();
        else ++FCount;
        Keep(FRows[(FTop + FCount - 1) % Screen()], St);
        Read = true;
      });
      if (!Read) break;
    }
    FCurrent = FCount - 1;
  }
  // The number of rows in the table, for a proportional scroll bar.
  std::int64_t CountRows() { return FReader.CountRows(); }
  int Screen() const { return static_cast<int>(FRows.size()); }
  int Count() const { return FCount; }
  int Current() const { return FCurrent; }
  // The I-th row shown, from the top.
  const TShownRow& Row(int I) const { return FRows[static_cast<std::size_t>((FTop + I) % Screen())]; }
  std::int64_t Checksum() const { return FReader.Checksum(); }

private:
  static void Keep(TShownRow& Row, sqlite3_stmt* St) {
    Row.Id = sqlite3_column_int64(St, 0);
    Row.Shift = sqlite3_column_int64(St, 1);
    Row.KeyIndex = sqlite3_column_int64(St, 2);
    const unsigned char* T = sqlite3_column_text(St, 3);
    Row.Content.assign(T ? reinterpret_cast<const char*>(T) : "", T ? static_cast<std::size_t>(sqlite3_column_bytes(St, 3)) : 0);
  }
  TPageReader FReader;
  std::vector<TShownRow> FRows;
  int FTop = 0, FCount = 0, FCurrent = 0;
};

inline void RemoveBigTable() {
  for (const auto& [rows, path] : TablePaths()) std::filesystem::remove_all(std::filesystem::path(path).parent_path());
  TablePaths().clear();
}

// A benchmark program's main: runs the benchmarks asked for, then removes the tables.
inline int RunBenchmarks(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  RemoveBigTable();
  return 0;
}

}  // namespace bench_data
