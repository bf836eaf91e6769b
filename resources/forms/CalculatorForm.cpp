// The stored layout of the calculator control: display and keys.
#include "resources/forms/FormDescriptions.h"

const std::string& CalculatorDescription() {
  static const std::string text = R"(object TCalculatorGx
  ClientHeight = 127
  ClientWidth = 184
  BorderStyle = bsNone
  Color = clBtnFace
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  object Panel1: TPanel
    Left = 6
    Top = 4
    Width = 171
    Height = 19
    BevelOuter = bvNone
    BorderWidth = 2
    Color = clHighlightText
    object TextBox: TLabel
      Left = 2
      Top = 1
      Width = 166
      Height = 17
      Alignment = taRightJustify
      AutoSize = False
      Caption = '0'
      Layout = tlCenter
    end
  end
  object SpeedButton1: TSpeedButtonGx
    Tag = 1
    Left = 6
    Top = 29
    Width = 27
    Height = 22
    Caption = '7'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton2: TSpeedButtonGx
    Tag = 2
    Left = 35
    Top = 29
    Width = 27
    Height = 22
    Caption = '8'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton3: TSpeedButtonGx
    Tag = 3
    Left = 64
    Top = 29
    Width = 27
    Height = 22
    Caption = '9'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton4: TSpeedButtonGx
    Tag = 4
    Left = 93
    Top = 29
    Width = 27
    Height = 22
    Caption = '/'
    Flat = True
    Font.Color = clRed
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton5: TSpeedButtonGx
    Tag = 5
    Left = 122
    Top = 29
    Width = 27
    Height = 22
    Caption = 'sqrt'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton6: TSpeedButtonGx
    Tag = 6
    Left = 151
    Top = 29
    Width = 27
    Height = 46
    Caption = 'C'
    Flat = True
    Font.Color = clRed
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton7: TSpeedButtonGx
    Tag = 7
    Left = 6
    Top = 53
    Width = 27
    Height = 22
    Caption = '4'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton8: TSpeedButtonGx
    Tag = 8
    Left = 35
    Top = 53
    Width = 27
    Height = 22
    Caption = '5'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton9: TSpeedButtonGx
    Tag = 9
    Left = 64
    Top = 53
    Width = 27
    Height = 22
    Caption = '6'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton10: TSpeedButtonGx
    Tag = 10
    Left = 93
    Top = 53
    Width = 27
    Height = 22
    Caption = '*'
    Flat = True
    Font.Color = clRed
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton11: TSpeedButtonGx
    Tag = 11
    Left = 122
    Top = 53
    Width = 27
    Height = 22
    Caption = '%'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton13: TSpeedButtonGx
    Tag = 13
    Left = 6
    Top = 77
    Width = 27
    Height = 22
    Caption = '1'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton14: TSpeedButtonGx
    Tag = 14
    Left = 35
    Top = 77
    Width = 27
    Height = 22
    Caption = '2'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton15: TSpeedButtonGx
    Tag = 15
    Left = 64
    Top = 77
    Width = 27
    Height = 22
    Caption = '3'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton16: TSpeedButtonGx
    Tag = 16
    Left = 93
    Top = 77
    Width = 27
    Height = 22
    Caption = '-'
    Flat = True
    Font.Color = clRed
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton17: TSpeedButtonGx
    Tag = 17
    Left = 122
    Top = 77
    Width = 27
    Height = 22
    Caption = '1/x'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton18: TSpeedButtonGx
    Tag = 18
    Left = 151
    Top = 77
    Width = 27
    Height = 22
    Caption = '<-'
    Flat = True
    Font.Color = clRed
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton19: TSpeedButtonGx
    Tag = 19
    Left = 6
    Top = 101
    Width = 27
    Height = 22
    Caption = '0'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton20: TSpeedButtonGx
    Tag = 20
    Left = 35
    Top = 101
    Width = 27
    Height = 22
    Caption = '+/-'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton21: TSpeedButtonGx
    Tag = 21
    Left = 64
    Top = 101
    Width = 27
    Height = 22
    Caption = '.'
    Flat = True
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object SpeedButton22: TSpeedButtonGx
    Tag = 22
    Left = 93
    Top = 101
    Width = 27
    Height = 22
    Caption = '+'
    Flat = True
    Font.Color = clRed
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
  object spEqual: TSpeedButtonGx
    Tag = 23
    Left = 122
    Top = 101
    Width = 56
    Height = 22
    Caption = 'Ok'
    Flat = True
    Font.Color = clRed
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Layout = blGlyphRight
    ParentFont = False
    Transparent = False
    OnClick = SpeedButtonClick
  end
end
)";
  return text;
}
