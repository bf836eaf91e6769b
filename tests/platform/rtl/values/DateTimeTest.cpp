#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Pins Now() and the format settings for one test.
class DateTimeTest : public ::testing::Test {
protected:
  void SetUp() override { SetNowProvider([] { return EncodeDate(2026, 12, 10) + EncodeTime(13, 30, 0, 0); }); }
  void TearDown() override { SetNowProvider(nullptr); }
  TFormatSettingsScope FKeep;
};

TEST_F(DateTimeTest, EncodeAndDecodeRoundTrip) {
  struct Case { int y, m, d; double serial; };
  for (const Case& c : {Case{1899, 12, 30, 0}, Case{1900, 1, 1, 2}, Case{2000, 2, 29, 36585},
                        Case{1899, 12, 29, -1}, Case{1, 1, 1, -693593}, Case{9999, 12, 31, 2958465}}) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
    int y, m, d;
    DecodeDate(c.serial, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
  }
  int h, n, s, ms;
  DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235959999);
  // Negative serials: the fraction still counts forward from midnight.
  int y, m, d;
  DecodeDate(-1.25, y, m, d);
  DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  EXPECT_EQ(h, 6);
  EXPECT_EQ(ComposeDateTime(-1, 0.25), -1.25);
}

TEST_F(DateTimeTest, InvalidPartsRaise) {
  struct Case { int y, m, d; };
  for (const Case& c : {Case{2023, 2, 29}, Case{2024, 13, 1}, Case{2024, 0, 1}, Case{2024, 4, 31},
                        Case{0, 1, 1}, Case{10000, 1, 1}, Case{1900, 2, 29}}) {
    EXPECT_THROW(EncodeDate(c.y, c.m, c.d), EConvertError) << c.y << "-" << c.m << "-" << c.d;
  }
  EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
  int y, m, d;
  EXPECT_THROW(DecodeDate(std::nan(""), y, m, d), EConvertError);
  EXPECT_THROW(DecodeDate(1e12, y, m, d), EConvertError);
  EXPECT_THROW(FormatDateTime("c", -1e9), EConvertError);
}

TEST_F(DateTimeTest, CalendarHelpers) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 4), 30);
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 10)), 5);  // a Thursday
  const TDateTime jan31 = EncodeDate(2024, 1, 31) + EncodeTime(8, 0, 0, 0);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", IncMonth(jan31, 1)), "2024-02-29 08:00");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", IncMonth(jan31, -2)), "2023-11-30");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", IncMonth(jan31, 13)), "2025-02-28");
}

TEST_F(DateTimeTest, NowFollowsTheInstalledClock) {
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", Now()), "2026-12-10 13:30");
  EXPECT_EQ(Date(), EncodeDate(2026, 12, 10));
  EXPECT_DOUBLE_EQ(Time(), EncodeTime(13, 30, 0, 0));
  EXPECT_EQ(CurrentYear(), 2026);
}

TEST_F(DateTimeTest, FormatSpecifiers) {
  const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
  struct Case { const char* format; const char* expected; };
  for (const Case& c : {Case{"d/m/yy", "5/3/24"}, Case{"dd.mm.yyyy", "05.03.2024"}, Case{"ddd dddd", "Tue Tuesday"},
                        Case{"mmm mmmm", "Mar March"}, Case{"h:n:s.z", "14:7:9.45"},
                        Case{"hh:nn:ss.zzz", "14:07:09.045"}, Case{"hh:mm", "14:07"},  // m after h = minutes
                        Case{"h am/pm", "2 pm"}, Case{"h AM/PM", "2 PM"}, Case{"hh a/p", "02 p"},
                        Case{"h ampm", "2 PM"}, Case{"ddddd", "3/5/2024"}, Case{"dddddd", "Tuesday, March 5, 2024"},
                        Case{"t", "14:07"}, Case{"tt", "14:07:09"}, Case{"c", "3/5/2024 14:07:09"},
                        Case{"'day' d \"of\" mmmm", "day 5 of March"}, Case{"YYYY-MM-DD", "2024-03-05"},
                        Case{"", "3/5/2024 14:07:09"}, Case{"'unterminated", "unterminated"}}) {
    EXPECT_EQ(FormatDateTime(c.format, t), c.expected) << c.format;
  }
  EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(0, 5, 0, 0)), "12:05 am");
  EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(12, 0, 0, 0)), "12:00 pm");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "3/5/2024");  // midnight shows no time
  EXPECT_EQ(TimeToStr(EncodeTime(9, 5, 0, 0)), "09:05:00");
}

TEST_F(DateTimeTest, SeparatorsAndNamesComeFromTheSettings) {
  DateSeparator = '-';
  TimeSeparator = '.';
  ShortDateFormat = "dd/mm/yyyy";
  LongMonthNames[2] = "März";
  const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 0, 0);
  EXPECT_EQ(FormatDateTime("ddddd hh:nn mmmm", t), "05-03-2024 14.07 März");
  // A format that names itself nests only a few levels instead of recursing forever.
  ShortDateFormat = "ddddd";
  EXPECT_EQ(FormatDateTime("ddddd", t), "");
  ShortDateFormat = "c";
  EXPECT_NO_THROW(FormatDateTime("c", t));
}

TEST_F(DateTimeTest, ReadsDatesInTheOrderOfTheShortFormat) {
  struct Case { const char* format; char sep; const char* text; int y, m, d; };
  for (const Case& c : {Case{"m/d/yyyy", '/', "3/5/2024", 2024, 3, 5}, Case{"m/d/yyyy", '/', " 12/31/1999 ", 1999, 12, 31},
                        Case{"dd.mm.yyyy", '.', "05.03.2024", 2024, 3, 5}, Case{"yyyy-mm-dd", '-', "2024-03-05", 2024, 3, 5},
                        Case{"m/d/yyyy", '/', "3/5", 2026, 3, 5},      // current year
                        Case{"dd.mm.yyyy", '.', "5.3", 2026, 3, 5},
                        Case{"m/d/yy", '/', "1/2/30", 2030, 1, 2},     // window: 1976..2075
                        Case{"m/d/yy", '/', "1/2/76", 1976, 1, 2}, Case{"m/d/yy", '/', "1/2/75", 2075, 1, 2},
                        Case{"m/d/yyyy", '/', "2/29/2024", 2024, 2, 29}}) {
    ShortDateFormat = c.format;
    DateSeparator = c.sep;
    EXPECT_EQ(StrToDate(c.text), EncodeDate(c.y, c.m, c.d)) << c.format << " " << c.text;
  }
}

TEST_F(DateTimeTest, BadDateAndTimeTextRaises) {
  for (const char* bad : {"", "abc", "2/30/2024", "13/1/2024", "1/2/3/4", "1", "1/x/2024", "1/2/2024 x", "1//2"}) {
    try {
      StrToDate(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid date");
    }
  }
  for (const char* bad : {"", "25:00", "12:60", "1:2:3:4", "13 PM", "0 AM", "x"}) {
    try {
      StrToTime(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid time");
    }
  }
  try {
    StrToDateTime("1/2/2024 99:00");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'1/2/2024 99:00' is not a valid date and time");
  }
  TDateTime v = 7;
  EXPECT_FALSE(TryStrToDate("nope", v));
  EXPECT_EQ(v, 7);
}

TEST_F(DateTimeTest, ReadsTimesAndDateTimes) {
  EXPECT_DOUBLE_EQ(StrToTime("14:07"), EncodeTime(14, 7, 0, 0));
  EXPECT_DOUBLE_EQ(StrToTime(" 2:07:09.5 PM "), EncodeTime(14, 7, 9, 5));
  EXPECT_DOUBLE_EQ(StrToTime("12:00 am"), 0);
  EXPECT_DOUBLE_EQ(StrToTime("9"), EncodeTime(9, 0, 0, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("3/5/2024 14:07:09"), EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("3/5/2024"), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(StrToDateTime("14:07"), EncodeTime(14, 7, 0, 0));
  // What the formatter writes, the reader reads back.
  const TDateTime t = EncodeDate(1987, 11, 23) + EncodeTime(6, 5, 4, 0);
  EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(t)), t);
}

}  // namespace
