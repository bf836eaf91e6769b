#pragma once
// The process-wide data service that filters and sorts a grid's dataset when the grid's
// own events do not take this over.
#include "platform/rtl/Classes.h"

class TCustomDBGridGx;

using TDBGridGxDataServiceEvent = TEvent<void(TCustomDBGridGx* Grid)>;

class TDBGridGxDataService : public TPersistent {
  VANTREL_CLASS(TDBGridGxDataService, TPersistent)
public:
  TDBGridGxDataService() = default;

  TDBGridGxDataServiceEvent OnApplySorting() const { return FOnApplySorting; }
  void SetOnApplySorting(const TDBGridGxDataServiceEvent& Value) { FOnApplySorting = Value; }
  TDBGridGxDataServiceEvent OnApplyFilter() const { return FOnApplyFilter; }
  void SetOnApplyFilter(const TDBGridGxDataServiceEvent& Value) { FOnApplyFilter = Value; }

  // The application-wide handler when assigned, else the default.
  virtual void ApplyFilter(TCustomDBGridGx* Grid);
  virtual void ApplySorting(TCustomDBGridGx* Grid);
  // Hand the work to the features object registered for the dataset's class; nothing
  // when there is none.
  virtual void DefaultApplyFilter(TCustomDBGridGx* Grid);
  virtual void DefaultApplySorting(TCustomDBGridGx* Grid);

private:
  TDBGridGxDataServiceEvent FOnApplySorting;
  TDBGridGxDataServiceEvent FOnApplyFilter;
};
