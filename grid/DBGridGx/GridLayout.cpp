// The grid's layout building blocks: the rows above the data, the field map, the
// objects the layout is made of, column moves and resizes, and the multi-title header.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/ColumnsInternal.h"
#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataService.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridSumList.h"
#include "grid/DBGridGx/HeadTree.h"
#include "grid/DBGridGx/TextDraw.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "grid/DBGridGx/UnitResources.h"
#include "grid/DBGridGx/UnitRoutines.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

void TCustomDBGridGx::CollectDataSetFields(TList* List) {
  TDataSource* Source = DataSource();
  if (!Source || !Source->DataSet()) return;
  TDataSet* DataSet = Source->DataSet();
  for (int I = 0; I < DataSet->FieldCount(); ++I) List->Add(DataSet->Fields()[I]);
}

TColumnDefValuesGx* TCustomDBGridGx::CreateColumnDefValues() { return new TDBGridGxColumnDefValuesGx(this); }

TDBGridColumnsGx* TCustomDBGridGx::CreateColumns() {
  return new TDBGridColumnsGx(this, TDBGridColumnGx::StaticClass());
}

TDBGridGxScrollBar* TCustomDBGridGx::CreateScrollBar(int Kind) {
  if (Kind == 1) return new TVertDBGridGxScrollBar(this, Kind);
  return new TDBGridGxScrollBar(this, Kind);
}

int TCustomDBGridGx::FilterRowCount() { return FSTFilter && FSTFilter->Visible() ? 1 : 0; }

int TCustomDBGridGx::TitleRowCount() { return FOptions.Contains(dgTitles) ? 1 : 0; }

void TCustomDBGridGx::BuildFieldMap() {}

void TCustomDBGridGx::ColumnMoved(int FromIndex, int ToIndex) {
  FSTFilter->BeginUpdate();
  auto endUpdate = AtScopeExit([this] { FSTFilter->EndUpdate(); });
  const int From = GridToDataColumn(FromIndex), To = GridToDataColumn(ToIndex);
  if (From >= 0 && From < FColumns->Count() && To >= 0 && To < FColumns->Count()) {
    FColumns->ColumnAt(From)->SetIndex(To);
    if (FOnColumnMoved) FOnColumnMoved(this, From, To);
  }
}

void TCustomDBGridGx::AfterColumnResize() {
  TCustomGrid::ColWidthsChanged();
  if (FOnColWidthsChanged) FOnColWidthsChanged(this);
}

void TCustomDBGridGx::AfterRowHeightsChanged() { TCustomGrid::RowHeightsChanged(); }

// ---- multi-title header ----

void TCustomDBGridGx::BuildHeadTree() {
  FHeadTreeLeaves.clear();
  FHeadTreeRoot->BuildFromColumns(this, &FHeadTreeLeaves);
}

THeadTreeNode* TCustomDBGridGx::HeadTreeLeaf(int I) const {
  return I >= 0 && static_cast<std::size_t>(I) < FHeadTreeLeaves.size() ? FHeadTreeLeaves[static_cast<std::size_t>(I)]
                                                                         : nullptr;
}

int TCustomDBGridGx::MeasureHeadTree(THeadTreeNode* Node) {
  if (!Node || !Node->FirstChild) return 0;
  // Without a window the canvas measures on the screen's device context.
  columns_detail::TCanvasLend lend(this);
  TCanvas* canvas = lend.Canvas();
  int height = 0;
  THeadTreeNode* first = Node->FirstChild;
  THeadTreeNode* child = first;
  do {
    const int below = child->FirstChild ? MeasureHeadTree(child) : 0;
    canvas->SetFont(child->Column ? child->Column->Title()->Font() : FTitleFont.get());
    const win::RECT area{0, 0, std::max(1, child->Width - child->MarkerIndent - 4), 0};
    std::string text = child->Caption.empty() ? std::string(" ") : child->Caption;
    const bool vertical = child->Column && !child->FirstChild && child->Column->Title()->Orientation() == tohVertical;
    int textHeight = 0;
    if (vertical) {
      if (child->Width > 0)
        textHeight = PaintVerticalCellText(canvas, area, false, 0, 0, text, taLeftJustify, 0, true) + 6;
    } else {
      if (child->Width > 0) {
        win::RECT r = area;
        canvas->TextRect(r, text, TTextFormat{tfCalcRect, tfWordBreak});
        textHeight = r.bottom - r.top;
      }
      textHeight += FVTitleMargin;
    }
    height = std::max(height, below + textHeight);
    child = child->NextSibling;
  } while (child != first);
  child = first;
  do {
    // A group keeps the height of its own cell: what is left above its measured children.
    child->Height = child->FirstChild ? height - child->Height : height;
    child = child->NextSibling;
  } while (child != first);
  Node->Height = height;
  return height;
}
