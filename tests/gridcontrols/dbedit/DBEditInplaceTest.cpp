// In-place mode: the holder checked before it is taken, its hooks on messages and keys,
// its say on read-only state, double clicks across the holder, and placement.
#include "tests/support/DBEditFixture.h"

#include "platform/controls/ExtCtrls.h"

namespace {

class Holder : public TCustomControl, public IInplaceEditHolderGx {
  VANTREL_CLASS(Holder, TCustomControl)
public:
  explicit Holder(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
  bool CanModify = true;
  bool WantTab = false;
  win::POINT LastDown{-100, -100};
  int LastTime = 0;
  win::UINT SwallowMessage = 0;
  win::WORD EatKey = 0;
  TKeyChar EatChar = 0;
  std::vector<win::WORD> KeysSeen;

  bool CanEditorModify(TCustomDBEditGx*) override { return CanModify; }
  void GetLastMouseDown(win::POINT& Pos, int& Time) override {
    Pos = LastDown;
    Time = LastTime;
  }
  void PreviewEditorMessage(TCustomDBEditGx*, TMessage& Message) override {
    if (SwallowMessage && Message.Msg == SwallowMessage) Message.Result = 1;
  }
  void EditorKeyDown(TCustomDBEditGx*, win::WORD& Key, TShiftState) override {
    KeysSeen.push_back(Key);
    if (Key == EatKey) Key = 0;
  }
  void EditorKeyPress(TCustomDBEditGx*, TKeyChar& Key) override {
    if (Key == EatChar) Key = 0;
  }
  void EditorKeyUp(TCustomDBEditGx*, win::WORD&, TShiftState) override {}

protected:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == win::WM_GETDLGCODE) {
      Message.Result = WantTab ? win::DLGC_WANTTAB : 0;
      return;
    }
    TCustomControl::Dispatch(Message);
  }
};

class DBEditInplaceTest : public DBEditTest {
protected:
  void SetUp() override {
    DBEditTest::SetUp();
    Host = new Holder(Form);
    Host->SetParent(Form);
    Host->SetBounds(0, 0, 300, 200);
    Edit = new TDBEditGx(Form);
    Edit->SetParent(Host);
  }
  Holder* Host = nullptr;
  TDBEditGx* Edit = nullptr;
};

// A control without the interface is refused and the edit keeps its holder.
TEST_F(DBEditInplaceTest, ARefusedHolderChangesNothing) {
  Edit->SetInplaceEditHolder(Host);
  Host->CanModify = false;
  auto* Panel = new TPanel(Form);
  try {
    Edit->SetInplaceEditHolder(Panel);
    FAIL() << "accepted";
  } catch (const Exception& E) {
    EXPECT_EQ(std::string(E.what()), "InplaceEditHolder have to support IInplaceEditHolderGx interface");
  }
  EXPECT_EQ(Edit->InplaceEditHolder(), Host);
  EXPECT_TRUE(Edit->InPlace());
  // The old holder still answers for the edit.
  Edit->SetReadOnly(false);
  EXPECT_TRUE(static_cast<TCustomEdit*>(Edit)->ReadOnly());
  Edit->SetInplaceEditHolder(nullptr);
  EXPECT_FALSE(Edit->InPlace());
  EXPECT_FALSE(static_cast<TCustomEdit*>(Edit)->ReadOnly());
  EXPECT_THROW(Edit->SetInplaceEditHolder(Panel), Exception);
  EXPECT_EQ(Edit->InplaceEditHolder(), nullptr);
  EXPECT_FALSE(Edit->InPlace());
}

TEST_F(DBEditInplaceTest, ShowingHidingAndPlacing) {
  Edit->SetInplaceEditHolder(Host);
  Edit->SetVisible(false);  // hides the window only
  EXPECT_FALSE(Edit->Visible());
  EXPECT_TRUE(static_cast<TControl*>(Edit)->Visible());
  Edit->PlaceAt({10, 20, 110, 40});
  EXPECT_TRUE(Edit->Visible());
  EXPECT_EQ(Edit->Left(), 10);
  EXPECT_EQ(Edit->Top(), 20);
  EXPECT_EQ(Edit->Width(), 100);
  Edit->SetVisible(false);
  EXPECT_FALSE(Edit->Visible());
  Edit->ShowInPlaceAt({10, 20, 110, 40}, false);
  EXPECT_TRUE(Edit->Visible());
  Edit->ShowInPlaceAt({0, 0, 0, 0}, false);  // empty: hidden
  EXPECT_FALSE(Edit->Visible());
  // Out of in-place mode, placing sets the bounds.
  Edit->SetInplaceEditHolder(nullptr);
  Edit->PlaceAt({5, 5, 65, 26});
  EXPECT_EQ(Edit->Left(), 5);
  EXPECT_EQ(Edit->Width(), 60);
}

TEST_F(DBEditInplaceTest, TheHolderSeesMessagesAndKeysFirst) {
  Edit->SetInplaceEditHolder(Host);
  Edit->ShowInPlaceAt({10, 20, 110, 40}, true);
  Host->EatKey = win::VK_DELETE;
  Host->EatChar = U'q';
  Edit->SetText("abc");
  Edit->SetSelStart(0);
  Edit->Perform(win::WM_KEYDOWN, win::VK_DELETE, 0);
  Edit->Perform(win::WM_CHAR, 'q', 0);
  Edit->Perform(win::WM_CHAR, 'z', 0);
  EXPECT_EQ(Edit->GetText(), "zabc");
  EXPECT_EQ(Host->KeysSeen, std::vector<win::WORD>{win::VK_DELETE});
  Host->SwallowMessage = win::WM_CHAR;
  Edit->Perform(win::WM_CHAR, 'y', 0);
  EXPECT_EQ(Edit->GetText(), "zabc");
  // The holder's wish for Tab is the edit's.
  EXPECT_FALSE(Edit->Perform(win::WM_GETDLGCODE, 0, 0) & win::DLGC_WANTTAB);
  Host->WantTab = true;
  EXPECT_TRUE(Edit->Perform(win::WM_GETDLGCODE, 0, 0) & win::DLGC_WANTTAB);
}

TEST_F(DBEditInplaceTest, AClickSoonAfterTheHoldersMouseDownIsADoubleClick) {
  Edit->SetInplaceEditHolder(Host);
  Edit->ShowInPlaceAt({10, 20, 110, 40}, true);
  int DoubleClicks = 0;
  Edit->SetOnDblClick([&](TObject*) { ++DoubleClicks; });
  const win::POINT At = Edit->ClientToScreen({20, 5});
  Host->LastDown = At;
  Host->LastTime = static_cast<int>(win::GetMessageTime());
  Edit->Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON, win::MAKELPARAM(20, 5));
  Edit->Perform(win::WM_LBUTTONUP, 0, win::MAKELPARAM(20, 5));
  EXPECT_EQ(DoubleClicks, 1);
  // Far from the holder's mouse-down: a single click.
  Host->LastDown = {At.x + 50, At.y};
  Edit->Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON, win::MAKELPARAM(20, 5));
  Edit->Perform(win::WM_LBUTTONUP, 0, win::MAKELPARAM(20, 5));
  EXPECT_EQ(DoubleClicks, 1);
}

}  // namespace

namespace {

TEST_F(DBEditInplaceTest, AFreedHolderIsForgotten) {
  Edit->SetParent(Form);
  Edit->SetInplaceEditHolder(Host);
  delete Host;
  EXPECT_EQ(Edit->InplaceEditHolder(), nullptr);
  EXPECT_FALSE(Edit->InPlace());
  Edit->Perform(win::WM_CHAR, 'a', 0);
  EXPECT_EQ(Edit->GetText(), "a");
}

}  // namespace

namespace {

// Focus passes to the shown editor while the form keeps the holder as its active control.
TEST_F(DBEditInplaceTest, TheFormKeepsTheHolderActiveWhileTheEditorHasTheFocus) {
  Edit->SetInplaceEditHolder(Host);
  Edit->SetVisible(false);
  Host->SetFocus();
  win::headless::ProcessMessages();
  ASSERT_EQ(Form->ActiveControl(), Host);
  Edit->ShowInPlaceAt({10, 20, 110, 40}, true);
  win::headless::ProcessMessages();
  EXPECT_EQ(win::GetFocus(), Edit->Handle());
  EXPECT_EQ(Form->ActiveControl(), Host);
  EXPECT_TRUE(Edit->BorderIsActive());
  // Hiding gives the focus back to the holder.
  Edit->HideInPlace();
  EXPECT_EQ(win::GetFocus(), Host->Handle());
}

}  // namespace
