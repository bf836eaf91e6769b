// A column's side of its drop-down lookup list: the popup grid it makes on first use and
// keeps, and the settings and events it hands on to it.
#include "grid/DBGridGx/Columns.h"
#include "grid/DBLookupGridsGx/PopupDataGrid.h"

TPopupDataGridGx* TColumnGx::GetPopupGrid() {
  if (!FPopupGrid) FPopupGrid = std::make_unique<TPopupDataGridGx>(nullptr);
  return FPopupGrid.get();
}

TDBLookupGridGxOptions TColumnGx::GetPopupOptions() { return GetPopupGrid()->LookupOptions(); }

void TColumnGx::SetPopupOptions(TDBLookupGridGxOptions Value) { GetPopupGrid()->SetLookupOptions(Value); }

TCheckTitleGxBtnEvent TColumnGx::OnDropDownBoxCheckButton() { return GetPopupGrid()->OnCheckButton(); }
void TColumnGx::SetOnDropDownBoxCheckButton(const TCheckTitleGxBtnEvent& Value) {
  GetPopupGrid()->SetOnCheckButton(Value);
}
TDrawColumnGxCellEvent TColumnGx::OnDropDownBoxDrawColumnCell() { return GetPopupGrid()->OnDrawColumnCell(); }
void TColumnGx::SetOnDropDownBoxDrawColumnCell(const TDrawColumnGxCellEvent& Value) {
  GetPopupGrid()->SetOnDrawColumnCell(Value);
}
TGetCellGxParamsEvent TColumnGx::OnDropDownBoxGetCellParams() { return GetPopupGrid()->OnGetCellParams(); }
void TColumnGx::SetOnDropDownBoxGetCellParams(const TGetCellGxParamsEvent& Value) {
  GetPopupGrid()->SetOnGetCellParams(Value);
}
TNotifyEvent TColumnGx::OnDropDownBoxSortMarkingChanged() { return GetPopupGrid()->OnSortMarkingChanged(); }
void TColumnGx::SetOnDropDownBoxSortMarkingChanged(const TNotifyEvent& Value) {
  GetPopupGrid()->SetOnSortMarkingChanged(Value);
}
TTitleGxClickEvent TColumnGx::OnDropDownBoxTitleBtnClick() { return GetPopupGrid()->OnTitleBtnClick(); }
void TColumnGx::SetOnDropDownBoxTitleBtnClick(const TTitleGxClickEvent& Value) {
  GetPopupGrid()->SetOnTitleBtnClick(Value);
}
