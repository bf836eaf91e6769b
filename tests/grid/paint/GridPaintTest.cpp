// The grid's paint as a whole: area lines per option and colour, one poly-polyline per
// axis, fills outside the cells, locked painting, zero client sizes, the row focus
// rectangle, 3D cells and right-to-left drawing.
#include "tests/support/PaintFixture.h"

#include <functional>
#include <set>

namespace {

// A grid that runs a probe in the middle of rebuilding its layout.
class ProbedGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  std::function<void()> Probe;
  void Rebuild() { RebuildLayout(); }
  void ApplyColumnAttributes() override {
    TDBGridGx::ApplyColumnAttributes();
    if (Probe) Probe();
  }
};

// The colours of the line operations whose points all lie in Box.
std::set<win::COLORREF> LineColoursIn(const std::vector<win::DrawOp>& Ops, const win::RECT& Box) {
  std::set<win::COLORREF> R;
  for (const win::DrawOp& Op : Ops) {
    if (Op.kind != win::DrawKind::Line) continue;
    const win::RECT B = OpBox(Op);
    if (B.left >= Box.left && B.right <= Box.right && B.top >= Box.top && B.bottom <= Box.bottom) R.insert(Op.color);
  }
  return R;
}

std::vector<win::DrawOp> Lines(const std::vector<win::DrawOp>& Ops) {
  std::vector<win::DrawOp> R;
  for (const win::DrawOp& Op : Ops)
    if (Op.kind == win::DrawKind::Line) R.push_back(Op);
  return R;
}

TEST_F(GridPaintTest, LineColoursFollowColorFlatAndFooterColor) {
  struct Case {
    const char* Name;
    bool Flat;
    TColor Color;
    TColor FixedLine, DataLine;
  };
  TDBGridGx* Grid = ShownGrid({"A"}, 2);
  Grid->SetOptionsGx({});  // no cell edges among the lines
  for (const Case C : {Case{"plain", false, clWindow, clBlack, clSilver}, Case{"flat", true, clWindow, clGray, clSilver},
                       Case{"silver", false, clSilver, clBlack, clGray}}) {
    Grid->SetFlat(C.Flat);
    Grid->SetColor(C.Color);
    auto Ops = Paint(Grid);
    const win::RECT Title = Grid->CellRect(1, 0), Data = Grid->CellRect(1, 1);
    EXPECT_EQ(LineColoursIn(Ops, {Title.left - 1, 0, 300, Title.bottom + 1}),
              (std::set<win::COLORREF>{ColorToRGB(C.FixedLine)}))
        << C.Name;
    EXPECT_EQ(LineColoursIn(Ops, {Data.left, Data.top, 300, 200}), (std::set<win::COLORREF>{ColorToRGB(C.DataLine)}))
        << C.Name;
  }
}

TEST_F(GridPaintTest, FooterAreaOnButtonFaceGetsFixedLinesAndALineOnItsTop) {
  TDBGridGx* Grid = ShownGrid({"A"}, 2);
  Grid->SetFooterRowCount(1);
  Grid->SetFooterColor(clBtnFace);
  auto Ops = Paint(Grid);
  const win::RECT Footer = Grid->CellRect(1, Grid->RowCount() - 1);
  bool TopLine = false;
  for (const win::DrawOp& Op : Lines(Ops))
    for (std::size_t I = 0; I + 1 < Op.points.size(); I += 2)
      if (Op.points[I].y == Footer.top - 1 && Op.points[I + 1].y == Footer.top - 1 && Op.color == ColorToRGB(clBlack))
        TopLine = true;
  EXPECT_TRUE(TopLine);
  // The footer's own lines are drawn last, over the data area's.
  win::COLORREF Last = 0xFFFFFFFF;
  for (const win::DrawOp& Op : Lines(Ops))
    if (Op.points[0].y == Footer.bottom && Op.points[1].y == Footer.bottom) Last = Op.color;
  EXPECT_EQ(Last, ColorToRGB(clBlack));
}

TEST_F(GridPaintTest, NothingIsDrawnWhileTheLayoutIsRebuilt) {
  Form->SetBounds(10, 10, 500, 400);
  auto* Grid = new ProbedGrid(Form.get());
  Grid->SetParent(Form.get());
  Grid->SetBounds(0, 0, 300, 200);
  Grid->SetDataSource(NewSource({"A"}, 2));
  Form->Show();
  win::headless::ProcessMessages();
  std::vector<win::DrawOp> During{win::DrawOp{}};
  bool Probed = false;
  Grid->Probe = [&] {
    if (Probed) return;
    Probed = true;
    During = PaintAndRecord(Grid->Handle());
  };
  Grid->Rebuild();
  ASSERT_TRUE(Probed);
  EXPECT_TRUE(During.empty());
  Grid->Probe = nullptr;
  EXPECT_FALSE(Paint(Grid).empty());
}

TEST_F(GridPaintTest, WithoutLineOptionsNoLinesButStillCells) {
  TDBGridGx* Grid = ShownGrid({"A"}, 2);
  Grid->SetOptions(Grid->Options() - dgColLines - dgRowLines);
  auto Ops = Paint(Grid);
  EXPECT_TRUE(Lines(Ops).empty());
  EXPECT_EQ(Cell(Grid, Ops, 1, 2).Text(), "r2");
}

TEST_F(GridPaintTest, WideLinesUseAFlatEndedGeometricPen) {
  TDBGridGx* Grid = ShownGrid({"A"}, 2);
  Grid->SetGridLineWidth(3);
  auto L = Lines(Paint(Grid));
  ASSERT_FALSE(L.empty());
  for (const win::DrawOp& Op : L) {
    EXPECT_EQ(Op.penWidth, 3);
    EXPECT_TRUE(Op.penGeometric);
  }
}

TEST_F(GridPaintTest, ManyNarrowColumnsDrawALinePerColumnWithoutOverrun) {
  TDBGridGx* Grid = ShownGrid({"A", "B", "C", "D", "E", "F", "G", "H"}, 40);
  for (int I = 0; I < Grid->Columns()->Count(); ++I) Grid->Columns()->ColumnAt(I)->SetWidth(1);
  Grid->SetRowHeight(1);
  auto Ops = Paint(Grid);
  std::size_t Points = 0;
  for (const win::DrawOp& Op : Lines(Ops)) Points += Op.points.size();
  EXPECT_GT(Points, 2u * 40);
}

TEST_F(GridPaintTest, ClientOutsideTheCellsIsFilledWithColor) {
  TDBGridGx* Grid = ShownGrid({"A"}, 1);
  Grid->SetColor(clCream);
  auto Ops = Paint(Grid);
  const win::RECT Last = Grid->CellRect(1, 1);
  const CellDrawing Right = DrawnInside(Ops, {Last.right + 2, 0, 300, Last.bottom});
  const CellDrawing Below = DrawnInside(Ops, {0, Last.bottom + 2, 300, 200});
  bool RightFilled = false, BelowFilled = false;
  for (const win::DrawOp& Op : Right.OfKind(win::DrawKind::Fill))
    RightFilled |= Op.color == ColorToRGB(clCream) && Op.rect.right >= Grid->ClientWidth();
  for (const win::DrawOp& Op : Below.OfKind(win::DrawKind::Fill))
    BelowFilled |= Op.color == ColorToRGB(clCream) && Op.rect.left == 0 && Op.rect.right == Grid->ClientWidth() &&
                   Op.rect.bottom == Grid->ClientHeight();
  EXPECT_TRUE(RightFilled);
  EXPECT_TRUE(BelowFilled);
}

TEST_F(GridPaintTest, ZeroClientWidthOrHeightPaintsNothing) {
  TDBGridGx* Grid = ShownGrid({"A"}, 1);
  Grid->SetBiDiMode(bdRightToLeft);
  for (const auto& [W, H] : {std::pair{0, 100}, std::pair{100, 0}}) {
    Grid->SetBounds(0, 0, W + (Grid->Width() - Grid->ClientWidth()), H + (Grid->Height() - Grid->ClientHeight()));
    ASSERT_EQ(Grid->ClientWidth(), W);
    EXPECT_TRUE(Paint(Grid).empty()) << W << "x" << H;
  }
  Grid->SetBounds(0, 0, 300, 200);
  EXPECT_FALSE(Paint(Grid).empty());
}

TEST_F(GridPaintTest, RowFocusRectangleOnlyForFocusedRowSelectGrids) {
  TDBGridGx* Grid = ShownGrid({"A", "B"}, 2);
  Grid->SetFocus();
  win::headless::ProcessMessages();
  auto Focus = [&](const std::vector<win::DrawOp>& Ops) {
    std::vector<win::RECT> R;
    for (const win::DrawOp& Op : Ops)
      if (Op.kind == win::DrawKind::FocusRect) R.push_back(Op.rect);
    return R;
  };
  const auto CellOnly = Focus(Paint(Grid));
  ASSERT_EQ(CellOnly.size(), 1u);
  EXPECT_EQ(CellOnly[0].right - CellOnly[0].left, Grid->CellRect(1, 1).right - Grid->CellRect(1, 1).left);
  Grid->SetOptions(Grid->Options() + dgRowSelect);
  const auto Row = Focus(Paint(Grid));
  ASSERT_EQ(Row.size(), 1u);
  EXPECT_EQ(Row[0].left, Grid->CellRect(1, 1).left);
  EXPECT_EQ(Row[0].right, Grid->CellRect(2, 1).right);
}

TEST_F(GridPaintTest, ThreeDimensionalCellsFollowTheirOptions) {
  TDBGridGx* Grid = ShownGrid({"A"}, 2);
  Grid->SetFooterRowCount(1);
  Grid->STFilter()->SetVisible(true);
  const int Sep = Grid->RowCount() - 2, Foot = Grid->RowCount() - 1, Filter = 1, Data = 2;
  const TGridDrawState Fixed{gdFixed}, Plain{};
  struct Case {
    TDBGridGxOptions Options;
    int Col, Row;
    TGridDrawState State;
    bool ThreeD;
  };
  const TDBGridGxOptions Fixed3D{dghFixed3D}, Data3D{dghData3D}, Footer3D{dghFooter3D},
      Fixed3DData3D{dghFixed3D, dghData3D}, Frozen3D{dghFrozen3D};
  for (const Case C : {Case{Data3D, 1, Data, Plain, true},         Case{Data3D, 1, 0, Fixed, false},
                       Case{Data3D, 0, Data, Fixed, false},        Case{Data3D, 1, Foot, Plain, false},
                       Case{Fixed3D, 1, 0, Fixed, true},           Case{Fixed3D, 0, Data, Fixed, true},
                       Case{Fixed3D, 0, Sep, Fixed, false},        Case{Fixed3DData3D, 0, Sep, Fixed, true},
                       Case{Fixed3D, 1, Filter, Fixed, false},     Case{Footer3D, 1, Foot, Plain, true},
                       Case{Frozen3D, 1, Data, Fixed, true},       Case{Frozen3D, 1, 0, Fixed, false}}) {
    Grid->SetOptionsGx(C.Options);
    EXPECT_EQ(Grid->IsCell3D(C.Col, C.Row, C.State, {}), C.ThreeD) << C.Col << "," << C.Row;
  }
}

TEST_F(GridPaintTest, RaisedEdgesAroundThreeDimensionalDataCells) {
  TDBGridGx* Grid = ShownGrid({"A"}, 2);
  Grid->SetOptionsGx({dghData3D});
  auto Ops = Paint(Grid);
  EXPECT_TRUE(Cell(Grid, Ops, 1, 2).Has(win::DrawKind::Edge));
  EXPECT_FALSE(Cell(Grid, Ops, 1, 0).Has(win::DrawKind::Edge));
  EXPECT_FALSE(Cell(Grid, Ops, 0, 2).Has(win::DrawKind::Edge));
  for (const win::DrawOp& Op : Cell(Grid, Ops, 1, 2).OfKind(win::DrawKind::Edge))
    EXPECT_EQ(Op.type, win::BDR_RAISEDINNER);
}

TEST_F(GridPaintTest, RightToLeftTextSitsAtTheMirroredPlaceUnmirrored) {
  TDBGridGx* Grid = ShownGrid({"A"}, 2);
  Grid->SetBiDiMode(bdRightToLeft);
  auto Ops = Paint(Grid);
  const int W = Grid->ClientWidth();
  const win::RECT Logical = Grid->CellRect(1, 2);
  const win::RECT Device{W - Logical.right, Logical.top, W - Logical.left, Logical.bottom};
  const CellDrawing C = DrawnInside(Ops, Device);
  ASSERT_EQ(C.Text(), "r2");
  const win::DrawOp* T = C.FirstText();
  // Left alignment turns to the right edge, and the glyphs run left to right.
  EXPECT_GT(T->rect.left, (Device.left + Device.right) / 2);
  EXPECT_LT(T->rect.left, T->rect.right);
  EXPECT_LE(T->rect.right, Device.right);
}

}  // namespace

namespace {

// A hidden column keeps its grid column without width: the columns after it draw their
// own titles and texts in their own cells.
TEST_F(GridPaintTest, ColumnsAfterAHiddenOneDrawThemselves) {
  TDBGridGx* Grid = ShownGrid({"A", "B", "C"}, 2);
  TDBGridColumnsGx* Columns = Grid->Columns();
  Columns->Clear();
  for (const char* Field : {"A", "B", "C"}) Columns->AddColumn()->SetFieldName(Field);
  Columns->ColumnAt(0)->Title()->SetCaption("first");
  Columns->ColumnAt(2)->Title()->SetCaption("third");
  Columns->ColumnAt(1)->SetVisible(false);
  win::headless::ProcessMessages();
  const auto Ops = Paint(Grid);
  EXPECT_EQ(Cell(Grid, Ops, 1, 0).Texts(), std::vector<std::string>{"first"});
  EXPECT_EQ(Cell(Grid, Ops, 3, 0).Texts(), std::vector<std::string>{"third"});
  EXPECT_EQ(Cell(Grid, Ops, 3, 1).Texts(), std::vector<std::string>{"r1"});
}

}  // namespace
