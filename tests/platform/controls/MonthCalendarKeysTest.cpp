// The month calendar moves its date by keys as the platform's control does.
#include <gtest/gtest.h>

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/desktop/Headless.h"

namespace {

TEST(MonthCalendarKeysTest, KeysMoveTheDate) {
  win::headless::Reset();
  TForm form(nullptr);
  auto* cal = new TMonthCalendar(&form);
  cal->SetParent(&form);
  form.Show();
  cal->SetFocus();
  struct KeyCase {
    win::UINT Key;
    bool Ctrl;
    TDateTime From, To;
  };
  const KeyCase cases[] = {
      {win::VK_LEFT, false, EncodeDate(2026, 3, 1), EncodeDate(2026, 2, 28)},
      {win::VK_RIGHT, false, EncodeDate(2026, 2, 28), EncodeDate(2026, 3, 1)},
      {win::VK_UP, false, EncodeDate(2026, 3, 14), EncodeDate(2026, 3, 7)},
      {win::VK_DOWN, false, EncodeDate(2026, 12, 28), EncodeDate(2027, 1, 4)},
      {win::VK_PRIOR, false, EncodeDate(2026, 3, 31), EncodeDate(2026, 2, 28)},
      {win::VK_NEXT, false, EncodeDate(2026, 1, 31), EncodeDate(2026, 2, 28)},
      {win::VK_NEXT, true, EncodeDate(2024, 2, 29), EncodeDate(2025, 2, 28)},
      {win::VK_HOME, false, EncodeDate(2026, 3, 14), EncodeDate(2026, 3, 1)},
      {win::VK_END, false, EncodeDate(2026, 2, 14), EncodeDate(2026, 2, 28)},
      {win::VK_PRIOR, false, EncodeDate(1, 1, 5), EncodeDate(1, 1, 5)},  // no month before year 1
      {win::VK_RIGHT, false, EncodeDate(9999, 12, 31), EncodeDate(9999, 12, 31)},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.Key);
    cal->SetDate(c.From);
    if (c.Ctrl) win::headless::PressKeys(win::MOD_CONTROL, c.Key);
    else win::headless::PressKey(c.Key);
    EXPECT_EQ(cal->Date(), c.To);
    int y = 0, m = 0, d = 0;
    DecodeDate(c.To, y, m, d);
    EXPECT_EQ(cal->VisibleMonth(), EncodeDate(y, m, 1));
  }
}

}  // namespace
