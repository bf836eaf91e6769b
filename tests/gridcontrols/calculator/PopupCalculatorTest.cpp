// The calculator as a drop-down: Enter computes until the key reads "Ok", then accepts;
// Esc cancels; the value it exchanges with its owner; its popup window.
#include "CalculatorFixture.h"

#include "platform/controls/Messages.h"
#include "tests/support/PopupOwner.h"

namespace {

class PopupCalculatorTest : public CalculatorTest {
protected:
  void SetUp() override {
    CalculatorTest::SetUp();
    Edit = new PopupOwningEdit(Form);
    Edit->SetParent(Form);
    Popup = new TPopupCalculatorGx(Edit);
    Popup->SetParent(Form);
    Edit->Popup = Popup;
    Form->Show();
    Popup->SetPopupValue(Variant());
  }
  // Forwards a key the way the owning edit does: key-down, then its character.
  void Forward(win::WORD Key, char Char) {
    Popup->Perform(win::WM_KEYDOWN, Key, 0);
    if (Char) Popup->Perform(win::WM_CHAR, static_cast<unsigned char>(Char), 0);
  }
  void Type(const std::string& Text) {
    for (char c : Text) Popup->Perform(win::WM_CHAR, static_cast<unsigned char>(c), 0);
  }
  double PopupValue() {
    Variant v;
    Popup->GetPopupValue(v);
    return v.AsDouble();
  }
  PopupOwningEdit* Edit = nullptr;
  TPopupCalculatorGx* Popup = nullptr;
};

TEST_F(PopupCalculatorTest, EnterComputesFirstThenAccepts) {
  Type("12+3");
  EXPECT_EQ(Popup->EqualKey()->Caption(), "=");
  EXPECT_FALSE(Popup->ReadyToAccept());
  Forward(win::VK_RETURN, '\r');
  EXPECT_EQ(Popup->DisplayText(), "15");
  EXPECT_EQ(Popup->EqualKey()->Caption(), "Ok");
  EXPECT_TRUE(Edit->Closes.empty());
  Forward(win::VK_RETURN, '\r');
  EXPECT_EQ(Edit->Closes, std::vector<bool>{true});
  EXPECT_EQ(PopupValue(), 15);
}

TEST_F(PopupCalculatorTest, ZeroAsLeftOperandComputesBeforeAccepting) {
  Type("0-5");
  Forward(win::VK_RETURN, '\r');
  EXPECT_TRUE(Edit->Closes.empty());
  EXPECT_EQ(PopupValue(), -5);
}

TEST_F(PopupCalculatorTest, TheOkKeyAcceptsAndTheEqualKeyComputes) {
  Type("4*2");
  Popup->EqualKey()->Click();
  EXPECT_EQ(Popup->DisplayText(), "8");
  EXPECT_TRUE(Edit->Closes.empty());
  Popup->EqualKey()->Click();
  EXPECT_EQ(Edit->Closes, std::vector<bool>{true});
}

TEST_F(PopupCalculatorTest, EscCancelsAndCClears) {
  Type("7c");
  EXPECT_EQ(Popup->DisplayText(), "0");
  EXPECT_TRUE(Edit->Closes.empty());
  Type("9");
  Forward(win::VK_ESCAPE, 27);
  EXPECT_EQ(Edit->Closes, std::vector<bool>{false});
  EXPECT_EQ(Popup->DisplayText(), "9");  // its character did not clear
  Popup->Perform(WM_POPUPDISMISS_GX, 0, 0);  // already closed: nothing more
  EXPECT_EQ(Edit->Closes.size(), 1u);
}

TEST_F(PopupCalculatorTest, ExchangesItsValue) {
  Popup->SetPopupValue(Variant(2.5));
  EXPECT_EQ(Popup->DisplayText(), "2.5");
  EXPECT_EQ(Popup->Status(), 0);
  Popup->SetPopupValue(Variant());  // an empty cell starts at 0
  EXPECT_EQ(PopupValue(), 0);
  Type("1/0=");
  Variant v;
  Popup->GetPopupValue(v);
  EXPECT_EQ(v.Type(), varError);
  EXPECT_EQ(v.ErrorCode(), -1);
  Popup->SetPopupValue(Variant(3.0));  // leaves the error
  EXPECT_EQ(PopupValue(), 3);
  EXPECT_TRUE(Popup->GetFlatStyle());
  Popup->SetFlatStyle(false);
  EXPECT_FALSE(Popup->EqualKey()->Flat());
}

TEST_F(PopupCalculatorTest, IsABorderedPopupThatNeverTakesTheFocus) {
  EXPECT_FALSE(Popup->CanFocus());
  EXPECT_FALSE(Popup->TabStop());
  EXPECT_EQ(Popup->Width(), 184 + 4);
  EXPECT_EQ(Popup->Height(), 127 + 4);
  win::HWND h = Popup->Handle();
  EXPECT_TRUE(win::GetWindowLong(h, win::GWL_STYLE) & win::WS_POPUP);
  EXPECT_EQ(win::GetWindowLong(h, win::GWL_EXSTYLE), static_cast<win::LONG_PTR>(win::WS_EX_TOOLWINDOW));
  EXPECT_EQ(Popup->ClientWidth(), 184);
  EXPECT_EQ(Popup->Perform(win::WM_MOUSEACTIVATE, 0, 0), win::MA_NOACTIVATE);
  EXPECT_EQ(Popup->Perform(CM_WANTSPECIALKEY, win::VK_RETURN, 0), 1);
  Popup->SetCtl3D(false);
  EXPECT_EQ(Popup->Width(), 184 + Popup->FrameWidth());
  EXPECT_TRUE(win::GetWindowLong(Popup->Handle(), win::GWL_STYLE) & win::WS_BORDER);
}

}  // namespace
