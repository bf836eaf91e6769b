#pragma once
// TSQLiteRowPager: a statement's rows read a window at a time. Only the rows around the
// one asked for are held, never the whole result. Rows in the order of a key (a row id)
// are read window by window from the key next to the window, and no statement stays open
// between windows. Other statements keep running while the cursor moves forward (holding
// the file's read lock until they reach their end or are reset); moving back, or to a
// row far away, starts a statement at an offset, which the engine skips without
// producing the rows.
#include <cstdint>
#include <memory>
#include <climits>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/data/DBTypes.h"
#include "platform/data/SQLiteDatabase.h"
#include "platform/rtl/Variant.h"

class TSQLiteRowPager {
public:
  // columns: the statement's column of each value, read as types. rowIdColumn: the
  // column holding the row id, -1 for none. orderBy: an ORDER BY list over the
  // statement's result columns, "" for its own order. keyName: the row id column's name
  // in the result when the rows may be read in its order, "" when not. where: a
  // condition over the statement's result columns that the rows must meet, "" for all.
  TSQLiteRowPager(sqlite3* db, const std::string& sql, std::vector<int> columns, std::vector<TFieldType> types,
                  int rowIdColumn, const std::string& orderBy = "", const std::string& keyName = "",
                  const std::string& where = "");
  ~TSQLiteRowPager();

  // Makes row pos (from 0) available; false when the result has no such row.
  bool Load(std::int64_t pos) { return (Holds(pos) && !FTaken[Slot(pos)]) || Read(pos); }
  // Hands row pos's values over by swapping them with row, whose storage the pager keeps
  // for the next rows; a row handed over is read again when asked for again.
  bool Take(std::int64_t pos, std::vector<Variant>& row) {
    if (!Load(pos)) return false;
    const std::size_t slot = Slot(pos);
    FRows[slot].swap(row);
    FTaken[slot] = 1;
    return true;
  }
  // The values and row id (-1 without row ids) of a row made available by Load.
  const std::vector<Variant>& Values(std::int64_t pos) const { return FRows[Slot(pos)]; }
  std::int64_t RowId(std::int64_t pos) const { return FRowIds[Slot(pos)]; }
  // The number of rows: known once read to the end, counted by the engine otherwise.
  std::int64_t Count();
  // The position of the row with this row id, -1 when the result does not hold it: the
  // window and the row after the one found last are looked at first; then the rows are
  // searched from the first, or (index) an index of all row ids is made and kept until
  // Reset, so that finding many rows in any order stays cheap.
  std::int64_t PositionOf(std::int64_t rowId, bool index);
  // The row id of a held row (handed over or not), NoRowId when it is not held.
  static constexpr std::int64_t NoRowId = INT64_MIN;
  std::int64_t HeldRowId(std::int64_t pos) const { return Holds(pos) ? FRowIds[Slot(pos)] : NoRowId; }
  // True when the rows come in row id order.
  bool KeyOrder() const { return FAfterKey != nullptr; }
  // Forgets what was read (the rows changed) and lets go of the running statement.
  void Reset();
  // Row slots kept: the most rows held at once.
  std::size_t WindowRows() const { return FRows.size(); }

private:
  std::size_t Slot(std::int64_t pos) const { return static_cast<std::size_t>(pos - FFirst); }
  bool Holds(std::int64_t pos) const { return pos >= FFirst && pos < FFirst + static_cast<std::int64_t>(FHeld); }
  // Load for a row not held (or handed over): reads the window it is in.
  bool Read(std::int64_t pos);
  // Puts the running statement before row pos; false when there is no such row.
  bool SeekTo(std::int64_t pos);
  bool StepReader();
  void Release();
  void ReadInto(std::size_t slot, const TSQLiteStatement& st);
  // The window of up to want rows from position first.
  void Fill(std::int64_t first, std::int64_t want);
  // The size of the next window read forward: small at first (a screenful costs little),
  // growing with each window up to the largest.
  std::int64_t NextWindow();
  // The window of the rows after key, from position first; of those before key, up to last.
  void FillAfterKey(std::int64_t first, std::int64_t key);
  void FillBeforeKey(std::int64_t last, std::int64_t key);
  // Reads up to want rows from st, bound to key, into the first slots.
  std::size_t ReadFromKey(TSQLiteStatement& st, std::int64_t key, std::int64_t want);

  sqlite3* FDb;
  std::string FSql;  // the rows' statement, without a closing semicolon
  std::vector<int> FColumns;
  std::vector<TFieldType> FTypes;
  int FRowIdColumn;
  // The statement read from its first row, and the same from an offset (null when the
  // statement cannot be a sub-query: rows before a position are then stepped over); each
  // prepared when first needed.
  TSQLiteStatement& Plain();
  TSQLiteStatement* FromOffset();
  std::unique_ptr<TSQLiteStatement> FPlain, FFromOffset;
  bool FFromOffsetTried = false;
  // In key order: the rows after a key and before one (FAfterKey null when not in key
  // order; FBeforeKey prepared when first needed).
  TSQLiteStatement& BeforeKey();
  std::unique_ptr<TSQLiteStatement> FAfterKey, FBeforeKey;
  std::string FBeforeKeySql;
  TSQLiteStatement* FStatement = nullptr;  // the running one, null when none runs
  std::int64_t FNext = 0;  // the position the running statement reads next
  std::int64_t FCount = -1;
  std::int64_t FWindow;  // the size of the next window read forward
  // The statement without its order, for counting; the first rows of an ordered
  // statement alone (so that the engine keeps only those while sorting), null otherwise.
  std::string FCountSql;
  std::unique_ptr<TSQLiteStatement> FFirstRows;
  // The window: FHeld rows from position FFirst; the slots beyond keep their storage.
  std::vector<std::vector<Variant>> FRows;
  std::vector<std::int64_t> FRowIds;
  std::vector<char> FTaken;
  std::int64_t FFirst = 0;
  std::size_t FHeld = 0;
  std::int64_t FLastFound = -1;
  std::unordered_map<std::int64_t, std::int64_t> FIndex;
};
