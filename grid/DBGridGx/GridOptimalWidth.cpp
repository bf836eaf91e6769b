// Fitting columns to the widest text of their titles, records and footers, and keeping
// the rows shown and the current record while the dataset is walked for it.
#include <algorithm>
#include <vector>

#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/CellTextMeasure.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/HeadTree.h"
#include "grid/DBGridGx/Selection.h"
#include "platform/rtl/ScopeExit.h"

using columns_detail::TCanvasLend;

namespace {

bool RecordBeingEdited(TDataSet* DataSet) {
  return DataSet->State() == dsEdit || DataSet->State() == dsInsert;
}

}  // namespace

void TCustomDBGridGx::OptimizeColumnWidth(TColumnGx* Column) {
  TColumnsGxList list;
  if (P->FSelection->Kind() == gstColumns) {
    TColumnsGxList* selected = P->FSelection->Columns();
    for (int i = 0; i < selected->Count(); ++i) list.Add(selected->ColumnAt(i));
  } else if (P->FSelection->Kind() == gstAll) {
    for (int i = 0; i < P->FColumns->Count(); ++i) list.Add(P->FColumns->Items(i));
  }
  if (Column && list.IndexOf(Column) < 0) list.Add(Column);
  OptimizeColumnsWidth(&list);
}

void TCustomDBGridGx::OptimizeColumnsWidth(TColumnsGxList* List) {
  const int count = List->Count();
  std::vector<int> widths(static_cast<std::size_t>(count), 0);
  for (int i = 0; i < count; ++i) TitleTextWidth(List->ColumnAt(i), widths[i]);
  if (!P->FDataLink->Active()) return;
  TDataSet* dataSet = P->FDataLink->DataSet();
  auto measureRecord = [&] {
    for (int i = 0; i < count; ++i) CellTextWidth(List->ColumnAt(i), widths[i]);
  };
  if (RecordBeingEdited(dataSet)) {
    // Walking would post or cancel the record under edit: only it is measured.
    measureRecord();
  } else {
    dataSet->DisableControls();
    auto restore = AtScopeExit([&] {
      RestoreViewPosition();
      dataSet->EnableControls();
    });
    SaveViewPosition();
    dataSet->First();
    while (!dataSet->Eof()) {
      measureRecord();
      const bool last = dataSet->IsSequenced() && dataSet->RecNo() >= dataSet->RecordCount();
      dataSet->Next();
      if (last) break;
    }
  }
  const bool lock = !P->FAutoFitColWidths;
  if (lock) LockLayout();
  auto unlock = AtScopeExit([&] {
    if (lock) UnlockLayout();
  });
  for (int i = 0; i < count; ++i) {
    TColumnGx* column = List->ColumnAt(i);
    FooterTextWidth(column, widths[i]);
    column->SetWidth(widths[i]);
  }
}

void TCustomDBGridGx::TitleTextWidth(TColumnGx* Column, int& Width) {
  TColumnTitleGx* title = Column->Title();
  const int markerWidth = title->SortMarkerWidth();
  const int reserve = markerWidth >= 3 ? markerWidth + 2 : 4;
  if (P->FTitleImages && title->ImageIndex() != -1) {
    Width = std::max(Width, reserve + P->FTitleImages->Width());
    return;
  }
  win::RECT rect{0, 0, Column->Width() - reserve, RowHeights(0)};
  std::string caption = title->Caption();
  if (P->FUseMultiTitle)
    if (THeadTreeNode* leaf = HeadTreeLeaf(Column->Index())) {
      caption = leaf->Caption;
      rect.top = std::max(rect.top, rect.bottom - leaf->Height);
    }
  bool wrap = P->FUseMultiTitle || P->FTitleHeight != 0 || P->FTitleLines != 0;
  const bool vertical = title->Orientation() == tohVertical;
  if (vertical) {
    SwapRectExtent(rect);
    wrap = false;
  }
  TCanvasLend lend(this);
  Canvas()->Font()->Assign(title->Font());
  int w = 0, h = 0;
  TextOverflowsCell(this, wrap ? 2 : 0, 0, caption, rect, wrap, w, h);
  Width = std::max(Width, reserve + (vertical ? h : w));
}

void TCustomDBGridGx::CellTextWidth(TColumnGx* Column, int& Width) {
  int reserve = 4;
  if (Column->AlwaysShowEditButton()) reserve += Column->EditButtonsWidth();
  const int kind = Column->CellKind();
  if (kind == CellKindKeyImages) {
    Width = std::max(Width, (Column->ImageList() ? Column->ImageList()->Width() : 0) + reserve);
    return;
  }
  if (kind == CellKindCheckBox) {
    Width = std::max(Width, DefaultCheckBoxWidth + reserve);
    return;
  }
  TCanvasLend lend(this);
  TCanvas* c = Canvas();
  c->Font()->Assign(Column->Font());
  TColCellParamsGx params;
  Column->FillCellParams(&params);
  params.Background = c->Brush()->Color();
  params.Font = c->Font();
  params.State = TGridDrawState();
  const int shown = P->FShownColumns->IndexOf(Column);
  params.Col = shown < 0 ? -1 : DataToGridColumn(shown);
  params.Row = 0;
  FireGetCellParams(Column, c->Font(), params.Background, params.State);
  Column->FireGetCellParams(false, &params);
  int w = 0, h = 0;
  TextOverflowsCell(this, 0, 0, params.Text, {0, 0, 0, DefaultRowHeight()}, Column->WordWrap() && P->FRowsAllowWrap, w,
                    h);
  Width = std::max(Width, w + reserve);
}

void TCustomDBGridGx::FooterTextWidth(TColumnGx* Column, int& Width) {
  const int dataCol = P->FShownColumns->IndexOf(Column);
  TCanvasLend lend(this);
  TCanvas* c = Canvas();
  for (int f = 0; f < P->FFooterRowCount; ++f) {
    TColumnFooterGx* footer = Column->FooterForRow(f);
    c->Font()->Assign(footer->Font());
    c->Brush()->SetColor(footer->Color());
    TColor background = footer->Color();
    TAlignment alignment = footer->Alignment();
    std::string text;
    FooterValueText(f, Column, text);
    FireGetFooterParams(dataCol, f, Column, c->Font(), background, alignment, TGridDrawState(), text);
    int w = 0, h = 0;
    TextOverflowsCell(this, 0, 0, text, {0, 0, 0, DefaultRowHeight()}, footer->WordWrap() && P->FRowsAllowWrap, w, h);
    Width = std::max(Width, w + 5);
  }
}

void TCustomDBGridGx::SaveViewPosition() {
  P->FViewBookmark.clear();
  P->FViewDistance = 0;
  if (!P->FDataLink->Active()) return;
  TDataSet* dataSet = P->FDataLink->DataSet();
  // Moving off a record under edit would post or cancel it: nothing is saved then.
  if (RecordBeingEdited(dataSet)) return;
  const int active = P->FDataLink->ActiveRecord(), records = P->FDataLink->RecordCount();
  const int distance = active - records / 2 + (records + 1) % 2;
  const int moved = dataSet->MoveBy(-distance);
  P->FViewBookmark = dataSet->Bookmark();
  dataSet->MoveBy(-moved);
  P->FViewDistance = -moved;
}

void TCustomDBGridGx::RestoreViewPosition() {
  if (P->FViewBookmark.empty() || !P->FDataLink->Active()) return;
  TDataSet* dataSet = P->FDataLink->DataSet();
  if (!dataSet->BookmarkValid(P->FViewBookmark)) return;
  dataSet->GotoBookmark(P->FViewBookmark);
  dataSet->MoveBy(P->FViewDistance);
}
