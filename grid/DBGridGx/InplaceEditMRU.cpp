// TDBGridInplaceEdit: the drop-down of the column's recent texts, which follows what the
// user types.
#include "grid/DBGridGx/InplaceEditPrivate.h"

#include "grid/DBGridGx/GridControl.h"

TMRUListboxGx* TDBGridInplaceEdit::MRUListbox() { return P->FRecent.NeedListbox(); }

TMRUListboxGx* TDBGridInplaceEdit::NewMRUListbox() { return P->FRecent.NewListbox(); }

void TDBGridInplaceEdit::FilterMRUItem(const std::string& Item, bool& Accept) {
  Accept = TMRUDropDownGx::Offers(MRUList(), Column(), Item, Text());
}

void TDBGridInplaceEdit::MRUListboxResized() { P->FRecent.RememberSize(MRUList()); }

void TDBGridInplaceEdit::OpenMRUList() {
  TMRUListGx* List = MRUList();
  P->FRecent.Open(List);
  if (List && List->DroppedDown()) P->FMRUColumn = Column();
}

TMRUListGx* TDBGridInplaceEdit::DroppedMRUList() const {
  TCustomDBGridGx* Grid = DBGrid();
  if (!P->FMRUColumn || !Grid) return nullptr;
  for (int I = 0; I < Grid->Columns()->Count(); ++I)
    if (Grid->Columns()->ColumnAt(I) == P->FMRUColumn)
      return P->FMRUColumn->MRUList()->DroppedDown() ? P->FMRUColumn->MRUList() : nullptr;
  return nullptr;
}

void TDBGridInplaceEdit::CloseMRUList(bool Accept) {
  TMRUListGx* List = DroppedMRUList();
  P->FMRUColumn = nullptr;
  P->FRecent.Close(List, Accept);
}
