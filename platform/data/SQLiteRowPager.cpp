// TSQLiteRowPager: a bounded window over a statement's rows.
#include "platform/data/SQLiteRowPager.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::int64_t WindowSize = 128;

std::string TrimStatement(const std::string& sql) {
  std::size_t end = sql.size();
  while (end > 0 && (std::isspace(static_cast<unsigned char>(sql[end - 1])) || sql[end - 1] == ';')) --end;
  return sql.substr(0, end);
}

// The statement as a sub-query ("-- comments" at its end close with the line).
std::string Wrapped(const std::string& sql) { return "SELECT * FROM (\n" + sql + "\n)"; }

}  // namespace

TSQLiteRowPager::TSQLiteRowPager(sqlite3* db, const std::string& sql, std::vector<int> columns,
                                 std::vector<TFieldType> types, int rowIdColumn, const std::string& orderBy)
    : FDb(db), FSql(TrimStatement(sql)), FColumns(std::move(columns)), FTypes(std::move(types)),
      FRowIdColumn(rowIdColumn) {
  // A value that is the row id as an integer is taken from the row id read anyway.
  for (std::size_t k = 0; k < FColumns.size(); ++k)
    if (FColumns[k] == rowIdColumn && (FTypes[k] == ftInteger || FTypes[k] == ftAutoInc)) FColumns[k] = -1;
  if (!orderBy.empty()) FSql = Wrapped(FSql) + " ORDER BY " + orderBy;
  FPlain = std::make_unique<TSQLiteStatement>(db, FSql);
  try {
    FFromOffset = std::make_unique<TSQLiteStatement>(db, Wrapped(FSql) + " LIMIT -1 OFFSET ?");
  } catch (const EDatabaseError&) {
    FFromOffset.reset();
  }
}

TSQLiteRowPager::~TSQLiteRowPager() = default;

void TSQLiteRowPager::Reset() {
  if (FStatement) FStatement->Reset();
  FStatement = nullptr;
  FNext = 0;
  FCount = -1;
  FHeld = 0;
  FFirst = 0;
}

bool TSQLiteRowPager::StepReader() {
  if (!FStatement) return false;
  if (FStatement->Step()) return true;
  // At the end: the statement lets go of the file, and the number of rows is known.
  FCount = FNext;
  FStatement->Reset();
  FStatement = nullptr;
  return false;
}

bool TSQLiteRowPager::SeekTo(std::int64_t pos) {
  if (FCount >= 0 && pos >= FCount) return false;
  if (!FStatement || FNext > pos) {
    if (FStatement) FStatement->Reset();
    FNext = 0;
    if (pos > 0 && FFromOffset) {
      FStatement = FFromOffset.get();
      FStatement->BindInt64(1, pos);
      FNext = pos;
    } else {
      FStatement = FPlain.get();
    }
  }
  while (FNext < pos) {
    if (!StepReader()) return false;
    ++FNext;
  }
  return true;
}

void TSQLiteRowPager::Fill(std::int64_t first) {
  FHeld = 0;
  FFirst = first;
  if (!SeekTo(first)) return;
  const std::size_t n = FTypes.size();
  while (static_cast<std::int64_t>(FHeld) < WindowSize && StepReader()) {
    if (FRows.size() <= FHeld) {
      FRows.resize(FHeld + 1);
      FRowIds.resize(FHeld + 1);
      FTaken.resize(FHeld + 1);
    }
    std::vector<Variant>& row = FRows[FHeld];
    if (row.size() != n) row.resize(n);
    const std::int64_t rowId = FRowIdColumn >= 0 ? FStatement->ColumnInt64(FRowIdColumn) : -1;
    FStatement->ReadRow(FColumns.data(), FTypes.data(), n, rowId, row.data());
    FRowIds[FHeld] = rowId;
    FTaken[FHeld] = 0;
    ++FHeld;
    ++FNext;
  }
}

bool TSQLiteRowPager::Load(std::int64_t pos) {
  if (pos < 0) return false;
  if (Holds(pos)) {
    if (!FTaken[Slot(pos)]) return true;
    Fill(pos);
    return Holds(pos);
  }
  if (FCount >= 0 && pos >= FCount) return false;
  // Going back, the window ends at pos, so that walking on backwards finds its rows.
  const bool back = FHeld > 0 && pos < FFirst;
  Fill(back ? std::max<std::int64_t>(0, pos - WindowSize + 1) : pos);
  return Holds(pos);
}

bool TSQLiteRowPager::Take(std::int64_t pos, std::vector<Variant>& row) {
  if (!Load(pos)) return false;
  const std::size_t slot = Slot(pos);
  FRows[slot].swap(row);
  FTaken[slot] = 1;
  return true;
}

std::int64_t TSQLiteRowPager::Count() {
  if (FCount >= 0) return FCount;
  try {
    TSQLiteStatement st(FDb, "SELECT count(*) FROM (\n" + FSql + "\n)");
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

std::int64_t TSQLiteRowPager::Find(std::int64_t rowId) {
  if (FRowIdColumn < 0) return -1;
  for (std::int64_t pos = 0; Load(pos); ++pos)
    if (RowId(pos) == rowId) return pos;
  return -1;
}
