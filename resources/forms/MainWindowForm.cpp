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
    return true;
  }();
  (void)done;
}
