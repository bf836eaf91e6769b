// The edit's buttons: layout flat and not, heights, short cuts, drop-down menus and the
// main button's popup protocol.
#include "tests/support/DBEditFixture.h"

#include "platform/controls/Menus.h"

namespace {

// Clicks the centre of a button control on the headless desktop.
void ClickButton(TControl* Button) {
  win::POINT P = Button->ClientToScreen({Button->Width() / 2, Button->Height() / 2});
  win::headless::Click(win::headless::MouseButton::Left, P.x, P.y);
}

TEST_F(DBEditTest, ButtonLayoutFlatAndNot) {
  const int Bar = win::GetSystemMetrics(win::SM_CXVSCROLL);
  const struct {
    bool Flat;
    int Width, Line;
  } Cases[] = {{false, Bar, 0}, {true, DefaultFlatButtonWidth, 1}};
  for (const auto& C : Cases) {
    auto* Edit = NewEdit();
    Edit->SetFlat(C.Flat);
    Edit->EditButtons()->Add();
    Edit->EditButtons()->Add();
    const TEditButtonControlList& Controls = Edit->ButtonControls();
    ASSERT_EQ(Controls.size(), 3u);
    const int W = Edit->ClientWidth();
    // The last item sits at the outer edge; each separator is on the text side of its button.
    EXPECT_EQ(Controls[2].EditButtonControl->Left(), W - C.Width) << C.Flat;
    EXPECT_EQ(Controls[2].ButtonLine->Left(), W - C.Width - C.Line) << C.Flat;
    EXPECT_EQ(Controls[1].EditButtonControl->Left(), W - 2 * C.Width - C.Line) << C.Flat;
    EXPECT_EQ(Controls[1].EditButtonControl->Width(), C.Width);
    EXPECT_EQ(Controls[1].ButtonLine->Visible(), C.Flat);
    EXPECT_EQ(Controls[1].ButtonLine->Width(), C.Line);
    EXPECT_FALSE(Controls[0].EditButtonControl->Visible());  // the main button is hidden
    EXPECT_EQ(Edit->ButtonsWidth(), 2 * (C.Width + C.Line)) << C.Flat;
    EXPECT_EQ(Edit->TextAreaRect().right, W - Edit->ButtonsWidth());
    EXPECT_EQ(Controls[1].EditButtonControl->Flat(), C.Flat);
    delete Edit;
  }
}

TEST_F(DBEditTest, ButtonHeightIsItsWidthUnlessThatIsTooTall) {
  const struct {
    int ClientHeight, Expected;
  } Cases[] = {{30, 17}, {21, 21}, {26, 26}, {27, 17}};  // 17 * 3 / 2 = 25.5 rounds to 26
  for (const auto& C : Cases) {
    auto* Edit = NewEdit();
    Edit->SetAutoSize(false);
    Edit->SetClientHeight(C.ClientHeight);
    ASSERT_EQ(Edit->ClientHeight(), C.ClientHeight);
    Edit->EditButtons()->Add()->SetWidth(17);
    EXPECT_EQ(Edit->ButtonsHeight(), C.Expected) << C.ClientHeight;
    EXPECT_EQ(Edit->ButtonControls()[1].EditButtonControl->Height(), Edit->ButtonsHeight());
    delete Edit;
  }
}

// Without a visible button the row takes the client height, and the edit's areas stay
// inside the control.
TEST_F(DBEditTest, NoVisibleButtonLeavesTheClientHeight) {
  auto* Edit = NewEdit();
  EXPECT_EQ(Edit->ButtonsHeight(), Edit->ClientHeight());
  EXPECT_EQ(Edit->ButtonsWidth(), 0);
  const win::RECT B = Edit->ButtonsRect();
  EXPECT_LE(B.bottom, Edit->ClientHeight());
  Edit->SetText("plain");
  Edit->Repaint();
  EXPECT_EQ(Edit->GetText(), "plain");
}

TEST_F(DBEditTest, AltDownOpensTheItemsMenuAndAClickWhileOpenClosesIt) {
  auto* Edit = NewEdit();
  auto* Hidden = Edit->EditButtons()->Add();
  Hidden->SetVisible(false);
  Hidden->SetShortCut(0);
  auto* Item = Edit->EditButtons()->Add();
  TPopupMenu Menu(nullptr);
  Item->SetDropdownMenu(&Menu);
  TControl* Control = Edit->ButtonControls()[2].EditButtonControl;
  std::vector<win::POINT> Popups;
  SetPopupMenuHandler([&](TPopupMenu*, int X, int Y) -> TMenuItem* {
    Popups.push_back({X, Y});
    if (Popups.size() == 1) {
      // The user closes the open menu by clicking the button again: the click waits in
      // the queue until the menu has returned.
      const win::LPARAM At = win::MAKELPARAM(static_cast<win::WORD>(Control->Left() + 2), 5);
      win::PostMessage(Edit->Handle(), win::WM_LBUTTONDOWN, win::MK_LBUTTON, At);
      win::PostMessage(Edit->Handle(), win::WM_LBUTTONUP, 0, At);
    }
    return nullptr;
  });
  Focus(Edit);
  win::headless::PressKeys(win::MOD_ALT, win::VK_DOWN);
  win::headless::ProcessMessages();
  ASSERT_EQ(Popups.size(), 1u);
  const win::POINT Corner = Control->ClientToScreen({0, Control->Height()});
  EXPECT_EQ(Popups[0].x, Corner.x);
  EXPECT_EQ(Popups[0].y, Corner.y);
  // A later click opens it again.
  ClickButton(Control);
  EXPECT_EQ(Popups.size(), 2u);
  // Aligned right, the menu drops from the bottom-right corner.
  Menu.SetAlignment(paRight);
  ClickButton(Control);
  ASSERT_EQ(Popups.size(), 3u);
  EXPECT_EQ(Popups[2].x, Corner.x + Control->Width());
  SetPopupMenuHandler(nullptr);
}

TEST_F(DBEditTest, TheMainButtonShortCutWorksOnlyWhileButtonsCanBePressed) {
  auto* Edit = NewEdit();
  Edit->MainButton()->SetVisible(true);
  Edit->MainButton()->SetShortCut(ShortCut(win::VK_F4, {}));
  int Downs = 0, Clicks = 0;
  Edit->SetOnMainButtonDown([&](TObject*, bool, bool&, bool& Handled) {
    ++Downs;
    Handled = true;
  });
  Edit->SetOnMainButtonClick([&](TObject*, bool&) { ++Clicks; });
  Focus(Edit);
  win::headless::PressKey(win::VK_F4);
  EXPECT_EQ(Downs, 1);
  EXPECT_EQ(Clicks, 1);
  // Bound to a closed dataset: no active link, no press.
  Edit->SetDataSource(NewSource());
  Edit->SetDataField("Name");
  DataSet->Close();
  win::headless::PressKey(win::VK_F4);
  EXPECT_EQ(Downs, 1);
  EXPECT_FALSE(Edit->ButtonControls()[0].EditButtonControl->Enabled());
}

// An edit that opens a popup of its own from the main button, as descendants do.
class PopupEdit : public TDBEditGx {
  VANTREL_CLASS(PopupEdit, TDBEditGx)
public:
  using TDBEditGx::TDBEditGx;
  int Opens = 0, Closes = 0;

protected:
  void OpenPopup() override {
    TDBEditGx::OpenPopup();
    SetPopupOpen(true);
    ++Opens;
  }

public:
  void ClosePopup(bool Accept) override {
    TDBEditGx::ClosePopup(Accept);
    SetPopupOpen(false);
    ++Closes;
  }
};

TEST_F(DBEditTest, TheMainButtonOpensAPopupAndTheNextClickClosesIt) {
  auto* Edit = NewEdit<PopupEdit>();
  Edit->MainButton()->SetVisible(true);
  TEditButtonControlGx* Main = Edit->ButtonControls()[0].EditButtonControl;
  ASSERT_TRUE(Main->Visible());
  ClickButton(Main);
  EXPECT_EQ(Edit->Opens, 1);
  EXPECT_EQ(Edit->Closes, 0);  // the click completing the press leaves it open
  EXPECT_TRUE(Main->HeldDown());
  ClickButton(Main);
  EXPECT_EQ(Edit->Opens, 1);
  EXPECT_EQ(Edit->Closes, 1);
  EXPECT_FALSE(Main->HeldDown());
  // An up-down main button opens nothing.
  Edit->MainButton()->SetStyle(ebsUpDownGx);
  ClickButton(Edit->ButtonControls()[0].EditButtonControl);
  EXPECT_EQ(Edit->Opens, 1);
}

}  // namespace
