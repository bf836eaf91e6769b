// Writing tab-separated text and CSV.
#include "gridoutput/DBGridGxImpExp/ExportText.h"

#include "grid/DBGridGx.h"
#include "platform/rtl/SysUtils.h"

bool TabTextCellQuoted(const std::string& Text) {
  return (!Text.empty() && Text[0] == '"') || Text.find_first_of("\t\r\n") != std::string::npos;
}

// Text in double quotes, each double quote inside doubled (AnsiQuotedStr with '"').
void TDBGridGxExportAsText::PutQuoted(const std::string& Text) {
  Put('"');
  std::size_t from = 0;
  for (std::size_t at; (at = Text.find('"', from)) != std::string::npos; from = at + 1) {
    Put(Text.data() + from, at + 1 - from);
    Put('"');
  }
  Put(Text.data() + from, Text.size() - from);
  Put('"');
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
  else Put('\t');
}

void TDBGridGxExportAsText::WriteCellText(const std::string& Text) {
  if (TabTextCellQuoted(Text)) PutQuoted(Text);
  else Put(Text);
}

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
  else Put(FSeparator);
}

void TDBGridGxExportAsCSV::WriteCellText(const std::string& Text) { PutQuoted(Text); }
