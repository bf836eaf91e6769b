// The calculator of a numeric cell: it starts from the cell's number, keys go to it while
// it is open, and accepting puts its result into the cell; the caret it hid comes back.
#include "tests/support/InplaceEditFixture.h"

#include "gridcontrols/ToolCtrlsGx/Calculator.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
#include "platform/rtl/Exceptions.h"

namespace {

namespace hl = win::headless;

class CalculatorDropDownTest : public InplaceEditTest {
protected:
  TDBGridInplaceEdit* NumberEditor(const Variant& Value) {
    Data = NewDataSet({{"N", ftFloat}});
    Put(Data, "N", Value);
    EditColumn(Data, "N")->SetButtonStyle(cbsDropDown);
    return OpenEditor();
  }
  static int CaretHides() { return hl::Caret() ? hl::Caret()->HideCount : -1; }

  TClientDataSet* Data = nullptr;
};

TEST_F(CalculatorDropDownTest, StartsFromTheCellsNumberAndEnterPutsTheResultIntoTheCell) {
  TDBGridInplaceEdit* Editor = NumberEditor(Variant(12.5));
  ASSERT_TRUE(Editor->CanDropCalculator());
  const int Hides = CaretHides();
  hl::PressKeys(win::MOD_CONTROL, win::VK_RETURN);
  ASSERT_TRUE(Editor->PopupVisible());
  TPopupCalculatorGx* Calculator = Editor->CalculatorPopupControl();
  EXPECT_EQ(Calculator->Value(), 12.5);
  EXPECT_EQ(ScreenRect(Calculator).top, ScreenRect(Editor).bottom);
  EXPECT_EQ(CaretHides(), Hides + 1) << "the caret is hidden while the calculator shows the input";
  EXPECT_EQ(Editor->SelLength(), 0);

  Type("+2");
  hl::PressKey(win::VK_RETURN);  // computes
  ASSERT_TRUE(Editor->PopupVisible());
  hl::PressKey(win::VK_RETURN);  // accepts
  EXPECT_TRUE(Editor->Visible()) << "the Enter that accepted does not end the editing";
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "14.5");
  EXPECT_EQ(Grid->EditText(), "14.5");
  EXPECT_EQ(Editor->SelLength(), 4);
  EXPECT_EQ(CaretHides(), Hides);
}

TEST_F(CalculatorDropDownTest, EscapeAndAReadOnlyDataSetLeaveTheCellAsItWas) {
  TDBGridInplaceEdit* Editor = NumberEditor(Variant(3.0));
  hl::PressKeys(win::MOD_CONTROL, win::VK_RETURN);
  Type("*4=");
  hl::PressKey(win::VK_ESCAPE);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_TRUE(Editor->Visible());
  EXPECT_EQ(Editor->Text(), "3");

  Data->SetReadOnly(true);
  hl::PressKeys(win::MOD_CONTROL, win::VK_RETURN);
  ASSERT_TRUE(Editor->PopupVisible());
  Type("*4=");
  hl::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Text(), "3");
  EXPECT_EQ(Data->FieldByName("N")->AsFloat(), 3.0);
}

TEST_F(CalculatorDropDownTest, AnEmptyCellStartsAtZeroAndTextThatIsNoNumberKeepsItClosed) {
  TDBGridInplaceEdit* Editor = NumberEditor(Null());
  hl::PressKeys(win::MOD_CONTROL, win::VK_RETURN);
  ASSERT_TRUE(Editor->PopupVisible());
  EXPECT_EQ(Editor->CalculatorPopupControl()->Value(), 0.0);
  hl::PressKey(win::VK_ESCAPE);

  const int Hides = CaretHides();
  Editor->SetText("1x");
  EXPECT_THROW(Editor->OpenPopup(), EConvertError);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_FALSE(Editor->CalculatorPopupControl()->Visible());
  EXPECT_EQ(CaretHides(), Hides);
}

TEST_F(CalculatorDropDownTest, ClosingAListShowsNoCaretItDidNotHide) {
  TColumnGx* Column = EditColumn(StringRows({"a"}), "S");
  SetLines(Column->PickList(), {"a", "b"});
  TDBGridInplaceEdit* Editor = OpenEditor();
  // Someone else hides the editor's caret; the list's coming and going leaves it hidden.
  ASSERT_TRUE(win::HideCaret(Editor->Handle()));
  const int Hides = CaretHides();
  AltDown();
  ASSERT_TRUE(Editor->PopupVisible());
  hl::PressKey(win::VK_ESCAPE);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(CaretHides(), Hides);
}

}  // namespace
