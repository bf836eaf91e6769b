// TSQLiteDataSet in query mode: the cursor is a position in the query's result, whose
// rows are read a window at a time. A row's key (and bookmark) is its row id in the
// query's table, so that it names the same row whatever moves around it; a query without
// row ids (a join, an aggregate) is read-only and its keys are positions.
#include "platform/data/SQLiteDataSet.h"

#include <algorithm>

void TSQLiteDataSet::OpenPager() {
  // A sort is the engine's: by result column number, since names may repeat.
  std::string orderBy;
  for (const TSortItem& s : ParseSort(FSort))
    orderBy += (orderBy.empty() ? "" : ", ") + std::to_string(FQueryColumns[static_cast<std::size_t>(s.Def)] + 1) +
               (s.Desc ? " DESC" : "");
  // Rows that sort alike keep the table's order.
  if (!orderBy.empty() && FQueryRowIdColumn >= 0) orderBy += ", " + std::to_string(FQueryRowIdColumn + 1);
  // A filter the engine can run selects the rows in the statement itself.
  FEngineWhere = EngineFilterWhere();
  FPager = std::make_unique<TSQLiteRowPager>(FDb->Db(), FQuerySql, FQueryColumns, FColumnTypes, FQueryRowIdColumn,
                                             orderBy, FQueryKeyName, FEngineWhere);
  SetQueryCursor(-1);
}

std::int64_t TSQLiteDataSet::QueryRowOf(std::int64_t key) const {
  if (!QueryKeys()) return key;
  if (FFillPos >= 0 && FPager->HeldRowId(FFillPos) == key) return FFillPos;
  // Unfiltered, nothing may grow with the rows; a filter's order holds every key anyway.
  return FPager->PositionOf(key, !PagedMode());
}

void TSQLiteDataSet::RecheckQueryCursor() {
  if (!QueryKeys() || FQueryInGap || FQueryCur < 0 || FQueryCurKey == TSQLiteRowPager::NoRowId) return;
  if (FPager->HeldRowId(FQueryCur) == FQueryCurKey) return;
  // The rows were read again since: find the cursor's row where it is now.
  if (FPager->Load(FQueryCur) && FPager->RowId(FQueryCur) == FQueryCurKey) return;
  const std::int64_t found = QueryRowOf(FQueryCurKey);
  if (found >= 0) {
    FQueryCur = found;
    return;
  }
  // Gone (another program deleted it): the cursor stands in its place, after the row
  // before it and before the row that took its position.
  --FQueryCur;
  FQueryInGap = true;
}

TGetResult TSQLiteDataSet::PagedGetRecord(TRecordBuffer& Buffer, TGetMode GetMode) {
  RecheckQueryCursor();
  switch (GetMode) {
    case gmNext:
      FQueryInGap = false;
      ++FQueryCur;
      if (!FPager->Load(FQueryCur)) {
        FQueryCur = FPager->Count();
        return grEOF;
      }
      break;
    case gmPrior:
      if (FQueryInGap) FQueryInGap = false;
      else if (FQueryCur >= 0) --FQueryCur;
      if (FQueryCur < 0 || !FPager->Load(FQueryCur)) {
        FQueryCur = -1;
        return grBOF;
      }
      break;
    case gmCurrent:
      if (FQueryCur < 0) return grBOF;
      if (!FPager->Load(FQueryCur)) return grEOF;
      break;
  }
  FFillPos = FQueryCur;
  FQueryCurKey = QueryKeyAt(FQueryCur);
  FillBuffer(FQueryCurKey, static_cast<int>(FQueryCur), Buffer);
  return grOK;
}

void TSQLiteDataSet::PagedSetToRecord(const TRecordBuffer& Buffer) {
  const std::int64_t pos = Buffer.RecNo - 1;
  if (!QueryKeys()) {
    SetQueryCursor(Buffer.Key);
    return;
  }
  // Where the record was read; checked when the cursor moves on from it.
  SetQueryCursor(pos);
  FQueryCurKey = Buffer.Key;
}

void TSQLiteDataSet::SettleAfterWrite(std::int64_t key) {
  const std::int64_t pos = key >= 0 ? QueryRowOf(key) : -1;
  if (pos >= 0) {
    SetQueryCursor(pos);
    return;
  }
  // The row left the result (or was the last one): the row after it, or before, takes
  // its place.
  SetQueryCursor(FPager->Load(FQueryCur) ? FQueryCur
                                         : std::max<std::int64_t>(-1, std::min(FQueryCur, FPager->Count() - 1)));
}

void TSQLiteDataSet::PagedPost() { SettleAfterWrite(WriteActiveRecord(-1)); }

void TSQLiteDataSet::PagedDelete() {
  EraseRow(ActiveRecordBuffer()->Key);
  SettleAfterWrite(-1);
}
