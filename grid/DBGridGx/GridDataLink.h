#pragma once
// The grid's data link (dataset notifications forwarded to the grid, and the field map
// from grid columns to dataset fields) and its list of marked rows.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls/grids/GridTypes.h"
#include "platform/data/DataSource.h"
#include "platform/rtl/Classes.h"

class TCustomDBGridGx;
class TField;

class TGridDataLinkGx : public TDataLink {
public:
  explicit TGridDataLinkGx(TCustomDBGridGx* Grid);
  ~TGridDataLinkGx() override;

  TCustomDBGridGx* Grid() const { return FGrid; }
  // Appends the field of that name (or -1) to the map; always true. Raises the grid
  // error once the map is at its limit, and FieldByName's error without SparseMap.
  bool MapField(const std::string& FieldName);
  // The mapped field of grid-relative entry Index; nil when out of range or unmapped.
  TField* FieldAt(int Index) const;
  int FieldCount() const { return static_cast<int>(FFieldMap.size()); }
  bool UsesDefaultFields() const;
  void ClearFieldMap();
  bool SparseMap() const { return FSparseMap; }
  void SetSparseMap(bool Value) { FSparseMap = Value; }
  bool Modified() const { return FModified; }
  void MarkModified() { FModified = true; }
  void UndoEdit();
  bool InUpdateData() const { return FInUpdateData; }
  // Raised while the link reports a layout change to the grid.
  bool InLayoutChange() const { return FInLayoutChange; }

  // The largest number of entries the map holds.
  static constexpr int MaxMapSize = 268435455;

protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int Distance) override;
  void EditingChanged() override;
  void FocusControl(TField** Field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

private:
  TCustomDBGridGx* FGrid;
  std::vector<int> FFieldMap;
  bool FSparseMap = false;
  bool FModified = false;
  bool FInUpdateData = false;
  bool FInLayoutChange = false;
};

class TBookmarkListGx : public TObject {
  VANTREL_CLASS(TBookmarkListGx, TObject)
public:
  explicit TBookmarkListGx(TCustomDBGridGx* Grid);
  ~TBookmarkListGx() override;

  void Clear();
  int Count() const { return FList->Count(); }
  // Raises EListError for an index out of range.
  std::string BookmarkAt(int Index) const { return FList->Strings(Index); }
  // Binary search in bookmark order; Index is the position found or the insertion point.
  bool LocateBookmark(const std::string& Item, int& Index);
  int FindIndex(const std::string& Item);
  // Raises the grid error while the link is inactive.
  std::string CurrentBookmark();
  bool IsCurrentRowMarked();
  void MarkCurrentRow(bool Value);
  // Marks (true) or unmarks (false) each bookmark, the last change of one winning, in a
  // single pass over the list: selecting to the end of a large table stays quick.
  void MarkBookmarks(const std::vector<std::pair<std::string, bool>>& Changes);
  bool LinkActive() const { return FLinkActive; }
  void SetLinkActive(bool Value);
  void DeleteMarkedRecords();
  TGridRect GridBounds();

private:
  void ListChanged(TObject* Sender);
  // The grid's selection becomes (or stops being) the marked rows.
  void MarksChanged();
  TDataSet* DataSet() const;

  TCustomDBGridGx* FGrid;
  std::unique_ptr<TStringList> FList;
  std::string FCacheKey;
  bool FCacheFound = false;
  int FCacheIndex = -1;
  bool FLinkActive = false;
};
