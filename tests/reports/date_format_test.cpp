#include "reports/date_format.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

std::string FormatDate(DayNumber day, std::string_view pattern) {
    std::string out;
    DateFormat(pattern).AppendTo(out, day);
    return out;
}

TEST(DateFormatTest, WritesEachPatternLetter) {
    const DayNumber july7th2005 = *DayNumberFromDate(2005, 7, 7);
    const DayNumber dec25th1999 = *DayNumberFromDate(1999, 12, 25);
    struct Case {
        std::string_view pattern;
        DayNumber day;
        std::string_view expected;
    };
    const Case cases[] = {
        {"dd/MM/yyyy", july7th2005, "07/07/2005"},
        {"d/M/yy", july7th2005, "7/7/05"},
        {"M/d/yyyy", dec25th1999, "12/25/1999"},
        {"yyyy-MM-dd", dec25th1999, "1999-12-25"},
        {"dd.MM.yy", dec25th1999, "25.12.99"},
        // Other characters pass through; a lone y is not a year; runs are read four (y: two) at a time.
        {"d. M. y", july7th2005, "7. 7. y"},
        {"yyyyy", july7th2005, "2005y"},
        {"yyy", july7th2005, "05y"},
        // Names, in English without others given.
        {"d MMM yyyy", dec25th1999, "25 Dec 1999"},
        {"ddd d MMMM", july7th2005, "Thu 7 July"},
        {"dddd", dec25th1999, "Saturday"},
        {"ddddd MMMMM", july7th2005, "Thursday7 July7"},
        // Quoted text as it is, two quotes for one; an unclosed quote runs to the end.
        {"d 'de' MMMM 'de' yyyy", july7th2005, "7 de July de 2005"},
        {"'d''M' d", july7th2005, "d'M 7"},
        {"d''M", july7th2005, "7'7"},
        {"yy 'MMM", july7th2005, "05 MMM"},
        {"", july7th2005, ""},
        // Day 0 is 30 December 1899; earlier days count back from it.
        {"dd/MM/yyyy", 0, "30/12/1899"},
        {"dd/MM/yyyy", -1, "29/12/1899"},
        {"yyyy", *DayNumberFromDate(5, 3, 1), "0005"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDate(c.day, c.pattern), c.expected) << c.pattern;
}

TEST(DateFormatTest, NamesComeFromTheLanguageGiven) {
    DateNames french = EnglishDateNames();
    french.longMonths[11] = "d\xE9"
                            "cembre"; // décembre
    french.shortDays[5] = "sam.";
    std::string out;
    DateFormat("ddd d MMMM yyyy", french).AppendTo(out, *DayNumberFromDate(1999, 12, 25));
    EXPECT_EQ(out, "sam. 25 d\xE9"
                   "cembre 1999");
    // Every weekday, before day 0 too.
    for (DayNumber day = -8; day < 8; ++day) {
        out.clear();
        DateFormat("dddd").AppendTo(out, day);
        EXPECT_EQ(out, EnglishDateNames().longDays[static_cast<std::size_t>((day + 7 * 3 + 5) % 7)]) << day;
    }
}

TEST(DateFormatTest, ExtremeDayNumbersStillGiveText) {
    // A damaged record can hold any 32-bit day.
    EXPECT_FALSE(FormatDate(INT32_MAX, "dd/MM/yyyy").empty());
    EXPECT_FALSE(FormatDate(INT32_MIN, "dd/MM/yyyy").empty());
}

} // namespace
} // namespace tavrin
