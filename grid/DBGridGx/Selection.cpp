// The grid's selection: one kind at a time (marked records, a cell rectangle, whole
// columns or everything).
#include "grid/DBGridGx/Selection.h"

#include <algorithm>
#include <vector>

#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridErrors.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"

using namespace columns_detail;

namespace {
const TGridRect NoGridRect{-1, -1, -1, -1};

bool IsEmptyRect(const win::RECT& R) { return R.right <= R.left || R.bottom <= R.top; }

win::RECT Intersection(const win::RECT& A, const win::RECT& B) {
  win::RECT r{std::max(A.left, B.left), std::max(A.top, B.top), std::min(A.right, B.right),
              std::min(A.bottom, B.bottom)};
  return IsEmptyRect(r) ? win::RECT{} : r;
}

// The smallest rectangle holding both (an empty one counts for nothing).
win::RECT Bounding(const win::RECT& A, const win::RECT& B) {
  if (IsEmptyRect(A)) return IsEmptyRect(B) ? win::RECT{} : B;
  if (IsEmptyRect(B)) return A;
  return win::RECT{std::min(A.left, B.left), std::min(A.top, B.top), std::max(A.right, B.right),
                   std::max(A.bottom, B.bottom)};
}
}  // namespace

std::array<win::RECT, 4> DifferenceRects(const win::RECT& R1, const win::RECT& R2) {
  std::array<win::RECT, 4> result{};
  const win::RECT both = Intersection(R1, R2);
  if (IsEmptyRect(both)) {
    result[0] = IsEmptyRect(R1) ? win::RECT{} : R1;
    result[1] = IsEmptyRect(R2) ? win::RECT{} : R2;
    return result;
  }
  const win::RECT all = Bounding(R1, R2);
  const win::RECT bands[4] = {
      {all.left, all.top, both.left, all.bottom},       // left
      {both.left, all.top, both.right, both.top},       // top
      {both.right, all.top, all.right, all.bottom},     // right
      {both.left, both.bottom, both.right, all.bottom}  // bottom
  };
  for (int i = 0; i < 4; ++i) {
    const win::RECT& band = bands[i];
    if (IsEmptyRect(band)) continue;
    result[static_cast<std::size_t>(i)] = Bounding(Intersection(band, R1), Intersection(band, R2));
  }
  return result;
}

// ---- the selection ----

TDBGridGxSelection::TDBGridGxSelection(TCustomDBGridGx* Grid)
    : FGrid(Grid),
      FColumns(std::make_unique<TDBGridGxSelectionCols>(Grid)),
      FRect(std::make_unique<TDBGridGxSelectionRect>(Grid)) {}

TDBGridGxSelection::~TDBGridGxSelection() = default;

TBookmarkListGx* TDBGridGxSelection::Rows() const { return FGrid ? FGrid->BookmarkedRows() : nullptr; }

void TDBGridGxSelection::SetKind(TDBGridGxSelectionType Value) {
  if (Value == FKind) return;
  FKind = Value;
  if (Live(FGrid)) FGrid->InvalidateCellEditor();
}

bool TDBGridGxSelection::DataCellSelected(int DataCol, const std::string& Bookmark) {
  switch (FKind) {
    case gstRecordBookmarks: {
      int index = -1;
      return Rows() && Rows()->LocateBookmark(Bookmark, index);
    }
    case gstRectangle: return DataCol >= 0 && FRect->CellSelected(DataCol, Bookmark);
    case gstColumns: {
      TDBGridColumnsGx* columns = FGrid ? FGrid->Columns() : nullptr;
      return DataCol >= 0 && columns && DataCol < columns->Count() &&
             FColumns->IndexOf(columns->ColumnAt(DataCol)) >= 0;
    }
    case gstAll: return true;
    default: return false;
  }
}

void TDBGridGxSelection::Reset() {
  // The kind ends empty also when clearing fails.
  auto finish = AtScopeExit([this] {
    SetKind(gstNon);
    if (Live(FGrid) && FGrid->Options().Contains(dgAlwaysShowEditor) && FGrid->EditorAlwaysShown())
      FGrid->ShowCellEditor();
  });
  switch (FKind) {
    case gstRecordBookmarks:
      if (Rows()) Rows()->Clear();
      break;
    case gstRectangle: FRect->Empty(); break;
    case gstColumns: FColumns->Clear(); break;
    case gstAll:
      if (Live(FGrid)) FGrid->Invalidate();
      break;
    default: break;
  }
}

void TDBGridGxSelection::LinkActive(bool Value) {
  if (Rows()) Rows()->SetLinkActive(Value);
  Reset();
}

void TDBGridGxSelection::SelectAll() {
  if (FKind == gstAll) return;
  if (FKind != gstNon) Reset();
  SetKind(gstAll);
  if (Live(FGrid)) FGrid->Invalidate();
}

void TDBGridGxSelection::UpdateKind() {
  if ((FKind == gstRecordBookmarks && (!Rows() || Rows()->Count() == 0)) ||
      (FKind == gstColumns && FColumns->Count() == 0)) {
    SetKind(gstNon);
    if (Live(FGrid)) FGrid->Invalidate();
  }
}

TGridRect TDBGridGxSelection::GridBounds() {
  switch (FKind) {
    case gstRecordBookmarks: return Rows() ? Rows()->GridBounds() : NoGridRect;
    case gstRectangle: return FRect->GridBounds();
    case gstColumns: return FColumns->GridBounds();
    default: return NoGridRect;
  }
}

void TDBGridGxSelection::ColumnsMoved() {
  if (FKind == gstRectangle) Reset();
  else FRect->ClampColumns(0);
}

void TDBGridGxSelection::ColumnRemoved(int Remaining) {
  FRect->ClampColumns(Remaining);
  if (FKind == gstRectangle && FRect->Anchor().Col < 0) SetKind(gstNon);
}

// ---- column selection ----

TDBGridGxSelectionCols::TDBGridGxSelectionCols(TCustomDBGridGx* Grid)
    : FGrid(Grid), FShiftSelectedCols(std::make_unique<TColumnsGxList>()) {}

TDBGridGxSelectionCols::~TDBGridGxSelectionCols() = default;

void TDBGridGxSelectionCols::InvalidateColumn(TColumnGx* Column) {
  if (Live(FGrid) && Column) FGrid->InvalidateCol(FGrid->DataToGridColumn(Column->Index()));
}

void TDBGridGxSelectionCols::InsertSorted(TColumnGx* Column) {
  for (int i = 0; i < Count(); ++i)
    if (ColumnAt(i)->Index() > Column->Index()) {
      Insert(i, Column);
      return;
    }
  Add(Column);
}

void TDBGridGxSelectionCols::Clear() {
  for (int i = 0; i < Count(); ++i) InvalidateColumn(ColumnAt(i));
  TColumnsGxList::Clear();
  FAnchor = nullptr;
}

void TDBGridGxSelectionCols::ForgetColumn(TColumnGx* Column) {
  Remove(Column);
  FShiftSelectedCols->Remove(Column);
  if (FAnchor == Column) FAnchor = nullptr;
  if (FShiftCol == Column) FShiftCol = nullptr;
}

void TDBGridGxSelectionCols::ToggleColumn(TColumnGx* Column) {
  TDBGridGxSelection* selection = FGrid->GridSelection();
  if (selection->Kind() != gstColumns) selection->Reset();
  if (IndexOf(Column) < 0) InsertSorted(Column);
  else Remove(Column);
  InvalidateColumn(Column);
  FAnchor = Column;
  FShiftCol = Column;
  selection->SetKind(Count() > 0 ? gstColumns : gstNon);
  FShiftSelectedCols->Clear();
}

void TDBGridGxSelectionCols::SelectColumn(TColumnGx* Column, bool Add) {
  TDBGridGxSelection* selection = FGrid->GridSelection();
  if (selection->Kind() != gstColumns) selection->Reset();
  if (!Add) Clear();
  if (IndexOf(Column) < 0) {
    InsertSorted(Column);
    InvalidateColumn(Column);
  }
  FAnchor = Column;
  FShiftCol = Column;
  selection->SetKind(gstColumns);
  FShiftSelectedCols->Clear();
}

void TDBGridGxSelectionCols::ShiftSelectTo(TColumnGx* Column) {
  TDBGridGxSelection* selection = FGrid->GridSelection();
  if (selection->Kind() != gstColumns) selection->Reset();
  if (!FAnchor) {
    SelectColumn(Column, true);
    FAnchor = Column;
    selection->SetKind(Count() > 0 ? gstColumns : gstNon);
    return;
  }
  const int A = FAnchor->Index(), S = FShiftCol ? FShiftCol->Index() : A, c = Column->Index();
  int start = S, end = c, step = 1, turn = -1;
  bool add = true;
  if (S == A) {
    start = A;
    step = c < A ? -1 : 1;
  } else if (c == S) {
    start = c;
  } else if (A < S && S < c) {
    // walk on, adding
  } else if (A < S && c < S) {
    step = -1;
    add = false;
    if (c < A) turn = A;
    else end = c + 1;
  } else if (S < A && c < S) {
    step = -1;
  } else {  // S < A and S < c
    add = false;
    if (A < c) turn = A;
    else end = c - 1;
  }
  TDBGridColumnsGx* columns = FGrid->Columns();
  for (int i = start; step > 0 ? i <= end : i >= end; i += step) {
    if (i < 0 || i >= columns->Count()) break;
    if (i == turn) add = true;
    TColumnGx* x = columns->ColumnAt(i);
    const bool anchorIn = IndexOf(FAnchor) >= 0;
    const bool xIn = IndexOf(x) >= 0;
    const bool remembered = FShiftSelectedCols->IndexOf(x) >= 0;
    if (add) {
      if (!anchorIn && xIn && i != A) {
        Remove(x);
        InvalidateColumn(x);
        if (!remembered) FShiftSelectedCols->Add(x);
      } else if (anchorIn && !xIn && x->Visible()) {
        InsertSorted(x);
        InvalidateColumn(x);
        if (!remembered) FShiftSelectedCols->Add(x);
      }
    } else if (!anchorIn) {
      if (!xIn && x->Visible()) {
        if (remembered) {
          InsertSorted(x);
          FShiftSelectedCols->Remove(x);
        }
        InvalidateColumn(x);
      }
    } else if (xIn && i != A) {
      if (remembered) {
        Remove(x);
        FShiftSelectedCols->Remove(x);
      }
      InvalidateColumn(x);
    }
  }
  FShiftCol = Column;
  selection->SetKind(Count() > 0 ? gstColumns : gstNon);
}

void TDBGridGxSelectionCols::Refresh() {
  TDBGridColumnsGx* columns = FGrid ? FGrid->Columns() : nullptr;
  for (int i = Count() - 1; i >= 0; --i) {
    void* item = Items(i);
    bool present = false;
    for (int j = 0; columns && j < columns->Count() && !present; ++j) present = columns->ColumnAt(j) == item;
    if (!present) Delete(i);
  }
  Sort([](void* a, void* b) {
    return static_cast<TColumnGx*>(a)->Index() - static_cast<TColumnGx*>(b)->Index();
  });
}

TGridRect TDBGridGxSelectionCols::GridBounds() {
  if (Count() == 0 || !FGrid) return NoGridRect;
  int lo = ColumnAt(0)->Index(), hi = lo;
  for (int i = 1; i < Count(); ++i) {
    lo = std::min(lo, ColumnAt(i)->Index());
    hi = std::max(hi, ColumnAt(i)->Index());
  }
  return TGridRect{FGrid->DataToGridColumn(lo), FGrid->TitleAreaRowCount(), FGrid->DataToGridColumn(hi),
                   FGrid->RowCount() - 1};
}

// ---- cell rectangle ----

bool TDBGridGxSelectionRect::HasData() const {
  return FGrid && FGrid->DataSource() && FGrid->DataSource()->DataSet() && FGrid->GridLink() &&
         FGrid->GridLink()->Active();
}

int TDBGridGxSelectionRect::CompareBookmarks(const std::string& A, const std::string& B) const {
  return FGrid->DataSource()->DataSet()->CompareBookmarks(A, B);
}

void TDBGridGxSelectionRect::Empty() {
  FAnchor = TDBCell{};
  FShift = TDBCell{};
  if (Live(FGrid)) FGrid->Invalidate();
}

std::string TDBGridGxSelectionRect::GetStartRow() {
  if (!HasData()) RaiseInvalidGridOperation("Error in TDBGridGxSelectionRect.GetStartRow");
  return CompareBookmarks(FAnchor.Row, FShift.Row) <= 0 ? FAnchor.Row : FShift.Row;
}

std::string TDBGridGxSelectionRect::GetBottomRow() {
  if (!HasData()) RaiseInvalidGridOperation("Error in TDBGridGxSelectionRect.GetBottomRow");
  return CompareBookmarks(FAnchor.Row, FShift.Row) < 0 ? FShift.Row : FAnchor.Row;
}

int TDBGridGxSelectionRect::GetStartColumn() {
  if (!HasData()) RaiseInvalidGridOperation("Error in TDBGridGxSelectionRect.GetStartColumn");
  return std::min(FAnchor.Col, FShift.Col);
}

int TDBGridGxSelectionRect::GetEndColumn() {
  if (!HasData()) RaiseInvalidGridOperation("Error in TDBGridGxSelectionRect.GetEndColumn");
  return std::max(FAnchor.Col, FShift.Col);
}

bool TDBGridGxSelectionRect::CellSelected(int DataCol, const std::string& Bookmark) {
  if (!HasData()) RaiseInvalidGridOperation("Error in function TDBGridGxSelectionRect.CellSelected");
  if (CompareBookmarks(GetStartRow(), Bookmark) > 0 || CompareBookmarks(GetBottomRow(), Bookmark) < 0 ||
      DataCol > GetEndColumn())
    return false;
  return DataCol >= GetStartColumn();
}

void TDBGridGxSelectionRect::ExtendTo(int DataCol, const std::string& Bookmark, bool Extend) {
  TDBGridGxSelection* selection = FGrid->GridSelection();
  if (selection->Kind() != gstRectangle) selection->Reset();
  const bool wasRectangle = selection->Kind() == gstRectangle;
  const TDBCell oldAnchor = FAnchor, oldShift = FShift;
  if (FAnchor.Col == -1 || !Extend) FAnchor = TDBCell{DataCol, Bookmark};
  FShift = TDBCell{DataCol, Bookmark};
  const bool sameCell = FAnchor.Col == FShift.Col && HasData() && CompareBookmarks(FAnchor.Row, FShift.Row) == 0;
  if (sameCell) {
    if (selection->Kind() == gstRectangle) selection->SetKind(gstNon);
  } else {
    selection->SetKind(gstRectangle);
  }
  if (!Live(FGrid) || !FGrid->HandleAllocated() || !HasData()) return;
  // Only what changed between the old and the new rectangle is painted again.
  // A lone anchor cell shows no selection: it counts as no box.
  const win::RECT oldBox =
      wasRectangle ? PixelBox(oldAnchor.Col, oldAnchor.Row, oldShift.Col, oldShift.Row) : win::RECT{};
  const win::RECT newBox = selection->Kind() == gstRectangle
                               ? PixelBox(FAnchor.Col, FAnchor.Row, FShift.Col, FShift.Row)
                               : win::RECT{};
  for (const win::RECT& r : DifferenceRects(oldBox, newBox))
    if (!IsEmptyRect(r)) win::InvalidateRect(FGrid->Handle(), &r, win::FALSE);
}

win::RECT TDBGridGxSelectionRect::PixelBox(int Col1, std::string BM1, int Col2, std::string BM2) {
  if (Col1 > Col2) std::swap(Col1, Col2);
  if (CompareBookmarks(BM1, BM2) > 0) std::swap(BM1, BM2);
  TGridDataLinkGx* link = FGrid->GridLink();
  TDataSet* dataSet = FGrid->DataSource()->DataSet();
  const int count = link->RecordCount();
  std::vector<std::string> buffered;
  {
    TActiveRecordKeeper keep(*link);
    for (int r = 0; r < count; ++r) {
      link->SetActiveRecord(r);
      buffered.push_back(dataSet->Bookmark());
    }
  }
  auto position = [&](const std::string& Bookmark) {
    for (int r = 0; r < count; ++r)
      if (CompareBookmarks(buffered[static_cast<std::size_t>(r)], Bookmark) == 0) return r;
    return -1;
  };
  int top = 0;
  if (count > 0 && CompareBookmarks(BM1, buffered.front()) >= 0) {
    top = position(BM1);
    if (top < 0) top = count;
  }
  int bottom = FGrid->VisibleRowCount();
  if (count > 0 && CompareBookmarks(BM2, buffered.back()) <= 0) bottom = position(BM2);
  const int fixed = FGrid->TitleAreaRowCount();
  return FGrid->BoxRect(FGrid->DataToGridColumn(Col1), top + fixed, FGrid->DataToGridColumn(Col2), bottom + fixed);
}

void TDBGridGxSelectionRect::ClampColumns(int Count) {
  if (Count <= 0) {
    FAnchor = TDBCell{};
    FShift = TDBCell{};
    return;
  }
  if (FAnchor.Col >= Count) FAnchor.Col = Count - 1;
  if (FShift.Col >= Count) FShift.Col = Count - 1;
}

TGridRect TDBGridGxSelectionRect::GridBounds() {
  if (!HasData() || FAnchor.Col < 0) return NoGridRect;
  TGridDataLinkGx* link = FGrid->GridLink();
  TDataSet* dataSet = FGrid->DataSource()->DataSet();
  const std::string startRow = GetStartRow(), bottomRow = GetBottomRow();
  int top = -1, bottom = -1;
  {
    TActiveRecordKeeper keep(*link);
    for (int r = 0; r < link->RecordCount(); ++r) {
      link->SetActiveRecord(r);
      const std::string bookmark = dataSet->Bookmark();
      if (top < 0 && CompareBookmarks(bookmark, startRow) >= 0) top = r;
      if (CompareBookmarks(bookmark, bottomRow) <= 0) bottom = r;
    }
  }
  if (top < 0 || bottom < 0 || bottom < top) return NoGridRect;
  const int fixed = FGrid->TitleAreaRowCount();
  return TGridRect{FGrid->DataToGridColumn(GetStartColumn()), top + fixed, FGrid->DataToGridColumn(GetEndColumn()),
                   bottom + fixed};
}
