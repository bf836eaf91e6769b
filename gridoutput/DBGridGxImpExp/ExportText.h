#pragma once
// The plain-text forms of an export: tab-separated text (cells joined by TAB, rows by
// CR LF, nothing after the last row) and CSV (every cell in double quotes, joined by
// ";"). A tab-separated cell holding a TAB or a line break, or starting with a double
// quote, is quoted as spreadsheets quote it, so that it reads back as one cell.
#include <string>

#include "gridoutput/DBGridGxImpExp/Export.h"

class TDBGridGxExportAsText : public TDBGridGxExport {
  VANTREL_CLASS(TDBGridGxExportAsText, TDBGridGxExport)
public:
  TDBGridGxExportAsText() = default;
  void WriteToStream(TStream* Stream, bool ExportAll) override;

protected:
  void WriteTitleRow(TColumnsGxList* Columns) override;
  void WriteDataRow(TColumnsGxList* Columns) override;
  void WriteCell(TColumnGx* Column, TColCellParamsGx* CellParams) override;
  void WriteFooterRow(TColumnsGxList* Columns, int FooterIndex) override;
  void WriteFooterItem(int DataCol, int Row, TColumnGx* Column, TFont* AFont, TColor Background,
                       TAlignment Alignment, const std::string& Text) override;
  // CR LF before every row but the first.
  virtual void WriteRowSeparator();
  // The separator before every cell of a row but the first.
  virtual void WriteCellSeparator();
  // One cell's text as this form writes it.
  virtual void WriteCellText(const std::string& Text);

  bool FFirstRow = true;
  bool FFirstCell = true;
};

class TDBGridGxExportAsCSV : public TDBGridGxExportAsText {
  VANTREL_CLASS(TDBGridGxExportAsCSV, TDBGridGxExportAsText)
public:
  TDBGridGxExportAsCSV();

protected:
  void WriteCellSeparator() override;
  void WriteCellText(const std::string& Text) override;

private:
  char FSeparator;
};

// The CSV cell separator.
inline constexpr char CsvSeparator = ';';

// Text as a tab-separated cell: unchanged, or quoted when it holds a TAB or a line break
// or starts with a double quote.
std::string TabTextCell(const std::string& Text);
