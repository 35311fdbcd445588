// Dates and times: the calendar arithmetic of TDateTime and the clock seam.
#include "vcl/seams.h"
#include "vcl/sysutils.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace vcl;

namespace {

struct CalendarDay {
    Word Year;
    Word Month;
    Word Day;
    TDateTime Serial;
};

// Days on both sides of the origin, the leap rules' years and the calendar's ends.
const CalendarDay CalendarDays[] = {
    {1899, 12, 30, 0},    {1899, 12, 29, -1},  {1900, 1, 1, 2},       {1900, 3, 1, 61},   {2000, 1, 1, 36526},
    {2000, 2, 29, 36585}, {2000, 3, 1, 36586}, {2024, 12, 31, 45657}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
};

}  // namespace

TEST(Dates, EncodeAndDecodeAgreeWithTheDayCount)
{
    for (const CalendarDay& d : CalendarDays) {
        SCOPED_TRACE(testing::Message() << d.Year << "-" << d.Month << "-" << d.Day);
        EXPECT_EQ(d.Serial, EncodeDate(d.Year, d.Month, d.Day));
        // A time of day does not move the date, on either side of the origin.
        Word year = 0, month = 0, day = 0;
        DecodeDate(d.Serial + (d.Serial < 0 ? -0.75 : 0.75), year, month, day);
        EXPECT_EQ(d.Year, year);
        EXPECT_EQ(d.Month, month);
        EXPECT_EQ(d.Day, day);
    }
}

TEST(Dates, DaysOutsideTheCalendarRaise)
{
    struct Bad {
        Word Year, Month, Day;
    };
    for (const Bad& b : {Bad{1900, 2, 29}, Bad{2023, 2, 29}, Bad{2000, 13, 1}, Bad{2000, 0, 1}, Bad{2000, 4, 31},
                         Bad{2000, 1, 0}, Bad{0, 1, 1}, Bad{10000, 1, 1}})
        EXPECT_THROW(EncodeDate(b.Year, b.Month, b.Day), EConvertError) << b.Year << "-" << b.Month << "-" << b.Day;
    Word year = 1, month = 1, day = 1;
    DecodeDate(-693594, year, month, day);
    EXPECT_EQ(0, year + month + day) << "the day before year 1";
}

TEST(Dates, LeapYearsFollowTheCenturyRules)
{
    for (Word year : {1900, 2100, 2023, 1})
        EXPECT_FALSE(IsLeapYear(year)) << year;
    for (Word year : {2000, 2024, 1600, 4})
        EXPECT_TRUE(IsLeapYear(year)) << year;
}

TEST(Dates, TimesAreFractionsOfTheDayToTheMillisecond)
{
    EXPECT_EQ(0.5, EncodeTime(12, 0, 0, 0));
    const TDateTime t = EncodeTime(23, 59, 59, 999);
    Word hour, minute, second, msec;
    DecodeTime(36526 + t, hour, minute, second, msec);
    EXPECT_EQ((std::vector<Word>{23, 59, 59, 999}), (std::vector<Word>{hour, minute, second, msec}));
    // Before the origin the time of day is the fraction's absolute value.
    DecodeTime(-1.25, hour, minute, second, msec);
    EXPECT_EQ((std::vector<Word>{6, 0, 0, 0}), (std::vector<Word>{hour, minute, second, msec}));
    for (auto [h, m, s, ms] :
         {std::tuple{24, 0, 0, 0}, std::tuple{0, 60, 0, 0}, std::tuple{0, 0, 60, 0}, std::tuple{0, 0, 0, 1000}})
        EXPECT_THROW(EncodeTime(Word(h), Word(m), Word(s), Word(ms)), EConvertError);
}

TEST(Dates, DateAndNowComeFromTheClockSeam)
{
    const TSystemSeams saved = Seams();
    Seams().LocalTime = [] {
        SYSTEMTIME t{};
        t.wYear = 2024;
        t.wMonth = 2;
        t.wDay = 29;
        t.wHour = 18;
        t.wMinute = 30;
        t.wSecond = 15;
        t.wMilliseconds = 250;
        return t;
    };
    const TDateTime today = Date();
    const TDateTime now = Now();
    Seams() = saved;
    EXPECT_EQ(EncodeDate(2024, 2, 29), today);
    EXPECT_DOUBLE_EQ(today + EncodeTime(18, 30, 15, 250), now);
}
