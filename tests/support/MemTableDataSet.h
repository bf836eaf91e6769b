#pragma once
// A client dataset that offers IMemTableGx: it makes Available of its records available
// at first and more when asked, and notes what the grid asks of it.
#include <algorithm>
#include <vector>

#include "grid/DBGridGx/MemTable.h"
#include "platform/data/DBClient.h"

class TMemTableDataSet : public TClientDataSet, public IMemTableGx {
public:
  explicit TMemTableDataSet(TComponent* AOwner) : TClientDataSet(AOwner) {}
  void FetchRecords(int Count) override {
    Fetches.push_back(Count);
    Available = std::min(Available + Count, RecordCount());
  }
  int CurrentRecordIndex() override { return IsEmpty() ? -1 : std::min(RecNo() - 1, Available - 1); }
  int AvailableRecordCount() override { return std::min(Available, RecordCount()); }
  void SetDrawRecord(int Index) override {
    DrawRecords.push_back(Index);
    ++Drawing;
  }
  void RestoreDrawRecord() override { --Drawing; }

  int Available = 0;
  std::vector<int> Fetches;
  std::vector<int> DrawRecords;
  int Drawing = 0;  // SetDrawRecord calls not yet restored
};
