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
  // Takes another sum list's settings and sums; keeps its own dataset and the grid's
  // handlers, so that the grid goes on totalling its own data.
  void Assign(TPersistent* Source) override;

protected:
  void HookDataSetEvents() override;
  void UnhookDataSetEvents() override;

private:
  bool OwnerDesigning() const;
};
