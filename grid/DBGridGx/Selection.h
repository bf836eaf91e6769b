#pragma once
// The grid's one multi-selection: marked records, a cell rectangle, whole columns or all.
#include <array>
#include <memory>
#include <string>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/controls/grids/GridTypes.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Classes.h"

class TCustomDBGridGx;

// The parts of the union of R1 and R2 that are not in both: R1 and R2 themselves when
// they do not meet, otherwise up to four bands (left, top, right, bottom) around their
// intersection; unused entries are empty rectangles.
std::array<win::RECT, 4> DifferenceRects(const win::RECT& R1, const win::RECT& R2);

enum TDBGridGxSelectionType { gstNon, gstRecordBookmarks, gstRectangle, gstColumns, gstAll };
VANTREL_ENUM(TDBGridGxSelectionType, "gstNon", "gstRecordBookmarks", "gstRectangle", "gstColumns", "gstAll")
using TDBGridGxAllowedSelections = Set<TDBGridGxSelectionType>;

// A data cell: a Columns index (-1 = none) and a record bookmark (empty = none).
struct TDBCell {
  int Col = -1;
  std::string Row;
};

class TDBGridGxSelectionCols : public TColumnsGxList {
  VANTREL_CLASS(TDBGridGxSelectionCols, TColumnsGxList)
public:
  explicit TDBGridGxSelectionCols(TCustomDBGridGx* Grid);
  ~TDBGridGxSelectionCols() override;

  TColumnGx* Anchor() const { return FAnchor; }
  TColumnGx* ShiftCol() const { return FShiftCol; }
  TColumnsGxList* ShiftSelectedCols() const { return FShiftSelectedCols.get(); }
  void InsertSorted(TColumnGx* Column);
  // Invalidates the listed columns, empties the list and drops the anchor.
  void Clear();
  void ToggleColumn(TColumnGx* Column);
  void SelectColumn(TColumnGx* Column, bool Add);
  void ShiftSelectTo(TColumnGx* Column);
  // Drops columns no longer in the grid and sorts the rest by Index.
  void Refresh();
  // Forgets a column that is being freed (list, anchor, shift column and Shift steps).
  void ForgetColumn(TColumnGx* Column);
  TGridRect GridBounds();

private:
  void InvalidateColumn(TColumnGx* Column);
  TCustomDBGridGx* FGrid;
  TColumnGx* FAnchor = nullptr;
  TColumnGx* FShiftCol = nullptr;
  std::unique_ptr<TColumnsGxList> FShiftSelectedCols;
};

class TDBGridGxSelectionRect : public TObject {
  VANTREL_CLASS(TDBGridGxSelectionRect, TObject)
public:
  explicit TDBGridGxSelectionRect(TCustomDBGridGx* Grid) : FGrid(Grid) {}

  const TDBCell& Anchor() const { return FAnchor; }
  const TDBCell& Shift() const { return FShift; }
  bool HasData() const;
  void Empty();
  // Raise the grid error when there is no data (HasData False).
  bool CellSelected(int DataCol, const std::string& Bookmark);
  std::string GetBottomRow();
  std::string GetStartRow();
  int GetStartColumn();
  int GetEndColumn();
  void ExtendTo(int DataCol, const std::string& Bookmark, bool Extend);
  TGridRect GridBounds();
  // The client-area box of the cells from (Col1, BM1) to (Col2, BM2), in either order;
  // rows outside the link's buffer reach to the edge of the data rows they lie beyond.
  win::RECT PixelBox(int Col1, std::string BM1, int Col2, std::string BM2);
  // Keeps the cells' columns below Count (none left: the rectangle empties).
  void ClampColumns(int Count);

private:
  int CompareBookmarks(const std::string& A, const std::string& B) const;
  TCustomDBGridGx* FGrid;
  TDBCell FAnchor;
  TDBCell FShift;
};

class TDBGridGxSelection : public TObject {
  VANTREL_CLASS(TDBGridGxSelection, TObject)
public:
  explicit TDBGridGxSelection(TCustomDBGridGx* Grid);
  ~TDBGridGxSelection() override;

  TBookmarkListGx* Rows() const;
  TDBGridGxSelectionCols* Columns() const { return FColumns.get(); }
  TDBGridGxSelectionRect* Rect() const { return FRect.get(); }
  TDBGridGxSelectionType Kind() const { return FKind; }
  void SetKind(TDBGridGxSelectionType Value);
  bool DataCellSelected(int DataCol, const std::string& Bookmark);
  void Reset();
  void LinkActive(bool Value);
  void SelectAll();
  void UpdateKind();
  TGridRect GridBounds();
  // The grid's columns changed places: a cell rectangle no longer means what it showed.
  void ColumnsMoved();
  // A column is leaving the grid; Remaining columns stay.
  void ColumnRemoved(int Remaining);

private:
  TCustomDBGridGx* FGrid;
  TDBGridGxSelectionType FKind = gstNon;
  std::unique_ptr<TDBGridGxSelectionCols> FColumns;
  std::unique_ptr<TDBGridGxSelectionRect> FRect;
};
