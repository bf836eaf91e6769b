#pragma once
// The four-function calculator control and its drop-down form. The control lays itself
// out from its stored form description "TCALCULATORGX"; keys are clicked or typed.
#include <string>

#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

// The key character of each key's Tag (0..23).
extern const char CalculatorKeyChars[24];

class TCalculatorGx : public TCustomControl {
  VANTREL_CLASS(TCalculatorGx, TCustomControl)
public:
  explicit TCalculatorGx(TComponent* AOwner);

  // The key machine: digits, '.', ',', operators + - * / % = and Enter, 'C' or Esc (clear),
  // 'S' square root, 'R' 1/x, 'I' sign, Backspace, Ctrl+C and Ctrl+V.
  virtual void InputKey(char Key);
  // The OnClick of every key.
  void SpeedButtonClick(TObject* Sender);

  // 0 result shown, 1 entering a number, 2 error.
  int Status() const { return FStatus; }
  char Operator() const { return FOperator; }
  double Operand() const { return FOperand; }
  std::string DisplayText() const;
  // The shown number (0 in the error state).
  double Value() const;
  TLabel* TextBox() const { return FTextBox; }
  TSpeedButtonGx* EqualKey() const { return FEqualKey; }

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value);
  int DescriptionClientWidth() const { return FClientWidth; }
  int DescriptionClientHeight() const { return FClientHeight; }
  // The width the window frame adds for the control's own styles.
  virtual int FrameWidth();
  static void Publish(TClassBuilder<TCalculatorGx>& b);

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyPress(TKeyChar& Key) override;
  bool DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) override;
  bool CanAutoSize(int& NewWidth, int& NewHeight) override;
  void ShowNumber(double Number);
  void UpdateCaption();

private:
  void LoadDescription();
  void ScaleFromDescription();
  int MeasureTextHeight();
  void BeginEntry();
  void SetError();
  void Clear();
  void OperatorKey(char Key);
  void SetDisplay(const std::string& Text);
  void SetDescriptionClientWidth(int Value);
  void SetDescriptionClientHeight(int Value);
  int DescriptionTextHeight() const { return FTextHeight; }
  void SetDescriptionTextHeight(int Value) { FTextHeight = Value; }
  bool OldCreateOrder() const { return false; }
  void SetOldCreateOrder(bool) {}

  TLabel* FTextBox = nullptr;
  TSpeedButtonGx* FEqualKey = nullptr;
  int FStatus = 0;
  char FOperator = 0;
  double FOperand = 0;
  // A square root or reciprocal stands as the number entered: a pending operation uses it.
  bool FUnaryResult = false;
  TBorderStyle FBorderStyle = bsNone;
  int FPixelsPerInch = 96;
  int FTextHeight = 0;
  int FClientWidth = 0, FClientHeight = 0;
  bool FScaleClientSize = false;
};

// The calculator as a drop-down of an edit: Enter accepts once the key reads "Ok", Esc
// cancels; the focus stays in the edit.
class TPopupCalculatorGx : public TCalculatorGx, public IPopupValueGx {
  VANTREL_CLASS(TPopupCalculatorGx, TCalculatorGx)
public:
  explicit TPopupCalculatorGx(TComponent* AOwner);
  void InputKey(char Key) override;
  bool CanFocus() const override { return false; }
  int BorderWidth() const { return PopupBorderWidth(this); }

  bool ReadyToAccept() override;
  bool GetFlatStyle() override { return FFlat; }
  void GetPopupValue(Variant& Value) override;
  void SetFlatStyle(bool Value) override;
  void SetPopupValue(const Variant& Value) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  bool CanAutoSize(int& NewWidth, int& NewHeight) override;
  virtual void DrawBorder();

private:
  // Asks the owner to close the popup, unless it is already closed.
  void Close(bool Accept);
  bool FFlat = true;
  // Enter or Esc was handled at key-down: its character is not a key again.
  bool FSwallowChar = false;
};
