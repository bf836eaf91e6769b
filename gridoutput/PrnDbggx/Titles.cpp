// The titles of a grid print: the column titles in one row or as the multi-level title
// tree (a group split over two bands shows its caption centred over the whole group), and
// the title block above them centred over the whole grid.
#include <algorithm>
#include <set>

#include "gridoutput/PrnDbggx/PrintRun.h"

namespace {
// The children of a title tree node, in order (siblings form a ring).
template <class F>
void ForEachChild(THeadTreeNode* Node, F&& Do) {
  THeadTreeNode* First = Node ? Node->FirstChild : nullptr;
  if (!First) return;
  THeadTreeNode* Child = First;
  do {
    THeadTreeNode* Next = Child->NextSibling;
    Do(Child);
    Child = Next;
  } while (Child && Child != First);
}
}  // namespace

bool TGridPrintRun::TitleHasImage(TColumnGx* Column) const {
  return Grid->TitleImages() && Column->Title()->ImageIndex() != -1;
}

int TGridPrintRun::MeasureTitleHeight() {
  int Height = 0;
  auto Measure = [&](TFont* Font) {
    SetCanvasFont(Font);
    Height = std::max(Height, Canvas->TextHeight("Wg") + 2 * CellInsetY);
  };
  for (TColumnGx* Column : Columns) Measure(Column->Title()->Font());
  if (Columns.empty()) Measure(Grid->TitleFont());
  if (Grid->TitleHeight() != 0 || Grid->TitleLines() != 0) {
    int Line = 0, Leading = 0;
    for (TColumnGx* Column : Columns) {
      SetCanvasFont(Column->Title()->Font(), false);
      const int H = Canvas->TextHeight("Wg");
      if (H > Line) Line = H, Leading = ExternalLeading(Canvas);
    }
    Height = CellInsetY + Grid->TitleLines() * Line + Leading + RoundEven(Grid->TitleHeight() * RatioY);
    if (Grid->Options().Contains(dgRowLines)) Height += SmallInsetY;
  }
  return Height;
}

int TGridPrintRun::MeasureGridTitle() {
  const std::string Text = WithoutFinalBreak(Owner->Title()->Text());
  if (Owner->Title()->Count() == 0) return 0;
  SetCanvasFont(Grid->TitleFont());
  int Width = 0;
  for (int W : BandWidths) Width += W;
  const win::RECT R{0, 0, Width, 0};
  const int InsetY = Grid->UseMultiTitle() ? RoundEven(Grid->VTitleMargin() * RatioY / 2) : CellInsetY;
  return DrawTextInRect(R, false, CellInsetX, InsetY, Text, taCenter, tlTop, true, false, 0, 0, true);
}

void TGridPrintRun::DrawGridTitle(int First, int Last) {
  if (Owner->Title()->Count() == 0) return;
  const std::string Text = WithoutFinalBreak(Owner->Title()->Text());
  int Before = 0, Band = 0, After = 0;
  for (int I = 0; I < int(Columns.size()); ++I) (I < First ? Before : I > Last ? After : Band) += BandWidths[I];
  const int Bottom = PageRect.top + UsedHeight - TitleHeight;
  const win::RECT R = Mirror({PageRect.left, Bottom - TitleBlockHeight, PageRect.left + Band, Bottom});
  const bool Colored = Owner->Options().Contains(pghColored);
  SetCanvasFont(Grid->TitleFont());
  Canvas->Brush()->SetColor(Colored ? Grid->FixedColor() : clWhite);
  Canvas->Brush()->SetStyle(Colored ? bsSolid : bsClear);
  const int InsetY = Grid->UseMultiTitle() ? RoundEven(Grid->VTitleMargin() * RatioY / 2) : CellInsetY;
  DrawTextInRect(R, Colored, 0, InsetY, Text, taCenter, tlTop, true, false, CellInsetX - Before, CellInsetX - After,
                 DryRun);
  AddGridLine({{R.left, R.bottom}, {R.left, R.top}, {R.right, R.top}, {R.right, R.bottom}});
}

void TGridPrintRun::DrawTitleRow(int First, int Last) {
  const int Bottom = PageRect.top + UsedHeight;
  const int Top = Bottom - TitleHeight;
  const bool Colored = Owner->Options().Contains(pghColored);
  int X = PageRect.left;
  for (int I = First; I <= Last; ++I) {
    TColumnGx* Column = Columns[I];
    TColumnTitleGx* Title = Column->Title();
    const win::RECT R = Mirror({X, Top, X + BandWidths[I], Bottom});
    SetCanvasFont(Title->Font());
    Canvas->Brush()->SetColor(Colored ? Grid->FixedColor() : clWhite);
    Canvas->Brush()->SetStyle(Colored ? bsSolid : bsClear);
    const bool Image = TitleHasImage(Column);
    const std::string Caption = Image ? std::string() : Title->Caption();
    if (Title->Orientation() == tohVertical) {
      if (Colored && !DryRun) Canvas->FillRect(R);
      PaintVerticalCellText(Canvas, R, false, CellInsetX, 2 * CellInsetY, Caption, Title->Alignment(), tlBottom, DryRun);
    } else {
      DrawTextInRect(R, Colored, CellInsetX, CellInsetY, Caption, Title->Alignment(), tlTop, false,
                     Title->EndEllipsis(), 0, 0, DryRun);
    }
    if (Image) DrawCellImage(Grid->TitleImages(), R, Title->Alignment(), Title->ImageIndex());
    AddGridLine({{R.left, R.bottom}, {R.right, R.bottom}, {R.right, R.top}});
    X += BandWidths[I];
  }
  const win::RECT Row = Mirror({PageRect.left, Top, X, Bottom});
  AddGridLine({{Row.left, Row.bottom}, {Row.left, Row.top}, {Row.right, Row.top}});
  DrawGridTitle(First, Last);
}

// ---- the multi-level title ----

std::string TGridPrintRun::LeafTitleCaption(TColumnGx* Column) const {
  const std::string& Caption = Column->Title()->Caption();
  if (!Grid->UseMultiTitle()) return Caption;
  const std::size_t Bar = Caption.rfind('|');
  return Bar == std::string::npos ? Caption : Caption.substr(Bar);
}

// The print lays the title tree out on a tree of its own, built from the grid's columns,
// so that nothing the grid does meanwhile changes it.
void TGridPrintRun::PrepareMultiTitle() {
  TitleTree = std::make_unique<THeadTreeNode>("", 0, 0);
  TitleLeaves.clear();
  TitleTree->BuildFromColumns(Grid, &TitleLeaves);
  for (THeadTreeNode* Leaf : TitleLeaves) Leaf->PrintWidth = 0;
  for (std::size_t I = 0; I < Columns.size(); ++I) TitleLeaf(Columns[I])->PrintWidth = BandWidths[I];
  TitleNodeStart.clear();
  int Start = 0;
  TitleNodeWidth(TitleTree.get(), Start);
}

THeadTreeNode* TGridPrintRun::TitleLeaf(TColumnGx* Column) const {
  const int I = Column->Index();
  return I >= 0 && I < int(TitleLeaves.size()) ? TitleLeaves[std::size_t(I)] : nullptr;
}

int TGridPrintRun::TitleNodeWidth(THeadTreeNode* Node, int& Start) {
  TitleNodeStart[Node] = Start;
  if (!Node->FirstChild) {
    Start += Node->PrintWidth;
    return Node->PrintWidth;
  }
  int Width = 0;
  ForEachChild(Node, [&](THeadTreeNode* Child) { Width += TitleNodeWidth(Child, Start); });
  Node->PrintWidth = Width;
  return Width;
}

int TGridPrintRun::MeasureMultiTitle(THeadTreeNode* Node) {
  int Level = 0;
  std::vector<std::pair<THeadTreeNode*, int>> Below;
  ForEachChild(Node, [&](THeadTreeNode* Child) {
    const int ChildLevel = Child->FirstChild ? MeasureMultiTitle(Child) : 0;
    Below.push_back({Child, ChildLevel});
    // A caption is measured in the font it is printed in: a leaf in its column's title
    // font, a group in the grid's.
    SetCanvasFont(Child->Column && !Child->FirstChild ? Child->Column->Title()->Font() : Grid->TitleFont());
    const std::string Text = Child->Caption.empty() ? std::string(" ") : Child->Caption;
    const int Width = std::max(1, Child->PrintWidth - RoundEven(4 * RatioX));
    int Height;
    if (Child->Column && !Child->FirstChild && Child->Column->Title()->Orientation() == tohVertical) {
      Height = PaintVerticalCellText(Canvas, {0, 0, Width, 0}, false, 0, 0, Text, taLeftJustify, tlBottom, true) +
               RoundEven(4 * RatioY);
    } else {
      win::RECT R{0, 0, Width, 0};
      win::DrawText(Canvas->Handle(), Text.c_str(), int(Text.size()), &R,
                    win::DT_CALCRECT | win::DT_WORDBREAK | win::DT_NOPREFIX | win::DT_EXPANDTABS);
      Height = (R.bottom - R.top) + RoundEven(Grid->VTitleMargin() * RatioY);
    }
    Level = std::max(Level, Height + ChildLevel);
  });
  for (auto& [Child, ChildLevel] : Below) Child->PrintHeight = Level - ChildLevel;
  Node->PrintHeight = Level;
  return Level;
}

win::RECT TGridPrintRun::TitleNodeRect(THeadTreeNode* Node, int Bottom, int BandStart, int BandWidth, int& Hidden,
                                       int& Overflow) const {
  const int Left = PageRect.left + TitleNodeStart.at(Node) - BandStart;
  const int Right = Left + Node->PrintWidth;
  const int BandRight = PageRect.left + BandWidth;
  Hidden = std::max(0, PageRect.left - Left);
  Overflow = std::max(0, Right - BandRight);
  return {Left + Hidden, Bottom - Node->PrintHeight, Right - Overflow, Bottom};
}

void TGridPrintRun::DrawMultiTitleRow(int First, int Last) {
  const int Bottom = PageRect.top + UsedHeight;
  const bool Colored = Owner->Options().Contains(pghColored);
  THeadTreeNode* Root = TitleTree.get();
  int BandWidth = 0;
  for (int I = First; I <= Last; ++I) BandWidth += BandWidths[I];
  int FirstCol = Columns[First]->Index(), LastCol = FirstCol;
  for (int I = First; I <= Last; ++I) {
    FirstCol = std::min(FirstCol, Columns[I]->Index());
    LastCol = std::max(LastCol, Columns[I]->Index());
  }
  const int BandStart = TitleNodeStart.at(TitleLeaves[std::size_t(FirstCol)]);
  auto Brush = [&] {
    Canvas->Brush()->SetColor(Colored ? Grid->FixedColor() : clWhite);
    Canvas->Brush()->SetStyle(Colored ? bsSolid : bsClear);
  };
  // Each group is drawn once per band, above the first of its printed leaves in the band.
  std::set<THeadTreeNode*> Drawn;
  for (int C = FirstCol; C <= LastCol; ++C) {
    THeadTreeNode* Leaf = TitleLeaves[std::size_t(C)];
    if (Leaf->PrintWidth <= 0) continue;
    int Hidden = 0, Overflow = 0;
    const win::RECT Rect = TitleNodeRect(Leaf, Bottom, BandStart, BandWidth, Hidden, Overflow);
    const win::RECT R = Mirror(Rect);
    TColumnGx* Column = Leaf->Column;
    TColumnTitleGx* Title = Column->Title();
    SetCanvasFont(Title->Font());
    Brush();
    const bool Image = TitleHasImage(Column);
    const std::string Caption = Image ? std::string() : Leaf->Caption;
    if (Title->Orientation() == tohVertical) {
      if (Colored && !DryRun) Canvas->FillRect(R);
      PaintVerticalCellText(Canvas, R, false, 0, SmallInsetY + CellInsetY, Caption, taCenter, tlBottom, DryRun);
    } else {
      DrawTextInRect(R, Colored, 0, SmallInsetY, Caption, taCenter, tlCenter, true, false, CellInsetX, CellInsetX,
                     DryRun);
    }
    if (Image) DrawCellImage(Grid->TitleImages(), R, taCenter, Title->ImageIndex());
    AddGridLine({{R.left, R.top}, {R.left, R.bottom}, {R.right, R.bottom}});
    // The groups above the leaf, from the nearest up, each once.
    int Top = Rect.top;
    for (THeadTreeNode* Node = Leaf->ParentNode; Node && Node != Root && Drawn.insert(Node).second;
         Node = Node->ParentNode) {
      const win::RECT NodeRect = TitleNodeRect(Node, Top, BandStart, BandWidth, Hidden, Overflow);
      const win::RECT N = Mirror(NodeRect);
      SetCanvasFont(Grid->TitleFont());
      Brush();
      DrawTextInRect(N, Colored, 0, SmallInsetY, Node->Caption, taCenter, tlCenter, true, false, CellInsetX - Hidden,
                     CellInsetX - Overflow, DryRun);
      AddGridLine({{N.left, N.top}, {N.left, N.bottom}, {N.right, N.bottom}});
      Top = NodeRect.top;
    }
  }
  // The top and the right end of the band's title area.
  const win::RECT Area = Mirror({PageRect.left, Bottom - TitleHeight, PageRect.left + BandWidth, Bottom});
  AddGridLine({{Area.left, Area.top}, {Area.right, Area.top}, {Area.right, Area.bottom}});
  DrawGridTitle(First, Last);
}
