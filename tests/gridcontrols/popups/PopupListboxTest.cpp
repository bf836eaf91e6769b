// The popup list box: its popup window, row-snapped height and minimum size, typed-prefix
// search on the manual clock, hot tracking, the wheel, the grip, drawing as focused while
// the owner keeps the focus, and images beside the items.
#include "PopupsFixture.h"

#include <string>

#include "platform/controls/StdCtrls.h"
#include "platform/graphics/DrawRecord.h"
#include "platform/graphics/Gdi.h"

namespace {

class PopupListboxTest : public PopupsTest {
protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 100, 21);
    List = new TPopupListboxGx(Form);
    List->SetParent(Form);
    List->SetItemHeight(16);
    List->SetBounds(300, 400, 150, 100);
    Edit->SetFocus();
  }
  void Show() {
    List->SetVisible(true);
    win::headless::ProcessMessages();
  }
  // Keys reach the list from its owner.
  void Type(const std::string& Text) {
    for (char c : Text) List->Perform(win::WM_CHAR, static_cast<unsigned char>(c), 0);
  }
  void AddItems(std::initializer_list<const char*> Items) {
    for (const char* s : Items) List->Items()->Add(s);
  }
  TEdit* Edit = nullptr;
  TPopupListboxGx* List = nullptr;
};

TEST_F(PopupListboxTest, IsABorderedPopupToolWindowThatCannotTakeTheFocus) {
  win::StartDrawRecording();
  Show();
  win::StopDrawRecording();
  win::HWND h = List->Handle();
  // The raised 3-D frame in the non-client area: outer then inner edge.
  auto edges = win::RecordedOps(win::DrawKind::Edge, h);
  win::ClearDrawRecording();
  ASSERT_GE(edges.size(), 2u);
  EXPECT_EQ(edges[edges.size() - 2].type, win::BDR_RAISEDOUTER);
  EXPECT_EQ(edges[edges.size() - 2].rect.right, 150);
  EXPECT_EQ(edges.back().type, win::BDR_RAISEDINNER);
  EXPECT_EQ(edges.back().rect.left, 1);
  const auto style = static_cast<win::DWORD>(win::GetWindowLong(h, win::GWL_STYLE));
  EXPECT_TRUE(style & win::WS_POPUP);
  EXPECT_TRUE(style & win::WS_CLIPCHILDREN);
  EXPECT_FALSE(style & win::WS_BORDER);
  EXPECT_EQ(static_cast<win::DWORD>(win::GetWindowLong(h, win::GWL_EXSTYLE)),
            win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST);
  EXPECT_EQ(win::GetWindow(h, win::GW_OWNER), Form->Handle());
  EXPECT_FALSE(List->CanFocus());
  EXPECT_FALSE(List->TabStop());
  EXPECT_EQ(List->Style(), lbOwnerDrawFixed);
  // The 3-D border takes 2 pixels on every side.
  EXPECT_EQ(List->ClientWidth(), 146);
  EXPECT_EQ(List->ClientHeight(), List->Height() - 4);
  EXPECT_EQ(win::GetFocus(), Edit->Handle());
  // Without the 3-D look: a plain border and no frame of its own.
  List->SetCtl3D(false);
  List->HandleNeeded();
  EXPECT_TRUE(win::GetWindowLong(List->Handle(), win::GWL_STYLE) & win::WS_BORDER);
  EXPECT_EQ(List->ClientWidth(), 148);
}

TEST_F(PopupListboxTest, HeightSnapsToWholeRowsNeverBelowOne) {
  const int frame = 4;  // the 3-D border, top and bottom
  const struct {
    int Asked, Rows;
  } cases[] = {{frame + 5 * 16, 5}, {frame + 5 * 16 + 15, 5}, {frame + 6 * 16, 6}, {frame + 15, 1}, {0, 1}, {-50, 1}};
  for (const auto& c : cases) {
    List->SetBounds(300, 400, 150, c.Asked);
    EXPECT_EQ(List->RowCount(), c.Rows) << c.Asked;
    EXPECT_EQ(List->Height(), frame + c.Rows * 16) << c.Asked;
    EXPECT_EQ(List->Left(), 300);
    EXPECT_EQ(List->Width(), 150);
  }
  List->SizeToRows(3);
  EXPECT_EQ(List->Height(), frame + 3 * 16);
  List->SizeToRows(0);
  EXPECT_EQ(List->Height(), frame + 16);
  // A window never narrower than a scroll bar.
  Show();
  List->SetWidth(5);
  EXPECT_EQ(List->Width(), 16);
}

TEST_F(PopupListboxTest, TypedPrefixSearchesFromTheFirstItemAndIsForgottenAfterTwoSeconds) {
  AddItems({"apple", "Abacus", "abc", "banana", "cherry", "hotel"});
  List->SetItemIndex(4);
  Type("ab");
  EXPECT_EQ(List->ItemIndex(), 1);  // from the first item, without case
  Type("c");
  EXPECT_EQ(List->ItemIndex(), 2);
  win::headless::AdvanceClock(2001);
  Type("c");
  EXPECT_EQ(List->ItemIndex(), 4);  // "c" alone
  win::headless::AdvanceClock(2000);
  Type("h");
  EXPECT_EQ(List->ItemIndex(), 4);  // still "ch": not more than 2000 ms
  // Backspace and Esc forget what was typed.
  for (char key : {'\b', '\x1b'}) {
    Type("b");
    List->Perform(win::WM_CHAR, static_cast<win::WPARAM>(key), 0);
    Type("a");
    EXPECT_EQ(List->ItemIndex(), 0) << int(key);
  }
}

TEST_F(PopupListboxTest, AThirtyThirdCharacterIsDroppedButTheSearchRunsAgain) {
  const std::string x32(32, 'x');
  List->Items()->Add(x32 + "a");
  List->Items()->Add(x32 + "b");
  Type(x32);
  EXPECT_EQ(List->ItemIndex(), 0);
  List->SetItemIndex(-1);
  Type("b");
  EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(PopupListboxTest, TracksTheMouseUnlessAButtonIsHeldAndScrollsByTheWheel) {
  for (int i = 0; i < 20; ++i) List->Items()->Add("item " + std::to_string(i));
  Show();
  List->Perform(win::WM_MOUSEMOVE, 0, win::MAKELPARAM(10, 2 * 16 + 3));
  EXPECT_EQ(List->ItemIndex(), 2);
  List->Perform(win::WM_MOUSEMOVE, win::MK_RBUTTON, win::MAKELPARAM(10, 4 * 16 + 3));
  EXPECT_EQ(List->ItemIndex(), 2);
  List->Perform(win::WM_MOUSEMOVE, 0, win::MAKELPARAM(10, 3 * 16 + 3));
  EXPECT_EQ(List->ItemIndex(), 3);
  // A mouse that did not move changes nothing.
  List->SetItemIndex(5);
  List->Perform(win::WM_MOUSEMOVE, 0, win::MAKELPARAM(10, 3 * 16 + 3));
  EXPECT_EQ(List->ItemIndex(), 5);
  const auto wheel = [&](int delta) {
    return List->Perform(CM_MOUSEWHEEL, win::MAKEWPARAM(0, static_cast<win::WORD>(delta)), 0);
  };
  EXPECT_EQ(wheel(-120), 1);
  EXPECT_EQ(List->TopIndex(), 1);
  wheel(120);
  wheel(120);
  EXPECT_EQ(List->TopIndex(), 0);
}

TEST_F(PopupListboxTest, GripGoesWhereItIsToldAndResizingIsNoted) {
  Show();
  EXPECT_EQ(List->SizeGrip()->Position(), 2);
  List->Perform(WM_GRIPSIDE_GX, 2, 0);
  EXPECT_EQ(List->SizeGrip()->Position(), 1);
  EXPECT_EQ(List->SizeGrip()->Top(), 0);
  List->SetGripResized(false);
  List->SetBounds(300, 400, 200, 200);
  EXPECT_TRUE(List->GripResized());
  EXPECT_EQ(List->SizeGrip()->Left(), List->ClientWidth() - 16);
}

TEST_F(PopupListboxTest, DrawsItsSelectionFocusedWhileTheEditKeepsTheFocus) {
  AddItems({"one", "two", "three"});
  List->SetItemIndex(1);
  win::StartDrawRecording();
  Show();
  win::StopDrawRecording();
  auto focus = win::RecordedOps(win::DrawKind::FocusRect, List->Handle());
  win::ClearDrawRecording();
  ASSERT_EQ(focus.size(), 1u);
  EXPECT_EQ(focus[0].rect.top, 16);
  EXPECT_EQ(win::GetFocus(), Edit->Handle());
}

TEST_F(PopupListboxTest, DrawsEachItemsImageBesideItsText) {
  TImageList images(12, 12);
  TBitmap picture;
  picture.SetSize(12, 12);
  for (int i = 0; i < 3; ++i) images.Add(&picture, nullptr);
  AddItems({"one", "two", "three"});
  List->SetImageList(&images);
  List->SetItemIndex(0);
  const struct {
    TBiDiMode Mode;
    int TextX;        // -1: right-aligned before the image box
    int FocusLeft, FocusRight;
  } cases[] = {{bdLeftToRight, 17, 16, 146}, {bdRightToLeft, -1, 0, 130}};
  for (const auto& c : cases) {
    List->SetBiDiMode(c.Mode);
    List->SetVisible(false);
    win::StartDrawRecording();
    Show();
    win::StopDrawRecording();
    auto blits = win::RecordedOps(win::DrawKind::Blit, List->Handle());
    auto texts = win::RecordedOps(win::DrawKind::Text, List->Handle());
    auto focus = win::RecordedOps(win::DrawKind::FocusRect, List->Handle());
    win::ClearDrawRecording();
    ASSERT_EQ(blits.size(), 3u) << c.Mode;
    ASSERT_EQ(texts.size(), 3u) << c.Mode;
    ASSERT_EQ(focus.size(), 1u) << c.Mode;
    EXPECT_EQ(texts[1].text, "two");
    EXPECT_EQ(blits[1].rect.top, 16 + 2);  // centred in the 16-pixel row
    if (c.Mode == bdLeftToRight) {
      EXPECT_EQ(blits[0].rect.left, 2);    // centred in the 16-pixel box at the left
      EXPECT_EQ(texts[0].points[0].x, c.TextX);
    } else {
      EXPECT_EQ(blits[0].rect.left, 146 - 16 + 2);
      EXPECT_LT(texts[0].points[0].x, 146 - 16);
      EXPECT_GT(texts[0].points[0].x, 100);
    }
    EXPECT_EQ(focus[0].rect.left, c.FocusLeft) << c.Mode;
    EXPECT_EQ(focus[0].rect.right, c.FocusRight) << c.Mode;
  }
}

}  // namespace
