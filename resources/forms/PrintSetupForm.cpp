// The stored description of the grid print's set-up dialog TfPrnDBGridGxSetupDialog.
#include "resources/forms/FormDescriptions.h"

const std::string& PrintSetupFormDescription() {
  static const std::string text = R"(object fPrnDBGridGxSetupDialog: TfPrnDBGridGxSetupDialog
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = '打印设置'
  ClientHeight = 185
  ClientWidth = 368
  Font.Charset = 134
  Font.Height = -12
  Font.Name = '宋体'
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 12
  OnShow = fPrnDBGridGXSetupDialogShow
  object gbPrintFields: TGroupBox
    Left = 8
    Top = 4
    Width = 169
    Height = 89
    Caption = '页边距(&M)'
    TabOrder = 0
    object lUp: TLabel
      Left = 8
      Top = 24
      Width = 36
      Height = 12
      Caption = '上(&T)'
      FocusControl = seUpMargin
    end
    object lLow: TLabel
      Left = 8
      Top = 56
      Width = 36
      Height = 12
      Caption = '下(&B)'
      FocusControl = seLowMargin
    end
    object lLeft: TLabel
      Left = 88
      Top = 24
      Width = 36
      Height = 12
      Caption = '左(&L)'
      FocusControl = seLeftMargin
    end
    object lRight: TLabel
      Left = 88
      Top = 56
      Width = 36
      Height = 12
      Caption = '右(&R)'
      FocusControl = seRightMargin
    end
    object seUpMargin: TEdit
      Left = 44
      Top = 20
      Width = 37
      Height = 20
      TabOrder = 0
      Text = '0'
      OnExit = seMarginExit
    end
    object seLowMargin: TEdit
      Left = 44
      Top = 52
      Width = 37
      Height = 20
      TabOrder = 1
      Text = '0'
      OnExit = seMarginExit
    end
    object seLeftMargin: TEdit
      Left = 124
      Top = 20
      Width = 37
      Height = 20
      TabOrder = 2
      Text = '0'
      OnExit = seMarginExit
    end
    object seRightMargin: TEdit
      Left = 124
      Top = 52
      Width = 37
      Height = 20
      TabOrder = 3
      Text = '0'
      OnExit = seMarginExit
    end
  end
  object cbFitWidthToPage: TCheckBox
    Left = 184
    Top = 8
    Width = 177
    Height = 17
    Alignment = taLeftJustify
    Caption = '调整宽度以适合页宽'
    TabOrder = 1
    OnClick = cbFitWidthToPageClick
  end
  object rgFitingType: TRadioGroup
    Left = 184
    Top = 28
    Width = 177
    Height = 49
    Enabled = False
    ItemIndex = 0
    Items.Strings = (
      '缩放整个表格'
      '改变列宽度')
    TabOrder = 2
  end
  object cbOptimalColWidths: TCheckBox
    Left = 184
    Top = 84
    Width = 177
    Height = 17
    Alignment = taLeftJustify
    Caption = '最佳列宽'
    TabOrder = 3
  end
  object cbAutoStretch: TCheckBox
    Left = 184
    Top = 104
    Width = 177
    Height = 17
    Alignment = taLeftJustify
    Caption = '拉伸长线'
    TabOrder = 4
  end
  object cbColored: TCheckBox
    Left = 184
    Top = 124
    Width = 177
    Height = 17
    Alignment = taLeftJustify
    Caption = '彩色的'
    TabOrder = 5
  end
  object ePrintFont: TEdit
    Left = 8
    Top = 100
    Width = 145
    Height = 20
    TabOrder = 6
  end
  object bPrintFont: TButton
    Left = 156
    Top = 100
    Width = 21
    Height = 20
    Caption = '...'
    Font.Charset = 0
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 7
    OnClick = bPrintFontClick
  end
  object bPrinterSetupDialog: TButton
    Left = 8
    Top = 152
    Width = 105
    Height = 25
    Caption = '打印机设置(&P)'
    TabOrder = 8
    OnClick = bPrinterSetupDialogClick
  end
  object bOk: TButton
    Left = 200
    Top = 152
    Width = 75
    Height = 25
    Caption = '确定(&O)'
    Default = True
    ModalResult = 1
    TabOrder = 9
  end
  object bCancel: TButton
    Left = 284
    Top = 152
    Width = 75
    Height = 25
    Cancel = True
    Caption = '取消(&C)'
    ModalResult = 2
    TabOrder = 10
  end
end
)";
  return text;
}
