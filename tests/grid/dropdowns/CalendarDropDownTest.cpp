// The month calendar of a date cell: the date it opens on, its size, and what accepting
// or cancelling it does to the field.
#include "tests/support/InplaceEditFixture.h"

#include "gridcontrols/ToolCtrlsGx/PopupCalendar.h"
#include "platform/rtl/DateTime.h"

namespace {

namespace hl = win::headless;

class CalendarDropDownTest : public InplaceEditTest {
protected:
  // A date cell holding Day (none when 0) with its editor up.
  TDBGridInplaceEdit* DateEditor(TDateTime Day) {
    Data = NewDataSet({{"D", ftDate}});
    if (Day != 0) Put(Data, "D", Variant::FromDateTime(Day));
    EditColumn(Data, "D");
    return OpenEditor();
  }
  TDateTime FieldDate() const { return Data->FieldByName("D")->AsDateTime(); }

  TClientDataSet* Data = nullptr;
  const TDateTime March15 = EncodeDate(2024, 3, 15);
};

TEST_F(CalendarDropDownTest, OpensUnderTheCellOnItsDateAtTheSizeTheCalendarNeeds) {
  TDBGridInplaceEdit* Editor = DateEditor(March15);
  ASSERT_EQ(Editor->EditStyle(), iesCalendarGx);
  AltDown();
  ASSERT_TRUE(Editor->PopupVisible());
  TPopupMonthCalendarGx* Calendar = Editor->CalendarPopup();
  EXPECT_EQ(Calendar->Date(), March15);
  const win::RECT E = ScreenRect(Editor), C = ScreenRect(Calendar);
  EXPECT_EQ(C.top, E.bottom);
  EXPECT_EQ(C.left, E.left);
  win::RECT Need{};
  Calendar->Perform(win::MCM_GETMINREQRECT, 0, reinterpret_cast<win::LPARAM>(&Need));
  EXPECT_EQ(Calendar->ClientWidth(), Need.right - Need.left);
  EXPECT_EQ(Calendar->ClientHeight(), Need.bottom - Need.top);
  EXPECT_EQ(win::GetFocus(), Editor->Handle());
}

TEST_F(CalendarDropDownTest, AnEmptyOrUnreadableTextOpensTheFieldsDateOrToday) {
  struct Case {
    TDateTime Stored;
    const char* Text;
    TDateTime Shown;
  } const Cases[] = {{March15, "", Date()}, {March15, "no date", March15}, {0, "no date", Date()}};
  TDBGridInplaceEdit* Editor = DateEditor(0);
  for (const Case& C : Cases) {
    Put(Data, "D", C.Stored != 0 ? Variant::FromDateTime(C.Stored) : Null());
    Editor = OpenEditor();
    Editor->SetText(C.Text);
    AltDown();
    ASSERT_TRUE(Editor->PopupVisible()) << C.Text;
    EXPECT_EQ(Editor->CalendarPopup()->Date(), C.Shown) << C.Text;
    hl::PressKey(win::VK_ESCAPE);
  }
}

TEST_F(CalendarDropDownTest, EnterWritesTheChosenDateIntoTheFieldAndEscapeChangesNothing) {
  TDBGridInplaceEdit* Editor = DateEditor(March15);
  const std::string Before = Editor->Text();
  AltDown();
  hl::PressKey(win::VK_RIGHT);
  hl::PressKey(win::VK_ESCAPE);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_EQ(FieldDate(), March15);
  EXPECT_EQ(Editor->Text(), Before);

  AltDown();
  hl::PressKey(win::VK_RIGHT);
  hl::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_TRUE(Editor->Visible());
  EXPECT_EQ(FieldDate(), March15 + 1);
  EXPECT_EQ(Editor->Text(), DateToStr(March15 + 1));
}

TEST_F(CalendarDropDownTest, OnAReadOnlyDataSetTheCalendarHidesAndTheFieldKeepsItsDate) {
  TDBGridInplaceEdit* Editor = DateEditor(March15);
  Data->SetReadOnly(true);
  AltDown();
  ASSERT_TRUE(Editor->PopupVisible());
  hl::PressKey(win::VK_RIGHT);
  hl::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Editor->PopupVisible());
  EXPECT_FALSE(win::IsWindowVisible(Editor->CalendarPopup()->Handle()));
  EXPECT_EQ(FieldDate(), March15);
  EXPECT_NE(Data->State(), dsEdit);
}

}  // namespace
