// What the editor loads for a cell: its edit style and the popup made for it, and the
// colour, font and read-only state the cell-parameter events give it; focus leaving the
// editor, or a press elsewhere, closes its popup.
#include "tests/support/InplaceEditFixture.h"

#include "gridcontrols/ToolCtrlsGx/Calculator.h"
#include "gridcontrols/ToolCtrlsGx/PopupCalendar.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"

namespace {

namespace hl = win::headless;

TEST_F(InplaceEditTest, EachCellGetsItsStyleAndThePopupOfTheStyleIsMadeOnFirstUse) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"D", ftDate}, {"T", ftTime}, {"N", ftFloat}});
  TColumnGx* Picks = EditColumn(Data, "S");
  SetLines(Picks->PickList(), {"a"});
  // A pick list shown with images still drops down as a list in the editor.
  Picks->SetImageList(new TCustomImageList(Form.get()));
  EditColumn(Data, "D");
  EditColumn(Data, "T");
  EditColumn(Data, "N")->SetButtonStyle(cbsDropDown);
  EditColumn(Data, "S")->SetButtonStyle(cbsDropDown);

  TDBGridInplaceEdit* Editor = OpenEditor(0);
  EXPECT_EQ(Editor->EditStyle(), iesPickListGx);
  ASSERT_NE(Editor->PickListPopup(), nullptr);
  EXPECT_EQ(Editor->ActivePopup(), Editor->PickListPopup());
  EXPECT_EQ(Editor->CalendarPopup(), nullptr);
  EXPECT_FALSE(Editor->PickListPopup()->Visible());

  struct Case {
    int Col;
    TInplaceEditStyleGx Style;
    bool HasPopup;
  } const Cases[] = {{1, iesCalendarGx, true}, {2, iesSimpleGx, false}, {3, iesDropDownGx, true},
                     {4, iesDropDownGx, false}};
  for (const Case& C : Cases) {
    Editor = OpenEditor(C.Col);
    EXPECT_EQ(Editor->EditStyle(), C.Style) << C.Col;
    EXPECT_EQ(Editor->ActivePopup() != nullptr, C.HasPopup) << C.Col;
  }
  EXPECT_EQ(Editor->CalendarPopup() != nullptr, true);
  ASSERT_NE(Editor->CalculatorPopupControl(), nullptr);
  EXPECT_FALSE(Editor->CalculatorPopupControl()->Visible());
  // Back on the pick list the same popup is used again.
  TPopupListboxGx* First = Editor->PickListPopup();
  Editor = OpenEditor(0);
  EXPECT_EQ(Editor->PickListPopup(), First);
}

TEST_F(InplaceEditTest, CellParameterEventsGiveColourFontAndReadOnlyState) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  Put(Data, "S", Variant(std::string("text")));
  TColumnGx* Column = EditColumn(Data, "S");
  Column->SetColor(clYellow);
  Grid->SetOnGetCellParams(
      TGetCellGxParamsEvent([](TObject*, TColumnGx*, TFont* Font, TColor& Background, TGridDrawState State) {
        EXPECT_TRUE(State.Contains(gdFocused));
        EXPECT_EQ(Background, clYellow);
        Background = clAqua;
        Font->SetColor(clRed);
      }));
  bool MakeReadOnly = true;
  Column->SetOnGetCellParams(TGetColCellParamsEventGx([&](TObject*, bool EditMode, TColCellParamsGx* Params) {
    EXPECT_TRUE(EditMode);
    EXPECT_EQ(Params->Text, "text");
    if (MakeReadOnly) Params->ReadOnly = true;
  }));
  TDBGridInplaceEdit* Editor = OpenEditor();
  EXPECT_EQ(Editor->Color(), clAqua);
  EXPECT_EQ(Editor->Font()->Color(), clRed);
  EXPECT_EQ(Editor->Text(), "text");
  EXPECT_TRUE(Editor->ReadOnlyByParams());
  EXPECT_TRUE(Editor->ReadOnly());
  Type("x");
  EXPECT_EQ(Editor->Text(), "text");

  MakeReadOnly = false;
  Grid->HideEditor();
  Editor = OpenEditor();
  EXPECT_FALSE(Editor->ReadOnlyByParams());
  EXPECT_FALSE(Editor->ReadOnly());
}

TEST_F(InplaceEditTest, FocusLeavingTheEditorClosesItsPopupWithoutAccepting) {
  UseGrid<PopupRecordingGrid>();
  TClientDataSet* Data = NewDataSet({{"D", ftDate}});
  EditColumn(Data, "D");
  auto* Other = new TEdit(Form.get());
  Other->SetParent(Form.get());
  Other->SetBounds(0, 265, 100, 21);
  auto* Editor = static_cast<PopupRecordingEditor*>(OpenEditor());
  // The main button's first press opens the popup; the click that ends it leaves it open.
  TEditButtonControlGx* Main = Editor->ButtonControls()[0].EditButtonControl;
  const win::POINT P = Main->ClientToScreen({Main->Width() / 2, Main->Height() / 2});
  hl::Click(hl::MouseButton::Left, P.x, P.y);
  ASSERT_TRUE(Editor->PopupVisible());
  EXPECT_TRUE(Editor->Closes.empty());
  // A second click closes it without taking its value.
  hl::Click(hl::MouseButton::Left, P.x, P.y);
  EXPECT_EQ(Editor->Closes, std::vector<bool>{false});

  hl::PressKeys(win::MOD_ALT, win::VK_DOWN);
  ASSERT_TRUE(Editor->PopupVisible());
  Other->SetFocus();
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Closes, (std::vector<bool>{false, false}));

  // A press on another control closes it; one on the editor's own buttons does not.
  Editor->SetFocus();
  hl::PressKeys(win::MOD_ALT, win::VK_DOWN);
  Editor->Perform(CM_CANCELMODE, 0, reinterpret_cast<win::LPARAM>(Main));
  EXPECT_TRUE(Editor->PopupVisible());
  Editor->Perform(CM_CANCELMODE, 0, reinterpret_cast<win::LPARAM>(Other));
  EXPECT_EQ(Editor->Closes, (std::vector<bool>{false, false, false}));
}

TEST_F(InplaceEditTest, DoubleClickStepsToTheNextValueWhenTheColumnAsks) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  Put(Data, "S", Variant(std::string("a")));
  TColumnGx* Column = EditColumn(Data, "S");
  SetLines(Column->PickList(), {"a", "b", "c"});
  TDBGridInplaceEdit* Editor = OpenEditor();
  const win::POINT P = Editor->ClientToScreen({4, 4});
  hl::DoubleClick(hl::MouseButton::Left, P.x, P.y);
  EXPECT_EQ(Data->FieldByName("S")->AsString(), "a");
  Column->SetDblClickNextVal(true);
  hl::DoubleClick(hl::MouseButton::Left, P.x, P.y);
  EXPECT_EQ(Data->FieldByName("S")->AsString(), "b");
}

}  // namespace
