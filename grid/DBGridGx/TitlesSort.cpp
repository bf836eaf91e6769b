// Column titles: sort markers, sort positions and the room the marker takes.
#include "grid/DBGridGx/Titles.h"

#include <algorithm>

#include "grid/DBGridGx/CellTextMeasure.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/SharedResources.h"

using namespace columns_detail;

namespace {
TDBGridColumnsGx* GridColumns(const TColumnGx* Column) {
  return Column ? dynamic_cast<TDBGridColumnsGx*>(Column->Collection()) : nullptr;
}
}  // namespace

int TColumnTitleGx::LastSortIndex() const {
  TDBGridColumnsGx* columns = GridColumns(FColumn);
  int last = 0;
  if (columns)
    for (int i = 0; i < columns->Count(); ++i) last = std::max(last, columns->ColumnAt(i)->Title()->SortIndex());
  return last;
}

void TColumnTitleGx::SetSortMarker(TSortMarkerGx Value) {
  if (Value == FSortMarker) return;
  FSortMarker = Value;
  TDBGridColumnsGx* columns = GridColumns(FColumn);
  TCustomDBGridGx* grid = columns ? columns->Grid() : nullptr;
  if (!grid || !grid->SortedColumnList()) return;
  if (columns->UpdateCount() > 0) return;
  TColumnsGxList* sorted = grid->SortedColumnList();
  if (grid->OptionsGx().Contains(dghMultiSortMarking)) {
    if (Value != smNoneGx && FSortIndex == 0) {
      // After the last position taken, also when stored positions left gaps.
      FSortIndex = 1 + LastSortIndex();
      sorted->Add(FColumn);
    } else if (Value == smNoneGx && FSortIndex != 0) {
      for (int i = 0; i < columns->Count(); ++i) {
        TColumnTitleGx* other = columns->ColumnAt(i)->Title();
        if (other->FSortIndex > FSortIndex) --other->FSortIndex;
      }
      sorted->Remove(FColumn);
      FSortIndex = 0;
    }
  } else if (Value != smNoneGx) {
    for (int i = 0; i < columns->Count(); ++i) {
      TColumnGx* other = columns->ColumnAt(i);
      if (other != FColumn && other->Title()->SortMarker() != smNoneGx) other->Title()->SetSortMarker(smNoneGx);
    }
    FSortIndex = 1;
    sorted->Clear();
    sorted->Add(FColumn);
  } else {
    FSortIndex = 0;
    sorted->Clear();
  }
  Changed(false);
}

void TColumnTitleGx::SetSortIndex(int Value) {
  if (Value < 0) Value = 0;
  if (Value == FSortIndex) return;
  TDBGridColumnsGx* columns = GridColumns(FColumn);
  if (!columns || columns->UpdateCount() > 0) {
    FSortIndex = Value;
    return;
  }
  if (FSortMarker == smNoneGx) return;
  TCustomDBGridGx* grid = columns->Grid();
  for (int i = 0; i < columns->Count(); ++i) {
    TColumnGx* other = columns->ColumnAt(i);
    if (other == FColumn || other->Title()->FSortIndex == 0 || other->Title()->FSortIndex != Value) continue;
    other->Title()->FSortIndex = FSortIndex;
    FSortIndex = Value;
    if (grid && grid->SortedColumnList()) {
      TColumnsGxList* sorted = grid->SortedColumnList();
      const int a = sorted->IndexOf(FColumn), b = sorted->IndexOf(other);
      if (a >= 0 && b >= 0) sorted->Exchange(a, b);
    }
    Changed(false);
    return;
  }
}

void TColumnTitleGx::ClickSortMarker(bool KeepOthers) {
  TDBGridColumnsGx* columns = GridColumns(FColumn);
  if (!KeepOthers && columns)
    for (int i = 0; i < columns->Count(); ++i) {
      TColumnGx* other = columns->ColumnAt(i);
      if (other != FColumn) other->Title()->SetSortMarker(smNoneGx);
    }
  switch (FSortMarker) {
    case smNoneGx: SetSortMarker(smDownGx); break;
    case smDownGx: SetSortMarker(smUpGx); break;
    case smUpGx: SetSortMarker(KeepOthers ? smNoneGx : smDownGx); break;
  }
}

int TColumnTitleGx::SortMarkerWidth() {
  if (FSortIndex == 0 || !FColumn) return 0;
  int w = 16, n = 0;
  TCustomDBGridGx* grid = FColumn->Grid();
  if (grid && grid->SortedColumnList() && grid->SortedColumnList()->Count() > 1) {
    TCanvasLend lend(grid);
    if (TFont* font = SortIndexFont()) lend.Canvas()->SetFont(font);
    n = MeasureTextWidth(lend.Canvas(), std::to_string(FSortIndex));
    w += n;
  }
  const int width = FColumn->Width();
  if (w > width - 4) w -= 14;
  if (w > width - 4) w -= n + 2;
  return w;
}
