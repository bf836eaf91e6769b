#pragma once
// TFVantrel: the main window. It binds one system-wide hot key per row of the snippet
// table at start, puts a row's text on the clipboard when its combination is pressed,
// edits the table, switches auto-start and lives behind its tray icon.
#include "app/GlobalHotKey.h"
#include "app/SysTrayIcon.h"
#include "grid/DBGridGx.h"
#include "platform/controls/DBCtrls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/WebBrowser.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSource.h"
#include "platform/graphics/ImageList.h"

#include <memory>
#include <string>

// The page the browser pane shows at start.
inline constexpr const char* MakerPageURL = "http://www.vantrel.example/pro/htm.htm?ID=59&name=Vantrel";

class TFVantrel : public TForm {
  VANTREL_CLASS(TFVantrel, TForm)
public:
  explicit TFVantrel(TComponent* AOwner) : TForm(AOwner) {}

  TSplitter* Splitter1 = nullptr;
  TPanel* Panel1 = nullptr;
  TWebBrowser* WebBrowser1 = nullptr;
  TPanel* Panel2 = nullptr;
  TCheckBox* cbAutoRun = nullptr;
  TDBNavigator* DBNavigator1 = nullptr;
  TDBGridGx* DBGridGx1 = nullptr;
  TDBMemo* DBMemo1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N2 = nullptr;
  TMenuItem* N1 = nullptr;
  TSysTrayIcon* SysTrayIcon = nullptr;
  TGlobalHotKeys* myhotkey = nullptr;
  TImageList* ImageList1 = nullptr;
  TDataSource* DataSource1 = nullptr;
  TADOConnection* ADOConnection1 = nullptr;
  TADOTable* ADOTable1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void myhotkeyHotKeys(TObject* Sender, std::uint16_t HotKeyIndex);
  void cbAutoRunClick(TObject* Sender);
  void SysTrayIconDblClick(TObject* Sender);
  void N2Click(TObject* Sender);
  void N1Click(TObject* Sender);
  void WebBrowser1DocumentComplete(TObject* Sender, TOleObject* pDisp, const Variant& URL);

  // The snippet texts by hot-key index; nullptr until the table has opened.
  TStringList* ContentList() const { return FContentList.get(); }

  static void Publish(TClassBuilder<TFVantrel>& b);

private:
  std::unique_ptr<TStringList> FContentList;
};

extern TFVantrel* FVantrel;

// What the program needs before its main window, for the life of the object: its artwork
// and the main window's classes and description registered, and the grid unit (whose
// images, cursors and style serve every grid) started.
class TVantrelStart {
public:
  TVantrelStart();
  ~TVantrelStart();
  TVantrelStart(const TVantrelStart&) = delete;
  TVantrelStart& operator=(const TVantrelStart&) = delete;
};
// The executable's path (what auto-start stores), and "data.mdb" in its directory.
// Tests put the program somewhere else with SetVantrelExePath; empty goes back.
std::string VantrelExePath();
void SetVantrelExePath(const std::string& Path);
std::string VantrelDatabasePath();
