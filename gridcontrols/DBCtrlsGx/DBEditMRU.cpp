// The drop-down of recently used texts under the data-aware edit: opened and closed
// through the edit's list of recent texts, filtered by the edit's text.
#include "gridcontrols/DBCtrlsGx/DBEdit.h"

TMRUListboxGx* TCustomDBEditGx::NewMRUListbox() { return FRecent.NewListbox(); }

void TCustomDBEditGx::UserTextChanged() {
  FRecent.FollowText(FMRUList.get(), IsMasked() ? EditText() : GetText(), Showing() && !FPopups.IsOpen());
}

void TCustomDBEditGx::FilterMRUItem(const std::string& Item, bool& Accept) {
  Accept = TMRUDropDownGx::Offers(FMRUList.get(), this, Item, GetText());
}

void TCustomDBEditGx::MRUPopupOpening(TObject*) { FRecent.Open(FMRUList.get()); }

void TCustomDBEditGx::MRUListboxResized(TObject*) { FRecent.RememberSize(FMRUList.get()); }

void TCustomDBEditGx::MRUPopupClosing(TObject*, bool Accept) { FRecent.Close(FMRUList.get(), Accept); }
