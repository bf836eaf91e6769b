#pragma once
// A data grid that counts its layout rebuilds.
#include "grid/DBGridGx/GridControl.h"

class TCountingGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  int Requests = 0;

protected:
  void RebuildLayout() override {
    ++Requests;
    TDBGridGx::RebuildLayout();
  }
};
