// Grid columns: copying one column onto another and returning to the defaults.
#include "grid/DBGridGx/Columns.h"

#include "grid/DBGridGx/ColumnsInternal.h"
#include "platform/rtl/ScopeExit.h"

void TColumnGx::ResetToDefaults() {
  const bool fontWasAssigned = FAssignedValues.Contains(cvFont);
  FTitle->ResetToDefaults();
  FAssignedValues = {};
  RefreshDefaultFont();
  FPickList.reset();
  FButtonStyle = cbsAuto;
  Changed(fontWasAssigned);
  FKeyList.reset();
}

void TColumnGx::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TColumnGx*>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  // The copy starts by returning the target to its defaults: copying a column onto
  // itself would lose every value it was to copy.
  if (src == this) return;
  TCollection* collection = Collection();
  if (collection) collection->BeginUpdate();
  auto endUpdate = AtScopeExit([collection] {
    if (collection) collection->EndUpdate();
  });
  const TColumnGxValues has = src->AssignedValues();
  ResetToDefaults();
  SetFieldName(src->FieldName());
  if (has.Contains(cvColor)) SetColor(src->Color());
  if (has.Contains(cvWidth)) SetWidth(src->Width());
  if (has.Contains(cvFont)) SetFont(src->Font());
  if (has.Contains(cvImeMode)) SetImeMode(src->ImeMode());
  if (has.Contains(cvImeName)) SetImeName(src->ImeName());
  if (has.Contains(cvAlignment)) SetAlignment(src->Alignment());
  if (has.Contains(cvReadOnly)) SetReadOnly(src->ReadOnly());
  SetTitle(src->Title());
  SetDropDownRows(src->DropDownRows());
  SetButtonStyle(src->ButtonStyle());
  SetPickList(src->HasPickList() ? src->PickList() : nullptr);
  SetPopupMenu(src->PopupMenu());
  FProportionalWidth = src->ProportionalWidth();
  SetAutoFitColWidth(src->AutoFitColWidth());
  if (has.Contains(cvWordWrap)) SetWordWrap(src->WordWrap());
  SetEndEllipsis(src->EndEllipsis());
  SetDropDownWidth(src->DropDownWidth());
  if (has.Contains(cvLookupDisplayFields)) SetLookupDisplayFields(src->LookupDisplayFields());
  SetAutoDropDown(src->AutoDropDown());
  SetAlwaysShowEditButton(src->AlwaysShowEditButton());
  SetWordWrap(src->WordWrap());
  SetFooter(src->Footer());
  SetKeyList(src->HasKeyList() ? src->KeyList() : nullptr);
  if (has.Contains(cvCheckboxes)) SetCheckboxes(src->Checkboxes());
  SetIncrement(src->Increment());
  SetToolTips(src->ToolTips());
  SetFooters(src->Footers());
  SetTag(src->Tag());
  SetVisible(src->Visible());
  SetImageList(src->ImageList());
  SetNotInKeyListIndex(src->NotInKeyListIndex());
  SetMinWidth(src->MinWidth());
  SetMaxWidth(src->MaxWidth());
  SetDblClickNextVal(src->DblClickNextVal());
  SetDropDownSizing(src->DropDownSizing());
  SetDropDownShowTitles(src->DropDownShowTitles());
  SetOnGetCellParams(src->OnGetCellParams());
  SetOnNotInList(src->OnNotInList());
  SetOnUpdateData(src->OnUpdateData());
  SetOnEditButtonClick(src->OnEditButtonClick());
  SetOnEditButtonDown(src->OnEditButtonDown());
  SetEditButtons(src->EditButtons());
  SetDropDownBox(src->DropDownBox());
  SetMRUList(src->MRUList());
  SetDisplayFormat(src->DisplayFormat());
  SetEditMask(src->EditMask());
}
