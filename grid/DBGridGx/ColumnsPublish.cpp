// Published properties of columns, titles and footers, with their stored rules.
#include "grid/DBGridGx/Columns.h"

#include "platform/controls/Menus.h"
#include "platform/rtl/forms/Filer.h"

void TColumnGx::Publish(TClassBuilder<TColumnGx>& b) {
  using T = TColumnGx;
  b.Property("IsCurrency", &T::IsCurrency, &T::SetIsCurrency).Default(false);
  b.Property("Alignment", &T::Alignment, &T::SetAlignment).Stored(&T::IsAlignmentStored);
  b.Property("AlwaysShowEditButton", &T::AlwaysShowEditButton, &T::SetAlwaysShowEditButton)
      .Stored(&T::IsAlwaysShowEditButtonStored);
  b.Property("AutoDropDown", &T::AutoDropDown, &T::SetAutoDropDown).Stored(&T::IsAutoDropDownStored);
  b.Property("AutoFitColWidth", &T::AutoFitColWidth, &T::SetAutoFitColWidth).Default(true);
  b.Property("ButtonStyle", &T::ButtonStyle, &T::SetButtonStyle).Default(cbsAuto);
  b.Property("Checkboxes", &T::Checkboxes, &T::SetCheckboxes).Stored(&T::IsCheckboxesStored);
  b.Property("Color", &T::Color, &T::SetColor).Stored(&T::IsColorStored).Idents(ColorIdents());
  b.Property("DblClickNextVal", &T::DblClickNextVal, &T::SetDblClickNextVal).Stored(&T::IsDblClickNextValStored);
  b.Property("DisplayFormat", &T::DisplayFormat, &T::SetDisplayFormat);
  b.Property("DisplayNullIfZero", &T::DisplayNullIfZero, &T::SetDisplayNullIfZero).Default(false);
  b.Property("DropDownBox", &T::DropDownBox, &T::SetDropDownBox);
  b.Property("DropDownRows", &T::DropDownRows, &T::SetDropDownRows).Default(7);
  b.Property("DropDownShowTitles", &T::DropDownShowTitles, &T::SetDropDownShowTitles)
      .Stored(&T::IsDropDownShowTitlesStored);
  b.Property("DropDownSizing", &T::DropDownSizing, &T::SetDropDownSizing).Stored(&T::IsDropDownSizingStored);
  b.Property("DropDownSpecRow", &T::DropDownSpecRow, &T::SetDropDownSpecRow);
  b.Property("DropDownWidth", &T::DropDownWidth, &T::SetDropDownWidth).Default(0);
  b.Property("EditButtons", &T::EditButtons, &T::SetEditButtons);
  b.Property("EditMask", &T::EditMask, &T::SetEditMask);
  b.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Stored(&T::IsEndEllipsisStored);
  b.Property("FieldName", &T::FieldName, &T::SetFieldName);
  b.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
  b.Property("Footer", &T::Footer, &T::SetFooter);
  b.Property("Footers", &T::Footers, &T::SetFooters);
  b.Property("ImageList", &T::ImageList, &T::SetImageList);
  b.Property("ImeMode", &T::ImeMode, &T::SetImeMode).Stored(&T::IsImeModeStored);
  b.Property("ImeName", &T::ImeName, &T::SetImeName).Stored(&T::IsImeNameStored);
  b.Property("Increment", &T::Increment, &T::SetIncrement).Stored(&T::IsIncrementStored);
  b.Property("KeyList", &T::KeyList, &T::SetKeyList).Stored(&T::HasKeyList);
  b.Property("LookupDisplayFields", &T::LookupDisplayFields, &T::SetLookupDisplayFields)
      .Stored(&T::IsLookupDisplayFieldsStored);
  b.Property("MRUList", &T::MRUList, &T::SetMRUList);
  b.Property("MaxWidth", &T::MaxWidth, &T::SetMaxWidth).Default(0);
  b.Property("MinWidth", &T::MinWidth, &T::SetMinWidth).Default(0);
  b.Property("NotInKeyListIndex", &T::NotInKeyListIndex, &T::SetNotInKeyListIndex).Default(-1);
  b.Property("PickList", &T::PickList, &T::SetPickList).Stored(&T::HasPickList);
  b.Property("PopupMenu", &T::PopupMenu, &T::SetPopupMenu);
  b.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Stored(&T::IsReadOnlyStored);
  b.Property("STFilter", &T::STFilter, &T::SetSTFilter);
  b.Property("Tag", &T::Tag, &T::SetTag).Default(0);
  b.Property("Title", &T::Title, &T::SetTitle);
  b.Property("ToolTips", &T::ToolTips, &T::SetToolTips).Stored(&T::IsToolTipsStored);
  b.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
  b.Property("Width", &T::Width, &T::SetWidth).Stored(&T::IsWidthStored);
  b.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Stored(&T::IsWordWrapStored);
  b.Property("OnEditButtonClick", &T::OnEditButtonClick, &T::SetOnEditButtonClick);
  b.Property("OnEditButtonDown", &T::OnEditButtonDown, &T::SetOnEditButtonDown);
  b.Property("OnGetCellParams", &T::OnGetCellParams, &T::SetOnGetCellParams);
  b.Property("OnNotInList", &T::OnNotInList, &T::SetOnNotInList);
  b.Property("OnUpdateData", &T::OnUpdateData, &T::SetOnUpdateData);
  // The popup grid's events are stored only once the popup grid was made.
  const auto Made = [](T* Column) { return Column->PopupGridIfMade() != nullptr; };
  b.Property("OnDropDownBoxCheckButton", &T::OnDropDownBoxCheckButton, &T::SetOnDropDownBoxCheckButton).Stored(Made);
  b.Property("OnDropDownBoxDrawColumnCell", &T::OnDropDownBoxDrawColumnCell, &T::SetOnDropDownBoxDrawColumnCell)
      .Stored(Made);
  b.Property("OnDropDownBoxGetCellParams", &T::OnDropDownBoxGetCellParams, &T::SetOnDropDownBoxGetCellParams)
      .Stored(Made);
  b.Property("OnDropDownBoxSortMarkingChanged", &T::OnDropDownBoxSortMarkingChanged,
             &T::SetOnDropDownBoxSortMarkingChanged)
      .Stored(Made);
  b.Property("OnDropDownBoxTitleBtnClick", &T::OnDropDownBoxTitleBtnClick, &T::SetOnDropDownBoxTitleBtnClick)
      .Stored(Made);
}

void TColumnTitleGx::Publish(TClassBuilder<TColumnTitleGx>& b) {
  using T = TColumnTitleGx;
  b.Property("Alignment", &T::Alignment, &T::SetAlignment).Stored(&T::IsAlignmentStored);
  b.Property("Caption", &T::Caption, &T::SetCaption).Stored(&T::IsCaptionStored);
  b.Property("Color", &T::Color, &T::SetColor).Stored(&T::IsColorStored).Idents(ColorIdents());
  b.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Stored(&T::IsEndEllipsisStored);
  b.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
  b.Property("Hint", &T::Hint, &T::SetHint);
  b.Property("ImageIndex", &T::ImageIndex, &T::SetImageIndex).Default(-1);
  b.Property("Orientation", &T::Orientation, &T::SetOrientation).Stored(&T::IsOrientationStored);
  b.Property("SortIndex", &T::SortIndex, &T::SetSortIndex).Default(0);
  b.Property("SortMarker", &T::SortMarker, &T::SetSortMarker).Default(smNoneGx);
  b.Property("TitleButton", &T::TitleButton, &T::SetTitleButton).Stored(&T::IsTitleButtonStored);
  b.Property("ToolTips", &T::ToolTips, &T::SetToolTips).Stored(&T::IsToolTipsStored);
}

void TColumnFooterGx::Publish(TClassBuilder<TColumnFooterGx>& b) {
  using T = TColumnFooterGx;
  b.Property("Alignment", &T::Alignment, &T::SetAlignment).Stored(&T::IsAlignmentStored);
  b.Property("Color", &T::Color, &T::SetColor).Stored(&T::IsColorStored).Idents(ColorIdents());
  b.Property("DisplayFormat", &T::DisplayFormat, &T::SetDisplayFormat);
  b.Property("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis).Default(false);
  b.Property("FieldName", &T::FieldName, &T::SetFieldName);
  b.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
  b.Property("Value", &T::Value, &T::SetValue);
  b.Property("ValueType", &T::ValueType, &T::SetValueType).Default(fvtNon);
  b.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false);
}
