// The published properties and events of TDBGridGx, and its class registration.
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "gridcontrols/GxCurrency.h"
#include "platform/graphics/Colors.h"

void TDBGridGx::Publish(TClassBuilder<TDBGridGx>& b) {
  using G = TDBGridGx;
  // Platform properties the grid keeps with its own defaults.
  b.Property("BorderStyle", [](G* g) { return g->BorderStyle(); }, [](G* g, TBorderStyle v) { g->SetBorderStyle(v); })
      .Default(bsSingle);
  b.Property("Color", &G::Color, &G::SetColor)
      .Default(clWindow)
      .Stored([](G* g) { return !g->ParentColor(); })
      .Idents(ColorIdents());
  b.Property("FixedColor", [](G* g) { return g->FixedColor(); }, [](G* g, TColor v) { g->SetFixedColor(v); })
      .Default(clBtnFace)
      .Idents(ColorIdents());
  b.Property("ParentColor", &G::ParentColor, &G::SetParentColor).Default(false);
  b.Property("TabStop", &G::TabStop, &G::SetTabStop).Default(true);

  b.Property("AllowedOperations", &G::AllowedOperations, &G::SetAllowedOperations).Default(AllDBGridGxOperations);
  b.Property("AllowedSelections", &G::AllowedSelections, &G::SetAllowedSelections)
      .Default(TDBGridGxAllowedSelections{gstRecordBookmarks, gstRectangle, gstColumns, gstAll});
  b.Property("AutoFitColWidths", &G::AutoFitColWidths, &G::SetAutoFitColWidths).Default(false);
  b.Property("ColumnDefValues", &G::ColumnDefValues, &G::SetColumnDefValues);
  // Streamed through the grid's own "Columns" entry only.
  b.Property("Columns", &G::Columns, &G::SetColumns).Stored(false);
  b.Property("DataSource", &G::DataSource, &G::SetDataSource);
  b.Property("DefaultDrawing", &G::DefaultDrawing, &G::SetDefaultDrawing).Default(true);
  b.Property("DrawMemoText", &G::DrawMemoText, &G::SetDrawMemoText).Default(false);
  b.Property("EditActions", &G::EditActions, &G::SetEditActions).Default(TDBGridGxEditActions{});
  b.Property("Flat", &G::Flat, &G::SetFlat).Default(false);
  b.Property("FooterColor", &G::FooterColor, &G::SetFooterColor).NoDefault().Idents(ColorIdents());
  b.Property("FooterFont", &G::FooterFont, &G::SetFooterFont);
  b.Property("FooterRowCount", &G::FooterRowCount, &G::SetFooterRowCount).Default(0);
  b.Property("FrozenCols", &G::FrozenCols, &G::SetFrozenCols).Default(0);
  b.Property("HorzScrollBar", &G::HorzScrollBar, &G::SetHorzScrollBar);
  b.Property("MinAutoFitWidth", &G::MinAutoFitWidth, &G::SetMinAutoFitWidth).Default(0);
  b.Property("Options", &G::Options, &G::SetOptions).Default(DefaultDBGridOptions);
  b.Property("OptionsGx", &G::OptionsGx, &G::SetOptionsGx).Default(DefaultDBGridGxOptions);
  b.Property("ReadOnly", &G::ReadOnly, &G::SetReadOnly).Default(false);
  b.Property("RowHeight", &G::RowHeight, &G::SetRowHeight).Default(0);
  b.Property("RowLines", &G::RowLines, &G::SetRowLines).Default(0);
  b.Property("RowSizingAllowed", &G::RowSizingAllowed, &G::SetRowSizingAllowed).Default(false);
  b.Property("SortLocal", &G::SortLocal, &G::SetSortLocal).Default(false);
  b.Property("SortOnColumnClick", &G::SortOnColumnClick, &G::SetSortOnColumnClick).Default(true);
  b.Property("STFilter", &G::STFilter, &G::SetSTFilter);
  b.Property("SumList", &G::SumList, &G::SetSumList);
  b.Property("TitleFont", &G::TitleFont, &G::SetTitleFont);
  b.Property("TitleHeight", &G::TitleHeight, &G::SetTitleHeight).Default(0);
  b.Property("TitleImages", &G::TitleImages, &G::SetTitleImages);
  b.Property("TitleLines", &G::TitleLines, &G::SetTitleLines).Default(0);
  b.Property("UseMultiTitle", &G::UseMultiTitle, &G::SetUseMultiTitle).Default(false);
  b.Property("VertScrollBar", &G::VertScrollBar, &G::SetVertScrollBar);
  b.Property("VTitleMargin", &G::VTitleMargin, &G::SetVTitleMargin).Default(10);
  b.Property("ShowImage", &G::ShowImage, &G::SetShowImage).Default(false);

  // The system's own additions.
  b.Property("UseMenu", &G::UseMenu, &G::SetUseMenu).Default(true);
  b.Property("AutoSort", &G::AutoSort, &G::SetAutoSort).Default(true);
  b.Property("ShowBmp", &G::ShowBmp, &G::SetShowBmp).Default(false);
  b.Property("RowColorFlag", &G::RowColorFlag, &G::SetRowColorFlag).Default(false);
  b.Property("RowOneColor", &G::RowOneColor, &G::SetRowOneColor).Default(clWindow).Idents(ColorIdents());
  b.Property("RowTwoColor", &G::RowTwoColor, &G::SetRowTwoColor).Default(TColor(0xF0FBFF)).Idents(ColorIdents());
  b.Property("CurrencyStyle", &G::CurrencyStyle, &G::SetCurrencyStyle);
  b.Property("DrawCurrency", &G::DrawCurrency, &G::SetDrawCurrency).Default(false);
  b.Property("NeedPaintCurrHead", &G::NeedPaintCurrHead, &G::SetNeedPaintCurrHead).Default(false);
  b.Property("FooterDisplayStyle", &G::FooterDisplayStyle, &G::SetFooterDisplayStyle).NoDefault();
  b.Property("AutoSetFooterWhenRestore", &G::AutoSetFooterWhenRestore, &G::SetAutoSetFooterWhenRestore)
      .Default(true);
  b.Property("SumFieldNotInclude", &G::SumFieldNotInclude, &G::SetSumFieldNotInclude)
      .Stored([](G* g) { return g->SumFieldNotIncludeStored(); });
  b.Property("FixGridlinecolor", &G::FixGridlinecolor, &G::SetFixGridlinecolor).NoDefault().Idents(ColorIdents());
  b.Property("Gridlinecolor", &G::Gridlinecolor, &G::SetGridlinecolor).NoDefault().Idents(ColorIdents());
  b.Property("AllowMoveColumn", &G::AllowMoveColumn, &G::SetAllowMoveColumn).Default(true);
  b.Property("AutoRestoreGrid", &G::AutoRestoreGrid, &G::SetAutoRestoreGrid).Default(false);
  b.Property("DisableMoveColumn", &G::DisableMoveColumn, &G::SetDisableMoveColumn).Default(false);
  b.Property("ProtectFieldList", &G::ProtectFieldList, &G::SetProtectFieldList)
      .Stored([](G* g) { return g->ProtectFieldListStored(); });

  // Events.
  b.Property("OnApplyFilter", &G::OnApplyFilter, &G::SetOnApplyFilter);
  b.Property("OnCellClick", &G::OnCellClick, &G::SetOnCellClick);
  b.Property("OnCheckButton", &G::OnCheckButton, &G::SetOnCheckButton);
  b.Property("OnColEnter", &G::OnColEnter, &G::SetOnColEnter);
  b.Property("OnColExit", &G::OnColExit, &G::SetOnColExit);
  b.Property("OnColumnMoved", &G::OnColumnMoved, &G::SetOnColumnMoved);
  b.Property("OnColWidthsChanged", &G::OnColWidthsChanged, &G::SetOnColWidthsChanged);
  b.Property("OnDblFilterClick", &G::OnDblFilterClick, &G::SetOnDblFilterClick);
  b.Property("OnDrawColumnCell", &G::OnDrawColumnCell, &G::SetOnDrawColumnCell);
  b.Property("OnDrawDataCell", &G::OnDrawDataCell, &G::SetOnDrawDataCell);
  b.Property("OnDrawFooterCell", &G::OnDrawFooterCell, &G::SetOnDrawFooterCell);
  b.Property("OnEditButtonClick", &G::OnEditButtonClick, &G::SetOnEditButtonClick);
  b.Property("OnGetBtnParams", &G::OnGetBtnParams, &G::SetOnGetBtnParams);
  b.Property("OnGetCellParams", &G::OnGetCellParams, &G::SetOnGetCellParams);
  b.Property("OnGetFooterParams", &G::OnGetFooterParams, &G::SetOnGetFooterParams);
  b.Property("OnSortMarkingChanged", &G::OnSortMarkingChanged, &G::SetOnSortMarkingChanged);
  b.Property("OnSumListAfterRecalcAll", &G::OnSumListAfterRecalcAll, &G::SetOnSumListAfterRecalcAll);
  b.Property("OnSumListRecalcAll", &G::OnSumListRecalcAll, &G::SetOnSumListRecalcAll);
  b.Property("OnTitleBtnClick", &G::OnTitleBtnClick, &G::SetOnTitleBtnClick);
  b.Property("OnTitleClick", &G::OnTitleClick, &G::SetOnTitleClick);
}

void RegisterDBGridGxClasses() {
  RegisterClasses({TDBGridGx::StaticClass(), TDBGridColumnGx::StaticClass()});
}
