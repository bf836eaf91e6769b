#pragma once
// The grid's sum list: the aggregates its sum, average and count footers show.
#include "gridcontrols/DBSumLst.h"

class TCustomDBGridGx;

class TDBGridGxSumList : public TDBSumListProducer {
  VANTREL_CLASS(TDBGridGxSumList, TDBSumListProducer)
public:
  // Owner: the grid (as a component).
  explicit TDBGridGxSumList(TComponent* AOwner);
  static void Publish(TClassBuilder<TDBGridGxSumList>& b);

protected:
  void HookDataSetEvents() override;
  void UnhookDataSetEvents() override;

private:
  bool OwnerDesigning() const;
};
