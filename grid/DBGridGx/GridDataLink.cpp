// The grid's data link: dataset notifications forwarded to the grid and the field map
// from the grid's columns to the dataset's fields.
#include "grid/DBGridGx/GridDataLink.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/UnitRoutines.h"
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
  std::unordered_map<std::string, bool> wanted;
  for (const auto& change : Changes)
    if (!change.first.empty()) wanted[change.first] = change.second;
  if (wanted.empty()) return;
  const auto before = [dataSet](const std::string& A, const std::string& B) {
    return dataSet->CompareBookmarks(A, B) < 0;
  };
  std::vector<std::string> kept;
  kept.reserve(static_cast<std::size_t>(Count()));
  for (int i = 0; i < Count(); ++i) {
    std::string item = FList->Strings(i);
    const auto it = wanted.find(item);
    if (it == wanted.end()) {
      kept.push_back(std::move(item));
    } else if (it->second) {
      kept.push_back(std::move(item));
      wanted.erase(it);  // marked already
    }
  }
  // A walk over the records gives its changes in one order or the other: sorting is
  // then a check (or a reversal) instead of a comparison sort.
  std::vector<std::string> added;
  for (const auto& change : Changes) {
    const auto it = wanted.find(change.first);
    if (it == wanted.end() || !it->second) continue;
    added.push_back(it->first);
    wanted.erase(it);
  }
  if (!std::is_sorted(added.begin(), added.end(), before)) {
    std::reverse(added.begin(), added.end());
    if (!std::is_sorted(added.begin(), added.end(), before)) std::sort(added.begin(), added.end(), before);
  }
  std::vector<std::string> merged;
  merged.reserve(kept.size() + added.size());
  std::merge(std::make_move_iterator(kept.begin()), std::make_move_iterator(kept.end()),
             std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()),
             std::back_inserter(merged), before);
  if (merged.size() == static_cast<std::size_t>(Count()) && added.empty()) return;
  FList->BeginUpdate();
  {
    auto endUpdate = AtScopeExit([this] { FList->EndUpdate(); });
    FList->Clear();
    for (std::string& item : merged) FList->Add(std::move(item));
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
