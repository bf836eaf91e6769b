// The editor's button strip: order, separators, heights, right-to-left placement and the
// formatting rectangle; button events, Ctrl+Enter and short cuts; keys going to an open
// popup.
#include "tests/support/InplaceEditFixture.h"

#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
#include "platform/controls/Menus.h"
#include "tests/support/RepaintRecord.h"

namespace {

namespace hl = win::headless;

class InplaceEditButtonsTest : public InplaceEditTest {
protected:
  void TearDown() override {
    SysLocale.MiddleEast = false;
    InplaceEditTest::TearDown();
  }

  // A string column with an ellipsis main button and two extra buttons (the second 12
  // pixels wide).
  TColumnGx* ButtonColumn() {
    TColumnGx* Column = EditColumn(NewDataSet({{"S", ftString}}), "S");
    Column->SetButtonStyle(cbsEllipsis);
    TEditButtonGx* First = Column->EditButtons()->Add();
    First->SetVisible(true);
    First->SetStyle(ebsPlusGx);
    TEditButtonGx* Second = Column->EditButtons()->Add();
    Second->SetVisible(true);
    Second->SetStyle(ebsMinusGx);
    Second->SetWidth(12);
    return Column;
  }

  static win::RECT Bounds(TControl* Control) {
    return {Control->Left(), Control->Top(), Control->Left() + Control->Width(), Control->Top() + Control->Height()};
  }
  static win::RECT FormattingRect(TDBGridInplaceEdit* Editor) {
    win::RECT R{};
    Editor->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&R));
    return R;
  }
};

TEST_F(InplaceEditButtonsTest, StripPlacesTheMainButtonLeftOfTheColumnButtonsWithSeparatorsWhenFlat) {
  ButtonColumn();
  Grid->SetFlat(true);
  TDBGridInplaceEdit* Editor = OpenEditor();
  const TEditButtonControlList& Strip = Editor->ButtonControls();
  ASSERT_EQ(Strip.size(), 3u);
  const int W = DefaultFlatButtonWidth;
  const int Right = Editor->Width();
  // From the right: button 2 (12 wide), its separator, button 1, its separator, the main
  // button, its separator.
  const int Lefts[] = {Right - 12 - 1 - W - 1 - W, Right - 12 - 1 - W, Right - 12};
  const int Widths[] = {W, W, 12};
  for (int I = 0; I < 3; ++I) {
    const win::RECT B = Bounds(Strip[I].EditButtonControl);
    EXPECT_EQ(B.left, Lefts[I]) << I;
    EXPECT_EQ(B.right - B.left, Widths[I]) << I;
    EXPECT_TRUE(Strip[I].ButtonLine->Visible()) << I;
    EXPECT_EQ(Bounds(Strip[I].ButtonLine).right, B.left) << I;
    EXPECT_EQ(Strip[I].ButtonLine->Width(), 1) << I;
  }
  EXPECT_EQ(Strip[0].EditButtonControl->Style(), ebsEllipsisGx);
  EXPECT_EQ(Strip[2].EditButtonControl->Style(), ebsMinusGx);
  EXPECT_EQ(Editor->ButtonsWidth(), 2 * W + 12 + 3);
  EXPECT_EQ(FormattingRect(Editor).right, Editor->Width() - 2 - Editor->ButtonsWidth());

  // Not flat: no separators, and a hidden column button takes no room.
  Grid->Columns()->ColumnAt(0)->EditButtons()->Items(0)->SetVisible(false);
  Grid->SetFlat(false);
  Editor = OpenEditor();
  const int SW = win::GetSystemMetrics(win::SM_CXVSCROLL);
  EXPECT_FALSE(Editor->ButtonControls()[1].EditButtonControl->Visible());
  EXPECT_FALSE(Editor->ButtonControls()[0].ButtonLine->Visible());
  EXPECT_EQ(Editor->ButtonsWidth(), SW + 12);
  EXPECT_EQ(Bounds(Editor->ButtonControls()[0].EditButtonControl).left, Editor->Width() - 12 - SW);
}

TEST_F(InplaceEditButtonsTest, AnEditorWithABorderKeepsItsStripInsideTheClientArea) {
  ButtonColumn();
  TDBGridInplaceEdit* Editor = OpenEditor();
  Editor->SetBorderStyle(bsSingle);
  ASSERT_LT(Editor->ClientWidth(), Editor->Width());
  const TEditButtonControlList& Strip = Editor->ButtonControls();
  const int SW = win::GetSystemMetrics(win::SM_CXVSCROLL);
  // The buttons are the editor's children: the outermost one ends at the client edge.
  EXPECT_EQ(Bounds(Strip[2].EditButtonControl).right, Editor->ClientWidth());
  EXPECT_EQ(Bounds(Strip[0].EditButtonControl).left, Editor->ClientWidth() - 12 - 2 * SW);
  EXPECT_EQ(Editor->ButtonsWidth(), 2 * SW + 12);
}

TEST_F(InplaceEditButtonsTest, PaintingTheEditorPaintsItsButtonsOverTheText) {
  ButtonColumn();
  TDBGridInplaceEdit* Editor = OpenEditor();
  const std::vector<win::DrawOp> Blits = RepaintAndRecord(Editor->Handle(), win::DrawKind::Blit);
  for (const TEditButtonControlLineRec& Rec : Editor->ButtonControls()) {
    const win::RECT B = Bounds(Rec.EditButtonControl);
    bool Painted = false;
    for (const win::DrawOp& Op : Blits)
      Painted = Painted || (Op.rect.left == B.left && Op.rect.top == B.top && Op.rect.right == B.right);
    EXPECT_TRUE(Painted) << B.left;
  }
}

TEST_F(InplaceEditButtonsTest, RightToLeftMirrorsTheStripAndTheTextStartsAfterIt) {
  SysLocale.MiddleEast = true;
  ButtonColumn();
  Grid->SetBiDiMode(bdRightToLeft);
  TDBGridInplaceEdit* Editor = OpenEditor();
  const TEditButtonControlList& Strip = Editor->ButtonControls();
  const int SW = win::GetSystemMetrics(win::SM_CXVSCROLL);
  EXPECT_EQ(Bounds(Strip[2].EditButtonControl).left, 0);
  EXPECT_EQ(Bounds(Strip[1].EditButtonControl).left, 12);
  EXPECT_EQ(Bounds(Strip[0].EditButtonControl).left, 12 + SW);
  EXPECT_EQ(Editor->ButtonsWidth(), 2 * SW + 12);
  EXPECT_EQ(FormattingRect(Editor).left, 2 + Editor->ButtonsWidth());
}

TEST_F(InplaceEditButtonsTest, ButtonsFillANormalRowAndAreSquareAtTheTopOfATallOne) {
  TColumnGx* Column = EditColumn(NewDataSet({{"S", ftString}}), "S");
  TEditButtonGx* Item = Column->EditButtons()->Add();
  Item->SetVisible(true);
  Item->SetWidth(16);
  struct Case {
    int RowHeight;
    bool Square;
  } const Cases[] = {{18, false}, {24, false}, {40, true}};
  for (const Case& C : Cases) {
    Grid->SetRowHeight(C.RowHeight);
    TDBGridInplaceEdit* Editor = OpenEditor();
    TEditButtonControlGx* Button = Editor->ButtonControls()[1].EditButtonControl;
    EXPECT_EQ(Button->Top(), 0) << C.RowHeight;
    EXPECT_EQ(Button->Height(), C.Square ? 16 : Editor->ClientHeight()) << C.RowHeight;
    EXPECT_EQ(C.Square, 24 < Editor->ClientHeight()) << C.RowHeight;
    Grid->HideEditor();
  }
}

TEST_F(InplaceEditButtonsTest, CtrlEnterAndAClickOfTheMainButtonFireTheEditButtonEventOnce) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  const TColumnButtonStyleGx Styles[] = {cbsEllipsis, cbsDropDown};
  for (TColumnButtonStyleGx Style : Styles) {
    TColumnGx* Column = EditColumn(Data, "S");
    Column->SetButtonStyle(Style);
    int ColumnClicks = 0;
    Column->SetOnEditButtonClick(TButtonClickEventGx([&](TObject*, bool&) { ++ColumnClicks; }));
    TDBGridInplaceEdit* Editor = OpenEditor(Grid->Columns()->Count() - 1);
    Editing->EditButtonClicks = 0;
    hl::PressKeys(win::MOD_CONTROL, win::VK_RETURN);
    EXPECT_EQ(Editing->EditButtonClicks, 1) << Style;
    EXPECT_EQ(Editor->Text(), "") << "no line feed typed, " << Style;
    EXPECT_TRUE(Editor->Visible()) << Style;

    TEditButtonControlGx* Main = Editor->ButtonControls()[0].EditButtonControl;
    const win::POINT P = Main->ClientToScreen({Main->Width() / 2, Main->Height() / 2});
    hl::Click(hl::MouseButton::Left, P.x, P.y);
    EXPECT_EQ(Editing->EditButtonClicks, 2) << Style;
    EXPECT_EQ(ColumnClicks, 1) << Style;
  }
}

TEST_F(InplaceEditButtonsTest, AShortCutPressesItsButtonAndADroppedMenuPressDoesNotPressAgain) {
  TColumnGx* Column = ButtonColumn();
  TEditButtonGx* Item = Column->EditButtons()->Items(1);
  Item->SetShortCut(ShortCut('K', TShiftState{ssCtrl}));
  int Downs = 0, Clicks = 0;
  bool TopSeen = true;
  Item->SetOnDown(TButtonDownEventGx([&](TObject*, bool Top, bool&, bool&) {
    ++Downs;
    TopSeen = Top;
  }));
  Item->SetOnClick(TButtonClickEventGx([&](TObject*, bool&) { ++Clicks; }));
  TDBGridInplaceEdit* Editor = OpenEditor();
  hl::PressKeys(win::MOD_CONTROL, 'K');
  EXPECT_EQ(Downs, 1);
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(TopSeen);
  EXPECT_EQ(Editor->Text(), "");

  // The press that closes a button's drop-down menu is swallowed once.
  TEditButtonControlGx* Button = Editor->ButtonControls()[2].EditButtonControl;
  win::PostMessage(Editor->Handle(), WM_MENUCLOSED_GX, reinterpret_cast<win::WPARAM>(Button), 0);
  bool AutoRepeat = false;
  Button->NotifyDown(true, AutoRepeat);
  EXPECT_EQ(Downs, 1);
  Button->NotifyDown(true, AutoRepeat);
  EXPECT_EQ(Downs, 2);
}

TEST_F(InplaceEditButtonsTest, KeysGoToTheOpenPickListAndEnterOrEscapeCloseIt) {
  UseGrid<PopupRecordingGrid>();
  TClientDataSet* Data = StringRecords(4);
  SetLines(EditColumn(Data, "S")->PickList(), {"a", "b", "c"});
  auto* Editor = static_cast<PopupRecordingEditor*>(OpenEditor());
  hl::PressKeys(win::MOD_ALT, win::VK_DOWN);
  ASSERT_TRUE(Editor->PopupVisible());
  EXPECT_EQ(win::GetFocus(), Editor->Handle());
  hl::PressKey(win::VK_DOWN);
  hl::PressKey(win::VK_DOWN);
  EXPECT_EQ(Editor->PickListPopup()->ItemIndex(), 1);
  EXPECT_EQ(Editor->Text(), "b");
  EXPECT_EQ(Data->RecNo(), 1) << "the grid did not move";
  hl::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(Editor->Closes, std::vector<bool>{true});
  EXPECT_TRUE(Editor->Visible()) << "the Enter that closed the list does not close the editor";
  // The wheel over an open popup does nothing; Esc closes without accepting.
  hl::PressKeys(win::MOD_CONTROL, win::VK_RETURN);
  ASSERT_TRUE(Editor->PopupVisible());
  const win::POINT P = Editor->ClientToScreen({4, 4});
  hl::MouseWheel(-120, P.x, P.y);
  EXPECT_EQ(Editor->PickListPopup()->ItemIndex(), 1);
  EXPECT_EQ(Data->RecNo(), 1);
  hl::PressKey(win::VK_ESCAPE);
  EXPECT_EQ(Editor->Closes, (std::vector<bool>{true, false}));
  EXPECT_TRUE(Editor->Visible());
  EXPECT_EQ(Editor->Text(), "b");
}

}  // namespace
