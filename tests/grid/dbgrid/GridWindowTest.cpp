// The grid with its window: edit-button size, the glyph spot, owned sub-objects.
#include "tests/support/GridFixture.h"

#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/graphics/DrawRecord.h"

namespace {

class DrawRecording {
public:
  DrawRecording() {
    win::ClearDrawRecording();
    win::StartDrawRecording();
  }
  ~DrawRecording() {
    win::StopDrawRecording();
    win::ClearDrawRecording();
  }
};

TEST_F(GridTest, TheWindowSizesEditButtonsFromTheScrollBarOrTheFlatButton) {
  TDBGridGx* Grid = NewGrid();
  Grid->HandleNeeded();
  EXPECT_EQ(Grid->EditButtonWidth(), win::GetSystemMetrics(win::SM_CXVSCROLL));
  Grid->SetFlat(true);  // re-creates the window
  Grid->HandleNeeded();
  EXPECT_EQ(Grid->TextMargin(), 2);
  EXPECT_EQ(Grid->EditButtonWidth(), DefaultFlatButtonWidth + 1);
  // Buttons are square in tall rows and as high as the row in short ones.
  Grid->SetDefaultRowHeight(40);
  Grid->RecreateWnd();
  Grid->HandleNeeded();
  EXPECT_EQ(Grid->EditButtonHeight(), Grid->EditButtonWidth());
  Grid->SetDefaultRowHeight(10);
  Grid->RecreateWnd();
  Grid->HandleNeeded();
  EXPECT_EQ(Grid->EditButtonHeight(), 10);
}

// ShowBmp paints the spot at (2,2) at once: the glyph, or button face over it.
TEST_F(GridTest, ShowBmpPaintsTheGlyphSpotAtOnce) {
  TDBGridGx* Grid = NewGrid();
  Grid->HandleNeeded();
  TBitmap Glyph;
  Glyph.LoadFromResourceName(nullptr, "DBGRID_BMP");
  const int W = Glyph.Width(), H = Glyph.Height();
  ASSERT_GT(W, 0);
  auto SpotBlit = [&]() -> const win::DrawOp* {
    static std::vector<win::DrawOp> Ops;
    Ops = win::RecordedOps(win::DrawKind::Blit, Grid->Handle());
    for (const auto& Op : Ops)
      if (Op.rect.left == 2 && Op.rect.top == 2 && Op.rect.right == 2 + W && Op.rect.bottom == 2 + H) return &Op;
    return nullptr;
  };
  const win::COLORREF Face = ColorToRGB(clBtnFace);
  const std::uint32_t FaceRgb = (win::GetRValue(Face) << 16) | (win::GetGValue(Face) << 8) | win::GetBValue(Face);
  auto AllButtonFace = [&](const win::DrawOp& Op) {
    for (std::uint32_t P : Op.image->pixels)
      if ((P & 0xFFFFFF) != FaceRgb) return false;
    return true;
  };
  {
    DrawRecording Recording;
    Grid->SetShowBmp(true);
    const win::DrawOp* Op = SpotBlit();
    ASSERT_NE(Op, nullptr);
    EXPECT_FALSE(AllButtonFace(*Op)) << "the glyph";
  }
  {
    DrawRecording Recording;
    Grid->SetShowBmp(false);
    const win::DrawOp* Op = SpotBlit();
    ASSERT_NE(Op, nullptr);
    EXPECT_TRUE(AllButtonFace(*Op)) << "painted over";
  }
  {
    DrawRecording Recording;
    Grid->SetOptions(DefaultDBGridOptions - dgIndicator);
    Grid->SetShowBmp(true);
    const win::DrawOp* Op = SpotBlit();
    ASSERT_NE(Op, nullptr);
    EXPECT_TRUE(AllButtonFace(*Op)) << "no glyph without the indicator";
  }
}

TEST_F(GridTest, ObjectPropertiesAreCopiedIntoTheGridsOwnObjects) {
  TDBGridGx* Grid = NewGrid();
  TDBGridGx* Other = NewGrid("Other");
  Other->SumList()->SetExternalRecalc(true);
  Other->TitleFont()->SetName("Arial");
  Other->STFilter()->SetLocal(true);
  TDBGridGxSumList* OwnSums = Grid->SumList();
  Grid->SetSumList(Other->SumList());
  Grid->SetTitleFont(Other->TitleFont());
  Grid->SetSTFilter(Other->STFilter());
  EXPECT_EQ(Grid->SumList(), OwnSums);
  EXPECT_TRUE(Grid->SumList()->ExternalRecalc());
  EXPECT_EQ(Grid->TitleFont()->Name(), "Arial");
  EXPECT_TRUE(Grid->STFilter()->Local());
  // The copied sum list still reports to its own grid.
  EXPECT_EQ(Grid->SumList()->SumListChanged().Data(), static_cast<void*>(static_cast<TCustomDBGridGx*>(Grid)));
  delete Other;
  EXPECT_TRUE(Grid->SumList()->ExternalRecalc());
}

TEST_F(GridTest, LoadingSizesTheGridToItsColumns) {
  TDBGridGx* Grid = NewGrid();
  for (const char* Field : {"A", "B", "C"}) Grid->Columns()->AddColumn()->SetFieldName(Field);
  const std::string Text = WriteComponentResText(Form.get());
  TForm Copy(nullptr);
  TDBGridGx* Read = ReadGrid(Text, Copy);
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->ColCount(), 4);
  EXPECT_EQ(Read->FixedCols(), 1);
  EXPECT_EQ(Read->FixedRows(), 1);
  EXPECT_EQ(Read->ColWidths(0), IndicatorWidth);
  EXPECT_EQ(Read->LayoutLockCount(), 0);
  EXPECT_EQ(Read->UpdateLockCount(), 0);
}

}  // namespace

namespace {

// A right-button release over a data cell pops up its column's own menu at that point.
TEST_F(GridTest, AColumnsMenuPopsUpOverItsCells) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetBounds(0, 0, 300, 200);
  auto* Menu = new TPopupMenu(Form.get());
  auto* GridMenu = new TPopupMenu(Form.get());
  Grid->SetPopupMenu(GridMenu);
  Grid->Columns()->AddColumn()->SetFieldName("A");
  Grid->Columns()->AddColumn()->SetPopupMenu(Menu);
  Grid->HandleNeeded();
  std::vector<win::POINT> Shown;
  int GridMenuShown = 0;
  SetPopupMenuHandler([&](TPopupMenu* Popped, int X, int Y) -> TMenuItem* {
    if (Popped == Menu) Shown.push_back({X, Y});
    if (Popped == GridMenu) ++GridMenuShown;
    return nullptr;
  });
  auto ReleaseRightOver = [&](int ACol, int ARow) {
    const win::RECT R = Grid->CellRect(ACol, ARow);
    return win::SendMessage(Grid->Handle(), win::WM_RBUTTONUP, 0, win::MAKELPARAM(R.left + 2, R.top + 2));
  };
  ReleaseRightOver(1, 1);  // the first column has no menu: the grid's own one shows
  EXPECT_TRUE(Shown.empty());
  EXPECT_EQ(GridMenuShown, 1);
  const win::RECT Cell = Grid->CellRect(2, 1);
  EXPECT_EQ(ReleaseRightOver(2, 1), 1);
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(GridMenuShown, 1) << "the column's menu instead of the grid's";
  const win::POINT Screen = Grid->ClientToScreen(win::POINT{Cell.left + 2, Cell.top + 2});
  EXPECT_EQ(Shown[0].x, Screen.x);
  EXPECT_EQ(Shown[0].y, Screen.y);
  EXPECT_EQ(Menu->PopupComponent(), Grid);
  Menu->SetAutoPopup(false);
  ReleaseRightOver(2, 1);
  EXPECT_EQ(Shown.size(), 1u);
  SetPopupMenuHandler(nullptr);
}

}  // namespace
