// TDBGridInplaceEdit: the drop-down of the column's recent texts, which follows what the
// user types.
#include "grid/DBGridGx/InplaceEdit.h"

#include "grid/DBGridGx/GridControl.h"

TMRUListboxGx* TDBGridInplaceEdit::MRUListbox() { return FRecent.NeedListbox(); }

TMRUListboxGx* TDBGridInplaceEdit::NewMRUListbox() { return FRecent.NewListbox(); }

void TDBGridInplaceEdit::FilterMRUItem(const std::string& Item, bool& Accept) {
  Accept = TMRUDropDownGx::Offers(MRUList(), Column(), Item, Text());
}

void TDBGridInplaceEdit::MRUListboxResized() { FRecent.RememberSize(MRUList()); }

void TDBGridInplaceEdit::OpenMRUList() {
  TMRUListGx* List = MRUList();
  FRecent.Open(List);
  if (List && List->DroppedDown()) FMRUColumn = Column();
}

TMRUListGx* TDBGridInplaceEdit::DroppedMRUList() const {
  TCustomDBGridGx* Grid = DBGrid();
  if (!FMRUColumn || !Grid) return nullptr;
  for (int I = 0; I < Grid->Columns()->Count(); ++I)
    if (Grid->Columns()->ColumnAt(I) == FMRUColumn)
      return FMRUColumn->MRUList()->DroppedDown() ? FMRUColumn->MRUList() : nullptr;
  return nullptr;
}

void TDBGridInplaceEdit::CloseMRUList(bool Accept) {
  TMRUListGx* List = DroppedMRUList();
  FMRUColumn = nullptr;
  FRecent.Close(List, Accept);
}
