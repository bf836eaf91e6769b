// The lookup grid of a lookup cell: its size, the key it shows, what accepting or
// cancelling it does to the cell, the sizes the user gives it and the mouse on it.
#include "tests/support/InplaceEditFixture.h"

#include "grid/DBLookupGridsGx/PopupDataGrid.h"
#include "gridcontrols/ToolCtrlsGx/SizeGrip.h"

namespace {

namespace hl = win::headless;

// The grid's own edit text, which also loads the key of a lookup cell.
class LookupEditingGrid : public EditingGrid {
public:
  using EditingGrid::EditingGrid;

protected:
  std::string GetEditText(int ACol, int ARow) override { return TDBGridGx::GetEditText(ACol, ARow); }
};

class LookupDropDownTest : public InplaceEditTest {
protected:
  // The lookup column "Title" of NewLookupPair, its row holding Code (none when 0).
  TColumnGx* LookupColumn(int Code = 1, bool ListRows = true) {
    UseGrid<LookupEditingGrid>();
    Main = NewLookupPair(ListRows);
    if (Code) Put(Main, "Code", Variant(Code));
    return EditColumn(Main, "Title");
  }
  TDBGridInplaceEdit* OpenLookup() {
    TDBGridInplaceEdit* Editor = OpenEditor();
    EXPECT_EQ(Editor->EditStyle(), iesLookupListGx);
    AltDown();
    EXPECT_TRUE(Editor->PopupVisible());
    return Editor;
  }
  static int Key(const Variant& V) { return V.IsNull() || V.IsEmpty() ? 0 : V.AsInteger(); }

  TClientDataSet* Main = nullptr;
};

TEST_F(LookupDropDownTest, OpensOnTheCellsKeyAndEnterTakesTheRowMovedToWhileEscapeRestoresTheText) {
  TColumnGx* Column = LookupColumn(1);
  TDBGridInplaceEdit* Editor = OpenLookup();
  TPopupDataGridGx* Popup = Editor->LookupPopup();
  ASSERT_EQ(Popup, Column->PopupGridIfMade()) << "the column's own popup grid";
  EXPECT_EQ(Key(Popup->KeyValue()), 1);
  EXPECT_EQ(Editor->LookupSource()->DataSet(), Codes);
  EXPECT_EQ(Popup->ListSource(), Editor->LookupSource());
  const win::RECT E = ScreenRect(Editor), P = ScreenRect(Popup);
  EXPECT_EQ(P.top, E.bottom);
  EXPECT_EQ(P.left, E.left);
  EXPECT_EQ(win::GetFocus(), Editor->Handle());

  hl::PressKey(win::VK_DOWN);
  EXPECT_EQ(Editor->Text(), "two") << "the editor follows the list";
  hl::PressKey(win::VK_ESCAPE);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_FALSE(win::IsWindowVisible(Popup->Handle()));
  EXPECT_EQ(Editor->Text(), "one");
  EXPECT_EQ(Key(Grid->EditValue()), 1);
  EXPECT_FALSE(Grid->GridLink()->Modified());
  EXPECT_EQ(Popup->ListSource(), nullptr) << "the list is attached only while open";
  EXPECT_EQ(Editor->LookupSource()->DataSet(), nullptr);

  AltDown();
  hl::PressKey(win::VK_DOWN);
  hl::PressKey(win::VK_DOWN);
  hl::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_TRUE(Editor->Visible());
  EXPECT_EQ(Editor->Text(), "three");
  EXPECT_EQ(Grid->EditText(), "three");
  EXPECT_EQ(Key(Grid->EditValue()), 3);
  EXPECT_TRUE(Grid->GridLink()->Modified());
  EXPECT_EQ(Editor->SelLength(), 5) << "the whole text selected";
  EXPECT_FALSE(Editor->ButtonControls()[0].EditButtonControl->Down());
}

TEST_F(LookupDropDownTest, WidthFollowsTheDropDownWidthButNeverNarrowerThanTheEditor) {
  struct Case {
    int DropDownWidth;
    int Want;  // 0: the editor's width
  } const Cases[] = {{0, 0}, {-5, 0}, {50, 0}, {300, 300}};
  TColumnGx* Column = LookupColumn();
  for (const Case& C : Cases) {
    Column->SetDropDownWidth(C.DropDownWidth);
    TDBGridInplaceEdit* Editor = OpenLookup();
    ASSERT_GT(Editor->Width(), 50);
    EXPECT_EQ(Editor->LookupPopup()->Width(), C.Want ? C.Want : Editor->Width()) << C.DropDownWidth;
    hl::PressKey(win::VK_ESCAPE);
  }
  // -1 fits the grid to its columns.
  Column->SetDropDownWidth(-1);
  Column->DropDownBox()->SetAutoFitColWidths(false);
  Column->SetWidth(40);
  TPopupDataGridGx* Popup = OpenLookup()->LookupPopup();
  EXPECT_EQ(Popup->ClientWidth(), Popup->ColumnsTotalWidth());
}

TEST_F(LookupDropDownTest, ASequencedListShorterThanTheDropDownRowsSetsTheRowCount) {
  struct Case {
    bool EmptyList;
    unsigned DropDownRows;
    int Want;
  } const Cases[] = {{false, 7, 3}, {false, 2, 2}, {true, 7, 7}};
  TColumnGx* Column = LookupColumn(0);
  for (const Case& C : Cases) {
    if (C.EmptyList) Codes->EmptyDataSet();
    Column->SetDropDownRows(C.DropDownRows);
    TDBGridInplaceEdit* Editor = OpenLookup();
    EXPECT_EQ(Editor->LookupPopup()->DisplayRowCount(), C.Want) << C.DropDownRows;
    hl::PressKey(win::VK_ESCAPE);
  }
}

TEST_F(LookupDropDownTest, ResizingWithTheGripStoresRowsAndWidthForTheNextOpening) {
  TColumnGx* Column = LookupColumn();
  Column->SetDropDownRows(2);
  Column->SetDropDownSizing(true);
  TDBGridInplaceEdit* Editor = OpenLookup();
  TPopupDataGridGx* Popup = Editor->LookupPopup();
  ASSERT_TRUE(win::IsWindowVisible(Popup->SizeGrip()->Handle()));
  const int Row = Popup->DefaultRowHeight();
  const win::RECT Grip = ScreenRect(Popup->SizeGrip());
  const win::POINT From{Grip.right - 3, Grip.bottom - 3};
  hl::MouseDown(hl::MouseButton::Left, From.x, From.y);
  hl::MouseMove(From.x + 40, From.y + Row + 2);
  hl::MouseUp(hl::MouseButton::Left, From.x + 40, From.y + Row + 2);
  ASSERT_TRUE(Popup->GripResized());
  const int Width = Popup->Width();
  EXPECT_EQ(Popup->DisplayRowCount(), 3);
  hl::PressKey(win::VK_ESCAPE);  // cancelling keeps the size too
  EXPECT_EQ(Column->DropDownRows(), 3u);
  EXPECT_EQ(Column->DropDownWidth(), Width);

  AltDown();
  EXPECT_EQ(Popup->DisplayRowCount(), 3);
  EXPECT_EQ(Popup->Width(), Width);
  EXPECT_FALSE(Popup->GripResized());
  hl::PressKey(win::VK_RETURN);

  Column->SetDropDownSizing(false);
  AltDown();
  EXPECT_FALSE(win::IsWindowVisible(Popup->SizeGrip()->Handle()));
}

TEST_F(LookupDropDownTest, MovingAPopupColumnKeepsTheSpecialRowCellsInTheNewOrder) {
  TColumnGx* Column = LookupColumn();
  Column->SetLookupDisplayFields("Title;Code");
  Column->DropDownSpecRow()->SetCellsText("none;0");
  Column->DropDownSpecRow()->SetVisible(true);
  TDBGridInplaceEdit* Editor = OpenLookup();
  TPopupDataGridGx* Popup = Editor->LookupPopup();
  ASSERT_EQ(Popup->Columns()->Count(), 2);
  Popup->MoveColumn(Popup->IndicatorColCount() + 1, Popup->IndicatorColCount());
  EXPECT_TRUE(Editor->PopupColumnsMoved());
  hl::PressKey(win::VK_ESCAPE);
  EXPECT_EQ(Column->DropDownSpecRow()->CellTextAt(0), "0");
  EXPECT_EQ(Column->DropDownSpecRow()->CellTextAt(1), "none");
}

TEST_F(LookupDropDownTest, OnAReadOnlyFieldThePopupHidesAndNothingChanges) {
  LookupColumn(1);
  Main->FieldByName("Title")->SetReadOnly(true);
  TDBGridInplaceEdit* Editor = OpenLookup();
  hl::PressKey(win::VK_DOWN);
  hl::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_FALSE(win::IsWindowVisible(Editor->LookupPopup()->Handle()));
  EXPECT_EQ(Editor->Text(), "one");
  EXPECT_EQ(Key(Grid->EditValue()), 1);
  EXPECT_FALSE(Grid->GridLink()->Modified());
  EXPECT_NE(Main->State(), dsEdit);
}

TEST_F(LookupDropDownTest, WithoutAListDataSetNothingOpens) {
  LookupColumn(1);
  Main->FieldByName("Title")->SetLookupDataSet(nullptr);
  TDBGridInplaceEdit* Editor = OpenEditor();
  AltDown();
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->LookupSource()->DataSet(), nullptr);
}

TEST_F(LookupDropDownTest, MouseOnThePopup) {
  LookupColumn(1);
  TDBGridInplaceEdit* Editor = OpenEditor();
  TEditButtonControlGx* Button = Editor->ButtonControls()[0].EditButtonControl;
  const win::POINT OnButton = Button->ClientToScreen({Button->Width() / 2, Button->Height() / 2});

  // Pressing the button, dragging into the rows and letting go over one takes it.
  hl::MouseDown(hl::MouseButton::Left, OnButton.x, OnButton.y);
  ASSERT_TRUE(Editor->PopupVisible());
  TPopupDataGridGx* Popup = Editor->LookupPopup();
  win::RECT Rows{};
  Popup->DataRowsRect(Rows);
  const int Row = Popup->DefaultRowHeight();
  const win::POINT Third = Popup->ClientToScreen({Rows.left + 5, Rows.top + 2 * Row + Row / 2});
  hl::MouseMove(Third.x, Third.y - Row);
  hl::MouseMove(Third.x, Third.y);
  hl::MouseUp(hl::MouseButton::Left, Third.x, Third.y);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "three");
  EXPECT_EQ(Key(Grid->EditValue()), 3);

  // A click on a row takes it.
  hl::Click(hl::MouseButton::Left, OnButton.x, OnButton.y);
  ASSERT_TRUE(Editor->PopupVisible());
  const win::POINT Second = Popup->ClientToScreen({Rows.left + 5, Rows.top + Row + Row / 2});
  hl::Click(hl::MouseButton::Left, Second.x, Second.y);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "two");
  EXPECT_EQ(Key(Grid->EditValue()), 2);
}

}  // namespace
