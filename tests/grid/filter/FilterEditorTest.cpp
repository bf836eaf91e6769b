// The filter editor in the grid: presses that open it with the caret under the pointer,
// presses in the data that end it, its place over its cell when the grid changes, the
// focus it keeps, the cell editor it stands in for, and hiding the filter row.
#include "tests/support/FilterRowFixture.h"

#include "grid/DBGridGx/Selection.h"
#include "platform/controls/grids/InplaceEdit.h"
#include "platform/rtl/ScopeExit.h"

namespace {

namespace hl = win::headless;

class FilterEditorTest : public FilterRowTest {
protected:
  // The editor lies over the filter cell of Columns index Index, one pixel in from its left.
  void ExpectOver(int Index) {
    win::RECT Cell = Grid->CellRect(Grid->DataToGridColumn(Index), FilterRow());
    EXPECT_EQ(Editor()->BoundsRect(), (win::RECT{Cell.left + 1, Cell.top, Cell.right, Cell.bottom}));
  }
};

TEST_F(FilterEditorTest, ALeftClickPutsTheCaretUnderThePointerARightClickSelectsTheText) {
  Open();
  Grid->Columns()->ColumnAt(1)->STFilter()->SetFilterText("abcdef");
  const int ACol = Grid->DataToGridColumn(1);
  hl::Click(hl::MouseButton::Left, CellPoint(ACol, FilterRow(), 75).x, CellPoint(ACol, FilterRow(), 75).y);
  ASSERT_EQ(Edited(), 1);
  ExpectOver(1);
  EXPECT_EQ(Editor()->SelStart(), 6);
  EXPECT_EQ(Editor()->SelLength(), 0);
  EXPECT_EQ(Editor()->GetText(), "abcdef");
  EXPECT_TRUE(Editor()->Focused());
  Press(win::VK_TAB);
  ASSERT_EQ(Edited(), 2);
  hl::Click(hl::MouseButton::Left, CellPoint(ACol, FilterRow(), 3).x, CellPoint(ACol, FilterRow(), 3).y);
  EXPECT_EQ(Edited(), 1);
  EXPECT_EQ(Editor()->SelStart(), 0);
  EXPECT_EQ(Editor()->SelLength(), 0);

  Press(win::VK_TAB);
  const win::POINT P = CellPoint(ACol, FilterRow(), 3);
  hl::Click(hl::MouseButton::Right, P.x, P.y);
  EXPECT_EQ(Edited(), 1);
  EXPECT_EQ(Editor()->SelStart(), 0);
  EXPECT_EQ(Editor()->SelLength(), 6);
  EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(FilterEditorTest, ADoubleClickOnAFilterCellRaisesOnDblFilterClick) {
  Open();
  int Clicks = 0;
  Grid->SetOnDblFilterClick(TNotifyEvent([&](TObject*) { ++Clicks; }));
  const win::POINT P = CellPoint(Grid->DataToGridColumn(2), FilterRow());
  hl::DoubleClick(hl::MouseButton::Left, P.x, P.y);
  EXPECT_EQ(Edited(), 2);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(FilterEditorTest, APressInTheDataEndsFilterEditingAndStoresTheText) {
  Open(5);
  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgAlwaysShowEditor});
  EditCell(2, "= r3");
  EXPECT_FALSE(Grid->InplaceEditorVisible());
  const win::POINT P = CellPoint(Grid->DataToGridColumn(0), Grid->TitleAreaRowCount() + 1);
  hl::Click(hl::MouseButton::Left, P.x, P.y);
  EXPECT_EQ(Edited(), -1);
  EXPECT_FALSE(Grid->FilterEditing());
  EXPECT_EQ(Condition(2), "= r3");
  // The cell editor is back where it is always shown.
  EXPECT_TRUE(Grid->InplaceEditorVisible());
  EXPECT_EQ(Current(), "r1");
}

TEST_F(FilterEditorTest, ARightPressInTheDataWithBadTextKeepsNoCapture) {
  // The application takes its errors itself: no message box cancels the capture.
  std::vector<std::string> Errors;
  Application->SetOnException(TExceptionEvent([&](TObject*, const Exception& E) { Errors.push_back(E.Message()); }));
  auto restore = AtScopeExit([] { Application->SetOnException(nullptr); });
  Open(5);
  EditCell(2, "In (1");
  const win::POINT P = CellPoint(Grid->DataToGridColumn(0), Grid->TitleAreaRowCount() + 1);
  hl::MouseDown(hl::MouseButton::Right, P.x, P.y);
  EXPECT_EQ(win::GetCapture(), nullptr);
  EXPECT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Edited(), 2);
  EXPECT_EQ(Condition(2), "");
  hl::MouseUp(hl::MouseButton::Right, P.x, P.y);
}

TEST_F(FilterEditorTest, ShowingTheCellEditorEndsFilterEditing) {
  Open();
  EditCell(1, "= r2");
  Grid->ShowCellEditor();
  EXPECT_EQ(Edited(), -1);
  EXPECT_FALSE(Grid->FilterEditing());
  EXPECT_EQ(Condition(1), "= r2");
  EXPECT_TRUE(Grid->InplaceEditorVisible());
}

TEST_F(FilterEditorTest, WithASelectionTheEditorClosesInsteadOfShowing) {
  Open();
  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgMultiSelect});
  EditCell(1, "= r2");
  Grid->GridSelection()->Columns()->SelectColumn(Grid->Columns()->ColumnAt(0), false);
  Grid->ShowFilterEditor(Grid->DataToGridColumn(1));
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(Condition(1), "= r2");
}

TEST_F(FilterEditorTest, TheEditorFollowsItsCellAndKeepsItsTextWhenTheGridChanges) {
  Open(5, 200, 200);
  EditCell(3, "= r");
  ExpectOver(3);
  Grid->SetBounds(0, 0, 260, 150);
  hl::ProcessMessages();
  ExpectOver(3);
  Data->Last();
  Grid->RequestLayout();
  ExpectOver(3);
  EXPECT_EQ(Editor()->GetText(), "= r");
  EXPECT_EQ(Edited(), 3);
}

TEST_F(FilterEditorTest, AMovedColumnTakesItsFilterCellAlong) {
  Open();
  EditCell(0, "= r");
  Grid->MoveColumn(Grid->DataToGridColumn(0), Grid->DataToGridColumn(2));
  ASSERT_EQ(Grid->Columns()->ColumnAt(2)->FieldName(), "A");
  EXPECT_EQ(Edited(), 2);
  ExpectOver(2);
  EXPECT_EQ(Editor()->GetText(), "= r");
  // Left, the remembered cell follows its column too.
  Press(win::VK_DOWN);
  Grid->MoveColumn(Grid->DataToGridColumn(2), Grid->DataToGridColumn(3));
  EXPECT_EQ(Grid->FilterColumn(), 3);
  EXPECT_EQ(Condition(3), "= r");
}

TEST_F(FilterEditorTest, TheGridPassesTheFocusToTheFilterEditor) {
  Open();
  EditCell(0, "x");
  auto* Other = new TEdit(Form.get());
  Other->SetParent(Form.get());
  Other->SetBounds(0, 210, 100, 20);
  Other->SetFocus();
  ASSERT_FALSE(Editor()->Focused());
  EXPECT_TRUE(Grid->TakeFocus());
  EXPECT_TRUE(Editor()->Focused());
  EXPECT_EQ(Form->ActiveControl(), Grid);

  // A click on another filter cell from outside the grid focuses its editor.
  Other->SetFocus();
  const win::POINT P = CellPoint(Grid->DataToGridColumn(2), FilterRow());
  hl::Click(hl::MouseButton::Left, P.x, P.y);
  EXPECT_EQ(Edited(), 2);
  EXPECT_TRUE(Editor()->Focused());
  EXPECT_EQ(Condition(0), "x");
}

TEST_F(FilterEditorTest, HidingTheRowEndsEditingAndTheLayoutFollowsEvenWithBadText) {
  Open();
  const int Rows = Grid->TitleAreaRowCount();
  EditCell(0, "= r1");
  Grid->MenuFilterRowClick(nullptr);
  EXPECT_FALSE(Grid->STFilter()->Visible());
  EXPECT_EQ(Grid->TitleAreaRowCount(), Rows - 1);
  EXPECT_EQ(Condition(0), "= r1");
  EXPECT_FALSE(EditorShown());

  Grid->MenuFilterRowClick(nullptr);
  ASSERT_EQ(Grid->TitleAreaRowCount(), Rows);
  EditCell(0, "In (1");
  EXPECT_THROW(Grid->STFilter()->SetVisible(false), Exception);
  EXPECT_FALSE(Grid->STFilter()->Visible());
  EXPECT_EQ(Grid->TitleAreaRowCount(), Rows - 1);
  EXPECT_FALSE(Grid->FilterEditing());
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(Condition(0), "= r1");
}

}  // namespace
