// Writing tab-separated text and CSV.
#include "gridoutput/DBGridGxImpExp/ExportText.h"

#include "grid/DBGridGx.h"
#include "platform/rtl/SysUtils.h"

std::string TabTextCell(const std::string& Text) {
  const bool quote = (!Text.empty() && Text[0] == '"') || Text.find_first_of("\t\r\n") != std::string::npos;
  return quote ? AnsiQuotedStr(Text, '"') : Text;
}

void TDBGridGxExportAsText::WriteToStream(TStream* Stream, bool ExportAll) {
  FFirstRow = true;
  TDBGridGxExport::WriteToStream(Stream, ExportAll);
}

void TDBGridGxExportAsText::WriteRowSeparator() {
  if (FFirstRow) FFirstRow = false;
  else Put("\r\n", 2);
}

void TDBGridGxExportAsText::WriteCellSeparator() {
  if (FFirstCell) FFirstCell = false;
  else Put("\t", 1);
}

void TDBGridGxExportAsText::WriteCellText(const std::string& Text) { Put(TabTextCell(Text)); }

void TDBGridGxExportAsText::WriteTitleRow(TColumnsGxList* Columns) {
  WriteRowSeparator();
  FFirstCell = true;
  for (int i = 0; i < Columns->Count(); ++i) {
    WriteCellSeparator();
    WriteCellText(Columns->ColumnAt(i)->Title()->Caption());
  }
}

void TDBGridGxExportAsText::WriteDataRow(TColumnsGxList* Columns) {
  WriteRowSeparator();
  FFirstCell = true;
  TDBGridGxExport::WriteDataRow(Columns);
}

void TDBGridGxExportAsText::WriteCell(TColumnGx*, TColCellParamsGx* CellParams) {
  WriteCellSeparator();
  WriteCellText(CellParams->Text);
}

void TDBGridGxExportAsText::WriteFooterRow(TColumnsGxList* Columns, int FooterIndex) {
  WriteRowSeparator();
  FFirstCell = true;
  TDBGridGxExport::WriteFooterRow(Columns, FooterIndex);
}

void TDBGridGxExportAsText::WriteFooterItem(int, int, TColumnGx*, TFont*, TColor, TAlignment,
                                            const std::string& Text) {
  WriteCellSeparator();
  WriteCellText(Text);
}

TDBGridGxExportAsCSV::TDBGridGxExportAsCSV() : FSeparator(CsvSeparator) {}

void TDBGridGxExportAsCSV::WriteCellSeparator() {
  if (FFirstCell) FFirstCell = false;
  else Put(&FSeparator, 1);
}

void TDBGridGxExportAsCSV::WriteCellText(const std::string& Text) { Put(AnsiQuotedStr(Text, '"')); }
