// The stored description of the main window TFVantrel.
#include "platform/controls/Forms.h"
#include "resources/forms/FormDescriptions.h"

const std::string& MainWindowDescription() {
  static const std::string text = R"(object FVantrel: TFVantrel
  Left = 121
  Top = 152
  Width = 725
  Height = 394
  Caption = 'Vantrel'
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  WindowState = wsMinimized
  OldCreateOrder = False
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object Splitter1: TSplitter
    Align = alRight
  end
  object Panel1: TPanel
    Align = alBottom
    Height = 112
    object WebBrowser1: TWebBrowser
      Align = alClient
      OnDocumentComplete = WebBrowser1DocumentComplete
    end
  end
  object Panel2: TPanel
    Align = alTop
    Height = 41
    object cbAutoRun: TCheckBox
      Left = 8
      Top = 8
      Caption = '开机启动'
      Checked = True
      OnClick = cbAutoRunClick
    end
    object DBNavigator1: TDBNavigator
      Left = 112
      Top = 8
      Width = 240
      Height = 25
      DataSource = DataSource1
    end
  end
  object DBGridGx1: TDBGridGx
    Left = 0
    Top = 0
    Width = 444
    Height = 248
    Align = alClient
    ParentFont = True
    TabOrder = 0
    DataSource = DataSource1
    DrawMemoText = True
    FooterColor = clWindow
    FooterFont.Charset = 1
    FooterFont.Color = clWindowText
    FooterFont.Height = -11
    FooterFont.Name = 'MS Sans Serif'
    TitleFont.Charset = 1
    TitleFont.Color = clWindowText
    TitleFont.Height = -11
    TitleFont.Name = 'MS Sans Serif'
    CurrencyStyle.CurrencyFont.Charset = 1
    CurrencyStyle.CurrencyFont.Color = clWindowText
    CurrencyStyle.CurrencyFont.Height = -11
    CurrencyStyle.CurrencyFont.Name = 'MS Sans Serif'
    CurrencyStyle.CurrencySymbol = '￥'
    CurrencyStyle.CompartColor = clSilver
    CurrencyStyle.KilobitColor = clGreen
    CurrencyStyle.RadixColor = clRed
    CurrencyStyle.ShowMinus = True
    CurrencyStyle.ShowZero = False
    CurrencyStyle.MinusColor = clRed
    CurrencyStyle.Layout = tlCenter
    CurrencyStyle.HeadFont.Charset = 1
    CurrencyStyle.HeadFont.Color = clWindowText
    CurrencyStyle.HeadFont.Height = -11
    CurrencyStyle.HeadFont.Name = '楷体_GB2312'
    FooterDisplayStyle = False
    FixGridlinecolor = clGray
    Gridlinecolor = clGray
    Columns = <
      item
        FieldName = 'control'
        KeyList.Strings = (
          'true'
          'false')
        PickList.Strings = (
          'true'
          'false')
        Width = 87
      end
      item
        FieldName = 'alt'
        KeyList.Strings = (
          'true'
          'false')
        Width = 70
      end
      item
        FieldName = 'shift'
        KeyList.Strings = (
          'true'
          'false')
        Width = 92
      end
      item
        FieldName = 'win'
        KeyList.Strings = (
          'true'
          'false')
        Width = 78
      end
      item
        FieldName = 'KeyIndex'
        KeyList.Strings = (
          '0'
          '1'
          '2'
          '3'
          '4'
          '5'
          '6'
          '7'
          '8'
          '9'
          '10'
          '11'
          '12'
          '13'
          '14'
          '15'
          '16'
          '17'
          '18'
          '19'
          '20'
          '21'
          '22'
          '23'
          '24'
          '25'
          '26'
          '27'
          '28'
          '29'
          '30'
          '31'
          '32'
          '33'
          '34'
          '35'
          '36'
          '37'
          '38'
          '39'
          '40'
          '41'
          '42'
          '43'
          '44'
          '45'
          '46'
          '47'
          '48'
          '49'
          '50'
          '51'
          '52'
          '53'
          '54'
          '55'
          '56'
          '57'
          '58'
          '59'
          '60'
          '61'
          '62'
          '63'
          '64'
          '65'
          '66'
          '67'
          '68'
          '69'
          '70'
          '71'
          '72'
          '73'
          '74'
          '75'
          '76'
          '77'
          '78'
          '79'
          '80'
          '81'
          '82'
          '83'
          '84'
          '85'
          '86'
          '87'
          '88'
          '89'
          '90'
          '91'
          '92'
          '93'
          '94'
          '95'
          '96'
          '97'
          '98'
          '99'
          '100'
          '101'
          '102')
        PickList.Strings = (
          'vkNone'
          'vkCancel'
          'vkBack'
          'vkTab'
          'vkClear'
          'vkReturn'
          'vkPause'
          'vkCapital'
          'vkEscape'
          'vkSpace'
          'vkPrior'
          'vkNext'
          'vkEnd'
          'vkHome'
          'vkLeft'
          'vkUp'
          'vkRight'
          'vkDown'
          'vkSelect'
          'vkExecute'
          'vkSnapshot'
          'vkInsert'
          'vkDelete'
          'vkHelp'
          'vk0'
          'vk1'
          'vk2'
          'vk3'
          'vk4'
          'vk5'
          'vk6'
          'vk7'
          'vk8'
          'vk9'
          'vkA'
          'vkB'
          'vkC'
          'vkD'
          'vkE'
          'vkF'
          'vkG'
          'vkH'
          'vkI'
          'vkJ'
          'vkK'
          'vkL'
          'vkM'
          'vkN'
          'vkO'
          'vkP'
          'vkQ'
          'vkR'
          'vkS'
          'vkT'
          'vkU'
          'vkV'
          'vkW'
          'vkX'
          'vkY'
          'vkZ'
          'vkNumpad0'
          'vkNumpad1'
          'vkNumpad2'
          'vkNumpad3'
          'vkNumpad4'
          'vkNumpad5'
          'vkNumpad6'
          'vkNumpad7'
          'vkNumpad8'
          'vkNumpad9'
          'vkMultiply'
          'vkAdd'
          'vkSeparator'
          'vkSubtract'
          'vkDecimal'
          'vkDivide'
          'vkF1'
          'vkF2'
          'vkF3'
          'vkF4'
          'vkF5'
          'vkF6'
          'vkF7'
          'vkF8'
          'vkF9'
          'vkF10'
          'vkF11'
          'vkF12'
          'vkF13'
          'vkF14'
          'vkF15'
          'vkF16'
          'vkF17'
          'vkF18'
          'vkF19'
          'vkF20'
          'vkF21'
          'vkF22'
          'vkF23'
          'vkF24'
          'vkNumlock'
          'vkScroll'
          'vkApps')
        Width = 93
      end>
  end
  object DBMemo1: TDBMemo
    Align = alRight
    Width = 269
    DataField = 'Content'
    DataSource = DataSource1
    ScrollBars = ssBoth
  end
  object PopupMenu1: TPopupMenu
    object N2: TMenuItem
      Caption = '主界面'
      OnClick = N2Click
    end
    object N1: TMenuItem
      Caption = '退出'
      OnClick = N1Click
    end
  end
  object SysTrayIcon: TSysTrayIcon
    IconList = ImageList1
    IconIndex = 0
    CycleInterval = 400
    Hint = 'Vantrel'
    IconVisible = True
    PopupMenu = PopupMenu1
    MinimizeToTray = True
    OnDblClick = SysTrayIconDblClick
  end
  object myhotkey: TGlobalHotKeys
    OnHotKeys = myhotkeyHotKeys
  end
  object ImageList1: TImageList
  end
  object DataSource1: TDataSource
    AutoEdit = False
    DataSet = ADOTable1
  end
  object ADOConnection1: TADOConnection
    LoginPrompt = False
    Mode = cmShareDenyNone
    Provider = 'Microsoft.Jet.OLEDB.4.0'
  end
  object ADOTable1: TADOTable
    Connection = ADOConnection1
    TableName = 'TSet'
    object ADOTable1ID: TAutoIncField
      FieldName = 'ID'
      ReadOnly = True
      Visible = False
    end
    object ADOTable1shift: TBooleanField
      DisplayWidth = 10
      FieldName = 'shift'
    end
    object ADOTable1control: TBooleanField
      FieldName = 'control'
    end
    object ADOTable1alt: TBooleanField
      FieldName = 'alt'
    end
    object ADOTable1win: TBooleanField
      FieldName = 'win'
    end
    object ADOTable1Content: TMemoField
      DisplayLabel = '内容'
      DisplayWidth = 30
      FieldName = 'Content'
      BlobType = ftMemo
    end
    object ADOTable1KeyIndex: TIntegerField
      DisplayLabel = '键'
      FieldName = 'KeyIndex'
    end
  end
end
)";
  return text;
}

void RegisterFormDescriptions() {
  static const bool done = [] {
    RegisterFormDescription("TFVantrel", MainWindowDescription());
    RegisterFormDescription("TCALCULATORGX", CalculatorDescription());
    RegisterFormDescription("TPreviewFormGx", PreviewFormDescription());
    RegisterFormDescription("TfPrnDBGridGxSetupDialog", PrintSetupFormDescription());
    RegisterFormDescription("TFrmSetColumn", SetColumnFormDescription());
    return true;
  }();
  (void)done;
}
