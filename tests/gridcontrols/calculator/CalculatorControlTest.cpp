// The calculator laid out from its stored description: keys, display, size, clicks, typed
// keys, the wheel and scaling by the description's pixels per inch and text height.
#include "CalculatorFixture.h"

#include <cstdio>

#include "platform/controls/ExtCtrls.h"
#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/SysUtils.h"
#include "resources/forms/FormDescriptions.h"

namespace {

TSpeedButtonGx* KeyWithTag(TCalculatorGx* C, int Tag) {
  for (int i = 0; i < C->ComponentCount(); ++i)
    if (auto* key = dynamic_cast<TSpeedButtonGx*>(C->Components(i)); key && key->Tag() == Tag) return key;
  return nullptr;
}

TEST_F(CalculatorTest, KeysAreLaidOutAsStored) {
  struct KeyPlace {
    int Tag;
    const char* Caption;
    int Left, Top, Width, Height;
    TColor Color;
  };
  const KeyPlace places[] = {
      {1, "7", 6, 29, 27, 22, clBlue},     {4, "/", 93, 29, 27, 22, clRed},   {5, "sqrt", 122, 29, 27, 22, clBlue},
      {6, "C", 151, 29, 27, 46, clRed},    {11, "%", 122, 53, 27, 22, clBlue}, {17, "1/x", 122, 77, 27, 22, clBlue},
      {18, "<-", 151, 77, 27, 22, clRed},  {19, "0", 6, 101, 27, 22, clBlue}, {20, "+/-", 35, 101, 27, 22, clBlue},
      {22, "+", 93, 101, 27, 22, clRed},   {23, "Ok", 122, 101, 56, 22, clRed},
  };
  for (const KeyPlace& p : places) {
    SCOPED_TRACE(p.Caption);
    TSpeedButtonGx* key = KeyWithTag(Calc, p.Tag);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->Caption(), p.Caption);
    EXPECT_EQ(key->BoundsRect(), (win::RECT{p.Left, p.Top, p.Left + p.Width, p.Top + p.Height}));
    EXPECT_EQ(key->Font()->Color(), p.Color);
    EXPECT_EQ(key->Style(), ebsGlyphGx);
    EXPECT_TRUE(key->Active());
    EXPECT_TRUE(key->Flat());
    EXPECT_EQ(key->Owner(), Calc);
  }
  EXPECT_EQ(KeyWithTag(Calc, 23), Calc->EqualKey());
  EXPECT_EQ(KeyWithTag(Calc, 12), nullptr);  // no key types 'A'
  TLabel* box = Calc->TextBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Alignment(), taRightJustify);
  EXPECT_EQ(box->Caption(), "0");
  EXPECT_EQ(box->Parent()->BoundsRect(), (win::RECT{6, 4, 177, 23}));
  EXPECT_EQ(Calc->Color(), clBtnFace);
}

TEST_F(CalculatorTest, SizesItselfToTheStoredClientSizeAndItsFrame) {
  Form->Show();
  EXPECT_TRUE(Calc->AutoSize());
  EXPECT_EQ(Calc->Width(), 184);
  EXPECT_EQ(Calc->Height(), 127);
  Calc->SetBounds(0, 0, 50, 50);  // automatic sizing keeps the stored size
  EXPECT_EQ(Calc->Width(), 184);
  Calc->SetBorderStyle(bsSingle);
  const int frame = Calc->FrameWidth();
  EXPECT_GT(frame, 0);
  EXPECT_EQ(Calc->Width(), 184 + frame);
  EXPECT_EQ(Calc->Height(), 127 + frame);
  EXPECT_EQ(Calc->ClientWidth(), 184);
}

TEST_F(CalculatorTest, ClickedAndTypedKeysReachTheKeyMachine) {
  Form->Show();
  for (int tag : {13, 14, 22, 19, 23}) KeyWithTag(Calc, tag)->Click();  // 1 2 + 0 =
  EXPECT_EQ(Display(), "12");
  Calc->SetFocus();
  win::headless::TypeText("*3");
  EXPECT_EQ(KeyCaption(), "=");
  win::headless::TypeText("=");
  EXPECT_EQ(Display(), "36");
  win::headless::PressKey(win::VK_BACK);
  EXPECT_EQ(Display(), "0");
}

TEST_F(CalculatorTest, TheWheelStepsByWholeUnitsAndKeepsTheState) {
  Form->Show();
  Keys("2.5");
  win::POINT p = Calc->ClientToScreen({10, 10});
  win::headless::MouseWheel(-120, p.x, p.y);
  win::headless::MouseWheel(-120, p.x, p.y);
  EXPECT_EQ(Display(), "0.5");
  EXPECT_EQ(Calc->Status(), 1);
  win::headless::MouseWheel(120, p.x, p.y);
  EXPECT_EQ(Display(), "1.5");
  Keys("/0=");
  win::headless::MouseWheel(120, p.x, p.y);
  EXPECT_EQ(Display(), "Error");
}

TEST_F(CalculatorTest, ScalesByTheStoredPixelsPerInchAndTextHeight) {
  const std::string stored = CalculatorDescription();
  auto withHeader = [&](const std::string& PixelsPerInch, const std::string& TextHeight) {
    std::string text = stored;
    text.replace(text.find("PixelsPerInch = 96"), 18, "PixelsPerInch = " + PixelsPerInch);
    text.replace(text.find("TextHeight = 13"), 15, "TextHeight = " + TextHeight);
    return text;
  };
  struct ScaleCase {
    const char* PixelsPerInch;
    const char* TextHeight;
  };
  auto textHeight = [](TFont* Font) {  // of "0" on the screen
    win::HDC dc = win::GetDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, Font->Handle());
    win::SIZE size{};
    win::GetTextExtentPoint32(dc, "0", 1, &size);
    win::SelectObject(dc, old);
    win::ReleaseDC(nullptr, dc);
    return size.cy;
  };
  for (ScaleCase c : {ScaleCase{"96", "13"}, ScaleCase{"120", "13"}, ScaleCase{"96", "26"}, ScaleCase{"0", "26"}}) {
    SCOPED_TRACE(std::string(c.PixelsPerInch) + "/" + c.TextHeight);
    RegisterFormDescription("TCALCULATORGX", withHeader(c.PixelsPerInch, c.TextHeight));
    TCalculatorGx calc(nullptr);
    const int ppi = std::stoi(c.PixelsPerInch), stored = std::stoi(c.TextHeight);
    const int font = ppi && ppi != 96 ? MulDiv(-11, 96, ppi) : -11;
    EXPECT_EQ(calc.Font()->Height(), font);
    EXPECT_EQ(calc.PixelsPerInch(), 96);
    const int current = ppi ? textHeight(calc.Font()) : stored;
    EXPECT_EQ(calc.DescriptionClientWidth(), MulDiv(184, current, stored));
    EXPECT_EQ(calc.EqualKey()->Width(), MulDiv(122 + 56, current, stored) - MulDiv(122, current, stored));
  }
  RegisterFormDescription("TCALCULATORGX", stored);
}

TEST_F(CalculatorTest, SnapshotForAPerson) {
  Form->SetClientWidth(200);
  Form->SetClientHeight(170);
  Calc->SetLeft(8);
  Calc->SetTop(6);
  Form->Show();
  Keys("12+3");
  Form->Repaint();
  win::headless::ProcessMessages();
  std::string file = ::testing::TempDir() + "calculator-snapshot.png";
  ASSERT_TRUE(win::SaveWindowPng(Form->Handle(), file));
  std::printf("calculator snapshot: %s\n", file.c_str());
}

}  // namespace
