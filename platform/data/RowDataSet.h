#pragma once
// TRowDataSet: the cursor shared by the engines. It keeps the keys of the visible rows
// in order (a bounded index: one key per row, never the rows), fetches a row's values
// on demand, filters, searches and places written rows.
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/data/DataSet.h"
#include "platform/data/FilterExpr.h"

// Why a post or delete failed when the row is gone or changed since it was read.
inline constexpr const char* RowNotLocatedText =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

class TRowDataSet : public TDataSet {
  VANTREL_CLASS(TRowDataSet, TDataSet)
public:
  explicit TRowDataSet(TComponent* AOwner);
  ~TRowDataSet() override;
  static void Publish(TClassBuilder<TRowDataSet>&) {}

  int RecordCount() const override;
  bool IsSequenced() const override { return true; }
  bool BookmarkValid(const TBookmark& b) const override;
  int CompareBookmarks(const TBookmark& a, const TBookmark& b) const override;
  bool Locate(const std::string& KeyFields, const Variant& KeyValues, TLocateOptions Options) override;
  Variant Lookup(const std::string& KeyFields, const Variant& KeyValues, const std::string& ResultFields) override;

protected:
  // The engine's part. Values are indexed by field definition (FieldNo - 1).
  virtual void OpenEngine() = 0;
  virtual void CloseEngine() = 0;
  virtual std::vector<std::int64_t> LoadOrder() = 0;
  // Reads a row's values; false when the row is gone (another program deleted it).
  virtual bool LoadRowValues(std::int64_t key, std::vector<Variant>& values) = 0;
  // Puts row key's values straight into the slots of a record (dataMap: slot, definition
  // index; no definition twice), swapping, so the engine gets the slots' old values back
  // to reuse. False when the engine does not do this; LoadRowValues is used then.
  virtual bool TakeRowValues(std::int64_t key, std::vector<Variant>& slots,
                             const std::vector<std::pair<int, int>>& dataMap) {
    return false;
  }
  // Writes a row (key -1: a new row, placed before beforeKey in the engine's own order,
  // or at its end for -1); returns its key. present[i] tells which columns to write. For
  // an existing row, oldValues holds what was read of those columns (empty: unknown); an
  // engine shared with other programs writes only where the row still holds them, and
  // raises RowNotLocatedText otherwise.
  virtual std::int64_t WriteRow(std::int64_t key, const std::vector<Variant>& values,
                                const std::vector<bool>& present, std::int64_t beforeKey,
                                const std::vector<Variant>& oldValues) = 0;
  // Removes a row; raises RowNotLocatedText when an engine finds it gone.
  virtual void EraseRow(std::int64_t key) = 0;
  // Raises RowNotLocatedText when an engine shared with other programs finds the row
  // gone: a post that changes nothing still tells that its row no longer exists. Rows
  // only this program writes cannot go, so there is nothing to check by default.
  virtual void CheckRowPresent(std::int64_t key) {}
  // True when the order follows the rows' values (a sort or an index): a written row
  // is then placed by reloading the order.
  virtual bool OrderFollowsValues() const { return false; }

  // Reloads the order (after a change of sort, index or filter), keeping the cursor on
  // the same row (keepKey, or the cursor's row) when it is still there.
  void RebuildOrder(std::int64_t keepKey = -1);
  // Writes the active record through WriteRow: a new record whole, an edited one only in
  // the fields that changed (nothing at all when none did); returns the row's key.
  std::int64_t WriteActiveRecord(std::int64_t beforeKey);
  // Visits the visible rows in order until visit returns true; true when it did.
  virtual bool ScanRows(const std::function<bool(std::int64_t key, int pos)>& visit);
  // Puts the cursor on a row found by ScanRows.
  virtual void MoveCursorTo(std::int64_t key, int pos) { FCursor = pos; }
  bool PassesFilter(std::int64_t key);
  // True when the engine itself leaves out the rows the Filter text does not select (the
  // OnFilterRecord event is still asked).
  virtual bool EngineFilters() const { return false; }
  // Whether the engine's filter still selects a row just written.
  virtual bool EngineKeeps(std::int64_t key) { return true; }
  // The row key of the active record, -1 when there is none.
  std::int64_t ActiveKey() const;
  static TBookmark EncodeKey(std::int64_t key);
  static bool DecodeKey(const TBookmark& b, std::int64_t& key);
  // Reads a row into a buffer (data fields, then calculated and lookup fields). A row gone
  // meanwhile (another program deleted it) shows as last read while a record buffer holds
  // it; otherwise nothing is read and the result is false: the cursor passes over it.
  bool FillBuffer(std::int64_t key, int pos, TRecordBuffer& Buffer);
  // A row at position pos (from 0) found gone: the records read after it move up one.
  void RenumberAfterGone(std::int64_t pos);
  // A record buffer that holds row key as last read, or nullptr.
  const TRecordBuffer* LastReadOf(std::int64_t key);

  // TDataSet's engine interface.
  void InternalOpen() override;
  void InternalClose() override;
  TGetResult GetRecord(TRecordBuffer& Buffer, TGetMode GetMode, bool DoCheck) override;
  void InternalFirst() override { FCursor = -1; }
  void InternalLast() override { FCursor = static_cast<std::int64_t>(FOrder.size()); }
  void InternalSetToRecord(const TRecordBuffer& Buffer) override;
  void InternalGotoBookmark(const TBookmark& b) override;
  TBookmark BookmarkOf(const TRecordBuffer& Buffer) const override;
  void InternalPost() override;
  void InternalDelete() override;
  void InternalRefresh() override { RebuildOrder(); }
  void InternalSetRecNo(int v) override;
  void FilterChanged() override;

  // Usually every column is one field, in the same place: each slot of a record is then
  // the value of the column of its own index, and a row's values make a whole record.
  bool WholeRowRecords() const { return FWholeRows; }
  std::size_t OrderSize() const { return FOrder.size(); }
  std::size_t IndexBytes() const;

private:
  int PositionOf(std::int64_t key) const;
  // Takes the row at FCursor out of the order: it is gone.
  void DropRowAtCursor();
  void CompileFilter();
  // Finds the first row matching the key values into found; false when none.
  bool FindRow(const std::vector<TField*>& fields, const Variant& values, TLocateOptions options,
              TRecordBuffer& found);
  std::vector<std::int64_t> FOrder;
  std::int64_t FCursor = -1;
  mutable std::unordered_map<std::int64_t, int> FPosMap;
  mutable bool FPosMapValid = false;
  std::unique_ptr<TFilterExpr> FFilterExpr;
  std::vector<std::pair<int, int>> FDataMap;  // (slot, definition index) of data fields
  std::vector<Variant> FRowValues;
  // What WriteActiveRecord hands to WriteRow.
  std::vector<Variant> FWriteValues, FWriteOldValues;
  std::vector<bool> FWritePresent;
  bool FMoveRowValues = false;  // FillBuffer may move FRowValues into the buffer
  bool FWholeRows = false;
  TRecordBuffer FScratch;
};
