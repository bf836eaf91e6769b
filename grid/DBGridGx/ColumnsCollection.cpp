// The grid's column collection: typed access, default columns, the sort list and the
// collection's change notification that keeps the grid's layout in step.
#include "grid/DBGridGx/Columns.h"

#include <algorithm>
#include <vector>

#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridErrors.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

using namespace columns_detail;

TDBGridColumnsGx::TDBGridColumnsGx(TCustomDBGridGx* Grid, TClass ItemClass) : TCollection(ItemClass), FGrid(Grid) {}

TPersistent* TDBGridColumnsGx::GetOwner() { return FGrid; }

TColumnGx* TDBGridColumnsGx::AddFieldColumn() {
  // No layout runs while the column is being made: it would see a stored column. The
  // layout itself makes these columns, and the next one keeps or frees it.
  TCustomDBGridGx* grid = Live(FGrid) ? FGrid : nullptr;
  if (grid) grid->LockLayout();
  auto release = AtScopeExit([grid] {
    if (grid) grid->ReleaseLayoutLock();
  });
  TColumnGx* column = AddColumn();
  column->SetCustomized(false);
  return column;
}

TColumnGx* TDBGridColumnsGx::ColumnAt(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseInvalidGridOperation("Grid index out of range");
  return static_cast<TColumnGx*>(Items(Index));
}

bool TDBGridColumnsGx::IsCustomized() const {
  return Count() > 0 && static_cast<TColumnGx*>(Items(0))->Customized();
}

bool TDBGridColumnsGx::UnbindField(TField* Field) {
  bool any = false;
  for (int i = 0; i < Count(); ++i) {
    auto* column = static_cast<TColumnGx*>(Items(i));
    if (Field && column->FField == Field) {
      column->SetField(nullptr);
      any = true;
    }
  }
  return any;
}

void TDBGridColumnsGx::ForgetComponent(TComponent* Component) {
  for (int i = 0; i < Count(); ++i) static_cast<TColumnGx*>(Items(i))->ForgetComponent(Component);
}

void TDBGridColumnsGx::RebuildSortedColumnList() {
  TColumnsGxList* sorted = FGrid ? FGrid->SortedColumnList() : nullptr;
  if (!sorted) return;
  // Stored sort positions may leave gaps (1 and 3): the list holds the marked columns
  // only, in the order of their positions, so counting and walking it never meet a hole.
  // A title that shows a marker without a position (a copied title brings its marker but
  // not its position) joins after them, in column order, and takes the next position.
  std::vector<TColumnGx*> marked, unplaced;
  int last = 0;
  for (int i = 0; i < Count(); ++i) {
    auto* column = static_cast<TColumnGx*>(Items(i));
    TColumnTitleGx* title = column->Title();
    if (title->SortIndex() > 0) {
      marked.push_back(column);
      last = std::max(last, title->SortIndex());
    } else if (title->SortMarker() != smNoneGx) {
      unplaced.push_back(column);
    }
  }
  std::stable_sort(marked.begin(), marked.end(), [](TColumnGx* a, TColumnGx* b) {
    return a->Title()->SortIndex() < b->Title()->SortIndex();
  });
  sorted->Clear();
  for (TColumnGx* column : marked) sorted->Add(column);
  for (TColumnGx* column : unplaced) {
    column->Title()->FSortIndex = ++last;
    sorted->Add(column);
  }
}

void TDBGridColumnsGx::CloseSortGap(TColumnGx* Leaving) {
  const int gone = Leaving->Title()->SortIndex();
  if (gone <= 0) return;
  for (int i = 0; i < Count(); ++i) {
    TColumnTitleGx* title = static_cast<TColumnGx*>(Items(i))->Title();
    if (title != Leaving->Title() && title->FSortIndex > gone) --title->FSortIndex;
  }
}

void TDBGridColumnsGx::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  TCollection::Notify(Item, Action);
  if (Action != cnExtracting || !FGrid) return;
  // A column already being freed has told the grid itself (and is no column any more).
  if (auto* column = dynamic_cast<TColumnGx*>(Item)) FGrid->ForgetColumn(column);
}

void TDBGridColumnsGx::Update(TCollectionItem* Item) {
  TCustomDBGridGx* grid = FGrid;
  if (!Live(grid) || Loading(grid)) return;
  if (!Item) {
    RebuildSortedColumnList();
    grid->RequestLayout();
  } else {
    auto* column = static_cast<TColumnGx*>(Item);
    const int c = grid->DataToGridColumn(column->Index());
    if (c >= 0 && c < grid->ColCount()) {
      grid->InvalidateCol(c);
      if (!grid->AutoFitColWidths() || Designing(grid)) {
        const int width = column->Width();
        if (grid->ColWidths(c) != width) {
          if (column->Visible()) grid->SetColWidths(c, width);
          else grid->SetColWidths(c, grid->Options().Contains(dgColLines) ? -1 : 0);
        } else if (grid->UseMultiTitle()) {
          grid->RequestLayout();
        }
      } else if (grid->ColWidths(c) != -1 && grid->ColWidths(c) != 0) {
        const int old = column->ProportionalWidth();
        column->SetProportionalWidth(MulDiv(column->ProportionalWidth(), column->Width(), grid->ColWidths(c)));
        if (c < grid->ColCount() - 1 && column->Index() + 1 < Count()) {
          TColumnGx* next = ColumnAt(column->Index() + 1);
          int share = next->ProportionalWidth() + old - column->ProportionalWidth();
          next->SetProportionalWidth(share < 0 ? 0 : share);
        }
        grid->RequestLayout();
      }
    }
  }
  if (Count() > 0 && grid->ShownColumns() && grid->ShownColumns()->Count() > 0) {
    const int current = grid->CurrentDataColumn();
    if (current >= 0 && current < Count() && !ColumnAt(current)->Visible())
      grid->SelectDataColumn(grid->ShownColumns()->ColumnAt(0)->Index());
  }
  if (grid->LayoutLockCount() == 0) grid->InvalidateCellEditor();
}
