// The grid's data link: dataset notifications forwarded to the grid and the field map
// from the grid's columns to the dataset's fields.
#include "grid/DBGridGx/GridDataLink.h"

#include <algorithm>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridErrors.h"
#include "grid/DBGridGx/GridSumList.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"

using namespace columns_detail;

TGridDataLinkGx::TGridDataLinkGx(TCustomDBGridGx* Grid) : FGrid(Grid) { SetVisualControl(true); }

TGridDataLinkGx::~TGridDataLinkGx() { ClearFieldMap(); }

bool TGridDataLinkGx::MapField(const std::string& FieldName) {
  if (FFieldMap.size() >= static_cast<std::size_t>(MaxMapSize))
    RaiseInvalidGridOperation("Grid requested to display more than 256 columns");
  TDataSet* dataSet = DataSet();
  TField* field = nullptr;
  if (dataSet) field = FSparseMap ? dataSet->FindField(FieldName) : dataSet->FieldByName(FieldName);
  if (field) {
    FFieldMap.push_back(field->Index());
    if (Live(FGrid)) field->FreeNotification(FGrid);
  } else {
    FFieldMap.push_back(-1);
  }
  return true;
}

TField* TGridDataLinkGx::FieldAt(int Index) const {
  if (Index < 0 || Index >= FieldCount()) return nullptr;
  const int entry = FFieldMap[static_cast<std::size_t>(Index)];
  TDataSet* dataSet = DataSet();
  // An entry can outlive its field until the next layout; never read past the fields.
  if (entry < 0 || !dataSet || entry >= dataSet->Fields().Count()) return nullptr;
  return dataSet->Fields()[entry];
}

bool TGridDataLinkGx::UsesDefaultFields() const {
  TDataSet* dataSet = DataSet();
  if (!dataSet) return true;
  if (FSparseMap)
    for (int entry : FFieldMap)
      if (entry == -1) return false;
  return dataSet->DefaultFields();
}

void TGridDataLinkGx::ClearFieldMap() {
  FFieldMap.clear();
  FFieldMap.shrink_to_fit();
}

void TGridDataLinkGx::UndoEdit() {
  if (FModified) RecordChanged(nullptr);
  else if (DataSet()) DataSet()->Cancel();
}

void TGridDataLinkGx::ActiveChanged() {
  if (Live(FGrid)) {
    FGrid->LinkActiveChanged();
  } else if (FGrid && FGrid->SumList()) {
    // A grid being freed after its dataset still gives the dataset its handlers back
    // while it can take them.
    TDataSet* summed = FGrid->SumList()->DataSet();
    if (summed && summed->ComponentState().Contains(csDestroying)) FGrid->SumList()->SetDataSet(summed);
  }
  FModified = false;
}

void TGridDataLinkGx::DataSetChanged() {
  if (Live(FGrid)) FGrid->RefreshAfterDataChange();
  FModified = false;
}

void TGridDataLinkGx::DataSetScrolled(int Distance) {
  if (Live(FGrid)) FGrid->ScrollRows(Distance);
}

void TGridDataLinkGx::EditingChanged() {
  if (Live(FGrid) && FGrid->Options().Contains(dgIndicator)) FGrid->InvalidateCell(0, FGrid->Row());
}

void TGridDataLinkGx::FocusControl(TField** Field) {
  if (!Field || !*Field || !Live(FGrid) || !FGrid->Columns()) return;
  TDBGridColumnsGx* columns = FGrid->Columns();
  for (int i = 0; i < columns->Count(); ++i)
    if (columns->ColumnAt(i)->Field() == *Field) {
      FGrid->SelectDataColumn(i);
      break;
    }
  if (FGrid->CurrentColumnField() == *Field && FGrid->TakeFocus()) {
    *Field = nullptr;
    FGrid->ShowCellEditor();
  }
}

void TGridDataLinkGx::LayoutChanged() {
  {
    const bool saved = FInLayoutChange;
    FInLayoutChange = true;
    auto restore = AtScopeExit([this, saved] { FInLayoutChange = saved; });
    if (Live(FGrid)) FGrid->RequestLayout();
  }
  TDataLink::LayoutChanged();
}

void TGridDataLinkGx::RecordChanged(TField* Field) {
  if (Live(FGrid)) FGrid->RecordChanged(Field);
  FModified = false;
}

void TGridDataLinkGx::UpdateData() {
  if (FInUpdateData) return;
  FInUpdateData = true;
  auto release = AtScopeExit([this] { FInUpdateData = false; });
  // The typed text stays marked as unwritten when writing it back fails, so the next
  // post tries again instead of dropping it.
  if (FModified && Live(FGrid)) FGrid->WriteEditorText();
  FModified = false;
}

// ---- marked rows ----

TBookmarkListGx::TBookmarkListGx(TCustomDBGridGx* Grid) : FGrid(Grid), FList(std::make_unique<TStringList>()) {
  FList->SetOnChange(TNotifyEvent::Bind(this, &TBookmarkListGx::ListChanged));
}

TBookmarkListGx::~TBookmarkListGx() {
  // A grid being freed takes its selection with it: nothing to tell.
  if (Live(FGrid)) {
    Clear();
    if (FGrid->GridSelection()) FGrid->GridSelection()->UpdateKind();
  }
}

void TBookmarkListGx::ListChanged(TObject*) {
  FCacheKey.clear();
  FCacheFound = false;
  FCacheIndex = -1;
}

TDataSet* TBookmarkListGx::DataSet() const {
  return FGrid && FGrid->GridLink() ? FGrid->GridLink()->DataSet() : nullptr;
}

bool TBookmarkListGx::LocateBookmark(const std::string& Item, int& Index) {
  if (FCacheIndex >= 0 && Item == FCacheKey) {
    Index = FCacheIndex;
    return FCacheFound;
  }
  TDataSet* dataSet = DataSet();
  bool found = false;
  int lo = 0, hi = Count() - 1;
  while (dataSet && lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = dataSet->CompareBookmarks(FList->Strings(mid), Item);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        lo = mid;
      }
    }
  }
  Index = lo;
  FCacheKey = Item;
  FCacheIndex = lo;
  FCacheFound = found;
  return found;
}

int TBookmarkListGx::FindIndex(const std::string& Item) {
  int index = -1;
  return LocateBookmark(Item, index) ? index : -1;
}

std::string TBookmarkListGx::CurrentBookmark() {
  if (!FLinkActive || !DataSet()) RaiseInvalidGridOperation("Cannot perform this operation on a closed dataset");
  return DataSet()->Bookmark();
}

bool TBookmarkListGx::IsCurrentRowMarked() {
  const std::string bookmark = CurrentBookmark();
  int index = -1;
  return !bookmark.empty() && LocateBookmark(bookmark, index);
}

void TBookmarkListGx::MarkCurrentRow(bool Value) {
  const std::string bookmark = CurrentBookmark();
  // A row without a posted record (an empty dataset, a row being inserted) has no
  // bookmark: it can be neither marked nor found again.
  if (bookmark.empty()) return;
  int index = -1;
  if (LocateBookmark(bookmark, index) == Value) return;
  if (Value) FList->Insert(index, bookmark);
  else FList->Delete(index);
  if (!Live(FGrid)) return;
  FGrid->InvalidateRow(FGrid->Row());
  MarksChanged();
}

void TBookmarkListGx::MarksChanged() {
  TDBGridGxSelection* selection = FGrid->GridSelection();
  if (!selection) return;
  if (selection->Kind() != gstRecordBookmarks && Count() > 0) {
    selection->Reset();
    selection->SetKind(gstRecordBookmarks);
  }
  selection->UpdateKind();
}

void TBookmarkListGx::MarkBookmarks(const std::vector<std::pair<std::string, bool>>& Changes) {
  TDataSet* dataSet = DataSet();
  if (!dataSet || Changes.empty()) return;
  const auto compare = [&](std::size_t a, std::size_t b) {
    return dataSet->CompareBookmarks(Changes[a].first, Changes[b].first);
  };
  // A walk over the records gives its changes in the dataset's order, one way or the
  // other, each record once: they are then taken as they stand (or backwards). Any other
  // changes are put in order here, the latest change of a record winning.
  bool rising = true, falling = true;
  std::size_t first = Changes.size(), previous = Changes.size();
  for (std::size_t i = 0; i < Changes.size() && (rising || falling); ++i) {
    if (Changes[i].first.empty()) continue;
    if (previous < Changes.size()) {
      const int c = compare(previous, i);
      rising = rising && c < 0;
      falling = falling && c > 0;
    } else {
      first = i;
    }
    previous = i;
  }
  if (first == Changes.size()) return;  // no change names a record
  std::vector<std::size_t> wanted;
  if (!rising && !falling) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < Changes.size(); ++i)
      if (!Changes[i].first.empty()) order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return compare(a, b) < 0; });
    for (std::size_t i = 0; i < order.size(); ++i) {
      std::size_t latest = order[i];
      while (i + 1 < order.size() && compare(order[i], order[i + 1]) == 0) latest = std::max(latest, order[++i]);
      wanted.push_back(latest);
    }
  }
  // The k-th change in bookmark order, or none past the last.
  const std::size_t changeCount = rising || falling ? Changes.size() : wanted.size();
  std::size_t k = 0;
  const auto next = [&]() -> const std::pair<std::string, bool>* {
    for (; k < changeCount; ++k) {
      const auto& change = rising ? Changes[k] : falling ? Changes[changeCount - 1 - k] : Changes[wanted[k]];
      if (!change.first.empty()) {
        ++k;
        return &change;
      }
    }
    return nullptr;
  };
  // Merge the marks there are with the wanted ones, both in bookmark order.
  const int count = Count();
  std::vector<std::string> kept;
  kept.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) kept.push_back(FList->Strings(i));
  std::vector<const std::string*> merged;
  merged.reserve(kept.size() + changeCount);
  bool changed = false;
  std::size_t i = 0;
  const std::pair<std::string, bool>* change = next();
  while (i < kept.size() || change) {
    const int c = i >= kept.size() ? 1 : !change ? -1 : dataSet->CompareBookmarks(kept[i], change->first);
    if (c < 0) {
      merged.push_back(&kept[i++]);
      continue;
    }
    if (c == 0) ++i;
    if (change->second) merged.push_back(&change->first);
    changed = changed || (c == 0) != change->second;
    change = next();
  }
  if (!changed) return;
  FList->BeginUpdate();
  {
    auto endUpdate = AtScopeExit([this] { FList->EndUpdate(); });
    FList->Clear();
    FList->SetCapacity(static_cast<int>(merged.size()));
    for (const std::string* item : merged) FList->Add(*item);
  }
  if (!Live(FGrid)) return;
  FGrid->Invalidate();
  MarksChanged();
}

void TBookmarkListGx::Clear() {
  if (Count() == 0) return;
  FList->Clear();
  if (!Live(FGrid)) return;
  if (FGrid->GridSelection()) FGrid->GridSelection()->UpdateKind();
  FGrid->Invalidate();
}

void TBookmarkListGx::SetLinkActive(bool Value) {
  Clear();
  if (Live(FGrid) && FGrid->GridSelection()) FGrid->GridSelection()->UpdateKind();
  FLinkActive = Value;
}

void TBookmarkListGx::DeleteMarkedRecords() {
  TDataSet* dataSet = DataSet();
  if (!dataSet) return;
  dataSet->DisableControls();
  {
    auto enable = AtScopeExit([dataSet] { dataSet->EnableControls(); });
    for (int i = Count() - 1; i >= 0; --i) {
      // Only a record that can be found again is deleted; an entry that leads nowhere
      // is dropped, never taken for the current record.
      const std::string bookmark = FList->Strings(i);
      if (!bookmark.empty() && dataSet->BookmarkValid(bookmark)) {
        dataSet->GotoBookmark(bookmark);
        dataSet->Delete();
      }
      FList->Delete(i);
    }
  }
  if (Live(FGrid) && FGrid->GridSelection()) FGrid->GridSelection()->UpdateKind();
}

TGridRect TBookmarkListGx::GridBounds() {
  const TGridRect none{-1, -1, -1, -1};
  TGridDataLinkGx* link = FGrid ? FGrid->GridLink() : nullptr;
  TDataSet* dataSet = DataSet();
  if (!FLinkActive || !link || !link->Active() || !dataSet || Count() == 0) return none;
  int first = -1, last = -1;
  {
    TActiveRecordKeeper keep(*link);
    for (int r = 0; r < link->RecordCount(); ++r) {
      link->SetActiveRecord(r);
      if (FindIndex(dataSet->Bookmark()) >= 0) {
        if (first < 0) first = r;
        last = r;
      }
    }
  }
  if (first < 0) return none;
  const int fixed = FGrid->TitleAreaRowCount();
  return TGridRect{0, first + fixed, FGrid->ColCount() - 1, last + fixed};
}
