// The popup data grid: a drop-down that never takes the focus, follows the pointer and
// asks its owner to close on release.
#include "tests/support/LookupFixture.h"

#include "grid/DBGridGx/GridOptions.h"
#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "gridcontrols/ToolCtrlsGx/SizeGrip.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Gdi.h"

using win::headless::MouseButton;

namespace {
class PopupDataGridTest : public LookupTest {
protected:
  TPopupDataGridGx* OpenPopup(bool SpecRowShown = false) {
    Edit = new TEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(250, 10, 100, 21);
    Popup = Open<TPopupDataGridGx>(20, 5, false, SpecRowShown);
    // Beside the form, where the pointer finds it.
    Popup->SetBounds(600, 100, 200, Popup->Height());
    Popup->SetOnCloseUpRequest([this](TObject*, bool Accept) { Requests.push_back(Accept); });
    Edit->SetFocus();
    win::headless::ProcessMessages();
    return Popup;
  }
  void Move(int X, int Y) {
    const win::POINT P = Screen(X, Y);
    win::headless::MouseMove(P.x, P.y);
  }
  void Down(int X, int Y) {
    const win::POINT P = Screen(X, Y);
    win::headless::MouseDown(MouseButton::Left, P.x, P.y);
  }
  void Up(int X, int Y) {
    const win::POINT P = Screen(X, Y);
    win::headless::MouseUp(MouseButton::Left, P.x, P.y);
  }
  TEdit* Edit = nullptr;
  TPopupDataGridGx* Popup = nullptr;
  std::vector<bool> Requests;
};
}  // namespace

TEST_F(PopupDataGridTest, IsABorderedToolWindowThatNeverTakesTheFocus) {
  win::StartDrawRecording();
  OpenPopup();
  win::RedrawWindow(Popup->Handle(), nullptr, nullptr, win::RDW_FRAME | win::RDW_INVALIDATE | win::RDW_UPDATENOW);
  const auto Edges = win::RecordedOps(win::DrawKind::Edge, Popup->Handle());
  win::StopDrawRecording();
  ASSERT_FALSE(Edges.empty());
  EXPECT_EQ(Edges.back().type, win::BDR_RAISEDOUTER);
  const auto Style = static_cast<win::DWORD>(win::GetWindowLong(Popup->Handle(), win::GWL_STYLE));
  EXPECT_EQ(Style & (win::WS_POPUP | win::WS_CLIPCHILDREN | win::WS_BORDER | win::WS_CHILD),
            win::WS_POPUP | win::WS_CLIPCHILDREN);
  EXPECT_EQ(static_cast<win::DWORD>(win::GetWindowLong(Popup->Handle(), win::GWL_EXSTYLE)), win::WS_EX_TOOLWINDOW);
  EXPECT_FALSE(Popup->CanFocus());
  EXPECT_TRUE(Popup->IsPopup());
  // The raised edge takes one pixel on each side.
  const bool VertBar = (Style & win::WS_VSCROLL) != 0;
  EXPECT_EQ(Popup->Width() - Popup->ClientWidth(), 2 + (VertBar ? win::GetSystemMetrics(win::SM_CXVSCROLL) : 0));
}

TEST_F(PopupDataGridTest, ClickLeavesFocusCaretAndActivationWithTheEditor) {
  OpenPopup();
  const win::HWND Active = win::GetActiveWindow();
  Down(20, DataRowY(2));
  Up(20, DataRowY(2));
  EXPECT_EQ(Key(), 3);
  EXPECT_EQ(win::GetFocus(), Edit->Handle());
  EXPECT_EQ(win::GetActiveWindow(), Active);
  ASSERT_NE(win::headless::Caret(), nullptr);
  EXPECT_EQ(win::headless::Caret()->Owner, Edit->Handle());
}

TEST_F(PopupDataGridTest, HoveringMovesTheKeyRowByRowUnlessReadOnly) {
  OpenPopup(true);
  Popup->SetKeyValue(Variant(1));
  int UserChanges = 0;
  Popup->SetOnUserKeyValueChanged([&](TObject*) { ++UserChanges; });
  for (int R = 0; R < 4; ++R) {
    Move(20, DataRowY(R));
    EXPECT_EQ(Key(), R + 1);
  }
  Move(20, SpecRowY());
  EXPECT_TRUE(Popup->SpecRow()->Selected());
  EXPECT_EQ(UserChanges, 4);
  Popup->SetKeyValue(Variant(6));  // the program's writes are not the user's
  EXPECT_EQ(UserChanges, 4);
  Popup->SetReadOnly(true);
  Move(20, DataRowY(3));
  EXPECT_EQ(Key(), 6);
}

TEST_F(PopupDataGridTest, ReleaseRequestsCloseUpByWhereItHappens) {
  OpenPopup(true);
  Popup->SetShowTitles(true);
  win::headless::ProcessMessages();
  Down(20, DataRowY(1));
  Up(20, DataRowY(1));
  EXPECT_EQ(Requests, std::vector<bool>{true});
  Down(20, SpecRowY());
  Up(20, SpecRowY());
  EXPECT_EQ(Requests, (std::vector<bool>{true, true}));
  Requests.clear();
  Down(20, 3);  // the title row
  Up(20, 3);
  EXPECT_TRUE(Requests.empty());
  Down(20, DataRowY(0));
  Move(20, Popup->Height() + 30);
  Up(20, Popup->Height() + 30);
  EXPECT_EQ(Requests, std::vector<bool>{false});
}

TEST_F(PopupDataGridTest, ReleaseAfterSizingAColumnRequestsNothing) {
  OpenPopup();
  Popup->SetLookupOptions(TDBLookupGridGxOptions{dlgColLinesGx, dlgColumnResizeGx});
  Popup->SetShowTitles(true);
  Popup->Columns()->ColumnAt(0)->SetWidth(60);
  win::headless::ProcessMessages();
  const int Edge = Popup->CellRect(0, 0).right;
  Down(Edge, 3);
  ASSERT_EQ(Popup->GridState(), gsColSizing);
  Move(Edge + 20, 3);
  Up(Edge + 20, 3);
  EXPECT_TRUE(Requests.empty());
}

TEST_F(PopupDataGridTest, CannotShrinkBelowOneScrollBarSquare) {
  OpenPopup();
  Popup->SetBounds(Popup->Left(), Popup->Top(), 3, 3);
  EXPECT_EQ(Popup->Width(), win::GetSystemMetrics(win::SM_CXVSCROLL));
  EXPECT_GE(Popup->Height(), win::GetSystemMetrics(win::SM_CYVSCROLL));
}

TEST_F(PopupDataGridTest, GripStaysOnTheSideItWasSentTo) {
  OpenPopup();
  Popup->SetGripResized(false);
  win::SendMessage(Popup->Handle(), WM_GRIPSIDE_GX, 0, 0);
  EXPECT_EQ(Popup->SizeGrip()->Position(), 3);
  EXPECT_EQ(Popup->SizeGrip()->Left(), 0);
  // A deferred layout and a new size keep it there.
  win::PostMessage(Popup->Handle(), WM_DEFERREDLAYOUT_GX, 0, 0);
  win::headless::ProcessMessages();
  Popup->SetDisplayRowCount(8);
  EXPECT_EQ(Popup->SizeGrip()->Position(), 3);
  EXPECT_EQ(Popup->SizeGrip()->Left(), 0);
  EXPECT_EQ(Popup->SizeGrip()->Top() + Popup->SizeGrip()->Height(), Popup->ClientHeight());
  EXPECT_TRUE(Popup->GripResized());
}
