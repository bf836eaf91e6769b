// The stored description of the print preview window TPreviewFormGx.
#include "resources/forms/FormDescriptions.h"

const std::string& PreviewFormDescription() {
  static const std::string text = R"(object PreviewFormGx: TPreviewFormGx
  Left = 0
  Top = 0
  Caption = '打印预览'
  ClientHeight = 453
  ClientWidth = 688
  Font.Charset = 134
  Font.Height = -12
  Font.Name = '宋体'
  KeyPreview = True
  OldCreateOrder = False
  PixelsPerInch = 96
  Scaled = False
  TextHeight = 12
  WindowState = wsMaximized
  OnClose = FormClose
  OnCreate = FormCreate
  OnKeyDown = FormKeyDown
  object tbrMain: TToolBar
    Left = 0
    Top = 0
    Width = 688
    Height = 24
    Align = alTop
    ButtonHeight = 20
    ButtonWidth = 55
    Flat = True
    ShowCaptions = True
    ShowHint = True
    object tbtPrint: TToolButton
      Left = 0
      Top = 0
      Hint = '打印'
      Caption = '打印'
      ImageIndex = 0
      OnClick = tbtPrintClick
    end
    object tbtPrinterSetupDialog: TToolButton
      Left = 55
      Top = 0
      Hint = '打印设置'
      Caption = '打印设置'
      ImageIndex = 2
      OnClick = tbtPrinterSetupDialogClick
    end
    object tbtScale: TToolButton
      Left = 110
      Top = 0
      Hint = '缩放'
      Caption = '缩放'
      ImageIndex = 3
      Style = tbsDropDown
      OnClick = tbtScaleClick
    end
    object tbtPrevPage: TToolButton
      Left = 165
      Top = 0
      Hint = '上一页'
      Caption = '上一页'
      ImageIndex = 4
      OnMouseDown = tbtPrevPageMouseDown
      OnMouseUp = tbtPrevPageMouseUp
      OnClick = tbtPrevPageClick
    end
    object tbtNextPage: TToolButton
      Left = 220
      Top = 0
      Hint = '下一页'
      Caption = '下一页'
      ImageIndex = 5
      OnMouseDown = tbtNextPageMouseDown
      OnMouseUp = tbtNextPageMouseUp
      OnClick = tbtNextPageClick
    end
    object tbStop: TToolButton
      Left = 275
      Top = 0
      Hint = '停止'
      Caption = '停止'
      ImageIndex = 7
      OnClick = tbStopClick
    end
    object tbClose: TToolButton
      Left = 330
      Top = 0
      Hint = '关闭'
      Caption = '关闭'
      ImageIndex = 8
      OnClick = tbCloseClick
    end
  end
  object Splitter: TSplitter
    Left = 0
    Top = 24
    Width = 688
    Height = 3
    Align = alTop
    MinSize = 1
  end
  object PreviewGx1: TPreviewBox
    Left = 0
    Top = 27
    Width = 688
    Height = 407
    Align = alClient
    TabStop = True
    OnOpenPreviewer = PreviewGx1OpenPreviewer
    OnPrinterPreviewChanged = PreviewGx1PrinterPreviewChanged
  end
  object stbMain: TStatusBar
    Left = 0
    Top = 434
    Width = 688
    Height = 19
    Align = alBottom
    SimplePanel = True
  end
  object imlMain: TImageList
    Height = 32
    Width = 32
  end
  object pmnScale: TPopupMenu
    object mni500: TMenuItem
      Tag = 0
      Caption = '500%'
      GroupIndex = 1
      RadioItem = True
      OnClick = mniScaleClick
    end
    object mni200: TMenuItem
      Tag = 1
      Caption = '200%'
      GroupIndex = 1
      RadioItem = True
      OnClick = mniScaleClick
    end
    object mni150: TMenuItem
      Tag = 2
      Caption = '150%'
      GroupIndex = 1
      RadioItem = True
      OnClick = mniScaleClick
    end
    object mni100: TMenuItem
      Tag = 3
      Caption = '100%'
      GroupIndex = 1
      RadioItem = True
      OnClick = mniScaleClick
    end
    object mni75: TMenuItem
      Tag = 4
      Caption = '75%'
      GroupIndex = 1
      RadioItem = True
      OnClick = mniScaleClick
    end
    object mni50: TMenuItem
      Tag = 5
      Caption = '50%'
      GroupIndex = 1
      RadioItem = True
      OnClick = mniScaleClick
    end
    object mni25: TMenuItem
      Tag = 6
      Caption = '25%'
      GroupIndex = 1
      RadioItem = True
      OnClick = mniScaleClick
    end
    object mni10: TMenuItem
      Tag = 7
      Caption = '10%'
      GroupIndex = 1
      RadioItem = True
      OnClick = mniScaleClick
    end
    object mniPageWidth: TMenuItem
      Tag = 8
      Caption = '页宽度'
      GroupIndex = 1
      RadioItem = True
      OnClick = mniScaleClick
    end
    object mniWholePage: TMenuItem
      Tag = 9
      Caption = '整个页面'
      Checked = True
      GroupIndex = 1
      RadioItem = True
      OnClick = mniScaleClick
    end
  end
  object Timer1: TTimer
    Enabled = False
    OnTimer = Timer1Timer
  end
end
)";
  return text;
}
