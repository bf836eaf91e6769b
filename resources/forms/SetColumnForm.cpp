// The stored description of the column set-up dialog TFrmSetColumn.
#include "resources/forms/FormDescriptions.h"

const std::string& SetColumnFormDescription() {
  static const std::string text = R"(object FrmSetColumn: TFrmSetColumn
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSingle
  Caption = '设置表格列属性'
  ClientHeight = 228
  ClientWidth = 276
  Font.Charset = 134
  Font.Height = -12
  Font.Name = '宋体'
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 12
  OnShow = FormShow
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 72
    Height = 12
    Caption = '表格列列表:'
  end
  object CheckListBox1: TCheckListBox
    Left = 8
    Top = 24
    Width = 169
    Height = 161
    Cursor = -21
    ItemHeight = 12
    TabOrder = 0
    OnClick = CheckListBox1Click
    OnClickCheck = CheckListBox1ClickCheck
  end
  object AllBtn: TSpeedButton
    Left = 184
    Top = 24
    Width = 85
    Height = 25
    AllowAllUp = True
    GroupIndex = 1
    Caption = '显示全部字段'
    Flat = True
    OnClick = AllBtnClick
  end
  object Label2: TLabel
    Left = 8
    Top = 196
    Width = 48
    Height = 12
    Caption = '列标题:'
  end
  object Edit1: TEdit
    Left = 56
    Top = 192
    Width = 121
    Height = 20
    TabOrder = 1
    OnChange = Edit1Change
    OnExit = Edit1Exit
  end
  object OkBtn: TButton
    Left = 184
    Top = 96
    Width = 85
    Height = 25
    Cursor = -21
    Caption = '确认'
    Enabled = False
    TabOrder = 2
    OnClick = OkBtnClick
  end
  object CancelBtn: TButton
    Left = 184
    Top = 128
    Width = 85
    Height = 25
    Cursor = -21
    Caption = '取消'
    TabOrder = 3
    OnClick = CancelBtnClick
  end
  object ApplyBtn: TButton
    Left = 184
    Top = 160
    Width = 85
    Height = 25
    Cursor = -21
    Caption = '应用'
    Enabled = False
    TabOrder = 4
    OnClick = ApplyBtnClick
  end
  object CheckBox1: TCheckBox
    Left = 184
    Top = 60
    Width = 85
    Height = 17
    Cursor = -21
    Hint = '自动保存格式至注册表中'
    Caption = '自动存盘'
    ShowHint = True
    TabOrder = 5
  end
end
)";
  return text;
}
