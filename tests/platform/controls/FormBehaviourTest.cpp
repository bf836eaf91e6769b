#include "ControlsFixture.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/DrawRecord.h"

#include <filesystem>
#include <vector>

namespace {

class FormBehaviourTest : public ControlsTest {};

// A form with three edits and two buttons, made in code.
struct Dialog {
  TForm* Form;
  TEdit* A;
  TEdit* B;
  TPanel* Holder;
  TEdit* C;
  TButton* Ok;
  TButton* Cancel;
  explicit Dialog() {
    Form = new TForm(nullptr);
    Form->SetBounds(50, 50, 300, 200);
    A = Add<TEdit>(Form, "A", 8, 8);
    Holder = Add<TPanel>(Form, "Holder", 8, 40);
    C = Add<TEdit>(Holder, "C", 4, 4);
    B = Add<TEdit>(Form, "B", 8, 100);
    Ok = Add<TButton>(Form, "Ok", 140, 140);
    Ok->SetDefault(true);
    Ok->SetModalResult(mrOk);
    Cancel = Add<TButton>(Form, "Cancel", 220, 140);
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
  }
  template <class T>
  T* Add(TWinControl* parent, const char* name, int x, int y) {
    T* c = new T(Form);
    c->SetName(name);
    c->SetParent(parent);
    c->SetLeft(x);
    c->SetTop(y);
    return c;
  }
  ~Dialog() { Form->Free(); }
};

TEST_F(FormBehaviourTest, TabWalksTheTabOrderAndEntersAndExits) {
  Dialog d;
  std::vector<std::string> log;
  for (TEdit* e : {d.A, d.B, d.C}) {
    e->SetOnEnter([&log, e](TObject*) { log.push_back("enter " + e->Name()); });
    e->SetOnExit([&log, e](TObject*) { log.push_back("exit " + e->Name()); });
  }
  d.B->SetTabOrder(1);  // before the panel
  d.Form->Show();
  EXPECT_EQ(d.Form->ActiveControl(), d.A);
  win::headless::PressKey(win::VK_TAB);
  EXPECT_EQ(d.Form->ActiveControl(), d.B);
  win::headless::PressKey(win::VK_TAB);
  EXPECT_EQ(d.Form->ActiveControl(), d.C);  // inside the panel
  win::headless::PressKey(win::VK_TAB);
  EXPECT_EQ(d.Form->ActiveControl(), d.Ok);
  win::headless::KeyDown(win::VK_SHIFT);
  win::headless::PressKey(win::VK_TAB);
  win::headless::KeyUp(win::VK_SHIFT);
  EXPECT_EQ(d.Form->ActiveControl(), d.C);
  std::vector<std::string> want = {"enter A", "exit A", "enter B", "exit B", "enter C", "exit C", "enter C"};
  EXPECT_EQ(log, want);
  // A disabled control is skipped; a tab character never reaches an edit.
  d.Form->FocusControl(d.A);
  d.B->SetEnabled(false);
  win::headless::PressKey(win::VK_TAB);
  EXPECT_EQ(d.Form->ActiveControl(), d.C);
  EXPECT_EQ(d.C->Text(), "");
}

TEST_F(FormBehaviourTest, ClicksReachTheControlUnderTheMouse) {
  Dialog d;
  auto* label = new TLabel(d.Form);
  label->SetParent(d.Form);
  label->SetBounds(150, 8, 60, 20);
  label->SetCaption("Label");
  std::vector<std::string> clicks;
  for (TControl* c : std::initializer_list<TControl*>{d.A, d.Ok, d.Cancel, label, d.Holder})
    c->SetOnClick([&clicks, c](TObject*) { clicks.push_back(c->Name().empty() ? "label" : c->Name()); });
  d.Form->Show();
  ClickAt(d.Ok);
  ClickAt(label);
  // The panel's own area, away from its edit.
  win::POINT p = d.Holder->ClientToScreen({d.Holder->Width() - 5, d.Holder->Height() - 5});
  win::headless::Click(win::headless::MouseButton::Left, p.x, p.y);
  ClickAt(d.A);
  std::vector<std::string> want = {"Ok", "label", "Holder", "A"};
  EXPECT_EQ(clicks, want);
  EXPECT_TRUE(d.A->Focused());
  // Pressed on one control and released outside it is no click.
  clicks.clear();
  win::POINT a = Center(d.Ok);
  win::headless::MouseDown(win::headless::MouseButton::Left, a.x, a.y);
  win::headless::MouseUp(win::headless::MouseButton::Left, a.x + 200, a.y);
  EXPECT_TRUE(clicks.empty());
}

TEST_F(FormBehaviourTest, ShowModalReturnsTheButtonsModalResult) {
  struct Case {
    const char* what;
    std::function<void(Dialog&)> act;
    TModalResult result;
  };
  const Case cases[] = {
      {"click Ok", [](Dialog& d) { ClickAt(d.Ok); }, mrOk},
      {"click Cancel", [](Dialog& d) { ClickAt(d.Cancel); }, mrCancel},
      {"Enter on the default button", [](Dialog&) { win::headless::PressKey(win::VK_RETURN); }, mrOk},
      {"Escape on the cancel button", [](Dialog&) { win::headless::PressKey(win::VK_ESCAPE); }, mrCancel},
      {"closed", [](Dialog& d) { d.Form->Close(); }, mrCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Dialog d;
    auto* owner = new TForm(nullptr);
    owner->Show();
    int idle = 0;
    win::headless::SetIdleHandler([&] {
      // Other forms take no input while the modal form is up.
      EXPECT_FALSE(win::IsWindowEnabled(owner->Handle()));
      if (idle++ == 0) c.act(d);
      Wake();
    });
    EXPECT_EQ(d.Form->ShowModal(), c.result);
    win::headless::SetIdleHandler(nullptr);
    EXPECT_FALSE(d.Form->Visible());
    EXPECT_TRUE(win::IsWindowEnabled(owner->Handle()));
    owner->Free();
  }
}

TEST_F(FormBehaviourTest, ShowModalOfAVisibleFormIsRefused) {
  Dialog d;
  d.Form->Show();
  EXPECT_THROW(d.Form->ShowModal(), EInvalidOperation);
}

TEST_F(FormBehaviourTest, CloseActions) {
  struct Case {
    TCloseAction action;
    bool visible;
    bool freed;
  };
  for (Case c : {Case{caNone, true, false}, Case{caHide, false, false}, Case{caMinimize, true, false},
                 Case{caFree, false, true}}) {
    SCOPED_TRACE(EnumTypeInfo(TCloseAction{}).Names[c.action]);
    auto* f = TCustomForm::Create<TForm>(nullptr);
    bool destroyed = false;
    f->SetOnDestroy([&](TObject*) { destroyed = true; });
    f->SetOnClose([&](TObject*, TCloseAction& a) { a = c.action; });
    f->Show();
    f->Close();
    win::headless::ProcessMessages();
    EXPECT_EQ(destroyed, c.freed);
    if (!c.freed) {
      EXPECT_EQ(f->Visible(), c.visible);
      EXPECT_EQ(f->WindowState() == wsMinimized, c.action == caMinimize);
      f->Free();
    }
  }
}

TEST_F(FormBehaviourTest, ReplacedWindowProcSeesMessagesFirst) {
  Dialog d;
  std::vector<win::UINT> seen;
  TWndMethod old = d.A->WindowProc();
  EXPECT_EQ(old, MakeEvent(static_cast<TControl*>(d.A), &TControl::WndProc));
  bool swallowChars = true;
  TWndMethod hook = [&](TMessage& m) {
    seen.push_back(m.Msg);
    if (m.Msg == win::WM_CHAR && swallowChars) return;
    old(m);
  };
  d.A->SetWindowProc(hook);
  d.Form->Show();
  d.A->SetFocus();
  win::headless::TypeText("xy");
  EXPECT_EQ(d.A->Text(), "");
  EXPECT_EQ(std::count(seen.begin(), seen.end(), win::WM_CHAR), 2);
  EXPECT_EQ(d.A->Perform(CM_ENABLEDCHANGED, 0, 0), 0);
  EXPECT_EQ(seen.back(), CM_ENABLEDCHANGED);
  // Put back, the control handles its keys again.
  d.A->SetWindowProc(old);
  win::headless::TypeText("z");
  EXPECT_EQ(d.A->Text(), "z");
}

TEST_F(FormBehaviourTest, ParentFontAndColourFlowToChildren) {
  Dialog d;
  d.Form->Font()->SetName("Courier New");
  d.Form->Font()->SetHeight(-15);
  EXPECT_EQ(d.A->Font()->Height(), -15);
  EXPECT_EQ(d.C->Font()->Name(), "Courier New");  // through the panel
  d.C->Font()->SetHeight(-20);                    // its own font now
  EXPECT_FALSE(d.C->ParentFont());
  d.Form->Font()->SetHeight(-9);
  EXPECT_EQ(d.C->Font()->Height(), -20);
  EXPECT_EQ(d.B->Font()->Height(), -9);
  d.Holder->SetParentColor(true);
  d.Form->SetColor(clRed);
  EXPECT_EQ(d.Holder->Color(), clRed);
  EXPECT_NE(d.A->Color(), clRed);  // edits keep their window colour
}

TEST_F(FormBehaviourTest, ScaleByScalesBoundsAndFonts) {
  Dialog d;
  d.Form->Font()->SetHeight(-12);
  d.Form->ScaleBy(3, 2);
  EXPECT_EQ(d.A->Left(), 12);
  EXPECT_EQ(d.A->Top(), 12);
  EXPECT_EQ(d.A->Width(), 182);  // 121 * 1.5 rounded
  EXPECT_EQ(d.Form->Font()->Height(), -18);
}

TEST_F(FormBehaviourTest, SnapshotOfALaidOutForm) {
  Dialog d;
  d.A->SetText("Hello");
  d.Holder->SetCaption("Panel");
  d.Ok->SetCaption("OK");
  d.Cancel->SetCaption("Cancel");
  d.Form->Show();
  win::headless::ProcessMessages();
  std::string dir = ::testing::TempDir();
  std::string file = dir + "/controls_dialog.png";
  ASSERT_TRUE(win::SaveWindowPng(d.Form->Handle(), file));
  EXPECT_GT(std::filesystem::file_size(file), 100u);
}

}  // namespace
