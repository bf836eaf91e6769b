#include "ControlsFixture.h"

#include "platform/controls/ListBoxes.h"
#include "platform/controls/Registry.h"
#include "platform/controls/WebBrowser.h"

#include <filesystem>

#include <unistd.h>

#include <string>

namespace {

class ServicesTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    // One directory per process: CTest runs the cases of this fixture side by side.
    dir = std::filesystem::path(::testing::TempDir()) / ("controls_registry_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    win::headless::SetConfigHome(dir.string());
  }
  void TearDown() override {
    win::headless::SetConfigHome("");
    std::filesystem::remove_all(dir);
    ControlsTest::TearDown();
  }
  std::filesystem::path dir;
};

TEST_F(ServicesTest, RegistryKeysAndValues) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), win::HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey("Software\\Vantrel\\Grid", false));
  ASSERT_TRUE(reg.OpenKey("\\Software\\Vantrel\\Grid", true));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Vantrel\\Grid");
  reg.WriteString("Name", "值");
  reg.WriteInteger("Width", 87);
  reg.WriteBool("Visible", true);
  EXPECT_EQ(reg.ReadString("Name"), "值");
  EXPECT_EQ(reg.ReadInteger("Width"), 87);
  EXPECT_TRUE(reg.ReadBool("Visible"));
  EXPECT_TRUE(reg.ValueExists("Width"));
  EXPECT_EQ(reg.ReadString("Missing"), "");
  try {
    reg.ReadInteger("Missing");
    ADD_FAILURE();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Failed to get data for 'Missing'");
  }
  EXPECT_THROW(reg.ReadInteger("Name"), ERegistryException);  // wrong type
  // A relative path opens below the current key.
  ASSERT_TRUE(reg.OpenKey("Columns", true));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Vantrel\\Grid\\Columns");
  reg.CloseKey();
  EXPECT_TRUE(reg.KeyExists("\\Software\\Vantrel\\Grid\\Columns"));
  ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Vantrel\\Grid"));
  TStringList keys, values;
  reg.GetKeyNames(&keys);
  reg.GetValueNames(&values);
  EXPECT_EQ(keys.Count(), 1);
  EXPECT_EQ(values.Count(), 3);
  reg.CloseKey();
  EXPECT_TRUE(reg.DeleteKey("Software\\Vantrel"));
  EXPECT_FALSE(reg.KeyExists("Software\\Vantrel\\Grid"));
}

TEST_F(ServicesTest, BrowserCompletesOnTheLoopAndOffersItsDocument) {
  auto* f = TCustomForm::Create<TForm>(nullptr);
  auto* web = new TWebBrowser(f);
  web->SetParent(f);
  web->SetAlign(alClient);
  std::vector<std::string> done;
  web->SetOnDocumentComplete([&](TObject* sender, TOleObject*, const Variant& url) {
    auto* w = static_cast<TWebBrowser*>(sender);
    done.push_back(VarToStr(url));
    if (w->Busy()) return;
    w->Document()->Object("body")->SetProperty("Scroll", Variant("no"));
  });
  f->Show();
  EXPECT_EQ(web->Document(), nullptr);
  web->Navigate("http://example.invalid/pro/htm.htm?ID=59&name=Vantrel");
  EXPECT_TRUE(web->Busy());
  EXPECT_TRUE(done.empty());
  win::headless::ProcessMessages();
  EXPECT_FALSE(web->Busy());
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(web->LocationURL(), "http://example.invalid/pro/htm.htm?ID=59&name=Vantrel");
  EXPECT_EQ(VarToStr(web->Document()->Object("body")->GetProperty("Scroll")), "no");
  EXPECT_THROW(web->Document()->Object("head"), EOleError);
  f->Free();
}

TEST_F(ServicesTest, ListBoxItemsSelectionAndOwnerDrawing) {
  auto* f = TCustomForm::Create<TForm>(nullptr);
  auto* lb = new TListBox(f);
  lb->SetParent(f);
  lb->SetBounds(0, 0, 100, 64);
  lb->SetStyle(lbOwnerDrawFixed);
  lb->SetItemHeight(16);
  for (const char* s : {"vkNone", "vkCancel", "vkBack", "vkTab", "vkReturn", "vkShift"}) lb->Items()->Add(s);
  std::vector<int> drawn;
  lb->SetOnDrawItem([&](TWinControl*, int index, win::RECT r, TOwnerDrawState) { drawn.push_back(index); });
  f->Show();
  win::headless::ProcessMessages();
  EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3, 4}));  // four whole rows and a part
  EXPECT_EQ(lb->ItemAtPos({5, 20}, true), 1);
  EXPECT_EQ(lb->ItemAtPos({5, 200}, true), -1);
  EXPECT_EQ(lb->ItemAtPos({5, 200}, false), 6);
  lb->SetItemIndex(5);
  EXPECT_EQ(lb->TopIndex(), 2);  // scrolled into view
  char text[] = "VKT";
  EXPECT_EQ(lb->Perform(win::LB_SELECTSTRING, static_cast<win::WPARAM>(-1), reinterpret_cast<win::LPARAM>(text)), 3);
  EXPECT_EQ(lb->ItemIndex(), 3);
  win::POINT p = lb->ClientToScreen({5, 8});
  win::headless::Click(win::headless::MouseButton::Left, p.x, p.y);
  EXPECT_EQ(lb->ItemIndex(), lb->TopIndex());
  f->Free();
}

TEST_F(ServicesTest, ScrollBarKeepsItsPositionInRange) {
  TScrollBar sb(nullptr);
  std::vector<int> scrolled;
  sb.SetOnScroll([&](TObject*, TScrollCode, int& pos) { scrolled.push_back(pos); });
  sb.SetParams(5, 0, 10);
  sb.SetPageSize(3);
  sb.SetLargeChange(4);
  sb.DoScroll(scPageDown, 0);
  sb.DoScroll(scPageDown, 0);
  EXPECT_EQ(sb.Position(), 8);  // Max - PageSize + 1
  sb.DoScroll(scTop, 0);
  EXPECT_EQ(sb.Position(), 0);
  EXPECT_EQ(scrolled, (std::vector<int>{8, 8, 0}));
  EXPECT_THROW(sb.SetParams(0, 10, 5), EInvalidOperation);
  EXPECT_EQ(sb.Min(), 0);
}

}  // namespace

#include "platform/controls/ComCtrls.h"

namespace {

TEST_F(ServicesTest, MonthCalendarSizeAndHitTestCodes) {
  TMonthCalendar cal(nullptr);
  cal.SetDate(EncodeDate(2026, 12, 10));
  win::RECT min{};
  EXPECT_EQ(cal.Perform(win::MCM_GETMINREQRECT, 0, reinterpret_cast<win::LPARAM>(&min)), 1);
  EXPECT_EQ(min.right, 7 * TMonthCalendar::CellWidth + 8);
  EXPECT_EQ(min.bottom, TMonthCalendar::TitleHeight + 8 * TMonthCalendar::CellHeight + 4);
  struct Case {
    int x, y;
    win::UINT hit;
    int day;  // 0: none
  };
  const int row0 = TMonthCalendar::TitleHeight + TMonthCalendar::CellHeight + 2;
  const Case cases[] = {
      {5, 5, win::MCHT_TITLEBTNPREV, 0},
      {min.right - 5, 5, win::MCHT_TITLEBTNNEXT, 0},
      {9, TMonthCalendar::TitleHeight + 2, win::MCHT_CALENDARDAY, 0},
      {9, row0, win::MCHT_CALENDARDATEPREV, 29},               // 29 November leads the first week
      {9 + 2 * TMonthCalendar::CellWidth, row0, win::MCHT_CALENDARDATE, 1},
      {9, row0 + 5 * TMonthCalendar::CellHeight, win::MCHT_CALENDARDATENEXT, 3},
      {9, min.bottom - 3, win::MCHT_TODAYLINK, 0},
      {min.right + 50, 5, win::MCHT_NOWHERE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    win::MCHITTESTINFO info;
    info.pt = {c.x, c.y};
    cal.Perform(win::MCM_HITTEST, 0, reinterpret_cast<win::LPARAM>(&info));
    EXPECT_EQ(info.uHit, c.hit);
    if (c.day) {
      EXPECT_EQ(info.st.wDay, c.day);
    }
  }
}

TEST_F(ServicesTest, StatusBarPanels) {
  TStatusBar bar(nullptr);
  bar.SetBounds(0, 0, 300, 19);
  bar.AddPanel()->SetWidth(100);
  bar.AddPanel()->SetWidth(50);
  EXPECT_EQ(bar.PanelRect(0).right, 100);
  EXPECT_EQ(bar.PanelRect(1).left, 100);
  EXPECT_EQ(bar.PanelRect(1).right, 300);  // the last panel takes the rest
  EXPECT_EQ(bar.Align(), alBottom);
}

}  // namespace

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Scrolling.h"

namespace {

TEST_F(ServicesTest, ScrollBoxMovesItsChildrenWithinTheRange) {
  auto* f = TCustomForm::Create<TForm>(nullptr);
  auto* box = new TScrollBox(f);
  box->SetParent(f);
  box->SetBounds(0, 0, 100, 100);
  auto* child = new TPanel(f);
  child->SetParent(box);
  child->SetBounds(0, 0, 80, 300);
  f->Show();
  TControlScrollBar* v = box->VertScrollBar();
  v->SetRange(300);
  v->SetIncrement(10);
  int maxPos = 300 - box->ClientHeight();
  struct Step {
    win::WORD code;
    int pos;
    int expected;
  };
  const Step steps[] = {{win::SB_LINEDOWN, 0, 10}, {win::SB_BOTTOM, 0, maxPos}, {win::SB_LINEDOWN, 0, maxPos},
                        {win::SB_THUMBTRACK, 50, maxPos},  // not tracking: the thumb drag waits
                        {win::SB_THUMBPOSITION, 50, 50}, {win::SB_TOP, 0, 0}};
  for (const Step& s : steps) {
    box->Perform(win::WM_VSCROLL, win::MAKEWPARAM(s.code, static_cast<win::WORD>(s.pos)), 0);
    EXPECT_EQ(v->Position(), s.expected);
    EXPECT_EQ(child->Top(), -s.expected);
  }
  f->Free();
}

TEST_F(ServicesTest, ToolBarLaysButtonsOutInARow) {
  auto* f = TCustomForm::Create<TForm>(nullptr);
  auto* bar = new TToolBar(f);
  bar->SetParent(f);
  std::vector<TToolButton*> buttons;
  for (int i = 0; i < 3; ++i) {
    auto* b = new TToolButton(f);
    b->SetParent(bar);
    buttons.push_back(b);
  }
  buttons[1]->SetStyle(tbsSeparator);
  buttons[2]->SetStyle(tbsCheck);
  f->Show();
  EXPECT_EQ(buttons[0]->Left(), 1);
  EXPECT_EQ(buttons[1]->Left(), 24);
  EXPECT_EQ(buttons[2]->Left(), 32);
  EXPECT_EQ(bar->Top(), 0);
  ClickAt(buttons[2]);
  EXPECT_TRUE(buttons[2]->Down());
  f->Free();
}

}  // namespace
