// TSQLiteDataSet in keyset mode: a table in row-id order read through a bounded
// segment of row ids around the cursor, extended a chunk at a time.
#include <algorithm>

#include "platform/data/SQLiteDataSet.h"

#include "platform/rtl/ScopeExit.h"

namespace {
constexpr int ChunkSize = 256;
constexpr std::size_t MaxSegment = 4096;
constexpr int BatchSize = 64;
// A walk forward reads further ahead at each extension, up to this many rows.
constexpr int MaxForwardRows = 256;
}  // namespace

TSQLiteStatement& TSQLiteDataSet::Prepared(TLazyStatement& s) const {
  if (!s.Statement) s.Statement = std::make_unique<TSQLiteStatement>(FDb->Db(), s.Sql);
  return *s.Statement;
}

std::string TSQLiteDataSet::KeysetWhere(const std::string& Cond) const {
  if (FEngineWhere.empty()) return Cond.empty() ? std::string() : " WHERE " + Cond;
  return " WHERE " + (Cond.empty() ? std::string() : Cond + " AND ") + "(" + FEngineWhere + ")";
}

void TSQLiteDataSet::PrepareKeyset() {
  std::string from = " FROM " + QuoteIdent(FTable);
  auto later = [](TLazyStatement& s, std::string sql) {
    s.Sql = std::move(sql);
    s.Statement.reset();
  };
  // The rows shown: those the engine's filter selects, when there is one.
  const std::string all = KeysetWhere("");
  later(FNextKeys, "SELECT rowid" + from + KeysetWhere("rowid > ?") + " ORDER BY rowid LIMIT ?");
  later(FPriorKeys, "SELECT rowid" + from + KeysetWhere("rowid < ?") + " ORDER BY rowid DESC LIMIT ?");
  later(FLastKeys, "SELECT rowid" + from + all + " ORDER BY rowid DESC LIMIT ?");
  later(FExists, "SELECT 1" + from + KeysetWhere("rowid = ?"));
  later(FAnyAfter, "SELECT 1" + from + KeysetWhere("rowid > ?") + " LIMIT 1");
  later(FNthKey, "SELECT rowid" + from + all + " ORDER BY rowid LIMIT 1 OFFSET ?");
  // Rows are read with their row id first; a column that is the row id (an INTEGER
  // PRIMARY KEY) is not read again.
  std::string cols;
  FColumnTypes.clear();
  FBatchColumns.clear();
  int next = 1;
  for (size_t i = 0; i < FColumns.size(); ++i) {
    TFieldType type = FieldDefs().Items(static_cast<int>(i))->DataType();
    FColumnTypes.push_back(type);
    if (static_cast<int>(i) == FRowIdColumn && type == ftAutoInc) {
      FBatchColumns.push_back(-1);
    } else {
      cols += ", " + QuoteIdent(FColumns[i]);
      FBatchColumns.push_back(next++);
    }
  }
  FWalk = nullptr;
  FFirstRows = std::make_unique<TSQLiteStatement>(FDb->Db(), "SELECT rowid" + cols + from + all + " ORDER BY rowid");
  later(FNextRows, "SELECT rowid" + cols + from + KeysetWhere("rowid > ?") + " ORDER BY rowid");
  later(FBatchForward, "SELECT rowid" + cols + from + KeysetWhere("rowid >= ?") + " ORDER BY rowid LIMIT " +
                           std::to_string(BatchSize));
  later(FBatchBackward, "SELECT rowid" + cols + from + KeysetWhere("rowid <= ?") + " ORDER BY rowid DESC LIMIT " +
                            std::to_string(BatchSize));
  // What was read through the statements before goes with them; the segment stays.
  ClearBatch();
  FLastLoaded = -1;
  FForwardRows = 0;
  FTotal = -1;
}

void TSQLiteDataSet::FetchBatch(std::int64_t key) {
  bool backward = FLastLoaded >= 0 && key < FLastLoaded;
  TSQLiteStatement& st = Prepared(backward ? FBatchBackward : FBatchForward);
  ClearBatch();
  st.Reset();
  st.BindInt64(1, key);
  while (st.Step()) AppendBatchRow(st, st.ColumnInt64(0));
  st.Reset();
  if (!backward) return;
  // Backward reads come in descending order: turn the rows around.
  for (std::size_t a = 0, b = FBatchRows ? FBatchRows - 1 : 0; a < b; ++a, --b) {
    std::swap(FBatchKeys[a], FBatchKeys[b]);
    std::swap(FBatchTaken[a], FBatchTaken[b]);
    FBatchValues[a].swap(FBatchValues[b]);
  }
}

void TSQLiteDataSet::AppendBatchRow(const TSQLiteStatement& st, std::int64_t key) {
  const std::size_t n = FColumnTypes.size();
  const std::size_t row = FBatchRows;
  if (FBatchKeys.size() <= row) {
    FBatchKeys.resize(row + 1);
    FBatchTaken.resize(row + 1);
    FBatchValues.resize(row + 1);
  }
  std::vector<Variant>& values = FBatchValues[row];
  if (values.size() != n) values.resize(n);
  st.ReadRow(FBatchColumns.data(), FColumnTypes.data(), n, key, values.data());
  FBatchKeys[row] = key;
  FBatchTaken[row] = 0;
  // Counted only once it is whole, so a failed read leaves no half-filled row.
  FBatchRows = row + 1;
}

std::int64_t TSQLiteDataSet::LoadBatchRow(std::int64_t key) {
  // A row handed out before has left the batch: read it again.
  std::int64_t row = BatchRowOf(key);
  if (row < 0) {
    FetchBatch(key);
    row = BatchRowOf(key);
  }
  FLastLoaded = key;
  return row;
}

void TSQLiteDataSet::ReleaseBatch() {
  ClearBatch();
  FBatchKeys.clear();
  FBatchTaken.clear();
  FBatchValues.clear();
  FBatchValues.shrink_to_fit();
}

std::int64_t TSQLiteDataSet::BatchRowOf(std::int64_t key) {
  std::size_t row = FBatchNext;
  if (row >= FBatchRows || FBatchKeys[row] != key) {
    auto end = FBatchKeys.begin() + static_cast<long>(FBatchRows);
    auto it = std::lower_bound(FBatchKeys.begin(), end, key);
    if (it == end || *it != key) return -1;
    row = static_cast<std::size_t>(it - FBatchKeys.begin());
  }
  if (FBatchTaken[row]) return -1;
  FBatchNext = row + 1;
  return static_cast<std::int64_t>(row);
}

int TSQLiteDataSet::GetRecNoOf(const TRecordBuffer& Buffer) const {
  if (Buffer.RecNo > 0 || !KeysetMode() || !FDb) return TRowDataSet::GetRecNoOf(Buffer);
  // Rows reached from the end are numbered once the row count is known; it is counted
  // when a number is first asked for, not on every move to the end.
  RecordCount();
  SettlePositions();
  const std::int64_t i = SegmentIndexOf(Buffer.Key);
  if (i >= 0 && FSegFirstPos >= 0) return static_cast<int>(FSegFirstPos + i + 1);
  TSQLiteStatement before(FDb->Db(), "SELECT count(*) FROM " + QuoteIdent(FTable) + KeysetWhere("rowid < ?"));
  before.BindInt64(1, Buffer.Key);
  return before.Step() ? static_cast<int>(before.ColumnInt64(0) + 1) : -1;
}

void TSQLiteDataSet::SettlePositions() const {
  if (FSegAtStart) FSegFirstPos = 0;
  else if (FSegAtEnd && FTotal >= 0) FSegFirstPos = FTotal - static_cast<std::int64_t>(FSeg.size());
}

void TSQLiteDataSet::TrimSegment(bool dropFront) {
  if (FSeg.size() <= MaxSegment) return;
  std::size_t n = FSeg.size() - MaxSegment;
  if (dropFront) {
    FSeg.erase(FSeg.begin(), FSeg.begin() + static_cast<long>(n));
    FSegCur -= static_cast<std::int64_t>(n);
    if (FSegFirstPos >= 0) FSegFirstPos += static_cast<std::int64_t>(n);
    FSegAtStart = false;
  } else {
    FSeg.erase(FSeg.end() - static_cast<long>(n), FSeg.end());
    FSegAtEnd = false;
  }
}

bool TSQLiteDataSet::ExtendForward() {
  if (FSegAtEnd) return false;
  // Walking on reads twice as far as the time before: a scan costs few statements, a
  // screenful few rows.
  const int rows = FForwardRows > 0 ? FForwardRows : BatchSize;
  TSQLiteStatement* st = FWalk;
  FWalk = nullptr;
  if (!st || FSeg.empty() || FSeg.back() != FWalkAfter) {
    if (st) st->Reset();
    if (FSeg.empty()) {
      if (!FSegAtStart) return false;
      st = FFirstRows.get();
      st->Reset();
    } else {
      st = &Prepared(FNextRows);
      st->Reset();
      st->BindInt64(1, FSeg.back());
    }
  }
  FForwardRows = std::min(2 * rows, MaxForwardRows);
  // Forward, the ids come with their rows, a batch at a time: the rows become the batch,
  // so walking through them reads nothing more.
  ClearBatch();
  int got = 0;
  {
    auto dropOnFailure = AtScopeFailure([&] {
      ClearBatch();
      st->Reset();
    });
    while (got < rows && st->Step()) {
      std::int64_t key = st->ColumnInt64(0);
      FSeg.push_back(key);
      AppendBatchRow(*st, key);
      ++got;
    }
  }
  if (got < rows) {
    FSegAtEnd = true;
    st->Reset();
  } else if (ControlsDisabled()) {
    FWalk = st;
    FWalkAfter = FSeg.back();
  } else {
    st->Reset();
  }
  TrimSegment(true);
  SettlePositions();
  return got > 0;
}

void TSQLiteDataSet::StopWalk() {
  if (FWalk) FWalk->Reset();
  FWalk = nullptr;
}

bool TSQLiteDataSet::ExtendBackward() {
  FForwardRows = 0;
  if (FSegAtStart) return false;
  TSQLiteStatement* st;
  if (FSeg.empty()) {
    if (!FSegAtEnd) return false;
    st = &Prepared(FLastKeys);
    st->Reset();
    st->BindInt64(1, ChunkSize);
  } else {
    st = &Prepared(FPriorKeys);
    st->Reset();
    st->BindInt64(1, FSeg.front());
    st->BindInt64(2, ChunkSize);
  }
  int got = 0;
  while (st->Step()) {
    FSeg.push_front(st->ColumnInt64(0));
    ++got;
  }
  st->Reset();
  FSegCur += got;
  if (FSegFirstPos >= 0) FSegFirstPos -= got;
  if (got < ChunkSize) FSegAtStart = true;
  TrimSegment(false);
  SettlePositions();
  return got > 0;
}

void TSQLiteDataSet::RecenterOn(std::int64_t key, std::int64_t pos) {
  if (pos < 0) {
    // Jumps (bookmarks, searches, posts) learn the row's position: the rows before it.
    TSQLiteStatement st(FDb->Db(), "SELECT count(*) FROM " + QuoteIdent(FTable) + KeysetWhere("rowid < ?"));
    st.BindInt64(1, key);
    pos = st.Step() ? st.ColumnInt64(0) : -1;
  }
  FSeg.assign(1, key);
  FForwardRows = 0;
  FSegCur = 0;
  FSegAtStart = pos == 0;
  FSegAtEnd = false;
  FSegFirstPos = pos >= 0 ? pos : -1;
  SettlePositions();
}

void TSQLiteDataSet::Reposition(std::int64_t key) {
  if (FPager) {
    // A query is read again in the new order, the cursor staying on its row if it can
    // (a query without row ids starts again from its first row).
    OpenPager();
    if (!PagedMode()) RebuildOrder(QueryKeys() ? key : -1);
    else if (key >= 0 && QueryKeys()) SetQueryCursor(QueryRowOf(key));
    return;
  }
  if (!KeysetMode()) {
    RebuildOrder(key);
    return;
  }
  // The keys held while the rows were sorted or filtered here are let go.
  if (OrderSize() > 0) RebuildOrder(-1);
  if (key >= 0 && RowExists(key)) RecenterOn(key, -1);
  else InternalFirst();
}

bool TSQLiteDataSet::RowExists(std::int64_t key) const {
  TSQLiteStatement& exists = Prepared(FExists);
  exists.Reset();
  exists.BindInt64(1, key);
  bool found = exists.Step();
  exists.Reset();
  return found;
}

std::int64_t TSQLiteDataSet::SegmentIndexOf(std::int64_t key) const {
  auto it = std::lower_bound(FSeg.begin(), FSeg.end(), key);
  return it != FSeg.end() && *it == key ? it - FSeg.begin() : -1;
}

TGetResult TSQLiteDataSet::GetRecord(TRecordBuffer& Buffer, TGetMode GetMode, bool DoCheck) {
  if (PagedMode()) return PagedGetRecord(Buffer, GetMode);
  if (!KeysetMode()) return TRowDataSet::GetRecord(Buffer, GetMode, DoCheck);
  auto size = [this] { return static_cast<std::int64_t>(FSeg.size()); };
  for (;;) {
    switch (GetMode) {
      case gmNext:
        if (FSegCur < size()) ++FSegCur;
        if (FSegCur >= size() && !ExtendForward()) {
          FSegCur = size();
          return grEOF;
        }
        break;
      case gmPrior:
        if (FSegCur >= 0) --FSegCur;
        if (FSegCur < 0 && !ExtendBackward()) {
          FSegCur = -1;
          return grBOF;
        }
        break;
      case gmCurrent:
        if (FSegCur >= size() && (FSegAtEnd || !ExtendForward())) return grEOF;
        if (FSegCur < 0) return grBOF;
        break;
    }
    std::int64_t pos = FSegFirstPos >= 0 ? FSegFirstPos + FSegCur : -2;
    if (FillBuffer(FSeg[static_cast<size_t>(FSegCur)], static_cast<int>(pos), Buffer)) return grOK;
    // Gone (another program deleted it): read on as if it had never been there.
    DropSegmentRow();
    if (GetMode == gmCurrent && DoCheck) return grError;
    if (GetMode == gmNext) --FSegCur;
  }
}

void TSQLiteDataSet::DropSegmentRow() {
  const auto i = static_cast<std::size_t>(FSegCur);
  const std::int64_t key = FSeg[i];
  if (FSegFirstPos >= 0) RenumberAfterGone(FSegFirstPos + FSegCur);
  FSeg.erase(FSeg.begin() + static_cast<long>(i));
  // Counted again when next asked for: whether the count saw the row is not known.
  FTotal = -1;
  if (FSeg.empty() && !FSegAtStart && !FSegAtEnd) AnchorAfter(key);
}

void TSQLiteDataSet::AnchorAfter(std::int64_t key) {
  TSQLiteStatement& next = Prepared(FNextKeys);
  next.Reset();
  next.BindInt64(1, key);
  next.BindInt64(2, 1);
  if (next.Step()) FSeg.push_back(next.ColumnInt64(0));
  else FSegAtEnd = true;
  next.Reset();
}

void TSQLiteDataSet::InternalFirst() {
  if (PagedMode()) {
    SetQueryCursor(-1);
    return;
  }
  if (!KeysetMode()) return TRowDataSet::InternalFirst();
  FSeg.clear();
  FForwardRows = 0;
  FSegAtStart = true;
  FSegAtEnd = false;
  FSegFirstPos = 0;
  FSegCur = -1;
}

void TSQLiteDataSet::InternalLast() {
  if (PagedMode()) {
    SetQueryCursor(FPager->Count());
    return;
  }
  if (!KeysetMode()) return TRowDataSet::InternalLast();
  FSeg.clear();
  FForwardRows = 0;
  FSegAtStart = false;
  FSegAtEnd = true;
  FSegFirstPos = FTotal;
  FSegCur = 0;
}

void TSQLiteDataSet::InternalSetToRecord(const TRecordBuffer& Buffer) {
  if (PagedMode()) return PagedSetToRecord(Buffer);
  if (!KeysetMode()) return TRowDataSet::InternalSetToRecord(Buffer);
  std::int64_t i = SegmentIndexOf(Buffer.Key);
  if (i >= 0) FSegCur = i;
  else RecenterOn(Buffer.Key, Buffer.RecNo > 0 ? Buffer.RecNo - 1 : -1);
}

void TSQLiteDataSet::InternalGotoBookmark(const TBookmark& b) {
  if (PagedMode()) {
    std::int64_t key;
    const std::int64_t pos = DecodeKey(b, key) ? QueryRowOf(key) : -1;
    if (pos < 0) Error("Record not found");
    SetQueryCursor(pos);
    return;
  }
  if (!KeysetMode()) return TRowDataSet::InternalGotoBookmark(b);
  std::int64_t key;
  if (!DecodeKey(b, key) || !RowExists(key)) Error("Record not found");
  std::int64_t i = SegmentIndexOf(key);
  if (i >= 0) FSegCur = i;
  else RecenterOn(key, -1);
}

bool TSQLiteDataSet::BookmarkValid(const TBookmark& b) const {
  if (PagedMode()) {
    std::int64_t key;
    return Active() && DecodeKey(b, key) && QueryRowOf(key) >= 0;
  }
  if (!KeysetMode()) return TRowDataSet::BookmarkValid(b);
  std::int64_t key;
  return Active() && DecodeKey(b, key) && RowExists(key);
}

int TSQLiteDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
  if (!KeysetMode() && !PagedMode()) return TRowDataSet::CompareBookmarks(a, b);
  if (a.empty() || b.empty()) return a.empty() ? (b.empty() ? 0 : -1) : 1;
  std::int64_t ka, kb;
  if (!DecodeKey(a, ka) || !DecodeKey(b, kb)) return TDataSet::CompareBookmarks(a, b);
  if (ka == kb) return 0;
  // Keys in the order of the rows compare as they are; other keys by their positions.
  if (PagedMode() && QueryKeys() && !FPager->KeyOrder()) {
    const std::int64_t pa = QueryRowOf(ka), pb = QueryRowOf(kb);
    if (pa >= 0 && pb >= 0) return pa < pb ? -1 : 1;
  }
  return ka < kb ? -1 : 1;
}

int TSQLiteDataSet::RecordCount() const {
  if (Active() && PagedMode()) return static_cast<int>(FPager->Count());
  if (!Active() || !KeysetMode()) return TRowDataSet::RecordCount();
  if (FTotal < 0) {
    TSQLiteStatement st(FDb->Db(), "SELECT count(*) FROM " + QuoteIdent(FTable) + KeysetWhere(""));
    FTotal = st.Step() ? st.ColumnInt64(0) : 0;
  }
  return static_cast<int>(FTotal);
}

void TSQLiteDataSet::InternalSetRecNo(int v) {
  if (PagedMode()) {
    const std::int64_t count = FPager->Count();
    if (count > 0) SetQueryCursor(std::clamp<std::int64_t>(v, 1, count) - 1);
    return;
  }
  if (!KeysetMode()) return TRowDataSet::InternalSetRecNo(v);
  if (v < 1) v = 1;
  TSQLiteStatement& nth = Prepared(FNthKey);
  nth.Reset();
  nth.BindInt64(1, v - 1);
  bool found = nth.Step();
  std::int64_t key = found ? nth.ColumnInt64(0) : -1;
  nth.Reset();
  if (found) {
    RecenterOn(key, v - 1);
  } else {
    InternalLast();
    ExtendBackward();
    FSegCur = static_cast<std::int64_t>(FSeg.size()) - 1;
  }
}

void TSQLiteDataSet::InternalPost() {
  if (PagedMode()) return PagedPost();
  if (!KeysetMode()) return TRowDataSet::InternalPost();
  bool inserting = State() == dsInsert;
  std::int64_t key = WriteActiveRecord(-1);
  if (!FEngineWhere.empty() && !RowExists(key)) {
    // Written out of the rows the filter selects: it leaves them.
    LeaveSegment(key, !inserting);
    return;
  }
  if (inserting) {
    if (FTotal >= 0) ++FTotal;
    else RecordCount();
    // A new row usually takes the next row id and stands at the end of the table: its
    // position is then known without counting the rows before it. Read forward, the row
    // comes back with those after it: the batch shows whether it is the last, and the
    // record is read from it once the post is done.
    bool last;
    if (FLastLoaded < 0 || key >= FLastLoaded) {
      last = LoadBatchRow(key) == 0 && FBatchRows == 1;
    } else {
      TSQLiteStatement& after = Prepared(FAnyAfter);
      after.Reset();
      after.BindInt64(1, key);
      last = !after.Step();
      after.Reset();
    }
    RecenterOn(key, last ? FTotal - 1 : -1);
    return;
  }
  std::int64_t i = SegmentIndexOf(key);
  if (i >= 0) FSegCur = i;
  else RecenterOn(key, -1);
}

void TSQLiteDataSet::InternalDelete() {
  if (PagedMode()) return PagedDelete();
  if (!KeysetMode()) return TRowDataSet::InternalDelete();
  std::int64_t key = ActiveRecordBuffer()->Key;
  EraseRow(key);
  LeaveSegment(key, true);
}

void TSQLiteDataSet::LeaveSegment(std::int64_t key, bool counted) {
  std::int64_t i = SegmentIndexOf(key);
  if (i < 0) {
    RecenterOn(key, -1);
    i = 0;
  }
  if (counted && FTotal >= 0) --FTotal;
  // The row after it takes its position.
  const std::int64_t pos = FSegFirstPos >= 0 ? FSegFirstPos + i : -1;
  FSeg.erase(FSeg.begin() + static_cast<long>(i));
  FSegCur = i;
  if (FSeg.empty() && !FSegAtStart && !FSegAtEnd) {
    AnchorAfter(key);
    FSegCur = 0;
    FSegFirstPos = pos;
  }
  SettlePositions();
}

void TSQLiteDataSet::InternalRefresh() {
  StopWalk();
  ClearBatch();
  if (FPager) FPager->Reset();
  if (PagedMode()) return;
  if (!KeysetMode()) return TRowDataSet::InternalRefresh();
  FTotal = -1;
  Reposition(ActiveKey());
}

void TSQLiteDataSet::FilterChanged() {
  std::int64_t key = ActiveKey();
  // The engine's part of the filter first; should the new filter be refused, the old
  // one is put back.
  const std::string oldWhere = FEngineWhere;
  std::string where = EngineFilterWhere();
  if (where != oldWhere) {
    bool done = false;
    auto restore = AtScopeExit([&] {
      if (done) return;
      FEngineWhere = oldWhere;
      if (FPager) OpenPager();
      if (FTableMode) PrepareKeyset();
    });
    FEngineWhere = where;
    // A table's statements read the rows the new filter selects.
    if (FTableMode) PrepareKeyset();
    if (FPager) {
      OpenPager();
      if (PagedMode()) {
        // The filtered rows are read from the first.
        TRowDataSet::FilterChanged();
        SetQueryCursor(-1);
        done = true;
        return;
      }
    }
    if (!KeysetMode()) TRowDataSet::FilterChanged();
    else Reposition(key);
    done = true;
    return;
  }
  if (!KeysetMode()) {
    TRowDataSet::FilterChanged();
    // Without a filter a query's cursor is a position again (the first row follows).
    if (PagedMode()) SetQueryCursor(-1);
    return;
  }
  Reposition(key);
}

bool TSQLiteDataSet::ScanRows(const std::function<bool(std::int64_t key, int pos)>& visit) {
  if (PagedMode()) {
    for (std::int64_t pos = 0; FPager->Load(pos); ++pos) {
      FFillPos = pos;
      if (visit(QueryKeyAt(pos), static_cast<int>(pos))) return true;
    }
    return false;
  }
  if (!KeysetMode()) return TRowDataSet::ScanRows(visit);
  TSQLiteStatement st(FDb->Db(), "SELECT rowid FROM " + QuoteIdent(FTable) + KeysetWhere("") + " ORDER BY rowid");
  int pos = 0;
  while (st.Step())
    if (visit(st.ColumnInt64(0), pos++)) return true;
  return false;
}

void TSQLiteDataSet::MoveCursorTo(std::int64_t key, int pos) {
  if (PagedMode()) {
    SetQueryCursor(pos);
    return;
  }
  if (!KeysetMode()) return TRowDataSet::MoveCursorTo(key, pos);
  std::int64_t i = SegmentIndexOf(key);
  if (i >= 0) FSegCur = i;
  else RecenterOn(key, pos);
}
