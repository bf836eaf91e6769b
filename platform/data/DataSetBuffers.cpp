// TDataSet: the record-buffer window and navigation.
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>

namespace {
constexpr int MaxBufferCount = 1024;
}

void TDataSet::UpdateBufferCount() {
  if (FState == dsInactive) return;
  int count = 1;
  for (TDataSource* ds : FDataSources)
    for (TDataLink* link : ds->DataLinks())
      if (link->BufferCount() > count) count = link->BufferCount();
  SetBufferCount(count);
}

void TDataSet::AdjustFirstRecords(int delta) {
  if (delta == 0) return;
  for (TDataSource* ds : FDataSources)
    for (TDataLink* link : ds->DataLinks())
      if (link->Active()) link->FFirstRecord += delta;
}

void TDataSet::SetBufferCount(int v) {
  if (v > MaxBufferCount) v = MaxBufferCount;
  if (v < 1) v = 1;
  if (v == FBufferCount && !FBuffers.empty()) return;
  if (FState == dsInactive) {
    FBufferCount = v;
    return;
  }
  int delta = 0;
  if (v < FBufferCount) {
    // Keep the active record inside the smaller window: drop records above it first.
    if (FActiveRecord >= v) {
      delta = FActiveRecord - v + 1;
      std::rotate(FBuffers.begin(), FBuffers.begin() + delta, FBuffers.end());
      FActiveRecord -= delta;
      FRecordCount -= delta;
      CursorPosChanged();
    }
    if (FRecordCount > v) FRecordCount = v;
    FBuffers.resize(static_cast<size_t>(v) + 1);
    FBufferCount = v;
    AdjustFirstRecords(-delta);
  } else {
    while (static_cast<int>(FBuffers.size()) < v + 1) {
      auto b = std::make_unique<TRecordBuffer>();
      ClearBuffer(*b);
      FBuffers.push_back(std::move(b));
    }
    FBufferCount = v;
    if (FRecordCount > 0) {
      GetNextRecords();
      delta = GetPriorRecords();
      AdjustFirstRecords(delta);
    }
  }
}

void TDataSet::ClearBuffers() {
  FRecordCount = 0;
  FActiveRecord = 0;
  FCurrentRecord = -1;
  FBOF = FEOF = true;
}

void TDataSet::ActivateBuffers() {
  FRecordCount = 1;
  FActiveRecord = 0;
  FCurrentRecord = 0;
  FBOF = FEOF = false;
}

void TDataSet::MoveBuffer(int from, int to) {
  // The buffers between the two places shift by one: the moving buffer is swapped along
  // (a scroll does this for every record read, across the whole window).
  auto& b = FBuffers;
  if (from < to) {
    for (int i = from; i < to; ++i) b[static_cast<size_t>(i)].swap(b[static_cast<size_t>(i) + 1]);
  } else {
    for (int i = from; i > to; --i) b[static_cast<size_t>(i)].swap(b[static_cast<size_t>(i) - 1]);
  }
}

void TDataSet::SetCurrentRecord(int index) {
  if (FCurrentRecord == index) return;
  const TRecordBuffer& b = *FBuffers[static_cast<size_t>(index)];
  switch (b.Flag) {
    case bfBOF: InternalFirst(); break;
    case bfEOF: InternalLast(); break;
    default: InternalSetToRecord(b); break;
  }
  FCurrentRecord = index;
}

void TDataSet::UpdateCursorPos() {
  if (FRecordCount > 0) SetCurrentRecord(FActiveRecord);
}

bool TDataSet::GetNextRecord() {
  TGetMode mode = gmNext;
  if (FRecordCount > 0) {
    SetCurrentRecord(FRecordCount - 1);
    if (FState == dsInsert && FCurrentRecord == FActiveRecord &&
        FBuffers[static_cast<size_t>(FActiveRecord)]->Flag == bfCurrent)
      mode = gmCurrent;
  }
  TRecordBuffer& spare = *FBuffers[static_cast<size_t>(FRecordCount)];
  bool ok = GetRecord(spare, mode, true) == grOK;
  if (ok) {
    spare.Flag = bfCurrent;
    if (HasCalcFields()) CalculateFields(spare);
    if (FRecordCount == 0) {
      ActivateBuffers();
    } else if (FRecordCount < FBufferCount) {
      ++FRecordCount;
    } else {
      MoveBuffer(0, FRecordCount);
    }
    FCurrentRecord = FRecordCount - 1;
  } else {
    CursorPosChanged();
  }
  return ok;
}

bool TDataSet::GetPriorRecord() {
  if (FRecordCount > 0) SetCurrentRecord(0);
  TRecordBuffer& spare = *FBuffers[static_cast<size_t>(FRecordCount)];
  bool ok = GetRecord(spare, gmPrior, true) == grOK;
  if (ok) {
    spare.Flag = bfCurrent;
    if (HasCalcFields()) CalculateFields(spare);
    if (FRecordCount == 0) {
      ActivateBuffers();
    } else {
      MoveBuffer(FRecordCount, 0);
      if (FRecordCount < FBufferCount) {
        ++FRecordCount;
        ++FActiveRecord;
      }
    }
    FCurrentRecord = 0;
  } else {
    CursorPosChanged();
  }
  return ok;
}

int TDataSet::GetNextRecords() {
  int n = 0;
  while (FRecordCount < FBufferCount && GetNextRecord()) ++n;
  return n;
}

int TDataSet::GetPriorRecords() {
  int n = 0;
  while (FRecordCount < FBufferCount && GetPriorRecord()) ++n;
  return n;
}

void TDataSet::Resync(TResyncMode Mode) {
  TRecordBuffer& spare = *FBuffers[static_cast<size_t>(FRecordCount)];
  if (Mode.Contains(rmExact)) {
    CursorPosChanged();
    if (GetRecord(spare, gmCurrent, true) != grOK) Error("Record not found");
  } else if (GetRecord(spare, gmCurrent, false) != grOK && GetRecord(spare, gmNext, false) != grOK &&
             GetRecord(spare, gmPrior, false) != grOK) {
    ClearBuffers();
    DataEvent(deDataSetChange, 0);
    return;
  }
  spare.Flag = bfCurrent;
  if (HasCalcFields()) CalculateFields(spare);
  int count = Mode.Contains(rmCenter) ? (FBufferCount - 1) / 2 : FActiveRecord;
  MoveBuffer(FRecordCount, 0);
  ActivateBuffers();
  auto guard = AtScopeExit([&] { DataEvent(deDataSetChange, 0); });
  while (count > 0 && GetPriorRecord()) --count;
  GetNextRecords();
  GetPriorRecords();
}

void TDataSet::First() {
  CheckBrowseMode();
  FBeforeScroll(this);
  ClearBuffers();
  {
    auto guard = AtScopeExit([&] {
      FBOF = true;
      DataEvent(deDataSetChange, 0);
    });
    InternalFirst();
    GetNextRecord();
    GetNextRecords();
  }
  FAfterScroll(this);
}

void TDataSet::Last() {
  CheckBrowseMode();
  FBeforeScroll(this);
  ClearBuffers();
  {
    auto guard = AtScopeExit([&] {
      FEOF = true;
      DataEvent(deDataSetChange, 0);
    });
    InternalLast();
    GetPriorRecord();
    GetPriorRecords();
  }
  FAfterScroll(this);
}

int TDataSet::MoveBy(int Distance) {
  CheckBrowseMode();
  int result = 0;
  FBeforeScroll(this);
  if ((Distance > 0 && !FEOF) || (Distance < 0 && !FBOF)) {
    FBOF = false;
    FEOF = false;
    int scroll = 0;
    {
      // With the controls held a scroll reaches nobody.
      auto guard = AtScopeExit([&] {
        if (FDisableCount == 0) DataEvent(deDataSetScroll, scroll);
      });
      while (Distance > 0) {
        if (FActiveRecord < FRecordCount - 1) {
          ++FActiveRecord;
        } else {
          int shift = FRecordCount < FBufferCount ? 0 : 1;
          if (!GetNextRecord()) {
            FEOF = true;
            break;
          }
          scroll -= shift;
          FActiveRecord = FRecordCount - 1;
        }
        --Distance;
        ++result;
      }
      while (Distance < 0) {
        if (FActiveRecord > 0) {
          --FActiveRecord;
        } else {
          int shift = FRecordCount < FBufferCount ? 0 : 1;
          if (!GetPriorRecord()) {
            FBOF = true;
            break;
          }
          scroll += shift;
          FActiveRecord = 0;
        }
        ++Distance;
        --result;
      }
    }
    FAfterScroll(this);
  }
  return result;
}

int TDataSet::RecNo() const {
  if (!Active()) return -1;
  TRecordBuffer* b = ActiveRecordBuffer();
  if (!b || b->Flag != bfCurrent) return -1;
  return GetRecNoOf(*b);
}

void TDataSet::SetRecNo(int v) {
  CheckBrowseMode();
  if (v == RecNo()) return;
  FBeforeScroll(this);
  InternalSetRecNo(v);
  Resync({rmCenter});
  FAfterScroll(this);
}

int TDataSet::RecordCount() const { return -1; }

void TDataSet::Refresh() {
  CheckBrowseMode();
  FBeforeRefresh(this);
  UpdateCursorPos();
  InternalRefresh();
  Resync({});
  FAfterRefresh(this);
}

// Bookmarks

TBookmarkStr TDataSet::Bookmark() const {
  if (FState != dsBrowse && FState != dsEdit && FState != dsInsert) return {};
  if (IsEmpty()) return {};
  const TRecordBuffer& b = *FBuffers[static_cast<size_t>(FActiveRecord)];
  if (b.Flag != bfCurrent) return {};
  return BookmarkOf(b);
}

void TDataSet::GotoBookmark(const TBookmark& b) {
  if (b.empty()) return;
  CheckBrowseMode();
  FBeforeScroll(this);
  InternalGotoBookmark(b);
  Resync({rmExact, rmCenter});
  FAfterScroll(this);
}

bool TDataSet::BookmarkValid(const TBookmark& b) const { return false; }

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
  if (a.empty() || b.empty()) return a.empty() ? (b.empty() ? 0 : -1) : 1;
  return a == b ? 0 : (a < b ? -1 : 1);
}

bool TDataSet::Locate(const std::string&, const Variant&, TLocateOptions) { return false; }

Variant TDataSet::Lookup(const std::string&, const Variant&, const std::string&) { return Null(); }
