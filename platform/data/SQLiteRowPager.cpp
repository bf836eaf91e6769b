// TSQLiteRowPager: a bounded window over a statement's rows.
#include "platform/data/SQLiteRowPager.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

constexpr std::int64_t WindowSize = 1024;
constexpr std::int64_t FirstWindow = 32;

std::string TrimStatement(const std::string& sql) {
  std::size_t end = sql.size();
  while (end > 0 && (std::isspace(static_cast<unsigned char>(sql[end - 1])) || sql[end - 1] == ';')) --end;
  return sql.substr(0, end);
}

// The statement as a sub-query ("-- comments" at its end close with the line).
std::string Wrapped(const std::string& sql) { return "SELECT * FROM (\n" + sql + "\n)"; }

}  // namespace

TSQLiteRowPager::TSQLiteRowPager(sqlite3* db, const std::string& sql, std::vector<int> columns,
                                 std::vector<TFieldType> types, int rowIdColumn, const std::string& orderBy,
                                 const std::string& keyName, const std::string& where)
    : FDb(db), FSql(TrimStatement(sql)), FColumns(std::move(columns)), FTypes(std::move(types)),
      FRowIdColumn(rowIdColumn), FWindow(FirstWindow) {
  if (!where.empty()) FSql = Wrapped(FSql) + " WHERE " + where;
  FCountSql = FSql;
  // A value that is the row id as an integer is taken from the row id read anyway.
  for (std::size_t k = 0; k < FColumns.size(); ++k)
    if (FColumns[k] == rowIdColumn && (FTypes[k] == ftInteger || FTypes[k] == ftAutoInc)) FColumns[k] = -1;
  if (!keyName.empty() && orderBy.empty() && rowIdColumn >= 0) {
    try {
      const std::string limit = " LIMIT " + std::to_string(WindowSize);
      FAfterKey = std::make_unique<TSQLiteStatement>(
          db, Wrapped(FSql) + " WHERE " + keyName + " > ? ORDER BY " + keyName + limit);
      FBeforeKeySql = Wrapped(FSql) + " WHERE " + keyName + " < ? ORDER BY " + keyName + " DESC" + limit;
      FSql = Wrapped(FSql) + " ORDER BY " + keyName;
    } catch (const EDatabaseError&) {
      FAfterKey.reset();
    }
  }
  if (!orderBy.empty()) {
    FSql = Wrapped(FSql) + " ORDER BY " + orderBy;
    FFirstRows = std::make_unique<TSQLiteStatement>(db, FSql + " LIMIT " + std::to_string(FirstWindow));
  }
  // The statement that reads the first rows is prepared now, so that a statement the engine
  // refuses fails here; the others when first needed.
  if (!FAfterKey && !FFirstRows) FPlain = std::make_unique<TSQLiteStatement>(db, FSql);
}

TSQLiteStatement& TSQLiteRowPager::Plain() {
  if (!FPlain) FPlain = std::make_unique<TSQLiteStatement>(FDb, FSql);
  return *FPlain;
}

TSQLiteStatement* TSQLiteRowPager::FromOffset() {
  if (!FFromOffsetTried) {
    FFromOffsetTried = true;
    try {
      FFromOffset = std::make_unique<TSQLiteStatement>(FDb, Wrapped(FSql) + " LIMIT -1 OFFSET ?");
    } catch (const EDatabaseError&) {
      FFromOffset.reset();
    }
  }
  return FFromOffset.get();
}

TSQLiteStatement& TSQLiteRowPager::BeforeKey() {
  if (!FBeforeKey) FBeforeKey = std::make_unique<TSQLiteStatement>(FDb, FBeforeKeySql);
  return *FBeforeKey;
}

TSQLiteRowPager::~TSQLiteRowPager() = default;

void TSQLiteRowPager::Release() {
  if (FStatement) FStatement->Reset();
  FStatement = nullptr;
  FNext = 0;
}

void TSQLiteRowPager::Reset() {
  Release();
  FLastFound = -1;
  FIndex.clear();
  FCount = -1;
  FHeld = 0;
  FFirst = 0;
  FWindow = FirstWindow;
}

std::int64_t TSQLiteRowPager::NextWindow() {
  const std::int64_t want = FWindow;
  FWindow = std::min(WindowSize, FWindow * 4);
  return want;
}

bool TSQLiteRowPager::StepReader() {
  if (!FStatement) return false;
  if (FStatement->Step()) return true;
  // At the end: the statement lets go of the file, and the number of rows is known.
  FCount = FNext;
  Release();
  return false;
}

bool TSQLiteRowPager::SeekTo(std::int64_t pos) {
  if (FCount >= 0 && pos >= FCount) return false;
  if (!FStatement || FNext > pos) {
    Release();
    if (pos > 0 && FromOffset()) {
      FStatement = FromOffset();
      FStatement->BindInt64(1, pos);
      FNext = pos;
    } else {
      FStatement = &Plain();
    }
  }
  while (FNext < pos) {
    if (!StepReader()) return false;
    ++FNext;
  }
  return true;
}

void TSQLiteRowPager::ReadInto(std::size_t slot, const TSQLiteStatement& st) {
  if (FRows.size() <= slot) {
    FRows.resize(slot + 1);
    FRowIds.resize(slot + 1);
    FTaken.resize(slot + 1);
  }
  std::vector<Variant>& row = FRows[slot];
  const std::size_t n = FTypes.size();
  if (row.size() != n) row.resize(n);
  const std::int64_t rowId = FRowIdColumn >= 0 ? st.ColumnInt64(FRowIdColumn) : -1;
  st.ReadRow(FColumns.data(), FTypes.data(), n, rowId, row.data());
  FRowIds[slot] = rowId;
  FTaken[slot] = 0;
}

void TSQLiteRowPager::Fill(std::int64_t first, std::int64_t want) {
  FHeld = 0;
  FFirst = first;
  if (first == 0 && FFirstRows && want <= FirstWindow) {
    // The first rows in order: the engine sorts keeping only those.
    Release();
    FFirstRows->Reset();
    while (static_cast<std::int64_t>(FHeld) < want && FFirstRows->Step()) ReadInto(FHeld++, *FFirstRows);
    FFirstRows->Reset();
    if (static_cast<std::int64_t>(FHeld) < want) FCount = static_cast<std::int64_t>(FHeld);
    return;
  }
  if (!SeekTo(first)) return;
  while (static_cast<std::int64_t>(FHeld) < want && StepReader()) {
    ReadInto(FHeld, *FStatement);
    ++FHeld;
    ++FNext;
  }
  // Rows in key order are found again by their keys: nothing stays open between windows.
  if (FAfterKey) Release();
}

std::size_t TSQLiteRowPager::ReadFromKey(TSQLiteStatement& st, std::int64_t key, std::int64_t want) {
  st.Reset();
  st.BindInt64(1, key);
  std::size_t got = 0;
  while (static_cast<std::int64_t>(got) < want && st.Step()) ReadInto(got++, st);
  st.Reset();
  return got;
}

void TSQLiteRowPager::FillAfterKey(std::int64_t first, std::int64_t key) {
  const std::int64_t want = NextWindow();
  const std::size_t got = ReadFromKey(*FAfterKey, key, want);
  FFirst = first;
  FHeld = got;
  if (static_cast<std::int64_t>(got) < want) FCount = first + static_cast<std::int64_t>(got);
}

void TSQLiteRowPager::FillBeforeKey(std::int64_t last, std::int64_t key) {
  const std::size_t got = ReadFromKey(BeforeKey(), key, WindowSize);
  // Read backwards: turn the rows around.
  for (std::size_t a = 0, b = got ? got - 1 : 0; a < b; ++a, --b) {
    FRows[a].swap(FRows[b]);
    std::swap(FRowIds[a], FRowIds[b]);
    std::swap(FTaken[a], FTaken[b]);
  }
  FFirst = std::max<std::int64_t>(0, last + 1 - static_cast<std::int64_t>(got));
  FHeld = got;
}

bool TSQLiteRowPager::Read(std::int64_t pos) {
  if (pos < 0) return false;
  const bool held = Holds(pos);
  if (!held && FCount >= 0 && pos >= FCount) return false;
  if (FAfterKey) {
    // Next to the window, or in it, the rows are found by key.
    if (held) FillAfterKey(pos, FRowIds[Slot(pos)] - 1);
    else if (pos == 0) FillAfterKey(0, std::numeric_limits<std::int64_t>::min());
    else if (FHeld > 0 && pos == FFirst + static_cast<std::int64_t>(FHeld)) FillAfterKey(pos, FRowIds[FHeld - 1]);
    else if (FHeld > 0 && pos == FFirst - 1) FillBeforeKey(pos, FRowIds[0]);
    else if (pos < FFirst) Fill(std::max<std::int64_t>(0, pos - WindowSize + 1), WindowSize);
    else Fill(pos, NextWindow());
    return Holds(pos);
  }
  if (held) {
    Fill(pos, NextWindow());
    return Holds(pos);
  }
  // Going back, and at the last row, the window ends at pos, so that walking on backwards
  // finds its rows without reading the statement again.
  const bool last = FCount >= 0 && pos == FCount - 1;
  if ((FHeld > 0 && pos < FFirst) || last) Fill(std::max<std::int64_t>(0, pos - WindowSize + 1), WindowSize);
  else Fill(pos, NextWindow());
  return Holds(pos);
}

std::int64_t TSQLiteRowPager::Count() {
  if (FCount >= 0) return FCount;
  try {
    TSQLiteStatement st(FDb, "SELECT count(*) FROM (\n" + FCountSql + "\n)");
    FCount = st.Step() ? st.ColumnInt64(0) : 0;
  } catch (const EDatabaseError&) {
    // Not a plain query: count by stepping through it.
    TSQLiteStatement st(FDb, FSql);
    std::int64_t n = 0;
    while (st.Step()) ++n;
    FCount = n;
  }
  return FCount;
}

std::int64_t TSQLiteRowPager::PositionOf(std::int64_t rowId, bool index) {
  if (FRowIdColumn < 0) return -1;
  for (std::size_t slot = 0; slot < FHeld; ++slot)
    if (FRowIds[slot] == rowId) return FLastFound = FFirst + static_cast<std::int64_t>(slot);
  if (HeldRowId(FLastFound + 1) == rowId || (Load(FLastFound + 1) && RowId(FLastFound + 1) == rowId))
    return ++FLastFound;
  if (index) {
    if (FIndex.empty())
      for (std::int64_t pos = 0; Load(pos); ++pos) FIndex.emplace(RowId(pos), pos);
    auto it = FIndex.find(rowId);
    return it == FIndex.end() ? -1 : (FLastFound = it->second);
  }
  for (std::int64_t pos = 0; Load(pos); ++pos)
    if (RowId(pos) == rowId) return FLastFound = pos;
  return -1;
}
