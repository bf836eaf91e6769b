#include "app/uVantrel.h"

#include "app/AutoRun.h"
#include "app/SnippetHotKeys.h"
#include "grid/DBGridGx/SharedResources.h"
#include "gridoutput/DBGridGxImpExp/Unit.h"
#include "gridoutput/PrnDbggx.h"
#include "platform/rtl/ScopeExit.h"
#include "resources/artwork/Artwork.h"
#include "resources/forms/FormDescriptions.h"

#include <filesystem>

TFVantrel* FVantrel = nullptr;

void TFVantrel::Publish(TClassBuilder<TFVantrel>& b) {
  b.Field("Splitter1", &TFVantrel::Splitter1);
  b.Field("Panel1", &TFVantrel::Panel1);
  b.Field("WebBrowser1", &TFVantrel::WebBrowser1);
  b.Field("Panel2", &TFVantrel::Panel2);
  b.Field("cbAutoRun", &TFVantrel::cbAutoRun);
  b.Field("DBNavigator1", &TFVantrel::DBNavigator1);
  b.Field("DBGridGx1", &TFVantrel::DBGridGx1);
  b.Field("DBMemo1", &TFVantrel::DBMemo1);
  b.Field("PopupMenu1", &TFVantrel::PopupMenu1);
  b.Field("N2", &TFVantrel::N2);
  b.Field("N1", &TFVantrel::N1);
  b.Field("SysTrayIcon", &TFVantrel::SysTrayIcon);
  b.Field("myhotkey", &TFVantrel::myhotkey);
  b.Field("ImageList1", &TFVantrel::ImageList1);
  b.Field("DataSource1", &TFVantrel::DataSource1);
  b.Field("ADOConnection1", &TFVantrel::ADOConnection1);
  b.Field("ADOTable1", &TFVantrel::ADOTable1);
  b.Method("FormCreate", &TFVantrel::FormCreate);
  b.Method("FormDestroy", &TFVantrel::FormDestroy);
  b.Method("myhotkeyHotKeys", &TFVantrel::myhotkeyHotKeys);
  b.Method("cbAutoRunClick", &TFVantrel::cbAutoRunClick);
  b.Method("SysTrayIconDblClick", &TFVantrel::SysTrayIconDblClick);
  b.Method("N2Click", &TFVantrel::N2Click);
  b.Method("N1Click", &TFVantrel::N1Click);
  b.Method("WebBrowser1DocumentComplete", &TFVantrel::WebBrowser1DocumentComplete);
}

namespace {
std::string& ExePathOverride() {
  static std::string path;
  return path;
}
}  // namespace

std::string VantrelExePath() { return ExePathOverride().empty() ? ParamStr(0) : ExePathOverride(); }
void SetVantrelExePath(const std::string& Path) { ExePathOverride() = Path; }

std::string VantrelDatabasePath() {
  return (std::filesystem::path(VantrelExePath()).parent_path() / "data.mdb").string();
}

TVantrelStart::TVantrelStart() {
  RegisterArtwork();
  RegisterStandardClasses();
  RegisterDataClasses();
  RegisterClasses({TFVantrel::StaticClass(), TSysTrayIcon::StaticClass(), TGlobalHotKeys::StaticClass(),
                   TImageList::StaticClass()});
  RegisterFormDescriptions();
  // The export unit registers its clipboard formats and gives the grid its clipboard
  // actions; the grid's classes are registered by its unit.
  StartDBGridGxImpExpUnit();
  StartPrnDbggxUnit();
  StartDBGridGxUnit();
}

TVantrelStart::~TVantrelStart() {
  FinishDBGridGxImpExpUnit();
  FinishPrnDbggxUnit();
  FinishDBGridGxUnit();
}

namespace {
// The box shows whether auto-start is on; showing it clicks nothing.
void ShowAutoRun(TCheckBox* Box) {
  TNotifyEvent click = Box->OnClick();
  Box->SetOnClick(nullptr);
  Box->SetChecked(AutoRunIsOn(VantrelExePath()));
  Box->SetOnClick(click);
}
}  // namespace

void TFVantrel::FormCreate(TObject*) {
  if (cbAutoRun) ShowAutoRun(cbAutoRun);
  win::SetWindowLongA(Application->Handle(), win::GWL_EXSTYLE, win::WS_EX_TOOLWINDOW);
  WebBrowser1->Navigate(MakerPageURL);
  ADOConnection1->Close();
  ADOConnection1->SetConnectionString(SnippetConnectionString(VantrelDatabasePath()));
  ADOConnection1->Open();
  ADOTable1->Open();
  FContentList = std::make_unique<TStringList>();
  BindSnippetRows(ADOTable1, myhotkey->HotKeys(), FContentList.get());
}

void TFVantrel::FormDestroy(TObject*) { FContentList.reset(); }

void TFVantrel::myhotkeyHotKeys(TObject*, std::uint16_t HotKeyIndex) {
  CopySnippetToClipboard(FContentList.get(), HotKeyIndex);
}

void TFVantrel::cbAutoRunClick(TObject*) {
  // Written or not, the box then shows what is in place.
  auto showAfterwards = AtScopeExit([this] { ShowAutoRun(cbAutoRun); });
  WriteAutoRun(cbAutoRun->Checked(), VantrelExePath());
}

void TFVantrel::SysTrayIconDblClick(TObject*) { SysTrayIcon->RestoreMainWindow(); }
void TFVantrel::N2Click(TObject*) { SysTrayIcon->RestoreMainWindow(); }
void TFVantrel::N1Click(TObject*) { Application->Terminate(); }

// Turns off the page's scroll bars once it has loaded; a page without a body keeps them.
void TFVantrel::WebBrowser1DocumentComplete(TObject*, TOleObject*, const Variant&) {
  if (WebBrowser1->Busy() || !WebBrowser1->Document()) return;
  try {
    WebBrowser1->Document()->Object("body")->SetProperty("Scroll", Variant("no"));
  } catch (const EOleError&) {
  }
}
