#pragma once
// IMemTableGx: what a dataset offers when the grid may show all of its records at once
// (one grid row per record it makes available) instead of only the data link's buffer.
// No dataset of this system offers it; the grid works with any dataset that does.

class IMemTableGx {
public:
  // Makes at least Count more records available.
  virtual void FetchRecords(int Count) = 0;
  // The 0-based index of the current record among the available ones; -1 when none.
  virtual int CurrentRecordIndex() = 0;
  virtual int AvailableRecordCount() = 0;
  // From now until RestoreDrawRecord the dataset's fields show record Index.
  virtual void SetDrawRecord(int Index) = 0;
  virtual void RestoreDrawRecord() = 0;

protected:
  ~IMemTableGx() = default;
};
