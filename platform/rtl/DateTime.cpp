// Date and time arithmetic, the clock hook and calendar helpers.
#include "platform/rtl/DateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/rtl/SysUtils.h"

namespace {

// Days from 0001-01-01 to 1899-12-30.
constexpr long kDateDelta = 693593;
constexpr double kMSecsPerDay = 86400000.0;

long DaysBeforeYear(long y) {  // days from 0001-01-01 to y-01-01
  --y;
  return y * 365 + y / 4 - y / 100 + y / 400;
}

std::function<TDateTime()>& NowProvider() {
  static std::function<TDateTime()> provider;
  return provider;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  long days = DaysBeforeYear(year);
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  days += day - 1;
  date = static_cast<double>(days - kDateDelta);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& time) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
      msec > 999)
    return false;
  time = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  TDateTime t;
  if (!TryEncodeTime(hour, minute, second, msec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  double d = std::trunc(date), t = std::fabs(time - std::trunc(time));
  return d < 0 ? d - t : d + t;
}

namespace {

// Splits into whole days since 0001-01-01 and milliseconds of the day.
void Split(TDateTime dt, long& days, long& msecs) {
  if (!std::isfinite(dt) || dt < -693593.0 || dt >= 2958466.0)
    throw EConvertError("Invalid argument to date decode");
  double whole = std::trunc(dt);
  long long ms = std::llround(std::fabs(dt - whole) * kMSecsPerDay);
  days = static_cast<long>(whole) + kDateDelta;
  if (ms >= 86400000) {  // rounding reached the next day
    ms -= 86400000;
    days += whole < 0 ? -1 : 1;
  }
  msecs = static_cast<long>(ms);
}

}  // namespace

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
  long days, ms;
  Split(dt, days, ms);
  if (days < 0) throw EConvertError("Invalid argument to date decode");
  long y = days / 366 + 1;
  while (DaysBeforeYear(y + 1) <= days) ++y;
  long rest = days - DaysBeforeYear(y);
  int m = 1;
  while (rest >= DaysInMonth(static_cast<int>(y), m)) rest -= DaysInMonth(static_cast<int>(y), m++);
  year = static_cast<int>(y);
  month = m;
  day = static_cast<int>(rest) + 1;
}

void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& msec) {
  long days, ms;
  Split(dt, days, ms);
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  msec = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime dt) {
  long days, ms;
  Split(dt, days, ms);
  return static_cast<int>((days + 1) % 7) + 1;  // 0001-01-01 was a Monday
}

TDateTime IncMonth(TDateTime dt, int months) {
  int y, m, d;
  DecodeDate(dt, y, m, d);
  long total = static_cast<long>(y) * 12 + (m - 1) + months;
  int ny = static_cast<int>(total / 12), nm = static_cast<int>(total % 12) + 1;
  if (d > DaysInMonth(ny, nm)) d = DaysInMonth(ny, nm);
  return ComposeDateTime(EncodeDate(ny, nm, d), dt);
}

void SetNowProvider(std::function<TDateTime()> provider) { NowProvider() = std::move(provider); }

TDateTime Now() {
  if (NowProvider()) return NowProvider()();
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t t = system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
         EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec, ms);
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
  TDateTime n = Now();
  return std::fabs(n - std::trunc(n));
}

int CurrentYear() {
  int y, m, d;
  DecodeDate(Now(), y, m, d);
  return y;
}
