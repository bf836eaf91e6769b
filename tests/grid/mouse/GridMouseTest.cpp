// The grid's mouse on cells, rows and borders: marking rows by the indicator, presses
// outside the records, check-box clicks, sizing columns, selection drags that scroll,
// drags of a selection, and the menus a right release opens.
#include "tests/support/GridMouseFixture.h"
#include "tests/support/InplaceEditFixture.h"

#include <string>
#include <vector>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/Selection.h"
#include "grid/DBGridGx/SharedResources.h"
#include "platform/controls/Menus.h"
#include "platform/graphics/DrawRecord.h"

namespace {

namespace hl = win::headless;

// The dotted XOR lines drawn since recording started (the sizing line; drawing it again
// erases it).
std::vector<win::DrawOp> SizingLines() {
  std::vector<win::DrawOp> R;
  for (const win::DrawOp& Op : win::RecordedOps(win::DrawKind::Line))
    if (Op.rop2 == win::R2_XORPEN && Op.penStyle == win::PS_DOT) R.push_back(Op);
  return R;
}

TEST_F(GridMouseTest, ShiftClickOnTheIndicatorMarksTheRowsFromTheCurrentOne) {
  MouseGrid({"A"}, 8);
  SetOptions({dgMultiSelect});
  Click(Centre(0, 2));
  EXPECT_EQ(Data()->FieldByName("A")->AsString(), "r2");
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 1);
  {
    Held Shift(win::VK_SHIFT);
    Click(Centre(0, 7));
  }
  EXPECT_EQ(Data()->FieldByName("A")->AsString(), "r7");
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 6);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstRecordBookmarks);
  // A plain click starts again with one row; Ctrl adds one.
  Click(Centre(0, 4));
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 1);
  {
    Held Ctrl(win::VK_CONTROL);
    Click(Centre(0, 1));
  }
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 2);
}

TEST_F(GridMouseTest, DraggingOverTheIndicatorMarksTheRowsPassed) {
  MouseGrid({"A"}, 8);
  SetOptions({dgMultiSelect});
  Press(Centre(0, 2));
  MoveTo(Centre(0, 3));
  MoveTo(Centre(0, 5));
  Release(Centre(0, 5));
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 4);
  EXPECT_EQ(Grid->MouseMode(), 0);
  // The drag is over: moving the mouse marks nothing more.
  MoveTo(Centre(0, 7));
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 4);
}

TEST_F(GridMouseTest, PressesBelowTheLastRecordChangeNothing) {
  struct Case {
    const char* Name;
    int Footers;
  };
  for (const Case& C : {Case{"no footers", 0}, Case{"footers", 1}}) {
    SCOPED_TRACE(C.Name);
    MouseGrid({"A", "B"}, 2);
    Grid->SetFooterRowCount(C.Footers);
    SetOptions({dgMultiSelect});
    hl::ProcessMessages();
    int CellClicks = 0;
    Grid->SetOnCellClick([&](TColumnGx*) { ++CellClicks; });
    Click(Centre(2, 2));
    ASSERT_EQ(Data()->FieldByName("A")->AsString(), "r2");
    const win::RECT Last = Grid->CellRect(2, 2);
    const win::RECT Client = Grid->ClientRect();
    for (int X : {Centre(0, 1).x, Centre(1, 1).x, Centre(2, 1).x}) {
      Click({X, Last.bottom + 5});
      Click({X, Client.bottom - 3}, Button::Right);
    }
    EXPECT_EQ(Data()->FieldByName("A")->AsString(), "r2");
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
    EXPECT_EQ(CellClicks, 1);
    EXPECT_EQ(Data()->State(), dsBrowse);
  }
}

TEST_F(GridMouseTest, ACheckBoxTogglesOnOneClickOnlyWhenEditable) {
  struct Case {
    const char* Name;
    void (*Setup)(TDBGridGx* Grid);
    bool Toggles;
  };
  const Case Cases[] = {
      {"editable", [](TDBGridGx*) {}, true},
      {"read-only column", [](TDBGridGx* G) { G->Columns()->ColumnAt(1)->SetReadOnly(true); }, false},
      {"read-only grid", [](TDBGridGx* G) { G->SetReadOnly(true); }, false},
      {"double click to step", [](TDBGridGx* G) { G->Columns()->ColumnAt(1)->SetDblClickNextVal(true); }, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    MouseGrid({"A", "?C"}, 3);
    C.Setup(Grid);
    TField* Check = Data()->FieldByName("C");
    Click(Centre(2, 2));
    EXPECT_EQ(!Check->IsNull() && Check->AsBoolean(), C.Toggles);
    // Pressing on the box and letting go elsewhere is no click.
    Data()->Cancel();
    Press(Centre(2, 1));
    Release(Centre(1, 1));
    EXPECT_TRUE(Check->IsNull());
  }
}

TEST_F(GridMouseTest, ADoubleClickStepsACheckBoxThatAsksForIt) {
  MouseGrid({"A", "?C"}, 3);
  Column(1)->SetDblClickNextVal(true);
  DoubleClick(Centre(2, 1));
  EXPECT_TRUE(Data()->FieldByName("C")->AsBoolean());
}

TEST_F(GridMouseTest, AColumnIsSizedByDraggingItsTitleBorder) {
  MouseGrid({"A", "B"}, 3);
  const int Before = Column(0)->Width();
  const win::POINT Border = RightBorder(1, 0);
  std::vector<int> Widths;
  Grid->SetOnColWidthsChanged([&](TObject*) { Widths.push_back(Column(0)->Width()); });
  Press(Border);
  MoveTo({Border.x + 15, Border.y});
  EXPECT_EQ(Column(0)->Width(), Before);
  MoveTo({Border.x + 30, Border.y});
  Release({Border.x + 30, Border.y});
  EXPECT_EQ(Column(0)->Width(), Before + 30);
  EXPECT_EQ(Grid->ColWidths(1), Before + 30);
  EXPECT_EQ(Widths, std::vector<int>{Before + 30});
  EXPECT_EQ(Grid->GridState(), gsNormal);
}

TEST_F(GridMouseTest, ADoubleClickOnATitleBorderFitsTheColumnWhenAskedTo) {
  for (bool Fit : {false, true}) {
    SCOPED_TRACE(Fit ? "fitting" : "not fitting");
    MouseGrid({"A", "B"}, 3);
    if (Fit) SetOptionsGx({dghDblClickOptimizeColWidth});
    Column(0)->Title()->SetCaption("A much longer caption than sixty pixels");
    hl::ProcessMessages();
    DoubleClick(RightBorder(1, 0));
    if (Fit) EXPECT_GT(Column(0)->Width(), 100);
    else EXPECT_EQ(Column(0)->Width(), 60);
  }
}

TEST_F(GridMouseTest, TracedSizingFollowsThePointerWithoutALine) {
  MouseGrid({"A", "B"}, 3);
  SetOptionsGx({dghTraceColSizing});
  const int Before = Column(0)->Width();
  const win::POINT Border = RightBorder(1, 0);
  Press(Border);
  win::StartDrawRecording();
  win::ClearDrawRecording();
  MoveTo({Border.x + 20, Border.y});
  EXPECT_TRUE(SizingLines().empty());
  win::StopDrawRecording();
  EXPECT_EQ(Column(0)->Width(), Before + 20);
  MoveTo({Border.x - Before - 50, Border.y});
  EXPECT_EQ(Column(0)->Width(), 1);
  Release({Border.x - Before - 50, Border.y});
  EXPECT_EQ(Grid->GridState(), gsNormal);
  // Moving on after the release sizes nothing.
  MoveTo({Border.x + 40, Border.y});
  EXPECT_EQ(Column(0)->Width(), 1);
}

TEST_F(GridMouseTest, TracedSizingOfFittedColumnsLeavesEveryColumnRightOfItAPixel) {
  MouseGrid({"A", "B", "C"}, 3);
  Grid->SetAutoFitColWidths(true);
  SetOptionsGx({dghTraceColSizing});
  hl::ProcessMessages();
  const win::POINT Border = RightBorder(1, 0);
  Press(Border);
  MoveTo({Grid->ClientWidth() - 1, Border.y});
  Release({Grid->ClientWidth() - 1, Border.y});
  for (int C = 2; C <= 3; ++C) {
    SCOPED_TRACE(C);
    EXPECT_GE(Grid->ColWidths(C), 1);
    EXPECT_LE(Grid->CellRect(C, 0).right, Grid->ClientWidth());
  }
}

TEST_F(GridMouseTest, AFrozenColumnIsSizedByItsBorderWithALineDrawnAndErased) {
  MouseGrid({"A", "B", "C"}, 3);
  Grid->SetFrozenCols(1);
  hl::ProcessMessages();
  ASSERT_EQ(Grid->FixedCols(), 2);
  const int Before = Column(0)->Width();
  const win::POINT Border = RightBorder(1, 0);
  win::StartDrawRecording();
  win::ClearDrawRecording();
  Press(Border);
  EXPECT_EQ(Grid->MouseMode(), 6);
  MoveTo({Border.x + 25, Border.y});
  const std::vector<win::DrawOp> Lines = SizingLines();
  win::StopDrawRecording();
  // Drawn at the border, erased there, drawn at the pointer: XOR lines one pixel wide.
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_EQ(Lines[0].points.front().x, Border.x);
  EXPECT_EQ(Lines[2].points.front().x, Border.x + 25);
  Release({Border.x + 25, Border.y});
  EXPECT_EQ(Column(0)->Width(), Before + 25);
  EXPECT_EQ(Grid->MouseMode(), 0);
}

TEST_F(GridMouseTest, RowsAreSizedOnlyFromTheIndicator) {
  MouseGrid({"A", "B", "C"}, 3);
  Grid->SetRowSizingAllowed(true);
  Grid->SetFrozenCols(1);
  hl::ProcessMessages();
  ASSERT_EQ(Grid->FixedCols(), 2);
  for (int ACol : {0, 1}) {
    SCOPED_TRACE(ACol);
    const win::RECT Box = Grid->CellRect(ACol, 1);
    const win::POINT Border{(Box.left + Box.right) / 2, Box.bottom};
    Press(Border);
    EXPECT_EQ(Grid->GridState(), ACol == 0 ? gsRowSizing : gsNormal);
    Release(Border);
  }
}

TEST_F(GridMouseTest, ADragBelowTheRecordsScrollsByItsDistanceOnTheTimer) {
  MouseGrid({"A", "B"}, 40);
  SetOptions({dgMultiSelect});
  const win::RECT Data = Grid->DataAreaRect();
  Press(Centre(0, 1));
  // 12 pixels below: to the last row shown, then 2 rows on at once and every 20 ms.
  const int Shown = Grid->VisibleDataRowCount();
  MoveTo({Centre(0, 1).x, Data.bottom + 12});
  const int AtOnce = this->Data()->RecNo();
  EXPECT_EQ(AtOnce, Shown + 2);
  hl::AdvanceClock(19);
  EXPECT_EQ(this->Data()->RecNo(), AtOnce);
  hl::AdvanceClock(1);
  EXPECT_EQ(this->Data()->RecNo(), AtOnce + 2);
  // Back inside the timer stops.
  MoveTo(Centre(0, 2));
  const int Inside = this->Data()->RecNo();
  hl::AdvanceClock(500);
  EXPECT_EQ(this->Data()->RecNo(), Inside);
  Release(Centre(0, 2));
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), Inside);
}

TEST_F(GridMouseTest, ARectangleFollowsADragOverTheCells) {
  MouseGrid({"A", "B", "C"}, 6);
  SetOptions({dgMultiSelect});
  Press(Centre(1, 1));
  MoveTo(Centre(2, 2));
  MoveTo(Centre(3, 3));
  Release(Centre(3, 3));
  TDBGridGxSelection* Selection = Grid->GridSelection();
  ASSERT_EQ(Selection->Kind(), gstRectangle);
  EXPECT_EQ(Selection->Rect()->GetStartColumn(), 0);
  EXPECT_EQ(Selection->Rect()->GetEndColumn(), 2);
  EXPECT_EQ(Data()->FieldByName("A")->AsString(), "r3");
  // A plain click drops it.
  Click(Centre(1, 5));
  EXPECT_EQ(Selection->Kind(), gstNon);
}

TEST_F(GridMouseTest, APressOnTheSelectionDragsWhenMovedAndClearsItWhenNot) {
  MouseGrid({"A"}, 5);
  SetOptions({dgMultiSelect, dgRowSelect});
  Grid->SetDragMode(dmAutomatic);
  Click(Centre(1, 2));
  ASSERT_EQ(Grid->BookmarkedRows()->Count(), 1);
  int Starts = 0, Ends = 0;
  Grid->SetOnStartDrag([&](TObject*, TDragObject*&) { ++Starts; });
  Grid->SetOnEndDrag([&](TObject*, TObject*, int, int) { ++Ends; });
  Press(Centre(1, 2));
  EXPECT_EQ(Starts, 0);
  MoveTo({Centre(1, 2).x + 10, Centre(1, 2).y});
  EXPECT_EQ(Starts, 1);
  Release({Centre(1, 2).x + 10, Centre(1, 2).y});
  EXPECT_EQ(Ends, 1);
  EXPECT_EQ(Grid->DragMode(), dmAutomatic);
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 1);

  Click(Centre(1, 2));
  EXPECT_EQ(Starts, 1);
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 0);
}

TEST_F(GridMouseTest, CellClicksFireOnDataRowsOnly) {
  MouseGrid({"A", "B"}, 3);
  Grid->SetFooterRowCount(1);
  hl::ProcessMessages();
  std::vector<TColumnGx*> Clicked;
  Grid->SetOnCellClick([&](TColumnGx* C) { Clicked.push_back(C); });
  Click(Centre(2, 3));
  Click(Centre(2, Grid->RowCount() - 1));
  Click(Centre(2, 3), Button::Right);
  EXPECT_EQ(Clicked, std::vector<TColumnGx*>{Column(1)});
}

// Records each menu that pops up and whether the mouse was still captured then.
struct MenuRecord {
  std::vector<std::string> Menus;
  bool CapturedAtPopup = false;
  MenuRecord() {
    SetPopupMenuHandler([this](TPopupMenu* Menu, int, int) -> TMenuItem* {
      Menus.push_back(Menu->Name());
      CapturedAtPopup = CapturedAtPopup || win::GetCapture() != nullptr;
      return nullptr;
    });
  }
  ~MenuRecord() { SetPopupMenuHandler(nullptr); }
};

TEST_F(GridMouseTest, ARightReleaseLetsTheMouseGoBeforeItsOneMenuOpens) {
  MouseGrid({"A", "B"}, 3);
  auto* GridMenu = new TPopupMenu(Form.get());
  GridMenu->SetName("GridMenu");
  Grid->SetPopupMenu(GridMenu);
  auto* ColumnMenu = new TPopupMenu(Form.get());
  ColumnMenu->SetName("ColumnMenu");
  Column(1)->SetPopupMenu(ColumnMenu);
  struct Case {
    const char* Name;
    win::POINT At;
    const char* Menu;
  };
  const Case Cases[] = {
      {"title of a plain column", Centre(1, 0), "OptionsMenu"},
      {"title of a column with its menu", Centre(2, 0), "OptionsMenu"},
      {"data cell of a column with its menu", Centre(2, 2), "ColumnMenu"},
      {"data cell", Centre(1, 2), "GridMenu"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    MenuRecord Record;
    Press(C.At, Button::Right);
    EXPECT_EQ(win::GetCapture(), Grid->Handle());
    Release(C.At, Button::Right);
    EXPECT_EQ(Record.Menus, std::vector<std::string>{C.Menu});
    EXPECT_FALSE(Record.CapturedAtPopup);
    EXPECT_EQ(win::GetCapture(), nullptr);
  }
  // Without an open dataset the title row has no options menu.
  Data()->Close();
  MenuRecord Record;
  Click(Centre(1, 0), Button::Right);
  EXPECT_EQ(Record.Menus, std::vector<std::string>{"GridMenu"});
}

TEST_F(GridMouseTest, TheTopLeftCellSelectsAllRecordsAndOpensTheOptionsMenu) {
  MouseGrid({"A"}, 3);
  SetOptions({dgMultiSelect});
  MenuRecord Record;
  Click(Centre(0, 0));
  EXPECT_EQ(Record.Menus, std::vector<std::string>{"OptionsMenu"});
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstAll);
  Grid->SetUseMenu(false);
  Click(Centre(0, 0));
  EXPECT_EQ(Record.Menus.size(), 1u);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
}

TEST_F(GridMouseTest, APressOnTheCurrentCellOpensItsEditor) {
  MouseGrid<EditingGrid>({"A", "B"}, 3);
  Click(Centre(2, 2));
  EXPECT_FALSE(Grid->InplaceEditorVisible());
  Click(Centre(2, 2));
  EXPECT_TRUE(Grid->InplaceEditorVisible());
}

TEST_F(GridMouseTest, APressOnAnotherRowMovesThereWhileTheEditorHasTheFocus) {
  MouseGrid({"A", "B"}, 5);
  hl::PressKey(win::VK_F2);
  ASSERT_TRUE(Grid->InplaceEditor()->Focused());
  Click(Centre(1, 3));
  EXPECT_EQ(Data()->FieldByName("A")->AsString(), "r3");
  Click(Centre(2, 4));
  EXPECT_EQ(Data()->FieldByName("A")->AsString(), "r4");
  EXPECT_EQ(Grid->CurrentDataColumn(), 1);
}

TEST_F(GridMouseTest, APressOnACellsEditButtonPressesTheEditorsButton) {
  EditingGrid* Editing = MouseGrid<EditingGrid>({"A", "B"}, 3);
  Column(0)->SetButtonStyle(cbsEllipsis);
  Column(0)->SetAlwaysShowEditButton(true);
  hl::ProcessMessages();
  const win::RECT Box = Grid->CellRect(1, 2);
  const win::POINT OnButton{Box.right - 3, (Box.top + Box.bottom) / 2};
  Click(OnButton);
  EXPECT_TRUE(Grid->InplaceEditorVisible());
  EXPECT_EQ(Editing->EditButtonClicks, 1);
  // Beside the button the press only moves there.
  Click({Box.left + 3, OnButton.y});
  EXPECT_EQ(Editing->EditButtonClicks, 1);
}

// A grid that shows the column-selection cursor over its title row.
class ColumnCursorGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;

protected:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == win::WM_SETCURSOR) {
      win::POINT P;
      win::GetCursorPos(&P);
      const TGridCoord Cell = MouseCoord(ScreenToClient(P).x, ScreenToClient(P).y);
      if (Cell.Y == 0 && Cell.X >= IndicatorColCount()) {
        win::SetCursor(DownCursorGx());
        Message.Result = 1;
        return;
      }
    }
    TDBGridGx::Dispatch(Message);
  }
};

TEST_F(GridMouseTest, DraggingAlongTheTitlesSelectsColumnsAndScrollsPastTheEdge) {
  MouseGrid<ColumnCursorGrid>({"A", "B", "C", "D", "E", "F"}, 3);
  SetOptions({dgMultiSelect});
  TDBGridGxSelectionCols* Columns = Grid->GridSelection()->Columns();
  Press(Centre(1, 0));
  EXPECT_EQ(Grid->MouseMode(), 2);
  MoveTo(Centre(3, 0));
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstColumns);
  EXPECT_EQ(Columns->Count(), 3);
  // 5 pixels right of the cells: the view moves a column at once and every 150 ms.
  const win::POINT Beyond{Grid->DataAreaRect().right + 5, Centre(1, 0).y};
  const int Left = Grid->LeftCol();
  MoveTo(Beyond);
  EXPECT_EQ(Grid->LeftCol(), Left + 1);
  hl::AdvanceClock(149);
  EXPECT_EQ(Grid->LeftCol(), Left + 1);
  hl::AdvanceClock(1);
  EXPECT_EQ(Grid->LeftCol(), Left + 2);
  Release(Beyond);
  EXPECT_EQ(Grid->MouseMode(), 0);
  EXPECT_EQ(Columns->Count(), Grid->Columns()->Count());
  hl::AdvanceClock(500);
  EXPECT_EQ(Grid->LeftCol(), Left + 2);
}

TEST_F(GridMouseTest, CancelModeEndsADragAndItsTimer) {
  MouseGrid({"A"}, 40);
  SetOptions({dgMultiSelect});
  Press(Centre(0, 1));
  MoveTo({Centre(0, 1).x, Grid->DataAreaRect().bottom + 30});
  ASSERT_EQ(Grid->MouseMode(), 1);
  Grid->Perform(win::WM_CANCELMODE, 0, 0);
  EXPECT_EQ(Grid->MouseMode(), 0);
  EXPECT_EQ(win::GetCapture(), nullptr);
  const int Here = Data()->RecNo();
  hl::AdvanceClock(500);
  EXPECT_EQ(Data()->RecNo(), Here);
  Release(Centre(0, 1));
}

}  // namespace
