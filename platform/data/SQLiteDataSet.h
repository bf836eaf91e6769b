#pragma once
// TSQLiteDataSet: the dataset engine of the connection-based families (ADO, table and
// query, SQL connection, InterBase-style) over an SQLite file. A table is read through
// an index of its row ids, each row fetched when shown; a query's rows are read a window
// at a time as the cursor moves, never all at once.
// Every post and delete is written at once, in its own transaction.
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/Connection.h"
#include "platform/data/RowDataSet.h"
#include "platform/data/SQLiteDatabase.h"
#include "platform/data/SQLiteRowPager.h"
#include "platform/rtl/Strings.h"

class TSQLiteDataSet : public TRowDataSet {
  VANTREL_CLASS(TSQLiteDataSet, TRowDataSet)
public:
  explicit TSQLiteDataSet(TComponent* AOwner);
  ~TSQLiteDataSet() override;
  static void Publish(TClassBuilder<TSQLiteDataSet>&) {}

  bool CanModify() const override;
  // Bytes held for the order of the rows (the bounded index).
  std::size_t IndexMemory() const { return IndexBytes() + FSeg.size() * sizeof(std::int64_t); }
  // Rows of a query held in memory (its window; the table path holds none).
  std::size_t QueryRowsHeld() const { return FPager ? FPager->WindowRows() : 0; }
  // Every row's number is known, a table's too: its position is counted by the engine
  // where the cursor jumps to or, for rows reached from the end, from the row count, not
  // held per row.
  int RecordCount() const override;
  bool BookmarkValid(const TBookmark& b) const override;
  int CompareBookmarks(const TBookmark& a, const TBookmark& b) const override;

  // The writes of a batch share one transaction, committed by the outermost end.
  void BeginWriteBatch() override { ++FWriteBatches; }
  void EndWriteBatch() override;

protected:
  // The connection component the rows come from.
  TCustomConnection* ConnectionComponent() const { return FConnection; }
  void SetConnectionComponent(TCustomConnection* v);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The open database (connecting when needed); raises when there is none.
  virtual TSQLiteDatabase* ConnectedDatabase();
  // The message when no connection is set.
  virtual std::string MissingConnectionText() const { return "Missing Connection or ConnectionString"; }
  // Where the rows come from: a table by name, a statement list (SQL, SelectSQL) or a
  // command text (a bare name is a table, anything else a statement).
  enum TRowSource { rsTable, rsStatement, rsCommandText };
  void SetRowSource(TRowSource s) { FRowSource = s; }
  const std::string& SourceText() const { return FSourceText; }
  // Table names close nothing: they are set while closed. Command texts close the dataset.
  void SetSourceText(const std::string& v);
  TStringList* Statement() const { return FStatement.get(); }
  // A table name reads that table; otherwise SelectText is run.
  std::string TableNameForData() const;
  std::string SelectText() const;
  // "A DESC, B": the order of the rows.
  const std::string& SortText() const { return FSort; }
  void SetSortText(const std::string& v);
  [[noreturn]] void NoSQLError() const;

  void InternalInitFieldDefs() override;
  void OpenEngine() override;
  void CloseEngine() override;
  std::vector<std::int64_t> LoadOrder() override;
  bool LoadRowValues(std::int64_t key, std::vector<Variant>& values) override;
  void CheckRowPresent(std::int64_t key) override;
  bool TakeRowValues(std::int64_t key, std::vector<Variant>& slots,
                     const std::vector<std::pair<int, int>>& dataMap) override;
  std::int64_t WriteRow(std::int64_t key, const std::vector<Variant>& values, const std::vector<bool>& present,
                        std::int64_t beforeKey, const std::vector<Variant>& oldValues) override;
  void EraseRow(std::int64_t key) override;
  // A query's positions change whenever its rows are read again.
  bool OrderFollowsValues() const override { return !FSort.empty() || FPager; }

  // Keyset mode: a table in row-id order without a sort, with no filter or one the engine
  // runs (its condition is part of every statement). Only a segment of
  // row ids around the cursor is held, with the position of its first row: known from
  // the start, from the row count at the end (counted when first needed), or counted
  // where the cursor jumps to.
  TGetResult GetRecord(TRecordBuffer& Buffer, TGetMode GetMode, bool DoCheck) override;
  int GetRecNoOf(const TRecordBuffer& Buffer) const override;
  void InternalFirst() override;
  void InternalLast() override;
  void InternalSetToRecord(const TRecordBuffer& Buffer) override;
  void InternalGotoBookmark(const TBookmark& b) override;
  void InternalSetRecNo(int v) override;
  void InternalPost() override;
  void InternalDelete() override;
  void InternalRefresh() override;
  void FilterChanged() override;
  void ControlsEnabledAgain() override { StopWalk(); }
  bool ScanRows(const std::function<bool(std::int64_t key, int pos)>& visit) override;
  void MoveCursorTo(std::int64_t key, int pos) override;

private:
  bool KeysetMode() const { return FTableMode && FSort.empty() && !FilterNeedsRows(); }
  // " WHERE Cond", with the engine's filter joined to it when there is one ("" for neither).
  std::string KeysetWhere(const std::string& Cond) const;
  // Whether the rows must be read here to be filtered: a filter the engine cannot run, or
  // the OnFilterRecord event. Filtered with an empty filter costs nothing.
  bool FilterNeedsRows() const;
  // The Filter text as an SQL condition over the rows' columns, "" when there is no
  // filter or the engine cannot run it.
  std::string EngineFilterWhere() const;
  bool EngineFilters() const override { return !FEngineWhere.empty(); }
  bool EngineKeeps(std::int64_t key) override;
  // Query mode without a filter: the cursor is a position in the query's result (its
  // key), read through the pager; a filter keeps the positions that pass it instead.
  bool PagedMode() const { return FPager && !FilterNeedsRows(); }
  void OpenPager();
  TGetResult PagedGetRecord(TRecordBuffer& Buffer, TGetMode GetMode);
  void PagedSetToRecord(const TRecordBuffer& Buffer);
  void SetQueryCursor(std::int64_t pos) {
    FQueryCur = pos;
    FQueryCurKey = TSQLiteRowPager::NoRowId;
    FQueryInGap = false;
  }
  // Puts the cursor back on its row (FQueryCurKey) when the rows moved under it.
  void RecheckQueryCursor();
  // A query's keys are the row ids of its table when it has them, else positions.
  bool QueryKeys() const { return FQueryRowIdColumn >= 0; }
  // The key of a row the pager has loaded, and the position of a key (-1: not there).
  std::int64_t QueryKeyAt(std::int64_t pos) const { return QueryKeys() ? FPager->RowId(pos) : pos; }
  std::int64_t QueryRowOf(std::int64_t key) const;
  void PagedPost();
  void PagedDelete();
  // After a write the result is read again: the cursor goes to the row (key) written
  // when the query shows it, else stays at its position.
  void SettleAfterWrite(std::int64_t key);
  void PrepareKeyset();
  bool ExtendForward();
  // Lets go of the forward statement left running (and of the file's read lock with it).
  void StopWalk();
  // Commits the transaction that the writes of a write batch share.
  void EndHeldWrites();
  bool ExtendBackward();
  void TrimSegment(bool dropFront);
  // Takes the row at the cursor out of the segment: it is gone.
  void DropSegmentRow();
  // Takes row key out of the rows shown (deleted, or written out of the filter; counted
  // when the row count held it): the row after it takes its place.
  void LeaveSegment(std::int64_t key, bool counted);
  // With nothing left in the segment to go on from: the row after key (gone) takes its
  // place in it, or the segment is at the end.
  void AnchorAfter(std::int64_t key);
  void SettlePositions() const;
  void RecenterOn(std::int64_t key, std::int64_t pos);
  void Reposition(std::int64_t key);
  bool RowExists(std::int64_t key) const;
  std::int64_t SegmentIndexOf(std::int64_t key) const;
  // Reads the rows next to key (in the direction of travel) into the batch.
  void FetchBatch(std::int64_t key);
  // The current row of a statement that reads rowid (key) and then FColumns, as a batch entry.
  void AppendBatchRow(const TSQLiteStatement& st, std::int64_t key);
  void ClearBatch() { FBatchRows = 0; }
  void ReleaseBatch();
  // The batch entry of key that has not been handed out, -1 when there is none.
  std::int64_t BatchRowOf(std::int64_t key);
  // The same, reading the batch around key first when it is not there.
  std::int64_t LoadBatchRow(std::int64_t key);

  struct TSortItem {
    int Def;
    bool Desc;
  };
  std::vector<TSortItem> ParseSort(const std::string& text) const;
  void DefineFromTable(TSQLiteDatabase* db, const std::string& table);
  void ReadQuery(TSQLiteDatabase* db);
  // Runs write in a transaction of its own; write returns false when the row it works on
  // is not there as read: nothing is kept then, and RowNotLocatedText is raised. A write
  // of one statement (OneStatement) that writes nothing when it returns false needs no
  // savepoint inside a write batch: the engine undoes a failed statement on its own.
  template <class Write>
  void RunWrite(const Write& write, bool OneStatement = false);
  // Whether the row still holds oldValues in the columns cols (empty: nothing known).
  bool RowStillHolds(std::int64_t rowId, const std::vector<size_t>& cols, const std::vector<Variant>& oldValues);
  std::int64_t BaseRowId(std::int64_t key) const;

  TCustomConnection* FConnection = nullptr;
  TRowSource FRowSource = rsStatement;
  std::string FSourceText;
  std::unique_ptr<TStringList> FStatement;
  std::string FSort;
  std::string FEngineWhere;  // the filter the engine runs, "" for none
  std::vector<std::string> FQueryColumnNames;  // every column of the query's statement
  std::string FTable;      // the table rows are read from or written to ("" for none)
  bool FTableMode = false;  // rows fetched by row id from FTable
  std::vector<std::string> FColumns;
  int FRowIdColumn = -1;  // the column that is the row id, -1 for none
  TSQLiteDatabase* FDb = nullptr;
  // Query mode: the statement, where its values and row ids are (-1: none), its rows,
  // and the cursor's position in them.
  std::string FQuerySql;
  std::vector<int> FQueryColumns;
  int FQueryRowIdColumn = -1;
  std::string FQueryKeyName;  // the row id's column name when rows may come in its order
  std::unique_ptr<TSQLiteRowPager> FPager;
  std::int64_t FQueryCur = -1;
  std::int64_t FFillPos = -1;  // the position of the row being put into a record
  // The cursor stands between its row and the next: a row gone from under it.
  bool FQueryInGap = false;
  std::int64_t FQueryCurKey = TSQLiteRowPager::NoRowId;  // the key of the cursor's row, when known
  // Keyset mode.
  std::deque<std::int64_t> FSeg;
  mutable std::int64_t FSegFirstPos = 0;  // position of FSeg[0]; -1 when unknown
  bool FSegAtStart = true, FSegAtEnd = false;
  std::int64_t FSegCur = -1;
  mutable std::int64_t FTotal = -1;
  // Rows read ahead in row-id order, so that a screenful costs one query: their ids and
  // values. A row handed to the cursor is taken (its values went with it, and the record's
  // old values came back) until the batch is read again. The values outlive a batch, so
  // the next one reuses their storage.
  std::vector<std::int64_t> FBatchKeys;
  std::vector<std::vector<Variant>> FBatchValues;
  std::vector<char> FBatchTaken;
  std::size_t FBatchRows = 0;
  std::size_t FBatchNext = 0;  // the entry the cursor is expected to ask for next
  std::int64_t FLastLoaded = -1;
  // A statement prepared when first used: opening prepares only what reading on needs.
  struct TLazyStatement {
    std::string Sql;
    std::unique_ptr<TSQLiteStatement> Statement;
  };
  TSQLiteStatement& Prepared(TLazyStatement& s) const;
  // Statements of writes, prepared once per text while the dataset is open, reset.
  TSQLiteStatement& WriteStatement(const std::string& Sql);
  void RunWriteStatement(const std::string& Sql);
  // The INSERT (Insert) or UPDATE by row id of the columns cols, reset (each use resets it
  // after its step).
  TSQLiteStatement& RowWriteStatement(bool Insert, const std::vector<size_t>& cols);
  std::map<std::string, std::unique_ptr<TSQLiteStatement>> FWriteStatements;
  // The last row write's statement, kept while the next writes the same columns.
  struct TRowWrite {
    bool Insert = false;
    std::vector<size_t> Cols;
    TSQLiteStatement* Statement = nullptr;
  } FLastRowWrite;
  // The columns of the write in hand and the texts bound for it, kept for their storage.
  std::vector<size_t> FWriteCols;
  std::vector<std::string> FBindTexts;
  mutable TLazyStatement FBatchForward, FBatchBackward;
  int FForwardRows = 0;  // rows the next forward extension reads (0: a first batch)
  mutable TLazyStatement FNextKeys, FPriorKeys, FLastKeys, FExists, FNthKey, FAnyAfter;
  // A table's row by its row id.
  mutable TLazyStatement FFetch;
  // Forward extension reads the rows with their ids: the cursor is about to show them.
  // While the controls are held (a pass over the rows), the statement is left running
  // after the rows read (FWalk, standing after row id FWalkAfter), so that walking on
  // continues it instead of starting another; it stops when the controls are enabled,
  // before a write, on a refresh and on closing.
  std::unique_ptr<TSQLiteStatement> FFirstRows;
  mutable TLazyStatement FNextRows;
  TSQLiteStatement* FWalk = nullptr;
  // A transaction opened by a write inside a write batch, shared by the writes that
  // follow until the batch ends.
  bool FHeldWrites = false;
  int FWriteBatches = 0;
  std::int64_t FWalkAfter = 0;
  std::vector<TFieldType> FColumnTypes;
  // Per column, where a batch statement has it (-1: the row id itself).
  std::vector<int> FBatchColumns;
};
