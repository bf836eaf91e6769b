#pragma once
// TDBGridGxExport walks what the user selected in a grid and hands it, row by row and
// cell by cell, to its virtual writers; the forms (text, CSV, interchange) replace them.
// Each cell is prepared as the grid draws it, with both cell-parameter events, and the
// sum and count footers are summed again over the exported rows alone.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/Selection.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Classes.h"

class TCustomDBGridGx;
class TColumnGx;
class TColumnsGxList;
class TField;

class TDBGridGxExport : public TObject {
  VANTREL_CLASS(TDBGridGxExport, TObject)
public:
  TDBGridGxExport();
  ~TDBGridGxExport() override;

  TCustomDBGridGx* Grid() const { return FDBGrid; }
  void SetGrid(TCustomDBGridGx* Value) { FDBGrid = Value; }

  // Writes the selection (every record when ExportAll) to Stream; with no selection
  // nothing at all is written. The grid shows the same rows afterwards.
  virtual void WriteToStream(TStream* Stream, bool ExportAll);
  // Creates or truncates the file and writes to it; raises when the file cannot be
  // written completely.
  virtual void WriteToFile(const std::string& FileName, bool ExportAll);

protected:
  // Before the first row; after the footer rows (not reached after an error).
  virtual void WriteHeader() {}
  virtual void WriteTrailer() {}
  // The title row, when the grid shows titles.
  virtual void WriteTitleRow(TColumnsGxList* Columns) {}
  // One record: prepares each cell and calls WriteCell.
  virtual void WriteDataRow(TColumnsGxList* Columns);
  virtual void WriteCell(TColumnGx* Column, TColCellParamsGx* CellParams) {}
  // Footer row FooterIndex: prepares each footer cell and calls WriteFooterItem.
  virtual void WriteFooterRow(TColumnsGxList* Columns, int FooterIndex);
  virtual void WriteFooterItem(int DataCol, int Row, TColumnGx* Column, TFont* AFont, TColor Background,
                               TAlignment Alignment, const std::string& Text) {}

  TStream* Stream() const { return FStream; }
  TColumnsGxList* ExpCols() const { return FExpCols; }
  // Writes bytes to the stream, raising when it takes fewer.
  void Put(const void* Data, std::size_t Count);
  void Put(const std::string& Text) { Put(Text.data(), Text.size()); }

private:
  void AccumulateFooterSums();
  std::string FormatFooterSum(int FooterIndex, int Position);
  // The field a footer of Column totals: the footer's field, else the column's; nil when
  // the dataset has none.
  TField* FooterField(TColumnGx* Column, int FooterIndex);

  std::unique_ptr<TColCellParamsGx> FColCellParams;
  std::unique_ptr<TFont> FScratchFont;
  TCustomDBGridGx* FDBGrid = nullptr;
  TColumnsGxList* FExpCols = nullptr;
  TStream* FStream = nullptr;
  // One per footer row and exported column (position + row x columns), in 1/10000 units.
  std::vector<std::int64_t> FFooterSums;
};

using TDBGridGxExportClass = TClass;

// Creates an exporter of ExportClass, exports Grid's selection to Stream and frees it.
void ExportGridToStream(TDBGridGxExportClass ExportClass, TCustomDBGridGx* Grid, TStream* Stream, bool All);
