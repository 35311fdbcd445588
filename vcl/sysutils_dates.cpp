#include "vcl/seams.h"
#include "vcl/sysutils.h"

#include <algorithm>
#include <cmath>

namespace vcl {

namespace {

// Days from 1 January of year 1 (day 1) to 30 December 1899, the day TDateTime counts from.
constexpr int DaysBeforeDateOrigin = 693594;
constexpr int DaysPer400Years = 146097;
constexpr int DaysPer100Years = 36524;
constexpr int DaysPer4Years = 1461;

int CalendarMonthDays(Word Year, Word Month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

bool IsCalendarDate(Word Year, Word Month, Word Day)
{
    return Year >= 1 && Year <= 9999 && Month >= 1 && Month <= 12 && Day >= 1 && Day <= CalendarMonthDays(Year, Month);
}

[[noreturn]] void RaiseEncodeError(const wchar_t* Kind)
{
    throw EConvertError(String(L"Invalid argument to ") + Kind + L" encode");
}

}  // namespace

bool IsLeapYear(Word Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

TDateTime EncodeDate(Word Year, Word Month, Word Day)
{
    if (!IsCalendarDate(Year, Month, Day))
        RaiseEncodeError(L"date");
    int dayOfYear = Day;
    for (Word m = 1; m < Month; ++m)
        dayOfYear += CalendarMonthDays(Year, m);
    const int years = Year - 1;
    return years * 365 + years / 4 - years / 100 + years / 400 + dayOfYear - DaysBeforeDateOrigin;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec)
{
    if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000)
        RaiseEncodeError(L"time");
    return (((Hour * 60 + Min) * 60 + Sec) * 1000.0 + MSec) / MSecsPerDay;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day)
{
    Year = Month = Day = 0;
    const double whole = std::trunc(Date) + DaysBeforeDateOrigin;
    if (!(whole >= 1 && whole <= 9999 * 366.0))
        return;
    // Whole cycles of 400, 100, 4 and 1 years; the last year of a 100- or 4-year cycle is one day longer.
    int days = static_cast<int>(whole) - 1;
    int year = 1 + days / DaysPer400Years * 400;
    days %= DaysPer400Years;
    int centuries = std::min(days / DaysPer100Years, 3);
    days -= centuries * DaysPer100Years;
    int quads = days / DaysPer4Years;
    days %= DaysPer4Years;
    int single = std::min(days / 365, 3);
    days -= single * 365;
    year += centuries * 100 + quads * 4 + single;
    if (year > 9999)
        return;
    Word month = 1;
    for (; days >= CalendarMonthDays(static_cast<Word>(year), month); ++month)
        days -= CalendarMonthDays(static_cast<Word>(year), month);
    Year = static_cast<Word>(year);
    Month = month;
    Day = static_cast<Word>(days + 1);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec)
{
    const long long msecs = std::llrint(std::fabs(Time) * MSecsPerDay) % MSecsPerDay;
    MSec = static_cast<Word>(msecs % 1000);
    Sec = static_cast<Word>(msecs / 1000 % 60);
    Min = static_cast<Word>(msecs / 60000 % 60);
    Hour = static_cast<Word>(msecs / 3600000);
}

TDateTime Date()
{
    const SYSTEMTIME now = Seams().LocalTime();
    return EncodeDate(now.wYear, now.wMonth, now.wDay);
}

TDateTime Now()
{
    const SYSTEMTIME now = Seams().LocalTime();
    return EncodeDate(now.wYear, now.wMonth, now.wDay) +
           EncodeTime(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

}  // namespace vcl
