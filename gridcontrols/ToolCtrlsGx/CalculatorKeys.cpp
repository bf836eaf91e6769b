// The calculator's key machine: three states (result shown, entering a number, error),
// double precision, up to 15 significant digits shown.
#include <cctype>
#include <cmath>

#include "gridcontrols/ToolCtrlsGx/Calculator.h"
#include "platform/controls/Clipbrd.h"
#include "platform/rtl/SysUtils.h"

namespace {
constexpr int kResult = 0, kEntering = 1, kError = 2;
bool IsArithmetic(char Op) { return Op == '*' || Op == '+' || Op == '-' || Op == '/'; }
}  // namespace

std::string TCalculatorGx::DisplayText() const { return FTextBox ? FTextBox->Caption() : std::string("0"); }

void TCalculatorGx::SetDisplay(const std::string& Text) {
  if (FTextBox) FTextBox->SetCaption(Text);
}

double TCalculatorGx::Value() const { return FStatus == kError ? 0.0 : StrToFloat(Trim(DisplayText())); }

// A result beyond the range of a double is an error like a division by zero.
void TCalculatorGx::ShowNumber(double Number) {
  if (!std::isfinite(Number)) return SetError();
  SetDisplay(FloatToStrF(Number, ffGeneral, 15, 0));
}

void TCalculatorGx::BeginEntry() {
  FUnaryResult = false;
  if (FStatus != kResult) return;
  FStatus = kEntering;
  SetDisplay("0");
}

void TCalculatorGx::SetError() {
  FStatus = kError;
  FUnaryResult = false;
  SetDisplay("Error");
}

void TCalculatorGx::Clear() {
  FStatus = kResult;
  FUnaryResult = false;
  ShowNumber(0);
  FOperator = '=';
  FOperand = 0;
  UpdateCaption();
}

// "=" while an operation waits for the number being entered, whatever the left operand.
void TCalculatorGx::UpdateCaption() {
  if (!FEqualKey) return;
  bool pending = (FStatus == kEntering || FUnaryResult) && IsArithmetic(FOperator);
  FEqualKey->SetCaption(pending ? "=" : "Ok");
}

void TCalculatorGx::OperatorKey(char Key) {
  if (FStatus == kEntering || FUnaryResult) {
    FStatus = kResult;
    FUnaryResult = false;
    double x = Value();
    if (Key == '%') {
      if (FOperator == '*' || FOperator == '/') x = x / 100;
      else if (FOperator == '+' || FOperator == '-') x = FOperand * x / 100;
    }
    switch (FOperator) {
      case '+': ShowNumber(FOperand + x); break;
      case '-': ShowNumber(FOperand - x); break;
      case '*': ShowNumber(FOperand * x); break;
      case '/':
        if (x == 0) SetError();
        else ShowNumber(FOperand / x);
        break;
      default: break;
    }
  }
  FOperator = Key;
  FOperand = Value();
}

void TCalculatorGx::InputKey(char Key) {
  Key = static_cast<char>(std::toupper(static_cast<unsigned char>(Key)));
  if (FStatus == kError && Key != 'C') Key = 0;
  if (Key == '.' || Key == ',' || Key == DecimalSeparator) {
    BeginEntry();
    std::string text = DisplayText();
    // After an exponent a separator would make the number unreadable.
    if (text.find(DecimalSeparator) == std::string::npos && text.find('E') == std::string::npos)
      SetDisplay(text + DecimalSeparator);
    return;
  }
  switch (Key) {
    case 3: Clipboard()->SetAsText(DisplayText()); break;
    case 22:
      if (Clipboard()->HasFormat(win::CF_TEXT)) ShowNumber(StrToFloat(Trim(Clipboard()->AsText())));
      break;
    case 8: {
      BeginEntry();
      std::string text = DisplayText();
      if (text.size() == 1 || (text.size() == 2 && text[0] == '-')) text = "0";
      else text.pop_back();
      SetDisplay(text);
      break;
    }
    case 13: case '%': case '*': case '+': case '-': case '/': case '=': OperatorKey(Key); break;
    case 27: case 'C': Clear(); break;
    case 'I': ShowNumber(-Value()); break;
    case 'R': {
      double v = Value();
      FStatus = kResult;
      if (v == 0) SetError();
      else {
        ShowNumber(1 / v);
        FUnaryResult = FStatus != kError;
      }
      break;
    }
    case 'S': {
      double v = Value();
      FStatus = kResult;
      if (v < 0) SetError();
      else {
        ShowNumber(std::sqrt(v));
        FUnaryResult = true;
      }
      break;
    }
    default:
      if (Key >= '0' && Key <= '9') {
        BeginEntry();
        std::string text = DisplayText();
        if (text == "0") text.clear();
        if (text.find('E') != std::string::npos) break;
        if (text.size() < (text.find('-') != std::string::npos ? 16u : 15u)) text += Key;
        SetDisplay(text);
      }
      break;
  }
  UpdateCaption();
}
