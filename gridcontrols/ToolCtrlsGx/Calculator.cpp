// The calculator control: loading and scaling its form description, its window, and the
// routes by which keys reach the key machine (CalculatorKeys.cpp).
#include "gridcontrols/ToolCtrlsGx/Calculator.h"

#include "platform/controls/Forms.h"
#include "platform/controls/Messages.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/forms/Filer.h"
#include "resources/forms/FormDescriptions.h"

const char CalculatorKeyChars[24] = {0,   '7', '8', '9', '/', 'S', 'C', '4', '5', '6', '*', '%',
                                     'A', '1', '2', '3', '-', 'R', 8,   '0', 'I', '.', '+', '='};

void TCalculatorGx::Publish(TClassBuilder<TCalculatorGx>& b) {
  b.Field("TextBox", &TCalculatorGx::FTextBox);
  b.Field("spEqual", &TCalculatorGx::FEqualKey);
  b.Method("SpeedButtonClick", &TCalculatorGx::SpeedButtonClick);
  b.Property("BorderStyle", &TCalculatorGx::BorderStyle, &TCalculatorGx::SetBorderStyle).Default(bsNone);
  b.Property("ClientHeight", &TCalculatorGx::DescriptionClientHeight, &TCalculatorGx::SetDescriptionClientHeight)
      .Stored(false);
  b.Property("ClientWidth", &TCalculatorGx::DescriptionClientWidth, &TCalculatorGx::SetDescriptionClientWidth)
      .Stored(false);
  b.Property("OldCreateOrder", &TCalculatorGx::OldCreateOrder, &TCalculatorGx::SetOldCreateOrder)
      .Stored(false);
  b.Property("PixelsPerInch", &TCalculatorGx::PixelsPerInch, &TCalculatorGx::SetPixelsPerInch)
      .Stored(false);
  b.Property("TextHeight", &TCalculatorGx::DescriptionTextHeight, &TCalculatorGx::SetDescriptionTextHeight)
      .Stored(false);
}

TCalculatorGx::TCalculatorGx(TComponent* AOwner) : TCustomControl(AOwner) {
  FParentColor = false;
  FColor = clWindow;
  FPixelsPerInch = Screen->PixelsPerInch();
  FOperator = 0;
  LoadDescription();
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* key = dynamic_cast<TSpeedButtonGx*>(Components(i))) {
      key->SetStyle(ebsGlyphGx);
      key->SetActive(true);
    }
  SetAutoSize(true);
}

void TCalculatorGx::LoadDescription() {
  RegisterStandardClasses();
  RegisterFormDescriptions();
  std::string text = FindFormDescription("TCALCULATORGX");
  if (text.empty()) return;
  FTextHeight = 0;
  int storedPixelsPerInch = 0;
  {
    TReader reader(text);
    FPixelsPerInch = 0;  // what the description stores, while it is read
    reader.ReadRootComponent(this);
    storedPixelsPerInch = FPixelsPerInch;
  }
  FPixelsPerInch = storedPixelsPerInch;
  ScaleFromDescription();
}

int TCalculatorGx::MeasureTextHeight() {
  win::HDC dc = win::GetDC(nullptr);
  win::HGDIOBJ old = win::SelectObject(dc, FFont->Handle());
  win::SIZE size{};
  win::GetTextExtentPoint32(dc, "0", 1, &size);
  win::SelectObject(dc, old);
  win::ReleaseDC(nullptr, dc);
  return size.cy;
}

// As a form scales itself after reading: the font by the screen's pixels per inch, then the
// children (and the stored client size) by how much taller the text of "0" now is.
void TCalculatorGx::ScaleFromDescription() {
  const int screenPixelsPerInch = Screen->PixelsPerInch();
  if (FPixelsPerInch != 0 && FTextHeight > 0) {
    if (FPixelsPerInch != screenPixelsPerInch)  // the description stores its own font
      FFont->SetHeight(MulDiv(FFont->Height(), screenPixelsPerInch, FPixelsPerInch));
    FPixelsPerInch = screenPixelsPerInch;
    const int current = MeasureTextHeight();
    if (current != FTextHeight) {
      ScaleControls(current, FTextHeight);
      if (FScaleClientSize) {
        FClientWidth = MulDiv(FClientWidth, current, FTextHeight);
        FClientHeight = MulDiv(FClientHeight, current, FTextHeight);
      }
    }
  }
  FPixelsPerInch = screenPixelsPerInch;
  FScaleClientSize = false;
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TCalculatorGx::SetPixelsPerInch(int Value) {
  if (ComponentState().Contains(csReading)) {
    FPixelsPerInch = Value;
    return;
  }
  if (Value != FPixelsPerInch && (Value == 0 || Value >= 36)) FPixelsPerInch = Value;
}

void TCalculatorGx::SetDescriptionClientWidth(int Value) {
  if (ComponentState().Contains(csReading)) {
    FClientWidth = Value;
    FScaleClientSize = true;
    return;
  }
  SetClientWidth(Value);
}

void TCalculatorGx::SetDescriptionClientHeight(int Value) {
  if (ComponentState().Contains(csReading)) {
    FClientHeight = Value;
    FScaleClientSize = true;
    return;
  }
  SetClientHeight(Value);
}

void TCalculatorGx::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  if (HandleAllocated()) RecreateWnd();
  AdjustSize();
}

void TCalculatorGx::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle != bsSingle) return;
  if (Ctl3D()) Params.ExStyle |= win::WS_EX_CLIENTEDGE;
  else Params.Style |= win::WS_BORDER;
}

int TCalculatorGx::FrameWidth() {
  win::DWORD style = 0, exStyle = 0;
  if (HandleAllocated()) {
    style = static_cast<win::DWORD>(win::GetWindowLong(FHandle, win::GWL_STYLE));
    exStyle = static_cast<win::DWORD>(win::GetWindowLong(FHandle, win::GWL_EXSTYLE));
  } else if (FBorderStyle == bsSingle) {
    if (Ctl3D()) exStyle = win::WS_EX_CLIENTEDGE;
    else style = win::WS_BORDER;
  }
  win::RECT r{0, 0, 0, 0};
  win::AdjustWindowRectEx(&r, style, false, exStyle);
  return r.right - r.left;
}

bool TCalculatorGx::CanAutoSize(int& NewWidth, int& NewHeight) {
  NewWidth = FrameWidth() + FClientWidth;
  NewHeight = FrameWidth() + FClientHeight;
  return true;
}

void TCalculatorGx::SpeedButtonClick(TObject* Sender) {
  auto* control = dynamic_cast<TControl*>(Sender);
  int tag = control ? control->Tag() : 0;
  InputKey(tag >= 0 && tag < 24 ? CalculatorKeyChars[tag] : 0);
}

void TCalculatorGx::KeyPress(TKeyChar& Key) {
  TCustomControl::KeyPress(Key);
  if (Key != 0 && Key < 0x80) InputKey(static_cast<char>(Key));
}

bool TCalculatorGx::DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) {
  if (!TCustomControl::DoMouseWheelDown(Shift, MousePos) && FStatus != 2) ShowNumber(Value() - 1);
  return true;
}

bool TCalculatorGx::DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) {
  if (!TCustomControl::DoMouseWheelUp(Shift, MousePos) && FStatus != 2) ShowNumber(Value() + 1);
  return true;
}
