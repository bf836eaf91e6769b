// The month calendar as a drop-down: what accepts, what cancels, what keeps it open.
#include <gtest/gtest.h>

#include "gridcontrols/ToolCtrlsGx/PopupCalendar.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Messages.h"
#include "platform/desktop/Headless.h"
#include "platform/rtl/DateTime.h"
#include "tests/support/PopupOwner.h"

namespace {

class PopupCalendarTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    SetNowProvider([] { return EncodeDate(2026, 3, 14) + 0.5; });
    Form = new TForm(nullptr);
    Edit = new PopupOwningEdit(Form);
    Edit->SetParent(Form);
    Form->Show();
    Edit->SetFocus();
    Calendar = new TPopupMonthCalendarGx(Edit);
    Calendar->SetParent(Form);
    Edit->Popup = Calendar;
    Calendar->SetDate(EncodeDate(2026, 3, 14));
    Calendar->HandleNeeded();
  }
  void TearDown() override {
    delete Form;
    SetNowProvider(nullptr);
    win::headless::Reset();
  }
  // A click at a client point of the calendar.
  void ClickAt(int X, int Y) {
    win::POINT p = Calendar->ClientToScreen({X, Y});
    win::headless::Click(win::headless::MouseButton::Left, p.x, p.y);
  }
  // The client point of day cell (row, column).
  static win::POINT Cell(int Row, int Col) {
    return {4 + Col * TMonthCalendar::CellWidth + 5, TMonthCalendar::TitleHeight + (Row + 1) * TMonthCalendar::CellHeight + 5};
  }
  void Forward(win::WORD Key) { Calendar->Perform(win::WM_KEYDOWN, Key, 0); }

  TForm* Form = nullptr;
  PopupOwningEdit* Edit = nullptr;
  TPopupMonthCalendarGx* Calendar = nullptr;
};

TEST_F(PopupCalendarTest, TodayComesFromTheDateProvider) {
  TPopupMonthCalendarGx fresh(nullptr);
  EXPECT_EQ(fresh.Date(), EncodeDate(2026, 3, 14));
}

TEST_F(PopupCalendarTest, EnterAcceptsOnceAndEscCancels) {
  Forward(win::VK_RIGHT);
  EXPECT_EQ(Calendar->Date(), EncodeDate(2026, 3, 15));
  EXPECT_TRUE(Edit->Closes.empty());
  Forward(win::VK_RETURN);  // reaches both the special-key query and KeyDown
  EXPECT_EQ(Edit->Closes, std::vector<bool>{true});
  Calendar->Show();
  Forward(win::VK_ESCAPE);
  EXPECT_EQ(Edit->Closes, (std::vector<bool>{true, false}));
}

TEST_F(PopupCalendarTest, ClicksAcceptDaysButNotTheArrows) {
  ClickAt(5, 5);  // previous-month arrow
  EXPECT_TRUE(Edit->Closes.empty());
  EXPECT_EQ(Calendar->VisibleMonth(), EncodeDate(2026, 2, 1));
  // February 2026 begins on a Sunday: row 4 ends with the 28th, row 5 is March's.
  win::POINT p = Cell(4, 1);
  ClickAt(p.x, p.y);
  EXPECT_EQ(Edit->Closes, std::vector<bool>{true});
  EXPECT_EQ(Calendar->Date(), EncodeDate(2026, 3, 2));  // a greyed day of the next month
}

TEST_F(PopupCalendarTest, DayNamesDoNotAcceptAndTheTodayLineDoes) {
  ClickAt(Cell(-1, 2).x, Cell(-1, 2).y);
  EXPECT_TRUE(Edit->Closes.empty());
  ClickAt(20, TMonthCalendar::TitleHeight + 7 * TMonthCalendar::CellHeight + 5);
  EXPECT_EQ(Edit->Closes, std::vector<bool>{true});
}

TEST_F(PopupCalendarTest, TheWheelMovesOneDayAndKeepsItOpen) {
  Calendar->Show();
  // The owning edit keeps the focus and passes the wheel on.
  win::POINT p = Calendar->ClientToScreen({30, 60});
  auto wheel = [&](int Delta) {
    Calendar->Perform(win::WM_MOUSEWHEEL, static_cast<win::WPARAM>(static_cast<std::uint16_t>(Delta)) << 16,
                      static_cast<win::LPARAM>((p.y << 16) | (p.x & 0xFFFF)));
  };
  wheel(-120);
  EXPECT_EQ(Calendar->Date(), EncodeDate(2026, 3, 15));
  wheel(120);
  wheel(120);
  EXPECT_EQ(Calendar->Date(), EncodeDate(2026, 3, 13));
  EXPECT_TRUE(Edit->Closes.empty());
}

TEST_F(PopupCalendarTest, APressOutsideClosesWithoutAccepting) {
  auto at = [](int X, int Y) {
    return static_cast<win::LPARAM>((static_cast<std::uint16_t>(Y) << 16) | static_cast<std::uint16_t>(X));
  };
  Calendar->Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON, at(30, 60));  // inside: a day
  Calendar->Perform(win::WM_LBUTTONUP, 0, at(-5, 60));                  // let go outside
  EXPECT_TRUE(Edit->Closes.empty());
  Calendar->Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON, at(-5, -5));
  EXPECT_EQ(Edit->Closes, std::vector<bool>{false});
}

TEST_F(PopupCalendarTest, LosingTheFocusClosesWithoutAccepting) {
  Calendar->Perform(win::WM_KILLFOCUS, reinterpret_cast<win::WPARAM>(Edit->Handle()), 0);
  EXPECT_TRUE(Edit->Closes.empty());  // posted: the focus change finishes first
  win::headless::ProcessMessages();
  EXPECT_EQ(Edit->Closes, std::vector<bool>{false});
}

TEST_F(PopupCalendarTest, IsAPopupSizedToAWholeMonthAndItsBorder) {
  win::RECT r = Calendar->MinReqRect();
  EXPECT_EQ(Calendar->Width(), r.right + 4);
  EXPECT_EQ(Calendar->Height(), r.bottom + 4);
  EXPECT_TRUE(win::GetWindowLong(Calendar->Handle(), win::GWL_STYLE) & win::WS_POPUP);
  EXPECT_EQ(win::GetWindowLong(Calendar->Handle(), win::GWL_EXSTYLE), static_cast<win::LONG_PTR>(win::WS_EX_TOOLWINDOW));
  Calendar->SetCtl3D(false);
  EXPECT_EQ(Calendar->Width(), r.right);
  EXPECT_TRUE(win::GetWindowLong(Calendar->Handle(), win::GWL_STYLE) & win::WS_BORDER);
}

TEST_F(PopupCalendarTest, SnapshotForAPerson) {
  Calendar->SetLeft(Form->ClientToScreen({0, 0}).x + 10);
  Calendar->Show();
  Calendar->Repaint();
  win::headless::ProcessMessages();
  std::string file = ::testing::TempDir() + "calendar-snapshot.png";
  ASSERT_TRUE(win::SaveWindowPng(Calendar->Handle(), file));
  std::printf("calendar snapshot: %s\n", file.c_str());
}

}  // namespace
