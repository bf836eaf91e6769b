#pragma once
// TDateTime: days since 1899-12-30 as a double; the fraction is the time of day.
// Before 1899-12-30 the whole part counts back and the fraction still counts forward
// (-1.25 is 1899-12-29 06:00).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

using TDateTime = double;

// EConvertError "Invalid argument to date encode" / "... time encode" for bad parts.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& time);
// Combines a date and a time of day, keeping the sign rule above.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
// EConvertError for dates outside years 1..9999 or NaN.
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& msec);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime dt);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Adds months, keeping the time and clamping the day to the target month's length.
TDateTime IncMonth(TDateTime dt, int months = 1);

// The current date and time, from the local clock unless a provider is installed
// (the headless desktop's manual clock installs one). Pass nullptr to restore.
void SetNowProvider(std::function<TDateTime()> provider);
TDateTime Now();
TDateTime Date();
TDateTime Time();
int CurrentYear();

// Format specifiers (case-insensitive): c d dd ddd dddd ddddd dddddd m mm mmm mmmm
// yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm / : 'literal' "literal".
// m right after h or hh means minutes. An empty format means "c".
std::string FormatDateTime(std::string_view format, TDateTime dt);
std::string DateToStr(TDateTime dt);      // ShortDateFormat
std::string TimeToStr(TDateTime dt);      // LongTimeFormat
std::string DateTimeToStr(TDateTime dt);  // date, then the time unless it is midnight

// Read by the order of ShortDateFormat (d/m/y, m/d/y or y/m/d) with DateSeparator;
// a missing year is the current year; two-digit years use TwoDigitYearCenturyWindow.
// Times are h[:n[:s[.z]]] with an optional AM/PM. Blanks around are allowed.
// EConvertError "'%s' is not a valid date" / "... valid time" / "... valid date and time".
TDateTime StrToDate(std::string_view s);
TDateTime StrToTime(std::string_view s);
TDateTime StrToDateTime(std::string_view s);
bool TryStrToDate(std::string_view s, TDateTime& value);
bool TryStrToTime(std::string_view s, TDateTime& value);
bool TryStrToDateTime(std::string_view s, TDateTime& value);
