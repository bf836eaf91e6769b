#pragma once
// The RTF form of an export: one table of the title rows (several with multi-level
// titles, their shared cells merged), the data rows and the footer rows, each cell with
// its borders, shading, alignment, font and colours as the grid draws it. Text is written
// as RTF reads it back whatever its language: non-ASCII characters as \uN escapes.
#include <string>
#include <vector>

#include "gridoutput/DBGridGxImpExp/Export.h"
#include "platform/controls/RichText.h"

class TFont;

class TDBGridGxExportAsRTF : public TDBGridGxExport {
  VANTREL_CLASS(TDBGridGxExportAsRTF, TDBGridGxExport)
public:
  TDBGridGxExportAsRTF() = default;
  void WriteToStream(TStream* Stream, bool ExportAll) override;

protected:
  void WriteTrailer() override { Put('}'); }
  void WriteTitleRow(TColumnsGxList* Columns) override;
  void WriteDataRow(TColumnsGxList* Columns) override;
  void WriteCell(TColumnGx* Column, TColCellParamsGx* CellParams) override;
  void WriteFooterRow(TColumnsGxList* Columns, int FooterIndex) override;
  void WriteFooterItem(int DataCol, int Row, TColumnGx* Column, TFont* AFont, TColor Background,
                       TAlignment Alignment, const std::string& Text) override;

  void Emit(const std::string& Text) { Put(Text); }
  void EmitLine(const std::string& Text) {
    Put(Text);
    Put("\r\n", 2);
  }
  void EmitCellText(TFont* Font, const std::string& Text, TColor Background);
  static const char* AlignmentControlWord(TAlignment Alignment);
  int FontIndexOf(const std::string& Name);
  int ColorIndexOf(TColor Color);
  void WriteCellBorders(bool Left, bool Top, bool Bottom, bool Right);
  TColor DataCellBackground(TColumnGx* Column);
  TColor FooterCellBackground(TColumnGx* Column, int FooterIndex);

private:
  // Starts a row: "\trowd" and the cell definitions (all borders, Shading(i) per column).
  template <class ShadingOf>
  void BeginRow(TColumnsGxList* Columns, ShadingOf Shading);
  void WritePlainTitle(TColumnsGxList* Columns);
  void WriteMultiTitle(TColumnsGxList* Columns);
  // The right edges of the columns in twips.
  std::vector<int> ColumnEdges(TColumnsGxList* Columns);
  std::string CellMargin() const;

  std::vector<win::COLORREF> FColors;
  std::vector<std::string> FFonts;
  std::vector<int> FEdges;
};
