// The pick list of a cell: its size, where it opens, the item it highlights, and what
// accepting or cancelling it does to the cell.
#include "tests/support/InplaceEditFixture.h"

#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"

namespace {

namespace hl = win::headless;

class PickListDropDownTest : public InplaceEditTest {
protected:
  // A pick-list column on S, the cell holding Value.
  TColumnGx* PickColumn(const char* Value, std::initializer_list<const char*> Picks) {
    Data = StringRows({Value});
    TColumnGx* Column = EditColumn(Data, "S");
    SetLines(Column->PickList(), Picks);
    return Column;
  }
  TClientDataSet* Data = nullptr;
};

TEST_F(PickListDropDownTest, OpensUnderTheCellAsHighAsItsItemsUpToTheDropDownRows) {
  struct Case {
    int Items;
    int Rows;
  } const Cases[] = {{3, 3}, {20, 7}};
  TColumnGx* Column = PickColumn("b", {});
  for (const Case& C : Cases) {
    Column->PickList()->Clear();
    for (int I = 0; I < C.Items; ++I) Column->PickList()->Add(std::string(1, char('a' + I)));
    TDBGridInplaceEdit* Editor = OpenEditor();
    AltDown();
    ASSERT_TRUE(Editor->PopupVisible()) << C.Items;
    TPopupListboxGx* List = Editor->PickListPopup();
    const win::RECT E = ScreenRect(Editor), L = ScreenRect(List);
    EXPECT_EQ(L.bottom - L.top, C.Rows * List->ItemHeight() + 4) << C.Items;
    EXPECT_EQ(L.top, E.bottom) << C.Items;
    EXPECT_EQ(L.left, E.left) << C.Items;
    // Short items: the editor's width plus the list's frame.
    EXPECT_EQ(L.right - L.left, Editor->ClientWidth() + 4) << C.Items;
    EXPECT_EQ(List->ItemIndex(), 1) << "the cell's text is highlighted";
    EXPECT_TRUE(win::IsWindowVisible(List->Handle()));
    EXPECT_EQ(win::GetFocus(), Editor->Handle());
    hl::PressKey(win::VK_ESCAPE);
    EXPECT_FALSE(win::IsWindowVisible(List->Handle()));
  }
}

TEST_F(PickListDropDownTest, AWideItemWidensTheListAndAnEmptyCellHighlightsNothing) {
  const std::string Long(60, 'w');
  PickColumn(nullptr, {"a", Long.c_str()});
  TDBGridInplaceEdit* Editor = OpenEditor();
  AltDown();
  TPopupListboxGx* List = Editor->PickListPopup();
  EXPECT_EQ(List->ItemIndex(), -1);
  EXPECT_EQ(List->ClientWidth(), List->Canvas()->TextWidth(Long) + 4);
  EXPECT_GT(List->Width(), Editor->Width());
}

TEST_F(PickListDropDownTest, DownAndEnterTakeTheNextItemAndEscapeRestoresTheTextBefore) {
  PickColumn("b", {"a", "b", "c"});
  TDBGridInplaceEdit* Editor = OpenEditor();
  AltDown();
  hl::PressKey(win::VK_DOWN);
  EXPECT_EQ(Editor->Text(), "c");
  hl::PressKey(win::VK_ESCAPE);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "b");
  EXPECT_EQ(Grid->EditText(), "b");

  AltDown();
  hl::PressKey(win::VK_UP);
  hl::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_TRUE(Editor->Visible());
  EXPECT_EQ(Editor->Text(), "a");
  EXPECT_EQ(Grid->EditText(), "a");
  EXPECT_FALSE(Editor->ButtonControls()[0].EditButtonControl->Down()) << "the main button is released";

  // Alt+Down on the open list accepts too.
  AltDown();
  hl::PressKey(win::VK_DOWN);
  AltDown();
  EXPECT_EQ(Grid->EditText(), "b");
}

TEST_F(PickListDropDownTest, AcceptingWithNothingHighlightedLeavesTheTypedText) {
  PickColumn("free", {"a", "b"});
  TDBGridInplaceEdit* Editor = OpenEditor();
  // Alt+Down twice, and Enter on the open list: no item was highlighted.
  AltDown();
  EXPECT_EQ(Editor->PickListPopup()->ItemIndex(), -1);
  AltDown();
  EXPECT_EQ(Editor->Text(), "free");
  AltDown();
  hl::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "free");
  EXPECT_EQ(Data->FieldByName("S")->AsString(), "free");
}

TEST_F(PickListDropDownTest, AKeyListColumnListsOnlyEntriesWithAKeyAndShowsTheChosenName) {
  TColumnGx* Column = PickColumn("K2", {"One", "Two", "Three"});
  SetLines(Column->KeyList(), {"K1", "K2"});
  TDBGridInplaceEdit* Editor = OpenEditor();
  ASSERT_EQ(Editor->Text(), "Two");
  AltDown();
  TPopupListboxGx* List = Editor->PickListPopup();
  ASSERT_EQ(List->Items()->Count(), 2);
  EXPECT_EQ(List->ItemIndex(), 1);
  hl::PressKey(win::VK_UP);
  hl::PressKey(win::VK_RETURN);
  EXPECT_EQ(Editor->Text(), "One");
  EXPECT_EQ(Grid->EditText(), "One");
}

TEST_F(PickListDropDownTest, OnAReadOnlyDataSetTheListHidesAndTheCellKeepsItsText) {
  PickColumn("b", {"a", "b", "c"});
  Data->SetReadOnly(true);
  TDBGridInplaceEdit* Editor = OpenEditor();
  ASSERT_EQ(Editor->EditStyle(), iesPickListGx);
  AltDown();
  ASSERT_TRUE(Editor->PopupVisible());
  hl::PressKey(win::VK_DOWN);
  hl::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "b");
  EXPECT_EQ(Grid->EditText(), "b");
  EXPECT_NE(Data->State(), dsEdit);
}

TEST_F(PickListDropDownTest, ResizingWithTheGripStoresRowsAndWidthAndTheNextOpeningUsesTheRows) {
  TColumnGx* Column = PickColumn("b", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
  Column->SetDropDownRows(3);
  Column->SetDropDownSizing(true);
  TDBGridInplaceEdit* Editor = OpenEditor();
  AltDown();
  TPopupListboxGx* List = Editor->PickListPopup();
  ASSERT_TRUE(win::IsWindowVisible(List->SizeGrip()->Handle()));
  const int Row = List->ItemHeight();
  const win::RECT Grip = ScreenRect(List->SizeGrip());
  const win::POINT From{Grip.right - 3, Grip.bottom - 3};  // inside its triangle
  hl::MouseDown(hl::MouseButton::Left, From.x, From.y);
  hl::MouseMove(From.x + 30, From.y + 2 * Row);
  hl::MouseUp(hl::MouseButton::Left, From.x + 30, From.y + 2 * Row);
  const int Width = List->Width();
  EXPECT_EQ(List->RowCount(), 5);
  hl::PressKey(win::VK_ESCAPE);
  EXPECT_EQ(Column->DropDownRows(), 5u);
  EXPECT_EQ(Column->DropDownWidth(), Width);

  // Opening again: five rows, and the width from the editor and the items.
  AltDown();
  EXPECT_EQ(List->Height(), 5 * Row + 4);
  EXPECT_EQ(List->Width(), Editor->ClientWidth() + 4);
  hl::PressKey(win::VK_RETURN);
  EXPECT_EQ(Column->DropDownRows(), 5u) << "a list the user did not resize stores nothing";

  // Without DropDownSizing the grip is hidden.
  Column->SetDropDownSizing(false);
  AltDown();
  EXPECT_FALSE(win::IsWindowVisible(List->SizeGrip()->Handle()));
}

TEST_F(PickListDropDownTest, MouseOnTheList) {
  PickColumn("a", {"a", "b", "c"});
  TDBGridInplaceEdit* Editor = OpenEditor();
  TEditButtonControlGx* Button = Editor->ButtonControls()[0].EditButtonControl;
  const win::POINT OnButton = Button->ClientToScreen({Button->Width() / 2, Button->Height() / 2});

  // Pressing the button, dragging into the list and letting go over a row takes that row.
  hl::MouseDown(hl::MouseButton::Left, OnButton.x, OnButton.y);
  ASSERT_TRUE(Editor->PopupVisible());
  TPopupListboxGx* List = Editor->PickListPopup();
  const win::POINT Third = List->ClientToScreen({10, 2 * List->ItemHeight() + 3});
  hl::MouseMove(Third.x, Third.y - List->ItemHeight());
  hl::MouseMove(Third.x, Third.y);
  hl::MouseUp(hl::MouseButton::Left, Third.x, Third.y);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "c");

  // A click on the button opens the list and leaves it open; a second click closes it
  // without taking the item moved to; a click on a row takes it.
  hl::Click(hl::MouseButton::Left, OnButton.x, OnButton.y);
  ASSERT_TRUE(Editor->PopupVisible());
  hl::PressKey(win::VK_UP);
  ASSERT_EQ(Editor->Text(), "b");
  hl::Click(hl::MouseButton::Left, OnButton.x, OnButton.y);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "c");
  hl::Click(hl::MouseButton::Left, OnButton.x, OnButton.y);
  ASSERT_TRUE(Editor->PopupVisible());
  const win::POINT Second = List->ClientToScreen({10, List->ItemHeight() + 3});
  hl::Click(hl::MouseButton::Left, Second.x, Second.y);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "b");

  // Pressing in the list and letting go outside it closes without taking anything.
  hl::Click(hl::MouseButton::Left, OnButton.x, OnButton.y);
  const win::POINT First = List->ClientToScreen({10, 3});
  hl::MouseDown(hl::MouseButton::Left, First.x, First.y);
  const win::POINT Outside = List->ClientToScreen({List->Width() + 20, 3});
  hl::MouseMove(Outside.x, Outside.y);
  hl::MouseUp(hl::MouseButton::Left, Outside.x, Outside.y);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "b");
}

TEST_F(PickListDropDownTest, WhileTheGridRefreshesTheEditorTheListStaysOpen) {
  PickColumn("a", {"a", "b"});
  TDBGridInplaceEdit* Editor = OpenEditor();
  AltDown();
  Editor->SetKeepPopupOpen(true);
  Editor->ClosePopup(false);
  EXPECT_TRUE(Editor->PopupVisible());
  EXPECT_TRUE(win::IsWindowVisible(Editor->PickListPopup()->Handle()));
  EXPECT_FALSE(Editor->ButtonControls()[0].EditButtonControl->Down());
  Editor->SetKeepPopupOpen(false);
  Editor->ClosePopup(false);
  EXPECT_FALSE(win::IsWindowVisible(Editor->PickListPopup()->Handle()));
}

}  // namespace
