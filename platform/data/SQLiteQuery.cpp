// TSQLiteDataSet in query mode: the cursor is a position in the query's result, whose
// rows are read a window at a time; a bookmark is that position.
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
  FPager = std::make_unique<TSQLiteRowPager>(FDb->Db(), FQuerySql, FQueryColumns, FColumnTypes, FQueryRowIdColumn,
                                             orderBy, FQueryKeyName);
  FQueryCur = -1;
}

TGetResult TSQLiteDataSet::PagedGetRecord(TRecordBuffer& Buffer, TGetMode GetMode) {
  switch (GetMode) {
    case gmNext:
      ++FQueryCur;
      if (!FPager->Load(FQueryCur)) {
        FQueryCur = FPager->Count();
        return grEOF;
      }
      break;
    case gmPrior:
      if (FQueryCur >= 0) --FQueryCur;
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
  FillBuffer(FQueryCur, static_cast<int>(FQueryCur), Buffer);
  return grOK;
}

void TSQLiteDataSet::SettleAfterWrite(std::int64_t key) {
  if (key < 0) key = FQueryCur;
  if (key >= 0 && FPager->Load(key)) {
    FQueryCur = key;
    return;
  }
  // The row left the result (or was the last one): the row before takes its place.
  FQueryCur = std::min(key, FPager->Count() - 1);
}

void TSQLiteDataSet::PagedPost() { SettleAfterWrite(WriteActiveRecord(-1)); }

void TSQLiteDataSet::PagedDelete() {
  const std::int64_t key = ActiveRecordBuffer()->Key;
  EraseRow(key);
  SettleAfterWrite(key);
}
