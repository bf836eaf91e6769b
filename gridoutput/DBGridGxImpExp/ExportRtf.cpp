// Writing the RTF table: the colour and font tables gathered while the body is written,
// the rows with their cell definitions, and multi-level titles merged into blocks.
#include "gridoutput/DBGridGxImpExp/ExportRtf.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "grid/DBGridGx.h"
#include "grid/DBGridGx/HeadTree.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

void TDBGridGxExportAsRTF::WriteToStream(TStream* Stream, bool ExportAll) {
  FColors.clear();
  FFonts.clear();
  auto Free = AtScopeExit([this] {
    FColors.clear();
    FFonts.clear();
    FEdges.clear();
  });
  ColorIndexOf(clBlack);
  ColorIndexOf(clWhite);
  ColorIndexOf(clBtnFace);
  TStringStream Cache;
  TDBGridGxExport::WriteToStream(&Cache, ExportAll);
  std::string Head = "{\\rtf1\\ansi\r\n{\\colortbl";
  for (win::COLORREF C : FColors)
    Head += "\\red" + std::to_string(win::GetRValue(C)) + "\\green" + std::to_string(win::GetGValue(C)) + "\\blue" +
            std::to_string(win::GetBValue(C)) + ";";
  Head += "}\r\n{\\fonttbl";
  for (std::size_t I = 0; I < FFonts.size(); ++I)
    Head += "\\f" + std::to_string(I) + "\\fnil " + RtfEscapedText(FFonts[I]) + ";";
  Head += "}\r\n";
  // Nothing exported still makes a whole document.
  const std::string& Body = Cache.DataString().empty() ? std::string("}") : Cache.DataString();
  Stream->WriteBuffer(Head.data(), static_cast<std::int64_t>(Head.size()));
  Stream->WriteBuffer(Body.data(), static_cast<std::int64_t>(Body.size()));
}

int TDBGridGxExportAsRTF::ColorIndexOf(TColor Color) {
  const win::COLORREF Rgb = ColorToRGB(Color);
  auto At = std::find(FColors.begin(), FColors.end(), Rgb);
  if (At != FColors.end()) return static_cast<int>(At - FColors.begin());
  FColors.push_back(Rgb);
  return static_cast<int>(FColors.size()) - 1;
}

int TDBGridGxExportAsRTF::FontIndexOf(const std::string& Name) {
  for (std::size_t I = 0; I < FFonts.size(); ++I)
    if (AnsiSameText(FFonts[I], Name)) return static_cast<int>(I);
  FFonts.push_back(Name);
  return static_cast<int>(FFonts.size()) - 1;
}

const char* TDBGridGxExportAsRTF::AlignmentControlWord(TAlignment Alignment) {
  switch (Alignment) {
    case taRightJustify: return "\\qr";
    case taCenter: return "\\qc";
    default: return "\\ql";
  }
}

void TDBGridGxExportAsRTF::EmitCellText(TFont* Font, const std::string& Text, TColor Background) {
  std::string S = "\\fs" + std::to_string(Font->Size() * 2);
  const TFontStyles Style = Font->Style();
  if (Style.Contains(fsBold)) S += "\\b";
  if (Style.Contains(fsItalic)) S += "\\i";
  if (Style.Contains(fsStrikeOut)) S += "\\strike";
  if (Style.Contains(fsUnderline)) S += "\\ul";
  S += "\\f" + std::to_string(FontIndexOf(Font->Name()));
  S += "\\cf" + std::to_string(ColorIndexOf(Font->Color()));
  S += "\\cb" + std::to_string(ColorIndexOf(Background));
  S += ' ';
  Emit(S);
  Emit(RtfEscapedText(Text));
}

void TDBGridGxExportAsRTF::WriteCellBorders(bool Left, bool Top, bool Bottom, bool Right) {
  if (Left) EmitLine("\\clbrdrl\\brdrs\\brdrcf0");
  if (Top) EmitLine("\\clbrdrt\\brdrs\\brdrcf0");
  if (Bottom) EmitLine("\\clbrdrb\\brdrs\\brdrcf0");
  if (Right) EmitLine("\\clbrdrr\\brdrs\\brdrcf0");
}

std::vector<int> TDBGridGxExportAsRTF::ColumnEdges(TColumnsGxList* Columns) {
  int Dpi = win::GetDeviceCaps(Grid()->Canvas()->Handle(), win::LOGPIXELSX);
  if (Dpi <= 0) Dpi = 96;
  std::vector<int> Edges;
  int Sum = 0;
  for (int I = 0; I < Columns->Count(); ++I) {
    Sum += static_cast<int>(std::trunc(static_cast<double>(Columns->ColumnAt(I)->Width()) / Dpi * 1440));
    Edges.push_back(Sum);
  }
  return Edges;
}

std::string TDBGridGxExportAsRTF::CellMargin() const { return Grid()->Flat() ? "12" : "24"; }

template <class ShadingOf>
void TDBGridGxExportAsRTF::BeginRow(TColumnsGxList* Columns, ShadingOf Shading) {
  FEdges = ColumnEdges(Columns);
  EmitLine("\\trowd\\trgaph40");
  for (int I = 0; I < Columns->Count(); ++I) {
    WriteCellBorders(true, true, true, true);
    EmitLine("\\clshdng10000\\clcfpat" + std::to_string(ColorIndexOf(Shading(I))) + "\\cellx" +
             std::to_string(FEdges[static_cast<std::size_t>(I)]));
  }
  EmitLine("{\\trrh0");
}

TColor TDBGridGxExportAsRTF::DataCellBackground(TColumnGx* Column) {
  TColor Background = Column->Color();
  TCustomDBGridGx* G = Grid();
  if (G->OnGetCellParams()) {
    TFont Font;
    Font.Assign(Column->Font());
    G->OnGetCellParams()(G, Column, &Font, Background, TGridDrawState());
  }
  return Background;
}

TColor TDBGridGxExportAsRTF::FooterCellBackground(TColumnGx* Column, int FooterIndex) {
  TColumnFooterGx* Footer = Column->FooterForRow(FooterIndex);
  TColor Background = Footer->Color();
  TCustomDBGridGx* G = Grid();
  if (G->OnGetFooterParams()) {
    TFont Font;
    Font.Assign(Footer->Font());
    TAlignment Alignment = Footer->Alignment();
    std::string Text;
    G->OnGetFooterParams()(G, Column->Index(), FooterIndex, Column, &Font, Background, Alignment, TGridDrawState(),
                           Text);
  }
  return Background;
}

void TDBGridGxExportAsRTF::WriteDataRow(TColumnsGxList* Columns) {
  BeginRow(Columns, [&](int I) { return DataCellBackground(Columns->ColumnAt(I)); });
  TDBGridGxExport::WriteDataRow(Columns);
  EmitLine("\\pard\\intbl\\row}");
}

void TDBGridGxExportAsRTF::WriteCell(TColumnGx*, TColCellParamsGx* CellParams) {
  const std::string M = CellMargin();
  Emit(std::string("\\pard\\intbl{") + AlignmentControlWord(CellParams->Alignment) + "\\sb" + M + "\\sa" + M);
  EmitCellText(CellParams->Font, CellParams->Text, CellParams->Background);
  EmitLine("\\cell}");
}

void TDBGridGxExportAsRTF::WriteFooterRow(TColumnsGxList* Columns, int FooterIndex) {
  BeginRow(Columns, [&](int I) { return FooterCellBackground(Columns->ColumnAt(I), FooterIndex); });
  TDBGridGxExport::WriteFooterRow(Columns, FooterIndex);
  EmitLine("\\pard\\intbl\\row}");
}

void TDBGridGxExportAsRTF::WriteFooterItem(int, int, TColumnGx*, TFont* AFont, TColor Background, TAlignment Alignment,
                                           const std::string& Text) {
  const std::string M = CellMargin();
  Emit(std::string("\\pard\\intbl{") + AlignmentControlWord(Alignment) + "\\sb" + M + "\\sa" + M);
  EmitCellText(AFont, Text, Background);
  EmitLine("\\cell}");
}

void TDBGridGxExportAsRTF::WriteTitleRow(TColumnsGxList* Columns) {
  if (Grid()->UseMultiTitle()) WriteMultiTitle(Columns);
  else WritePlainTitle(Columns);
}

void TDBGridGxExportAsRTF::WritePlainTitle(TColumnsGxList* Columns) {
  BeginRow(Columns, [&](int I) { return Columns->ColumnAt(I)->Title()->Color(); });
  const std::string M = CellMargin();
  for (int I = 0; I < Columns->Count(); ++I) {
    TColumnTitleGx* Title = Columns->ColumnAt(I)->Title();
    Emit(std::string("\\pard\\intbl{") + AlignmentControlWord(Title->Alignment()) + "\\sb" + M + "\\sa" + M);
    EmitCellText(Title->Font(), Title->Caption(), Title->Color());
    EmitLine("\\cell}");
  }
  EmitLine("\\pard\\intbl\\row}");
}

namespace {

// Borders left out inside merged title blocks, per cell.
struct TitleCell {
  THeadTreeNode* Node = nullptr;
  bool Empty = false;
  bool NoLeft = false, NoTop = false, NoBottom = false, NoRight = false;
};

// CollectTitleLevels: the title node of every column at each level, level 0 the leaves;
// a level is added for each step in which the columns lowest in the title move up to
// their group nodes.
std::vector<std::vector<THeadTreeNode*>> CollectTitleLevels(std::vector<THeadTreeNode*> Nodes, THeadTreeNode* Root) {
  std::vector<int> Heights;
  for (THeadTreeNode* N : Nodes) Heights.push_back(N->Height);
  std::vector<std::vector<THeadTreeNode*>> Levels{Nodes};
  while (!Nodes.empty()) {
    const int Lowest = *std::min_element(Heights.begin(), Heights.end());
    bool Moved = false;
    for (std::size_t I = 0; I < Nodes.size(); ++I) {
      THeadTreeNode* Parent = Nodes[I]->ParentNode;
      if (Heights[I] != Lowest || !Parent || Parent == Root) continue;
      Nodes[I] = Parent;
      Heights[I] += Parent->Height;
      Moved = true;
    }
    if (!Moved) break;
    Levels.push_back(Nodes);
  }
  return Levels;
}

}  // namespace

void TDBGridGxExportAsRTF::WriteMultiTitle(TColumnsGxList* Columns) {
  TCustomDBGridGx* G = Grid();
  const int Count = Columns->Count();
  std::vector<THeadTreeNode*> Leaves;
  for (int I = 0; I < Count; ++I) {
    THeadTreeNode* Leaf = G->HeadTreeLeaf(Columns->ColumnAt(I)->Index());
    if (!Leaf) {
      WritePlainTitle(Columns);  // no multi-title layout made yet
      return;
    }
    Leaves.push_back(Leaf);
  }
  const auto Levels = CollectTitleLevels(Leaves, G->HeadTreeRoot());
  const int Top = static_cast<int>(Levels.size()) - 1;
  std::vector<std::vector<TitleCell>> Cells(Levels.size(), std::vector<TitleCell>(static_cast<std::size_t>(Count)));
  auto At = [&](int L, int I) -> TitleCell& { return Cells[static_cast<std::size_t>(L)][static_cast<std::size_t>(I)]; };
  auto NodeAt = [&](int L, int I) { return Levels[static_cast<std::size_t>(L)][static_cast<std::size_t>(I)]; };
  // MergeTitleSpans and SuppressInnerBorders.
  for (int L = Top; L >= 0; --L)
    for (int I = 0; I < Count; ++I) {
      TitleCell& Cell = At(L, I);
      Cell.Node = NodeAt(L, I);
      if (Cell.Empty) continue;
      int Low = L;
      while (Low > 0 && NodeAt(Low - 1, I) == Cell.Node) --Low;
      int Right = I;
      while (Right + 1 < Count && NodeAt(L, Right + 1) == Cell.Node) ++Right;
      for (int BL = L; BL >= Low; --BL)
        for (int BI = I; BI <= Right; ++BI) {
          TitleCell& Part = At(BL, BI);
          if (BL != L || BI != I) Part.Empty = true;
          Part.NoLeft = Part.NoLeft || BI != I;
          Part.NoRight = Part.NoRight || BI != Right;
          Part.NoTop = Part.NoTop || BL != L;
          Part.NoBottom = Part.NoBottom || BL != Low;
        }
    }
  int Dpi = win::GetDeviceCaps(G->Canvas()->Handle(), win::LOGPIXELSX);
  if (Dpi <= 0) Dpi = 96;
  const std::string M =
      std::to_string(std::abs(static_cast<int>(std::trunc(G->VTitleMargin() / 2.0 / Dpi * 1440 - 20))));
  FEdges = ColumnEdges(Columns);
  auto Row = [&](int L) {
    EmitLine("\\trowd\\trgaph40");
    for (int I = 0; I < Count; ++I) {
      const TitleCell& Cell = At(L, I);
      WriteCellBorders(!Cell.NoLeft, !Cell.NoTop, !Cell.NoBottom, !Cell.NoRight);
      const TColor Shading = L > 0 ? G->FixedColor() : Columns->ColumnAt(I)->Title()->Color();
      EmitLine("\\clshdng10000\\clcfpat" + std::to_string(ColorIndexOf(Shading)) + "\\cellx" +
               std::to_string(FEdges[static_cast<std::size_t>(I)]));
    }
    EmitLine("{\\trrh0");
    for (int I = 0; I < Count; ++I) {
      const TitleCell& Cell = At(L, I);
      TColumnTitleGx* Title = Columns->ColumnAt(I)->Title();
      Emit("\\pard\\intbl{\\qc");
      if (!Cell.Empty) Emit("\\sb" + M + "\\sa" + M);
      if (L > 0) EmitCellText(G->TitleFont(), Cell.Empty ? std::string() : Cell.Node->Caption, G->FixedColor());
      else EmitCellText(Title->Font(), Cell.Empty ? std::string() : Cell.Node->Caption, Title->Color());
      EmitLine("\\cell}");
    }
    EmitLine("\\pard\\intbl\\row}");
  };
  for (int L = Top; L >= 0; --L) Row(L);
}
