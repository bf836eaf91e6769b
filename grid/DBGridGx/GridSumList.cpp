// The grid's sum list: inactive until the grid switches it on; while the grid is being
// designed it never takes over the dataset's event handlers.
#include "grid/DBGridGx/GridSumList.h"

TDBGridGxSumList::TDBGridGxSumList(TComponent* AOwner) : TDBSumListProducer(AOwner) {
  SetDesignTimeWork(true);
  SetActive(false);
}

void TDBGridGxSumList::Publish(TClassBuilder<TDBGridGxSumList>& b) {
  using T = TDBGridGxSumList;
  b.Property("Active", &T::Active, &T::SetActive).Default(false);
  b.Property("ExternalRecalc", &T::ExternalRecalc, &T::SetExternalRecalc).Default(false);
  b.Property("VirtualRecords", &T::VirtualRecords, &T::SetVirtualRecords).Default(false);
}

void TDBGridGxSumList::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TDBSumListProducer*>(Source);
  if (!other) {
    TDBSumListProducer::Assign(Source);
    return;
  }
  SetExternalRecalc(other->ExternalRecalc());
  SetSumCollection(other->SumCollection());
  SetVirtualRecords(other->VirtualRecords());
  SetActive(other->Active());
}

bool TDBGridGxSumList::OwnerDesigning() const {
  return Owner() && Owner()->ComponentState().Contains(csDesigning);
}

void TDBGridGxSumList::HookDataSetEvents() {
  if (OwnerDesigning()) {
    FEventsHooked = true;
    return;
  }
  TDBSumListProducer::HookDataSetEvents();
}

void TDBGridGxSumList::UnhookDataSetEvents() {
  if (OwnerDesigning()) {
    FEventsHooked = false;
    return;
  }
  TDBSumListProducer::UnhookDataSetEvents();
}
