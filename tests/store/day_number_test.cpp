#include "store/day_number.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(DayNumberTest, KnownDays) {
    struct Known {
        int year, month, day;
        DayNumber number;
    };
    const Known known[] = {
        {1899, 12, 30, 0},  {1899, 12, 31, 1},    {1900, 1, 1, 2},       {1900, 2, 28, 60},
        {1900, 3, 1, 61},   {2000, 1, 1, 36526},  {2000, 2, 29, 36585},  {2000, 3, 1, 36586},
        {1899, 12, 29, -1}, {1800, 1, 1, -36522}, {2024, 12, 31, 45657}, {9999, 12, 31, 2958465},
    };
    for (const auto& k : known) {
        SCOPED_TRACE(testing::Message() << k.year << "-" << k.month << "-" << k.day);
        EXPECT_EQ(DayNumberFromDate(k.year, k.month, k.day), k.number);
        EXPECT_EQ(DateFromDayNumber(k.number), (CivilDate{k.year, k.month, k.day}));
    }
}

TEST(DayNumberTest, LeapYearsAndMonthLengths) {
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(1996));
    EXPECT_FALSE(IsLeapYear(1999));
    EXPECT_FALSE(IsLeapYear(2100));

    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2001, 4), 30);
    EXPECT_EQ(DaysInMonth(2001, 12), 31);
    EXPECT_EQ(DaysInMonth(2001, 13), 0);
    EXPECT_EQ(DaysInMonth(2001, 0), 0);

    // 1900 has no 29 February; 2000 has one.
    EXPECT_FALSE(DayNumberFromDate(1900, 2, 29).has_value());
    EXPECT_TRUE(DayNumberFromDate(2000, 2, 29).has_value());
}

TEST(DayNumberTest, RefusesDaysThatDoNotExist) {
    EXPECT_FALSE(DayNumberFromDate(2001, 2, 31).has_value());
    EXPECT_FALSE(DayNumberFromDate(2001, 4, 31).has_value());
    EXPECT_FALSE(DayNumberFromDate(2001, 1, 0).has_value());
    EXPECT_FALSE(DayNumberFromDate(2001, 0, 10).has_value());
    EXPECT_FALSE(DayNumberFromDate(2001, 13, 1).has_value());
    EXPECT_FALSE(DayNumberFromDate(2001, 1, 32).has_value());
    EXPECT_FALSE(DayNumberFromDate(0, 1, 1).has_value());
    EXPECT_FALSE(DayNumberFromDate(10000, 1, 1).has_value());
}

TEST(DayNumberTest, RoundTripsEveryDayOfAWideRange) {
    // From year 1 to 9999 every day number maps to a valid date that maps back, one day apart.
    const DayNumber first = *DayNumberFromDate(1, 1, 1);
    const DayNumber last = *DayNumberFromDate(9999, 12, 31);
    CivilDate previous = DateFromDayNumber(first - 1);
    for (DayNumber d = first; d <= last; ++d) {
        const CivilDate date = DateFromDayNumber(d);
        ASSERT_TRUE(IsValidDate(date.year, date.month, date.day)) << d;
        ASSERT_EQ(DayNumberFromDate(date.year, date.month, date.day), d);
        const bool nextDay = date.day == previous.day + 1 && date.month == previous.month;
        const bool nextMonth =
            date.day == 1 && (date.month == previous.month + 1 ||
                              (date.month == 1 && previous.month == 12 && date.year == previous.year + 1));
        ASSERT_TRUE(nextDay || nextMonth) << d;
        previous = date;
    }
}

} // namespace
} // namespace tavrin
