// The export driver: which rows and columns leave the grid, the cells prepared as drawn,
// and the footer sums over the exported rows.
#include "gridoutput/DBGridGxImpExp/Export.h"

#include <cfenv>
#include <cmath>
#include <limits>

#include "grid/DBGridGx.h"
#include "grid/DBGridGx/CellContent.h"
#include "gridoutput/DBGridGxImpExp/SelectionColumns.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

TDBGridGxExport::TDBGridGxExport()
    : FColCellParams(std::make_unique<TColCellParamsGx>()), FScratchFont(std::make_unique<TFont>()) {}

TDBGridGxExport::~TDBGridGxExport() = default;

void VisibleColumnsBetween(TCustomDBGridGx* Grid, int First, int Last, TColumnsGxList& List) {
  TDBGridColumnsGx* columns = Grid->Columns();
  for (int i = std::max(First, 0); i <= Last && i < columns->Count(); ++i)
    if (columns->ColumnAt(i)->Visible()) List.Add(columns->ColumnAt(i));
}

void TDBGridGxExport::FlushOut() {
  if (FOut.empty()) return;
  FStream->WriteBuffer(FOut.data(), static_cast<std::int64_t>(FOut.size()));
  FOut.clear();
}

namespace {

// Rounds to the nearest integer, ties to even, kept within the 64-bit range.
std::int64_t RoundUnits(double Value) {
  if (std::isnan(Value)) return 0;
  constexpr double top = 9223372036854775807.0;
  if (Value >= top) return std::numeric_limits<std::int64_t>::max();
  if (Value <= -top) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(std::nearbyint(Value));
}

}  // namespace

void TDBGridGxExport::WriteToStream(TStream* Stream, bool ExportAll) {
  FStream = Stream;
  FOut.clear();
  TCustomDBGridGx* grid = FDBGrid;
  const TDBGridGxSelectionType kind = ExportAll ? gstAll : grid->GridSelection()->Kind();
  if (kind == gstNon) return;
  TDataSet* dataSet = grid->DataSource() ? grid->DataSource()->DataSet() : nullptr;
  if (!dataSet) return;

  TColumnsGxList rectColumns;
  dataSet->DisableControls();
  grid->SaveViewPosition();
  {
    auto restore = AtScopeExit([&] {
      FExpCols = nullptr;
      grid->RestoreViewPosition();
      dataSet->EnableControls();
    });
    auto freeSums = AtScopeExit([&] { FFooterSums.clear(); });
    TDBGridGxSelection* selection = grid->GridSelection();
    switch (kind) {
      case gstRectangle:
        VisibleColumnsBetween(grid, selection->Rect()->GetStartColumn(), selection->Rect()->GetEndColumn(),
                              rectColumns);
        FExpCols = &rectColumns;
        break;
      case gstColumns: FExpCols = selection->Columns(); break;
      default: FExpCols = grid->ShownColumns(); break;
    }
    FFooterSums.assign(static_cast<std::size_t>(std::max(grid->FooterRowCount(), 0)) * FExpCols->Count(), 0);
    WriteHeader();
    if (grid->Options().Contains(dgTitles)) WriteTitleRow(FExpCols);
    switch (kind) {
      case gstRecordBookmarks: {
        TBookmarkListGx* rows = selection->Rows();
        for (int i = 0; i < rows->Count(); ++i) {
          dataSet->GotoBookmark(rows->BookmarkAt(i));
          AccumulateFooterSums();
          WriteDataRow(FExpCols);
        }
        break;
      }
      case gstRectangle: {
        const std::string last = selection->Rect()->GetBottomRow();
        dataSet->GotoBookmark(selection->Rect()->GetStartRow());
        while (true) {
          WriteDataRow(FExpCols);
          AccumulateFooterSums();
          if (dataSet->CompareBookmarks(dataSet->Bookmark(), last) == 0) break;
          dataSet->Next();
          if (dataSet->Eof()) break;
        }
        break;
      }
      default:
        for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) {
          WriteDataRow(FExpCols);
          AccumulateFooterSums();
        }
        break;
    }
    for (int r = 0; r < grid->FooterRowCount(); ++r) WriteFooterRow(FExpCols, r);
  }
  WriteTrailer();
  FlushOut();
}

void TDBGridGxExport::WriteToFile(const std::string& FileName, bool ExportAll) {
  TFileStream file(FileName, fmCreate);
  WriteToStream(&file, ExportAll);
  file.Close();
}

void TDBGridGxExport::WriteDataRow(TColumnsGxList* Columns) {
  TCustomDBGridGx* grid = FDBGrid;
  TColCellParamsGx* params = FColCellParams.get();
  const bool gridEvent = static_cast<bool>(grid->OnGetCellParams());
  for (int i = 0; i < Columns->Count(); ++i) {
    TColumnGx* column = Columns->ColumnAt(i);
    const bool events = gridEvent || column->OnGetCellParams();
    params->Row = -1;
    params->Col = -1;
    params->State = TGridDrawState();
    params->Font = FScratchFont.get();
    const bool appearance = events || WantsCellAppearance();
    const bool text = events || WantsCellText();
    TCellContentParts parts;
    if (appearance) parts += TCellContentParts{ccpImage, ccpCheck};
    if (text) parts += ccpText;
    const TCellContent content = CellContentOf(column, parts);
    if (appearance) {
      FScratchFont->Assign(column->Font());
      params->Background = column->Color();
      params->Alignment = column->Alignment();
      params->ImageIndex = content.ImageIndex;
      params->CheckState = content.CheckState;
    }
    if (text) params->Text = content.DisplayText;  // the value as its field shows it, not the money style's amount
    if (gridEvent) grid->OnGetCellParams()(grid, column, params->Font, params->Background, params->State);
    column->FireGetCellParams(false, params);
    WriteCell(column, params);
  }
}

void TDBGridGxExport::WriteFooterRow(TColumnsGxList* Columns, int FooterIndex) {
  TCustomDBGridGx* grid = FDBGrid;
  for (int i = 0; i < Columns->Count(); ++i) {
    TColumnGx* column = Columns->ColumnAt(i);
    TColumnFooterGx* footer = column->FooterForRow(FooterIndex);
    FScratchFont->Assign(footer->Font());
    TColor background = footer->Color();
    TAlignment alignment = footer->Alignment();
    std::string text;
    if (footer->ValueType() == fvtSum || footer->ValueType() == fvtCount) text = FormatFooterSum(FooterIndex, i);
    else grid->FooterValueText(FooterIndex, column, text);
    if (grid->OnGetFooterParams())
      grid->OnGetFooterParams()(grid, column->Index(), FooterIndex, column, FScratchFont.get(), background, alignment,
                                TGridDrawState(), text);
    WriteFooterItem(i, FooterIndex, column, FScratchFont.get(), background, alignment, text);
  }
}

TField* TDBGridGxExport::FooterField(TColumnGx* Column, int FooterIndex) {
  TDataSet* dataSet = FDBGrid->DataSource() ? FDBGrid->DataSource()->DataSet() : nullptr;
  if (!dataSet) return nullptr;
  const std::string& own = Column->FooterForRow(FooterIndex)->FieldName();
  return dataSet->FindField(own.empty() ? Column->FieldName() : own);
}

void TDBGridGxExport::AccumulateFooterSums() {
  const int count = FExpCols->Count();
  for (int r = 0; r < FDBGrid->FooterRowCount(); ++r)
    for (int i = 0; i < count; ++i) {
      TColumnGx* column = FExpCols->ColumnAt(i);
      const TFooterValueType type = column->FooterForRow(r)->ValueType();
      if (type != fvtSum && type != fvtCount) continue;
      TField* field = FooterField(column, r);
      if (!field) continue;
      std::int64_t& sum = FFooterSums[static_cast<std::size_t>(i + r * count)];
      if (type == fvtCount) sum += 10000;
      else if (!field->IsNull()) sum = RoundUnits(field->AsFloat() * 10000.0 + static_cast<double>(sum));
    }
}

std::string TDBGridGxExport::FormatFooterSum(int FooterIndex, int Position) {
  TColumnGx* column = FExpCols->ColumnAt(Position);
  const std::int64_t sum = FFooterSums[static_cast<std::size_t>(Position + FooterIndex * FExpCols->Count())];
  switch (column->FooterForRow(FooterIndex)->ValueType()) {
    case fvtCount: return FloatToStr(static_cast<double>(sum) / 10000.0);
    case fvtSum: break;
    default: return {};
  }
  TField* field = FooterField(column, FooterIndex);
  if (!field) return {};
  const Currency value = Currency::FromRaw(sum);
  const double asFloat = static_cast<double>(sum) / 10000.0;
  auto* numeric = dynamic_cast<TNumericField*>(field);
  const std::string format = numeric ? numeric->DisplayFormat() : std::string();
  switch (field->DataType()) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc:
      if (!format.empty()) return FormatFloat(format, asFloat);
      return std::to_string(sum / 10000);
    case ftFloat: case ftCurrency: {
      if (!format.empty()) return FormatFloat(format, asFloat);
      auto* f = static_cast<TFloatField*>(field);
      return FloatToStrF(asFloat, f->Currency() ? ffCurrency : ffGeneral, f->Precision(),
                         f->Currency() ? CurrencyDecimals : 0);
    }
    case ftBCD: case ftFMTBcd: {
      if (!format.empty()) return FormatCurr(format, value);
      auto* f = static_cast<TBCDField*>(field);
      return CurrToStrF(value, f->Currency() ? ffCurrency : ffGeneral, f->Currency() ? CurrencyDecimals : 0);
    }
    default: return {};
  }
}

void ExportGridToStream(TDBGridGxExportClass ExportClass, TCustomDBGridGx* Grid, TStream* Stream, bool All) {
  std::unique_ptr<TDBGridGxExport> exporter(static_cast<TDBGridGxExport*>(CreateObject(ExportClass)));
  exporter->SetGrid(Grid);
  exporter->WriteToStream(Stream, All);
}
