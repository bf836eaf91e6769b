// The drop-down of recently used texts under the data-aware edit: opened and closed
// through the edit's list of recent texts, filtered by the edit's text.
#include "gridcontrols/DBCtrlsGx/DBEditPrivate.h"

TMRUListboxGx* TCustomDBEditGx::NewMRUListbox() { return P->FRecent.NewListbox(); }

void TCustomDBEditGx::UserTextChanged() {
  P->FRecent.FollowText(P->FMRUList.get(), IsMasked() ? EditText() : GetText(), Showing() && !P->FPopups.IsOpen());
}

void TCustomDBEditGx::FilterMRUItem(const std::string& Item, bool& Accept) {
  Accept = TMRUDropDownGx::Offers(P->FMRUList.get(), this, Item, GetText());
}

void TCustomDBEditGx::MRUPopupOpening(TObject*) { P->FRecent.Open(P->FMRUList.get()); }

void TCustomDBEditGx::MRUListboxResized(TObject*) { P->FRecent.RememberSize(P->FMRUList.get()); }

void TCustomDBEditGx::MRUPopupClosing(TObject*, bool Accept) { P->FRecent.Close(P->FMRUList.get(), Accept); }
