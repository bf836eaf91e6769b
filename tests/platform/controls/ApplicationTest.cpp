#include "ControlsFixture.h"

#include "platform/controls/Clipbrd.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

#include <vector>

namespace {

// A form class of the program's kind: components and handlers named in its description.
class TTestMainForm : public TForm {
  VANTREL_CLASS(TTestMainForm, TForm)
public:
  explicit TTestMainForm(TComponent* AOwner) : TForm(AOwner) {}
  TCheckBox* cbAuto = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* N2 = nullptr;
  std::vector<std::string> Log;
  void FormCreate(TObject*) {
    Log.push_back(std::string("create ") + (cbAuto && cbAuto->Checked() ? "checked" : "unchecked"));
  }
  void cbAutoClick(TObject*) { Log.push_back("auto click"); }
  void N1Click(TObject*) { Log.push_back("exit"); Application->Terminate(); }
  void N2Click(TObject*) { Log.push_back("main"); }
  static void Publish(TClassBuilder<TTestMainForm>& b) {
    b.Field("cbAuto", &TTestMainForm::cbAuto);
    b.Field("PopupMenu1", &TTestMainForm::PopupMenu1);
    b.Field("N1", &TTestMainForm::N1);
    b.Field("N2", &TTestMainForm::N2);
    b.Method("FormCreate", &TTestMainForm::FormCreate);
    b.Method("cbAutoClick", &TTestMainForm::cbAutoClick);
    b.Method("N1Click", &TTestMainForm::N1Click);
    b.Method("N2Click", &TTestMainForm::N2Click);
  }
};

const char* kMainForm = R"(object TestMainForm: TTestMainForm
  Left = 121
  Top = 152
  Caption = 'Main'
  ClientHeight = 200
  ClientWidth = 300
  WindowState = wsMinimized
  OldCreateOrder = False
  OnCreate = FormCreate
  object cbAuto: TCheckBox
    Left = 8
    Top = 8
    Width = 97
    Height = 17
    Caption = 'Auto'
    Checked = True
    OnClick = cbAutoClick
  end
  object PopupMenu1: TPopupMenu
    object N2: TMenuItem
      Caption = 'Main window'
      OnClick = N2Click
    end
    object N1: TMenuItem
      Caption = 'Exit'
      OnClick = N1Click
    end
  end
end
)";

class ApplicationTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    RegisterClass(TTestMainForm::StaticClass());
    RegisterFormDescription("TTestMainForm", kMainForm);
  }
  void TearDown() override {
    for (int i = Application->ComponentCount() - 1; i >= 0; --i)
      if (auto* f = dynamic_cast<TCustomForm*>(Application->Components(i))) f->Free();
    ControlsTest::TearDown();
  }
};

TEST_F(ApplicationTest, CreateFormReadsTheDescriptionThenRunsOnCreate) {
  TTestMainForm* f = nullptr;
  Application->CreateForm(f);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(Application->MainForm(), f);
  // Loading checks the box without clicking it; OnCreate sees the loaded state.
  EXPECT_EQ(f->Log, std::vector<std::string>{"create checked"});
  ASSERT_NE(f->PopupMenu1, nullptr);
  ASSERT_EQ(f->PopupMenu1->Items()->Count(), 2);
  EXPECT_EQ(f->PopupMenu1->Items()->Items(0), f->N2);
  // Checking from code or by the user clicks once.
  f->cbAuto->SetChecked(false);
  EXPECT_EQ(f->Log.back(), "auto click");
  EXPECT_EQ(f->Log.size(), 2u);
}

TEST_F(ApplicationTest, PopupMenuItemChosenByScriptIsClicked) {
  TTestMainForm* f = nullptr;
  Application->CreateForm(f);
  std::vector<std::string> shown;
  SetPopupMenuHandler([&](TPopupMenu* m, int x, int y) -> TMenuItem* {
    shown.push_back(std::to_string(x) + "," + std::to_string(y));
    return shown.size() == 1 ? m->Items()->Items(0) : nullptr;
  });
  f->PopupMenu1->SetPopupComponent(f->cbAuto);
  f->PopupMenu1->Popup(10, 20);
  EXPECT_EQ(f->Log.back(), "main");
  f->PopupMenu1->Popup(30, 40);  // dismissed: nothing clicked
  EXPECT_EQ(f->Log.back(), "main");
  EXPECT_EQ(shown, (std::vector<std::string>{"10,20", "30,40"}));
  EXPECT_EQ(f->PopupMenu1->PopupComponent(), f->cbAuto);
  // A right click on a control with the menu pops it up at the pointer.
  f->cbAuto->SetPopupMenu(f->PopupMenu1);
  f->SetWindowState(wsNormal);
  f->Show();
  win::POINT p = Center(f->cbAuto);
  win::headless::Click(win::headless::MouseButton::Right, p.x, p.y);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2], std::to_string(p.x) + "," + std::to_string(p.y));
}

TEST_F(ApplicationTest, RunMinimisesTheStoredMinimisedFormAndRestoreBringsItBack) {
  TTestMainForm* f = nullptr;
  Application->CreateForm(f);
  std::vector<std::string> seen;
  TWindowHook hook = [&](TMessage& m) {
    if (m.Msg == win::WM_SIZE && m.WParam == win::SIZE_MINIMIZED) seen.push_back("size minimized");
    if (m.Msg == win::WM_SYSCOMMAND && (m.WParam & 0xFFF0) == win::SC_RESTORE) seen.push_back("restore");
    if (m.Msg == win::WM_SYSCOMMAND && (m.WParam & 0xFFF0) == win::SC_MINIMIZE) seen.push_back("minimize");
    if (m.Msg == win::WM_WINDOWPOSCHANGED) seen.push_back("poschanged");
    if (m.Msg == win::WM_SHOWWINDOW) seen.push_back(m.WParam ? "show" : "hide");
    return false;
  };
  Application->HookMainWindow(hook);
  Application->HookMainWindow(hook);  // once only
  int step = 0;
  win::headless::SetIdleHandler([&] {
    switch (step++) {
      case 0:
        EXPECT_TRUE(win::IsIconic(Application->Handle()));
        EXPECT_FALSE(f->Visible());
        Application->Restore();
        Wake();
        break;
      default:
        Application->Terminate();
    }
  });
  Application->Run();
  Application->UnhookMainWindow(hook);
  auto has = [&](const char* s) { return std::find(seen.begin(), seen.end(), s) != seen.end(); };
  EXPECT_TRUE(has("minimize"));
  EXPECT_TRUE(has("size minimized"));
  EXPECT_TRUE(has("poschanged"));
  EXPECT_TRUE(has("restore"));
  EXPECT_LT(std::find(seen.begin(), seen.end(), "size minimized") - seen.begin(),
            std::find(seen.begin(), seen.end(), "restore") - seen.begin());
  EXPECT_FALSE(win::IsIconic(Application->Handle()));
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(ApplicationTest, ExceptionInAHandlerShowsOneMessageBoxAndTheLoopGoesOn) {
  auto* f = TCustomForm::Create<TForm>(nullptr);
  auto* b = new TButton(f);
  b->SetParent(f);
  int clicks = 0;
  b->SetOnClick([&](TObject*) {
    ++clicks;
    if (clicks == 1) throw EConvertError("'x' is not a valid integer value");
    if (clicks == 2) Abort();  // silent
  });
  f->Show();
  int step = 0;
  win::headless::SetIdleHandler([&] {
    if (step++ < 3) {
      ClickAt(b);
      Wake();
    } else {
      Application->Terminate();
    }
  });
  Application->Run();
  EXPECT_EQ(clicks, 3);
  ASSERT_EQ(win::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(win::headless::MessageBoxes()[0].Text, "'x' is not a valid integer value.");
  f->Free();
}

TEST_F(ApplicationTest, OnExceptionReplacesTheMessageBox) {
  std::vector<std::string> got;
  Application->SetOnException([&](TObject*, const Exception& e) { got.push_back(e.Message()); });
  try {
    throw ERegistryException("Failed to set data for 'Vantrel'");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  EXPECT_EQ(got, std::vector<std::string>{"Failed to set data for 'Vantrel'"});
  EXPECT_TRUE(win::headless::MessageBoxes().empty());
}

TEST_F(ApplicationTest, BadDescriptionsNameTheCulprit) {
  struct Case {
    const char* text;
    const char* needle;
  };
  const Case cases[] = {
      {"object F: TForm\n  object X: TNoSuchControl\n  end\nend\n", "TNoSuchControl"},
      {"object F: TForm\n  NoSuchProperty = 1\nend\n", "NoSuchProperty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.needle);
    auto* f = new TForm(nullptr);
    try {
      f->ReadDescription(c.text);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find(c.needle), std::string::npos) << e.Message();
    }
    f->Free();
  }
}

TEST_F(ApplicationTest, ClipboardOpensNestedAndReportsARefusal) {
  Clipboard()->SetAsText("snippet");
  EXPECT_EQ(win::headless::ClipboardText(), "snippet");
  EXPECT_TRUE(Clipboard()->HasFormat(win::CF_TEXT));
  Clipboard()->Open();
  Clipboard()->SetAsText("one");
  Clipboard()->Open();
  EXPECT_EQ(Clipboard()->AsText(), "one");
  Clipboard()->Close();
  Clipboard()->Close();
  win::headless::SetClipboardTextElsewhere("theirs");
  EXPECT_EQ(Clipboard()->AsText(), "theirs");
  win::headless::HoldClipboardElsewhere(true);
  EXPECT_THROW(Clipboard()->SetAsText("x"), EClipboardException);
  win::headless::HoldClipboardElsewhere(false);
}

}  // namespace

namespace {

TEST_F(ApplicationTest, PopupMenuWithoutAScriptRunsItsOwnWindow) {
  TTestMainForm* f = nullptr;
  Application->CreateForm(f);
  struct Case {
    const char* what;
    std::function<void()> act;
    const char* last;
  };
  const Case cases[] = {
      {"click the first item", [] { win::headless::Click(win::headless::MouseButton::Left, 110, 111); }, "main"},
      {"Escape", [] { win::headless::PressKey(win::VK_ESCAPE); }, nullptr},
      {"click outside", [] { win::headless::Click(win::headless::MouseButton::Left, 600, 600); }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    f->Log.clear();
    int step = 0;
    win::headless::SetIdleHandler([&] {
      if (step++ == 0) c.act();
      Wake();
    });
    f->PopupMenu1->Popup(100, 100);
    win::headless::SetIdleHandler(nullptr);
    if (c.last) EXPECT_EQ(f->Log, std::vector<std::string>{c.last});
    else EXPECT_TRUE(f->Log.empty());
    EXPECT_EQ(win::GetCapture(), nullptr);
  }
}

}  // namespace
