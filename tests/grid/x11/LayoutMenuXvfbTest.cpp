// The options menu's layout items on a real display: a right click on a title pops the
// menu up, a click on "保存表格格式" writes the layout into the registry store (read back
// from the store's file), and after the columns changed "恢复表格格式" brings them back.
#include "tests/support/GridOnDisplay.h"
#include "tests/platform/x11/controls/XQueries.h"
#include "tests/support/RegistryHome.h"

namespace {
using namespace win;

// Chooses an item of the options menu with the display's pointer, while the menu's own
// loop runs: once the menu's window is up on the display, a click in the item's middle.
class TMenuChooser : public TObject {
public:
  TMenuChooser(x11::Connection& Display, int ItemCenterY) : FDisplay(Display), FItemY(ItemCenterY) {}
  void Idle(TObject*, bool& Done) {
    Done = true;
    HWND Menu = GetCapture();
    char Class[64] = {};
    if (FClicked || !Menu || !GetClassNameA(Menu, Class, sizeof Class) || std::string(Class) != "TPopupMenuWindow")
      return;
    SetWindowTextA(Menu, "OptionsMenu");
    xvfb_test::Sync(FDisplay);
    const xvfb_test::XWindowView View = xvfb_test::ViewOf(FDisplay, xvfb_test::FindTopLevel(FDisplay, "OptionsMenu"));
    if (!View.Viewable) return;
    real_pointer::MoveTo(FDisplay, View.X + 30, View.Y + FItemY);
    real_pointer::LeftButton(FDisplay, true);
    real_pointer::LeftButton(FDisplay, false);
    FClicked = true;
  }
  bool Clicked() const { return FClicked; }

private:
  x11::Connection& FDisplay;
  int FItemY;
  bool FClicked = false;
};

// The middle of an item of the menu, from its top: a border of one pixel, items of 20
// and separators of 8 pixels ("打印表格", "-", "恢复表格格式", "保存表格格式").
constexpr int RestoreItemY = 1 + 20 + 8 + 10;
constexpr int SaveItemY = 1 + 20 + 8 + 20 + 10;

class LayoutMenuOnDisplayTest : public GridOnDisplayTest {
protected:
  void SetUp() override {
    GridOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    MakeGrid("Layout menu", 420, 260, 380, 200, {"Name", "Price"}, 1, [](int, int F) { return F ? "5" : "苹果"; });
    Grid->SetName("DBGridGx1");
    TColumnGx* Name = Grid->Columns()->AddColumn();
    Name->SetFieldName("Name");
    Name->SetWidth(140);
    Name->Title()->SetCaption("名称@品名");
    Grid->Columns()->AddColumn()->SetFieldName("Price");
    Form->Show();
  }
  void TearDown() override {
    Application->SetOnIdle(nullptr);
    GridOnDisplayTest::TearDown();
  }
  // Right-clicks the first column's title and chooses the item at ItemY of the menu.
  bool Choose(int ItemY) {
    TMenuChooser Chooser(*FOther, ItemY);
    Application->SetOnIdle(MakeEvent(&Chooser, &TMenuChooser::Idle));
    const RECT Title = Grid->CellRect(Grid->IndicatorColCount(), 0);
    const POINT P = Grid->ClientToScreen({(Title.left + Title.right) / 2, (Title.top + Title.bottom) / 2});
    real_pointer::MoveTo(*FOther, P.x, P.y);
    for (int I = 0; I < 5; ++I) Pump();
    // A timer keeps the menu's loop turning while its window comes up.
    SetTimer(Form->Handle(), 77, 30, nullptr);
    real_pointer::RightButton(*FOther, true);
    real_pointer::RightButton(*FOther, false);
    const bool Chosen = PumpUntil([&] { return Chooser.Clicked() && GetCapture() == nullptr; });
    KillTimer(Form->Handle(), 77);
    Application->SetOnIdle(nullptr);
    return Chosen;
  }

  TRegistryHome Home;
};

TEST_F(LayoutMenuOnDisplayTest, SaveAndRestoreFromTheMenu) {
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Grid->Handle()) && Grid->VisibleDataRowCount() > 0; }));
  const std::string Key = "Software\\Microsoft\\Quenlar\\GridSave\\TFormDBGridGx1";

  ASSERT_TRUE(Choose(SaveItemY));
  ASSERT_TRUE(PumpUntil([&] { return TRegistryHome::Stored(Key, "0001") != "<none>"; }));
  const std::string First = TRegistryHome::Stored(Key, "0000");
  EXPECT_EQ(SplitLayoutField(First, 0), "Name");
  EXPECT_EQ(SplitLayoutField(First, 1), "140");
  EXPECT_EQ(SplitLayoutField(First, 3), "名称@品名");
  EXPECT_EQ(SplitLayoutField(TRegistryHome::Stored(Key, "0001"), 0), "Price");
  EXPECT_NE(TRegistryHome::Stored(Key, "最后更新时间"), "<none>");

  Grid->Columns()->Delete(0);
  Grid->Columns()->ColumnAt(0)->SetWidth(33);
  ASSERT_TRUE(Choose(RestoreItemY));
  ASSERT_TRUE(PumpUntil([&] { return Grid->Columns()->Count() == 2; }));
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->FieldName(), "Name");
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Width(), 140);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Title()->Caption(), "名称@品名");
  EXPECT_EQ(Grid->Columns()->ColumnAt(1)->FieldName(), "Price");
}

}  // namespace
