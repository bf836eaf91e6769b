// The main window made from its stored description: hot keys, tray, auto-start, browser.
#include "tests/support/MainWindowFixture.h"
#include "resources/artwork/Artwork.h"

#include <fstream>

namespace {

namespace fs = std::filesystem;
constexpr win::UINT CtrlAlt = win::MOD_CONTROL | win::MOD_ALT;

TEST_F(MainWindowTest, StartUpBindsOneHotKeyPerRowAndPressingOneCopiesItsText) {
  WriteDatabase();
  TFVantrel* f = Create();
  ASSERT_NE(f, nullptr);
  for (auto& m : win::headless::MessageBoxes()) ADD_FAILURE() << m.Text;
  ASSERT_NE(f->myhotkey, nullptr);
  EXPECT_EQ(f->Caption(), "Vantrel");
  EXPECT_EQ(Application->MainForm(), f);

  ASSERT_EQ(f->myhotkey->HotKeys()->Count(), 4);
  ASSERT_NE(f->ContentList(), nullptr);
  ASSERT_EQ(f->ContentList()->Count(), 4);
  // A keyless row takes its index and text; an equal combination does not register.
  const bool registered[] = {true, false, true, false};
  const char* texts[] = {"first", "no key", "第三 third", "same as first"};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(f->myhotkey->HotKeys()->ItemAt(i)->Registered(), registered[i]);
    EXPECT_EQ(f->ContentList()->Strings(i), texts[i]);
  }

  ASSERT_TRUE(win::headless::PressHotKey(CtrlAlt, 'C'));
  EXPECT_EQ(win::headless::ClipboardText(), "第三 third");
  ASSERT_TRUE(win::headless::PressHotKey(CtrlAlt, 'A'));
  EXPECT_EQ(win::headless::ClipboardText(), "first");
}

TEST_F(MainWindowTest, StartUpSetsTheApplicationWindowAndTheBrowserPane) {
  WriteDatabase();
  TFVantrel* f = Create();
  EXPECT_EQ(win::GetWindowLongA(Application->Handle(), win::GWL_EXSTYLE), win::LONG_PTR(win::WS_EX_TOOLWINDOW));
  win::headless::ProcessMessages();
  EXPECT_EQ(f->WebBrowser1->LocationURL(), "http://www.vantrel.example/pro/htm.htm?ID=59&name=Vantrel");
  ASSERT_NE(f->WebBrowser1->Document(), nullptr);
  EXPECT_EQ(f->WebBrowser1->Document()->Object("body")->GetProperty("Scroll"), Variant("no"));
  // The data side: a read-only view until the navigator edits.
  EXPECT_FALSE(f->DataSource1->AutoEdit());
  EXPECT_EQ(f->DataSource1->DataSet(), f->ADOTable1);
  EXPECT_TRUE(f->ADOTable1->Active());
  EXPECT_EQ(f->DBMemo1->DataField(), "Content");
  // The table's stored fields, in their order, with their labels.
  struct FieldCase {
    const char* name;
    const char* label;
    bool visible;
  };
  const FieldCase fields[] = {{"ID", "ID", false},       {"shift", "shift", true}, {"control", "control", true},
                              {"alt", "alt", true},      {"win", "win", true},     {"Content", "内容", true},
                              {"KeyIndex", "键", true}};
  ASSERT_EQ(f->ADOTable1->FieldCount(), 7);
  EXPECT_FALSE(f->ADOTable1->DefaultFields());
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(fields[i].name);
    TField* field = f->ADOTable1->Fields().Fields(i);
    EXPECT_EQ(field->FieldName(), fields[i].name);
    EXPECT_EQ(field->DisplayLabel(), fields[i].label);
    EXPECT_EQ(field->Visible(), fields[i].visible);
  }
  EXPECT_EQ(f->ADOTable1->FieldByName("shift")->DisplayWidth(), 10);
}

TEST_F(MainWindowTest, AMissingDatabaseShowsOneMessageAndBindsNoHotKeys) {
  TFVantrel* f = Create();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(win::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(f->myhotkey->HotKeys()->Count(), 0);
  EXPECT_EQ(f->ContentList(), nullptr);
  // The hot-key road swallows the missing list.
  f->myhotkeyHotKeys(f->myhotkey, 0);
  EXPECT_EQ(win::headless::MessageBoxes().size(), 1u);
  // "退出" still ends the loop.
  ASSERT_EQ(f->PopupMenu1->Items()->Count(), 2);
  EXPECT_EQ(f->PopupMenu1->Items()->Items(0)->Caption(), "主界面");
  EXPECT_EQ(f->PopupMenu1->Items()->Items(1)->Caption(), "退出");
  f->N1->Click();
  Application->ProcessMessages();
  EXPECT_TRUE(Application->Terminated());
  Application->ClearTerminated();
}

TEST_F(MainWindowTest, TheAutoStartBoxShowsTheStoredStateWithoutWritingIt) {
  WriteDatabase();
  struct Case {
    const char* stored;  // nullptr: no value
    bool checked;
  };
  const std::string other = "/elsewhere/vantrel";
  const Case cases[] = {{nullptr, false}, {"", false}, {exe.c_str(), true}, {other.c_str(), false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "<absent>");
    fs::remove_all(dir / "config");
    fs::create_directory(dir / "config");
    win::headless::SetConfigHome((dir / "config").string());
    if (c.stored) StoreAutoRun(c.stored);
    TFVantrel* f = Create();
    EXPECT_EQ(f->cbAutoRun->Checked(), c.checked);
    win::headless::ReloadRegistry();
    EXPECT_EQ(StoredAutoRun(), c.stored ? c.stored : "<absent>");
    f->Free();
    FVantrel = nullptr;
  }
}

TEST_F(MainWindowTest, ClickingTheAutoStartBoxWritesOrEmptiesTheValue) {
  WriteDatabase();
  TFVantrel* f = Create();
  ASSERT_FALSE(f->cbAutoRun->Checked());
  f->cbAutoRun->SetChecked(true);
  EXPECT_EQ(StoredAutoRun(), exe);
  f->cbAutoRun->SetChecked(false);
  EXPECT_EQ(StoredAutoRun(), "");  // emptied, not deleted
}

TEST_F(MainWindowTest, AfterAFailedAutoStartWriteTheBoxShowsWhatIsInPlace) {
  WriteDatabase();
  TFVantrel* f = Create();
  // Switching on: the autostart entry cannot be written, so nothing is switched on.
  fs::path entries = dir / "config" / "autostart";
  fs::remove_all(entries);
  std::ofstream(entries.string()) << "in the way\n";
  EXPECT_THROW(f->cbAutoRun->SetChecked(true), ERegistryException);
  EXPECT_FALSE(f->cbAutoRun->Checked());
  EXPECT_EQ(StoredAutoRun(), "<absent>");
  // Switching off: the store cannot be written, so auto-start stays on.
  fs::remove(entries);
  f->cbAutoRun->SetChecked(true);
  ASSERT_EQ(StoredAutoRun(), exe);
  win::headless::SetRegistryWriteHook([](const std::string&) { return false; });
  EXPECT_THROW(f->cbAutoRun->SetChecked(false), ERegistryException);
  win::headless::SetRegistryWriteHook(nullptr);
  EXPECT_TRUE(f->cbAutoRun->Checked());
  EXPECT_EQ(StoredAutoRun(), exe);
}

TEST_F(MainWindowTest, TheTrayIconAndItsMenuBringTheWindowBack) {
  WriteDatabase();
  TFVantrel* f = Create();
  EXPECT_EQ(f->WindowState(), wsMinimized);
  auto icons = win::headless::TrayIcons();
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0].Tip, "Vantrel");
  f->SysTrayIcon->HideMainWindow();
  EXPECT_FALSE(f->Visible());

  win::headless::DoubleClickTrayIcon(icons[0].Owner, icons[0].Id);
  win::headless::ProcessMessages();
  EXPECT_TRUE(f->Visible());
  EXPECT_NE(f->WindowState(), wsMinimized);
  // Keys go to the window that came back, not to the hidden application window.
  win::HWND focus = win::GetFocus();
  EXPECT_TRUE(focus == f->Handle() || win::IsChild(f->Handle(), focus));
  EXPECT_EQ(win::GetActiveWindow(), f->Handle());

  f->SysTrayIcon->HideMainWindow();
  f->N2->Click();  // "主界面"
  EXPECT_TRUE(f->Visible());
  EXPECT_FALSE(Application->Terminated());
}

TEST_F(MainWindowTest, TheTrayAndTheWindowShowTheProgramsIcon) {
  RegisterArtwork();
  Application->Initialize();
  TIcon* icon = Application->Icon();
  ASSERT_FALSE(icon->Empty());
  TIcon mainIcon;
  mainIcon.LoadFromResourceName(nullptr, "MAINICON");
  EXPECT_EQ(icon->Image().pixels, mainIcon.Image().pixels);

  WriteDatabase();
  TFVantrel* f = Create();
  auto icons = win::headless::TrayIcons();
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_NE(icons[0].Icon, nullptr);
  EXPECT_EQ(icons[0].Icon, icon->Handle());
  auto windowIcon = [&] { return reinterpret_cast<win::HICON>(win::SendMessage(f->Handle(), win::WM_GETICON, 1, 0)); };
  EXPECT_EQ(windowIcon(), icon->Handle());
  // An icon of the form's own is what its window shows.
  f->Icon()->SetImage(win::PixelImage{16, 16, std::vector<std::uint32_t>(16 * 16, 0xFF00FF00)});
  EXPECT_EQ(windowIcon(), f->Icon()->Handle());
  EXPECT_NE(windowIcon(), icon->Handle());

  TIcon none;
  Application->SetIcon(&none);
}

TEST_F(MainWindowTest, RunningStartsInTheTrayAndExitEndsTheLoop) {
  WriteDatabase();
  TFVantrel* f = Create();
  bool visibleWhileRunning = true;
  win::headless::SetIdleHandler([&] {
    visibleWhileRunning = f->Visible() && win::IsWindowVisible(f->Handle());
    f->N1->Click();  // "退出"
  });
  Application->Run();
  win::headless::SetIdleHandler(nullptr);
  EXPECT_FALSE(visibleWhileRunning);
  EXPECT_EQ(win::headless::TrayIcons().size(), 1u);
  Application->ClearTerminated();
}

}  // namespace
